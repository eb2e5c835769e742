// Message dialogs of the stand-in: answered from the test's script and
// recorded; the window that was active gets activated again when one closes.
#include "platform/dialogs.h"

#include "fake/state.h"
#include "platform/controls.h"

namespace platform {

using namespace platform::fake;

namespace {

bool offered(MessageButtons buttons, MessageAnswer answer) {
    switch (buttons) {
        case MessageButtons::Ok:
            return answer == MessageAnswer::Ok;
        case MessageButtons::OkCancel:
            return answer == MessageAnswer::Ok || answer == MessageAnswer::Cancel;
        case MessageButtons::YesNo:
            return answer == MessageAnswer::Yes || answer == MessageAnswer::No;
    }
    return false;
}

MessageAnswer defaultAnswer(MessageButtons buttons) {
    return buttons == MessageButtons::YesNo ? MessageAnswer::Yes : MessageAnswer::Ok;
}

MessageAnswer pickAnswer(const MessageRecord& record) {
    MachineState& machine = state();
    MessageAnswer answer = defaultAnswer(record.buttons);
    if (!machine.answers.empty()) {
        answer = machine.answers.front();
        machine.answers.erase(machine.answers.begin());
    } else if (machine.messageHandler) {
        answer = machine.messageHandler(record);
    }
    if (!offered(record.buttons, answer))
        throw ScriptError{"scripted answer has no button in the box \"" + record.text + "\""};
    return answer;
}

// The box is modal: when it closes, the window that was active before gets
// the activation back. An activation handler that shows a box every time
// would loop for ever on Windows too; here the test is told so.
void reactivate(Window* previous, const std::string& text) {
    static int depth = 0;
    if (previous == nullptr || state().active != previous)
        return;
    if (depth >= 8)
        throw ScriptError{"activation loop: every activation shows \"" + text + "\""};
    ++depth;
    try {
        previous->activated();
    } catch (...) {
        --depth;
        throw;
    }
    --depth;
}

}  // namespace

MessageAnswer showMessage(const MessageRequest& request) {
    MessageRecord record;
    record.text = request.text;
    record.caption = request.caption;
    record.kind = request.kind;
    record.buttons = request.buttons;
    record.placement = request.placement;
    record.owner = request.owner;
    Window* previous = state().active;
    record.answer = pickAnswer(record);
    state().messages.push_back(record);
    reactivate(previous, record.text);
    return record.answer;
}

void showErrorBox(const std::string& text) {
    MessageRecord record;
    record.text = text;
    record.caption = applicationTitle();
    record.kind = MessageKind::Error;
    record.buttons = MessageButtons::Ok;
    record.errorBox = true;
    Window* previous = state().active;
    state().messages.push_back(record);
    reactivate(previous, record.text);
}

void setApplicationTitle(const std::string& title) {
    state().applicationTitle = title;
}

const std::string& applicationTitle() {
    return state().applicationTitle;
}

}  // namespace platform
