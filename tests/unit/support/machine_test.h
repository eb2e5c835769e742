// The common fixture of the unit tests: a fresh machine in a temporary host
// folder for every test, with drive C (fixed), the Windows folder
// C:\WINDOWS, and the clock stopped at 12 July 2026, 21:05:00.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "fake/machine.h"

namespace testing_support {

// A temporary host folder, removed with everything in it when destroyed.
class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    std::string path_;
};

class MachineTest : public ::testing::Test {
protected:
    using Machine = platform::fake::Machine;

    void SetUp() override;
    void TearDown() override;

    // Files by Windows path, for setting up and looking at the machine.
    static void write(const std::string& windowsPath, const std::string& bytes) {
        Machine::writeFile(windowsPath, bytes);
    }
    static std::string read(const std::string& windowsPath) {
        return Machine::readFile(windowsPath);
    }
    static bool exists(const std::string& windowsPath);
    static void folder(const std::string& windowsPath) { Machine::makeFolder(windowsPath); }

    // The temporary host folder holding the machine.
    const std::string& hostRoot() const { return root_->path(); }

private:
    std::unique_ptr<TempFolder> root_;
};

}  // namespace testing_support
