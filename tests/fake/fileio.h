// Opening machine files as Windows would allow it, with its error codes.
#pragma once

#include <string>

#include "platform/ioerror.h"

namespace platform::fake {

enum class OpenFor { Read, ReadWriteExisting, CreateAlways };

// Opens the file of a Windows path; 0 and a host descriptor on success, else
// 2 (no such file), 3 (no such folder), 5 (access denied: a folder, or a
// read-only file opened for writing) or 32 (in use in a way this open does
// not allow). A file open for reading lets others read and write it; one
// open for writing lets others only read it (BinaryFile's ReadWriteExisting
// lets them write too); none lets it be deleted or renamed.
int openMachineFile(const std::string& path, OpenFor mode, int& fd);
// Closes what openMachineFile opened; false when the close failed or the
// file was closed already.
bool closeMachineFile(int fd);
// Whether the file at a host path is held open.
bool hostFileInUse(const std::string& host);

// Writes every byte; the cause of a failed write.
IoResult writeAll(int fd, const char* data, size_t size);

// The I/O error code of a host errno: a full disk or a file grown past the
// host's limit is a full disk, a missing file is one, the rest access denied.
int hostErrorCode(int error);
// The same for making and removing a folder: a folder not empty, or already
// there, or a folder above it missing.
int hostFolderError(int error);
// Why nothing was found at a host path: no such file in a folder that is
// there, else no such folder (or drive).
int missingCause(const std::string& host);

// The product's writes and closes of a machine file, each one step that an
// injected fault can fail, cut in half or end with a power cut. path names the
// file for the fault hook.
IoResult writeStep(int fd, const char* data, size_t size, const std::string& path);
IoResult closeStep(int fd, const std::string& path);

}  // namespace platform::fake
