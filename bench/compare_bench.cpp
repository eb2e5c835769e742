// Times the change scanner against a bare walk of the same tree through the
// same platform layer: a near-limit drive compared with its own snapshot and
// with a changed copy, and single folders of growing size.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "bench/bare_walk.h"
#include "common/app_state.h"
#include "fake/machine.h"
#include "platform/files.h"
#include "platform/listview.h"
#include "snapshot/snapshot_scanner.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"

namespace {

namespace fs = std::filesystem;
using platform::fake::Machine;

constexpr int Rounds = 5;

double millisecondsOf(const std::function<void()>& run) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    return took.count();
}

void touch(const fs::path& path) {
    std::ofstream(path).put('x');
}

class Bench {
public:
    explicit Bench(const fs::path& host) : host_(host) {
        fs::create_directories(host_);
        Machine::reset(host_.string());
        Machine::addDrive('C');
        Machine::addDrive('K');
        common::AppState& state = common::app();
        state.paths.programDir = "K:\\TRELMRK";
        state.paths.dataDir = "K:\\TRELMRK\\SNPDAT";
        state.paths.winDir = "C:\\WINDOWS";
        state.paths.bootRoot = "C:\\";
        Machine::makeFolder(state.paths.dataDir);
        page2_ = std::make_unique<TForm2>();
        page3_ = std::make_unique<TForm3>();
        wizard::pages().form2 = page2_.get();
        wizard::pages().form3 = page3_.get();
    }
    ~Bench() {
        wizard::pages().form2 = nullptr;
        wizard::pages().form3 = nullptr;
        page3_.reset();
        page2_.reset();
        Machine::reset("");
        std::error_code ignored;
        fs::remove_all(host_, ignored);
    }

    fs::path drive() const { return Machine::hostPath("C:\\"); }

    void snapshot() { page2_->SnapshotDrive('C'); }

    struct Timing {
        double compareMs = 1e30, bareMs = 1e30, iconMs = 0;
        long entries = 0;
        int listed = 0;
    };

    // Best of several rounds of each, taken in turns so that both see the
    // same state of the host's caches and of the other work on the machine.
    Timing measure() {
        Timing t;
        bareWalk("C:\\");
        for (int round = 0; round < Rounds; ++round) {
            t.bareMs = std::min(t.bareMs, millisecondsOf([&t] { t.entries = bareWalk("C:\\"); }));
            t.compareMs = std::min(t.compareMs, millisecondsOf([this] {
                                       page3_->Fileview.clear();
                                       page3_->Folderview.clear();
                                       page2_->Compare('C');
                                   }));
        }
        const platform::ListView& files = page3_->Fileview;
        const platform::ListView& folders = page3_->Folderview;
        t.listed = files.count() + folders.count();
        // What the listed entries cost in the shell's icon lookups alone.
        t.iconMs = millisecondsOf([&] {
            for (int i = 0; i < files.count(); ++i) {
                restore::ShellIconIndex(files.subItem(i, 1) + files.caption(i));
            }
            for (int i = 0; i < folders.count(); ++i) {
                restore::ShellIconIndex(common::app().paths.winDir);
            }
        });
        return t;
    }

private:
    fs::path host_;
    std::unique_ptr<TForm2> page2_;
    std::unique_ptr<TForm3> page3_;
};

// 42 folders of 94 subfolders each (3,990 folders) holding 56,000 files.
void buildNearLimitTree(const fs::path& root) {
    int files = 0;
    for (int top = 0; top < 42; ++top) {
        const fs::path a = root / ("Program Folder " + std::to_string(top));
        fs::create_directory(a);
        for (int sub = 0; sub < 94; ++sub) {
            const fs::path b = a / ("Component " + std::to_string(sub));
            fs::create_directory(b);
            const int here = (top * 94 + sub) % 7 == 0 ? 23 : 13;
            for (int f = 0; f < here && files < 56000; ++f, ++files) {
                touch(b / ("Library File Number " + std::to_string(f) + ".dll"));
            }
        }
    }
    for (; files < 56000; ++files)
        touch(root / ("Root File " + std::to_string(files) + ".txt"));
}

// Renames one file in 20, adds one in 20 and a new folder in every top folder.
void changeTree(const fs::path& root) {
    int n = 0;
    std::vector<fs::path> all;
    for (const auto& item : fs::recursive_directory_iterator(root)) {
        if (item.is_regular_file())
            all.push_back(item.path());
    }
    for (const fs::path& file : all) {
        if (++n % 20 == 0)
            fs::rename(file, file.string() + ".renamed");
        if (n % 20 == 10)
            touch(file.parent_path() / ("Added " + std::to_string(n) + ".tmp"));
    }
    for (const auto& item : fs::directory_iterator(root)) {
        if (item.is_directory()) {
            fs::create_directory(item.path() / "New Folder");
            touch(item.path() / "New Folder" / "new.dat");
        }
    }
}

void report(const std::string& what, const Bench::Timing& t) {
    std::printf("%s: %ld entries, %d listed\n", what.c_str(), t.entries, t.listed);
    std::printf("  compare %8.1f ms  bare walk %8.1f ms  ratio %.2f\n", t.compareMs, t.bareMs,
                t.compareMs / t.bareMs);
    if (t.listed > 0) {
        std::printf("  icon lookups of the listed entries %.1f ms; ratio without them %.2f\n",
                    t.iconMs, (t.compareMs - t.iconMs) / t.bareMs);
    }
}

fs::path scratch(const char* name) {
    return fs::temp_directory_path() /
           (std::string("trellmark-bench-") + name + "-" + std::to_string(std::random_device{}()));
}

void nearLimitDrive() {
    Bench bench(scratch("tree"));
    buildNearLimitTree(bench.drive());
    bench.snapshot();
    report("near-limit drive against its own snapshot", bench.measure());
    changeTree(bench.drive());
    report("near-limit drive, changed copy", bench.measure());
}

void singleFolder(int files) {
    Bench bench(scratch("folder"));
    const fs::path folder = bench.drive() / "BIG";
    fs::create_directory(folder);
    for (int f = 0; f < files; ++f)
        touch(folder / ("FILE" + std::to_string(f) + ".DAT"));
    bench.snapshot();
    // One name in ten changed: the rest must each be found among all the
    // folder's records.
    for (int f = 0; f < files; f += 10) {
        fs::rename(folder / ("FILE" + std::to_string(f) + ".DAT"),
                   folder / ("NEW" + std::to_string(f) + ".DAT"));
    }
    const Bench::Timing t = bench.measure();
    report("one folder of " + std::to_string(files) + " files", t);
    std::printf("  %.2f us per file, %.2f us without the icon lookups\n",
                t.compareMs * 1000.0 / files, (t.compareMs - t.iconMs) * 1000.0 / files);
}

}  // namespace

int main() {
    nearLimitDrive();
    for (int files : {5000, 10000, 20000})
        singleFolder(files);
    return 0;
}
