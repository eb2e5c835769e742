// System facts of the stand-in: set by the test through Machine.
#include "platform/system.h"

#include <algorithm>
#include <cctype>
#include <ctime>

#include "fake/state.h"

namespace platform {

using namespace platform::fake;

std::string moduleFileName() {
    return state().moduleFileName.substr(0, 260);
}

bool windowsDirectory(std::string& folder, unsigned bufferSize) {
    const MachineState& machine = state();
    if (machine.windowsDirectoryFails)
        return false;
    // The buffer must hold the text and its terminating NUL.
    if (machine.windowsDirectory.size() + 1 > bufferSize)
        return false;
    folder = machine.windowsDirectory;
    return true;
}

int driveType(const std::string& root) {
    if (root.size() < 2 || root[1] != ':')
        return drivetype::NoRootDir;
    if (root.size() > 3 || (root.size() == 3 && root[2] != '\\' && root[2] != '/'))
        return drivetype::NoRootDir;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(root[0])));
    auto found = state().drives.find(letter);
    return found == state().drives.end() ? drivetype::NoRootDir : found->second;
}

DateTime localNow() {
    if (state().now)
        return *state().now;
    const time_t now = time(nullptr);
    struct tm local;
    localtime_r(&now, &local);
    DateTime moment;
    moment.year = local.tm_year + 1900;
    moment.month = local.tm_mon + 1;
    moment.day = local.tm_mday;
    moment.hour = local.tm_hour;
    moment.minute = local.tm_min;
    moment.second = local.tm_sec;
    return moment;
}

namespace {

std::string padded(int value, size_t width) {
    std::string text = std::to_string(value);
    while (text.size() < width)
        text = "0" + text;
    return text;
}

const char* const monthNames[] = {"January",   "February", "March",    "April",
                                  "May",       "June",     "July",     "August",
                                  "September", "October",  "November", "December"};
const char* const dayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                "Thursday", "Friday", "Saturday"};

int weekday(const DateTime& moment) {
    struct tm date = {};
    date.tm_year = moment.year - 1900;
    date.tm_mon = moment.month - 1;
    date.tm_mday = moment.day;
    date.tm_hour = 12;
    timegm(&date);
    return date.tm_wday;
}

// Expands a Windows date or time picture: runs of d, M, y, h, H, m, s, t, and
// text in single quotes taken literally.
std::string expand(const std::string& picture, const DateTime& moment) {
    std::string out;
    size_t i = 0;
    while (i < picture.size()) {
        const char c = picture[i];
        if (c == '\'') {
            // Quoted text is literal; a doubled quote stands for one quote.
            ++i;
            while (i < picture.size()) {
                if (picture[i] != '\'') {
                    out += picture[i++];
                } else if (i + 1 < picture.size() && picture[i + 1] == '\'') {
                    out += '\'';
                    i += 2;
                } else {
                    ++i;
                    break;
                }
            }
            continue;
        }
        size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        const int hour12 = moment.hour % 12 == 0 ? 12 : moment.hour % 12;
        switch (c) {
            case 'd':
                if (run <= 2)
                    out += padded(moment.day, run);
                else if (run == 3)
                    out += std::string(dayNames[weekday(moment)]).substr(0, 3);
                else
                    out += dayNames[weekday(moment)];
                break;
            case 'M':
                if (run <= 2 || moment.month < 1 || moment.month > 12)
                    out += padded(moment.month, std::min<size_t>(run, 2));
                else if (run == 3)
                    out += std::string(monthNames[moment.month - 1]).substr(0, 3);
                else
                    out += monthNames[moment.month - 1];
                break;
            case 'y':
                if (run <= 2)
                    out += padded(moment.year % 100, run);
                else
                    out += padded(moment.year, 4);
                break;
            case 'h':
                out += padded(hour12, run > 1 ? 2 : 1);
                break;
            case 'H':
                out += padded(moment.hour, run > 1 ? 2 : 1);
                break;
            case 'm':
                out += padded(moment.minute, run > 1 ? 2 : 1);
                break;
            case 's':
                out += padded(moment.second, run > 1 ? 2 : 1);
                break;
            case 't':
                out += std::string(moment.hour < 12 ? "AM" : "PM").substr(0, run > 1 ? 2 : 1);
                break;
            default:
                out += picture.substr(i, run);
                break;
        }
        i += run;
    }
    return out;
}

}  // namespace

std::string formatShortDate(const DateTime& moment) {
    return expand(state().shortDateFormat, moment);
}

std::string formatLongTime(const DateTime& moment) {
    return expand(state().longTimeFormat, moment);
}

}  // namespace platform
