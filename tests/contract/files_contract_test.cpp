// The file system as both backends must show it: listings in no promised
// order, names matched without regard to case and without trailing dots and
// blanks, attributes, and moves of files and whole folders.
#include <algorithm>
#include <vector>

#include "drive.h"
#include "harness.h"
#include "platform/files.h"

using namespace platform;

namespace {

std::vector<std::string> sortedNames(const std::string& pattern, uint32_t filter) {
    std::vector<std::string> names;
    DirectoryListing listing(pattern, filter);
    DirEntry entry;
    while (listing.next(entry))
        names.push_back(entry.name);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

// FindFirstFileA gives entries in the order of the disk, not by name: a walk
// may only rely on getting each entry once.
TEST(Listing, EveryEntryOnceInNoPromisedOrder) {
    const std::string base = contract::folder("order");
    const std::vector<std::string> files = {"b.txt", "A.txt", "c", "B2.TXT", "a1.txt", "Zed.txt"};
    for (const std::string& name : files)
        contract::writeBytes(base + "\\" + name, "x");
    for (const char* name : {"sub", "Alpha"})
        EXPECT_TRUE(createDirectory(base + "\\" + name));

    std::vector<std::string> expected = files;
    expected.insert(expected.end(), {".", "..", "sub", "Alpha"});
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(sortedNames(base + "\\*.*", attr::AnyFile), expected);

    // "." and ".." come first in any folder but a root.
    DirectoryListing listing(base + "\\*.*", attr::AnyFile);
    DirEntry first, second;
    ASSERT_TRUE(listing.next(first) && listing.next(second));
    EXPECT_EQ(first.name, ".");
    EXPECT_EQ(second.name, "..");
}

// Each row: the name on disk, a path spelling that reaches it, and whether
// the exact search says the listed entry names itself.
TEST(Names, CaseAndTrailingDotsAndBlanks) {
    const std::string base = contract::folder("names");
    struct Row {
        const char* onDisk;
        const char* spelled;
    };
    const Row rows[] = {
        {"Mixed.Txt", "MIXED.TXT"},  {"Mixed.Txt", "mixed.txt"},    {"Mixed.Txt", "Mixed.Txt."},
        {"Mixed.Txt", "Mixed.Txt "}, {"Mixed.Txt", "Mixed.Txt. ."},
    };
    contract::writeBytes(base + "\\Mixed.Txt", "x");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.spelled);
        const std::string path = base + "\\" + row.spelled;
        EXPECT_TRUE(fileExists(path));
        DirEntry found;
        ASSERT_TRUE(findExact(path, found));
        EXPECT_EQ(found.name, row.onDisk);
    }
    DirEntry listed;
    ASSERT_TRUE(findExact(base + "\\Mixed.Txt", listed));
    EXPECT_TRUE(namesItself(base + "\\", listed));
    EXPECT_TRUE(folderExists(base + "\\"));
    EXPECT_TRUE(folderExists(base + "."));
}

TEST(Attributes, KeptAsSetAndShownByListings) {
    const std::string base = contract::folder("bits");
    const std::string file = base + "\\file.txt";
    contract::writeBytes(file, "x");
    struct Row {
        uint32_t set;
    };
    const Row rows[] = {{attr::ReadOnly}, {attr::Hidden | attr::System}, {attr::Archive}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.set);
        ASSERT_TRUE(setFileAttributes(file, row.set));
        // Wine keeps the archive bit on every plain file.
        EXPECT_EQ(fileAttributes(file) & ~attr::Archive, row.set & ~attr::Archive);
        DirEntry entry;
        ASSERT_TRUE(findExact(file, entry));
        EXPECT_EQ(entry.attributes & ~attr::Archive, row.set & ~attr::Archive);
    }
    EXPECT_EQ(fileAttributes(base) & attr::Directory, attr::Directory);
    EXPECT_EQ(fileAttributes(base + "\\missing"), -1);
}

// MoveFileA renames files and whole folders, never over anything.
TEST(Move, FilesAndFoldersNeverOverAnything) {
    const std::string base = contract::folder("move");
    contract::writeBytes(base + "\\one.txt", "one");
    contract::writeBytes(base + "\\two.txt", "two");
    EXPECT_TRUE(moveFile(base + "\\one.txt", base + "\\renamed.txt"));
    EXPECT_EQ(contract::readBytes(base + "\\renamed.txt"), "one");
    EXPECT_FALSE(fileExists(base + "\\one.txt"));
    EXPECT_FALSE(moveFile(base + "\\renamed.txt", base + "\\two.txt"));
    EXPECT_EQ(contract::readBytes(base + "\\two.txt"), "two");
    EXPECT_FALSE(moveFile(base + "\\missing.txt", base + "\\three.txt"));
    EXPECT_FALSE(moveFile(base + "\\two.txt", base + "\\no such folder\\two.txt"));

    ASSERT_TRUE(createDirectory(base + "\\tree"));
    ASSERT_TRUE(createDirectory(base + "\\tree\\inner"));
    contract::writeBytes(base + "\\tree\\inner\\deep.txt", "deep");
    ASSERT_TRUE(setFileAttributes(base + "\\tree\\inner\\deep.txt", attr::Hidden));
    EXPECT_TRUE(moveFile(base + "\\tree", base + "\\moved"));
    EXPECT_FALSE(folderExists(base + "\\tree"));
    EXPECT_EQ(contract::readBytes(base + "\\moved\\inner\\deep.txt"), "deep");
    EXPECT_EQ(fileAttributes(base + "\\moved\\inner\\deep.txt") & attr::Hidden, attr::Hidden);
    EXPECT_FALSE(moveFile(base + "\\moved", base + "\\two.txt"));
    EXPECT_FALSE(moveFile(base + "\\moved", base + "\\moved\\inner\\again"));
    EXPECT_TRUE(folderExists(base + "\\moved"));
}
