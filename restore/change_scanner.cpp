// The change scanner: walks one drive against its loaded snapshot and lists
// every file and folder the snapshot does not hold on the review.
#include "restore/change_scanner.h"

#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/messages.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/text_rules.h"
#include "restore/scan_state.h"
#include "restore/system_files.h"
#include "snapshot/drive_statistics.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/walk_messages.h"

namespace restore {

namespace {

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Files that are never offered for removal, whatever the snapshot says.
bool excluded(const ScanState& scan, const std::string& name) {
    const std::string& folder = scan.currentFolder;
    if (folder == scan.dataFolder || folder == scan.recycleFolder)
        return true;
    const std::string upper = platform::upperCase(name);
    if (upper == "WIN386.SWP" || upper == "TRELMRK.INI" || upper == "TRELMRK.GID")
        return true;
    // Deleting one of these would leave Windows without its registry or undo
    // a restore that waits for the next boot.
    if (!scan.protectedFiles.empty() && scan.protectedFiles.count(folder + "\\" + upper) != 0)
        return true;
    const common::Settings& settings = common::app().settings;
    if (settings.skipIECache && contains(folder, scan.ieCache))
        return true;
    return settings.skipNetscapeCache && contains(folder, "NETSCAPE") && contains(folder, "CACHE");
}

void startDrive(ScanState& scan, char drive) {
    const common::Paths& paths = common::app().paths;
    scan.currentFolder = std::string(1, drive) + ":";
    scan.lastLookedUpFolder.clear();
    scan.rangeFirst = 1;
    scan.rangeLast = 0;
    scan.rangeUndecided = false;
    scan.found = false;
    scan.dataFolder = platform::upperCase(paths.dataDir);
    scan.recycleFolder = platform::upperCase(std::string(1, drive) + ":\\recycled");
    scan.ieCache = platform::upperCase(paths.winDir + "\\Temporary Internet Files");
    const std::vector<std::string> protectedFiles = ProtectedFiles();
    scan.protectedFiles.clear();
    scan.protectedFiles.insert(protectedFiles.begin(), protectedFiles.end());
    scan.passedOver = 0;
    scan.firstPassedOver.clear();
    scan.unreadable.clear();
    scan.driveLost = false;
}

// An entry whose path would reach some other entry (a name ending in a dot or
// a blank, which the system drops): removing it would remove that other one,
// perhaps a known file. It is counted and otherwise left alone.
bool passOver(ScanState& scan, const std::string& folder, const platform::DirEntry& entry) {
    if (platform::namesItself(folder, entry))
        return false;
    if (scan.passedOver++ == 0)
        scan.firstPassedOver = folder + entry.name;
    return true;
}

bool rootAnswers(char drive) {
    platform::DirectoryListing listing(std::string(1, drive) + ":\\*.*", platform::attr::AnyFile);
    platform::DirEntry entry;
    listing.next(entry);
    return !listing.failed();
}

// What the walk could not see, once per drive, as the snapshot walk tells it.
void reportWalk(const ScanState& scan, char drive) {
    if (scan.driveLost) {
        snapshot::ReportDriveLost(drive);
        return;
    }
    snapshot::ReportUnreadableFolders(drive, scan.unreadable);
    snapshot::ReportPassedOver(drive, scan.passedOver, scan.firstPassedOver);
}

// One drive's walk: the state it keeps, and where it shows and lists.
class DriveComparison {
public:
    DriveComparison(char drive, snapshot::WalkView& view, ReviewSink& review)
        : drive_(drive), view_(view), review_(review) {}
    void run();

private:
    void searchAllDirs(const std::string& folder, const std::string& mask);
    void Process(const platform::DirEntry& found);

    const char drive_;
    snapshot::WalkView& view_;
    ReviewSink& review_;
    ScanState scan_;
};

void DriveComparison::run() {
    const char drive = drive_;
    const std::string letter(1, drive);
    if (!platform::setCurrentDirectory(letter + ":")) {
        common::ShowCenteredMessage("  Cannot access drive  " + letter,
                                    platform::MessageKind::Error, platform::MessageButtons::Ok, 110,
                                    40);
        return;
    }
    startDrive(scan_, drive);

    if (platform::fileExists(snapshot::FileListFileName(drive)))
        view_.setProgress(0);
    if (!snapshot::LoadSnapshot(drive))
        return;
    scan_.index.build();
    view_.setProgressRange(snapshot::ReadPathcount(drive));

    view_.showStatus("Scanning.." + letter);
    searchAllDirs(letter + ":\\", "*.*");
    review_.tickAll();
    if (!common::app().run.cancelRequested)
        reportWalk(scan_, drive);
}

void DriveComparison::searchAllDirs(const std::string& folder, const std::string& mask) {
    // One listing serves both the files of the folder (handed to Process
    // first, in listing order) and its subfolders, which are walked after the
    // listing is closed.
    std::vector<std::string> subfolders;
    {
        platform::DirectoryListing listing(folder + mask, platform::attr::AnyFile);
        platform::DirEntry entry;
        while (listing.next(entry)) {
            // A link is neither walked nor listed: removing it could reach
            // what it points to.
            if (entry.isLink())
                continue;
            if (entry.isWalkableFolder()) {
                if (!passOver(scan_, folder, entry))
                    subfolders.push_back(entry.name);
            } else if (!entry.isFolder() && (entry.attributes & platform::attr::VolumeLabel) == 0) {
                if (!passOver(scan_, folder, entry))
                    Process(entry);
            }
        }
        if (listing.failed()) {
            // A drive gone stops the walk; a folder that cannot be read is
            // told of once the drive is done.
            if (folder.size() <= 3 || !rootAnswers(drive_)) {
                scan_.driveLost = true;
                return;
            }
            scan_.unreadable.push_back(platform::upperCase(folder.substr(0, folder.size() - 1)));
            return;
        }
    }

    for (const std::string& name : subfolders) {
        if (scan_.driveLost)
            return;
        view_.setProgress(view_.progress() + 1);
        view_.pump();
        if (common::app().run.cancelRequested)
            return;

        scan_.found = false;
        scan_.currentFolder = platform::upperCase(folder + name);
        // What the snapshot held in a folder it could not read is unknown:
        // nothing there is judged, or known files would look new.
        if (scan_.index.unreadable(scan_.currentFolder))
            continue;
        scan_.found = scan_.index.holdsFolder(scan_.currentFolder);
        if (!scan_.found && scan_.index.mayBeDamagedKey(scan_.currentFolder))
            continue;
        if (!scan_.found)
            review_.addFolder(scan_.currentFolder);

        searchAllDirs(folder + name + "\\", mask);
        if (common::app().run.cancelRequested || scan_.driveLost)
            return;
    }
}

void DriveComparison::Process(const platform::DirEntry& found) {
    scan_.found = false;
    // Built in place: a walk makes one per entry, and copies would cost more
    // than the lookup.
    std::string& nameKey = scan_.nameKey;
    nameKey.assign(found.name, 0, snapshot::RecordLength);
    platform::upperCaseInPlace(nameKey);
    if (scan_.currentFolder != scan_.lastLookedUpFolder) {
        scan_.index.folderRange(scan_.currentFolder, scan_.rangeFirst, scan_.rangeLast);
        scan_.rangeUndecided = scan_.index.undecided(scan_.currentFolder);
        scan_.index.selectRecords(scan_.rangeFirst, scan_.rangeLast);
        scan_.lastLookedUpFolder = scan_.currentFolder;
    }
    scan_.found = scan_.index.contains(nameKey);
    if (!scan_.found && !scan_.rangeUndecided && !excluded(scan_, found.name)) {
        review_.addFile(scan_.currentFolder, found);
    }
}

}  // namespace

void CompareDrive(char drive, snapshot::WalkView& view, ReviewSink& review) {
    DriveComparison(drive, view, review).run();
}

}  // namespace restore
