// The parts of a staged replace shared by its commit and its settle: a set as
// read from the disk, the one rule that finishes or undoes it, and the record.
#pragma once

#include <string>
#include <vector>

#include "common/staged_replace.h"
#include "platform/ioerror.h"

namespace common::staged {

struct Part {
    std::string destination;
    std::string pending;
    std::string aside;
    bool hadOld = true;  // the destination held a file before the replace
    // "<bytes> <sum>" of the new copy; "" when not known, then the old copy
    // goes without a comparison.
    std::string stamp;
    // An earlier version's marks beside the destination: deleted once its
    // old copy is gone.
    std::vector<std::string> notes;
};

// A set as the files on the disk show it.
struct Reading {
    bool found = false;      // anything to settle at all
    bool committed = false;  // finish it; else undo it
    std::vector<Part> parts;
    // Pending copies of destinations the set did not replace.
    std::vector<std::string> strays;
    // The record, mark or an earlier version's marks: deleted last.
    std::vector<std::string> notes;
};

// "C:\WINDOWS\SYSTEM.INI" with '$' gives "C:\WINDOWS\SYSTE$TM.INI".
std::string markedName(const std::string& path, char mark);

// "<bytes> <sum>" of a file's contents, "" when it cannot be read: what a
// settle compares a destination with to know it holds the whole new copy.
std::string contentStamp(const std::string& path);

platform::IoResult writeRecord(const std::string& path, const std::vector<Part>& parts);
// False unless the record was written whole.
bool readRecord(const std::string& path, std::vector<Part>& parts);

// Finishing puts each pending copy still there in place, then deletes the old
// copies; with compare, an old copy stays beside a destination that does not
// match its new copy's stamp. Undoing puts every old copy back and removes the
// new ones. Both leave what fails for the next settle, with the set reading
// the same, and delete the notes only once all is done.
bool finish(const Reading& reading, bool compare);
bool undo(const Reading& reading);

// Settles the set; compare as for finish().
bool settle(const ReplaceSet& set, bool compare);

}  // namespace common::staged
