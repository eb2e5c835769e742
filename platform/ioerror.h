// The standard I/O error: carries an error code and shows the standard text.
// File calls answer with an IoResult: success, or the code of the system's
// cause, so that a message can name it.
#pragma once

#include <stdexcept>
#include <string>

namespace platform {

// The codes are the system's own error numbers, but for a full disk.
namespace ioerr {
constexpr int FileNotFound = 2;
constexpr int InvalidFilename = 3;  // the system's "path not found"
constexpr int TooManyOpenFiles = 4;
constexpr int AccessDenied = 5;
constexpr int WriteProtected = 19;
constexpr int DriveNotReady = 21;
constexpr int SharingViolation = 32;
constexpr int LockViolation = 33;
constexpr int FileExists = 80;
constexpr int ReadBeyondEnd = 100;
constexpr int DiskFull = 101;
constexpr int FileNotOpen = 103;
constexpr int InvalidNumericInput = 106;
constexpr int FolderNotEmpty = 145;
constexpr int AlreadyExists = 183;
constexpr int NotAFolder = 267;
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

// What a file call ended with: success, or the I/O error code of its cause.
// Tests as true on success, so `if (!deleteFile(path))` reads as before.
class IoResult {
public:
    IoResult() = default;  // success
    // 0 is success; a failure whose cause the system did not give counts as
    // access denied, as the standard I/O error has it.
    static IoResult failure(int code) { return IoResult(code == 0 ? ioerr::AccessDenied : code); }

    bool ok() const { return code_ == 0; }
    explicit operator bool() const { return ok(); }
    int code() const { return code_; }
    // The text of the cause; "" on success.
    std::string cause() const { return ok() ? std::string() : ioErrorText(code_); }

private:
    explicit IoResult(int code) : code_(code) {}
    int code_ = 0;
};

// A message with the cause of a failure after it: "Cannot create file X
// (Disk full)"; the message alone on success.
std::string withCause(const std::string& message, const IoResult& result);

// The first failure of two, else success: for a sequence that goes on
// after a failed step and reports the step that failed first.
inline IoResult firstFailure(const IoResult& first, const IoResult& second) {
    return first.ok() ? second : first;
}

}  // namespace platform
