// The snapshot load and change scan over a drive of ordinary shapes.
#include "snapshot_scan_harness.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    fuzzing::SetUpSnapshotScan(fuzzing::DriveShape::Ordinary);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fuzzing::RunSnapshotScan(data, size);
    return 0;
}
