// Run-time look-ups of the calls that Windows 95/98 lack or may lack.
#include "platform/win32/dynamic_calls.h"

namespace platform::win32 {

namespace {

using OpenProcessTokenFn = BOOL(WINAPI*)(HANDLE, DWORD, PHANDLE);
using LookupPrivilegeValueFn = BOOL(WINAPI*)(LPCSTR, LPCSTR, PLUID);
using AdjustTokenPrivilegesFn = BOOL(WINAPI*)(HANDLE, BOOL, PTOKEN_PRIVILEGES, DWORD,
                                              PTOKEN_PRIVILEGES, PDWORD);

// DLLVERSIONINFO, kept here rather than taking in the shell's light API
// header for one structure.
struct DllVersion {
    DWORD size, major, minor, build, platform;
};
using DllGetVersionFn = HRESULT(CALLBACK*)(DllVersion*);

template <typename Fn>
Fn lookUp(HMODULE module, const char* name) {
    if (module == nullptr)
        return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

bool runningOnNt() {
    // The top bit of the version is set on Windows 95/98/Me.
    return (GetVersion() & 0x80000000u) == 0;
}

bool enableShutdownPrivilege() {
    if (!runningOnNt())
        return true;
    HMODULE advapi = GetModuleHandleA("ADVAPI32.DLL");
    if (advapi == nullptr)
        advapi = LoadLibraryA("ADVAPI32.DLL");
    auto openToken = lookUp<OpenProcessTokenFn>(advapi, "OpenProcessToken");
    auto lookupPrivilege = lookUp<LookupPrivilegeValueFn>(advapi, "LookupPrivilegeValueA");
    auto adjustPrivileges = lookUp<AdjustTokenPrivilegesFn>(advapi, "AdjustTokenPrivileges");
    if (openToken == nullptr || lookupPrivilege == nullptr || adjustPrivileges == nullptr) {
        return false;
    }
    HANDLE token = nullptr;
    if (!openToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token)) {
        return false;
    }
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool done = lookupPrivilege(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid) &&
                adjustPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) &&
                GetLastError() == ERROR_SUCCESS;
    CloseHandle(token);
    return done;
}

bool richEditAvailable() {
    static const HMODULE module = LoadLibraryA("RICHED32.DLL");
    return module != nullptr;
}

bool ownerDataListsAvailable() {
    static const bool available = [] {
        // Loaded already: the program imports InitCommonControls from it.
        auto version = lookUp<DllGetVersionFn>(GetModuleHandleA("COMCTL32.DLL"), "DllGetVersion");
        DllVersion found = {};
        found.size = sizeof found;
        if (version == nullptr || FAILED(version(&found)))
            return false;
        return found.major > 4 || (found.major == 4 && found.minor >= 71);
    }();
    return available;
}

}  // namespace platform::win32
