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

void Container::setTabOrder(const std::vector<Control*>& order) {
    std::vector<Control*> arranged;
    // Only children, each once.
    for (Control* child : order) {
        if (std::find(children_.begin(), children_.end(), child) != children_.end() &&
            std::find(arranged.begin(), arranged.end(), child) == arranged.end())
            arranged.push_back(child);
    }
    for (Control* child : children_) {
        if (std::find(arranged.begin(), arranged.end(), child) == arranged.end())
            arranged.push_back(child);
    }
    children_ = arranged;
    tabOrderSet_ = true;
    arrangeTabOrder();
}

void Window::activated() {
    dispatchEvent(onActivate);
}

void Button::click() {
    if (enabled_)
        dispatchEvent(onClick);
}

}  // namespace platform
