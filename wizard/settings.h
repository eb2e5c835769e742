// The settings kept in [Settings] of TRELMRK.INI, the drive types that decide
// which drives may be chosen, and the age of the last snapshot.
#pragma once

#include <cstdint>
#include <string>

namespace wizard {

// Shown instead of a date and a day count when Date1 holds no valid stamp.
constexpr const char* UnknownDateText = "Unknown";

// Reads the settings and Date1 from ConfigFile (defaults when missing) and
// fills page 1's status labels, red when the last backup is more than 7 days
// old (or of unknown age).
void LoadSettings();

// Writes [Settings]: Dntsie, Recycle, Dntsne, drivec .. drivej. A value that
// cannot be written throws "Unable to write to <ConfigFile>" and the rest is
// not written.
void SaveSettings();

// "Floppy", "Hard Disk", "Network Drive", "CD-ROM" or "does not exist".
std::string DriveTypeText(const std::string& root);

// The days since the backup as decimal text (months of 30 days, years of
// 365); sets the settings' snapshot date text. "0" and "No Backup" when no
// backup exists; UnknownDateText for both when the stamp is not a date.
std::string DaysSinceSnapshot(int32_t stamp);

}  // namespace wizard
