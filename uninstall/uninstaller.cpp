// The uninstaller's main sequence.
#include "uninstall/uninstaller.h"

#include <cstddef>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/system.h"
#include "platform/text_rules.h"
#include "uninstall/shell_delete.h"

namespace uninstall {
namespace {

const char* const ProductKey = "software\\Quernhollow\\Trellmark";
const char* const InstallPathValue = "path";
const char* const UninstallEntryKey =
    "software\\microsoft\\windows\\currentversion\\Uninstall\\Trellmark";

// Below the Windows folder: the Start-menu folder reached through either name
// of the programs folder, then the desktop shortcut.
const char* const MenuFolderAliases[] = {
    "\\STARTM~1\\PROGRA~1\\TRELLM~1",
    "\\STARTM~1\\PROGRAMS\\TRELLM~1",
};
const char* const DesktopShortcut = "\\desktop\\Trellmark.lnk";
const char* const MenuFolderName = "Trellmark";

// Where the shell keeps the current user's programs menu and desktop; with
// user profiles on Windows 98 these are not below the Windows folder.
const char* const ShellFoldersKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// Below the install folder: the program, its settings, its help and its data
// folder with the snapshots and the system-file backups.
const char* const ProductItems[] = {
    "\\trelmrk.exe", "\\trelmrk.ini", "\\trelmrk.hlp",
    "\\trelmrk.gid",  // the help engine's index of the help file
    "\\snpdat",
};

// An installed uninstall shortcut means the installer's own tool ran us and
// reports the outcome itself.
const char* const UninstallShortcut = "\\STARTM~1\\PROGRAMS\\UNINST~1\\Trellmark.lnk";

bool IsAbsolute(const std::string& path) {
    const bool networkPath = path.compare(0, 2, "\\\\") == 0;
    return platform::isDriveRooted(path) || networkPath;
}

// A folder to work in, kept without its trailing backslashes. Empty when the
// path is empty or relative: the removals would then land wherever the current
// folder happens to be (for an empty one, at the root of the current drive).
std::string BaseFolder(const std::string& path) {
    if (!IsAbsolute(path)) {
        return std::string();
    }
    std::string folder = path;
    while (!folder.empty() && folder.back() == '\\') {
        folder.pop_back();
    }
    return folder;
}

std::string ReadInstallDir() {
    std::string text;
    if (!platform::registryReadString(platform::RegistryRoot::CurrentUser, ProductKey,
                                      InstallPathValue, text)) {
        return std::string();
    }
    return text;
}

std::string ReadWinDir() {
    std::string folder;
    if (!platform::windowsDirectory(folder, 255)) {
        return std::string();
    }
    return folder;
}

std::string LastName(const std::string& path) {
    return path.substr(path.find_last_of('\\') + 1);
}

// An 8.3 alias names whichever folder got it first: TRELLM~1 may be another
// program's "Trellmark Tools" made before ours. Only a folder whose own name
// is ours (or that has no other name) is the product's.
bool IsProductMenuFolder(const std::string& path) {
    const std::string name = platform::upperCase(LastName(platform::longPathName(path)));
    return name == platform::upperCase(MenuFolderName) ||
           name == platform::upperCase(LastName(path));
}

// What could not be removed, to be named at the end instead of success.
using LeftBehind = std::vector<std::string>;

// Removes an item; one that was there and stays is noted. A missing one is
// not a failure: a second run finds nothing to do.
void Remove(const std::string& path, LeftBehind& left) {
    const bool there = platform::fileAttributes(path) >= 0;
    if (!ShellDelete(path) && there && platform::fileAttributes(path) >= 0)
        left.push_back(platform::fullPath(path));
}

void RemoveShortcuts(const std::string& winDir, LeftBehind& left) {
    if (!winDir.empty()) {
        for (const char* alias : MenuFolderAliases) {
            if (IsProductMenuFolder(winDir + alias))
                Remove(winDir + alias, left);
        }
        Remove(winDir + DesktopShortcut, left);
    }
    std::string folder;
    if (platform::registryReadString(platform::RegistryRoot::CurrentUser, ShellFoldersKey,
                                     "Programs", folder) &&
        !BaseFolder(folder).empty()) {
        Remove(BaseFolder(folder) + "\\" + MenuFolderName, left);
    }
    if (platform::registryReadString(platform::RegistryRoot::CurrentUser, ShellFoldersKey,
                                     "Desktop", folder) &&
        !BaseFolder(folder).empty()) {
        Remove(BaseFolder(folder) + "\\Trellmark.lnk", left);
    }
}

bool UserAgrees() {
    platform::MessageRequest question;
    question.text = "Are you sure you want to completely remove Trellmark?";
    question.caption = "Uninstall";
    question.kind = platform::MessageKind::Plain;
    question.buttons = platform::MessageButtons::YesNo;
    return platform::showMessage(question) == platform::MessageAnswer::Yes;
}

// Removes each item below the folder; the sequence goes on past a failure.
template <std::size_t N>
void RemoveBelow(const std::string& folder, const char* const (&items)[N], LeftBehind& left) {
    if (folder.empty()) {
        return;
    }
    for (const char* item : items) {
        Remove(folder + item, left);
    }
}

void RemoveUninstallEntry(LeftBehind& left) {
    if (platform::registryKeyExists(platform::RegistryRoot::LocalMachine, UninstallEntryKey) &&
        !platform::registryDeleteKeyTree(platform::RegistryRoot::LocalMachine, UninstallEntryKey)) {
        left.push_back(std::string("HKEY_LOCAL_MACHINE\\") + UninstallEntryKey);
    }
}

// Said whether or not an installer's tool reports too: it cannot know.
void ReportLeftBehind(const LeftBehind& left) {
    platform::MessageRequest box;
    box.text = left.size() == 1 ? "Trellmark could not remove " + left.front() + "."
                                : "Trellmark could not remove " + std::to_string(left.size()) +
                                      " items. The first is " + left.front() + ".";
    box.caption = "Uninstall";
    box.kind = platform::MessageKind::Plain;
    box.buttons = platform::MessageButtons::Ok;
    platform::showMessage(box);
}

void ReportSuccess(const std::string& winDir) {
    if (!winDir.empty() && platform::fileExists(winDir + UninstallShortcut)) {
        return;
    }
    platform::MessageRequest done;
    done.text = "Uninstallation Succesfull.";
    done.caption = "Info";
    done.kind = platform::MessageKind::Plain;
    done.buttons = platform::MessageButtons::Ok;
    platform::showMessage(done);
}

}  // namespace

void RunUninstall() {
    const std::string installDir = BaseFolder(ReadInstallDir());
    if (!UserAgrees()) {
        return;
    }
    const std::string winDir = BaseFolder(ReadWinDir());
    LeftBehind left;
    RemoveShortcuts(winDir, left);
    RemoveBelow(installDir, ProductItems, left);
    RemoveUninstallEntry(left);
    if (left.empty()) {
        ReportSuccess(winDir);
    } else {
        ReportLeftBehind(left);
    }
}

}  // namespace uninstall
