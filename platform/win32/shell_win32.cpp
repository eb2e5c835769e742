// Shell services: deletion through the shell, the system image list, restart
// and help.
// The shell's declarations need the base ones first.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include "platform/shell.h"
#include "platform/win32/dynamic_calls.h"
#include "platform/win32/native.h"

namespace platform {

int shellDelete(const char* from, unsigned flags) {
    // Byte-packed as SHELL32 of every Windows version reads it.
    static_assert(sizeof(SHFILEOPSTRUCTA) == 30, "SHFILEOPSTRUCTA must be byte-packed");
    SHFILEOPSTRUCTA operation = {};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from;
    operation.pTo = nullptr;
    operation.fFlags = static_cast<FILEOP_FLAGS>(flags);
    return SHFileOperationA(&operation);
}

void restartWindows() {
    win32::enableShutdownPrivilege();
    ExitWindowsEx(EWX_REBOOT, 0);
}

void openHelp(const Window& owner, const std::string& file, unsigned command, unsigned long data) {
    WinHelpA(win32::hwndOf(owner), file.c_str(), command, data);
}

namespace win32 {

HIMAGELIST systemSmallImageList() {
    SHFILEINFOA info = {};
    char windowsFolder[MAX_PATH + 1] = "C:\\";
    GetWindowsDirectoryA(windowsFolder, sizeof windowsFolder);
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoA(windowsFolder, 0, &info, sizeof info, SHGFI_SYSICONINDEX | SHGFI_SMALLICON));
}

}  // namespace win32

}  // namespace platform
