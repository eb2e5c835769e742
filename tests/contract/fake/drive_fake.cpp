// The test drive on the simulated machine: a machine of its own in a
// temporary host folder, with drives C (holding C:\WINDOWS) and D.
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>

#include "drive.h"
#include "fake/machine.h"

namespace contract {

namespace {

using platform::fake::Machine;

class FakeDrive {
public:
    FakeDrive() {
        const char* base = getenv("TMPDIR");
        std::string pattern = std::string(base != nullptr && *base != 0 ? base : "/tmp") +
                              "/trellmark-contract-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("cannot make " + pattern);
        root_ = pattern;
        Machine::reset(root_);
        Machine::addDrive('C');
        Machine::makeFolder("C:\\WINDOWS");
        Machine::addDrive('D');
    }
    ~FakeDrive() {
        Machine::reset("");
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }

private:
    std::string root_;
};

void ensureDrive() {
    static FakeDrive drive;
}

}  // namespace

std::string folder(const std::string& name) {
    ensureDrive();
    const std::string path = "D:\\" + name;
    Machine::makeFolder(path);
    return path;
}

void writeBytes(const std::string& path, const std::string& bytes) {
    ensureDrive();
    Machine::writeFile(path, bytes);
}

std::string readBytes(const std::string& path) {
    ensureDrive();
    try {
        return Machine::readFile(path);
    } catch (const std::exception&) {
        return {};
    }
}

// The machine's pump hook stands for what waits in the queue; it takes
// itself away once it has run.
void queueUserAction(std::function<void()> action) {
    ensureDrive();
    Machine::onProcessMessages([action] {
        Machine::onProcessMessages(nullptr);
        action();
    });
}

void pause() {}

}  // namespace contract
