// Renaming a file: MoveFileA, which never replaces an existing file.
#include <windows.h>

#include "platform/files.h"

namespace platform {

bool moveFile(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

}  // namespace platform
