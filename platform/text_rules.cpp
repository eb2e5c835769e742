// Upper-casing, decimal numbers and drive-rooted paths, as text_rules.h has them.
#include "platform/text_rules.h"

namespace platform {

std::string upperCase(std::string text) {
    upperCaseInPlace(text);
    return text;
}

void upperCaseInPlace(std::string& text) {
    for (char& c : text)
        c = upperLetter(c);
}

bool sameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (upperLetter(a[i]) != upperLetter(b[i]))
            return false;
    }
    return true;
}

bool parseDecimal(std::string_view text, int32_t& value) {
    // Ten digits hold every 32-bit count; more could only overflow.
    if (text.empty() || text.size() > 10)
        return false;
    int64_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
        number = number * 10 + (c - '0');
    }
    if (number > INT32_MAX)
        return false;
    value = static_cast<int32_t>(number);
    return true;
}

bool isDriveRooted(std::string_view path) {
    const char letter = upperLetter(path.empty() ? '\0' : path[0]);
    return path.size() >= 3 && letter >= 'A' && letter <= 'Z' && path[1] == ':' && path[2] == '\\';
}

}  // namespace platform
