// Text files as both backends must treat them: a writer's lines reach the
// file even when it is destroyed without close().
#include "drive.h"
#include "harness.h"
#include "platform/textfile.h"

using namespace platform;

TEST(TextWriter, DestroyedWithoutCloseKeepsEveryLine) {
    const std::string base = contract::folder("unclosed");
    // A few lines stay in the buffer; many pass through it.
    for (int lines : {3, 20000}) {
        SCOPED_TRACE(lines);
        const std::string path = base + "\\out" + std::to_string(lines) + ".txt";
        std::string expected;
        {
            TextWriter writer;
            ASSERT_TRUE(writer.create(path));
            for (int i = 0; i < lines; ++i) {
                const std::string line = "line " + std::to_string(i);
                EXPECT_TRUE(writer.writeLine(line));
                expected += line + "\r\n";
            }
        }
        EXPECT_EQ(contract::readBytes(path), expected);
    }
}
