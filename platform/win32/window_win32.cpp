// Top-level windows: fixed dialog frame, exact client area, showing, modal
// showing and placement on the screen.
#include <vector>

#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

DWORD frameStyle(WindowStyle style) {
    const DWORD common = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | DS_MODALFRAME;
    if (style == WindowStyle::Dialog)
        return common | WS_SYSMENU;
    return common | WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
}

DWORD frameExStyle(WindowStyle style) {
    if (style == WindowStyle::Dialog)
        return WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP;
    return WS_EX_DLGMODALFRAME;
}

BOOL CALLBACK collectEnabled(HWND window, LPARAM list) {
    if (IsWindowVisible(window) && IsWindowEnabled(window)) {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    }
    return TRUE;
}

}  // namespace

Window::Window(const CreateArgs& args)
    : Container(nullptr, Rect{0, 0, args.clientWidth, args.clientHeight}),
      caption_(args.caption),
      clientWidth_(args.clientWidth),
      clientHeight_(args.clientHeight),
      style_(args.style),
      font_(args.font) {
    visible_ = false;
    win32::initialiseWindowing();
    const DWORD style = frameStyle(style_), exStyle = frameExStyle(style_);
    RECT frame = {0, 0, clientWidth_, clientHeight_};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    bounds_ = Rect{left_, top_, frame.right - frame.left, frame.bottom - frame.top};
    HWND hwnd = CreateWindowExA(exStyle, win32::FrameClass, caption_.c_str(), style, left_, top_,
                                bounds_.width, bounds_.height, nullptr, nullptr,
                                win32::appInstance(), nullptr);
    if (hwnd == nullptr)
        return;
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(static_cast<Control*>(this)));
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(win32::fontHandle(font_)), FALSE);
    native_ = hwnd;
}

Window::~Window() {
    if (modal_)
        endModal();
    if (active())
        win32::forgetActivation();
    win32::forgetWindowsBelow(*this);
    win32::destroyWindowOf(*this);
}

void Window::showWindow() {
    visible_ = true;
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    ShowWindow(hwnd, SW_SHOW);
    if (GetActiveWindow() != hwnd)
        SetActiveWindow(hwnd);
}

void Window::hideWindow() {
    visible_ = false;
    if (HWND hwnd = hwndOf(*this))
        ShowWindow(hwnd, SW_HIDE);
}

void Window::showModal() {
    HWND self = hwndOf(*this);
    if (self == nullptr || modal_)
        return;
    modal_ = true;
    HWND previous = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), collectEnabled, reinterpret_cast<LPARAM>(&disabled));
    for (HWND other : disabled) {
        if (other != self)
            EnableWindow(other, FALSE);
    }
    showWindow();
    MSG message;
    while (modal_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the outer loop must see it too.
            if (got == 0)
                PostQuitMessage(static_cast<int>(message.wParam));
            modal_ = false;
            break;
        }
        win32::deliverMessage(message);
    }
    // The others come back before this one hides, so that activation returns
    // to the program and not to another one.
    for (HWND other : disabled) {
        if (other != self && IsWindow(other))
            EnableWindow(other, TRUE);
    }
    if (IsWindow(self))
        hideWindow();
    if (previous != nullptr && previous != self && IsWindow(previous))
        SetActiveWindow(previous);
}

void Window::endModal() {
    if (!modal_)
        return;
    modal_ = false;
    // Wakes the modal loop up from its wait for a message.
    if (HWND hwnd = hwndOf(*this))
        PostMessageA(hwnd, WM_NULL, 0, 0);
}

void Window::centreOnScreen() {
    const Rect outer = outerBounds();
    moveTo((GetSystemMetrics(SM_CXSCREEN) - outer.width) / 2,
           (GetSystemMetrics(SM_CYSCREEN) - outer.height) / 2);
}

void Window::moveTo(int left, int top) {
    left_ = left;
    top_ = top;
    bounds_.left = left;
    bounds_.top = top;
    if (HWND hwnd = hwndOf(*this)) {
        SetWindowPos(hwnd, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

Rect Window::outerBounds() const {
    HWND hwnd = hwndOf(*this);
    RECT frame;
    if (hwnd == nullptr || !GetWindowRect(hwnd, &frame))
        return bounds_;
    if (IsIconic(hwnd)) {
        // Minimised: where it will stand again, not the icon's place.
        WINDOWPLACEMENT placement = {};
        placement.length = sizeof placement;
        if (GetWindowPlacement(hwnd, &placement))
            frame = placement.rcNormalPosition;
    }
    return Rect{frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top};
}

bool Window::active() const {
    HWND hwnd = hwndOf(*this);
    return hwnd != nullptr && GetActiveWindow() == hwnd;
}

}  // namespace platform
