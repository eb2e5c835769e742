// Functions that not every Windows 95/98 machine has, looked up at run time
// here and nowhere else, so that the program still loads where they lack.
#pragma once

#include <windows.h>

namespace platform::win32 {

// Windows NT and its successors (the shutdown privilege is needed there).
bool runningOnNt();

// Gives the process the right to restart the machine; false when it cannot
// (on Windows 95/98 nothing is needed and the answer is true).
bool enableShutdownPrivilege();

// RICHED32.DLL is loaded; false when the machine lacks it.
bool richEditAvailable();

// The common controls are version 4.71 or later, whose lists can leave
// their items to the program (LVS_OWNERDATA). 4.00 and 4.70 lack the
// version call itself.
bool ownerDataListsAvailable();

}  // namespace platform::win32
