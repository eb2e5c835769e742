// Backup of the system files at snapshot time, and their restore: four copied
// back, the registry hives staged, and the boot-time restore script written.
#pragma once

#include <cstdint>
#include <string>

namespace restore {

// Copies one file in 4096-byte blocks; nothing when the source is missing.
// Failures throw platform::IoError.
void CopySystemFile(const std::string& source, const std::string& destination);

// Sum of all bytes modulo 2^32 as a signed value; 0 for a missing file.
int32_t ByteSum(const std::string& path);

void BackupSystemFiles();
void RestoreSystemFiles();

}  // namespace restore
