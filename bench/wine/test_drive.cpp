// Deterministic drives for the Wine benchmark.
#include "test_drive.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

namespace bench {

namespace {

namespace fs = std::filesystem;

// A small generator of our own: the standard distributions differ between
// libraries, and the drive must be the same everywhere.
class Random {
public:
    explicit Random(uint32_t seed) : state_(seed) {}
    uint32_t next() {
        state_ = state_ * 1664525u + 1013904223u;
        return state_ >> 8;
    }
    long below(long bound) { return static_cast<long>(next() % static_cast<uint32_t>(bound)); }

private:
    uint32_t state_;
};

const char* const kWords[] = {"Program", "Data",   "Setup", "Fonts",  "Help",  "Media",
                              "Cache",   "Backup", "Temp",  "System", "Users", "Games"};
const char* const kExtensions[] = {".TXT", ".DLL", ".EXE", ".INI", ".hlp", ".Doc",
                                   ".BMP", ".wav", ".DAT", ".cab", ".htm", ".LOG"};

std::string folderName(Random& random, long number) {
    if (random.below(3) == 0)
        return "DIR" + std::to_string(number);  // 8.3
    return std::string(kWords[random.below(12)]) + " " + kWords[random.below(12)] + " " +
           std::to_string(number);
}

std::string fileName(Random& random, long number) {
    const char* extension = kExtensions[random.below(12)];
    if (random.below(2) == 0)
        return "F" + std::to_string(number) + extension;  // 8.3
    return std::string(kWords[random.below(12)]) + " file number " + std::to_string(number) +
           extension;
}

// Mostly small files, some large: the spread of a real drive.
uintmax_t fileSize(Random& random) {
    switch (random.below(20)) {
        case 0:
            return 1048576 + random.below(7 * 1048576);
        case 1:
        case 2:
        case 3:
            return 65536 + random.below(983040);
        default:
            return random.below(65536);
    }
}

void writeFile(const fs::path& path, uintmax_t size) {
    std::ofstream(path, std::ios::binary).flush();
    fs::resize_file(path, size);
}

void makeFolder(const fs::path& path) {
    if (!fs::create_directory(path))
        throw std::runtime_error("cannot make " + path.string());
}

}  // namespace

DriveShape writeLargeDrive(const std::string& root) {
    constexpr long kFolders = 3990;
    constexpr long kFiles = 56000;
    constexpr long kChains = 3, kChainDepth = 20;
    Random random(11);
    std::vector<fs::path> folders{fs::path(root)};
    long number = 0;
    for (long chain = 0; chain < kChains; ++chain) {
        fs::path path = root;
        for (long level = 0; level < kChainDepth; ++level) {
            path /= "Deep" + std::to_string(chain) + " L" + std::to_string(10 + level);
            makeFolder(path);
            folders.push_back(path);
        }
        ++number;
    }
    while (static_cast<long>(folders.size()) - 1 < kFolders) {
        // A parent among the first folders more often: wide near the root.
        const long pool = static_cast<long>(folders.size());
        const long parent =
            random.below(2) ? random.below(std::min(pool, 200L)) : random.below(pool);
        fs::path path = folders[parent] / folderName(random, ++number);
        // Every folder stays listable through the ANSI calls (MAX_PATH with
        // room for a file name): one that is not is reported in a message box.
        if (fs::exists(path) || path.string().size() - root.size() > 200)
            continue;
        makeFolder(path);
        folders.push_back(path);
    }
    for (long file = 0; file < kFiles; ++file) {
        const fs::path& folder = folders[random.below(static_cast<long>(folders.size()))];
        fs::path path = folder / fileName(random, file);
        writeFile(path, fileSize(random));
    }
    return {kFolders, kFiles};
}

DriveShape addNewFolders(const std::string& root, long folderCount, long fileCount) {
    Random random(23);
    std::vector<fs::path> known;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        // Away from the deep chains, so every new path stays within MAX_PATH.
        if (entry.is_directory() && entry.path().string().size() - root.size() < 100)
            known.push_back(entry.path());
    }
    std::sort(known.begin(), known.end());
    std::vector<fs::path> added;
    while (static_cast<long>(added.size()) < folderCount) {
        // One in four inside a new folder made before it.
        const bool nested = !added.empty() && random.below(4) == 0;
        const fs::path& parent = nested ? added[random.below(static_cast<long>(added.size()))]
                                        : known[random.below(static_cast<long>(known.size()))];
        fs::path path = parent / ("New " + folderName(random, 900000 + random.below(99999)));
        if (fs::exists(path))
            continue;
        makeFolder(path);
        added.push_back(path);
    }
    for (long file = 0; file < fileCount; ++file) {
        const fs::path& folder = added[file % folderCount];
        writeFile(folder / fileName(random, 700000 + file), fileSize(random));
    }
    return {folderCount, fileCount};
}

DriveShape writeWideFolder(const std::string& root, const std::string& folder, long files) {
    Random random(37);
    const fs::path path = fs::path(root) / folder;
    makeFolder(path);
    for (long file = 0; file < files; ++file)
        writeFile(path / fileName(random, file), fileSize(random));
    return {1, files};
}

}  // namespace bench
