// Shell services of the stand-in: deletion into the machine's Recycle Bin or
// for good, icon indexes by a fixed rule, restart and help recorded.
#include "platform/shell.h"

#include <sys/stat.h>

#include <cstdio>

#include "fake/host.h"
#include "fake/paths.h"
#include "fake/state.h"

namespace platform {

using namespace platform::fake;

namespace {

// Shell error for an item that does not exist, as Windows 9x reports it.
constexpr int NoSuchItem = 2;
constexpr int CannotDelete = 5;

std::string binFolder() {
    return state().folder + "/RECYCLER-bin";
}

int recycle(const std::string& host) {
    const std::string bin = binFolder();
    mkdir(bin.c_str(), 0777);
    const std::string name = host.substr(host.find_last_of('/') + 1);
    std::string target = bin + "/" + name;
    for (int n = 2; hostKind(target) != HostKind::Missing; ++n)
        target = bin + "/" + name + " (" + std::to_string(n) + ")";
    if (std::rename(host.c_str(), target.c_str()) != 0)
        return CannotDelete;
    moveHostAttributes(host, target);
    return 0;
}

// A read-only file stops a deletion, as it does the shell's.
bool holdsReadOnly(const std::string& host) {
    if (hostReadOnly(host) && !isFolderKind(hostKind(host)))
        return true;
    return false;
}

}  // namespace

int shellDelete(const char* from, unsigned flags) {
    ShellDeleteRecord record;
    record.flags = flags;
    const char* at = from;
    while (*at != 0) {
        const std::string item = at;
        record.items.push_back(item);
        at += item.size() + 1;
    }
    record.list.assign(from, static_cast<size_t>(at - from) + 1);

    int result = 0;
    for (const auto& item : record.items) {
        const std::string full = absolutePath(item);
        const std::string host = resolveHost(full);
        if (splitPath(full).parts.empty() || hostKind(host) == HostKind::Missing) {
            result = NoSuchItem;
            continue;
        }
        const bool undo = (flags & fof::AllowUndo) != 0;
        // Told to ask nothing, the shell sends read-only files to the Recycle
        // Bin like any other; otherwise, or to delete them for good, it refuses.
        const bool unasked = (flags & fof::NoConfirmation) != 0;
        if (!(undo && unasked) && holdsReadOnly(host)) {
            result = CannotDelete;
            continue;
        }
        const int done = undo ? recycle(host) : (removeHostTree(host) ? 0 : CannotDelete);
        if (done != 0)
            result = done;
    }
    record.result = result;
    state().shellDeletes.push_back(record);
    return result;
}

int systemIconIndex(const std::string& path) {
    state().iconLookups.push_back(path);
    const std::string host = resolveHost(path);
    const HostKind kind = hostKind(host);
    if (kind == HostKind::Missing)
        return 0;
    if (isFolderKind(kind))
        return 3;
    const std::string name = upperCase(host.substr(host.find_last_of('/') + 1));
    const size_t dot = name.find_last_of('.');
    if (dot == std::string::npos || dot + 1 == name.size())
        return 0;
    const std::string extension = name.substr(dot + 1);
    if (extension == "EXE")
        return 2;
    unsigned hash = 0;
    for (char c : extension)
        hash = hash * 31 + static_cast<unsigned char>(c);
    return 10 + static_cast<int>(hash % 990);
}

void restartWindows() {
    ++state().restarts;
}

void openHelp(const Window& owner, const std::string& file, unsigned command, unsigned long data) {
    state().helpCalls.push_back({&owner, file, command, data});
}

}  // namespace platform
