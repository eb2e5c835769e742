// Profile (INI) files, read and written key by key as Windows does: a key
// written into a missing file or section creates it, new sections and keys
// are appended, a replaced value is rewritten in place, and section and key
// names match without regard to case.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The key's value, or `fallback` when the file, section or key is missing.
std::string readProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback);

// False when the value could not be written.
bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

// Reads the key's text, then takes it as signed decimal or as hexadecimal with
// a leading 0x; anything else (or a missing key) gives `fallback`.
int32_t readProfileInt(const std::string& file, const std::string& section, const std::string& key,
                       int32_t fallback);

// Parses a decimal or 0x-hexadecimal 32-bit integer; false if not a number.
bool parseProfileInt(const std::string& text, int32_t& value);

}  // namespace platform
