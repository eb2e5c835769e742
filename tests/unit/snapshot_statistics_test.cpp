// A drive's statistics and date in TRELMRK.INI, the report texts and the
// Details box of the finish page.
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/listbox.h"
#include "platform/profile.h"
#include "snapshot/drive_statistics.h"
#include "snapshot/snapshot_store.h"
#include "wizard/finish_window.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;
using platform::fake::MessageRecord;

const char* const DataDir = "C:\\Program Files\\Trellmark\\SNPDAT";

class SnapshotStatisticsTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        CreatePages();
        common::app().run.firstRun = true;
        Machine::setLocalNow({1999, 6, 2, 14, 30, 0});
        Machine::clearMessages();
        snapshot::ClearDriveReports();  // they live as long as the program
    }

    // A walk's result of n records, the first `folders` of them folders.
    static void Walked(char drive, int n, int folders) {
        platform::ListBox& lines = snapshot::FolderListLines();
        lines.clear();
        lines.add(snapshot::ScrambleText(std::string(1, drive) + ":"));
        lines.add(snapshot::ScrambleText("0"));
        for (int slot = 1; slot <= n; ++slot) {
            if (slot <= folders) {
                const std::string key = std::string(1, drive) + ":\\F" + std::to_string(slot);
                snapshot::StoreFileRecord(slot, key);
                lines.add(snapshot::ScrambleText(key));
                lines.add(snapshot::ScrambleText(std::to_string(slot)));
            } else {
                snapshot::StoreFileRecord(slot, "FILE" + std::to_string(slot));
            }
        }
    }

    static std::string Report(char drive, const char* files, const char* folders,
                              const char* size) {
        return std::string("Report for drive ") + drive + ":\t\r\rTotal file(s) on disk:\t\t" +
               files + "\rTotal folder(s) on disk:\t\t" + folders + "\rTotal used space (KB):\t\t" +
               size;
    }

    std::string Details() {
        Machine::clearMessages();
        page4->Button4Click();
        if (Machine::messages().empty())
            return "(nothing shown)";
        const MessageRecord& shown = Machine::messages()[0];
        EXPECT_EQ(shown.kind, platform::MessageKind::Information);
        EXPECT_EQ(shown.caption, "Information");
        const platform::Rect outer = page1->outerBounds();
        EXPECT_EQ(shown.placement.x, outer.left + outer.width / 2 - 130);
        EXPECT_EQ(shown.placement.y, outer.top + outer.height / 2 - 100);
        return shown.text;
    }
};

TEST_F(SnapshotStatisticsTest, WritesFourValuesInOrderAndBuildsTheReport) {
    Walked('D', 15, 3);
    snapshot::WriteSnapshot('D', 15, 3, 1500);

    // 2 June 1999, 14:30:00.
    EXPECT_EQ(Config(),
              "[Statistics - D]\r\nFilecount=12\r\nPathcount=3\r\nTotalsize=1500\r\n"
              "[Dates]\r\nDateD=650277824\r\n");
    EXPECT_EQ(snapshot::DriveReport('D'), Report('D', "12", "3", "1,500"));
    EXPECT_TRUE(platform::fileExists(std::string(DataDir) + "\\SNPDAT.D01"));
    EXPECT_EQ(snapshot::ReadPathcount('D'), 3);
    EXPECT_TRUE(Machine::messages().empty());
}

TEST_F(SnapshotStatisticsTest, AnotherDriveKeepsItsValuesAndDatesFrom2044AreNegative) {
    Walked('C', 1, 0);
    snapshot::WriteSnapshot('C', 1, 0, 7);
    Machine::setLocalNow({2044, 1, 1, 0, 0, 0});
    Walked('E', 4, 1);
    snapshot::WriteSnapshot('E', 4, 1, 0);
    const std::string config = ConfigFile;
    EXPECT_EQ(platform::readProfileString(config, "Statistics - C", "Totalsize", ""), "7");
    EXPECT_EQ(platform::readProfileString(config, "Statistics - E", "Filecount", ""), "3");
    EXPECT_EQ(platform::readProfileString(config, "Dates", "DateC", ""), "650277824");
    // (2044 - 1980) << 25 reaches the sign bit.
    EXPECT_EQ(platform::readProfileString(config, "Dates", "DateE", ""), "-2145320960");
}

TEST_F(SnapshotStatisticsTest, Exactly60000RecordsAreWrittenAnd60001Refused) {
    Walked('D', 60000, 10);
    snapshot::WriteSnapshot('D', 60000, 10, 0);
    EXPECT_TRUE(Machine::messages().empty());
    EXPECT_EQ(snapshot::ReadPathcount('D'), 10);
    ASSERT_TRUE(snapshot::LoadSnapshot('D'));
    EXPECT_EQ(snapshot::FileTableCount(), 60000);

    const std::string config = Config();
    const std::string files = Machine::readFile(std::string(DataDir) + "\\SNPDAT.D01");
    snapshot::ClearDriveReports();
    Walked('D', 100, 20);
    snapshot::WriteSnapshot('D', 60001, 20, 5);

    ASSERT_EQ(Machine::messages().size(), 1u);
    const MessageRecord& shown = Machine::messages()[0];
    EXPECT_EQ(shown.text,
              "You have more than 60,000 files on your drive.Please ask for professinal version "
              "or decrease number of files.");
    EXPECT_EQ(shown.kind, platform::MessageKind::Information);
    const platform::Rect outer = page1->outerBounds();
    EXPECT_EQ(shown.placement.x, outer.left + outer.width / 2 - 225);
    EXPECT_EQ(shown.placement.y, outer.top + outer.height / 2 - 40);
    EXPECT_EQ(Config(), config);
    EXPECT_EQ(Machine::readFile(std::string(DataDir) + "\\SNPDAT.D01"), files);
    EXPECT_EQ(snapshot::DriveReport('D'), "");
    // The refused drive's lines stay until the next drive's walk.
    EXPECT_EQ(snapshot::FolderListLines().count(), 2 + 2 * 20);
}

TEST_F(SnapshotStatisticsTest, ReadPathcountDefaultsTo200) {
    WriteConfig(
        "[Statistics - G]\r\nPathcount=42\r\n[Statistics - H]\r\nPathcount=lots\r\n"
        "[Statistics - I]\r\nPathcount=0x10\r\n");
    EXPECT_EQ(snapshot::ReadPathcount('G'), 42);
    EXPECT_EQ(snapshot::ReadPathcount('C'), 200);
    EXPECT_EQ(snapshot::ReadPathcount('H'), 200);
    EXPECT_EQ(snapshot::ReadPathcount('I'), 16);
}

TEST(FormatThousands, PutsACommaBeforeEachGroupOfThree) {
    const std::pair<int32_t, const char*> cases[] = {
        {0, "0"},
        {7, "7"},
        {999, "999"},
        {1000, "1,000"},
        {65535, "65,535"},
        {123456, "123,456"},
        {1000000, "1,000,000"},
        {2147483647, "2,147,483,647"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(snapshot::FormatThousands(c.first), c.second);
}

TEST_F(SnapshotStatisticsTest, DetailsJoinsTheReportsOfTheDrivesTaken) {
    EXPECT_EQ(Details(), "No Snapshot Report");

    Walked('C', 3, 1);
    snapshot::WriteSnapshot('C', 3, 1, 12);
    Walked('E', 1002, 1);
    snapshot::WriteSnapshot('E', 1002, 1, 2048);
    EXPECT_EQ(Details(), Report('C', "2", "1", "12") + "\r\r" + Report('E', "1,001", "1", "2,048"));

    snapshot::ClearDriveReports();
    Walked('D', 0, 0);
    snapshot::WriteSnapshot('D', 0, 0, 0);
    EXPECT_EQ(Details(), "\r\r" + Report('D', "0", "0", "0"));

    // After a restore run the button does nothing.
    common::app().run.firstRun = false;
    common::app().run.restoreMode = true;
    EXPECT_EQ(Details(), "(nothing shown)");
    common::app().run.restoreMode = false;
    common::app().run.snapshotMode = true;
    EXPECT_EQ(Details(), "\r\r" + Report('D', "0", "0", "0"));
}

TEST_F(SnapshotStatisticsTest, UnwritableConfigFileStopsAfterTheSnapshotFiles) {
    WriteConfig("[Settings]\r\nRecycle=1\r\n");
    ASSERT_TRUE(platform::setFileAttributes(ConfigFile, platform::attr::ReadOnly));
    Walked('D', 2, 0);
    try {
        snapshot::WriteSnapshot('D', 2, 0, 0);
        FAIL() << "the failed write went unnoticed";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), std::string("Unable to write to ") + ConfigFile);
    }
    EXPECT_EQ(Machine::readFile(std::string(DataDir) + "\\SNPDAT.D01"), "FILE1\r\nFILE2\r\n");
    EXPECT_EQ(Config(), "[Settings]\r\nRecycle=1\r\n");
    EXPECT_EQ(snapshot::DriveReport('D'), "");
}

}  // namespace
