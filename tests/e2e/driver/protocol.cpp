// Escaping and splitting of the driver's command and answer lines.
#include "protocol.h"

#include <cstdlib>

namespace driver {

std::string escapeField(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\n':
                out += "\\n";
                break;
            case '\r':
                out += "\\r";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string unescapeField(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        char c = text[++i];
        out += c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
    }
    return out;
}

Fields splitCommand(const std::string& line) {
    Fields fields;
    size_t start = 0;
    for (;;) {
        size_t tab = line.find('\t', start);
        fields.push_back(unescapeField(line.substr(start, tab - start)));
        if (tab == std::string::npos)
            break;
        start = tab + 1;
    }
    return fields;
}

void Reply::row(const Fields& fields) {
    std::string line = "=";
    for (size_t i = 0; i < fields.size(); ++i) {
        line += i == 0 ? " " : "\t";
        line += escapeField(fields[i]);
    }
    lines_.push_back(line);
}

const std::string& arg(const Fields& command, size_t index) {
    if (index >= command.size()) {
        throw Failure(command[0] + ": missing argument " + std::to_string(index));
    }
    return command[index];
}

long argNumber(const Fields& command, size_t index) {
    const std::string& text = arg(command, index);
    char* end = nullptr;
    long value = std::strtol(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0') {
        throw Failure(command[0] + ": not a number: " + text);
    }
    return value;
}

unsigned long argHandle(const Fields& command, size_t index) {
    const std::string& text = arg(command, index);
    char* end = nullptr;
    unsigned long value = std::strtoul(text.c_str(), &end, 0);
    if (text.empty() || *end != '\0') {
        throw Failure(command[0] + ": not a window handle: " + text);
    }
    return value;
}

}  // namespace driver
