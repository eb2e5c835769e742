// The message loop, message pumping during long work and the end of the
// program.
#include <windows.h>

#include "platform/app.h"
#include "platform/win32/native.h"

namespace platform {

int runMessageLoop() {
    MSG message;
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0)
            return static_cast<int>(message.wParam);
        if (got < 0)
            return 0;
        win32::deliverMessage(message);
    }
}

void quit(int exitCode) {
    PostQuitMessage(exitCode);
}

namespace {

// A walk calls processMessages once per folder, thousands of times a second,
// and each look at the queue is a call into the window system. Looking at
// most this often still answers a click before anyone could tell.
constexpr DWORD QueueLookIntervalMs = 10;

bool timeToLookAtQueue() {
    static DWORD lastLook = GetTickCount() - QueueLookIntervalMs;
    const DWORD now = GetTickCount();
    if (now - lastLook < QueueLookIntervalMs)
        return false;
    lastLook = now;
    return true;
}

}  // namespace

void processMessages() {
    if (!timeToLookAtQueue())
        return;
    // Asking is cheap; a PeekMessageA that finds nothing is not.
    if (HIWORD(GetQueueStatus(QS_ALLINPUT)) == 0)
        return;
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            // Left for the loop that is to end.
            PostQuitMessage(static_cast<int>(message.wParam));
            return;
        }
        win32::deliverMessage(message);
    }
}

void exitProcess(int exitCode) {
    ExitProcess(static_cast<UINT>(exitCode));
}

}  // namespace platform
