// Times the snapshot of a drive near the table limits (about 56,000 files in
// 3,990 folders) against a bare walk of the same tree through the same
// platform layer, and prints both, their ratio and the peak memory.
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "bench/bare_walk.h"
#include "common/app_state.h"
#include "fake/machine.h"
#include "platform/files.h"
#include "snapshot/snapshot_scanner.h"
#include "snapshot/snapshot_store.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"

namespace {

namespace fs = std::filesystem;
using platform::fake::Machine;

constexpr int TopFolders = 30;
constexpr int SubFolders = 132;     // 30 + 30 x 132 = 3,990 folders
constexpr int FilesPerFolder = 14;  // 55,860 files, and a few in the root
constexpr int Rounds = 5;

// File names of the lengths a real drive has, some past 120 characters.
std::string fileName(int folder, int file) {
    static const char* const stems[] = {"readme", "Setup Information File",
                                        "msvcrt", "Program Documentation for the Installed Product",
                                        "~tmp",   "index"};
    std::string name = stems[(folder + file) % 6] + std::to_string(folder * 100 + file);
    if ((folder + file) % 97 == 0)
        name += std::string(110, 'x');
    return name + ((file % 3 == 0) ? ".TXT" : ".dll");
}

void buildTree(const std::string& root) {
    for (int i = 0; i < 6; ++i)
        std::ofstream(root + "/root" + std::to_string(i) + ".sys");
    int folderNumber = 0;
    for (int top = 0; top < TopFolders; ++top) {
        const std::string topPath = root + "/Program Folder " + std::to_string(top);
        fs::create_directory(topPath);
        for (int file = 0; file < FilesPerFolder; ++file) {
            std::ofstream(topPath + "/" + fileName(folderNumber, file)) << "some bytes";
        }
        ++folderNumber;
        for (int sub = 0; sub < SubFolders; ++sub) {
            const std::string subPath = topPath + "/sub" + std::to_string(sub);
            fs::create_directory(subPath);
            for (int file = 0; file < FilesPerFolder; ++file) {
                std::ofstream(subPath + "/" + fileName(folderNumber, file));
            }
            ++folderNumber;
        }
    }
}

// Best of several rounds, in milliseconds.
double best(const std::function<void()>& run) {
    double fastest = 1e30;
    for (int round = 0; round < Rounds; ++round) {
        const auto start = std::chrono::steady_clock::now();
        run();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        fastest = std::min(fastest, took.count());
    }
    return fastest;
}

}  // namespace

int main() {
    char pattern[] = "/tmp/trellmark-snapshot-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr) {
        std::perror("mkdtemp");
        return 1;
    }
    const std::string folder = pattern;
    Machine::reset(folder);
    Machine::addDrive('C');
    Machine::addDrive('D');
    Machine::makeFolder("C:\\Trellmark\\SNPDAT");
    common::app().paths.programDir = "C:\\Trellmark";
    common::app().paths.dataDir = "C:\\Trellmark\\SNPDAT";
    TForm2 progress;
    wizard::pages().form2 = &progress;

    std::printf("building the tree in %s ...\n", folder.c_str());
    buildTree(Machine::hostPath("D:\\"));

    long entries = 0;
    const double bare = best([&] { entries = bareWalk("D:\\"); });
    const double snapshot = best([&progress] { progress.SnapshotDrive('D'); });
    const double bareAgain = best([&] { entries = bareWalk("D:\\"); });
    const double enumeration = std::min(bare, bareAgain);

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("entries: %ld (%d records stored)\n", entries, snapshot::FileTableCount());
    std::printf("bare enumeration: %.1f ms\n", enumeration);
    std::printf("SnapshotDrive:    %.1f ms\n", snapshot);
    std::printf("ratio:            %.2f (target 1.30 or less)\n", snapshot / enumeration);
    std::printf("peak memory:      %ld KB\n", usage.ru_maxrss);

    wizard::pages().form2 = nullptr;
    std::error_code ignored;
    fs::remove_all(folder, ignored);
    return 0;
}
