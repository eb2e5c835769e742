// The driver's line protocol: one command per line on stdin, fields separated
// by tabs; the answer is zero or more data lines ("= " then tab-separated
// fields) and a closing "ok" or "err<TAB>message". Fields escape \\ \t \n \r.
#pragma once

#include <stdexcept>
#include <string>
#include <vector>

namespace driver {

using Fields = std::vector<std::string>;

std::string escapeField(const std::string& text);
std::string unescapeField(const std::string& text);
// Splits a command line at tabs and unescapes each field.
Fields splitCommand(const std::string& line);

// A command's failure; its text goes back on the "err" line.
struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Collects the data lines of one answer.
class Reply {
public:
    void row(const Fields& fields);
    void row(const std::string& field) { row(Fields{field}); }
    const std::vector<std::string>& lines() const { return lines_; }

private:
    std::vector<std::string> lines_;
};

// Argument helpers that fail with a clear message.
const std::string& arg(const Fields& command, size_t index);
long argNumber(const Fields& command, size_t index);
unsigned long argHandle(const Fields& command, size_t index);

}  // namespace driver
