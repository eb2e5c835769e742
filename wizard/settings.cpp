// Loading and saving the settings, drive types and the snapshot's age.
#include "wizard/settings.h"

#include "platform/profile.h"
#include "platform/system.h"
#include "wizard/app_state.h"
#include "wizard/config_file.h"
#include "wizard/date_stamp.h"
#include "wizard/page1.h"
#include "wizard/pages.h"

namespace wizard {

namespace {

constexpr const char* SettingsSection = "Settings";
constexpr platform::Colour OldSnapshotColour = platform::rgb(255, 6, 0);

std::string DriveKey(int index) {
    return std::string("drive") + static_cast<char>(DriveLetters[index] - 'A' + 'a');
}

bool ReadFlag(const char* key) {
    return ReadConfigInt(SettingsSection, key, 1) != 0;
}

bool IsSelectableType(const std::string& type) {
    return type == "Hard Disk" || type == "Network Drive";
}

void ShowSnapshotAge(const std::string& days, bool old) {
    TForm1* page1 = pages().form1;
    if (page1 == nullptr)
        return;
    const platform::Colour colour = old ? OldSnapshotColour : platform::Black;
    page1->Label3.setColour(colour);
    page1->Label4.setColour(colour);
    page1->Label3.setCaption("Days passed : " + days);
    page1->Label4.setCaption("Snapshot date : " + app().settings.snapshotDateText);
}

}  // namespace

void LoadSettings() {
    Settings& settings = app().settings;
    for (bool& selected : settings.driveSelected)
        selected = false;
    const int32_t stamp = ReadConfigInt("Dates", "Date1", NoSnapshotStamp);
    settings.useRecycleBin = ReadFlag("Recycle");
    for (int i = 0; i < DriveCount; ++i) {
        const std::string type = DriveTypeText(std::string(1, DriveLetters[i]) + ":\\");
        settings.driveTypeName[i] = IsSelectableType(type) ? type : "None";
    }
    for (int i = 0; i < DriveCount; ++i) {
        if (settings.driveTypeName[i] != "None") {
            settings.driveSelected[i] = ReadFlag(DriveKey(i).c_str());
        }
    }
    settings.skipIECache = ReadFlag("Dntsie");
    settings.skipNetscapeCache = ReadFlag("Dntsne");

    const std::string days = DaysSinceSnapshot(stamp);
    int32_t count = 0;
    // A backup of unknown age is treated as old: a restore then asks first.
    settings.snapshotOld = !platform::parseProfileInt(days, count) || count > 7;
    ShowSnapshotAge(days, settings.snapshotOld);
}

void SaveSettings() {
    const Settings& settings = app().settings;
    WriteConfigFlag(SettingsSection, "Dntsie", settings.skipIECache);
    WriteConfigFlag(SettingsSection, "Recycle", settings.useRecycleBin);
    WriteConfigFlag(SettingsSection, "Dntsne", settings.skipNetscapeCache);
    for (int i = 0; i < DriveCount; ++i) {
        WriteConfigFlag(SettingsSection, DriveKey(i), settings.driveSelected[i]);
    }
}

std::string DriveTypeText(const std::string& root) {
    switch (platform::driveType(root)) {
        case platform::drivetype::Removable:
            return "Floppy";
        case platform::drivetype::Fixed:
            return "Hard Disk";
        case platform::drivetype::Remote:
            return "Network Drive";
        case platform::drivetype::CdRom:
            return "CD-ROM";
        default:
            return "does not exist";
    }
}

std::string DaysSinceSnapshot(int32_t stamp) {
    Settings& settings = app().settings;
    if (stamp == NoSnapshotStamp) {
        settings.snapshotDateText = "No Backup";
        return "0";
    }
    platform::DateTime taken;
    if (!DecodeFileDateStamp(stamp, taken)) {
        settings.snapshotDateText = UnknownDateText;
        return UnknownDateText;
    }
    settings.snapshotDateText = FormatDateTime(taken);
    const platform::DateTime now = platform::localNow();
    const int days =
        (now.day - taken.day) + 30 * (now.month - taken.month) + 365 * (now.year - taken.year);
    return std::to_string(days);
}

}  // namespace wizard
