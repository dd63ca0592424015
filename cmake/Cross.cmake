# Cross build for i686 Windows. Everything links statically so that a program
# needs no runtime DLL beside it.
add_link_options(-static -static-libgcc -static-libstdc++)

file(GLOB KV_WIN32_SOURCES CONFIGURE_DEPENDS src/platform/win32/*.cpp)
add_library(kvwin32 STATIC ${KV_WIN32_SOURCES})
# 0x0400: structure sizes that Windows 98 and NT 4.0 accept.
target_compile_definitions(kvwin32 PUBLIC WINVER=0x0400 _WIN32_WINNT=0x0400)
target_link_libraries(kvwin32 PUBLIC kvcore winspool advapi32 version shell32 user32 gdi32
                                     comctl32 kernel32)

if(KV_THREAD_MODEL STREQUAL "win32")
  include(cmake/Shipped.cmake OPTIONAL)
else()
  include(cmake/WineTests.cmake OPTIONAL)
endif()
