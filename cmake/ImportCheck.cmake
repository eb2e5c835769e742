# Windows 95/98 load only programs whose imports they have: after linking,
# tools/check-imports reads each program's import table and fails the build on
# anything those systems lack. The same check runs under ctest, together with
# a probe program that it must refuse.
set(TRELLMARK_IMPORT_LISTS ${CMAKE_CURRENT_SOURCE_DIR}/tools/win9x)
set(TRELLMARK_CHECK_IMPORTS ${CMAKE_CURRENT_SOURCE_DIR}/tools/check-imports)
if(CMAKE_OBJDUMP)
  set(import_check_env OBJDUMP=${CMAKE_OBJDUMP})
endif()
file(GLOB import_lists CONFIGURE_DEPENDS ${TRELLMARK_IMPORT_LISTS}/*.txt)

enable_testing()
set(import_stamps)
foreach(program trelmrk trelmrk-remove)
  if(NOT TARGET ${program})
    continue()
  endif()
  set(stamp ${CMAKE_CURRENT_BINARY_DIR}/${program}.imports-ok)
  add_custom_command(
    OUTPUT ${stamp}
    COMMAND ${CMAKE_COMMAND} -E env ${import_check_env}
            ${TRELLMARK_CHECK_IMPORTS} -q -l ${TRELLMARK_IMPORT_LISTS} $<TARGET_FILE:${program}>
    COMMAND ${CMAKE_COMMAND} -E touch ${stamp}
    DEPENDS ${program} ${TRELLMARK_CHECK_IMPORTS} ${import_lists}
    COMMENT "Checking the imports of ${program} against Windows 95/98"
    VERBATIM)
  list(APPEND import_stamps ${stamp})
  add_test(NAME import_check_${program}
           COMMAND ${CMAKE_COMMAND} -E env ${import_check_env}
                   ${TRELLMARK_CHECK_IMPORTS} -l ${TRELLMARK_IMPORT_LISTS}
                   $<TARGET_FILE:${program}>)
  set_tests_properties(import_check_${program} PROPERTIES LABELS imports)
endforeach()
add_custom_target(import_check ALL DEPENDS ${import_stamps})

# The check must fail on a program that imports what Windows 95 lacks, each
# fault reported: one row per fault.
add_executable(check_imports_probe EXCLUDE_FROM_ALL tools/check-imports-probe.cpp)
target_link_libraries(check_imports_probe PRIVATE comctl32)
target_link_options(check_imports_probe PRIVATE -mwindows -Wl,--subsystem,windows:4.0)
add_test(NAME import_check_probe_build
         COMMAND ${CMAKE_COMMAND} --build ${CMAKE_BINARY_DIR} --target check_imports_probe)
set_tests_properties(import_check_probe_build PROPERTIES LABELS imports
                     FIXTURES_SETUP import_probe)
foreach(missing "KERNEL32.DLL!GetTickCount64: missing on Windows 95/98"
        "MSVCRT.DLL: not a DLL of Windows 95 as first shipped"
        "COMCTL32.DLL!InitCommonControlsEx: not known in the COMCTL32.DLL of Windows 95")
  string(REGEX REPLACE "^([^:!]*!)?([^:]*):.*$" "\\2" name "${missing}")
  add_test(NAME import_check_refuses_${name}
           COMMAND ${CMAKE_COMMAND} -E env ${import_check_env}
                   ${TRELLMARK_CHECK_IMPORTS} -q -l ${TRELLMARK_IMPORT_LISTS}
                   $<TARGET_FILE:check_imports_probe>)
  set_tests_properties(import_check_refuses_${name} PROPERTIES LABELS imports
                       FIXTURES_REQUIRED import_probe
                       PASS_REGULAR_EXPRESSION "${missing}")
endforeach()
