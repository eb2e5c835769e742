// The keyboard interface of our windows: Tab, arrows and mnemonics through
// the system's dialog manager, Enter on the default button, Escape on the
// cancel button, Ctrl+Tab among the pages of a tab control, and the default
// button's heavy frame, which follows the focus as on every Windows dialog.
#include <cstring>

#include "platform/app.h"
#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace win32 {

namespace {

bool keyDown(int key) {
    return (GetKeyState(key) & 0x8000) != 0;
}

// The push button that Enter presses now: the focused one, else the default.
HWND defaultButtonNow(HWND window, const Window& frame) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus) &&
        dynamic_cast<Button*>(controlOf(focus)) != nullptr)
        return focus;
    return frame.defaultButton() != nullptr ? hwndOf(*frame.defaultButton()) : nullptr;
}

// Gives the heavy frame to `wanted` and takes it from every other button;
// the system's dialog code may have moved it on its own.
void drawDefault(Container& container, HWND wanted) {
    for (Control* child : container.children()) {
        if (auto* inner = dynamic_cast<Container*>(child)) {
            drawDefault(*inner, wanted);
            continue;
        }
        HWND hwnd = hwndOf(*child);
        if (hwnd == nullptr || dynamic_cast<Button*>(child) == nullptr)
            continue;
        const DWORD style = (hwnd == wanted) ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
        if ((GetWindowLongA(hwnd, GWL_STYLE) & BS_TYPEMASK) != style)
            SendMessageA(hwnd, BM_SETSTYLE, style, TRUE);
    }
}

// Moves the heavy frame to the button that Enter would press.
void followFocus(HWND window) {
    if (Window* frame = frameOf(window))
        drawDefault(*frame, defaultButtonNow(window, *frame));
}

TabControl* findTabControl(Container& container) {
    for (Control* child : container.children()) {
        if (auto* tabs = dynamic_cast<TabControl*>(child)) {
            if (tabs->visible() && tabs->enabled())
                return tabs;
        }
        if (auto* inner = dynamic_cast<Container*>(child)) {
            if (TabControl* found = findTabControl(*inner))
                return found;
        }
    }
    return nullptr;
}

// Ctrl+Tab and Ctrl+Shift+Tab: the next or the previous page of the
// window's tab control, with the focus on that page's first control.
bool switchTabPage(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || !keyDown(VK_CONTROL))
        return false;
    Window* frame = frameOf(window);
    TabControl* tabs = frame != nullptr ? findTabControl(*frame) : nullptr;
    if (tabs == nullptr || tabs->tabCount() < 2)
        return false;
    const int count = tabs->tabCount();
    const int step = keyDown(VK_SHIFT) ? count - 1 : 1;
    const int next = (tabs->selectedTab() + step) % count;
    tabs->selectTab(next);
    focusFirstControl(tabs->page(next));
    return true;
}

// Tab and Shift+Tab follow our own order (focus_order_win32.cpp): the
// system's follows the windows' stacking, steps into a tab control's pages
// without stopping on its strip, and stops on every radio button that
// carries the style.
bool moveByTab(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB || keyDown(VK_CONTROL) ||
        keyDown(VK_MENU))
        return false;
    Window* frame = frameOf(window);
    if (frame == nullptr)
        return false;
    if (HWND next = nextTabStop(*frame, GetFocus(), keyDown(VK_SHIFT)))
        SetFocus(next);
    return true;
}

// F1: the active window's help.
bool askForHelp(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_F1)
        return false;
    if (Window* frame = frameOf(window)) {
        if (frame->onHelp)
            dispatchEvent(std::function<void()>(frame->onHelp));
    }
    return true;
}

// A multi-line text box asks for every key, so the dialog manager would
// keep Enter and Escape inside the read-only text; they act as anywhere
// else in the window.
bool textBoxKeys(HWND window, const MSG& message) {
    if (message.message != WM_KEYDOWN ||
        dynamic_cast<RichEdit*>(controlOf(message.hwnd)) == nullptr)
        return false;
    Window* frame = frameOf(window);
    switch (message.wParam) {
        case VK_RETURN:
            if (HWND button = defaultButtonNow(window, *frame)) {
                if (IsWindowEnabled(button))
                    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                                 reinterpret_cast<LPARAM>(button));
            }
            return true;
        case VK_ESCAPE:
            SendMessageA(window, WM_COMMAND, IDCANCEL, 0);
            return true;
        default:
            return false;
    }
}

HWND lastFocus = nullptr;

}  // namespace

Window* frameOf(HWND window) {
    char name[64] = "";
    if (window == nullptr || GetParent(window) != nullptr ||
        GetClassNameA(window, name, sizeof name) == 0 || std::strcmp(name, FrameClass) != 0) {
        return nullptr;
    }
    return dynamic_cast<Window*>(controlOf(window));
}

void deliverMessage(MSG& message) {
    const HWND active = GetActiveWindow();
    if (active != nullptr && frameOf(active) != nullptr) {
        if (switchTabPage(active, message) || moveByTab(active, message) ||
            askForHelp(active, message) || textBoxKeys(active, message))
            return;
        // Tab, arrow and mnemonic keys move among the controls of the active
        // window; Enter and Escape come back to it as commands.
        if (!IsDialogMessageA(active, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        if (GetFocus() != lastFocus) {
            lastFocus = GetFocus();
            followFocus(active);
        }
        return;
    }
    if (active != nullptr && IsDialogMessageA(active, &message))
        return;
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

bool handleDialogKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    Window* frame = frameOf(window);
    if (frame == nullptr)
        return false;
    if (message == DM_GETDEFID) {
        HWND button = defaultButtonNow(window, *frame);
        if (button == nullptr)
            return false;
        result = MAKELRESULT(GetDlgCtrlID(button), DC_HASDEFID);
        return true;
    }
    if (message == WM_COMMAND && lParam == 0 && LOWORD(wParam) == IDCANCEL) {
        // Escape: what the cancel button does, and nothing while it is disabled.
        if (Button* cancel = frame->cancelButton())
            dispatchEvent([cancel] { cancel->click(); });
        return true;
    }
    return false;
}

}  // namespace win32

void Window::setDefaultButton(Button* button) {
    defaultButton_ = button;
    if (HWND hwnd = hwndOf(*this)) {
        win32::lastFocus = nullptr;  // draws the frame anew at the next message
        win32::followFocus(hwnd);
    }
}

void Container::arrangeTabOrder() {
    // The dialog manager follows the windows' order from the top down.
    // A window already in its place is left alone: each move makes the
    // system tell the window and work out again what of it shows.
    HWND above = HWND_TOP;
    for (Control* child : children_) {
        HWND hwnd = hwndOf(*child);
        if (hwnd == nullptr)
            continue;
        const HWND before = GetWindow(hwnd, GW_HWNDPREV);
        if (above == HWND_TOP ? before != nullptr : before != above)
            SetWindowPos(hwnd, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        above = hwnd;
    }
    win32::showUncovered(*this);
}

}  // namespace platform
