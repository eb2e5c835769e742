// Report-style list views with check boxes, whole-row selection and hot
// tracking (both only where common controls 4.70 or later draw them), small
// system icons and, when asked, in-place editing of captions.
#include <utility>
#include <vector>

#include "platform/win32/native.h"

namespace platform {

using win32::hwndOf;

namespace {

DWORD extendedStyle(const ListViewOptions& options) {
    DWORD style = 0;
    if (options.rowSelect)
        style |= LVS_EX_FULLROWSELECT;
    if (options.hotTrack)
        style |= LVS_EX_TRACKSELECT;
    return style;
}

void setItemText(HWND hwnd, int item, int column, const std::string& text) {
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = const_cast<char*>(text.c_str());
    SendMessageA(hwnd, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
}

std::string itemText(HWND hwnd, int item, int column) {
    std::vector<char> buffer(512);
    for (;;) {
        LVITEMA cell = {};
        cell.iSubItem = column;
        cell.pszText = buffer.data();
        cell.cchTextMax = static_cast<int>(buffer.size());
        const auto length = static_cast<size_t>(
            SendMessageA(hwnd, LVM_GETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell)));
        // A text that fills the buffer may have been cut.
        if (length + 1 < buffer.size() || buffer.size() >= 32768) {
            return std::string(buffer.data(), length < buffer.size() ? length : 0);
        }
        buffer.resize(buffer.size() * 4);
    }
}

}  // namespace

ListView::ListView(Container* parent, const Rect& bounds, const std::vector<ListColumn>& columns,
                   const ListViewOptions& options)
    : Control(parent, bounds), columns_(columns), options_(options) {
    DWORD style = WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
    if (options_.editCaptions)
        style |= LVS_EDITLABELS;
    HWND hwnd = win32::createChildWindow(*this, WC_LISTVIEWA, "", style, WS_EX_CLIENTEDGE);
    if (hwnd == nullptr)
        return;
    const DWORD extended = extendedStyle(options_);
    if (extended != 0)  // ignored before common controls 4.70
        SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    if (options_.checkBoxes)
        win32::addCheckBoxes(hwnd);
    for (size_t i = 0; i < columns_.size(); ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
        column.fmt = columns_[i].alignRight ? LVCFMT_RIGHT : LVCFMT_LEFT;
        column.cx = columns_[i].width;
        column.pszText = const_cast<char*>(columns_[i].caption.c_str());
        column.iSubItem = static_cast<int>(i);
        SendMessageA(hwnd, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    if (options_.systemSmallIcons) {
        SendMessageA(hwnd, LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(win32::systemSmallImageList()));
    }
}

ListView::~ListView() = default;

int ListView::addItem(const std::string& caption, int imageIndex) {
    Item entry;
    entry.caption = caption;
    entry.image = imageIndex;
    items_.push_back(std::move(entry));
    const int index = static_cast<int>(items_.size()) - 1;
    if (HWND hwnd = hwndOf(*this)) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT | LVIF_IMAGE;
        item.iItem = index;
        item.pszText = const_cast<char*>(caption.c_str());
        item.iImage = imageIndex;
        if (options_.checkBoxes) {
            item.mask |= LVIF_STATE;
            item.state = INDEXTOSTATEIMAGEMASK(1);
            item.stateMask = LVIS_STATEIMAGEMASK;
        }
        SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    return index;
}

int ListView::addItem(const std::string& caption, std::function<int()> image) {
    const int index = addItem(caption, I_IMAGECALLBACK);
    items_[index].pendingImage = std::move(image);
    return index;
}

void ListView::addSubItem(int item, const std::string& text) {
    if (item < 0 || item >= count())
        return;
    std::vector<std::string>& subItems = items_[item].subItems;
    subItems.push_back(text);
    if (HWND hwnd = hwndOf(*this))
        setItemText(hwnd, item, static_cast<int>(subItems.size()), text);
}

int ListView::count() const {
    return static_cast<int>(items_.size());
}

std::string ListView::caption(int item) const {
    if (item < 0 || item >= count())
        return std::string();
    // The user may have edited it in place.
    if (HWND hwnd = hwndOf(*this))
        items_[item].caption = itemText(hwnd, item, 0);
    return items_[item].caption;
}

void ListView::setCaption(int item, const std::string& caption) {
    if (item < 0 || item >= count())
        return;
    items_[item].caption = caption;
    if (HWND hwnd = hwndOf(*this))
        setItemText(hwnd, item, 0, caption);
}

std::string ListView::subItem(int item, int column) const {
    if (item < 0 || item >= count() || column < 1)
        return std::string();
    const std::vector<std::string>& subItems = items_[item].subItems;
    return column <= static_cast<int>(subItems.size()) ? subItems[column - 1] : std::string();
}

int ListView::imageIndex(int item) const {
    if (item < 0 || item >= count())
        return -1;
    Item& entry = items_[item];
    if (entry.pendingImage) {
        entry.image = entry.pendingImage();
        entry.pendingImage = nullptr;
    }
    return entry.image;
}

bool ListView::checked(int item) const {
    if (item < 0 || item >= count())
        return false;
    if (HWND hwnd = hwndOf(*this))
        items_[item].checked = win32::ticked(hwnd, item);
    return items_[item].checked;
}

void ListView::setChecked(int item, bool checked) {
    if (item < 0 || item >= count())
        return;
    items_[item].checked = checked;
    if (HWND hwnd = hwndOf(*this))
        win32::setTicked(hwnd, item, checked);
}

void ListView::setAllChecked(bool checked) {
    for (Item& item : items_)
        item.checked = checked;
    if (HWND hwnd = hwndOf(*this))
        win32::setTicked(hwnd, -1, checked);  // -1: every item
}

void ListView::clear() {
    items_.clear();
    if (HWND hwnd = hwndOf(*this))
        SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
}

void ListView::beginUpdate() {
    if (HWND hwnd = hwndOf(*this))
        SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
}

void ListView::endUpdate() {
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    SendMessageA(hwnd, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(hwnd, nullptr, TRUE);
}

namespace win32 {

bool handleListViewNotify(Control& control, NMHDR& header, LRESULT& result) {
    auto* list = dynamic_cast<ListView*>(&control);
    if (list == nullptr)
        return false;
    switch (header.code) {
        case LVN_BEGINLABELEDITA:
        case LVN_BEGINLABELEDITW:
            result = list->options().editCaptions ? FALSE : TRUE;  // TRUE refuses
            return true;
        case LVN_GETDISPINFOA:
        case LVN_GETDISPINFOW: {
            // Only the image is left to the list's owner; the A and W items
            // lay out the image index alike.
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(&header)->item;
            if ((item.mask & LVIF_IMAGE) == 0)
                return false;
            item.iImage = list->imageIndex(item.iItem);
            item.mask |= LVIF_DI_SETITEM;  // kept by the list from now on
            result = 0;
            return true;
        }
        case LVN_ENDLABELEDITA:
        case LVN_ENDLABELEDITW:
            // A text means the user confirmed the edit: keep it.
            result = reinterpret_cast<NMLVDISPINFOA*>(&header)->item.pszText != nullptr;
            return true;
        default:
            return false;
    }
}

}  // namespace win32

}  // namespace platform
