// Commands for buttons, check boxes, radio buttons and message boxes. Clicks
// are posted (BM_CLICK), never sent: a click that opens a modal box would
// otherwise not return until the box closes.
#include <algorithm>
#include <string>

#include "commands.h"
#include "process_memory.h"
#include "remote_memory.h"
#include "windows_query.h"

namespace driver {

namespace {

constexpr char kDialogClass[] = "#32770";

void postClick(HWND button) {
    if (!reallyVisible(button))
        throw Failure("button is hidden: " + windowText(button));
    if (!IsWindowEnabled(button))
        throw Failure("button is disabled: " + windowText(button));
    PostMessageA(button, BM_CLICK, 0, 0);
}

HWND buttonByCaption(HWND parent, const std::string& caption) {
    HWND button = findChild(parent, "Button", caption);
    if (!button)
        throw Failure("no visible button \"" + caption + "\"");
    return button;
}

// A message box's text: the visible static texts, one per line.
std::string dialogText(HWND dialog) {
    std::string text;
    for (HWND child : descendants(dialog)) {
        if (!reallyVisible(child) || lstrcmpiA(windowClass(child).c_str(), "Static") != 0) {
            continue;
        }
        std::string part;
        if (!textIfAlive(child, part) || part.empty())
            continue;
        if (!text.empty())
            text += "\n";
        text += part;
    }
    return text;
}

// click HWND
void click(const Fields& command, Reply&) {
    postClick(toWindow(argHandle(command, 1)));
}

// press PARENT CAPTION: clicks the visible button with that caption.
void press(const Fields& command, Reply&) {
    postClick(buttonByCaption(toWindow(argHandle(command, 1)), arg(command, 2)));
}

// Samples a process's private bytes while a press is timed: where the
// system keeps no peak of its own (Wine gives the current figure as the
// peak), the highest sample stands in for it.
class PrivateBytesWatch {
public:
    explicit PrivateBytesWatch(DWORD pid) : process_(pid ? openForCounters(pid) : nullptr) {}
    ~PrivateBytesWatch() {
        if (process_)
            CloseHandle(process_);
    }
    PrivateBytesWatch(const PrivateBytesWatch&) = delete;
    PrivateBytesWatch& operator=(const PrivateBytesWatch&) = delete;

    void sample() {
        if (!process_)
            return;
        const MemoryCounters counters = memoryCounters(process_);
        peak_ = std::max({peak_, counters.privateBytes, counters.peakPrivateBytes});
    }
    SIZE_T peak() const { return peak_; }

private:
    HANDLE process_;
    SIZE_T peak_ = 0;
};

// time-press PARENT CAPTION MS [PID]: clicks the button like press, then
// waits for PARENT to hide (the wizard moving on to its next page) and
// answers the milliseconds in between, timed here so that no pipe round trip
// counts. With PID, also the highest private bytes of that process seen
// meanwhile (looked at every 10 ms, a small load beside the run).
void timePress(const Fields& command, Reply& reply) {
    HWND parent = toWindow(argHandle(command, 1));
    HWND button = buttonByCaption(parent, arg(command, 2));
    const DWORD timeoutMs = static_cast<DWORD>(argNumber(command, 3));
    PrivateBytesWatch watch(command.size() > 4 ? static_cast<DWORD>(argNumber(command, 4)) : 0);
    constexpr double kSampleMs = 10;
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    watch.sample();
    QueryPerformanceCounter(&start);
    postClick(button);
    double sampledAt = 0;
    for (;;) {
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        if (!IsWindowVisible(parent)) {
            watch.sample();
            reply.row({std::to_string(static_cast<long>(ms + 0.5)), std::to_string(watch.peak())});
            return;
        }
        if (ms >= timeoutMs)
            throw Failure("still showing after the press: " + caption(parent));
        if (ms - sampledAt >= kSampleMs) {
            watch.sample();
            sampledAt = ms;
        }
        Sleep(1);  // the answer is at most about a millisecond late
    }
}

// checked HWND: 0, 1, or 2 (indeterminate).
void checked(const Fields& command, Reply& reply) {
    reply.row(std::to_string(sendTo(toWindow(argHandle(command, 1)), BM_GETCHECK, 0, 0)));
}

// set-check HWND 0|1: clicks the check box or radio button when its state
// differs, as the user would, and waits for the new state.
void setCheck(const Fields& command, Reply&) {
    HWND button = toWindow(argHandle(command, 1));
    LRESULT wanted = argNumber(command, 2) ? BST_CHECKED : BST_UNCHECKED;
    if (sendTo(button, BM_GETCHECK, 0, 0) == wanted)
        return;
    postClick(button);
    if (!waitUntil(3000, [&] { return sendTo(button, BM_GETCHECK, 0, 0) == wanted; })) {
        throw Failure("check mark did not change: " + windowText(button));
    }
}

// wait-dialog MS [CAPTION]: the first visible message box or dialog (class
// #32770), as handle, caption and text.
void waitDialog(const Fields& command, Reply& reply) {
    const std::string caption = command.size() > 2 ? command[2] : "";
    HWND found = nullptr;
    if (!waitUntil(argNumber(command, 1), [&] {
            for (HWND window : visibleTopLevel()) {
                if (windowClass(window) != kDialogClass)
                    continue;
                if (!caption.empty() && driver::caption(window) != caption)
                    continue;
                found = window;
                return true;
            }
            return false;
        })) {
        throw Failure(caption.empty() ? "no dialog shown" : "no dialog \"" + caption + "\"");
    }
    reply.row({handleText(found), driver::caption(found), dialogText(found)});
}

// dialog HWND: rows "caption", "text" and one "button" row per visible button.
void dialog(const Fields& command, Reply& reply) {
    HWND window = toWindow(argHandle(command, 1));
    reply.row({"caption", caption(window)});
    reply.row({"text", dialogText(window)});
    for (HWND child : descendants(window)) {
        if (!reallyVisible(child) || lstrcmpiA(windowClass(child).c_str(), "Button") != 0) {
            continue;
        }
        reply.row({"button", windowText(child), std::to_string(GetDlgCtrlID(child))});
    }
}

// answer HWND BUTTON: presses a button of a dialog by caption, or by id as "#6".
void answer(const Fields& command, Reply&) {
    HWND window = toWindow(argHandle(command, 1));
    const std::string& which = arg(command, 2);
    if (which.size() > 1 && which[0] == '#') {
        HWND button = GetDlgItem(window, std::stoi(which.substr(1)));
        if (!button)
            throw Failure("no button with id " + which);
        postClick(button);
        return;
    }
    postClick(buttonByCaption(window, which));
}

}  // namespace

void addButtonCommands(CommandTable& table) {
    table["click"] = click;
    table["press"] = press;
    table["time-press"] = timePress;
    table["checked"] = checked;
    table["set-check"] = setCheck;
    table["wait-dialog"] = waitDialog;
    table["dialog"] = dialog;
    table["answer"] = answer;
}

}  // namespace driver
