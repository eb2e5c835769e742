// The uninstaller's run: asks first, then removes the Start-menu and desktop
// shortcuts, the program's files and data folder, and the product's entry in
// the list of installed programs.
#pragma once

namespace uninstall {

void RunUninstall();

}  // namespace uninstall
