// Permanent deletion of one file, or of one folder with everything in it,
// through the shell: no question, no progress, nothing to the Recycle Bin.
#pragma once

#include <string>

namespace uninstall {

// True when the shell reports success and nothing exists at the path any more.
// A path whose full form is longer than any Windows path is left alone.
bool ShellDelete(const std::string& path);

}  // namespace uninstall
