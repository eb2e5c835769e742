// The animation control with the shell's find-computer clip.
#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

// The clip's resource in SHELL32.DLL.
constexpr int FindComputerClip = 152;

void showFrame(HWND hwnd, int frame) {
    SendMessageA(hwnd, ACM_PLAY, 1, MAKELONG(frame, frame));
}

}  // namespace

Animation::Animation(Container* parent, const Rect& bounds, int stopFrame)
    : Control(parent, bounds), stopFrame_(stopFrame) {
    HWND hwnd = win32::createChildWindow(*this, ANIMATE_CLASSA, "", ACS_CENTER | ACS_TRANSPARENT);
    if (hwnd == nullptr)
        return;
    // Without the clip the control stays empty, which does no harm.
    HMODULE shell = GetModuleHandleA("SHELL32.DLL");
    if (shell != nullptr &&
        SendMessageA(hwnd, ACM_OPENA, reinterpret_cast<WPARAM>(shell),
                     reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(FindComputerClip)))) {
        showFrame(hwnd, stopFrame_);
    }
}

Animation::~Animation() = default;

void Animation::play() {
    active_ = true;
    if (HWND hwnd = hwndOf(*this)) {
        SendMessageA(hwnd, ACM_PLAY, static_cast<WPARAM>(-1), MAKELONG(0, 0xFFFF));
    }
}

void Animation::stop() {
    active_ = false;
    if (HWND hwnd = hwndOf(*this)) {
        SendMessageA(hwnd, ACM_STOP, 0, 0);
        showFrame(hwnd, stopFrame_);
    }
}

}  // namespace platform
