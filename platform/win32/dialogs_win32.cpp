// Message boxes: MessageBoxA, placed by a hook as soon as the box is laid out.
#include <windows.h>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/win32/native.h"

namespace platform {

namespace {

std::string title;

// The placement of the box being opened. Message boxes open one at a time on
// the one GUI thread; a nested one saves and restores the outer state.
struct PendingPlacement {
    MessagePlacement place;
    HHOOK hook = nullptr;
    bool done = false;
};
PendingPlacement* pending = nullptr;

void placeBox(HWND box, const MessagePlacement& place) {
    RECT frame;
    if (!GetWindowRect(box, &frame))
        return;
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    int left = frame.left, top = frame.top;
    if (place.x < 0 && place.y < 0) {
        left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
        top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    } else {
        if (place.x >= 0)
            left = place.x;
        if (place.y >= 0)
            top = place.y;
    }
    SetWindowPos(box, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The box has its size and default place once its WM_INITDIALOG has run; it
// is moved then, before it shows, whether or not it ever becomes active.
LRESULT CALLBACK afterMessageHook(int code, WPARAM wParam, LPARAM lParam) {
    PendingPlacement* current = pending;
    const auto* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (current != nullptr && code == HC_ACTION && !current->done &&
        message->message == WM_INITDIALOG) {
        char className[16] = "";
        GetClassNameA(message->hwnd, className, sizeof className);
        if (lstrcmpA(className, "#32770") == 0) {
            current->done = true;
            placeBox(message->hwnd, current->place);
        }
    }
    return CallNextHookEx(current != nullptr ? current->hook : nullptr, code, wParam, lParam);
}

UINT iconFlag(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning:
            return MB_ICONWARNING;
        case MessageKind::Error:
            return MB_ICONERROR;
        case MessageKind::Information:
            return MB_ICONINFORMATION;
        case MessageKind::Confirmation:
            return MB_ICONQUESTION;
        case MessageKind::Plain:
            break;
    }
    return 0;
}

UINT buttonFlag(MessageButtons buttons) {
    switch (buttons) {
        case MessageButtons::OkCancel:
            return MB_OKCANCEL;
        case MessageButtons::YesNo:
            return MB_YESNO;
        case MessageButtons::Ok:
            break;
    }
    return MB_OK;
}

MessageAnswer answerOf(int pressed, MessageButtons buttons) {
    switch (pressed) {
        case IDYES:
            return MessageAnswer::Yes;
        case IDNO:
            return MessageAnswer::No;
        case IDOK:
            return MessageAnswer::Ok;
        default:
            break;
    }
    // Closed without a button.
    if (buttons == MessageButtons::YesNo)
        return MessageAnswer::No;
    if (buttons == MessageButtons::OkCancel)
        return MessageAnswer::Cancel;
    return MessageAnswer::Ok;
}

int showBox(const std::string& text, const std::string& caption, UINT flags, const Window* owner,
            const MessagePlacement& place) {
    // Owned by the program's active window, which stays disabled while the
    // box is up and becomes active again when it closes; with no window of
    // ours active, every window of the thread is disabled instead.
    HWND ownerWindow = owner != nullptr ? win32::hwndOf(*owner) : GetActiveWindow();
    if (ownerWindow == nullptr)
        flags |= MB_TASKMODAL;

    PendingPlacement state;
    state.place = place;
    state.hook =
        SetWindowsHookExA(WH_CALLWNDPROCRET, afterMessageHook, nullptr, GetCurrentThreadId());
    PendingPlacement* outer = pending;
    pending = &state;
    const int pressed = MessageBoxA(ownerWindow, text.c_str(), caption.c_str(), flags);
    pending = outer;
    if (state.hook != nullptr)
        UnhookWindowsHookEx(state.hook);
    return pressed;
}

}  // namespace

MessageAnswer showMessage(const MessageRequest& request) {
    win32::forgetActivation();
    const UINT flags = iconFlag(request.kind) | buttonFlag(request.buttons);
    const int pressed =
        showBox(request.text, request.caption, flags, request.owner, request.placement);
    return answerOf(pressed, request.buttons);
}

void showErrorBox(const std::string& text) {
    showBox(text, applicationTitle(), MB_ICONERROR | MB_OK, nullptr, MessagePlacement{});
}

void setApplicationTitle(const std::string& newTitle) {
    title = newTitle;
}

const std::string& applicationTitle() {
    return title;
}

}  // namespace platform
