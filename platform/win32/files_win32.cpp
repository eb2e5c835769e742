// File-system operations over the ANSI Win32 file calls.
#include <windows.h>

#include <cctype>
#include <vector>

#include "platform/files.h"
#include "platform/win32/file_handle.h"

namespace platform {

namespace {

// Attribute bits that keep an entry out of a listing unless asked for.
constexpr uint32_t SpecialBits = attr::Hidden | attr::System | attr::VolumeLabel | attr::Directory;

}  // namespace

// `written` is a FILETIME: 100 ns steps since 1601, universal time.
int32_t localDosStamp(int64_t written) {
    FILETIME universal, local;
    universal.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(written));
    universal.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(written) >> 32);
    WORD date = 0, time = 0;
    if (!FileTimeToLocalFileTime(&universal, &local) ||
        !FileTimeToDosDateTime(&local, &date, &time)) {
        return 0;
    }
    return static_cast<int32_t>((static_cast<uint32_t>(date) << 16) | time);
}

struct DirectoryListing::Impl {
    HANDLE find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA data{};
    bool pending = false;  // `data` holds an entry not yet handed out
    bool failed = false;
    uint32_t excluded = 0;
};

namespace {

// Nothing matching the pattern, or the end of the folder: every other error
// means the folder could not be read whole.
bool listingEnded(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
}

}  // namespace

DirectoryListing::DirectoryListing(const std::string& pattern, uint32_t filter)
    : impl_(std::make_unique<Impl>()) {
    impl_->excluded = ~filter & SpecialBits;
    impl_->find = FindFirstFileA(pattern.c_str(), &impl_->data);
    impl_->pending = impl_->find != INVALID_HANDLE_VALUE;
    if (!impl_->pending)
        impl_->failed = !listingEnded(GetLastError());
}

DirectoryListing::~DirectoryListing() {
    if (impl_->find != INVALID_HANDLE_VALUE)
        FindClose(impl_->find);
}

bool DirectoryListing::next(DirEntry& entry) {
    while (impl_->pending) {
        const WIN32_FIND_DATAA& data = impl_->data;
        const bool wanted = (data.dwFileAttributes & impl_->excluded) == 0;
        if (wanted) {
            entry.name = data.cFileName;
            entry.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
            entry.written = static_cast<int64_t>(
                (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                data.ftLastWriteTime.dwLowDateTime);
            entry.attributes = data.dwFileAttributes;
        }
        impl_->pending = FindNextFileA(impl_->find, &impl_->data) != FALSE;
        if (!impl_->pending && !listingEnded(GetLastError()))
            impl_->failed = true;
        if (wanted)
            return true;
    }
    return false;
}

bool DirectoryListing::failed() const {
    return impl_->failed;
}

namespace {

// Each drive's current folder, as Windows 95/98 keep it; NT keeps only one
// current folder, so a bare "X:" would otherwise lead to the drive's root.
std::string driveFolders[26];

int driveSlot(const std::string& path) {
    if (path.size() < 2 || path[1] != ':')
        return -1;
    const int letter = std::toupper(static_cast<unsigned char>(path[0]));
    return letter >= 'A' && letter <= 'Z' ? letter - 'A' : -1;
}

void rememberCurrentFolder() {
    const std::string folder = currentDirectory();
    const int slot = driveSlot(folder);
    if (slot >= 0)
        driveFolders[slot] = folder;
}

}  // namespace

bool setCurrentDirectory(const std::string& path) {
    const int slot = driveSlot(path);
    if (path.size() == 2 && slot >= 0 && !driveFolders[slot].empty()) {
        if (SetCurrentDirectoryA(driveFolders[slot].c_str())) {
            rememberCurrentFolder();
            return true;
        }
        driveFolders[slot].clear();  // gone since: the system decides
    }
    if (!SetCurrentDirectoryA(path.c_str()))
        return false;
    rememberCurrentFolder();
    return true;
}

std::string currentDirectory() {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (length == 0 || length >= sizeof buffer)
        return std::string();
    return std::string(buffer, length);
}

IoResult createDirectory(const std::string& path) {
    return win32::checked(CreateDirectoryA(path.c_str(), nullptr));
}

std::string fullPath(const std::string& path) {
    std::vector<char> buffer(MAX_PATH + 1);
    char* filePart = nullptr;
    DWORD length = GetFullPathNameA(path.c_str(), buffer.size(), buffer.data(), &filePart);
    if (length >= buffer.size()) {
        buffer.resize(length + 1);
        length = GetFullPathNameA(path.c_str(), buffer.size(), buffer.data(), &filePart);
    }
    if (length == 0 || length >= buffer.size())
        return path;
    return std::string(buffer.data(), length);
}

int64_t fileAttributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return -1;
    return attributes;
}

bool fileExists(const std::string& path) {
    const int64_t attributes = fileAttributes(path);
    return attributes >= 0 && (attributes & attr::Directory) == 0;
}

bool folderExists(const std::string& path) {
    const int64_t attributes = fileAttributes(path);
    return attributes >= 0 && (attributes & attr::Directory) != 0;
}

IoResult setFileAttributes(const std::string& path, uint32_t attributes) {
    return win32::checked(SetFileAttributesA(path.c_str(), attributes));
}

IoResult deleteFile(const std::string& path) {
    return win32::checked(DeleteFileA(path.c_str()));
}

IoResult removeDirectory(const std::string& path) {
    std::string folder = path;
    // Windows 95/98 refuse a trailing backslash; a root keeps its own.
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return win32::checked(RemoveDirectoryA(folder.c_str()));
}

}  // namespace platform
