// The one program-wide instance of the wizard's state and of its pages.
#include "wizard/app_state.h"

#include "wizard/pages.h"

namespace wizard {

AppState& app() {
    static AppState state;
    return state;
}

Pages& pages() {
    static Pages all;
    return all;
}

int driveIndex(char letter) {
    for (int i = 0; i < DriveCount; ++i) {
        if (DriveLetters[i] == letter)
            return i;
    }
    return -1;
}

}  // namespace wizard
