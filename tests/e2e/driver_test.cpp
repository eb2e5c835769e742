// The driver against a small fixture window: every kind of control that the
// wizard's tests will drive, each action checked by its effect in the target.
#include <gtest/gtest.h>

#include <algorithm>

#include "harness/machine.h"
#include "harness/settings.h"

namespace {

constexpr char kFixture[] = "C:\\fixture\\e2e-fixture.exe";

class DriverTest : public testing::Test {
protected:
    void SetUp() override {
        machine.prefix.copyIn(e2e::winBuildFolder() + "/tests/e2e/driver/e2e-fixture.exe",
                              kFixture);
        pid = ui.start(kFixture);
        window = ui.waitWindow("Harness fixture");
        status = ui.childById(window, 101);
    }

    e2e::Machine machine;
    e2e::Driver& ui = machine.driver();
    int pid = 0;
    e2e::Window window = 0;
    e2e::Window status = 0;
};

TEST_F(DriverTest, FindsTheOneVisibleWindowOfACaptionAndMeasuresIt) {
    EXPECT_EQ(std::vector<e2e::Window>{window}, ui.findWindows("Harness fixture"));
    e2e::Size client = ui.clientSize(window);
    EXPECT_EQ(502, client.width);
    EXPECT_EQ(329, client.height);
    e2e::ScreenRect frame = ui.rect(window);
    e2e::Size screen = ui.screenSize();
    EXPECT_NEAR(screen.width / 2, (frame.left + frame.right) / 2, 1);
    EXPECT_NEAR(screen.height / 2, (frame.top + frame.bottom) / 2, 1);
    EXPECT_THROW(ui.waitWindow("No such window", 300), e2e::DriverError);
}

TEST_F(DriverTest, ClicksButtonsAndAnswersMessageBoxes) {
    ui.press(window, "Ask");  // as the user reads "&Ask"
    e2e::MessageBox box = ui.waitMessageBox();
    EXPECT_EQ("Question", box.caption);
    EXPECT_EQ("Go on?", box.text);
    EXPECT_EQ(2u, box.buttons.size());
    machine.screenshot("message-box");
    ui.answer(box, "No");
    ui.waitGone(box.handle);
    ui.waitText(status, "No");

    ui.press(window, "&Ask");
    ui.answer(ui.waitMessageBox(), "Yes");
    ui.waitText(status, "Yes");
}

TEST_F(DriverTest, SetsCheckBoxesAndRadioButtonsByClicking) {
    e2e::Window option = ui.child(window, "Option", "Button");
    EXPECT_EQ(0, ui.checked(option));
    ui.setChecked(option, true);
    EXPECT_EQ(1, ui.checked(option));
    ui.waitText(status, "Option on");

    e2e::Window second = ui.child(window, "Second");
    ui.setChecked(second, true);
    ui.waitText(status, "Second chosen");
    ui.setChecked(ui.child(window, "First"), true);
    ui.waitText(status, "First chosen");
    EXPECT_EQ(0, ui.checked(second));
}

TEST_F(DriverTest, ReadsAndChangesListViewItems) {
    e2e::Window list = ui.childById(window, 107);
    EXPECT_EQ((std::vector<std::string>{"Name", "Size"}), ui.columns(list));
    std::vector<e2e::ListItem> items = ui.items(list);
    ASSERT_EQ(3u, items.size());
    EXPECT_EQ((std::vector<std::string>{"alpha.txt", "1KB"}), items[0].columns);
    EXPECT_EQ((std::vector<std::string>{"beta\tgamma", "2KB"}), items[1].columns);
    EXPECT_EQ((std::vector<std::string>{"C:\\DELTA\\", ""}), items[2].columns);
    EXPECT_TRUE(std::all_of(items.begin(), items.end(), [](auto& i) { return i.checked; }));

    ui.setItemChecked(list, 1, false);
    items = ui.items(list);
    EXPECT_TRUE(items[0].checked);
    EXPECT_FALSE(items[1].checked);
    EXPECT_TRUE(items[2].checked);
    EXPECT_THROW(ui.setItemChecked(list, 3, false), e2e::DriverError);

    ui.editItem(list, 2, "C:\\RENAMED\\");
    ui.waitText(status, "Renamed C:\\RENAMED\\");
    EXPECT_EQ("C:\\RENAMED\\", ui.items(list)[2].columns[0]);
    machine.screenshot("list-changed");
}

TEST_F(DriverTest, SelectsTabsSoThatTheOwnerHears) {
    e2e::Window tabs = ui.childById(window, 106);
    EXPECT_EQ((std::vector<std::string>{"One", "Two", "Three"}), ui.tabs(tabs));
    EXPECT_EQ(0, ui.selectedTab(tabs));
    ui.selectTab(tabs, 2);
    EXPECT_EQ(2, ui.selectedTab(tabs));
    ui.waitText(status, "Tab 3");
}

TEST_F(DriverTest, SeesTheProgramEndWithItsExitCode) {
    EXPECT_TRUE(ui.running(pid));
    ui.press(window, "Close");
    EXPECT_EQ(3, ui.waitExit(pid));
    EXPECT_FALSE(ui.running(pid));
    EXPECT_TRUE(ui.findWindows("Harness fixture").empty());
}

}  // namespace
