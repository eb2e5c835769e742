// Program-wide state of the wizard: the folder paths fixed at start-up, the
// settings loaded from the configuration file, and the run flags. One instance
// lives as long as the program; every subsystem reaches it through app().
#pragma once

#include <string>

namespace common {

constexpr int DriveCount = 8;
// C to J; per-drive settings and texts are indexed alike.
constexpr char DriveLetters[DriveCount] = {'C', 'D', 'E', 'F', 'G', 'H', 'I', 'J'};
int driveIndex(char letter);  // 0..7, or -1 for a letter outside C..J

struct Paths {
    std::string programDir;  // the program's folder, no trailing backslash
    std::string dataDir;     // programDir + "\SNPDAT"
    std::string winDir;      // empty when the Windows folder is unknown
    std::string bootRoot;    // first three characters of winDir, such as C:\ .
    std::string configFile() const { return programDir + "\\TRELMRK.INI"; }
};

// What a drive letter holds as far as choosing drives goes: only hard disks
// and network drives may be chosen; everything else, absent drives included,
// is None.
enum class DriveKind { None, HardDisk, NetworkDrive };
// "Hard Disk", "Network Drive" or "None", as the settings show it.
const char* DriveKindText(DriveKind kind);

struct Settings {
    bool driveSelected[DriveCount] = {};
    DriveKind driveKind[DriveCount] = {};
    bool useRecycleBin = true;
    bool skipIECache = true;
    bool skipNetscapeCache = true;
    std::string snapshotDateText;  // date of the last backup, or "No Backup"
    std::string snapshotDaysText;  // days since it, as page 1 shows them
    bool snapshotOld = false;      // last backup more than 7 days ago
};

struct RunFlags {
    bool firstRun = false;
    bool snapshotMode = false;
    bool restoreMode = false;
    bool cancelRequested = false;
};

struct AppState {
    Paths paths;
    Settings settings;
    RunFlags run;
};

AppState& app();

}  // namespace common
