// Removal of the entries the user left ticked on the review: files deleted or
// sent to the Recycle Bin, then the folders that are empty by then.
#pragma once

#include <string>
#include <vector>

namespace restore {

// The ticked entries that removal left in place: in use, denied, or a path
// that no longer reaches the listed entry.
struct RemovalOutcome {
    int left = 0;
    std::string first;  // full path of the first of them
    void add(const std::string& path);
};

// A ticked file as the review lists it.
struct TickedFile {
    std::string location;  // its folder with a trailing backslash
    std::string name;
};

// Removes the files in order (to the Recycle Bin when the settings say so),
// then the folders (listed with a trailing backslash, outer before inner)
// last to first, each only once it is empty.
RemovalOutcome RemoveTicked(const std::vector<TickedFile>& files,
                            const std::vector<std::string>& folders);

// Deletes a file for good; true only if it existed and was deleted.
bool EraseFile(const std::string& path);
// Sends a file to the Recycle Bin; true only if the shell succeeded and the
// file is gone.
bool RecycleFile(const std::string& path);

}  // namespace restore
