// File-system operations: directory listings, current directory, existence,
// attributes, deletion. Paths are Windows paths ("C:\WINDOWS\SYSTEM"). The
// calls that change the disk answer with the system's cause of a failure.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "platform/ioerror.h"

namespace platform {

// File attribute bits, with their Windows values.
namespace attr {
constexpr uint32_t ReadOnly = 0x01;
constexpr uint32_t Hidden = 0x02;
constexpr uint32_t System = 0x04;
constexpr uint32_t VolumeLabel = 0x08;
constexpr uint32_t Directory = 0x10;
constexpr uint32_t Archive = 0x20;
constexpr uint32_t Normal = 0x80;
constexpr uint32_t ReparsePoint = 0x400;
// Filters for DirectoryListing.
constexpr uint32_t AnyFile = 0x3F;
constexpr uint32_t FilesOnly = ReadOnly | Hidden | System | Archive;
}  // namespace attr

// Last write, local time, packed as an MS-DOS date stamp, of a last-write
// time as listings give it (see DirEntry::written).
int32_t localDosStamp(int64_t written);

struct DirEntry {
    std::string name;   // long name, in its own case
    uint64_t size = 0;  // bytes
    // Last write in universal time, in the backend's own units. Listings
    // leave the local-time conversion to stamp(): a walk shows the dates of
    // the few entries it lists, not of every entry it passes.
    int64_t written = 0;
    uint32_t attributes = 0;

    // Last write, local time, packed as an MS-DOS date stamp.
    int32_t stamp() const { return localDosStamp(written); }

    bool isFolder() const { return (attributes & attr::Directory) != 0; }
    // A symbolic link, junction or mount point: never to be walked into.
    bool isLink() const { return (attributes & attr::ReparsePoint) != 0; }
    // A folder a walk goes into: not a link, not "." or "..".
    bool isWalkableFolder() const { return isFolder() && !isLink() && name != "." && name != ".."; }
};

// Lists the entries matching a pattern such as "C:\WINDOWS\*.*". Entries that
// are hidden, system, folders or volume labels are returned only when their
// bit is in the filter; plain, read-only and archive files always are. "." and
// ".." are returned like any folder, and first; the rest come in the order the
// system keeps them, which is no order of names. A listing that cannot be opened, or
// breaks off, yields nothing more; failed() then tells it from a folder that
// holds nothing matching. The handle is released by the destructor.
class DirectoryListing {
public:
    DirectoryListing(const std::string& pattern, uint32_t filter);
    ~DirectoryListing();
    DirectoryListing(const DirectoryListing&) = delete;
    DirectoryListing& operator=(const DirectoryListing&) = delete;

    bool next(DirEntry& entry);
    // The folder could not be listed, or the listing broke off before its
    // end (no access, the folder or the drive gone): what next() returned is
    // not all the folder holds.
    bool failed() const;

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

// The one entry a search of the exact path finds ("C:\WINDOWS\WIN.INI" with
// no pattern characters): false when it finds none, or more than one. The
// system may drop trailing dots and blanks of a path, or take a short alias,
// so the entry found need not bear the name the path gave.
bool findExact(const std::string& path, DirEntry& entry);

// The entry, listed in folder ("C:\WINDOWS\"), is reached by its own name:
// the path folder + name addresses that very entry and no other. False for a
// name ending in a dot or a blank, which the system drops, and for one whose
// exact search finds anything but this entry; acting on such a path would act
// on something else.
bool namesItself(const std::string& folder, const DirEntry& entry);

// "C:" makes drive C current, at that drive's own current folder.
bool setCurrentDirectory(const std::string& path);
std::string currentDirectory();
IoResult createDirectory(const std::string& path);
// The absolute form of a path relative to the current drive and folder.
std::string fullPath(const std::string& path);
// The path with every folder and file name in its long form, as listings
// return it ("C:\PROGRA~1" -> "C:\Program Files"); the path itself when it
// cannot be resolved.
std::string longPathName(const std::string& path);

// A file, not a folder, exists at the path.
bool fileExists(const std::string& path);
bool folderExists(const std::string& path);
// Attribute bits, or -1 when nothing exists at the path.
int64_t fileAttributes(const std::string& path);
IoResult setFileAttributes(const std::string& path, uint32_t attributes);
// Deleting or renaming a file that is held open (by a reader, a writer or a
// BinaryFile) fails.
IoResult deleteFile(const std::string& path);
// Gives a file or a folder (with all it holds) a new name, as MoveFileA
// does: fails when anything already exists under the new name, and never
// replaces it.
IoResult moveFile(const std::string& from, const std::string& to);
// Removes a folder only if it is empty. A trailing backslash is accepted.
IoResult removeDirectory(const std::string& path);

}  // namespace platform
