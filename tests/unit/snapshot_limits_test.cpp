// The snapshot walk at the table limits: more records and more folders than
// a snapshot can hold.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/files.h"
#include "platform/textfile.h"
#include "snapshot/snapshot_scanner.h"
#include "snapshot/snapshot_store.h"
#include "snapshot_scanner_fixture.h"

namespace {

using namespace snapshottest;

// Drives of tens of thousands of entries, kept in memory when the host has a
// memory file system, so that making and removing them stays quick.
class LargeDriveTest : public SnapshotScannerTest {
protected:
    void SetUp() override {
        SnapshotScannerTest::SetUp();
        const char* base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
        std::string pattern = std::string(base) + "/trellmark-snapshot-XXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        std::filesystem::create_directory(folder_ + "/d");
        // Drive D now lies in the memory folder; everything else stays.
        const std::string drive = Machine::folder() + "/D";
        std::filesystem::remove(drive);
        std::filesystem::create_directory_symlink(folder_ + "/d", drive);
    }
    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        SnapshotScannerTest::TearDown();
    }

private:
    std::string folder_;
};

TEST_F(LargeDriveTest, MoreThan60000RecordsAreCountedButRefused) {
    File("D:\\keep.txt");
    page2->SnapshotDrive('D');
    const std::string files = Machine::readFile(FileList('D'));
    const std::string config = Config();

    // 60,000 files besides keep.txt, written straight on the host for speed.
    const std::string many = Machine::hostPath("D:\\Many");
    std::filesystem::create_directory(many);
    for (int i = 0; i < 60000; ++i)
        std::ofstream(many + "/f" + std::to_string(i));
    Machine::clearMessages();
    page2->SnapshotDrive('D');

    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_EQ(Machine::messages()[0].text,
              "You have more than 60,000 files on your drive.Please ask for professinal version "
              "or decrease number of files.");
    EXPECT_EQ(Machine::readFile(FileList('D')), files);
    EXPECT_EQ(Config(), config);
    // The last slot holds one of the many files; nothing goes beyond it.
    const std::string last(snapshot::FileRecord(60000));
    ASSERT_GE(last.size(), 2u);
    EXPECT_EQ(last[0], 'F');
    EXPECT_EQ(last.find_first_not_of("0123456789", 1), std::string::npos);
}

// Only the load limits the folders: such a drive is saved whole and its
// load is then refused.
TEST_F(LargeDriveTest, MoreThan3998FoldersAreSavedWholeButDoNotLoad) {
    // 63 folders of 63 subfolders each: 4,032 folders.
    for (int i = 0; i < 63; ++i) {
        const std::string top = Machine::hostPath("D:\\t" + std::to_string(i));
        std::filesystem::create_directory(top);
        for (int j = 0; j < 63; ++j)
            std::filesystem::create_directory(top + "/s" + std::to_string(j));
    }
    page2->SnapshotDrive('D');
    EXPECT_TRUE(Machine::messages().empty());
    EXPECT_EQ(Stat('D', "Pathcount"), "4032");

    std::vector<std::string> lines;
    platform::TextReader reader;
    ASSERT_TRUE(reader.open(FolderList('D')));
    std::string line;
    while (reader.readLine(line))
        lines.push_back(snapshot::ScrambleText(line));
    ASSERT_EQ(lines.size(), 2u * (4032 + 2));
    EXPECT_EQ(lines[lines.size() - 2], "THEEND");
    EXPECT_EQ(lines.back(), "4033");

    EXPECT_FALSE(snapshot::LoadSnapshot('D'));
    ASSERT_EQ(Machine::messages().size(), 1u);
    EXPECT_EQ(Machine::messages()[0].text,
              "You have more than 4,000 folders on your drive.Please ask for professional "
              "version or decrease number of folders.");
}

}  // namespace
