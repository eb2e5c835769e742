// trelmrk-setup.exe under Wine, run silently in a fresh machine laid out as
// Windows 95 lays out its shell folders: exactly what it installs, that the
// Start-menu shortcut starts the wizard, that trelmrk-remove.exe takes it all
// away again, and that Help on page 1 opens the installed help file.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <thread>

#include "harness/machine.h"
#include "harness/settings.h"

namespace {

namespace fs = std::filesystem;
using Listing = std::set<std::string>;

const std::string Install = e2e::Prefix::kInstallFolder;
const std::string SetupProgram = "C:\\SETUP\\trelmrk-setup.exe";
const std::string HelpFile = Install + "\\trelmrk.hlp";
const std::string ProductKey = "HKCU\\Software\\Quernhollow\\Trellmark";
const std::string UninstallKey =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Trellmark";
// Windows 95 keeps the Start menu and the desktop in the Windows folder. Wine
// makes no 8.3 alias such as STARTM~1 for a long name, so the folders carry
// the short names a Windows 95 machine reaches them by (as trelmrk-remove
// does).
const std::string StartMenu = "C:\\windows\\STARTM~1";
const std::string Programs = StartMenu + "\\PROGRAMS";
const std::string Desktop = "C:\\windows\\desktop";
const std::string MenuFolder = Programs + "\\Trellmark";

void UseWindows95ShellFolders(e2e::Prefix& prefix) {
    const std::string folders =
        "HKCU\\Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
    for (const auto& [name, path] : {std::pair<std::string, std::string>{"Start Menu", StartMenu},
                                     {"Programs", Programs},
                                     {"Desktop", Desktop}}) {
        prefix.makeFolder(path);
        ASSERT_EQ(0, prefix
                         .wine({"reg", "add", folders, "/v", name, "/t", "REG_EXPAND_SZ", "/d",
                                path, "/f"})
                         .status);
    }
    // Wine's own menu entries for new shortcuts would land outside C:.
    ASSERT_EQ(0, prefix
                     .wine({"reg", "add", "HKCU\\Software\\Wine\\DllOverrides", "/v",
                            "winemenubuilder.exe", "/d", "", "/f"})
                     .status);
}

// Every file and folder of drive C:, as Windows paths.
Listing ListDriveC(const e2e::Prefix& prefix) {
    Listing listing;
    const fs::path root = prefix.hostPath("C:\\");
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string path = "C:\\" + fs::relative(entry.path(), root).string();
        std::replace(path.begin(), path.end(), '/', '\\');
        listing.insert(path);
    }
    return listing;
}

Listing Minus(const Listing& a, const Listing& b) {
    Listing out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::inserter(out, out.end()));
    return out;
}

std::string RegistryValue(e2e::Prefix& prefix, const std::string& key, const std::string& value) {
    e2e::CommandResult result = prefix.wine({"reg", "query", key, "/v", value});
    if (result.status != 0)
        return "(missing)";
    // "    path    REG_SZ    C:\Program Files\Trellmark"
    const std::string type = "REG_SZ";
    size_t at = result.output.find(type);
    if (at == std::string::npos)
        return "(not text)";
    std::string text = result.output.substr(at + type.size());
    text.erase(0, text.find_first_not_of(" \t"));
    return text.substr(0, text.find_first_of("\r\n"));
}

std::string HostFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

uint32_t Le32(const std::string& bytes, size_t at) {
    if (at + 4 > bytes.size())
        throw std::runtime_error("shortcut too short");
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

// The local path a shell link points to: the link's location block holds it
// after the optional item list.
std::string ShortcutTarget(const std::string& link) {
    const uint32_t flags = Le32(link, 0x14);
    size_t at = 0x4C;
    if (flags & 0x1)  // an item list, led by its size
        at += 2 + (Le32(link, at) & 0xFFFF);
    if (!(flags & 0x2))
        return "(no location)";
    const size_t info = at;
    if (!(Le32(link, info + 8) & 0x1))
        return "(no local path)";
    const size_t path = info + Le32(link, info + 16);
    return link.substr(path, link.find('\0', path) - path);
}

// The help engine's window (handle, process, class, caption), once it shows.
e2e::Row WaitHelpWindow(e2e::Driver& ui) {
    for (int tries = 0; tries < 300; ++tries) {
        for (const e2e::Row& window : ui.call({"windows"})) {
            if (window.size() == 4 && window[2] == "MS_WINHELP")
                return window;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    throw std::runtime_error("no help window within 30 s");
}

class Installed : public ::testing::Test {
protected:
    void SetUp() override {
        // The machine's Wine server, kept by the driver, must be the first one.
        machine.driver();
        UseWindows95ShellFolders(prefix);
        prefix.copyIn(e2e::winBuildFolder() + "/trelmrk-setup.exe", SetupProgram);
    }

    e2e::Machine machine;
    e2e::Prefix& prefix = machine.prefix;
};

TEST_F(Installed, SilentSetupThenRemoverLeavesOnlyWhatTheRemoverKeeps) {
    const Listing before = ListDriveC(prefix);
    e2e::CommandResult setup = prefix.wine({SetupProgram, "/S"});
    ASSERT_EQ(0, setup.status) << setup.output;

    const Listing installed = Minus(ListDriveC(prefix), before);
    EXPECT_EQ(
        (Listing{Install, Install + "\\trelmrk.exe", Install + "\\trelmrk-remove.exe", HelpFile,
                 MenuFolder, MenuFolder + "\\Trellmark.lnk", MenuFolder + "\\Trellmark Help.lnk",
                 MenuFolder + "\\Remove Trellmark.lnk", Desktop + "\\Trellmark.lnk"}),
        installed);
    EXPECT_TRUE(Minus(before, ListDriveC(prefix)).empty());
    EXPECT_EQ(HostFile(e2e::winBuildFolder() + "/trelmrk.hlp"), prefix.readFile(HelpFile));
    EXPECT_EQ(Install, RegistryValue(prefix, ProductKey, "path"));
    EXPECT_EQ("Trellmark", RegistryValue(prefix, UninstallKey, "DisplayName"));
    EXPECT_EQ("\"" + Install + "\\trelmrk-remove.exe\"",
              RegistryValue(prefix, UninstallKey, "UninstallString"));

    // The shortcuts point where the programs are; the menu's starts the wizard.
    EXPECT_EQ(Install + "\\trelmrk.exe",
              ShortcutTarget(prefix.readFile(Desktop + "\\Trellmark.lnk")));
    EXPECT_EQ(HelpFile, ShortcutTarget(prefix.readFile(MenuFolder + "\\Trellmark Help.lnk")));
    EXPECT_EQ(Install + "\\trelmrk-remove.exe",
              ShortcutTarget(prefix.readFile(MenuFolder + "\\Remove Trellmark.lnk")));
    const std::string program = ShortcutTarget(prefix.readFile(MenuFolder + "\\Trellmark.lnk"));
    ASSERT_EQ(Install + "\\trelmrk.exe", program);
    e2e::Driver& ui = machine.driver();
    int pid = ui.start(program, Install);
    e2e::Window page = ui.waitWindow("Trellmark v1.1");
    machine.screenshot("wizard-from-start-menu");
    ui.press(page, "Cancel");
    EXPECT_EQ(0, ui.waitExit(pid));

    pid = ui.start(Install + "\\trelmrk-remove.exe", Install);
    e2e::MessageBox question = ui.waitMessageBox(15000, "Uninstall");
    ui.answer(question, "&Yes");
    ui.waitGone(question.handle);
    e2e::MessageBox report = ui.waitMessageBox(30000, "Info");
    machine.screenshot("removed");
    ui.answer(report, "OK");
    EXPECT_EQ(0, ui.waitExit(pid));

    // Left on purpose: the remover, which cannot delete itself, and the
    // folder it is in. The Start-menu folder, which Wine gives no TRELLM~1
    // alias, is found through the shell's record of the programs folder.
    EXPECT_EQ((Listing{Install, Install + "\\trelmrk-remove.exe"}),
              Minus(ListDriveC(prefix), before));
    EXPECT_TRUE(Minus(before, ListDriveC(prefix)).empty());
    EXPECT_EQ("(missing)", RegistryValue(prefix, UninstallKey, "DisplayName"));
    EXPECT_NE(0, prefix.wine({"reg", "query", UninstallKey}).status);
    // Also left on purpose: the key the remover read the folder from.
    EXPECT_EQ(Install, RegistryValue(prefix, ProductKey, "path"));
}

TEST_F(Installed, HelpOnPage1OpensTheHelpFileAtItsContents) {
    ASSERT_EQ(0, prefix.wine({SetupProgram, "/S"}).status);
    e2e::Driver& ui = machine.driver();
    int pid = ui.start(Install + "\\trelmrk.exe", Install);
    e2e::Window page = ui.waitWindow("Trellmark v1.1");
    ui.press(page, "Help");

    // The help engine's main window, known by its class: Wine's engine
    // captions it with its own name when a program opens it.
    const e2e::Row help = WaitHelpWindow(ui);
    const e2e::Window helpWindow = std::stoul(help.at(0));
    std::string shown;
    for (const e2e::Control& control : ui.children(helpWindow)) {
        if (control.className.find("RichEdit") != std::string::npos)
            shown += ui.text(control.handle);
    }
    // The contents topic, under its title.
    EXPECT_EQ(0u, shown.find("Trellmark Help\r")) << shown;
    EXPECT_NE(std::string::npos, shown.find("Page 1: Snapshot or restore")) << shown;
    EXPECT_NE(std::string::npos, shown.find("Removing Trellmark from your computer")) << shown;
    machine.screenshot("help-contents");

    ui.close(helpWindow);
    ui.waitGone(helpWindow);
    ui.press(page, "Cancel");
    EXPECT_EQ(0, ui.waitExit(pid));
}

}  // namespace
