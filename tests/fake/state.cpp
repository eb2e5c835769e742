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

}  // namespace platform::fake
