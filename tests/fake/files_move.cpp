// Renaming a file or a folder on the stand-in, with MoveFileA's refusal to
// replace.
#include <cerrno>
#include <cstdio>

#include "fake/faults.h"
#include "fake/fileio.h"
#include "fake/host.h"
#include "fake/paths.h"
#include "platform/files.h"

namespace platform {

using namespace platform::fake;

IoResult moveFile(const std::string& from, const std::string& to) {
    const std::string source = resolveHost(from);
    const HostKind kind = hostKind(source);
    if (kind == HostKind::Missing || source.empty())
        return IoResult::failure(missingCause(source));
    if (hostFileInUse(source))
        return IoResult::failure(ioerr::SharingViolation);
    const std::string target = resolveHost(to);
    if (target.empty())
        return IoResult::failure(ioerr::InvalidFilename);
    if (hostKind(target) != HostKind::Missing)
        return IoResult::failure(ioerr::AlreadyExists);
    const size_t cut = target.find_last_of('/');
    if (cut == std::string::npos || !isFolderKind(hostKind(target.substr(0, cut))))
        return IoResult::failure(ioerr::InvalidFilename);
    // Nor into itself.
    if (target.compare(0, source.size() + 1, source + "/") == 0)
        return IoResult::failure(ioerr::AccessDenied);
    const faults::Decision decision = faults::beforeStep(faults::Step::Move, from);
    if (!decision.proceeds())
        return IoResult::failure(decision.cause);
    const IoResult moved = std::rename(source.c_str(), target.c_str()) == 0
                               ? IoResult()
                               : IoResult::failure(hostErrorCode(errno));
    if (moved)
        moveHostAttributes(source, target);
    faults::afterStep();
    return moved;
}

}  // namespace platform
