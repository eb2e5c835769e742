// The wizard runs' machine: drives C: and D: with the system files an
// installer changes, and the ways a test finds its pages and controls.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "harness/machine.h"

namespace wizard_runs {

namespace fs = std::filesystem;

constexpr char kTitle[] = "Trellmark v1.1";
constexpr char kProgramDir[] = "C:\\Program Files\\Trellmark";
constexpr char kConfig[] = "C:\\Program Files\\Trellmark\\TRELMRK.INI";

inline std::string Upper(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

// Every file (with its bytes) and folder (ending in "/") below a host folder.
inline std::map<std::string, std::string> Tree(const std::string& root) {
    std::map<std::string, std::string> tree;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) {
        const std::string name = fs::relative(entry.path(), root).generic_string();
        if (entry.is_directory()) {
            tree[name + "/"] = "";
        } else {
            std::ifstream in(entry.path(), std::ios::binary);
            std::ostringstream bytes;
            bytes << in.rdbuf();
            tree[name] = bytes.str();
        }
    }
    return tree;
}

class WizardRuns : public testing::Test {
protected:
    void SetUp() override {
        machine.prefix.installPrograms();
        driveD = machine.prefix.mapDrive('D');
        machine.prefix.writeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\WINDOWS\r\n");
        machine.prefix.writeFile("C:\\CONFIG.SYS", "FILES=40\r\n");
        machine.prefix.writeFile("C:\\WINDOWS\\SYSTEM.DAT", std::string(3000, 's'));
        machine.prefix.writeFile("C:\\WINDOWS\\USER.DAT", std::string(2000, 'u'));
    }

    // The driver starts on first use, once the machine is set up.
    e2e::Driver& Ui() { return machine.driver(); }

    // Waits for the showing wizard page on which `has` finds a control.
    e2e::Window WaitPage(const std::function<bool(const e2e::Control&)>& has,
                         const std::string& what, int timeoutMs = 120000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            try {
                for (e2e::Window page : Ui().findWindows(kTitle)) {
                    for (const e2e::Control& control : Ui().children(page)) {
                        if (control.visible && has(control))
                            return page;
                    }
                }
            } catch (const e2e::DriverError&) {
                // A window that is just closing may not answer; look again.
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        } while (std::chrono::steady_clock::now() < deadline);
        throw e2e::DriverError("no wizard page shows " + what);
    }
    e2e::Window WaitPage(const std::string& caption, int timeoutMs = 120000) {
        return WaitPage([&](const e2e::Control& c) { return c.text == caption; },
                        "\"" + caption + "\"", timeoutMs);
    }
    e2e::Window WaitReviewPage() {
        return WaitPage([](const e2e::Control& c) { return c.className == "SysListView32"; },
                        "a list");
    }
    e2e::Window VisibleList(e2e::Window page) {
        for (const e2e::Control& control : Ui().children(page)) {
            if (control.visible && control.className == "SysListView32")
                return control.handle;
        }
        throw e2e::DriverError("no list shows");
    }
    std::string TextStarting(e2e::Window page, const std::string& start) {
        for (const e2e::Control& control : Ui().children(page)) {
            if (control.visible && control.text.compare(0, start.size(), start) == 0)
                return control.text;
        }
        return "";
    }
    e2e::Window ControlWithText(e2e::Window page, const std::string& text) {
        for (const e2e::Control& control : Ui().children(page)) {
            if (control.text == text)
                return control.handle;
        }
        throw e2e::DriverError("no control \"" + text + "\"");
    }

    // Page 1 to page 4 through a snapshot run; the choice is skipped on a
    // first run.
    void SnapshotRun(bool firstRun, const std::string& shotPrefix) {
        const e2e::Window page1 = WaitPage("&Settings...");
        if (!firstRun)
            Ui().setChecked(Ui().child(page1, "Take snapshot of current state"), true);
        Ui().press(page1, "&Next >");
        const e2e::Window page2 = WaitPage("&Start >");
        if (!shotPrefix.empty())
            machine.screenshot(shotPrefix + "page2-snapshot");
        Ui().press(page2, "&Start >");
        WaitPage("Taking snapshot  finished", 300000);
        if (!shotPrefix.empty())
            machine.screenshot(shotPrefix + "page4-snapshot");
    }

    // What the focus visits on Tab: a button's caption, another control's class.
    std::vector<std::string> TabWalk(e2e::Window page, int strokes) {
        std::vector<std::string> seen;
        for (int i = 0; i < strokes; ++i) {
            const e2e::Window before = Ui().focus(page).handle;
            Ui().keys(page, {"tab"});
            for (int wait = 0; wait < 30 && Ui().focus(page).handle == before; ++wait)
                std::this_thread::sleep_for(std::chrono::milliseconds(100));
            const e2e::Control now = Ui().focus(page);
            seen.push_back(now.className == "Button" ? now.text : now.className);
        }
        return seen;
    }

    // Snapshot, install, restore, Finish; `restartNow` takes the restart.
    void SnapshotThenRestore(bool restartNow);

    e2e::Machine machine;
    std::string driveD;
};

}  // namespace wizard_runs
