# Cross toolchain: 32-bit Windows (PE32, i686) with mingw-w64. This is what
# ships for every deliverable.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
