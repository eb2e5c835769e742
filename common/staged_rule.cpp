// The one rule of a staged replace, and the record it reads it from.
#include "common/staged_rule.h"

#include <algorithm>
#include <cstdint>

#include "platform/binaryfile.h"
#include "platform/files.h"
#include "platform/textfile.h"

namespace common::staged {

namespace {

bool present(const std::string& path) {
    return platform::fileExists(path);
}

bool digitsOnly(const std::string& text) {
    return !text.empty() &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// "<0|1> <bytes> <sum> <destination>": the destination last, as it may hold
// blanks.
bool parseEntry(const std::string& line, Part& part) {
    const size_t first = line.find(' ');
    const size_t second = first == std::string::npos ? first : line.find(' ', first + 1);
    const size_t third = second == std::string::npos ? second : line.find(' ', second + 1);
    if (third == std::string::npos || third + 1 >= line.size())
        return false;
    const std::string held = line.substr(0, first);
    const std::string bytes = line.substr(first + 1, second - first - 1);
    const std::string sum = line.substr(second + 1, third - second - 1);
    if ((held != "0" && held != "1") || !digitsOnly(bytes) || !digitsOnly(sum))
        return false;
    part.destination = line.substr(third + 1);
    part.pending = PendingName(part.destination);
    part.aside = AsideName(part.destination);
    part.hadOld = held == "1";
    part.stamp = bytes + " " + sum;
    return true;
}

const char* const RecordEnd = "END";

}  // namespace

std::string markedName(const std::string& path, char mark) {
    const size_t nameStart = path.find_last_of("\\:") + 1;  // 0 when there is none
    const size_t dot = path.find('.', nameStart);
    const size_t baseEnd = dot == std::string::npos ? path.size() : dot;
    const std::string base = path.substr(nameStart, std::min<size_t>(baseEnd - nameStart, 5));
    return path.substr(0, nameStart) + base + mark + "TM" + path.substr(baseEnd);
}

std::string contentStamp(const std::string& path) {
    platform::BinaryFile file;
    if (!present(path) || file.open(path, platform::BinaryFile::Mode::ReadWriteExisting) != 0)
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

platform::IoResult writeRecord(const std::string& path, const std::vector<Part>& parts) {
    platform::TextWriter writer;
    const platform::IoResult created = writer.create(path);
    if (!created)
        return created;
    platform::IoResult written;
    for (const Part& part : parts) {
        const std::string line =
            std::string(part.hadOld ? "1 " : "0 ") + part.stamp + " " + part.destination;
        written = platform::firstFailure(written, writer.writeLine(line));
    }
    written = platform::firstFailure(written, writer.writeLine(RecordEnd));
    return platform::firstFailure(written, writer.close());
}

bool readRecord(const std::string& path, std::vector<Part>& parts) {
    std::vector<std::string> lines;
    parts.clear();
    if (!platform::loadTextLines(path, lines) || lines.empty() || lines.back() != RecordEnd)
        return false;
    lines.pop_back();
    for (const std::string& line : lines) {
        Part part;
        if (!parseEntry(line, part)) {
            parts.clear();
            return false;
        }
        parts.push_back(part);
    }
    return true;
}

bool finish(const Reading& reading, bool compare) {
    bool done = true;
    for (const Part& part : reading.parts) {
        if (!present(part.pending))
            continue;
        if (present(part.destination)) {
            // A file in the place of a pending copy is the old one, not yet
            // set aside.
            const bool cleared = present(part.aside)
                                     ? platform::deleteFile(part.destination).ok()
                                     : platform::moveFile(part.destination, part.aside).ok();
            if (!cleared) {
                done = false;
                continue;
            }
        }
        done = platform::moveFile(part.pending, part.destination) && done;
    }
    bool kept = false;
    for (const Part& part : reading.parts) {
        if (present(part.aside)) {
            if (!present(part.destination)) {
                // Nothing new reached the place: the old file is better than none.
                done = platform::moveFile(part.aside, part.destination) && done;
            } else if (!compare || part.stamp.empty() ||
                       part.stamp == contentStamp(part.destination)) {
                done = platform::deleteFile(part.aside) && done;
            } else {
                // The destination is not the whole new copy: its old one
                // stays, and what tells so.
                kept = true;
                continue;
            }
        }
        if (!present(part.aside)) {
            for (const std::string& note : part.notes)
                done = Discard(note) && done;
        }
    }
    for (const std::string& stray : reading.strays)
        done = Discard(stray) && done;
    if (!done || kept)
        return done;
    for (const std::string& note : reading.notes)
        done = Discard(note) && done;
    return done;
}

bool undo(const Reading& reading) {
    bool done = true;
    for (auto part = reading.parts.rbegin(); part != reading.parts.rend(); ++part) {
        if (present(part->aside)) {
            if (present(part->destination)) {
                // The new copy goes back under its pending name, so that the
                // set still reads as unfinished should the next move fail.
                const bool cleared =
                    present(part->pending)
                        ? platform::deleteFile(part->destination).ok()
                        : platform::moveFile(part->destination, part->pending).ok();
                if (!cleared) {
                    done = false;
                    continue;
                }
            }
            done = platform::moveFile(part->aside, part->destination) && done;
        } else if (!part->hadOld && !present(part->pending) && present(part->destination)) {
            done = platform::moveFile(part->destination, part->pending) && done;
        }
    }
    // Each new copy is kept until every old file is back.
    if (!done)
        return false;
    for (const Part& part : reading.parts) {
        done = Discard(part.pending) && done;
        for (const std::string& note : part.notes)
            done = Discard(note) && done;
    }
    for (const std::string& stray : reading.strays)
        done = Discard(stray) && done;
    if (!done)
        return false;
    for (const std::string& note : reading.notes)
        done = Discard(note) && done;
    return done;
}

}  // namespace common::staged
