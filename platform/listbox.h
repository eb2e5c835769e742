// A hidden list box used as an ordered list of text lines that can be saved
// to and loaded from a text file. It has no window of its own.
#pragma once

#include <string>
#include <vector>

namespace platform {

class ListBox {
public:
    void clear() { lines_.clear(); }
    void add(const std::string& line) { lines_.push_back(line); }
    int count() const { return static_cast<int>(lines_.size()); }
    const std::string& item(int index) const { return lines_[index]; }
    const std::vector<std::string>& items() const { return lines_; }

    // Replaces the lines with the file's (split at CR LF, CR or LF; a NUL ends
    // the text). Throws std::runtime_error "Cannot open file <path> (<cause>)",
    // also when a read fails part-way: the lines stay as they were.
    void loadFromFile(const std::string& path);
    // Writes every line ended by CR LF, replacing the file. Throws
    // std::runtime_error "Cannot create file <path> (<cause>)" or "Stream
    // write error (<cause>)".
    void saveToFile(const std::string& path) const;

private:
    std::vector<std::string> lines_;
};

}  // namespace platform
