// The part common to every control: the link to its window, visibility,
// enabling, focus and painting.
#include "platform/win32/native.h"

namespace platform {

namespace win32 {

Control* controlOf(HWND hwnd) {
    if (hwnd == nullptr)
        return nullptr;
    return reinterpret_cast<Control*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

HINSTANCE appInstance() {
    return GetModuleHandleA(nullptr);
}

namespace {

bool followsRadioButton(const Control& control) {
    if (control.parent() == nullptr)
        return false;
    const std::vector<Control*>& siblings = control.parent()->children();
    for (size_t i = 1; i < siblings.size(); ++i) {
        if (siblings[i] == &control)
            return dynamic_cast<RadioButton*>(siblings[i - 1]) != nullptr;
    }
    return false;
}

}  // namespace

HWND createChildWindow(Control& control, HWND parentWindow, const char* className,
                       const std::string& text, DWORD style, DWORD exStyle) {
    initialiseWindowing();
    if (parentWindow == nullptr)
        return nullptr;
    // Control identifiers start well above IDOK and IDCANCEL, which the
    // keyboard interface sends for Enter and Escape.
    static int nextId = 1000;
    style |= WS_CHILD | WS_CLIPSIBLINGS;
    // Arrow keys move within a run of radio buttons and nowhere else.
    if (dynamic_cast<RadioButton*>(&control) == nullptr || !followsRadioButton(control))
        style |= WS_GROUP;
    if (control.visible())
        style |= WS_VISIBLE;
    if (!control.enabled())
        style |= WS_DISABLED;
    const Rect& place = control.bounds();
    HWND hwnd = CreateWindowExA(exStyle, className, text.c_str(), style, place.left, place.top,
                                place.width, place.height, parentWindow,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(nextId++)),
                                appInstance(), nullptr);
    if (hwnd == nullptr)
        return nullptr;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&control));
    const Font font = control.parent() != nullptr ? control.parent()->font() : Font();
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle(font)), FALSE);
    ControlAccess::native(control) = hwnd;
    return hwnd;
}

HWND createChildWindow(Control& control, const char* className, const std::string& text,
                       DWORD style, DWORD exStyle) {
    HWND parentWindow = control.parent() != nullptr ? hwndOf(*control.parent()) : nullptr;
    return createChildWindow(control, parentWindow, className, text, style, exStyle);
}

void bringToTop(HWND window) {
    if (window == nullptr)
        return;
    SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

namespace {

void forgetWindow(Control& control) {
    HWND hwnd = hwndOf(control);
    if (hwnd == nullptr)
        return;
    // No message of a window being destroyed may reach a half-destroyed object.
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    ControlAccess::native(control) = nullptr;
}

}  // namespace

void forgetWindowsBelow(Container& container) {
    for (Control* child : container.children()) {
        if (auto* tabs = dynamic_cast<TabControl*>(child)) {
            for (int i = 0; i < tabs->tabCount(); ++i)
                forgetWindowsBelow(tabs->page(i));
        }
        if (auto* inner = dynamic_cast<Container*>(child))
            forgetWindowsBelow(*inner);
        forgetWindow(*child);
    }
}

void destroyWindowOf(Control& control) {
    HWND hwnd = hwndOf(control);
    if (hwnd == nullptr)
        return;
    forgetWindow(control);
    DestroyWindow(hwnd);
}

}  // namespace win32

using win32::hwndOf;

Control::Control(Container* parent, const Rect& bounds) : parent_(parent), bounds_(bounds) {
    if (parent_ != nullptr)
        parent_->adopt(this);
}

Control::~Control() {
    win32::destroyWindowOf(*this);
    if (parent_ != nullptr)
        parent_->forget(this);
}

void Control::setVisible(bool visible) {
    visible_ = visible;
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    const HWND focus = GetFocus();
    auto* container = dynamic_cast<Container*>(this);
    // A panel shown lies over what it covers, unless its window's tab order
    // says already what lies on top.
    if (visible && container != nullptr) {
        if (parent_ != nullptr && win32::ContainerAccess::ordered(*parent_))
            win32::ContainerAccess::arrange(*parent_);
        else
            win32::bringToTop(hwnd);
    }
    // What a shown panel covers is hidden with it, so that neither the
    // keyboard nor the mouse can work a control the user cannot see.
    ShowWindow(hwnd, visible && !win32::coveredBySibling(hwnd) ? SW_SHOW : SW_HIDE);
    if (container != nullptr && parent_ != nullptr)
        win32::showUncovered(*parent_);
    win32::keepFocusShown(focus, visible ? container : nullptr);
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (HWND hwnd = hwndOf(*this))
        EnableWindow(hwnd, enabled);
}

void Control::setFocus() {
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr || !visible_ || !IsWindowEnabled(hwnd))
        return;
    HWND frame = hwnd;
    while ((GetWindowLongA(frame, GWL_STYLE) & WS_CHILD) != 0 && GetParent(frame) != nullptr) {
        frame = GetParent(frame);
    }
    // A window that is not the active one keeps the control for the moment it
    // becomes active again; focusing it now would activate a hidden page.
    if (frame != hwnd && frame != GetActiveWindow()) {
        SetWindowLongPtrA(frame, win32::SavedFocusSlot, reinterpret_cast<LONG_PTR>(hwnd));
        return;
    }
    // Not behind a panel that covers it, where the user cannot see it.
    if (!IsWindowVisible(hwnd))
        return;
    SetFocus(hwnd);
}

bool Control::focused() const {
    HWND hwnd = hwndOf(*this);
    return hwnd != nullptr && GetFocus() == hwnd;
}

void Control::repaint() {
    HWND hwnd = hwndOf(*this);
    // A hidden window has nothing to paint; long walks ask once per folder.
    if (hwnd == nullptr || !IsWindowVisible(hwnd))
        return;
    InvalidateRect(hwnd, nullptr, TRUE);
    UpdateWindow(hwnd);
}

}  // namespace platform
