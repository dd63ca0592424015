# The test programs that run under Wine (mingw-posix.cmake), for x86_64: the
# counterpart of the 64-bit twin of the shipped programs.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KV_MINGW_TRIPLET x86_64-w64-mingw32)
set(KV_THREAD_MODEL posix)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
