# Helpers shared by every folder of the tree.

set(PELMORA_RESULTS_DIR ${CMAKE_BINARY_DIR}/test-results)
file(MAKE_DIRECTORY ${PELMORA_RESULTS_DIR})

option(SANITIZE "Build the native tree with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(SANITIZE AND NOT WIN32)
    add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                        -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()

function(pelmora_warnings target)
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wshadow -Werror)
endfunction()

if(WIN32)
    # Flat output: programs, DLLs and test programs side by side, as installed.
    set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
    set(PELMORA_DIST_DIR ${PROJECT_SOURCE_DIR}/dist/win32)
    set(PELMORA_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
    file(MAKE_DIRECTORY ${PELMORA_DIST_DIR})
endif()

# Copies a shipped binary or stand-in into dist/win32 after each build of it.
function(pelmora_collect target)
    add_custom_command(TARGET ${target} POST_BUILD
        COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:${target}> ${PELMORA_DIST_DIR}/)
endfunction()

# A DLL whose exports are exactly those of its .def file: decorated __stdcall
# names in, undecorated names out, nothing exported by attribute.
function(pelmora_def_dll target def)
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
        FIXTURES_REQUIRED wine
        ENVIRONMENT "WINEPREFIX=${PELMORA_WINEPREFIX}")
endfunction()
