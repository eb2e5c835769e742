// How every part of the product reads names, numbers and paths: upper-casing
// changes only the letters a to z (never by the code page, so a name compares
// alike on every machine), numbers are plain decimal digits, and a path that
// names a place of its own starts at a drive's root.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

inline char upperLetter(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string upperCase(std::string text);
void upperCaseInPlace(std::string& text);
// Equal after upper-casing.
bool sameText(std::string_view a, std::string_view b);

// A count or record number as the program writes it: digits only, no sign,
// no separators, at most the largest 32-bit signed count. False for anything
// else.
bool parseDecimal(std::string_view text, int32_t& value);

// "X:\..." with X a letter of either case: the whole path of a place on a
// drive, depending on no current drive or folder.
bool isDriveRooted(std::string_view path);

}  // namespace platform
