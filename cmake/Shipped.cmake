# The shipped programs and the installation medium (win32-thread compiler).
add_subdirectory(apps)
add_subdirectory(medium)
include(${CMAKE_SOURCE_DIR}/cmake/ProfileTools.cmake)
add_subdirectory(tests/wine/usb usb-wine-check)
add_subdirectory(tests/wine/uninstall uninstall-wine-check)
add_subdirectory(tests/wine/install install-wine-check)
add_subdirectory(tests/wine/procedure procedure-wine-check)
add_subdirectory(tests/wine/setup setup-wine-check)
