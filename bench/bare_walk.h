// The baseline of the benchmarks: every entry below a folder, listed once per
// folder through the platform layer and nothing more; links are not followed.
#pragma once

#include <string>
#include <vector>

#include "platform/files.h"

inline long bareWalk(const std::string& folder) {
    long entries = 0;
    std::vector<std::string> subfolders;
    {
        platform::DirectoryListing listing(folder + "*.*", platform::attr::AnyFile);
        platform::DirEntry entry;
        while (listing.next(entry)) {
            if (entry.name == "." || entry.name == "..")
                continue;
            ++entries;
            if (entry.isFolder() && !entry.isLink())
                subfolders.push_back(entry.name);
        }
    }
    for (const std::string& name : subfolders)
        entries += bareWalk(folder + name + "\\");
    return entries;
}
