// A profile (INI) file held as sections of lines, parsed and written back
// the way Wine's profile routines do it, so files match byte for byte.
#pragma once

#include <string>
#include <vector>

namespace platform::fake {

struct ProfileLine {
    std::string name;  // key name, or a whole line without '=' (comments too)
    std::string value;
    bool hasValue = false;  // the line had an '='
};

struct ProfileSection {
    std::string name;  // empty for the lines before the first section
    std::vector<ProfileLine> lines;
};

// Every write rewrites the whole file from its parsed form: CR LF endings,
// names and values trimmed, blank lines gone, no blank line between
// sections; a write that changes nothing leaves the file alone.
struct ProfileFile {
    bool utf8Mark = false;  // the file began with a UTF-8 byte-order mark
    std::vector<ProfileSection> sections;

    static ProfileFile parse(const std::string& text);
    std::string text() const;

    // The value of a key with '=', or null. Names match trimmed, without regard to case.
    const std::string* find(const std::string& section, const std::string& key) const;
    // Sets a key's value; false when it already had exactly this value.
    bool set(const std::string& section, const std::string& key, const std::string& value);
};

}  // namespace platform::fake
