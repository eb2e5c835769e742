// A program the import check must refuse: it imports a KERNEL32 function of
// Windows Vista, a function of MSVCRT.DLL (which Windows 95 as first shipped
// lacks) and a COMCTL32 function that came with common controls 4.70.
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);
extern "C" __declspec(dllimport) int __cdecl _fstat64(int, void*);
extern "C" __declspec(dllimport) BOOL WINAPI InitCommonControlsEx(const void*);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char status[128];
    return static_cast<int>(GetTickCount64() & 1) + _fstat64(0, status) +
           InitCommonControlsEx(status);
}
