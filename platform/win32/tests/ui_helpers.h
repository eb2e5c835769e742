// Helpers of the window tests: pumping messages, acting later from inside a
// modal loop, and finding the message box of the moment.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/app.h"
#include "platform/controls.h"

namespace testui {

inline platform::Window::CreateArgs frame(const char* caption, int width, int height,
                                          platform::WindowStyle style) {
    platform::Window::CreateArgs args;
    args.caption = caption;
    args.clientWidth = width;
    args.clientHeight = height;
    args.style = style;
    return args;
}

inline HWND hwnd(const platform::Control& control) {
    return static_cast<HWND>(control.nativeHandle());
}

inline void pump() {
    for (int i = 0; i < 5; ++i) {
        platform::processMessages();
        Sleep(10);
    }
}

// Runs `action` from the message loop after `ms`, so a test can act while a
// modal loop (message box, modal window) is running.
inline std::function<void()>& pendingAction() {
    static std::function<void()> pending;
    return pending;
}

inline void CALLBACK runPending(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::function<void()> run = std::move(pendingAction());
    pendingAction() = nullptr;
    if (run)
        run();
}

inline void later(UINT ms, std::function<void()> action) {
    pendingAction() = std::move(action);
    SetTimer(nullptr, 0, ms, runPending);
}

struct BoxSeen {
    bool found = false;
    std::string caption, text;
    RECT frame{};
    bool ownerEnabled = true;
};

// Records the message box now showing and closes it with `command`.
inline void answerBox(BoxSeen& seen, int command) {
    HWND box = FindWindowA("#32770", nullptr);
    seen.found = box != nullptr;
    if (box == nullptr)
        return;
    char text[512] = "";
    GetWindowTextA(box, text, sizeof text);
    seen.caption = text;
    GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
    seen.text = text;
    GetWindowRect(box, &seen.frame);
    HWND owner = GetWindow(box, GW_OWNER);
    seen.ownerEnabled = owner != nullptr && IsWindowEnabled(owner);
    PostMessageA(box, WM_COMMAND, command, 0);
}

}  // namespace testui
