// System information: module path, Windows folder, drive types, the clock and
// the user's date and time formats.
#include <windows.h>

#include <vector>

#include "platform/system.h"

namespace platform {

std::string moduleFileName() {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
    return std::string(buffer, length < MAX_PATH ? length : MAX_PATH);
}

bool windowsDirectory(std::string& folder, unsigned bufferSize) {
    if (bufferSize == 0)
        return false;
    std::vector<char> buffer(bufferSize);
    const UINT length = GetWindowsDirectoryA(buffer.data(), bufferSize);
    if (length == 0 || length >= bufferSize)
        return false;
    folder.assign(buffer.data(), length);
    return true;
}

int driveType(const std::string& root) {
    return static_cast<int>(GetDriveTypeA(root.c_str()));
}

DateTime localNow() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    DateTime moment;
    moment.year = now.wYear;
    moment.month = now.wMonth;
    moment.day = now.wDay;
    moment.hour = now.wHour;
    moment.minute = now.wMinute;
    moment.second = now.wSecond;
    return moment;
}

namespace {

SYSTEMTIME systemTime(const DateTime& moment) {
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(moment.year);
    time.wMonth = static_cast<WORD>(moment.month);
    time.wDay = static_cast<WORD>(moment.day);
    time.wHour = static_cast<WORD>(moment.hour);
    time.wMinute = static_cast<WORD>(moment.minute);
    time.wSecond = static_cast<WORD>(moment.second);
    return time;
}

}  // namespace

std::string formatShortDate(const DateTime& moment) {
    const SYSTEMTIME time = systemTime(moment);
    char buffer[128];
    const int length =
        GetDateFormatA(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, length - 1) : std::string();
}

std::string formatLongTime(const DateTime& moment) {
    const SYSTEMTIME time = systemTime(moment);
    char buffer[128];
    const int length =
        GetTimeFormatA(LOCALE_USER_DEFAULT, 0, &time, nullptr, buffer, sizeof buffer);
    return length > 0 ? std::string(buffer, length - 1) : std::string();
}

}  // namespace platform
