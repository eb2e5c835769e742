// The wizard under Wine on drives that try it: names that Windows would
// resolve to other entries, and Escape during a restore walk.
#include "wizard_runs.h"

namespace {

using namespace wizard_runs;

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
