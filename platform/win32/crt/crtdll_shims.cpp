// The programs take their C runtime from CRTDLL.DLL, which every Win32 system
// has, Windows 95 as first shipped included. The static C++ library refers to
// three calls CRTDLL does not export under these names; all three serve only
// std::random_device, which the programs never construct. They fail as their
// C runtime counterparts fail, so that a device made by mistake reports an
// error instead of handing out made-up numbers.
#include <cerrno>

extern "C" {

int close(int) {
    errno = EBADF;
    return -1;
}

int read(int, void*, unsigned) {
    errno = EBADF;
    return -1;
}

namespace {

int __cdecl noRandomSource(unsigned* value) {
    if (value != nullptr)
        *value = 0;
    return EINVAL;
}

}  // namespace

// The library calls rand_s through an import pointer, as if from a DLL.
int(__cdecl* randSImport)(unsigned*) __asm__("__imp__rand_s") = noRandomSource;
}
