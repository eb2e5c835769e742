// The memory counters of another process of the machine, as
// GetProcessMemoryInfo gives them.
#pragma once

#include <windows.h>

namespace driver {

struct MemoryCounters {
    SIZE_T workingSet = 0, peakWorkingSet = 0;
    SIZE_T privateBytes = 0, peakPrivateBytes = 0;  // PagefileUsage, PeakPagefileUsage
};

// A handle that can read the counters of process `pid`; throws Failure.
HANDLE openForCounters(DWORD pid);
MemoryCounters memoryCounters(HANDLE process);  // throws Failure

}  // namespace driver
