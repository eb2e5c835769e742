// A throwaway Wine machine for one test, made and cleaned up with tools/sandbox.
#include "prefix.h"

#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "settings.h"

namespace fs = std::filesystem;

namespace e2e {

namespace {

std::string folderName(const std::string& name) {
    std::string out;
    for (char c : name)
        out += std::isalnum(static_cast<unsigned char>(c)) ? c : '-';
    return out + "-" + std::to_string(getpid());
}

bool sameLetters(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(a[i])) !=
            std::toupper(static_cast<unsigned char>(b[i]))) {
            return false;
        }
    }
    return true;
}

}  // namespace

Prefix::Prefix(const std::string& name, const std::string& display)
    : root_(prefixesFolder() + "/" + folderName(name)), display_(display) {
    fs::create_directories(prefixesFolder());
    sandbox({"template", templateFolder()});
    if (fs::exists(root_)) {
        sandbox({"kill", root_});
        fs::remove_all(root_);
    }
    sandbox({"new", templateFolder(), root_});
}

Prefix::~Prefix() {
    try {
        stop();
        if (!keepMachines())
            fs::remove_all(root_);
    } catch (...) {
        // Leaving a folder behind is better than ending the test run here.
    }
}

std::string Prefix::sandbox(const std::vector<std::string>& args) const {
    std::vector<std::string> argv{sandboxTool()};
    argv.insert(argv.end(), args.begin(), args.end());
    return runChecked(argv);
}

std::string Prefix::mapDrive(char letter) {
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(letter)));
    if (lower < 'd' || lower > 'j')
        throw std::invalid_argument("mapDrive takes D..J");
    sandbox({"map", root_, std::string(1, lower)});
    return root_ + "/drives/" + lower;
}

std::string Prefix::hostPath(const std::string& windowsPath) const {
    if (windowsPath.size() < 2 || windowsPath[1] != ':') {
        throw std::invalid_argument("not a Windows path with a drive: " + windowsPath);
    }
    char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(windowsPath[0])));
    fs::path drive = root_ + "/prefix/dosdevices/" + std::string(1, lower) + ":";
    if (!fs::exists(drive))
        throw std::invalid_argument("no drive " + windowsPath.substr(0, 2));
    fs::path path = fs::canonical(drive);
    std::stringstream rest(windowsPath.substr(2));
    std::string part;
    bool matching = true;
    while (std::getline(rest, part, '\\')) {
        if (part.empty())
            continue;
        std::string found = part;
        if (matching && fs::is_directory(path)) {
            bool any = false;
            for (const auto& entry : fs::directory_iterator(path)) {
                std::string entryName = entry.path().filename().string();
                if (sameLetters(entryName, part)) {
                    found = entryName;
                    any = true;
                    break;
                }
            }
            matching = any;
        }
        path /= found;
    }
    return path.string();
}

void Prefix::writeFile(const std::string& windowsPath, const std::string& bytes) {
    fs::path path = hostPath(windowsPath);
    fs::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out.flush())
        throw std::runtime_error("cannot write " + path.string());
}

std::string Prefix::readFile(const std::string& windowsPath) const {
    std::ifstream in(hostPath(windowsPath), std::ios::binary);
    if (!in)
        throw std::runtime_error("no file " + windowsPath);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool Prefix::exists(const std::string& windowsPath) const {
    return fs::exists(fs::symlink_status(hostPath(windowsPath)));
}

void Prefix::makeFolder(const std::string& windowsPath) {
    fs::create_directories(hostPath(windowsPath));
}

void Prefix::copyIn(const std::string& hostFile, const std::string& windowsPath) {
    fs::path path = hostPath(windowsPath);
    fs::create_directories(path.parent_path());
    fs::copy_file(hostFile, path, fs::copy_options::overwrite_existing);
}

void Prefix::installPrograms(const std::string& folder) {
    sandbox({"install", root_, winBuildFolder(), folder});
}

std::vector<std::string> Prefix::inMachine(const std::vector<std::string>& argv) const {
    std::vector<std::string> wrapped{"env", "DISPLAY=" + display_, sandboxTool(), "exec", root_};
    wrapped.insert(wrapped.end(), argv.begin(), argv.end());
    return wrapped;
}

CommandResult Prefix::wine(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"wine"};
    argv.insert(argv.end(), args.begin(), args.end());
    return runCommand(inMachine(argv), root_ + "/prefix/drive_c");
}

void Prefix::setWindowsVersion(const std::string& version) {
    // Wine's per-machine setting, read by each program as it starts; the
    // machine's one server keeps it for the programs started later.
    startServer();
    const CommandResult result =
        version.empty()
            ? wine({"reg", "delete", "HKCU\\Software\\Wine", "/v", "Version", "/f"})
            : wine({"reg", "add", "HKCU\\Software\\Wine", "/v", "Version", "/d", version, "/f"});
    if (result.status != 0 && !version.empty())
        throw std::runtime_error("cannot set the Windows version: " + result.output);
}

void Prefix::startServer() {
    if (serverStarted_)
        return;
    runChecked(inMachine({"wineserver", "-p"}));
    serverStarted_ = true;
}

void Prefix::stop() {
    sandbox({"kill", root_});
    serverStarted_ = false;
}

}  // namespace e2e
