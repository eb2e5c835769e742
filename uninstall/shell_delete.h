// Permanent deletion of one file, or of one folder with everything in it,
// through the shell: no question, no progress, nothing to the Recycle Bin.
#pragma once

#include <cstddef>
#include <string>

namespace uninstall {

// The shell's list holds one name of at most this many characters.
constexpr std::size_t ShellPathLimit = 255;

// True when the shell reports success and nothing exists at the path any more.
// A path whose full form does not fit the shell's buffer is left alone.
bool ShellDelete(const std::string& path);

}  // namespace uninstall
