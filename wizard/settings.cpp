// Loading and saving the settings, drive types and the snapshot's age.
#include "wizard/settings.h"

#include "common/app_state.h"
#include "common/config_file.h"
#include "common/date_stamp.h"
#include "platform/profile.h"
#include "platform/system.h"
#include "wizard/page1.h"
#include "wizard/pages.h"

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
    page1->Label4.setCaption("Snapshot date : " + common::app().settings.snapshotDateText);
}

}  // namespace

void LoadSettings() {
    common::Settings& settings = common::app().settings;
    for (bool& selected : settings.driveSelected)
        selected = false;
    const int32_t stamp = common::ReadConfigInt("Dates", "Date1", common::NoSnapshotStamp);
    settings.useRecycleBin = ReadFlag("Recycle");
    for (int i = 0; i < common::DriveCount; ++i) {
        const std::string type = DriveTypeText(std::string(1, common::DriveLetters[i]) + ":\\");
        settings.driveTypeName[i] = IsSelectableType(type) ? type : "None";
    }
    for (int i = 0; i < common::DriveCount; ++i) {
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

std::string DaysSinceSnapshot(int32_t stamp) {
    common::Settings& settings = common::app().settings;
    if (stamp == common::NoSnapshotStamp) {
        settings.snapshotDateText = "No Backup";
        return "0";
    }
    platform::DateTime taken;
    if (!common::DecodeFileDateStamp(stamp, taken)) {
        settings.snapshotDateText = UnknownDateText;
        return UnknownDateText;
    }
    settings.snapshotDateText = common::FormatDateTime(taken);
    const platform::DateTime now = platform::localNow();
    const int days =
        (now.day - taken.day) + 30 * (now.month - taken.month) + 365 * (now.year - taken.year);
    return std::to_string(days);
}

}  // namespace wizard
