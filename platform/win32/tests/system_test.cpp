// Profile files, system facts, registry and shell calls of the Win32 backend
// under Wine.
#include "platform/system.h"

#include "check.h"
#include "platform/profile.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "test_drive.h"

// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

using namespace platform;

TEST(Profile, WrittenKeysReadBackWhateverTheirLength) {
    const std::string file = testdrive::folder("profile") + "\\TEST.INI";
    const std::string longValue(3000, 'v');
    ASSERT_TRUE(writeProfileString(file, "Settings", "drivec", "1"));
    ASSERT_TRUE(writeProfileString(file, "Settings", "long", longValue));
    EXPECT_EQ(readProfileString(file, "SETTINGS", "DriveC", "x"), "1");
    EXPECT_EQ(readProfileString(file, "Settings", "long", ""), longValue);
    EXPECT_EQ(readProfileString(file, "Settings", "missing", "fallback"), "fallback");
    EXPECT_EQ(readProfileString(file + ".none", "Settings", "drivec", "fallback"), "fallback");
    EXPECT_EQ(testdrive::readBytes(file).substr(0, 20), "[Settings]\r\ndrivec=1");
}

TEST(Profile, ReadOnlyFileRefusesWrites) {
    if (!testdrive::readOnlyEnforced())
        return;
    const std::string file = testdrive::folder("readonly") + "\\TEST.INI";
    testdrive::writeBytes(file, "[Settings]\r\nRecycle=1\r\n");
    SetFileAttributesA(file.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(writeProfileString(file, "Settings", "Recycle", "0"));
    EXPECT_EQ(readProfileString(file, "Settings", "Recycle", ""), "1");
}

TEST(System, ProgramPathAndWindowsFolder) {
    EXPECT_EQ(moduleFileName(), "D:\\win32_backend_test.exe");
    std::string folder;
    ASSERT_TRUE(windowsDirectory(folder, 256));
    EXPECT_EQ(folder, "C:\\windows");
    std::string unchanged = "kept";
    EXPECT_FALSE(windowsDirectory(unchanged, 5));  // too small for "C:\windows"
    EXPECT_EQ(unchanged, "kept");
}

TEST(System, DriveTypes) {
    EXPECT_EQ(driveType("C:\\"), drivetype::Fixed);
    EXPECT_EQ(driveType("D:\\"), drivetype::Fixed);
    EXPECT_EQ(driveType("Q:\\"), drivetype::NoRootDir);
}

TEST(System, ClockAndUserFormats) {
    const DateTime now = localNow();
    EXPECT_GE(now.year, 2020);
    DateTime moment;
    moment.year = 1999;
    moment.month = 6;
    moment.day = 2;
    moment.hour = 14;
    moment.minute = 30;
    const std::string date = formatShortDate(moment);
    const std::string time = formatLongTime(moment);
    EXPECT_NE(date.find("1999"), std::string::npos);
    EXPECT_NE(date.find('2'), std::string::npos);
    EXPECT_NE(time.find("30"), std::string::npos);
    EXPECT_EQ(date.find('\0'), std::string::npos);
}

TEST(Registry, ReadsTextsAndDeletesWholeTrees) {
    const std::string key = "Software\\TrellmarkBackendTest";
    HKEY inner = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, (key + "\\A\\B").c_str(), &inner), ERROR_SUCCESS);
    RegCloseKey(inner);
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, (key + "\\C").c_str(), &inner), ERROR_SUCCESS);
    RegCloseKey(inner);
    HKEY top = nullptr;
    ASSERT_EQ(RegOpenKeyA(HKEY_CURRENT_USER, key.c_str(), &top), ERROR_SUCCESS);
    const char folder[] = "C:\\Program Files\\Trellmark";
    RegSetValueExA(top, "InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(folder),
                   sizeof folder);
    RegCloseKey(top);

    std::string text;
    ASSERT_TRUE(registryReadString(RegistryRoot::CurrentUser, key, "InstallDir", text));
    EXPECT_EQ(text, folder);
    EXPECT_FALSE(registryReadString(RegistryRoot::CurrentUser, key, "Missing", text));
    EXPECT_TRUE(registryKeyExists(RegistryRoot::CurrentUser, key + "\\A\\B"));

    EXPECT_TRUE(registryDeleteKeyTree(RegistryRoot::CurrentUser, key));
    EXPECT_FALSE(registryKeyExists(RegistryRoot::CurrentUser, key));
    EXPECT_FALSE(registryDeleteKeyTree(RegistryRoot::CurrentUser, key));
    EXPECT_FALSE(registryDeleteKeyTree(RegistryRoot::CurrentUser, ""));
    EXPECT_TRUE(registryKeyExists(RegistryRoot::CurrentUser, "Software"));
}

TEST(Shell, DeletesAndRecyclesFiles) {
    const std::string base = testdrive::folder("shell");
    const std::string recycled = base + "\\recycled.txt";
    const std::string deleted = base + "\\deleted.txt";
    testdrive::writeBytes(recycled, "r");
    testdrive::writeBytes(deleted, "d");

    char from[MAX_PATH + 2] = {};
    lstrcpyA(from, recycled.c_str());
    EXPECT_EQ(shellDelete(from, fof::Silent | fof::NoConfirmation | fof::AllowUndo), 0);
    EXPECT_EQ(GetFileAttributesA(recycled.c_str()), INVALID_FILE_ATTRIBUTES);

    char from2[MAX_PATH + 2] = {};
    lstrcpyA(from2, deleted.c_str());
    EXPECT_EQ(shellDelete(from2, fof::Silent | fof::NoConfirmation), 0);
    EXPECT_EQ(GetFileAttributesA(deleted.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_GE(systemIconIndex("C:\\windows"), 0);
    EXPECT_GE(systemIconIndex("D:\\win32_backend_test.exe"), 0);
}

// Icon indexes are kept per file type; each must still be the one the shell
// gives for that very item, whatever was asked before it.
TEST(Shell, KeptIconIndexesAreTheShellsOwn) {
    const std::string base = testdrive::folder("icons");
    for (const char* name : {"a.txt", "B.TXT", "c.ini", "plain", "dotted.dir\\x"}) {
        CreateDirectoryA((base + "\\dotted.dir").c_str(), nullptr);
        testdrive::writeBytes(base + "\\" + name, "x");
    }
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    const std::string items[] = {
        base + "\\a.txt", base + "\\B.TXT",      base + "\\c.ini", self,
        base + "\\plain", base + "\\dotted.dir", "C:\\windows",    base + "\\missing.txt",
        base + "\\a.txt"};
    for (int round = 0; round < 2; ++round) {
        for (const std::string& item : items) {
            SHFILEINFOA info = {};
            SHGetFileInfoA(item.c_str(), FILE_ATTRIBUTE_NORMAL, &info, sizeof info,
                           SHGFI_SYSICONINDEX);
            EXPECT_EQ(item + " " + std::to_string(systemIconIndex(item)),
                      item + " " + std::to_string(info.iIcon));
        }
    }
}
