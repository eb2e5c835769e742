// Write access to SnapshotFolderTable, shared by the files of the snapshot
// store only.
#pragma once

#include <string>
#include <vector>

namespace snapshot::detail {

// Slot i lives at index i - 1.
std::vector<std::string>& folderTable();
int& folderCount();
// The whole text of each line longer than a slot holds; "" for the others.
std::vector<std::string>& longFolderLines();

// Finishes a replace of the drive's snapshot files that was cut short: once
// the old set had begun to move aside, the new set was whole, so it is moved
// in; before that, the pending files may be partial and go. False when a step
// failed and leftovers remain.
bool SettleInterruptedSave(char drive);
// Puts the pending set in place of the old one; on a failure puts the old set
// back and throws "Cannot create file <path>".
void ReplaceSnapshotFiles(char drive);

}  // namespace snapshot::detail
