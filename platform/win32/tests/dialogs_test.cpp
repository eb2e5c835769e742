// Message boxes of the Win32 backend under Wine: icons, buttons, answers,
// placement and the program's windows held while a box is up.
#include "platform/dialogs.h"

#include "check.h"
#include "platform/controls.h"
#include "ui_helpers.h"

using namespace platform;

namespace {

struct Shown {
    MessageAnswer answer;
    testui::BoxSeen box;
};

Shown show(MessageRequest request, int command) {
    Shown shown;
    testui::later(200, [&shown, command] { testui::answerBox(shown.box, command); });
    shown.answer = showMessage(request);
    return shown;
}

MessageRequest request(int x, int y) {
    MessageRequest message;
    message.text = "  Cannot access drive  D";
    message.caption = "Error";
    message.kind = MessageKind::Error;
    message.placement = {x, y};
    return message;
}

}  // namespace

TEST(MessageBox, PlacedByItsNonNegativeCoordinates) {
    const Shown both = show(request(100, 50), IDOK);
    ASSERT_TRUE(both.box.found);
    EXPECT_EQ(both.box.caption, "Error");
    EXPECT_EQ(both.box.text, "  Cannot access drive  D");
    EXPECT_EQ(both.box.frame.left, 100);
    EXPECT_EQ(both.box.frame.top, 50);

    const Shown centred = show(request(-1, -40), IDOK);
    const RECT& frame = centred.box.frame;
    EXPECT_EQ(frame.left, (GetSystemMetrics(SM_CXSCREEN) - (frame.right - frame.left)) / 2);
    EXPECT_EQ(frame.top, (GetSystemMetrics(SM_CYSCREEN) - (frame.bottom - frame.top)) / 2);

    const Shown xOnly = show(request(300, -5), IDOK);
    EXPECT_EQ(xOnly.box.frame.left, 300);
    EXPECT_EQ(xOnly.box.frame.top, centred.box.frame.top);
}

TEST(MessageBox, AnswersOfEachButtonSet) {
    MessageRequest question = request(-1, -1);
    question.kind = MessageKind::Confirmation;
    question.buttons = MessageButtons::OkCancel;
    EXPECT_EQ(show(question, IDOK).answer, MessageAnswer::Ok);
    EXPECT_EQ(show(question, IDCANCEL).answer, MessageAnswer::Cancel);
    question.buttons = MessageButtons::YesNo;
    EXPECT_EQ(show(question, IDYES).answer, MessageAnswer::Yes);
    EXPECT_EQ(show(question, IDNO).answer, MessageAnswer::No);
    question.buttons = MessageButtons::Ok;
    EXPECT_EQ(show(question, IDCANCEL).answer, MessageAnswer::Ok);  // closed without a button
}

TEST(MessageBox, TheActiveWindowWaitsAndComesBack) {
    Window::CreateArgs args;
    args.caption = "Trellmark v1.1";
    args.clientWidth = 300;
    args.clientHeight = 100;
    Window page(args);
    int activations = 0;
    page.onActivate = [&] { ++activations; };
    page.showWindow();
    testui::pump();
    const Shown shown = show(request(-1, -1), IDOK);
    testui::pump();
    EXPECT_FALSE(shown.box.ownerEnabled);
    EXPECT_TRUE(page.active());
    EXPECT_EQ(activations, 2);
}
