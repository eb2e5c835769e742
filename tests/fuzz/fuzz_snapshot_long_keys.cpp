// The snapshot load and change scan over a drive whose folders agree on their first 255
// characters.
#include "snapshot_scan_harness.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::SetUpSnapshotScan(fuzzing::DriveShape::SharedLongKeys);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::RunSnapshotScan(data, size);
    return 0;
}
