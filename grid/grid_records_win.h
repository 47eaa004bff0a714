#pragma once
// TlxCustomGridRecord and TlxCustomGridTableViewData: one lightweight record
// object per row of a table view, made when something asks for the row and
// dropped on every data change; values and texts are always read through
// the data controller. The print run reads rows this way. Included only
// from Windows sources.

#include <cstdint>
#include <memory>
#include <string>

#include "data/data_controller_types.h"
#include "grid/grid_record_slots.h"
#include "grid/grid_site_win.h"
#include "platform/rtl/variant.h"

class TlxCustomDataField;
class TlxCustomGridRecordViewInfo;
class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxCustomGridTableViewData;
class TlxFilterCriteriaItemList;
class TlxGridFilterValueList;

// Kinds of record asked for by GetRecordByKind.
enum TlxGridRecordKind : int32_t { grkData = 0, grkNewItem = 1 };
// What a date value is converted for: 0 sorting, 1 grouping, 2 filtering.
enum TlxGridDateConversionKind : int32_t { gdcSorting = 0, gdcGrouping = 1, gdcFiltering = 2 };

class TlxCustomGridRecord : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridRecord", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCustomGridRecord(TlxCustomGridTableViewData* view_data, const TlxRowInfo& row_info, int32_t index);
  ~TlxCustomGridRecord() override;

  TlxCustomGridTableViewData* ViewData() const { return view_data_; }
  TlxCustomGridTableView* GridView() const;
  TlxCustomDataController* DataController() const;
  int32_t Index() const { return index_; }
  const TlxRowInfo& RowInfo() const { return row_info_; }
  int32_t RecordIndex() const { return row_info_.RecordIndex; }
  int32_t Level() const { return row_info_.Level; }
  TlxCustomGridRecordViewInfo* ViewInfo() const { return view_info_; }
  void SetViewInfo(TlxCustomGridRecordViewInfo* view_info) { view_info_ = view_info; }
  bool HasViewInfo() const { return view_info_ != nullptr; }

  bool IsFocused() const;
  void SetFocused(bool value);
  bool IsHighlighted() const;
  bool IsEditing() const;
  bool IsNewItemRecord() const;
  bool HasValidRecordIndex() const;
  bool Expanded() { return GetExpanded(); }
  void SetExpanded(bool value);
  void Expand(bool recurse);
  void Collapse(bool recurse);
  void MakeVisible();
  bool IsLastInLevel(int32_t offset) const;
  int32_t LastInLevelCount() const;
  bool Selected() { return GetSelected(); }
  bool Visible() { return GetVisible(); }

  // --- overridable, in slot order --------------------------------------
  virtual void RefreshRecordInfo();
  virtual void DoCollapse(bool /*recurse*/) {}
  virtual void DoExpand(bool /*recurse*/) {}
  virtual bool GetExpandable() const { return false; }
  virtual bool GetExpanded() const { return false; }
  virtual void ToggleExpanded();
  virtual bool GetHasCells() const { return false; }
  virtual bool IsData() const { return true; }
  virtual bool IsFirst() const { return index_ == 0; }
  virtual bool IsLast() const;
  virtual bool IsParent() const { return false; }
  virtual TlxCustomGridRecord* GetParentRecord();
  virtual bool GetSelected();
  virtual bool GetVisible();
  virtual void SetSelected(bool value);
  virtual std::string GetDisplayText(int32_t item_index);
  virtual int32_t GetValueCount() const;
  virtual Variant GetValue(int32_t item_index);
  virtual void SetDisplayText(int32_t item_index, const std::string& text);
  virtual void SetValue(int32_t item_index, const Variant& value);
  virtual void KeyDown(uint16_t& key, TShiftState shift);
  virtual const TClass* GetViewInfoCacheItemClass() const = 0;
  virtual const TClass* GetViewInfoClass() const = 0;
  virtual bool CanFocus();
  virtual bool CanFocusCells() const;
  virtual TlxCustomGridRecord* GetFirstFocusableChild() { return nullptr; }
  virtual TlxCustomGridRecord* GetLastFocusableChild(bool /*recursive*/) { return nullptr; }
  virtual bool Invalidate(TlxCustomGridTableItem* item = nullptr);

 protected:
  void SetRowInfo(const TlxRowInfo& row_info) { row_info_ = row_info; }

 private:
  TlxCustomGridTableViewData* view_data_;
  int32_t index_;
  TlxRowInfo row_info_;
  TlxCustomGridRecordViewInfo* view_info_ = nullptr;
};

class TlxCustomGridTableViewData : public TlxCustomGridViewData {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableViewData", &TlxCustomGridViewData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridTableViewData(TlxCustomGridView* grid_view);
  ~TlxCustomGridTableViewData() override;

  TlxCustomGridTableView* GridView() const;

  // Raises EListError outside 0..RecordCount() - 1.
  TlxCustomGridRecord* Records(int32_t index) { return &records_.Get(index); }
  TlxCustomGridRecord* GetRecordByIndex(int32_t index) { return records_.Find(index); }
  TlxCustomGridRecord* ExistingRecord(int32_t index) const { return records_.Existing(index); }
  int32_t RecordCount() const { return records_.Count(); }
  bool IsRecordIndexValid(int32_t index) const { return records_.IsIndexValid(index); }
  TlxCustomGridRecord* GetRecordByRecordIndex(int32_t record_index);
  TlxCustomGridRecord* NewItemRecord() const { return new_item_record_.get(); }
  TlxCustomGridRecord* EditingRecord() const { return editing_record_; }
  void AssignEditingRecord();
  std::unique_ptr<TlxGridFilterValueList> CreateFilterValueList();
  void AddItemFilterCondition(TlxFilterCriteriaItemList* list, TlxCustomGridTableItem* item, bool replace_existing,
                              const std::string& display_text, const Variant& value, uint8_t operator_kind);
  void CheckNewItemRecord();
  void RefreshRecordInfos();

  // --- overridable, in slot order --------------------------------------
  virtual const TClass* GetFilterValueListClass() const;
  virtual TlxCustomGridRecord* GetRecordByKind(int32_t kind, int32_t index);
  virtual const TClass* GetRecordClass(const TlxRowInfo& row_info) const = 0;
  virtual int32_t GetRecordKind(const TlxCustomGridRecord* record) const;
  virtual const TClass* GetNewItemRecordClass() const { return nullptr; }
  virtual void Collapse(bool recurse);
  virtual void Expand(bool recurse);
  virtual void Refresh(int32_t row_count);
  virtual bool HasNewItemRecord() const { return false; }
  virtual bool GetDisplayTextByProperties(int32_t record_index, int32_t item_index, int32_t kind, bool convert,
                                          std::string& text);
  virtual int32_t CompareConvertedValues(TlxCustomDataField& field, const Variant& value1, int32_t kind,
                                         const Variant& value2);
  virtual void GetGroupingDisplayText(int32_t record_index, int32_t item_index, std::string& text, int32_t kind);
  virtual void ConvertDateValue(TlxCustomGridTableItem* item, const Variant& value, Variant& result, int32_t kind);
  virtual bool NeedsDateConversion(TlxCustomGridTableItem* item, int32_t kind) const;
  virtual bool ComparesByDateRanges(TlxCustomDataField& field, int32_t kind) const;

 protected:
  // Makes the record of a class GetRecordClass or GetNewItemRecordClass
  // named; descendants with their own record classes override it.
  virtual std::unique_ptr<TlxCustomGridRecord> CreateRecordOfClass(const TClass* record_class,
                                                                   const TlxRowInfo& row_info, int32_t index);

 private:
  std::unique_ptr<TlxCustomGridRecord> CreateRecord(int32_t index);

  TlxGridRecordSlots<TlxCustomGridRecord> records_;
  std::unique_ptr<TlxCustomGridRecord> new_item_record_;
  TlxCustomGridRecord* editing_record_ = nullptr;
};
