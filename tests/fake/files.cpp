// File-system operations of the stand-in, on the machine folder.
#include "platform/files.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <ctime>
#include <vector>

#include "fake/faults.h"
#include "fake/fileio.h"
#include "fake/host.h"
#include "fake/paths.h"
#include "fake/state.h"

namespace platform {

using namespace platform::fake;

namespace {

// Matches a name against a mask of '*' and '?' without regard to case;
// "*.*" matches every name, dotted or not, as it does on Windows.
bool maskMatches(const char* mask, const char* name) {
    if (*mask == 0)
        return *name == 0;
    if (*mask == '*') {
        if (mask[1] == '.' && mask[2] == '*' && mask[3] == 0)
            return true;
        for (const char* rest = name;; ++rest) {
            if (maskMatches(mask + 1, rest))
                return true;
            if (*rest == 0)
                return false;
        }
    }
    if (*name == 0) {
        // "name.*" matches "name" too.
        return mask[0] == '.' && mask[1] == '*' && mask[2] == 0;
    }
    if (*mask != '?' && upperLetter(*mask) != upperLetter(*name))
        return false;
    return maskMatches(mask + 1, name + 1);
}

// A mask ending in a dot ("*.") takes only names without an extension.
bool patternMatches(const std::string& mask, const std::string& name) {
    if (mask.size() > 1 && mask.back() == '.' && mask != "..") {
        if (name.find('.') != std::string::npos)
            return false;
        return maskMatches(mask.substr(0, mask.size() - 1).c_str(), name.c_str());
    }
    return maskMatches(mask.c_str(), name.c_str());
}

}  // namespace

// `written` is a time_t: seconds since 1970, universal time.
int32_t localDosStamp(int64_t written) {
    const time_t when = static_cast<time_t>(written);
    struct tm local;
    if (localtime_r(&when, &local) == nullptr)
        return 0;
    const int year = local.tm_year + 1900;
    if (year < 1980 || year > 2107)
        return 0;
    const uint32_t packed = (static_cast<uint32_t>(year - 1980) << 25) |
                            (static_cast<uint32_t>(local.tm_mon + 1) << 21) |
                            (static_cast<uint32_t>(local.tm_mday) << 16) |
                            (static_cast<uint32_t>(local.tm_hour) << 11) |
                            (static_cast<uint32_t>(local.tm_min) << 5) |
                            static_cast<uint32_t>(local.tm_sec / 2);
    return static_cast<int32_t>(packed);
}

namespace {

// FNV-1a of the upper-cased name: a stable order that follows no rule of names.
uint32_t diskOrder(const std::string& name) {
    uint32_t hash = 2166136261u;
    for (const char c : upperCase(name)) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

bool passesFilter(uint32_t bits, uint32_t filter) {
    const uint32_t special = attr::Hidden | attr::System | attr::Directory | attr::VolumeLabel;
    return (bits & special & ~filter) == 0;
}

}  // namespace

struct DirectoryListing::Impl {
    std::vector<DirEntry> entries;
    size_t next = 0;
    bool failed = false;
};

DirectoryListing::DirectoryListing(const std::string& pattern, uint32_t filter) : impl_(new Impl) {
    // The mask is taken as written: making it absolute would drop a trailing dot.
    size_t cut = pattern.find_last_of("\\/");
    if (cut == std::string::npos && pattern.size() >= 2 && pattern[1] == ':')
        cut = 1;
    std::string mask = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
    // A name without pattern characters is a path: the system drops its
    // trailing dots and blanks, so the search for "TRAIL." finds TRAIL.
    if (mask.find_first_of("*?") == std::string::npos && mask != "." && mask != "..") {
        const size_t end = mask.find_last_not_of(". ");
        if (end != std::string::npos)
            mask.erase(end + 1);
    }
    const std::string written = cut == std::string::npos ? "" : pattern.substr(0, cut + 1);
    const std::string folder = absolutePath(written.empty() ? "." : written);
    if (mask.empty())
        return;
    // A missing drive or folder fails as FindFirstFileA does, with
    // ERROR_PATH_NOT_FOUND; only a folder that is there but holds nothing
    // matching gives an empty listing that is not a failure.
    impl_->failed = true;
    const std::string host = resolveHost(folder);
    if (!isFolderKind(hostKind(host)) || state().unlistable.count(host) != 0)
        return;
    DIR* dir = opendir(host.c_str());
    if (dir == nullptr)
        return;
    impl_->failed = false;
    std::vector<DirEntry> found;
    while (dirent* item = readdir(dir)) {
        const std::string name = item->d_name;
        if (name == "." || name == "..")
            continue;
        if (!patternMatches(mask, name))
            continue;
        const std::string path = host + "/" + name;
        const int64_t bits = hostAttributes(path);
        if (bits < 0)
            continue;
        DirEntry entry;
        entry.name = name;
        entry.attributes = static_cast<uint32_t>(bits);
        struct stat info;
        if (lstat(path.c_str(), &info) == 0) {
            entry.written = info.st_mtime;
            if (!entry.isFolder() && !entry.isLink())
                entry.size = static_cast<uint64_t>(info.st_size);
        }
        if (passesFilter(entry.attributes, filter))
            found.push_back(entry);
    }
    closedir(dir);
    // FindFirstFileA gives the order of the disk, which is no order of names:
    // a scramble of its own, the same on every run, keeps callers from
    // relying on one.
    std::sort(found.begin(), found.end(), [](const DirEntry& a, const DirEntry& b) {
        const uint32_t left = diskOrder(a.name), right = diskOrder(b.name);
        return left != right ? left < right : a.name < b.name;
    });

    // Every folder but a root lists "." and ".." first.
    if (splitPath(folder).parts.size() > 0) {
        struct stat info;
        const int64_t folderWritten = stat(host.c_str(), &info) == 0 ? info.st_mtime : 0;
        for (const char* dots : {".", ".."}) {
            if (!patternMatches(mask, dots))
                continue;
            DirEntry entry;
            entry.name = dots;
            entry.attributes = attr::Directory;
            entry.written = folderWritten;
            if (passesFilter(entry.attributes, filter))
                impl_->entries.push_back(entry);
        }
    }
    impl_->entries.insert(impl_->entries.end(), found.begin(), found.end());
}

DirectoryListing::~DirectoryListing() = default;

bool DirectoryListing::failed() const {
    return impl_->failed;
}

bool DirectoryListing::next(DirEntry& entry) {
    if (impl_->next >= impl_->entries.size())
        return false;
    entry = impl_->entries[impl_->next++];
    return true;
}

bool setCurrentDirectory(const std::string& path) {
    const std::string full = absolutePath(path);
    const WinPath parts = splitPath(full);
    if (parts.drive == 0 || driveFolder(parts.drive).empty())
        return false;
    if (!isFolderKind(hostKind(resolveHost(full))))
        return false;
    std::string dir;
    for (const auto& part : parts.parts)
        dir += "\\" + part;
    state().driveDirs[parts.drive] = dir.empty() ? "\\" : dir;
    state().currentDrive = parts.drive;
    return true;
}

std::string currentDirectory() {
    const char drive = state().currentDrive;
    auto found = state().driveDirs.find(drive);
    const std::string dir = found == state().driveDirs.end() ? "\\" : found->second;
    return std::string(1, drive) + ":" + dir;
}

IoResult createDirectory(const std::string& path) {
    const std::string host = resolveHost(path);
    if (host.empty())
        return IoResult::failure(ioerr::InvalidFilename);
    if (hostKind(host) != HostKind::Missing)
        return IoResult::failure(ioerr::AlreadyExists);
    const faults::Decision decision = faults::beforeStep(faults::Step::CreateFolder, path);
    if (!decision.proceeds())
        return IoResult::failure(decision.cause);
    const IoResult made =
        mkdir(host.c_str(), 0777) == 0 ? IoResult() : IoResult::failure(hostFolderError(errno));
    if (made)
        forgetHostAttributes(host);
    faults::afterStep();
    return made;
}

std::string fullPath(const std::string& path) {
    return absolutePath(path);
}

bool fileExists(const std::string& path) {
    const HostKind kind = hostKind(resolveHost(path));
    return kind == HostKind::File || kind == HostKind::LinkToFile;
}

bool folderExists(const std::string& path) {
    return isFolderKind(hostKind(resolveHost(path)));
}

int64_t fileAttributes(const std::string& path) {
    return hostAttributes(resolveHost(path));
}

IoResult setFileAttributes(const std::string& path, uint32_t attributes) {
    const std::string host = resolveHost(path);
    if (hostKind(host) == HostKind::Missing)
        return IoResult::failure(missingCause(host));
    const faults::Decision decision = faults::beforeStep(faults::Step::SetAttributes, path);
    if (!decision.proceeds())
        return IoResult::failure(decision.cause);
    setHostAttributes(host, attributes);
    faults::afterStep();
    return IoResult();
}

IoResult deleteFile(const std::string& path) {
    const std::string host = resolveHost(path);
    const HostKind kind = hostKind(host);
    if (kind == HostKind::Missing)
        return IoResult::failure(missingCause(host));
    if (kind != HostKind::File && kind != HostKind::LinkToFile)
        return IoResult::failure(ioerr::AccessDenied);
    if (hostReadOnly(host))
        return IoResult::failure(ioerr::AccessDenied);
    if (hostFileInUse(host))
        return IoResult::failure(ioerr::SharingViolation);
    const faults::Decision decision = faults::beforeStep(faults::Step::Delete, path);
    if (!decision.proceeds())
        return IoResult::failure(decision.cause);
    const IoResult deleted =
        unlink(host.c_str()) == 0 ? IoResult() : IoResult::failure(hostErrorCode(errno));
    if (deleted)
        forgetHostAttributes(host);
    faults::afterStep();
    return deleted;
}

IoResult removeDirectory(const std::string& path) {
    const WinPath parts = splitPath(absolutePath(path));
    if (parts.parts.empty())
        return IoResult::failure(ioerr::AccessDenied);  // a drive's root stays
    // The current folder is in use and cannot go.
    if (sameText(joinPath(parts), currentDirectory()))
        return IoResult::failure(ioerr::SharingViolation);
    const std::string host = resolveHost(path);
    const HostKind kind = hostKind(host);
    if (kind == HostKind::Missing)
        return IoResult::failure(missingCause(host));
    if (!isFolderKind(kind))
        return IoResult::failure(ioerr::NotAFolder);
    if (hostReadOnly(host))
        return IoResult::failure(ioerr::AccessDenied);
    const faults::Decision decision = faults::beforeStep(faults::Step::RemoveFolder, path);
    if (!decision.proceeds())
        return IoResult::failure(decision.cause);
    // A link to a folder goes as a link, leaving its target alone.
    const int result = kind == HostKind::LinkToFolder ? unlink(host.c_str()) : rmdir(host.c_str());
    const IoResult removed = result == 0 ? IoResult() : IoResult::failure(hostFolderError(errno));
    if (removed)
        forgetHostAttributes(host);
    faults::afterStep();
    return removed;
}

}  // namespace platform
