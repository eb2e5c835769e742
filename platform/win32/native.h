// Internals of the Win32 backend shared by its files: the link between a
// control object and its window, child-window creation and the fonts.
#pragma once

// The common controls need the base declarations first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "platform/controls.h"
#include "platform/listview.h"

namespace platform::win32 {

// Reaches the fields every control keeps for its backend.
struct ControlAccess : Control {
    static void*& native(Control& c) { return c.*&ControlAccess::native_; }
    static Rect& bounds(Control& c) { return c.*&ControlAccess::bounds_; }
    static bool& visible(Control& c) { return c.*&ControlAccess::visible_; }
};

// Reaches a container's tab order for its backend.
struct ContainerAccess : Container {
    static bool ordered(const Container& c) { return c.*&ContainerAccess::tabOrderSet_; }
    static void arrange(Container& c) { (c.*&ContainerAccess::arrangeTabOrder)(); }
};

inline HWND hwndOf(const Control& control) {
    return static_cast<HWND>(control.nativeHandle());
}

// The control object behind one of our windows, or null.
Control* controlOf(HWND hwnd);

HINSTANCE appInstance();

// Registers the common controls and our own window classes once.
void initialiseWindowing();

// The class of our top-level windows and of the containers inside them.
constexpr const char* FrameClass = "TrellmarkFrame";
constexpr const char* ContainerClass = "TrellmarkContainer";

// Extra bytes of our own window classes.
constexpr int BevelSlot = 0;       // Bevel of a panel
constexpr int SavedFocusSlot = 4;  // focus to give back when a window is reactivated
constexpr int FontSlot = 8;        // font for the caption of a group box
constexpr int BitmapSlot = 12;     // bitmap of a picture
constexpr int ExtraBytes = 16;

// Creates the window of a child control inside `parentWindow` at the
// control's bounds, linked to the object, with the parent's font. Hidden and
// disabled as the object says.
HWND createChildWindow(Control& control, HWND parentWindow, const char* className,
                       const std::string& text, DWORD style, DWORD exStyle = 0);
// The same inside the window of the control's own parent.
HWND createChildWindow(Control& control, const char* className, const std::string& text,
                       DWORD style, DWORD exStyle = 0);

// Puts a container above the controls it covers (siblings made before it).
void bringToTop(HWND window);

// Destroys the control's window (if any) after unlinking it from the object.
void destroyWindowOf(Control& control);

// Forgets the windows of a container's whole tree once Windows has destroyed
// them along with the container's own window.
void forgetWindowsBelow(Container& container);

// The font for a Font description; kept for the life of the program.
HFONT fontHandle(const Font& font);

// Routing of child notifications, each handled in the file of its control.
// They return true when the message was theirs.
bool handleButtonCommand(Control& control, WORD code);
bool handleTabNotify(Control& control, NMHDR& header, LRESULT& result);
bool handleListViewNotify(Control& control, NMHDR& header, LRESULT& result);
// Colours of labels and of the plain-edit stand-in of the rich-text box.
HBRUSH labelColours(Control& control, HDC dc);
HBRUSH richEditColours(Control& control, HDC dc);

// A message dialog takes the activation: the window active again after it
// counts as newly activated.
void forgetActivation();

// Hands one message of the loop to the keyboard interface of the active
// window or to its window procedure.
void deliverMessage(MSG& message);

// The keyboard interface's questions and commands to one of our top-level
// windows: the default button (DM_GETDEFID) and Escape (IDCANCEL).
bool handleDialogKeys(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

// The Tab order (focus_order_win32.cpp). The next control after `from` (or
// the first, or with `backwards` the last, when `from` is none of the
// container's) that Tab stops on, or null when none can take the focus.
HWND nextTabStop(Container& container, HWND from, bool backwards);
HWND firstTabStop(Container& container);
// Where a window opens the focus: its first Tab stop, or, when that is a tab
// strip, the first control of the strip's shown page, as property sheets do.
HWND openingFocus(Window& frame);
// Gives the focus to the first control of a container that can take it.
bool focusFirstControl(Container& container);
// A list that takes the focus while none of its entries has it gives it to
// its first entry shown, so that a first Space or arrow works a row in sight.
void focusFirstEntry(Control& control);
// Whether a shown panel or group box above the window lies over all of it.
bool coveredBySibling(HWND hwnd);
// Shows the windows of the container's children that their objects show and
// no shown sibling covers; hides the others.
void showUncovered(Container& parent);
// When `lost` had the focus and is hidden now, the focus goes to the first
// control of `shown` (a container just shown), else of the active window.
void keepFocusShown(HWND lost, Container* shown);

// One of our top-level windows (not a message box or another program's).
Window* frameOf(HWND window);

// Paints a picture's bitmap at its top-left corner.
void paintPicture(HWND window, HDC dc);

// The shell's small system image list, shared and never destroyed.
HIMAGELIST systemSmallImageList();

// Check boxes on a report list, on every common-controls version: the boxes
// as state images, toggled by a click on them and by Space. An item's state
// image 1 is unticked, 2 ticked; item -1 means every item.
void addCheckBoxes(HWND list);
bool ticked(HWND list, int item);
void setTicked(HWND list, int item, bool checked);

// A list whose items are the object's (LVS_OWNERDATA), marks included: the
// list's window procedure answers and sets them in the object, also when
// another program asks (LVM_GETITEMSTATE, LVM_SETITEMSTATE).
bool leavesItemsToOwner(HWND list);
// The item of such a list that LVN_ODFINDITEM(A or W) asks for, or -1.
int findListItem(const ListView& list, const NMLVFINDITEMA& find, bool wide);

}  // namespace platform::win32
