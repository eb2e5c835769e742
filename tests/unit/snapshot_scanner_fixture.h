// The page-2 set-up the snapshot walk tests share: drive D on a fresh
// machine, the pages created, and readers of what the walk wrote.
#pragma once

#include <string>

#include "common/app_state.h"
#include "fake/machine.h"
#include "platform/app.h"
#include "platform/profile.h"
#include "snapshot_files.h"
#include "wizard_fixture.h"

namespace snapshottest {

using namespace wizardtest;

class SnapshotScannerTest : public WizardTest {
protected:
    void SetUp() override {
        WizardTest::SetUp();
        platform::setApplicationTitle("Trellmark");
        Machine::addDrive('D');
        CreatePages();
        common::app().run.firstRun = true;
        Machine::clearMessages();
    }

    static void File(const std::string& path, size_t bytes = 0) {
        Machine::writeFile(path, std::string(bytes, 'x'));
    }

    static std::string Stat(char drive, const char* key) {
        return platform::readProfileString(ConfigFile, std::string("Statistics - ") + drive, key,
                                           "(none)");
    }
};

}  // namespace snapshottest
