// The X display the Wine programs of a test show on: the one given in
// TRELLMARK_E2E_DISPLAY, else a private Xvfb (1024 x 768, like the Wine
// virtual desktop) on a free display number, stopped when the test ends.
#pragma once

#include <sys/types.h>

#include <string>

namespace e2e {

class Display {
public:
    Display();
    ~Display();
    Display(const Display&) = delete;
    Display& operator=(const Display&) = delete;

    const std::string& name() const { return name_; }  // such as ":57"

private:
    std::string name_;
    pid_t server_ = -1;
};

}  // namespace e2e
