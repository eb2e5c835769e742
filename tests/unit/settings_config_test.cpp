// The settings in TRELMRK.INI: defaults, drive types, odd values, the age of
// the last backup on page 1, and the bytes SaveSettings writes.
#include <vector>

#include "common/date_stamp.h"
#include "platform/files.h"
#include "wizard/settings.h"
#include "wizard_fixture.h"

namespace {

using namespace wizardtest;
using platform::DateTime;

constexpr platform::Colour Red = 1791;

class SettingsConfigTest : public WizardTest {
protected:
    // Date1 of a backup taken at `taken`, looked at on page 1 at `now`.
    void StartWithBackupAt(const DateTime& taken, const DateTime& now) {
        Machine::setLocalNow(now);
        WriteConfig("[Dates]\r\nDate1=" + std::to_string(common::FileDateStamp(taken)) + "\r\n");
        CreatePages();
    }
};

TEST_F(SettingsConfigTest, FirstStartTakesTheDefaults) {
    Machine::addDrive('D', platform::drivetype::Remote);
    Machine::addDrive('E', platform::drivetype::Removable);
    Machine::addDrive('F', platform::drivetype::CdRom);
    Machine::addDrive('G', platform::drivetype::RamDisk);
    Machine::addDrive('H', platform::drivetype::Fixed);
    CreatePages();

    const common::Settings& settings = common::app().settings;
    const bool selected[] = {true, true, false, false, false, true, false, false};
    const char* types[] = {"Hard Disk", "None",      "None", "None",
                           "None",      "Hard Disk", "None", "None"};
    for (int i = 0; i < common::DriveCount; ++i) {
        SCOPED_TRACE(common::DriveLetters[i]);
        EXPECT_EQ(settings.driveSelected[i], selected[i]);
        if (i != 1) {
            EXPECT_STREQ(common::DriveKindText(settings.driveKind[i]), types[i]);
        }
    }
    EXPECT_STREQ(common::DriveKindText(settings.driveKind[1]), "Network Drive");
    EXPECT_TRUE(settings.useRecycleBin);
    EXPECT_TRUE(settings.skipIECache);
    EXPECT_TRUE(settings.skipNetscapeCache);
    EXPECT_EQ(page1->Label3.caption(), "Days passed : 0");
    EXPECT_EQ(page1->Label4.caption(), "Snapshot date : No Backup");
    EXPECT_EQ(page1->Label3.colour(), platform::Black);
    EXPECT_EQ(page1->Label4.colour(), platform::Black);
    EXPECT_FALSE(settings.snapshotOld);
}

TEST_F(SettingsConfigTest, TheWorkedStampShowsItsDateAndTime) {
    const DateTime taken{1999, 6, 2, 14, 30, 0};
    EXPECT_EQ(common::FileDateStamp(taken), 650277824);
    StartWithBackupAt(taken, {1999, 6, 2, 18, 0, 0});
    EXPECT_EQ(page1->Label4.caption(), "Snapshot date : 6/2/1999 2:30:00 PM");
    EXPECT_EQ(page1->Label3.caption(), "Days passed : 0");
}

TEST_F(SettingsConfigTest, MidnightShowsTheDateAlone) {
    StartWithBackupAt({1999, 6, 2, 0, 0, 0}, {1999, 6, 3, 9, 0, 0});
    EXPECT_EQ(page1->Label4.caption(), "Snapshot date : 6/2/1999");
    EXPECT_EQ(page1->Label3.caption(), "Days passed : 1");
}

TEST_F(SettingsConfigTest, HexadecimalDate1IsRead) {
    Machine::setLocalNow({1999, 6, 2, 18, 0, 0});
    WriteConfig("[Dates]\r\nDate1=0x26C273C0\r\n");
    CreatePages();
    EXPECT_EQ(page1->Label4.caption(), "Snapshot date : 6/2/1999 2:30:00 PM");
}

struct AgeCase {
    DateTime taken;
    DateTime now;
    const char* days;
    bool old;
};

class SnapshotAgeTest : public SettingsConfigTest, public ::testing::WithParamInterface<AgeCase> {};

TEST_P(SnapshotAgeTest, CountsDaysAndMarksOldSnapshotsRed) {
    const AgeCase& c = GetParam();
    StartWithBackupAt(c.taken, c.now);
    EXPECT_EQ(page1->Label3.caption(), std::string("Days passed : ") + c.days);
    const platform::Colour colour = c.old ? Red : platform::Black;
    EXPECT_EQ(page1->Label3.colour(), colour);
    EXPECT_EQ(page1->Label4.colour(), colour);
    EXPECT_EQ(common::app().settings.snapshotOld, c.old);
}

INSTANTIATE_TEST_SUITE_P(
    Ages, SnapshotAgeTest,
    ::testing::Values(AgeCase{{1999, 6, 2, 14, 30, 0}, {1999, 6, 9, 8, 0, 0}, "7", false},
                      AgeCase{{1999, 6, 2, 14, 30, 0}, {1999, 6, 10, 8, 0, 0}, "8", true},
                      // Months count 30 days, years 365.
                      AgeCase{{2001, 1, 31, 10, 0, 0}, {2001, 2, 1, 10, 0, 0}, "0", false},
                      AgeCase{{2001, 2, 28, 10, 0, 0}, {2001, 3, 1, 10, 0, 0}, "3", false},
                      AgeCase{{1999, 12, 31, 10, 0, 0}, {2000, 1, 1, 10, 0, 0}, "5", false},
                      AgeCase{{1999, 6, 2, 10, 0, 0}, {2000, 6, 2, 10, 0, 0}, "365", true},
                      // A clock put back gives a negative count.
                      AgeCase{{1999, 6, 9, 10, 0, 0}, {1999, 6, 2, 10, 0, 0}, "-7", false},
                      // Stamps from 2044 on are negative numbers and still dates.
                      AgeCase{{2050, 3, 1, 12, 0, 0}, {2050, 3, 20, 12, 0, 0}, "19", true}));

// Date1 that decodes to no date: 0 (a backup taken with the clock outside
// 1980..2099), day 0, month 13, 31 June, hour 25.
TEST_F(SettingsConfigTest, Date1WithoutADateIsShownAsUnknownAndCountsAsOld) {
    for (const char* value : {"0", "16", "664862720", "652148736", "650299392"}) {
        SCOPED_TRACE(value);
        common::app() = common::AppState();
        Machine::setLocalNow({1999, 6, 2, 18, 0, 0});
        WriteConfig(std::string("[Dates]\r\nDate1=") + value + "\r\n");
        TForm1 page;
        wizard::pages().form1 = &page;
        page.FormCreate();
        EXPECT_EQ(page.Label3.caption(), "Days passed : Unknown");
        EXPECT_EQ(page.Label4.caption(), "Snapshot date : Unknown");
        EXPECT_EQ(page.Label3.colour(), Red);
        EXPECT_TRUE(common::app().settings.snapshotOld);
        wizard::pages().form1 = nullptr;
    }
}

TEST_F(SettingsConfigTest, GarbageFallsBackToDefaultsAndHexIsAccepted) {
    Machine::addDrive('D');
    Machine::addDrive('E');
    Machine::addDrive('F');
    WriteConfig(
        "[Settings]\r\nRecycle=yes\r\nDntsie=0x0\r\nDntsne=0x10\r\ndrivec=abc\r\ndrived=0\r\n"
        "drivee=\r\ndrivef=0x\r\n[Dates]\r\nDate1=soon\r\n");
    CreatePages();
    const common::Settings& settings = common::app().settings;
    EXPECT_TRUE(settings.useRecycleBin);
    EXPECT_FALSE(settings.skipIECache);
    EXPECT_TRUE(settings.skipNetscapeCache);
    EXPECT_TRUE(settings.driveSelected[0]);
    EXPECT_FALSE(settings.driveSelected[1]);
    EXPECT_TRUE(settings.driveSelected[2]);
    EXPECT_TRUE(settings.driveSelected[3]);
    EXPECT_EQ(page1->Label4.caption(), "Snapshot date : No Backup");
}

TEST_F(SettingsConfigTest, FlagsWrittenAsZeroReadBackOff) {
    WriteConfig("[Settings]\r\nDntsie=0\r\nRecycle=0\r\nDntsne=0\r\ndrivec=0\r\n");
    CreatePages();
    const common::Settings& settings = common::app().settings;
    EXPECT_FALSE(settings.useRecycleBin);
    EXPECT_FALSE(settings.skipIECache);
    EXPECT_FALSE(settings.skipNetscapeCache);
    EXPECT_FALSE(settings.driveSelected[0]);
}

TEST_F(SettingsConfigTest, SaveSettingsFromScratchWritesKeysInOrder) {
    Machine::addDrive('E', platform::drivetype::Remote);
    CreatePages();
    common::app().settings.skipNetscapeCache = false;
    wizard::SaveSettings();
    EXPECT_EQ(Config(),
              "[Settings]\r\nDntsie=1\r\nRecycle=1\r\nDntsne=0\r\ndrivec=1\r\ndrived=0\r\n"
              "drivee=1\r\ndrivef=0\r\ndriveg=0\r\ndriveh=0\r\ndrivei=0\r\ndrivej=0\r\n");
}

TEST_F(SettingsConfigTest, DisconnectedDriveIsNoneAndSavedUnselected) {
    WriteConfig("[Settings]\r\ndrivec=1\r\ndrived=1\r\n");
    CreatePages();
    EXPECT_STREQ(common::DriveKindText(common::app().settings.driveKind[1]), "None");
    EXPECT_FALSE(common::app().settings.driveSelected[1]);
    wizard::SaveSettings();
    EXPECT_EQ(Config(),
              "[Settings]\r\ndrivec=1\r\ndrived=0\r\nDntsie=1\r\nRecycle=1\r\nDntsne=1\r\n"
              "drivee=0\r\ndrivef=0\r\ndriveg=0\r\ndriveh=0\r\ndrivei=0\r\ndrivej=0\r\n");
}

TEST_F(SettingsConfigTest, ReadOnlyConfigFileIsReportedAndTheProgramGoesOn) {
    const std::string before = "[Settings]\r\nDntsie=1\r\n";
    WriteConfig(before);
    CreatePages();
    platform::setFileAttributes(ConfigFile, platform::attr::ReadOnly);
    common::app().settings.skipIECache = false;
    platform::dispatchEvent([] { wizard::SaveSettings(); });

    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_TRUE(Machine::messages()[0].errorBox);
    EXPECT_EQ(Machine::messages()[0].text, std::string("Unable to write to ") + ConfigFile);
    EXPECT_EQ(Config(), before);
    EXPECT_FALSE(Machine::quitCode().has_value());
}

}  // namespace
