// Texts of the standard I/O error codes.
#include "platform/ioerror.h"

namespace platform {

std::string ioErrorText(int code) {
    switch (code) {
        case ioerr::FileNotFound:
            return "File not found";
        case ioerr::InvalidFilename:
            return "Invalid filename";
        case ioerr::TooManyOpenFiles:
            return "Too many open files";
        case ioerr::AccessDenied:
            return "File access denied";
        case ioerr::ReadBeyondEnd:
            return "Read beyond end of file";
        case ioerr::DiskFull:
            return "Disk full";
        case ioerr::InvalidNumericInput:
            return "Invalid numeric input";
        default:
            return "I/O error " + std::to_string(code);
    }
}

}  // namespace platform
