#pragma once
// TUpdateBatch: the counter behind an object's BeginUpdate and EndUpdate.
// It counts the open brackets, remembers a change made while one is open,
// and runs the object's one update when the last bracket closes. An
// EndUpdate without its BeginUpdate does nothing at all: the count never
// goes below zero, so a stray end neither blocks every later update nor
// runs one of its own.
//
//   void TCustomImageList::BeginUpdate() { update_batch_.Begin(); }
//   void TCustomImageList::EndUpdate() { update_batch_.End([this] { Change(); }); }
//   void TCustomImageList::Change() {
//     if (!update_batch_.Change())
//       return;                  // told once, at the last EndUpdate
//     ...tell the links...
//   }

#include <cstdint>
#include <utility>

class TUpdateBatch {
 public:
  // When the last EndUpdate runs the update.
  enum TUpdateRule : uint8_t {
    // Only when a change was noted (Change) inside the brackets.
    kUpdateWhenChanged,
    // Always: closing the bracket is itself what the object reports (a
    // collection's Update, a list's end of its updating state).
    kUpdateAlways,
  };

  explicit TUpdateBatch(TUpdateRule rule = kUpdateWhenChanged) : rule_(rule) {}

  // Opens a bracket.
  void Begin() { ++count_; }
  // Opens a bracket; when it is the first one, `enter_updating` runs before
  // the count goes up, so that it still sees the object outside a bracket
  // (a list fires OnChanging there). When it fails, no bracket is open.
  template <class EnterUpdating>
  void Begin(EnterUpdating&& enter_updating) {
    if (count_ == 0)
      enter_updating();
    ++count_;
  }

  // Closes a bracket; `update` runs when the last one closes and the rule
  // asks for it. The batch is closed before `update` runs, so the update
  // sees the object outside any bracket and may open a new one.
  template <class Update>
  void End(Update&& update) {
    if (count_ == 0)
      return;
    if (--count_ > 0)
      return;
    const bool changed = std::exchange(changed_, false);
    if (changed || rule_ == kUpdateAlways)
      update();
  }

  // Notes a change. True when no bracket is open and the caller updates at
  // once; inside a bracket the change is kept for the last End.
  bool Change() {
    if (count_ == 0)
      return true;
    changed_ = true;
    return false;
  }

  bool Updating() const { return count_ > 0; }
  int32_t Count() const { return count_; }
  bool ChangedWhileUpdating() const { return changed_; }

 private:
  TUpdateRule rule_;
  int32_t count_ = 0;
  bool changed_ = false;
};
