// The controls of the Win32 backend under Wine: what the user changes read
// back from the windows, events and their errors.
// The common controls need the base declarations first.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "platform/controls.h"

#include <stdexcept>
#include <string>

#include "check.h"
#include "platform/dialogs.h"
#include "platform/listview.h"
#include "ui_helpers.h"

using namespace platform;
using testui::frame;
using testui::hwnd;

TEST(Buttons, NativeClicksReachTheObjects) {
    Window window(frame("buttons", 300, 200, WindowStyle::Wizard));
    Panel left(&window, {0, 0, 150, 200});
    Panel right(&window, {150, 0, 150, 200});
    CheckBox box(&left, {8, 8, 120, 17}, "Send deleted files");
    RadioButton a(&left, {8, 40, 120, 17}, "a");
    RadioButton b(&left, {8, 60, 120, 17}, "b");
    RadioButton other(&right, {8, 40, 120, 17}, "other");
    Button button(&window, {8, 150, 75, 24}, "OK");
    int boxClicks = 0, radioClicks = 0, buttonClicks = 0;
    box.onClick = [&] { ++boxClicks; };
    b.onClick = [&] { ++radioClicks; };
    button.onClick = [&] { ++buttonClicks; };
    window.showWindow();

    SendMessageA(hwnd(box), BM_CLICK, 0, 0);
    EXPECT_TRUE(box.checked());
    EXPECT_EQ(boxClicks, 1);
    box.setChecked(false);
    EXPECT_EQ(SendMessageA(hwnd(box), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    other.setChecked(true);
    a.setChecked(true);
    SendMessageA(hwnd(b), BM_CLICK, 0, 0);
    EXPECT_FALSE(a.checked());
    EXPECT_TRUE(b.checked());
    EXPECT_TRUE(other.checked());  // another parent, another group
    EXPECT_EQ(radioClicks, 1);
    a.setChecked(true);
    EXPECT_FALSE(b.checked());

    SendMessageA(hwnd(button), BM_CLICK, 0, 0);
    button.setEnabled(false);
    SendMessageA(hwnd(button), BM_CLICK, 0, 0);
    button.click();
    EXPECT_EQ(buttonClicks, 1);
}

TEST(Buttons, AnErrorInAHandlerIsShownAndTheProgramGoesOn) {
    setApplicationTitle("Trellmark v1.1");
    Window window(frame("errors", 200, 100, WindowStyle::Wizard));
    Button button(&window, {8, 8, 75, 24}, "Next");
    button.onClick = [] { throw std::runtime_error("Unable to write to D:\\TRELMRK.INI"); };
    window.showWindow();
    testui::BoxSeen seen;
    testui::later(200, [&] { testui::answerBox(seen, IDOK); });
    SendMessageA(hwnd(button), BM_CLICK, 0, 0);
    ASSERT_TRUE(seen.found);
    EXPECT_EQ(seen.caption, "Trellmark v1.1");
    EXPECT_EQ(seen.text, "Unable to write to D:\\TRELMRK.INI");
    EXPECT_TRUE(IsWindow(hwnd(window)));
}

TEST(Labels, SizedToTheirTextAndPaintedInTheirColour) {
    Window window(frame("labels", 300, 100, WindowStyle::Wizard));
    Label days(&window, 8, 8, "Days passed : 0", Font{}, rgb(255, 6, 0));
    Label title(&window, 8, 40, "Welcome to the Trellmark", Font{"MS Sans Serif", 10, true});
    const int narrow = days.bounds().width;
    EXPECT_GT(narrow, 0);
    EXPECT_GT(days.bounds().height, 0);
    days.setCaption("Days passed : 12345");
    EXPECT_GT(days.bounds().width, narrow);
    RECT placed;
    GetWindowRect(hwnd(days), &placed);
    EXPECT_EQ(placed.right - placed.left, days.bounds().width);
    EXPECT_GT(title.bounds().height, days.bounds().height);

    HDC dc = GetDC(hwnd(days));
    const LRESULT brush =
        SendMessageA(hwnd(window), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(hwnd(days)));
    EXPECT_NE(brush, 0);
    EXPECT_EQ(GetTextColor(dc), 1791u);
    ReleaseDC(hwnd(days), dc);
}

TEST(RichEdit, LinesJoinedWithCrLf) {
    Window window(frame("rich", 300, 200, WindowStyle::Wizard));
    RichEdit text(&window, {8, 8, 280, 100}, Background::ButtonFace, false);
    text.setLines({"There are 3 file(s)", "", "Click \"Finish\""});
    char buffer[128];
    GetWindowTextA(hwnd(text), buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "There are 3 file(s)\r\n\r\nClick \"Finish\"");
    EXPECT_FALSE(IsWindowEnabled(hwnd(text)));
    text.setLines({});
    GetWindowTextA(hwnd(text), buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "");
}

TEST(TabControl, OnlyTheChosenPageShows) {
    Window window(frame("tabs", 332, 260, WindowStyle::Dialog));
    TabControl tabs(&window, {2, 8, 319, 201}, {"Drive(s)", "Recycle Bin", "Internet"});
    CheckBox recycle(&tabs.page(1), {16, 20, 200, 17}, "Send deleted files to the Recycle Bin.");
    window.showWindow();
    testui::pump();
    EXPECT_EQ(tabs.selectedTab(), 0);
    EXPECT_TRUE(IsWindowVisible(hwnd(tabs.page(0))));
    EXPECT_FALSE(IsWindowVisible(hwnd(recycle)));

    // The user clicks the second tab.
    RECT tab;
    SendMessageA(hwnd(tabs), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    const LPARAM at = MAKELPARAM((tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2);
    SendMessageA(hwnd(tabs), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(hwnd(tabs), WM_LBUTTONUP, 0, at);
    testui::pump();
    EXPECT_EQ(tabs.selectedTab(), 1);
    EXPECT_FALSE(IsWindowVisible(hwnd(tabs.page(0))));
    EXPECT_TRUE(IsWindowVisible(hwnd(recycle)));

    tabs.selectTab(2);
    EXPECT_EQ(TabCtrl_GetCurSel(hwnd(tabs)), 2);
    EXPECT_FALSE(IsWindowVisible(hwnd(recycle)));
    EXPECT_TRUE(IsWindowVisible(hwnd(tabs.page(2))));
}

namespace {

// The same for a list that leaves its items to the object (common controls
// 4.71 on, as under Wine) and one that keeps a copy of each (4.00 and 4.70).
void entriesChecksAndEditedCaptionsReadBack(bool ownerData) {
    Window window(frame("lists", 502, 329, WindowStyle::Wizard));
    Panel page(&window, {0, 12, 496, 266});
    ListViewOptions plain;
    plain.ownerData = ownerData;
    ListView files(&window, {8, 72, 484, 203},
                   {{"Name", 160}, {"Location", 154}, {"Size", 60, true}, {"Date", 90}}, plain);
    ListViewOptions editable = plain;
    editable.editCaptions = true;
    ListView folders(&page, {8, 60, 484, 203}, {{"Folder List", 450}}, editable);
    window.showWindow();
    ASSERT_EQ((GetWindowLongA(hwnd(files), GWL_STYLE) & LVS_OWNERDATA) != 0, ownerData);

    const int first = files.addItem("setup.exe", 3);
    files.addSubItem(first, "D:\\NEWAPP\\");
    files.addSubItem(first, "1KB");
    files.addItem("readme.txt", 0);
    EXPECT_EQ(files.count(), 2);
    EXPECT_EQ(ListView_GetItemCount(hwnd(files)), 2);
    EXPECT_EQ(files.subItem(first, 1), "D:\\NEWAPP\\");
    char text[64] = "";
    ListView_GetItemText(hwnd(files), first, 2, text, sizeof text);
    EXPECT_STREQ(text, "1KB");
    LVCOLUMNA column = {};
    column.mask = LVCF_FMT;
    SendMessageA(hwnd(files), LVM_GETCOLUMNA, 2, reinterpret_cast<LPARAM>(&column));
    EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

    EXPECT_FALSE(files.checked(0));
    files.setChecked(0, true);
    files.setChecked(1, true);
    ListView_SetItemState(hwnd(files), 1, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);  // user
    EXPECT_TRUE(files.checked(0));
    EXPECT_FALSE(files.checked(1));

    // An icon asked for only when needed: the native list gets it from the
    // owner, once, and the object reads back the same index.
    int asked = 0;
    files.setImageLookup([&](int item) {
        ++asked;
        return files.caption(item) == "notes.doc" ? 5 : 0;
    });
    const int later = files.addItem("notes.doc", ListView::ImageLater);
    LVITEMA shown = {};
    shown.mask = LVIF_IMAGE;
    shown.iItem = later;
    SendMessageA(hwnd(files), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown.iImage, 5);
    EXPECT_EQ(files.imageIndex(later), 5);
    EXPECT_EQ(asked, 1);
    // Typing the first letter of a name goes to it.
    SendMessageA(hwnd(files), WM_CHAR, 'N', 1);
    EXPECT_EQ(ListView_GetNextItem(hwnd(files), -1, LVNI_FOCUSED), later);
    files.setAllChecked(true);
    for (int item = 0; item < files.count(); ++item)
        EXPECT_EQ(ListView_GetCheckState(hwnd(files), item), 1u);
    EXPECT_TRUE(files.checked(1));

    // The boxes are state images on every common-controls version: a click
    // on an item's box toggles it, one on its name selects it, and Space
    // toggles the focused item, also one scrolled out of sight.
    RECT icon = {LVIR_ICON, 0, 0, 0};
    SendMessageA(hwnd(files), LVM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&icon));
    const auto click = [&](int x) {
        const LPARAM at = MAKELPARAM(x, (icon.top + icon.bottom) / 2);
        PostMessageA(hwnd(files), WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageA(hwnd(files), WM_LBUTTONUP, 0, at);
        testui::pump();
    };
    const auto press = [&](int item) {
        ListView_SetItemState(hwnd(files), item, LVIS_FOCUSED | LVIS_SELECTED,
                              LVIS_FOCUSED | LVIS_SELECTED);
        SendMessageA(hwnd(files), WM_KEYDOWN, VK_SPACE, 0);
        SendMessageA(hwnd(files), WM_KEYUP, VK_SPACE, 0);
    };
    click(icon.left - GetSystemMetrics(SM_CXSMICON) / 2);
    EXPECT_FALSE(files.checked(0));
    click(icon.right + 20);
    EXPECT_FALSE(files.checked(0));
    EXPECT_EQ(ListView_GetNextItem(hwnd(files), -1, LVNI_SELECTED), 0);
    press(0);
    EXPECT_TRUE(files.checked(0));
    int hidden = 0;
    for (int row = 0; row < 30; ++row)
        hidden = files.addItem("row" + std::to_string(row) + ".txt", 0);
    EXPECT_FALSE(files.checked(hidden));
    press(hidden);
    EXPECT_TRUE(files.checked(hidden));
    press(hidden);
    EXPECT_FALSE(files.checked(hidden));
    files.setAllChecked(true);
    EXPECT_TRUE(files.checked(hidden));

    folders.addItem("D:\\NEWAPP\\", 0);
    SetFocus(hwnd(folders));
    HWND edit = reinterpret_cast<HWND>(SendMessageA(hwnd(folders), LVM_EDITLABELA, 0, 0));
    ASSERT_NE(edit, nullptr);
    SetWindowTextA(edit, "D:\\NEWAPP\\DATA\\");
    SendMessageA(edit, WM_KEYDOWN, VK_RETURN, 0);
    testui::pump();
    EXPECT_EQ(folders.caption(0), "D:\\NEWAPP\\DATA\\");

    SetFocus(hwnd(files));
    EXPECT_EQ(SendMessageA(hwnd(files), LVM_EDITLABELA, 0, 0), 0);  // file names stay

    files.beginUpdate();
    files.clear();
    files.endUpdate();
    EXPECT_EQ(files.count(), 0);
    EXPECT_EQ(ListView_GetItemCount(hwnd(files)), 0);

    // Filled while its drawing is held back, as a scan fills it: the native
    // list gets the entries with their texts and marks when drawing resumes.
    files.beginUpdate();
    for (int row = 0; row < 3; ++row) {
        const int item = files.addItem("new" + std::to_string(row) + ".dll", 0);
        files.addSubItem(item, "D:\\NEW\\");
        files.addSubItem(item, std::to_string(row) + "KB");
    }
    files.setAllChecked(true);
    files.setChecked(1, false);
    EXPECT_TRUE(files.checked(0));
    EXPECT_FALSE(files.checked(1));
    files.endUpdate();
    EXPECT_EQ(ListView_GetItemCount(hwnd(files)), 3);
    ListView_GetItemText(hwnd(files), 2, 2, text, sizeof text);
    EXPECT_STREQ(text, "2KB");
    for (int item = 0; item < 3; ++item)
        EXPECT_EQ(ListView_GetCheckState(hwnd(files), item), item == 1 ? 0u : 1u);
    ListView_SetItemState(hwnd(files), 2, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);  // user
    EXPECT_FALSE(files.checked(2));
}

}  // namespace

TEST(ListView, EntriesChecksAndEditedCaptionsReadBack) {
    entriesChecksAndEditedCaptionsReadBack(true);
}

TEST(ListView, EntriesChecksAndEditedCaptionsReadBackWithItemsKeptByTheList) {
    entriesChecksAndEditedCaptionsReadBack(false);
}

// The window may lag behind the object while positions come fast; it shows
// the object's exact position once messages are let through.
namespace {
LRESULT shownOnceIdle(const ProgressBar& bar, LRESULT expected) {
    LRESULT shown = -1;
    for (int i = 0; i < 100 && shown != expected; ++i) {
        platform::processMessages();
        Sleep(10);
        shown = SendMessageA(hwnd(bar), PBM_GETPOS, 0, 0);
    }
    return shown;
}
}  // namespace

TEST(ProgressBar, PositionKeptWithinTheRange) {
    Window window(frame("progress", 300, 50, WindowStyle::Wizard));
    ProgressBar bar(&window, {8, 8, 280, 16});
    bar.setMaximum(4000);
    bar.setPosition(1500);
    EXPECT_EQ(shownOnceIdle(bar, 1500), 1500);
    for (int folder = 1; folder <= 3999; ++folder)
        bar.setPosition(bar.position() + 1);  // a walk passing its maximum
    EXPECT_EQ(bar.position(), 4000);
    EXPECT_EQ(shownOnceIdle(bar, 4000), 4000);
    bar.setPosition(3999);  // a single step back, within one drawn pixel
    EXPECT_EQ(shownOnceIdle(bar, 3999), 3999);
    bar.setPosition(-3);
    EXPECT_EQ(bar.position(), 0);
    bar.setPosition(100);
    bar.setMaximum(50);
    EXPECT_EQ(bar.position(), 50);
    // A maximum past 16 bits is shown to scale.
    bar.setMaximum(327670);
    bar.setPosition(10000);
    EXPECT_EQ(bar.position(), 10000);
    EXPECT_EQ(shownOnceIdle(bar, 1000), 1000);
    EXPECT_EQ(SendMessageA(hwnd(bar), PBM_GETRANGE, FALSE, 0), 0x7FFF);
}

TEST(Animation, PlaysAndStopsWithOrWithoutTheClip) {
    Window window(frame("animation", 300, 100, WindowStyle::Wizard));
    Animation clip(&window, {8, 8, 272, 60}, 8);
    Picture missing(&window, {8, 70, 20, 20}, 4711);
    window.showWindow();
    clip.play();
    testui::pump();
    EXPECT_TRUE(clip.active());
    clip.stop();
    EXPECT_FALSE(clip.active());
    EXPECT_EQ(missing.image(), 4711);
}
