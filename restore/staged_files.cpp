// The system files' copies, staged with common::StagedReplace, and ByteSum,
// which reads them the same way.
#include "restore/staged_files.h"

#include <cstring>
#include <stdexcept>
#include <utility>

#include "platform/binaryfile.h"
#include "platform/files.h"
#include "platform/ioerror.h"
#include "platform/text_rules.h"
#include "platform/textfile.h"
#include "restore/system_files.h"

namespace restore {

namespace {

void check(int code) {
    if (code != 0)
        throw platform::IoError(code);
}

bool sameFile(const std::string& a, const std::string& b) {
    return platform::sameText(platform::fullPath(a), platform::fullPath(b));
}

void copyBlocks(const std::string& source, const std::string& target) {
    platform::BinaryFile from;
    check(from.open(source, platform::BinaryFile::Mode::ReadWriteExisting));
    platform::BinaryFile to;
    check(to.open(target, platform::BinaryFile::Mode::CreateAlways));
    char block[4096];
    for (;;) {
        size_t got = 0;
        check(from.read(block, sizeof block, got));
        if (got == 0)
            break;
        size_t written = 0;
        check(to.write(block, got, written));
        // A write that stores less than it was given has run out of room.
        if (written < got)
            throw platform::IoError(platform::ioerr::DiskFull);
    }
    check(from.close());
    check(to.close());
}

}  // namespace

int32_t ByteSum(const std::string& path) {
    if (!platform::fileExists(path))
        return 0;
    platform::BinaryFile file;
    check(file.open(path, platform::BinaryFile::Mode::ReadWriteExisting));
    uint32_t sum = 0;  // wraps modulo 2^32
    unsigned char block[512];
    for (;;) {
        std::memset(block, 0, sizeof block);
        size_t got = 0;
        check(file.read(block, sizeof block, got));
        for (unsigned char byte : block)
            sum += byte;
        if (got == 0)
            break;
    }
    check(file.close());
    return static_cast<int32_t>(sum);
}

StagedFiles::StagedFiles(std::vector<std::string> set) : replace_({std::move(set), {}}) {
    if (!replace_.prepare())
        throw platform::IoError(platform::ioerr::AccessDenied);
}

void StagedFiles::copy(const std::string& source, const std::string& destination) {
    if (!platform::fileExists(source))
        return;
    // Creating the destination would empty the source first.
    if (sameFile(source, destination))
        return;
    platform::setFileAttributes(source, platform::attr::Archive);
    // A read-only file refuses being written over; so it refuses this too.
    if (common::ReadOnly(destination))
        throw platform::IoError(platform::ioerr::AccessDenied);
    // A copy cut short is deleted with the others that were never committed.
    copyBlocks(source, replace_.stage(destination));
    keepAttributes(destination);
}

void StagedFiles::writeLines(const std::vector<std::string>& lines,
                             const std::string& destination) {
    const std::string cannotCreate = "Cannot create file " + destination;
    if (common::ReadOnly(destination))
        throw std::runtime_error(cannotCreate);
    // Closed before an error deletes it, as Windows cannot delete an open file.
    platform::TextWriter writer;
    if (!writer.create(replace_.stage(destination)))
        throw std::runtime_error(cannotCreate);
    for (const std::string& line : lines)
        writer.writeLine(line);
    if (!writer.close())
        throw std::runtime_error("Stream write error");
    keepAttributes(destination);
}

std::string StagedFiles::newCopyOf(const std::string& destination) const {
    return replace_.staged(destination) ? common::PendingName(destination) : "";
}

void StagedFiles::keepAttributes(const std::string& destination) {
    // Rewriting a file in place keeps its hidden and system bits; so does this.
    const int64_t bits = platform::fileAttributes(destination);
    constexpr uint32_t kept = platform::attr::Hidden | platform::attr::System;
    if (bits >= 0 && (bits & kept) != 0) {
        platform::setFileAttributes(common::PendingName(destination),
                                    (static_cast<uint32_t>(bits) & kept) | platform::attr::Archive);
    }
}

void StagedFiles::commit() {
    if (!replace_.commit())
        throw platform::IoError(replace_.failure().code());
}

}  // namespace restore
