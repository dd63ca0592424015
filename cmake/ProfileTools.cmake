# Programs that hold the configuration reader to the system's profile
# functions under Wine (tests/wine/profile-compare.sh, profile-timing.sh).
add_executable(profile-compare ${CMAKE_SOURCE_DIR}/tests/wine/profile-compare.cpp)
target_link_libraries(profile-compare PRIVATE kvcore)
