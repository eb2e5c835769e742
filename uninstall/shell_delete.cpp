// Permanent deletion through the shell's delete operation.
#include "uninstall/shell_delete.h"

#include <vector>

#include "platform/files.h"
#include "platform/shell.h"

namespace uninstall {

bool ShellDelete(const std::string& path) {
    const std::string full = platform::fullPath(path);
    // A cut name would name something else: never hand the shell a part of
    // it. An empty list means the path is too long for the shell.
    const std::vector<char> names = platform::shellNameList(full);
    if (names.empty())
        return false;
    const int result =
        platform::shellDelete(names.data(), platform::fof::Silent | platform::fof::NoConfirmation);
    return result == 0 && platform::fileAttributes(full) < 0;
}

}  // namespace uninstall
