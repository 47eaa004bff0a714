#pragma once
// What an editor keeps besides its value: the per-cell state an in-place
// host holds between activations (TlxCustomEditData), and the catcher that
// collects change events while they are locked (TlxEditChangeEventsCatcher).

#include <cstdint>

#include "platform/rtl/object.h"

class TlxCustomEdit;

// Per-cell state an in-place host keeps for an editor; drop-down kinds keep
// their popup size in it. The host owns it; the editor only remembers it.
class TlxCustomEditData : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomEditData", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomEditData(TlxCustomEdit* edit) : edit_(edit) {}
  ~TlxCustomEditData() override;

  // Marks the data cleared and tells the editor, which resets what it kept.
  virtual void Clear();

  // The editor, or null once it is freed.
  TlxCustomEdit* Edit() const { return edit_.Get(); }
  bool Cleared() const { return cleared_; }
  void SetCleared(bool value) { cleared_ = value; }

 private:
  TWeakRef<TlxCustomEdit> edit_;
  bool cleared_ = false;
};

// How an editor kind makes its edit data; null for kinds that keep none.
using TlxEditDataFactory = TlxCustomEditData* (*)(TlxCustomEdit* edit);

// Change events that arrive while they are locked are remembered and raised
// once, when the last lock goes.
class TlxEditChangeEventsCatcher : public TObject {
 public:
  static constexpr TClass kClass{"TlxEditChangeEventsCatcher", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxEditChangeEventsCatcher() = default;

  bool IsLocked() const { return lock_count_ > 0; }
  // The first lock forgets what was pending. Answers True when this call
  // removed the last lock; an unlock without a lock does nothing.
  bool ChangeLock(bool lock);

  bool OnChangePending = false;
  bool OnEditValueChangedPending = false;

 private:
  int32_t lock_count_ = 0;
};
