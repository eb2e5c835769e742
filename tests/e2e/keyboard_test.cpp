// The wizard from the keyboard alone, with real key strokes typed into its
// windows: Tab, Space, Ctrl+Tab and Enter in Settings, Escape on the pages,
// and Enter through a whole first run.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/keystrokes.h"
#include "harness/machine.h"

namespace {

constexpr char kConfig[] = "C:\\Program Files\\Trellmark\\TRELMRK.INI";

using e2e::Eventually;
using e2e::FocusText;
using e2e::FocusWalk;
using e2e::HasChild;
using e2e::WaitPage;

TEST(Keyboard, SettingsByTabSpaceAndCtrlTabThenEnterSavesAndEscapeEnds) {
    e2e::Machine machine;
    machine.prefix.mapDrive('D');
    machine.prefix.installPrograms();
    machine.prefix.writeFile(kConfig, "[Settings]\r\ndrivec=1\r\ndrived=1\r\nRecycle=1\r\n");
    e2e::Driver& ui = machine.driver();
    const int pid = machine.startProgram();
    const e2e::Window page1 = WaitPage(ui, "&Restore to previous state");
    // The choice has the focus; Next is the default button.
    EXPECT_EQ(FocusText(ui, page1), "&Take snapshot of current state");
    EXPECT_EQ(ui.defaultButton(page1), "&Next >");
    // Arrow keys move within the choice and make it.
    const e2e::Window restore = ui.child(page1, "Restore to previous state");
    const e2e::Window snapshot = ui.child(page1, "Take snapshot of current state");
    ui.keys(page1, {"down"});
    EXPECT_TRUE(Eventually([&] { return ui.checked(restore) == 1; }));
    EXPECT_EQ(FocusText(ui, page1), "&Restore to previous state");
    ui.keys(page1, {"up"});
    EXPECT_TRUE(Eventually([&] { return ui.checked(snapshot) == 1 && ui.checked(restore) == 0; }));

    ui.keys(page1, {"alt+s"});
    const e2e::Window settings = ui.waitWindow("Settings");
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, settings) == "Drive &C: Hard Disk"; }))
        << FocusText(ui, settings);
    machine.screenshot("settings-drives");
    EXPECT_EQ(ui.defaultButton(settings), "OK");
    // The boxes of the shown page, then OK, Cancel and the tab strip; the
    // drives that do not exist are passed over, and Shift+Tab walks back.
    EXPECT_EQ(
        FocusWalk(ui, settings, {"tab", "tab", "tab", "tab", "shift+tab", "shift+tab"}),
        (std::vector<std::string>{"Drive &D: Hard Disk", "OK", "Cancel", "", "Cancel", "OK"}));
    // The focused button is the one drawn as the default.
    EXPECT_EQ(ui.defaultButton(settings), "OK");
    FocusWalk(ui, settings, {"shift+tab"});
    ASSERT_EQ(FocusText(ui, settings), "Drive &D: Hard Disk");
    EXPECT_EQ(ui.defaultButton(settings), "OK");
    ui.keys(settings, {"space"});
    const e2e::Window driveD = ui.focus(settings).handle;
    EXPECT_TRUE(Eventually([&] { return ui.checked(driveD) == 0; }));

    const e2e::Window tabs = ui.child(settings, "", "SysTabControl32");
    ui.keys(settings, {"ctrl+tab"});
    ASSERT_TRUE(Eventually([&] { return ui.selectedTab(tabs) == 1; }));
    ASSERT_TRUE(Eventually(
        [&] { return FocusText(ui, settings) == "Send deleted files to the &Recycle Bin."; }));
    ui.keys(settings, {"space"});
    machine.screenshot("settings-recycle-bin");
    ui.keys(settings, {"ctrl+tab", "ctrl+shift+tab", "ctrl+shift+tab"});
    EXPECT_TRUE(Eventually([&] { return ui.selectedTab(tabs) == 0; }));

    // Enter presses OK wherever the focus is among the boxes.
    ui.keys(settings, {"enter"});
    ui.waitGone(settings);
    const std::string config = machine.prefix.readFile(kConfig);
    EXPECT_NE(config.find("drived=0"), std::string::npos) << config;
    EXPECT_NE(config.find("Recycle=0"), std::string::npos) << config;
    EXPECT_NE(config.find("drivec=1"), std::string::npos) << config;

    // Escape in Settings is Cancel: the boxes changed are not kept.
    ui.keys(page1, {"alt+s"});
    const e2e::Window again = ui.waitWindow("Settings");
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, again) == "Drive &C: Hard Disk"; }));
    ui.keys(again, {"space", "escape"});
    ui.waitGone(again);
    EXPECT_EQ(machine.prefix.readFile(kConfig), config);

    // Escape on page 1 is its Cancel: the program ends.
    ui.keys(page1, {"escape"});
    EXPECT_EQ(ui.waitExit(pid), 0);
    EXPECT_EQ(machine.prefix.readFile(kConfig), config);
}

// Enter alone takes a first run through, on a machine that reports
// Windows 95: each page comes up with the focus on the button that goes on.
TEST(Keyboard, OnWindows95EnterWalksAFirstRunFromPage1ToTheEnd) {
    e2e::Machine machine;
    machine.prefix.mapDrive('D');
    machine.prefix.writeFile("D:\\DATA\\A.TXT", "bytes");
    machine.prefix.installPrograms();
    machine.prefix.setWindowsVersion("win95");
    e2e::Driver& ui = machine.driver();
    EXPECT_EQ(ui.windowsVersion(), (std::vector<int>{1, 4, 0}));
    const int pid = machine.startProgram();

    const e2e::Window page1 = WaitPage(ui, "Welcome to the Trellmark");
    EXPECT_EQ(FocusText(ui, page1), "&Next >");
    EXPECT_EQ(ui.defaultButton(page1), "&Next >");
    machine.screenshot("page1-welcome");
    ui.keys(page1, {"enter"});

    const e2e::Window page2 = WaitPage(ui, "&Start >");
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, page2) == "&Start >"; }));
    EXPECT_EQ(ui.defaultButton(page2), "&Start >");
    machine.screenshot("page2-snapshot");
    ui.keys(page2, {"enter"});

    const e2e::Window page4 = WaitPage(ui, "Taking snapshot  finished", 300000);
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, page4) == "Finish"; }));
    EXPECT_EQ(ui.defaultButton(page4), "Finish");
    machine.screenshot("page4-snapshot");
    // Escape closes About as its Continue does.
    ui.keys(page4, {"alt+a"});
    const e2e::Window about = ui.waitWindow("About");
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, about) == "&Continue"; }));
    machine.screenshot("about");
    ui.keys(about, {"escape"});
    ui.waitGone(about);
    // The key pressed About as a click would: the focus went with it. From
    // there Tab comes round to Finish past Back.
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, page4) == "&About..."; }))
        << FocusText(ui, page4);
    EXPECT_EQ(FocusWalk(ui, page4, {"tab", "tab"}),
              (std::vector<std::string>{"< &Back", "Finish"}));
    ui.keys(page4, {"enter"});
    EXPECT_EQ(ui.waitExit(pid), 0);

    const std::string config = machine.prefix.readFile(kConfig);
    EXPECT_NE(config.find("drived=1"), std::string::npos) << config;
    EXPECT_TRUE(machine.prefix.exists("C:\\Program Files\\Trellmark\\SNPDAT\\SNPDAT.D01"));
}

}  // namespace
