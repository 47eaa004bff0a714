#pragma once
// The focused row remembered by record and level, the row selection (a
// sorted list of entries that remember their record or group), and the
// expansion states saved by grouping values across a rebuild.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/rtl/object.h"
#include "platform/rtl/variant.h"

class TlxCustomDataController;
class TlxCustomDataControllerInfo;
class TlxCustomDataField;

class TlxDataFocusingInfo {
 public:
  explicit TlxDataFocusingInfo(TlxCustomDataControllerInfo& info) : info_(info) {}

  void CopyFrom(const TlxDataFocusingInfo& other);
  void Clear();
  // Same record and level; and the same row while a focus move is pending.
  bool IsEqual(const TlxDataFocusingInfo& other) const;
  void ResetToSource();
  void Refresh();

  bool Changed = false;
  int32_t Level = -1;
  int32_t PrevRecordIndex = -1;
  int32_t RecordIndex = -1;
  int32_t RowIndex = -1;

 private:
  TlxCustomDataControllerInfo& info_;
};

struct TlxDataSelectionEntry {
  int32_t Level = 0;        // -1: a group row
  int32_t RecordIndex = 0;  // the group index for a group row
  int32_t RowIndex = 0;
};

class TlxDataSelection : public TObject {
 public:
  using TOwnerType = TlxCustomDataController;
  static constexpr TClass kClass{"TlxDataSelection", &TObject::kClass, &ConstructInstance<TlxDataSelection>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataSelection(TlxCustomDataController* controller) : controller_(*controller) {}

  // The virtual operations, in the order of their slots.
  virtual void ClearAnchor() { anchor_row_index_ = -1; }
  virtual void InsertEntry(int32_t position, int32_t row, int32_t record_or_group, int32_t level);
  virtual void ClearEntries();
  virtual void DeleteEntry(int32_t position);
  virtual void ResizeEntries(int32_t count);

  void Add(int32_t position, int32_t row, int32_t record_or_group, int32_t level);
  // Binary search by row; `position` is the entry's or the insertion point.
  bool FindByRowIndex(int32_t row, int32_t& position) const;
  void Clear();
  void ClearAll();
  void Delete(int32_t position);
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  TlxDataSelectionEntry& EntryAt(int32_t position) { return entries_.at(static_cast<size_t>(position)); }
  const TlxDataSelectionEntry& EntryAt(int32_t position) const { return entries_.at(static_cast<size_t>(position)); }
  bool IsRowSelected(int32_t row) const;
  bool IsRecordSelected(int32_t record) const { return FindRecordEntry(record) >= 0; }
  int32_t FindRecordEntry(int32_t record) const;
  int32_t FindGroupEntry(int32_t group) const;
  void SortByRowIndex();
  // Drops data entries whose record `kept` rejects.
  void DropVanishedRecords(const std::function<bool(int32_t record)>& kept);
  void Changed();

  int32_t AnchorRowIndex() const { return anchor_row_index_; }
  void SetAnchorRowIndex(int32_t row) { anchor_row_index_ = row; }
  TlxCustomDataController& DataController() const { return controller_; }

  std::function<void()> OnChanged;

 private:
  int32_t anchor_row_index_ = -1;
  TlxCustomDataController& controller_;
  std::vector<TlxDataSelectionEntry> entries_;
  std::vector<TlxCustomDataField*> fields_;
};

struct TlxDataExpandingInfo {
  int32_t Level = 0;
  Variant Value;
  uint8_t State = 0;  // 1 expanded, 2 selected
};

class TlxDataExpandingInfos {
 public:
  // Raises "Item already exists" for a field already listed.
  void AddField(TlxCustomDataField* field);
  void AddEntry(int32_t level, const Variant& value, uint8_t state) { entries_.push_back({level, value, state}); }
  void FieldRemoved(const TlxCustomDataField* field);
  void Clear();
  void ClearFields() { fields_.clear(); }
  void ClearEntries() { entries_.clear(); }
  int32_t FieldCount() const { return static_cast<int32_t>(fields_.size()); }
  TlxCustomDataField* FieldAt(int32_t index) const { return fields_.at(static_cast<size_t>(index)); }
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  const TlxDataExpandingInfo& EntryAt(int32_t index) const { return entries_.at(static_cast<size_t>(index)); }
  uint8_t SaveStates() const { return save_states_; }
  void SetSaveStates(uint8_t states) { save_states_ = states; }

 private:
  std::vector<TlxCustomDataField*> fields_;
  std::vector<TlxDataExpandingInfo> entries_;
  uint8_t save_states_ = 0;
};
