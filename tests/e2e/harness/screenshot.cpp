// Screenshots of a test's display through ImageMagick's import.
#include "screenshot.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "host_process.h"
#include "settings.h"

namespace e2e {

std::string currentTestName() {
    const testing::TestInfo* info = testing::UnitTest::GetInstance()->current_test_info();
    if (!info)
        return "no-test";
    return std::string(info->test_suite_name()) + "." + info->name();
}

std::string screenshot(const std::string& display, const std::string& test,
                       const std::string& step) {
    std::string folder = artifactsFolder() + "/screenshots/" + test;
    std::filesystem::create_directories(folder);
    std::string file = folder + "/" + step + ".png";
    runChecked({"import", "-display", display, "-window", "root", file});
    return file;
}

}  // namespace e2e
