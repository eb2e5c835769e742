// What the change scanner keeps while it walks one drive.
#pragma once

#include <string>

namespace restore {

struct ScanState {
    char currentDrive = 'C';
    std::string currentFolder;       // upper case, no trailing backslash ("C:" for the root)
    int rangeFirst = 1;              // FolderRange: records of CurrentFolder's files
    int rangeLast = 0;               // last below first: no name can match
    std::string lastLookedUpFolder;  // the folder FolderRange was worked out for
    bool found = false;
};

}  // namespace restore
