# The contract tests on the real API, cross-built with the posix-thread
# compiler and run under Wine. ctest runs each program through
# scripts/wine-emulator.sh in one private prefix per build directory
# (or $KV_WINEPREFIX when set), prepared afresh at the start of every run and
# waited for at its end.

set(KV_TEST_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
# The build's architecture picks Wine's loader and the prefixes' architecture.
set(KV_WINE_EMULATOR env KV_ARCH=${CMAKE_SYSTEM_PROCESSOR} ${CMAKE_SOURCE_DIR}/scripts/wine-emulator.sh)
set(CMAKE_CROSSCOMPILING_EMULATOR ${KV_WINE_EMULATOR} --default-prefix ${KV_TEST_WINEPREFIX})

# GoogleTest from the system's sources, built with this compiler.
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(target gtest gtest_main gmock gmock_main)
  target_compile_options(${target} PRIVATE -Wno-error)
endforeach()
include(GoogleTest)

file(GLOB KV_CONTRACT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/*Test.cpp)
# The dialog and desktop cases open windows, which need a display: a
# program of their own (below).
list(FILTER KV_CONTRACT_TESTS EXCLUDE REGEX "(Dialog|Desktop)ContractTest\\.cpp$")
add_executable(contract_win32 ${KV_CONTRACT_TESTS}
                              ${CMAKE_SOURCE_DIR}/tests/contract/win32/Win32Target.cpp)
target_include_directories(contract_win32 PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(contract_win32 PRIVATE kvwin32 gtest gtest_main)
# The target finds the version fixture beside the program.
set_target_properties(contract_win32 PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR})
add_dependencies(contract_win32 version_fixture)

# The dialog cases, with the fixture templates linked in, run under Xvfb in a
# prefix of their own (a prefix's wineserver never serves both a headless run
# and one with a display).
set(KV_DIALOG_FIXTURE_RES ${CMAKE_BINARY_DIR}/dialog-fixture.res.o)
add_custom_command(
  OUTPUT ${KV_DIALOG_FIXTURE_RES}
  COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_SOURCE_DIR}/tests/contract/fixtures
          ${CMAKE_SOURCE_DIR}/tests/contract/fixtures/DialogFixture.rc -o ${KV_DIALOG_FIXTURE_RES}
  DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/fixtures/DialogFixture.rc
          ${CMAKE_SOURCE_DIR}/tests/contract/fixtures/DialogFixture.h
  COMMENT "Dialog fixture templates")
# The icon the window case sets, drawn at 32 and 16 pixels.
find_program(KV_ICON_CONVERT NAMES convert magick REQUIRED)
set(KV_FIXTURE_ICON ${CMAKE_BINARY_DIR}/fixture.ico)
add_custom_command(
  OUTPUT ${KV_FIXTURE_ICON}
  COMMAND ${KV_ICON_CONVERT} -size 32x32 xc:navy -fill yellow -draw "circle 16,16 16,6"
          -define icon:auto-resize=32,16 ${KV_FIXTURE_ICON}
  COMMENT "Dialog fixture icon"
  VERBATIM)
set(KV_ICON_FIXTURE_RES ${CMAKE_BINARY_DIR}/icon-fixture.res.o)
add_custom_command(
  OUTPUT ${KV_ICON_FIXTURE_RES}
  COMMAND ${CMAKE_RC_COMPILER} -O coff -I ${CMAKE_SOURCE_DIR}/tests/contract/fixtures
          -I ${CMAKE_BINARY_DIR} ${CMAKE_SOURCE_DIR}/tests/contract/fixtures/IconFixture.rc
          -o ${KV_ICON_FIXTURE_RES}
  DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/fixtures/IconFixture.rc
          ${CMAKE_SOURCE_DIR}/tests/contract/fixtures/DialogFixture.h ${KV_FIXTURE_ICON}
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Dialog fixture icon resource")
add_executable(contract_dialogs_win32 ${CMAKE_SOURCE_DIR}/tests/contract/DialogContractTest.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/contract/DesktopContractTest.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/contract/win32/Win32Target.cpp
                                      ${CMAKE_SOURCE_DIR}/tests/contract/win32/Win32DialogTarget.cpp
                                      ${KV_DIALOG_FIXTURE_RES} ${KV_ICON_FIXTURE_RES})
target_include_directories(contract_dialogs_win32 PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(contract_dialogs_win32 PRIVATE kvwin32probe gtest gtest_main)
set_target_properties(contract_dialogs_win32 PROPERTIES
  RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}
  CROSSCOMPILING_EMULATOR "${KV_WINE_EMULATOR};--display;--default-prefix;${KV_TEST_WINEPREFIX}-x11")

# A fresh prefix before the tests, and the wineserver gone after them.
add_test(NAME wine.prepare COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --prepare)
add_test(NAME wine.shutdown COMMAND ${CMAKE_CROSSCOMPILING_EMULATOR} --shutdown)
set_tests_properties(wine.prepare PROPERTIES FIXTURES_SETUP wine_prefix)
set_tests_properties(wine.shutdown PROPERTIES FIXTURES_CLEANUP wine_prefix)

gtest_discover_tests(contract_win32 TEST_PREFIX "win32." DISCOVERY_MODE PRE_TEST
                     DISCOVERY_TIMEOUT 120
                     PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE TIMEOUT 120)
gtest_discover_tests(contract_dialogs_win32 TEST_PREFIX "win32." DISCOVERY_MODE PRE_TEST
                     DISCOVERY_TIMEOUT 120
                     PROPERTIES FIXTURES_REQUIRED wine_prefix RUN_SERIAL TRUE TIMEOUT 120)

# The 9x platform leaves a file for the next start in WININIT.INI, a path only
# a prefix that reports Windows 98 takes: that case once more in such a prefix.
add_test(NAME win32.win98.FilesContract.FileHeldOpenIsRefusedAndLeftForTheNextStart
         COMMAND env -u KV_WINEPREFIX KV_WINE_VERSION=win98 ${KV_WINE_EMULATOR}
                 --default-prefix ${KV_TEST_WINEPREFIX}-win98 $<TARGET_FILE:contract_win32>
                 --gtest_filter=FilesContract.FileHeldOpenIsRefusedAndLeftForTheNextStart)
set_tests_properties(win32.win98.FilesContract.FileHeldOpenIsRefusedAndLeftForTheNextStart
                     PROPERTIES RUN_SERIAL TRUE TIMEOUT 120
                                PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] 1 test\\.")
