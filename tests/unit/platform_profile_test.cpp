// Profile files on the stand-in: the bytes of every write match what Wine's
// WritePrivateProfileStringA leaves on disk (checked against Wine 8.0), and
// integers parse as the product wants. How reads behave is held to the Win32
// backend by the contract suite.
#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/profile.h"
#include "support/machine_test.h"

namespace {

using platform::readProfileInt;
using platform::readProfileString;
using platform::writeProfileString;

class ProfileTest : public testing_support::MachineTest {
protected:
    static constexpr const char* ini = "C:\\PROBE\\A.INI";
    void SetUp() override {
        MachineTest::SetUp();
        folder("C:\\PROBE");
    }
};

struct Write {
    const char* section;
    const char* key;
    const char* value;
    const char* bytesAfter;
};

TEST_F(ProfileTest, WritesKeyByKeyAsWineDoes) {
    const Write steps[] = {
        {"S1", "a", "1", "[S1]\r\na=1\r\n"},
        {"S1", "b", "2", "[S1]\r\na=1\r\nb=2\r\n"},
        // A new section follows the last line directly: no blank line.
        {"S2", "c", "3", "[S1]\r\na=1\r\nb=2\r\n[S2]\r\nc=3\r\n"},
        // A new value replaces the old one in place.
        {"S1", "a", "xyz", "[S1]\r\na=xyz\r\nb=2\r\n[S2]\r\nc=3\r\n"},
        // Names match without regard to case; the file keeps its own spelling.
        {"s1", "A", "new", "[S1]\r\na=new\r\nb=2\r\n[S2]\r\nc=3\r\n"},
        {"s2", "NEWKEY", "4", "[S1]\r\na=new\r\nb=2\r\n[S2]\r\nc=3\r\nNEWKEY=4\r\n"},
        {"s3", "k", "5", "[S1]\r\na=new\r\nb=2\r\n[S2]\r\nc=3\r\nNEWKEY=4\r\n[s3]\r\nk=5\r\n"},
        {"S1", "b", "", "[S1]\r\na=new\r\nb=\r\n[S2]\r\nc=3\r\nNEWKEY=4\r\n[s3]\r\nk=5\r\n"},
    };
    for (const Write& step : steps) {
        SCOPED_TRACE(std::string(step.section) + " " + step.key + "=" + step.value);
        ASSERT_TRUE(writeProfileString(ini, step.section, step.key, step.value));
        EXPECT_EQ(read(ini), step.bytesAfter);
    }
}

struct Rewrite {
    const char* name;
    const char* before;
    const char* section;
    const char* key;
    const char* value;
    const char* after;
};

class ProfileRewriteTest : public ProfileTest, public ::testing::WithParamInterface<Rewrite> {};

TEST_P(ProfileRewriteTest, RewritesTheWholeFileLikeWine) {
    const Rewrite& c = GetParam();
    write(ini, c.before);
    ASSERT_TRUE(writeProfileString(ini, c.section, c.key, c.value));
    EXPECT_EQ(read(ini), c.after);
}

const Rewrite rewrites[] = {
    {"SpacesAndBlankLinesGo", "[Sec]\r\nkey = value \r\n\r\n\r\n[Other]\r\nx=1\r\n", "Sec", "new",
     "1", "[Sec]\r\nkey=value\r\nnew=1\r\n[Other]\r\nx=1\r\n"},
    {"LfBecomesCrLfCommentsStay",
     "junk line\n;comment\n[Sec]\nnoequals\n  key2  =  v2  \n\n[Other]\nx=1\n\n", "Other", "y", "2",
     "junk line\r\n;comment\r\n[Sec]\r\nnoequals\r\nkey2=v2\r\n[Other]\r\nx=1\r\ny=2\r\n"},
    {"NewKeyEndsItsSection", "[A]\r\na=1\r\n\r\n[B]\r\nb=1\r\n", "A", "c", "1",
     "[A]\r\na=1\r\nc=1\r\n[B]\r\nb=1\r\n"},
    {"LastLineWithoutEnding", "[S]\r\na=1", "S", "b", "2", "[S]\r\na=1\r\nb=2\r\n"},
    {"EmptyFile", "", "S", "a", "1", "[S]\r\na=1\r\n"},
    {"BrokenHeaderIsAPlainLine", "[Sec\r\nx=1\r\n", "Sec", "y", "2",
     "[Sec\r\nx=1\r\n[Sec]\r\ny=2\r\n"},
    {"TabsAndEmptyNames", "=v\r\n[A]\r\n=w\r\n  \t \r\nk\t=\tv\t\r\n", "A", "n", "1",
     "=v\r\n[A]\r\n=w\r\nk=v\r\nn=1\r\n"},
    {"FirstOfTwoSectionsTakesTheKey", "[A]\r\na=1\r\n[B]\r\n[A]\r\nb=2\r\n", "A", "c", "3",
     "[A]\r\na=1\r\nc=3\r\n[B]\r\n[A]\r\nb=2\r\n"},
    {"FirstOfTwoKeysIsReplaced", "[A]\r\nk=1\r\nk=2\r\n", "A", "k", "3", "[A]\r\nk=3\r\nk=2\r\n"},
    {"BracketInsideSectionName", "[a]b]\r\nk=1\r\n[ spaced ]\r\nz=1\r\n", "a]b", "q", "1",
     "[a]b]\r\nk=1\r\nq=1\r\n[spaced]\r\nz=1\r\n"},
    {"Utf8MarkKept", "\xEF\xBB\xBF[A]\r\nk=1\r\n", "A", "j", "2",
     "\xEF\xBB\xBF[A]\r\nk=1\r\nj=2\r\n"},
    {"CtrlZIsABlank", "[A]\r\nk=1\r\n\x1A", "A", "j", "2", "[A]\r\nk=1\r\nj=2\r\n"},
    {"LineWithoutEqualsGetsAValue", "[A]\r\nnoeq\r\n;c\r\nk=\r\n", "A", "noeq", "1",
     "[A]\r\nnoeq=1\r\n;c\r\nk=\r\n"},
    // Leading blanks of names and values go; trailing ones stay as given.
    {"BlanksAroundNewNames", "", " S4 ", " spaced key ", "  lead and trail  ",
     "[S4 ]\r\nspaced key =lead and trail  \r\n"},
    {"ValueWithLineBreakWrittenRaw", "[A]\r\nk=1\r\n", "A", "j", "x\r\ny",
     "[A]\r\nk=1\r\nj=x\r\ny\r\n"},
};

INSTANTIATE_TEST_SUITE_P(Wine, ProfileRewriteTest, ::testing::ValuesIn(rewrites),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(ProfileTest, WriteThatChangesNothingLeavesTheFileAlone) {
    write(ini, "[S]\r\na = 1\r\n\r\n");
    EXPECT_TRUE(writeProfileString(ini, "s", "A", "1"));
    EXPECT_TRUE(writeProfileString(ini, "S", "a", " 1"));
    EXPECT_EQ(read(ini), "[S]\r\na = 1\r\n\r\n");
    EXPECT_TRUE(writeProfileString(ini, "S", "a", "2"));
    EXPECT_EQ(read(ini), "[S]\r\na=2\r\n");
}

TEST_F(ProfileTest, WriteFailsOnReadOnlyFileOrMissingFolder) {
    write(ini, "[S]\r\na=1\r\n");
    ASSERT_TRUE(platform::setFileAttributes(ini, platform::attr::ReadOnly));
    EXPECT_FALSE(writeProfileString(ini, "S", "a", "2"));
    EXPECT_EQ(read(ini), "[S]\r\na=1\r\n");
    EXPECT_FALSE(writeProfileString("C:\\NOFOLDER\\X.INI", "S", "a", "1"));
    EXPECT_FALSE(exists("C:\\NOFOLDER"));
    EXPECT_FALSE(writeProfileString("C:\\PROBE", "S", "a", "1"));
}

TEST_F(ProfileTest, HiddenFileIsWrittenAndStaysHidden) {
    write(ini, "[S]\r\na=1\r\n");
    platform::setFileAttributes(ini, platform::attr::Hidden);
    EXPECT_TRUE(writeProfileString(ini, "S", "a", "2"));
    EXPECT_EQ(read(ini), "[S]\r\na=2\r\n");
    EXPECT_EQ(platform::fileAttributes(ini), platform::attr::Hidden | platform::attr::Archive);
}

TEST_F(ProfileTest, IntegersAreDecimalOrHexElseTheFallback) {
    write(ini,
          "[N]\r\ndec=650277824\r\nneg=-12\r\nhex=0x1F\r\nHEX=0XfF\r\nbits=0xFFFFFFFF\r\n"
          "max=2147483647\r\nmin=-2147483648\r\nover=2147483648\r\nhexover=0x100000000\r\n"
          "garbage=12abc\r\nempty=\r\nspaced=  42  \r\nbare0x=0x\r\nsign=+7\r\n");
    struct Case {
        const char* key;
        int32_t expected;
    } cases[] = {
        {"dec", 650277824},  {"neg", -12},       {"hex", 31},    {"bits", -1},
        {"max", 2147483647}, {"min", INT32_MIN}, {"over", -99},  {"hexover", -99},
        {"garbage", -99},    {"empty", -99},     {"spaced", 42}, {"bare0x", -99},
        {"sign", 7},         {"missing", -99},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readProfileInt(ini, "N", c.key, -99), c.expected) << c.key;
}

TEST(ParseProfileInt, AcceptsOnlyWholeNumbers) {
    int32_t value = 5;
    EXPECT_FALSE(platform::parseProfileInt(" 1", value));
    EXPECT_FALSE(platform::parseProfileInt("1 ", value));
    EXPECT_FALSE(platform::parseProfileInt("-", value));
    EXPECT_FALSE(platform::parseProfileInt("0x-1", value));
    EXPECT_FALSE(platform::parseProfileInt("1.5", value));
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(platform::parseProfileInt("007", value));
    EXPECT_EQ(value, 7);
    EXPECT_TRUE(platform::parseProfileInt("-0x10", value));
    EXPECT_EQ(value, -16);
}

}  // namespace
