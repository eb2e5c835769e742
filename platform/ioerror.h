// The standard I/O error: carries an error code and shows the standard text.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

namespace ioerr {
constexpr int FileNotFound = 2;
constexpr int InvalidFilename = 3;
constexpr int TooManyOpenFiles = 4;
constexpr int AccessDenied = 5;
constexpr int ReadBeyondEnd = 100;
constexpr int DiskFull = 101;
constexpr int InvalidNumericInput = 106;
}  // namespace ioerr

// "File not found", "Disk full", ..., or "I/O error %d" for any other code.
std::string ioErrorText(int code);

class IoError : public std::runtime_error {
public:
    explicit IoError(int code) : std::runtime_error(ioErrorText(code)), code_(code) {}
    int code() const { return code_; }

private:
    int code_;
};

}  // namespace platform
