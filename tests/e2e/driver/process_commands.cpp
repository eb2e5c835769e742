// Commands that start programs, watch processes, and call system routines of
// the Windows side: profile files (to compare with the stand-in's), drives and
// the shell's delete, so tests can see what Windows programs of the prefix see.
// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <string>
#include <vector>

#include "commands.h"
#include "process_memory.h"
#include "windows_query.h"

namespace driver {

namespace {

HANDLE openProcess(const Fields& command) {
    DWORD pid = static_cast<DWORD>(argNumber(command, 1));
    HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | SYNCHRONIZE, FALSE, pid);
    if (!process)
        throw Failure("no such process: " + command[1]);
    return process;
}

// start PROGRAM [FOLDER]: starts a program (in FOLDER, else its own folder)
// and answers its process id.
void start(const Fields& command, Reply& reply) {
    const std::string& program = arg(command, 1);
    std::string folder = command.size() > 2 ? command[2] : "";
    size_t slash = program.find_last_of('\\');
    if (folder.empty() && slash != std::string::npos)
        folder = program.substr(0, slash);
    std::string line = "\"" + program + "\"";
    std::vector<char> mutableLine(line.begin(), line.end());
    mutableLine.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(program.c_str(), mutableLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        throw Failure("cannot start " + program + " (error " + std::to_string(GetLastError()) +
                      ")");
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    reply.row(std::to_string(info.dwProcessId));
}

// alive PID: 1 while the process runs, else 0.
void alive(const Fields& command, Reply& reply) {
    DWORD pid = static_cast<DWORD>(argNumber(command, 1));
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, pid);
    bool running = process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
    if (process)
        CloseHandle(process);
    reply.row(running ? "1" : "0");
}

// wait-exit PID MS: waits for the process to end and answers its exit code.
void waitExit(const Fields& command, Reply& reply) {
    HANDLE process = openProcess(command);
    DWORD waited = WaitForSingleObject(process, static_cast<DWORD>(argNumber(command, 2)));
    DWORD code = 0;
    GetExitCodeProcess(process, &code);
    CloseHandle(process);
    if (waited != WAIT_OBJECT_0)
        throw Failure("process still running: " + command[1]);
    reply.row(std::to_string(code));
}

// profile-write FILE SECTION KEY VALUE: WritePrivateProfileStringA's result (0/1).
void profileWrite(const Fields& command, Reply& reply) {
    BOOL done = WritePrivateProfileStringA(arg(command, 2).c_str(), arg(command, 3).c_str(),
                                           arg(command, 4).c_str(), arg(command, 1).c_str());
    reply.row(done ? "1" : "0");
}

// profile-read FILE SECTION KEY DEFAULT: GetPrivateProfileStringA's text.
void profileRead(const Fields& command, Reply& reply) {
    char value[4096] = {};
    GetPrivateProfileStringA(arg(command, 2).c_str(), arg(command, 3).c_str(),
                             arg(command, 4).c_str(), value, sizeof value, arg(command, 1).c_str());
    reply.row(value);
}

// drives: every drive letter Windows knows, with its GetDriveTypeA value.
void drives(const Fields&, Reply& reply) {
    DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(mask & (1u << i)))
            continue;
        std::string root = std::string(1, static_cast<char>('A' + i)) + ":\\";
        reply.row({root.substr(0, 1), std::to_string(GetDriveTypeA(root.c_str()))});
    }
}

// shell-delete PATH FLAGS: SHFileOperationA's delete of one item (FLAGS such
// as 0x54 = silent, no confirmation, to the Recycle Bin); answers its result.
void shellDelete(const Fields& command, Reply& reply) {
    std::string list = arg(command, 1);
    list.append(2, '\0');
    SHFILEOPSTRUCTA operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = static_cast<FILEOP_FLAGS>(argNumber(command, 2));
    reply.row(std::to_string(SHFileOperationA(&operation)));
}

}  // namespace

// memory PID: the process's working set, its peak so far, its private bytes
// and their peak, in bytes.
void memory(const Fields& command, Reply& reply) {
    HANDLE process = openForCounters(static_cast<DWORD>(argNumber(command, 1)));
    MemoryCounters counters;
    try {
        counters = memoryCounters(process);
    } catch (...) {
        CloseHandle(process);
        throw;
    }
    CloseHandle(process);
    reply.row(Fields{std::to_string(counters.workingSet), std::to_string(counters.peakWorkingSet),
                     std::to_string(counters.privateBytes),
                     std::to_string(counters.peakPrivateBytes)});
}

void addProcessCommands(CommandTable& table) {
    table["memory"] = memory;
    table["start"] = start;
    table["alive"] = alive;
    table["wait-exit"] = waitExit;
    table["profile-write"] = profileWrite;
    table["profile-read"] = profileRead;
    table["drives"] = drives;
    table["shell-delete"] = shellDelete;
}

}  // namespace driver
