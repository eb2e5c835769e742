// What the keyboard tests share: waiting for what a key stroke brings about,
// and the focus and pages it leads to.
#pragma once

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "driver.h"

namespace e2e {

inline constexpr char kWizardTitle[] = "Trellmark v1.1";

// Keys reach the program through its queue: waits for what they bring about.
template <typename Check>
bool Eventually(Check check, int timeoutMs = 10000) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!check()) {
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return true;
}

inline std::string FocusText(Driver& ui, Window window) {
    return ui.focus(window).text;
}

// The focused control's caption after each stroke of `keys`.
inline std::vector<std::string> FocusWalk(Driver& ui, Window window,
                                          const std::vector<std::string>& keys) {
    std::vector<std::string> seen;
    for (const std::string& key : keys) {
        const std::string before = FocusText(ui, window);
        ui.keys(window, {key});
        Eventually([&] { return FocusText(ui, window) != before; }, 3000);
        seen.push_back(FocusText(ui, window));
    }
    return seen;
}

inline bool HasChild(Driver& ui, Window window, const std::string& text) {
    for (const Control& control : ui.children(window)) {
        if (control.visible && control.text == text)
            return true;
    }
    return false;
}

// The wizard page that shows a control with this text.
inline Window WaitPage(Driver& ui, const std::string& text, int timeoutMs = 60000) {
    Window found = 0;
    const bool shown = Eventually(
        [&] {
            for (Window page : ui.findWindows(kWizardTitle)) {
                if (HasChild(ui, page, text)) {
                    found = page;
                    return true;
                }
            }
            return false;
        },
        timeoutMs);
    if (!shown)
        throw DriverError("no page shows \"" + text + "\"");
    return found;
}

}  // namespace e2e
