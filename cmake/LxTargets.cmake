# Helpers that give every target of this project the same warnings, language
# level and test registration. Third-party code (GoogleTest, libjpeg) is built
# without them.

set(LX_WARNINGS
  -Wall -Wextra -Wpedantic -Werror
  -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual
  -Wcast-align -Wnull-dereference -Wimplicit-fallthrough
  -Wno-missing-field-initializers
  # GCC 12 reports std::string concatenation as overlapping copies when it
  # optimises (its bug 105329); Release builds of the benchmarks hit it.
  # Clang, which builds the fuzz targets, has no such warning to switch off.
  $<$<CXX_COMPILER_ID:GNU>:-Wno-restrict>)

function(lx_target_defaults target)
  target_compile_options(${target} PRIVATE ${LX_WARNINGS})
  target_compile_features(${target} PUBLIC cxx_std_20)
endfunction()

# lx_add_library(name SOURCES ... [DEPS ...])
# A static library rooted at the source tree, so that code includes
# "platform/rtl/x.h", "logging/y.h" and so on.
function(lx_add_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC)
  lx_split_target(${name} "" ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  lx_target_defaults(${name})
endfunction()

# lx_add_test(name SOURCES ... [LIBS ...] [LABELS ...] [TIMEOUT s])
# One GoogleTest executable registered as one CTest test. On Windows it runs
# under Wine through the cross-compiling emulator.
function(lx_add_test name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "SOURCES;LIBS;LABELS" ${ARGN})
  add_executable(${name})
  lx_split_target(${name} _tests ${ARG_SOURCES})
  if(WIN32)
    # Tests carry the program's manifest, so they run with the same UTF-8
    # code page and common controls as the program.
    target_sources(${name} PRIVATE $<TARGET_OBJECTS:platform_manifest>)
    target_link_libraries(${name} PRIVATE test_support)
  endif()
  target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gmock GTest::gtest_main)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  lx_target_defaults(${name})
  add_test(NAME ${name} COMMAND ${name})
  if(NOT ARG_TIMEOUT)
    set(ARG_TIMEOUT 300)
  endif()
  set_tests_properties(${name} PROPERTIES TIMEOUT ${ARG_TIMEOUT})
  if(ARG_LABELS)
    set_tests_properties(${name} PROPERTIES LABELS "${ARG_LABELS}")
  endif()
  set_tests_properties(${name} PROPERTIES ENVIRONMENT "LX_SOURCE_DIR=${PROJECT_SOURCE_DIR}")
endfunction()

# lx_add_fuzzer(name SOURCES ... [LIBS ...] [CORPUS dir])
# A fuzz target exposes LLVMFuzzerTestOneInput. In the native build it is
# linked with a small deterministic driver and run as a test (the corpus plus
# a bounded number of mutated inputs); scripts/fuzz builds the same sources
# with clang's libFuzzer for long coverage-guided runs.
function(lx_add_fuzzer name)
  cmake_parse_arguments(ARG "" "CORPUS;RUNS" "SOURCES;LIBS" ${ARGN})
  if(WIN32)
    return()
  endif()
  if(LX_LIBFUZZER)
    add_executable(${name} ${ARG_SOURCES})
    target_link_options(${name} PRIVATE -fsanitize=fuzzer)
  else()
    # The driver is compiled once for every fuzz target.
    if(NOT TARGET lx_fuzz_driver)
      add_library(lx_fuzz_driver OBJECT ${PROJECT_SOURCE_DIR}/tests/support/fuzz_driver.cpp)
      lx_target_defaults(lx_fuzz_driver)
    endif()
    add_executable(${name} ${ARG_SOURCES} $<TARGET_OBJECTS:lx_fuzz_driver>)
  endif()
  lx_use_precompiled_headers(${name} portable)
  target_link_libraries(${name} PRIVATE ${ARG_LIBS})
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR})
  lx_target_defaults(${name})
  if(NOT ARG_RUNS)
    set(ARG_RUNS 20000)
  endif()
  set(args --runs=${ARG_RUNS})
  if(ARG_CORPUS)
    list(APPEND args ${ARG_CORPUS})
  endif()
  add_test(NAME ${name} COMMAND ${name} ${args})
  set_tests_properties(${name} PROPERTIES TIMEOUT 300 LABELS fuzz)
endfunction()

# Every executable of the Windows build lands in one folder, so that tests
# find the program and the stand-ins beside themselves.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
include(${CMAKE_CURRENT_LIST_DIR}/LxGlobLibrary.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/LxPrecompiledHeaders.cmake)
