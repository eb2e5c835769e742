// Removal of the ticked review entries: files deleted or sent to the Recycle
// Bin, then the ticked folders that are empty by then, innermost first.
#include "restore/removal.h"

#include <algorithm>
#include <cstring>

#include "common/app_state.h"
#include "platform/files.h"
#include "platform/shell.h"
#include "platform/text_rules.h"
#include "snapshot/snapshot_store.h"

namespace restore {

namespace {

// Characters that would make a name mean something other than itself: the
// shell expands wildcards, and a NUL would end the name early.
bool hasSpecialCharacters(const std::string& text) {
    return text.find_first_of(std::string("*?\0", 3)) != std::string::npos;
}

bool isDotName(const std::string& part) {
    return part == "." || part == "..";
}

// A listed folder: "C:\" or "C:\NAME\...\", every step a plain name.
bool isListedFolder(const std::string& location) {
    if (!platform::isDriveRooted(location) || location.back() != '\\')
        return false;
    if (hasSpecialCharacters(location) || location.find('/') != std::string::npos)
        return false;
    size_t start = 3;
    while (start < location.size()) {
        const size_t end = location.find('\\', start);
        const std::string part = location.substr(start, end - start);
        // A step ending in a dot or a blank would lead to another folder.
        if (part.empty() || isDotName(part) || part.back() == '.' || part.back() == ' ')
            return false;
        start = end + 1;
    }
    return true;
}

bool isPlainName(const std::string& name) {
    return !name.empty() && !isDotName(name) && !hasSpecialCharacters(name) &&
           name.find_first_of("\\/:") == std::string::npos;
}

}  // namespace

bool EraseFile(const std::string& path) {
    if (!platform::fileExists(path))
        return false;
    platform::setFileAttributes(path, platform::attr::Archive);
    return platform::deleteFile(path).ok();
}

bool RecycleFile(const std::string& path) {
    if (!platform::fileExists(path))
        return false;
    const std::string full = platform::fullPath(path);
    // Whatever reaches the shell's delete must name this one file: a folder
    // or a pattern there would take everything it covers with it.
    if (!platform::isDriveRooted(full) || hasSpecialCharacters(full) ||
        full.size() > platform::LongestShellPath) {
        return false;
    }
    if (!platform::fileExists(full))
        return false;

    const std::vector<char> from = platform::shellNameList(full);
    const unsigned flags =
        platform::fof::Silent | platform::fof::NoConfirmation | platform::fof::AllowUndo;
    const int result = platform::shellDelete(from.data(), flags);
    return result == 0 && !platform::fileExists(path);
}

}  // namespace restore

namespace restore {

namespace {

enum class Found { Listed, Gone, Other };

// Whether the exact path still reaches the entry the list shows: the one
// entry there, of the listed kind, under the listed name (folders are listed
// upper-cased). A path that reaches something else must not be acted on.
Found lookUp(const std::string& path, const std::string& name, bool folder) {
    platform::DirEntry entry;
    if (!platform::findExact(path, entry)) {
        const bool anything = platform::fileAttributes(path) >= 0;
        return anything ? Found::Other : Found::Gone;
    }
    const bool sameName = folder ? platform::upperCase(entry.name) == name : entry.name == name;
    if (!sameName || entry.isFolder() != folder || entry.isLink())
        return Found::Other;
    return Found::Listed;
}

bool isEmptyFolder(const std::string& path) {
    platform::DirectoryListing listing(path + "\\*.*", platform::attr::AnyFile);
    platform::DirEntry entry;
    while (listing.next(entry)) {
        if (entry.name != "." && entry.name != "..")
            return false;
    }
    return !listing.failed();
}

void removeFile(const std::string& location, const std::string& name, bool recycle,
                RemovalOutcome& outcome) {
    // Only ever the file the entry names, at its full path.
    const std::string path = location + name;
    if (!isListedFolder(location) || !isPlainName(name)) {
        outcome.add(path);
        return;
    }
    const Found found = lookUp(path, name, false);
    if (found == Found::Gone)
        return;  // gone since the scan: nothing to say
    if (found == Found::Other || !(recycle ? RecycleFile(path) : EraseFile(path)))
        outcome.add(path);
}

void removeFolder(const std::string& caption, RemovalOutcome& outcome) {
    if (!isListedFolder(caption) || caption.size() <= 3) {
        outcome.add(caption);
        return;
    }
    const std::string path = caption.substr(0, caption.size() - 1);
    const std::string name = path.substr(path.rfind('\\') + 1);
    const Found found = lookUp(path, name, true);
    if (found == Found::Gone)
        return;
    if (found == Found::Other) {
        outcome.add(caption);
        return;
    }
    // A folder still holding what was kept, or what could not go, stays by
    // design; one that is empty and stays could not be removed.
    if (!platform::removeDirectory(caption) && isEmptyFolder(path))
        outcome.add(caption);
}

}  // namespace

void RemovalOutcome::add(const std::string& path) {
    if (left++ == 0)
        first = path;
}

RemovalOutcome RemoveTicked(const std::vector<TickedFile>& files,
                            const std::vector<std::string>& folders) {
    RemovalOutcome outcome;
    const bool recycle = common::app().settings.useRecycleBin;
    for (const TickedFile& file : files)
        removeFile(file.location, file.name, recycle, outcome);
    // Last to first, so inner folders go before those holding them; a folder
    // that is not empty by then stays, and folders never go to the Recycle Bin.
    for (auto folder = folders.rbegin(); folder != folders.rend(); ++folder)
        removeFolder(*folder, outcome);
    return outcome;
}

}  // namespace restore
