// WriteSnapshot and ReadPathcount: a drive's statistics and date stamp in the
// configuration file.
#include "snapshot/drive_statistics.h"

#include <string>

#include "platform/dialogs.h"
#include "platform/system.h"
#include "snapshot/snapshot_store.h"
#include "wizard/config_file.h"
#include "wizard/date_stamp.h"
#include "wizard/messages.h"

namespace snapshot {

namespace {

std::string statisticsSection(char drive) {
    return std::string("Statistics - ") + drive;
}

}  // namespace

bool WriteSnapshot(char drive, int32_t n, int32_t pathcount, int32_t totalsize) {
    const int32_t filecount = n - pathcount;
    if (n > FileTableSlots) {
        wizard::ShowCenteredMessage(
            "You have more than 60,000 files on your drive.Please ask for professinal version "
            "or decrease number of files.",
            platform::MessageKind::Information, platform::MessageButtons::Ok, 225, 40);
        return false;
    }
    SaveSnapshot(drive, n);

    const std::string section = statisticsSection(drive);
    wizard::WriteConfigInt(section, "Filecount", filecount);
    wizard::WriteConfigInt(section, "Pathcount", pathcount);
    wizard::WriteConfigInt(section, "Totalsize", totalsize);
    wizard::WriteConfigInt("Dates", std::string("Date") + drive,
                           wizard::FileDateStamp(platform::localNow()));

    SetDriveReport(drive, filecount, pathcount, totalsize);
    return true;
}

int32_t ReadPathcount(char drive) {
    return wizard::ReadConfigInt(statisticsSection(drive), "Pathcount", 200);
}

}  // namespace snapshot
