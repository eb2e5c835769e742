// The simulated machine's state, shared by its files.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "fake/machine.h"
#include "platform/text_rules.h"

namespace platform {
class Control;
}

namespace platform::fake {

struct RegistryKey {
    std::map<std::string, std::string> values;  // by upper-cased value name
    bool locked = false;
};

// A machine file held open, with what it was opened for and what it lets
// others do meanwhile (bits of fake::share).
struct OpenFile {
    std::string host;
    unsigned access = 0;
    unsigned sharing = 0;
};

struct MachineState {
    std::string folder;          // host folder of the machine
    std::map<char, int> drives;  // letter -> drive type
    char currentDrive = 'C';
    std::map<char, std::string> driveDirs;       // letter -> "\WINDOWS" style, "\" for the root
    std::map<std::string, uint32_t> attributes;  // host path -> attribute bits
    // host folder + "/" + upper-cased 8.3 alias -> the entry's own name
    std::map<std::string, std::string> shortNames;
    std::set<std::string> unlistable;   // host paths of folders that cannot be listed
    std::map<int, OpenFile> openFiles;  // by host descriptor

    std::string moduleFileName;
    std::string windowsDirectory;
    bool windowsDirectoryFails = false;
    std::optional<DateTime> now;
    std::string shortDateFormat;
    std::string longTimeFormat;

    std::vector<MessageAnswer> answers;
    std::function<MessageAnswer(const MessageRecord&)> messageHandler;
    std::vector<MessageRecord> messages;
    std::string applicationTitle;

    std::function<void()> pumpHook;
    std::function<void(Window&)> modalHook;
    int pumpCalls = 0;

    std::vector<ShellDeleteRecord> shellDeletes;
    std::vector<HelpRecord> helpCalls;
    std::vector<std::string> iconLookups;
    int restarts = 0;
    std::optional<int> quitCode;

    std::vector<Window*> windows;
    Window* active = nullptr;
    const Control* focused = nullptr;

    std::map<std::string, RegistryKey> registry;  // "HKCU\KEY\SUB" upper-cased
};

MachineState& state();
void resetState(const std::string& folder);

using platform::sameText;
using platform::upperCase;

// "HKCU\SOFTWARE\..." with every name upper-cased: the registry map's key.
std::string registryPath(RegistryRoot root, const std::string& key);

}  // namespace platform::fake
