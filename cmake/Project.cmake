# Helpers shared by every folder of the tree.

set(PELMORA_RESULTS_DIR ${CMAKE_BINARY_DIR}/test-results)
file(MAKE_DIRECTORY ${PELMORA_RESULTS_DIR})

option(SANITIZE "Build the native tree with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
# The fuzz tree (clang): the portable libraries instrumented for libFuzzer,
# optimised so the fuzzers run fast, and the fuzz targets instead of the tests.
option(FUZZ "Build the libFuzzer targets of the portable parsers (clang only)" OFF)
if(FUZZ AND NOT WIN32)
    if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
        message(FATAL_ERROR "FUZZ=ON needs clang: configure with CC=clang CXX=clang++")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer -O1 -g)
    add_link_options(-fsanitize=address,undefined)
elseif(SANITIZE AND NOT WIN32)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

function(pelmora_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
endfunction()

if(WIN32)
    # Two Windows trees from one source: i686 (what ships) and x86_64 (the
    # preferences library for 64-bit Windows, and the tests where a machine
    # runs no 32-bit code). Each has its own dist folder and Wine prefix.
    if(CMAKE_SIZEOF_VOID_P EQUAL 8)
        set(PELMORA_WINDOWS_ARCH x86_64)
        set(PELMORA_DIST_DIR ${PROJECT_SOURCE_DIR}/dist/win64)
        set(PELMORA_WINE_LOADER /usr/lib/wine/wine64)
        set(PELMORA_WINEARCH win64)
    else()
        set(PELMORA_WINDOWS_ARCH i686)
        set(PELMORA_DIST_DIR ${PROJECT_SOURCE_DIR}/dist/win32)
        set(PELMORA_WINE_LOADER /usr/lib/wine/wine)
        set(PELMORA_WINEARCH win32)
    endif()
    # Flat output: programs, DLLs and test programs side by side, as installed.
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set(PELMORA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    set(PELMORA_WINE_ENV "WINEPREFIX=${PELMORA_WINEPREFIX}" "WINEARCH=${PELMORA_WINEARCH}"
                         "PELMORA_WINE=${PELMORA_WINE_LOADER}")
    file(MAKE_DIRECTORY ${PELMORA_DIST_DIR})
endif()

# A version resource for a shipped binary, so installers and support staff
# can tell which build is installed.
function(pelmora_version_resource target description)
    get_target_property(type ${target} TYPE)
    get_target_property(output ${target} OUTPUT_NAME)
    if(NOT output)
        set(output ${target})
    endif()
    if(type STREQUAL "EXECUTABLE")
        set(PELMORA_VI_TYPE VFT_APP)
        set(PELMORA_VI_FILE ${output}.exe)
    else()
        set(PELMORA_VI_TYPE VFT_DLL)
        set(PELMORA_VI_FILE ${output}.dll)
    endif()
    set(PELMORA_VI_NAME ${output})
    set(PELMORA_VI_DESCRIPTION "${description}")
    string(REPLACE "." "," PELMORA_VI_COMMAS ${PROJECT_VERSION})
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}-version.rc)
    configure_file(${PROJECT_SOURCE_DIR}/cmake/VersionInfo.rc.in ${rc} @ONLY)
    target_sources(${target} PRIVATE ${rc})
endfunction()

# Copies a shipped binary or stand-in into dist/win32 after each build of it.
function(pelmora_collect target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${PELMORA_DIST_DIR}/)
endfunction()

# The .def file a Windows target links with. Each .def lists the decorated
# __stdcall names (name@argument-bytes) that i686 callers reference; x86_64
# has one calling convention and no decoration, so that build gets a copy
# with the decoration removed and everything else (ordinals, NONAME) kept.
function(pelmora_arch_def def outvar)
    if(NOT PELMORA_WINDOWS_ARCH STREQUAL "x86_64")
        set(${outvar} ${def} PARENT_SCOPE)
        return()
    endif()
    get_filename_component(name ${def} NAME)
    set(plain ${CMAKE_CURRENT_BINARY_DIR}/plain-${name})
    file(READ ${def} text)
    string(REGEX REPLACE "([A-Za-z_][A-Za-z0-9_]*)@[0-9]+" "\\1" text "${text}")
    file(CONFIGURE OUTPUT ${plain} CONTENT "${text}" @ONLY)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${def})
    set(${outvar} ${plain} PARENT_SCOPE)
endfunction()

# A DLL whose exports are exactly those of its .def file: decorated __stdcall
# names in, undecorated names out, nothing exported by attribute.
function(pelmora_def_dll target def)
    pelmora_arch_def(${def} def)
    target_sources(${target} PRIVATE ${def})
    target_link_options(${target} PRIVATE -Wl,--kill-at)
    set_target_properties(${target} PROPERTIES PREFIX "")
endfunction()

# One GoogleTest program = one ctest entry; its results go to an XML file that
# the summary line of the test command adds up.
function(pelmora_native_test name)
    cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest GTest::gtest_main)
    pelmora_warnings(${name})
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:${PELMORA_RESULTS_DIR}/${name}.xml)
endfunction()

# The same under Wine: one Wine process per test program, never per test case.
function(pelmora_wine_test name)
    cmake_parse_arguments(T "OWN_MAIN" "" "SOURCES;LIBS;DEPENDS" ${ARGN})
    add_executable(${name} ${T_SOURCES})
    if(T_OWN_MAIN)
        target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_win32_core)
    else()
        target_link_libraries(${name} PRIVATE ${T_LIBS} gtest_win32)
    endif()
    target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests/win32)
    pelmora_warnings(${name})
    if(T_DEPENDS)
        add_dependencies(${name} ${T_DEPENDS})
    endif()
    add_test(NAME ${name} COMMAND ${name} --gtest_output=xml:Z:${PELMORA_RESULTS_DIR}/${name}.xml)
    set_tests_properties(${name} PROPERTIES
        FIXTURES_REQUIRED wine LABELS wine
        ENVIRONMENT "${PELMORA_WINE_ENV}")
endfunction()
