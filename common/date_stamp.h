// The packed MS-DOS date and time stamp used for every date of the program.
#pragma once

#include <cstdint>
#include <string>

#include "platform/system.h"

namespace common {

// Stored as Date1 when no backup exists; compared, never decoded.
constexpr int32_t NoSnapshotStamp = 2211648;

// Year-1980 (7 bits), month (4), day (5), hour (5), minute (6), second/2 (5);
// a year outside 1980..2099 gives 0. Years from 2044 on come out negative.
int32_t FileDateStamp(const platform::DateTime& moment);

// False when the stamp holds no valid date and time.
bool DecodeFileDateStamp(int32_t stamp, platform::DateTime& moment);

// The user's short date, then a blank and the long time unless it is exactly
// midnight.
std::string FormatDateTime(const platform::DateTime& moment);

}  // namespace common
