#pragma once
// A module's counted start and end: modules start each other in their
// dependency order, so a module may be started more than once. Only the
// first start does the work and only the end that balances it undoes it;
// an end without a start does nothing.

#include <cstdint>
#include <utility>

class TlxModuleStartCount {
 public:
  // Runs `start` when the module is not started yet. A start that throws
  // leaves the module not started.
  template <class StartWork>
  void Start(StartWork&& start) {
    if (count_ == 0)
      std::forward<StartWork>(start)();
    ++count_;
  }

  // Runs `end` when this balances the first start.
  template <class EndWork>
  void End(EndWork&& end) {
    if (count_ == 0)
      return;
    if (--count_ == 0)
      std::forward<EndWork>(end)();
  }

  bool Started() const { return count_ > 0; }
  int32_t Count() const { return count_; }

 private:
  int32_t count_ = 0;
};
