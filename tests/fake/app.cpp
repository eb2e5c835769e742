// The application calls of the stand-in: no real message loop; the test's
// pump hook stands for the messages processed during long work.
#include "platform/app.h"

#include "fake/state.h"

namespace platform {

using namespace platform::fake;

int runMessageLoop() {
    return state().quitCode.value_or(0);
}

void quit(int exitCode) {
    state().quitCode = exitCode;
}

void processMessages() {
    ++state().pumpCalls;
    if (state().pumpHook) {
        // A copy, so the hook may replace itself.
        const std::function<void()> hook = state().pumpHook;
        hook();
    }
}

void exitProcess(int exitCode) {
    throw ProcessExit{exitCode};
}

}  // namespace platform
