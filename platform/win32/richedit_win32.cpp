// Read-only rich-text boxes without border (RICHED32.DLL), or a read-only
// multi-line edit box where the machine lacks that library.
// The rich-edit declarations need the base ones first.
// clang-format off
#include <windows.h>
#include <richedit.h>
// clang-format on

#include <utility>

#include "platform/win32/dynamic_calls.h"
#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

// Remembers the background of the plain-edit stand-in for WM_CTLCOLOR*.
constexpr const char* BackgroundProperty = "TrellmarkBackground";

int colourIndex(Background background) {
    return background == Background::Window ? COLOR_WINDOW : COLOR_BTNFACE;
}

std::string joinedLines(const std::vector<std::string>& lines) {
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += "\r\n";
        text += lines[i];
    }
    return text;
}

void showText(const Control& box, const std::vector<std::string>& lines) {
    if (HWND hwnd = hwndOf(box))
        SetWindowTextA(hwnd, joinedLines(lines).c_str());
}

}  // namespace

RichEdit::RichEdit(Container* parent, const Rect& bounds, Background background, bool enabled)
    : Control(parent, bounds) {
    enabled_ = enabled;
    // Read, not worked: no Tab stop.
    const DWORD style = ES_MULTILINE | ES_READONLY;
    const int colour = colourIndex(background);
    if (win32::richEditAvailable()) {
        HWND hwnd = win32::createChildWindow(*this, "RICHEDIT", "", style);
        if (hwnd != nullptr)
            SendMessageA(hwnd, EM_SETBKGNDCOLOR, 0, GetSysColor(colour));
        return;
    }
    HWND hwnd = win32::createChildWindow(*this, "EDIT", "", style);
    if (hwnd != nullptr) {
        SetPropA(hwnd, BackgroundProperty,
                 reinterpret_cast<HANDLE>(static_cast<INT_PTR>(colour + 1)));
    }
}

RichEdit::~RichEdit() {
    if (HWND hwnd = hwndOf(*this))
        RemovePropA(hwnd, BackgroundProperty);
}

void RichEdit::setLines(std::vector<std::string> lines) {
    if (lines == lines_)
        return;
    lines_ = std::move(lines);
    showText(*this, lines_);
}

namespace win32 {

HBRUSH richEditColours(Control& control, HDC dc) {
    if (dynamic_cast<RichEdit*>(&control) == nullptr)
        return nullptr;
    HWND hwnd = hwndOf(control);
    const auto stored = reinterpret_cast<INT_PTR>(GetPropA(hwnd, BackgroundProperty));
    if (stored == 0)
        return nullptr;
    const int colour = static_cast<int>(stored) - 1;
    SetBkColor(dc, GetSysColor(colour));
    SetTextColor(dc, GetSysColor(IsWindowEnabled(hwnd) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    return GetSysColorBrush(colour);
}

}  // namespace win32

}  // namespace platform
