// Text files read and written line by line, lines ended by CR LF.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Reads a text file line by line, a block at a time as lines are asked for.
// A line ends at CR LF, a lone LF or a lone CR; the last line counts even
// without an ending.
class TextReader {
public:
    TextReader();
    ~TextReader();
    TextReader(const TextReader&) = delete;
    TextReader& operator=(const TextReader&) = delete;

    bool open(const std::string& path);
    bool readLine(std::string& line);
    void close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Writes a text file anew, each line ended by CR LF. Output is buffered; a
// failed write is remembered, and close() reports whether every byte reached
// the file. A writer destroyed without close() still writes what it holds,
// telling no one whether that worked.
class TextWriter {
public:
    TextWriter();
    ~TextWriter();
    TextWriter(const TextWriter&) = delete;
    TextWriter& operator=(const TextWriter&) = delete;

    // Creates the file, replacing an existing one.
    bool create(const std::string& path);
    bool writeLine(std::string_view line);
    bool close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// Loads a whole text file as lines: split at CR LF, lone CR or lone LF; a NUL
// byte ends the text; the last line counts even without an ending.
bool loadTextLines(const std::string& path, std::vector<std::string>& lines);
// Saves lines, each ended by CR LF, replacing the file.
bool saveTextLines(const std::string& path, const std::vector<std::string>& lines);

}  // namespace platform
