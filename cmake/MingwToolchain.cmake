# Shared by both Windows toolchain files; MINGW_PREFIX and the processor are
# set by the file that includes this one. The win32 thread model: the posix
# one would pull in winpthreads and GetTickCount64, which Windows XP lacks.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${MINGW_PREFIX}-gcc-win32)
set(CMAKE_CXX_COMPILER ${MINGW_PREFIX}-g++-win32)
set(CMAKE_RC_COMPILER  ${MINGW_PREFIX}-windres)
set(CMAKE_AR           /usr/bin/${MINGW_PREFIX}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       /usr/bin/${MINGW_PREFIX}-ranlib CACHE FILEPATH "")
set(MINGW_DLLTOOL      ${MINGW_PREFIX}-dlltool)
set(MINGW_OBJDUMP      ${MINGW_PREFIX}-objdump)

set(CMAKE_FIND_ROOT_PATH /usr/${MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Windows 2000/XP is the floor; the headers do not enforce it, the import check does.
add_compile_definitions(_WIN32_WINNT=0x0501 WINVER=0x0501 WIN32_LEAN_AND_MEAN NOMINMAX)

set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_EXE_LINKER_FLAGS_RELEASE_INIT    "-s")
set(CMAKE_SHARED_LINKER_FLAGS_RELEASE_INIT "-s")

# Tests run through Wine with a private prefix.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/wine-run)
