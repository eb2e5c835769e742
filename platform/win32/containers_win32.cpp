// Panels, group boxes and the horizontal bevel line.
#include "platform/win32/native.h"

namespace platform {

namespace {

constexpr DWORD ContainerStyle = WS_CLIPCHILDREN;
constexpr DWORD ContainerExStyle = WS_EX_CONTROLPARENT;  // tab keys go into it

}  // namespace

Panel::Panel(Container* parent, const Rect& bounds, Bevel bevel) : Container(parent, bounds) {
    HWND hwnd = win32::createChildWindow(*this, win32::ContainerClass, "", ContainerStyle,
                                         ContainerExStyle);
    if (hwnd == nullptr)
        return;
    SetWindowLongA(hwnd, win32::BevelSlot, static_cast<LONG>(bevel));
    win32::bringToTop(hwnd);
}

Panel::~Panel() {
    win32::forgetWindowsBelow(*this);
    win32::destroyWindowOf(*this);
}

GroupBox::GroupBox(Container* parent, const Rect& bounds, const std::string& caption)
    : Container(parent, bounds), caption_(caption) {
    HWND hwnd = win32::createChildWindow(*this, win32::ContainerClass, caption_, ContainerStyle,
                                         ContainerExStyle);
    win32::bringToTop(hwnd);
}

GroupBox::~GroupBox() {
    win32::forgetWindowsBelow(*this);
    win32::destroyWindowOf(*this);
}

BevelLine::BevelLine(Container* parent, const Rect& bounds) : Control(parent, bounds) {
    win32::createChildWindow(*this, "STATIC", "", SS_ETCHEDHORZ);
}

BevelLine::~BevelLine() = default;

}  // namespace platform
