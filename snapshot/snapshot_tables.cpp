// The two snapshot tables, the snapshot file names, ScrambleText and the
// upper-casing that every record and key goes through.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <unordered_map>
#include <vector>

#include "common/app_state.h"
#include "platform/listbox.h"
#include "platform/text_rules.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/store_internal.h"

namespace snapshot {

namespace {

// The file table's records lie packed one after another in large blocks
// that never move; a slot is where its record starts and how long it is.
// Slot i lives at index i - 1. Separate strings per slot took some 1.4 MB at
// the table's limit for their headers alone, more than the records.
struct Slot {
    const char* text = nullptr;
    uint8_t length = 0;  // records are at most 120 characters
};
static_assert(snapshot::RecordLength <= 255, "a record's length fits a byte");

class PackedRecords {
public:
    std::string_view record(int index) const {
        if (slots_.empty())
            return {};
        const Slot& slot = slots_[static_cast<size_t>(index)];
        return {slot.text, slot.length};
    }
    char* store(int index, size_t length) {
        if (slots_.empty())
            slots_.resize(snapshot::FileTableSlots);
        Slot& slot = slots_[static_cast<size_t>(index)];
        // A record no longer than the one it replaces takes its place.
        if (slot.text == nullptr || length > slot.length) {
            if (blocks_.empty() || BlockSize - used_ < length) {
                blocks_.push_back(std::make_unique<char[]>(BlockSize));
                used_ = 0;
            }
            slot.text = blocks_.back().get() + used_;
            used_ += length;
        }
        slot.length = static_cast<uint8_t>(length);
        return const_cast<char*>(slot.text);
    }
    void clear() {
        std::vector<Slot>().swap(slots_);
        blocks_.clear();
        used_ = 0;
    }

private:
    static constexpr size_t BlockSize = 64 * 1024;
    std::vector<Slot> slots_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    size_t used_ = 0;  // in the last block
};

PackedRecords& fileTable() {
    static PackedRecords table;
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
    return common::app().paths.dataDir + stem + drive + number;
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

std::unordered_map<int, std::string>& longFolderLines() {
    static std::unordered_map<int, std::string> lines;
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
std::string ScrambleText(const std::string& text) {
    std::string result(text);
    for (char& c : result)
        c = static_cast<char>(c ^ 8);
    return result;
}

int FileTableCount() {
    return fileCount();
}

std::string_view FileRecord(int slot) {
    if (slot < 1 || slot > FileTableSlots)
        return {};
    return fileTable().record(slot - 1);
}

void StoreFileRecord(int slot, const std::string& record) {
    if (slot < 1 || slot > FileTableSlots)
        return;
    const size_t length = std::min(record.size(), static_cast<size_t>(RecordLength));
    std::memcpy(fileTable().store(slot - 1, length), record.data(), length);
    if (slot > fileCount())
        fileCount() = slot;
}

void StoreUpperRecord(int slot, const std::string& name) {
    if (slot < 1 || slot > FileTableSlots)
        return;
    const size_t length = std::min(name.size(), static_cast<size_t>(RecordLength));
    char* text = fileTable().store(slot - 1, length);
    for (size_t i = 0; i < length; ++i)
        text[i] = platform::upperLetter(name[i]);
    if (slot > fileCount())
        fileCount() = slot;
}

void SetFileTableCount(int count) {
    if (count < 0)
        count = 0;
    if (count > FileTableSlots)
        count = FileTableSlots;
    if (count == 0)
        fileTable().clear();
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
    const auto& whole = detail::longFolderLines();
    const auto found = whole.find(slot - 1);
    return found == whole.end() ? detail::folderTable()[slot - 1] : found->second;
}

std::vector<std::string>& UnreadableFolders() {
    static std::vector<std::string> folders;
    return folders;
}

platform::ListBox& FolderListLines() {
    static platform::ListBox lines;
    return lines;
}

}  // namespace snapshot
