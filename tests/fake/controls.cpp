// Controls of the stand-in: plain data, no windows. Activation, modality
// and focus are tracked in the machine state so tests can see them.
#include "platform/controls.h"

#include <algorithm>
#include <utility>

#include "fake/state.h"
#include "platform/app.h"
#include "platform/listview.h"

namespace platform {

using namespace platform::fake;

namespace {
constexpr int ScreenWidth = 800;
constexpr int ScreenHeight = 600;
constexpr int FrameWidth = 6;
constexpr int FrameHeight = 25;
}  // namespace

Control::Control(Container* parent, const Rect& bounds) : parent_(parent), bounds_(bounds) {
    if (parent_ != nullptr)
        parent_->adopt(this);
}

Control::~Control() {
    if (state().focused == this)
        state().focused = nullptr;
    if (parent_ != nullptr)
        parent_->forget(this);
}

void Control::setVisible(bool visible) {
    visible_ = visible;
}
void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
}

void Control::setFocus() {
    if (enabled_ && visible_)
        state().focused = this;
}

bool Control::focused() const {
    return state().focused == this;
}
void Control::repaint() {}

// The order of children() is the whole tab order here.
void Container::arrangeTabOrder() {}

void Window::setDefaultButton(Button* button) {
    defaultButton_ = button;
}

Window::Window(const CreateArgs& args)
    : Container(nullptr, Rect{0, 0, args.clientWidth, args.clientHeight}),
      caption_(args.caption),
      clientWidth_(args.clientWidth),
      clientHeight_(args.clientHeight),
      style_(args.style),
      font_(args.font) {
    visible_ = false;
    state().windows.push_back(this);
}

Window::~Window() {
    auto& windows = state().windows;
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    if (state().active == this)
        state().active = nullptr;
}

void Window::showWindow() {
    visible_ = true;
    if (state().active == this)
        return;
    state().active = this;
    activated();
}

void Window::hideWindow() {
    visible_ = false;
    if (state().active == this)
        state().active = nullptr;
}

void Window::showModal() {
    Window* previous = state().active;
    modal_ = true;
    showWindow();
    if (state().modalHook) {
        const std::function<void(Window&)> hook = state().modalHook;
        hook(*this);
    }
    modal_ = false;
    hideWindow();
    if (previous != nullptr && previous != this &&
        std::find(state().windows.begin(), state().windows.end(), previous) !=
            state().windows.end()) {
        state().active = previous;
        previous->activated();
    }
}

void Window::endModal() {
    modal_ = false;
}

void Window::centreOnScreen() {
    left_ = (ScreenWidth - (clientWidth_ + FrameWidth)) / 2;
    top_ = (ScreenHeight - (clientHeight_ + FrameHeight)) / 2;
}

void Window::moveTo(int left, int top) {
    left_ = left;
    top_ = top;
}

Rect Window::outerBounds() const {
    return Rect{left_, top_, clientWidth_ + FrameWidth, clientHeight_ + FrameHeight};
}

bool Window::active() const {
    return state().active == this;
}

Panel::Panel(Container* parent, const Rect& bounds, Bevel) : Container(parent, bounds) {}
Panel::~Panel() = default;

GroupBox::GroupBox(Container* parent, const Rect& bounds, const std::string& caption)
    : Container(parent, bounds), caption_(caption) {}
GroupBox::~GroupBox() = default;

BevelLine::BevelLine(Container* parent, const Rect& bounds) : Control(parent, bounds) {}
BevelLine::~BevelLine() = default;

namespace {
// Labels size themselves to their text: about 6 pixels a character at 8 points.
Rect labelBounds(int left, int top, const std::string& caption, const Font& font) {
    const int perChar = std::max(1, font.points * 3 / 4);
    return Rect{left, top, perChar * static_cast<int>(caption.size()), font.points * 13 / 8};
}
}  // namespace

Label::Label(Container* parent, int left, int top, const std::string& caption, const Font& font,
             Colour colour)
    : Control(parent, labelBounds(left, top, caption, font)),
      caption_(caption),
      font_(font),
      colour_(colour) {}

Label::Label(Container* parent, int left, int top, const std::string& caption)
    : Label(parent, left, top, caption, parent != nullptr ? parent->font() : Font(), Black) {}

Label::~Label() = default;

void Label::setCaption(const std::string& caption) {
    caption_ = caption;
    bounds_ = labelBounds(bounds_.left, bounds_.top, caption, font_);
}

void Label::setColour(Colour colour) {
    colour_ = colour;
}

Button::Button(Container* parent, const Rect& bounds, const std::string& caption)
    : Control(parent, bounds), caption_(caption) {}
Button::~Button() = default;

CheckBox::CheckBox(Container* parent, const Rect& bounds, const std::string& caption)
    : Control(parent, bounds), caption_(caption) {}
CheckBox::~CheckBox() = default;
void CheckBox::setCaption(const std::string& caption) {
    caption_ = caption;
}
bool CheckBox::checked() const {
    return checked_;
}
void CheckBox::setChecked(bool checked) {
    checked_ = checked;
}

void CheckBox::click() {
    if (!enabled_)
        return;
    checked_ = !checked_;
    dispatchEvent(onClick);
}

RadioButton::RadioButton(Container* parent, const Rect& bounds, const std::string& caption)
    : Control(parent, bounds), caption_(caption) {}
RadioButton::~RadioButton() = default;
bool RadioButton::checked() const {
    return checked_;
}

void RadioButton::setChecked(bool checked) {
    checked_ = checked;
    if (!checked || parent_ == nullptr)
        return;
    for (Control* sibling : parent_->children()) {
        auto* radio = dynamic_cast<RadioButton*>(sibling);
        if (radio != nullptr && radio != this)
            radio->checked_ = false;
    }
}

void RadioButton::click() {
    if (!enabled_)
        return;
    setChecked(true);
    dispatchEvent(onClick);
}

RichEdit::RichEdit(Container* parent, const Rect& bounds, Background, bool enabled)
    : Control(parent, bounds) {
    enabled_ = enabled;
}
RichEdit::~RichEdit() = default;
void RichEdit::setLines(std::vector<std::string> lines) {
    lines_ = std::move(lines);
}

TabControl::TabControl(Container* parent, const Rect& bounds, const std::vector<std::string>& tabs)
    : Control(parent, bounds), tabs_(tabs) {
    // Pages sit in the tab control's parent, over the tab control's display area.
    const Rect page{bounds.left + 4, bounds.top + 24, bounds.width - 8, bounds.height - 28};
    for (size_t i = 0; i < tabs_.size(); ++i) {
        Panel* panel = new Panel(parent, page);
        panel->setVisible(i == 0);
        pages_.push_back(panel);
    }
}

TabControl::~TabControl() {
    for (Container* page : pages_)
        delete page;
}

Container& TabControl::page(int index) {
    return *pages_[index];
}
int TabControl::selectedTab() const {
    return selected_;
}

void TabControl::selectTab(int index) {
    if (index < 0 || index >= tabCount())
        return;
    selected_ = index;
    for (size_t i = 0; i < pages_.size(); ++i)
        pages_[i]->setVisible(static_cast<int>(i) == index);
}

ListView::ListView(Container* parent, const Rect& bounds, const std::vector<ListColumn>& columns,
                   const ListViewOptions& options)
    : Control(parent, bounds), columns_(columns), options_(options) {}
ListView::~ListView() = default;

int ListView::addItem(const std::string& caption, int imageIndex) {
    Item item;
    item.texts = texts_.add(caption);
    item.image = imageIndex;
    items_.push_back(item);
    return static_cast<int>(items_.size()) - 1;
}

void ListView::addSubItem(int item, const std::string& text) {
    Item& entry = items_.at(item);
    entry.texts = texts_.append(entry.texts, entry.count, text);
    ++entry.count;
}
int ListView::count() const {
    return static_cast<int>(items_.size());
}
std::string ListView::caption(int item) const {
    return text(item, 0);
}
void ListView::setCaption(int item, const std::string& caption) {
    Item& entry = items_.at(item);
    entry.texts = texts_.replaceFirst(entry.texts, entry.count, caption);
}

std::string ListView::subItem(int item, int column) const {
    if (column < 1)
        return {};
    return text(item, column);
}

const char* ListView::text(int item, int column) const {
    const Item& entry = items_.at(item);
    return ListTexts::text(entry.texts, entry.count, column);
}

int ListView::imageIndex(int item) const {
    Item& entry = items_.at(item);
    if (entry.image == ImageLater)
        entry.image = imageLookup_ ? imageLookup_(item) : -1;
    return entry.image;
}
bool ListView::checked(int item) const {
    return items_.at(item).checked;
}
void ListView::setChecked(int item, bool checked) {
    items_.at(item).checked = checked;
}
void ListView::setAllChecked(bool checked) {
    for (Item& item : items_)
        item.checked = checked;
}
void ListView::clear() {
    items_.clear();
    texts_.clear();
}
void ListView::beginUpdate() {}
void ListView::endUpdate() {}

ProgressBar::ProgressBar(Container* parent, const Rect& bounds) : Control(parent, bounds) {}
ProgressBar::~ProgressBar() = default;

void ProgressBar::setMaximum(int maximum) {
    max_ = std::max(0, maximum);
    setPosition(position_);
}

void ProgressBar::setPosition(int position) {
    position_ = std::clamp(position, 0, max_);
}

Animation::Animation(Container* parent, const Rect& bounds, int stopFrame)
    : Control(parent, bounds), stopFrame_(stopFrame) {}
Animation::~Animation() = default;
void Animation::play() {
    active_ = true;
}
void Animation::stop() {
    active_ = false;
}

Picture::Picture(Container* parent, const Rect& bounds, int resourceId)
    : Control(parent, bounds), image_(resourceId) {}
Picture::~Picture() = default;
void Picture::setImage(int resourceId) {
    image_ = resourceId;
}

}  // namespace platform
