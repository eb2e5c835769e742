// Profile files written key by key: the simulated machine must leave, byte for
// byte, what Wine's WritePrivateProfileStringA leaves for the same writes,
// since the unit tests check settings files through the stand-in.
#include "platform/profile.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>

#include "fake/machine.h"
#include "harness/machine.h"

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
        platform::fake::Machine::reset(standIn_);
        platform::fake::Machine::addDrive('C');
    }
    void TearDown() override { std::filesystem::remove_all(standIn_); }

    // Runs the writes on both sides into C:\<file>, comparing after each.
    void writeBoth(const std::string& file, const std::vector<Write>& writes) {
        const std::string path = "C:\\" + file;
        for (const Write& w : writes) {
            SCOPED_TRACE(std::string("[") + w.section + "] " + w.key + "=" + w.value);
            EXPECT_TRUE(ui.writeProfileString(path, w.section, w.key, w.value));
            EXPECT_TRUE(platform::writeProfileString(path, w.section, w.key, w.value));
            ASSERT_EQ(machine.prefix.readFile(path), platform::fake::Machine::readFile(path));
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

// An empty section name in brackets, at the top, between sections or with
// keys before any section: the same bytes and the same reads as Wine's.
TEST_F(ProfileBytes, EmptySectionHeader) {
    struct Case {
        const char* file;
        std::string start;
    };
    const std::vector<Case> cases = {
        {"MIDDLE.INI", "[A]\r\nx=1\r\n[]\r\ny=2\r\n[B]\r\nz=3\r\n"},
        {"TOP.INI", "[]\r\ny=2\r\n[A]\r\nx=1\r\n"},
        {"LOOSE.INI", "k=0\r\n[]\r\ny=2\r\n[A]\r\nx=1\r\n"},
        {"SPACED.INI", "[A]\r\nx=1\r\n[  ]\r\ny=2\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        const std::string path = std::string("C:\\") + c.file;
        machine.prefix.writeFile(path, c.start);
        platform::fake::Machine::writeFile(path, c.start);
        auto sameReads = [&] {
            for (const char* section : {"A", "", "B"}) {
                for (const char* key : {"y", "k", "x"}) {
                    SCOPED_TRACE(std::string("read [") + section + "] " + key);
                    EXPECT_EQ(ui.readProfileString(path, section, key, "none"),
                              platform::readProfileString(path, section, key, "none"));
                }
            }
        };
        sameReads();
        writeBoth(c.file, {{"A", "x", "5"}, {"B", "w", "4"}, {"", "y", "7"}, {"A", "v", "6"}});
        sameReads();
    }
}

}  // namespace
