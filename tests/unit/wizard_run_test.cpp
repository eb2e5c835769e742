// The Start run of page 2 end to end on the stand-in: a first run creating
// TRELMRK.INI, snapshot and restore runs, Cancel during a restore walk, and
// page 2 made usable again after an error.
#include <vector>

#include "platform/files.h"
#include "snapshot/drive_statistics.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;

class RunTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        Machine::writeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\n");
        Machine::writeFile("C:\\CONFIG.SYS", "FILES=40\r\n");
        Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\n");
        Machine::writeFile("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\n");
        Machine::writeFile("C:\\WINDOWS\\SYSTEM.DAT", "system hive");
        Machine::writeFile("C:\\WINDOWS\\USER.DAT", "user hive");
        Machine::writeFile("C:\\DATA\\REPORT.DOC", "report");
    }

    // Section names and the keys of each, in file order.
    static std::vector<std::string> Layout(const std::string& text) {
        std::vector<std::string> layout;
        size_t start = 0;
        while (start < text.size()) {
            size_t end = text.find("\r\n", start);
            if (end == std::string::npos)
                end = text.size();
            const std::string line = text.substr(start, end - start);
            layout.push_back(line[0] == '[' ? line : line.substr(0, line.find('=')));
            start = end + 2;
        }
        return layout;
    }

    void ChooseAndStart(platform::RadioButton* choice) {
        if (choice != nullptr)
            choice->click();
        page1->Button2.click();
        ASSERT_TRUE(page2->visible());
        page2->Button2.click();
    }

    // After a run; a message box closing over page 2 activates it again, which
    // shows "Ready.." instead.
    void ExpectPage2Idle(const char* status = " Ready..") {
        EXPECT_TRUE(page2->Button1.enabled());
        EXPECT_TRUE(page2->Button2.enabled());
        EXPECT_TRUE(page2->Button3.enabled());
        EXPECT_FALSE(page2->Animate1.active());
        EXPECT_FALSE(page2->Animate2.active());
        EXPECT_FALSE(page2->Label1.visible());
        EXPECT_EQ(page2->Label2.caption(), status);
        EXPECT_EQ(page2->ProgressBar1.position(), 0);
        EXPECT_FALSE(common::app().run.cancelRequested);
    }
};

TEST_F(RunTest, FirstRunSnapshotsAndWritesTheConfigFileFromScratch) {
    CreatePages();
    int pumps = 0;
    Machine::onProcessMessages([&] {
        if (pumps++ > 0)
            return;
        EXPECT_TRUE(page2->Label1.visible());
        EXPECT_EQ(page2->Label1.caption(), "Please Wait ...");
        EXPECT_TRUE(page2->Animate1.active());
        EXPECT_FALSE(page2->Button1.enabled());
        EXPECT_FALSE(page2->Button2.enabled());
        EXPECT_FALSE(page2->Button3.enabled());
    });
    ChooseAndStart(nullptr);
    Machine::onProcessMessages(nullptr);

    EXPECT_GT(pumps, 0);
    EXPECT_TRUE(page4->visible());
    EXPECT_FALSE(page2->visible());
    ExpectPage2Idle();
    const std::vector<std::string> expected = {
        "[Statistics - C]", "Filecount",  "Pathcount",  "Totalsize",
        "[Dates]",          "DateC",      "Date1",      "[Checksums]",
        "autoexec.bat",     "config.sys", "win.ini",    "system.ini",
        "system.dat",       "user.dat",   "[Settings]", "Dntsie",
        "Recycle",          "Dntsne",     "drivec",     "drived",
        "drivee",           "drivef",     "driveg",     "driveh",
        "drivei",           "drivej"};
    EXPECT_EQ(Layout(Config()), expected);
    EXPECT_TRUE(platform::fileExists("C:\\Program Files\\Trellmark\\SNPDAT\\SNPDAT.C01"));
    EXPECT_TRUE(platform::fileExists("C:\\Program Files\\Trellmark\\SNPDAT\\SNPDAT.C02"));

    // The program goes on as a first run: back to page 2, and Start again.
    page4->Button1.click();
    EXPECT_TRUE(page2->visible());
    page2->Button2.click();
    EXPECT_TRUE(page4->visible());
    EXPECT_TRUE(page1->Panel2.visible());
    EXPECT_FALSE(page1->Panel3.visible());
}

TEST_F(RunTest, FirstRunUsesTheChoicesOfTheSettingsDialog) {
    CreatePages();
    common::app().settings.driveSelected[0] = false;
    common::app().settings.useRecycleBin = false;
    ChooseAndStart(nullptr);
    EXPECT_FALSE(platform::fileExists("C:\\Program Files\\Trellmark\\SNPDAT\\SNPDAT.C01"));
    EXPECT_EQ(Layout(Config())[0], "[Checksums]");
    EXPECT_NE(Config().find("Recycle=0\r\nDntsne=1\r\ndrivec=0\r\n"), std::string::npos);
}

TEST_F(RunTest, RestoreRunsListWhatIsNewOrGoStraightToPage4) {
    WriteConfig("[Settings]\r\ndrivec=1\r\n");
    CreatePages();
    ChooseAndStart(&page1->RadioButton1);
    ASSERT_TRUE(page4->visible());
    page4->Button1.click();
    page2->Button1.click();
    ASSERT_TRUE(page1->visible());

    ChooseAndStart(&page1->RadioButton2);
    EXPECT_TRUE(page4->visible());
    EXPECT_EQ(page3->Fileview.count(), 0);
    EXPECT_TRUE(Machine::messages().empty());

    Machine::writeFile("C:\\DATA\\SETUP.LOG", "new");
    page4->Button1.click();
    ASSERT_TRUE(page2->visible());
    page2->Button2.click();
    EXPECT_TRUE(page3->visible());
    ASSERT_EQ(page3->Fileview.count(), 1);
    EXPECT_EQ(page3->Fileview.caption(0), "SETUP.LOG");
    EXPECT_TRUE(page3->Fileview.checked(0));
    ExpectPage2Idle();

    // Start again empties the lists before scanning anew.
    page3->Button1.click();
    ASSERT_TRUE(page2->visible());
    page2->Button2.click();
    EXPECT_EQ(page3->Fileview.count(), 1);
}

TEST_F(RunTest, CancelDuringARestoreWalkStaysOnPage2AndSkipsLaterDrives) {
    Machine::addDrive('D');
    for (int i = 0; i < 6; ++i)
        Machine::makeFolder("C:\\TREE\\F" + std::to_string(i));
    Machine::makeFolder("D:\\OLD");
    WriteConfig("[Settings]\r\ndrivec=1\r\ndrived=1\r\n");
    CreatePages();
    ChooseAndStart(&page1->RadioButton1);
    page4->Button1.click();
    page2->Button1.click();

    Machine::writeFile("C:\\NEW.TXT", "new");
    Machine::writeFile("D:\\NEW.TXT", "new");
    Machine::onProcessMessages([&] {
        if (page2->ProgressBar1.position() > 0 && !common::app().run.cancelRequested) {
            EXPECT_TRUE(page2->Button3.enabled());
            EXPECT_TRUE(page2->Animate2.active());
            page2->Button3.click();
        }
    });
    ChooseAndStart(&page1->RadioButton2);
    Machine::onProcessMessages(nullptr);

    EXPECT_TRUE(page2->visible());
    EXPECT_FALSE(Machine::quitCode().has_value());
    ExpectPage2Idle();
    for (int i = 0; i < page3->Fileview.count(); ++i) {
        EXPECT_NE(page3->Fileview.subItem(i, 1), "D:\\");
    }
    // An idle page 2 ends the program on Cancel.
    page2->Button3.click();
    EXPECT_EQ(Machine::quitCode(), 0);
}

TEST_F(RunTest, AnErrorInsideTheRunLeavesPage2UsableAndIsReported) {
    WriteConfig("[Settings]\r\ndrivec=0\r\n");
    CreatePages();
    platform::setFileAttributes(ConfigFile, platform::attr::ReadOnly);
    ChooseAndStart(&page1->RadioButton1);

    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_TRUE(Machine::messages()[0].errorBox);
    EXPECT_EQ(Machine::messages()[0].text, std::string("Unable to write to ") + ConfigFile);
    EXPECT_TRUE(page2->visible());
    EXPECT_FALSE(page4->visible());
    ExpectPage2Idle("Ready..");
    EXPECT_FALSE(Machine::quitCode().has_value());

    // Once the file can be written, Start works from the same page.
    platform::setFileAttributes(ConfigFile, 0);
    page2->Button2.click();
    EXPECT_TRUE(page4->visible());
}

TEST_F(RunTest, SnapshotRunWithNoDriveStillBacksUpAndSaves) {
    WriteConfig("[Settings]\r\ndrivec=0\r\n");
    CreatePages();
    ChooseAndStart(&page1->RadioButton1);
    EXPECT_TRUE(page4->visible());
    EXPECT_FALSE(platform::fileExists("C:\\Program Files\\Trellmark\\SNPDAT\\SNPDAT.C01"));
    const std::vector<std::string> layout = Layout(Config());
    EXPECT_EQ(layout[0], "[Settings]");
    EXPECT_NE(std::find(layout.begin(), layout.end(), "Date1"), layout.end());
    EXPECT_NE(std::find(layout.begin(), layout.end(), "win.ini"), layout.end());
}

TEST_F(RunTest, AMessageBoxOfTheRunKeepsTheReportsAlreadyBuilt) {
    Machine::addDrive('E');
    Machine::addDrive('G');
    Machine::writeFile("G:\\GAME.EXE", "game");
    WriteConfig("[Settings]\r\ndrivec=1\r\ndrivee=1\r\ndriveg=1\r\n");
    CreatePages();
    Machine::removeDrive('E');  // gone between the start and the run
    ChooseAndStart(&page1->RadioButton1);

    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_EQ(Machine::messages()[0].text, "  Cannot access drive  E");
    EXPECT_TRUE(page4->visible());
    EXPECT_FALSE(snapshot::DriveReport('C').empty());
    EXPECT_TRUE(snapshot::DriveReport('E').empty());
    EXPECT_FALSE(snapshot::DriveReport('G').empty());
}

}  // namespace
