// Values of the configuration file TRELMRK.INI, read and written key by key.
#pragma once

#include <cstdint>
#include <string>

namespace common {

// Decimal or 0x-hexadecimal text; missing or unreadable gives the fallback.
int32_t ReadConfigInt(const std::string& section, const std::string& key, int32_t fallback);

// Written as signed decimal text at once. A value that cannot be written
// throws std::runtime_error "Unable to write to <ConfigFile>".
void WriteConfigInt(const std::string& section, const std::string& key, int32_t value);
void WriteConfigFlag(const std::string& section, const std::string& key, bool value);

}  // namespace common
