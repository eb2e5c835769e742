// Loading and saving the settings, drive types and the snapshot's age.
#include "wizard/settings.h"

#include "common/app_state.h"
#include "common/config_file.h"
#include "common/date_stamp.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "wizard/page1.h"

namespace wizard {

namespace {

constexpr const char* SettingsSection = "Settings";
constexpr platform::Colour OldSnapshotColour = platform::rgb(255, 6, 0);

std::string DriveKey(int index) {
    return std::string("drive") + static_cast<char>(common::DriveLetters[index] - 'A' + 'a');
}

bool ReadFlag(const char* key) {
    return common::ReadConfigInt(SettingsSection, key, 1) != 0;
}

// Only hard disks and network drives may be chosen.
common::DriveKind KindOf(const std::string& root) {
    const std::string type = DriveTypeText(root);
    if (type == common::DriveKindText(common::DriveKind::HardDisk))
        return common::DriveKind::HardDisk;
    if (type == common::DriveKindText(common::DriveKind::NetworkDrive))
        return common::DriveKind::NetworkDrive;
    return common::DriveKind::None;
}

}  // namespace

void LoadSettings() {
    common::Settings& settings = common::app().settings;
    for (bool& selected : settings.driveSelected)
        selected = false;
    const int32_t stamp = common::ReadConfigInt("Dates", "Date1", common::NoSnapshotStamp);
    settings.useRecycleBin = ReadFlag("Recycle");
    for (int i = 0; i < common::DriveCount; ++i)
        settings.driveKind[i] = KindOf(std::string(1, common::DriveLetters[i]) + ":\\");
    for (int i = 0; i < common::DriveCount; ++i) {
        if (settings.driveKind[i] != common::DriveKind::None) {
            settings.driveSelected[i] = ReadFlag(DriveKey(i).c_str());
        }
    }
    settings.skipIECache = ReadFlag("Dntsie");
    settings.skipNetscapeCache = ReadFlag("Dntsne");

    settings.snapshotDateText = SnapshotDateText(stamp);
    settings.snapshotDaysText = DaysSinceSnapshot(stamp);
    int32_t count = 0;
    // A backup of unknown age is treated as old: a restore then asks first.
    settings.snapshotOld =
        !platform::parseProfileInt(settings.snapshotDaysText, count) || count > 7;
}

void ShowSnapshotAge(TForm1& page1) {
    const common::Settings& settings = common::app().settings;
    const platform::Colour colour = settings.snapshotOld ? OldSnapshotColour : platform::Black;
    page1.Label3.setColour(colour);
    page1.Label4.setColour(colour);
    page1.Label3.setCaption("Days passed : " + settings.snapshotDaysText);
    page1.Label4.setCaption("Snapshot date : " + settings.snapshotDateText);
}

void SaveSettings() {
    const common::Settings& settings = common::app().settings;
    common::WriteConfigFlag(SettingsSection, "Dntsie", settings.skipIECache);
    common::WriteConfigFlag(SettingsSection, "Recycle", settings.useRecycleBin);
    common::WriteConfigFlag(SettingsSection, "Dntsne", settings.skipNetscapeCache);
    for (int i = 0; i < common::DriveCount; ++i) {
        common::WriteConfigFlag(SettingsSection, DriveKey(i), settings.driveSelected[i]);
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

std::string SnapshotDateText(int32_t stamp) {
    if (stamp == common::NoSnapshotStamp)
        return "No Backup";
    platform::DateTime taken;
    if (!common::DecodeFileDateStamp(stamp, taken))
        return UnknownDateText;
    return common::FormatDateTime(taken);
}

std::string DaysSinceSnapshot(int32_t stamp) {
    if (stamp == common::NoSnapshotStamp)
        return "0";
    platform::DateTime taken;
    if (!common::DecodeFileDateStamp(stamp, taken))
        return UnknownDateText;
    const platform::DateTime now = platform::localNow();
    const int days =
        (now.day - taken.day) + 30 * (now.month - taken.month) + 365 * (now.year - taken.year);
    return std::to_string(days);
}

}  // namespace wizard
