// The fixed drive, its snapshot, and the check after each load and scan.
#include "snapshot_scan_harness.h"

#include <stdio.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "fake/machine.h"
#include "fuzz_machine.h"
#include "platform/app.h"
#include "platform/text_rules.h"
#include "snapshot/snapshot_scanner.h"
#include "snapshot/snapshot_store.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"

namespace fuzzing {

namespace {

namespace fs = std::filesystem;
using platform::fake::Machine;

struct Scan {
    std::unique_ptr<TForm2> page2;
    std::unique_ptr<TForm3> page3;
    std::set<std::string> knownFiles;    // upper-case paths, as listed
    std::set<std::string> knownFolders;  // upper-case paths ending in a backslash
    std::string untouched;               // the snapshot as an input
};

// Never destroyed: the pages must not outlive the stand-in's own state at exit.
Scan& scan() {
    static Scan* state = new Scan;
    return *state;
}

void file(const std::string& path) {
    Machine::writeFile(path, "x");
}

void buildOrdinary() {
    for (const char* path :
         {"C:\\AUTOEXEC.BAT", "C:\\CONFIG.SYS", "C:\\IO.SYS", "C:\\WINDOWS\\WIN.INI",
          "C:\\WINDOWS\\System.ini", "C:\\WINDOWS\\SYSTEM\\USER.EXE",
          "C:\\WINDOWS\\SYSTEM\\gdi.exe", "C:\\WINDOWS\\Temporary Internet Files\\PAGE.HTM",
          "C:\\Docs\\Letter.txt", "C:\\Docs\\Report.doc", "C:\\Docs\\Old\\Letter.txt",
          "C:\\GAMES\\SAVE\\Slot1.dat", "C:\\RECYCLED\\DC1.TXT", "C:\\NETSCAPE\\CACHE\\M1.DAT"}) {
        file(path);
    }
    Machine::makeFolder("C:\\EMPTY");
    file("C:\\Docs\\" + std::string(125, 'n') + ".txt");  // kept on its first 120 characters
    const std::string a(60, 'A'), b(60, 'B'), c(60, 'C'), d(60, 'D'), e(60, 'E');
    const std::string shortPath = "C:\\" + a + "\\" + b + "\\" + c;
    file(shortPath + "\\KEPT.TXT");
    file(shortPath + "\\" + d + "\\" + e + "\\ONE.TXT");  // a folder path of 309 characters
    file(shortPath + "\\" + d + "\\" + e + "\\TWO.TXT");
}

void buildSharedLongKeys() {
    file("C:\\IO.SYS");
    const std::string parent =
        "C:\\" + std::string(60, 'A') + "\\" + std::string(60, 'B') + "\\" + std::string(60, 'C');
    const std::string exact = parent + "\\" + std::string(254 - parent.size(), 'D');
    // A folder of exactly 255 characters with a subfolder, and two siblings
    // that differ from it only after character 255.
    file(exact + "\\FILE0.TXT");
    file(exact + "\\SUB\\INNER.TXT");
    file(exact + "ONE\\ONE.TXT");
    file(exact + "TWO\\TWO.TXT");
}

// Everything on drive C, as the review page would name it.
void collectKnown() {
    const fs::path root = Machine::hostPath("C:\\");
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        std::string path = "C:\\" + fs::relative(entry.path(), root).string();
        for (char& ch : path) {
            if (ch == '/')
                ch = '\\';
        }
        path = platform::upperCase(path);
        if (entry.is_directory())
            scan().knownFolders.insert(path + "\\");
        else
            scan().knownFiles.insert(path);
    }
}

// Lines as the program reads them: ended by CR, LF or CR LF.
std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find_first_of("\r\n", at);
        if (end == std::string::npos)
            end = text.size();
        lines.push_back(text.substr(at, end - at));
        at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// What a snapshot input says was on the drive, read two ways, each on its
// own: the folder pairs with the records they point to, and the file list
// alone (a record with a backslash opens a folder). A known file or folder
// that either view holds must not be offered for removal: a mutated name
// may make its file look new, but nothing the snapshot still holds may.
class SnapshotView {
public:
    explicit SnapshotView(const std::string& input) {
        const size_t split = input.find('\0');
        records_ = splitLines(input.substr(0, split));
        if (split != std::string::npos) {
            for (std::string& line : splitLines(input.substr(split + 1)))
                folderLines_.push_back(snapshot::ScrambleText(line));
        }
    }

    bool holdsFolder(const std::string& folder) const {
        for (size_t line = 0; line < folderLines_.size(); line += 2) {
            if (folderLines_[line] == folder)
                return true;
        }
        return opensFolder(folder) >= 0;
    }

    bool holdsFile(const std::string& folder, const std::string& name) const {
        const std::string record = name.substr(0, 120);
        for (size_t line = 0; line + 1 < folderLines_.size(); line += 2) {
            if (folderLines_[line] != folder)
                continue;
            const size_t last = line + 3 < folderLines_.size() ? number(folderLines_[line + 3])
                                                               : records_.size() + 1;
            for (size_t slot = number(folderLines_[line + 1]) + 1; slot < last; ++slot) {
                if (slot <= records_.size() && records_[slot - 1].substr(0, 120) == record)
                    return true;
            }
        }
        // The file list alone: the records after the folder's own, up to the next folder.
        const long opens = folder.size() == 2 ? -1 : opensFolder(folder);
        if (folder.size() != 2 && opens < 0)
            return false;
        for (long slot = opens + 1; slot < static_cast<long>(records_.size()); ++slot) {
            if (records_[slot].find('\\') != std::string::npos)
                break;
            if (records_[slot].substr(0, 120) == record)
                return true;
        }
        return false;
    }

private:
    static size_t number(const std::string& text) {
        size_t value = 0;
        for (char c : text.substr(0, 9)) {
            if (c < '0' || c > '9')
                return 0;
            value = value * 10 + static_cast<size_t>(c - '0');
        }
        return value;
    }

    // The index of some record that opens this folder; -1 when none does.
    long opensFolder(const std::string& folder) const {
        for (size_t slot = 0; slot < records_.size(); ++slot) {
            if (records_[slot].substr(0, 120) == folder.substr(0, 120))
                return static_cast<long>(slot);
        }
        return -1;
    }

    std::vector<std::string> records_;
    std::vector<std::string> folderLines_;  // unscrambled
};

void writeInput(const std::string& input) {
    const size_t split = input.find('\0');
    Machine::writeFile(snapshot::FileListFileName('C'), input.substr(0, split));
    Machine::writeFile(snapshot::FolderListFileName('C'),
                       split == std::string::npos ? std::string() : input.substr(split + 1));
}

std::string collapsed(std::string text) {
    // Runs of one letter, as in the long folder names, shortened for the report.
    std::string out;
    for (size_t at = 0; at < text.size();) {
        size_t end = at;
        while (end < text.size() && text[end] == text[at])
            ++end;
        out += end - at > 8 ? std::string(1, text[at]) + "*" : text.substr(at, end - at);
        at = end;
    }
    return out;
}

}  // namespace

void SetUpSnapshotScan(DriveShape shape) {
    fuzzing::StartMachine();
    Machine::addDrive('C');
    Machine::addDrive('K');  // the program's own drive, not scanned
    common::Paths& paths = common::app().paths;
    paths.programDir = "K:\\TRELMRK";
    paths.dataDir = "K:\\TRELMRK\\SNPDAT";
    paths.winDir = "C:\\WINDOWS";
    paths.bootRoot = "C:\\";
    Machine::makeFolder(paths.dataDir);
    scan().page2 = std::make_unique<TForm2>();
    scan().page3 = std::make_unique<TForm3>();
    wizard::pages().form2 = scan().page2.get();
    wizard::pages().form3 = scan().page3.get();

    if (shape == DriveShape::Ordinary)
        buildOrdinary();
    else
        buildSharedLongKeys();
    collectKnown();

    platform::dispatchEvent([] { scan().page2->SnapshotDrive('C'); });
    if (!Machine::messages().empty()) {
        fprintf(stderr, "snapshot scan: the snapshot walk said: %s\n",
                Machine::messages().front().text.c_str());
        exit(1);
    }
    scan().untouched = Machine::readFile(snapshot::FileListFileName('C')) + '\0' +
                       Machine::readFile(snapshot::FolderListFileName('C'));
    if (const char* seed = getenv("TRELLMARK_FUZZ_SEED")) {
        std::ofstream(seed, std::ios::binary) << scan().untouched;
        exit(0);
    }
}

void RunSnapshotScan(const uint8_t* data, size_t size) {
    const std::string input(reinterpret_cast<const char*>(data), size);
    TForm2& page2 = *scan().page2;
    TForm3& page3 = *scan().page3;
    writeInput(input);
    Machine::clearMessages();
    page3.Fileview.clear();
    page3.Folderview.clear();
    page2.Label2.setCaption("");

    platform::dispatchEvent([&page2] { page2.Compare('C'); });

    // The walk starts only after the snapshot was accepted.
    if (page2.Label2.caption() != "Scanning..C") {
        if (Machine::messages().empty())
            fuzzing::Fail("snapshot_scan", "a snapshot was refused without a word", "", input);
        else if (input == scan().untouched)
            fuzzing::Fail("snapshot_scan", "the untouched snapshot was refused", "", input);
        return;
    }
    const SnapshotView view(input);
    for (int i = 0; i < page3.Fileview.count(); ++i) {
        const std::string location = platform::upperCase(page3.Fileview.subItem(i, 1));
        const std::string name = platform::upperCase(page3.Fileview.caption(i));
        if (scan().knownFiles.count(location + name) == 0)
            continue;
        const std::string folder = location.substr(0, location.size() - 1);
        if (input == scan().untouched || view.holdsFile(folder, name))
            return fuzzing::Fail(
                "snapshot_scan",
                "a file the snapshot holds is listed: " + collapsed(location + name), "", input);
    }
    for (int i = 0; i < page3.Folderview.count(); ++i) {
        const std::string path = platform::upperCase(page3.Folderview.caption(i));
        if (scan().knownFolders.count(path) == 0)
            continue;
        if (input == scan().untouched || view.holdsFolder(path.substr(0, path.size() - 1)))
            return fuzzing::Fail("snapshot_scan",
                                 "a folder the snapshot holds is listed: " + collapsed(path), "",
                                 input);
    }
}

}  // namespace fuzzing
