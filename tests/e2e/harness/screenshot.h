// Screenshots of a test's display, kept as artifacts:
// <artifacts>/screenshots/<test>/<step>.png.
#pragma once

#include <string>

namespace e2e {

// "Suite.Test" of the GoogleTest test that is running.
std::string currentTestName();

// Saves the whole screen of `display` (`import -window root`); returns the file.
std::string screenshot(const std::string& display, const std::string& test,
                       const std::string& step);

}  // namespace e2e
