// Shell services: file deletion through the shell, icons of the system image
// list, restarting Windows and the help engine.
#pragma once

#include <string>

namespace platform {

class Window;

namespace fof {
constexpr unsigned Silent = 0x0004;
constexpr unsigned NoConfirmation = 0x0010;
constexpr unsigned AllowUndo = 0x0040;
}  // namespace fof

// SHFileOperationA with FO_DELETE, no owner window, no destination. `from` is
// the shell's list of names: each NUL-terminated, the list ended by an empty
// name (two NULs). With fof::AllowUndo a file goes to the Recycle Bin.
// Returns the shell's result: 0 for success.
int shellDelete(const char* from, unsigned flags);

// Index in the system image list (small icons) of the icon of the item that
// exists at the path (SHGetFileInfoA with SHGFI_SYSICONINDEX).
int systemIconIndex(const std::string& path);

// ExitWindowsEx(EWX_REBOOT, 0); the result is not reported.
void restartWindows();

// WinHelpA(owner, file, command, data); the result is not reported.
void openHelp(const Window& owner, const std::string& file, unsigned command, unsigned long data);

}  // namespace platform
