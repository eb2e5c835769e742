// Whole text files as lists of lines, on top of the line reader and writer.
#include "platform/textfile.h"

namespace platform {

bool loadTextLines(const std::string& path, std::vector<std::string>& lines) {
    TextReader reader;
    if (!reader.open(path))
        return false;
    lines.clear();
    std::string line;
    while (reader.readLine(line)) {
        // A NUL byte ends the text, as it ends a C string in memory.
        const size_t nul = line.find('\0');
        if (nul != std::string::npos) {
            if (nul > 0)
                lines.push_back(line.substr(0, nul));
            break;
        }
        lines.push_back(line);
    }
    reader.close();
    return true;
}

bool saveTextLines(const std::string& path, const std::vector<std::string>& lines) {
    TextWriter writer;
    if (!writer.create(path))
        return false;
    for (const auto& line : lines)
        writer.writeLine(line);
    return writer.close();
}

}  // namespace platform
