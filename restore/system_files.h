// Backup of the system files at snapshot time, and their restore: four copied
// back, the registry hives staged, and the boot-time restore script written.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "snapshot/walk_view.h"

namespace restore {

// Copies one file in 4096-byte blocks; nothing when the source is missing.
// The destination is replaced only by the whole copy; failures leave it as it
// was and throw platform::IoError.
void CopySystemFile(const std::string& source, const std::string& destination);

// Sum of all bytes modulo 2^32 as a signed value; 0 for a missing file.
int32_t ByteSum(const std::string& path);

// Finishes or undoes a backup or restore that a power cut stopped part-way
// (see common/staged_replace.h); false when a step failed and leftovers
// remain. The backup and the restore run it first, and stop when their own
// set cannot be settled.
bool RecoverSystemFiles();

// Files never to be offered for removal, whatever a snapshot says: the live
// registry hives, and every file the backup and the restore stage (the .QX1
// copies, and the names of the staged replace beside each destination);
// full paths, upper-cased. Empty without a Windows folder.
std::vector<std::string> ProtectedFiles();

// Shows "Backing up.." on the view, when there is one, while it copies.
void BackupSystemFiles(snapshot::WalkView* progress = nullptr);
void RestoreSystemFiles();

}  // namespace restore
