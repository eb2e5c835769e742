// Write access to SnapshotFolderTable, shared by the files of the snapshot
// store only.
#pragma once

#include <string>
#include <vector>

namespace snapshot::detail {

// Slot i lives at index i - 1.
std::vector<std::string>& folderTable();
int& folderCount();

}  // namespace snapshot::detail
