// The per-drive report texts, FormatThousands and the Details box.
#include <string>

#include "common/app_state.h"
#include "common/messages.h"
#include "platform/dialogs.h"
#include "snapshot/drive_statistics.h"

namespace snapshot {

namespace {

std::string* reports() {
    static std::string texts[common::DriveCount];
    return texts;
}

}  // namespace

std::string FormatThousands(int32_t value) {
    // Widened first, so that the lowest 32-bit value has a magnitude too.
    const int64_t wide = value;
    const std::string digits = std::to_string(wide < 0 ? -wide : wide);
    std::string text = wide < 0 ? "-" : "";
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            text += ',';
        text += digits[i];
    }
    return text;
}

const std::string& DriveReport(char drive) {
    static const std::string none;
    const int index = common::driveIndex(drive);
    return index < 0 ? none : reports()[index];
}

void SetDriveReport(char drive, int32_t filecount, int32_t pathcount, int32_t totalsize) {
    const int index = common::driveIndex(drive);
    if (index < 0)
        return;
    reports()[index] = std::string("Report for drive ") + drive +
                       ":\t\r\rTotal file(s) on disk:\t\t" + FormatThousands(filecount) +
                       "\rTotal folder(s) on disk:\t\t" + FormatThousands(pathcount) +
                       "\rTotal used space (KB):\t\t" + FormatThousands(totalsize);
}

void ClearDriveReports() {
    for (int i = 0; i < common::DriveCount; ++i)
        reports()[i].clear();
}

void ShowDriveReports() {
    const common::RunFlags& run = common::app().run;
    if (!run.snapshotMode && !run.firstRun)
        return;
    std::string text = reports()[0];
    for (int i = 1; i < common::DriveCount; ++i) {
        if (!reports()[i].empty())
            text += "\r\r" + reports()[i];
    }
    if (text.empty())
        text = "No Snapshot Report";
    common::ShowCenteredMessage(text, platform::MessageKind::Information,
                                platform::MessageButtons::Ok, 130, 100);
}

}  // namespace snapshot
