#pragma once
// Incremental search: typing in a column moves the focus to the next row
// whose text in that column begins with what was typed. The search state
// (searching flag, text, field) lives in the controller, which reports its
// changes to its views; this object runs the scans over the filtered rows.

#include <cstdint>
#include <string>

#include "platform/rtl/object.h"

class TlxCustomDataController;

class TlxDataControllerSearch : public TObject {
 public:
  using TOwnerType = TlxCustomDataController;
  static constexpr TClass kClass{"TlxDataControllerSearch", &TObject::kClass,
                                 &ConstructInstance<TlxDataControllerSearch>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataControllerSearch(TlxCustomDataController* controller) : controller_(*controller) {}

  // The virtual operations, in the order of their slots.
  virtual void FocusFoundPosition(int32_t position);
  // The first filtered position from `from` to `to` (inclusive, -1 for the
  // far end) whose record matches; -1 when none.
  virtual int32_t ScanForText(int32_t from, int32_t to, const std::string& text, bool forward);
  virtual bool StartSearch(int32_t item_index, const std::string& text);
  virtual bool SearchNext(bool forward);
  virtual void Lock() { locked_ = true; }
  virtual void Unlock() { locked_ = false; }

  void Cancel();
  bool Locked() const { return locked_; }
  int32_t SearchItemIndex() const;
  bool IsSearching() const;
  std::string SearchText() const;
  void SetSearchItem(int32_t item_index);
  TlxCustomDataController& DataController() const { return controller_; }

 private:
  bool Matches(int32_t position, const std::string& text) const;

  TlxCustomDataController& controller_;
  bool locked_ = false;
};
