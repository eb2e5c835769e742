// The system image list index of an item's icon. The shell takes a
// millisecond or more to answer, and a restore scan asks once per entry it
// lists, so answers are kept: files of a type that shows the type's own icon
// all share it and are asked about once per extension. Types whose icon comes
// from each file (programs, icons, shortcuts: "%1" as the type's icon, or an
// icon handler), folders, missing items and names without an extension are
// asked about every time, except the same path twice in a row.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <map>
#include <string>

#include "platform/shell.h"
#include "platform/text_rules.h"

namespace platform {

namespace {

int askShell(const std::string& path) {
    SHFILEINFOA info = {};
    static_assert(sizeof info == 352, "SHFILEINFOA as Windows 95 lays it out");
    SHGetFileInfoA(path.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info, SHGFI_SYSICONINDEX);
    return info.iIcon;
}

bool readClassesValue(const std::string& key, std::string& text) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    char buffer[MAX_PATH + 1] = {};
    DWORD size = MAX_PATH;
    DWORD type = 0;
    const bool read = RegQueryValueExA(handle, nullptr, nullptr, &type,
                                       reinterpret_cast<BYTE*>(buffer), &size) == ERROR_SUCCESS;
    RegCloseKey(handle);
    text = read ? std::string(buffer) : std::string();
    return read;
}

bool classesKeyExists(const std::string& key) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, key.c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    RegCloseKey(handle);
    return true;
}

// The type of `extension` (".TXT") draws each file's icon from the file.
bool iconPerFile(const std::string& extension) {
    std::string type, icon;
    if (!readClassesValue(extension, type) || type.empty())
        return false;
    if (readClassesValue(type + "\\DefaultIcon", icon) && icon.find("%1") != std::string::npos)
        return true;
    return classesKeyExists(type + "\\shellex\\IconHandler");
}

// ".TXT" for "C:\DATA\README.txt"; empty when the name has no extension.
std::string extensionOf(const std::string& path) {
    const size_t slash = path.find_last_of("\\/:");
    const size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return std::string();
    return upperCase(path.substr(dot));
}

struct Kept {
    bool perFile = false;
    int index = 0;
};

}  // namespace

int systemIconIndex(const std::string& path) {
    static std::map<std::string, Kept> byExtension;
    static std::string lastPath;
    static int lastIndex = 0;
    if (!lastPath.empty() && path == lastPath)
        return lastIndex;

    int index;
    const std::string extension = extensionOf(path);
    const DWORD attributes = GetFileAttributesA(path.c_str());
    const bool plainFile =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
    if (!plainFile || extension.size() < 2) {
        index = askShell(path);
    } else {
        auto kept = byExtension.find(extension);
        if (kept == byExtension.end()) {
            Kept fresh;
            fresh.perFile = iconPerFile(extension);
            fresh.index = askShell(path);
            kept = byExtension.emplace(extension, fresh).first;
        }
        index = kept->second.perFile ? askShell(path) : kept->second.index;
    }
    lastPath = path;
    lastIndex = index;
    return index;
}

}  // namespace platform
