# lx_glob_library(name [DEPS ...])
# A library made of every .cpp file of the calling folder; *_win.cpp files
# only on Windows and *_posix.cpp files only natively. An empty folder makes
# no library, so that a subsystem's folder can exist before its code.
function(lx_glob_library name)
  cmake_parse_arguments(ARG "" "" "DEPS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(WIN32)
    list(FILTER sources EXCLUDE REGEX "_posix\\.cpp$")
  else()
    list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
  endif()
  if(NOT sources)
    return()
  endif()
  lx_add_library(${name} SOURCES ${sources} DEPS ${ARG_DEPS})
endfunction()

# lx_glob_tests(name LIBS ...)
# One test program from every *_test.cpp of the calling folder (natively
# without the *_win_test.cpp ones), plus a fuzz
# target per fuzz/*_fuzz.cpp (seeds in fuzz/corpus/<stem>/).
function(lx_glob_tests name)
  cmake_parse_arguments(ARG "" "TIMEOUT" "LIBS" ${ARGN})
  file(GLOB tests CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*_test.cpp)
  if(NOT WIN32)
    # Tests that need Windows itself are named *_win_test.cpp.
    list(FILTER tests EXCLUDE REGEX "_win_test\\.cpp$")
  endif()
  if(tests)
    lx_add_test(${name} SOURCES ${tests} LIBS ${ARG_LIBS} TIMEOUT ${ARG_TIMEOUT})
  endif()
  file(GLOB fuzzers CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/*_fuzz.cpp)
  foreach(source ${fuzzers})
    get_filename_component(stem ${source} NAME_WE)
    lx_add_fuzzer(${name}_${stem} SOURCES ${source} LIBS ${ARG_LIBS}
                  CORPUS ${CMAKE_CURRENT_SOURCE_DIR}/fuzz/corpus/${stem})
  endforeach()
endfunction()
