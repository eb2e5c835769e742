// Driving the wizard for the Wine benchmark.
#include "wizard_session.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

namespace bench {

namespace {

constexpr char kTitle[] = "Trellmark v1.1";
constexpr char kConfig[] = "C:\\Program Files\\Trellmark\\TRELMRK.INI";
constexpr int kRunTimeoutMs = 600000;

long number(const std::vector<e2e::Row>& rows, size_t field) {
    return std::atol(rows.at(0).at(field).c_str());
}

}  // namespace

void WizardSession::selectOnly(char letter) {
    for (char drive = 'C'; drive <= 'J'; ++drive) {
        ui().writeProfileString(kConfig, "Settings", std::string("drive") + char(drive + 32),
                                drive == letter ? "1" : "0");
    }
}

void WizardSession::forgetPathcount(char letter) {
    ui().writeProfileString(kConfig, std::string("Statistics - ") + letter, "Pathcount", "200");
}

int WizardSession::start() {
    return ui().start(machine_.prefix.programPath());
}

// The showing wizard page on which a visible, enabled control has this
// caption.
e2e::Window WizardSession::page(const std::string& caption) {
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(kRunTimeoutMs);
    do {
        try {
            for (e2e::Window window : ui().findWindows(kTitle)) {
                for (const e2e::Control& control : ui().children(window)) {
                    if (control.visible && control.enabled && control.text == caption)
                        return window;
                }
            }
        } catch (const e2e::DriverError&) {
            // A window that is just closing may not answer; look again.
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    } while (std::chrono::steady_clock::now() < deadline);
    throw std::runtime_error("no wizard page shows \"" + caption + "\"");
}

void WizardSession::memory(int pid, Run& run) {
    const std::vector<e2e::Row> rows = ui().call({"memory", std::to_string(pid)});
    run.workingSet = number(rows, 0);
    run.peakWorkingSet = number(rows, 1);
    run.peakPrivate = std::max({run.peakPrivate, number(rows, 2), number(rows, 3)});
}

Run WizardSession::timedRun(int pid, const std::string& choice) {
    Run run;
    const e2e::Window page1 = page("&Settings...");
    memory(pid, run);
    run.page1Private = run.peakPrivate;
    ui().setChecked(ui().child(page1, choice), true);
    ui().press(page1, "&Next >");
    const e2e::Window page2 = page("&Start >");
    const std::vector<e2e::Row> rows =
        ui().call({"time-press", std::to_string(page2), "&Start >", std::to_string(kRunTimeoutMs),
                   std::to_string(pid)},
                  kRunTimeoutMs + 20000);
    run.ms = std::atof(rows.at(0).at(0).c_str());
    run.peakPrivate = std::max(run.peakPrivate, number(rows, 1));
    page(choice == "Take snapshot of current state" ? "Finish" : "< &Back");
    memory(pid, run);
    std::fprintf(stderr, "  run: %.0f ms, private bytes %ld KB on page 1, %ld KB at most\n", run.ms,
                 run.page1Private / 1024, run.peakPrivate / 1024);
    return run;
}

long WizardSession::listed() {
    for (e2e::Window window : ui().findWindows(kTitle)) {
        if (!ui().visible(window))
            continue;
        for (const e2e::Control& control : ui().children(window)) {
            if (control.visible && control.className == "SysListView32")
                return static_cast<long>(ui().items(control.handle).size());
        }
    }
    throw std::runtime_error("no review list shows");
}

void WizardSession::back() {
    for (e2e::Window window : ui().findWindows(kTitle)) {
        if (ui().visible(window)) {
            ui().press(window, "< &Back");
            return;
        }
    }
    throw std::runtime_error("no wizard page shows");
}

void WizardSession::backToPage1() {
    back();
    page("&Start >");
    back();
    page("&Settings...");
}

void WizardSession::end(int pid) {
    back();
    ui().press(page("&Start >"), "Cancel");
    ui().waitExit(pid);
}

}  // namespace bench
