# Cross toolchain: 64-bit Windows (PE32+, x86_64) with mingw-w64. The
# preferences library ships from it; the other programs are built for tests.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(MINGW_PREFIX x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
