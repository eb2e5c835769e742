// A Wine machine must reach nothing outside its own folder: the program walks
// whole drives and deletes what it finds new. These tests walk every drive of
// a machine the way a file walk would (following links) after Wine has run in
// it, for the test machines and for the run command's sandbox.
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <set>

#include "harness/host_process.h"
#include "harness/machine.h"
#include "harness/settings.h"

namespace fs = std::filesystem;

namespace {

bool inside(const fs::path& path, const fs::path& root) {
    auto rel = path.lexically_relative(root);
    return !rel.empty() && *rel.begin() != "..";
}

void walk(const fs::path& folder, const fs::path& root, std::set<fs::path>& seen,
          std::vector<std::string>& out) {
    if (!seen.insert(folder).second)
        return;
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error)) {
        fs::path real = fs::weakly_canonical(it->path(), error);
        if (error || !inside(real, root)) {
            out.push_back(it->path().string() + " -> " + real.string());
            continue;
        }
        if (fs::is_directory(real, error))
            walk(real, root, seen, out);
    }
}

// Every drive letter of the machine and every entry reachable from its
// drives, links followed; what resolves outside the machine's folder.
std::vector<std::string> pathsLeadingOut(const std::string& machineRoot) {
    fs::path root = fs::canonical(machineRoot);
    std::vector<std::string> out;
    std::set<fs::path> seen;
    std::regex driveName("[a-z]:+");
    for (const auto& entry : fs::directory_iterator(root / "prefix" / "dosdevices")) {
        if (!std::regex_match(entry.path().filename().string(), driveName))
            continue;
        std::error_code error;
        fs::path real = fs::weakly_canonical(entry.path(), error);
        if (error || !inside(real, root)) {
            out.push_back(entry.path().string() + " -> " + real.string());
        } else if (fs::is_directory(real)) {
            walk(real, root, seen, out);
        }
    }
    return out;
}

std::vector<std::string> driveLetters(const std::string& machineRoot) {
    std::vector<std::string> letters;
    for (const auto& entry : fs::directory_iterator(machineRoot + "/prefix/dosdevices")) {
        std::string name = entry.path().filename().string();
        if (std::regex_match(name, std::regex("[a-z]:+")))
            letters.push_back(name);
    }
    std::sort(letters.begin(), letters.end());
    return letters;
}

std::vector<std::string> filesUnder(const std::string& folder) {
    std::vector<std::string> names;
    if (!fs::exists(folder))
        return names;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
        if (entry.is_regular_file())
            names.push_back(entry.path().filename().string());
    }
    return names;
}

TEST(Isolation, ATestMachineWithTheProgramRunningReachesNothingOutside) {
    e2e::Machine machine;
    machine.prefix.mapDrive('D');
    machine.prefix.mapDrive('E');
    machine.prefix.installPrograms();
    machine.prefix.writeFile("D:\\OLD\\GONE.TXT", "bytes");
    e2e::Driver& ui = machine.driver();
    int pid = machine.startProgram();
    e2e::Window page = ui.waitWindow("Trellmark v1.1");

    // What the Windows side sees: C: and the two mapped drives, all fixed.
    std::vector<e2e::DriveInfo> drives = ui.drives();
    ASSERT_EQ(3u, drives.size());
    for (size_t i = 0; i < drives.size(); ++i) {
        EXPECT_EQ("CDE"[i], drives[i].letter);
        EXPECT_EQ(3, drives[i].type) << drives[i].letter;  // DRIVE_FIXED
    }

    // The Recycle Bin is the machine's own.
    const unsigned silentToRecycleBin = 0x54;
    EXPECT_EQ(0, ui.shellDelete("D:\\OLD\\GONE.TXT", silentToRecycleBin));
    EXPECT_FALSE(machine.prefix.exists("D:\\OLD\\GONE.TXT"));
    std::vector<std::string> trash = filesUnder(machine.prefix.root() + "/home/.local/share/Trash");
    EXPECT_NE(trash.end(), std::find(trash.begin(), trash.end(), "GONE.TXT"));

    ui.press(page, "Cancel");
    ui.waitExit(pid);
    EXPECT_EQ((std::vector<std::string>{"c:", "d:", "e:"}), driveLetters(machine.prefix.root()));
    EXPECT_EQ(std::vector<std::string>{}, pathsLeadingOut(machine.prefix.root()));
    EXPECT_EQ(0, e2e::runCommand({e2e::sandboxTool(), "check", machine.prefix.root()}).status);
}

TEST(Isolation, TheRunCommandsSandboxReachesNothingOutside) {
    std::string root = e2e::prefixesFolder() + "/run-sandbox-" + std::to_string(getpid());
    fs::remove_all(root);
    e2e::runChecked(
        {e2e::sandboxTool(), "machine", root, e2e::templateFolder(), e2e::winBuildFolder()});
    // Let Wine start its services in the machine, as a run does.
    e2e::CommandResult reg =
        e2e::runCommand({e2e::sandboxTool(), "exec", root, "wine", "reg", "query",
                         "HKCU\\Software\\Quernhollow\\Trellmark", "/v", "path"},
                        root + "/prefix/drive_c");
    e2e::runCommand({e2e::sandboxTool(), "kill", root});

    EXPECT_NE(std::string::npos, reg.output.find("C:\\Program Files\\Trellmark")) << reg.output;
    EXPECT_TRUE(fs::exists(root + "/prefix/drive_c/Program Files/Trellmark/trelmrk.exe"));
    EXPECT_EQ((std::vector<std::string>{"c:", "d:"}), driveLetters(root));
    EXPECT_EQ(std::vector<std::string>{}, pathsLeadingOut(root));
    fs::remove_all(root);
}

// A restart asked for inside a machine (as Finish may do) ends that machine's
// programs and nothing else: another machine's program runs on. (Wine ends
// the programs that have windows; the console driver lives on.)
TEST(Isolation, ARestartEndsOnlyTheProgramsOfItsOwnMachine) {
    const std::string fixture = "C:\\fixture\\e2e-fixture.exe";
    const std::string built = e2e::winBuildFolder() + "/tests/e2e/driver/e2e-fixture.exe";
    e2e::Machine restarted(e2e::currentTestName() + "-restarted");
    e2e::Machine bystander(e2e::currentTestName() + "-bystander");
    restarted.prefix.copyIn(built, fixture);
    bystander.prefix.copyIn(built, fixture);
    e2e::Driver& ui = restarted.driver();
    e2e::Driver& other = bystander.driver();
    int pid = ui.start(fixture);
    int otherPid = other.start(fixture);
    e2e::Window window = ui.waitWindow("Harness fixture");
    other.waitWindow("Harness fixture");

    ui.press(window, "Restart");
    ui.waitExit(pid, 30000);
    EXPECT_TRUE(ui.findWindows("Harness fixture").empty());
    EXPECT_TRUE(other.running(otherPid));
    EXPECT_EQ(1u, other.findWindows("Harness fixture").size());
}

TEST(Isolation, ALinkLeadingOutIsFoundAndAnOutsideDriveRefused) {
    e2e::Prefix prefix(e2e::currentTestName(), ":0");
    std::string d = prefix.mapDrive('D');
    fs::create_directories(d + "/NESTED");
    fs::create_directory_symlink(e2e::prefixesFolder(), d + "/NESTED/LOOP");
    EXPECT_EQ(1u, pathsLeadingOut(prefix.root()).size());
    EXPECT_NE(0, e2e::runCommand({e2e::sandboxTool(), "check", prefix.root()}).status);
    fs::remove(d + "/NESTED/LOOP");
    EXPECT_EQ(std::vector<std::string>{}, pathsLeadingOut(prefix.root()));

    std::string outside = e2e::prefixesFolder() + "/outside-" + std::to_string(getpid());
    EXPECT_NE(0, e2e::runCommand({e2e::sandboxTool(), "map", prefix.root(), "e", outside}).status);
    EXPECT_FALSE(fs::exists(outside));
    EXPECT_FALSE(fs::exists(fs::symlink_status(prefix.root() + "/prefix/dosdevices/e:")));
}

}  // namespace
