// The memory counters of another process.
// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include "process_memory.h"

#include <string>

#include "protocol.h"

namespace driver {

HANDLE openForCounters(DWORD pid) {
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, pid);
    if (!process)
        throw Failure("no such process: " + std::to_string(pid));
    return process;
}

MemoryCounters memoryCounters(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters = {};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters))
        throw Failure("no memory counters for the process");
    MemoryCounters memory;
    memory.workingSet = counters.WorkingSetSize;
    memory.peakWorkingSet = counters.PeakWorkingSetSize;
    memory.privateBytes = counters.PagefileUsage;
    memory.peakPrivateBytes = counters.PeakPagefileUsage;
    return memory;
}

}  // namespace driver
