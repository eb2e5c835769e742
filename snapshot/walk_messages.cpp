// The once-per-drive messages of the snapshot and restore walks.
#include "snapshot/walk_messages.h"

#include "common/messages.h"
#include "platform/dialogs.h"

namespace snapshot {

namespace {

void inform(const std::string& text) {
    common::ShowCenteredMessage(text, platform::MessageKind::Information,
                                platform::MessageButtons::Ok, 225, 40);
}

}  // namespace

void ReportDriveLost(char drive) {
    common::ShowCenteredMessage("  Cannot access drive  " + std::string(1, drive),
                                platform::MessageKind::Error, platform::MessageButtons::Ok, 110,
                                40);
}

void ReportUnreadableFolders(char drive, const std::vector<std::string>& folders) {
    if (folders.empty())
        return;
    const std::string letter(1, drive);
    if (folders.size() == 1) {
        inform("1 folder on drive " + letter +
               " could not be read; nothing in it will be offered for removal. It is " +
               folders.front());
        return;
    }
    inform(std::to_string(folders.size()) + " folders on drive " + letter +
           " could not be read; nothing in them will be offered for removal. The first is " +
           folders.front());
}

void ReportPassedOver(char drive, int count, const std::string& first) {
    if (count <= 0)
        return;
    const std::string letter(1, drive);
    if (count == 1) {
        inform("1 entry on drive " + letter +
               " was passed over, since its name does not lead back to it; it will not be "
               "offered for removal. It is " +
               first);
        return;
    }
    inform(std::to_string(count) + " entries on drive " + letter +
           " were passed over, since their names do not lead back to them; none of them will "
           "be offered for removal. The first is " +
           first);
}

}  // namespace snapshot
