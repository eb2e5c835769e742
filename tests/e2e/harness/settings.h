// Where the harness finds what it needs and puts what it makes. Each value
// comes from the environment variable of the same name when set, else from
// what the build configured:
//   TRELLMARK_WIN_BUILD       the i686 build folder (programs and the driver)
//   TRELLMARK_E2E_PREFIXES    where test machines are made (and the template)
//   TRELLMARK_E2E_ARTIFACTS   where screenshots are kept
//   TRELLMARK_SANDBOX_TOOL    tools/sandbox of the source tree
//   TRELLMARK_E2E_DISPLAY     an X display to use instead of a private Xvfb
//   TRELLMARK_E2E_KEEP=1      keep each test's machine after the test
#pragma once

#include <string>

namespace e2e {

std::string winBuildFolder();
std::string prefixesFolder();
std::string artifactsFolder();
std::string sandboxTool();
std::string givenDisplay();  // empty when none is given
bool keepMachines();

// The template prefix every test machine is copied from.
std::string templateFolder();
std::string driverProgram();  // the i686 driver in the build folder

}  // namespace e2e
