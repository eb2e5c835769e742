// Windows path rules of the stand-in: drive-relative and rooted paths, "." and
// "..", and the case-insensitive look-up of each component on the host.
#include "fake/paths.h"

#include <dirent.h>
#include <sys/stat.h>

#include <cctype>
#include <unordered_map>

#include "fake/state.h"
#include "platform/files.h"

namespace platform::fake {

static bool isSlash(char c) {
    return c == '\\' || c == '/';
}

static char driveOf(const std::string& path) {
    if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0])))
        return static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    return 0;
}

static std::string currentDirOf(char drive) {
    auto& dirs = state().driveDirs;
    auto found = dirs.find(drive);
    std::string dir = found == dirs.end() ? "\\" : found->second;
    return std::string(1, drive) + ":" + dir;
}

static std::string trimComponent(const std::string& part) {
    if (part == "." || part == "..")
        return part;
    size_t end = part.size();
    while (end > 0 && (part[end - 1] == '.' || part[end - 1] == ' '))
        --end;
    return part.substr(0, end);
}

std::string absolutePath(const std::string& path) {
    if (path.size() >= 2 && isSlash(path[0]) && isSlash(path[1]))
        return path;  // UNC: as is
    std::string base;
    std::string rest;
    const char drive = driveOf(path);
    if (drive != 0) {
        rest = path.substr(2);
        if (rest.empty() || !isSlash(rest[0]))
            base = currentDirOf(drive);
        else
            base = std::string(1, drive) + ":";
    } else {
        rest = path;
        if (!rest.empty() && isSlash(rest[0]))
            base = std::string(1, state().currentDrive) + ":";
        else
            base = currentDirOf(state().currentDrive);
    }

    WinPath full = splitPath(base);
    const bool trailing = !rest.empty() && isSlash(rest.back());
    size_t start = 0;
    while (start <= rest.size()) {
        size_t end = start;
        while (end < rest.size() && !isSlash(rest[end]))
            ++end;
        std::string part = rest.substr(start, end - start);
        // Windows drops trailing dots and spaces of the last component.
        if (end >= rest.size())
            part = trimComponent(part);
        if (part == "..") {
            if (!full.parts.empty())
                full.parts.pop_back();
        } else if (!part.empty() && part != ".") {
            full.parts.push_back(part);
        }
        start = end + 1;
    }
    std::string result = joinPath(full);
    if (trailing && !full.parts.empty())
        result += "\\";
    return result;
}

WinPath splitPath(const std::string& path) {
    WinPath result;
    result.drive = driveOf(path);
    if (result.drive == 0)
        return result;
    size_t start = 2;
    while (start <= path.size()) {
        size_t end = start;
        while (end < path.size() && !isSlash(path[end]))
            ++end;
        std::string part = path.substr(start, end - start);
        if (!part.empty())
            result.parts.push_back(part);
        start = end + 1;
    }
    return result;
}

std::string joinPath(const WinPath& path) {
    std::string result = std::string(1, path.drive) + ":";
    if (path.parts.empty())
        return result + "\\";
    for (const auto& part : path.parts)
        result += "\\" + part;
    return result;
}

std::string driveFolder(char drive) {
    drive = static_cast<char>(std::toupper(static_cast<unsigned char>(drive)));
    if (state().drives.count(drive) == 0)
        return {};
    return state().folder + "/" + std::string(1, drive);
}

namespace {

// Names of a host folder by their upper-case form, as last read. An answer is
// trusted only while the name it gives still exists; anything else reads the
// folder again, so the cache never changes what a look-up finds.
class FolderNames {
public:
    std::string find(const std::string& folder, const std::string& name) {
        Names& names = folders_[folder];
        if (names.read) {
            const auto hit = names.byUpper.find(upperCase(name));
            if (hit != names.byUpper.end() && exists(folder, hit->second))
                return hit->second;
        }
        read(folder, names);
        const auto hit = names.byUpper.find(upperCase(name));
        return hit == names.byUpper.end() ? std::string() : hit->second;
    }

private:
    struct Names {
        bool read = false;
        std::unordered_map<std::string, std::string> byUpper;
    };

    static bool exists(const std::string& folder, const std::string& name) {
        struct stat info;
        return lstat((folder + "/" + name).c_str(), &info) == 0;
    }

    static void read(const std::string& folder, Names& names) {
        names.byUpper.clear();
        names.read = true;
        DIR* dir = opendir(folder.c_str());
        if (dir == nullptr)
            return;
        while (dirent* entry = readdir(dir)) {
            names.byUpper.emplace(upperCase(entry->d_name), entry->d_name);  // the first one wins
        }
        closedir(dir);
    }

    std::unordered_map<std::string, Names> folders_;
};

}  // namespace

// The entry of a host folder whose name matches without regard to case,
// preferring the exact spelling; empty when there is none.
static std::string findEntry(const std::string& folder, const std::string& name) {
    struct stat info;
    if (lstat((folder + "/" + name).c_str(), &info) == 0)
        return name;
    static FolderNames names;
    const std::string found = names.find(folder, name);
    if (!found.empty())
        return found;
    const auto alias = state().shortNames.find(folder + "/" + upperCase(name));
    return alias == state().shortNames.end() ? std::string() : alias->second;
}

std::string longForm(const std::string& path) {
    const WinPath full = splitPath(absolutePath(path));
    std::string host = driveFolder(full.drive);
    if (host.empty())
        return path;
    WinPath result{full.drive, {}};
    for (const auto& part : full.parts) {
        const std::string found = host.empty() ? std::string() : findEntry(host, part);
        // Only an alias changes: other names keep the spelling they were given.
        const bool alias = !found.empty() && upperCase(found) != upperCase(part);
        result.parts.push_back(alias ? found : part);
        host = found.empty() ? std::string() : host + "/" + found;
    }
    return joinPath(result);
}

std::string resolveHost(const std::string& path) {
    if (path.empty())
        return {};  // names nothing, as on Windows
    const WinPath full = splitPath(absolutePath(path));
    if (full.drive == 0)
        return {};
    std::string host = driveFolder(full.drive);
    if (host.empty())
        return {};
    bool matching = true;
    for (const auto& written : full.parts) {
        // Windows 9x drops trailing dots and blanks of every step of a path:
        // "INNER.\K.TXT" is INNER\K.TXT, and an entry whose own name ends so
        // is never reached by it.
        const std::string trimmed = trimComponent(written);
        const std::string& part = trimmed.empty() ? written : trimmed;
        if (matching) {
            const std::string found = findEntry(host, part);
            if (found.empty()) {
                matching = false;
                host += "/" + part;
            } else {
                host += "/" + found;
            }
        } else {
            host += "/" + part;
        }
    }
    return host;
}

}  // namespace platform::fake
