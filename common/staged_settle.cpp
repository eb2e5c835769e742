// Reading a set's state from the files it left, this version's or an earlier
// one's, and settling it by the one rule.
#include <algorithm>

#include "common/staged_rule.h"
#include "platform/files.h"
#include "platform/textfile.h"

namespace common {

namespace {

using staged::Part;
using staged::Reading;

bool present(const std::string& path) {
    return platform::fileExists(path);
}

// An earlier version's names beside a destination: an empty file saying it
// held nothing, and one line with the size and sum of its new copy.
std::string earlierNothingName(const std::string& destination) {
    return staged::markedName(destination, '!');
}
std::string earlierStampName(const std::string& destination) {
    return staged::markedName(destination, '^');
}

// A stamp that matches no file: a recorded set whose record cannot be read
// keeps its old copies.
const char* const Unknown = "?";

Part partOf(const std::string& destination) {
    Part part;
    part.destination = destination;
    part.pending = PendingName(destination);
    part.aside = AsideName(destination);
    return part;
}

// A set under an earlier version's own names: committed once an old copy was
// set aside, when every new copy had been written whole.
Reading readEarlierNames(const ReplaceSet& set) {
    Reading reading;
    const size_t count = std::min(set.destinations.size(), set.earlier.size());
    for (size_t i = 0; i < count; ++i) {
        Part part;
        part.destination = set.destinations[i];
        part.pending = set.earlier[i].pending;
        part.aside = set.earlier[i].aside;
        reading.found = reading.found || present(part.pending) || present(part.aside);
        reading.committed = reading.committed || present(part.aside);
        reading.parts.push_back(part);
    }
    return reading;
}

// With a mark or a record: the destinations it lists; the others' pending
// copies are strays.
Reading readRecorded(const ReplaceSet& set, const std::string& file, bool committed) {
    Reading reading;
    reading.found = true;
    reading.committed = committed;
    const std::string& lead = set.destinations.front();
    reading.notes = {MarkName(lead), RecordName(lead)};
    if (!staged::readRecord(file, reading.parts)) {
        // A record cut short was never acted on: nothing was moved yet. A
        // mark is a whole record renamed; one that cannot be read keeps the
        // old copies.
        for (const std::string& destination : set.destinations) {
            reading.parts.push_back(partOf(destination));
            if (committed)
                reading.parts.back().stamp = Unknown;
        }
        return reading;
    }
    for (const std::string& destination : set.destinations) {
        const bool listed =
            std::any_of(reading.parts.begin(), reading.parts.end(),
                        [&](const Part& part) { return part.destination == destination; });
        if (!listed)
            reading.strays.push_back(PendingName(destination));
    }
    return reading;
}

// Neither mark nor record: pending copies of a replace never committed, or a
// set left by the earlier version that used the same pending and aside names.
// That one had finished once no pending copy was left.
Reading readUnrecorded(const ReplaceSet& set) {
    Reading reading;
    bool pendingLeft = false;
    for (const std::string& destination : set.destinations) {
        Part part = partOf(destination);
        const std::string nothing = earlierNothingName(destination);
        const std::string stampFile = earlierStampName(destination);
        part.hadOld = !present(nothing);
        if (present(stampFile)) {
            std::vector<std::string> lines;
            const bool read = platform::loadTextLines(stampFile, lines) && lines.size() == 1;
            part.stamp = read ? lines[0] : Unknown;
        }
        pendingLeft = pendingLeft || present(part.pending);
        reading.found = reading.found || present(part.pending) || present(part.aside) ||
                        present(nothing) || present(stampFile);
        part.notes = {nothing, stampFile};
        reading.parts.push_back(part);
    }
    reading.committed = !pendingLeft;
    return reading;
}

bool apply(const Reading& reading, bool compare) {
    if (!reading.found)
        return true;
    return reading.committed ? staged::finish(reading, compare) : staged::undo(reading);
}

}  // namespace

namespace staged {

bool settle(const ReplaceSet& set, bool compare) {
    if (set.destinations.empty())
        return true;
    if (!apply(readEarlierNames(set), compare))
        return false;
    const std::string& lead = set.destinations.front();
    if (present(MarkName(lead)))
        return apply(readRecorded(set, MarkName(lead), true), compare);
    if (present(RecordName(lead)))
        return apply(readRecorded(set, RecordName(lead), false), compare);
    return apply(readUnrecorded(set), compare);
}

}  // namespace staged

bool SettleReplace(const ReplaceSet& set) {
    return staged::settle(set, true);
}

std::vector<std::string> ReplaceNames(const ReplaceSet& set) {
    std::vector<std::string> names;
    for (const std::string& destination : set.destinations) {
        names.push_back(PendingName(destination));
        names.push_back(AsideName(destination));
        names.push_back(earlierNothingName(destination));
        names.push_back(earlierStampName(destination));
    }
    for (const EarlierNames& earlier : set.earlier) {
        names.push_back(earlier.pending);
        names.push_back(earlier.aside);
    }
    if (!set.destinations.empty()) {
        names.push_back(RecordName(set.destinations.front()));
        names.push_back(MarkName(set.destinations.front()));
    }
    return names;
}

}  // namespace common
