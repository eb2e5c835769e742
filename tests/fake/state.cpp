// The one machine of the stand-in and its defaults.
#include "fake/state.h"

#include "fake/faults.h"

namespace platform::fake {

MachineState& state() {
    static MachineState machine;
    return machine;
}

void resetState(const std::string& folder) {
    faults::reset();
    MachineState& machine = state();
    // Windows still alive (owned by a test's objects) keep their place in the list.
    std::vector<Window*> windows = machine.windows;
    machine = MachineState();
    machine.windows = windows;
    machine.folder = folder;
    machine.moduleFileName = "C:\\Program Files\\Trellmark\\trelmrk.exe";
    machine.windowsDirectory = "C:\\WINDOWS";
    machine.shortDateFormat = "M/d/yyyy";
    machine.longTimeFormat = "h:mm:ss tt";
}

std::string upper(const std::string& text) {
    std::string result = text;
    for (char& c : result) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return result;
}

bool sameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (x >= 'a' && x <= 'z')
            x = static_cast<char>(x - 'a' + 'A');
        if (y >= 'a' && y <= 'z')
            y = static_cast<char>(y - 'a' + 'A');
        if (x != y)
            return false;
    }
    return true;
}

}  // namespace platform::fake
