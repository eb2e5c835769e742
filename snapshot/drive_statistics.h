// Per-drive statistics in the configuration file, and the drive reports.
#pragma once

#include <cstdint>
#include <string>

namespace snapshot {

// Refuses more than 60,000 records (false); otherwise saves the snapshot,
// writes the drive's statistics and date, and builds its report (true).
bool WriteSnapshot(char drive, int32_t n, int32_t pathcount, int32_t totalsize);

// Folders found by the drive's last snapshot; 200 when unknown.
int32_t ReadPathcount(char drive);

// 1234567 -> "1,234,567".
std::string FormatThousands(int32_t value);

// The report text of a drive ("" when none was built since the last clear).
const std::string& DriveReport(char drive);
// Builds the report of a drive from its three counts.
void SetDriveReport(char drive, int32_t filecount, int32_t pathcount, int32_t totalsize);
// Empties all eight reports (each time the progress window is activated).
void ClearDriveReports();

// The "&Details..." button of the finish page.
void ShowDriveReports();

}  // namespace snapshot
