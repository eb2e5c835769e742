// The system-file backup under Wine: a backup that cannot be completed leaves
// the previous backup and the live files byte for byte as they were, and the
// user is told.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>

#include "harness/machine.h"

namespace {

namespace fs = std::filesystem;

constexpr char kTitle[] = "Trellmark v1.1";
constexpr char kConfig[] = "C:\\Program Files\\Trellmark\\TRELMRK.INI";
constexpr char kData[] = "C:\\Program Files\\Trellmark\\SNPDAT";

// The files of a host folder with their bytes, the drive snapshots left out
// (each run writes them anew before the backup).
std::map<std::string, std::string> Backups(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.compare(0, 7, "SNPDAT.") == 0)
            continue;
        std::ostringstream bytes;
        if (entry.is_regular_file())
            bytes << std::ifstream(entry.path(), std::ios::binary).rdbuf();
        files[name] = entry.is_regular_file() ? bytes.str() : "(folder)";
    }
    return files;
}

// The lines of the config that only the backup writes.
std::string BackupRecord(const std::string& config) {
    const size_t start = config.find("[Checksums]");
    const size_t end = config.find('[', start + 1);
    const size_t date = config.find("Date1=");
    return config.substr(start, end - start) + config.substr(date, config.find('\r', date) - date);
}

class SystemFileBackup : public testing::Test {
protected:
    e2e::Window WaitPage(const std::string& caption, int timeoutMs = 120000) {
        const auto deadline =
            std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        do {
            try {
                for (e2e::Window page : ui().findWindows(kTitle)) {
                    for (const e2e::Control& control : ui().children(page)) {
                        if (control.visible && control.text == caption)
                            return page;
                    }
                }
            } catch (const e2e::DriverError&) {
                // A window that is just closing may not answer; look again.
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        } while (std::chrono::steady_clock::now() < deadline);
        throw e2e::DriverError("no wizard page shows \"" + caption + "\"");
    }

    // From page 1 to the start of a snapshot run on page 2.
    e2e::Window StartSnapshot(const std::string& shot) {
        const e2e::Window page1 = WaitPage("&Settings...");
        ui().setChecked(ui().child(page1, "Take snapshot of current state"), true);
        machine.screenshot(shot + "-page1");
        ui().press(page1, "&Next >");
        const e2e::Window page2 = WaitPage("&Start >");
        machine.screenshot(shot + "-page2");
        ui().press(page2, "&Start >");
        return page2;
    }

    e2e::Driver& ui() { return machine.driver(); }
    e2e::Machine machine;
};

TEST_F(SystemFileBackup, ACopyThatCannotBeCompletedKeepsThePreviousBackup) {
    machine.prefix.installPrograms();
    machine.prefix.mapDrive('D');
    machine.prefix.writeFile("D:\\A.TXT", "a");
    machine.prefix.writeFile(kConfig, "[Settings]\r\ndrivec=0\r\ndrived=1\r\n");
    machine.prefix.writeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nREM first\r\n");
    machine.prefix.writeFile("C:\\CONFIG.SYS", "FILES=30\r\n");
    machine.prefix.writeFile("C:\\WINDOWS\\SYSTEM.DAT", std::string(5000, 's'));
    machine.prefix.writeFile("C:\\WINDOWS\\USER.DAT", std::string(2000, 'u'));

    const int pid = machine.startProgram();
    StartSnapshot("first");
    const e2e::Window page4 = WaitPage("Taking snapshot  finished", 300000);
    machine.screenshot("first-page4");
    const std::string data = machine.prefix.hostPath(kData);
    ASSERT_EQ(machine.prefix.readFile(std::string(kData) + "\\AUTOEXEC.BAT"),
              "@ECHO OFF\r\nREM first\r\n");
    EXPECT_TRUE(machine.prefix.exists(std::string(kData) + "\\HIVES.SUM"));
    const std::string record = BackupRecord(machine.prefix.readFile(kConfig));

    // A folder has taken the place of the copy of WIN.INI, which no file can
    // replace; the copies of AUTOEXEC.BAT and CONFIG.SYS come before it.
    fs::remove(data + "/WIN.INI");
    machine.prefix.makeFolder(std::string(kData) + "\\WIN.INI");
    const std::map<std::string, std::string> previous = Backups(data);
    // An installer changes the system files.
    machine.prefix.writeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nREM second\r\n");
    machine.prefix.writeFile("C:\\CONFIG.SYS", "FILES=60\r\nDEVICE=NEW.SYS\r\n");
    machine.prefix.writeFile("C:\\WINDOWS\\SYSTEM.DAT", std::string(6000, 'S'));
    std::map<std::string, std::string> live;
    for (const char* path :
         {"C:\\AUTOEXEC.BAT", "C:\\CONFIG.SYS", "C:\\WINDOWS\\WIN.INI", "C:\\WINDOWS\\SYSTEM.INI",
          "C:\\WINDOWS\\SYSTEM.DAT", "C:\\WINDOWS\\USER.DAT"}) {
        live[path] = machine.prefix.readFile(path);
    }

    ui().press(page4, "< &Back");
    ui().press(WaitPage("&Start >"), "< &Back");
    const e2e::Window page2 = StartSnapshot("second");
    const e2e::MessageBox error = ui().waitMessageBox(300000);
    machine.screenshot("second-error");
    // The system's cause: the folder holds the name the new copy moves to.
    EXPECT_EQ(error.text, "File exists");
    ui().answer(error, "OK");
    ui().waitGone(error.handle);

    EXPECT_EQ(Backups(data), previous);
    EXPECT_EQ(BackupRecord(machine.prefix.readFile(kConfig)), record);
    for (const auto& [path, bytes] : live)
        EXPECT_EQ(machine.prefix.readFile(path), bytes) << path;

    machine.screenshot("second-page2");
    ui().press(page2, "Cancel");
    EXPECT_EQ(ui().waitExit(pid), 0);
}

}  // namespace
