// Walks one drive and records every file and folder on it.
#pragma once

#include "snapshot/walk_view.h"

namespace snapshot {

// Takes the snapshot of one drive and hands it to WriteSnapshot when the walk
// ran to its end, showing its progress on the view. Failures are shown and
// leave the earlier snapshot alone.
void SnapshotDrive(char drive, WalkView& view);

}  // namespace snapshot
