// Profile (INI) files through the system's own profile routines.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "platform/profile.h"

namespace platform {

std::string readProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback) {
    std::vector<char> buffer(512);
    for (;;) {
        const DWORD length =
            GetPrivateProfileStringA(section.c_str(), key.c_str(), fallback.c_str(), buffer.data(),
                                     buffer.size(), file.c_str());
        // A value that fills the buffer may have been cut: ask again with more room.
        if (length + 1 < buffer.size() || buffer.size() > ProfileValueLimit) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(std::min(buffer.size() * 4, ProfileValueLimit + 1));
    }
}

bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value) {
    if (section.size() > ProfileWriteLimit || key.size() > ProfileWriteLimit ||
        value.size() > ProfileWriteLimit)
        return false;
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}

}  // namespace platform
