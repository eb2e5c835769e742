// The wizard's start under Wine: page 1's two panels and labels, the Settings
// dialog with its tabs writing TRELMRK.INI (or not, on a first start), and the
// question before restoring an old snapshot.
#include <gtest/gtest.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

#include "harness/machine.h"

namespace {

constexpr char kTitle[] = "Trellmark v1.1";
constexpr char kConfig[] = "C:\\Program Files\\Trellmark\\TRELMRK.INI";

// The showing wizard page that has a visible control captioned `marker`.
e2e::Window WaitPage(e2e::Driver& ui, const std::string& marker, int timeoutMs = 60000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    do {
        try {
            for (e2e::Window page : ui.findWindows(kTitle)) {
                for (const e2e::Control& control : ui.children(page)) {
                    if (control.visible && control.text == marker)
                        return page;
                }
            }
        } catch (const e2e::DriverError&) {
            // A window that is just closing may not answer; look again.
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    } while (std::chrono::steady_clock::now() < deadline);
    throw e2e::DriverError("no wizard page shows \"" + marker + "\"");
}

// The first control of the page whose text starts with `start`.
e2e::Control ControlStarting(e2e::Driver& ui, e2e::Window page, const std::string& start) {
    for (const e2e::Control& control : ui.children(page)) {
        if (control.text.compare(0, start.size(), start) == 0)
            return control;
    }
    ADD_FAILURE() << "no control starting with \"" << start << "\"";
    return {};
}

// A Date1 stamp for `daysAgo` days before now, in local time.
int32_t StampDaysAgo(int daysAgo, struct tm& taken) {
    const time_t then = time(nullptr) - static_cast<time_t>(daysAgo) * 24 * 3600;
    localtime_r(&then, &taken);
    taken.tm_hour = 10;
    taken.tm_min = 0;
    taken.tm_sec = 0;
    return static_cast<int32_t>((static_cast<uint32_t>(taken.tm_year + 1900 - 1980) << 25) |
                                (static_cast<uint32_t>(taken.tm_mon + 1) << 21) |
                                (static_cast<uint32_t>(taken.tm_mday) << 16) | (10u << 11));
}

// Days between the stamp's date and today, counted as the wizard counts them.
int WizardDays(const struct tm& taken) {
    const time_t now = time(nullptr);
    struct tm today;
    localtime_r(&now, &today);
    return (today.tm_mday - taken.tm_mday) + 30 * (today.tm_mon - taken.tm_mon) +
           365 * (today.tm_year - taken.tm_year);
}

TEST(WizardPages, FirstStartShowsTheWelcomeAndSettingsOkWritesNothing) {
    e2e::Machine machine;
    machine.prefix.installPrograms();
    e2e::Driver& ui = machine.driver();
    const int pid = machine.startProgram();
    const e2e::Window page1 = WaitPage(ui, "&Settings...");

    EXPECT_TRUE(ControlStarting(ui, page1, "At the first running of Trellmark").visible);
    EXPECT_FALSE(ControlStarting(ui, page1, "&Take snapshot of current state").visible);
    const e2e::Size client = ui.clientSize(page1);
    EXPECT_EQ(client.width, 502);
    EXPECT_EQ(client.height, 329);
    machine.screenshot("page1-welcome");

    ui.press(page1, "&Settings...");
    const e2e::Window settings = ui.waitWindow("Settings");
    const e2e::Window tabs = ui.child(settings, "", "SysTabControl32");
    EXPECT_EQ(ui.tabs(tabs), (std::vector<std::string>{"Drive(s)", "Recycle Bin", "Internet"}));
    EXPECT_EQ(ui.selectedTab(tabs), 0);
    EXPECT_EQ(ui.checked(ui.child(settings, "Drive C: Hard Disk", "Button")), 1);
    machine.screenshot("settings-drives");
    ui.selectTab(tabs, 1);
    EXPECT_EQ(ui.checked(ui.child(settings, "Send deleted files to the Recycle Bin.")), 1);
    machine.screenshot("settings-recycle-bin");
    ui.selectTab(tabs, 2);
    const e2e::Window netscape =
        ui.child(settings, "Don't list Netscape cache files.  (recommended)");
    ui.setChecked(netscape, false);
    machine.screenshot("settings-internet");
    ui.press(settings, "OK");
    ui.waitGone(settings);

    EXPECT_FALSE(machine.prefix.exists(kConfig));
    ui.press(page1, "Cancel");
    EXPECT_EQ(ui.waitExit(pid), 0);
    EXPECT_FALSE(machine.prefix.exists(kConfig));
}

TEST(WizardPages, PreparedConfigShowsTheChoiceAndSettingsOkSavesIt) {
    e2e::Machine machine;
    machine.prefix.mapDrive('D');
    machine.prefix.installPrograms();
    struct tm taken;
    const int32_t stamp = StampDaysAgo(2, taken);
    machine.prefix.writeFile(kConfig, "[Dates]\r\nDate1=" + std::to_string(stamp) +
                                          "\r\n[Settings]\r\ndrivec=1\r\ndrived=1\r\n");
    e2e::Driver& ui = machine.driver();
    const int pid = machine.startProgram();
    const e2e::Window page1 = WaitPage(ui, "&Take snapshot of current state");

    EXPECT_FALSE(ControlStarting(ui, page1, "At the first running").visible);
    EXPECT_TRUE(ControlStarting(ui, page1, "Trellmark will help you").visible);
    EXPECT_EQ(ControlStarting(ui, page1, "Days passed : ").text,
              "Days passed : " + std::to_string(WizardDays(taken)));
    const std::string date = ControlStarting(ui, page1, "Snapshot date : ").text;
    EXPECT_NE(date.find(std::to_string(taken.tm_year + 1900)), std::string::npos) << date;
    machine.screenshot("page1-choice");

    ui.press(page1, "&Settings...");
    const e2e::Window settings = ui.waitWindow("Settings");
    const e2e::Window driveD = ui.child(settings, "Drive D: Hard Disk", "Button");
    EXPECT_EQ(ui.checked(driveD), 1);
    ui.setChecked(driveD, false);
    EXPECT_FALSE(ui.enabled(ui.child(settings, "None", "Button")));
    ui.press(settings, "OK");
    ui.waitGone(settings);

    const std::string config = machine.prefix.readFile(kConfig);
    EXPECT_NE(config.find("drivec=1\r\ndrived=0\r\n"), std::string::npos) << config;
    EXPECT_NE(config.find("Dntsie=1\r\nRecycle=1\r\nDntsne=1\r\n"), std::string::npos) << config;
    ui.press(page1, "Cancel");
    EXPECT_EQ(ui.waitExit(pid), 0);
}

TEST(WizardPages, RestoringASnapshotOlderThanAWeekAsksFirst) {
    e2e::Machine machine;
    machine.prefix.installPrograms();
    struct tm taken;
    machine.prefix.writeFile(
        kConfig, "[Dates]\r\nDate1=" + std::to_string(StampDaysAgo(12, taken)) + "\r\n");
    e2e::Driver& ui = machine.driver();
    const int pid = machine.startProgram();
    const e2e::Window page1 = WaitPage(ui, "&Restore to previous state");
    ui.setChecked(ui.child(page1, "Restore to previous state"), true);

    ui.press(page1, "&Next >");
    e2e::MessageBox question = ui.waitMessageBox(15000, "Confirm");
    EXPECT_NE(question.text.find("The snapshot is older than 1 week."), std::string::npos);
    EXPECT_NE(question.text.find("To continue restoring click \"OK\""), std::string::npos);
    machine.screenshot("old-snapshot-question");
    ui.answer(question, "Cancel");
    ui.waitGone(question.handle);
    EXPECT_EQ(WaitPage(ui, "&Restore to previous state"), page1);
    EXPECT_TRUE(ui.visible(page1));

    ui.press(page1, "&Next >");
    question = ui.waitMessageBox(15000, "Confirm");
    ui.answer(question, "OK");
    const e2e::Window page2 = WaitPage(ui, "&Start >");
    EXPECT_TRUE(ControlStarting(ui, page2, "Scan for new files").visible);
    EXPECT_FALSE(ControlStarting(ui, page2, "Take snapshot").visible);
    EXPECT_FALSE(ui.visible(page1));
    const e2e::ScreenRect from = ui.rect(page1), to = ui.rect(page2);
    EXPECT_EQ(from.left, to.left);
    EXPECT_EQ(from.top, to.top);
    machine.screenshot("page2-restore");

    ui.press(page2, "Cancel");
    EXPECT_EQ(ui.waitExit(pid), 0);
}

}  // namespace
