// The application: message loop, message pumping during long work, ending the
// program, and the dispatch of window events.
#pragma once

#include <functional>

namespace platform {

// Runs the message loop until quit() is called; returns the exit code.
int runMessageLoop();

// Leaves the message loop: the program ends with nothing more shown.
void quit(int exitCode = 0);

// Processes the pending window messages, then returns. Long walks call it once
// per folder so that windows repaint and buttons answer.
void processMessages();

// Ends the process at once, from anywhere.
[[noreturn]] void exitProcess(int exitCode);

// Runs a window event handler. An exception derived from std::exception is
// the general error handler's business: its text is shown in an error box and
// the program goes on.
void dispatchEvent(const std::function<void()>& handler);

}  // namespace platform
