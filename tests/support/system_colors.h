#pragma once
// A system colour set for one test scope and put back when it ends.

#include <windows.h>

#include <functional>
#include <utility>

namespace test_support {

class ScopedSystemColor {
 public:
  // `after_restore` runs once the old colour is back (for caches that
  // follow the system colours).
  ScopedSystemColor(int element, COLORREF color, std::function<void()> after_restore = {})
      : element_(element), previous_(GetSysColor(element)), after_restore_(std::move(after_restore)) {
    SetSysColors(1, &element_, &color);
  }
  ~ScopedSystemColor() {
    SetSysColors(1, &element_, &previous_);
    if (after_restore_)
      after_restore_();
  }
  ScopedSystemColor(const ScopedSystemColor&) = delete;
  ScopedSystemColor& operator=(const ScopedSystemColor&) = delete;

 private:
  int element_;
  COLORREF previous_;
  std::function<void()> after_restore_;
};

}  // namespace test_support
