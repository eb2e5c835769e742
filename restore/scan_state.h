// What the change scanner keeps while it walks one drive.
#pragma once

#include <string>
#include <unordered_set>
#include <vector>

#include "restore/folder_index.h"

namespace restore {

struct ScanState {
    std::string currentFolder;       // upper case, no trailing backslash ("C:" for the root)
    int rangeFirst = 1;              // FolderRange: records of CurrentFolder's files
    int rangeLast = 0;               // last below first: no name can match
    bool rangeUndecided = false;     // two folders share the key: no file is listed
    std::string lastLookedUpFolder;  // the folder FolderRange was worked out for
    bool found = false;
    std::string nameKey;  // the entry's record as the table holds it; reused per entry

    // The loaded snapshot's lookups, rebuilt for every drive.
    FolderIndex index;
    // Upper-cased folders whose files are never listed, worked out per drive.
    std::string dataFolder;     // DataDir
    std::string recycleFolder;  // X:\RECYCLED
    std::string ieCache;        // WinDir\TEMPORARY INTERNET FILES
    // Full upper-cased paths of files never listed: the live hives and the
    // files the system-file backup and restore stage.
    std::unordered_set<std::string> protectedFiles;

    // What the walk could not judge, told once the drive is done.
    int passedOver = 0;  // entries whose names lead elsewhere: neither listed nor entered
    std::string firstPassedOver;
    std::vector<std::string> unreadable;  // folders whose listing failed, upper case
    bool driveLost = false;               // a listing failed and the root no longer answers
};

}  // namespace restore
