# Native build: the core, the simulated machine and the unit and contract tests.
if(KV_SANITIZE)
  foreach(target kvprofiletext kvdialogrules kvcore kvsim)
    target_compile_options(${target} PUBLIC -fsanitize=address,undefined -fno-omit-frame-pointer
                                            -fno-sanitize-recover=all)
    target_link_options(${target} PUBLIC -fsanitize=address,undefined)
  endforeach()
endif()

find_package(GTest REQUIRED)

# Each GoogleTest program is one test: starting a sanitized process costs more
# than most cases, so the cases are not split into processes of their own.
# The program's output names every case and failure; its XML report, beside
# the others in test-results/, lets the test command count the cases.
set(KV_TEST_RESULTS ${CMAKE_BINARY_DIR}/test-results)
function(kv_add_gtest target)
  add_test(NAME ${target}
           COMMAND ${target} --gtest_output=xml:${KV_TEST_RESULTS}/${target}.xml)
endfunction()

# What the unit tests and the benchmarks share: the resource script reader
# that gives the model the programs' own dialog templates.
file(GLOB KV_TEST_SUPPORT CONFIGURE_DEPENDS tests/support/*.cpp)
add_library(kvtestsupport STATIC ${KV_TEST_SUPPORT})
target_include_directories(kvtestsupport PUBLIC tests)
target_link_libraries(kvtestsupport PUBLIC kvsim)

file(GLOB_RECURSE KV_UNIT_TESTS CONFIGURE_DEPENDS tests/unit/*.cpp)
add_executable(unit_tests ${KV_UNIT_TESTS})
target_include_directories(unit_tests PRIVATE tests)
# Tests that read the sample medium and the resource scripts find them
# through the source tree.
target_compile_definitions(unit_tests PRIVATE KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
target_link_libraries(unit_tests PRIVATE kvcore kvsim kvtestsupport GTest::gtest GTest::gmock
                                         GTest::gtest_main)
# The string table tests read the generated resource tables.
add_dependencies(unit_tests kv_string_tables)
target_compile_definitions(unit_tests PRIVATE KV_GENERATED_DIR="${KV_GENERATED_DIR}")
kv_add_gtest(unit_tests)

# The platform contract, held against the simulated machine; the same cases
# run against the real API under Wine in the posix cross build.
file(GLOB KV_CONTRACT_TESTS CONFIGURE_DEPENDS tests/contract/*Test.cpp)
if(KV_CONTRACT_TESTS AND EXISTS ${CMAKE_SOURCE_DIR}/tests/contract/sim/SimTarget.cpp)
  file(GLOB KV_CONTRACT_SIM_TARGET CONFIGURE_DEPENDS tests/contract/sim/*.cpp)
  add_executable(contract_sim ${KV_CONTRACT_TESTS} ${KV_CONTRACT_SIM_TARGET})
  target_include_directories(contract_sim PRIVATE tests)
  target_link_libraries(contract_sim PRIVATE kvsim GTest::gtest GTest::gtest_main)
  kv_add_gtest(contract_sim)
endif()

# Timing of the configuration readers on a generated 1,000-model medium, run
# by hand, not a test. Build it optimised and without sanitizers, e.g.
#   cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DCMAKE_CXX_FLAGS=-Wno-restrict
#   cmake --build build/bench --target config_benchmark && build/bench/config_benchmark
# (-Wno-restrict: GCC 12 reports string appends as overlapping at -O2, bug 105329.)
find_package(benchmark QUIET)
if(benchmark_FOUND)
  add_executable(config_benchmark bench/ConfigBenchmark.cpp bench/KeyReads.cpp
                                  bench/LargeConfiguration.cpp)
  target_link_libraries(config_benchmark PRIVATE kvcore kvsim benchmark::benchmark)

  # Whole installations and a removal run on the simulated machine, arranged
  # as the tests arrange them (bench/InstallBenchmark.cpp says how to run it).
  add_executable(install_benchmark bench/InstallBenchmark.cpp)
  target_include_directories(install_benchmark PRIVATE tests)
  target_compile_definitions(install_benchmark PRIVATE KV_SOURCE_DIR="${CMAKE_SOURCE_DIR}")
  target_link_libraries(install_benchmark PRIVATE kvcore kvsim kvtestsupport benchmark::benchmark)
endif()


# Texts are named by their string-table constants, never by bare numbers, in
# the code and in the tests; the second test plants a number in a test, on a
# line of its own as clang-format may break a call, beside named texts in the
# code and in a test, and shows that the check refuses only it.
add_test(NAME string-ids COMMAND ${CMAKE_SOURCE_DIR}/tools/check-string-ids.sh)
set(KV_STRING_IDS_SAMPLE ${CMAKE_BINARY_DIR}/string-ids-sample)
add_test(NAME string-ids.refuses-literal
         COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1/src\" \"$1/tests/unit\" &&
                        printf 'TEST(A, B) {\\n  EXPECT_EQ(Shown(), SetupString(setup_text::kAbout));\\n  EXPECT_EQ(Shown(), SetupString(\\n      146));\\n}\\n' > \"$1/tests/unit/PlantedTest.cpp\" &&
                        printf 'auto b = UninstallString(uninstall_text::kDeleted);\\n' > \"$1/src/Named.h\" &&
                        KV_STRING_IDS_ROOT=\"$1\" \"$2\"; echo \"exit $?\"" check ${KV_STRING_IDS_SAMPLE}
                 ${CMAKE_SOURCE_DIR}/tools/check-string-ids.sh)
set_tests_properties(string-ids.refuses-literal PROPERTIES PASS_REGULAR_EXPRESSION
                     "tests/unit/PlantedTest.cpp:3: a literal string number[^\n]*\n1 passed, 1 failed\nexit 1")

# The simulated machine, the real one and the leaf libraries never include the
# core, and inside the core nothing includes upwards; the other two tests show
# that the check refuses a core include in the sim and an upward one.
add_test(NAME layering COMMAND ${CMAKE_SOURCE_DIR}/tools/check-layering.sh)
foreach(sample "refuses-core-include:sim:config/ProfileReader.h"
               "refuses-upward-include:uninstall:install/RunInstall.h")
  string(REPLACE ":" ";" sample "${sample}")
  list(GET sample 0 name)
  list(GET sample 1 dir)
  list(GET sample 2 included)
  set(root ${CMAKE_BINARY_DIR}/layering-${name})
  add_test(NAME layering.${name}
           COMMAND sh -c "rm -rf \"$1\" && mkdir -p \"$1/$2\" &&
                          printf '#include \"%s\"\\n' \"$3\" > \"$1/$2/Sample.cpp\" &&
                          \"$4\" \"$1\"" check ${root} ${dir} ${included}
                   ${CMAKE_SOURCE_DIR}/tools/check-layering.sh)
  set_tests_properties(layering.${name} PROPERTIES PASS_REGULAR_EXPRESSION
                       "${dir}/Sample.cpp includes outside its layer: ${included}")
endforeach()
