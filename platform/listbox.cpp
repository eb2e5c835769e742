// Saving and loading the hidden list box's lines.
#include "platform/listbox.h"

#include <stdexcept>

#include "platform/textfile.h"

namespace platform {

void ListBox::loadFromFile(const std::string& path) {
    std::vector<std::string> lines;
    if (!loadTextLines(path, lines))
        throw std::runtime_error("Cannot open file " + path);
    lines_ = std::move(lines);
}

void ListBox::saveToFile(const std::string& path) const {
    TextWriter writer;
    if (!writer.create(path))
        throw std::runtime_error("Cannot create file " + path);
    for (const auto& line : lines_)
        writer.writeLine(line);
    if (!writer.close())
        throw std::runtime_error("Stream write error");
}

}  // namespace platform
