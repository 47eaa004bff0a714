#pragma once
// TlxCustomGridChange and TlxGridChangeQueue: the requests (layout, size,
// repaint, focus, data) through which a grid's views ask for work, and the
// queue that holds them while the grid is locked. Closing the last bracket
// merges the queue (duplicates and requests covered by broader ones are
// dropped) and runs what is left, so a burst of changes costs one
// recalculation and one repaint. Portable: the merge and run rules are
// checked natively; the kinds of change that know views live in
// grid_changes_win.h.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "platform/rtl/object.h"

class TlxCustomGrid;

class TlxCustomGridChange : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridChange", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // The grid the change runs in; null for a change run by a view without
  // grid.
  TlxCustomGrid* Control() const { return control_; }
  void SetControl(TlxCustomGrid* control) { control_ = control; }

  // --- overridable, in slot order --------------------------------------
  // Whether, when several changes run together, this one runs while the
  // grid stays locked.
  virtual bool RunsLocked() const { return true; }
  virtual void Execute() = 0;
  // Whether another change makes this one superfluous.
  virtual bool IsCoveredBy(const TlxCustomGridChange& /*other*/) const { return false; }
  // Whether this change may be dropped as a duplicate of an equal one.
  virtual bool IsMergeable() const { return true; }
  virtual bool IsEqual(const TlxCustomGridChange& other) const { return ClassType() == other.ClassType(); }
  // Whether the change may wait in the queue while the grid is locked.
  virtual bool CanQueue() const { return true; }

 private:
  TlxCustomGrid* control_ = nullptr;
};

using TlxGridChangeList = std::vector<std::unique_ptr<TlxCustomGridChange>>;

// The lock count and the pending changes of one grid. Every change handed
// to it is freed exactly once: after it ran (also when it raised), when it
// was merged away, or when the queue was cancelled or closed.
class TlxGridChangeQueue {
 public:
  explicit TlxGridChangeQueue(TlxCustomGrid* control) : control_(control) {}
  TlxGridChangeQueue(const TlxGridChangeQueue&) = delete;
  TlxGridChangeQueue& operator=(const TlxGridChangeQueue&) = delete;

  void BeginUpdate() { ++lock_count_; }
  // The last bracket runs the queue.
  void EndUpdate();
  // The last bracket drops the queue without running it.
  void CancelUpdate();
  bool IsUpdateLocked() const { return lock_count_ > 0; }
  int32_t LockCount() const { return lock_count_; }

  // Queues a change that may wait while the queue is locked; runs any
  // other one at once.
  void AddChange(std::unique_ptr<TlxCustomGridChange> change);
  // Runs a change now (unless the queue is closed) and frees it, also when
  // its Execute raises.
  void RunChange(std::unique_ptr<TlxCustomGridChange> change);
  // Merges and runs everything queued.
  void ProcessChanges();
  // Frees every queued change the predicate selects, from the end.
  void RemoveChanges(const std::function<bool(const TlxCustomGridChange&)>& selects);

  // A closed queue (its grid is being destroyed) frees what it gets
  // without running it; closing frees what is queued.
  void Close();
  bool IsClosed() const { return closed_; }
  size_t Count() const { return queue_.size(); }

  // The three merge passes over a working list, in place: duplicates in
  // queue order, then changes covered by a later one, then changes covered
  // by an earlier one.
  static void Merge(TlxGridChangeList& changes);

 private:
  void RunMerged(TlxGridChangeList& changes);

  TlxCustomGrid* control_;
  TlxGridChangeList queue_;
  int32_t lock_count_ = 0;
  bool closed_ = false;
};
