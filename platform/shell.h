// Shell services: file deletion through the shell, icons of the system image
// list, restarting Windows and the help engine.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

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

// MAX_PATH less its NUL: no Windows path is longer, and the shell would not
// treat a longer one faithfully.
constexpr size_t LongestShellPath = 259;

// The shell's list naming the one path: the path, its NUL and the empty name
// that ends the list, zero-filled to at least MAX_PATH + 1 bytes. Empty when
// the path is empty or longer than LongestShellPath: a cut path would name
// something else.
std::vector<char> shellNameList(const std::string& path);

// Index in the system image list (small icons) of the icon of the item that
// exists at the path (SHGetFileInfoA with SHGFI_SYSICONINDEX).
int systemIconIndex(const std::string& path);

// ExitWindowsEx(EWX_REBOOT, 0); the result is not reported.
void restartWindows();

// WinHelpA(owner, file, command, data); the result is not reported.
void openHelp(const Window& owner, const std::string& file, unsigned command, unsigned long data);

}  // namespace platform
