// The change scanner: one drive walked against its loaded snapshot.
#pragma once

#include "restore/review_sink.h"
#include "snapshot/walk_view.h"

namespace restore {

// Lists on the review every file and folder of the drive that its snapshot
// does not hold, then ticks them all; shows its progress on the view. What
// stops it (no drive, no snapshot, a damaged one) is shown.
void CompareDrive(char drive, snapshot::WalkView& view, ReviewSink& review);

}  // namespace restore
