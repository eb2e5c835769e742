// Commands that find, wait for, read and place windows.
#include <string>

#include "commands.h"
#include "remote_memory.h"
#include "windows_query.h"

namespace driver {

namespace {

std::string number(long value) {
    return std::to_string(value);
}

std::string processOf(HWND window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    return std::to_string(pid);
}

HWND firstTopLevel(const std::string& caption, const std::string& className) {
    for (HWND window : visibleTopLevel()) {
        if (!className.empty() && windowClass(window) != className)
            continue;
        if (driver::caption(window) == caption)
            return window;
    }
    return nullptr;
}

// windows: every visible top-level window as handle, pid, class, caption.
void listWindows(const Fields&, Reply& reply) {
    for (HWND window : visibleTopLevel()) {
        reply.row({handleText(window), processOf(window), windowClass(window), caption(window)});
    }
}

// find CAPTION [CLASS]: the visible top-level windows with that exact caption.
void find(const Fields& command, Reply& reply) {
    const std::string className = command.size() > 2 ? command[2] : "";
    for (HWND window : visibleTopLevel()) {
        if (!className.empty() && windowClass(window) != className)
            continue;
        if (caption(window) == arg(command, 1))
            reply.row(handleText(window));
    }
}

// wait-window CAPTION MS [CLASS]: the first visible top-level window with that caption.
void waitWindow(const Fields& command, Reply& reply) {
    const std::string className = command.size() > 3 ? command[3] : "";
    HWND found = nullptr;
    if (!waitUntil(argNumber(command, 2), [&] {
            found = firstTopLevel(arg(command, 1), className);
            return found != nullptr;
        })) {
        throw Failure("no visible window \"" + command[1] + "\"");
    }
    reply.row(handleText(found));
}

// wait-gone HWND MS: the window is destroyed or hidden.
void waitGone(const Fields& command, Reply&) {
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(argHandle(command, 1)));
    if (!waitUntil(argNumber(command, 2),
                   [&] { return !IsWindow(window) || !IsWindowVisible(window); })) {
        throw Failure("window still shown: " + command[1]);
    }
}

// children HWND: every descendant as handle, id, class, visible, enabled, text.
void children(const Fields& command, Reply& reply) {
    for (HWND child : descendants(toWindow(argHandle(command, 1)))) {
        std::string text;
        if (!textIfAlive(child, text))
            continue;  // closed meanwhile
        reply.row({handleText(child), number(GetDlgCtrlID(child)), windowClass(child),
                   reallyVisible(child) ? "1" : "0", IsWindowEnabled(child) ? "1" : "0", text});
    }
}

// child PARENT CLASS CAPTION: the first visible descendant (CLASS may be empty).
void child(const Fields& command, Reply& reply) {
    HWND found = findChild(toWindow(argHandle(command, 1)), arg(command, 2), arg(command, 3));
    if (!found)
        throw Failure("no visible control \"" + command[3] + "\"");
    reply.row(handleText(found));
}

// wait-child PARENT CLASS CAPTION MS
void waitChild(const Fields& command, Reply& reply) {
    HWND parent = toWindow(argHandle(command, 1));
    HWND found = nullptr;
    if (!waitUntil(argNumber(command, 4), [&] {
            found = findChild(parent, arg(command, 2), arg(command, 3));
            return found != nullptr;
        })) {
        throw Failure("no visible control \"" + command[3] + "\"");
    }
    reply.row(handleText(found));
}

// text HWND
void text(const Fields& command, Reply& reply) {
    reply.row(windowText(toWindow(argHandle(command, 1))));
}

// wait-text HWND TEXT MS: until the window's text is TEXT.
void waitText(const Fields& command, Reply&) {
    HWND window = toWindow(argHandle(command, 1));
    std::string last;
    if (!waitUntil(argNumber(command, 3), [&] {
            if (!IsWindow(window))
                throw Failure("window closed: " + command[1]);
            try {
                last = windowText(window);
            } catch (const Failure&) {
                return false;  // busy with a long walk: look again
            }
            return last == arg(command, 2);
        })) {
        throw Failure("text is \"" + last + "\"");
    }
}

// set-text HWND TEXT
void setText(const Fields& command, Reply&) {
    HWND window = toWindow(argHandle(command, 1));
    const std::string& value = arg(command, 2);
    sendTo(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
}

// state HWND: visible, enabled, class, id.
void state(const Fields& command, Reply& reply) {
    HWND window = toWindow(argHandle(command, 1));
    reply.row({reallyVisible(window) ? "1" : "0", IsWindowEnabled(window) ? "1" : "0",
               windowClass(window), number(GetDlgCtrlID(window))});
}

// rect HWND: the window's rectangle on the screen (left, top, right, bottom).
void rect(const Fields& command, Reply& reply) {
    RECT r;
    GetWindowRect(toWindow(argHandle(command, 1)), &r);
    reply.row({number(r.left), number(r.top), number(r.right), number(r.bottom)});
}

// client HWND: width and height of the client area.
void client(const Fields& command, Reply& reply) {
    RECT r;
    GetClientRect(toWindow(argHandle(command, 1)), &r);
    reply.row({number(r.right - r.left), number(r.bottom - r.top)});
}

// screen: width and height of the (virtual) desktop.
void screen(const Fields&, Reply& reply) {
    reply.row({number(GetSystemMetrics(SM_CXSCREEN)), number(GetSystemMetrics(SM_CYSCREEN))});
}

// pid HWND: the Windows process id that owns the window.
void pid(const Fields& command, Reply& reply) {
    reply.row(processOf(toWindow(argHandle(command, 1))));
}

// close HWND: as the close box would.
void close(const Fields& command, Reply&) {
    PostMessageA(toWindow(argHandle(command, 1)), WM_CLOSE, 0, 0);
}

// key HWND VK: a key pressed and released with the window focused.
void key(const Fields& command, Reply&) {
    HWND window = toWindow(argHandle(command, 1));
    WPARAM vk = static_cast<WPARAM>(argNumber(command, 2));
    PostMessageA(window, WM_KEYDOWN, vk, 1);
    PostMessageA(window, WM_KEYUP, vk, 0xC0000001);
}

void ping(const Fields&, Reply&) {}

}  // namespace

void addWindowCommands(CommandTable& table) {
    table["ping"] = ping;
    table["windows"] = listWindows;
    table["find"] = find;
    table["wait-window"] = waitWindow;
    table["wait-gone"] = waitGone;
    table["children"] = children;
    table["child"] = child;
    table["wait-child"] = waitChild;
    table["text"] = text;
    table["wait-text"] = waitText;
    table["set-text"] = setText;
    table["state"] = state;
    table["rect"] = rect;
    table["client"] = client;
    table["screen"] = screen;
    table["pid"] = pid;
    table["close"] = close;
    table["key"] = key;
}

}  // namespace driver
