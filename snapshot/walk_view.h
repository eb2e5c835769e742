// What a drive walk shows while it runs, and where it lets the user's input
// through: the window the walk belongs to implements it (the wizard's page 2).
#pragma once

#include <string>

namespace snapshot {

class WalkView {
public:
    // The status line, painted at once: no message is handled while a walk
    // runs, except through pump().
    virtual void showStatus(const std::string& text) = 0;
    // The progress bar: one step per folder entered.
    virtual void setProgressRange(int maximum) = 0;
    virtual void setProgress(int position) = 0;
    virtual int progress() const = 0;
    // Handles the waiting messages, so that windows repaint and Cancel is
    // heard (common::app().run.cancelRequested).
    virtual void pump() = 0;

protected:
    ~WalkView() = default;
};

}  // namespace snapshot
