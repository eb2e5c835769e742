// The windows of the Win32 backend under Wine: frames and their client areas,
// activation and focus, modal windows and the end of the message loop.
#include <windows.h>

#include "check.h"
#include "platform/app.h"
#include "platform/controls.h"
#include "ui_helpers.h"

using namespace platform;
using testui::frame;
using testui::hwnd;

TEST(Windows, FixedFramesWithTheExactClientArea) {
    Window wizard(frame("Trellmark v1.1", 502, 329, WindowStyle::Wizard));
    Window dialog(frame("Settings", 332, 260, WindowStyle::Dialog));
    RECT client;
    GetClientRect(hwnd(wizard), &client);
    EXPECT_EQ(client.right, 502);
    EXPECT_EQ(client.bottom, 329);
    GetClientRect(hwnd(dialog), &client);
    EXPECT_EQ(client.right, 332);
    EXPECT_EQ(client.bottom, 260);

    const LONG wizardStyle = GetWindowLongA(hwnd(wizard), GWL_STYLE);
    EXPECT_EQ(wizardStyle & WS_SYSMENU, 0);
    EXPECT_EQ(wizardStyle & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), WS_MINIMIZEBOX | WS_MAXIMIZEBOX);
    EXPECT_EQ(wizardStyle & WS_THICKFRAME, 0);
    EXPECT_NE(GetWindowLongA(hwnd(wizard), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME, 0);
    EXPECT_NE(GetWindowLongA(hwnd(dialog), GWL_STYLE) & WS_SYSMENU, 0);
    EXPECT_NE(GetWindowLongA(hwnd(dialog), GWL_EXSTYLE) & WS_EX_CONTEXTHELP, 0);

    char caption[32];
    GetWindowTextA(hwnd(wizard), caption, sizeof caption);
    EXPECT_STREQ(caption, "Trellmark v1.1");

    wizard.centreOnScreen();
    const Rect outer = wizard.outerBounds();
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - outer.width) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - outer.height) / 2);
    wizard.moveTo(40, 30);
    EXPECT_EQ(wizard.outerBounds().left, 40);
    EXPECT_EQ(wizard.outerBounds().top, 30);
}

TEST(Windows, ShowingOneAndHidingTheOtherMovesActivation) {
    Window first(frame("first", 200, 100, WindowStyle::Wizard));
    Window second(frame("second", 200, 100, WindowStyle::Wizard));
    int firstActivations = 0, secondActivations = 0;
    first.onActivate = [&] { ++firstActivations; };
    second.onActivate = [&] { ++secondActivations; };
    first.showWindow();
    testui::pump();
    EXPECT_TRUE(first.active());
    EXPECT_EQ(firstActivations, 1);
    second.showWindow();
    first.hideWindow();
    testui::pump();
    EXPECT_TRUE(second.active());
    EXPECT_EQ(secondActivations, 1);
    EXPECT_FALSE(IsWindowVisible(hwnd(first)));
}

namespace {

// A window of "another program": a plain window of a second thread.
DWORD WINAPI otherProgram(void* ready) {
    HWND other = CreateWindowExA(0, "STATIC", "other program", WS_POPUP | WS_VISIBLE, 0, 0, 100, 50,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    *static_cast<HWND*>(ready) = other;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    DestroyWindow(other);
    return 0;
}

}  // namespace

TEST(Windows, ComingBackFromAnotherProgramIsNoNewActivation) {
    Window page(frame("page", 200, 100, WindowStyle::Wizard));
    int activations = 0;
    page.onActivate = [&] { ++activations; };
    page.showWindow();
    testui::pump();
    ASSERT_EQ(activations, 1);

    volatile HWND other = nullptr;
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, otherProgram, const_cast<HWND*>(&other), 0, &threadId);
    while (other == nullptr)
        Sleep(10);
    SetForegroundWindow(other);
    testui::pump();
    EXPECT_FALSE(page.active());
    SetForegroundWindow(hwnd(page));
    testui::pump();
    EXPECT_TRUE(page.active());
    EXPECT_EQ(activations, 1);

    PostThreadMessageA(threadId, WM_QUIT, 0, 0);
    WaitForSingleObject(thread, 5000);
    CloseHandle(thread);
}

TEST(Windows, FocusForAHiddenPageWaitsUntilItIsShown) {
    Window shown(frame("shown", 300, 100, WindowStyle::Wizard));
    Window hidden(frame("hidden", 300, 100, WindowStyle::Wizard));
    Button front(&shown, {8, 8, 75, 24}, "Front");
    Button first(&hidden, {8, 8, 75, 24}, "First");
    Button start(&hidden, {90, 8, 75, 24}, "&Start >");
    shown.showWindow();
    testui::pump();
    start.setFocus();
    testui::pump();
    EXPECT_TRUE(shown.active());
    EXPECT_FALSE(IsWindowVisible(hwnd(hidden)));
    hidden.showWindow();
    shown.hideWindow();
    testui::pump();
    EXPECT_TRUE(start.focused());
}

TEST(Modal, OtherWindowsWaitUntilTheModalOneEnds) {
    Window page(frame("page", 300, 100, WindowStyle::Wizard));
    Window dialog(frame("Settings", 200, 100, WindowStyle::Dialog));
    page.showWindow();
    testui::pump();
    bool pageEnabledMeanwhile = true, dialogActive = false;
    testui::later(200, [&] {
        pageEnabledMeanwhile = IsWindowEnabled(hwnd(page)) != FALSE;
        dialogActive = dialog.active();
        dialog.endModal();
    });
    dialog.showModal();
    EXPECT_FALSE(pageEnabledMeanwhile);
    EXPECT_TRUE(dialogActive);
    EXPECT_FALSE(dialog.isModal());
    EXPECT_TRUE(IsWindowEnabled(hwnd(page)));
    EXPECT_FALSE(IsWindowVisible(hwnd(dialog)));
    testui::pump();
    EXPECT_TRUE(page.active());
}

TEST(MessageLoop, QuitLeftForTheLoopThatEnds) {
    quit(7);
    processMessages();
    EXPECT_EQ(runMessageLoop(), 7);
}
