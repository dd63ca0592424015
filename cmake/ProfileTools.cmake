# Programs that hold the configuration reader to the system's profile
# functions under Wine (tests/wine/profile-compare.sh, profile-timing.sh).
add_executable(profile-compare ${CMAKE_SOURCE_DIR}/tests/wine/profile-compare.cpp)
target_link_libraries(profile-compare PRIVATE kvwin32)

# Timing of the reader against GetPrivateProfileStringA on a generated
# 1,000-model configuration; run by hand.
add_executable(profile-timing ${CMAKE_SOURCE_DIR}/tests/wine/profile-timing.cpp
                              ${CMAKE_SOURCE_DIR}/bench/KeyReads.cpp
                              ${CMAKE_SOURCE_DIR}/bench/LargeConfiguration.cpp)
target_include_directories(profile-timing PRIVATE ${CMAKE_SOURCE_DIR}/bench)
target_link_libraries(profile-timing PRIVATE kvwin32)
