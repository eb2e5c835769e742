// One end-to-end test's display, Wine machine and driver.
#include "machine.h"

namespace e2e {

Machine::Machine(const std::string& name) : prefix(name, display.name()), test_(name) {}

Driver& Machine::driver() {
    if (!driver_)
        driver_ = std::make_unique<Driver>(prefix);
    return *driver_;
}

int Machine::startProgram(const std::string& folder) {
    return driver().start(prefix.programPath(folder));
}

std::string Machine::screenshot(const std::string& step) {
    return e2e::screenshot(display.name(), test_, step);
}

}  // namespace e2e
