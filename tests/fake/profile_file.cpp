// Parsing and writing of profile files in the layout Wine produces.
#include "fake/profile_file.h"

#include "fake/state.h"

namespace platform::fake {

namespace {

// Ctrl-Z, the old end-of-file mark, counts as a blank too.
bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string trimLeft(const std::string& text) {
    size_t start = 0;
    while (start < text.size() && isSpace(text[start]))
        ++start;
    return text.substr(start);
}

std::string trim(const std::string& text) {
    std::string result = trimLeft(text);
    size_t end = result.size();
    while (end > 0 && isSpace(result[end - 1]))
        --end;
    return result.substr(0, end);
}

const char utf8Bom[] = "\xEF\xBB\xBF";

}  // namespace

ProfileFile ProfileFile::parse(const std::string& text) {
    ProfileFile file;
    file.sections.push_back(ProfileSection());
    size_t start = 0;
    if (text.compare(0, 3, utf8Bom) == 0) {
        file.utf8Mark = true;
        start = 3;
    }
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r')
            ++end;
        const std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (line.empty())
            continue;
        if (line[0] == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string::npos) {
                ProfileSection section;
                section.name = trim(line.substr(1, close - 1));
                file.sections.push_back(section);
                continue;
            }
        }
        ProfileLine entry;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            entry.name = line;
        } else {
            entry.name = trim(line.substr(0, equals));
            entry.value = trim(line.substr(equals + 1));
            entry.hasValue = true;
        }
        file.sections.back().lines.push_back(entry);
    }
    return file;
}

std::string ProfileFile::text() const {
    std::string out = utf8Mark ? utf8Bom : "";
    for (const auto& section : sections) {
        if (!section.name.empty())
            out += "[" + section.name + "]\r\n";
        for (const auto& line : section.lines) {
            out += line.name;
            if (line.hasValue)
                out += "=" + line.value;
            out += "\r\n";
        }
    }
    return out;
}

const std::string* ProfileFile::find(const std::string& section, const std::string& key) const {
    const std::string sectionName = trim(section), keyName = trim(key);
    for (const auto& candidate : sections) {
        if (!sameText(candidate.name, sectionName))
            continue;
        // Only the first section of a name counts, and the first key in it.
        for (const auto& line : candidate.lines) {
            if (sameText(line.name, keyName))
                return line.hasValue ? &line.value : nullptr;
        }
        return nullptr;
    }
    return nullptr;
}

bool ProfileFile::set(const std::string& section, const std::string& key,
                      const std::string& value) {
    // New names keep trailing blanks as given; matching ignores them.
    const std::string stored = trimLeft(value);
    ProfileSection* target = nullptr;
    for (auto& candidate : sections) {
        if (sameText(candidate.name, trim(section))) {
            target = &candidate;
            break;
        }
    }
    if (target == nullptr) {
        sections.push_back(ProfileSection());
        target = &sections.back();
        target->name = trimLeft(section);
    }
    for (auto& line : target->lines) {
        if (sameText(line.name, trim(key))) {
            if (line.hasValue && line.value == stored)
                return false;
            line.value = stored;
            line.hasValue = true;
            return true;
        }
    }
    ProfileLine line;
    line.name = trimLeft(key);
    line.value = stored;
    line.hasValue = true;
    target->lines.push_back(line);
    return true;
}

}  // namespace platform::fake
