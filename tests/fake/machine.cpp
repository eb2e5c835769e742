// The test-facing API of the stand-in.
#include "fake/machine.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <stdexcept>

#include "fake/fileio.h"
#include "fake/host.h"
#include "fake/paths.h"
#include "fake/state.h"

namespace platform::fake {

namespace {

char driveLetter(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

void makeHostFolders(const std::string& host) {
    for (size_t cut = host.find('/', 1); cut != std::string::npos; cut = host.find('/', cut + 1))
        mkdir(host.substr(0, cut).c_str(), 0777);
    mkdir(host.c_str(), 0777);
}

std::string mustResolve(const std::string& windowsPath) {
    const std::string host = resolveHost(windowsPath);
    if (host.empty())
        throw std::invalid_argument("no such drive: " + windowsPath);
    return host;
}

}  // namespace

void Machine::reset(const std::string& hostFolder) {
    resetState(hostFolder);
}
const std::string& Machine::folder() {
    return state().folder;
}

void Machine::addDrive(char letter, int type) {
    letter = driveLetter(letter);
    state().drives[letter] = type;
    mkdir((state().folder + "/" + std::string(1, letter)).c_str(), 0777);
}

void Machine::setDriveType(char letter, int type) {
    state().drives[driveLetter(letter)] = type;
}
void Machine::removeDrive(char letter) {
    state().drives.erase(driveLetter(letter));
}

void Machine::makeUnlistable(const std::string& windowsPath, bool unlistable) {
    if (unlistable) {
        state().unlistable.insert(mustResolve(windowsPath));
    } else {
        state().unlistable.erase(mustResolve(windowsPath));
    }
}

std::string Machine::hostPath(const std::string& windowsPath) {
    return resolveHost(windowsPath);
}

void Machine::writeFile(const std::string& windowsPath, const std::string& bytes) {
    std::string host = mustResolve(windowsPath);
    makeHostFolders(host.substr(0, host.find_last_of('/')));
    host = mustResolve(windowsPath);
    const int fd = open(host.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (fd < 0 || !writeAll(fd, bytes.data(), bytes.size())) {
        if (fd >= 0)
            close(fd);
        throw std::runtime_error("cannot write " + host);
    }
    close(fd);
}

std::string Machine::readFile(const std::string& windowsPath) {
    const std::string host = mustResolve(windowsPath);
    const int fd = open(host.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot read " + host);
    std::string bytes;
    char block[65536];
    ssize_t got;
    while ((got = read(fd, block, sizeof block)) > 0)
        bytes.append(block, static_cast<size_t>(got));
    close(fd);
    return bytes;
}

void Machine::makeFolder(const std::string& windowsPath) {
    makeHostFolders(mustResolve(windowsPath));
}

std::string Machine::recycleBinFolder() {
    return state().folder + "/RECYCLER-bin";
}

std::vector<std::string> Machine::recycledNames() {
    std::vector<std::string> names;
    if (DIR* dir = opendir(recycleBinFolder().c_str())) {
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..")
                names.push_back(name);
        }
        closedir(dir);
    }
    std::sort(names.begin(), names.end());
    return names;
}

void Machine::setModuleFileName(const std::string& path) {
    state().moduleFileName = path;
}

void Machine::setWindowsDirectory(const std::string& path) {
    state().windowsDirectory = path;
    state().windowsDirectoryFails = false;
}

void Machine::failWindowsDirectory(bool fail) {
    state().windowsDirectoryFails = fail;
}
void Machine::setLocalNow(const DateTime& moment) {
    state().now = moment;
}

void Machine::setDateFormats(const std::string& shortDate, const std::string& longTime) {
    state().shortDateFormat = shortDate;
    state().longTimeFormat = longTime;
}

void Machine::queueAnswer(MessageAnswer answer) {
    state().answers.push_back(answer);
}

void Machine::setMessageHandler(std::function<MessageAnswer(const MessageRecord&)> handler) {
    state().messageHandler = std::move(handler);
}

const std::vector<MessageRecord>& Machine::messages() {
    return state().messages;
}
void Machine::clearMessages() {
    state().messages.clear();
}
size_t Machine::pendingAnswers() {
    return state().answers.size();
}

void Machine::onProcessMessages(std::function<void()> hook) {
    state().pumpHook = std::move(hook);
}
void Machine::onModal(std::function<void(Window&)> hook) {
    state().modalHook = std::move(hook);
}
int Machine::processMessagesCalls() {
    return state().pumpCalls;
}

const std::vector<ShellDeleteRecord>& Machine::shellDeletes() {
    return state().shellDeletes;
}
const std::vector<HelpRecord>& Machine::helpCalls() {
    return state().helpCalls;
}
const std::vector<std::string>& Machine::iconLookups() {
    return state().iconLookups;
}
int Machine::restartCalls() {
    return state().restarts;
}
std::optional<int> Machine::quitCode() {
    return state().quitCode;
}
Window* Machine::activeWindow() {
    return state().active;
}
std::vector<Window*> Machine::windows() {
    return state().windows;
}

void Machine::setRegistryString(RegistryRoot root, const std::string& key, const std::string& value,
                                const std::string& text) {
    addRegistryKey(root, key);
    state().registry[registryPath(root, key)].values[upperCase(value)] = text;
}

void Machine::addRegistryKey(RegistryRoot root, const std::string& key) {
    // Every key on the way exists too.
    const std::string path = registryPath(root, key);
    for (size_t cut = path.find('\\'); cut != std::string::npos; cut = path.find('\\', cut + 1))
        state().registry[path.substr(0, cut)];
    state().registry[path];
}

bool Machine::registryHasKey(RegistryRoot root, const std::string& key) {
    return state().registry.count(registryPath(root, key)) != 0;
}

void Machine::addShortName(const std::string& windowsPath, const std::string& alias) {
    const std::string host = mustResolve(windowsPath);
    const size_t cut = host.find_last_of('/');
    state().shortNames[host.substr(0, cut) + "/" + upperCase(alias)] = host.substr(cut + 1);
}

void Machine::lockRegistryKey(RegistryRoot root, const std::string& key) {
    addRegistryKey(root, key);
    state().registry[registryPath(root, key)].locked = true;
}

}  // namespace platform::fake
