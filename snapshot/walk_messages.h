// The messages both walks give once per drive about what they could not see:
// a drive that stopped answering, folders that could not be read, and names
// that do not lead back to their own entries.
#pragma once

#include <string>
#include <vector>

namespace snapshot {

// "  Cannot access drive  X".
void ReportDriveLost(char drive);
// "3 folders on drive D could not be read; ..." with the first of them; none
// when the list is empty.
void ReportUnreadableFolders(char drive, const std::vector<std::string>& folders);
// "2 entries on drive D were passed over, ..." with the first; none for 0.
void ReportPassedOver(char drive, int count, const std::string& first);

}  // namespace snapshot
