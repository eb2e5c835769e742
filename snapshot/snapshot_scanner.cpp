// SnapshotDrive: walks one drive depth first into SnapshotFileTable and
// FolderListLines, then hands the result to WriteSnapshot.
#include "snapshot/snapshot_scanner.h"

#include <cstdint>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/messages.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/listbox.h"
#include "platform/text_rules.h"
#include "snapshot/drive_statistics.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/walk_messages.h"

namespace snapshot {

namespace {

// The counters of one drive's walk.
struct Walk {
    WalkView& view;
    platform::ListBox& folderLines;
    int32_t recordCount = 0;
    int32_t pathcount = 0;
    uint64_t kilobytes = 0;  // summed wide; handed on saturated to 32 bits

    std::string root;        // "X:\"
    bool driveLost = false;  // a listing failed and the root no longer answers

    bool cancelled() const { return common::app().run.cancelRequested; }
    bool stopped() const { return driveLost || cancelled(); }

    int32_t nextRecord() {
        // Past the table's end records are only counted, so that WriteSnapshot
        // sees the limit was passed; the count itself must not overflow.
        if (recordCount < INT32_MAX)
            ++recordCount;
        return recordCount;
    }

    // A link is recorded like a file of its folder, under its own name: it
    // is never walked into, and it takes no space of its own.
    void recordFile(const platform::DirEntry& entry) {
        StoreUpperRecord(nextRecord(), entry.name);
        if (!entry.isLink())
            kilobytes += entry.size / 1024;
    }

    void recordFolder(const std::string& key) {
        StoreFileRecord(nextRecord(), key);
        // Beyond the table the snapshot will be refused anyway; the lines
        // would only take memory.
        if (recordCount <= FileTableSlots) {
            folderLines.add(ScrambleText(key));
            folderLines.add(ScrambleText(std::to_string(recordCount)));
        }
        ++pathcount;
    }

    void walkFolders(const std::string& folder);
};

bool listable(const std::string& folder) {
    platform::DirectoryListing listing(folder + "*.*", platform::attr::AnyFile);
    platform::DirEntry entry;
    listing.next(entry);
    return !listing.failed();
}

// One listing serves both the folder's files and its subfolders: the files
// are recorded in listing order, then each subfolder with everything below
// it, in the same order; the listing is released before going deeper.
void Walk::walkFolders(const std::string& folder) {
    std::vector<std::string> subfolders;
    {
        const int32_t recordsBefore = recordCount;
        const uint64_t kilobytesBefore = kilobytes;
        platform::DirectoryListing listing(folder + "*.*", platform::attr::AnyFile);
        platform::DirEntry entry;
        while (listing.next(entry)) {
            if (entry.attributes & platform::attr::VolumeLabel)
                continue;
            if (entry.isWalkableFolder()) {
                subfolders.push_back(entry.name);
            } else if (!entry.isFolder() || entry.isLink()) {
                recordFile(entry);
            }
        }
        if (listing.failed()) {
            // Not an empty folder: one whose contents are unknown. It keeps its
            // own record, and is remembered so that nothing at or below it is
            // ever offered for removal; unless the drive itself has stopped
            // answering, in which case nothing of this walk is kept.
            recordCount = recordsBefore;
            kilobytes = kilobytesBefore;
            if (folder == root || !listable(root)) {
                driveLost = true;
                return;
            }
            UnreadableFolders().push_back(platform::upperCase(folder.substr(0, folder.size() - 1)));
            return;
        }
    }
    for (const std::string& name : subfolders) {
        view.setProgress(view.progress() + 1);
        view.pump();
        if (stopped())
            return;
        const std::string key = platform::upperCase(folder + name);
        recordFolder(key);
        walkFolders(folder + name + "\\");
        if (stopped())
            return;
    }
}

int32_t saturated(uint64_t value) {
    return value > INT32_MAX ? INT32_MAX : static_cast<int32_t>(value);
}

}  // namespace

void SnapshotDrive(char drive, WalkView& view) {
    platform::ListBox& folderLines = FolderListLines();
    const std::string letter(1, drive);
    if (!platform::setCurrentDirectory(letter + ":")) {
        common::ShowCenteredMessage("  Cannot access drive  " + letter,
                                    platform::MessageKind::Error, platform::MessageButtons::Ok, 110,
                                    40);
        return;
    }
    view.setProgressRange(ReadPathcount(drive));

    Walk walk{view, folderLines, 0, 0, 0, letter + ":\\"};
    view.setProgress(0);
    SetFileTableCount(0);
    UnreadableFolders().clear();
    walk.folderLines.clear();
    walk.folderLines.add(ScrambleText(letter + ":"));
    walk.folderLines.add(ScrambleText("0"));
    view.showStatus("Scanning.." + letter);

    walk.walkFolders(walk.root);

    if (walk.cancelled())
        return;
    if (walk.driveLost) {
        // Half a drive saved would make the other half look new.
        UnreadableFolders().clear();
        ReportDriveLost(drive);
        return;
    }
    // Taken before the save empties the list.
    const std::vector<std::string> unreadable = UnreadableFolders();
    if (WriteSnapshot(drive, walk.recordCount, walk.pathcount, saturated(walk.kilobytes)))
        ReportUnreadableFolders(drive, unreadable);
    UnreadableFolders().clear();
}

}  // namespace snapshot
