// The progress bar.
#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

void sendRange(HWND hwnd, int maximum) {
    // The 32-bit range is missing from the first common controls of Windows 95.
    if (maximum >= 0 && maximum <= 0x7FFF) {
        SendMessageA(hwnd, PBM_SETRANGE, 0, MAKELPARAM(0, maximum));
    } else {
        SendMessageA(hwnd, PBM_SETRANGE32, 0, maximum);
    }
}

}  // namespace

ProgressBar::ProgressBar(Container* parent, const Rect& bounds) : Control(parent, bounds) {
    if (HWND hwnd = win32::createChildWindow(*this, PROGRESS_CLASSA, "", 0)) {
        sendRange(hwnd, max_);
        SendMessageA(hwnd, PBM_SETPOS, position_, 0);
    }
}

ProgressBar::~ProgressBar() = default;

void ProgressBar::setMaximum(int maximum) {
    max_ = maximum < 0 ? 0 : maximum;
    if (position_ > max_)
        position_ = max_;
    if (HWND hwnd = hwndOf(*this)) {
        sendRange(hwnd, max_);
        SendMessageA(hwnd, PBM_SETPOS, position_, 0);
    }
}

void ProgressBar::setPosition(int position) {
    position_ = position < 0 ? 0 : position > max_ ? max_ : position;
    if (HWND hwnd = hwndOf(*this))
        SendMessageA(hwnd, PBM_SETPOS, position_, 0);
}

}  // namespace platform
