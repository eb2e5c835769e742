// The wizard's first page under Wine: it shows alone, centred, with the
// shared layout, and Cancel ends the program without writing its settings.
#include <gtest/gtest.h>

#include "harness/machine.h"

namespace {

TEST(Page1, ShowsCentredWithTheWizardLayoutAndCancelEndsTheProgram) {
    e2e::Machine machine;
    machine.prefix.mapDrive('D');
    machine.prefix.installPrograms();
    e2e::Driver& ui = machine.driver();
    int pid = machine.startProgram();

    e2e::Window page = ui.waitWindow("Trellmark v1.1");
    // All four pages exist from the start; only page 1 is shown.
    EXPECT_EQ(std::vector<e2e::Window>{page}, ui.findWindows("Trellmark v1.1"));
    e2e::Size client = ui.clientSize(page);
    EXPECT_EQ(502, client.width);
    EXPECT_EQ(329, client.height);
    e2e::ScreenRect frame = ui.rect(page);
    e2e::Size screen = ui.screenSize();
    EXPECT_NEAR((screen.width - (frame.right - frame.left)) / 2, frame.left, 1);
    EXPECT_NEAR((screen.height - (frame.bottom - frame.top)) / 2, frame.top, 1);
    machine.screenshot("page1");

    ui.press(page, "Cancel");
    EXPECT_EQ(0, ui.waitExit(pid));
    EXPECT_TRUE(ui.findWindows("Trellmark v1.1").empty());
    EXPECT_FALSE(machine.prefix.exists(std::string(e2e::Prefix::kInstallFolder) + "\\TRELMRK.INI"));
}

}  // namespace
