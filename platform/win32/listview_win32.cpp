// Report-style list views with check boxes, whole-row selection and hot
// tracking (both only where common controls 4.70 or later draw them), small
// system icons and, when asked, in-place editing of captions.
//
// From common controls 4.71 on a list is an owner-data one: the native list
// holds no items, only their count, and asks the object for the texts, icon
// and check mark of each item it draws or is asked about, so the object's
// model is the only copy. Before 4.71 the native list keeps an item for
// each (its texts still asked for), and its check marks are the ones the
// user set.
//
// While a list's drawing is held back (beginUpdate), the items added are kept
// in the object only and handed to the native list in one go when drawing
// resumes; what is asked of them meanwhile the object answers. The native
// list grows its arrays a few items at a time, and a scan that adds its
// entries one by one between many small allocations of its own leaves the
// old copies of those arrays where they cannot be used again.
#include <map>
#include <utility>
#include <vector>

#include "platform/listview.h"
#include "platform/win32/dynamic_calls.h"
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

// The list keeps no texts of its own: it asks the object for them each time
// it draws a cell or is asked for one, so each text is held once.
void askForText(HWND hwnd, int item, int column) {
    LVITEMA cell = {};
    cell.iSubItem = column;
    cell.pszText = LPSTR_TEXTCALLBACKA;
    SendMessageA(hwnd, LVM_SETITEMTEXTA, item, reinterpret_cast<LPARAM>(&cell));
}

// Copies a text into the list's buffer, cut to fit as the list's own are.
void giveText(LVITEMA& cell, const char* text, bool wide) {
    if (cell.pszText == nullptr || cell.cchTextMax <= 0)
        return;
    if (wide) {
        auto* out = reinterpret_cast<WCHAR*>(cell.pszText);
        const int written = MultiByteToWideChar(CP_ACP, 0, text, -1, out, cell.cchTextMax);
        if (written == 0)  // too long: what fits
            out[cell.cchTextMax - 1] = 0;
        return;
    }
    lstrcpynA(cell.pszText, text, cell.cchTextMax);
}

// Lists whose drawing is held back, with how many of their items the native
// list holds; the rest wait in the object.
std::map<HWND, int> held;

// Items from `first` on that the native list does not hold yet.
bool waiting(HWND hwnd, int first) {
    const auto list = held.find(hwnd);
    return list != held.end() && first >= list->second;
}

// Flags of LVM_SETITEMCOUNT for an item added to a shown owner-data list:
// only a new row in sight is drawn, and the list stays where it is scrolled.
constexpr LPARAM GrowQuietly = LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL;

}  // namespace

namespace win32 {

bool leavesItemsToOwner(HWND list) {
    return list != nullptr && (GetWindowLongA(list, GWL_STYLE) & LVS_OWNERDATA) != 0;
}

}  // namespace win32

ListView::ListView(Container* parent, const Rect& bounds, const std::vector<ListColumn>& columns,
                   const ListViewOptions& options)
    : Control(parent, bounds), columns_(columns), options_(options) {
    DWORD style = WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHAREIMAGELISTS;
    if (options_.editCaptions)
        style |= LVS_EDITLABELS;
    if (options_.ownerData && win32::ownerDataListsAvailable())
        style |= LVS_OWNERDATA;
    HWND hwnd = win32::createChildWindow(*this, WC_LISTVIEWA, "", style, WS_EX_CLIENTEDGE);
    if (hwnd == nullptr)
        return;
    const DWORD extended = extendedStyle(options_);
    if (extended != 0)  // ignored before common controls 4.70
        SendMessageA(hwnd, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    if (options_.checkBoxes) {
        win32::addCheckBoxes(hwnd);
        // The boxes are the object's to draw on an owner-data list.
        if (win32::leavesItemsToOwner(hwnd))
            SendMessageA(hwnd, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    }
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

ListView::~ListView() {
    if (HWND hwnd = hwndOf(*this))
        held.erase(hwnd);
}

int ListView::addItem(const std::string& caption, int imageIndex) {
    Item entry;
    entry.texts = texts_.add(caption);
    entry.image = imageIndex;
    items_.push_back(entry);
    const int index = static_cast<int>(items_.size()) - 1;
    HWND hwnd = hwndOf(*this);
    if (hwnd != nullptr && !waiting(hwnd, index))
        handOver(index);
    return index;
}

// The native list's item for items_[index], with its check mark and a
// callback for each text the item has; an owner-data list only counts it.
void ListView::handOver(int index) const {
    HWND hwnd = hwndOf(*this);
    if (win32::leavesItemsToOwner(hwnd)) {
        SendMessageA(hwnd, LVM_SETITEMCOUNT, index + 1, GrowQuietly);
        return;
    }
    const Item& entry = items_[index];
    LVITEMA item = {};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = index;
    item.pszText = LPSTR_TEXTCALLBACKA;
    item.iImage = entry.image == ImageLater ? I_IMAGECALLBACK : entry.image;
    if (options_.checkBoxes) {
        item.mask |= LVIF_STATE;
        item.state = INDEXTOSTATEIMAGEMASK(entry.checked ? 2 : 1);
        item.stateMask = LVIS_STATEIMAGEMASK;
    }
    SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    for (int column = 1; column < entry.count; ++column)
        askForText(hwnd, index, column);
}

void ListView::handOverWaiting() const {
    const auto list = held.find(hwndOf(*this));
    if (list == held.end() || list->second == count())
        return;
    // Room for them all at once where the native list makes use of it; all
    // an owner-data list needs.
    SendMessageA(list->first, LVM_SETITEMCOUNT, count(), 0);
    if (!win32::leavesItemsToOwner(list->first)) {
        for (int index = list->second; index < count(); ++index)
            handOver(index);
    }
    list->second = count();
}

void ListView::addSubItem(int item, const std::string& text) {
    if (item < 0 || item >= count())
        return;
    Item& entry = items_[item];
    entry.texts = texts_.append(entry.texts, entry.count, text);
    const int column = entry.count++;
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr || waiting(hwnd, item))
        return;
    if (win32::leavesItemsToOwner(hwnd))
        SendMessageA(hwnd, LVM_UPDATE, item, 0);
    else
        askForText(hwnd, item, column);
}

int ListView::count() const {
    return static_cast<int>(items_.size());
}

std::string ListView::caption(int item) const {
    return text(item, 0);
}

void ListView::setCaption(int item, const std::string& caption) {
    if (item < 0 || item >= count())
        return;
    Item& entry = items_[item];
    entry.texts = texts_.replaceFirst(entry.texts, entry.count, caption);
    HWND hwnd = hwndOf(*this);
    if (hwnd != nullptr && !waiting(hwnd, item))
        SendMessageA(hwnd, LVM_UPDATE, item, 0);
}

std::string ListView::subItem(int item, int column) const {
    return column < 1 ? std::string() : std::string(text(item, column));
}

const char* ListView::text(int item, int column) const {
    if (item < 0 || item >= count())
        return "";
    const Item& entry = items_[item];
    return ListTexts::text(entry.texts, entry.count, column);
}

int ListView::imageIndex(int item) const {
    if (item < 0 || item >= count())
        return -1;
    Item& entry = items_[item];
    if (entry.image == ImageLater)
        entry.image = imageLookup_ ? imageLookup_(item) : -1;
    return entry.image;
}

bool ListView::checked(int item) const {
    if (item < 0 || item >= count())
        return false;
    // The native list's mark is the one the user set; an owner-data list
    // sets the object's.
    HWND hwnd = hwndOf(*this);
    if (hwnd != nullptr && !waiting(hwnd, item) && !win32::leavesItemsToOwner(hwnd))
        items_[item].checked = win32::ticked(hwnd, item);
    return items_[item].checked;
}

void ListView::setChecked(int item, bool checked) {
    if (item < 0 || item >= count())
        return;
    items_[item].checked = checked;
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr || waiting(hwnd, item))
        return;
    if (win32::leavesItemsToOwner(hwnd))
        SendMessageA(hwnd, LVM_UPDATE, item, 0);
    else
        win32::setTicked(hwnd, item, checked);
}

void ListView::setAllChecked(bool checked) {
    for (Item& item : items_)
        item.checked = checked;
    // Waiting items are handed over with their mark.
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr || waiting(hwnd, 0))
        return;
    if (win32::leavesItemsToOwner(hwnd))
        InvalidateRect(hwnd, nullptr, TRUE);
    else
        win32::setTicked(hwnd, -1, checked);  // -1: every item
}

void ListView::clear() {
    items_.clear();
    texts_.clear();
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    if (const auto list = held.find(hwnd); list != held.end())
        list->second = 0;
    SendMessageA(hwnd, LVM_DELETEALLITEMS, 0, 0);
}

void ListView::beginUpdate() {
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    held.emplace(hwnd, count());  // a second call keeps the first count
    SendMessageA(hwnd, WM_SETREDRAW, FALSE, 0);
}

void ListView::endUpdate() {
    HWND hwnd = hwndOf(*this);
    if (hwnd == nullptr)
        return;
    handOverWaiting();
    held.erase(hwnd);
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
            // The A and W items lay out alike; only the text differs. The
            // answers are not left with the list (no LVIF_DI_SETITEM): that
            // would keep a second copy of every text shown.
            LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(&header)->item;
            if (item.mask & LVIF_TEXT)
                giveText(item, list->text(item.iItem, item.iSubItem),
                         header.code == LVN_GETDISPINFOW);
            if (item.mask & LVIF_IMAGE)
                item.iImage = list->imageIndex(item.iItem);
            // Asked only of an owner-data list with boxes, for their mark.
            if ((item.mask & LVIF_STATE) && (item.stateMask & LVIS_STATEIMAGEMASK) &&
                item.iSubItem == 0) {
                item.state = (item.state & ~LVIS_STATEIMAGEMASK) |
                             INDEXTOSTATEIMAGEMASK(list->checked(item.iItem) ? 2 : 1);
            }
            result = 0;
            return true;
        }
        case LVN_ODFINDITEMA:
        case LVN_ODFINDITEMW:
            // The A and W requests lay out alike; only the text differs.
            result = findListItem(*list, *reinterpret_cast<NMLVFINDITEMA*>(&header),
                                  header.code == LVN_ODFINDITEMW);
            return true;
        case LVN_ENDLABELEDITA:
        case LVN_ENDLABELEDITW: {
            // A text means the user confirmed the edit: the object keeps it,
            // and the list goes on asking for it.
            const LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(&header)->item;
            if (item.pszText != nullptr) {
                if (header.code == LVN_ENDLABELEDITW) {
                    const auto* wide = reinterpret_cast<const WCHAR*>(item.pszText);
                    std::vector<char> narrow(lstrlenW(wide) * 2 + 1);
                    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow.data(),
                                        static_cast<int>(narrow.size()), nullptr, nullptr);
                    list->setCaption(item.iItem, narrow.data());
                } else {
                    list->setCaption(item.iItem, item.pszText);
                }
            }
            result = FALSE;
            return true;
        }
        default:
            return false;
    }
}

}  // namespace win32

}  // namespace platform
