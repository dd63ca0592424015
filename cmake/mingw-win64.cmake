# The 64-bit twin of the shipped programs: the same sources and settings as
# mingw-win32.cmake, for x86_64. It is what the checks run under Wine on
# machines that cannot execute 32-bit programs; it never ships.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KV_MINGW_TRIPLET x86_64-w64-mingw32)
set(KV_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
