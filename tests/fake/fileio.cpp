// Opening machine files with Windows' checks: the stand-in's read-only bit
// is honoured even though the host would let root write anything.
#include "fake/fileio.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "fake/faults.h"
#include "fake/host.h"
#include "fake/paths.h"
#include "fake/state.h"
#include "platform/files.h"
#include "platform/ioerror.h"

namespace platform::fake {

namespace {

namespace share {
constexpr unsigned Read = 1, Write = 2;
}

constexpr int SharingViolation = 32;

// As CreateFileA decides it: every handle already open must share what the
// new one asks for, and the new one must share what each of them holds.
bool sharingAllows(const std::string& host, unsigned access, unsigned sharing) {
    for (const auto& [fd, open] : state().openFiles) {
        if (open.host == host && ((access & ~open.sharing) != 0 || (open.access & ~sharing) != 0))
            return false;
    }
    return true;
}

}  // namespace

bool hostFileInUse(const std::string& host) {
    for (const auto& [fd, open] : state().openFiles) {
        if (open.host == host)
            return true;
    }
    return false;
}

bool closeMachineFile(int fd) {
    // Only once: the number may already belong to another file.
    if (state().openFiles.erase(fd) == 0)
        return false;
    return close(fd) == 0;
}

int openMachineFile(const std::string& path, OpenFor mode, int& fd) {
    fd = -1;
    const std::string full = absolutePath(path);
    const WinPath parts = splitPath(full);
    const std::string host = resolveHost(full);
    if (host.empty() || parts.parts.empty())
        return ioerr::InvalidFilename;
    const size_t cut = host.find_last_of('/');
    if (!isFolderKind(hostKind(host.substr(0, cut))))
        return ioerr::InvalidFilename;

    const HostKind kind = hostKind(host);
    if (isFolderKind(kind))
        return ioerr::AccessDenied;
    const bool exists = kind != HostKind::Missing;
    if (mode != OpenFor::CreateAlways && !exists)
        return ioerr::FileNotFound;
    if (mode != OpenFor::Read && exists && hostReadOnly(host))
        return ioerr::AccessDenied;

    const unsigned access = mode == OpenFor::Read ? share::Read : share::Read | share::Write;
    const unsigned sharing =
        mode == OpenFor::CreateAlways ? share::Read : share::Read | share::Write;
    if (exists && !sharingAllows(host, access, sharing))
        return SharingViolation;

    // Rewriting a file keeps its hidden and system bits and marks it for backup.
    const int64_t before = exists ? hostAttributes(host) : -1;

    if (mode == OpenFor::CreateAlways) {
        const faults::Decision decision = faults::beforeStep(faults::Step::Create, path);
        if (!decision.proceeds())
            return decision.cause;
    }

    int flags = O_RDONLY;
    if (mode == OpenFor::ReadWriteExisting)
        flags = O_RDWR;
    if (mode == OpenFor::CreateAlways)
        flags = O_RDWR | O_CREAT | O_TRUNC;
    fd = open(host.c_str(), flags | O_CLOEXEC, 0666);
    if (fd < 0) {
        const int code = hostErrorCode(errno);
        if (mode == OpenFor::CreateAlways)
            faults::afterStep();
        return code;
    }
    state().openFiles[fd] = OpenFile{host, access, sharing};
    if (mode == OpenFor::CreateAlways) {
        if (before < 0)
            forgetHostAttributes(host);
        else
            setHostAttributes(host, static_cast<uint32_t>(before) | attr::Archive);
        faults::afterStep();
    }
    return 0;
}

int hostErrorCode(int error) {
    switch (error) {
        case ENOSPC:
        case EFBIG:
            return ioerr::DiskFull;
        case ENOENT:
            return ioerr::FileNotFound;
        default:
            return ioerr::AccessDenied;
    }
}

int hostFolderError(int error) {
    switch (error) {
        case ENOTEMPTY:
            return ioerr::FolderNotEmpty;
        case EEXIST:
            return ioerr::AlreadyExists;
        case ENOENT:
        case ENOTDIR:
            return ioerr::InvalidFilename;
        default:
            return hostErrorCode(error);
    }
}

int missingCause(const std::string& host) {
    const size_t cut = host.find_last_of('/');
    if (host.empty() || cut == std::string::npos || !isFolderKind(hostKind(host.substr(0, cut))))
        return ioerr::InvalidFilename;
    return ioerr::FileNotFound;
}

IoResult writeAll(int fd, const char* data, size_t size) {
    while (size > 0) {
        const ssize_t done = write(fd, data, size);
        if (done < 0) {
            if (errno == EINTR)
                continue;
            return IoResult::failure(hostErrorCode(errno));
        }
        data += done;
        size -= static_cast<size_t>(done);
    }
    return IoResult();
}

IoResult writeStep(int fd, const char* data, size_t size, const std::string& path) {
    const faults::Decision decision = faults::beforeStep(faults::Step::Write, path);
    if (decision.action == faults::Action::HalfWrite)
        writeAll(fd, data, size / 2);
    if (!decision.proceeds())
        return IoResult::failure(decision.cause);
    const IoResult written = writeAll(fd, data, size);
    faults::afterStep();
    return written;
}

IoResult closeStep(int fd, const std::string& path) {
    faults::Decision decision;
    try {
        decision = faults::beforeStep(faults::Step::Close, path);
    } catch (const faults::PowerCut&) {
        // The power takes the open file with it.
        closeMachineFile(fd);
        throw;
    }
    if (!decision.proceeds()) {
        closeMachineFile(fd);
        return IoResult::failure(decision.cause);
    }
    const IoResult closed =
        closeMachineFile(fd) ? IoResult() : IoResult::failure(hostErrorCode(errno));
    faults::afterStep();
    return closed;
}

}  // namespace platform::fake
