// The progress bar. The object takes every new position at once; its window
// is only told when the bar would look different, at most every so often,
// since the native bar repaints on every position it is sent and a walk
// moves it once per folder. A timer hands the exact position over as soon
// as messages are let through, so the bar always ends where the object is.
#include <algorithm>
#include <map>

#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

// Fast enough to move smoothly, slow enough that repaints cost a walk little.
constexpr DWORD RedrawIntervalMs = 100;
// Where the bar's repaint is slow the pause grows with it, so that drawing
// takes about 1/RepaintShare of a walk at most; but the bar still moves.
constexpr double RepaintShare = 40;
constexpr DWORD LongestPauseMs = 1000;
constexpr UINT_PTR CatchUpTimer = 1;

// What each bar's window shows.
struct Shown {
    int position = 0;
    int width = 0;                   // of the client area when the position was sent
    DWORD at = 0;                    // GetTickCount of the last position sent
    DWORD pause = RedrawIntervalMs;  // before the next position is sent
    bool catchingUp = false;
};

// Milliseconds, finer than GetTickCount, whose steps are as long as 55 ms on
// some systems; 0 where there is no such counter.
double preciseMs() {
    static LARGE_INTEGER frequency{};
    static const bool counter = QueryPerformanceFrequency(&frequency) && frequency.QuadPart > 0;
    LARGE_INTEGER now;
    if (!counter || !QueryPerformanceCounter(&now))
        return 0;
    return static_cast<double>(now.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::map<HWND, Shown> shown;

// The bar's range is 16 bits wide before common controls 4.70 (no
// PBM_SETRANGE32): a larger maximum is shown on a scale of 0..LongestRange.
constexpr int LongestRange = 0x7FFF;

int shownRange(int maximum) {
    return maximum > LongestRange ? LongestRange : maximum;
}

int shownPosition(int position, int maximum) {
    return maximum > LongestRange ? MulDiv(position, LongestRange, maximum) : position;
}

void sendRange(HWND hwnd, int maximum) {
    SendMessageA(hwnd, PBM_SETRANGE, 0, MAKELPARAM(0, shownRange(maximum)));
}

int clientWidth(HWND hwnd) {
    RECT client;
    return GetClientRect(hwnd, &client) ? client.right - client.left : 0;
}

void sendPosition(HWND hwnd, int position, int maximum) {
    const double before = preciseMs();
    // Repaints before it returns.
    SendMessageA(hwnd, PBM_SETPOS, shownPosition(position, maximum), 0);
    const double repaintMs = preciseMs() - before;
    Shown& bar = shown[hwnd];
    bar.position = position;
    bar.width = clientWidth(hwnd);
    bar.at = GetTickCount();
    bar.pause =
        std::clamp(static_cast<DWORD>(repaintMs * RepaintShare), RedrawIntervalMs, LongestPauseMs);
    if (bar.catchingUp) {
        KillTimer(hwnd, CatchUpTimer);
        bar.catchingUp = false;
    }
}

void CALLBACK catchUp(HWND hwnd, UINT, UINT_PTR, DWORD) {
    if (auto* bar = dynamic_cast<ProgressBar*>(win32::controlOf(hwnd)))
        sendPosition(hwnd, bar->position(), bar->maximum());
    else
        KillTimer(hwnd, CatchUpTimer);
}

// Pixels of the filled part: positions that fill the same length look alike.
// The width is the one measured at the last position sent, not asked anew on
// every step: a bar resized since is set right by the catch-up timer.
int filledLength(int width, int position, int maximum) {
    if (maximum <= 0)
        return 0;
    return MulDiv(position, width, maximum);
}

}  // namespace

ProgressBar::ProgressBar(Container* parent, const Rect& bounds) : Control(parent, bounds) {
    if (HWND hwnd = win32::createChildWindow(*this, PROGRESS_CLASSA, "", 0)) {
        sendRange(hwnd, max_);
        sendPosition(hwnd, position_, max_);
    }
}

ProgressBar::~ProgressBar() {
    if (HWND hwnd = hwndOf(*this)) {
        KillTimer(hwnd, CatchUpTimer);
        shown.erase(hwnd);
    }
}

void ProgressBar::setMaximum(int maximum) {
    max_ = maximum < 0 ? 0 : maximum;
    if (position_ > max_)
        position_ = max_;
    if (HWND hwnd = hwndOf(*this)) {
        sendRange(hwnd, max_);
        sendPosition(hwnd, position_, max_);
    }
}

void ProgressBar::setPosition(int position) {
    position_ = position < 0 ? 0 : position > max_ ? max_ : position;
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    Shown& bar = shown[hwnd];
    if (bar.position == position_)
        return;
    const bool looksDifferent =
        filledLength(bar.width, bar.position, max_) != filledLength(bar.width, position_, max_);
    const DWORD waited = GetTickCount() - bar.at;
    if (looksDifferent && waited >= bar.pause) {
        sendPosition(hwnd, position_, max_);
    } else if (!bar.catchingUp) {
        const DWORD rest = waited < bar.pause ? bar.pause - waited : 0;
        bar.catchingUp =
            SetTimer(hwnd, CatchUpTimer, std::max<DWORD>(rest, USER_TIMER_MINIMUM), catchUp) != 0;
        if (!bar.catchingUp)
            sendPosition(hwnd, position_, max_);  // no timer to rely on: show it now
    }
}

}  // namespace platform
