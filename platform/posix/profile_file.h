// A profile (INI) file held as sections of lines, parsed and written back
// the way Wine's profile routines do it, so files match byte for byte.
#pragma once

#include <string>
#include <vector>

namespace platform::posix {

struct ProfileLine {
    std::string name;   // key name, a comment, or empty for a blank line
    std::string value;
    bool hasValue = false;  // the line had an '='
};

struct ProfileSection {
    std::string name;  // empty for the lines before the first section
    std::vector<ProfileLine> lines;
};

struct ProfileFile {
    std::vector<ProfileSection> sections;

    static ProfileFile parse(const std::string& text);
    std::string text() const;

    // The key's line, or null. Names are matched trimmed, without regard to case.
    const ProfileLine* find(const std::string& section, const std::string& key) const;
    // Sets a key's value; false when it already had exactly this value.
    bool set(const std::string& section, const std::string& key, const std::string& value);
};

}  // namespace platform::posix
