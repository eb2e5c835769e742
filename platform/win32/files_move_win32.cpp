// Renaming a file: MoveFileA, which never replaces an existing file.
#include <windows.h>

#include "platform/files.h"
#include "platform/win32/file_handle.h"

namespace platform {

IoResult moveFile(const std::string& from, const std::string& to) {
    return win32::checked(MoveFileA(from.c_str(), to.c_str()));
}

}  // namespace platform
