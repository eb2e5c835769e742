// The two snapshot tables, the snapshot file names, ScrambleText and the
// upper-casing that every record and key goes through.
#include <stdexcept>
#include <vector>

#include "platform/listbox.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/store_internal.h"
#include "wizard/app_state.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"

namespace snapshot {

namespace {

// Slot i lives at index i - 1. A slot holds its record in place when it is
// short, as most names are, and otherwise keeps the storage it has grown to:
// reserving a full record for every slot took some 8 MB at the table's
// limit, far more than the records themselves.
std::vector<std::string>& fileTable() {
    static std::vector<std::string> table(FileTableSlots);
    return table;
}

int& fileCount() {
    static int count = 0;
    return count;
}

const std::string& emptyText() {
    static const std::string empty;
    return empty;
}

std::string snapshotName(const char* stem, char drive, const char* number) {
    return wizard::app().paths.dataDir + stem + drive + number;
}

}  // namespace

namespace detail {

std::vector<std::string>& folderTable() {
    static std::vector<std::string> table(FolderTableSlots);
    return table;
}

int& folderCount() {
    static int count = 0;
    return count;
}

std::vector<std::string>& longFolderLines() {
    static std::vector<std::string> lines(FolderTableSlots);
    return lines;
}

}  // namespace detail

std::string FileListFileName(char drive) {
    return snapshotName("\\SNPDAT.", drive, "01");
}
std::string FolderListFileName(char drive) {
    return snapshotName("\\SNPDAT.", drive, "02");
}
std::string UnreadableListFileName(char drive) {
    return snapshotName("\\SNPDAT.", drive, "03");
}
std::string SumFileName(char drive) {
    return snapshotName("\\SNPDAT.", drive, "04");
}
std::string PendingSumName(char drive) {
    return snapshotName("\\SNPTMP.", drive, "04");
}
std::string PendingFileListName(char drive) {
    return snapshotName("\\SNPTMP.", drive, "01");
}
std::string PendingFolderListName(char drive) {
    return snapshotName("\\SNPTMP.", drive, "02");
}
std::string PendingUnreadableListName(char drive) {
    return snapshotName("\\SNPTMP.", drive, "03");
}
std::string SetAsideName(char drive, int part) {
    static const char* const numbers[] = {"01", "02", "03", "04"};
    return snapshotName("\\SNPOLD.", drive, numbers[part >= 1 && part <= 4 ? part - 1 : 0]);
}

std::string ScrambleText(const std::string& text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(c ^ 8);
    return result;
}

std::string UpperCase(const std::string& text) {
    std::string result(text);
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

int FileTableCount() {
    return fileCount();
}

const std::string& FileRecord(int slot) {
    if (slot < 1 || slot > FileTableSlots)
        return emptyText();
    return fileTable()[slot - 1];
}

void StoreFileRecord(int slot, const std::string& record) {
    if (slot < 1 || slot > FileTableSlots)
        return;
    fileTable()[slot - 1].assign(record, 0, RecordLength);
    if (slot > fileCount())
        fileCount() = slot;
}

void StoreUpperRecord(int slot, const std::string& name) {
    if (slot < 1 || slot > FileTableSlots)
        return;
    StoreFileRecord(slot, name);
    for (char& c : fileTable()[slot - 1]) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
}

void SetFileTableCount(int count) {
    if (count < 0)
        count = 0;
    if (count > FileTableSlots)
        count = FileTableSlots;
    fileCount() = count;
}

int FolderTableCount() {
    return detail::folderCount();
}

const std::string& FolderLine(int slot) {
    if (slot < 1 || slot > FolderTableSlots)
        return emptyText();
    return detail::folderTable()[slot - 1];
}

const std::string& FolderKey(int slot) {
    if (slot < 1 || slot > FolderTableSlots)
        return emptyText();
    const std::string& whole = detail::longFolderLines()[slot - 1];
    return whole.empty() ? detail::folderTable()[slot - 1] : whole;
}

std::vector<std::string>& UnreadableFolders() {
    static std::vector<std::string> folders;
    return folders;
}

platform::ListBox& FolderListLines() {
    TForm2* page = wizard::pages().form2;
    if (page == nullptr)
        throw std::logic_error("The progress window does not exist");
    return page->ListBox1;
}

}  // namespace snapshot
