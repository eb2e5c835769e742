// System information: the program's own path, the Windows folder, drive
// types, the local clock and the user's date and time formats.
#pragma once

#include <string>

namespace platform {

// Full path of the running program file (at most 260 characters).
std::string moduleFileName();

// The Windows folder, asked with a buffer of `bufferSize` characters; false
// when the call fails or the buffer is too small.
bool windowsDirectory(std::string& folder, unsigned bufferSize);

namespace drivetype {
constexpr int Unknown = 0;
constexpr int NoRootDir = 1;
constexpr int Removable = 2;
constexpr int Fixed = 3;
constexpr int Remote = 4;
constexpr int CdRom = 5;
constexpr int RamDisk = 6;
}  // namespace drivetype

// The drive type of a root such as "C:\".
int driveType(const std::string& root);

struct DateTime {
    int year = 1980, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

DateTime localNow();
// The user's short date format ("07/12/2026") and long time format ("21:05:00").
std::string formatShortDate(const DateTime& moment);
std::string formatLongTime(const DateTime& moment);

}  // namespace platform
