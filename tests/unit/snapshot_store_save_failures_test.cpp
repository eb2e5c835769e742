// Snapshot saves that fail part of the way: a full disk, a read-only file, a
// data folder that is gone; the earlier snapshot stays whole.
#include <signal.h>
#include <sys/resource.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "common/staged_replace.h"
#include "platform/files.h"
#include "snapshot/snapshot_store.h"
#include "snapshot_files.h"
#include "snapshot_store_fixture.h"

namespace {

using namespace snapshottest;
using platform::fake::ProcessExit;

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
        EXPECT_FALSE(platform::fileExists(common::PendingName(FileList('D'))));
        EXPECT_FALSE(platform::fileExists(common::PendingName(FolderList('D'))));
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
        EXPECT_STREQ(error.what(), "Stream write error (Disk full)");
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
        EXPECT_STREQ(error.what(), "Stream write error (Disk full)");
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
