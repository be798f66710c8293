# Helpers shared by every folder: libraries, resources and tests run under Wine.

set(WINE_RUN "${PROJECT_SOURCE_DIR}/scripts/wine-run")
# Listed among the sources of a test program that draws: starts GDI+ for the whole program.
set(GDIPLUS_TEST_SESSION "${PROJECT_SOURCE_DIR}/tests/support/GdiplusTestSession.cpp")

# Precompiled headers. Win32's, the framework layer's, GDI+'s and the test framework's headers
# take most of each file's compile time: one precompiled set serves every system target, and
# one that adds the test framework serves every test program. Test programs' own code is compiled
# with less optimisation (what they test is in the libraries, fully optimised): it halves their
# compile time.
set(TEST_OPTIMISATION -O1)
set(PRECOMPILED_SYSTEM_HEADERS
    <winsock2.h> <windows.h> <algorithm> <functional> <memory> <string> <vector>
    "${PROJECT_SOURCE_DIR}/platform/mfc/Afx.h" "${PROJECT_SOURCE_DIR}/platform/gdiplus/GdiPlus.h")
file(CONFIGURE OUTPUT "${PROJECT_BINARY_DIR}/precompiled_headers.cpp" CONTENT "")
add_library(precompiled_system STATIC "${PROJECT_BINARY_DIR}/precompiled_headers.cpp")
target_include_directories(precompiled_system PRIVATE ${PROJECT_SOURCE_DIR})
target_precompile_headers(precompiled_system PRIVATE ${PRECOMPILED_SYSTEM_HEADERS})
add_library(precompiled_tests STATIC "${PROJECT_BINARY_DIR}/precompiled_headers.cpp")
target_include_directories(precompiled_tests PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(precompiled_tests PRIVATE ${TEST_OPTIMISATION})
target_link_libraries(precompiled_tests PRIVATE GTest::gtest)
target_precompile_headers(precompiled_tests PRIVATE ${PRECOMPILED_SYSTEM_HEADERS} <gtest/gtest.h>)

# add_system_library(NAME SOURCES... [LINKS libs...])
# One static library per folder; its headers are included as "folder/File.h" from the root.
function(add_system_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_precompile_headers(${name} REUSE_FROM precompiled_system)
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_LINKS})
endfunction()

# add_wine_resources(TARGET RC_FILE)
# Compiles an .rc file with wrc and links the result into TARGET.
function(add_wine_resources target rc_file)
  get_filename_component(rc_name ${rc_file} NAME_WE)
  get_filename_component(rc_dir ${rc_file} DIRECTORY)
  set(res_file "${CMAKE_CURRENT_BINARY_DIR}/${target}-${rc_name}.res")
  # A script includes scripts, pictures and headers by paths the dependency scanner cannot
  # follow: every file under resources/ counts.
  file(GLOB_RECURSE resource_inputs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/*)
  add_custom_command(
    OUTPUT ${res_file}
    COMMAND ${CMAKE_RC_COMPILER} --nostdinc -I${rc_dir} -I${PROJECT_SOURCE_DIR}
            -I/usr/include/wine/wine/windows -o ${res_file} ${rc_file}
    DEPENDS ${rc_file} ${resource_inputs}
    COMMENT "Compiling resources ${rc_name}.rc"
    VERBATIM)
  add_custom_target(${target}-${rc_name}-res DEPENDS ${res_file})
  add_dependencies(${target} ${target}-${rc_name}-res)
  target_link_libraries(${target} PRIVATE ${res_file})
endfunction()

# add_wine_test(NAME [SHOWS_WINDOWS] SOURCES... [LINKS libs...])
# A GoogleTest program run by CTest through the Wine runtime script. A program that prints nothing
# for WINE_TEST_SILENCE_LIMIT seconds (each test case prints as it starts and ends) is ended as
# failed. Programs that show windows get a Wine session and a display of their own, so that
# synthesized input, the foreground and screen captures meet only their own windows while they
# run side by side.
set(WINE_TEST_SILENCE_LIMIT 240)
function(add_wine_test name)
  cmake_parse_arguments(ARG "SHOWS_WINDOWS" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_precompile_headers(${name} REUSE_FROM precompiled_tests)
  target_compile_options(${name} PRIVATE ${TEST_OPTIMISATION})
  target_link_libraries(${name} PRIVATE ${ARG_LINKS} GTest::gtest GTest::gtest_main)
  set(session_option)
  if(ARG_SHOWS_WINDOWS)
    set(session_option --own-display)
  endif()
  add_test(NAME ${name}
           COMMAND ${WINE_RUN} ${session_option} --silence-limit ${WINE_TEST_SILENCE_LIMIT}
                   $<TARGET_FILE:${name}>.so
           WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
endfunction()

# add_benchmark(NAME SOURCES... [LINKS libs...])
# A benchmark program: built with the rest, run by hand through scripts/wine-run.
function(add_benchmark name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_precompile_headers(${name} REUSE_FROM precompiled_system)
  target_link_libraries(${name} PRIVATE ${ARG_LINKS})
endfunction()
