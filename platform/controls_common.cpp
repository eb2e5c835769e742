// The parts of the controls that every backend shares.
#include <algorithm>

#include "platform/app.h"
#include "platform/controls.h"

namespace platform {

void Container::forget(Control* child) {
    children_.erase(std::remove(children_.begin(), children_.end(), child), children_.end());
}

const Font& Container::font() const {
    static const Font standard;
    return parent_ != nullptr ? parent_->font() : standard;
}

void Window::activated() {
    dispatchEvent(onActivate);
}

void Button::click() {
    if (enabled_)
        dispatchEvent(onClick);
}

}  // namespace platform
