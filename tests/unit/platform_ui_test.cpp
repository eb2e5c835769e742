// Windows, controls, message dialogs and the application calls of the
// stand-in: what a test drives and sees in place of real windows.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/app.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/listview.h"
#include "support/machine_test.h"

namespace {

using namespace platform;
using platform::fake::MessageRecord;
using platform::fake::ProcessExit;
using platform::fake::ScriptError;

class UiTest : public testing_support::MachineTest {
protected:
    static Window::CreateArgs args(const std::string& caption) {
        Window::CreateArgs made;
        made.caption = caption;
        made.clientWidth = 502;
        made.clientHeight = 329;
        return made;
    }
    static MessageRequest request(const std::string& text, MessageButtons buttons) {
        MessageRequest made;
        made.text = text;
        made.caption = "Caption";
        made.buttons = buttons;
        return made;
    }
};

TEST_F(UiTest, ShowingAWindowActivatesItOnce) {
    Window page1(args("One")), page2(args("Two"));
    int activations1 = 0, activations2 = 0;
    page1.onActivate = [&] { ++activations1; };
    page2.onActivate = [&] { ++activations2; };
    EXPECT_FALSE(page1.visible());
    page1.showWindow();
    page1.showWindow();
    EXPECT_TRUE(page1.active());
    EXPECT_EQ(activations1, 1);
    page2.showWindow();
    page1.hideWindow();
    EXPECT_TRUE(page2.active());
    EXPECT_FALSE(page1.visible());
    EXPECT_EQ(activations2, 1);
    EXPECT_EQ(Machine::activeWindow(), &page2);
    EXPECT_EQ(Machine::windows(), (std::vector<Window*>{&page1, &page2}));
}

TEST_F(UiTest, ModalWindowRunsTheHookThenGivesActivationBack) {
    Window page(args("Page")), dialog(args("Settings"));
    int pageActivations = 0;
    page.onActivate = [&] { ++pageActivations; };
    page.showWindow();
    bool wasModal = false;
    Machine::onModal([&](Window& shown) {
        EXPECT_EQ(&shown, &dialog);
        wasModal = shown.isModal() && shown.active() && shown.visible();
        shown.endModal();
    });
    dialog.showModal();
    EXPECT_TRUE(wasModal);
    EXPECT_FALSE(dialog.visible());
    EXPECT_FALSE(dialog.isModal());
    EXPECT_TRUE(page.active());
    EXPECT_EQ(pageActivations, 2);
}

TEST_F(UiTest, WindowGeometry) {
    Window page(args("Page"));
    page.centreOnScreen();
    const Rect outer = page.outerBounds();
    EXPECT_EQ(outer.width, 508);
    EXPECT_EQ(outer.height, 354);
    EXPECT_EQ(outer.left, (800 - 508) / 2);
    EXPECT_EQ(outer.top, (600 - 354) / 2);
    page.moveTo(10, 20);
    EXPECT_EQ(page.outerBounds().left, 10);
    EXPECT_EQ(page.outerBounds().top, 20);
    EXPECT_EQ(page.font().face, "MS Sans Serif");
}

TEST_F(UiTest, ControlsKeepTheirState) {
    Window page(args("Page"));
    Panel panel(&page, Rect{0, 0, 100, 100});
    RadioButton one(&panel, Rect{}, "One"), two(&panel, Rect{}, "Two");
    RadioButton elsewhere(&page, Rect{}, "Elsewhere");
    CheckBox box(&panel, Rect{}, "Box");
    int radioClicks = 0, boxClicks = 0;
    two.onClick = [&] { ++radioClicks; };
    box.onClick = [&] { boxClicks += box.checked() ? 1 : 10; };

    elsewhere.setChecked(true);
    one.setChecked(true);
    two.click();
    EXPECT_FALSE(one.checked());
    EXPECT_TRUE(two.checked());
    EXPECT_TRUE(elsewhere.checked());
    EXPECT_EQ(radioClicks, 1);

    box.click();
    box.click();
    EXPECT_EQ(boxClicks, 11);
    box.setEnabled(false);
    box.click();
    EXPECT_EQ(boxClicks, 11);

    ProgressBar bar(&page, Rect{});
    bar.setMaximum(10);
    bar.setPosition(12);
    EXPECT_EQ(bar.position(), 10);
    bar.setPosition(-1);
    EXPECT_EQ(bar.position(), 0);
    bar.setPosition(7);
    bar.setMaximum(5);
    EXPECT_EQ(bar.position(), 5);

    Label label(&panel, 5, 5, "Text");
    EXPECT_EQ(label.labelFont().face, "MS Sans Serif");
    EXPECT_EQ(panel.children().size(), 4u);
    {
        Button transient(&panel, Rect{}, "Gone");
        EXPECT_EQ(panel.children().size(), 5u);
    }
    EXPECT_EQ(panel.children().size(), 4u);

    // The tab order names children once each; the rest follow as they were.
    panel.setTabOrder({&label, &box, &elsewhere, &label});
    EXPECT_EQ(panel.children(), (std::vector<Control*>{&label, &box, &one, &two}));
}

TEST_F(UiTest, ListViewAndTabControl) {
    Window page(args("Page"));
    ListView list(&page, Rect{}, {{"Name", 100, false}, {"Size", 50, true}}, ListViewOptions());
    const int first = list.addItem("C:\\NEW.TXT", 12);
    list.addSubItem(first, "1KB");
    list.addItem("C:\\OTHER", 3);
    EXPECT_EQ(list.count(), 2);
    EXPECT_EQ(list.subItem(0, 1), "1KB");
    EXPECT_EQ(list.subItem(1, 1), "");
    EXPECT_FALSE(list.checked(0));
    list.setChecked(0, true);
    list.setCaption(1, "C:\\EDITED");
    EXPECT_TRUE(list.checked(0));
    EXPECT_EQ(list.caption(1), "C:\\EDITED");
    list.addSubItem(0, "Today");  // an earlier item grows after a later one changed
    list.addSubItem(1, "2KB");
    EXPECT_EQ(list.subItem(0, 1), "1KB");
    EXPECT_EQ(list.subItem(0, 2), "Today");
    EXPECT_EQ(list.caption(1), "C:\\EDITED");
    EXPECT_EQ(list.subItem(1, 1), "2KB");
    EXPECT_EQ(list.imageIndex(0), 12);
    list.clear();
    EXPECT_EQ(list.count(), 0);

    TabControl tabs(&page, Rect{0, 0, 300, 200}, {"Drives", "Options"});
    CheckBox onSecond(&tabs.page(1), Rect{}, "Box");
    EXPECT_TRUE(tabs.page(0).visible());
    EXPECT_FALSE(tabs.page(1).visible());
    tabs.selectTab(1);
    EXPECT_EQ(tabs.selectedTab(), 1);
    EXPECT_TRUE(tabs.page(1).visible());
    EXPECT_FALSE(tabs.page(0).visible());
    EXPECT_EQ(onSecond.parent(), &tabs.page(1));
}

TEST_F(UiTest, MessagesAreAnsweredFromTheScriptAndRecorded) {
    Window page(args("Page"));
    int activations = 0;
    page.onActivate = [&] { ++activations; };
    page.showWindow();

    Machine::queueAnswer(MessageAnswer::No);
    MessageRequest asked = request("Sure?", MessageButtons::YesNo);
    asked.kind = MessageKind::Confirmation;
    asked.placement = MessagePlacement{100, -1};
    EXPECT_EQ(showMessage(asked), MessageAnswer::No);
    // Unscripted: OK, or Yes.
    EXPECT_EQ(showMessage(request("Go on?", MessageButtons::OkCancel)), MessageAnswer::Ok);
    EXPECT_EQ(showMessage(request("Again?", MessageButtons::YesNo)), MessageAnswer::Yes);
    Machine::setMessageHandler([](const MessageRecord& shown) {
        return shown.text == "Stop?" ? MessageAnswer::Cancel : MessageAnswer::Ok;
    });
    EXPECT_EQ(showMessage(request("Stop?", MessageButtons::OkCancel)), MessageAnswer::Cancel);

    const auto& shown = Machine::messages();
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0].text, "Sure?");
    EXPECT_EQ(shown[0].caption, "Caption");
    EXPECT_EQ(shown[0].kind, MessageKind::Confirmation);
    EXPECT_EQ(shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(shown[0].placement.x, 100);
    EXPECT_EQ(shown[0].placement.y, -1);
    EXPECT_EQ(shown[0].answer, MessageAnswer::No);
    // Each box handed the activation back to the page.
    EXPECT_EQ(activations, 5);

    Machine::queueAnswer(MessageAnswer::Yes);
    EXPECT_THROW(showMessage(request("Only OK", MessageButtons::Ok)), ScriptError);
}

TEST_F(UiTest, ActivationThatAlwaysShowsABoxIsReportedAsALoop) {
    Window page(args("Page"));
    page.onActivate = [] { showMessage(request("Again", MessageButtons::Ok)); };
    EXPECT_THROW(page.showWindow(), ScriptError);
    EXPECT_GT(Machine::messages().size(), 1u);
}

TEST_F(UiTest, GeneralErrorHandlerShowsTheTextAndGoesOn) {
    setApplicationTitle("Trellmark");
    Window page(args("Page"));
    Button button(&page, Rect{}, "Go");
    int after = 0;
    button.onClick = [] { throw std::runtime_error("Unable to write to C:\\X.INI"); };
    button.click();
    dispatchEvent([&] { ++after; });
    EXPECT_EQ(after, 1);
    ASSERT_EQ(Machine::messages().size(), 1u);
    const MessageRecord& box = Machine::messages()[0];
    EXPECT_TRUE(box.errorBox);
    EXPECT_EQ(box.text, "Unable to write to C:\\X.INI");
    EXPECT_EQ(box.caption, "Trellmark");
    EXPECT_EQ(box.kind, MessageKind::Error);

    button.setEnabled(false);
    button.click();
    EXPECT_EQ(Machine::messages().size(), 1u);
    // Ending the process is no error: it passes through.
    EXPECT_THROW(dispatchEvent([] { exitProcess(0); }), ProcessExit);
}

TEST_F(UiTest, MessagePumpQuitAndExit) {
    int pumped = 0;
    Machine::onProcessMessages([&] { ++pumped; });
    processMessages();
    processMessages();
    EXPECT_EQ(pumped, 2);
    EXPECT_EQ(Machine::processMessagesCalls(), 2);

    EXPECT_FALSE(Machine::quitCode().has_value());
    quit(3);
    EXPECT_EQ(Machine::quitCode(), 3);
    EXPECT_EQ(runMessageLoop(), 3);
    try {
        exitProcess(7);
    } catch (const ProcessExit& exit) {
        EXPECT_EQ(exit.code, 7);
    }
}

}  // namespace
