// Parsing and writing of profile files in the layout Wine produces: every
// write rewrites the whole file from its parsed form.
#include "platform/posix/profile_file.h"

#include "platform/posix/state.h"

namespace platform::posix {

namespace {

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string trim(const std::string& text) {
    size_t start = 0, end = text.size();
    while (start < end && isSpace(text[start])) ++start;
    while (end > start && isSpace(text[end - 1])) --end;
    return text.substr(start, end - start);
}

}  // namespace

ProfileFile ProfileFile::parse(const std::string& text) {
    ProfileFile file;
    file.sections.push_back(ProfileSection());
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
        const std::string line = trim(text.substr(start, end - start));
        start = end + 1;
        if (!line.empty() && line[0] == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string::npos) {
                ProfileSection section;
                section.name = trim(line.substr(1, close - 1));
                file.sections.push_back(section);
                continue;
            }
        }
        auto& lines = file.sections.back().lines;
        if (line.empty()) {
            // Runs of blank lines shrink to one.
            if (lines.empty() || !lines.back().name.empty() || lines.back().hasValue) lines.push_back({});
            continue;
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
        lines.push_back(entry);
    }
    return file;
}

std::string ProfileFile::text() const {
    std::string out;
    for (const auto& section : sections) {
        if (!section.name.empty()) out += "[" + section.name + "]\r\n";
        for (const auto& line : section.lines) {
            out += line.name;
            if (line.hasValue) out += "=" + line.value;
            out += "\r\n";
        }
    }
    return out;
}

const ProfileLine* ProfileFile::find(const std::string& section, const std::string& key) const {
    const std::string sectionName = trim(section), keyName = trim(key);
    for (const auto& candidate : sections) {
        if (!sameText(candidate.name, sectionName)) continue;
        for (const auto& line : candidate.lines) {
            if (!line.name.empty() && sameText(line.name, keyName)) return &line;
        }
        return nullptr;
    }
    return nullptr;
}

bool ProfileFile::set(const std::string& section, const std::string& key, const std::string& value) {
    const std::string sectionName = trim(section), keyName = trim(key);
    size_t start = 0;
    while (start < value.size() && isSpace(value[start])) ++start;
    const std::string stored = value.substr(start);

    ProfileSection* target = nullptr;
    for (auto& candidate : sections) {
        if (sameText(candidate.name, sectionName)) {
            target = &candidate;
            break;
        }
    }
    if (target == nullptr) {
        sections.push_back(ProfileSection());
        target = &sections.back();
        target->name = sectionName;
    }
    for (auto& line : target->lines) {
        if (!line.name.empty() && sameText(line.name, keyName)) {
            if (line.hasValue && line.value == stored) return false;
            line.value = stored;
            line.hasValue = true;
            return true;
        }
    }
    ProfileLine line;
    line.name = keyName;
    line.value = stored;
    line.hasValue = true;
    target->lines.push_back(line);
    return true;
}

}  // namespace platform::posix
