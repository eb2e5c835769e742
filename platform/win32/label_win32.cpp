// Labels: static text in its own font and colour, sized to fit its text.
#include "platform/win32/native.h"

namespace platform {

namespace {

void fitToText(Control& label, const std::string& text, HFONT font) {
    HWND hwnd = win32::hwndOf(label);
    if (hwnd == nullptr)
        return;
    HDC dc = GetDC(hwnd);
    HGDIOBJ previous = SelectObject(dc, font);
    RECT extent = {0, 0, 0, 0};
    // An empty caption keeps the height of one line.
    const std::string measured = text.empty() ? " " : text;
    DrawTextA(dc, measured.c_str(), static_cast<int>(measured.size()), &extent,
              DT_CALCRECT | DT_LEFT | DT_EXPANDTABS);
    SelectObject(dc, previous);
    ReleaseDC(hwnd, dc);
    Rect& bounds = win32::ControlAccess::bounds(label);
    bounds.width = text.empty() ? 0 : extent.right;
    bounds.height = extent.bottom;
    SetWindowPos(hwnd, nullptr, 0, 0, bounds.width, bounds.height,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

Label::Label(Container* parent, int left, int top, const std::string& caption, const Font& font,
             Colour colour)
    : Control(parent, Rect{left, top, 0, 0}), caption_(caption), font_(font), colour_(colour) {
    HWND hwnd = win32::createChildWindow(*this, "STATIC", caption_, SS_LEFT);
    if (hwnd == nullptr)
        return;
    HFONT handle = win32::fontHandle(font_);
    SendMessageA(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(handle), FALSE);
    fitToText(*this, caption_, handle);
}

Label::Label(Container* parent, int left, int top, const std::string& caption)
    : Label(parent, left, top, caption, parent != nullptr ? parent->font() : Font()) {}

Label::~Label() = default;

void Label::setCaption(const std::string& caption) {
    caption_ = caption;
    HWND hwnd = win32::hwndOf(*this);
    if (hwnd == nullptr)
        return;
    SetWindowTextA(hwnd, caption_.c_str());
    fitToText(*this, caption_, win32::fontHandle(font_));
}

void Label::setColour(Colour colour) {
    colour_ = colour;
    if (HWND hwnd = win32::hwndOf(*this))
        InvalidateRect(hwnd, nullptr, TRUE);
}

namespace win32 {

HBRUSH labelColours(Control& control, HDC dc) {
    auto* label = dynamic_cast<Label*>(&control);
    if (label == nullptr)
        return nullptr;
    SetTextColor(dc, label->colour());
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return GetSysColorBrush(COLOR_BTNFACE);
}

}  // namespace win32

}  // namespace platform
