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

// The FolderListFile that goes with a FileListFile: the root at 0, each
// folder at the line of its record, THEEND after the last record.
inline std::string FolderListFor(char drive, const std::string& fileList) {
    std::vector<std::string> lines = {std::string(1, drive) + ":", "0"};
    int line = 0;
    for (size_t start = 0; start < fileList.size();) {
        const size_t end = fileList.find("\r\n", start);
        const std::string record = fileList.substr(start, end - start);
        ++line;
        if (record.size() >= 2 && record[1] == ':') {
            lines.push_back(record);
            lines.push_back(std::to_string(line));
        }
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    lines.push_back("THEEND");
    lines.push_back(std::to_string(line + 1));
    return Lines(lines, true);
}

}  // namespace snapshottest
