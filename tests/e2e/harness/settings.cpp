// Where the harness finds what it needs and puts what it makes.
#include "settings.h"

#include <cstdlib>

namespace e2e {

namespace {

std::string setting(const char* name, const char* built) {
    const char* value = std::getenv(name);
    return value && *value ? value : built;
}

}  // namespace

std::string winBuildFolder() {
    return setting("TRELLMARK_WIN_BUILD", TRELLMARK_WIN_BUILD);
}
std::string prefixesFolder() {
    return setting("TRELLMARK_E2E_PREFIXES", TRELLMARK_E2E_PREFIXES);
}
std::string artifactsFolder() {
    return setting("TRELLMARK_E2E_ARTIFACTS", TRELLMARK_E2E_ARTIFACTS);
}
std::string sandboxTool() {
    return setting("TRELLMARK_SANDBOX_TOOL", TRELLMARK_SANDBOX_TOOL);
}
std::string givenDisplay() {
    return setting("TRELLMARK_E2E_DISPLAY", "");
}
bool keepMachines() {
    return setting("TRELLMARK_E2E_KEEP", "") == "1";
}

std::string templateFolder() {
    return prefixesFolder() + "/template";
}
std::string driverProgram() {
    return winBuildFolder() + "/tests/e2e/driver/e2e-driver.exe";
}

}  // namespace e2e
