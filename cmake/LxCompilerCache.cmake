# Build speed settings that change no result: the compiler cache, smaller
# debug information and a faster linker. Included by the top-level
# CMakeLists.txt before any target is made.

# The compiler cache (scripts/setup installs it) keeps its objects in the
# user's cache folder, so that a fresh clone of the project in another folder
# of the same machine, as CI builds it, compiles nothing already compiled.
# Paths below the clone are made relative before they are hashed (base
# folder), and the debug information names the clone as "." (prefix map),
# so that the clone's folder does not enter the hash. The sloppiness lets
# the cache serve objects made with a precompiled header: the header is
# compiled just before its users, and its macros are known only to it.
# The inode cache remembers the hash of every file it has read by inode,
# size and times: without it each hit hashes the 100 MB precompiled header
# again, and a build served wholly from the cache took a second per object.
option(LX_COMPILER_CACHE "Use the compiler cache when it is installed" ON)
find_program(LX_CCACHE ccache)
if(LX_COMPILER_CACHE AND LX_CCACHE)
  set(LX_COMPILER_LAUNCHER
    env
    CCACHE_BASEDIR=${PROJECT_SOURCE_DIR}
    CCACHE_SLOPPINESS=pch_defines,time_macros,include_file_mtime,include_file_ctime
    CCACHE_INODECACHE=true
    ${LX_CCACHE})
  set(CMAKE_C_COMPILER_LAUNCHER ${LX_COMPILER_LAUNCHER})
  set(CMAKE_CXX_COMPILER_LAUNCHER ${LX_COMPILER_LAUNCHER})
endif()
add_compile_options(-fdebug-prefix-map=${PROJECT_SOURCE_DIR}=.)

# Line tables are enough for the sanitizers' and the debugger's stack
# traces; full debug information doubles the size of every object.
set(CMAKE_C_FLAGS_DEBUG "-g1")
set(CMAKE_CXX_FLAGS_DEBUG "-g1")

# The fastest linker the toolchain has: mold natively, lld for Windows.
if(WIN32)
  find_program(LX_FAST_LINKER ld.lld)
  set(LX_FAST_LINKER_OPTION -fuse-ld=lld)
else()
  find_program(LX_FAST_LINKER mold)
  set(LX_FAST_LINKER_OPTION -fuse-ld=mold)
endif()
if(LX_FAST_LINKER AND NOT LX_LIBFUZZER)
  add_link_options(${LX_FAST_LINKER_OPTION})
endif()
