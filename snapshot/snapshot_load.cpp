// LoadSnapshot: reads a drive's pair of snapshot files back into the two
// tables, and refuses a pair that does not hold together.
#include <cstdint>
#include <string>

#include "platform/dialogs.h"
#include "platform/textfile.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/store_internal.h"
#include "wizard/messages.h"

namespace snapshot {

namespace {

const char* const TooManyFiles =
    "You have more than 60,000 files on your drive.Please ask for professinal version or "
    "decrease number of files.";
const char* const TooManyFolders =
    "You have more than 4,000 folders on your drive.Please ask for professional version or "
    "decrease number of folders.";

void inform(const std::string& text, int a) {
    wizard::ShowCenteredMessage(text, platform::MessageKind::Information,
                                platform::MessageButtons::Ok, a, 40);
}

std::string driveText(const char* before, char drive, const char* after) {
    return std::string(before) + drive + after;
}

// A plain decimal number as SaveSnapshot writes it; false for anything else,
// a sign, separators or a value beyond 32 bits included.
bool parseIndex(const std::string& text, int64_t& value) {
    if (text.empty() || text.size() > 10)
        return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    return value <= INT32_MAX;
}

// The pairs must run from the drive's own pair (index 0) through folder
// records that really stand at their indexes, in rising order, to THEEND
// with the number of records plus one. A pair that fails this (lines that are
// not numbers, files of two different snapshots) would make existing files
// look new, so the load is refused. A list that simply lacks its end pair
// gives the last folder every record up to the last one, but only when no
// folder record follows: otherwise the list was cut short and the folders
// after the cut would look new.
bool pairsHoldTogether(char drive) {
    const std::vector<std::string>& lines = detail::folderTable();
    const int count = detail::folderCount();
    const int records = FileTableCount();
    if (count < 2 || count % 2 != 0)
        return false;
    if (lines[0] != std::string(1, drive) + ":" || lines[1] != "0")
        return false;
    const bool hasEndPair = count >= 4 && lines[count - 2] == "THEEND";
    const int folderLinesEnd = hasEndPair ? count - 2 : count;
    int64_t previous = 0;
    for (int key = 3; key < folderLinesEnd; key += 2) {
        int64_t index = 0;
        if (!parseIndex(lines[key], index))
            return false;
        if (index <= previous || index > records)
            return false;
        if (FileRecord(static_cast<int>(index)) != lines[key - 1].substr(0, RecordLength)) {
            return false;
        }
        previous = index;
    }
    if (!hasEndPair) {
        for (int record = static_cast<int>(previous) + 1; record <= records; ++record) {
            if (FileRecord(record).find('\\') != std::string::npos)
                return false;
        }
        return true;
    }
    int64_t end = 0;
    if (!parseIndex(lines[count - 1], end))
        return false;
    return end == static_cast<int64_t>(records) + 1 && end > previous;
}

bool loadFileTable(char drive) {
    platform::TextReader in;
    if (!in.open(FileListFileName(drive))) {
        inform(driveText("There is no snapshot for drive ", drive, ""), 120);
        return false;
    }
    SetFileTableCount(0);
    std::string line;
    int stored = 0;
    while (in.readLine(line)) {
        if (stored == FileTableSlots) {
            inform(TooManyFiles, 225);
            return false;
        }
        StoreFileRecord(++stored, line);
    }
    SetFileTableCount(stored);
    return true;
}

bool loadFolderTable(char drive) {
    std::vector<std::string>& table = detail::folderTable();
    int& stored = detail::folderCount();
    stored = 0;
    platform::TextReader in;
    if (!in.open(FolderListFileName(drive))) {
        inform(driveText("The snapshot of drive ", drive, " is incomplete."), 120);
        return false;
    }
    std::string line;
    while (in.readLine(line)) {
        if (stored == FolderTableSlots) {
            inform(TooManyFolders, 225);
            return false;
        }
        std::string& slot = table[stored++];
        slot.assign(line, 0, FolderLineLength);
        for (char& c : slot)
            c = static_cast<char>(c ^ 8);
    }
    return true;
}

}  // namespace

bool LoadSnapshot(char drive) {
    if (!loadFileTable(drive))
        return false;
    if (!loadFolderTable(drive))
        return false;
    if (!pairsHoldTogether(drive)) {
        inform(driveText("The snapshot of drive ", drive, " is damaged."), 120);
        return false;
    }
    return true;
}

}  // namespace snapshot
