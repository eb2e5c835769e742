// Where the change scanner lists what it found new: the window the user
// reviews it in implements it (the wizard's page 3).
#pragma once

#include <string>

#include "platform/files.h"

namespace restore {

class ReviewSink {
public:
    // A new file of a folder (upper case, no trailing backslash), unticked.
    virtual void addFile(const std::string& folder, const platform::DirEntry& found) = 0;
    // A new folder (upper case, no trailing backslash), unticked.
    virtual void addFolder(const std::string& folder) = 0;
    // Ticks every entry listed so far, files first.
    virtual void tickAll() = 0;

protected:
    ~ReviewSink() = default;
};

}  // namespace restore
