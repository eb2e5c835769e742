// The tab control; each tab's page is a container window inside it, and only
// the selected page shows.
#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

// A page lies inside the tab control's window; its children take the font of
// the tab control's parent.
class TabPage : public Container {
public:
    TabPage(TabControl& owner, const Rect& bounds, bool shown)
        : Container(nullptr, bounds), owner_(owner) {
        visible_ = shown;
        win32::createChildWindow(*this, hwndOf(owner), win32::ContainerClass, "", WS_CLIPCHILDREN,
                                 WS_EX_CONTROLPARENT);
    }
    ~TabPage() override {
        win32::forgetWindowsBelow(*this);
        win32::destroyWindowOf(*this);
    }
    const Font& font() const override {
        static const Font standard;
        return owner_.parent() != nullptr ? owner_.parent()->font() : standard;
    }

private:
    TabControl& owner_;
};

// The area below the tabs, in the tab control's own coordinates.
Rect displayArea(HWND tabs, const Rect& bounds) {
    RECT area = {0, 0, bounds.width, bounds.height};
    if (tabs != nullptr)
        TabCtrl_AdjustRect(tabs, FALSE, &area);
    return Rect{area.left, area.top, area.right - area.left, area.bottom - area.top};
}

}  // namespace

TabControl::TabControl(Container* parent, const Rect& bounds, const std::vector<std::string>& tabs)
    : Control(parent, bounds), tabs_(tabs) {
    // Its pages are inside it: Tab goes on into the controls of the shown one.
    HWND hwnd =
        win32::createChildWindow(*this, WC_TABCONTROLA, "",
                                 WS_TABSTOP | WS_CLIPCHILDREN | TCS_HOTTRACK, WS_EX_CONTROLPARENT);
    if (hwnd != nullptr) {
        for (size_t i = 0; i < tabs_.size(); ++i) {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(tabs_[i].c_str());
            SendMessageA(hwnd, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
        }
    }
    const Rect area = displayArea(hwnd, bounds_);
    for (size_t i = 0; i < tabs_.size(); ++i)
        pages_.push_back(new TabPage(*this, area, i == 0));
}

TabControl::~TabControl() {
    for (Container* page : pages_)
        delete page;
    pages_.clear();
}

Container& TabControl::page(int index) {
    return *pages_[index];
}

int TabControl::selectedTab() const {
    HWND hwnd = hwndOf(*this);
    return hwnd != nullptr ? TabCtrl_GetCurSel(hwnd) : selected_;
}

void TabControl::selectTab(int index) {
    if (index < 0 || index >= tabCount())
        return;
    selected_ = index;
    if (HWND hwnd = hwndOf(*this))
        TabCtrl_SetCurSel(hwnd, index);
    for (int i = 0; i < tabCount(); ++i)
        pages_[i]->setVisible(i == index);
}

namespace win32 {

bool handleTabNotify(Control& control, NMHDR& header, LRESULT& result) {
    auto* tabs = dynamic_cast<TabControl*>(&control);
    if (tabs == nullptr)
        return false;
    result = 0;
    if (header.code == TCN_SELCHANGE) {
        const int selected = TabCtrl_GetCurSel(header.hwndFrom);
        tabs->selectTab(selected);
        // The focus does not stay behind on a page that is hidden now.
        HWND focus = GetFocus();
        if (focus == nullptr || !IsWindowVisible(focus))
            focusFirstControl(tabs->page(selected));
    }
    return true;
}

}  // namespace win32

}  // namespace platform
