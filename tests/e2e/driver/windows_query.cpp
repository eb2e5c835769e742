// Finding and reading windows of other processes of the same Wine prefix.
#include "windows_query.h"

#include <cstdio>
#include <cstring>

#include "protocol.h"

namespace driver {

namespace {
constexpr UINT kTimeoutMs = 5000;

BOOL CALLBACK collect(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}
}  // namespace

HWND toWindow(unsigned long handle) {
    HWND window = reinterpret_cast<HWND>(static_cast<UINT_PTR>(handle));
    if (!IsWindow(window))
        throw Failure("no such window: " + std::to_string(handle));
    return window;
}

std::string handleText(HWND window) {
    return std::to_string(static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(window)));
}

std::string windowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTimeoutMs,
                             &length)) {
        throw Failure("window does not answer: " + handleText(window));
    }
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, kTimeoutMs, &copied)) {
        throw Failure("window does not answer: " + handleText(window));
    }
    text.resize(std::strlen(text.c_str()));
    return text;
}

bool textIfAlive(HWND window, std::string& text) {
    try {
        text = windowText(window);
        return true;
    } catch (const Failure&) {
        if (IsWindow(window))
            throw;
        return false;
    }
}

std::string caption(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string windowClass(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

std::string withoutMnemonic(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size())
            ++i;
        out += caption[i];
    }
    return out;
}

bool captionMatches(const std::string& actual, const std::string& wanted) {
    return actual == wanted || withoutMnemonic(actual) == wanted;
}

std::vector<HWND> visibleTopLevel() {
    std::vector<HWND> all, visible;
    EnumWindows(collect, reinterpret_cast<LPARAM>(&all));
    for (HWND window : all) {
        if (IsWindowVisible(window))
            visible.push_back(window);
    }
    return visible;
}

std::vector<HWND> descendants(HWND parent) {
    std::vector<HWND> all;
    EnumChildWindows(parent, collect, reinterpret_cast<LPARAM>(&all));
    return all;
}

bool reallyVisible(HWND window) {
    return IsWindowVisible(window) != FALSE;
}

bool waitUntil(long timeoutMs, const std::function<bool()>& found) {
    DWORD start = GetTickCount();
    for (;;) {
        if (found())
            return true;
        if (static_cast<long>(GetTickCount() - start) >= timeoutMs)
            return false;
        Sleep(30);
    }
}

HWND findChild(HWND parent, const std::string& className, const std::string& caption) {
    for (HWND child : descendants(parent)) {
        if (!reallyVisible(child))
            continue;
        if (!className.empty() && lstrcmpiA(windowClass(child).c_str(), className.c_str()) != 0) {
            continue;
        }
        std::string text;
        if (textIfAlive(child, text) && captionMatches(text, caption))
            return child;
    }
    return nullptr;
}

}  // namespace driver
