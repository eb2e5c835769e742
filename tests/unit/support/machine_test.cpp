// A fresh stand-in machine per test, in a temporary folder of its own.
#include "support/machine_test.h"

#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

namespace testing_support {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    const char* base = getenv("TMPDIR");
    std::string pattern =
        std::string(base != nullptr && *base != 0 ? base : "/tmp") + "/trellmark-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("cannot make " + pattern);
    path_ = pattern;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    fs::remove_all(path_, ignored);
}

void MachineTest::SetUp() {
    root_ = std::make_unique<TempFolder>();
    Machine::reset(root_->path());
    Machine::addDrive('C', platform::drivetype::Fixed);
    Machine::makeFolder("C:\\WINDOWS");
    Machine::setLocalNow(platform::DateTime{2026, 7, 12, 21, 5, 0});
}

void MachineTest::TearDown() {
    Machine::reset("");
    root_.reset();
}

bool MachineTest::exists(const std::string& windowsPath) {
    const std::string host = Machine::hostPath(windowsPath);
    std::error_code ignored;
    return !host.empty() && fs::exists(fs::symlink_status(host, ignored));
}

}  // namespace testing_support
