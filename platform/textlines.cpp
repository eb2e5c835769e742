// Whole text files as lists of lines, on top of the line reader and writer.
#include "platform/textfile.h"

namespace platform {

IoResult loadTextLines(const std::string& path, std::vector<std::string>& lines) {
    TextReader reader;
    if (const IoResult opened = reader.open(path); !opened)
        return opened;
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
    const IoResult read = reader.error();
    reader.close();
    if (!read)
        lines.clear();
    return read;
}

IoResult saveTextLines(const std::string& path, const std::vector<std::string>& lines) {
    TextWriter writer;
    if (const IoResult created = writer.create(path); !created)
        return created;
    for (const auto& line : lines)
        writer.writeLine(line);
    return writer.close();
}

}  // namespace platform
