# Cross build for 32-bit Windows, as the device is 32-bit; its tests run under 32-bit Wine
# (wine32 from the i386 architecture).
set(MINGW_PROCESSOR i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
