// The stand-in keeps no short names: every path is already in its long form.
#include "platform/files.h"

namespace platform {

std::string longPathName(const std::string& path) {
    return path;
}

}  // namespace platform
