// The one program-wide instance of the program's state.
#include "common/app_state.h"

namespace common {

AppState& app() {
    static AppState state;
    return state;
}

int driveIndex(char letter) {
    for (int i = 0; i < DriveCount; ++i) {
        if (DriveLetters[i] == letter)
            return i;
    }
    return -1;
}

const char* DriveKindText(DriveKind kind) {
    switch (kind) {
        case DriveKind::HardDisk:
            return "Hard Disk";
        case DriveKind::NetworkDrive:
            return "Network Drive";
        case DriveKind::None:
            break;
    }
    return "None";
}

}  // namespace common
