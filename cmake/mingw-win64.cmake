# The 64-bit twin of the shipped programs: the same sources and settings as
# mingw-win32.cmake, for x86_64. It is what the checks run under Wine on
# machines that cannot execute 32-bit programs; it never ships.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KV_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KV_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KV_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${KV_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(KV_THREAD_MODEL win32)
