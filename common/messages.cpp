// Message dialogs placed relative to the anchor window, wherever it last
// stood.
#include "common/messages.h"

#include "platform/controls.h"

namespace common {

static MessageAnchor& anchor() {
    static MessageAnchor current = nullptr;
    return current;
}

void SetMessageAnchor(MessageAnchor provider) {
    anchor() = provider;
}

static platform::MessagePlacement placeFromAnchor(int a, int b) {
    platform::MessagePlacement place;
    const platform::Window* window = anchor() ? anchor()() : nullptr;
    if (window == nullptr)
        return place;
    const platform::Rect outer = window->outerBounds();
    // Integer division rounds towards zero; a negative coordinate stays unset.
    place.x = outer.left + outer.width / 2 - a;
    place.y = outer.top + outer.height / 2 - b;
    return place;
}

static const char* captionOf(platform::MessageKind kind) {
    switch (kind) {
        case platform::MessageKind::Warning:
            return "Warning";
        case platform::MessageKind::Error:
            return "Error";
        case platform::MessageKind::Information:
            return "Information";
        case platform::MessageKind::Confirmation:
            return "Confirm";
        case platform::MessageKind::Plain:
            break;
    }
    return platform::applicationTitle().c_str();
}

platform::MessageAnswer ShowCenteredMessage(const std::string& text, platform::MessageKind kind,
                                            platform::MessageButtons buttons, int a, int b) {
    platform::MessageRequest request;
    request.text = text;
    request.caption = captionOf(kind);
    request.kind = kind;
    request.buttons = buttons;
    request.placement = placeFromAnchor(a, b);
    return platform::showMessage(request);
}

void ShowCenteredPlainMessage(const std::string& text, int a, int b) {
    ShowCenteredMessage(text, platform::MessageKind::Plain, platform::MessageButtons::Ok, a, b);
}

}  // namespace common
