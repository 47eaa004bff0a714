#pragma once
// A most-recently-used list: newest first, equal entries folded together,
// optionally capped.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/rtl/object.h"

class TlxMRUItem : public TObject {
 public:
  static constexpr TClass kClass{"TlxMRUItem", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Each kind of entry compares its own value.
  virtual bool IsEqualTo(const TlxMRUItem& other) const = 0;
};

class TlxMRUItems : public TObject {
 public:
  static constexpr TClass kClass{"TlxMRUItems", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxMRUItems() = default;
  ~TlxMRUItems() override;

  // Puts the item in front. When an equal item is listed, that one moves to
  // the front and `item` is freed; otherwise `item` goes in front and the
  // oldest entries beyond MaxCount are freed. The list owns the item from
  // the call on. A null item is ignored.
  void Add(std::unique_ptr<TlxMRUItem> item);
  // Index of the first listed item equal to `item`, or -1.
  int32_t IndexOf(const TlxMRUItem& item) const;
  // Raise EListError outside 0..GetCount() - 1.
  void Delete(int32_t index);
  TlxMRUItem* GetItem(int32_t index) const;
  // Frees all entries, the oldest first.
  void Clear();
  int32_t GetCount() const { return static_cast<int32_t>(items_.size()); }

  // 0 means unlimited.
  int32_t MaxCount() const { return max_count_; }
  // A negative count means 0; a new limit frees the oldest entries beyond it.
  void SetMaxCount(int32_t count);

 private:
  void CheckIndex(int32_t index) const;
  void TrimToMaxCount();

  int32_t max_count_ = 0;
  // Index 0 is the most recent entry.
  std::vector<std::unique_ptr<TlxMRUItem>> items_;
};
