// Binary files over CreateFileA/ReadFile/WriteFile; errors as I/O error codes.
#include "platform/binaryfile.h"
#include "platform/ioerror.h"
#include "platform/win32/file_handle.h"

namespace platform {

struct BinaryFile::Impl {
    win32::FileHandle file;
};

BinaryFile::BinaryFile() : impl_(std::make_unique<Impl>()) {}
BinaryFile::~BinaryFile() = default;

int BinaryFile::open(const std::string& path, Mode mode) {
    const bool existing = mode == Mode::ReadWriteExisting;
    const DWORD share = existing ? FILE_SHARE_READ | FILE_SHARE_WRITE : FILE_SHARE_READ;
    if (!impl_->file.open(path, GENERIC_READ | GENERIC_WRITE, share,
                          existing ? OPEN_EXISTING : CREATE_ALWAYS)) {
        return win32::ioErrorCode(GetLastError());
    }
    return 0;
}

int BinaryFile::read(void* buffer, size_t size, size_t& got) {
    got = 0;
    if (!impl_->file.isOpen())
        return ioerr::FileNotOpen;
    DWORD count = 0;
    if (!ReadFile(impl_->file.get(), buffer, static_cast<DWORD>(size), &count, nullptr)) {
        return win32::ioErrorCode(GetLastError());
    }
    got = count;
    return 0;
}

int BinaryFile::write(const void* buffer, size_t size, size_t& written) {
    written = 0;
    if (!impl_->file.isOpen())
        return ioerr::FileNotOpen;
    DWORD count = 0;
    if (!WriteFile(impl_->file.get(), buffer, static_cast<DWORD>(size), &count, nullptr)) {
        return win32::ioErrorCode(GetLastError());
    }
    written = count;
    // A write that stops short means the disk is full.
    return count == size ? 0 : ioerr::DiskFull;
}

int BinaryFile::close() {
    if (!impl_->file.isOpen())
        return ioerr::FileNotOpen;
    return impl_->file.close() ? 0 : win32::ioErrorCode(GetLastError());
}

}  // namespace platform
