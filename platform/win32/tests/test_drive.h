// Helpers of the Win32 backend tests: a fresh folder per test on drive D: and
// raw file contents read and written with the system's own calls.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

namespace testdrive {

// D:\<name>, made empty for the test (names are unique per test).
inline std::string folder(const std::string& name) {
    const std::string path = "D:\\" + name;
    CreateDirectoryA(path.c_str(), nullptr);
    return path;
}

inline void writeBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

inline std::string readBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    std::string bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(file);
    return bytes;
}

// Whether the machine refuses to write a read-only file: a process of the
// host's superuser may write it anyway, and then those checks cannot be made.
inline bool readOnlyEnforced() {
    const std::string path = folder("readonly-probe") + "\\probe.txt";
    writeBytes(path, "x");
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return true;
    CloseHandle(file);
    std::printf("  (read-only files are writable here: those checks are skipped)\n");
    return false;
}

}  // namespace testdrive
