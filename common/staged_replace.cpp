// The names of a staged replace and its commit; the sequence is described in
// staged_replace.h.
#include "common/staged_replace.h"

#include <algorithm>
#include <utility>

#include "common/staged_rule.h"
#include "platform/files.h"

namespace common {

std::string PendingName(const std::string& destination) {
    return staged::markedName(destination, '$');
}

std::string AsideName(const std::string& destination) {
    return staged::markedName(destination, '~');
}

std::string RecordName(const std::string& lead) {
    return staged::markedName(lead, '@');
}

std::string MarkName(const std::string& lead) {
    return staged::markedName(lead, '#');
}

bool ReadOnly(const std::string& path) {
    const int64_t bits = platform::fileAttributes(path);
    return bits >= 0 && (bits & platform::attr::ReadOnly) != 0;
}

bool Discard(const std::string& path) {
    return !platform::fileExists(path) || platform::deleteFile(path);
}

StagedReplace::StagedReplace(ReplaceSet set) : set_(std::move(set)) {}

StagedReplace::~StagedReplace() {
    if (settled_)
        return;
    for (const std::string& destination : staged_)
        Discard(PendingName(destination));
}

bool StagedReplace::prepare() {
    // Without comparing: an old copy that a finished replace kept beside a
    // destination changed since goes now, as a new set takes its place.
    return staged::settle(set_, false);
}

std::string StagedReplace::stage(const std::string& destination) {
    if (!staged(destination)) {
        staged_.push_back(destination);
        const std::vector<std::string>& all = set_.destinations;
        if (std::find(all.begin(), all.end(), destination) == all.end())
            set_.destinations.push_back(destination);
    }
    return PendingName(destination);
}

bool StagedReplace::staged(const std::string& destination) const {
    return std::find(staged_.begin(), staged_.end(), destination) != staged_.end();
}

bool StagedReplace::fail(const std::string& destination, const platform::IoResult& cause) {
    failedAt_ = destination;
    failure_ = cause;
    return false;
}

bool StagedReplace::commit() {
    if (staged_.empty()) {
        settled_ = true;
        return true;
    }
    const std::string& lead = set_.destinations.front();
    staged::Reading reading;
    reading.notes = {RecordName(lead)};
    for (const std::string& destination : staged_) {
        staged::Part part;
        part.destination = destination;
        part.pending = PendingName(destination);
        part.aside = AsideName(destination);
        part.hadOld = platform::fileExists(destination);
        part.stamp = staged::contentStamp(part.pending);
        // Unread, the copy cannot be known whole.
        if (part.stamp.empty())
            return fail(destination, platform::IoResult::failure(platform::ioerr::AccessDenied));
        reading.parts.push_back(part);
    }
    const platform::IoResult recorded = staged::writeRecord(RecordName(lead), reading.parts);
    if (!recorded) {
        Discard(RecordName(lead));
        return fail(lead, recorded);
    }
    // From here the record says how to undo; the pending copies are the
    // settle's.
    settled_ = true;
    for (const staged::Part& part : reading.parts) {
        platform::IoResult placed;
        if (part.hadOld)
            placed = platform::moveFile(part.destination, part.aside);
        if (placed)
            placed = platform::moveFile(part.pending, part.destination);
        if (!placed) {
            staged::undo(reading);
            return fail(part.destination, placed);
        }
    }
    const platform::IoResult committed = platform::moveFile(RecordName(lead), MarkName(lead));
    if (!committed) {
        staged::undo(reading);
        return fail(lead, committed);
    }
    // Committed: an old copy that cannot be deleted now goes at the next settle.
    reading.committed = true;
    reading.notes = {MarkName(lead)};
    staged::finish(reading, false);
    return true;
}

}  // namespace common
