// The test drive under Wine: drive D: of the throwaway machine the runner
// makes, reached with the system's own calls; user actions are messages
// posted to a window of the suite's own.
#include "drive.h"
#include "test_drive.h"

namespace contract {

namespace {

constexpr UINT RunAction = WM_APP + 1;

std::function<void()>& pendingAction() {
    static std::function<void()> action;
    return action;
}

LRESULT CALLBACK actionWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == RunAction) {
        const std::function<void()> action = pendingAction();
        pendingAction() = nullptr;
        if (action)
            action();
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND actionWindow() {
    static HWND window = [] {
        WNDCLASSA type = {};
        type.lpfnWndProc = actionWindowProc;
        type.hInstance = GetModuleHandleA(nullptr);
        type.lpszClassName = "ContractActions";
        RegisterClassA(&type);
        return CreateWindowA("ContractActions", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    }();
    return window;
}

}  // namespace

std::string folder(const std::string& name) {
    return testdrive::folder(name);
}

void writeBytes(const std::string& path, const std::string& bytes) {
    testdrive::writeBytes(path, bytes);
}

std::string readBytes(const std::string& path) {
    return testdrive::readBytes(path);
}

void queueUserAction(std::function<void()> action) {
    pendingAction() = std::move(action);
    PostMessageA(actionWindow(), RunAction, 0, 0);
}

void pause() {
    Sleep(10);
}

}  // namespace contract
