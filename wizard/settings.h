// The settings kept in [Settings] of TRELMRK.INI, the drive types that decide
// which drives may be chosen, and the age of the last snapshot.
#pragma once

#include <cstdint>
#include <string>

class TForm1;

namespace wizard {

// Shown instead of a date and a day count when Date1 holds no valid stamp.
constexpr const char* UnknownDateText = "Unknown";

// Reads the settings and Date1 from ConfigFile (defaults when missing) into
// the program's settings: the flags, the drive kinds and the snapshot's date,
// days and age (old when more than 7 days, or of unknown age).
void LoadSettings();

// Page 1's status labels from the loaded settings, red when the last backup
// is old.
void ShowSnapshotAge(TForm1& page1);

// Writes [Settings]: Dntsie, Recycle, Dntsne, drivec .. drivej. A value that
// cannot be written throws "Unable to write to <ConfigFile>" and the rest is
// not written.
void SaveSettings();

// "Floppy", "Hard Disk", "Network Drive", "CD-ROM" or "does not exist".
std::string DriveTypeText(const std::string& root);

// The days since the backup as decimal text (months of 30 days, years of
// 365); "0" when no backup exists, UnknownDateText when the stamp is not a
// date.
std::string DaysSinceSnapshot(int32_t stamp);

// The backup's date and time as the user's settings write them; "No Backup"
// when none exists, UnknownDateText when the stamp is not a date.
std::string SnapshotDateText(int32_t stamp);

}  // namespace wizard
