// Replacing a set of files together, each only by a whole new copy, so that a
// failure leaves the old set and a power cut the old or the new set whole once
// the next start has settled it. Windows 95/98 cannot replace a file in one
// step (MoveFileExA is a stub there), so each destination is replaced by two
// renames, and the set by these steps:
//   1. each new copy is written in full under its pending name;
//   2. the record, beside the set's first destination, lists each destination
//      with whether it held a file and the size and sum of its new copy;
//   3. for each destination in turn: its old file is renamed to its aside
//      name, and the pending copy to the destination's name;
//   4. the record is renamed to the mark: the set is committed;
//   5. the old files go, then the mark.
// The one recovery rule: a set whose mark is there is finished (its old files
// deleted, each only beside a destination that still holds the whole new
// copy); a set with a record but no mark is undone (every old file back, every
// new one gone). Every move is checked, a move back too; whatever fails is
// left for the next settle, which still reads the set the same way.
//
// Names, beside the file they belong to: the first five characters of the
// name, a mark character, "TM" and the extension, so that they stay short
// names and no other program's (SYSTEM.INI: SYSTE$TM.INI pending, SYSTE~TM.INI
// aside; beside the first destination, SYSTE@TM.INI record, SYSTE#TM.INI mark).
#pragma once

#include <string>
#include <vector>

#include "platform/ioerror.h"

namespace common {

std::string PendingName(const std::string& destination);
std::string AsideName(const std::string& destination);
std::string RecordName(const std::string& lead);
std::string MarkName(const std::string& lead);

// Where an earlier version kept one destination's new and old copy while it
// replaced a set under names of its own. Such a set counts as committed once
// any of its old copies was set aside.
struct EarlierNames {
    std::string pending;
    std::string aside;
};

// A set: every destination a replace of it may put a file in, the first one
// holding its record and mark; and, for each destination in the same order
// or none at all, an earlier version's names for it.
struct ReplaceSet {
    std::vector<std::string> destinations;
    std::vector<EarlierNames> earlier;
};

// Finishes or undoes a replace of the set that was cut short, including one
// left by an earlier version (its own names, or the pending and aside names
// with an empty "!TM" file for a destination that held nothing and a "^TM"
// file with the size and sum of a new copy). False when a step failed and
// leftovers remain for the next settle.
bool SettleReplace(const ReplaceSet& set);

// Every name a replace of the set may leave behind, this version's and the
// earlier ones', as given: no walk is to offer them for removal.
std::vector<std::string> ReplaceNames(const ReplaceSet& set);

// The file exists and is read-only: it refuses being written over.
bool ReadOnly(const std::string& path);
// Deletes the file if there is one; true when none is left.
bool Discard(const std::string& path);

class StagedReplace {
public:
    explicit StagedReplace(ReplaceSet set);
    // Pending copies never committed are deleted.
    ~StagedReplace();
    StagedReplace(const StagedReplace&) = delete;
    StagedReplace& operator=(const StagedReplace&) = delete;

    // Settles what an earlier replace of the set left, and deletes the old
    // copies a finished one kept beside changed destinations: the set then
    // holds nothing but its destinations. False when it could not: nothing
    // may be staged then.
    bool prepare();
    // The name to write the destination's new copy under, whole, before
    // commit(). Destinations are replaced in the order they are staged.
    std::string stage(const std::string& destination);
    bool staged(const std::string& destination) const;

    // Puts every staged copy in place. False when a step failed: every
    // destination is then as it was, or is put back by the next settle;
    // failedAt() names the destination (the first one for the record) and
    // failure() the system's cause.
    bool commit();
    const std::string& failedAt() const { return failedAt_; }
    const platform::IoResult& failure() const { return failure_; }

private:
    bool fail(const std::string& destination, const platform::IoResult& cause);

    ReplaceSet set_;
    std::vector<std::string> staged_;
    bool settled_ = false;  // committed or undone: the pending copies are not ours to drop
    std::string failedAt_;
    platform::IoResult failure_;
};

}  // namespace common
