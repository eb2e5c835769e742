// Renaming a file or a folder on the stand-in, with MoveFileA's refusal to
// replace.
#include <cstdio>

#include "fake/faults.h"
#include "fake/fileio.h"
#include "fake/host.h"
#include "fake/paths.h"
#include "platform/files.h"

namespace platform {

using namespace platform::fake;

bool moveFile(const std::string& from, const std::string& to) {
    const std::string source = resolveHost(from);
    const HostKind kind = hostKind(source);
    if (kind == HostKind::Missing || source.empty() || hostFileInUse(source))
        return false;
    const std::string target = resolveHost(to);
    if (target.empty() || hostKind(target) != HostKind::Missing)
        return false;
    const size_t cut = target.find_last_of('/');
    if (cut == std::string::npos || !isFolderKind(hostKind(target.substr(0, cut))))
        return false;
    // Nor into itself.
    if (target.compare(0, source.size() + 1, source + "/") == 0)
        return false;
    if (faults::beforeStep(faults::Step::Move, from) != faults::Action::Proceed)
        return false;
    const bool moved = std::rename(source.c_str(), target.c_str()) == 0;
    if (moved)
        moveHostAttributes(source, target);
    faults::afterStep();
    return moved;
}

}  // namespace platform
