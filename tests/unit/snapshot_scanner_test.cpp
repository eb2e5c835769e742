// The snapshot walk of a whole drive: what it records and in which order,
// the progress shown, the counts written, cancelling, and drives it cannot
// reach.
#include "snapshot/snapshot_scanner.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/listbox.h"
#include "platform/profile.h"
#include "platform/textfile.h"
#include "snapshot/snapshot_store.h"
#include "snapshot_files.h"
#include "snapshot_scanner_fixture.h"
#include "support/walk_order.h"
#include "wizard_fixture.h"

namespace {

using namespace snapshottest;
using namespace wizardtest;
using platform::fake::MessageRecord;
using testing_support::fileListInNameOrder;
using testing_support::firstListed;

std::string Unscrambled(const std::string& bytes) {
    std::string text;
    for (char c : bytes)
        text += (c == '\r' || c == '\n') ? c : static_cast<char>(c ^ 8);
    return text;
}

// The tree of the change scanner's worked example, in mixed case, on D.
TEST_F(SnapshotScannerTest, WorkedExampleTreeGivesItsRecordsAndPairs) {
    File("D:\\autoexec.bat", 2000);
    File("D:\\Config.sys", 1500);
    File("D:\\Windows\\win.ini", 1024);
    File("D:\\Windows\\System.ini", 1023);
    File("D:\\Windows\\System\\User.exe", 2047);
    Machine::makeFolder("D:\\Temp");

    page2->SnapshotDrive('D');

    EXPECT_TRUE(Machine::messages().empty());
    EXPECT_EQ(fileListInNameOrder(Machine::readFile(FileList('D'))),
              Lines({"AUTOEXEC.BAT", "CONFIG.SYS", "D:\\TEMP", "D:\\WINDOWS", "SYSTEM.INI",
                     "WIN.INI", "D:\\WINDOWS\\SYSTEM", "USER.EXE"}));
    // Each folder's pair gives the line of its record; in name order those are:
    const std::string files = Machine::readFile(FileList('D'));
    EXPECT_EQ(Machine::readFile(FolderList('D')), FolderListFor('D', files));
    EXPECT_EQ(FolderListFor('D', fileListInNameOrder(files)),
              Lines({"D:", "0", "D:\\TEMP", "3", "D:\\WINDOWS", "4", "D:\\WINDOWS\\SYSTEM", "7",
                     "THEEND", "9"},
                    true));
    EXPECT_EQ(Stat('D', "Filecount"), "5");
    EXPECT_EQ(Stat('D', "Pathcount"), "3");
    // 1 + 1 + 1 + 0 + 1 kilobytes.
    EXPECT_EQ(Stat('D', "Totalsize"), "4");
    EXPECT_EQ(page2->Label2.caption(), "Scanning..D");
    EXPECT_EQ(page2->ProgressBar1.maximum(), 200);  // no earlier snapshot
    EXPECT_EQ(page2->ProgressBar1.position(), 3);
    EXPECT_EQ(Machine::processMessagesCalls(), 3);  // once per folder
    EXPECT_EQ(snapshot::FolderListLines().count(), 0);
}

TEST_F(SnapshotScannerTest, EmptyDriveAndDriveWithoutSubfolders) {
    page2->SnapshotDrive('D');
    EXPECT_EQ(Machine::readFile(FileList('D')), "");
    EXPECT_EQ(Machine::readFile(FolderList('D')), Lines({"D:", "0", "THEEND", "1"}, true));
    EXPECT_EQ(Stat('D', "Filecount"), "0");
    EXPECT_EQ(Stat('D', "Pathcount"), "0");

    File("D:\\b.txt");
    File("D:\\a.txt");
    page2->SnapshotDrive('D');
    EXPECT_EQ(fileListInNameOrder(Machine::readFile(FileList('D'))), Lines({"A.TXT", "B.TXT"}));
    EXPECT_EQ(Machine::readFile(FolderList('D')), Lines({"D:", "0", "THEEND", "3"}, true));
    EXPECT_EQ(Stat('D', "Filecount"), "2");
    EXPECT_EQ(Stat('D', "Pathcount"), "0");
    // The last snapshot found no folder.
    EXPECT_EQ(page2->ProgressBar1.maximum(), 0);
}

TEST_F(SnapshotScannerTest, FolderWithOnlySubfoldersHasConsecutiveIndexes) {
    File("D:\\Outer\\Inner\\deep.txt");
    page2->SnapshotDrive('D');
    EXPECT_EQ(Machine::readFile(FileList('D')),
              Lines({"D:\\OUTER", "D:\\OUTER\\INNER", "DEEP.TXT"}));
    EXPECT_EQ(Unscrambled(Machine::readFile(FolderList('D'))),
              Lines({"D:", "0", "D:\\OUTER", "1", "D:\\OUTER\\INNER", "2", "THEEND", "4"}));
}

TEST_F(SnapshotScannerTest, HiddenSystemReadOnlyAndDottedEntriesAreRecorded) {
    File("D:\\hidden.sys");
    File("D:\\system.dat");
    File("D:\\locked.txt");
    File("D:\\.profile");
    File("D:\\.config\\settings.ini");
    File("D:\\Secret\\inside.txt");
    platform::setFileAttributes("D:\\hidden.sys", platform::attr::Hidden);
    platform::setFileAttributes("D:\\system.dat", platform::attr::System | platform::attr::Hidden);
    platform::setFileAttributes("D:\\locked.txt", platform::attr::ReadOnly);
    platform::setFileAttributes("D:\\Secret", platform::attr::Hidden | platform::attr::System);

    page2->SnapshotDrive('D');
    EXPECT_EQ(fileListInNameOrder(Machine::readFile(FileList('D'))),
              Lines({".PROFILE", "HIDDEN.SYS", "LOCKED.TXT", "SYSTEM.DAT", "D:\\.CONFIG",
                     "SETTINGS.INI", "D:\\SECRET", "INSIDE.TXT"}));
}

// Records keep 120 characters; FolderListFile keeps the whole key.
TEST_F(SnapshotScannerTest, LongNamesAndPathsAreCutInRecordsOnly) {
    const std::string longName(130, 'n');
    const std::string folder1(100, 'a');
    const std::string folder2(60, 'b');
    File("D:\\" + longName);
    File("D:\\" + folder1 + "\\" + folder2 + "\\x.txt");

    page2->SnapshotDrive('D');
    const std::string key1 = "D:\\" + std::string(100, 'A');
    const std::string key2 = key1 + "\\" + std::string(60, 'B');
    ASSERT_GT(key2.size(), 120u);
    EXPECT_EQ(Machine::readFile(FileList('D')),
              Lines({std::string(120, 'N'), key1, key2.substr(0, 120), "X.TXT"}));
    EXPECT_EQ(Unscrambled(Machine::readFile(FolderList('D'))),
              Lines({"D:", "0", key1, "2", key2, "3", "THEEND", "5"}));
    // The pair loads back and holds together.
    EXPECT_TRUE(snapshot::LoadSnapshot('D'));
}

TEST_F(SnapshotScannerTest, ProgressCountsAgainstTheLastSnapshotAndStaysFull) {
    Machine::makeFolder("D:\\One");
    page2->SnapshotDrive('D');
    EXPECT_EQ(Stat('D', "Pathcount"), "1");

    Machine::makeFolder("D:\\Two");
    Machine::makeFolder("D:\\Three");
    page2->SnapshotDrive('D');
    EXPECT_EQ(page2->ProgressBar1.maximum(), 1);
    EXPECT_EQ(page2->ProgressBar1.position(), 1);
    EXPECT_EQ(Stat('D', "Pathcount"), "3");
}

TEST_F(SnapshotScannerTest, CancelDuringTheWalkWritesNothing) {
    File("D:\\first.txt");
    page2->SnapshotDrive('D');
    const std::string files = Machine::readFile(FileList('D'));
    const std::string folders = Machine::readFile(FolderList('D'));
    const std::string config = Config();

    File("D:\\A\\a.txt");
    File("D:\\B\\b.txt");
    int pumps = 0;
    Machine::onProcessMessages([&] {
        if (++pumps == 2)
            common::app().run.cancelRequested = true;
    });
    page2->SnapshotDrive('D');

    EXPECT_EQ(pumps, 2);  // the walk stopped at the second folder
    EXPECT_EQ(Machine::readFile(FileList('D')), files);
    EXPECT_EQ(Machine::readFile(FolderList('D')), folders);
    EXPECT_EQ(Config(), config);
    EXPECT_TRUE(Machine::messages().empty());
}

// A drive that cannot be made current, whose root cannot be listed, or that
// goes away during the walk: half a drive saved would make the other half
// look new, so its earlier snapshot stays.
TEST_F(SnapshotScannerTest, DriveThatCannotBeReadWholeKeepsItsSnapshot) {
    struct Case {
        const char* what;
        std::function<void()> before;
        std::function<void()> atFirstFolder;
    };
    const Case cases[] = {
        {"drive gone", [] { Machine::removeDrive('D'); }, nullptr},
        {"root not listable", [] { Machine::makeUnlistable("D:\\"); }, nullptr},
        {"drive gone during the walk", nullptr, [] { Machine::removeDrive('D'); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Machine::addDrive('D');
        Machine::makeUnlistable("D:\\", false);
        File("D:\\first.txt");
        File("D:\\A\\a.txt");
        File("D:\\B\\b.txt");
        page2->SnapshotDrive('D');
        const std::string files = Machine::readFile(FileList('D'));
        const std::string folders = Machine::readFile(FolderList('D'));
        const std::string unreadable = Machine::readFile(std::string(DataDir) + "\\SNPDAT.D03");
        const std::string config = Config();
        Machine::clearMessages();

        if (c.before)
            c.before();
        Machine::onProcessMessages(c.atFirstFolder);
        page2->SnapshotDrive('D');
        Machine::onProcessMessages(nullptr);

        ASSERT_EQ(Machine::messages().size(), 1u);
        const MessageRecord& shown = Machine::messages()[0];
        EXPECT_EQ(shown.text, "  Cannot access drive  D");
        EXPECT_EQ(shown.kind, platform::MessageKind::Error);
        EXPECT_EQ(shown.caption, "Error");
        const platform::Rect outer = page1->outerBounds();
        EXPECT_EQ(shown.placement.x, outer.left + outer.width / 2 - 110);
        EXPECT_EQ(shown.placement.y, outer.top + outer.height / 2 - 40);
        EXPECT_EQ(Machine::readFile(FileList('D')), files);
        EXPECT_EQ(Machine::readFile(FolderList('D')), folders);
        EXPECT_EQ(Machine::readFile(std::string(DataDir) + "\\SNPDAT.D03"), unreadable);
        EXPECT_EQ(Config(), config);
    }
    Machine::clearMessages();
    page2->SnapshotDrive('G');  // never present
    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_EQ(Machine::messages()[0].text, "  Cannot access drive  G");
    EXPECT_FALSE(platform::fileExists(FileList('G')));
}

// A folder that cannot be listed is not an empty one: it keeps its record,
// is named in the unreadable list, and the user hears of it once per drive.
TEST_F(SnapshotScannerTest, FoldersThatCannotBeListedAreRememberedAndReported) {
    Machine::addDrive('E');
    File("D:\\Locked\\secret.txt");
    File("D:\\Open\\plain.txt");
    File("D:\\Shut\\inner\\deep.txt");
    File("E:\\Only\\one.txt");
    for (const char* folder : {"D:\\Locked", "D:\\Shut", "E:\\Only"})
        Machine::makeUnlistable(folder);

    page2->SnapshotDrive('D');
    page2->SnapshotDrive('E');

    EXPECT_EQ(fileListInNameOrder(Machine::readFile(FileList('D'))),
              Lines({"D:\\LOCKED", "D:\\OPEN", "PLAIN.TXT", "D:\\SHUT"}));
    // Named in the order the walk met them.
    const bool lockedFirst = firstListed("D:\\", {"Locked", "Shut"}) == "Locked";
    const std::string first = lockedFirst ? "D:\\LOCKED" : "D:\\SHUT";
    const std::string second = lockedFirst ? "D:\\SHUT" : "D:\\LOCKED";
    EXPECT_EQ(Machine::readFile(std::string(DataDir) + "\\SNPDAT.D03"),
              Lines({first, second, "THEEND"}));
    EXPECT_EQ(Machine::readFile(std::string(DataDir) + "\\SNPDAT.E03"),
              Lines({"E:\\ONLY", "THEEND"}));
    EXPECT_EQ(Stat('D', "Filecount"), "1");
    ASSERT_EQ(Machine::messages().size(), 2u);
    EXPECT_EQ(Machine::messages()[0].text,
              "2 folders on drive D could not be read; nothing in them will be offered for "
              "removal. The first is " +
                  first);
    EXPECT_EQ(Machine::messages()[1].text,
              "1 folder on drive E could not be read; nothing in it will be offered for removal. "
              "It is E:\\ONLY");
    const platform::Rect outer = page1->outerBounds();
    for (const MessageRecord& shown : Machine::messages()) {
        EXPECT_EQ(shown.kind, platform::MessageKind::Information);
        EXPECT_EQ(shown.placement.x, outer.left + outer.width / 2 - 225);
        EXPECT_EQ(shown.placement.y, outer.top + outer.height / 2 - 40);
    }
}

// Links are recorded under their own name among their folder's files; they
// are never walked into and add nothing to the size.
TEST_F(SnapshotScannerTest, LinksAreRecordedAsEntriesAndNeverFollowed) {
    File("D:\\Real\\big.bin", 4096);
    const std::string real = Machine::hostPath("D:\\Real");
    std::filesystem::create_directory_symlink(real, Machine::hostPath("D:\\Real\\Loop"));
    std::filesystem::create_directory_symlink(real, Machine::hostPath("D:\\Alias"));
    std::filesystem::create_symlink(real + "/big.bin", Machine::hostPath("D:\\big.lnk"));

    page2->SnapshotDrive('D');
    EXPECT_EQ(fileListInNameOrder(Machine::readFile(FileList('D'))),
              Lines({"ALIAS", "BIG.LNK", "D:\\REAL", "BIG.BIN", "LOOP"}));
    EXPECT_EQ(Stat('D', "Pathcount"), "1");
    EXPECT_EQ(Stat('D', "Filecount"), "4");
    EXPECT_EQ(Stat('D', "Totalsize"), "4");
}

// Sizes beyond 32 bits count in full; the sum stops at the largest 32-bit
// value instead of wrapping.
TEST_F(SnapshotScannerTest, HugeFilesCountTheirTrueSizeAndTheSumSaturates) {
    File("D:\\big.img");
    File("D:\\huge.img");
    std::error_code failed;
    std::filesystem::resize_file(Machine::hostPath("D:\\big.img"), 3ull << 30, failed);
    if (failed)
        GTEST_SKIP() << "no sparse files here";
    page2->SnapshotDrive('D');
    EXPECT_EQ(Stat('D', "Totalsize"), "3145728");

    std::filesystem::resize_file(Machine::hostPath("D:\\huge.img"), 2ull << 40, failed);
    if (failed)
        GTEST_SKIP() << "no sparse files of 2 TB here";
    page2->SnapshotDrive('D');
    EXPECT_EQ(Stat('D', "Totalsize"), "2147483647");
    EXPECT_EQ(page2->Label2.caption(), "Scanning..D");
}

}  // namespace
