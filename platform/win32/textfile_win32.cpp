// Text files over CreateFileA/ReadFile/WriteFile with buffers of our own.
#include <vector>

#include "platform/textfile.h"
#include "platform/win32/file_handle.h"

namespace platform {

namespace {
constexpr size_t BufferSize = 32768;
}

struct TextReader::Impl {
    win32::FileHandle file;
    std::vector<char> buffer = std::vector<char>(BufferSize);
    size_t position = 0, filled = 0;
    bool atEnd = false;
    IoResult error;             // the read that failed, if one did
    bool skipLineFeed = false;  // the last line ended in CR: a following LF belongs to it

    // The next byte, or -1 at the end of the file or after a failed read.
    int get() {
        if (position == filled) {
            DWORD got = 0;
            if (atEnd)
                return -1;
            if (!ReadFile(file.get(), buffer.data(), buffer.size(), &got, nullptr)) {
                error = win32::lastError();
                atEnd = true;
                return -1;
            }
            if (got == 0) {
                atEnd = true;
                return -1;
            }
            position = 0;
            filled = got;
        }
        return static_cast<unsigned char>(buffer[position++]);
    }
    void unget() { --position; }
};

TextReader::TextReader() : impl_(std::make_unique<Impl>()) {}
TextReader::~TextReader() = default;

IoResult TextReader::open(const std::string& path) {
    impl_ = std::make_unique<Impl>();
    if (!impl_->file.open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING))
        return win32::lastError();
    return IoResult();
}

bool TextReader::readLine(std::string& line) {
    Impl& in = *impl_;
    if (!in.file.isOpen())
        return false;
    line.clear();
    int c = in.get();
    if (in.skipLineFeed) {
        in.skipLineFeed = false;
        if (c == '\n')
            c = in.get();
    }
    if (c < 0)
        return false;
    while (c >= 0 && c != '\r' && c != '\n') {
        line.push_back(static_cast<char>(c));
        c = in.get();
    }
    // A line the failed read broke into is not a line of the file.
    if (!in.error) {
        line.clear();
        return false;
    }
    if (c == '\r') {
        // CR LF may straddle two reads of the buffer.
        const int after = in.get();
        if (after >= 0 && after != '\n')
            in.unget();
    }
    return true;
}

IoResult TextReader::error() const {
    return impl_->error;
}

void TextReader::close() {
    impl_->file.close();
}

struct TextWriter::Impl {
    win32::FileHandle file;
    std::string pending;
    IoResult failure = IoResult::failure(ioerr::AccessDenied);  // until the file is created

    void flush() {
        if (!failure || pending.empty())
            return;
        DWORD written = 0;
        if (!WriteFile(file.get(), pending.data(), pending.size(), &written, nullptr))
            failure = win32::lastError();
        else if (written != pending.size())
            failure = IoResult::failure(ioerr::DiskFull);  // a short write: no room left
        pending.clear();
    }
};

TextWriter::TextWriter() : impl_(std::make_unique<Impl>()) {}

TextWriter::~TextWriter() {
    close();
}

IoResult TextWriter::create(const std::string& path) {
    impl_ = std::make_unique<Impl>();
    impl_->pending.reserve(BufferSize);
    impl_->failure = impl_->file.open(path, GENERIC_WRITE, FILE_SHARE_READ, CREATE_ALWAYS)
                         ? IoResult()
                         : win32::lastError();
    return impl_->failure;
}

IoResult TextWriter::writeLine(std::string_view line) {
    Impl& out = *impl_;
    if (!out.file.isOpen())
        return out.failure ? IoResult::failure(ioerr::FileNotOpen) : out.failure;
    out.pending += line;
    out.pending += "\r\n";
    if (out.pending.size() >= BufferSize)
        out.flush();
    return out.failure;
}

IoResult TextWriter::close() {
    Impl& out = *impl_;
    if (!out.file.isOpen())
        return out.failure;
    out.flush();
    if (!out.file.close())
        out.failure = firstFailure(out.failure, win32::lastError());
    return out.failure;
}

}  // namespace platform
