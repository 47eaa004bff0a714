#include "tests/support/window_finder.h"

#include "tests/support/message_pump.h"

namespace test_support {
namespace {

struct TitleSearch {
  const std::string* title;
  bool substring;
  HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM lparam) {
  auto* search = reinterpret_cast<TitleSearch*>(lparam);
  const std::string title = WindowTitle(window);
  const bool match = search->substring ? title.find(*search->title) != std::string::npos
                                       : title == *search->title;
  if (!match)
    return TRUE;
  search->found = window;
  return FALSE;
}

}  // namespace

std::string WindowTitle(HWND window) {
  char buffer[512] = {};
  const int length = GetWindowTextA(window, buffer, static_cast<int>(sizeof(buffer)));
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string WindowClassName(HWND window) {
  char buffer[256] = {};
  const int length = GetClassNameA(window, buffer, static_cast<int>(sizeof(buffer)));
  return std::string(buffer, length > 0 ? static_cast<size_t>(length) : 0);
}

HWND FindTopLevelWindowByTitle(const std::string& title, bool substring) {
  TitleSearch search{&title, substring, nullptr};
  EnumWindows(MatchTitle, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND FindTopLevelWindowByClass(const std::string& class_name) {
  return FindWindowA(class_name.c_str(), nullptr);
}

HWND WaitForTopLevelWindow(const std::string& title, bool substring, uint32_t max_milliseconds) {
  HWND found = nullptr;
  PumpUntil([&] { return (found = FindTopLevelWindowByTitle(title, substring)) != nullptr; },
            max_milliseconds);
  return found;
}

}  // namespace test_support
