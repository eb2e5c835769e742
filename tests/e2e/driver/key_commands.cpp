// Real key strokes and the pointer, as from the keyboard and the mouse: the window is brought to
// the foreground and the keys go in through the system's input queue, so the program sees them
// exactly as it would see a user typing.
#include <map>
#include <string>
#include <vector>

#include "commands.h"
#include "windows_query.h"

namespace driver {

namespace {

const std::map<std::string, WORD>& keyNames() {
    static const std::map<std::string, WORD> names = {
        {"tab", VK_TAB},     {"enter", VK_RETURN}, {"escape", VK_ESCAPE}, {"space", VK_SPACE},
        {"up", VK_UP},       {"down", VK_DOWN},    {"left", VK_LEFT},     {"right", VK_RIGHT},
        {"shift", VK_SHIFT}, {"ctrl", VK_CONTROL}, {"alt", VK_MENU},      {"f1", VK_F1},
    };
    return names;
}

WORD keyCode(const std::string& name) {
    auto found = keyNames().find(name);
    if (found != keyNames().end())
        return found->second;
    if (name.size() == 1 &&
        ((name[0] >= 'a' && name[0] <= 'z') || (name[0] >= '0' && name[0] <= '9')))
        return static_cast<WORD>(name[0] >= 'a' ? name[0] - 'a' + 'A' : name[0]);
    throw Failure("unknown key: " + name);
}

INPUT keyEvent(WORD key, bool up) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.wScan = static_cast<WORD>(MapVirtualKeyA(key, 0));
    input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    return input;
}

// "ctrl+shift+tab": the modifiers held down around the last key.
std::vector<INPUT> chord(const std::string& stroke) {
    std::vector<WORD> keys;
    size_t start = 0;
    for (;;) {
        const size_t plus = stroke.find('+', start);
        keys.push_back(keyCode(stroke.substr(start, plus - start)));
        if (plus == std::string::npos)
            break;
        start = plus + 1;
    }
    std::vector<INPUT> inputs;
    for (WORD key : keys)
        inputs.push_back(keyEvent(key, false));
    for (auto key = keys.rbegin(); key != keys.rend(); ++key)
        inputs.push_back(keyEvent(*key, true));
    return inputs;
}

HWND threadFocus(HWND window) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

// keys HWND KEY...: each key (or chord such as "shift+tab") typed in turn
// with the window in the foreground.
void keys(const Fields& command, Reply&) {
    HWND window = toWindow(argHandle(command, 1));
    if (!IsWindow(window))
        throw Failure("no such window");
    SetForegroundWindow(window);
    for (size_t i = 2; i < command.size(); ++i) {
        std::vector<INPUT> inputs = chord(arg(command, i));
        if (SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) !=
            inputs.size())
            throw Failure("the keys did not go in");
        // One key at a time, as typed: each reaches the program before the next.
        Sleep(150);
    }
}

// focus HWND: the control that has the keyboard focus in the window's
// thread, with its class and text, or nothing when none has.
void focus(const Fields& command, Reply& reply) {
    HWND focused = threadFocus(toWindow(argHandle(command, 1)));
    if (focused != nullptr)
        reply.row({handleText(focused), windowClass(focused), windowText(focused)});
}

// default HWND: the button of the window drawn as the default one.
void defaultButton(const Fields& command, Reply& reply) {
    for (HWND child = GetWindow(toWindow(argHandle(command, 1)), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (windowClass(child) == "Button" &&
            (GetWindowLongA(child, GWL_STYLE) & BS_TYPEMASK) == BS_DEFPUSHBUTTON)
            reply.row({handleText(child), windowText(child)});
    }
}

// pointer X Y: the mouse pointer moved to a point of the screen.
void pointer(const Fields& command, Reply&) {
    if (!SetCursorPos(static_cast<int>(argNumber(command, 1)),
                      static_cast<int>(argNumber(command, 2))))
        throw Failure("the pointer did not move");
}

// version: the Windows version the machine reports, as GetVersionExA gives
// it: platform id, major, minor.
void version(const Fields&, Reply& reply) {
    OSVERSIONINFOA info = {};
    info.dwOSVersionInfoSize = sizeof info;
    GetVersionExA(&info);
    reply.row({std::to_string(info.dwPlatformId), std::to_string(info.dwMajorVersion),
               std::to_string(info.dwMinorVersion)});
}

}  // namespace

void addKeyCommands(CommandTable& table) {
    table["keys"] = keys;
    table["focus"] = focus;
    table["default"] = defaultButton;
    table["version"] = version;
    table["pointer"] = pointer;
}

}  // namespace driver
