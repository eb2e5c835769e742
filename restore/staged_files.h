// The system files' copies: a set of new copies, each written whole in blocks, that replaces its
// destinations together and only when whole (common::StagedReplace).
#pragma once

#include <string>
#include <vector>

#include "common/staged_replace.h"

namespace restore {

class StagedFiles {
public:
    // set: every destination the copies may go to. Settles what an earlier
    // replace of it left first; throws platform::IoError when that fails.
    explicit StagedFiles(std::vector<std::string> set);
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
    void keepAttributes(const std::string& destination);

    common::StagedReplace replace_;
};

}  // namespace restore
