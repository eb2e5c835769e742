// The whole program under Wine, driven as a user would: a first snapshot of
// drives C: and D:, software "installed" afterwards, a restore that lists and
// removes exactly what is new and puts the system files back, the same on a
// machine that reports Windows 98, names that Windows would resolve to other
// entries, and Escape during a restore walk.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "harness/machine.h"

namespace {

namespace fs = std::filesystem;

constexpr char kTitle[] = "Trellmark v1.1";
constexpr char kProgramDir[] = "C:\\Program Files\\Trellmark";
constexpr char kConfig[] = "C:\\Program Files\\Trellmark\\TRELMRK.INI";

std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// Every file (with its bytes) and folder (ending in "/") below a host folder.
std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).generic_string();
        if (entry.is_directory()) {
            tree[name + "/"] = "";
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            tree[name] = bytes.str();
        }
    }
    return tree;
}

class WizardRuns : public testing::Test {
protected:
    void SetUp() override {
        machine.prefix.installPrograms();
        driveD = machine.prefix.mapDrive('D');
        machine.prefix.writeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\WINDOWS\r\n");
        machine.prefix.writeFile("C:\\CONFIG.SYS", "FILES=40\r\n");
        machine.prefix.writeFile("C:\\WINDOWS\\SYSTEM.DAT", std::string(3000, 's'));
        machine.prefix.writeFile("C:\\WINDOWS\\USER.DAT", std::string(2000, 'u'));
    }

    // The driver starts on first use, once the machine is set up.
    e2e::Driver& Ui() { return machine.driver(); }

    // Waits for the showing wizard page on which `has` finds a control.
    e2e::Window WaitPage(const std::function<bool(const e2e::Control&)>& has,
                         const std::string& what, int timeoutMs = 120000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            try {
                for (e2e::Window page : Ui().findWindows(kTitle)) {
                    for (const e2e::Control& control : Ui().children(page)) {
                        if (control.visible && has(control))
                            return page;
                    }
                }
            } catch (const e2e::DriverError&) {
                // A window that is just closing may not answer; look again.
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        } while (std::chrono::steady_clock::now() < deadline);
        throw e2e::DriverError("no wizard page shows " + what);
    }
    e2e::Window WaitPage(const std::string& caption, int timeoutMs = 120000) {
        return WaitPage([&](const e2e::Control& c) { return c.text == caption; },
                        "\"" + caption + "\"", timeoutMs);
    }
    e2e::Window WaitReviewPage() {
        return WaitPage([](const e2e::Control& c) { return c.className == "SysListView32"; },
                        "a list");
    }
    e2e::Window VisibleList(e2e::Window page) {
        for (const e2e::Control& control : Ui().children(page)) {
            if (control.visible && control.className == "SysListView32")
                return control.handle;
        }
        throw e2e::DriverError("no list shows");
    }
    std::string TextStarting(e2e::Window page, const std::string& start) {
        for (const e2e::Control& control : Ui().children(page)) {
            if (control.visible && control.text.compare(0, start.size(), start) == 0)
                return control.text;
        }
        return "";
    }
    e2e::Window ControlWithText(e2e::Window page, const std::string& text) {
        for (const e2e::Control& control : Ui().children(page)) {
            if (control.text == text)
                return control.handle;
        }
        throw e2e::DriverError("no control \"" + text + "\"");
    }

    // Page 1 to page 4 through a snapshot run; the choice is skipped on a
    // first run.
    void SnapshotRun(bool firstRun, const std::string& shotPrefix) {
        const e2e::Window page1 = WaitPage("&Settings...");
        if (!firstRun)
            Ui().setChecked(Ui().child(page1, "Take snapshot of current state"), true);
        Ui().press(page1, "&Next >");
        const e2e::Window page2 = WaitPage("&Start >");
        if (!shotPrefix.empty())
            machine.screenshot(shotPrefix + "page2-snapshot");
        Ui().press(page2, "&Start >");
        WaitPage("Taking snapshot  finished", 300000);
        if (!shotPrefix.empty())
            machine.screenshot(shotPrefix + "page4-snapshot");
    }

    // What the focus visits on Tab: a button's caption, another control's class.
    std::vector<std::string> TabWalk(e2e::Window page, int strokes) {
        std::vector<std::string> seen;
        for (int i = 0; i < strokes; ++i) {
            const e2e::Window before = Ui().focus(page).handle;
            Ui().keys(page, {"tab"});
            for (int wait = 0; wait < 30 && Ui().focus(page).handle == before; ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const e2e::Control now = Ui().focus(page);
            seen.push_back(now.className == "Button" ? now.text : now.className);
        }
        return seen;
    }

    // Snapshot, install, restore, Finish; `restartNow` takes the restart.
    void SnapshotThenRestore(bool restartNow);

    e2e::Machine machine;
    std::string driveD;
};

TEST_F(WizardRuns, SnapshotThenRestoreRemovesExactlyWhatIsNewAndTicked) {
    SnapshotThenRestore(false);
}

// Windows 98 takes the program's own ways: no shutdown privilege to ask for,
// a current folder per drive, the long form of its folder built by hand.
TEST_F(WizardRuns, OnWindows98TheSameRunRemovesTheSameAndRestarts) {
    machine.prefix.setWindowsVersion("win98");
    EXPECT_EQ(Ui().windowsVersion(), (std::vector<int>{1, 4, 10}));
    SnapshotThenRestore(true);
}

void WizardRuns::SnapshotThenRestore(bool restartNow) {
    for (int folder = 0; folder < 20; ++folder) {
        for (int file = 0; file < 15; ++file) {
            machine.prefix.writeFile(
                "D:\\DATA\\F" + std::to_string(folder) + "\\file" + std::to_string(file) + ".txt",
                "contents " + std::to_string(folder * 100 + file));
        }
    }
    const std::string winIni = machine.prefix.readFile("C:\\WINDOWS\\WIN.INI");

    // 1. The first run takes the snapshot.
    int pid = machine.startProgram();
    WaitPage("Welcome to the Trellmark");
    machine.screenshot("page1-welcome");
    SnapshotRun(true, "first-run-");
    const e2e::Window page4 = WaitPage("Taking snapshot  finished");
    Ui().press(page4, "&Details...");
    e2e::MessageBox reports = Ui().waitMessageBox(15000, "Information");
    EXPECT_NE(reports.text.find("D:"), std::string::npos) << reports.text;
    machine.screenshot("details");
    Ui().answer(reports, "OK");
    Ui().waitGone(reports.handle);
    Ui().press(page4, "&About...");
    const e2e::Window about = Ui().waitWindow("About");
    EXPECT_NO_THROW(Ui().child(about, "Trellmark v1.1"));
    machine.screenshot("about");
    Ui().press(about, "&Continue");
    Ui().waitGone(about);
    Ui().press(page4, "Finish");
    EXPECT_EQ(Ui().waitExit(pid), 0);

    const std::string data = std::string(kProgramDir) + "\\SNPDAT\\";
    for (const char* file :
         {"SNPDAT.C01", "SNPDAT.C02", "SNPDAT.D01", "SNPDAT.D02", "WIN.INI", "SYSTEM.INI",
          "SYSTEM.DAT", "USER.DAT", "AUTOEXEC.BAT", "CONFIG.SYS"}) {
        EXPECT_TRUE(machine.prefix.exists(data + file)) << file;
    }
    const std::string config = machine.prefix.readFile(kConfig);
    for (const char* part : {"[Statistics - C]", "[Statistics - D]",
                             "DateD=", "Date1=", "[Checksums]", "drivec=1\r\ndrived=1\r\n"}) {
        EXPECT_NE(config.find(part), std::string::npos) << part << "\n" << config;
    }

    // 2. Software is installed.
    const std::map<std::string, std::string> before = Tree(driveD);
    machine.prefix.writeFile("D:\\NewApp\\app.exe", "MZ program");
    machine.prefix.writeFile("D:\\NewApp\\keep.txt", "the user keeps this");
    machine.prefix.writeFile("D:\\NewApp\\Docs\\readme.txt", "read me");
    machine.prefix.writeFile("D:\\DATA\\F3\\new.log", "log");
    machine.prefix.writeFile("C:\\NewTool\\tool.dll", "library");
    machine.prefix.writeFile("C:\\NewTool\\Sub\\x.dat", "data");
    machine.prefix.writeFile("C:\\WINDOWS\\WIN.INI", winIni + "[NewApp]\r\nx=1\r\n");

    // 3. The restore lists what is new; one file is kept.
    pid = machine.startProgram();
    const e2e::Window page1 = WaitPage("&Restore to previous state");
    machine.screenshot("page1-choice");
    Ui().setChecked(Ui().child(page1, "Restore to previous state"), true);
    Ui().press(page1, "&Next >");
    const e2e::Window page2 = WaitPage("&Start >");
    machine.screenshot("page2-restore");
    Ui().press(page2, "&Start >");
    const e2e::Window page3 = WaitReviewPage();
    // The pointer starts at the screen's centre, over the list, whose hot
    // tracking would take the focus; it goes to a corner.
    Ui().movePointer(0, 0);

    const e2e::Window files = VisibleList(page3);
    std::set<std::string> listed;
    int keep = -1;
    const std::vector<e2e::ListItem> fileItems = Ui().items(files);
    for (size_t i = 0; i < fileItems.size(); ++i) {
        const e2e::ListItem& item = fileItems[i];
        ASSERT_GE(item.columns.size(), 2u);
        EXPECT_TRUE(item.checked) << item.columns[0];
        listed.insert(Upper(item.columns[1] + item.columns[0]));
        if (Upper(item.columns[0]) == "KEEP.TXT")
            keep = static_cast<int>(i);
    }
    EXPECT_EQ(listed,
              (std::set<std::string>{"C:\\NEWTOOL\\TOOL.DLL", "C:\\NEWTOOL\\SUB\\X.DAT",
                                     "D:\\NEWAPP\\APP.EXE", "D:\\NEWAPP\\KEEP.TXT",
                                     "D:\\NEWAPP\\DOCS\\README.TXT", "D:\\DATA\\F3\\NEW.LOG"}));
    ASSERT_GE(keep, 0);
    // Unticked with the mouse; another item's box ticked and unticked with
    // Space (the check boxes the program draws, on any common controls).
    Ui().clickItem(files, keep, true);
    const int other = keep == 0 ? 1 : 0;
    Ui().clickItem(files, other, false);
    Ui().keys(page3, {"space"});
    EXPECT_FALSE(Ui().items(files)[other].checked);
    Ui().keys(page3, {"space"});
    EXPECT_TRUE(Ui().items(files)[other].checked);
    EXPECT_FALSE(Ui().items(files)[keep].checked);
    machine.screenshot("page3-files");
    // Tab goes round Back, Next, Cancel, the list and Help; the hidden
    // folder page and the read-only text are passed over.
    std::vector<std::string> walk = TabWalk(page3, 5);
    for (std::string& seen : walk) {
        if (Upper(seen).find("EDIT") != std::string::npos)
            seen = "text";
    }
    const auto next = std::find(walk.begin(), walk.end(), "&Next >");
    ASSERT_NE(next, walk.end()) << testing::PrintToString(walk);
    std::rotate(walk.begin(), next, walk.end());
    EXPECT_EQ(walk,
              (std::vector<std::string>{"&Next >", "Cancel", "SysListView32", "Help", "< &Back"}));

    Ui().press(page3, "&Next >");
    const e2e::Window folders = WaitPage(
        [&](const e2e::Control& c) { return c.className == "SysListView32" && c.handle != files; },
        "the folder list");
    std::set<std::string> folderNames;
    for (const e2e::ListItem& item : Ui().items(VisibleList(folders))) {
        EXPECT_TRUE(item.checked) << item.columns[0];
        folderNames.insert(Upper(item.columns[0]));
    }
    EXPECT_EQ(folderNames, (std::set<std::string>{"C:\\NEWTOOL\\", "C:\\NEWTOOL\\SUB\\",
                                                  "D:\\NEWAPP\\", "D:\\NEWAPP\\DOCS\\"}));
    machine.screenshot("page3-folders");

    Ui().press(page3, "&Next >");
    const e2e::Window finish = WaitPage("Scanning finished");
    const std::string summary = TextStarting(finish, "There are");
    EXPECT_EQ(summary.substr(0, summary.find('\r')),
              "There are 5 file(s) and 4 folder(s) selected for removing.");
    if (!restartNow)
        Ui().setChecked(Ui().child(finish, "No, I will restart my computer later."), true);
    machine.screenshot("page4-restore");
    Ui().press(finish, "Finish");
    e2e::MessageBox done = Ui().waitMessageBox(60000);
    EXPECT_NE(done.text.find(restartNow ? "Deleting files finished."
                                        : "Deleting files and folders finished."),
              std::string::npos)
        << done.text;
    machine.screenshot("finished");
    Ui().answer(done, "OK");
    if (restartNow) {
        // The restart ends the program along with the machine's others.
        Ui().waitExit(pid, 30000);
        EXPECT_TRUE(Ui().findWindows(kTitle).empty());
    } else {
        EXPECT_EQ(Ui().waitExit(pid), 0);
    }

    // What was ticked is gone, the kept file and its folder stay, nothing else
    // on D: changed, and the system files are back or staged.
    std::map<std::string, std::string> expected = before;
    expected["NewApp/"] = "";
    expected["NewApp/keep.txt"] = "the user keeps this";
    EXPECT_EQ(Tree(driveD), expected);
    EXPECT_FALSE(machine.prefix.exists("C:\\NewTool"));
    EXPECT_EQ(machine.prefix.readFile("C:\\WINDOWS\\WIN.INI"), winIni);
    EXPECT_EQ(machine.prefix.readFile("C:\\WINDOWS\\SYSTEM.QX1"), std::string(3000, 's'));
    EXPECT_EQ(machine.prefix.readFile("C:\\WINDOWS\\USER.QX1"), std::string(2000, 'u'));
    EXPECT_EQ(machine.prefix.readFile("C:\\WINDOWS\\AUTOEXEC.QX1"),
              "@ECHO OFF\r\nPATH C:\\WINDOWS\r\n");
    const std::string script = machine.prefix.readFile("C:\\AUTOEXEC.BAT");
    EXPECT_EQ(script.compare(0, 28, "@ECHO OFF\r\nPATH C:\\WINDOWS\r\n"), 0) << script;
    EXPECT_NE(script.find("SYSTEM.QX1"), std::string::npos) << script;
}

// Names another system made: Wine on Linux keeps a trailing dot or blank that
// Windows would drop, so each path below reaches the known entry it shadows.
TEST_F(WizardRuns, NamesEndingInADotOrABlankNeverTakeTheKnownEntries) {
    machine.prefix.writeFile(kConfig, "[Settings]\r\ndrivec=0\r\ndrived=1\r\nRecycle=0\r\n");
    for (const char* known : {"D:\\TRAIL", "D:\\BLANK.TXT", "D:\\INNER\\K.TXT"})
        machine.prefix.writeFile(known, "known");
    const int pid = machine.startProgram();
    SnapshotRun(false, "");
    Ui().press(WaitPage("Taking snapshot  finished"), "< &Back");
    Ui().press(WaitPage("&Start >"), "< &Back");

    for (const char* name : {"TRAIL.", "BLANK.TXT "})
        std::ofstream(driveD + "/" + name) << "new";
    fs::create_directory(driveD + "/INNER.");
    std::ofstream(driveD + "/INNER./N.TXT") << "new";
    machine.prefix.writeFile("D:\\NEW.TXT", "new");

    const e2e::Window page1 = WaitPage("&Settings...");
    Ui().setChecked(Ui().child(page1, "Restore to previous state"), true);
    Ui().press(page1, "&Next >");
    Ui().press(WaitPage("&Start >"), "&Start >");
    e2e::MessageBox passed = Ui().waitMessageBox(60000, "Information");
    EXPECT_EQ(passed.text.substr(0, passed.text.find(';')),
              "3 entries on drive D were passed over, since their names do not lead back to "
              "them")
        << passed.text;
    Ui().answer(passed, "OK");
    const e2e::Window page3 = WaitReviewPage();
    Ui().movePointer(0, 0);
    // The list may still be settling into its page: read it again if so.
    std::vector<e2e::ListItem> items;
    for (int attempt = 0;; ++attempt) {
        try {
            items = Ui().items(VisibleList(page3));
            break;
        } catch (const e2e::DriverError&) {
            if (attempt == 20)
                throw;
            std::this_thread::sleep_for(std::chrono::milliseconds(250));
        }
    }
    std::vector<std::string> listed;
    for (const e2e::ListItem& item : items)
        listed.push_back(item.columns.at(1) + item.columns.at(0));
    EXPECT_EQ(listed, std::vector<std::string>{"D:\\NEW.TXT"});
    Ui().press(page3, "&Next >");
    Ui().press(page3, "&Next >");
    const e2e::Window finish = WaitPage("Scanning finished");
    Ui().setChecked(Ui().child(finish, "No, I will restart my computer later."), true);
    Ui().press(finish, "Finish");
    e2e::MessageBox done = Ui().waitMessageBox(60000);
    EXPECT_NE(done.text.find("Deleting files and folders finished."), std::string::npos)
        << done.text;
    Ui().answer(done, "OK");
    EXPECT_EQ(Ui().waitExit(pid), 0);

    EXPECT_FALSE(fs::exists(driveD + "/NEW.TXT"));
    for (const char* known : {"/TRAIL", "/BLANK.TXT", "/INNER/K.TXT"}) {
        std::ifstream in(driveD + known);
        std::string bytes;
        std::getline(in, bytes);
        EXPECT_EQ(bytes, "known") << known;
    }
    for (const char* left : {"/TRAIL.", "/BLANK.TXT ", "/INNER./N.TXT"})
        EXPECT_TRUE(fs::exists(driveD + left)) << left;
}

TEST_F(WizardRuns, EscapeDuringARestoreWalkStopsItOnPage2) {
    for (int folder = 0; folder < 3000; ++folder) {
        fs::create_directories(driveD + "/TREE/B" + std::to_string(folder / 100) + "/F" +
                               std::to_string(folder));
    }
    machine.prefix.writeFile(kConfig, "[Settings]\r\ndrivec=0\r\ndrived=1\r\n");
    const int pid = machine.startProgram();
    SnapshotRun(false, "");
    const e2e::Window page4 = WaitPage("Taking snapshot  finished");
    Ui().press(page4, "< &Back");
    Ui().press(WaitPage("&Start >"), "< &Back");

    machine.prefix.writeFile("D:\\NEW.TXT", "new");
    const e2e::Window page1 = WaitPage("&Settings...");
    Ui().setChecked(Ui().child(page1, "Restore to previous state"), true);
    Ui().press(page1, "&Next >");
    const e2e::Window page2 = WaitPage("&Start >");
    const e2e::Window status = ControlWithText(page2, "Ready..");
    Ui().press(page2, "&Start >");
    Ui().waitText(status, "Scanning..D", 60000);
    // A key typed while the walk runs: Escape does what Cancel does.
    Ui().keys(page2, {"escape"});
    Ui().waitText(status, " Ready..", 60000);
    machine.screenshot("page2-cancelled");

    EXPECT_TRUE(Ui().visible(page2));
    EXPECT_TRUE(Ui().enabled(Ui().child(page2, "&Start >")));
    EXPECT_TRUE(Ui().enabled(Ui().child(page2, "< &Back")));
    EXPECT_TRUE(Ui().running(pid));
    // An idle page 2 ends the program on Cancel.
    Ui().press(page2, "Cancel");
    EXPECT_EQ(Ui().waitExit(pid), 0);
}

}  // namespace
