// Which controls of a window the keyboard may reach, and in what order: the
// order of the control objects (setTabOrder), every shown and enabled control
// that is a Tab stop, one stop per run of radio buttons, the tab strip before
// the controls of its shown page. A panel shown over other controls hides
// them: what the user cannot see never takes the keyboard.
#include <vector>

#include "platform/listview.h"
#include "platform/win32/native.h"

namespace platform::win32 {

namespace {

struct TabEntry {
    HWND hwnd;
    size_t group;  // entries of one radio run share the index of its first
    bool stop;
};

bool reachable(HWND hwnd) {
    return hwnd != nullptr && IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

bool isTabStop(const Control& control) {
    HWND hwnd = hwndOf(control);
    // Read-only texts are read, not worked: never a stop, as in every dialog.
    if (dynamic_cast<const RichEdit*>(&control) != nullptr)
        return false;
    return reachable(hwnd) && (GetWindowLongA(hwnd, GWL_STYLE) & WS_TABSTOP) != 0;
}

void collect(Container& container, std::vector<TabEntry>& entries);

// A run of radio buttons is one stop: the checked one, else the first shown.
size_t collectRadioRun(const std::vector<Control*>& children, size_t first,
                       std::vector<TabEntry>& entries) {
    const size_t group = entries.size();
    size_t end = first;
    while (end < children.size() && dynamic_cast<RadioButton*>(children[end]) != nullptr)
        ++end;
    int chosen = -1;
    for (size_t i = first; i < end; ++i) {
        auto* radio = static_cast<RadioButton*>(children[i]);
        if (!reachable(hwndOf(*radio)))
            continue;
        if (chosen < 0 || radio->checked())
            chosen = static_cast<int>(i);
        if (radio->checked())
            break;
    }
    for (size_t i = first; i < end; ++i) {
        if (HWND hwnd = hwndOf(*children[i]))
            entries.push_back({hwnd, group, static_cast<int>(i) == chosen});
    }
    return end;
}

void collect(Container& container, std::vector<TabEntry>& entries) {
    const std::vector<Control*>& children = container.children();
    for (size_t i = 0; i < children.size();) {
        Control* child = children[i];
        if (dynamic_cast<RadioButton*>(child) != nullptr) {
            i = collectRadioRun(children, i, entries);
            continue;
        }
        ++i;
        HWND hwnd = hwndOf(*child);
        if (hwnd == nullptr)
            continue;
        if (auto* inner = dynamic_cast<Container*>(child)) {
            if (IsWindowVisible(hwnd))
                collect(*inner, entries);
            continue;
        }
        entries.push_back({hwnd, entries.size(), isTabStop(*child)});
        if (auto* tabs = dynamic_cast<TabControl*>(child)) {
            const int shown = tabs->selectedTab();
            if (shown >= 0 && shown < tabs->tabCount() && IsWindowVisible(hwnd))
                collect(tabs->page(shown), entries);
        }
    }
}

// The entry of the control that holds `focus` (an in-place edit box counts
// as its list), or npos.
size_t entryOf(const std::vector<TabEntry>& entries, HWND focus) {
    for (HWND at = focus; at != nullptr; at = GetParent(at)) {
        for (size_t i = 0; i < entries.size(); ++i) {
            if (entries[i].hwnd == at)
                return i;
        }
    }
    return static_cast<size_t>(-1);
}

// Where two windows are siblings, whether `outer` lies over the whole of `inner`.
bool encloses(HWND outer, HWND inner) {
    RECT o, i;
    if (!GetWindowRect(outer, &o) || !GetWindowRect(inner, &i))
        return false;
    return o.left <= i.left && o.top <= i.top && o.right >= i.right && o.bottom >= i.bottom;
}

}  // namespace

HWND nextTabStop(Container& container, HWND from, bool backwards) {
    std::vector<TabEntry> entries;
    collect(container, entries);
    const size_t count = entries.size();
    const size_t at = entryOf(entries, from);
    for (size_t step = 1; step <= count; ++step) {
        size_t i;
        if (at == static_cast<size_t>(-1))
            i = backwards ? count - step : step - 1;
        else
            i = backwards ? (at + count - step) % count : (at + step) % count;
        if (at != static_cast<size_t>(-1) && entries[i].group == entries[at].group)
            continue;
        if (entries[i].stop)
            return entries[i].hwnd;
    }
    return nullptr;
}

HWND firstTabStop(Container& container) {
    return nextTabStop(container, nullptr, false);
}

HWND openingFocus(Window& frame) {
    HWND first = firstTabStop(frame);
    if (auto* tabs = dynamic_cast<TabControl*>(controlOf(first))) {
        const int shown = tabs->selectedTab();
        if (shown >= 0 && shown < tabs->tabCount()) {
            if (HWND inside = firstTabStop(tabs->page(shown)))
                return inside;
        }
    }
    return first;
}

bool focusFirstControl(Container& container) {
    HWND first = firstTabStop(container);
    if (first != nullptr)
        SetFocus(first);
    return first != nullptr;
}

void focusFirstEntry(Control& control) {
    HWND hwnd = hwndOf(control);
    if (hwnd == nullptr || dynamic_cast<ListView*>(&control) == nullptr)
        return;
    if (ListView_GetItemCount(hwnd) > 0 && ListView_GetNextItem(hwnd, -1, LVNI_FOCUSED) < 0)
        ListView_SetItemState(hwnd, ListView_GetTopIndex(hwnd), LVIS_FOCUSED, LVIS_FOCUSED);
}

bool coveredBySibling(HWND hwnd) {
    for (HWND above = GetWindow(hwnd, GW_HWNDPREV); above != nullptr;
         above = GetWindow(above, GW_HWNDPREV)) {
        if ((GetWindowLongA(above, GWL_STYLE) & WS_VISIBLE) != 0 &&
            dynamic_cast<Container*>(controlOf(above)) != nullptr && encloses(above, hwnd))
            return true;
    }
    return false;
}

void showUncovered(Container& parent) {
    for (Control* child : parent.children()) {
        HWND hwnd = hwndOf(*child);
        if (hwnd == nullptr)
            continue;
        const bool show = child->visible() && !coveredBySibling(hwnd);
        const bool shown = (GetWindowLongA(hwnd, GWL_STYLE) & WS_VISIBLE) != 0;
        if (show != shown)
            ShowWindow(hwnd, show ? SW_SHOW : SW_HIDE);
    }
}

void keepFocusShown(HWND lost, Container* shown) {
    HWND active = GetActiveWindow();
    Window* frame = frameOf(active);
    if (lost == nullptr || frame == nullptr || !IsChild(active, lost) || IsWindowVisible(lost))
        return;
    // The system has given the focus to what held the hidden control, if
    // to anything; a control that took it since keeps it.
    HWND now = GetFocus();
    if (now != nullptr && now != lost && IsWindowVisible(now) &&
        dynamic_cast<Container*>(controlOf(now)) == nullptr)
        return;
    HWND next = shown != nullptr ? firstTabStop(*shown) : nullptr;
    if (next == nullptr)
        next = firstTabStop(*frame);
    SetFocus(next != nullptr ? next : active);
}

}  // namespace platform::win32
