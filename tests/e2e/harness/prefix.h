// A throwaway Wine machine for one test, made with tools/sandbox: a copy of
// the template prefix under the prefixes folder, with no Z: drive, no link to
// the host's home, and HOME / XDG folders (so the Recycle Bin) inside it.
// Extra drives map to folders of the machine. Every Wine process of the
// machine is ended, and the machine removed, when the object goes (kept with
// TRELLMARK_E2E_KEEP=1). Windows paths ("C:\WINDOWS\WIN.INI") name files;
// hostPath() tells where they are on the host.
#pragma once

#include <string>
#include <vector>

#include "host_process.h"

namespace e2e {

class Prefix {
public:
    static constexpr const char* kInstallFolder = "C:\\Program Files\\Trellmark";

    // `name` becomes part of the folder's name; `display` is where its
    // programs show (see Display).
    Prefix(const std::string& name, const std::string& display);
    ~Prefix();
    Prefix(const Prefix&) = delete;
    Prefix& operator=(const Prefix&) = delete;

    const std::string& root() const { return root_; }
    const std::string& display() const { return display_; }

    // Drive LETTER: (D..J) on an empty folder of the machine, which it returns.
    std::string mapDrive(char letter);
    // The host path of a Windows path; existing parts are matched without
    // regard to case, as Windows does, the rest is taken as spelled.
    std::string hostPath(const std::string& windowsPath) const;
    void writeFile(const std::string& windowsPath, const std::string& bytes);
    std::string readFile(const std::string& windowsPath) const;  // throws when missing
    bool exists(const std::string& windowsPath) const;
    void makeFolder(const std::string& windowsPath);
    // A host file (such as a program of the build) copied into the machine.
    void copyIn(const std::string& hostFile, const std::string& windowsPath);

    // trelmrk.exe and trelmrk-remove.exe of the i686 build copied into
    // `folder`, with the registry values an installer leaves (HKCU
    // "Software\Quernhollow\Trellmark" "path", the HKLM uninstall entry).
    void installPrograms(const std::string& folder = kInstallFolder);
    std::string programPath(const std::string& folder = kInstallFolder) const {
        return folder + "\\trelmrk.exe";
    }

    // The Windows version every program of the machine is told: "win98",
    // "win95", or "" for Wine's own default.
    void setWindowsVersion(const std::string& version);
    // Runs a Windows command line tool of the machine to its end, such as
    // wine({"reg", "add", "HKCU\\Software\\X", "/v", "a", "/d", "1", "/f"}).
    CommandResult wine(const std::vector<std::string>& args);
    // argv wrapped to run inside the machine's environment.
    std::vector<std::string> inMachine(const std::vector<std::string>& argv) const;
    // Keeps one wineserver for the machine until stop(); once only.
    void startServer();
    // Ends every Wine process of this machine (and nothing else).
    void stop();

private:
    std::string sandbox(const std::vector<std::string>& args) const;

    std::string root_;
    std::string display_;
    bool serverStarted_ = false;
};

}  // namespace e2e
