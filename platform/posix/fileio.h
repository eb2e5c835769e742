// Opening machine files as Windows would allow it, with its error codes.
#pragma once

#include <string>

namespace platform::posix {

enum class OpenFor { Read, ReadWriteExisting, CreateAlways };

// Opens the file of a Windows path; 0 and a host descriptor on success, else
// 2 (no such file), 3 (no such folder) or 5 (access denied: a folder, or a
// read-only file opened for writing).
int openMachineFile(const std::string& path, OpenFor mode, int& fd);

// Writes every byte; false on a failed write.
bool writeAll(int fd, const char* data, size_t size);

}  // namespace platform::posix
