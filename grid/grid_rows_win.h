#pragma once
// The row classes of the table view (data, new-item, filter, master and
// group rows) and its view data, which makes them on demand, picks the row
// class from the record's level and the view's master status, and owns the
// filter row while it is switched on. The print run reads the rows in the
// shown order through TlxGridViewData. Included only from Windows sources.

#include <cstdint>
#include <memory>
#include <string>

#include "data/filter_criteria.h"
#include "grid/grid_records_win.h"
#include "grid/table_view_info_win.h"
#include "platform/rtl/exceptions.h"

class TlxCustomGridView;
class TlxDataFilterCriteriaItem;
class TlxDataGroupSummaryItems;
class TlxGridColumn;
class TlxGridLevel;
class TlxGridMasterDataRow;
class TlxGridTableView;
class TlxGridViewData;

// Treating a row as a master row that is not one.
class EInvalidCast : public Exception {
 public:
  EInvalidCast() : Exception("Invalid class typecast") {}
  const char* ClassName() const override { return "EInvalidCast"; }
};

// The record-by-kind kind of the filter row.
inline constexpr int32_t grkFilterRow = 2;

class TlxCustomGridRow : public TlxCustomGridRecord {
 public:
  static constexpr TClass kClass{"TlxCustomGridRow", &TlxCustomGridRecord::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecord::TlxCustomGridRecord;

  TlxGridTableView* GridView() const;
  TlxGridLevel* GridLevel() const;
  TlxGridViewData* ViewData() const;
  bool IsFilterRow() const;
  bool IsNewItemRow() const;
  // Null stays null; a row of another class raises EInvalidCast.
  TlxGridMasterDataRow* AsMasterDataRow();

  // --- overridable, in slot order --------------------------------------
  virtual bool ExpandsOnDblClick() const { return GetExpandable(); }
  virtual bool SupportsCellMultiSelect() const { return false; }

  void KeyDown(uint16_t& key, TShiftState shift) override;
};

class TlxGridDataRow : public TlxCustomGridRow {
 public:
  static constexpr TClass kClass{"TlxGridDataRow", &TlxCustomGridRow::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRow::TlxCustomGridRow;

  bool GetHasCells() const override { return true; }
  bool SupportsCellMultiSelect() const override { return true; }
  const TClass* GetViewInfoCacheItemClass() const override;
  const TClass* GetViewInfoClass() const override;
};

class TlxGridNewItemRow : public TlxGridDataRow {
 public:
  static constexpr TClass kClass{"TlxGridNewItemRow", &TlxGridDataRow::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRow::TlxGridDataRow;

  bool SupportsCellMultiSelect() const override { return false; }
};

class TlxGridFilterRow : public TlxGridNewItemRow {
 public:
  static constexpr TClass kClass{"TlxGridFilterRow", &TlxGridNewItemRow::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridFilterRow(TlxCustomGridTableViewData* view_data, const TlxRowInfo& row_info, int32_t index);
  ~TlxGridFilterRow() override;

  // Level 0, not expanded, no record.
  void RefreshRecordInfo() override;
  bool CanFocusCells() const override { return true; }
  bool GetSelected() override { return selected_; }
  void SetSelected(bool value) override;
  std::string GetDisplayText(int32_t item_index) override;
  Variant GetValue(int32_t item_index) override;
  void SetDisplayText(int32_t item_index, const std::string& text) override;
  // A blank value removes the column's filter; any other filters the
  // column with Equal, or Like for a text holding a wildcard.
  void SetValue(int32_t item_index, const Variant& value) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;

  // The condition shown in column `item_index`'s cell, or null when the
  // column has none or one the row cannot show.
  TlxDataFilterCriteriaItem* FilterCriteriaItem(int32_t item_index) const;

  // --- overridable, in slot order --------------------------------------
  virtual std::string GetFilterDisplayText(int32_t item_index, const Variant& value);
  virtual TlxFilterOperatorKind GetFilterOperatorKind(const Variant& value, bool check_wildcards) const;
  virtual bool IsFilterOperatorSupported(TlxFilterOperatorKind kind, const Variant& value) const;

 private:
  bool selected_ = false;
};

class TlxGridMasterDataRow : public TlxGridDataRow {
 public:
  static constexpr TClass kClass{"TlxGridMasterDataRow", &TlxGridDataRow::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRow::TlxGridDataRow;

  // The data controller's active detail for the record, corrected to a
  // visible level with data; -1 when none.
  int32_t ActiveDetailIndex();
  void SetActiveDetailIndex(int32_t value);
  TlxCustomGridView* ActiveDetailGridView();
  bool HasActiveDetailGridView();
  TlxGridLevel* ActiveDetailLevel();

  // --- overridable, in slot order --------------------------------------
  virtual bool HasChildren() const;

  bool ExpandsOnDblClick() const override;
  bool GetExpandable() const override;
  bool GetExpanded() const override;
  bool IsParent() const override { return HasChildren(); }
  void DoCollapse(bool recurse) override;
  void DoExpand(bool recurse) override;
  void ToggleExpanded() override;
  TlxCustomGridRecord* GetFirstFocusableChild() override;
  TlxCustomGridRecord* GetLastFocusableChild(bool recursive) override;
  const TClass* GetViewInfoCacheItemClass() const override;
  const TClass* GetViewInfoClass() const override;
};

class TlxGridGroupRow : public TlxCustomGridRow {
 public:
  static constexpr TClass kClass{"TlxGridGroupRow", &TlxCustomGridRow::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRow::TlxCustomGridRow;

  // The view's grouped column at the row's level.
  TlxGridColumn* GroupedColumn() const;
  // The data controller's group summary items at the row's level.
  TlxDataGroupSummaryItems* GroupSummaryItems() const;

  // --- overridable, in slot order --------------------------------------
  virtual void GetGroupCaption(std::string& text);
  virtual void GetGroupDisplayText(std::string& text);
  virtual void GetGroupValue(Variant& value);

  bool IsData() const override { return false; }
  bool GetExpandable() const override;
  bool GetExpanded() const override { return RowInfo().Expanded; }
  bool IsParent() const override;
  void DoCollapse(bool recurse) override;
  void DoExpand(bool recurse) override;
  std::string GetDisplayText(int32_t item_index) override;
  void SetDisplayText(int32_t /*item_index*/, const std::string& /*text*/) override {}
  void SetValue(int32_t /*item_index*/, const Variant& /*value*/) override {}
  const TClass* GetViewInfoCacheItemClass() const override;
  const TClass* GetViewInfoClass() const override;
};

class TlxGridViewData : public TlxCustomGridTableViewData {
 public:
  static constexpr TClass kClass{"TlxGridViewData", &TlxCustomGridTableViewData::kClass,
                                 &ConstructInstance<TlxGridViewData>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TlxCustomGridView;

  explicit TlxGridViewData(TlxCustomGridView* grid_view);
  ~TlxGridViewData() override;

  TlxGridTableView* GridView() const;
  TlxGridFilterRow* FilterRow() const { return filter_row_.get(); }
  // Creates the filter row while HasFilterRow, frees it otherwise.
  void RecreateFilterRow();
  // The detail view that now shows `level`, or null.
  TlxCustomGridView* MakeDetailVisible(TlxGridLevel* level);

  // --- overridable, in slot order --------------------------------------
  virtual TlxGridMasterDataRow* MakeMasterRowForDetail();
  virtual const TClass* GetFilterRowClass() const { return &TlxGridFilterRow::kClass; }
  virtual bool HasFilterRow() const;

  const TClass* GetNewItemRecordClass() const override { return &TlxGridNewItemRow::kClass; }
  bool HasNewItemRecord() const override;
  const TClass* GetRecordClass(const TlxRowInfo& row_info) const override;
  int32_t GetRecordKind(const TlxCustomGridRecord* record) const override;
  TlxCustomGridRecord* GetRecordByKind(int32_t kind, int32_t index) override;
  void Collapse(bool recurse) override;
  void Expand(bool recurse) override;

 protected:
  std::unique_ptr<TlxCustomGridRecord> CreateRecordOfClass(const TClass* record_class, const TlxRowInfo& row_info,
                                                           int32_t index) override;

 private:
  std::unique_ptr<TlxGridFilterRow> filter_row_;
};

class TlxGridTableViewInfoCacheItem : public TlxCustomGridTableViewInfoCacheItem {
 public:
  static constexpr TClass kClass{"TlxGridTableViewInfoCacheItem", &TlxCustomGridTableViewInfoCacheItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewInfoCacheItem::TlxCustomGridTableViewInfoCacheItem;
};
