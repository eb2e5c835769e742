// The drives the Wine benchmark walks, written straight into a host folder:
// always the same names, folders and sizes for the same arguments. Files are
// sparse, so their sizes take no disk space.
#pragma once

#include <string>

namespace bench {

struct DriveShape {
    long folders = 0;  // the root not counted
    long files = 0;
};

// About 56,000 files in 3,990 folders below `root`: a random tree of folders
// with 8.3 and long names, three chains twenty folders deep, file sizes from
// empty to a few megabytes.
DriveShape writeLargeDrive(const std::string& root);
// `files` new files spread over `folders` new folders, some inside others,
// hung under folders that writeLargeDrive made.
DriveShape addNewFolders(const std::string& root, long folders, long files);
// One folder holding `files` files.
DriveShape writeWideFolder(const std::string& root, const std::string& folder, long files);

}  // namespace bench
