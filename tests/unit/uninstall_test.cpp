// The uninstaller on a stand-in machine laid out as the installer leaves it:
// what it asks and reports, and exactly which files and registry keys go.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "fake/machine.h"
#include "platform/files.h"
#include "uninstall/shell_delete.h"
#include "uninstall/uninstaller.h"

namespace {

using platform::MessageAnswer;
using platform::RegistryRoot;
using platform::fake::Machine;

const std::string InstallDir = "C:\\Program Files\\Trellmark";
const std::string ProductKey = "software\\Quernhollow\\Trellmark";
const std::string UninstallKey =
    "software\\microsoft\\windows\\currentversion\\Uninstall\\Trellmark";
const std::string OtherUninstallKey =
    "software\\microsoft\\windows\\currentversion\\Uninstall\\Paintbox";
const std::string UninstallShortcut = "C:\\WINDOWS\\STARTM~1\\PROGRAMS\\UNINST~1\\Trellmark.lnk";

class UninstallTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/trellmark-uninstall-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        Machine::reset(folder_);
        Machine::addDrive('C');
        Machine::addDrive('D');
        Machine::setWindowsDirectory("C:\\WINDOWS");

        // The product as installed, with a snapshot taken.
        Machine::writeFile(InstallDir + "\\trelmrk.exe", "MZ wizard");
        Machine::writeFile(InstallDir + "\\trelmrk-remove.exe", "MZ remover");
        Machine::writeFile(InstallDir + "\\TRELMRK.INI", "[Settings]\r\n");
        Machine::writeFile(InstallDir + "\\trelmrk.hlp", "help");
        Machine::writeFile(InstallDir + "\\SNPDAT\\SNPDAT.C01", "records");
        Machine::writeFile(InstallDir + "\\SNPDAT\\SNPDAT.C02", "folders");
        Machine::writeFile(InstallDir + "\\SNPDAT\\SYSTEM.DAT", "hive");
        Machine::writeFile(InstallDir + "\\Notes.txt", "the user's own file");
        Machine::writeFile("C:\\WINDOWS\\STARTM~1\\PROGRAMS\\TRELLM~1\\Trellmark.lnk", "link");
        Machine::writeFile("C:\\WINDOWS\\STARTM~1\\PROGRAMS\\TRELLM~1\\Help.lnk", "link");
        Machine::writeFile("C:\\WINDOWS\\STARTM~1\\PROGRAMS\\PAINTBOX\\Paintbox.lnk", "link");
        Machine::writeFile("C:\\WINDOWS\\DESKTOP\\Trellmark.lnk", "link");
        Machine::writeFile("C:\\WINDOWS\\DESKTOP\\Paintbox.lnk", "link");
        Machine::setRegistryString(RegistryRoot::CurrentUser, ProductKey, "path", InstallDir);
        Machine::setRegistryString(RegistryRoot::LocalMachine, UninstallKey, "DisplayName",
                                   "Trellmark");
        Machine::addRegistryKey(RegistryRoot::LocalMachine, UninstallKey + "\\Extra");
        Machine::setRegistryString(RegistryRoot::LocalMachine, OtherUninstallKey, "DisplayName",
                                   "Paintbox");

        // Files of the same names at the drives' roots belong to nobody here.
        Machine::writeFile("C:\\trelmrk.exe", "not ours");
        Machine::writeFile("C:\\TRELMRK.INI", "not ours");
        Machine::writeFile("C:\\trelmrk.hlp", "not ours");
        Machine::writeFile("C:\\SNPDAT\\keep.txt", "not ours");
        Machine::writeFile("C:\\STARTM~1\\PROGRAMS\\TRELLM~1\\keep.lnk", "not ours");
        Machine::writeFile("C:\\desktop\\Trellmark.lnk", "not ours");
    }

    void TearDown() override {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // Every file and folder of the machine, as paths below its folder.
    std::set<std::string> Tree() const {
        std::set<std::string> paths;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(folder_)) {
            paths.insert(entry.path().lexically_relative(folder_).generic_string());
        }
        return paths;
    }

    // The paths of `before` that are no longer there.
    std::set<std::string> Gone(const std::set<std::string>& before) const {
        const std::set<std::string> after = Tree();
        std::set<std::string> gone;
        std::set_difference(before.begin(), before.end(), after.begin(), after.end(),
                            std::inserter(gone, gone.end()));
        return gone;
    }

    static std::vector<std::string> Texts() {
        std::vector<std::string> texts;
        for (const auto& message : Machine::messages()) {
            texts.push_back(message.text);
        }
        return texts;
    }

    std::string folder_;
};

const std::string Question = "Are you sure you want to completely remove Trellmark?";
const std::string Success = "Uninstallation Succesfull.";

TEST_F(UninstallTest, AnsweringNoRemovesNothing) {
    const auto before = Tree();
    Machine::queueAnswer(MessageAnswer::No);

    uninstall::RunUninstall();

    ASSERT_EQ(Machine::messages().size(), 1u);
    const auto& question = Machine::messages()[0];
    EXPECT_EQ(question.text, Question);
    EXPECT_EQ(question.caption, "Uninstall");
    EXPECT_EQ(question.kind, platform::MessageKind::Plain);
    EXPECT_EQ(question.buttons, platform::MessageButtons::YesNo);
    EXPECT_EQ(question.owner, nullptr);
    EXPECT_EQ(question.placement.x, -1);
    EXPECT_EQ(question.placement.y, -1);
    EXPECT_EQ(Tree(), before);
    EXPECT_TRUE(Machine::shellDeletes().empty());
    EXPECT_TRUE(Machine::registryHasKey(RegistryRoot::LocalMachine, UninstallKey));
}

TEST_F(UninstallTest, YesRemovesExactlyTheProductsItems) {
    const auto before = Tree();
    Machine::queueAnswer(MessageAnswer::Yes);

    uninstall::RunUninstall();

    const std::set<std::string> expected = {
        "C/Program Files/Trellmark/trelmrk.exe",
        "C/Program Files/Trellmark/TRELMRK.INI",
        "C/Program Files/Trellmark/trelmrk.hlp",
        "C/Program Files/Trellmark/SNPDAT",
        "C/Program Files/Trellmark/SNPDAT/SNPDAT.C01",
        "C/Program Files/Trellmark/SNPDAT/SNPDAT.C02",
        "C/Program Files/Trellmark/SNPDAT/SYSTEM.DAT",
        "C/WINDOWS/STARTM~1/PROGRAMS/TRELLM~1",
        "C/WINDOWS/STARTM~1/PROGRAMS/TRELLM~1/Trellmark.lnk",
        "C/WINDOWS/STARTM~1/PROGRAMS/TRELLM~1/Help.lnk",
        "C/WINDOWS/DESKTOP/Trellmark.lnk",
    };
    EXPECT_EQ(Gone(before), expected);
    EXPECT_TRUE(Machine::recycledNames().empty());

    EXPECT_EQ(Texts(), (std::vector<std::string>{Question, Success}));
    const auto& done = Machine::messages()[1];
    EXPECT_EQ(done.caption, "Info");
    EXPECT_EQ(done.kind, platform::MessageKind::Plain);
    EXPECT_EQ(done.buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(done.owner, nullptr);

    EXPECT_FALSE(Machine::registryHasKey(RegistryRoot::LocalMachine, UninstallKey));
    EXPECT_FALSE(Machine::registryHasKey(RegistryRoot::LocalMachine, UninstallKey + "\\Extra"));
    EXPECT_TRUE(Machine::registryHasKey(RegistryRoot::LocalMachine, OtherUninstallKey));
    std::string path;
    EXPECT_TRUE(platform::registryReadString(RegistryRoot::CurrentUser, ProductKey, "path", path));
    EXPECT_EQ(path, InstallDir);

    // Each removal is one permanent, silent shell deletion, in this order.
    std::vector<std::string> names;
    for (const auto& call : Machine::shellDeletes()) {
        EXPECT_EQ(call.flags, 0x14u);
        ASSERT_EQ(call.items.size(), 1u);
        names.push_back(call.items[0]);
    }
    EXPECT_EQ(names, (std::vector<std::string>{
                         "C:\\WINDOWS\\STARTM~1\\PROGRA~1\\TRELLM~1",
                         "C:\\WINDOWS\\STARTM~1\\PROGRAMS\\TRELLM~1",
                         "C:\\WINDOWS\\desktop\\Trellmark.lnk",
                         InstallDir + "\\trelmrk.exe",
                         InstallDir + "\\trelmrk.ini",
                         InstallDir + "\\trelmrk.hlp",
                         InstallDir + "\\trelmrk.gid",
                         InstallDir + "\\snpdat",
                     }));
}

// Windows 95 reaches the menu folder by 8.3 aliases that may belong to another
// program's folder; the shell's own record of the user's folders finds ours.
TEST_F(UninstallTest, MenuFolderIsTakenByItsOwnNameNotByAnotherFoldersAlias) {
    const std::string menu = "C:\\WINDOWS\\Start Menu";
    const std::string programs = menu + "\\Programs";
    Machine::writeFile(programs + "\\Trellmark Tools\\Tools.lnk", "not ours");
    Machine::writeFile(programs + "\\Trellmark\\Trellmark.lnk", "link");
    Machine::writeFile("C:\\WINDOWS\\Profiles\\ann\\Desktop\\Trellmark.lnk", "link");
    Machine::addShortName(programs + "\\Trellmark Tools", "TRELLM~1");
    Machine::addShortName(programs + "\\Trellmark", "TRELLM~2");
    const std::string shellFolders =
        "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
    Machine::setRegistryString(RegistryRoot::CurrentUser, shellFolders, "Programs", programs);
    Machine::setRegistryString(RegistryRoot::CurrentUser, shellFolders, "Desktop",
                               "C:\\WINDOWS\\Profiles\\ann\\Desktop\\");
    // The aliases the remover knows now lead to the other program's folder.
    std::filesystem::remove_all(folder_ + "/C/WINDOWS/STARTM~1");
    Machine::addShortName(menu, "STARTM~1");
    Machine::queueAnswer(MessageAnswer::Yes);

    uninstall::RunUninstall();

    EXPECT_TRUE(platform::fileExists(programs + "\\Trellmark Tools\\Tools.lnk"));
    EXPECT_FALSE(platform::folderExists(programs + "\\Trellmark"));
    EXPECT_FALSE(platform::fileExists("C:\\WINDOWS\\Profiles\\ann\\Desktop\\Trellmark.lnk"));
}

TEST_F(UninstallTest, SecondRunFindsNothingAndStillReports) {
    Machine::queueAnswer(MessageAnswer::Yes);
    uninstall::RunUninstall();
    const auto afterFirst = Tree();
    Machine::clearMessages();

    Machine::queueAnswer(MessageAnswer::Yes);
    uninstall::RunUninstall();

    EXPECT_EQ(Tree(), afterFirst);
    EXPECT_EQ(Texts(), (std::vector<std::string>{Question, Success}));
}

TEST_F(UninstallTest, WhatCannotBeRemovedIsNamedInsteadOfSuccess) {
    // A read-only help file refuses the shell's delete; a locked key stays.
    ASSERT_TRUE(
        platform::setFileAttributes(InstallDir + "\\trelmrk.hlp", platform::attr::ReadOnly));
    Machine::queueAnswer(MessageAnswer::Yes);
    uninstall::RunUninstall();
    EXPECT_EQ(Texts(), (std::vector<std::string>{Question, "Trellmark could not remove " +
                                                               InstallDir + "\\trelmrk.hlp."}));
    EXPECT_FALSE(platform::fileExists(InstallDir + "\\trelmrk.exe"));

    Machine::writeFile(UninstallShortcut, "link");
    Machine::lockRegistryKey(RegistryRoot::LocalMachine, UninstallKey);
    Machine::addRegistryKey(RegistryRoot::LocalMachine, UninstallKey);
    Machine::clearMessages();
    Machine::queueAnswer(MessageAnswer::Yes);
    uninstall::RunUninstall();
    EXPECT_EQ(Texts(), (std::vector<std::string>{
                           Question, "Trellmark could not remove 2 items. The first is " +
                                         InstallDir + "\\trelmrk.hlp."}));
}

TEST_F(UninstallTest, UninstallShortcutPresentMeansNoReport) {
    Machine::writeFile(UninstallShortcut, "link");
    Machine::queueAnswer(MessageAnswer::Yes);

    uninstall::RunUninstall();

    EXPECT_EQ(Texts(), (std::vector<std::string>{Question}));
    EXPECT_FALSE(platform::fileExists(InstallDir + "\\trelmrk.exe"));
    EXPECT_FALSE(platform::folderExists(InstallDir + "\\SNPDAT"));
    EXPECT_FALSE(Machine::registryHasKey(RegistryRoot::LocalMachine, UninstallKey));
    EXPECT_TRUE(platform::fileExists(UninstallShortcut));
}

// Without a usable install folder the product's files are not looked for:
// their names would otherwise be taken from the current drive's root or
// current folder.
TEST_F(UninstallTest, UnknownInstallFolderRemovesNothingAtADriveRoot) {
    struct Case {
        const char* name;
        bool keyPresent;
        bool valuePresent;
        const char* value;
    };
    const Case cases[] = {
        {"key missing", false, false, ""},     {"value missing", true, false, ""},
        {"value empty", true, true, ""},       {"only a backslash", true, true, "\\"},
        {"relative", true, true, "Trellmark"}, {"drive-relative", true, true, "C:Trellmark"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TearDown();
        SetUp();
        // What a relative value would name from the current folder C:\.
        Machine::writeFile("C:\\Trellmark\\trelmrk.exe", "not ours");
        Machine::writeFile("C:\\Trellmark\\snpdat\\keep.txt", "not ours");
        platform::setCurrentDirectory("C:\\");
        platform::registryDeleteKeyTree(RegistryRoot::CurrentUser, ProductKey);
        if (c.keyPresent) {
            Machine::addRegistryKey(RegistryRoot::CurrentUser, ProductKey);
        }
        if (c.valuePresent) {
            Machine::setRegistryString(RegistryRoot::CurrentUser, ProductKey, "path", c.value);
        }
        const auto before = Tree();
        Machine::queueAnswer(MessageAnswer::Yes);

        uninstall::RunUninstall();

        // The shortcuts and the uninstall entry still go; nothing else.
        const std::set<std::string> expected = {
            "C/WINDOWS/STARTM~1/PROGRAMS/TRELLM~1",
            "C/WINDOWS/STARTM~1/PROGRAMS/TRELLM~1/Trellmark.lnk",
            "C/WINDOWS/STARTM~1/PROGRAMS/TRELLM~1/Help.lnk",
            "C/WINDOWS/DESKTOP/Trellmark.lnk",
        };
        EXPECT_EQ(Gone(before), expected);
        EXPECT_FALSE(Machine::registryHasKey(RegistryRoot::LocalMachine, UninstallKey));
        EXPECT_EQ(Texts(), (std::vector<std::string>{Question, Success}));
    }
}

TEST_F(UninstallTest, UnknownWindowsFolderRemovesNoShortcutAtADriveRoot) {
    Machine::failWindowsDirectory();
    platform::setCurrentDirectory("C:\\");
    Machine::writeFile("C:\\STARTM~1\\PROGRAMS\\UNINST~1\\Trellmark.lnk", "not ours");
    const auto before = Tree();
    Machine::queueAnswer(MessageAnswer::Yes);

    uninstall::RunUninstall();

    const auto gone = Gone(before);
    for (const char* kept :
         {"C/STARTM~1/PROGRAMS/TRELLM~1/keep.lnk", "C/desktop/Trellmark.lnk",
          "C/WINDOWS/DESKTOP/Trellmark.lnk", "C/WINDOWS/STARTM~1/PROGRAMS/TRELLM~1/Help.lnk"}) {
        EXPECT_EQ(gone.count(kept), 0u) << kept;
    }
    EXPECT_FALSE(platform::fileExists(InstallDir + "\\trelmrk.exe"));
    EXPECT_FALSE(platform::folderExists(InstallDir + "\\SNPDAT"));
    // No Windows folder to find the uninstall shortcut in: the report shows.
    EXPECT_EQ(Texts(), (std::vector<std::string>{Question, Success}));
}

TEST_F(UninstallTest, TrailingBackslashOfTheInstallFolderIsTolerated) {
    Machine::setRegistryString(RegistryRoot::CurrentUser, ProductKey, "path", InstallDir + "\\");
    Machine::queueAnswer(MessageAnswer::Yes);

    uninstall::RunUninstall();

    EXPECT_FALSE(platform::fileExists(InstallDir + "\\trelmrk.exe"));
    EXPECT_FALSE(platform::folderExists(InstallDir + "\\SNPDAT"));
    EXPECT_TRUE(platform::fileExists(InstallDir + "\\trelmrk-remove.exe"));
}

// An install folder so deep that some of its items' names do not fit the
// shell's list: those items stay, the others go.
TEST_F(UninstallTest, NamesTooLongForTheShellAreLeftAlone) {
    std::string deep = "D:";
    while (deep.size() < 250) {
        deep += "\\" + std::string(20, 'f');
    }
    deep.resize(250);
    ASSERT_NE(deep.back(), '\\');
    Machine::writeFile(deep + "\\trelmrk.exe", "MZ");  // 262 characters: past MAX_PATH
    Machine::writeFile(deep + "\\trelmrk.ini", "ini");
    // The folder's 257 characters fit a Windows path, so the shell takes it.
    Machine::writeFile(deep + "\\snpdat\\SNPDAT.D01", "records");
    Machine::setRegistryString(RegistryRoot::CurrentUser, ProductKey, "path", deep);
    Machine::queueAnswer(MessageAnswer::Yes);

    uninstall::RunUninstall();

    EXPECT_TRUE(platform::fileExists(deep + "\\trelmrk.exe"));
    EXPECT_TRUE(platform::fileExists(deep + "\\trelmrk.ini"));
    EXPECT_FALSE(platform::folderExists(deep + "\\snpdat"));
    for (const auto& call : Machine::shellDeletes()) {
        for (const auto& name : call.items) {
            EXPECT_LE(name.size(), 259u) << name;
        }
    }
}

TEST_F(UninstallTest, ShellDeleteHandsTheShellOneFullNameEndedByTwoNuls) {
    platform::setCurrentDirectory(InstallDir);

    EXPECT_TRUE(uninstall::ShellDelete("SNPDAT"));
    EXPECT_FALSE(uninstall::ShellDelete("SNPDAT"));  // already gone
    Machine::writeFile("C:\\WINDOWS\\locked.txt", "x");
    platform::setFileAttributes("C:\\WINDOWS\\locked.txt", platform::attr::ReadOnly);
    EXPECT_FALSE(uninstall::ShellDelete("C:\\WINDOWS\\locked.txt"));  // still there

    ASSERT_EQ(Machine::shellDeletes().size(), 3u);
    const auto& first = Machine::shellDeletes()[0];
    EXPECT_EQ(first.list, InstallDir + "\\SNPDAT" + std::string(2, '\0'));
    EXPECT_EQ(first.flags, 0x14u);
    EXPECT_FALSE(platform::folderExists(InstallDir + "\\SNPDAT"));
    EXPECT_TRUE(Machine::recycledNames().empty());
}

}  // namespace
