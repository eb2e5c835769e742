// Replacing a drive's set of snapshot files by a new one without a moment at
// which the drive has a short or mixed set. Windows 95 cannot replace a file
// in one step, so the old set is moved aside, the new one moved in, and the
// old one deleted; the order of the moves lets the next load or save tell,
// after a power cut, which set to finish with.
//
// Order: the old files go aside FileListFile first; the new ones come in
// FileListFile last. So from the first move aside until the last move in,
// FileListFile is missing and the drive loads as no snapshot at all; and
// while any file is set aside, every pending file was written whole.
#include <array>
#include <stdexcept>
#include <string>

#include "platform/files.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/store_internal.h"

namespace snapshot::detail {

namespace {

// One file of the set: where it belongs, where the new one waits, where the
// old one waits.
struct Part {
    std::string place;
    std::string pending;
    std::string aside;
};

constexpr int PartCount = 4;
using Parts = std::array<Part, PartCount>;

// FileListFile, FolderListFile, the unreadable list, the sum.
Parts partsOf(char drive) {
    return {
        {{FileListFileName(drive), PendingFileListName(drive), SetAsideName(drive, 1)},
         {FolderListFileName(drive), PendingFolderListName(drive), SetAsideName(drive, 2)},
         {UnreadableListFileName(drive), PendingUnreadableListName(drive), SetAsideName(drive, 3)},
         {SumFileName(drive), PendingSumName(drive), SetAsideName(drive, 4)}}};
}

bool present(const std::string& path) {
    return platform::fileExists(path);
}

bool removed(const std::string& path) {
    return !present(path) || platform::deleteFile(path);
}

// Moves every pending file in whose part still lacks its new file: a file in
// its place then is the old one, not yet set aside.
bool moveNewSetIn(const Parts& parts) {
    for (int i = PartCount - 1; i >= 0; --i) {
        const Part& part = parts[static_cast<size_t>(i)];
        if (!present(part.pending))
            continue;
        if (!removed(part.place) || !platform::moveFile(part.pending, part.place))
            return false;
    }
    for (const Part& part : parts) {
        if (!removed(part.aside))
            return false;
    }
    return true;
}

// After a failed move: every new file goes back under its pending name and
// every old one back in its place, FileListFile last, and the pending files
// are dropped. A step that fails here too leaves a state that the next load
// finishes as the new set.
void putOldSetBack(const Parts& parts) {
    for (int i = PartCount - 1; i >= 0; --i) {
        const Part& part = parts[static_cast<size_t>(i)];
        if (!present(part.pending) && present(part.place) &&
            !platform::moveFile(part.place, part.pending)) {
            return;
        }
        if (present(part.aside) && !platform::moveFile(part.aside, part.place))
            return;
    }
    for (const Part& part : parts)
        removed(part.pending);
}

}  // namespace

bool SettleInterruptedSave(char drive) {
    const Parts parts = partsOf(drive);
    bool begun = false;
    for (const Part& part : parts)
        begun = begun || present(part.aside);
    if (begun)
        return moveNewSetIn(parts);
    for (const Part& part : parts) {
        if (!removed(part.pending))
            return false;
    }
    return true;
}

void ReplaceSnapshotFiles(char drive) {
    const Parts parts = partsOf(drive);
    for (const Part& part : parts) {
        if (present(part.place) && !platform::moveFile(part.place, part.aside)) {
            putOldSetBack(parts);
            throw std::runtime_error("Cannot create file " + part.place);
        }
    }
    for (int i = PartCount - 1; i >= 0; --i) {
        const Part& part = parts[static_cast<size_t>(i)];
        if (!platform::moveFile(part.pending, part.place)) {
            putOldSetBack(parts);
            throw std::runtime_error("Cannot create file " + part.place);
        }
    }
    // The new set is in place; an old file that stays is removed by the next
    // load or save.
    for (const Part& part : parts)
        removed(part.aside);
}

}  // namespace snapshot::detail

namespace snapshot {

void SettleInterruptedSaves() {
    for (const char drive : {'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'})
        detail::SettleInterruptedSave(drive);
}

}  // namespace snapshot
