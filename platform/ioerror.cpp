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
        case ioerr::WriteProtected:
            return "Disk write-protected";
        case ioerr::DriveNotReady:
            return "Drive not ready";
        case ioerr::SharingViolation:
            return "Sharing violation";
        case ioerr::LockViolation:
            return "Lock violation";
        case ioerr::FileExists:
        case ioerr::AlreadyExists:
            return "File exists";
        case ioerr::ReadBeyondEnd:
            return "Read beyond end of file";
        case ioerr::DiskFull:
            return "Disk full";
        case ioerr::FileNotOpen:
            return "File not open";
        case ioerr::InvalidNumericInput:
            return "Invalid numeric input";
        case ioerr::FolderNotEmpty:
            return "Folder not empty";
        case ioerr::NotAFolder:
            return "Invalid folder name";
        default:
            return "I/O error " + std::to_string(code);
    }
}

std::string withCause(const std::string& message, const IoResult& result) {
    if (result.ok())
        return message;
    return message + " (" + result.cause() + ")";
}

}  // namespace platform
