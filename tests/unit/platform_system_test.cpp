// System facts, shell services and the registry of the stand-in.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/controls.h"
#include "platform/files.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/system.h"
#include "support/machine_test.h"

namespace {

using namespace platform;
using ShellTest = testing_support::MachineTest;
using SystemTest = testing_support::MachineTest;

TEST_F(SystemTest, DriveTypesAsTheTestSetThem) {
    Machine::addDrive('D', drivetype::Remote);
    Machine::addDrive('e', drivetype::CdRom);
    Machine::addDrive('F', drivetype::Removable);
    EXPECT_EQ(driveType("C:\\"), drivetype::Fixed);
    EXPECT_EQ(driveType("D:\\"), drivetype::Remote);
    EXPECT_EQ(driveType("e:\\"), drivetype::CdRom);
    EXPECT_EQ(driveType("F:\\"), drivetype::Removable);
    EXPECT_EQ(driveType("G:\\"), drivetype::NoRootDir);
    EXPECT_EQ(driveType("C:\\WINDOWS\\"), drivetype::NoRootDir);
    Machine::removeDrive('D');
    EXPECT_EQ(driveType("D:\\"), drivetype::NoRootDir);
    EXPECT_FALSE(setCurrentDirectory("D:"));
}

TEST_F(SystemTest, ModuleAndWindowsFolder) {
    EXPECT_EQ(moduleFileName(), "C:\\Program Files\\Trellmark\\trelmrk.exe");
    Machine::setModuleFileName("D:\\TOOLS\\TRELMRK.EXE");
    EXPECT_EQ(moduleFileName(), "D:\\TOOLS\\TRELMRK.EXE");

    std::string folder;
    ASSERT_TRUE(windowsDirectory(folder, 260));
    EXPECT_EQ(folder, "C:\\WINDOWS");
    // The text and its NUL must fit.
    EXPECT_FALSE(windowsDirectory(folder, 10));
    EXPECT_TRUE(windowsDirectory(folder, 11));
    Machine::failWindowsDirectory();
    EXPECT_FALSE(windowsDirectory(folder, 260));
    Machine::setWindowsDirectory("E:\\WIN98");
    ASSERT_TRUE(windowsDirectory(folder, 260));
    EXPECT_EQ(folder, "E:\\WIN98");
}

TEST_F(SystemTest, DatesAndTimesInTheUsersFormats) {
    const DateTime evening{2026, 7, 2, 21, 5, 9};
    const DateTime midnight{1999, 12, 31, 0, 0, 0};
    const DateTime noon{2000, 1, 1, 12, 30, 0};
    EXPECT_EQ(localNow().year, 2026);
    EXPECT_EQ(localNow().second, 0);
    EXPECT_EQ(formatShortDate(evening), "7/2/2026");
    EXPECT_EQ(formatLongTime(evening), "9:05:09 PM");
    EXPECT_EQ(formatLongTime(midnight), "12:00:00 AM");
    EXPECT_EQ(formatLongTime(noon), "12:30:00 PM");
    Machine::setDateFormats("dd.MM.yy", "HH:mm:ss");
    EXPECT_EQ(formatShortDate(evening), "02.07.26");
    EXPECT_EQ(formatLongTime(midnight), "00:00:00");
    Machine::setDateFormats("dddd, MMMM d, yyyy 'at'", "h 'o''clock' t");
    EXPECT_EQ(formatShortDate(evening), "Thursday, July 2, 2026 at");
    EXPECT_EQ(formatLongTime(evening), "9 o'clock P");
}

TEST_F(ShellTest, DeleteWithUndoMovesIntoTheRecycleBin) {
    write("C:\\NEW\\A.TXT", "a");
    write("C:\\NEW\\SUB\\B.TXT", "b");
    write("C:\\OTHER\\A.TXT", "other");
    const char list[] = "C:\\new\\a.txt\0C:\\OTHER\\A.TXT\0";
    const unsigned flags = fof::Silent | fof::NoConfirmation | fof::AllowUndo;
    EXPECT_EQ(shellDelete(list, flags), 0);
    EXPECT_FALSE(exists("C:\\NEW\\A.TXT"));
    EXPECT_FALSE(exists("C:\\OTHER\\A.TXT"));
    EXPECT_EQ(Machine::recycledNames(), (std::vector<std::string>{"A.TXT", "A.TXT (2)"}));

    EXPECT_EQ(shellDelete("C:\\NEW\0", flags), 0);
    EXPECT_FALSE(exists("C:\\NEW"));
    EXPECT_EQ(Machine::recycledNames().size(), 3u);

    ASSERT_EQ(Machine::shellDeletes().size(), 2u);
    const auto& first = Machine::shellDeletes()[0];
    EXPECT_EQ(first.list, std::string(list, sizeof list));
    EXPECT_EQ(first.items, (std::vector<std::string>{"C:\\new\\a.txt", "C:\\OTHER\\A.TXT"}));
    EXPECT_EQ(first.flags, 0x54u);
    EXPECT_EQ(first.result, 0);
}

TEST_F(ShellTest, DeleteWithoutUndoRemovesFilesAndTrees) {
    write("C:\\GONE.TXT", "");
    write("C:\\TREE\\SUB\\X.TXT", "");
    write("C:\\TREE\\Y.TXT", "");
    EXPECT_EQ(shellDelete("C:\\GONE.TXT\0", fof::Silent | fof::NoConfirmation), 0);
    EXPECT_EQ(shellDelete("C:\\TREE\0", fof::Silent | fof::NoConfirmation), 0);
    EXPECT_FALSE(exists("C:\\GONE.TXT"));
    EXPECT_FALSE(exists("C:\\TREE"));
    EXPECT_TRUE(Machine::recycledNames().empty());
}

TEST_F(ShellTest, DeleteFailsOnMissingItemsReadOnlyFilesAndRoots) {
    write("C:\\RO.TXT", "keep");
    setFileAttributes("C:\\RO.TXT", attr::ReadOnly);
    EXPECT_NE(shellDelete("C:\\MISSING.TXT\0", fof::AllowUndo), 0);
    EXPECT_NE(shellDelete("C:\\RO.TXT\0", fof::AllowUndo), 0);
    EXPECT_NE(shellDelete("C:\\RO.TXT\0", 0), 0);
    EXPECT_NE(shellDelete("C:\\\0", 0), 0);
    EXPECT_NE(shellDelete("Q:\\X\0", 0), 0);
    EXPECT_EQ(read("C:\\RO.TXT"), "keep");
    EXPECT_TRUE(exists("C:\\WINDOWS"));
    ASSERT_EQ(Machine::shellDeletes().size(), 5u);
    EXPECT_NE(Machine::shellDeletes()[0].result, 0);

    // Asked nothing, the shell recycles a read-only file like any other.
    EXPECT_EQ(shellDelete("C:\\RO.TXT\0", fof::AllowUndo | fof::NoConfirmation | fof::Silent), 0);
    EXPECT_FALSE(exists("C:\\RO.TXT"));
    EXPECT_EQ(Machine::recycledNames(), std::vector<std::string>{"RO.TXT"});
}

TEST_F(ShellTest, IconsRestartAndHelpAreRecorded) {
    write("C:\\A.EXE", "");
    write("C:\\B.TXT", "");
    write("C:\\C.txt", "");
    write("C:\\NOEXT", "");
    EXPECT_EQ(systemIconIndex("C:\\WINDOWS"), 3);
    EXPECT_EQ(systemIconIndex("C:\\A.EXE"), 2);
    EXPECT_EQ(systemIconIndex("C:\\NOEXT"), 0);
    const int text = systemIconIndex("C:\\B.TXT");
    EXPECT_GE(text, 10);
    EXPECT_EQ(systemIconIndex("C:\\C.txt"), text);
    EXPECT_EQ(Machine::iconLookups().size(), 5u);
    EXPECT_EQ(Machine::iconLookups()[1], "C:\\A.EXE");

    restartWindows();
    EXPECT_EQ(Machine::restartCalls(), 1);

    Window::CreateArgs args;
    args.caption = "Owner";
    Window owner(args);
    openHelp(owner, "C:\\P\\trelmrk.hlp", 3, 0);
    ASSERT_EQ(Machine::helpCalls().size(), 1u);
    EXPECT_EQ(Machine::helpCalls()[0].owner, &owner);
    EXPECT_EQ(Machine::helpCalls()[0].file, "C:\\P\\trelmrk.hlp");
    EXPECT_EQ(Machine::helpCalls()[0].command, 3u);
}

TEST_F(SystemTest, RegistryKeysValuesAndTrees) {
    const auto lm = RegistryRoot::LocalMachine;
    Machine::setRegistryString(lm, "Software\\Trellmark", "InstallDir", "C:\\TM");
    Machine::addRegistryKey(lm, "Software\\Trellmark\\Sub\\Deeper");
    Machine::addRegistryKey(lm, "Software\\TrellmarkOther");
    std::string text;
    ASSERT_TRUE(registryReadString(lm, "SOFTWARE\\trellmark", "installdir", text));
    EXPECT_EQ(text, "C:\\TM");
    EXPECT_FALSE(registryReadString(lm, "Software\\Trellmark", "Other", text));
    EXPECT_FALSE(
        registryReadString(RegistryRoot::CurrentUser, "Software\\Trellmark", "InstallDir", text));
    EXPECT_TRUE(registryKeyExists(lm, "Software\\Trellmark\\Sub"));

    EXPECT_TRUE(registryDeleteKeyTree(lm, "Software\\Trellmark"));
    EXPECT_FALSE(registryKeyExists(lm, "Software\\Trellmark"));
    EXPECT_FALSE(Machine::registryHasKey(lm, "Software\\Trellmark\\Sub\\Deeper"));
    EXPECT_TRUE(registryKeyExists(lm, "Software\\TrellmarkOther"));
    EXPECT_TRUE(registryKeyExists(lm, "Software"));
    EXPECT_FALSE(registryDeleteKeyTree(lm, "Software\\Trellmark"));

    Machine::lockRegistryKey(lm, "Software\\Held\\Inner");
    EXPECT_FALSE(registryDeleteKeyTree(lm, "Software\\Held"));
    EXPECT_TRUE(registryKeyExists(lm, "Software\\Held"));
}

}  // namespace
