// Text files of the stand-in: block reads and buffered CR LF writes, as the
// Win32 backend does them.
#include "platform/textfile.h"

#include <unistd.h>

#include <cerrno>
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
    bool atEnd = false;

    // The next byte, or -1 at the end of the file (or at a failed read).
    int get() {
        if (position == filled) {
            if (atEnd)
                return -1;
            ssize_t got;
            do {
                got = read(fd, buffer.data(), buffer.size());
            } while (got < 0 && errno == EINTR);
            if (got <= 0) {
                atEnd = true;
                return -1;
            }
            position = 0;
            filled = static_cast<size_t>(got);
        }
        return static_cast<unsigned char>(buffer[position++]);
    }
};

TextReader::TextReader() : impl_(new Impl) {}
TextReader::~TextReader() {
    close();
}

bool TextReader::open(const std::string& path) {
    close();
    impl_ = std::make_unique<Impl>();
    return openMachineFile(path, OpenFor::Read, impl_->fd) == 0;
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
    if (c == '\r') {
        // CR LF may straddle two blocks.
        const int after = in.get();
        if (after >= 0 && after != '\n')
            --in.position;
    }
    return true;
}

void TextReader::close() {
    if (impl_->fd >= 0)
        closeMachineFile(impl_->fd);
    impl_->fd = -1;
}

struct TextWriter::Impl {
    int fd = -1;
    std::string path;
    std::string buffer;
    bool failed = false;
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
