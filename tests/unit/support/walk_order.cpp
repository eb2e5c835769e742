// Walk orders for comparing a walk's output whatever the listing order.
#include "support/walk_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/files.h"

namespace testing_support {

namespace {

std::string upper(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

std::string folderOf(const std::string& path) {
    return path.substr(0, path.find_last_of('\\') + 1);
}

// Folder names, then the file name (empty for a folder) marked to come
// before any subfolder of the same folder.
std::vector<std::pair<int, std::string>> walkKey(const std::string& path) {
    std::vector<std::pair<int, std::string>> key;
    size_t start = 0;
    for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', start)) {
        key.emplace_back(1, upper(path.substr(start, cut - start)));
        start = cut + 1;
    }
    if (start < path.size())
        key.emplace_back(0, upper(path.substr(start)));
    return key;
}

bool isFolderRecord(const std::string& line) {
    return line.size() >= 2 && line[1] == ':';
}

std::vector<std::string> splitLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        const size_t end = bytes.find("\r\n", start);
        lines.push_back(bytes.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    return lines;
}

}  // namespace

std::vector<std::string> inNameWalkOrder(const std::vector<std::string>& paths) {
    for (size_t later = 0; later < paths.size(); ++later) {
        const std::string outer = folderOf(paths[later]);
        for (size_t earlier = 0; earlier < later; ++earlier) {
            const std::string inner = folderOf(paths[earlier]);
            EXPECT_FALSE(inner.size() > outer.size() && inner.compare(0, outer.size(), outer) == 0)
                << paths[earlier] << " comes before " << paths[later];
        }
    }
    std::vector<std::string> sorted = paths;
    auto run = sorted.begin();
    while (run != sorted.end()) {
        const auto end = std::find_if(run, sorted.end(), [&](const std::string& path) {
            return upper(path.substr(0, 2)) != upper(run->substr(0, 2));
        });
        std::stable_sort(run, end, [](const std::string& a, const std::string& b) {
            return walkKey(a) < walkKey(b);
        });
        run = end;
    }
    return sorted;
}

std::string fileListInNameOrder(const std::string& bytes) {
    const std::vector<std::string> lines = splitLines(bytes);
    // As paths: a folder's record is its path, a file's is its folder's path + name.
    std::string folder = "?:\\";
    for (const std::string& line : lines) {
        if (isFolderRecord(line)) {
            folder = line.substr(0, 2) + "\\";
            break;
        }
    }
    std::vector<std::string> paths;
    for (const std::string& line : lines) {
        if (isFolderRecord(line)) {
            folder = line + "\\";
            paths.push_back(folder);
        } else {
            paths.push_back(folder + line);
        }
    }
    std::string text;
    for (const std::string& path : inNameWalkOrder(paths)) {
        const bool isFolder = path.back() == '\\';
        text += isFolder ? path.substr(0, path.size() - 1) : path.substr(folderOf(path).size());
        text += "\r\n";
    }
    return text;
}

std::string firstListed(const std::string& folder, const std::vector<std::string>& names) {
    platform::DirectoryListing listing(folder + "*.*", platform::attr::AnyFile);
    platform::DirEntry entry;
    while (listing.next(entry)) {
        if (std::find(names.begin(), names.end(), entry.name) != names.end())
            return entry.name;
    }
    return "(none listed)";
}

}  // namespace testing_support
