// The general error handler: every window event runs through it.
#include <exception>

#include "platform/app.h"
#include "platform/dialogs.h"

namespace platform {

void dispatchEvent(const std::function<void()>& handler) {
    if (!handler)
        return;
    try {
        handler();
    } catch (const std::exception& error) {
        showErrorBox(error.what());
    }
}

}  // namespace platform
