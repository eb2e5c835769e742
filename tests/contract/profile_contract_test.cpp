// Profile files as both backends must treat them: long values whole, up to
// the limits of a read and of a write.
#include "drive.h"
#include "harness.h"
#include "platform/profile.h"

using namespace platform;

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
