// The change queue under any order of brackets and changes: every change is
// freed exactly once, a change covered by a whole-grid change of the same
// batch never runs, and the lock count never goes below zero.
#include "tests/grid/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "grid/grid_change.h"

namespace {

struct ChangeLog {
  int freed = 0;
  bool ran = false;
  int scope = 0;
  int batch = -1;  // -1: not queued, it ran at once or was freed
};

struct FuzzError {};

class FuzzChange : public TlxCustomGridChange {
 public:
  FuzzChange(ChangeLog& log, uint8_t flags) : log_(log), flags_(flags) {}
  ~FuzzChange() override { ++log_.freed; }
  void Execute() override {
    Check(!log_.ran, "a change ran twice");
    log_.ran = true;
    if ((flags_ & 8) != 0)
      throw FuzzError();
  }
  bool IsCoveredBy(const TlxCustomGridChange& other) const override {
    const auto& change = static_cast<const FuzzChange&>(other);
    return log_.scope != 0 && change.log_.scope == 0;
  }
  bool IsEqual(const TlxCustomGridChange& other) const override {
    return static_cast<const FuzzChange&>(other).log_.scope == log_.scope;
  }
  bool IsMergeable() const override { return (flags_ & 1) == 0; }
  bool RunsLocked() const override { return (flags_ & 2) == 0; }
  bool CanQueue() const override { return (flags_ & 4) == 0; }

 private:
  ChangeLog& log_;
  uint8_t flags_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<ChangeLog> logs;
  logs.reserve(size);
  {
    TlxGridChangeQueue queue(nullptr);
    int batch = 0;
    std::vector<size_t> pending;  // logs queued in the current batch
    auto finish_batch = [&](bool run) {
      if (run) {
        bool whole_grid = false;
        for (size_t index : pending)
          whole_grid = whole_grid || logs[index].scope == 0;
        for (size_t index : pending)
          if (whole_grid && logs[index].scope != 0)
            Check(!logs[index].ran, "a covered change ran");
      } else {
        for (size_t index : pending)
          Check(!logs[index].ran, "a cancelled change ran");
      }
      pending.clear();
      ++batch;
    };
    for (size_t i = 0; i < size; ++i) {
      const uint8_t op = data[i];
      try {
        switch (op & 3) {
          case 0:
            queue.BeginUpdate();
            break;
          case 1: {
            const bool last = queue.LockCount() == 1;
            queue.EndUpdate();
            if (last)
              finish_batch(true);
            break;
          }
          case 2: {
            const bool last = queue.LockCount() == 1;
            queue.CancelUpdate();
            if (last)
              finish_batch(false);
            break;
          }
          default: {
            logs.push_back({});
            ChangeLog& log = logs.back();
            log.scope = (op >> 2) & 3;
            const uint8_t flags = static_cast<uint8_t>(op >> 4);
            if (queue.IsUpdateLocked() && (flags & 4) == 0) {
              log.batch = batch;
              pending.push_back(logs.size() - 1);
            }
            queue.AddChange(std::make_unique<FuzzChange>(log, flags));
            break;
          }
        }
      } catch (const FuzzError&) {
        // A raising change ends its batch; the lock taken for the run was
        // given back.
        if (!pending.empty() && queue.LockCount() == 0)
          finish_batch(true);
      }
      Check(queue.LockCount() >= 0, "negative lock count");
    }
  }
  for (const ChangeLog& log : logs)
    Check(log.freed == 1, "a change was not freed exactly once");
  return 0;
}
