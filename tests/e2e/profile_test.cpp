// Profile files written key by key: the posix stand-in must leave, byte for
// byte, what Wine's WritePrivateProfileStringA leaves for the same writes,
// since the unit tests check settings files through the stand-in.
#include "platform/profile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "harness/machine.h"
#include "platform/posix/machine.h"

namespace {

struct Write {
    const char* section;
    const char* key;
    const char* value;
};

class ProfileBytes : public testing::Test {
protected:
    void SetUp() override {
        char name[] = "/tmp/trellmark-profile-XXXXXX";
        ASSERT_NE(nullptr, mkdtemp(name));
        standIn_ = name;
        platform::posix::Machine::reset(standIn_);
        platform::posix::Machine::addDrive('C');
    }
    void TearDown() override { std::filesystem::remove_all(standIn_); }

    // Runs the writes on both sides into C:\<file>, comparing after each.
    void writeBoth(const std::string& file, const std::vector<Write>& writes) {
        const std::string path = "C:\\" + file;
        for (const Write& w : writes) {
            SCOPED_TRACE(std::string("[") + w.section + "] " + w.key + "=" + w.value);
            EXPECT_TRUE(ui.writeProfileString(path, w.section, w.key, w.value));
            EXPECT_TRUE(platform::writeProfileString(path, w.section, w.key, w.value));
            ASSERT_EQ(machine.prefix.readFile(path), platform::posix::Machine::readFile(path));
        }
    }

    e2e::Machine machine;
    e2e::Driver& ui = machine.driver();
    std::string standIn_;
};

TEST_F(ProfileBytes, NewFileSectionsKeysAndReplacements) {
    writeBoth("TRELMRK.INI", {
                                 {"Drives", "DriveC", "1"},               // new file
                                 {"Drives", "DriveD", "0"},               // new key
                                 {"Snapshot", "Filecount", "1234"},       // new section
                                 {"drives", "drivec", "0"},               // names in other case
                                 {"Snapshot", "Filecount", "7"},          // shorter value
                                 {"SNAPSHOT", "FILECOUNT", "123456789"},  // longer value
                                 {"Drives", "DriveE", "Hard Disk"},       // value with a blank
                                 {"Options", "Recycle", "1"},
                                 {"Drives", "DriveD", "1"},  // first section again
                                 {"Options", "Date1", "-1598029824"},
                             });
    EXPECT_EQ(
        "[Drives]\r\nDriveC=0\r\nDriveD=1\r\nDriveE=Hard Disk\r\n"
        "[Snapshot]\r\nFilecount=123456789\r\n"
        "[Options]\r\nRecycle=1\r\nDate1=-1598029824\r\n",
        machine.prefix.readFile("C:\\TRELMRK.INI"));
}

TEST_F(ProfileBytes, EmptyUnchangedAndBlankLedValues) {
    writeBoth("OTHER.INI", {
                               {"A", "Empty", ""},
                               {"A", "Same", "1"},
                               {"A", "Same", "1"},
                               {"B", "Padded", "  two blanks"},
                               {"A", "Empty", "now set"},
                           });
}

}  // namespace
