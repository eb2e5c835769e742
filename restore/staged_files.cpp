// Whole-file replacement of a set of destinations, with its recovery after a
// power cut; the sequence is described in staged_files.h.
#include "restore/staged_files.h"

#include <algorithm>
#include <stdexcept>

#include "platform/binaryfile.h"
#include "platform/files.h"
#include "platform/ioerror.h"
#include "platform/text_rules.h"
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

bool sameFile(const std::string& a, const std::string& b) {
    return platform::sameText(platform::fullPath(a), platform::fullPath(b));
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

// "<bytes> <sum>" of a file's contents, "" when it cannot be read: what a
// recovery compares a destination with to know it holds the whole new copy.
std::string contentStamp(const std::string& path) {
    platform::BinaryFile file;
    if (!platform::fileExists(path) ||
        file.open(path, platform::BinaryFile::Mode::ReadWriteExisting) != 0)
        return "";
    uint64_t bytes = 0;
    uint32_t sum = 0;
    unsigned char block[4096];
    for (;;) {
        size_t got = 0;
        if (file.read(block, sizeof block, got) != 0)
            return "";
        if (got == 0)
            break;
        bytes += got;
        for (size_t i = 0; i < got; ++i)
            sum = sum * 31 + block[i];
    }
    if (file.close() != 0)
        return "";
    return std::to_string(bytes) + " " + std::to_string(sum);
}

bool writeStamp(const std::string& path, const std::string& stamp) {
    platform::TextWriter writer;
    if (!writer.create(path))
        return false;
    const bool written = writer.writeLine(stamp).ok();
    return writer.close() && written;
}

std::string readStamp(const std::string& path) {
    std::vector<std::string> lines;
    if (!platform::loadTextLines(path, lines) || lines.size() != 1)
        return "";
    return lines[0];
}

void removeIfThere(const std::string& path) {
    if (platform::fileExists(path))
        platform::deleteFile(path);
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

std::string NewCopyStampName(const std::string& destination) {
    return markedName(destination, '^');
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
        // What the new copy holds, so that a recovery deletes the old copy
        // only beside the whole new one.
        const std::string stamp = contentStamp(NewCopyName(destination));
        if (stamp.empty() || !writeStamp(NewCopyStampName(destination), stamp)) {
            removeIfThere(NewCopyStampName(destination));
            rollBack();
            throw platform::IoError(platform::ioerr::AccessDenied);
        }
        entry.stamped = true;
        if (platform::fileExists(destination)) {
            entry.setAside = platform::moveFile(destination, old).ok();
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
        const bool gone = platform::deleteFile(entry.setAside ? OldCopyName(entry.destination)
                                                              : NoOldCopyName(entry.destination))
                              .ok();
        if (gone)
            platform::deleteFile(NewCopyStampName(entry.destination));
    }
}

// Each placed new copy goes back under its new-copy name and each old file
// back in its place. Should a move fail, every new copy is kept: while one is
// left the set counts as unfinished, and the next recovery (at the latest the
// next start of the program) puts the old files back.
void StagedFiles::rollBack() {
    bool whole = true;
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        const std::string& destination = entry->destination;
        if (entry->placed) {
            if (!platform::moveFile(destination, NewCopyName(destination))) {
                whole = false;
                continue;
            }
            entry->placed = false;
        }
        if (entry->setAside) {
            if (!platform::moveFile(OldCopyName(destination), destination)) {
                whole = false;
                continue;
            }
            entry->setAside = false;
        }
    }
    committed_ = true;
    if (!whole)
        return;
    for (const Entry& entry : entries_) {
        removeIfThere(NoOldCopyName(entry.destination));
        if (entry.stamped)
            removeIfThere(NewCopyStampName(entry.destination));
    }
    discardNewCopies();
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
    // A step that fails keeps the new copies, so that the next recovery
    // still knows the set as unfinished.
    bool settled = true;
    for (const std::string& destination : destinations) {
        const std::string old = OldCopyName(destination);
        const std::string none = NoOldCopyName(destination);
        const std::string stampFile = NewCopyStampName(destination);
        if (platform::fileExists(none)) {
            if (unfinished && platform::fileExists(destination))
                platform::deleteFile(destination);
            platform::deleteFile(none);
        }
        if (platform::fileExists(old)) {
            if (platform::fileExists(destination)) {
                if (!unfinished) {
                    // A replacement without a stamp is older than the
                    // stamps and had finished; with one, the old copy goes
                    // only beside the whole new copy. Anything else keeps
                    // both.
                    const bool stamped = platform::fileExists(stampFile);
                    if (!stamped || readStamp(stampFile) == contentStamp(destination))
                        platform::deleteFile(old);
                    if (!platform::fileExists(old))
                        removeIfThere(stampFile);
                    continue;
                }
                platform::deleteFile(destination);
            }
            settled = platform::moveFile(old, destination) && settled;
        }
        if (!platform::fileExists(old))
            removeIfThere(stampFile);
    }
    if (!settled)
        return;
    for (const std::string& destination : destinations)
        removeIfThere(NewCopyName(destination));
}

}  // namespace restore
