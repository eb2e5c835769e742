// Binary files with block reads and writes. Every operation answers with an
// I/O error code: 0 for success, otherwise a code of ioerror.h.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

class BinaryFile {
public:
    enum class Mode {
        ReadWriteExisting,  // open with read and write access, others may read and write
        CreateAlways,       // create anew, replacing an existing file
    };

    BinaryFile();
    ~BinaryFile();  // closes silently if still open
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    int open(const std::string& path, Mode mode);
    int read(void* buffer, size_t size, size_t& got);
    int write(const void* buffer, size_t size, size_t& written);
    int close();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace platform
