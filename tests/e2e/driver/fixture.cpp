// A small window with one control of each kind the driver handles, used to
// test the driver itself under Wine. Every user action shows its effect in
// the status label, so a test can see that the owner was notified.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

namespace {

enum Id { Status = 101, Ask, Option, First, Second, Tabs, List, Close, Restart };

constexpr char kCaption[] = "Harness fixture";
HWND status;

HWND control(HWND parent, const char* cls, const char* text, DWORD style, int id, int x, int y,
             int w, int h) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

void setStatus(const std::string& text) {
    SetWindowTextA(status, text.c_str());
}

void fillList(HWND list) {
    ListView_SetExtendedListViewStyle(list, LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
    const char* captions[] = {"Name", "Size"};
    for (int i = 0; i < 2; ++i) {
        LVCOLUMNA column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH;
        column.cx = 120 - 40 * i;
        column.pszText = const_cast<char*>(captions[i]);
        SendMessageA(list, LVM_INSERTCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    const char* rows[][2] = {{"alpha.txt", "1KB"}, {"beta\tgamma", "2KB"}, {"C:\\DELTA\\", ""}};
    for (int i = 0; i < 3; ++i) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<char*>(rows[i][0]);
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.iSubItem = 1;
        item.pszText = const_cast<char*>(rows[i][1]);
        SendMessageA(list, LVM_SETITEMTEXTA, i, reinterpret_cast<LPARAM>(&item));
        ListView_SetItemState(list, i, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
    }
}

void create(HWND window) {
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    status = control(window, "Static", "Ready", 0, Status, 10, 10, 300, 16);
    control(window, "Button", "&Ask", BS_PUSHBUTTON, Ask, 10, 36, 75, 23);
    control(window, "Button", "Option", BS_AUTOCHECKBOX, Option, 100, 36, 80, 20);
    control(window, "Button", "First", BS_AUTORADIOBUTTON | WS_GROUP, First, 190, 36, 60, 20);
    control(window, "Button", "Second", BS_AUTORADIOBUTTON, Second, 260, 36, 70, 20);
    HWND tabs = control(window, WC_TABCONTROLA, "", 0, Tabs, 10, 66, 300, 30);
    const char* names[] = {"One", "Two", "Three"};
    for (int i = 0; i < 3; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(names[i]);
        SendMessageA(tabs, TCM_INSERTITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
    HWND list = control(window, WC_LISTVIEWA, "", LVS_REPORT | LVS_EDITLABELS | WS_BORDER, List, 10,
                        104, 300, 150);
    fillList(list);
    control(window, "Button", "Close", BS_PUSHBUTTON, Close, 410, 296, 75, 23);
    control(window, "Button", "Restart", BS_PUSHBUTTON, Restart, 320, 296, 75, 23);
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), 0);
    }
}

LRESULT notify(HWND window, const NMHDR* header, LPARAM lParam) {
    if (header->idFrom == Tabs && header->code == TCN_SELCHANGE) {
        setStatus("Tab " + std::to_string(TabCtrl_GetCurSel(header->hwndFrom) + 1));
    } else if (header->idFrom == List && header->code == LVN_ENDLABELEDITA) {
        auto* info = reinterpret_cast<NMLVDISPINFOA*>(lParam);
        if (info->item.pszText)
            setStatus(std::string("Renamed ") + info->item.pszText);
        return info->item.pszText != nullptr;
    }
    (void)window;
    return 0;
}

void command(HWND window, int id) {
    switch (id) {
        case Ask:
            setStatus(MessageBoxA(window, "Go on?", "Question", MB_YESNO) == IDYES ? "Yes" : "No");
            break;
        case Option:
            setStatus(IsDlgButtonChecked(window, Option) ? "Option on" : "Option off");
            break;
        case First:
        case Second:
            setStatus(id == First ? "First chosen" : "Second chosen");
            break;
        case Close:
            DestroyWindow(window);
            break;
        case Restart:
            ExitWindowsEx(EWX_REBOOT, 0);
            break;
    }
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_CREATE:
            create(window);
            return 0;
        case WM_COMMAND:
            command(window, LOWORD(wParam));
            return 0;
        case WM_NOTIFY:
            return notify(window, reinterpret_cast<NMHDR*>(lParam), lParam);
        case WM_DESTROY:
            PostQuitMessage(3);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    InitCommonControls();
    WNDCLASSA cls = {};
    cls.lpfnWndProc = procedure;
    cls.hInstance = instance;
    cls.hCursor = LoadCursor(nullptr, IDC_ARROW);
    cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    cls.lpszClassName = "HarnessFixture";
    RegisterClassA(&cls);

    DWORD style = WS_POPUP | WS_CAPTION | DS_MODALFRAME;
    RECT frame = {0, 0, 502, 329};
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_DLGMODALFRAME);
    int width = frame.right - frame.left, height = frame.bottom - frame.top;
    // A hidden window with the same caption, as a program with several pages has.
    CreateWindowExA(WS_EX_DLGMODALFRAME, cls.lpszClassName, kCaption, style, 0, 0, width, height,
                    nullptr, nullptr, instance, nullptr);
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, cls.lpszClassName, kCaption, style,
                                  (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                  (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                                  nullptr, nullptr, instance, nullptr);
    ShowWindow(window, SW_SHOW);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (IsDialogMessageA(window, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
