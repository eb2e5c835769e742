// Times the shipped i686 wizard under Wine, driven through its windows as a
// user would, against a bare FindFirstFileA/FindNextFileA walk of the same
// drive: each timed run follows one bare walk, and a row sets the best of its
// runs against the best of the walks made just before them, so that both
// meet the same load on the host. Each run is timed from the Start click to
// the page that follows; every run is made kRepeats times. Prints one table
// of runs and one of the program's working set after each run.
//
//   build/native/bench/wine/wizard-timings      (or ./trellmark bench)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "harness/host_process.h"
#include "harness/machine.h"
#include "harness/settings.h"
#include "test_drive.h"

namespace {

constexpr char kTitle[] = "Trellmark v1.1";
constexpr char kConfig[] = "C:\\Program Files\\Trellmark\\TRELMRK.INI";
constexpr char kBareWalk[] = "C:\\bench\\bare-walk.exe";
constexpr int kRepeats = 5;
// A drive just written is still being flushed to the host's disk, and its
// first walks are several times slower than the rest.
constexpr int kMostSettlingWalks = 10;
constexpr double kSettledSpread = 0.1;
constexpr int kRunTimeoutMs = 600000;

struct BareWalk {
    long entries = 0;
    double ms = 0;
};

struct Row {
    std::string run;
    BareWalk bare;  // the best of the walks made before this row's runs
    double ms = 0;
    long listed = 0;  // entries the run put into the review lists
};

struct Memory {
    std::string after;
    long workingSet = 0, peak = 0;
};

class Bench {
public:
    Bench() : machine_("bench.wine") {
        driveD_ = machine_.prefix.mapDrive('D');
        driveE_ = machine_.prefix.mapDrive('E');
        machine_.prefix.installPrograms();
        machine_.prefix.copyIn(e2e::winBuildFolder() + "/bench/wine/bench-bare-walk.exe",
                               kBareWalk);
    }

    void run() {
        std::fprintf(stderr, "writing drive D: ...\n");
        const bench::DriveShape large = bench::writeLargeDrive(driveD_);
        std::fprintf(stderr, "D: %ld files in %ld folders\n", large.files, large.folders);
        selectOnly('D');
        settle("D");
        int pid = ui().start(machine_.prefix.programPath());

        goToPage2("Take snapshot of current state");
        for (int i = 0; i < kRepeats; ++i) {
            if (i > 0) {
                backToPage2();
                forgetPathcount('D');
            }
            measure("first snapshot", "D", "snapshot");
        }
        note(pid, "first snapshots");
        for (int i = 0; i < kRepeats; ++i) {
            backToPage2();
            measure("repeated snapshot", "D", "snapshot");
            note(pid, "repeated snapshot " + std::to_string(i + 1));
        }
        backToPage2();
        ui().press(page("&Start >"), "< &Back");
        goToPage2("Restore to previous state");
        measure("restore scan, unchanged", "D", "restore");
        note(pid, "restore scan 1");
        for (int i = 1; i < kRepeats; ++i) {
            backToPage2();
            measure("restore scan, unchanged", "D", "restore");
            note(pid, "restore scan " + std::to_string(i + 1));
        }

        std::fprintf(stderr, "adding 5,000 files in 200 folders to D: ...\n");
        const bench::DriveShape added = bench::addNewFolders(driveD_, 200, 5000);
        settle("D+");
        for (int i = 0; i < kRepeats; ++i) {
            backToPage2();
            measure("restore scan, 5,000 new files", "D+", "restore");
            if (i == 0)
                machine_.screenshot("page3-new-files");
            note(pid, "scan with new files " + std::to_string(i + 1));
        }
        for (Row& row : rows_) {
            if (row.run == "restore scan, 5,000 new files")
                row.listed = listed() + added.folders;
        }
        endProgram(pid);

        std::fprintf(stderr, "writing drive E: ...\n");
        bench::writeWideFolder(driveE_, "WIDE", 20000);
        selectOnly('E');
        settle("E");
        pid = ui().start(machine_.prefix.programPath());
        goToPage2("Take snapshot of current state");
        measure("20,000-file folder, snapshot", "E", "snapshot");
        for (int i = 1; i < kRepeats; ++i) {
            backToPage2();
            measure("20,000-file folder, snapshot", "E", "snapshot");
        }
        backToPage2();
        ui().press(page("&Start >"), "< &Back");
        goToPage2("Restore to previous state");
        measure("20,000-file folder, scan", "E", "restore");
        for (int i = 1; i < kRepeats; ++i) {
            backToPage2();
            measure("20,000-file folder, scan", "E", "restore");
        }
        note(pid, "20,000-file folder runs");
        endProgram(pid);
    }

private:
    e2e::Driver& ui() { return machine_.driver(); }

    // Only `letter` is walked; the rest of the settings keep their defaults.
    void selectOnly(char letter) {
        for (char drive = 'C'; drive <= 'J'; ++drive) {
            ui().writeProfileString(kConfig, "Settings", std::string("drive") + char(drive + 32),
                                    drive == letter ? "1" : "0");
        }
    }

    // The snapshot's folder count as it stands before any snapshot of the
    // drive: the program's default, which sizes the first walk's bar.
    void forgetPathcount(char letter) {
        ui().writeProfileString(kConfig, std::string("Statistics - ") + letter, "Pathcount", "200");
    }

    // Flushes what was written and walks the drive until two walks in a
    // row take about the same time.
    void settle(const std::string& key) {
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
    BareWalk bareWalk(const std::string& key) {
        const std::string root = key.substr(0, 1) + ":\\";
        const e2e::CommandResult result = machine_.prefix.wine({kBareWalk, root});
        BareWalk walk;
        std::istringstream(result.output) >> walk.entries >> walk.ms;
        if (result.status != 0 || walk.entries == 0)
            throw std::runtime_error("the bare walk failed: " + result.output);
        std::fprintf(stderr, "  bare walk of %s: %ld entries, %.0f ms\n", root.c_str(),
                     walk.entries, walk.ms);
        return walk;
    }

    // A bare walk of the drive, then one run of the row `run`.
    void measure(const std::string& run, const std::string& key, const std::string& kind) {
        const BareWalk walk = bareWalk(key);
        const double ms = timeStart(kind);
        for (Row& row : rows_) {
            if (row.run == run) {
                row.ms = std::min(row.ms, ms);
                if (walk.ms < row.bare.ms)
                    row.bare = walk;
                return;
            }
        }
        rows_.push_back({run, walk, ms});
    }

    // The showing wizard page on which a visible control has this caption.
    e2e::Window page(const std::string& caption, int timeoutMs = kRunTimeoutMs) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            try {
                for (e2e::Window window : ui().findWindows(kTitle)) {
                    for (const e2e::Control& control : ui().children(window)) {
                        if (control.visible && control.enabled && control.text == caption)
                            return window;
                    }
                }
            } catch (const e2e::DriverError&) {
                // A window that is just closing may not answer; look again.
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        } while (std::chrono::steady_clock::now() < deadline);
        throw std::runtime_error("no wizard page shows \"" + caption + "\"");
    }

    void goToPage2(const std::string& mode) {
        const e2e::Window page1 = page("&Settings...");
        ui().setChecked(ui().child(page1, mode), true);
        ui().press(page1, "&Next >");
    }

    // Back from page 3 (its file list) or page 4 to page 2.
    void backToPage2() {
        for (e2e::Window window : ui().findWindows(kTitle)) {
            if (ui().visible(window)) {
                ui().press(window, "< &Back");
                break;
            }
        }
        page("&Start >");
    }

    // Presses Start on page 2 and answers the milliseconds until page 2 gives
    // way to the next page; then waits for that page to show.
    double timeStart(const std::string& kind) {
        const e2e::Window page2 = page("&Start >");
        const std::vector<e2e::Row> rows = ui().call(
            {"time-press", std::to_string(page2), "&Start >", std::to_string(kRunTimeoutMs)},
            kRunTimeoutMs + 20000);
        const double ms = std::atof(rows.at(0).at(0).c_str());
        page(kind == "snapshot" ? "Finish" : "< &Back");
        std::fprintf(stderr, "  %s run: %.0f ms\n", kind.c_str(), ms);
        return ms;
    }

    void note(int pid, const std::string& after) {
        const std::vector<e2e::Row> rows = ui().call({"memory", std::to_string(pid)});
        memory_.push_back(
            {after, std::atol(rows.at(0).at(0).c_str()), std::atol(rows.at(0).at(1).c_str())});
    }

    // The entries of the file list on the review page.
    long listed() {
        for (e2e::Window window : ui().findWindows(kTitle)) {
            if (!ui().visible(window))
                continue;
            for (const e2e::Control& control : ui().children(window)) {
                if (control.visible && control.className == "SysListView32")
                    return static_cast<long>(ui().items(control.handle).size());
            }
        }
        throw std::runtime_error("no review list shows");
    }

    void endProgram(int pid) {
        backToPage2();
        ui().press(page("&Start >"), "Cancel");
        ui().waitExit(pid);
    }

public:
    void print() const {
        std::printf("\n%-32s %9s %10s %10s %7s %13s\n", "run (Start to next page)", "entries",
                    "bare (ms)", "wizard (ms)", "ratio", "us per entry");
        for (const Row& row : rows_) {
            std::printf("%-32s %9ld %10.0f %10.0f %6.2fx %13.1f\n", row.run.c_str(),
                        row.bare.entries, row.bare.ms, row.ms, row.ms / row.bare.ms,
                        1000.0 * row.ms / row.bare.entries);
        }
        for (const Row& row : rows_) {
            if (row.listed == 0)
                continue;
            // What listing costs on top of walking the same drive unchanged.
            for (const Row& plain : rows_) {
                if (plain.run != "restore scan, unchanged")
                    continue;
                const double walk = plain.ms / plain.bare.ms * row.bare.ms;
                std::printf("listing: %.2f ms per listed entry (%ld files and folders listed)\n",
                            (row.ms - walk) / row.listed, row.listed);
            }
        }
        std::printf("\n%-32s %16s %16s\n", "trelmrk.exe after", "working set (KB)", "peak (KB)");
        for (const Memory& memory : memory_) {
            std::printf("%-32s %16ld %16ld\n", memory.after.c_str(), memory.workingSet / 1024,
                        memory.peak / 1024);
        }
    }

private:
    e2e::Machine machine_;
    std::string driveD_, driveE_;
    std::vector<Row> rows_;
    std::vector<Memory> memory_;
};

}  // namespace

int main() {
    try {
        Bench bench;
        try {
            bench.run();
        } catch (...) {
            bench.print();  // what was measured before the failure
            throw;
        }
        bench.print();
        return 0;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "wizard-timings: %s\n", error.what());
        return 1;
    }
}
