# The test programs that run under Wine (mingw-posix.cmake), for x86_64: the
# counterpart of the 64-bit twin of the shipped programs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(KV_MINGW_TRIPLET x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${KV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KV_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(KV_THREAD_MODEL posix)
