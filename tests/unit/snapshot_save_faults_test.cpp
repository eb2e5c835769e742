// A snapshot taken over an older one, with every disk step of it failed, cut
// in half or cut by a power failure in turn: afterwards the drive loads as
// the old snapshot or the new one, whole, and a scan of the unchanged drive
// offers nothing for removal.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "common/app_state.h"
#include "fake/machine.h"
#include "platform/files.h"
#include "restore/change_scanner.h"
#include "snapshot/snapshot_scanner.h"
#include "snapshot/snapshot_store.h"
#include "support/fault_plan.h"
#include "support/machine_test.h"
#include "support/walk_doubles.h"

namespace {

namespace fs = std::filesystem;
using testing_support::Fault;

// What a load put in the tables.
struct Loaded {
    std::vector<std::string> records, folderLines, unreadable;
    bool operator==(const Loaded& other) const {
        return records == other.records && folderLines == other.folderLines &&
               unreadable == other.unreadable;
    }
};

Loaded tables() {
    Loaded loaded;
    for (int slot = 1; slot <= snapshot::FileTableCount(); ++slot)
        loaded.records.emplace_back(snapshot::FileRecord(slot));
    for (int slot = 1; slot <= snapshot::FolderTableCount(); ++slot)
        loaded.folderLines.push_back(snapshot::FolderKey(slot));
    loaded.unreadable = snapshot::UnreadableFolders();
    return loaded;
}

class SnapshotSaveFaultTest : public testing_support::MachineTest {
protected:
    // Drive D snapshotted once (by a version that kept no unreadable list
    // and no sum, when asked); since then a folder and a file are gone, and D:\LOCKED
    // can no longer be listed.
    void prepare(bool withoutUnreadableList) {
        Machine::reset(hostRoot());
        for (const fs::directory_entry& entry : fs::directory_iterator(hostRoot()))
            fs::remove_all(entry.path());
        Machine::addDrive('C');
        Machine::addDrive('D');
        common::AppState& state = common::app();
        state = common::AppState{};
        state.paths.programDir = "C:\\TRELMRK";
        state.paths.dataDir = "C:\\TRELMRK\\SNPDAT";
        state.paths.winDir = "C:\\WINDOWS";
        state.paths.bootRoot = "C:\\";
        Machine::makeFolder(state.paths.dataDir);
        for (const char* path :
             {"D:\\ROOT.TXT", "D:\\OLD.TXT", "D:\\KEEP\\A.TXT", "D:\\KEEP\\B.TXT",
              "D:\\GONE\\X.TXT", "D:\\LOCKED\\SECRET.TXT", "D:\\LOCKED\\INNER\\DEEP.TXT"}) {
            write(path, "x");
        }
        takeSnapshot();
        if (withoutUnreadableList) {
            fs::remove(Machine::hostPath(snapshot::UnreadableListFileName('D')));
            fs::remove(Machine::hostPath(snapshot::SumFileName('D')));
        }
        fs::remove_all(Machine::hostPath("D:\\GONE"));
        fs::remove(Machine::hostPath("D:\\OLD.TXT"));
        Machine::makeUnlistable("D:\\LOCKED");
        Machine::clearMessages();
    }

    void takeSnapshot() { snapshot::SnapshotDrive('D', view_); }

    // The drive as it is now, loaded and scanned with D:\LOCKED readable
    // again: its files were there all along.
    Loaded loadAndScan() {
        Machine::makeUnlistable("D:\\LOCKED", false);
        Machine::clearMessages();
        review_.clear();
        EXPECT_TRUE(snapshot::LoadSnapshot('D'));
        const Loaded loaded = tables();
        restore::CompareDrive('D', view_, review_);
        return loaded;
    }

    testing_support::TestWalkView view_;
    testing_support::TestReview review_;
};

TEST_F(SnapshotSaveFaultTest, EveryStepFailedOrCutLeavesTheOldOrTheNewSnapshotWhole) {
    for (bool withoutUnreadableList : {false, true}) {
        SCOPED_TRACE(withoutUnreadableList ? "old set of two files" : "old set of three files");
        prepare(withoutUnreadableList);
        const Loaded old = loadAndScan();
        prepare(withoutUnreadableList);
        takeSnapshot();
        ASSERT_EQ(Machine::messages().size(), 1u);  // the folder that could not be read
        const Loaded fresh = loadAndScan();
        ASSERT_FALSE(old == fresh);
        EXPECT_EQ(fresh.unreadable, (std::vector<std::string>{"D:\\LOCKED"}));

        testing_support::FaultPlan plan;
        plan.prepare = [&] { prepare(withoutUnreadableList); };
        plan.operation = [this] { takeSnapshot(); };
        int endedOld = 0, endedNew = 0;
        plan.check = [&](const Fault& fault) {
            SCOPED_TRACE(fault.describe());
            const Loaded loaded = loadAndScan();
            EXPECT_TRUE(loaded == old || loaded == fresh);
            (loaded == old ? endedOld : endedNew) += 1;
            EXPECT_EQ(review_.files.size(), 0u);
            EXPECT_EQ(review_.folders.size(), 0u);
            EXPECT_TRUE(Machine::messages().empty());
            for (char part = '1'; part <= '4'; ++part) {
                for (const char* stem : {"\\SNPTMP.D0", "\\SNPOLD.D0"})
                    EXPECT_FALSE(exists(common::app().paths.dataDir + stem + part));
            }
        };
        // Four files written, the old ones set aside, four moved in, the
        // old ones deleted, then the statistics.
        EXPECT_GE(testing_support::runEveryFault(plan), 12);
        EXPECT_GT(endedOld, 0);
        EXPECT_GT(endedNew, 0);
    }
}

}  // namespace
