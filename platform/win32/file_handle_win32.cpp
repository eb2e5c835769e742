// Win32 error codes turned into the standard I/O error codes.
#include "platform/ioerror.h"
#include "platform/win32/file_handle.h"

namespace platform::win32 {

int ioErrorCode(DWORD win32Error) {
    switch (win32Error) {
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ioerr::DiskFull;
        case ERROR_SUCCESS:
            return ioerr::AccessDenied;  // failed without saying why
        default:
            return static_cast<int>(win32Error);
    }
}

IoResult lastError() {
    return IoResult::failure(ioErrorCode(GetLastError()));
}

}  // namespace platform::win32
