#pragma once
// TlxCustomGridTableView: the common ancestor of views whose records are
// made of items (the table view and the dataset-bound table view). It owns
// the item list and its derived lists (visible, filterable), hooks the items
// to the data controller's fields, turns the data controller's notices into
// view updates, owns the table-level option objects, fires the table view's
// events, serves the navigator and the filter builder, and copies rows to
// the clipboard. Included only from Windows sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editors/kinds/filter_builder.h"
#include "editors/kinds/filter_rows.h"
#include "grid/grid_navigator_interfaces.h"
#include "grid/grid_view_win.h"
#include "grid/grid_item_order.h"
#include "platform/rtl/variant.h"

class TlxCanvas;
class TlxCustomEdit;
class TlxCustomGridCellViewInfo;
class TlxGridDateRanges;
class TlxCustomGridRecord;
class TlxCustomGridTableController;
class TlxCustomGridTableDateTimeHandling;
class TlxCustomGridTableFiltering;
class TlxCustomGridTableItem;
class TlxCustomGridTableOptionsBehavior;
class TlxCustomGridTableOptionsCustomize;
class TlxCustomGridTableOptionsData;
class TlxCustomGridTableOptionsSelection;
class TlxCustomGridTableOptionsView;
class TlxCustomGridTableViewData;
class TlxCustomGridTableViewInfo;
class TlxCustomGridTableViewStyles;
class TlxCustomGridView;
class TlxGridFilterBox;
class TlxGridTableDataCellViewInfo;
class TlxCustomGridPartViewInfo;
class TlxNavigatorControlButtons;
class TlxSelectionChangedInfo;
class TlxCustomGridTableView;
class IlxGridTableFilteringView;

using TlxGridAllowRecordOperationEvent =
    std::function<void(TlxCustomGridTableView* sender, TlxCustomGridRecord* record, bool& allow)>;
using TlxGridCellClickEvent =
    std::function<void(TlxCustomGridTableView* sender, TlxCustomGridCellViewInfo* cell_view_info,
                       TMouseButton button, TShiftState shift, bool& handled)>;
using TlxGridPartCustomDrawBackgroundEvent = std::function<void(
    TlxCustomGridTableView* sender, TlxCanvas* canvas, TlxCustomGridCellViewInfo* view_info, bool& done)>;
using TlxGridEditingEvent =
    std::function<void(TlxCustomGridTableView* sender, TlxCustomGridTableItem* item, bool& allow)>;
using TlxGridCustomTableItemEvent = std::function<void(TlxCustomGridTableView* sender, TlxCustomGridTableItem* item)>;
using TlxGridEditKeyEvent = std::function<void(TlxCustomGridTableView* sender, TlxCustomGridTableItem* item,
                                               TlxCustomEdit* edit, uint16_t& key, TShiftState shift)>;
using TlxGridEditKeyPressEvent = std::function<void(TlxCustomGridTableView* sender, TlxCustomGridTableItem* item,
                                                    TlxCustomEdit* edit, char16_t& key)>;
using TlxGridFilterCustomizationEvent = std::function<void(TlxCustomGridTableView* sender, bool& done)>;
using TlxGridFilterDialogShowEvent =
    std::function<void(TlxCustomGridTableView* sender, TlxCustomGridTableItem* item, bool& done)>;
using TlxGridFocusedItemChangedEvent = std::function<void(
    TlxCustomGridTableView* sender, TlxCustomGridTableItem* prev_focused_item, TlxCustomGridTableItem* focused_item)>;
using TlxGridFocusedRecordChangedEvent =
    std::function<void(TlxCustomGridTableView* sender, TlxCustomGridRecord* prev_focused_record,
                       TlxCustomGridRecord* focused_record, bool new_item_record_focusing_changed)>;
using TlxGridGetCellHeightEvent =
    std::function<void(TlxCustomGridTableView* sender, TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                       TlxGridTableDataCellViewInfo* cell_view_info, int32_t& height)>;
using TlxGridGetDragDropTextEvent = std::function<void(TlxCustomGridTableView* sender, TlxCustomGridRecord* record,
                                                       TlxCustomGridTableItem* item, std::string& text)>;
using TlxGridInitEditEvent =
    std::function<void(TlxCustomGridTableView* sender, TlxCustomGridTableItem* item, TlxCustomEdit* edit)>;
using TlxGridInitEditValueEvent = std::function<void(TlxCustomGridTableView* sender, TlxCustomGridTableItem* item,
                                                     TlxCustomEdit* edit, Variant& value)>;
using TlxGridCustomTableViewEvent = std::function<void(TlxCustomGridTableView* sender)>;
using TlxGridTableInitDateRangesEvent =
    std::function<void(TlxCustomGridTableItem* sender, TlxGridDateRanges* date_ranges)>;

// Navigator button indexes of the table view's actions.
enum TlxNavigatorButtonIndex : int32_t {
  nbiFirst = 0, nbiPriorPage = 1, nbiPrior = 2, nbiNext = 3, nbiNextPage = 4, nbiLast = 5,
  nbiInsert = 6, nbiAppend = 7, nbiDelete = 8, nbiEdit = 9, nbiPost = 10, nbiCancel = 11,
  nbiRefresh = 12, nbiSaveBookmark = 13, nbiGotoBookmark = 14, nbiFilter = 15,
};

class TlxCustomGridTableView : public TlxCustomGridView, public IlxNavigator, public IlxFilterControl {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableView", &TlxCustomGridView::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridTableView(TComponent* owner);
  TlxCustomGridTableView(TlxCustomGrid* control, bool cloned);
  ~TlxCustomGridTableView() override;

  // --- parts under their table types -----------------------------------
  TlxCustomGridTableController* Controller() const;
  TlxCustomGridTableViewData* ViewData() const;
  TlxCustomGridTableViewInfo* ViewInfo() const;
  TlxCustomGridTableOptionsBehavior* OptionsBehavior() const;
  TlxCustomGridTableOptionsData* OptionsData() const;
  TlxCustomGridTableOptionsSelection* OptionsSelection() const;
  TlxCustomGridTableOptionsView* OptionsView() const;
  TlxCustomGridTableViewStyles* Styles() const;
  TlxCustomGridTableDateTimeHandling* DateTimeHandling() const { return date_time_handling_.get(); }
  TlxGridFilterBox* FilterBox() const { return filter_box_.get(); }
  TlxCustomGridTableFiltering* Filtering() const { return filtering_.get(); }
  TlxCustomGridTableOptionsCustomize* OptionsCustomize() const { return options_customize_.get(); }
  TlxNavigatorControlButtons* NavigatorButtons() const { return navigator_buttons_.get(); }
  TlxNavigatorControlNotifier* NavigatorNotifier() const { return navigator_notifier_.get(); }

  // --- items -----------------------------------------------------------
  int32_t ItemCount() const { return static_cast<int32_t>(items_.size()); }
  TlxCustomGridTableItem* Items(int32_t index) const { return items_.at(static_cast<size_t>(index)); }
  int32_t VisibleItemCount() const { return static_cast<int32_t>(visible_items_.size()); }
  TlxCustomGridTableItem* VisibleItems(int32_t index) const { return visible_items_.at(static_cast<size_t>(index)); }
  int32_t FilterableItemCount() const { return static_cast<int32_t>(filterable_items_.size()); }
  TlxCustomGridTableItem* GetFilterableItem(int32_t index) const {
    return filterable_items_.at(static_cast<size_t>(index));
  }
  TlxCustomGridTableItem* CreateItem();
  TlxCustomGridTableItem* FindItemByID(int32_t id) const;
  TlxCustomGridTableItem* FindItemByName(const std::string& name) const;
  TlxCustomGridTableItem* FindItemByStoredName(const std::string& name) const;
  int32_t GetNextID();
  int32_t NextID() const { return ids_.Next(); }
  void ReleaseID(int32_t id);
  void ClearItems();
  void RefreshFilterableItems();
  void BeginAssignItems();
  void EndAssignItems();
  bool IsAssigningItems() const { return assigning_items_; }
  bool IsAfterAssigningItems() const { return after_assigning_items_; }
  // Parks an item's group or sort index while items are assigned.
  void ParkGroupIndex(TlxCustomGridTableItem* item, int32_t index);
  void ParkSortIndex(TlxCustomGridTableItem* item, int32_t index);
  // Parks an item's restored index while the view is restoring.
  void ParkRestoringIndex(TlxCustomGridTableItem* item, int32_t index);
  void AssignItems(const TlxCustomGridTableView* source);
  void DoNavigatorButtonAction(int32_t button_index);
  // The navigator in the view's own site shows what the data now allows.
  void RefreshOwnNavigator();
  TlxCustomGridRecord* GetMasterRecord() const;
  void MakeMasterRecordVisible();
  void CopyToClipboard(bool copy_all);
  // The item whose cell has the focus; changing it fires
  // OnFocusedItemChanged.
  TlxCustomGridTableItem* FocusedItem() const { return focused_item_; }
  void SetFocusedItem(TlxCustomGridTableItem* item);
  void FocusFirstFocusableItem();
  // The next focusable visible item after `item` (wrapping to the ones
  // before it) takes the focus, or none.
  void FocusNextItemAfter(TlxCustomGridTableItem* item);
  // The view as the filtering objects see it.
  IlxGridTableFilteringView* FilteringLink() const { return filtering_link_.get(); }
  // The clipboard text CopyToClipboard puts on the clipboard.
  std::string GetClipboardText(bool copy_all);

  // --- events ----------------------------------------------------------
  TlxGridAllowRecordOperationEvent OnCanFocusRecord;
  TlxGridAllowRecordOperationEvent OnCanSelectRecord;
  TlxGridCellClickEvent OnCellClick;
  TlxGridCellClickEvent OnCellDblClick;
  std::function<void(TlxCustomGridTableView*, TlxCanvas*, TlxGridTableDataCellViewInfo*, bool&)> OnCustomDrawCell;
  TlxGridPartCustomDrawBackgroundEvent OnCustomDrawPartBackground;
  TlxGridEditingEvent OnEditing;
  TlxGridCustomTableItemEvent OnEditChanged;
  TlxGridCustomTableItemEvent OnEditValueChanged;
  TlxGridEditKeyEvent OnEditKeyDown;
  TlxGridEditKeyEvent OnEditKeyUp;
  TlxGridEditKeyPressEvent OnEditKeyPress;
  TNotifyEvent OnFilterControlDialogShow;
  TlxGridFilterCustomizationEvent OnFilterCustomization;
  TlxGridFilterDialogShowEvent OnFilterDialogShow;
  TlxGridFocusedItemChangedEvent OnFocusedItemChanged;
  TlxGridFocusedRecordChangedEvent OnFocusedRecordChanged;
  TlxGridGetCellHeightEvent OnGetCellHeight;
  TlxGridGetDragDropTextEvent OnGetDragDropText;
  TlxGridInitEditEvent OnInitEdit;
  TlxGridInitEditValueEvent OnInitEditValue;
  TlxGridTableInitDateRangesEvent OnInitFilteringDateRanges;
  TlxGridTableInitDateRangesEvent OnInitGroupingDateRanges;
  TlxGridCustomTableViewEvent OnSelectionChanged;
  TNotifyEvent OnTopRecordIndexChanged;

  // --- overridable, in slot order --------------------------------------
  virtual void CreatePendingItemLists();
  virtual void ApplyPendingItemLists();
  virtual bool IsScrollableBy(int32_t row_delta);
  virtual bool CanSelectRecord(int32_t record_index);
  virtual bool StartItemEditing(int32_t item_index);
  virtual int32_t GetLevelIndex() const;
  virtual void GetItemsForClipboard(std::vector<TlxCustomGridTableItem*>& list, bool copy_all);
  virtual void GetVisibleItemsForClipboard(std::vector<TlxCustomGridTableItem*>& list);
  virtual bool HasEqualHeightRecords();
  virtual bool RecordHeightDependsOnData();
  virtual bool RecordHeightDependsOnFocus();
  virtual void ScrollData(int32_t row_delta, int32_t dx, int32_t dy);
  virtual void PostEditValue();
  virtual void AddItem(TlxCustomGridTableItem* item);
  virtual void RemoveItem(TlxCustomGridTableItem* item);
  virtual void ChangeItemIndex(TlxCustomGridTableItem* item, int32_t new_index);
  virtual void RefreshItemIndexes(TlxCustomGridTableItem* item, int32_t old_index);
  virtual void ItemVisibilityChanged(TlxCustomGridTableItem* item, bool visible);
  virtual void RefreshVisibleItemsList();
  virtual const TClass* GetItemClass() const = 0;
  virtual const TClass* GetItemDataBindingClass() const;
  virtual void DataChanged();
  virtual void DataLayoutChanged();
  virtual bool DoCellClick(TlxCustomGridCellViewInfo* cell, TMouseButton button, TShiftState shift);
  virtual bool DoCellDblClick(TlxCustomGridCellViewInfo* cell, TMouseButton button, TShiftState shift);
  virtual bool DoEditing(TlxCustomGridTableItem* item);
  virtual void DoTopRecordIndexChanged();
  virtual void FilterChanged();
  virtual void DoFocusedItemChanged(TlxCustomGridTableItem* prev_focused_item, TlxCustomGridTableItem* focused_item);
  virtual void FocusedRecordChanged(int32_t prev_focused_row, int32_t focused_row,
                                    bool new_item_record_focusing_changed);
  virtual void GroupingChanging();
  virtual void ItemCaptionChanged(TlxCustomGridTableItem* item);
  virtual void ItemValueTypeClassChanged(int32_t item_index);
  virtual void RecordChanged(int32_t record_index);
  virtual void RecordCountChanged();
  virtual void SearchChanged();
  virtual void SelectionChanged(TlxSelectionChangedInfo* info);
  virtual bool DrawCellSelected(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                TlxCustomGridCellViewInfo* cell);
  virtual bool DrawRecordSelected(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                  TlxCustomGridCellViewInfo* cell);
  virtual bool DrawRecordActive(TlxCustomGridRecord* record);
  virtual bool DrawRecordFocused(TlxCustomGridRecord* record);
  virtual bool DrawRecordSelectedLook(TlxCustomGridRecord* record);
  virtual bool DrawSelection();
  virtual bool CanFocusRecord(int32_t record_index);
  virtual bool DoCustomDrawCell(TlxCanvas* canvas, TlxGridTableDataCellViewInfo* view_info);
  virtual bool DoCustomDrawPartBackground(TlxCanvas* canvas, TlxCustomGridCellViewInfo* view_info);
  virtual void DoEditChanged(TlxCustomGridTableItem* item);
  virtual void DoEditKeyDown(TlxCustomGridTableItem* item, TlxCustomEdit* edit, uint16_t& key, TShiftState shift);
  virtual void DoEditKeyPress(TlxCustomGridTableItem* item, TlxCustomEdit* edit, char16_t& key);
  virtual void DoEditKeyUp(TlxCustomGridTableItem* item, TlxCustomEdit* edit, uint16_t& key, TShiftState shift);
  virtual void DoEditValueChanged(TlxCustomGridTableItem* item);
  virtual void DoGetCellHeight(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                               TlxGridTableDataCellViewInfo* cell_view_info, int32_t& height);
  virtual void DoInitEdit(TlxCustomGridTableItem* item, TlxCustomEdit* edit);
  virtual void DoInitEditValue(TlxCustomGridTableItem* item, TlxCustomEdit* edit, Variant& value);
  virtual bool DoFilterCustomization();
  virtual bool DoFilterDialogShow(TlxCustomGridTableItem* item);
  virtual void DoFocusedRecordChanged(int32_t prev_focused_row, int32_t focused_row,
                                      bool new_item_record_focusing_changed);
  virtual void DoGetDragDropText(TlxCustomGridRecord* record, TlxCustomGridTableItem* item, std::string& text);
  virtual void DoInitFilteringDateRanges(TlxCustomGridTableItem* item);
  virtual void DoInitGroupingDateRanges(TlxCustomGridTableItem* item);
  virtual void DoSelectionChanged();
  virtual const TClass* GetDateTimeHandlingClass() const;
  virtual const TClass* GetFilterBoxClass() const;
  virtual const TClass* GetFilteringClass() const;
  virtual const TClass* GetNavigatorButtonsClass() const;
  virtual const TClass* GetOptionsCustomizeClass() const;
  virtual const TClass* GetSummaryItemClass() const { return nullptr; }
  virtual const TClass* GetSummaryGroupItemLinkClass() const { return nullptr; }
  virtual void ApplyBestFit(TlxCustomGridTableItem* item, bool check_sizing, bool fire_event);
  virtual bool IsTableLike() const { return false; }

  // --- view framework --------------------------------------------------
  const TClass* GetControllerClass() const override;
  const TClass* GetPainterClass() const override;
  const TClass* GetViewDataClass() const override;
  const TClass* GetViewInfoCacheClass() const override;
  const TClass* GetViewInfoClass() const override;
  const TClass* GetBackgroundBitmapsClass() const override;
  const TClass* GetOptionsBehaviorClass() const override;
  const TClass* GetOptionsDataClass() const override;
  const TClass* GetOptionsSelectionClass() const override;
  const TClass* GetOptionsViewClass() const override;
  const TClass* GetStylesClass() const override;
  void CreateOptions() override;
  void DestroyOptions() override;
  void CreateHandlers() override;
  void DestroyHandlers() override;
  bool GetStoredProperties(TStrings* properties) override;
  void GetStoredPropertyValue(const std::string& name, Variant& value) override;
  void SetStoredPropertyValue(const std::string& name, const Variant& value) override;
  TObject* CreateStoredObject(const std::string& object_name, const std::string& class_name) override;
  void GetStoredChildren(std::vector<TObject*>& children) override;
  void AssignLayout(TlxCustomGridView* view) override;
  void PrepareLayoutCopy(TlxCustomGridView* view) override;
  bool HasLayoutCustomization() const override { return true; }
  void BeginRestoring() override;
  void EndRestoring() override;
  void RestoreDefaults() override;
  bool CanFocus() const override;
  bool IsGridFocused() const override;
  void CheckState() override;
  bool IsDetailVisible(TlxCustomGridView* detail_view) const override;
  void RequestSizeChange() override;
  void DetailVisibilityChanged(TlxGridLevel* child_level, int32_t old_visible_count,
                               int32_t new_visible_count) override;
  void UpdateControl(TlxUpdateControlInfo& info) override;
  void Assign(const TPersistent* source) override;
  void GetChildren(const TGetChildProc& proc, TComponent* root) override;
  void SetName(const std::string& new_name) override;

  // --- IlxNavigator ----------------------------------------------------
  bool CanAppendRecord() override;
  bool CanDeleteRecord() override;
  bool CanEditRecord() override;
  bool CanInsertRecord() override;
  bool IsDataActive() override;
  bool IsAtBeginning() override;
  bool HasBookmark() override;
  bool IsEditingRecord() override;
  bool IsAtEnd() override;
  void ForgetBookmark() override;
  void PerformButtonAction(int32_t button_index) override { DoNavigatorButtonAction(button_index); }
  TlxNavigatorControlNotifier* GetButtonsNotifier() override { return navigator_notifier_.get(); }
  bool SupportsButtonAction(int32_t /*button_index*/) override { return true; }

  // --- IlxFilterControl ------------------------------------------------
  void GetCaption(int32_t index, std::string& caption) override;
  int32_t GetCount() override { return FilterableItemCount(); }
  TlxFilterCriteria* GetCriteria() override;
  TObject* GetItemLink(int32_t index) override;
  int32_t GetItemLinkID(int32_t index) override;
  void GetItemLinkName(int32_t index, std::string& name) override;
  void GetFieldName(int32_t index, std::string& name) override;
  TlxCustomEditProperties* GetProperties(int32_t index) override;
  TlxValueTypeClass GetValueType(int32_t index) override;

 private:
  void ApplyRestoringIndexes();

  std::unique_ptr<IlxGridTableFilteringView> filtering_link_;
  TlxCustomGridTableItem* focused_item_ = nullptr;
  bool destroying_items_ = false;
  std::vector<TlxCustomGridTableItem*> items_;
  std::vector<TlxCustomGridTableItem*> visible_items_;
  std::vector<TlxCustomGridTableItem*> filterable_items_;
  TlxGridItemIDs ids_;
  bool assigning_items_ = false;
  bool after_assigning_items_ = false;
  std::vector<TlxCustomGridTableItem*> pending_grouped_items_;
  std::vector<TlxCustomGridTableItem*> pending_sorted_items_;
  std::vector<TlxCustomGridTableItem*> restoring_items_;
  std::unique_ptr<TlxCustomGridTableDateTimeHandling> date_time_handling_;
  std::unique_ptr<TlxGridFilterBox> filter_box_;
  std::unique_ptr<TlxCustomGridTableFiltering> filtering_;
  std::unique_ptr<TlxCustomGridTableOptionsCustomize> options_customize_;
  std::unique_ptr<TlxNavigatorControlButtons> navigator_buttons_;
  std::unique_ptr<TlxNavigatorControlNotifier> navigator_notifier_;
};
