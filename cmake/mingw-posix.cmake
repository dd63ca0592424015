# Test programs that only ever run under Wine: GoogleTest needs std::mutex,
# which only the posix-thread compiler provides.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KV_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KV_MINGW_TRIPLET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${KV_MINGW_TRIPLET}-g++-posix)
set(CMAKE_RC_COMPILER ${KV_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(KV_THREAD_MODEL posix)
