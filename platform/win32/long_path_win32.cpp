// Long names of a path, one component at a time through FindFirstFileA:
// GetLongPathNameA does not exist on Windows 95.
#include <windows.h>

#include "platform/files.h"
#include "platform/text_rules.h"

namespace platform {

std::string longPathName(const std::string& path) {
    // Only drive-rooted paths ("X:\..."); anything else is left as it is.
    if (!isDriveRooted(path))
        return path;
    std::string result = path.substr(0, 3);
    size_t start = 3;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos)
            end = path.size();
        const std::string name = path.substr(start, end - start);
        if (name.empty() || name == "." || name == ".." ||
            name.find_first_of("*?") != std::string::npos)
            return path;
        WIN32_FIND_DATAA found;
        const HANDLE handle = FindFirstFileA((result + name).c_str(), &found);
        if (handle == INVALID_HANDLE_VALUE)
            return path;
        FindClose(handle);
        result += found.cFileName;
        if (end < path.size())
            result += '\\';
        start = end + 1;
    }
    return result;
}

}  // namespace platform
