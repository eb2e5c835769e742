// Integer and flag values of TRELMRK.INI.
#include "common/config_file.h"

#include <stdexcept>

#include "common/app_state.h"
#include "platform/profile.h"

namespace common {

int32_t ReadConfigInt(const std::string& section, const std::string& key, int32_t fallback) {
    return platform::readProfileInt(app().paths.configFile(), section, key, fallback);
}

void WriteConfigInt(const std::string& section, const std::string& key, int32_t value) {
    const std::string file = app().paths.configFile();
    if (!platform::writeProfileString(file, section, key, std::to_string(value))) {
        throw std::runtime_error("Unable to write to " + file);
    }
}

void WriteConfigFlag(const std::string& section, const std::string& key, bool value) {
    WriteConfigInt(section, key, value ? 1 : 0);
}

}  // namespace common
