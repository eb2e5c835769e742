// Our window classes and their window procedure: the top-level windows and the
// containers inside them hand child notifications to the control objects.
#include "platform/app.h"
#include "platform/win32/native.h"

namespace platform::win32 {

namespace {

void saveFocus(HWND window) {
    HWND focus = GetFocus();
    if (focus != nullptr && IsChild(window, focus)) {
        SetWindowLongPtrA(window, SavedFocusSlot, reinterpret_cast<LONG_PTR>(focus));
    }
}

void restoreFocus(HWND window) {
    HWND focus = reinterpret_cast<HWND>(GetWindowLongPtrA(window, SavedFocusSlot));
    if (focus == nullptr || !IsChild(window, focus) || !IsWindowVisible(focus) ||
        !IsWindowEnabled(focus)) {
        Window* frame = frameOf(window);
        focus = frame != nullptr ? openingFocus(*frame) : nullptr;
    }
    SetFocus(focus != nullptr ? focus : window);
}

// The window of ours that was activated last. Coming back from another
// program reactivates it without being a new activation of the program's own.
HWND lastActivated = nullptr;

void onActivate(HWND window, WPARAM wParam) {
    if (LOWORD(wParam) == WA_INACTIVE) {
        saveFocus(window);
        return;
    }
    if (HIWORD(wParam) == 0)
        restoreFocus(window);  // not while minimised
    if (window == lastActivated)
        return;
    lastActivated = window;
    if (auto* frame = dynamic_cast<Window*>(controlOf(window))) {
        dispatchEvent([frame] { frame->activated(); });
    }
}

void onClose(HWND window) {
    auto* frame = dynamic_cast<Window*>(controlOf(window));
    // A wizard window ends only through its own buttons; a dialog's close box
    // closes it like Cancel would, without Cancel's action.
    if (frame == nullptr || (GetWindowLongA(window, GWL_STYLE) & WS_SYSMENU) == 0)
        return;
    if (frame->isModal()) {
        frame->endModal();
    } else {
        frame->hideWindow();
    }
}

// Enter reaches the window as IDOK from the keyboard interface: it presses
// the push button that has the focus, as a click would.
bool pressFocusedButton(HWND window) {
    HWND focus = GetFocus();
    if (focus == nullptr || !IsChild(window, focus))
        return false;
    Control* control = controlOf(focus);
    return control != nullptr && dynamic_cast<Button*>(control) != nullptr &&
           handleButtonCommand(*control, BN_CLICKED);
}

void paintGroupFrame(HWND window, HDC dc, const RECT& area, const std::string& caption) {
    HFONT font = reinterpret_cast<HFONT>(GetWindowLongPtrA(window, FontSlot));
    HGDIOBJ previous = SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics;
    GetTextMetricsA(dc, &metrics);
    RECT frame = area;
    frame.top += metrics.tmHeight / 2;
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (!caption.empty()) {
        SIZE extent;
        GetTextExtentPoint32A(dc, caption.c_str(), static_cast<int>(caption.size()), &extent);
        RECT label = {6, 0, 10 + extent.cx, metrics.tmHeight};
        SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
        SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        ExtTextOutA(dc, 8, 0, ETO_OPAQUE, &label, caption.c_str(),
                    static_cast<UINT>(caption.size()), nullptr);
    }
    SelectObject(dc, previous);
}

void onPaint(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT area;
    GetClientRect(window, &area);
    Control* control = controlOf(window);
    if (auto* group = dynamic_cast<GroupBox*>(control)) {
        paintGroupFrame(window, dc, area, group->caption());
    } else if (dynamic_cast<Picture*>(control) != nullptr) {
        paintPicture(window, dc);
    } else if (dynamic_cast<Panel*>(control) != nullptr) {
        const auto bevel = static_cast<Bevel>(GetWindowLongA(window, BevelSlot));
        if (bevel == Bevel::Lowered)
            DrawEdge(dc, &area, BDR_SUNKENOUTER, BF_RECT);
        if (bevel == Bevel::Raised)
            DrawEdge(dc, &area, BDR_RAISEDINNER, BF_RECT);
    }
    EndPaint(window, &paint);
}

bool handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (handleDialogKeys(window, message, wParam, lParam, result))
        return true;
    switch (message) {
        case WM_COMMAND:
            if (Control* child = controlOf(reinterpret_cast<HWND>(lParam))) {
                return handleButtonCommand(*child, HIWORD(wParam));
            }
            if (lParam == 0 && LOWORD(wParam) == IDOK)
                return pressFocusedButton(window);
            return false;
        case WM_NOTIFY: {
            auto* header = reinterpret_cast<NMHDR*>(lParam);
            Control* child = controlOf(header->hwndFrom);
            if (child != nullptr && header->code == NM_SETFOCUS)
                focusFirstEntry(*child);
            return child != nullptr && (handleTabNotify(*child, *header, result) ||
                                        handleListViewNotify(*child, *header, result));
        }
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT: {
            Control* child = controlOf(reinterpret_cast<HWND>(lParam));
            if (child == nullptr)
                return false;
            HDC dc = reinterpret_cast<HDC>(wParam);
            HBRUSH brush = labelColours(*child, dc);
            if (brush == nullptr)
                brush = richEditColours(*child, dc);
            result = reinterpret_cast<LRESULT>(brush);
            return brush != nullptr;
        }
        case WM_ACTIVATE:
            onActivate(window, wParam);
            return true;
        case WM_HELP:
            // From the title bar's help button (or F1 in a message box this
            // window owns); the controls pass it up to their window.
            if (auto* frame = frameOf(window)) {
                if (frame->onHelp)
                    dispatchEvent(std::function<void()>(frame->onHelp));
                result = TRUE;
                return true;
            }
            return false;
        case WM_CLOSE:
            onClose(window);
            return true;
        case WM_SETFONT:
            SetWindowLongPtrA(window, FontSlot, static_cast<LONG_PTR>(wParam));
            if (LOWORD(lParam))
                InvalidateRect(window, nullptr, TRUE);
            return true;
        case WM_GETFONT:
            result = GetWindowLongPtrA(window, FontSlot);
            return true;
        case WM_PAINT:
            onPaint(window);
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK frameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // Nothing may unwind into USER32: event handlers run inside dispatchEvent,
    // and whatever else goes wrong here ends the message's handling.
    try {
        LRESULT result = 0;
        if (handle(window, message, wParam, lParam, result))
            return result;
    } catch (...) {
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void registerClass(const char* name, HICON icon) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = frameProc;
    windowClass.cbWndExtra = ExtraBytes;
    windowClass.hInstance = appInstance();
    windowClass.hIcon = icon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    RegisterClassA(&windowClass);
}

}  // namespace

void forgetActivation() {
    lastActivated = nullptr;
}

void initialiseWindowing() {
    static bool done = false;
    if (done)
        return;
    done = true;
    InitCommonControls();
    // The program's icon is resource 1 when it has one.
    HICON icon = LoadIconA(appInstance(), MAKEINTRESOURCEA(1));
    if (icon == nullptr)
        icon = LoadIconA(nullptr, IDI_APPLICATION);
    registerClass(FrameClass, icon);
    registerClass(ContainerClass, nullptr);
}

}  // namespace platform::win32
