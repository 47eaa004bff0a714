#pragma once
// The invariant check of the grid's fuzz targets: a broken invariant ends
// the run with its description, so the fuzzer keeps the input.
#include <cstdio>
#include <cstdlib>

inline void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}
