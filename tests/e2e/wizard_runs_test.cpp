// The whole program under Wine, driven as a user would: a first snapshot of
// drives C: and D:, software "installed" afterwards, a restore that lists and
// removes exactly what is new and puts the system files back, and the same on
// a machine that reports Windows 98.
#include "wizard_runs.h"

namespace {

using namespace wizard_runs;

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

}  // namespace

namespace wizard_runs {

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

}  // namespace wizard_runs
