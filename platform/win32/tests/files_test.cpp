// The file-system calls of the Win32 backend under Wine: listings with their
// filter, sizes, stamps and links, the per-drive current folder, attributes.
#include "platform/files.h"

#include <map>

#include "check.h"
#include "platform/ioerror.h"
#include "test_drive.h"

using namespace platform;

namespace {

std::map<std::string, DirEntry> listing(const std::string& pattern, uint32_t filter) {
    std::map<std::string, DirEntry> found;
    DirectoryListing list(pattern, filter);
    DirEntry entry;
    while (list.next(entry))
        found[entry.name] = entry;
    return found;
}

}  // namespace

TEST(Listing, HiddenSystemAndFoldersOnlyWhenAsked) {
    const std::string base = testdrive::folder("filter");
    for (const char* name : {"plain.txt", "readonly.txt", "hidden.txt", "system.txt"}) {
        testdrive::writeBytes(base + "\\" + name, "x");
    }
    SetFileAttributesA((base + "\\readonly.txt").c_str(), FILE_ATTRIBUTE_READONLY);
    SetFileAttributesA((base + "\\hidden.txt").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesA((base + "\\system.txt").c_str(), FILE_ATTRIBUTE_SYSTEM);
    CreateDirectoryA((base + "\\sub").c_str(), nullptr);

    const auto files = listing(base + "\\*.*", attr::FilesOnly & ~(attr::Hidden | attr::System));
    EXPECT_EQ(files.size(), 2u);
    EXPECT_TRUE(files.count("plain.txt"));
    EXPECT_TRUE(files.count("readonly.txt"));

    const auto withHidden = listing(base + "\\*.*", attr::FilesOnly);
    EXPECT_EQ(withHidden.size(), 4u);
    EXPECT_FALSE(withHidden.count("sub"));

    const auto everything = listing(base + "\\*.*", attr::AnyFile);
    EXPECT_EQ(everything.size(), 7u);  // four files, the folder, "." and ".."
    ASSERT_TRUE(everything.count("."));
    EXPECT_TRUE(everything.at(".").isFolder());
    EXPECT_TRUE(everything.at("..").isFolder());
    EXPECT_TRUE(everything.at("sub").isFolder());
    EXPECT_EQ(everything.at("hidden.txt").attributes & attr::Hidden, attr::Hidden);
}

// A folder that cannot be listed says so; one with nothing matching does not.
TEST(Listing, MissingFolderYieldsNothingAndFails) {
    EXPECT_TRUE(listing("D:\\no such folder\\*.*", attr::AnyFile).empty());
    DirectoryListing missing("D:\\no such folder\\*.*", attr::AnyFile);
    EXPECT_TRUE(missing.failed());
    const std::string base = testdrive::folder("nomatch");
    DirectoryListing none(base + "\\*.none", attr::AnyFile);
    DirEntry entry;
    EXPECT_FALSE(none.next(entry));
    EXPECT_FALSE(none.failed());
    DirectoryListing whole(base + "\\*.*", attr::AnyFile);
    while (whole.next(entry)) {
    }
    EXPECT_FALSE(whole.failed());
}

TEST(Listing, SizesBeyondFourGigabytesAndLocalStamps) {
    const std::string base = testdrive::folder("sizes");
    const std::string big = base + "\\big.bin";
    HANDLE file = CreateFileA(big.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    LONG high = 1;  // 4 GiB + 5 bytes, sparse on the host
    SetFilePointer(file, 5, &high, FILE_BEGIN);
    SetEndOfFile(file);
    // 2 June 1999 14:30:00 local time.
    SYSTEMTIME moment = {1999, 6, 0, 2, 14, 30, 0, 0};
    FILETIME local, utc;
    SystemTimeToFileTime(&moment, &local);
    LocalFileTimeToFileTime(&local, &utc);
    SetFileTime(file, nullptr, nullptr, &utc);
    CloseHandle(file);

    const auto found = listing(base + "\\*.*", attr::FilesOnly);
    ASSERT_TRUE(found.count("big.bin"));
    EXPECT_EQ(found.at("big.bin").size, 0x100000005ull);
    EXPECT_EQ(found.at("big.bin").stamp(), 650277824);
    DeleteFileA(big.c_str());
}

TEST(Listing, LongNamesInTheirOwnCase) {
    const std::string base = testdrive::folder("names");
    testdrive::writeBytes(base + "\\A Long Mixed-Case Name.Text", "x");
    const auto found = listing(base + "\\*.*", attr::FilesOnly);
    EXPECT_TRUE(found.count("A Long Mixed-Case Name.Text"));
}

// The walkers rely on this: Wine shows a host symbolic link to a folder as a
// folder with the reparse-point bit; a link to a file is a plain file.
TEST(Listing, HostLinkToAFolderIsMarkedAsALink) {
    const auto root = listing("D:\\*.*", attr::AnyFile);
    ASSERT_TRUE(root.count("folderlink"));
    EXPECT_TRUE(root.at("folderlink").isFolder());
    EXPECT_TRUE(root.at("folderlink").isLink());
    ASSERT_TRUE(root.count("real"));
    EXPECT_FALSE(root.at("real").isLink());
    ASSERT_TRUE(root.count("filelink"));
    EXPECT_FALSE(root.at("filelink").isFolder());
    EXPECT_FALSE(root.at("filelink").isLink());
    EXPECT_EQ(fileAttributes("D:\\folderlink") & attr::ReparsePoint, attr::ReparsePoint);
}

TEST(Paths, ShortNamesTurnIntoLongOnes) {
    const std::string base = testdrive::folder("A Long Folder Name");
    testdrive::writeBytes(base + "\\Some Long File.Text", "x");
    char shortForm[MAX_PATH] = "";
    ASSERT_NE(GetShortPathNameA((base + "\\Some Long File.Text").c_str(), shortForm, MAX_PATH), 0u);
    EXPECT_NE(std::string(shortForm), base + "\\Some Long File.Text");
    EXPECT_EQ(longPathName(shortForm), base + "\\Some Long File.Text");
    EXPECT_EQ(longPathName("D:\\no such folder\\x"), "D:\\no such folder\\x");
    EXPECT_EQ(longPathName("relative\\path"), "relative\\path");
}

TEST(CurrentFolder, EachDriveKeepsItsOwn) {
    ASSERT_TRUE(setCurrentDirectory("D:\\real\\inner"));
    ASSERT_TRUE(setCurrentDirectory("C:\\windows"));
    ASSERT_TRUE(setCurrentDirectory("D:"));
    EXPECT_EQ(currentDirectory(), "D:\\real\\inner");
    ASSERT_TRUE(setCurrentDirectory("C:"));
    EXPECT_EQ(currentDirectory(), "C:\\windows");
    EXPECT_EQ(fullPath("system32"), "C:\\windows\\system32");
    EXPECT_FALSE(setCurrentDirectory("Q:"));
    EXPECT_FALSE(setCurrentDirectory("D:\\no such folder"));
    EXPECT_EQ(currentDirectory(), "C:\\windows");
}

TEST(Attributes, ExistenceAttributesDeletionAndEmptyFolders) {
    const std::string base = testdrive::folder("attributes");
    const std::string file = base + "\\file.txt";
    testdrive::writeBytes(file, "x");
    EXPECT_TRUE(fileExists(file));
    EXPECT_FALSE(folderExists(file));
    EXPECT_TRUE(folderExists(base));
    EXPECT_FALSE(fileExists(base));
    EXPECT_EQ(fileAttributes(base + "\\missing"), -1);

    ASSERT_TRUE(setFileAttributes(file, attr::ReadOnly | attr::Hidden));
    // The archive bit may stay: Wine keeps it on every plain file.
    EXPECT_EQ(fileAttributes(file) & ~attr::Archive, attr::ReadOnly | attr::Hidden);
    EXPECT_EQ(deleteFile(file).code(), ioerr::AccessDenied);  // read-only
    ASSERT_TRUE(setFileAttributes(file, attr::Archive));
    testdrive::writeBytes(base + "\\other.txt", "y");
    EXPECT_EQ(moveFile(base + "\\other.txt", file).code(), ioerr::AlreadyExists);
    EXPECT_TRUE(deleteFile(file));
    EXPECT_FALSE(fileExists(file));
    EXPECT_EQ(deleteFile(file).code(), ioerr::FileNotFound);
    EXPECT_EQ(deleteFile(base + "\\no\\file.txt").code(), ioerr::InvalidFilename);
    EXPECT_EQ(deleteFile(base).code(), ioerr::AccessDenied);  // a folder
    EXPECT_EQ(removeDirectory(base + "\\other.txt").code(), ioerr::NotAFolder);
    EXPECT_EQ(removeDirectory(base + "\\missing").code(), ioerr::FileNotFound);
    EXPECT_EQ(createDirectory(base + "\\no\\parent").code(), ioerr::InvalidFilename);
    EXPECT_EQ(moveFile(file, base + "\\moved.txt").code(), ioerr::FileNotFound);
    EXPECT_EQ(setFileAttributes(file, attr::Archive).code(), ioerr::FileNotFound);

    ASSERT_TRUE(createDirectory(base + "\\full"));
    testdrive::writeBytes(base + "\\full\\keep.txt", "x");
    EXPECT_EQ(removeDirectory(base + "\\full\\").code(), ioerr::FolderNotEmpty);
    EXPECT_EQ(createDirectory(base + "\\full").code(), ioerr::AlreadyExists);
    EXPECT_TRUE(folderExists(base + "\\full"));
    ASSERT_TRUE(createDirectory(base + "\\empty"));
    EXPECT_TRUE(removeDirectory(base + "\\empty\\"));
    EXPECT_FALSE(folderExists(base + "\\empty"));
}
