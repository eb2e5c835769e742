// The shell's double-NUL list of names, built the one way both programs use.
#include <algorithm>
#include <cstring>

#include "platform/shell.h"

namespace platform {

std::vector<char> shellNameList(const std::string& path) {
    if (path.empty() || path.size() > LongestShellPath)
        return {};
    std::vector<char> list(std::max(LongestShellPath + 2, path.size() + 2), '\0');
    std::memcpy(list.data(), path.data(), path.size());
    return list;
}

}  // namespace platform
