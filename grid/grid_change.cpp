#include "grid/grid_change.h"

#include <utility>

#include "platform/rtl/scope.h"

void TlxGridChangeQueue::EndUpdate() {
  if (lock_count_ == 0)
    return;
  if (--lock_count_ == 0)
    ProcessChanges();
}

void TlxGridChangeQueue::CancelUpdate() {
  if (lock_count_ == 0)
    return;
  if (--lock_count_ == 0)
    queue_.clear();
}

void TlxGridChangeQueue::AddChange(std::unique_ptr<TlxCustomGridChange> change) {
  if (change == nullptr)
    return;
  if (closed_)
    return;  // freed without running
  if (change->CanQueue() && IsUpdateLocked()) {
    queue_.push_back(std::move(change));
    return;
  }
  RunChange(std::move(change));
}

void TlxGridChangeQueue::RunChange(std::unique_ptr<TlxCustomGridChange> change) {
  if (change == nullptr || closed_)
    return;
  change->SetControl(control_);
  change->Execute();
}

void TlxGridChangeQueue::ProcessChanges() {
  TlxGridChangeList working = std::exchange(queue_, {});
  Merge(working);
  RunMerged(working);
}

void TlxGridChangeQueue::Merge(TlxGridChangeList& changes) {
  TlxGridChangeList merged;
  merged.reserve(changes.size());
  for (std::unique_ptr<TlxCustomGridChange>& change : changes) {
    bool duplicate = false;
    if (change->IsMergeable()) {
      for (const std::unique_ptr<TlxCustomGridChange>& kept : merged) {
        if (kept->IsEqual(*change)) {
          duplicate = true;
          break;
        }
      }
    }
    if (duplicate)
      change.reset();
    else
      merged.push_back(std::move(change));
  }
  changes = std::move(merged);

  // Covered by a later change: the scan stays at the same position after
  // a removal.
  for (size_t i = 0; i < changes.size();) {
    bool covered = false;
    for (size_t j = i + 1; j < changes.size() && !covered; ++j)
      covered = changes[i]->IsCoveredBy(*changes[j]);
    if (covered)
      changes.erase(changes.begin() + static_cast<std::ptrdiff_t>(i));
    else
      ++i;
  }
  // Covered by an earlier change, from the last one backward.
  for (size_t i = changes.size(); i-- > 0;) {
    bool covered = false;
    for (size_t j = 0; j < i && !covered; ++j)
      covered = changes[i]->IsCoveredBy(*changes[j]);
    if (covered)
      changes.erase(changes.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

void TlxGridChangeQueue::RunMerged(TlxGridChangeList& changes) {
  if (changes.size() == 1) {
    RunChange(std::move(changes.front()));
    return;
  }
  if (changes.empty())
    return;
  // The whole run holds one lock, so what the changes add meanwhile waits
  // for the final EndUpdate. A raising change ends the run: the changes not
  // run yet are freed with the working list, and the lock taken here is
  // given back.
  bool holding = true;
  BeginUpdate();
  // On a raise the lock is only given back: running what the changes
  // queued meanwhile would run more code while the exception unwinds. Those
  // changes wait for the next bracket.
  TScopeFail release([&] {
    if (holding && lock_count_ > 0)
      --lock_count_;
  });
  for (std::unique_ptr<TlxCustomGridChange>& change : changes) {
    if (!change->RunsLocked() && holding) {
      holding = false;
      EndUpdate();
    }
    RunChange(std::move(change));
    if (lock_count_ == 0) {
      BeginUpdate();
      holding = true;
    }
  }
  if (holding)
    EndUpdate();
}

void TlxGridChangeQueue::RemoveChanges(const std::function<bool(const TlxCustomGridChange&)>& selects) {
  for (size_t i = queue_.size(); i-- > 0;) {
    if (selects(*queue_[i]))
      queue_.erase(queue_.begin() + static_cast<std::ptrdiff_t>(i));
  }
}

void TlxGridChangeQueue::Close() {
  closed_ = true;
  queue_.clear();
}
