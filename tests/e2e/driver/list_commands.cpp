// Commands for list views (columns, items, sub-items, check marks, in-place
// edits) and tab controls. Their structures live in the target process.
// windows.h must come before commctrl.h.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <string>

#include "commands.h"
#include "remote_memory.h"
#include "windows_query.h"

namespace driver {

namespace {

constexpr size_t kTextOffset = 512;
constexpr size_t kTextSize = 2048;
constexpr size_t kBlockSize = kTextOffset + kTextSize + 16;

int itemCount(HWND list) {
    return static_cast<int>(sendTo(list, LVM_GETITEMCOUNT, 0, 0));
}

int columnCount(HWND list) {
    HWND header = reinterpret_cast<HWND>(sendTo(list, LVM_GETHEADER, 0, 0));
    int count = header ? static_cast<int>(sendTo(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    return count > 0 ? count : 1;
}

int checkIndex(HWND list, const Fields& command, size_t at) {
    long index = argNumber(command, at);
    if (index < 0 || index >= itemCount(list)) {
        throw Failure("no item " + std::to_string(index));
    }
    return static_cast<int>(index);
}

bool isChecked(HWND list, int index) {
    LRESULT state = sendTo(list, LVM_GETITEMSTATE, index, LVIS_STATEIMAGEMASK);
    return ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
}

std::string cellText(HWND list, RemoteMemory& memory, int index, int column) {
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = static_cast<char*>(memory.at(kTextOffset));
    item.cchTextMax = kTextSize;
    memory.put(0, item);
    memory.put(kTextOffset, '\0');
    sendTo(list, LVM_GETITEMTEXTA, index, reinterpret_cast<LPARAM>(memory.at(0)));
    return memory.readText(kTextOffset, kTextSize);
}

Fields row(HWND list, RemoteMemory& memory, int index, int columns) {
    Fields fields{isChecked(list, index) ? "1" : "0"};
    for (int column = 0; column < columns; ++column) {
        fields.push_back(cellText(list, memory, index, column));
    }
    return fields;
}

// lv-columns HWND: one row per column, caption and width.
void columns(const Fields& command, Reply& reply) {
    HWND list = toWindow(argHandle(command, 1));
    RemoteMemory memory(list, kBlockSize);
    HWND header = reinterpret_cast<HWND>(sendTo(list, LVM_GETHEADER, 0, 0));
    int count = header ? static_cast<int>(sendTo(header, HDM_GETITEMCOUNT, 0, 0)) : 0;
    for (int column = 0; column < count; ++column) {
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT | LVCF_WIDTH;
        info.pszText = static_cast<char*>(memory.at(kTextOffset));
        info.cchTextMax = kTextSize;
        memory.put(0, info);
        memory.put(kTextOffset, '\0');
        sendTo(list, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(memory.at(0)));
        info = memory.get<LVCOLUMNA>(0);
        reply.row({memory.readText(kTextOffset, kTextSize), std::to_string(info.cx)});
    }
}

// lv-count HWND
void count(const Fields& command, Reply& reply) {
    reply.row(std::to_string(itemCount(toWindow(argHandle(command, 1)))));
}

// lv-items HWND: one row per item: check mark (0/1), then the text of each column.
void items(const Fields& command, Reply& reply) {
    HWND list = toWindow(argHandle(command, 1));
    RemoteMemory memory(list, kBlockSize);
    int columns = columnCount(list);
    int total = itemCount(list);
    for (int index = 0; index < total; ++index)
        reply.row(row(list, memory, index, columns));
}

// lv-item HWND INDEX: the same row for one item.
void item(const Fields& command, Reply& reply) {
    HWND list = toWindow(argHandle(command, 1));
    int index = checkIndex(list, command, 2);
    RemoteMemory memory(list, kBlockSize);
    reply.row(row(list, memory, index, columnCount(list)));
}

// lv-set-check HWND INDEX 0|1: ticks or unticks an item's check box.
void setCheck(const Fields& command, Reply&) {
    HWND list = toWindow(argHandle(command, 1));
    int index = checkIndex(list, command, 2);
    bool wanted = argNumber(command, 3) != 0;
    RemoteMemory memory(list, kBlockSize);
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(wanted ? 2 : 1);
    memory.put(0, item);
    sendTo(list, LVM_SETITEMSTATE, index, reinterpret_cast<LPARAM>(memory.at(0)));
    if (isChecked(list, index) != wanted)
        throw Failure("check mark did not change");
}

// lv-click HWND INDEX box|name: clicks an item's check box or its name, as
// the mouse would, and waits for the check mark to change or the item to be
// selected.
void click(const Fields& command, Reply&) {
    HWND list = toWindow(argHandle(command, 1));
    int index = checkIndex(list, command, 2);
    const bool onBox = arg(command, 3) == "box";
    if (!onBox && arg(command, 3) != "name")
        throw Failure("click on box or name, not " + arg(command, 3));
    RemoteMemory memory(list, kBlockSize);
    RECT icon = {LVIR_ICON, 0, 0, 0};
    memory.put(0, icon);
    if (!sendTo(list, LVM_GETITEMRECT, index, reinterpret_cast<LPARAM>(memory.at(0))))
        throw Failure("item is not shown");
    icon = memory.get<RECT>(0);
    LVHITTESTINFO hit = {};
    hit.pt = {onBox ? icon.left - GetSystemMetrics(SM_CXSMICON) / 2 : icon.right + 8,
              (icon.top + icon.bottom) / 2};
    memory.put(0, hit);
    sendTo(list, LVM_HITTEST, 0, reinterpret_cast<LPARAM>(memory.at(0)));
    const UINT part = memory.get<LVHITTESTINFO>(0).flags & LVHT_ONITEM;
    if (part != (onBox ? LVHT_ONITEMSTATEICON : LVHT_ONITEMLABEL))
        throw Failure(onBox ? "the item shows no check box" : "the item shows no name");
    const bool wasChecked = isChecked(list, index);
    const LPARAM at = MAKELPARAM(hit.pt.x, hit.pt.y);
    PostMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(list, WM_LBUTTONUP, 0, at);
    const bool done = waitUntil(3000, [&] {
        return onBox ? isChecked(list, index) != wasChecked
                     : (sendTo(list, LVM_GETITEMSTATE, index, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    });
    if (!done)
        throw Failure(onBox ? "check mark did not change" : "item was not selected");
}

// lv-edit HWND INDEX TEXT: edits an item's caption in place and confirms with Enter.
void edit(const Fields& command, Reply&) {
    HWND list = toWindow(argHandle(command, 1));
    int index = checkIndex(list, command, 2);
    HWND editor = reinterpret_cast<HWND>(sendTo(list, LVM_EDITLABELA, index, 0));
    if (!editor)
        throw Failure("the item cannot be edited");
    const std::string& value = arg(command, 3);
    sendTo(editor, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(value.c_str()));
    PostMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
    if (!waitUntil(3000, [&] { return !IsWindow(editor); })) {
        throw Failure("the in-place editor did not close");
    }
}

// tab-items HWND: one row per tab: caption, and 1 on the selected one.
void tabItems(const Fields& command, Reply& reply) {
    HWND tabs = toWindow(argHandle(command, 1));
    RemoteMemory memory(tabs, kBlockSize);
    int count = static_cast<int>(sendTo(tabs, TCM_GETITEMCOUNT, 0, 0));
    int selected = static_cast<int>(sendTo(tabs, TCM_GETCURSEL, 0, 0));
    for (int index = 0; index < count; ++index) {
        TCITEMA info = {};
        info.mask = TCIF_TEXT;
        info.pszText = static_cast<char*>(memory.at(kTextOffset));
        info.cchTextMax = kTextSize;
        memory.put(0, info);
        memory.put(kTextOffset, '\0');
        sendTo(tabs, TCM_GETITEMA, index, reinterpret_cast<LPARAM>(memory.at(0)));
        reply.row({memory.readText(kTextOffset, kTextSize), index == selected ? "1" : "0"});
    }
}

// tab-selected HWND: the index of the selected tab (-1 for none); needs no
// memory in the program, which Wine does not always let the driver write.
void tabSelected(const Fields& command, Reply& reply) {
    HWND tabs = toWindow(argHandle(command, 1));
    reply.row({std::to_string(static_cast<int>(sendTo(tabs, TCM_GETCURSEL, 0, 0)))});
}

// lb-items HWND: the texts of a list box, one row each; asked for in wide
// characters, as the help engine's lists hold them, and the system carries
// them back from the other process.
void listBoxItems(const Fields& command, Reply& reply) {
    HWND list = toWindow(argHandle(command, 1));
    const int count = static_cast<int>(sendTo(list, LB_GETCOUNT, 0, 0));
    for (int index = 0; index < count; ++index) {
        wchar_t wide[1024] = L"";
        DWORD_PTR length = 0;
        if (!SendMessageTimeoutW(list, LB_GETTEXTLEN, index, 0, SMTO_ABORTIFHUNG, 5000, &length))
            throw Failure("window does not answer: " + handleText(list));
        if (length < sizeof wide / sizeof wide[0]) {
            DWORD_PTR ignored = 0;
            SendMessageTimeoutW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide),
                                SMTO_ABORTIFHUNG, 5000, &ignored);
        }
        char text[2048] = "";
        WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        reply.row({std::string(text)});
    }
}

// tab-select HWND INDEX: clicks the tab, so the owner hears of the change.
void tabSelect(const Fields& command, Reply&) {
    HWND tabs = toWindow(argHandle(command, 1));
    long index = argNumber(command, 2);
    if (index < 0 || index >= sendTo(tabs, TCM_GETITEMCOUNT, 0, 0)) {
        throw Failure("no tab " + std::to_string(index));
    }
    RemoteMemory memory(tabs, kBlockSize);
    if (!sendTo(tabs, TCM_GETITEMRECT, index, reinterpret_cast<LPARAM>(memory.at(0)))) {
        throw Failure("tab is not shown");
    }
    RECT r = memory.get<RECT>(0);
    LPARAM point = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    PostMessageA(tabs, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageA(tabs, WM_LBUTTONUP, 0, point);
    if (!waitUntil(3000, [&] { return sendTo(tabs, TCM_GETCURSEL, 0, 0) == index; })) {
        throw Failure("tab was not selected");
    }
}

}  // namespace

void addListCommands(CommandTable& table) {
    table["lv-columns"] = columns;
    table["lv-count"] = count;
    table["lv-items"] = items;
    table["lv-item"] = item;
    table["lv-set-check"] = setCheck;
    table["lv-click"] = click;
    table["lv-edit"] = edit;
    table["tab-items"] = tabItems;
    table["tab-selected"] = tabSelected;
    table["lb-items"] = listBoxItems;
    table["tab-select"] = tabSelect;
}

}  // namespace driver
