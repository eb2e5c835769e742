// Walks one drive and records every file and folder on it.
#pragma once

namespace snapshot {

// Takes the snapshot of one drive and hands it to WriteSnapshot when the walk
// ran to its end. Failures are shown and leave the earlier snapshot alone.
void SnapshotDrive(char drive);

}  // namespace snapshot
