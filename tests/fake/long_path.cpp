// Long forms on the stand-in: only the 8.3 aliases a test gave have one.
#include "fake/paths.h"
#include "platform/files.h"

namespace platform {

std::string longPathName(const std::string& path) {
    return platform::fake::longForm(path);
}

}  // namespace platform
