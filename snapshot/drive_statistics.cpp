// WriteSnapshot and ReadPathcount: a drive's statistics and date stamp in the
// configuration file.
#include "snapshot/drive_statistics.h"

#include <string>

#include "common/config_file.h"
#include "common/date_stamp.h"
#include "common/messages.h"
#include "platform/dialogs.h"
#include "platform/system.h"
#include "snapshot/snapshot_store.h"

namespace snapshot {

namespace {

std::string statisticsSection(char drive) {
    return std::string("Statistics - ") + drive;
}

}  // namespace

bool WriteSnapshot(char drive, int32_t n, int32_t pathcount, int32_t totalsize) {
    const int32_t filecount = n - pathcount;
    if (n > FileTableSlots) {
        common::ShowCenteredMessage(
            "You have more than 60,000 files on your drive.Please ask for professinal version "
            "or decrease number of files.",
            platform::MessageKind::Information, platform::MessageButtons::Ok, 225, 40);
        return false;
    }
    SaveSnapshot(drive, n);

    const std::string section = statisticsSection(drive);
    common::WriteConfigInt(section, "Filecount", filecount);
    common::WriteConfigInt(section, "Pathcount", pathcount);
    common::WriteConfigInt(section, "Totalsize", totalsize);
    common::WriteConfigInt("Dates", std::string("Date") + drive,
                           common::FileDateStamp(platform::localNow()));

    SetDriveReport(drive, filecount, pathcount, totalsize);
    return true;
}

int32_t ReadPathcount(char drive) {
    return common::ReadConfigInt(statisticsSection(drive), "Pathcount", 200);
}

}  // namespace snapshot
