// The system-file tests' machine: drive C with the program and Windows
// folders, the pages created, and the six live files at hand.
#pragma once

#include <string>

#include "platform/files.h"
#include "wizard_fixture.h"

namespace systemfilestest {

using namespace wizardtest;
using namespace std::string_literals;

inline const char* const DataDir = "C:\\Program Files\\Trellmark\\SNPDAT";

inline std::string InData(const std::string& name) {
    return std::string(DataDir) + "\\" + name;
}

inline bool Exists(const std::string& path) {
    return platform::fileExists(path);
}

inline int64_t Attributes(const std::string& path) {
    return platform::fileAttributes(path);
}

class SystemFilesTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        CreatePages();
        Machine::setLocalNow(platform::DateTime{2026, 7, 12, 21, 5, 0});
    }

    static void WriteLiveFiles() {
        Machine::writeFile("C:\\AUTOEXEC.BAT", "@ECHO OFF\r\nPATH C:\\DOS\r\n");
        Machine::writeFile("C:\\CONFIG.SYS", "FILES=40\r\n");
        Machine::writeFile("C:\\WINDOWS\\WIN.INI", "[windows]\r\nload=\r\n");
        Machine::writeFile("C:\\WINDOWS\\SYSTEM.INI", "[boot]\r\nshell=Explorer.exe\r\n");
        Machine::writeFile("C:\\WINDOWS\\SYSTEM.DAT", "CREG\0\0system"s);
        Machine::writeFile("C:\\WINDOWS\\USER.DAT", "CREG\0\0user"s);
    }
};

}  // namespace systemfilestest
