// Text and binary files of the Win32 backend under Wine: line endings, the
// bytes written and the I/O error codes.
#include "platform/textfile.h"

#include <vector>

#include "check.h"
#include "platform/binaryfile.h"
#include "platform/ioerror.h"
#include "test_drive.h"

using namespace platform;

namespace {

std::vector<std::string> readLines(const std::string& path) {
    TextReader reader;
    std::vector<std::string> lines;
    if (!reader.open(path))
        return lines;
    std::string line;
    while (reader.readLine(line))
        lines.push_back(line);
    return lines;
}

}  // namespace

TEST(TextReader, EveryKindOfLineEnd) {
    const std::string path = testdrive::folder("text") + "\\ends.txt";
    testdrive::writeBytes(path, "one\r\ntwo\nthree\rfour\r\n\r\nlast");
    EXPECT_EQ(readLines(path),
              (std::vector<std::string>{"one", "two", "three", "four", "", "last"}));
}

TEST(TextReader, CrLfAcrossTheBufferEdge) {
    const std::string path = testdrive::folder("edge") + "\\edge.txt";
    // Lines of every length around the 32 KB read buffer put a CR LF across it.
    std::string bytes;
    std::vector<std::string> expected;
    while (bytes.size() < 32768 + 64) {
        const std::string line(static_cast<size_t>(1 + expected.size() % 7), 'a');
        bytes += line + "\r\n";
        expected.push_back(line);
    }
    testdrive::writeBytes(path, bytes);
    EXPECT_EQ(readLines(path), expected);
}

TEST(TextReader, MissingFileDoesNotOpen) {
    TextReader reader;
    EXPECT_EQ(reader.open("D:\\no such file.txt").code(), ioerr::FileNotFound);
    std::string line;
    EXPECT_FALSE(reader.readLine(line));
}

TEST(TextWriter, LinesEndInCrLfAndReplaceTheFile) {
    const std::string path = testdrive::folder("writer") + "\\out.txt";
    testdrive::writeBytes(path, "old content that is longer");
    TextWriter writer;
    ASSERT_TRUE(writer.create(path));
    std::string many;
    for (int i = 0; i < 5000; ++i) {
        ASSERT_TRUE(writer.writeLine("line " + std::to_string(i)));
        many += "line " + std::to_string(i) + "\r\n";
    }
    EXPECT_TRUE(writer.close());
    EXPECT_EQ(testdrive::readBytes(path), many);
}

TEST(TextWriter, UncreatableFileReportsFailure) {
    TextWriter writer;
    EXPECT_FALSE(writer.create("D:\\no such folder\\out.txt"));
    EXPECT_FALSE(writer.writeLine("x"));
    EXPECT_FALSE(writer.close());
}

TEST(BinaryFile, ErrorCodesOfOpening) {
    const std::string base = testdrive::folder("binary");
    BinaryFile file;
    EXPECT_EQ(file.open(base + "\\missing.bin", BinaryFile::Mode::ReadWriteExisting),
              ioerr::FileNotFound);
    EXPECT_EQ(file.open(base + "\\no folder\\x.bin", BinaryFile::Mode::CreateAlways),
              ioerr::InvalidFilename);
    size_t count = 0;
    char buffer[4];
    EXPECT_NE(file.read(buffer, sizeof buffer, count), 0);  // never opened
    if (!testdrive::readOnlyEnforced())
        return;
    const std::string locked = base + "\\readonly.bin";
    testdrive::writeBytes(locked, "x");
    SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(file.open(locked, BinaryFile::Mode::ReadWriteExisting), ioerr::AccessDenied);
}

TEST(BinaryFile, BlocksWrittenAndReadBack) {
    const std::string path = testdrive::folder("blocks") + "\\data.bin";
    std::string bytes(10000, '\0');
    for (size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<char>(i * 7);
    {
        BinaryFile out;
        ASSERT_EQ(out.open(path, BinaryFile::Mode::CreateAlways), 0);
        size_t written = 0;
        ASSERT_EQ(out.write(bytes.data(), bytes.size(), written), 0);
        EXPECT_EQ(written, bytes.size());
        EXPECT_EQ(out.close(), 0);
    }
    EXPECT_EQ(testdrive::readBytes(path), bytes);

    BinaryFile in;
    ASSERT_EQ(in.open(path, BinaryFile::Mode::ReadWriteExisting), 0);
    std::string back;
    char block[4096];
    size_t got = 0;
    do {
        ASSERT_EQ(in.read(block, sizeof block, got), 0);
        back.append(block, got);
    } while (got == sizeof block);
    EXPECT_EQ(back, bytes);
    EXPECT_EQ(in.close(), 0);
}
