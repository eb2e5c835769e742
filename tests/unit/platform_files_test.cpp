// File system of the stand-in: Windows paths on the machine folder, the
// attributes it keeps itself, listings with their filter, deletion rules,
// text and binary files with Windows' error codes.
#include <gtest/gtest.h>
#include <utime.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <stdexcept>

#include "platform/binaryfile.h"
#include "platform/files.h"
#include "platform/ioerror.h"
#include "platform/listbox.h"
#include "platform/textfile.h"
#include "support/machine_test.h"

namespace {

namespace fs = std::filesystem;
using namespace platform;

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

class FilesTest : public testing_support::MachineTest {
protected:
    // The names a listing gives, sorted without regard to case: the listing
    // itself promises no order.
    std::vector<std::string> names(const std::string& pattern, uint32_t filter) {
        std::vector<std::string> found;
        DirectoryListing listing(pattern, filter);
        DirEntry entry;
        while (listing.next(entry))
            found.push_back(entry.name);
        std::sort(found.begin(), found.end(),
                  [](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
        return found;
    }
    DirEntry entryOf(const std::string& pattern) {
        DirectoryListing listing(pattern, attr::AnyFile);
        DirEntry entry;
        EXPECT_TRUE(listing.next(entry)) << pattern;
        return entry;
    }
};

TEST_F(FilesTest, PathsMatchExistingComponentsWithoutRegardToCase) {
    write("c:\\windows\\New.Txt", "x");
    EXPECT_EQ(Machine::hostPath("C:\\WINDOWS\\NEW.TXT"), hostRoot() + "/C/WINDOWS/New.Txt");
    EXPECT_TRUE(fileExists("C:\\Windows\\new.txt"));
    EXPECT_TRUE(folderExists("c:\\WINDOWS\\"));
    EXPECT_FALSE(fileExists("C:\\WINDOWS"));
    EXPECT_FALSE(folderExists("C:\\WINDOWS\\NEW.TXT"));
    // A new component is created as spelled.
    ASSERT_TRUE(createDirectory("C:\\windows\\Fresh"));
    EXPECT_TRUE(fs::is_directory(hostRoot() + "/C/WINDOWS/Fresh"));
    EXPECT_EQ(Machine::hostPath("Q:\\X"), "");
    EXPECT_FALSE(folderExists(""));
    EXPECT_EQ(fileAttributes(""), -1);
}

TEST_F(FilesTest, FullPathsFollowTheCurrentDriveAndFolder) {
    Machine::addDrive('D');
    folder("D:\\DATA");
    ASSERT_TRUE(setCurrentDirectory("D:\\DATA"));
    ASSERT_TRUE(setCurrentDirectory("C:\\WINDOWS"));
    struct Case {
        const char *in, *out;
    } cases[] = {
        {"\\snpdat", "C:\\snpdat"},
        {"x", "C:\\WINDOWS\\x"},
        {"..\\y", "C:\\y"},
        {"D:x", "D:\\DATA\\x"},
        {"C:\\a\\b\\..\\c.", "C:\\a\\c"},
        {"C:\\a\\b\\", "C:\\a\\b\\"},
        {"C:\\a\\..\\..", "C:\\"},
        {"C:/a/./b", "C:\\a\\b"},
        {"C:", "C:\\WINDOWS"},
        {"D:", "D:\\DATA"},
        {"E:", "E:\\"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(fullPath(c.in), c.out) << c.in;
}

TEST_F(FilesTest, EachDriveKeepsItsOwnCurrentFolder) {
    Machine::addDrive('D');
    folder("D:\\DATA");
    EXPECT_EQ(currentDirectory(), "C:\\");
    ASSERT_TRUE(setCurrentDirectory("D:\\data"));
    ASSERT_TRUE(setCurrentDirectory("C:\\WINDOWS"));
    ASSERT_TRUE(setCurrentDirectory("D:"));
    EXPECT_EQ(currentDirectory(), "D:\\data");
    ASSERT_TRUE(setCurrentDirectory("C:"));
    EXPECT_EQ(currentDirectory(), "C:\\WINDOWS");
    ASSERT_TRUE(setCurrentDirectory("\\"));
    EXPECT_EQ(currentDirectory(), "C:\\");
    // A drive that does not exist, or a missing folder, changes nothing.
    EXPECT_FALSE(setCurrentDirectory("E:"));
    EXPECT_FALSE(setCurrentDirectory("E:\\"));
    EXPECT_FALSE(setCurrentDirectory("C:\\NOWHERE"));
    Machine::writeFile("C:\\FILE.TXT", "");
    EXPECT_FALSE(setCurrentDirectory("C:\\FILE.TXT"));
    EXPECT_EQ(currentDirectory(), "C:\\");
    // Relative names now count from there.
    EXPECT_TRUE(fileExists("FILE.TXT"));
}

TEST_F(FilesTest, AttributesAreKeptPerFile) {
    write("C:\\A.TXT", "x");
    EXPECT_EQ(fileAttributes("C:\\A.TXT"), attr::Archive);
    EXPECT_EQ(fileAttributes("C:\\WINDOWS"), attr::Directory);
    EXPECT_EQ(fileAttributes("C:\\MISSING"), -1);
    EXPECT_FALSE(setFileAttributes("C:\\MISSING", attr::Archive));

    ASSERT_TRUE(setFileAttributes("c:\\a.txt", attr::ReadOnly | attr::Hidden | attr::System));
    EXPECT_EQ(fileAttributes("C:\\A.TXT"), attr::ReadOnly | attr::Hidden | attr::System);
    ASSERT_TRUE(setFileAttributes("C:\\A.TXT", 0));
    EXPECT_EQ(fileAttributes("C:\\A.TXT"), attr::Normal);
    ASSERT_TRUE(setFileAttributes("C:\\WINDOWS", attr::Hidden | attr::Directory));
    EXPECT_EQ(fileAttributes("C:\\WINDOWS"), attr::Hidden | attr::Directory);
}

TEST_F(FilesTest, ReadOnlyFileCannotBeWrittenOrDeleted) {
    write("C:\\RO.TXT", "keep");
    setFileAttributes("C:\\RO.TXT", attr::ReadOnly);
    BinaryFile file;
    EXPECT_EQ(file.open("C:\\RO.TXT", BinaryFile::Mode::ReadWriteExisting), ioerr::AccessDenied);
    EXPECT_EQ(file.open("C:\\RO.TXT", BinaryFile::Mode::CreateAlways), ioerr::AccessDenied);
    TextWriter writer;
    EXPECT_EQ(writer.create("C:\\RO.TXT").code(), ioerr::AccessDenied);
    EXPECT_EQ(deleteFile("C:\\RO.TXT").code(), ioerr::AccessDenied);
    EXPECT_EQ(read("C:\\RO.TXT"), "keep");
    // It can still be read.
    std::vector<std::string> lines;
    EXPECT_TRUE(loadTextLines("C:\\RO.TXT", lines));

    setFileAttributes("C:\\RO.TXT", attr::Archive);
    EXPECT_TRUE(deleteFile("C:\\RO.TXT"));
    EXPECT_FALSE(exists("C:\\RO.TXT"));
}

TEST_F(FilesTest, ListingFiltersLikeFindFirst) {
    folder("C:\\D\\SUB");
    write("C:\\D\\plain.txt", "12345");
    write("C:\\D\\HIDDEN.TXT", "");
    write("C:\\D\\SYSTEM.DAT", "");
    write("C:\\D\\ReadOnly", "");
    setFileAttributes("C:\\D\\HIDDEN.TXT", attr::Hidden);
    setFileAttributes("C:\\D\\SYSTEM.DAT", attr::System | attr::Hidden);
    setFileAttributes("C:\\D\\ReadOnly", attr::ReadOnly);
    using V = std::vector<std::string>;
    EXPECT_EQ(names("C:\\D\\*.*", attr::AnyFile),
              (V{".", "..", "HIDDEN.TXT", "plain.txt", "ReadOnly", "SUB", "SYSTEM.DAT"}));
    EXPECT_EQ(names("C:\\D\\*.*", 0), (V{"plain.txt", "ReadOnly"}));
    EXPECT_EQ(names("C:\\D\\*.*", attr::Directory), (V{".", "..", "plain.txt", "ReadOnly", "SUB"}));
    EXPECT_EQ(names("C:\\D\\*.*", attr::Hidden), (V{"HIDDEN.TXT", "plain.txt", "ReadOnly"}));
    EXPECT_EQ(names("C:\\D\\*.*", attr::FilesOnly),
              (V{"HIDDEN.TXT", "plain.txt", "ReadOnly", "SYSTEM.DAT"}));
    EXPECT_EQ(names("c:\\d\\*.TXT", attr::AnyFile), (V{"HIDDEN.TXT", "plain.txt"}));
    EXPECT_EQ(names("C:\\D\\PLAIN.TXT", attr::AnyFile), (V{"plain.txt"}));
    EXPECT_EQ(names("C:\\D\\*", attr::Directory), (V{".", "..", "plain.txt", "ReadOnly", "SUB"}));
    EXPECT_EQ(names("C:\\D\\*.", attr::Directory), (V{"ReadOnly", "SUB"}));
    ASSERT_TRUE(setCurrentDirectory("C:\\D"));
    EXPECT_EQ(names("*.txt", attr::Hidden), (V{"HIDDEN.TXT", "plain.txt"}));
    // The root of a drive has no "." or "..".
    EXPECT_EQ(names("C:\\*.*", attr::AnyFile), (V{"D", "WINDOWS"}));
    EXPECT_TRUE(names("C:\\NOWHERE\\*.*", attr::AnyFile).empty());
    EXPECT_TRUE(names("Q:\\*.*", attr::AnyFile).empty());
}

TEST_F(FilesTest, ListingReportsSizeStampAndAttributes) {
    write("C:\\D\\FILE.BIN", std::string(5000, 'x'));
    setFileAttributes("C:\\D\\FILE.BIN", attr::ReadOnly | attr::Archive);
    // 12 July 2026, 21:05:08 local time.
    struct tm local = {};
    local.tm_year = 126;
    local.tm_mon = 6;
    local.tm_mday = 12;
    local.tm_hour = 21;
    local.tm_min = 5;
    local.tm_sec = 8;
    local.tm_isdst = -1;
    const time_t when = mktime(&local);
    struct utimbuf times = {when, when};
    ASSERT_EQ(utime(Machine::hostPath("C:\\D\\FILE.BIN").c_str(), &times), 0);

    const DirEntry entry = entryOf("C:\\D\\file.bin");
    EXPECT_EQ(entry.name, "FILE.BIN");
    EXPECT_EQ(entry.size, 5000u);
    EXPECT_EQ(entry.attributes, attr::ReadOnly | attr::Archive);
    const uint32_t packed = (46u << 25) | (7u << 21) | (12u << 16) | (21u << 11) | (5u << 5) | 4u;
    EXPECT_EQ(static_cast<uint32_t>(entry.stamp()), packed);
    EXPECT_FALSE(entry.isFolder());

    const DirEntry sub = entryOf("C:\\D");
    EXPECT_TRUE(sub.isFolder());
    EXPECT_EQ(sub.size, 0u);
}

TEST_F(FilesTest, LinksAreReportedAsReparsePoints) {
    write("C:\\REAL\\KEEP.TXT", "k");
    fs::create_directory_symlink(Machine::hostPath("C:\\REAL"), hostRoot() + "/C/LINKDIR");
    fs::create_symlink(Machine::hostPath("C:\\REAL\\KEEP.TXT"), hostRoot() + "/C/LINK.TXT");
    EXPECT_EQ(entryOf("C:\\LINKDIR").attributes, attr::ReparsePoint | attr::Directory);
    EXPECT_EQ(entryOf("C:\\LINK.TXT").attributes, attr::ReparsePoint | attr::Archive);
    EXPECT_TRUE(entryOf("C:\\LINKDIR").isLink());
    // Removing the link leaves what it points at.
    EXPECT_TRUE(removeDirectory("C:\\LINKDIR"));
    EXPECT_TRUE(deleteFile("C:\\LINK.TXT"));
    EXPECT_EQ(read("C:\\REAL\\KEEP.TXT"), "k");
}

TEST_F(FilesTest, FoldersAreRemovedOnlyWhenEmpty) {
    write("C:\\FULL\\F.TXT", "");
    folder("C:\\EMPTY");
    EXPECT_EQ(removeDirectory("C:\\FULL").code(), ioerr::FolderNotEmpty);
    EXPECT_EQ(deleteFile("C:\\FULL").code(), ioerr::AccessDenied);
    EXPECT_EQ(removeDirectory("C:\\FULL\\F.TXT").code(), ioerr::NotAFolder);
    EXPECT_FALSE(removeDirectory("C:\\"));
    EXPECT_EQ(removeDirectory("C:\\MISSING").code(), ioerr::FileNotFound);
    EXPECT_TRUE(removeDirectory("c:\\empty\\"));
    EXPECT_FALSE(exists("C:\\EMPTY"));
    EXPECT_TRUE(exists("C:\\FULL\\F.TXT"));
    EXPECT_TRUE(fs::is_directory(hostRoot() + "/C"));
    EXPECT_EQ(deleteFile("C:\\MISSING.TXT").code(), ioerr::FileNotFound);
    EXPECT_EQ(deleteFile("C:\\NO\\MISSING.TXT").code(), ioerr::InvalidFilename);
    // Nor can the current folder go.
    folder("C:\\BUSY");
    ASSERT_TRUE(setCurrentDirectory("C:\\BUSY"));
    EXPECT_EQ(removeDirectory("c:\\busy\\").code(), ioerr::SharingViolation);
    ASSERT_TRUE(setCurrentDirectory("C:\\"));
    EXPECT_TRUE(removeDirectory("C:\\BUSY"));

    EXPECT_EQ(createDirectory("C:\\FULL").code(), ioerr::AlreadyExists);
    EXPECT_EQ(createDirectory("C:\\NO\\PARENT").code(), ioerr::InvalidFilename);
    EXPECT_FALSE(createDirectory("Q:\\X"));
}

TEST_F(FilesTest, BinaryFilesAnswerWithWindowsErrorCodes) {
    BinaryFile file;
    EXPECT_EQ(file.open("C:\\MISSING.BIN", BinaryFile::Mode::ReadWriteExisting),
              ioerr::FileNotFound);
    EXPECT_EQ(file.open("C:\\NO\\X.BIN", BinaryFile::Mode::ReadWriteExisting),
              ioerr::InvalidFilename);
    EXPECT_EQ(file.open("C:\\NO\\X.BIN", BinaryFile::Mode::CreateAlways), ioerr::InvalidFilename);
    EXPECT_EQ(file.open("Q:\\X.BIN", BinaryFile::Mode::CreateAlways), ioerr::InvalidFilename);
    EXPECT_EQ(file.open("C:\\WINDOWS", BinaryFile::Mode::CreateAlways), ioerr::AccessDenied);

    write("C:\\OLD.BIN", "old contents");
    ASSERT_EQ(file.open("C:\\OLD.BIN", BinaryFile::Mode::CreateAlways), 0);
    size_t done = 0;
    EXPECT_EQ(file.write("abc", 3, done), 0);
    EXPECT_EQ(done, 3u);
    EXPECT_EQ(file.close(), 0);
    EXPECT_EQ(read("C:\\OLD.BIN"), "abc");

    ASSERT_EQ(file.open("C:\\OLD.BIN", BinaryFile::Mode::ReadWriteExisting), 0);
    char buffer[8] = {};
    EXPECT_EQ(file.read(buffer, sizeof buffer, done), 0);
    EXPECT_EQ(done, 3u);
    EXPECT_EQ(std::string(buffer, done), "abc");
    EXPECT_EQ(file.read(buffer, sizeof buffer, done), 0);
    EXPECT_EQ(done, 0u);
    EXPECT_EQ(file.close(), 0);
    EXPECT_NE(file.close(), 0);
}

TEST_F(FilesTest, TextLinesSplitAtAnyLineEnd) {
    write("C:\\T.TXT", "a\r\nb\nc\rd\r\n\r\nlast");
    TextReader reader;
    ASSERT_TRUE(reader.open("C:\\T.TXT"));
    std::vector<std::string> lines;
    std::string line;
    while (reader.readLine(line))
        lines.push_back(line);
    EXPECT_EQ(lines, (std::vector<std::string>{"a", "b", "c", "d", "", "last"}));
    EXPECT_FALSE(reader.open("C:\\MISSING.TXT"));
    EXPECT_FALSE(reader.open("C:\\WINDOWS"));

    write("C:\\NUL.TXT", std::string("one\r\ntw\0o\r\nthree\r\n", 18));
    ASSERT_TRUE(loadTextLines("C:\\NUL.TXT", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"one", "tw"}));
    write("C:\\NUL.TXT", std::string("one\r\n\0two", 9));
    ASSERT_TRUE(loadTextLines("C:\\NUL.TXT", lines));
    EXPECT_EQ(lines, (std::vector<std::string>{"one"}));

    ASSERT_TRUE(saveTextLines("C:\\OUT.TXT", {"x", "", "y"}));
    EXPECT_EQ(read("C:\\OUT.TXT"), "x\r\n\r\ny\r\n");
    EXPECT_FALSE(saveTextLines("C:\\NO\\OUT.TXT", {"x"}));
}

TEST_F(FilesTest, ListBoxSavesLoadsAndNamesTheFileWhenItCannot) {
    ListBox box;
    box.add("first");
    box.add("second");
    box.saveToFile("C:\\LIST.TXT");
    EXPECT_EQ(read("C:\\LIST.TXT"), "first\r\nsecond\r\n");
    ListBox loaded;
    loaded.add("stale");
    loaded.loadFromFile("C:\\LIST.TXT");
    EXPECT_EQ(loaded.items(), box.items());

    try {
        loaded.loadFromFile("C:\\MISSING.TXT");
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Cannot open file C:\\MISSING.TXT (File not found)");
    }
    EXPECT_EQ(loaded.count(), 2);
    try {
        box.saveToFile("C:\\NO\\LIST.TXT");
        FAIL() << "no error";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Cannot create file C:\\NO\\LIST.TXT (Invalid filename)");
    }
}

TEST(IoErrorText, StandardTexts) {
    EXPECT_EQ(ioErrorText(2), "File not found");
    EXPECT_EQ(ioErrorText(3), "Invalid filename");
    EXPECT_EQ(ioErrorText(4), "Too many open files");
    EXPECT_EQ(ioErrorText(5), "File access denied");
    EXPECT_EQ(ioErrorText(100), "Read beyond end of file");
    EXPECT_EQ(ioErrorText(101), "Disk full");
    EXPECT_EQ(ioErrorText(106), "Invalid numeric input");
    EXPECT_EQ(ioErrorText(32), "Sharing violation");
    EXPECT_EQ(ioErrorText(999), "I/O error 999");
    EXPECT_STREQ(IoError(5).what(), "File access denied");
}

}  // namespace
