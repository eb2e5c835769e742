// trelmrk-remove under Wine, on a machine laid out as the installer leaves it:
// the question, the report, and exactly what is removed and what stays.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "harness/machine.h"

namespace {

const std::string Install = e2e::Prefix::kInstallFolder;
const std::string Remover = Install + "\\trelmrk-remove.exe";
const std::string UninstallEntry =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Trellmark";
const std::string OtherEntry =
    "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Paintbox";
const std::string ProductKey = "HKCU\\Software\\Quernhollow\\Trellmark";

// Wine gives the Start Menu no "STARTM~1" short name, so the folders are laid
// out under the 8.3 names a Windows 98 machine has for them.
const std::string Programs = "C:\\WINDOWS\\STARTM~1\\PROGRAMS";
const std::string ProgramsShort = "C:\\WINDOWS\\STARTM~1\\PROGRA~1";

// What the installer and a few runs of the wizard leave behind.
void InstallProduct(e2e::Machine& machine) {
    e2e::Prefix& prefix = machine.prefix;
    prefix.installPrograms();
    prefix.writeFile(Install + "\\TRELMRK.INI", "[Settings]\r\nDrive C=1\r\n");
    prefix.writeFile(Install + "\\trelmrk.hlp", "help");
    prefix.writeFile(Install + "\\SNPDAT\\SNPDAT.C01", "records");
    prefix.writeFile(Install + "\\SNPDAT\\SNPDAT.C02", "folders");
    prefix.writeFile(Install + "\\SNPDAT\\USER.DAT", "hive backup");
    prefix.writeFile(Install + "\\Notes.txt", "the user's own file");
    prefix.writeFile(Programs + "\\TRELLM~1\\Trellmark.lnk", "link");
    prefix.writeFile(Programs + "\\TRELLM~1\\Trellmark Help.lnk", "link");
    prefix.writeFile(ProgramsShort + "\\TRELLM~1\\Trellmark.lnk", "link");
    prefix.writeFile(Programs + "\\Paintbox.lnk", "another program's");
    prefix.writeFile("C:\\WINDOWS\\desktop\\Trellmark.lnk", "link");
    prefix.writeFile("C:\\WINDOWS\\desktop\\Paintbox.lnk", "another program's");
    // The machine's Wine server, kept by the driver, must be the first one.
    machine.driver();
    ASSERT_EQ(
        0, prefix.wine({"reg", "add", UninstallEntry + "\\Options", "/v", "Mode", "/d", "1", "/f"})
               .status);
    ASSERT_EQ(0,
              prefix.wine({"reg", "add", OtherEntry, "/v", "DisplayName", "/d", "Paintbox", "/f"})
                  .status);
}

bool KeyExists(e2e::Prefix& prefix, const std::string& key) {
    return prefix.wine({"reg", "query", key}).status == 0;
}

TEST(Uninstall, NoLeavesEverythingAndYesRemovesTheProduct) {
    e2e::Machine machine;
    e2e::Prefix& prefix = machine.prefix;
    InstallProduct(machine);
    e2e::Driver& ui = machine.driver();

    int pid = ui.start(Remover, Install);
    e2e::MessageBox question = ui.waitMessageBox(15000, "Uninstall");
    EXPECT_EQ("Are you sure you want to completely remove Trellmark?", question.text);
    EXPECT_EQ((std::vector<std::string>{"&Yes", "&No"}), question.buttons);
    machine.screenshot("question");
    ui.answer(question, "&No");
    EXPECT_EQ(0, ui.waitExit(pid));
    ui.waitGone(question.handle);
    EXPECT_TRUE(prefix.exists(Install + "\\trelmrk.exe"));
    EXPECT_TRUE(prefix.exists(Install + "\\SNPDAT\\USER.DAT"));
    EXPECT_TRUE(prefix.exists(Programs + "\\TRELLM~1\\Trellmark.lnk"));
    EXPECT_TRUE(prefix.exists("C:\\WINDOWS\\desktop\\Trellmark.lnk"));
    EXPECT_TRUE(KeyExists(prefix, UninstallEntry));

    pid = ui.start(Remover, Install);
    question = ui.waitMessageBox(15000, "Uninstall");
    ui.answer(question, "&Yes");
    // The driver reads every dialog it finds: let the question close first.
    ui.waitGone(question.handle);
    e2e::MessageBox report = ui.waitMessageBox(30000, "Info");
    EXPECT_EQ("Uninstallation Succesfull.", report.text);
    EXPECT_EQ(std::vector<std::string>{"OK"}, report.buttons);
    machine.screenshot("report");
    ui.answer(report, "OK");
    EXPECT_EQ(0, ui.waitExit(pid));

    for (const std::string& gone :
         {Install + "\\trelmrk.exe", Install + "\\TRELMRK.INI", Install + "\\trelmrk.hlp",
          Install + "\\SNPDAT", Programs + "\\TRELLM~1", ProgramsShort + "\\TRELLM~1",
          std::string("C:\\WINDOWS\\desktop\\Trellmark.lnk")}) {
        EXPECT_FALSE(prefix.exists(gone)) << gone;
    }
    for (const std::string& kept :
         {Install, Remover, Install + "\\Notes.txt", Programs + "\\Paintbox.lnk",
          std::string("C:\\WINDOWS\\desktop\\Paintbox.lnk")}) {
        EXPECT_TRUE(prefix.exists(kept)) << kept;
    }
    EXPECT_FALSE(KeyExists(prefix, UninstallEntry));
    EXPECT_TRUE(KeyExists(prefix, OtherEntry));
    e2e::CommandResult product = prefix.wine({"reg", "query", ProductKey, "/v", "path"});
    EXPECT_EQ(0, product.status);
    EXPECT_NE(std::string::npos, product.output.find(Install)) << product.output;
}

// Run from the installer's own uninstall shortcut, the removal is the same but
// the installer reports it, not the program.
TEST(Uninstall, WithTheUninstallShortcutNoReportIsShown) {
    e2e::Machine machine;
    e2e::Prefix& prefix = machine.prefix;
    InstallProduct(machine);
    prefix.writeFile(Programs + "\\UNINST~1\\Trellmark.lnk", "link");
    e2e::Driver& ui = machine.driver();

    int pid = ui.start(Remover, Install);
    ui.answer(ui.waitMessageBox(15000, "Uninstall"), "&Yes");
    // Ends by itself: no box is left waiting for an answer.
    EXPECT_EQ(0, ui.waitExit(pid, 30000));

    EXPECT_FALSE(prefix.exists(Install + "\\trelmrk.exe"));
    EXPECT_FALSE(prefix.exists(Install + "\\SNPDAT"));
    EXPECT_FALSE(prefix.exists(Programs + "\\TRELLM~1"));
    EXPECT_TRUE(prefix.exists(Programs + "\\UNINST~1\\Trellmark.lnk"));
    EXPECT_FALSE(KeyExists(prefix, UninstallEntry));
}

}  // namespace
