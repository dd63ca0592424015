# Test programs that only ever run under Wine: GoogleTest needs std::mutex,
# which only the posix-thread compiler provides.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(KV_MINGW_TRIPLET i686-w64-mingw32)
set(KV_THREAD_MODEL posix)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
