// The stand-in keeps attributes itself: the host's permission bits mean
// nothing when tests run as root, and Windows has bits the host lacks.
#include "fake/host.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fake/state.h"
#include "platform/files.h"

namespace platform::fake {

HostKind hostKind(const std::string& host) {
    struct stat info;
    if (host.empty() || lstat(host.c_str(), &info) != 0)
        return HostKind::Missing;
    if (S_ISLNK(info.st_mode)) {
        struct stat target;
        if (stat(host.c_str(), &target) == 0 && S_ISDIR(target.st_mode))
            return HostKind::LinkToFolder;
        return HostKind::LinkToFile;
    }
    return S_ISDIR(info.st_mode) ? HostKind::Folder : HostKind::File;
}

bool isFolderKind(HostKind kind) {
    return kind == HostKind::Folder || kind == HostKind::LinkToFolder;
}

static const uint32_t kept = attr::ReadOnly | attr::Hidden | attr::System | attr::Archive;

int64_t hostAttributes(const std::string& host) {
    const HostKind kind = hostKind(host);
    if (kind == HostKind::Missing)
        return -1;
    uint32_t bits;
    auto found = state().attributes.find(host);
    if (found != state().attributes.end())
        bits = found->second;
    else
        bits = isFolderKind(kind) ? 0 : attr::Archive;
    if (isFolderKind(kind))
        bits |= attr::Directory;
    if (kind == HostKind::LinkToFile || kind == HostKind::LinkToFolder)
        bits |= attr::ReparsePoint;
    if (bits == 0)
        bits = attr::Normal;
    return bits;
}

void setHostAttributes(const std::string& host, uint32_t bits) {
    state().attributes[host] = bits & kept;
}

static bool below(const std::string& path, const std::string& top) {
    return path == top || (path.size() > top.size() && path.compare(0, top.size(), top) == 0 &&
                           path[top.size()] == '/');
}

void forgetHostAttributes(const std::string& host) {
    auto& bits = state().attributes;
    for (auto it = bits.begin(); it != bits.end();) {
        if (below(it->first, host))
            it = bits.erase(it);
        else
            ++it;
    }
}

void moveHostAttributes(const std::string& from, const std::string& to) {
    auto& bits = state().attributes;
    std::map<std::string, uint32_t> moved;
    for (auto it = bits.begin(); it != bits.end();) {
        if (below(it->first, from)) {
            moved[to + it->first.substr(from.size())] = it->second;
            it = bits.erase(it);
        } else {
            ++it;
        }
    }
    for (const auto& entry : moved)
        bits[entry.first] = entry.second;
}

bool hostReadOnly(const std::string& host) {
    const int64_t bits = hostAttributes(host);
    return bits >= 0 && (bits & attr::ReadOnly) != 0;
}

bool removeHostTree(const std::string& host) {
    const HostKind kind = hostKind(host);
    if (kind == HostKind::Missing)
        return true;
    bool ok = true;
    if (kind == HostKind::Folder) {
        if (DIR* dir = opendir(host.c_str())) {
            while (dirent* entry = readdir(dir)) {
                const std::string name = entry->d_name;
                if (name == "." || name == "..")
                    continue;
                ok = removeHostTree(host + "/" + name) && ok;
            }
            closedir(dir);
        }
        ok = rmdir(host.c_str()) == 0 && ok;
    } else {
        ok = unlink(host.c_str()) == 0;
    }
    if (ok)
        forgetHostAttributes(host);
    return ok;
}

}  // namespace platform::fake
