// Saving and loading the hidden list box's lines.
#include "platform/listbox.h"

#include <stdexcept>

#include "platform/textfile.h"

namespace platform {

void ListBox::loadFromFile(const std::string& path) {
    std::vector<std::string> lines;
    if (const IoResult loaded = loadTextLines(path, lines); !loaded)
        throw std::runtime_error(withCause("Cannot open file " + path, loaded));
    lines_ = std::move(lines);
}

void ListBox::saveToFile(const std::string& path) const {
    TextWriter writer;
    if (const IoResult created = writer.create(path); !created)
        throw std::runtime_error(withCause("Cannot create file " + path, created));
    for (const auto& line : lines_)
        writer.writeLine(line);
    if (const IoResult closed = writer.close(); !closed)
        throw std::runtime_error(withCause("Stream write error", closed));
}

}  // namespace platform
