#pragma once
// The controller of record-based views: focus of records and cells, multi-selection, the key table, incremental search, deleting with the confirmation, scrolling and pull focusing.
// Focus and selection live in the data controller; the controller turns
// keys and clicks into its operations and keeps the display in step.
// Included only from Windows sources.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include <memory>
#include <vector>

#include "grid/grid_customization_popup_win.h"
#include "grid/grid_popups_win.h"
#include "grid/grid_view_controller_win.h"
#include "platform/rtl/variant.h"
#include "ui/foundation/controls/content_scrolling.h"

class TlxCustomGridRecord;
class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxCustomGridTableViewData;
class TlxGridEditingController;
class TlxGridRecordHitTest;
class TlxTimer;

class TlxGridFilterMRUItemsPopup;

class TlxCustomGridTableController : public TlxCustomGridController {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableController", &TlxCustomGridController::kClass,
                                 &ConstructInstance<TlxCustomGridTableController>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridTableController(TlxCustomGridView* grid_view);
  ~TlxCustomGridTableController() override;

  TlxCustomGridTableView* TableView() const;
  TlxCustomGridTableViewData* TableViewData() const;
  // The list of recently used filters that drops down from the filter
  // box; made on first request and kept with the controller.
  TlxGridFilterMRUItemsPopup* FilterMRUItemsPopup();
  bool HasFilterMRUItemsPopup() const { return filter_mru_items_popup_ != nullptr; }

  // --- read-only services ----------------------------------------------
  int32_t FocusedRecordIndex() const;
  int32_t FocusedItemIndex() const;
  TlxCustomGridTableItem* FocusedItem() const;
  int32_t SelectedRecordCount() const;
  TlxCustomGridRecord* SelectedRecords(int32_t index) const;
  bool IsEditing() const;
  bool IsIncSearching() const;
  std::string IncSearchingText() const;
  bool MultiSelect() const;
  bool IsNewItemRecordFocused() const;
  bool IsBOF() const;
  bool IsEOF() const;
  int32_t TopRecordIndex() const { return top_record_index_; }
  void SetTopRecordIndex(int32_t value);
  bool AllowAppend() const { return allow_append_; }
  void SetAllowAppend(bool value) { allow_append_ = value; }
  bool EnsureFocusedVisible() const { return ensure_focused_visible_; }
  void SetEnsureFocusedVisible(bool value) { ensure_focused_visible_ = value; }
  bool CheckEditPending() const { return check_edit_pending_; }
  void ClearCheckEditPending() { check_edit_pending_ = false; }
  bool AllowCheckEdit() const { return allow_check_edit_; }
  void SetAllowCheckEdit(bool value) { allow_check_edit_ = value; }
  bool ProcessingEditorEnter() const { return processing_editor_enter_; }
  // The editing controller sets it while it passes an Enter on.
  bool& ProcessingEditorEnterFlag() { return processing_editor_enter_; }
  // Made on first use, so that a descendant's class takes part.
  TlxGridEditingController* EditingController();
  bool GridModeSyncPending() const { return grid_mode_sync_pending_; }
  // In grid mode, asks for a check of the data controller's buffer once
  // the view info is calculated (the row height decides how many records
  // the buffer holds).
  void RequestGridModeBufferSync();
  // The layout measured its data rows and client area: a new (or no) row
  // height or a new client height asks for the grid-mode check, since they
  // decide how many records the buffer should hold.
  void RecordsAreaMeasured(int32_t row_height, int32_t client_height);
  bool PostponedSelecting() const { return postponed_selecting_; }
  int32_t PostponedSelectRecordIndex() const { return postponed_select_record_index_; }
  TlxCustomGridTableItem* MovingItem() const { return moving_item_; }
  void SetMovingItem(TlxCustomGridTableItem* item) { moving_item_ = item; }
  bool IsPullFocusing() const { return is_pull_focusing_; }
  TlxDirection DragScrollDirection() const { return drag_scroll_direction_; }
  TlxDirection ScrollDirection() const { return scroll_direction_; }
  TlxCustomGridRecord* DragHighlightedRecord() const { return drag_highlighted_record_; }
  const std::string& DragText() const { return drag_text_; }
  // The timers, so that tests tick them through FireTimer.
  TlxTimer* PullFocusingTimer() const { return pull_focusing_timer_.get(); }
  TlxTimer* DragScrollTimer() const { return drag_scroll_timer_.get(); }
  TlxTimer* ScrollTimer() const { return scroll_timer_.get(); }
  TlxTimer* GridModeSyncTimer() const { return grid_mode_sync_timer_.get(); }

  // --- focus -------------------------------------------------------------
  bool SetFocusedRecordIndex(int32_t index);
  void SetFocusedItem(TlxCustomGridTableItem* item);
  bool FocusNextRecord(int32_t start_row, bool forward, bool go_out_of_details, bool go_into_details, bool cycle);
  bool FocusNextCell(bool forward, bool keep_within_record, bool cycle);
  bool FocusNextItem(int32_t start_visible_index, bool forward, bool go_to_next_record_on_cycle, bool cycle);
  bool FocusFirstCell();
  void GoToFirst(bool sync_selection);
  void GoToLast(bool sync_selection);
  bool GoToNext(bool go_into_details, bool sync_selection);
  bool GoToPrev(bool go_into_details, bool sync_selection);
  void MakeFocusedRecordVisible();
  void MakeFocusedItemVisible();
  // The circular search shared by records and items.
  static int32_t FindNextIndex(int32_t count, int32_t start, bool forward, bool cycle, bool& wrapped,
                               const std::function<bool(int32_t)>& accepted);
  int32_t FindNextRecord(int32_t start_row, bool forward, bool& wrapped, bool cycle);

  // --- scrolling ---------------------------------------------------------
  void ScrollPage(bool forward);
  void ScrollRecords(bool forward, int32_t count);
  int32_t GetScrollBarPosition();
  int32_t GetScrollBarRange();

  // --- editing -----------------------------------------------------------
  void CreateNewRecord(bool append);
  void DeleteSelection();

  // --- incremental search ----------------------------------------------
  void IncSearch(const std::string& text);
  void CancelIncSearch();

  // --- selection ---------------------------------------------------------
  void SelectAll();
  void ClearSelection();
  void InvalidateFocusedRecord();
  void InvalidateSelection();
  void StopPullFocusing();

  // --- overridable, in slot order ----------------------------------------
  virtual void AfterViewInfoCalculation();
  virtual void BeforeViewInfoCalculation();
  virtual bool CanAppend(bool check_options);
  virtual bool CanDelete(bool check_options);
  virtual bool CanEdit();
  virtual bool CanHideHorzScrollBar();
  virtual bool CanInsert(bool check_options);
  virtual void CheckEdit();
  virtual void CheckTopRecordIndex(int32_t& index);
  virtual void FocusedItemChanged(TlxCustomGridTableItem* previous_item);
  virtual void FocusedRecordChanged(int32_t previous_row, int32_t new_row, bool new_item_row_focusing_changed);
  virtual bool IsCancelOnExit();
  virtual TlxCustomGridRecord* GetFocusedRecord() const;
  virtual bool IsRecordsScrollHorizontal() { return false; }
  virtual int32_t GetMaxTopRecordIndex();
  virtual int32_t GetScrollBarOffsetBegin();
  virtual int32_t GetScrollBarOffsetEnd();
  virtual int32_t GetScrollBarPos();
  virtual int32_t GetScrollBarRecordCount();
  virtual void SetScrollBarPos(int32_t position);
  virtual int32_t GetVisibleRecordCount(int32_t first_index, bool downwards);
  virtual void DoScroll(TlxDirection /*direction*/) {}
  virtual void FocusRecord(TlxCustomGridRecord* record);
  virtual bool CanScroll(TlxDirection /*direction*/) { return false; }
  virtual uint32_t GetScrollInterval(TlxDirection /*direction*/) { return 35; }
  virtual bool CanPostponeRecordSelection();
  virtual std::unique_ptr<TlxGridEditingController> CreateEditingController();
  virtual bool CanProcessMultiSelect(bool check_focus);
  virtual bool CanProcessMultiSelectHitTest(TlxCustomGridHitTest* hit_test, TShiftState shift);
  virtual bool CanProcessMultiSelectKey(uint16_t key, TShiftState shift, bool focused_record_changed);
  virtual void DoNormalSelection();
  virtual void DoRangeSelection(bool clear_first);
  virtual void SelectFocusedRecordOnly();
  virtual void CancelPostponedRecordSelection() { postponed_selecting_ = false; }
  virtual bool IsKeyForMultiSelect(uint16_t key, TShiftState shift, bool focused_record_changed);
  virtual void MultiSelectKeyDown(uint16_t& key, TShiftState shift);
  virtual void MultiSelectMouseDown(TlxGridRecordHitTest* hit_test, TShiftState shift);
  virtual void MultiSelectMouseUp(TlxGridRecordHitTest* hit_test, TShiftState shift);
  virtual bool SupportsAdditiveSelection() { return true; }
  virtual bool SupportsRecordSelectionToggling() { return true; }
  virtual void FocusNextPage(bool sync_selection);
  virtual void FocusPrevPage(bool sync_selection);
  virtual bool IsKeyForController(uint16_t key, TShiftState shift);
  virtual void ScrollPageDown();
  virtual void ScrollPageUp();
  virtual void PullFocusingMouseMove(TlxGridRecordHitTest* hit_test);
  virtual void PullFocusingScroll(TlxDirection direction);
  virtual TlxDirection GetPullFocusingScrollingDirection(int32_t x, int32_t y);
  virtual void StartPullFocusing(TlxGridRecordHitTest* hit_test);
  virtual bool SupportsPullFocusing();
  virtual TlxDirection GetDragScrollDirection(int32_t x, int32_t y);
  virtual uint32_t GetDragScrollInterval() { return 20; }
  virtual bool IsFirstVisibleRecord(TlxCustomGridRecord* record);
  virtual bool IsLastVisibleRecord(TlxCustomGridRecord* record);
  virtual TlxCustomGridTableItem* GetIncSearchingItem();
  virtual bool ProcessIncSearchKeyDown(uint16_t& key, TShiftState shift);
  virtual int32_t FindNextItem(int32_t start_visible_index, bool forward, TlxCustomGridRecord* record, bool& wrapped,
                               bool cycle);
  virtual bool IsFocusedRecord(TlxCustomGridRecord* record) const;
  virtual void GetDragDropText(std::string& text);
  virtual void CheckScrolling(const TPoint& /*point*/) {}
  virtual void MakeItemVisible(TlxCustomGridTableItem* /*item*/) {}
  virtual void MakeRecordVisible(TlxCustomGridRecord* record);
  // The focused row's area ends where the rows area ends; descendants with
  // a layout answer with their own rectangle.
  virtual TRect GetRecordsAreaBounds();

  // --- view controller overrides -----------------------------------------
  void KeyDown(uint16_t& key, TShiftState shift) override;
  virtual void DoKeyDown(uint16_t& key, TShiftState shift);
  void KeyPress(char16_t& key) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseOperationCanceled() override;
  void BeforeScrolling() override;
  void AfterScrolling() override;
  void BeginDragAndDrop() override;
  void DoEnter() override;
  void DoExit() override;
  void ViewLostFocus() override;
  void EndEditing() override;
  void ControlFocusChanged() override;
  bool MayFocusOnClickAt(int32_t x, int32_t y) override;
  bool WantsFocus() override;
  void CheckCoordinates() override;
  void BeforeStartDrag() override;
  bool CanStartDragAt(int32_t x, int32_t y) override;
  void StartDrag(TDragObject*& drag_object) override;
  void DragOver(TObject* source, int32_t x, int32_t y, TDragState state, bool& accept) override;
  void DragDrop(TObject* source, int32_t x, int32_t y) override;
  void EndDrag(TObject* target, int32_t x, int32_t y) override;
  void EndDragAndDrop(bool accepted) override;
  TPoint GetDragImagesSize() override;
  bool HasDragImages() override { return true; }
  void DrawDragImage(TlxCanvas& canvas, const TRect& rect) override;
  void InitScrollBarsParameters() override;
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) override;
  TlxWheelScrollKind GetMouseWheelScrollKind() override { return wskVertical; }

 protected:
  // Sets the index without the checks; the view scrolls or lays out anew.
  void InternalSetTopRecordIndex(int32_t value);
  bool FocusedRecordHasCells() const;
  void InvalidateRecord(TlxCustomGridRecord* record);
  // Leaves the grid to the next (or previous) control of the form.
  void LeaveGrid(bool forward);
  TlxGridRecordHitTest* RecordHitTestAt(int32_t x, int32_t y);
  void StartScrollTimer(TlxDirection direction);
  void StopScrollTimer();

 private:
  void DragScrollTimerFired(TObject* sender);
  void PullFocusingTimerFired(TObject* sender);
  void ScrollTimerFired(TObject* sender);
  void GridModeSyncTimerFired(TObject* sender);
  void StopDragScrolling();
  void StartDragScrolling(TlxDirection direction);

  int32_t top_record_index_ = 0;
  bool allow_append_ = true;
  bool allow_check_edit_ = true;
  bool check_edit_pending_ = false;
  bool ensure_focused_visible_ = true;
  bool checking_top_record_index_ = false;
  bool skip_next_key_press_ = false;
  bool postponed_selecting_ = false;
  int32_t postponed_select_record_index_ = -1;
  std::string drag_text_;
  TlxCustomGridRecord* drag_highlighted_record_ = nullptr;
  TlxDirection drag_scroll_direction_ = dirNone;
  std::unique_ptr<TlxTimer> drag_scroll_timer_;
  TlxDirection scroll_direction_ = dirNone;
  std::unique_ptr<TlxTimer> scroll_timer_;
  bool is_pull_focusing_ = false;
  TPoint pull_focusing_origin_{-1, -1};
  Variant pull_focusing_record_id_;
  TlxCustomGridTableItem* pull_focusing_item_ = nullptr;
  TlxDirection pull_focusing_scrolling_direction_ = dirNone;
  std::unique_ptr<TlxTimer> pull_focusing_timer_;
  TlxCustomGridTableItem* moving_item_ = nullptr;
  bool processing_editor_enter_ = false;
  std::unique_ptr<TlxGridEditingController> editing_controller_;
  bool grid_mode_sync_pending_ = false;
  int32_t last_data_row_height_ = -1;
  int32_t last_client_height_ = -1;
  std::unique_ptr<TlxTimer> grid_mode_sync_timer_;
  std::unique_ptr<TlxGridFilterMRUItemsPopup> filter_mru_items_popup_;
};

class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxButton;
class TlxGridFilterValueList;

// The view's recently used filters; choosing one makes it the view's
// filter again.
class TlxGridFilterMRUItemsPopup : public TlxCustomGridPopup {
 public:
  static constexpr TClass kClass{"TlxGridFilterMRUItemsPopup", &TlxCustomGridPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridFilterMRUItemsPopup(TlxCustomGridView* grid_view);

  // Virtual operations, in the order of their slots.
  virtual void FillItems(TStrings& strings);
  virtual void ApplyItem(int32_t index);
  virtual int32_t GetTextOffset() { return list_box_->TextOffsetLeft; }

  void InitPopup() override;
  void ClosePopup() override;

  TlxGridPopupListBox& ListBox() const { return *list_box_; }
  TlxCustomGridTableView* TableView() const;

 private:
  void ListAction(int32_t index);

  TlxGridPopupListBox* list_box_;
};

// A column's filter drop-down: the column's values and the head entries,
// one of them chosen, or several checked.
class TlxGridFilterPopup : public TlxCustomGridPopup {
 public:
  static constexpr TClass kClass{"TlxGridFilterPopup", &TlxCustomGridPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridFilterPopup(TlxCustomGridView* grid_view);
  ~TlxGridFilterPopup() override;

  // Virtual operations, in the order of their slots.
  virtual void FillValues();
  virtual void SetupListBox();
  virtual void ApplyCheckedValues(const std::vector<int32_t>& indexes);
  virtual void ApplyValue(int32_t index);
  virtual bool ApplyImmediately();
  virtual void GetCheckedValueIndexes(std::vector<int32_t>& indexes);
  virtual int32_t GetSelectedValueIndex();
  virtual void PlaceApplyButton();
  virtual void FillAndSetup();
  virtual bool ShowApplyButton();
  virtual bool IsCheckable(int32_t index);
  virtual bool IsMultiSelect();
  virtual void UpdateApplyButton();

  void InitPopup() override;
  void ClosePopup() override;
  void CalcSize() override;

  TlxCustomGridTableView* TableView() const;
  // The column whose filter is shown; taken from the owner cell when that
  // knows one, else as set.
  TlxCustomGridTableItem* Item() const { return item_; }
  void SetItem(TlxCustomGridTableItem* item) { item_ = item; }
  TlxGridFilterValueList* Values() const { return values_.get(); }
  TStrings& ValueTexts() const { return *value_texts_; }
  TlxGridFilterPopupListBox& ListBox() const { return *list_box_; }
  TlxButton& ApplyButton() const { return *apply_button_; }
  bool HasChanges() const { return has_changes_; }
  void SetHasChanges(bool value);

 private:
  void ListAction(int32_t index);
  void ApplyButtonClick();

  TlxCustomGridTableItem* item_ = nullptr;
  std::unique_ptr<TlxGridFilterValueList> values_;
  std::unique_ptr<TStrings> value_texts_;
  TlxGridFilterPopupListBox* list_box_;
  TlxButton* apply_button_;
  bool has_changes_ = false;
};

// The quick customization popup of a table view: one entry per item that
// takes part in customization.
class TlxCustomGridItemsCustomizationPopup : public TlxCustomGridCustomizationPopup {
 public:
  static constexpr TClass kClass{"TlxCustomGridItemsCustomizationPopup", &TlxCustomGridCustomizationPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCustomizationPopup::TlxCustomGridCustomizationPopup;

  void AddItems() override;
  int32_t GetDropDownCount() override;
  bool IsReorderingEnabled() override;
  void SetItemChecked(TObject* object, bool checked) override;
  int32_t GetItemIndex(TObject* object) override;
  void SetItemIndex(TObject* object, int32_t index) override;

  TlxCustomGridTableView* TableView() const;
};
