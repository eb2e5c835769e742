// The test-facing side of the simulated Windows machine: a machine folder with one folder
// per drive, the system facts the product asks for, scripted answers for
// message boxes, and a record of every call a test wants to look at.
//
// Fixed choices of the stand-in (as an en-US Windows would have them):
// - screen 800 x 600; a window's outer frame is its client area + 6 wide, + 25 high;
// - short date "M/d/yyyy", long time "h:mm:ss tt";
// - an unscripted message box is answered Ok (Ok, OkCancel) or Yes (YesNo);
// - module file "C:\Program Files\Trellmark\trelmrk.exe", Windows folder "C:\WINDOWS";
// - the clock is the host's local time until a test sets one;
// - icons: a folder has index 3, a file without extension 0, ".EXE" 2, any other
//   extension a fixed index from 10 on, derived from the upper-cased extension.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/registry.h"
#include "platform/system.h"

namespace platform {
class Window;
}

namespace platform::fake {

// Thrown by exitProcess(); deliberately not a std::exception, so the general
// error handler lets it through to the test.
struct ProcessExit {
    int code;
};

// Thrown when a test's script cannot answer what the product asked (an
// answer that the box has no button for). Not a std::exception either.
struct ScriptError {
    std::string what;
};

struct MessageRecord {
    std::string text;
    std::string caption;
    MessageKind kind = MessageKind::Plain;
    MessageButtons buttons = MessageButtons::Ok;
    MessagePlacement placement;
    const Window* owner = nullptr;
    bool errorBox = false;  // shown by showErrorBox
    MessageAnswer answer = MessageAnswer::Ok;
};

struct ShellDeleteRecord {
    std::string list;                // the buffer as given, every NUL included
    std::vector<std::string> items;  // the names of the list
    unsigned flags = 0;
    int result = 0;
};

struct HelpRecord {
    const Window* owner = nullptr;
    std::string file;
    unsigned command = 0;
    unsigned long data = 0;
};

class Machine {
public:
    // Starts a fresh machine in an existing host folder: no drives, default
    // system facts, every record and script and hook cleared, current drive C.
    static void reset(const std::string& hostFolder);
    static const std::string& folder();

    // Drives. A drive is a folder "<machine>/<letter>"; a letter not added
    // has drive type 1 (no root) and cannot be made current.
    static void addDrive(char letter, int type = drivetype::Fixed);
    static void setDriveType(char letter, int type);
    static void removeDrive(char letter);  // the folder stays; the drive is gone
    // Listings of this folder fail from now on (or, with false, no longer),
    // as a folder the user may not read does on Windows (chmod stops no one
    // when the tests run as root).
    static void makeUnlistable(const std::string& windowsPath, bool unlistable = true);

    // The host path for a Windows path, each existing component matched
    // without regard to case, the rest as spelled. Empty when the drive is
    // missing. Relative paths count from the current drive and folder.
    static std::string hostPath(const std::string& windowsPath);
    // Writes a file (creating its folders) / reads it / makes a folder tree.
    static void writeFile(const std::string& windowsPath, const std::string& bytes);
    static std::string readFile(const std::string& windowsPath);
    static void makeFolder(const std::string& windowsPath);
    // Gives an existing entry an 8.3 alias in its folder, as Windows 95 gives
    // "Start Menu" the name STARTM~1: paths may then name it either way, and
    // longPathName() gives its own name for the alias.
    static void addShortName(const std::string& windowsPath, const std::string& alias);
    // The Recycle Bin: a folder of the machine that shellDelete fills.
    static std::string recycleBinFolder();
    // Names of what the Recycle Bin holds, sorted.
    static std::vector<std::string> recycledNames();

    // System facts.
    static void setModuleFileName(const std::string& path);
    static void setWindowsDirectory(const std::string& path);
    static void failWindowsDirectory(bool fail = true);
    static void setLocalNow(const DateTime& moment);
    static void setDateFormats(const std::string& shortDate, const std::string& longTime);

    // Message boxes: answers are taken from the front of the queue; with an
    // empty queue the handler (if set) answers, else the default.
    static void queueAnswer(MessageAnswer answer);
    static void setMessageHandler(std::function<MessageAnswer(const MessageRecord&)> handler);
    static const std::vector<MessageRecord>& messages();
    static void clearMessages();
    static size_t pendingAnswers();

    // Hooks: processMessages() calls the pump hook; showModal() calls the modal
    // hook with the window while it is shown, then returns.
    static void onProcessMessages(std::function<void()> hook);
    static void onModal(std::function<void(Window&)> hook);
    static int processMessagesCalls();

    // Records.
    static const std::vector<ShellDeleteRecord>& shellDeletes();
    static const std::vector<HelpRecord>& helpCalls();
    static const std::vector<std::string>& iconLookups();
    static int restartCalls();
    static std::optional<int> quitCode();
    static Window* activeWindow();
    // Every top-level window that exists, in creation order.
    static std::vector<Window*> windows();

    // Registry.
    static void setRegistryString(RegistryRoot root, const std::string& key,
                                  const std::string& value, const std::string& text);
    static void addRegistryKey(RegistryRoot root, const std::string& key);
    static bool registryHasKey(RegistryRoot root, const std::string& key);
    // Makes a key impossible to delete (as if another program held it).
    static void lockRegistryKey(RegistryRoot root, const std::string& key);
};

}  // namespace platform::fake
