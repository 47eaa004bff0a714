#pragma once
// String lists as vectors, so that tests compare whole lists at once.

#include <string>
#include <vector>

#include "platform/rtl/strings.h"

namespace printers_test {

using Lines = std::vector<std::string>;

inline Lines LinesOf(const TStrings& list) {
  Lines lines;
  for (int32_t i = 0; i < list.Count(); ++i)
    lines.push_back(list.Get(i));
  return lines;
}

inline void Fill(TStrings& list, const Lines& lines) {
  for (const std::string& line : lines)
    list.Add(line);
}

}  // namespace printers_test
