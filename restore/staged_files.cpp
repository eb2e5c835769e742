// Whole-file replacement of a set of destinations, with its recovery after a
// power cut; the sequence is described in staged_files.h.
#include "restore/staged_files.h"

#include <algorithm>
#include <stdexcept>

#include "platform/binaryfile.h"
#include "platform/files.h"
#include "platform/ioerror.h"
#include "platform/textfile.h"

namespace restore {

namespace {

// "C:\WINDOWS\SYSTEM.INI" with '$' gives "C:\WINDOWS\SYSTE$TM.INI": the same
// folder and extension, a short name still, and one no other program uses,
// so that a recovery never takes a file of someone else's for its own.
std::string markedName(const std::string& path, char mark) {
    const size_t nameStart = path.find_last_of("\\:") + 1;  // 0 when there is none
    const size_t dot = path.find('.', nameStart);
    const size_t baseEnd = dot == std::string::npos ? path.size() : dot;
    const std::string base = path.substr(nameStart, std::min<size_t>(baseEnd - nameStart, 5));
    return path.substr(0, nameStart) + base + mark + "TM" + path.substr(baseEnd);
}

void check(int code) {
    if (code != 0)
        throw platform::IoError(code);
}

std::string upperCase(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

bool sameFile(const std::string& a, const std::string& b) {
    return upperCase(platform::fullPath(a)) == upperCase(platform::fullPath(b));
}

bool readOnly(const std::string& path) {
    const int64_t bits = platform::fileAttributes(path);
    return bits >= 0 && (bits & platform::attr::ReadOnly) != 0;
}

// A new copy cut short by an error goes; after a power cut the recovery
// deletes it.
template <typename Write>
void writeWhole(const std::string& newCopy, Write write) {
    try {
        write();
    } catch (const std::exception&) {
        if (platform::fileExists(newCopy))
            platform::deleteFile(newCopy);
        throw;
    }
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

std::string NewCopyName(const std::string& destination) {
    return markedName(destination, '$');
}

std::string OldCopyName(const std::string& destination) {
    return markedName(destination, '~');
}

std::string NoOldCopyName(const std::string& destination) {
    return markedName(destination, '!');
}

StagedFiles::~StagedFiles() {
    if (!committed_)
        discardNewCopies();
}

void StagedFiles::copy(const std::string& source, const std::string& destination) {
    if (!platform::fileExists(source))
        return;
    // Creating the destination would empty the source first.
    if (sameFile(source, destination))
        return;
    platform::setFileAttributes(source, platform::attr::Archive);
    // A read-only file refuses being written over; so it refuses this too.
    if (readOnly(destination))
        throw platform::IoError(platform::ioerr::AccessDenied);
    const std::string target = NewCopyName(destination);
    writeWhole(target, [&] { copyBlocks(source, target); });
    add(destination);
}

void StagedFiles::writeLines(const std::vector<std::string>& lines,
                             const std::string& destination) {
    const std::string cannotCreate = "Cannot create file " + destination;
    if (readOnly(destination))
        throw std::runtime_error(cannotCreate);
    const std::string target = NewCopyName(destination);
    writeWhole(target, [&] {
        // Closed before an error deletes it, as Windows cannot delete an open file.
        platform::TextWriter writer;
        if (!writer.create(target))
            throw std::runtime_error(cannotCreate);
        for (const std::string& line : lines)
            writer.writeLine(line);
        if (!writer.close())
            throw std::runtime_error("Stream write error");
    });
    add(destination);
}

std::string StagedFiles::newCopyOf(const std::string& destination) const {
    for (const Entry& entry : entries_) {
        if (entry.destination == destination)
            return NewCopyName(destination);
    }
    return "";
}

void StagedFiles::add(const std::string& destination) {
    // Rewriting a file in place keeps its hidden and system bits; so does this.
    const int64_t bits = platform::fileAttributes(destination);
    constexpr uint32_t kept = platform::attr::Hidden | platform::attr::System;
    if (bits >= 0 && (bits & kept) != 0) {
        platform::setFileAttributes(NewCopyName(destination),
                                    (static_cast<uint32_t>(bits) & kept) | platform::attr::Archive);
    }
    for (const Entry& entry : entries_) {
        if (entry.destination == destination)
            return;
    }
    Entry entry;
    entry.destination = destination;
    entries_.push_back(entry);
}

void StagedFiles::commit() {
    for (Entry& entry : entries_) {
        const std::string& destination = entry.destination;
        const std::string old = OldCopyName(destination);
        // Left by an earlier replacement that could not tidy up.
        if (platform::fileExists(old))
            platform::deleteFile(old);
        if (platform::fileExists(destination)) {
            entry.setAside = platform::moveFile(destination, old);
        } else {
            // Tells a recovery that the new file had nothing to replace.
            platform::BinaryFile mark;
            entry.marked = mark.open(NoOldCopyName(destination),
                                     platform::BinaryFile::Mode::CreateAlways) == 0 &&
                           mark.close() == 0;
        }
        if (!(entry.setAside || entry.marked) ||
            !platform::moveFile(NewCopyName(destination), destination)) {
            rollBack();
            throw platform::IoError(platform::ioerr::AccessDenied);
        }
        entry.placed = true;
    }
    committed_ = true;
    // Every destination holds its new file: the old ones can go. One that
    // cannot is deleted by the next recovery.
    for (const Entry& entry : entries_) {
        platform::deleteFile(entry.setAside ? OldCopyName(entry.destination)
                                            : NoOldCopyName(entry.destination));
    }
}

void StagedFiles::rollBack() {
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (entry->placed)
            platform::deleteFile(entry->destination);
        if (entry->setAside)
            platform::moveFile(OldCopyName(entry->destination), entry->destination);
        if (platform::fileExists(NoOldCopyName(entry->destination)))
            platform::deleteFile(NoOldCopyName(entry->destination));
    }
    discardNewCopies();
    committed_ = true;
}

void StagedFiles::discardNewCopies() {
    for (const Entry& entry : entries_) {
        const std::string copy = NewCopyName(entry.destination);
        if (platform::fileExists(copy))
            platform::deleteFile(copy);
    }
}

void RecoverStagedFiles(const std::vector<std::string>& destinations) {
    bool unfinished = false;
    for (const std::string& destination : destinations)
        unfinished = unfinished || platform::fileExists(NewCopyName(destination));
    for (const std::string& destination : destinations) {
        const std::string old = OldCopyName(destination);
        const std::string none = NoOldCopyName(destination);
        if (platform::fileExists(none)) {
            if (unfinished && platform::fileExists(destination))
                platform::deleteFile(destination);
            platform::deleteFile(none);
        }
        if (!platform::fileExists(old))
            continue;
        if (platform::fileExists(destination)) {
            if (!unfinished) {
                platform::deleteFile(old);
                continue;
            }
            platform::deleteFile(destination);
        }
        platform::moveFile(old, destination);
    }
    for (const std::string& destination : destinations) {
        if (platform::fileExists(NewCopyName(destination)))
            platform::deleteFile(NewCopyName(destination));
    }
}

}  // namespace restore
