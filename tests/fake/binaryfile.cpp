// Binary files of the stand-in, with the I/O error codes of Windows.
#include "platform/binaryfile.h"

#include <unistd.h>

#include <cerrno>

#include "fake/faults.h"
#include "fake/fileio.h"
#include "fake/host.h"
#include "fake/paths.h"
#include "platform/files.h"
#include "platform/ioerror.h"

namespace platform {

using namespace platform::fake;

struct BinaryFile::Impl {
    int fd = -1;
    std::string path;
    std::string host;
};

BinaryFile::BinaryFile() : impl_(new Impl) {}

BinaryFile::~BinaryFile() {
    // Closing what an error left open is no step of the product's own.
    if (impl_->fd >= 0)
        closeMachineFile(impl_->fd);
}

int BinaryFile::open(const std::string& path, Mode mode) {
    if (impl_->fd >= 0)
        close();
    const OpenFor how =
        mode == Mode::CreateAlways ? OpenFor::CreateAlways : OpenFor::ReadWriteExisting;
    const int code = openMachineFile(path, how, impl_->fd);
    if (code == 0) {
        impl_->path = path;
        impl_->host = resolveHost(path);
    }
    return code;
}

int BinaryFile::read(void* buffer, size_t size, size_t& got) {
    got = 0;
    if (impl_->fd < 0)
        return ioerr::FileNotOpen;
    char* out = static_cast<char*>(buffer);
    uint64_t breakAt = 0;
    int cause = 0;
    if (faults::readBreak(impl_->path, breakAt, cause)) {
        const off_t at = lseek(impl_->fd, 0, SEEK_CUR);
        if (at >= 0 && static_cast<uint64_t>(at) >= breakAt)
            return cause;
        if (at >= 0 && breakAt - static_cast<uint64_t>(at) < size)
            size = static_cast<size_t>(breakAt - static_cast<uint64_t>(at));
    }
    while (got < size) {
        const ssize_t done = ::read(impl_->fd, out + got, size - got);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return hostErrorCode(errno);
        }
        if (done == 0)
            break;
        got += static_cast<size_t>(done);
    }
    return 0;
}

int BinaryFile::write(const void* buffer, size_t size, size_t& written) {
    written = 0;
    if (impl_->fd < 0)
        return ioerr::FileNotOpen;
    const char* in = static_cast<const char*>(buffer);
    const faults::Decision decision = faults::beforeStep(faults::Step::Write, impl_->path);
    if (decision.action == faults::Action::HalfWrite && writeAll(impl_->fd, in, size / 2))
        written = size / 2;
    if (!decision.proceeds())
        return decision.cause;
    while (written < size) {
        const ssize_t done = ::write(impl_->fd, in + written, size - written);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            faults::afterStep();
            return hostErrorCode(errno);
        }
        written += static_cast<size_t>(done);
    }
    // Windows marks a changed file for the next backup.
    const int64_t bits = hostAttributes(impl_->host);
    if (bits >= 0)
        setHostAttributes(impl_->host, static_cast<uint32_t>(bits) | attr::Archive);
    faults::afterStep();
    return 0;
}

int BinaryFile::close() {
    if (impl_->fd < 0)
        return ioerr::FileNotOpen;
    const IoResult closed = closeStep(impl_->fd, impl_->path);
    impl_->fd = -1;
    return closed.code();
}

}  // namespace platform
