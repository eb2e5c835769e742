// Every disk step of each replace of a set (a snapshot over an older one, the
// system-file backup, the restore) failed, cut in half or cut by the power in
// turn: each destination is afterwards its old file or its new file whole,
// the set is all old or all new once the next start has settled it, the old
// set unless the step that commits it was done, and nothing is left beside it.
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <vector>

#include "common/staged_replace.h"
#include "platform/files.h"
#include "restore/system_files.h"
#include "snapshot/snapshot_scanner.h"
#include "snapshot/snapshot_store.h"
#include "support/fault_plan.h"
#include "wizard_fixture.h"

namespace {

namespace fs = std::filesystem;
using namespace wizardtest;
using namespace std::string_literals;
using testing_support::Action;
using testing_support::Fault;
using testing_support::FaultPlan;
using testing_support::Step;
namespace faults = platform::fake::faults;

const std::string DataDir = "C:\\Program Files\\Trellmark\\SNPDAT";
const std::vector<std::string> Folders = {"C:", "C:\\WINDOWS", DataDir};

using Files = std::map<std::string, std::optional<std::string>>;
using Lines = std::vector<std::string>;

Files Read(const std::vector<std::string>& paths) {
    Files files;
    for (const std::string& path : paths) {
        files[path] =
            platform::fileExists(path) ? std::optional(Machine::readFile(path)) : std::nullopt;
    }
    return files;
}

std::vector<std::string> Keys(const Files& files) {
    std::vector<std::string> keys;
    for (const auto& entry : files)
        keys.push_back(entry.first);
    return keys;
}

// Larger than a block: a write cut in half leaves a short file part-way.
std::string Bytes(const std::string& seed, size_t size) {
    std::string bytes;
    while (bytes.size() < size)
        bytes += seed;
    return bytes.substr(0, size);
}

void WriteLive(const std::string& era) {
    Machine::writeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nREM " + era + "\r\n");
    Machine::writeFile("C:\\CONFIG.SYS", "FILES=40\r\nREM " + era + "\r\n");
    Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\n" + era + "\r\n");
    Machine::writeFile("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\n" + era + "\r\n");
    Machine::writeFile("C:\\WINDOWS\\SYSTEM.DAT", Bytes("CREG\0system "s + era, 5000));
    Machine::writeFile("C:\\WINDOWS\\USER.DAT", "CREG\0user "s + era);
}

const Lines LiveFiles = {"C:\\AUTOEXEC.BAT",        "C:\\CONFIG.SYS",
                         "C:\\WINDOWS\\WIN.INI",    "C:\\WINDOWS\\SYSTEM.INI",
                         "C:\\WINDOWS\\SYSTEM.DAT", "C:\\WINDOWS\\USER.DAT"};
const Lines BackupFiles = {DataDir + "\\AUTOEXEC.BAT", DataDir + "\\CONFIG.SYS",
                           DataDir + "\\WIN.INI",      DataDir + "\\SYSTEM.INI",
                           DataDir + "\\SYSTEM.DAT",   DataDir + "\\USER.DAT",
                           DataDir + "\\HIVES.SUM"};
const Lines RestoredFiles = {"C:\\AUTOEXEC.BAT",         "C:\\CONFIG.SYS",
                             "C:\\WINDOWS\\WIN.INI",     "C:\\WINDOWS\\SYSTEM.INI",
                             "C:\\WINDOWS\\SYSTEM.QX1",  "C:\\WINDOWS\\USER.QX1",
                             "C:\\WINDOWS\\AUTOEXEC.QX1"};
const Lines RestoreUnchanged = {
    DataDir + "\\AUTOEXEC.BAT", DataDir + "\\CONFIG.SYS",  DataDir + "\\WIN.INI",
    DataDir + "\\SYSTEM.INI",   DataDir + "\\SYSTEM.DAT",  DataDir + "\\USER.DAT",
    DataDir + "\\HIVES.SUM",    "C:\\WINDOWS\\SYSTEM.DAT", "C:\\WINDOWS\\USER.DAT"};
const Lines SnapshotFiles = {DataDir + "\\SNPDAT.D01", DataDir + "\\SNPDAT.D02",
                             DataDir + "\\SNPDAT.D03", DataDir + "\\SNPDAT.D04"};

// The pending, aside, record and mark copies a replace left behind, and the
// names of the earlier snapshot replace.
Lines LeftOverCopies() {
    Lines left;
    for (const std::string& folder : Folders) {
        platform::DirectoryListing listing(folder + "\\*.*", platform::attr::AnyFile);
        platform::DirEntry entry;
        while (listing.next(entry)) {
            const bool staged = entry.name.find("TM.") != std::string::npos ||
                                entry.name.rfind("SNPTMP.", 0) == 0 ||
                                entry.name.rfind("SNPOLD.", 0) == 0;
            if (!entry.isFolder() && staged)
                left.push_back(folder + "\\" + entry.name);
        }
    }
    return left;
}

// What a load put in the tables.
struct Loaded {
    Lines records, folderLines, unreadable;
    bool operator==(const Loaded& other) const {
        return records == other.records && folderLines == other.folderLines &&
               unreadable == other.unreadable;
    }
};

Loaded Tables() {
    Loaded loaded;
    for (int slot = 1; slot <= snapshot::FileTableCount(); ++slot)
        loaded.records.emplace_back(snapshot::FileRecord(slot));
    for (int slot = 1; slot <= snapshot::FolderTableCount(); ++slot)
        loaded.folderLines.push_back(snapshot::FolderKey(slot));
    loaded.unreadable = snapshot::UnreadableFolders();
    return loaded;
}

class StagedSets;

// One replace of a set: the machine before it, the operation, its set and
// what else must hold.
struct Row {
    const char* name;
    void (StagedSets::*prepare)();
    void (*operation)();
    const Lines* set;
    const Lines* unchanged;  // files that stay as they were throughout
    bool configFollows;      // the config file changes only with a complete set
    bool snapshotLoads;      // the drive loads and scans as the old or the new snapshot
    int leastSteps;
};

void PrintTo(const Row& row, std::ostream* out) {
    *out << row.name;
}

class StagedSets : public WizardTest {
public:
    void Fresh() {
        WizardTest::TearDown();
        WizardTest::SetUp();
        CreatePages();
        Machine::setLocalNow(platform::DateTime{2026, 7, 12, 21, 5, 0});
    }

    void PrepareBackup() {
        Fresh();
        WriteLive("snapshot one");
        restore::BackupSystemFiles();
        WriteLive("snapshot two");
    }

    void PrepareRestore() {
        Fresh();
        WriteLive("at the snapshot");
        restore::BackupSystemFiles();
        WriteLive("after an install");
    }

    // Drive D snapshotted once (by a version that kept no unreadable list
    // and no sum, when asked); since then a folder and a file are gone, and
    // D:\LOCKED can no longer be listed.
    void PrepareSnapshot(bool withoutUnreadableList) {
        Fresh();
        Machine::addDrive('D');
        for (const char* path :
             {"D:\\ROOT.TXT", "D:\\OLD.TXT", "D:\\KEEP\\A.TXT", "D:\\KEEP\\B.TXT",
              "D:\\GONE\\X.TXT", "D:\\LOCKED\\SECRET.TXT", "D:\\LOCKED\\INNER\\DEEP.TXT"}) {
            Machine::writeFile(path, "x");
        }
        wizard::pages().form2->SnapshotDrive('D');
        if (withoutUnreadableList) {
            fs::remove(Machine::hostPath(snapshot::UnreadableListFileName('D')));
            fs::remove(Machine::hostPath(snapshot::SumFileName('D')));
        }
        fs::remove_all(Machine::hostPath("D:\\GONE"));
        fs::remove(Machine::hostPath("D:\\OLD.TXT"));
        Machine::makeUnlistable("D:\\LOCKED");
        Machine::clearMessages();
    }
    void PrepareSnapshotOverThree() { PrepareSnapshot(false); }
    void PrepareSnapshotOverTwo() { PrepareSnapshot(true); }

    // The drive as it is now, loaded and scanned with D:\LOCKED readable
    // again: its files were there all along.
    Loaded LoadAndScan() {
        Machine::makeUnlistable("D:\\LOCKED", false);
        Machine::clearMessages();
        page3->Fileview.clear();
        page3->Folderview.clear();
        EXPECT_TRUE(snapshot::LoadSnapshot('D'));
        const Loaded loaded = Tables();
        page2->Compare('D');
        return loaded;
    }

    // The last move of a file whose name holds `from`: the record becoming
    // the mark commits the set; the last move in of a new file comes just
    // before it.
    static int LastMove(void (*operation)(), const std::string& from) {
        int last = 0;
        faults::install([&](int number, Step step, const std::string& path) {
            if (step == Step::Move && path.find(from) != std::string::npos)
                last = number;
            return Action::Proceed;
        });
        operation();
        faults::reset();
        return last;
    }

    bool PastCommit(const Fault& fault) const {
        return fault.number > commitStep_ ||
               (fault.number == commitStep_ && fault.action == Action::StopAfter);
    }

    // Each destination as "old", "new", "missing" or its size in bytes.
    static std::map<std::string, std::string> States(const Files& before, const Files& after) {
        std::map<std::string, std::string> states;
        for (const auto& [path, bytes] : Read(Keys(before))) {
            if (bytes == before.at(path) && bytes == after.at(path)) {
                // The same either way: counts as whichever the others are.
                continue;
            }
            if (bytes == before.at(path)) {
                states[path] = "old";
            } else if (bytes == after.at(path)) {
                states[path] = "new";
            } else {
                states[path] = bytes ? std::to_string(bytes->size()) + " bytes" : "missing";
            }
        }
        return states;
    }

    // Checks one run: every destination old or new whole, and the set all
    // old or all new; after a power cut, once settled as the next start does.
    void CheckSet(const Fault& fault, const Files& before, const Files& after) {
        const bool powerCut = fault.outcome == "power cut";
        const std::string kept = fault.outcome.empty() || PastCommit(fault) ? "new" : "old";
        for (const auto& [path, state] : States(before, after)) {
            SCOPED_TRACE(path);
            if (!powerCut) {
                EXPECT_EQ(state, kept);
            } else if (state != "old" && state != "new") {
                // The one moment a destination is missing: its old file is
                // kept aside under its aside name.
                EXPECT_EQ(state, "missing");
                EXPECT_EQ(Read({common::AsideName(path)}).begin()->second, before.at(path));
            }
        }
        restore::RecoverSystemFiles();
        snapshot::SettleInterruptedSaves();
        std::set<std::string> seen;
        for (const auto& [path, state] : States(before, after))
            seen.insert(state);
        EXPECT_EQ(seen, std::set<std::string>{kept}) << "after recovery";
        EXPECT_EQ(LeftOverCopies(), Lines());
    }

    int commitStep_ = 0;
};

class StagedReplaceFaults : public StagedSets, public testing::WithParamInterface<Row> {};

TEST_P(StagedReplaceFaults, EveryStepFailedOrCutLeavesTheOldOrTheNewSetWhole) {
    const Row& row = GetParam();
    auto prepare = [this, &row] { (this->*row.prepare)(); };
    prepare();
    const Files before = Read(*row.set);
    const Files unchanged = row.unchanged ? Read(*row.unchanged) : Files();
    const std::string oldConfig = Config();
    Loaded old;
    if (row.snapshotLoads)
        old = LoadAndScan();
    prepare();
    row.operation();
    const Files after = Read(*row.set);
    const std::string newConfig = Config();
    Loaded fresh;
    if (row.snapshotLoads) {
        ASSERT_EQ(Machine::messages().size(), 1u);  // the folder that could not be read
        fresh = LoadAndScan();
        ASSERT_FALSE(old == fresh);
        EXPECT_EQ(fresh.unreadable, (Lines{"D:\\LOCKED"}));
    }
    ASSERT_NE(before, after);
    prepare();
    commitStep_ = LastMove(row.operation, "@TM.");

    FaultPlan plan;
    plan.prepare = prepare;
    plan.operation = row.operation;
    int endedOld = 0, endedNew = 0;
    plan.check = [&](const Fault& fault) {
        SCOPED_TRACE(fault.describe());
        CheckSet(fault, before, after);
        // Sums are written only for a set that is complete.
        if (row.configFollows && fault.outcome.empty()) {
            EXPECT_EQ(Config(), newConfig);
        } else if (row.configFollows && !PastCommit(fault)) {
            EXPECT_EQ(Config(), oldConfig);
        }
        if (row.unchanged) {
            EXPECT_EQ(Read(*row.unchanged), unchanged);
        }
        if (row.snapshotLoads) {
            const Loaded loaded = LoadAndScan();
            EXPECT_TRUE(loaded == old || loaded == fresh);
            (loaded == old ? endedOld : endedNew) += 1;
            EXPECT_EQ(page3->Fileview.count(), 0);
            EXPECT_EQ(page3->Folderview.count(), 0);
            EXPECT_TRUE(Machine::messages().empty());
        }
    };
    EXPECT_GE(testing_support::runEveryFault(plan), row.leastSteps);
    if (row.snapshotLoads) {
        EXPECT_GT(endedOld, 0);
        EXPECT_GT(endedNew, 0);
    }
}

// A snapshot's four files written, the old ones set aside and the new ones
// moved in, the old ones deleted, then the statistics; the six system files
// and their sums copied and moved in; four restored and three staged.
const Row Rows[] = {
    {"SnapshotOverThreeFiles", &StagedSets::PrepareSnapshotOverThree,
     [] { wizard::pages().form2->SnapshotDrive('D'); }, &SnapshotFiles, nullptr, false, true, 12},
    {"SnapshotOverTwoFiles", &StagedSets::PrepareSnapshotOverTwo,
     [] { wizard::pages().form2->SnapshotDrive('D'); }, &SnapshotFiles, nullptr, false, true, 12},
    {"SystemFileBackup", &StagedSets::PrepareBackup, [] { restore::BackupSystemFiles(); },
     &BackupFiles, &LiveFiles, true, false, 31},
    // The backups stay, and the live hives wait for the boot.
    {"SystemFileRestore", &StagedSets::PrepareRestore, [] { restore::RestoreSystemFiles(); },
     &RestoredFiles, &RestoreUnchanged, false, false, 31},
};

INSTANTIATE_TEST_SUITE_P(Sets, StagedReplaceFaults, testing::ValuesIn(Rows),
                         [](const testing::TestParamInfo<Row>& row) {
                             return std::string(row.param.name);
                         });

// A restore whose last move in fails, and whose undoing then cannot move
// WIN.INI's new copy away: the new copies stay, so that the next recovery
// (at the next start at the latest) still puts every old file back.
TEST_F(StagedSets, AnUndoThatCannotMoveAFileBackIsFinishedByTheNextRecovery) {
    void (*restore)() = [] { restore::RestoreSystemFiles(); };
    PrepareRestore();
    const Files before = Read(RestoredFiles);
    restore();
    const Files after = Read(RestoredFiles);
    PrepareRestore();
    const int lastMoveIn = LastMove(restore, "$TM.");
    PrepareRestore();
    commitStep_ = LastMove(restore, "@TM.");
    PrepareRestore();

    bool undoing = false;
    faults::install([&](int number, Step step, const std::string& path) {
        undoing = undoing || number == lastMoveIn;
        const bool held = undoing && path == "C:\\WINDOWS\\WIN.INI" &&
                          (step == Step::Move || step == Step::Delete);
        return number == lastMoveIn || held ? Action::Fail : Action::Proceed;
    });
    EXPECT_ANY_THROW(restore());
    faults::reset();
    restore::RecoverSystemFiles();
    for (const auto& [path, state] : States(before, after))
        EXPECT_EQ(state, "old") << path;
    EXPECT_EQ(LeftOverCopies(), Lines());

    // Cut once committed, with a destination damaged since: its old copy is
    // not deleted beside what is not the whole new copy.
    PrepareRestore();
    faults::install([&](int number, Step, const std::string&) {
        return number == commitStep_ ? Action::StopAfter : Action::Proceed;
    });
    EXPECT_ANY_THROW(restore());
    faults::reset();
    Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[win");
    restore::RecoverSystemFiles();
    EXPECT_EQ(Machine::readFile(common::AsideName("C:\\WINDOWS\\WIN.INI")),
              *before.at("C:\\WINDOWS\\WIN.INI"));
}

}  // namespace
