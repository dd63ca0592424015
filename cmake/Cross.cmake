# Cross build for Windows: i686 (shipped) or x86_64 (the twin Wine runs where
# 32-bit programs cannot). Everything links statically so that a program
# needs no runtime DLL beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

# Release programs ship small: optimised for size, functions and data no one
# calls dropped at link time, and no symbols or debug sections.
set(CMAKE_C_FLAGS_RELEASE "-Os -DNDEBUG")
set(CMAKE_CXX_FLAGS_RELEASE "-Os -DNDEBUG")
set(KV_SECTION_FLAGS $<$<CONFIG:Release>:-ffunction-sections> $<$<CONFIG:Release>:-fdata-sections>)
add_compile_options(${KV_SECTION_FLAGS})
foreach(target kvprofiletext kvdialogrules kvcore kvsim)
  target_compile_options(${target} PRIVATE ${KV_SECTION_FLAGS})
endforeach()
add_link_options($<$<CONFIG:Release>:-Wl,--gc-sections> $<$<CONFIG:Release>:-s>)

# GCC 12 for mingw reports std::string appends as overlapping copies at -O2 and
# above (GCC bug 105329), a false positive.
add_compile_options(-Wno-restrict)
foreach(target kvprofiletext kvdialogrules kvcore kvsim)
  target_compile_options(${target} PRIVATE -Wno-restrict)
endforeach()
# The simulated machine is built here only for a test that links it.
set_target_properties(kvsim PROPERTIES EXCLUDE_FROM_ALL ON)

file(GLOB KV_WIN32_SOURCES CONFIGURE_DEPENDS src/win32/*.cpp)
add_library(kvwin32 STATIC ${KV_WIN32_SOURCES})
# 0x0400: structure sizes that Windows 98 and NT 4.0 accept.
target_compile_definitions(kvwin32 PUBLIC WINVER=0x0400 _WIN32_WINNT=0x0400)
target_link_libraries(kvwin32 PUBLIC kvcore winspool advapi32 version shell32 user32 gdi32
                                     comctl32 kernel32)

# The dialog binding's test-only readers: linked by the test programs alone,
# never by a shipped one.
add_library(kvwin32probe STATIC EXCLUDE_FROM_ALL
            ${CMAKE_SOURCE_DIR}/tests/support/win32/Win32DialogProbe.cpp)
target_include_directories(kvwin32probe PUBLIC ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(kvwin32probe PUBLIC kvwin32)

# A resource-only library with a known version resource, for the contract tests
# and the platform probe: version-fixture.dll in the build directory.
find_program(KV_MINGW_LD NAMES ${KV_MINGW_TRIPLET}-ld REQUIRED)
set(KV_VERSION_FIXTURE ${CMAKE_BINARY_DIR}/version-fixture.dll)
add_custom_command(
  OUTPUT ${KV_VERSION_FIXTURE}
  COMMAND ${CMAKE_RC_COMPILER} -O coff ${CMAKE_SOURCE_DIR}/tests/contract/fixtures/VersionFixture.rc
          -o ${CMAKE_BINARY_DIR}/version-fixture.res.o
  COMMAND ${KV_MINGW_LD} -shared -e 0 -s ${CMAKE_BINARY_DIR}/version-fixture.res.o
          -o ${KV_VERSION_FIXTURE}
  DEPENDS ${CMAKE_SOURCE_DIR}/tests/contract/fixtures/VersionFixture.rc
  COMMENT "Resource-only version fixture")
add_custom_target(version_fixture ALL DEPENDS ${KV_VERSION_FIXTURE})

add_subdirectory(tests/walk walk-build)

if(KV_THREAD_MODEL STREQUAL "win32")
  include(cmake/Shipped.cmake OPTIONAL)
endif()
if(KV_THREAD_MODEL STREQUAL "win32" AND CMAKE_SYSTEM_PROCESSOR STREQUAL "i686")
  # Every program and library of this build imports only functions that
  # Windows 98 and NT 4.0 both have: the shipped ones and the medium what they
  # call themselves, the walk's test programs also the probe's readers.
  add_test(NAME imports COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh
                                --except ${CMAKE_BINARY_DIR}/walk
                                ${CMAKE_SOURCE_DIR}/tools/imports-allowed.txt ${CMAKE_BINARY_DIR})
  add_test(NAME imports.test-programs
           COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh
                   ${CMAKE_SOURCE_DIR}/tools/imports-allowed.txt:${CMAKE_SOURCE_DIR}/tools/imports-allowed-tests.txt
                   ${CMAKE_BINARY_DIR}/walk)
  # The check itself refuses an import missing from the list and a DLL that
  # is on no list.
  if(TARGET platform-probe)
    add_test(NAME imports.refuses-unlisted-function
             COMMAND sh -c "grep -v VerQueryValueA \"$1\" > \"$2\" && \"$3\" \"$2\" \"$4\""
                     check ${CMAKE_SOURCE_DIR}/tools/imports-allowed.txt
                     ${CMAKE_BINARY_DIR}/imports-without-one.txt
                     ${CMAKE_SOURCE_DIR}/tools/check-imports.sh $<TARGET_FILE:platform-probe>)
    set_tests_properties(imports.refuses-unlisted-function PROPERTIES PASS_REGULAR_EXPRESSION
                         "imports version.dll VerQueryValueA, not on the list")
    add_test(NAME imports.refuses-unlisted-dll
             COMMAND ${CMAKE_SOURCE_DIR}/tools/check-imports.sh /dev/null
                     $<TARGET_FILE:platform-probe>)
    set_tests_properties(imports.refuses-unlisted-dll PROPERTIES PASS_REGULAR_EXPRESSION
                         "imports kernel32.dll, which is not a Windows 98 / NT 4.0 system DLL")
  endif()
elseif(KV_THREAD_MODEL STREQUAL "posix")
  include(cmake/WineTests.cmake OPTIONAL)
endif()
