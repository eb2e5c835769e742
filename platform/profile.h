// Profile (INI) files, read and written key by key as Windows does: a key
// written into a missing file or section creates it, new sections and keys
// are appended, a replaced value is rewritten in place, and section and key
// names match without regard to case.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// The longest value a read returns: a longer one is cut to its first
// ProfileValueLimit characters.
constexpr size_t ProfileValueLimit = 131071;
// The longest section name, key name or value a write takes. The system's
// write garbles or crashes on longer ones, so they are refused before it.
constexpr size_t ProfileWriteLimit = 32766;

// The key's value, or `fallback` when the file, section or key is missing.
std::string readProfileString(const std::string& file, const std::string& section,
                              const std::string& key, const std::string& fallback);

// False when the value could not be written, or a name or the value is
// longer than ProfileWriteLimit (the file is then left alone).
bool writeProfileString(const std::string& file, const std::string& section, const std::string& key,
                        const std::string& value);

// Reads the key's text, then takes it as signed decimal or as hexadecimal with
// a leading 0x; anything else (or a missing key) gives `fallback`.
int32_t readProfileInt(const std::string& file, const std::string& section, const std::string& key,
                       int32_t fallback);

// Parses a decimal or 0x-hexadecimal 32-bit integer; false if not a number.
bool parseProfileInt(const std::string& text, int32_t& value);

}  // namespace platform
