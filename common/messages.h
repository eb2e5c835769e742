// Message dialogs placed relative to page 1.
#pragma once

#include <string>

#include "platform/dialogs.h"

namespace common {

// The standard dialog of the kind ("Warning", "Error", "Information" or
// "Confirm" as caption, with the kind's icon), its top-left corner at the
// centre of page 1 less a and b pixels (page 1's last place, shown or not).
platform::MessageAnswer ShowCenteredMessage(const std::string& text, platform::MessageKind kind,
                                            platform::MessageButtons buttons, int a, int b);

// A plain box (text, OK, no icon, the program's title as caption) placed by
// the same rule.
void ShowCenteredPlainMessage(const std::string& text, int a, int b);

}  // namespace common
