# Shipped programs: the win32-thread compiler, so that a static program imports
# nothing newer than Windows 98 / NT 4.0 (the posix-thread runtime pulls in
# GetTickCount64 and friends).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KV_MINGW_TRIPLET i686-w64-mingw32)
set(KV_THREAD_MODEL win32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
