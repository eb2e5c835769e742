// The snapshot store: the two files' bytes, ScrambleText, the load with its
// limits and messages, and saves that fail part of the way.
#include "snapshot/snapshot_store.h"

#include <signal.h>
#include <sys/resource.h>

#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/listbox.h"
#include "snapshot_files.h"
#include "wizard_fixture.h"

namespace {

using namespace snapshottest;
using namespace wizardtest;
using platform::MessageKind;
using platform::posix::MessageRecord;
using platform::posix::ProcessExit;

const char* const TooManyFiles =
    "You have more than 60,000 files on your drive.Please ask for professinal version or "
    "decrease number of files.";
const char* const TooManyFolders =
    "You have more than 4,000 folders on your drive.Please ask for professional version or "
    "decrease number of folders.";

class SnapshotStoreTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        platform::setApplicationTitle("Trellmark");
        CreatePages();
        Machine::clearMessages();
    }

    // Fills the table and FolderListLines as a walk of `records` would, with
    // the given folder pairs.
    static void Prepare(char drive, const std::vector<std::string>& records,
                        const std::vector<std::pair<std::string, int>>& folders) {
        for (size_t i = 0; i < records.size(); ++i) {
            snapshot::StoreFileRecord(static_cast<int>(i) + 1, records[i]);
        }
        platform::ListBox& lines = snapshot::FolderListLines();
        lines.clear();
        lines.add(snapshot::ScrambleText(std::string(1, drive) + ":"));
        lines.add(snapshot::ScrambleText("0"));
        for (const auto& folder : folders) {
            lines.add(snapshot::ScrambleText(folder.first));
            lines.add(snapshot::ScrambleText(std::to_string(folder.second)));
        }
    }

    void ExpectOnlyMessage(const std::string& text, int x) {
        ASSERT_EQ(Machine::messages().size(), 1u);
        const MessageRecord& shown = Machine::messages()[0];
        EXPECT_EQ(shown.text, text);
        EXPECT_EQ(shown.kind, MessageKind::Information);
        EXPECT_EQ(shown.caption, "Information");
        EXPECT_EQ(shown.buttons, platform::MessageButtons::Ok);
        // Page 1 is centred on an 800 x 600 screen: its outer frame is 508 x 354.
        const platform::Rect outer = page1->outerBounds();
        EXPECT_EQ(shown.placement.x, outer.left + outer.width / 2 - x);
        EXPECT_EQ(shown.placement.y, outer.top + outer.height / 2 - 40);
    }
};

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
    EXPECT_EQ(snapshot::UpperCase("c:\\Program Files\\foo_1.txt"), "C:\\PROGRAM FILES\\FOO_1.TXT");
    EXPECT_EQ(snapshot::UpperCase("r\xe9sum\xe9 \xe0 la {carte}"), "R\xe9SUM\xe9 \xe0 LA {CARTE}");
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
    EXPECT_FALSE(platform::fileExists(snapshot::PendingFileListName('C')));
    EXPECT_FALSE(platform::fileExists(snapshot::PendingFolderListName('C')));

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

class SaveFailureTest : public SnapshotStoreTest {
protected:
    void SetUp() override {
        SnapshotStoreTest::SetUp();
        Prepare('D', {"OLD.TXT"}, {});
        snapshot::SaveSnapshot('D', 1);
        oldFiles_ = Machine::readFile(FileList('D'));
        oldFolders_ = Machine::readFile(FolderList('D'));
    }

    void ExpectOldSnapshotKept() {
        EXPECT_EQ(Machine::readFile(FileList('D')), oldFiles_);
        EXPECT_EQ(Machine::readFile(FolderList('D')), oldFolders_);
        EXPECT_FALSE(platform::fileExists(snapshot::PendingFileListName('D')));
        EXPECT_FALSE(platform::fileExists(snapshot::PendingFolderListName('D')));
        Machine::clearMessages();
        ASSERT_TRUE(snapshot::LoadSnapshot('D'));
        EXPECT_EQ(snapshot::FileTableCount(), 1);
        EXPECT_EQ(snapshot::FileRecord(1), "OLD.TXT");
    }

    // A walk of 20,000 records with a folder every hundredth.
    static void PrepareLargeWalk() {
        std::vector<std::string> records;
        std::vector<std::pair<std::string, int>> folders;
        for (int i = 1; i <= 20000; ++i) {
            if (i % 100 == 1) {
                records.push_back("D:\\FOLDER" + std::to_string(i));
                folders.push_back({records.back(), i});
            } else {
                records.push_back("A RATHER LONG FILE NAME NUMBER " + std::to_string(i) + ".TXT");
            }
        }
        Prepare('D', records, folders);
    }

    std::string oldFiles_, oldFolders_;
};

// The host refuses to let a file grow past a few kilobytes, as a full disk
// would, while the new snapshot is being written.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() {
        setrlimit(RLIMIT_FSIZE, &saved_);
        signal(SIGXFSZ, SIG_DFL);
    }

private:
    rlimit saved_;
};

TEST_F(SaveFailureTest, FileListFailingHalfWayKeepsTheEarlierSnapshot) {
    PrepareLargeWalk();
    try {
        FileSizeLimit limit(8192);
        snapshot::SaveSnapshot('D', 20000);
        FAIL() << "the save reported success";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Stream write error");
    }
    ExpectOldSnapshotKept();
}

TEST_F(SaveFailureTest, FolderListFailingHalfWayKeepsTheEarlierSnapshot) {
    PrepareLargeWalk();
    // Records of the file list stay under the limit; the folder list passes it.
    for (int slot = 1; slot <= 20000; ++slot) {
        if (snapshot::FileRecord(slot).rfind("D:\\", 0) != 0)
            snapshot::StoreFileRecord(slot, "F");
    }
    for (int i = 0; i < 3000; ++i)
        snapshot::FolderListLines().add(std::string(100, 'X'));
    try {
        FileSizeLimit limit(200000);
        snapshot::SaveSnapshot('D', 20000);
        FAIL() << "the save reported success";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Stream write error");
    }
    ExpectOldSnapshotKept();
}

TEST_F(SaveFailureTest, ReadOnlyOldFileListEndsTheProgramAndStays) {
    ASSERT_TRUE(platform::setFileAttributes(FileList('D'), platform::attr::ReadOnly));
    Prepare('D', {"NEW.TXT"}, {});
    try {
        snapshot::SaveSnapshot('D', 1);
        FAIL() << "the program went on";
    } catch (const ProcessExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_EQ(Machine::messages()[0].text, "File create error !!!");
    ASSERT_TRUE(platform::setFileAttributes(FileList('D'), platform::attr::Archive));
    ExpectOldSnapshotKept();
}

TEST_F(SaveFailureTest, FolderListThatCannotBeReplacedKeepsTheOldPair) {
    // A read-only file stands where the folder list goes.
    ASSERT_TRUE(platform::setFileAttributes(FolderList('D'), platform::attr::ReadOnly));
    Prepare('D', {"NEW.TXT"}, {});
    try {
        snapshot::SaveSnapshot('D', 1);
        FAIL() << "the save reported success";
    } catch (const std::runtime_error& error) {
        EXPECT_EQ(std::string(error.what()), "Cannot create file " + FolderList('D'));
    }
    ExpectOldSnapshotKept();
}

TEST_F(SnapshotStoreTest, FileListThatCannotBeCreatedEndsTheProgram) {
    ASSERT_TRUE(platform::setCurrentDirectory("C:\\"));
    ASSERT_TRUE(platform::removeDirectory(DataDir));
    Prepare('C', {"NEW.TXT"}, {});
    try {
        snapshot::SaveSnapshot('C', 1);
        FAIL() << "the program went on";
    } catch (const ProcessExit& exit) {
        EXPECT_EQ(exit.code, 0);
    }
    ASSERT_EQ(Machine::messages().size(), 1u);
    const MessageRecord& shown = Machine::messages()[0];
    EXPECT_EQ(shown.text, "File create error !!!");
    EXPECT_EQ(shown.kind, MessageKind::Plain);
    EXPECT_EQ(shown.caption, "Trellmark");
    EXPECT_EQ(shown.buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(shown.placement.x, -1);
    EXPECT_EQ(shown.placement.y, -1);
    EXPECT_FALSE(platform::fileExists(FolderList('C')));
}

}  // namespace
