# The Windows programs take their C runtime from CRTDLL.DLL, part of every
# Win32 system since the first Windows 95, not from MSVCRT.DLL, which came
# later. Whatever links the platform layer gets the compiler's own libraries
# (static, as before) with CRTDLL's import library where the default would
# put MSVCRT's; the group lets the static libraries refer to one another.
add_library(trellmark_crtdll_shims STATIC
            ${CMAKE_CURRENT_LIST_DIR}/../platform/win32/crt/crtdll_shims.cpp)
add_library(trellmark_crtdll INTERFACE)
target_link_options(trellmark_crtdll INTERFACE -nodefaultlibs)
target_link_libraries(trellmark_crtdll INTERFACE -Wl,--start-group trellmark_crtdll_shims stdc++
                      mingw32 gcc gcc_eh mingwex crtdll -Wl,--end-group kernel32)
