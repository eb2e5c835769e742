// Permanent deletion through the shell's delete operation.
#include "uninstall/shell_delete.h"

#include <array>

#include "platform/files.h"
#include "platform/shell.h"

namespace uninstall {

bool ShellDelete(const std::string& path) {
    const std::string full = platform::fullPath(path);
    // A cut name would name something else: never hand the shell a part of it.
    if (full.empty() || full.size() > ShellPathLimit) {
        return false;
    }
    // The 256-byte name field and two more NULs, so the list ends with an
    // empty name whatever the name's length.
    std::array<char, 256 + 2> names{};
    full.copy(names.data(), full.size());
    const int result =
        platform::shellDelete(names.data(), platform::fof::Silent | platform::fof::NoConfirmation);
    return result == 0 && platform::fileAttributes(full) < 0;
}

}  // namespace uninstall
