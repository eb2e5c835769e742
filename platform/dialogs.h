// Modal message dialogs: standard message boxes with a kind (icon), caption,
// buttons and an optional position of their top-left corner.
#pragma once

#include <string>

namespace platform {

class Window;

enum class MessageKind { Plain, Warning, Error, Information, Confirmation };
enum class MessageButtons { Ok, OkCancel, YesNo };
enum class MessageAnswer { Ok, Cancel, Yes, No };

struct MessagePlacement {
    // A negative coordinate is not applied: the dialog keeps its default
    // place on that axis. Both negative: centred on the screen.
    int x = -1;
    int y = -1;
};

struct MessageRequest {
    std::string text;
    std::string caption;
    MessageKind kind = MessageKind::Plain;
    MessageButtons buttons = MessageButtons::Ok;
    MessagePlacement placement;
    const Window* owner = nullptr;  // none: the box has no owner window
};

// Shows the dialog modally and returns the button pressed. Closing the box
// without a button counts as Cancel (OkCancel), No (YesNo) or Ok.
MessageAnswer showMessage(const MessageRequest& request);

// The box of the general error handler: the text, an error icon, the
// program's title as caption, an OK button.
void showErrorBox(const std::string& text);

// The title used as caption of plain message boxes and error boxes.
void setApplicationTitle(const std::string& title);
const std::string& applicationTitle();

}  // namespace platform
