// A file handle that closes itself, and the mapping of Win32 errors to the
// standard I/O error codes.
#pragma once

#include <windows.h>

#include <string>

#include "platform/ioerror.h"

namespace platform::win32 {

class FileHandle {
public:
    FileHandle() = default;
    ~FileHandle() { close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    bool open(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
        close();
        handle_ = CreateFileA(path.c_str(), access, share, nullptr, disposition,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        return isOpen();
    }
    bool isOpen() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close() {
        if (!isOpen())
            return true;
        const bool closed = CloseHandle(handle_) != FALSE;
        handle_ = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE handle_ = INVALID_HANDLE_VALUE;
};

// 2, 3, 4 and 5 are the same in both; a full disk is 101; the rest pass as is.
int ioErrorCode(DWORD win32Error);

// The failure of the call that just failed, with GetLastError()'s cause.
IoResult lastError();

// The result of a call that returns a BOOL, its cause taken at once.
inline IoResult checked(BOOL succeeded) {
    return succeeded ? IoResult() : lastError();
}

}  // namespace platform::win32
