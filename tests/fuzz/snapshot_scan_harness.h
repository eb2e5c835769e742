// The snapshot load and change scan under the fuzzer: a fixed drive whose
// real snapshot is taken once, then each input stands in for its snapshot
// files. A file or folder present at snapshot time must never be offered for
// removal unless the load refused the snapshot (and told the user so).
#pragma once

#include <cstddef>
#include <cstdint>

namespace fuzzing {

// The fixed drive C the snapshot is taken of.
enum class DriveShape {
    Ordinary,        // system files, nested and empty folders, a path over 255 characters
    SharedLongKeys,  // folders whose paths agree on their first 255 characters
};

// Builds the machine and takes the drive's snapshot. When the environment
// names TRELLMARK_FUZZ_SEED, the untouched snapshot is written there as an
// input and the process ends.
void SetUpSnapshotScan(DriveShape shape);

// An input is FileListFile, one NUL byte, then FolderListFile (all of it
// FileListFile when it holds no NUL). Aborts when the property fails.
void RunSnapshotScan(const uint8_t* data, size_t size);

}  // namespace fuzzing
