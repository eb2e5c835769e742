// Text files of the stand-in: whole-file reads, buffered CR LF writes.
#include "platform/textfile.h"

#include <unistd.h>

#include <cerrno>

#include "fake/faults.h"
#include "fake/fileio.h"

namespace platform {

using namespace platform::fake;

struct TextReader::Impl {
    std::string text;
    size_t at = 0;
    bool open = false;
    // A read made to fail: the text stops where it failed, and the line it
    // broke into is not handed out.
    size_t readable = std::string::npos;
    IoResult breaks;  // what the read at `readable` fails with
    IoResult error;   // set once the lines reach it
};

TextReader::TextReader() : impl_(new Impl) {}
TextReader::~TextReader() = default;

IoResult TextReader::open(const std::string& path) {
    close();
    int fd;
    if (const int code = openMachineFile(path, OpenFor::Read, fd); code != 0)
        return IoResult::failure(code);
    char block[65536];
    ssize_t got;
    while ((got = read(fd, block, sizeof block)) > 0)
        impl_->text.append(block, static_cast<size_t>(got));
    const int readError = errno;
    ::close(fd);
    if (got < 0) {
        impl_->text.clear();
        return IoResult::failure(hostErrorCode(readError));
    }
    uint64_t breakAt = 0;
    int cause = 0;
    if (faults::readBreak(path, breakAt, cause) && breakAt < impl_->text.size()) {
        impl_->readable = static_cast<size_t>(breakAt);
        impl_->breaks = IoResult::failure(cause);
    }
    impl_->open = true;
    return IoResult();
}

bool TextReader::readLine(std::string& line) {
    const std::string& text = impl_->text;
    if (!impl_->open || impl_->at >= text.size())
        return false;
    size_t end = impl_->at;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
    // The line and the byte that ends it must lie before the failed read.
    if (impl_->readable != std::string::npos && end + 1 > impl_->readable) {
        impl_->at = text.size();
        impl_->error = impl_->breaks;
        return false;
    }
    line = text.substr(impl_->at, end - impl_->at);
    if (end < text.size() && text[end] == '\r') {
        ++end;
        if (end < text.size() && text[end] == '\n')
            ++end;
    } else if (end < text.size()) {
        ++end;
    }
    impl_->at = end;
    return true;
}

IoResult TextReader::error() const {
    return impl_->error;
}

void TextReader::close() {
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
    // A writer left open by an error is closed without its pending lines.
    if (impl_->fd >= 0)
        ::close(impl_->fd);
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
