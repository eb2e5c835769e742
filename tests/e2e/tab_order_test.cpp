// The Tab order and F1 of every window, typed with real key strokes through
// a snapshot and a restore on Windows 98 and on Windows 95: each window's
// stops in the order it shows its controls, the help at the page's topic and
// its index, and page 3's folder page keeping the covered file list out of
// reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "harness/keystrokes.h"
#include "harness/machine.h"
#include "harness/prefix.h"
#include "harness/settings.h"

namespace {

constexpr const char* kTitle = e2e::kWizardTitle;
constexpr char kConfig[] = "C:\\Program Files\\Trellmark\\TRELMRK.INI";

using e2e::Eventually;
using e2e::FocusText;
using e2e::FocusWalk;
using e2e::HasChild;
using e2e::WaitPage;

// What the user sees of the focused control: its caption, or for a control
// without one (a list, the tab strip) its kind.
std::string Seen(const e2e::Control& control) {
    return control.text.empty() ? control.className : control.text;
}

// Tab pressed once per expected stop, from wherever the focus is: the stops
// seen, turned to begin where `expected` begins, and the handles met.
std::vector<std::string> TabRound(e2e::Driver& ui, e2e::Window window,
                                  const std::vector<std::string>& expected,
                                  std::vector<e2e::Window>* met = nullptr) {
    std::vector<std::string> seen;
    for (size_t i = 0; i < expected.size(); ++i) {
        const e2e::Window before = ui.focus(window).handle;
        ui.keys(window, {"tab"});
        Eventually([&] { return ui.focus(window).handle != before; }, 3000);
        const e2e::Control now = ui.focus(window);
        seen.push_back(Seen(now));
        if (met != nullptr)
            met->push_back(now.handle);
    }
    const auto first = std::find(seen.begin(), seen.end(), expected.front());
    if (first != seen.end())
        std::rotate(seen.begin(), first, seen.end());
    return seen;
}

// The help engine's window once it shows a topic: its handle and the text
// of the topic shown.
std::pair<e2e::Window, std::string> WaitHelpTopic(e2e::Driver& ui, const std::string& title) {
    std::pair<e2e::Window, std::string> found{0, ""};
    Eventually(
        [&] {
            for (const e2e::Row& window : ui.call({"windows"})) {
                if (window.size() != 4 || window[2] != "MS_WINHELP")
                    continue;
                found.first = std::stoul(window[0]);
                found.second.clear();
                for (const e2e::Control& control : ui.children(found.first)) {
                    if (control.className.find("RichEdit") != std::string::npos)
                        found.second += ui.text(control.handle);
                }
                if (found.second.compare(0, title.size(), title) == 0)
                    return true;
            }
            return false;
        },
        30000);
    return found;
}

// The words of the help engine's index, which its Index button opens.
std::vector<std::string> HelpIndex(e2e::Machine& machine, e2e::Window help) {
    e2e::Driver& ui = machine.driver();
    std::vector<e2e::Window> before;
    for (const e2e::Row& window : ui.call({"windows"}))
        before.push_back(std::stoul(window.at(0)));
    ui.press(help, "Index");
    std::vector<std::string> words;
    Eventually([&] {
        for (const e2e::Row& window : ui.call({"windows"})) {
            const e2e::Window handle = std::stoul(window.at(0));
            if (std::find(before.begin(), before.end(), handle) != before.end())
                continue;
            for (const e2e::Control& control : ui.children(handle)) {
                if (control.className == "ListBox" && control.visible) {
                    words = ui.listBoxItems(control.handle);
                    if (!words.empty()) {
                        machine.screenshot("help-index");
                        ui.close(handle);
                        return true;
                    }
                }
            }
        }
        return false;
    });
    return words;
}

void ExpectHelpTopic(e2e::Machine& machine, e2e::Window page, const std::string& title,
                     const std::string& shot, bool withIndex = false) {
    e2e::Driver& ui = machine.driver();
    ui.keys(page, {"f1"});
    const auto [help, shown] = WaitHelpTopic(ui, title);
    EXPECT_EQ(0u, shown.find(title + "\r")) << shown;
    machine.screenshot(shot);
    if (withIndex && help != 0) {
        const std::vector<std::string> words = HelpIndex(machine, help);
        for (const char* word : {"snapshot", "restore", "Recycle Bin", "drives", "settings",
                                 "registry", "AUTOEXEC.BAT", "uninstall", "cache files"}) {
            EXPECT_NE(std::find(words.begin(), words.end(), word), words.end())
                << word << " in " << testing::PrintToString(words);
        }
    }
    if (help != 0) {
        ui.close(help);
        ui.waitGone(help);
    }
    // The page is active again once its thread has the focus back.
    Eventually([&] { return ui.focus(page).handle != 0; }, 5000);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
}

// Each window's Tab order is the order it shows its controls in: top to
// bottom, left to right, the row of buttons last (page 3 keeps its own
// order); a radio group is one stop, read-only texts none, the tab strip one.
// F1 opens the help at the page's topic. On page 3's folder page the covered
// file list never takes the focus.
class KeyboardOn : public testing::TestWithParam<const char*> {};

TEST_P(KeyboardOn, EveryWindowTabsInTheOrderItShowsAndF1OpensItsTopic) {
    e2e::Machine machine;
    machine.prefix.mapDrive('D');
    machine.prefix.writeFile("D:\\DATA\\A.TXT", "bytes");
    machine.prefix.installPrograms();
    machine.prefix.copyIn(e2e::winBuildFolder() + "/trelmrk.hlp",
                          "C:\\Program Files\\Trellmark\\trelmrk.hlp");
    machine.prefix.writeFile(kConfig, "[Settings]\r\ndrivec=0\r\ndrived=1\r\n");
    machine.prefix.setWindowsVersion(GetParam());
    e2e::Driver& ui = machine.driver();
    // The pointer kept off the lists, whose hot tracking would take the focus.
    ui.movePointer(0, 0);
    const int pid = machine.startProgram();

    const struct {
        const char* window;
        std::vector<std::string> order;
    } walks[] = {
        {"page 1",
         {"&Take snapshot of current state", "&Settings...", "&Next >", "Cancel", "Help"}},
        {"Drive(s)",
         {"SysTabControl32", "Drive &C: Hard Disk", "Drive &D: Hard Disk", "OK", "Cancel"}},
        {"Recycle Bin",
         {"SysTabControl32", "Send deleted files to the &Recycle Bin.", "OK", "Cancel"}},
        {"Internet",
         {"SysTabControl32", "Don't list &Msie cache files.  (recommended) ",
          "Don't list &Netscape cache files.  (recommended)", "OK", "Cancel"}},
        {"page 2", {"< &Back", "&Start >", "Cancel", "Help"}},
        {"page 4 after a snapshot",
         {"&Details...", "&About...", "< &Back", "Finish", "Cancel", "Help"}},
        {"page 3, files", {"< &Back", "&Next >", "Cancel", "SysListView32", "Help"}},
        {"page 3, folders", {"< &Back", "&Next >", "Cancel", "SysListView32", "Help"}},
        {"page 4 after a restore",
         {"&Yes, I want to restart my computer now.", "&About...", "< &Back", "Finish", "Cancel",
          "Help"}},
    };
    auto walk = [&](e2e::Window window, size_t row, std::vector<e2e::Window>* met = nullptr) {
        EXPECT_EQ(TabRound(ui, window, walks[row].order, met), walks[row].order)
            << walks[row].window;
    };

    const e2e::Window page1 = WaitPage(ui, "&Restore to previous state");
    // Neither radio is chosen; the group is one stop all the same.
    walk(page1, 0);
    ExpectHelpTopic(machine, page1, "Page 1: Snapshot or restore", "help-page1");

    ui.keys(page1, {"alt+s"});
    const e2e::Window settings = ui.waitWindow("Settings");
    const e2e::Window tabs = ui.child(settings, "", "SysTabControl32");
    walk(settings, 1);
    // Left and Right on the strip switch the tabs; the strip keeps the focus.
    for (size_t tab = 1; tab <= 2; ++tab) {
        while (Seen(ui.focus(settings)) != "SysTabControl32")
            FocusWalk(ui, settings, {"tab"});
        ui.keys(settings, {"right"});
        ASSERT_TRUE(Eventually([&] { return ui.selectedTab(tabs) == static_cast<int>(tab); }));
        EXPECT_EQ(Seen(ui.focus(settings)), "SysTabControl32");
        walk(settings, 1 + tab);
    }
    ui.keys(settings, {"escape"});
    ui.waitGone(settings);

    // A snapshot: its progress page and its finish page.
    ui.keys(page1, {"alt+t", "enter"});
    const e2e::Window page2 = WaitPage(ui, "&Start >");
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, page2) == "&Start >"; }));
    walk(page2, 4);
    ui.keys(page2, {"enter"});
    const e2e::Window page4 = WaitPage(ui, "Taking snapshot  finished", 300000);
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, page4) == "Finish"; }));
    walk(page4, 5);

    // A restore that finds one new file in one new folder.
    machine.prefix.writeFile("D:\\NEWAPP\\NEW.TXT", "new");
    machine.prefix.writeFile("D:\\NEWAPP\\MORE.TXT", "more");
    ui.keys(page4, {"alt+b"});
    ui.keys(WaitPage(ui, "&Start >"), {"alt+b"});
    WaitPage(ui, "&Restore to previous state");
    ui.keys(page1, {"alt+r", "enter"});
    ui.keys(WaitPage(ui, "&Start >"), {"enter"});
    e2e::Window page3 = 0;
    ASSERT_TRUE(Eventually(
        [&] {
            for (e2e::Window page : ui.findWindows(kTitle)) {
                for (const e2e::Control& control : ui.children(page)) {
                    if (control.visible && control.className == "SysListView32")
                        page3 = page;
                }
            }
            return page3 != 0;
        },
        300000));
    ASSERT_TRUE(Eventually([&] { return ui.focus(page3).className == "SysListView32"; }));
    const e2e::Window files = ui.focus(page3).handle;
    // The page opens on its first entry: the first Space unticks that one.
    ui.keys(page3, {"space"});
    std::vector<e2e::ListItem> items;
    EXPECT_TRUE(Eventually([&] {
        items = ui.items(files);
        return items.size() == 2 && !items[0].checked;
    }));
    EXPECT_TRUE(items.size() == 2 && items[1].checked);
    ui.keys(page3, {"space"});
    walk(page3, 6);
    ExpectHelpTopic(machine, page3, "Page 3: The new files and folders", "help-page3", true);

    // Enter from the file list shows the folder page; the focus goes with it,
    // and from there Tab never reaches the covered list or its text.
    while (ui.focus(page3).handle != files)
        FocusWalk(ui, page3, {"tab"});
    ui.keys(page3, {"enter"});
    ASSERT_TRUE(Eventually([&] {
        const e2e::Control now = ui.focus(page3);
        return now.className == "SysListView32" && now.handle != files;
    }));
    EXPECT_FALSE(ui.visible(files));
    std::vector<e2e::Window> met;
    walk(page3, 7, &met);
    walk(page3, 7, &met);
    for (e2e::Window handle : met)
        EXPECT_NE(handle, files);
    for (const e2e::Control& control : ui.children(page3)) {
        if (control.className.find("EDIT") != std::string::npos ||
            control.className.find("Edit") != std::string::npos) {
            EXPECT_EQ(std::count(met.begin(), met.end(), control.handle), 0) << control.text;
        }
    }

    ui.keys(page3, {"alt+n"});
    const e2e::Window finish = WaitPage(ui, "Scanning finished");
    ASSERT_TRUE(Eventually([&] { return FocusText(ui, finish) == "Finish"; }));
    walk(finish, 8);
    machine.screenshot("page4-restore-keyboard");

    // Cancel ends the program and nothing is removed.
    ui.keys(finish, {"escape"});
    EXPECT_EQ(ui.waitExit(pid), 0);
    EXPECT_TRUE(machine.prefix.exists("D:\\NEWAPP\\NEW.TXT"));
}

INSTANTIATE_TEST_SUITE_P(Windows, KeyboardOn, testing::Values("win98", "win95"));

}  // namespace
