# Precompiled headers. Most of a compile job used to be parsing the same
# headers again: the standard library, GoogleTest and, for Windows code,
# windows.h with the toolkit's headers on top. Each kind of header set is
# compiled once per build by a holder target, and every target reuses the
# holder's precompiled header, so no header set is compiled twice.
#
# Portable sources must not see windows.h (its macros rename functions and
# take common words), so on Windows the sources of a target are split:
# Windows code (named *_win.cpp, *_win_test.cpp, *_win_bench.cpp, or
# including windows.h, the toolkit, the test support or a *_win.h header
# itself) uses the Windows header set, everything else the portable one.
# The names are given in quotes so that the generated header holds no path
# of this clone, which keeps the compiler cache valid for a clone elsewhere.

# The standard headers that a fifth of the sources or more include; a
# larger set costs every user the loading of a larger file.
set(LX_PCH_STANDARD
  <algorithm> <array> <cmath> <cstddef> <cstdint> <cstdlib> <cstring>
  <filesystem> <functional> <limits> <memory> <mutex> <optional> <string>
  <string_view> <utility> <vector>)
set(LX_PCH_TESTS <gtest/gtest.h>)
set(LX_PCH_WINDOWS
  <windows.h>
  [["platform/toolkit/types.h"]] [["platform/toolkit/color.h"]]
  [["platform/toolkit/canvas.h"]] [["platform/toolkit/bitmap.h"]]
  [["platform/toolkit/win_control.h"]] [["platform/toolkit/application.h"]]
  [["platform/toolkit/screen.h"]] [["platform/toolkit/form.h"]])

# The Release presets for benchmarks switch them off: with -O3, GCC 12
# reports a false overflow inside std::string's operator+ (its bug 105651)
# whenever the precompiled header changes the order of instantiations.
option(LX_PRECOMPILED_HEADERS "Compile the common headers once per build" ON)

# lx_pch_holder(kind) makes the holder target lx_pch_<kind>: portable,
# windows, portable_tests or windows_tests.
function(lx_pch_holder kind)
  set(holder lx_pch_${kind})
  if(TARGET ${holder})
    return()
  endif()
  set(source ${CMAKE_BINARY_DIR}/lx_pch/${kind}.cpp)
  if(NOT EXISTS ${source})
    file(WRITE ${source} "// Holds the precompiled headers that other targets reuse.\n")
  endif()
  add_library(${holder} OBJECT ${source})
  target_include_directories(${holder} PRIVATE ${PROJECT_SOURCE_DIR})
  lx_target_defaults(${holder})
  set(headers ${LX_PCH_STANDARD})
  if(kind MATCHES "^windows")
    list(APPEND headers ${LX_PCH_WINDOWS})
  endif()
  if(kind MATCHES "_tests$")
    list(APPEND headers ${LX_PCH_TESTS})
    target_link_libraries(${holder} PRIVATE GTest::gtest)
  endif()
  target_precompile_headers(${holder} PRIVATE ${headers})
endfunction()

# lx_windows_code(out source) sets out to TRUE when source is Windows code.
function(lx_windows_code out source)
  set(${out} FALSE PARENT_SCOPE)
  if(NOT WIN32 OR NOT source MATCHES "\\.cpp$")
    return()
  endif()
  if(source MATCHES "_win(_test|_bench)?\\.cpp$")
    set(${out} TRUE PARENT_SCOPE)
    return()
  endif()
  if(NOT IS_ABSOLUTE ${source})
    set(source ${CMAKE_CURRENT_SOURCE_DIR}/${source})
  endif()
  file(STRINGS ${source} windows_includes LIMIT_COUNT 1
       REGEX "^#include (<windows\\.h>|\"platform/toolkit/|\"tests/support/|\"[^\"]*_win\\.h\")")
  if(windows_includes)
    set(${out} TRUE PARENT_SCOPE)
  endif()
endfunction()

# lx_split_sources(portable windows sources...) sorts sources into the two
# header sets; anything that is not a C++ file (resources, object lists)
# stays with the portable ones, that is with the target itself.
function(lx_split_sources out_portable out_windows)
  set(portable)
  set(windows)
  foreach(source ${ARGN})
    lx_windows_code(is_windows ${source})
    if(is_windows)
      list(APPEND windows ${source})
    else()
      list(APPEND portable ${source})
    endif()
  endforeach()
  set(${out_portable} ${portable} PARENT_SCOPE)
  set(${out_windows} ${windows} PARENT_SCOPE)
endfunction()

# lx_use_precompiled_headers(target kind) makes target reuse the header set
# of that kind.
function(lx_use_precompiled_headers target kind)
  if(NOT LX_PRECOMPILED_HEADERS)
    return()
  endif()
  # Measured natively, the standard headers alone cost a library's source
  # less to parse than the precompiled header costs to load; GoogleTest is
  # worth precompiling, windows.h far more so.
  if(NOT WIN32 AND kind STREQUAL "portable")
    return()
  endif()
  lx_pch_holder(${kind})
  target_precompile_headers(${target} REUSE_FROM lx_pch_${kind})
endfunction()

# Test programs compile in batches: a test file is small, and most of its
# compile time goes into instantiating the same GoogleTest and standard
# templates that its neighbours instantiate again. Compiled together, eight
# test files cost about what two cost alone. A test file therefore keeps its
# helpers in a namespace of its own (or gives them names of their own), as
# anonymous namespaces of one batch share one scope.
#
# The batch files are written here rather than by CMake's unity builds:
# CMake's name each test file by its absolute path, so a clone in another
# folder missed the compiler cache for every batch; ours name them from the
# project's root, found through its include folder, and read the same in
# every clone.
option(LX_UNITY_TESTS "Compile the test files of a test program in batches" ON)
set(LX_UNITY_BATCH_SIZE 8 CACHE STRING "Test files per batch")

# lx_write_unity_batch(out name index sources...) writes batch file index of
# name; the file is rewritten only when its text changes, so a reconfigure
# recompiles nothing.
function(lx_write_unity_batch out name index)
  set(text "// The build compiles these test files as one.\n")
  foreach(source ${ARGN})
    if(NOT IS_ABSOLUTE ${source})
      set(source ${CMAKE_CURRENT_SOURCE_DIR}/${source})
    endif()
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${source})
    string(APPEND text "#include \"${relative}\"\n")
  endforeach()
  set(file ${CMAKE_CURRENT_BINARY_DIR}/lx_unity/${name}_${index}.cpp)
  file(CONFIGURE OUTPUT ${file} CONTENT "${text}" @ONLY)
  set(${out} ${file} PARENT_SCOPE)
endfunction()

# lx_unity_batches(out name sources...) sets out to the batch files of the
# C++ sources among sources, followed by the other sources unchanged.
function(lx_unity_batches out name)
  if(NOT LX_UNITY_TESTS)
    set(${out} ${ARGN} PARENT_SCOPE)
    return()
  endif()
  set(result)
  set(others)
  set(batch)
  set(index 0)
  foreach(source ${ARGN})
    if(NOT source MATCHES "\\.cpp$")
      list(APPEND others ${source})
      continue()
    endif()
    list(APPEND batch ${source})
    list(LENGTH batch size)
    if(size EQUAL LX_UNITY_BATCH_SIZE)
      lx_write_unity_batch(file ${name} ${index} ${batch})
      list(APPEND result ${file})
      math(EXPR index "${index} + 1")
      set(batch)
    endif()
  endforeach()
  if(batch)
    lx_write_unity_batch(file ${name} ${index} ${batch})
    list(APPEND result ${file})
  endif()
  set(${out} ${result} ${others} PARENT_SCOPE)
endfunction()

# lx_split_target(target kind sources...) adds the sources to target. On
# Windows the Windows code among them goes, when target also has portable
# sources, into an object library compiled with the Windows header set and
# with target's include folders, definitions and options, whose objects become part
# of target; kind is "" for libraries and "_tests" for test programs.
function(lx_split_target target kind)
  if(NOT LX_PRECOMPILED_HEADERS)
    if(kind STREQUAL "_tests")
      lx_unity_batches(sources ${target} ${ARGN})
    else()
      set(sources ${ARGN})
    endif()
    target_sources(${target} PRIVATE ${sources})
    return()
  endif()
  lx_split_sources(portable windows ${ARGN})
  if(kind STREQUAL "_tests")
    lx_unity_batches(portable ${target} ${portable})
    lx_unity_batches(windows ${target}_windows ${windows})
  endif()
  set(has_portable_code FALSE)
  foreach(source ${portable})
    if(source MATCHES "\\.cpp$")
      set(has_portable_code TRUE)
    endif()
  endforeach()
  if(NOT has_portable_code)
    target_sources(${target} PRIVATE ${portable} ${windows})
    lx_use_precompiled_headers(${target} windows${kind})
    return()
  endif()
  target_sources(${target} PRIVATE ${portable})
  lx_use_precompiled_headers(${target} portable${kind})
  if(NOT windows)
    return()
  endif()
  set(objects ${target}_windows)
  add_library(${objects} OBJECT ${windows})
  target_include_directories(${objects} PRIVATE $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
  target_compile_definitions(${objects} PRIVATE $<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>)
  target_compile_options(${objects} PRIVATE $<TARGET_PROPERTY:${target},COMPILE_OPTIONS>)
  lx_target_defaults(${objects})
  lx_use_precompiled_headers(${objects} windows${kind})
  target_sources(${target} PRIVATE $<TARGET_OBJECTS:${objects}>)
endfunction()
