// Windows paths on the stand-in: absolute forms after the current drive and
// folder, and their place in the machine folder on the host.
#pragma once

#include <string>
#include <vector>

namespace platform::fake {

// A full Windows path taken apart: "C:\A\B" is drive 'C' with parts A, B.
struct WinPath {
    char drive = 0;  // 0: not a drive path (UNC or empty)
    std::vector<std::string> parts;
};

// The absolute form, as GetFullPathName gives it.
std::string absolutePath(const std::string& path);
WinPath splitPath(const std::string& path);
std::string joinPath(const WinPath& path);

// The host path of a Windows path; empty when the drive does not exist.
std::string resolveHost(const std::string& path);
// The absolute path with each 8.3 alias a test gave replaced by the entry's
// own name.
std::string longForm(const std::string& path);
// The host folder of a drive, or empty when the drive does not exist.
std::string driveFolder(char drive);

}  // namespace platform::fake
