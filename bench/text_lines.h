#pragma once
// The standard library's way of cutting a text into lines, the floor the
// toolkit's line handling is measured against.

#include <sstream>
#include <string>
#include <vector>

inline std::vector<std::string> SplitLinesWithStandardLibrary(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    lines.push_back(std::move(line));
  }
  return lines;
}
