// The change scanner's lookups in the snapshot tables, indexed once per load
// and once per folder instead of scanned once per folder and per file.
#include "restore/folder_index.h"

#include <algorithm>

#include "platform/files.h"
#include "platform/text_rules.h"
#include "snapshot/snapshot_store.h"

namespace restore {

namespace {

// Below this many records a plain scan beats building a set.
constexpr int ScanLimit = 16;

// A plain decimal number as written into the folder table; -1 otherwise.
int parseNumber(std::string_view text) {
    int32_t value = 0;
    return platform::parseDecimal(text, value) ? value : -1;
}

// Whether `path` ("X:\A\B") names, name for name, a folder the walk lists. The
// system also finds a folder by its short alias, or with blanks and dots
// after its name, none of which a key the walk wrote ever holds.
bool namesListedFolder(const std::string& path) {
    size_t start = path.find('\\');
    if (start == std::string::npos)
        return false;
    while (start < path.size()) {
        const size_t end = std::min(path.find('\\', start + 1), path.size());
        const std::string name = path.substr(start + 1, end - start - 1);
        platform::DirectoryListing listing(path.substr(0, start) + "\\*.*",
                                           platform::attr::AnyFile);
        platform::DirEntry entry;
        bool listed = false;
        while (!listed && listing.next(entry)) {
            listed = entry.isWalkableFolder() && platform::upperCase(entry.name) == name;
        }
        if (!listed)
            return false;
        start = end;
    }
    return true;
}

}  // namespace

void FolderIndex::build() {
    const int lines = snapshot::FolderTableCount();
    keyLine_.clear();
    keyLine_.reserve(static_cast<size_t>(lines / 2 + 1));
    repeatedKeys_.clear();
    longKeys_.clear();
    numbers_.assign(static_cast<size_t>(lines), -1);
    for (int line = 1; line <= lines; ++line) {
        const std::string& text = snapshot::FolderLine(line);
        numbers_[static_cast<size_t>(line - 1)] = parseNumber(text);
        // Keys are compared whole: two folders whose paths share the first
        // 255 characters that the table keeps are two folders.
        if (line % 2 == 1 && !keyLine_.emplace(snapshot::FolderKey(line), line).second)
            repeatedKeys_.insert(snapshot::FolderKey(line));
        const std::string_view key = snapshot::FolderKey(line);
        if (line % 2 == 1 && key.size() > snapshot::RecordLength)
            longKeys_.emplace(key.substr(0, snapshot::RecordLength), key);
    }
    const std::vector<std::string>& unreadable = snapshot::UnreadableFolders();
    unreadable_ = std::unordered_set<std::string>(unreadable.begin(), unreadable.end());

    first_ = 1;
    last_ = 0;
    hashed_ = false;
    std::unordered_set<std::string_view>().swap(records_);
}

bool FolderIndex::holdsFolder(std::string_view folder) const {
    return keyLine_.find(folder) != keyLine_.end();
}

bool FolderIndex::undecided(std::string_view folder) const {
    return repeatedKeys_.find(folder) != repeatedKeys_.end();
}

bool FolderIndex::mayBeDamagedKey(std::string_view folder) const {
    if (folder.size() <= static_cast<size_t>(snapshot::RecordLength))
        return false;
    const auto [first, last] = longKeys_.equal_range(folder.substr(0, snapshot::RecordLength));
    for (auto pair = first; pair != last; ++pair) {
        if (pair->second != folder && !namesListedFolder(std::string(pair->second)))
            return true;
    }
    return false;
}

bool FolderIndex::unreadable(std::string_view folder) const {
    if (unreadable_.empty())
        return false;
    // The folder itself or any folder above it.
    for (size_t end = folder.size(); end != std::string_view::npos && end > 2;
         end = folder.rfind('\\', end - 1)) {
        if (unreadable_.count(std::string(folder.substr(0, end))) != 0)
            return true;
    }
    return false;
}

int FolderIndex::recordNumber(int line) const {
    if (line < 1 || line > static_cast<int>(numbers_.size()))
        return -1;
    return numbers_[static_cast<size_t>(line - 1)];
}

bool FolderIndex::folderRange(std::string_view folder, int& first, int& last) const {
    first = 1;
    last = 0;
    const auto hit = keyLine_.find(folder);
    if (hit == keyLine_.end())
        return false;
    const int line = hit->second;
    const int own = recordNumber(line + 1);
    if (own < 0)
        return false;
    first = own + 1;
    // No following pair (a table that lost its end pair): the folder's
    // records run to the last one.
    const int next = recordNumber(line + 3);
    last = line + 3 <= static_cast<int>(numbers_.size()) && next >= 0 ? next - 1
                                                                      : snapshot::FileTableCount();
    last = std::min(last, snapshot::FileTableCount());
    return true;
}

void FolderIndex::selectRecords(int first, int last) {
    first_ = std::max(first, 1);
    last_ = std::min(last, snapshot::FileTableCount());
    // A fresh set each time: clearing one keeps its bucket array, and every
    // later clear would walk that array again.
    std::unordered_set<std::string_view> fresh;
    hashed_ = last_ - first_ + 1 > ScanLimit;
    if (!hashed_) {
        if (!records_.empty())
            records_.swap(fresh);
        return;
    }
    fresh.reserve(static_cast<size_t>(last_ - first_ + 1));
    for (int slot = first_; slot <= last_; ++slot) {
        fresh.emplace(snapshot::FileRecord(slot));
    }
    records_.swap(fresh);
}

bool FolderIndex::contains(std::string_view nameKey) const {
    if (hashed_)
        return records_.find(nameKey) != records_.end();
    for (int slot = first_; slot <= last_; ++slot) {
        if (snapshot::FileRecord(slot) == nameKey)
            return true;
    }
    return false;
}

}  // namespace restore
