// Every disk step of the system-file backup and restore failed, cut in half
// or cut by the power in turn: each destination is afterwards its old file or
// its new file whole, and a set is replaced whole or not at all.
#include <map>
#include <optional>
#include <set>
#include <vector>

#include "common/staged_replace.h"
#include "platform/files.h"
#include "restore/system_files.h"
#include "support/fault_plan.h"
#include "wizard_fixture.h"

namespace {

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

Files Read(const std::vector<std::string>& paths) {
    Files files;
    for (const std::string& path : paths) {
        files[path] =
            platform::fileExists(path) ? std::optional(Machine::readFile(path)) : std::nullopt;
    }
    return files;
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

const std::vector<std::string> LiveFiles = {"C:\\AUTOEXEC.BAT",        "C:\\CONFIG.SYS",
                                            "C:\\WINDOWS\\WIN.INI",    "C:\\WINDOWS\\SYSTEM.INI",
                                            "C:\\WINDOWS\\SYSTEM.DAT", "C:\\WINDOWS\\USER.DAT"};
const std::vector<std::string> BackupFiles = {DataDir + "\\AUTOEXEC.BAT", DataDir + "\\CONFIG.SYS",
                                              DataDir + "\\WIN.INI",      DataDir + "\\SYSTEM.INI",
                                              DataDir + "\\SYSTEM.DAT",   DataDir + "\\USER.DAT",
                                              DataDir + "\\HIVES.SUM"};
const std::vector<std::string> RestoredFiles = {
    "C:\\AUTOEXEC.BAT",         "C:\\CONFIG.SYS",          "C:\\WINDOWS\\WIN.INI",
    "C:\\WINDOWS\\SYSTEM.INI",  "C:\\WINDOWS\\SYSTEM.QX1", "C:\\WINDOWS\\USER.QX1",
    "C:\\WINDOWS\\AUTOEXEC.QX1"};

// The new, old and "nothing before" copies a replacement left behind.
std::vector<std::string> LeftOverCopies() {
    std::vector<std::string> left;
    for (const std::string& folder : Folders) {
        platform::DirectoryListing listing(folder + "\\*.*", platform::attr::AnyFile);
        platform::DirEntry entry;
        while (listing.next(entry)) {
            const std::string path = folder + "\\" + entry.name;
            if (!entry.isFolder() && entry.name.find("TM.") != std::string::npos)
                left.push_back(path);
        }
    }
    return left;
}

class SystemFileFaults : public WizardTest {
protected:
    void Fresh() {
        WizardTest::TearDown();
        WizardTest::SetUp();
        CreatePages();
        Machine::setLocalNow(platform::DateTime{2026, 7, 12, 21, 5, 0});
    }

    // Checks one run: every destination old or new whole, and the set all
    // old or all new; after a power cut, once recovered from as the next
    // backup or restore does.
    void CheckSet(const Fault& fault, const Files& before, const Files& after) {
        SCOPED_TRACE(fault.describe());
        const bool powerCut = fault.outcome == "power cut";
        const std::string kept = fault.outcome.empty() || PastCommit(fault) ? "new" : "old";
        for (const auto& [path, state] : States(before, after)) {
            SCOPED_TRACE(path);
            if (!powerCut) {
                EXPECT_EQ(state, kept);
            } else if (state != "old" && state != "new") {
                // The one moment a destination is missing: its old file is
                // kept aside under its old-copy name.
                EXPECT_EQ(state, "missing");
                EXPECT_EQ(Read({common::AsideName(path)}).begin()->second, before.at(path));
            }
        }
        restore::RecoverSystemFiles();
        std::set<std::string> seen;
        for (const auto& [path, state] : States(before, after))
            seen.insert(state);
        EXPECT_EQ(seen, std::set<std::string>{kept}) << "after recovery";
        EXPECT_EQ(LeftOverCopies(), std::vector<std::string>());
    }

    // The step that commits the set (its record becomes its mark): from
    // there on the new set is in place, before it the old set stays or comes
    // back. The last move in of a new file comes just before it.
    static int CommitStep(const std::function<void()>& operation) {
        return LastMove(operation, "@TM.");
    }
    static int LastMoveIn(const std::function<void()>& operation) {
        return LastMove(operation, "$TM.");
    }
    static int LastMove(const std::function<void()>& operation, const std::string& from) {
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

    int commitStep_ = 0;

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

    static std::vector<std::string> Keys(const Files& files) {
        std::vector<std::string> keys;
        for (const auto& entry : files)
            keys.push_back(entry.first);
        return keys;
    }
};

TEST_F(SystemFileFaults, BackupKeepsThePreviousSetOrPutsTheNewOneWhole) {
    auto prepare = [this] {
        Fresh();
        WriteLive("snapshot one");
        restore::BackupSystemFiles();
        WriteLive("snapshot two");
    };
    prepare();
    const Files oldSet = Read(BackupFiles);
    const std::string oldConfig = Config();
    restore::BackupSystemFiles();
    const Files newSet = Read(BackupFiles);
    const std::string newConfig = Config();
    const Files live = Read(LiveFiles);
    prepare();
    commitStep_ = CommitStep([] { restore::BackupSystemFiles(); });
    ASSERT_NE(oldSet, newSet);

    FaultPlan plan;
    plan.prepare = prepare;
    plan.operation = [] { restore::BackupSystemFiles(); };
    plan.check = [&](const Fault& fault) {
        CheckSet(fault, oldSet, newSet);
        // Sums are written only for a set that is complete.
        if (fault.outcome.empty()) {
            EXPECT_EQ(Config(), newConfig) << fault.describe();
        } else if (!PastCommit(fault)) {
            EXPECT_EQ(Config(), oldConfig) << fault.describe();
        }
        EXPECT_EQ(Read(LiveFiles), live) << fault.describe();
    };
    EXPECT_GT(testing_support::runEveryFault(plan), 30);
}

TEST_F(SystemFileFaults, RestoreChangesNoLiveFileOrPutsEveryOneWhole) {
    auto prepare = [this] {
        Fresh();
        WriteLive("at the snapshot");
        restore::BackupSystemFiles();
        WriteLive("after an install");
    };
    prepare();
    const Files backups = Read(BackupFiles);
    const Files before = Read(RestoredFiles);
    const std::vector<std::string> hives = {"C:\\WINDOWS\\SYSTEM.DAT", "C:\\WINDOWS\\USER.DAT"};
    const Files liveHives = Read(hives);
    restore::RestoreSystemFiles();
    const Files after = Read(RestoredFiles);
    ASSERT_NE(before, after);
    prepare();
    commitStep_ = CommitStep([] { restore::RestoreSystemFiles(); });

    FaultPlan plan;
    plan.prepare = prepare;
    plan.operation = [] { restore::RestoreSystemFiles(); };
    plan.check = [&](const Fault& fault) {
        CheckSet(fault, before, after);
        EXPECT_EQ(Read(BackupFiles), backups) << fault.describe();
        // The live hives wait for the boot.
        EXPECT_EQ(Read(hives), liveHives) << fault.describe();
    };
    EXPECT_GT(testing_support::runEveryFault(plan), 30);
}

// A restore whose last move in fails, and whose undoing then cannot move
// WIN.INI's new copy away: the new copies stay, so that the next recovery
// (at the next start at the latest) still puts every old file back.
TEST_F(SystemFileFaults, AnUndoThatCannotMoveAFileBackIsFinishedByTheNextRecovery) {
    auto prepare = [this] {
        Fresh();
        WriteLive("at the snapshot");
        restore::BackupSystemFiles();
        WriteLive("after an install");
    };
    prepare();
    const Files before = Read(RestoredFiles);
    restore::RestoreSystemFiles();
    const Files after = Read(RestoredFiles);
    prepare();
    const int lastMoveIn = LastMoveIn([] { restore::RestoreSystemFiles(); });
    prepare();
    commitStep_ = CommitStep([] { restore::RestoreSystemFiles(); });
    prepare();

    bool undoing = false;
    faults::install([&](int number, Step step, const std::string& path) {
        undoing = undoing || number == lastMoveIn;
        const bool held = undoing && path == "C:\\WINDOWS\\WIN.INI" &&
                          (step == Step::Move || step == Step::Delete);
        return number == lastMoveIn || held ? Action::Fail : Action::Proceed;
    });
    EXPECT_ANY_THROW(restore::RestoreSystemFiles());
    faults::reset();
    restore::RecoverSystemFiles();
    for (const auto& [path, state] : States(before, after))
        EXPECT_EQ(state, "old") << path;
    EXPECT_EQ(LeftOverCopies(), std::vector<std::string>());

    // Cut once committed, with a destination damaged since: its old copy is
    // not deleted beside what is not the whole new copy.
    prepare();
    faults::install([&](int number, Step, const std::string&) {
        return number == commitStep_ ? Action::StopAfter : Action::Proceed;
    });
    EXPECT_ANY_THROW(restore::RestoreSystemFiles());
    faults::reset();
    Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[win");
    restore::RecoverSystemFiles();
    EXPECT_EQ(Machine::readFile(common::AsideName("C:\\WINDOWS\\WIN.INI")),
              *before.at("C:\\WINDOWS\\WIN.INI"));
}

}  // namespace
