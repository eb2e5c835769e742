// Files in use as both backends must guard them: a file that is open cannot
// be deleted or renamed, and a file being written cannot be written by a
// second writer.
#include "drive.h"
#include "harness.h"
#include "platform/binaryfile.h"
#include "platform/files.h"
#include "platform/textfile.h"

using namespace platform;

TEST(Sharing, AnOpenFileCannotBeDeletedOrMoved) {
    const std::string base = contract::folder("sharing");
    const std::string path = base + "\\open.txt";
    const std::string moved = base + "\\moved.txt";
    struct Row {
        const char* how;
        bool secondWriter;  // whether a second writer may create the file meanwhile
    };
    const Row rows[] = {{"reader", true}, {"writer", false}, {"binary", false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.how);
        contract::writeBytes(path, "line\r\n");
        TextReader reader;
        TextWriter writer;
        BinaryFile binary;
        const std::string how = row.how;
        bool opened = false;
        if (how == "reader")
            opened = reader.open(path).ok();
        if (how == "writer")
            opened = writer.create(path).ok();
        if (how == "binary")
            opened = binary.open(path, BinaryFile::Mode::ReadWriteExisting) == 0;
        ASSERT_TRUE(opened);

        EXPECT_EQ(deleteFile(path).code(), ioerr::SharingViolation);
        EXPECT_EQ(moveFile(path, moved).code(), ioerr::SharingViolation);
        EXPECT_TRUE(fileExists(path));
        {
            TextWriter second;
            EXPECT_EQ(second.create(path).ok(), row.secondWriter);
        }

        reader.close();
        writer.close();
        binary.close();
        EXPECT_TRUE(moveFile(path, moved));
        EXPECT_TRUE(deleteFile(moved));
    }
}
