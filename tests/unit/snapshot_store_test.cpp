// The snapshot store: the files' bytes, ScrambleText, and the load with its
// limits, sums and messages.
#include "snapshot/snapshot_store.h"

#include <string>
#include <vector>

#include "common/staged_replace.h"
#include "fake/faults.h"
#include "platform/files.h"
#include "platform/listbox.h"
#include "platform/text_rules.h"
#include "snapshot_files.h"
#include "snapshot_store_fixture.h"

namespace {

using namespace snapshottest;
using namespace wizardtest;
using platform::MessageKind;
using platform::fake::MessageRecord;
using platform::fake::ProcessExit;

const char* const TooManyFiles =
    "You have more than 60,000 files on your drive.Please ask for professinal version or "
    "decrease number of files.";
const char* const TooManyFolders =
    "You have more than 4,000 folders on your drive.Please ask for professional version or "
    "decrease number of folders.";

TEST(ScrambleText, FlipsBitThreeAndIsItsOwnInverse) {
    EXPECT_EQ(snapshot::ScrambleText("abc"), "ijk");
    EXPECT_EQ(snapshot::ScrambleText(""), "");
    for (const std::string text : {"C:\\PROGRAM FILES\\FOO", "THEEND", "60001", "\xC9t\xE9"}) {
        const std::string once = snapshot::ScrambleText(text);
        EXPECT_EQ(once.size(), text.size());
        EXPECT_EQ(once.find_first_of("\r\n"), std::string::npos) << text;
        EXPECT_EQ(snapshot::ScrambleText(once), text);
    }
}

TEST(UpperCase, ChangesOnlyTheLettersAToZ) {
    EXPECT_EQ(platform::upperCase("c:\\Program Files\\foo_1.txt"), "C:\\PROGRAM FILES\\FOO_1.TXT");
    EXPECT_EQ(platform::upperCase("r\xe9sum\xe9 \xe0 la {carte}"), "R\xe9SUM\xe9 \xe0 LA {CARTE}");
}

// The tree of the change scanner's worked example, saved and loaded again.
TEST_F(SnapshotStoreTest, WorkedExampleSavesExactBytesAndLoadsBack) {
    const std::vector<std::string> records = {"AUTOEXEC.BAT", "CONFIG.SYS", "C:\\WINDOWS",
                                              "WIN.INI",      "SYSTEM.INI", "C:\\WINDOWS\\SYSTEM",
                                              "USER.EXE",     "C:\\TEMP"};
    Prepare('C', records, {{"C:\\WINDOWS", 3}, {"C:\\WINDOWS\\SYSTEM", 6}, {"C:\\TEMP", 8}});
    snapshot::SaveSnapshot('C', 8);

    EXPECT_EQ(Machine::readFile(FileList('C')), Lines(records));
    const std::vector<std::string> folderLines = {
        "C:", "0", "C:\\WINDOWS", "3", "C:\\WINDOWS\\SYSTEM", "6", "C:\\TEMP", "8", "THEEND", "9"};
    EXPECT_EQ(Machine::readFile(FolderList('C')), Lines(folderLines, true));
    EXPECT_EQ(snapshot::FolderListLines().count(), 0);
    // Nothing is left under the pending names.
    EXPECT_FALSE(platform::fileExists(common::PendingName(FileList('C'))));
    EXPECT_FALSE(platform::fileExists(common::PendingName(FolderList('C'))));

    snapshot::StoreFileRecord(1, "SOMETHING ELSE");
    ASSERT_TRUE(snapshot::LoadSnapshot('C'));
    EXPECT_TRUE(Machine::messages().empty());
    ASSERT_EQ(snapshot::FileTableCount(), 8);
    for (int slot = 1; slot <= 8; ++slot)
        EXPECT_EQ(snapshot::FileRecord(slot), records[slot - 1]);
    ASSERT_EQ(snapshot::FolderTableCount(), 10);
    for (int slot = 1; slot <= 10; ++slot) {
        EXPECT_EQ(snapshot::FolderLine(slot), folderLines[slot - 1]);
    }
}

// The sum saved with the set: one byte changed in any of its files is
// refused; a set without the sum is older than it and loads unchecked.
TEST_F(SnapshotStoreTest, ASavedSumRefusesOneChangedByte) {
    Prepare('D', {"B1.TXT", "D:\\SUB", "B2.TXT"}, {{"D:\\SUB", 2}});
    snapshot::SaveSnapshot('D', 3);
    const std::string sumFile = snapshot::SumFileName('D');
    const std::string unreadable = snapshot::UnreadableListFileName('D');
    EXPECT_EQ(sumFile, std::string(DataDir) + "\\SNPDAT.D04");
    const std::string saved[] = {Machine::readFile(FileList('D')),
                                 Machine::readFile(FolderList('D')), Machine::readFile(unreadable),
                                 Machine::readFile(sumFile)};
    auto restoreSet = [&] {
        const std::string paths[] = {FileList('D'), FolderList('D'), unreadable, sumFile};
        for (int i = 0; i < 4; ++i)
            Machine::writeFile(paths[i], saved[i]);
    };
    struct Case {
        const char* what;
        std::string path;
        std::string bytes;  // "" removes the file
    };
    const Case damaged[] = {
        {"a record changed", FileList('D'), Lines({"B1.TXU", "D:\\SUB", "B2.TXT"})},
        {"a record added", FileList('D'), Lines({"B1.TXT", "B0.TXT", "D:\\SUB", "B2.TXT"})},
        {"a folder line changed", FolderList('D'),
         Lines({"D:", "0", "D:\\SUB", "2", "THEEND", "5"}, true)},
        {"the unreadable list changed", unreadable, Lines({"D:\\SUB", "THEEND"})},
        {"the unreadable list gone", unreadable, ""},
        {"the sum changed", sumFile, Lines({"3 00000000", "6 00000000", "1 00000000"})},
    };
    for (const Case& c : damaged) {
        SCOPED_TRACE(c.what);
        restoreSet();
        Machine::clearMessages();
        ASSERT_TRUE(snapshot::LoadSnapshot('D'));
        if (c.bytes.empty()) {
            ASSERT_TRUE(platform::deleteFile(c.path));
        } else {
            Machine::writeFile(c.path, c.bytes);
        }
        EXPECT_FALSE(snapshot::LoadSnapshot('D'));
        ExpectOnlyMessage("The snapshot of drive D is damaged.", 120);
    }
    restoreSet();
    ASSERT_TRUE(platform::deleteFile(sumFile));
    Machine::writeFile(FileList('D'), Lines({"B1.TXU", "D:\\SUB", "B2.TXT"}));
    Machine::clearMessages();
    EXPECT_TRUE(snapshot::LoadSnapshot('D'));
    EXPECT_TRUE(Machine::messages().empty());
}

// A read that fails part-way is not the end of the file: a set without a sum
// would otherwise load as a part and make the rest of the drive look new.
TEST_F(SnapshotStoreTest, AReadFailingPartWayRefusesTheLoadAndNamesTheCause) {
    namespace faults = platform::fake::faults;
    Prepare('D', {"B1.TXT", "D:\\SUB", "B2.TXT"}, {{"D:\\SUB", 2}});
    snapshot::UnreadableFolders().push_back("D:\\SUB");
    snapshot::SaveSnapshot('D', 3);
    ASSERT_TRUE(platform::deleteFile(snapshot::SumFileName('D')));
    const struct {
        std::string path;
        int cause;
        const char* shown;
    } broken[] = {
        {FileList('D'), platform::ioerr::DriveNotReady, "Drive not ready"},
        {FolderList('D'), platform::ioerr::LockViolation, "Lock violation"},
        {snapshot::UnreadableListFileName('D'), platform::ioerr::SharingViolation,
         "Sharing violation"},
    };
    for (const auto& c : broken) {
        SCOPED_TRACE(c.path);
        Machine::clearMessages();
        faults::breakReads(c.path, 9, c.cause);
        EXPECT_FALSE(snapshot::LoadSnapshot('D'));
        ExpectOnlyMessage(std::string("The snapshot of drive D is damaged. (") + c.shown + ")",
                          120);
        EXPECT_TRUE(snapshot::UnreadableFolders().empty());
        faults::reset();
    }
    Machine::clearMessages();
    EXPECT_TRUE(snapshot::LoadSnapshot('D'));
    EXPECT_TRUE(Machine::messages().empty());
}

TEST_F(SnapshotStoreTest, LoadCutsRecordsAt120AndFolderLinesAt255) {
    const std::string longName(130, 'N');
    const std::string longKey = "D:\\" + std::string(300, 'K');
    Machine::writeFile(FileList('D'), Lines({longName, longKey.substr(0, 120)}));
    Machine::writeFile(FolderList('D'), Lines({"D:", "0", longKey, "2", "THEEND", "3"}, true));
    ASSERT_TRUE(snapshot::LoadSnapshot('D'));
    EXPECT_EQ(snapshot::FileRecord(1), longName.substr(0, 120));
    EXPECT_EQ(snapshot::FolderLine(3), longKey.substr(0, 255));
    EXPECT_EQ(snapshot::FolderKey(3), longKey);
}

TEST_F(SnapshotStoreTest, MissingFileListSaysThereIsNoSnapshot) {
    EXPECT_FALSE(snapshot::LoadSnapshot('F'));
    ExpectOnlyMessage("There is no snapshot for drive F", 120);
}

TEST_F(SnapshotStoreTest, FileListOf60000LinesLoadsAnd60001DoNot) {
    std::string records;
    for (int i = 1; i <= 60000; ++i)
        records += "F" + std::to_string(i) + "\r\n";
    Machine::writeFile(FileList('D'), records);
    Machine::writeFile(FolderList('D'), Lines({"D:", "0", "THEEND", "60001"}, true));
    ASSERT_TRUE(snapshot::LoadSnapshot('D'));
    EXPECT_EQ(snapshot::FileTableCount(), 60000);
    EXPECT_EQ(snapshot::FileRecord(60000), "F60000");
    EXPECT_TRUE(Machine::messages().empty());

    Machine::writeFile(FileList('D'), records + "F60001\r\n");
    Machine::writeFile(FolderList('D'), Lines({"D:", "0", "THEEND", "60002"}, true));
    EXPECT_FALSE(snapshot::LoadSnapshot('D'));
    ExpectOnlyMessage(TooManyFiles, 225);
}

// 8,000 lines are the drive's pair, 3,998 folders and THEEND.
TEST_F(SnapshotStoreTest, FolderListOf8000LinesLoadsAnd8002DoNot) {
    std::vector<std::string> records;
    std::vector<std::string> folders = {"D:", "0"};
    for (int i = 1; i <= 3999; ++i) {
        records.push_back("D:\\F" + std::to_string(i));
        folders.push_back(records.back());
        folders.push_back(std::to_string(i));
    }
    auto write = [&](int count) {
        std::vector<std::string> lines(folders.begin(), folders.begin() + 2 + 2 * count);
        lines.push_back("THEEND");
        lines.push_back(std::to_string(count + 1));
        Machine::writeFile(FileList('D'), Lines({records.begin(), records.begin() + count}));
        Machine::writeFile(FolderList('D'), Lines(lines, true));
    };
    write(3998);
    ASSERT_TRUE(snapshot::LoadSnapshot('D'));
    EXPECT_EQ(snapshot::FolderTableCount(), 8000);
    EXPECT_EQ(snapshot::FolderLine(7999), "THEEND");

    write(3999);
    EXPECT_FALSE(snapshot::LoadSnapshot('D'));
    ExpectOnlyMessage(TooManyFolders, 225);
}

// A folder list that cannot be trusted would make every folder it lacks,
// and every file in them, look new: such a load fails, naming the drive. So
// does an unreadable list that does not belong to the pair.
TEST_F(SnapshotStoreTest, MissingOrDamagedFolderListFailsTheLoad) {
    const std::vector<std::string> records = {"A.TXT", "D:\\SUB", "B.TXT"};
    const std::vector<std::string> threeFolders = {"A.TXT", "D:\\S1", "B.TXT", "D:\\S2",
                                                   "C.TXT", "D:\\S3", "E.TXT"};
    const std::vector<std::string> whole = {"D:", "0", "D:\\SUB", "2", "THEEND", "4"};
    // Past the 120 characters its record keeps, a key is checked by nothing
    // but its form.
    const std::string longKey = "D:\\" + std::string(130, 'S');
    const std::vector<std::string> longRecords = {"A.TXT", longKey.substr(0, 120), "B.TXT"};
    auto withKey = [](const std::string& key) {
        return std::vector<std::string>{"D:", "0", key, "2", "THEEND", "4"};
    };
    struct Case {
        const char* what;
        std::vector<std::string> lines;
        std::vector<std::string> records;
        std::vector<std::string> unreadable;  // none: no such file
    };
    const Case damaged[] = {
        {"index not a number", {"D:", "0", "D:\\SUB", "2x", "THEEND", "4"}, records, {}},
        {"signed index", {"D:", "0", "D:\\SUB", "+2", "THEEND", "4"}, records, {}},
        {"index beyond 32 bits", {"D:", "0", "D:\\SUB", "99999999999", "THEEND", "4"}, records, {}},
        {"cut short before a folder's pair", {"D:", "0"}, records, {}},
        {"end pair of another file list", {"D:", "0", "D:\\SUB", "2", "THEEND", "5"}, records, {}},
        {"key without its index", {"D:", "0", "D:\\SUB", "2", "THEEND"}, records, {}},
        {"index of a file record", {"D:", "0", "D:\\SUB", "3", "THEEND", "4"}, records, {}},
        {"another drive's pair", {"C:", "0", "D:\\SUB", "2", "THEEND", "4"}, records, {}},
        {"empty", {}, records, {}},
        {"a pair missing from the middle",
         {"D:", "0", "D:\\S1", "2", "D:\\S3", "6", "THEEND", "8"},
         threeFolders,
         {}},
        {"a pair without its record",
         {"D:", "0", "D:\\SUB", "2", "D:\\NONE", "4", "THEEND", "4"},
         records,
         {}},
        {"a small letter", withKey(longKey.substr(0, 129) + "s"), longRecords, {}},
        {"a control character", withKey(longKey.substr(0, 125) + '\0' + "S"), longRecords, {}},
        {"an empty name", withKey(longKey.substr(0, 125) + "\\\\S"), longRecords, {}},
        {"unreadable list cut short", whole, records, {"D:\\SUB"}},
        {"unreadable folder of another snapshot", whole, records, {"D:\\OTHER", "THEEND"}},
        {"the drive itself unreadable", whole, records, {"D:", "THEEND"}},
    };
    const std::string unreadableList = std::string(DataDir) + "\\SNPDAT.D03";
    for (const Case& c : damaged) {
        SCOPED_TRACE(c.what);
        Machine::clearMessages();
        Machine::writeFile(FileList('D'), Lines(c.records));
        Machine::writeFile(FolderList('D'), Lines(c.lines, true));
        if (!c.unreadable.empty())
            Machine::writeFile(unreadableList, Lines(c.unreadable));
        EXPECT_FALSE(snapshot::LoadSnapshot('D'));
        ExpectOnlyMessage("The snapshot of drive D is damaged.", 120);
        if (platform::fileExists(unreadableList)) {
            ASSERT_TRUE(platform::deleteFile(unreadableList));
        }
    }

    // Whole, lacking only its end pair, or with the folders it could not
    // read: all load.
    Machine::writeFile(FileList('D'), Lines(records));
    for (const std::vector<std::string>& unreadable :
         {std::vector<std::string>{}, std::vector<std::string>{"THEEND"},
          std::vector<std::string>{"D:\\SUB", "THEEND"}}) {
        for (const std::vector<std::string>& lines :
             {whole, std::vector<std::string>{"D:", "0", "D:\\SUB", "2"}}) {
            Machine::clearMessages();
            Machine::writeFile(FolderList('D'), Lines(lines, true));
            if (!unreadable.empty())
                Machine::writeFile(unreadableList, Lines(unreadable));
            EXPECT_TRUE(snapshot::LoadSnapshot('D'));
            EXPECT_TRUE(Machine::messages().empty());
            EXPECT_EQ(snapshot::UnreadableFolders().size(), unreadable.size() > 1 ? 1u : 0u);
        }
    }

    ASSERT_TRUE(platform::deleteFile(FolderList('D')));
    EXPECT_FALSE(snapshot::LoadSnapshot('D'));
    ExpectOnlyMessage("The snapshot of drive D is incomplete.", 120);
}

}  // namespace
