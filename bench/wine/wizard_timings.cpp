// Times the shipped i686 wizard under Wine, driven through its windows as a
// user would, against a bare FindFirstFileA/FindNextFileA walk of the same
// drive, and reads the program's memory counters (GetProcessMemoryInfo) as
// it goes. Each timed run is a fresh start of the program, as a user makes
// it: one start for the snapshot, a later one for the restore; a row sets the
// best of its runs against the best of the bare walks made just before each
// run, so that both meet the same load on the host. Runs are timed from the
// Start click to the page that follows; each is made `repeats` times. A last
// series makes several scans in one process, to show whether memory grows
// from run to run; it too is made `repeats` times, each in a process of its
// own, so that one slow moment of the host does not stand for a scan.
//
// Both ways Wine shows windows are measured, each in a machine of its own:
// inside its virtual desktop, and without one, where every top-level window
// is a window of the X server. One table of every row is printed at the end.
//
//   build/native/bench/wine/wizard-timings [desktop|no-desktop] [repeats]
//   ./trellmark bench [desktop|no-desktop] [repeats]
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "harness/host_process.h"
#include "harness/machine.h"
#include "harness/settings.h"
#include "test_drive.h"
#include "timings_table.h"
#include "wizard_session.h"

namespace {

constexpr char kBareWalk[] = "C:\\bench\\bare-walk.exe";
constexpr char kSnapshot[] = "Take snapshot of current state";
constexpr char kRestore[] = "Restore to previous state";
constexpr int kSameProcessScans = 3;

struct Mode {
    std::string name;
    bool virtualDesktop;
};

class Bench {
public:
    Bench(const Mode& mode, int repeats, bench::Table& table)
        : mode_(mode),
          repeats_(repeats),
          table_(table),
          machine_(mode.virtualDesktop ? "bench.desktop" : "bench.no-desktop") {
        driveD_ = machine_.prefix.mapDrive('D');
        driveE_ = machine_.prefix.mapDrive('E');
        machine_.prefix.installPrograms();
        machine_.prefix.copyIn(e2e::winBuildFolder() + "/bench/wine/bench-bare-walk.exe",
                               kBareWalk);
        if (!mode.virtualDesktop) {
            // Read by each program as it starts; the machine's one server
            // keeps it for the programs started later.
            machine_.prefix.startServer();
            machine_.prefix.wine(
                {"reg", "delete", "HKCU\\Software\\Wine\\Explorer", "/v", "Desktop", "/f"});
        }
    }

    void run() {
        std::fprintf(stderr, "%s: writing drive D: ...\n", mode_.name.c_str());
        const bench::DriveShape large = bench::writeLargeDrive(driveD_);
        std::fprintf(stderr, "D: %ld files in %ld folders\n", large.files, large.folders);
        session_.selectOnly('D');
        settle("D");
        for (int i = 0; i < repeats_; ++i) {
            session_.forgetPathcount('D');
            measure("first snapshot", "D", kSnapshot);
        }
        for (int i = 0; i < repeats_; ++i)
            measure("repeated snapshot", "D", kSnapshot);
        for (int i = 0; i < repeats_; ++i)
            measure("restore scan, unchanged", "D", kRestore);

        std::fprintf(stderr, "adding 5,000 files in 200 folders to D: ...\n");
        const bench::DriveShape added = bench::addNewFolders(driveD_, 200, 5000);
        settle("D+");
        long listed = 0;
        for (int i = 0; i < repeats_; ++i) {
            const bench::BareWalk walk = bareWalk("D+");
            const int pid = session_.start();
            const bench::Run run = session_.timedRun(pid, kRestore);
            if (i == 0) {
                machine_.screenshot(mode_.name + "-page3-new-files");
                listed = session_.listed() + added.folders;
            }
            session_.end(pid);
            table_.add(mode_.name, "restore scan, 5,000 new files", walk, run);
        }
        table_.setListed(mode_.name, "restore scan, 5,000 new files", listed);
        for (int i = 0; i < repeats_; ++i)
            sameProcessScans();

        std::fprintf(stderr, "writing drive E: ...\n");
        bench::writeWideFolder(driveE_, "WIDE", 20000);
        session_.selectOnly('E');
        settle("E");
        for (int i = 0; i < repeats_; ++i)
            measure("20,000-file folder, snapshot", "E", kSnapshot);
        for (int i = 0; i < repeats_; ++i)
            measure("20,000-file folder, scan", "E", kRestore);
    }

private:
    // Flushes what was written and walks the drive until two walks in a
    // row take about the same time: a drive just written is still being
    // flushed to the host's disk, and its first walks are several times
    // slower than the rest.
    void settle(const std::string& key) {
        constexpr int kMostSettlingWalks = 10;
        constexpr double kSettledSpread = 0.1;
        if (e2e::runCommand({"sync"}).status != 0)
            throw std::runtime_error("sync failed");
        double last = bareWalk(key).ms;
        for (int i = 1; i < kMostSettlingWalks; ++i) {
            const double ms = bareWalk(key).ms;
            if (std::abs(ms - last) <= kSettledSpread * std::min(ms, last))
                return;
            last = ms;
        }
    }

    // One bare walk of the drive in its state `key` ("D", "D+" once new
    // files are added, "E").
    bench::BareWalk bareWalk(const std::string& key) {
        const std::string root = key.substr(0, 1) + ":\\";
        const e2e::CommandResult result = machine_.prefix.wine({kBareWalk, root});
        bench::BareWalk walk;
        walk.ms = 0;
        std::sscanf(result.output.c_str(), "%ld %lf", &walk.entries, &walk.ms);
        if (result.status != 0 || walk.entries == 0)
            throw std::runtime_error("the bare walk failed: " + result.output);
        std::fprintf(stderr, "  bare walk of %s: %ld entries, %.0f ms\n", root.c_str(),
                     walk.entries, walk.ms);
        return walk;
    }

    // A bare walk of the drive, then one run of the row in a fresh process.
    void measure(const std::string& row, const std::string& key, const std::string& choice) {
        const bench::BareWalk walk = bareWalk(key);
        const int pid = session_.start();
        const bench::Run run = session_.timedRun(pid, choice);
        session_.end(pid);
        table_.add(mode_.name, row, walk, run);
    }

    // Scans of the drive with its 5,000 new files, one after the other in
    // one process: each is a row of its own, so that growth shows.
    void sameProcessScans() {
        const int pid = session_.start();
        for (int i = 1; i <= kSameProcessScans; ++i) {
            const bench::BareWalk walk = bareWalk("D+");
            if (i > 1)
                session_.backToPage1();
            const bench::Run run = session_.timedRun(pid, kRestore);
            table_.add(mode_.name, "one process, new files scan " + std::to_string(i), walk, run);
        }
        session_.end(pid);
    }

    Mode mode_;
    int repeats_;
    bench::Table& table_;
    e2e::Machine machine_;
    bench::WizardSession session_{machine_};
    std::string driveD_, driveE_;
};

}  // namespace

int main(int argc, char** argv) {
    std::vector<Mode> modes{{"desktop", true}, {"no desktop", false}};
    int repeats = 5;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "desktop" || arg == "no-desktop") {
            modes = {arg == "desktop" ? modes[0] : modes[1]};
        } else if (std::atoi(arg.c_str()) > 0) {
            repeats = std::atoi(arg.c_str());
        } else {
            std::fprintf(stderr, "usage: wizard-timings [desktop|no-desktop] [repeats]\n");
            return 2;
        }
    }
    bench::Table table;
    try {
        for (const Mode& mode : modes) {
            Bench bench(mode, repeats, table);
            bench.run();
        }
    } catch (const std::exception& error) {
        table.print();  // what was measured before the failure
        std::fprintf(stderr, "wizard-timings: %s\n", error.what());
        return 1;
    }
    table.print();
    return 0;
}
