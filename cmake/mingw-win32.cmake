# Shipped programs: the win32-thread compiler, so that a static program imports
# nothing newer than Windows 98 / NT 4.0 (the posix-thread runtime pulls in
# GetTickCount64 and friends).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KV_MINGW_TRIPLET i686-w64-mingw32)
set(CMAKE_C_COMPILER ${KV_MINGW_TRIPLET}-gcc-win32)
set(CMAKE_CXX_COMPILER ${KV_MINGW_TRIPLET}-g++-win32)
set(CMAKE_RC_COMPILER ${KV_MINGW_TRIPLET}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${KV_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(KV_THREAD_MODEL win32)
