// Write access to SnapshotFolderTable, shared by the files of the snapshot
// store only.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "common/staged_replace.h"

namespace snapshot::detail {

// Slot i lives at index i - 1.
std::vector<std::string>& folderTable();
int& folderCount();
// The whole text of each line longer than a slot holds, by slot index (from
// 0); few lines are, so the others take no room.
std::unordered_map<int, std::string>& longFolderLines();

// The sum of one file of the set: its lines, in order, as a CRC-32 and a
// count. Line ends are not summed, but a line split or joined changes it.
class LineSum {
public:
    void add(std::string_view line);
    // "<lines> <CRC-32 as eight hex digits>", a line of the sum file.
    std::string text() const;

private:
    uint32_t crc_ = 0xFFFFFFFFu;
    int64_t lines_ = 0;
};

// The drive's four snapshot files as one staged replace, FileListFile first.
common::ReplaceSet SnapshotSet(char drive);
// Finishes or undoes a save of the drive's files that was cut short; false
// when a step failed and leftovers remain.
bool SettleInterruptedSave(char drive);

}  // namespace snapshot::detail
