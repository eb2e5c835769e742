# The help file and the setup program of the i686 build:
#   trelmrk.hlp        from help/trelmrk.txt by tools/make-help.py (Python 3)
#   trelmrk-setup.exe  from setup/trelmrk-setup.nsi by makensis (Debian's nsis),
#                      when makensis is there; its imports are checked against
#                      Windows 95/98 with the exceptions reviewed for it.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
find_program(MAKENSIS makensis)

set(help_source ${CMAKE_CURRENT_SOURCE_DIR}/help/trelmrk.txt)
set(help_file ${CMAKE_CURRENT_BINARY_DIR}/trelmrk.hlp)
file(GLOB help_writer CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/tools/make-help.py
     ${CMAKE_CURRENT_SOURCE_DIR}/tools/helpfile/*.py)
add_custom_command(
  OUTPUT ${help_file}
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/tools/make-help.py ${help_source}
          ${help_file}
  DEPENDS ${help_source} ${help_writer}
  COMMENT "Writing the help file trelmrk.hlp"
  VERBATIM)
add_custom_target(help_file ALL DEPENDS ${help_file})

if(NOT MAKENSIS)
  message(STATUS "makensis not found: no trelmrk-setup.exe (Debian package nsis)")
  return()
endif()

set(setup_script ${CMAKE_CURRENT_SOURCE_DIR}/setup/trelmrk-setup.nsi)
set(setup_program ${CMAKE_CURRENT_BINARY_DIR}/trelmrk-setup.exe)
set(setup_reviewed ${CMAKE_CURRENT_SOURCE_DIR}/tools/win9x/setup_reviewed.txt)
add_custom_command(
  OUTPUT ${setup_program}
  COMMAND ${MAKENSIS} -V2 -DBINDIR=$<TARGET_FILE_DIR:trelmrk> -DHELPFILE=${help_file}
          -DOUTFILE=${setup_program} ${setup_script}
  COMMAND ${CMAKE_COMMAND} -E env ${import_check_env}
          ${TRELLMARK_CHECK_IMPORTS} -q -l ${TRELLMARK_IMPORT_LISTS} -r ${setup_reviewed}
          ${setup_program}
  DEPENDS ${setup_script} trelmrk trelmrk-remove ${help_file} ${setup_reviewed}
          ${TRELLMARK_CHECK_IMPORTS} ${import_lists}
          ${CMAKE_CURRENT_SOURCE_DIR}/wizard/res/trelmrk.ico
  COMMENT "Building the setup program trelmrk-setup.exe"
  VERBATIM)
add_custom_target(setup_program ALL DEPENDS ${setup_program})
add_test(NAME import_check_trelmrk-setup
         COMMAND ${CMAKE_COMMAND} -E env ${import_check_env}
                 ${TRELLMARK_CHECK_IMPORTS} -l ${TRELLMARK_IMPORT_LISTS} -r ${setup_reviewed}
                 ${setup_program})
set_tests_properties(import_check_trelmrk-setup PROPERTIES LABELS imports)
