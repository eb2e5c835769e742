// One end-to-end test's whole setting: a display, a fresh Wine machine that
// shows on it, and a driver inside the machine (started on first use).
// Members are made in this order and undone in reverse: the driver quits,
// every Wine process of the machine ends, the machine goes, the display stops.
//
//   TEST(Wizard, Page1) {
//       e2e::Machine machine;              // named after the test
//       machine.prefix.mapDrive('D');
//       machine.prefix.installPrograms();
//       int pid = machine.startProgram();
//       e2e::Window page = machine.driver().waitWindow("Trellmark v1.1");
//       machine.screenshot("page1");
//       machine.driver().press(page, "Cancel");
//       EXPECT_EQ(0, machine.driver().waitExit(pid));
//   }
#pragma once

#include <memory>
#include <string>

#include "display.h"
#include "driver.h"
#include "prefix.h"
#include "screenshot.h"

namespace e2e {

class Machine {
public:
    explicit Machine(const std::string& name = currentTestName());

    Display display;
    Prefix prefix;

    Driver& driver();
    // Starts the installed trelmrk.exe (see Prefix::installPrograms).
    int startProgram(const std::string& folder = Prefix::kInstallFolder);
    // Saves the screen as <artifacts>/screenshots/<test>/<step>.png.
    std::string screenshot(const std::string& step);

private:
    std::string test_;
    std::unique_ptr<Driver> driver_;
};

}  // namespace e2e
