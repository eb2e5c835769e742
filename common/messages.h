// Message dialogs placed relative to the program's main window.
#pragma once

#include <string>

#include "platform/dialogs.h"

namespace platform {
class Window;
}

namespace common {

// The window every box is placed from (the wizard's page 1), or none: the
// system then places the box. Asked again for every box, as the window may
// come and go.
using MessageAnchor = const platform::Window* (*)();
void SetMessageAnchor(MessageAnchor anchor);

// The standard dialog of the kind ("Warning", "Error", "Information" or
// "Confirm" as caption, with the kind's icon), its top-left corner at the
// centre of the anchor window less a and b pixels (its last place, shown or
// not).
platform::MessageAnswer ShowCenteredMessage(const std::string& text, platform::MessageKind kind,
                                            platform::MessageButtons buttons, int a, int b);

// A plain box (text, OK, no icon, the program's title as caption) placed by
// the same rule.
void ShowCenteredPlainMessage(const std::string& text, int a, int b);

}  // namespace common
