// A program the import check must refuse: it imports a KERNEL32 function of
// Windows Vista and an MSVCRT function that Windows 98 SE's runtime lacks.
#include <windows.h>

extern "C" __declspec(dllimport) ULONGLONG WINAPI GetTickCount64(void);
extern "C" __declspec(dllimport) int __cdecl _fstat64(int, void*);

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    char status[128];
    return static_cast<int>(GetTickCount64() & 1) + _fstat64(0, status);
}
