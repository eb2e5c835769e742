// Push buttons, check boxes and radio buttons; clicks on their windows reach
// the objects through handleButtonCommand.
#include "platform/app.h"
#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

void setCheckMark(const Control& control, bool checked) {
    if (HWND hwnd = hwndOf(control)) {
        SendMessageA(hwnd, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    }
}

// The window's mark, or `fallback` when there is no window.
bool checkMark(const Control& control, bool fallback) {
    HWND hwnd = hwndOf(control);
    if (hwnd == nullptr)
        return fallback;
    return SendMessageA(hwnd, BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void runHandler(const std::function<void()>& handler) {
    // A copy: the handler may replace itself while it runs.
    if (handler)
        dispatchEvent(std::function<void()>(handler));
}

}  // namespace

Button::Button(Container* parent, const Rect& bounds, const std::string& caption)
    : Control(parent, bounds), caption_(caption) {
    win32::createChildWindow(*this, "BUTTON", caption_, BS_PUSHBUTTON | WS_TABSTOP);
}

Button::~Button() = default;

CheckBox::CheckBox(Container* parent, const Rect& bounds, const std::string& caption)
    : Control(parent, bounds), caption_(caption) {
    win32::createChildWindow(*this, "BUTTON", caption_, BS_AUTOCHECKBOX | WS_TABSTOP);
}

CheckBox::~CheckBox() = default;

void CheckBox::setCaption(const std::string& caption) {
    caption_ = caption;
    if (HWND hwnd = hwndOf(*this))
        SetWindowTextA(hwnd, caption_.c_str());
}

bool CheckBox::checked() const {
    return checkMark(*this, checked_);
}

void CheckBox::setChecked(bool checked) {
    checked_ = checked;
    setCheckMark(*this, checked);
}

void CheckBox::click() {
    if (!enabled_)
        return;
    setChecked(!checked());
    if (onClick)
        onClick();
}

RadioButton::RadioButton(Container* parent, const Rect& bounds, const std::string& caption)
    : Control(parent, bounds), caption_(caption) {
    win32::createChildWindow(*this, "BUTTON", caption_, BS_AUTORADIOBUTTON | WS_TABSTOP);
}

RadioButton::~RadioButton() = default;

bool RadioButton::checked() const {
    return checkMark(*this, checked_);
}

void RadioButton::setChecked(bool checked) {
    checked_ = checked;
    setCheckMark(*this, checked);
    if (!checked || parent_ == nullptr)
        return;
    // The group is the parent's radio buttons, whatever else lies between them.
    for (Control* sibling : parent_->children()) {
        auto* other = dynamic_cast<RadioButton*>(sibling);
        if (other == nullptr || other == this)
            continue;
        other->checked_ = false;
        setCheckMark(*other, false);
    }
}

void RadioButton::click() {
    if (!enabled_)
        return;
    setChecked(true);
    if (onClick)
        onClick();
}

namespace win32 {

bool handleButtonCommand(Control& control, WORD code) {
    if (code != BN_CLICKED)
        return false;
    if (auto* button = dynamic_cast<Button*>(&control)) {
        dispatchEvent([button] { button->click(); });
        return true;
    }
    // The window has toggled its own mark already.
    if (auto* box = dynamic_cast<CheckBox*>(&control)) {
        box->setChecked(box->checked());
        runHandler(box->onClick);
        return true;
    }
    if (auto* radio = dynamic_cast<RadioButton*>(&control)) {
        radio->setChecked(radio->checked());
        runHandler(radio->onClick);
        return true;
    }
    return false;
}

}  // namespace win32

}  // namespace platform
