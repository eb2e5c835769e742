// Text files of the stand-in: whole-file reads, buffered CR LF writes.
#include "platform/textfile.h"

#include <unistd.h>

#include "fake/fileio.h"

namespace platform {

using namespace platform::fake;

struct TextReader::Impl {
    std::string text;
    size_t at = 0;
    bool open = false;
};

TextReader::TextReader() : impl_(new Impl) {}
TextReader::~TextReader() = default;

bool TextReader::open(const std::string& path) {
    close();
    int fd;
    if (openMachineFile(path, OpenFor::Read, fd) != 0)
        return false;
    char block[65536];
    ssize_t got;
    while ((got = read(fd, block, sizeof block)) > 0)
        impl_->text.append(block, static_cast<size_t>(got));
    ::close(fd);
    if (got < 0) {
        impl_->text.clear();
        return false;
    }
    impl_->open = true;
    return true;
}

bool TextReader::readLine(std::string& line) {
    const std::string& text = impl_->text;
    if (!impl_->open || impl_->at >= text.size())
        return false;
    size_t end = impl_->at;
    while (end < text.size() && text[end] != '\r' && text[end] != '\n')
        ++end;
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

void TextReader::close() {
    impl_->text.clear();
    impl_->at = 0;
    impl_->open = false;
}

struct TextWriter::Impl {
    int fd = -1;
    std::string path;
    std::string buffer;
    bool failed = false;
};

TextWriter::TextWriter() : impl_(new Impl) {}

TextWriter::~TextWriter() {
    // A writer left open by an error is closed without its pending lines.
    if (impl_->fd >= 0)
        ::close(impl_->fd);
}

bool TextWriter::create(const std::string& path) {
    close();
    impl_->failed = false;
    impl_->path = path;
    return openMachineFile(path, OpenFor::CreateAlways, impl_->fd) == 0;
}

bool TextWriter::writeLine(std::string_view line) {
    if (impl_->fd < 0) {
        impl_->failed = true;
        return false;
    }
    impl_->buffer += line;
    impl_->buffer += "\r\n";
    if (impl_->buffer.size() >= 65536) {
        if (!writeStep(impl_->fd, impl_->buffer.data(), impl_->buffer.size(), impl_->path))
            impl_->failed = true;
        impl_->buffer.clear();
    }
    return !impl_->failed;
}

bool TextWriter::close() {
    if (impl_->fd < 0)
        return false;
    if (!impl_->buffer.empty() &&
        !writeStep(impl_->fd, impl_->buffer.data(), impl_->buffer.size(), impl_->path))
        impl_->failed = true;
    impl_->buffer.clear();
    const int fd = impl_->fd;
    impl_->fd = -1;
    if (!closeStep(fd, impl_->path))
        impl_->failed = true;
    return !impl_->failed;
}

}  // namespace platform
