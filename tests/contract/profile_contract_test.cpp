// Profile files as both backends must treat them: how a read finds sections,
// keys and values, and long values whole up to the limits of a read and of a
// write.
#include "drive.h"
#include "harness.h"
#include "platform/profile.h"

using namespace platform;

TEST(Profile, ReadsAsGetPrivateProfileString) {
    const std::string ini = contract::folder("reads") + "\\A.INI";
    contract::writeBytes(
        ini,
        "[S1]\r\n a = new \r\nb=\r\n[ S4 ]\r\nspaced key=lead and trail\r\nnoeq\r\n"
        "q=\"quoted\"\r\nq2='single'\r\nq3=\"half\r\n[Dup]\r\nk=1\r\n[Dup]\r\nj=2\r\n");
    struct Row {
        const char *section, *key, *expected;
    };
    const Row rows[] = {
        {"S1", "a", "new"},
        {"s1", "A", "new"},
        {" S1 ", " a ", "new"},
        {"S1", "b", ""},
        {"s4", "SPACED KEY", "lead and trail"},
        {"S4", "noeq", "<none>"},
        {"S1", "missing", "<none>"},
        {"missing", "a", "<none>"},
        {"S4", "q", "quoted"},
        {"S4", "q2", "single"},
        {"S4", "q3", "\"half"},
        {"Dup", "k", "1"},
        {"Dup", "j", "<none>"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.section) + " / " + row.key);
        EXPECT_EQ(readProfileString(ini, row.section, row.key, "<none>"), row.expected);
    }
    EXPECT_EQ(readProfileString(contract::folder("reads") + "\\NONE.INI", "S1", "a", "fallback"),
              "fallback");
}

TEST(Profile, LongValuesUpToTheLimits) {
    const std::string base = contract::folder("profile");
    struct Row {
        size_t length;
        size_t read;
    };
    const Row rows[] = {
        {1000, 1000},
        {65536, 65536},
        {ProfileValueLimit, ProfileValueLimit},
        {ProfileValueLimit + 1, ProfileValueLimit},
        {200000, ProfileValueLimit},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.length);
        const std::string file = base + "\\long" + std::to_string(row.length) + ".ini";
        const std::string value(row.length, 'v');
        contract::writeBytes(file, "[S]\r\nKey=" + value + "\r\nNext=1\r\n");
        const std::string read = readProfileString(file, "S", "Key", "fallback");
        EXPECT_EQ(read.size(), row.read);
        EXPECT_TRUE(value.compare(0, row.read, read) == 0);
        EXPECT_EQ(readProfileString(file, "S", "Next", ""), "1");
    }
    // A write is whole or refused, never cut: the system's own write
    // garbles longer values.
    const size_t writes[] = {1000, ProfileWriteLimit, ProfileWriteLimit + 1, 70000};
    for (size_t length : writes) {
        SCOPED_TRACE(length);
        const std::string file = base + "\\written" + std::to_string(length) + ".ini";
        const std::string value(length, 'w');
        const bool whole = length <= ProfileWriteLimit;
        EXPECT_EQ(writeProfileString(file, "S", "Key", value), whole);
        EXPECT_EQ(readProfileString(file, "S", "Key", "none").size(), whole ? length : 4u);
        EXPECT_EQ(writeProfileString(file, "S", std::string(length, 'k'), "1"), whole);
        EXPECT_EQ(writeProfileString(file, std::string(length, 's'), "Key", "1"), whole);
    }
}
