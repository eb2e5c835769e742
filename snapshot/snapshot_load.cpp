// LoadSnapshot: reads a drive's pair of snapshot files back into the two
// tables, and refuses a pair that does not hold together.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/messages.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/text_rules.h"
#include "platform/textfile.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/store_internal.h"

namespace snapshot {

namespace {

const char* const TooManyFiles =
    "You have more than 60,000 files on your drive.Please ask for professinal version or "
    "decrease number of files.";
const char* const TooManyFolders =
    "You have more than 4,000 folders on your drive.Please ask for professional version or "
    "decrease number of folders.";

void inform(const std::string& text, int a) {
    common::ShowCenteredMessage(text, platform::MessageKind::Information,
                                platform::MessageButtons::Ok, a, 40);
}

std::string driveText(const char* before, char drive, const char* after) {
    return std::string(before) + drive + after;
}

// A snapshot that does not hold together, or one that could not be read
// whole (then with the cause): either would make known files look new.
void reportDamaged(char drive, const platform::IoResult& read = platform::IoResult()) {
    inform(platform::withCause(driveText("The snapshot of drive ", drive, " is damaged."), read),
           120);
}

// The pairs must run from the drive's own pair (index 0) through folder
// records that really stand at their indexes, in rising order, to THEEND
// with the number of records plus one; and every folder record must have its
// pair. A set that fails this (lines that are not numbers, a pair missing,
// files of two different snapshots) would make existing files look new, so
// the load is refused. Past the characters a record keeps, a key can only be
// checked by its form. A list that simply lacks its end pair gives the last
// folder every record up to the last one.
// An upper-cased full path of the drive, as the walk writes it: names of
// characters a folder name may hold, one backslash between them. A key of
// another form names no folder, and the folder it stood for would be judged
// new.
bool wellFormedKey(const std::string& key, char drive) {
    if (key.size() < 4 || key.compare(0, 3, std::string(1, drive) + ":\\") != 0)
        return false;
    // "?" stays allowed: the ANSI listing shows it for a character the code
    // page lacks.
    static const std::string_view forbidden = "<>:\"/|*";
    char previous = '\\';
    for (size_t i = 3; i < key.size(); ++i) {
        const char c = key[i];
        const bool control = static_cast<unsigned char>(c) < 0x20;
        const bool emptyName = c == '\\' && previous == '\\';
        if (control || emptyName || (c >= 'a' && c <= 'z') ||
            forbidden.find(c) != std::string_view::npos)
            return false;
        previous = c;
    }
    return previous != '\\';
}

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
    int key = 3;  // the index line of the next folder pair
    for (int record = 1; record <= records; ++record) {
        // Only a folder record holds a backslash: names cannot.
        const bool folderRecord = FileRecord(record).find('\\') != std::string::npos;
        if (!folderRecord)
            continue;
        if (key >= folderLinesEnd)
            return false;
        int32_t index = 0;
        if (!platform::parseDecimal(lines[key], index) || index != record)
            return false;
        if (FileRecord(record) != lines[key - 1].substr(0, RecordLength))
            return false;
        if (!wellFormedKey(FolderKey(key), drive))
            return false;
        previous = index;
        key += 2;
    }
    if (key < folderLinesEnd)
        return false;  // pairs of records that are not there
    if (!hasEndPair)
        return true;
    int32_t end = 0;
    if (!platform::parseDecimal(lines[count - 1], end))
        return false;
    return end == static_cast<int64_t>(records) + 1 && end > previous;
}

// Every folder that could not be listed must be a folder of the snapshot,
// not the drive itself, and the list must end with its THEEND line.
bool unreadableFoldersHoldTogether(const std::vector<std::string>& lines) {
    if (lines.empty() || lines.back() != "THEEND")
        return false;
    std::unordered_set<std::string_view> keys;
    for (int slot = 3; slot <= detail::folderCount(); slot += 2)
        keys.insert(FolderKey(slot));
    std::vector<std::string>& folders = UnreadableFolders();
    folders.assign(lines.begin(), lines.end() - 1);
    for (const std::string& folder : folders) {
        if (folder == "THEEND" || keys.count(folder) == 0)
            return false;
    }
    return true;
}

bool loadFileTable(char drive, detail::LineSum& sum) {
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
        sum.add(line);
        StoreFileRecord(++stored, line);
    }
    SetFileTableCount(stored);
    if (const platform::IoResult read = in.error(); !read) {
        reportDamaged(drive, read);
        return false;
    }
    return true;
}

bool loadFolderTable(char drive, detail::LineSum& sum) {
    std::vector<std::string>& table = detail::folderTable();
    int& stored = detail::folderCount();
    stored = 0;
    platform::TextReader in;
    if (!in.open(FolderListFileName(drive))) {
        inform(driveText("The snapshot of drive ", drive, " is incomplete."), 120);
        return false;
    }
    auto& whole = detail::longFolderLines();
    whole.clear();
    std::string line;
    while (in.readLine(line)) {
        if (stored == FolderTableSlots) {
            inform(TooManyFolders, 225);
            return false;
        }
        sum.add(line);
        std::string plain = ScrambleText(line);
        std::string& slot = table[static_cast<size_t>(stored)];
        slot.assign(plain, 0, FolderLineLength);
        if (plain.size() > static_cast<size_t>(FolderLineLength))
            whole[stored] = std::move(plain);
        ++stored;
    }
    if (const platform::IoResult read = in.error(); !read) {
        reportDamaged(drive, read);
        return false;
    }
    return true;
}

// A set saved with its sum must still have it: one changed byte of a record
// would otherwise make a known file look new. A set without one is older
// than the sum and is taken as it is.
bool sumsAgree(char drive, const detail::LineSum& records, const detail::LineSum& folders,
               const std::vector<std::string>& unreadable) {
    const std::string sumFile = SumFileName(drive);
    if (!platform::fileExists(sumFile))
        return true;
    std::vector<std::string> saved;
    if (!platform::loadTextLines(sumFile, saved) ||
        !platform::fileExists(UnreadableListFileName(drive)))
        return false;
    detail::LineSum unlisted;
    for (const std::string& line : unreadable)
        unlisted.add(line);
    return saved == std::vector<std::string>{records.text(), folders.text(), unlisted.text()};
}

}  // namespace

bool LoadSnapshot(char drive) {
    UnreadableFolders().clear();
    if (!detail::SettleInterruptedSave(drive)) {
        reportDamaged(drive);
        return false;
    }
    detail::LineSum records, folders;
    if (!loadFileTable(drive, records))
        return false;
    if (!loadFolderTable(drive, folders))
        return false;
    // A list that is there must be read whole: a snapshot without one is
    // older than the list, and has no such folders.
    const std::string unreadableList = UnreadableListFileName(drive);
    const bool listed = platform::fileExists(unreadableList);
    std::vector<std::string> unreadable;
    const platform::IoResult listRead =
        listed ? platform::loadTextLines(unreadableList, unreadable) : platform::IoResult();
    if (!listRead || !pairsHoldTogether(drive) || !sumsAgree(drive, records, folders, unreadable) ||
        (listed && !unreadableFoldersHoldTogether(unreadable))) {
        UnreadableFolders().clear();
        reportDamaged(drive, listRead);
        return false;
    }
    return true;
}

}  // namespace snapshot
