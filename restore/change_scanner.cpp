// The change scanner: walks one drive against its loaded snapshot and lists
// every file and folder the snapshot does not hold on the review page.
#include <string>
#include <vector>

#include "common/app_state.h"
#include "common/messages.h"
#include "platform/app.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/text_rules.h"
#include "restore/system_files.h"
#include "snapshot/drive_statistics.h"
#include "snapshot/snapshot_store.h"
#include "snapshot/walk_messages.h"
#include "wizard/page1.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"

namespace {

void repaintPage1() {
    if (TForm1* page1 = wizard::pages().form1)
        page1->repaint();
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Files that are never offered for removal, whatever the snapshot says.
bool excluded(const restore::ScanState& scan, const std::string& name) {
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

void startDrive(restore::ScanState& scan, char drive) {
    const common::Paths& paths = common::app().paths;
    scan.currentDrive = drive;
    scan.currentFolder = std::string(1, drive) + ":";
    scan.lastLookedUpFolder.clear();
    scan.rangeFirst = 1;
    scan.rangeLast = 0;
    scan.rangeUndecided = false;
    scan.found = false;
    scan.dataFolder = platform::upperCase(paths.dataDir);
    scan.recycleFolder = platform::upperCase(std::string(1, drive) + ":\\recycled");
    scan.ieCache = platform::upperCase(paths.winDir + "\\Temporary Internet Files");
    const std::vector<std::string> protectedFiles = restore::ProtectedFiles();
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
bool passOver(restore::ScanState& scan, const std::string& folder,
              const platform::DirEntry& entry) {
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
void reportWalk(const restore::ScanState& scan) {
    if (scan.driveLost) {
        snapshot::ReportDriveLost(scan.currentDrive);
        return;
    }
    snapshot::ReportUnreadableFolders(scan.currentDrive, scan.unreadable);
    snapshot::ReportPassedOver(scan.currentDrive, scan.passedOver, scan.firstPassedOver);
}

}  // namespace

void TForm2::Compare(char drive) {
    const std::string letter(1, drive);
    scan.currentDrive = drive;
    if (!platform::setCurrentDirectory(letter + ":")) {
        common::ShowCenteredMessage("  Cannot access drive  " + letter,
                                    platform::MessageKind::Error, platform::MessageButtons::Ok, 110,
                                    40);
        return;
    }
    repaintPage1();
    startDrive(scan, drive);

    if (platform::fileExists(snapshot::FileListFileName(drive)))
        ProgressBar1.setPosition(0);
    if (!snapshot::LoadSnapshot(drive))
        return;
    scan.index.build();
    ProgressBar1.setMaximum(snapshot::ReadPathcount(drive));

    Label2.setCaption("Scanning.." + letter);
    Label2.repaint();
    searchAllDirs(letter + ":\\", "*.*");
    restore::CheckAllEntries();
    if (!common::app().run.cancelRequested)
        reportWalk(scan);
}

void TForm2::searchAllDirs(const std::string& folder, const std::string& mask) {
    // One listing serves both the files (handed to Process first, as SearchDir
    // does) and the subfolders, which are walked after the listing is closed.
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
                if (!passOver(scan, folder, entry))
                    subfolders.push_back(entry.name);
            } else if (!entry.isFolder() && (entry.attributes & platform::attr::VolumeLabel) == 0) {
                if (!passOver(scan, folder, entry))
                    Process(folder, entry);
            }
        }
        if (listing.failed()) {
            // A drive gone stops the walk; a folder that cannot be read is
            // told of once the drive is done.
            if (folder.size() <= 3 || !rootAnswers(scan.currentDrive)) {
                scan.driveLost = true;
                return;
            }
            scan.unreadable.push_back(platform::upperCase(folder.substr(0, folder.size() - 1)));
            return;
        }
    }

    for (const std::string& name : subfolders) {
        if (scan.driveLost)
            return;
        ProgressBar1.setPosition(ProgressBar1.position() + 1);
        platform::processMessages();
        if (common::app().run.cancelRequested)
            return;

        scan.found = false;
        scan.currentFolder = platform::upperCase(folder + name);
        repaintPage1();
        // What the snapshot held in a folder it could not read is unknown:
        // nothing there is judged, or known files would look new.
        if (scan.index.unreadable(scan.currentFolder))
            continue;
        scan.found = scan.index.holdsFolder(scan.currentFolder);
        if (!scan.found && scan.index.mayBeDamagedKey(scan.currentFolder))
            continue;
        if (!scan.found)
            restore::AddNewFolder(scan.currentFolder);

        searchAllDirs(folder + name + "\\", mask);
        if (common::app().run.cancelRequested || scan.driveLost)
            return;
    }
}

void TForm2::SearchDir(const std::string& folder, const std::string& mask) {
    platform::DirectoryListing listing(folder + mask, platform::attr::FilesOnly);
    platform::DirEntry entry;
    while (listing.next(entry)) {
        if (entry.isLink() || entry.isFolder())
            continue;
        if ((entry.attributes & platform::attr::VolumeLabel) != 0)
            continue;
        if (!passOver(scan, folder, entry))
            Process(folder, entry);
    }
}

void TForm2::Process(const std::string& /*folder*/, const platform::DirEntry& found) {
    scan.found = false;
    // Built in place: a walk makes one per entry, and copies would cost more
    // than the lookup.
    std::string& nameKey = scan.nameKey;
    nameKey.assign(found.name, 0, snapshot::RecordLength);
    platform::upperCaseInPlace(nameKey);
    if (scan.currentFolder != scan.lastLookedUpFolder) {
        scan.index.folderRange(scan.currentFolder, scan.rangeFirst, scan.rangeLast);
        scan.rangeUndecided = scan.index.undecided(scan.currentFolder);
        scan.index.selectRecords(scan.rangeFirst, scan.rangeLast);
        scan.lastLookedUpFolder = scan.currentFolder;
    }
    scan.found = scan.index.contains(nameKey);
    if (!scan.found && !scan.rangeUndecided && !excluded(scan, found.name)) {
        restore::AddNewFile(scan.currentFolder, found);
    }
}
