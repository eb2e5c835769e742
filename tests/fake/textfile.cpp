// Text files of the stand-in: block reads and buffered CR LF writes, as the
// Win32 backend does them.
#include "platform/textfile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <vector>

#include "fake/faults.h"
#include "fake/fileio.h"

namespace platform {

using namespace platform::fake;

// Reads as the Win32 reader does: a block at a time, as the lines are asked
// for, so what the file holds then is what is read.
struct TextReader::Impl {
    int fd = -1;
    std::vector<char> buffer = std::vector<char>(32768);
    size_t position = 0, filled = 0;
    uint64_t blockStart = 0;  // where in the file buffer[0] was read from
    bool atEnd = false;
    // A read made to fail from this offset on, with this cause.
    uint64_t readable = UINT64_MAX;
    IoResult breaks;
    IoResult error;  // set once a read has failed

    // The next byte, or -1 at the end of the file or at a failed read.
    int get() {
        if (position == filled) {
            if (atEnd)
                return -1;
            const uint64_t offset = blockStart + filled;
            if (offset >= readable)
                return fail(breaks);
            size_t wanted = buffer.size();
            if (readable - offset < wanted)
                wanted = static_cast<size_t>(readable - offset);
            ssize_t got;
            do {
                got = read(fd, buffer.data(), wanted);
            } while (got < 0 && errno == EINTR);
            if (got < 0)
                return fail(IoResult::failure(hostErrorCode(errno)));
            if (got == 0) {
                atEnd = true;
                return -1;
            }
            blockStart = offset;
            position = 0;
            filled = static_cast<size_t>(got);
        }
        return static_cast<unsigned char>(buffer[position++]);
    }

    int fail(const IoResult& cause) {
        atEnd = true;
        error = cause;
        return -1;
    }
};

TextReader::TextReader() : impl_(new Impl) {}
TextReader::~TextReader() {
    close();
}

IoResult TextReader::open(const std::string& path) {
    close();
    int fd = -1;
    if (const int code = openMachineFile(path, OpenFor::Read, fd); code != 0)
        return IoResult::failure(code);
    impl_->fd = fd;
    uint64_t breakAt = 0;
    int cause = 0;
    struct stat info;
    if (faults::readBreak(path, breakAt, cause) && fstat(fd, &info) == 0 &&
        breakAt < static_cast<uint64_t>(info.st_size)) {
        impl_->readable = breakAt;
        impl_->breaks = IoResult::failure(cause);
    }
    return IoResult();
}

bool TextReader::readLine(std::string& line) {
    Impl& in = *impl_;
    if (in.fd < 0)
        return false;
    line.clear();
    int c = in.get();
    if (c < 0)
        return false;
    while (c >= 0 && c != '\r' && c != '\n') {
        line.push_back(static_cast<char>(c));
        c = in.get();
    }
    // A line a failed read broke into is not handed out.
    if (c < 0 && !in.error.ok()) {
        line.clear();
        return false;
    }
    if (c == '\r') {
        // CR LF may straddle two blocks.
        const int after = in.get();
        if (after >= 0 && after != '\n')
            --in.position;
    }
    return true;
}

IoResult TextReader::error() const {
    return impl_->error;
}

void TextReader::close() {
    if (impl_->fd >= 0)
        closeMachineFile(impl_->fd);
    *impl_ = Impl();
}

struct TextWriter::Impl {
    int fd = -1;
    std::string path;
    std::string buffer;
    IoResult failure;
};

TextWriter::TextWriter() : impl_(new Impl) {}

TextWriter::~TextWriter() {
    // As on Windows, a writer left open still writes what it holds. Where the
    // power goes at that step it stays off; the cut cannot leave a destructor.
    try {
        close();
    } catch (const faults::PowerCut&) {
    }
}

IoResult TextWriter::create(const std::string& path) {
    close();
    impl_->path = path;
    const int code = openMachineFile(path, OpenFor::CreateAlways, impl_->fd);
    impl_->failure = code == 0 ? IoResult() : IoResult::failure(code);
    return impl_->failure;
}

IoResult TextWriter::writeLine(std::string_view line) {
    if (impl_->fd < 0) {
        if (impl_->failure)
            impl_->failure = IoResult::failure(ioerr::FileNotOpen);
        return impl_->failure;
    }
    impl_->buffer += line;
    impl_->buffer += "\r\n";
    if (impl_->buffer.size() >= 65536) {
        impl_->failure = firstFailure(impl_->failure, writeStep(impl_->fd, impl_->buffer.data(),
                                                                impl_->buffer.size(), impl_->path));
        impl_->buffer.clear();
    }
    return impl_->failure;
}

IoResult TextWriter::close() {
    if (impl_->fd < 0)
        return impl_->failure ? IoResult::failure(ioerr::FileNotOpen) : impl_->failure;
    if (!impl_->buffer.empty())
        impl_->failure = firstFailure(impl_->failure, writeStep(impl_->fd, impl_->buffer.data(),
                                                                impl_->buffer.size(), impl_->path));
    impl_->buffer.clear();
    const int fd = impl_->fd;
    impl_->fd = -1;
    impl_->failure = firstFailure(impl_->failure, closeStep(fd, impl_->path));
    return impl_->failure;
}

}  // namespace platform
