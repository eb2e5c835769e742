// Files that replace their destinations together and only when whole.
//
// Each new file is first written in full beside its destination, under a name
// of its own: the first five characters of the destination's name, "$TM" and
// its extension (SYSTE$TM.INI for SYSTEM.INI). commit() then
// puts the new files in place one by one. Windows 95/98 cannot replace a file
// in one step (MoveFileExA is a stub there), so each one is:
//   1. the old file is renamed to the name with "~TM" (SYSTE~TM.INI) or, when
//      there is none, an empty file with "!TM" (SYSTE!TM.INI) says so;
//   2. the new file is renamed to the destination's name;
// and once every destination holds its new file, the old ones (and the "!TM"
// marks) are deleted. Between 1 and 2 the destination is missing and its old
// file sits under the "~TM" name: the one window in which a power cut leaves a
// destination missing, and the recovery puts it back. Before 1, a "^TM" file
// records the size and sum of the new copy: an old copy is deleted only beside
// a destination that matches it. A failure puts every
// old file back and deletes the new ones, so a set is replaced whole or not at
// all. After a power cut, RecoverStagedFiles() finishes the job: while any "$TM"
// file of the set is left, the set was not complete, every old file goes back
// and a new file marked "!TM" is deleted; otherwise the old files are deleted.
#pragma once

#include <string>
#include <vector>

namespace restore {

std::string NewCopyName(const std::string& destination);
std::string OldCopyName(const std::string& destination);
std::string NoOldCopyName(const std::string& destination);
// "^TM": the size and sum of the new copy, written before its destination is
// set aside, so that a recovery deletes the old copy only beside the whole
// new one.
std::string NewCopyStampName(const std::string& destination);

class StagedFiles {
public:
    StagedFiles() = default;
    // New files that were never committed are deleted.
    ~StagedFiles();
    StagedFiles(const StagedFiles&) = delete;
    StagedFiles& operator=(const StagedFiles&) = delete;

    // Copies source in 4096-byte blocks to the new file of destination.
    // Nothing when no file exists at source or when both name one file. The
    // source is left with the archive attribute only. A read-only destination
    // refuses, as it would refuse being written over. Throws platform::IoError.
    void copy(const std::string& source, const std::string& destination);
    // Writes the lines, each ended by CR LF, as the new file of destination.
    // Throws std::runtime_error "Cannot create file <destination>".
    void writeLines(const std::vector<std::string>& lines, const std::string& destination);
    // The new file written for destination, or "" when there is none.
    std::string newCopyOf(const std::string& destination) const;

    // Puts every new file in place; on a failure every destination is put
    // back as it was and platform::IoError is thrown.
    void commit();

private:
    struct Entry {
        std::string destination;
        bool setAside = false;
        bool marked = false;
        bool placed = false;
        bool stamped = false;
    };
    void add(const std::string& destination);
    void rollBack();
    void discardNewCopies();

    std::vector<Entry> entries_;
    bool committed_ = false;
};

// Completes or undoes a commit of these destinations that was cut short.
void RecoverStagedFiles(const std::vector<std::string>& destinations);

}  // namespace restore
