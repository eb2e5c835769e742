// The snapshot files of a drive as the tests write and expect them: their
// names in the fixture's data folder, and their bytes.
#pragma once

#include <string>
#include <vector>

#include "snapshot/snapshot_store.h"

namespace snapshottest {

inline const char* const DataDir = "C:\\Program Files\\Trellmark\\SNPDAT";

inline std::string FileList(char drive) {
    return std::string(DataDir) + "\\SNPDAT." + drive + "01";
}
inline std::string FolderList(char drive) {
    return std::string(DataDir) + "\\SNPDAT." + drive + "02";
}

// Lines ended by CR LF, each scrambled when asked.
inline std::string Lines(const std::vector<std::string>& lines, bool scrambled = false) {
    std::string bytes;
    for (const std::string& line : lines) {
        bytes += scrambled ? snapshot::ScrambleText(line) : line;
        bytes += "\r\n";
    }
    return bytes;
}

}  // namespace snapshottest
