// A fresh stand-in machine per test for the wizard's tests: drive C with the
// program folder and Windows folder, clean program state, and the four pages
// created in the program's order.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <memory>
#include <string>

#include "common/app_state.h"
#include "fake/machine.h"
#include "platform/app.h"
#include "wizard/finish_window.h"
#include "wizard/page1.h"
#include "wizard/pages.h"
#include "wizard/progress_window.h"
#include "wizard/review_window.h"

namespace wizardtest {

using platform::fake::Machine;

constexpr const char* ProgramFile = "C:\\Program Files\\Trellmark\\trelmrk.exe";
constexpr const char* ConfigFile = "C:\\Program Files\\Trellmark\\TRELMRK.INI";

class WizardTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/trellmark-wizard-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        Machine::reset(folder_);
        Machine::addDrive('C');
        Machine::makeFolder("C:\\Program Files\\Trellmark");
        Machine::makeFolder("C:\\WINDOWS");
        Machine::setModuleFileName(ProgramFile);
        Machine::setWindowsDirectory("C:\\WINDOWS");
        common::app() = common::AppState();
        wizard::pages() = wizard::Pages();
    }

    void TearDown() override {
        page4.reset();
        page3.reset();
        page2.reset();
        page1.reset();
        wizard::pages() = wizard::Pages();
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
    }

    // As the program entry does: page 1 (running Start), then pages 2 to 4.
    void CreatePages() {
        page1 = std::make_unique<TForm1>();
        wizard::pages().form1 = page1.get();
        platform::dispatchEvent([this] { page1->FormCreate(); });
        page2 = std::make_unique<TForm2>();
        wizard::pages().form2 = page2.get();
        page3 = std::make_unique<TForm3>();
        wizard::pages().form3 = page3.get();
        page4 = std::make_unique<TForm4>();
        wizard::pages().form4 = page4.get();
        page1->centreOnScreen();
        page1->showWindow();
    }

    static std::string Config() { return Machine::readFile(ConfigFile); }
    static void WriteConfig(const std::string& text) { Machine::writeFile(ConfigFile, text); }

    std::unique_ptr<TForm1> page1;
    std::unique_ptr<TForm2> page2;
    std::unique_ptr<TForm3> page3;
    std::unique_ptr<TForm4> page4;

private:
    std::string folder_;
};

}  // namespace wizardtest
