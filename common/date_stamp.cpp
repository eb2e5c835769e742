// Packing and unpacking of the MS-DOS date and time stamp.
#include "common/date_stamp.h"

namespace common {

int32_t FileDateStamp(const platform::DateTime& m) {
    if (m.year < 1980 || m.year > 2099)
        return 0;
    // Packed unsigned: years from 2044 on reach bit 31 and read back negative.
    const uint32_t packed =
        (static_cast<uint32_t>(m.year - 1980) << 25) | (static_cast<uint32_t>(m.month) << 21) |
        (static_cast<uint32_t>(m.day) << 16) | (static_cast<uint32_t>(m.hour) << 11) |
        (static_cast<uint32_t>(m.minute) << 5) | static_cast<uint32_t>(m.second / 2);
    return static_cast<int32_t>(packed);
}

static bool isLeap(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

static int daysInMonth(int year, int month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeap(year) ? 29 : days[month - 1];
}

bool DecodeFileDateStamp(int32_t stamp, platform::DateTime& m) {
    const uint32_t packed = static_cast<uint32_t>(stamp);
    platform::DateTime d;
    d.year = 1980 + static_cast<int>(packed >> 25);
    d.month = static_cast<int>((packed >> 21) & 0x0F);
    d.day = static_cast<int>((packed >> 16) & 0x1F);
    d.hour = static_cast<int>((packed >> 11) & 0x1F);
    d.minute = static_cast<int>((packed >> 5) & 0x3F);
    d.second = static_cast<int>(packed & 0x1F) * 2;
    if (d.month < 1 || d.month > 12 || d.day < 1 || d.day > daysInMonth(d.year, d.month) ||
        d.hour > 23 || d.minute > 59 || d.second > 59) {
        return false;
    }
    m = d;
    return true;
}

std::string FormatDateTime(const platform::DateTime& moment) {
    std::string text = platform::formatShortDate(moment);
    if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
        text += ' ';
        text += platform::formatLongTime(moment);
    }
    return text;
}

}  // namespace common
