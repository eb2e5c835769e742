// Check boxes on report lists that work with every common-controls version
// from 4.00 on (the first Windows 95's), where the list's own check-box style
// does nothing: a state image list of an unticked and a ticked box drawn
// here, and the list's window procedure taking a click on the box and the
// Space key as a toggle of the item's state image, as that style does.
// An owner-data list keeps no state images: the same window procedure reads
// and sets the marks in the list's object instead, so the toggles, the
// object's own calls and other programs' messages all find them there.
#include "platform/listview.h"
#include "platform/win32/native.h"

namespace platform::win32 {

namespace {

constexpr int Unticked = 1;  // state image indexes, 0 being none
constexpr int Ticked = 2;

WNDPROC listProc = nullptr;  // the window procedure of the list class

// One box image: a plain check box (one-colour frame, clear on any colour
// scheme) 2 pixels inside a small-icon cell; the rest of the cell is
// transparent.
void addBox(HIMAGELIST images, HDC dc, int width, int height, UINT checked) {
    HDC drawing = CreateCompatibleDC(dc);
    HBITMAP picture = CreateCompatibleBitmap(dc, width, height);
    HBITMAP mask = CreateBitmap(width, height, 1, 1, nullptr);
    RECT cell = {0, 0, width, height};
    RECT box = {2, 2, width - 2, height - 2};
    HGDIOBJ before = SelectObject(drawing, mask);
    FillRect(drawing, &cell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FillRect(drawing, &box, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    SelectObject(drawing, picture);
    FillRect(drawing, &cell, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    DrawFrameControl(drawing, &box, DFC_BUTTON, DFCS_BUTTONCHECK | DFCS_MONO | checked);
    SelectObject(drawing, before);
    ImageList_Add(images, picture, mask);
    DeleteObject(picture);
    DeleteObject(mask);
    DeleteDC(drawing);
}

// Shared by every list (which do not destroy it) for the life of the program.
HIMAGELIST checkBoxImages() {
    static HIMAGELIST images = [] {
        const int width = GetSystemMetrics(SM_CXSMICON);
        const int height = GetSystemMetrics(SM_CYSMICON);
        HIMAGELIST made = ImageList_Create(width, height, ILC_COLOR | ILC_MASK, 2, 0);
        if (made != nullptr) {
            HDC screen = GetDC(nullptr);
            addBox(made, screen, width, height, 0);
            addBox(made, screen, width, height, DFCS_CHECKED);
            ReleaseDC(nullptr, screen);
        }
        return made;
    }();
    return images;
}

int stateImage(HWND list, int item) {
    const auto state =
        static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, item, LVIS_STATEIMAGEMASK));
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

void toggle(HWND list, int item) {
    if (item < 0)
        return;
    const int next = stateImage(list, item) == Ticked ? Unticked : Ticked;
    ListView_SetItemState(list, item, INDEXTOSTATEIMAGEMASK(next), LVIS_STATEIMAGEMASK);
}

// The item whose box is under a point of the list's client area, else -1.
int boxAt(HWND list, LPARAM point) {
    LVHITTESTINFO hit = {};
    hit.pt.x = static_cast<short>(LOWORD(point));
    hit.pt.y = static_cast<short>(HIWORD(point));
    const auto item =
        static_cast<int>(SendMessageA(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
    return (hit.flags & LVHT_ONITEM) == LVHT_ONITEMSTATEICON ? item : -1;
}

// The list's object, when its items are the object's.
ListView* ownerOf(HWND list) {
    return leavesItemsToOwner(list) ? dynamic_cast<ListView*>(controlOf(list)) : nullptr;
}

// LVM_GETITEMSTATE of an owner-data list: the mark from the object, the
// rest (selection, focus) from the list.
LRESULT ownedState(ListView& owner, HWND list, WPARAM item, LPARAM mask) {
    const LRESULT rest =
        CallWindowProcA(listProc, list, LVM_GETITEMSTATE, item, mask & ~LVIS_STATEIMAGEMASK);
    const int image = owner.checked(static_cast<int>(item)) ? Ticked : Unticked;
    return rest | (INDEXTOSTATEIMAGEMASK(image) & mask);
}

// LVM_SETITEMSTATE of an owner-data list: the mark goes to the object
// (item -1: every item), the rest to the list.
LRESULT setOwnedState(ListView& owner, HWND list, WPARAM item, const LVITEMA& change) {
    const bool checked = ((change.state & LVIS_STATEIMAGEMASK) >> 12) == Ticked;
    if (static_cast<int>(item) < 0)
        owner.setAllChecked(checked);
    else
        owner.setChecked(static_cast<int>(item), checked);
    LVITEMA rest = change;  // the state fields lie alike in LVITEMW
    rest.stateMask &= ~LVIS_STATEIMAGEMASK;
    if (rest.stateMask == 0)
        return TRUE;
    return CallWindowProcA(listProc, list, LVM_SETITEMSTATE, item, reinterpret_cast<LPARAM>(&rest));
}

LRESULT CALLBACK checkListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case LVM_GETITEMSTATE:
            if (ListView* owner = ownerOf(list); owner != nullptr && (lParam & LVIS_STATEIMAGEMASK))
                return ownedState(*owner, list, wParam, lParam);
            break;
        case LVM_SETITEMSTATE: {
            const auto* change = reinterpret_cast<const LVITEMA*>(lParam);
            ListView* owner = ownerOf(list);
            if (owner != nullptr && change != nullptr && (change->stateMask & LVIS_STATEIMAGEMASK))
                return setOwnedState(*owner, list, wParam, *change);
            break;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            // A click on the box ticks or unticks it and selects nothing; each
            // click of a double click counts.
            if (const int item = boxAt(list, lParam); item >= 0) {
                if (GetFocus() != list)
                    SetFocus(list);
                toggle(list, item);
                return 0;
            }
            break;
        case WM_KEYDOWN:
            // Space toggles the item with the focus; the list still selects it.
            if (wParam == VK_SPACE)
                toggle(list, ListView_GetNextItem(list, -1, LVNI_FOCUSED));
            break;
        default:
            break;
    }
    return CallWindowProcA(listProc, list, message, wParam, lParam);
}

}  // namespace

void addCheckBoxes(HWND list) {
    SendMessageA(list, LVM_SETIMAGELIST, LVSIL_STATE, reinterpret_cast<LPARAM>(checkBoxImages()));
    const auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongA(list, GWL_WNDPROC, reinterpret_cast<LONG>(checkListProc)));
    if (listProc == nullptr)
        listProc = previous;  // the same for every list of the class
}

bool ticked(HWND list, int item) {
    return stateImage(list, item) == Ticked;
}

void setTicked(HWND list, int item, bool checked) {
    ListView_SetItemState(list, item, INDEXTOSTATEIMAGEMASK(checked ? Ticked : Unticked),
                          LVIS_STATEIMAGEMASK);
}

}  // namespace platform::win32
