#pragma once
// The option objects and styles of a record-based view: behaviour,
// customize, data, selection and view options with their defaults, the view
// styles with indexes 0-7 and their resolution, and the background bitmaps.
// Every setter stores a new value only when it differs and tells the view a
// change of kind 0 (property), 1 (layout) or 2 (size); integer options turn
// negative values into 0. Included only from Windows sources.

#include <cstdint>
#include <functional>
#include <string>

#include "grid/grid_view_win.h"

class TlxCustomGridRecord;
class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxGridTableDataCellViewInfo;

enum TlxGridDragFocusing : uint8_t { dfNone, dfDragOver, dfDragDrop };
enum TlxGridQuickCustomizationReordering : uint8_t { qcrDefault, qcrEnabled, qcrDisabled };
enum TlxGridShowEditButtons : uint8_t { gsebNever, gsebForFocusedRecord, gsebAlways };
enum TlxGridShowItemFilterButtons : uint8_t { sfbAlways, sfbWhenSelected };

using TlxGridGetCellStyleEvent = std::function<void(TlxCustomGridTableView* sender, TlxCustomGridRecord* record,
                                                    TlxCustomGridTableItem* item, TlxStyle*& style)>;

// The record and item a style lookup is made for.
class TlxGridCellPos : public TObject {
 public:
  static constexpr TClass kClass{"TlxGridCellPos", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridCellPos(TlxCustomGridRecord* record, TObject* item) : GridRecord(record), Item(item) {}
  TlxCustomGridRecord* GridRecord;
  TObject* Item;
};

class TlxGridDataCellPos : public TlxGridCellPos {
 public:
  static constexpr TClass kClass{"TlxGridDataCellPos", &TlxGridCellPos::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridCellPos::TlxGridCellPos;
};

class TlxCustomGridTableOptionsBehavior : public TlxCustomGridOptionsBehavior {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableOptionsBehavior", &TlxCustomGridOptionsBehavior::kClass,
                                 &ConstructInstance<TlxCustomGridTableOptionsBehavior>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptionsBehavior::TlxCustomGridOptionsBehavior;

  void Assign(const TPersistent* source) override;

  bool AlwaysShowEditor() const { return always_show_editor_; }
  void SetAlwaysShowEditor(bool value) { SetOption(always_show_editor_, value, vckProperty); }
  int32_t BestFitMaxRecordCount() const { return best_fit_max_record_count_; }
  void SetBestFitMaxRecordCount(int32_t value) { SetCountOption(best_fit_max_record_count_, value, vckProperty); }
  bool CellHints() const { return cell_hints_; }
  void SetCellHints(bool value) { SetOption(cell_hints_, value, vckProperty); }
  bool CopyCaptionsToClipboard() const { return copy_captions_to_clipboard_; }
  void SetCopyCaptionsToClipboard(bool value) { SetOption(copy_captions_to_clipboard_, value, vckProperty); }
  bool DragDropText() const { return drag_drop_text_; }
  void SetDragDropText(bool value) { SetOption(drag_drop_text_, value, vckProperty); }
  TlxGridDragFocusing DragFocusing() const { return drag_focusing_; }
  void SetDragFocusing(TlxGridDragFocusing value) { SetOption(drag_focusing_, value, vckProperty); }
  bool DragHighlighting() const { return drag_highlighting_; }
  void SetDragHighlighting(bool value) { SetOption(drag_highlighting_, value, vckProperty); }
  bool DragOpening() const { return drag_opening_; }
  void SetDragOpening(bool value) { SetOption(drag_opening_, value, vckProperty); }
  bool DragScrolling() const { return drag_scrolling_; }
  void SetDragScrolling(bool value) { SetOption(drag_scrolling_, value, vckProperty); }
  bool FocusCellOnCycle() const { return focus_cell_on_cycle_; }
  void SetFocusCellOnCycle(bool value) { SetOption(focus_cell_on_cycle_, value, vckProperty); }
  bool FocusCellOnTab() const { return focus_cell_on_tab_; }
  void SetFocusCellOnTab(bool value);
  bool FocusFirstCellOnNewRecord() const { return focus_first_cell_on_new_record_; }
  void SetFocusFirstCellOnNewRecord(bool value) { SetOption(focus_first_cell_on_new_record_, value, vckProperty); }
  bool GoToNextCellOnEnter() const { return go_to_next_cell_on_enter_; }
  void SetGoToNextCellOnEnter(bool value) { SetOption(go_to_next_cell_on_enter_, value, vckProperty); }
  bool ImmediateEditor() const { return immediate_editor_; }
  void SetImmediateEditor(bool value) { SetOption(immediate_editor_, value, vckProperty); }
  bool IncSearch() const { return inc_search_; }
  void SetIncSearch(bool value);
  TlxCustomGridTableItem* IncSearchItem() const { return inc_search_item_; }
  void SetIncSearchItem(TlxCustomGridTableItem* value) { SetOption(inc_search_item_, value, vckProperty); }
  bool NavigatorHints() const { return navigator_hints_; }
  void SetNavigatorHints(bool value) { SetOption(navigator_hints_, value, vckProperty); }
  bool PullFocusing() const { return pull_focusing_; }
  void SetPullFocusing(bool value) { SetOption(pull_focusing_, value, vckProperty); }

 private:
  bool always_show_editor_ = false;
  int32_t best_fit_max_record_count_ = 0;
  bool cell_hints_ = false;
  bool copy_captions_to_clipboard_ = true;
  bool drag_drop_text_ = false;
  TlxGridDragFocusing drag_focusing_ = dfNone;
  bool drag_highlighting_ = true;
  bool drag_opening_ = true;
  bool drag_scrolling_ = true;
  bool focus_cell_on_cycle_ = false;
  bool focus_cell_on_tab_ = false;
  bool focus_first_cell_on_new_record_ = false;
  bool go_to_next_cell_on_enter_ = false;
  bool immediate_editor_ = true;
  bool inc_search_ = false;
  TlxCustomGridTableItem* inc_search_item_ = nullptr;
  bool navigator_hints_ = false;
  bool pull_focusing_ = false;
};

class TlxCustomGridTableOptionsCustomize : public TlxCustomGridOptions {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableOptionsCustomize", &TlxCustomGridOptions::kClass,
                                 &ConstructInstance<TlxCustomGridTableOptionsCustomize>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptions::TlxCustomGridOptions;

  void Assign(const TPersistent* source) override;

  bool ItemFiltering() const { return item_filtering_; }
  void SetItemFiltering(bool value) { SetOption(item_filtering_, value, vckSize); }
  bool ItemGrouping() const { return item_grouping_; }
  void SetItemGrouping(bool value) { SetOption(item_grouping_, value, vckProperty); }
  bool ItemHiding() const { return item_hiding_; }
  void SetItemHiding(bool value) { SetOption(item_hiding_, value, vckProperty); }
  bool ItemMoving() const { return item_moving_; }
  void SetItemMoving(bool value) { SetOption(item_moving_, value, vckProperty); }
  bool ItemSorting() const { return item_sorting_; }
  void SetItemSorting(bool value) { SetOption(item_sorting_, value, vckProperty); }
  bool ItemsQuickCustomization() const { return items_quick_customization_; }
  void SetItemsQuickCustomization(bool value) { SetOption(items_quick_customization_, value, vckSize); }
  int32_t ItemsQuickCustomizationMaxDropDownCount() const { return quick_customization_max_drop_down_count_; }
  void SetItemsQuickCustomizationMaxDropDownCount(int32_t value) {
    SetCountOption(quick_customization_max_drop_down_count_, value, vckProperty);
  }
  TlxGridQuickCustomizationReordering ItemsQuickCustomizationReordering() const { return reordering_; }
  void SetItemsQuickCustomizationReordering(TlxGridQuickCustomizationReordering value) {
    SetOption(reordering_, value, vckProperty);
  }

  // --- overridable, in slot order --------------------------------------
  virtual bool SupportsItemsQuickCustomizationReordering() const;

 private:
  bool item_filtering_ = true;
  bool item_grouping_ = true;
  bool item_hiding_ = false;
  bool item_moving_ = true;
  bool item_sorting_ = true;
  bool items_quick_customization_ = false;
  int32_t quick_customization_max_drop_down_count_ = 0;
  TlxGridQuickCustomizationReordering reordering_ = qcrDefault;
};

class TlxCustomGridTableOptionsData : public TlxCustomGridOptionsData {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableOptionsData", &TlxCustomGridOptionsData::kClass,
                                 &ConstructInstance<TlxCustomGridTableOptionsData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptionsData::TlxCustomGridOptionsData;

  void Assign(const TPersistent* source) override;

  bool Appending() const { return appending_; }
  void SetAppending(bool value) { SetOption(appending_, value, vckProperty); }
  bool CancelOnExit() const { return cancel_on_exit_; }
  void SetCancelOnExit(bool value) { SetOption(cancel_on_exit_, value, vckProperty); }
  bool Deleting() const { return deleting_; }
  void SetDeleting(bool value);
  bool DeletingConfirmation() const { return deleting_confirmation_; }
  void SetDeletingConfirmation(bool value) { SetOption(deleting_confirmation_, value, vckProperty); }
  bool Editing() const { return editing_; }
  void SetEditing(bool value);
  bool Inserting() const { return inserting_; }
  void SetInserting(bool value);

 private:
  bool appending_ = false;
  bool cancel_on_exit_ = true;
  bool deleting_ = true;
  bool deleting_confirmation_ = true;
  bool editing_ = true;
  bool inserting_ = true;
};

class TlxCustomGridTableOptionsSelection : public TlxCustomGridOptionsSelection {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableOptionsSelection", &TlxCustomGridOptionsSelection::kClass,
                                 &ConstructInstance<TlxCustomGridTableOptionsSelection>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptionsSelection::TlxCustomGridOptionsSelection;

  void Assign(const TPersistent* source) override;

  bool CellSelect() const { return cell_select_; }
  bool HideFocusRect() const { return hide_focus_rect_; }
  void SetHideFocusRect(bool value) { SetOption(hide_focus_rect_, value, vckLayout); }
  bool HideSelection() const { return hide_selection_; }
  void SetHideSelection(bool value) { SetOption(hide_selection_, value, vckLayout); }
  bool InvertSelect() const { return invert_select_; }
  // Kept in the data controller.
  bool MultiSelect() const;
  bool UnselectFocusedRecordOnExit() const { return unselect_focused_record_on_exit_; }
  void SetUnselectFocusedRecordOnExit(bool value) { SetOption(unselect_focused_record_on_exit_, value, vckProperty); }

  // --- overridable, in slot order --------------------------------------
  virtual bool IsInvertSelectStored() const { return !invert_select_; }
  virtual bool IsMultiSelectStored() const { return MultiSelect(); }
  virtual void SetCellSelect(bool value);
  virtual void SetInvertSelect(bool value) { SetOption(invert_select_, value, vckLayout); }
  virtual void SetMultiSelect(bool value);

 private:
  bool cell_select_ = true;
  bool hide_focus_rect_ = true;
  bool hide_selection_ = false;
  bool invert_select_ = true;
  bool unselect_focused_record_on_exit_ = true;
};

class TlxCustomGridTableOptionsView : public TlxCustomGridOptionsView {
 public:
  static constexpr TClass kClass{"TlxCustomGridTableOptionsView", &TlxCustomGridOptionsView::kClass,
                                 &ConstructInstance<TlxCustomGridTableOptionsView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridOptionsView::TlxCustomGridOptionsView;

  void Assign(const TPersistent* source) override;

  bool CellAutoHeight() const { return cell_auto_height_; }
  void SetCellAutoHeight(bool value) { SetOption(cell_auto_height_, value, vckSize); }
  bool CellEndEllipsis() const { return cell_end_ellipsis_; }
  void SetCellEndEllipsis(bool value) { SetOption(cell_end_ellipsis_, value, vckLayout); }
  int32_t CellTextMaxLineCount() const { return cell_text_max_line_count_; }
  void SetCellTextMaxLineCount(int32_t value) { SetCountOption(cell_text_max_line_count_, value, vckSize); }
  bool FocusRect() const { return focus_rect_; }
  void SetFocusRect(bool value) { SetOption(focus_rect_, value, vckLayout); }
  bool ItemCaptionAutoHeight() const { return item_caption_auto_height_; }
  void SetItemCaptionAutoHeight(bool value);
  bool ItemCaptionEndEllipsis() const { return item_caption_end_ellipsis_; }
  void SetItemCaptionEndEllipsis(bool value) { SetOption(item_caption_end_ellipsis_, value, vckLayout); }
  bool Navigator() const { return navigator_; }
  void SetNavigator(bool value) { SetOption(navigator_, value, vckSize); }
  int32_t NavigatorOffset() const { return navigator_offset_; }
  void SetNavigatorOffset(int32_t value) { SetCountOption(navigator_offset_, value, vckSize); }
  // The own text when it differs from the built-in one, else the current
  // text of the resource string.
  std::string NoDataToDisplayInfoText() const;
  void SetNoDataToDisplayInfoText(const std::string& value);
  bool IsNoDataToDisplayInfoTextStored() const;
  TlxGridShowEditButtons ShowEditButtons() const { return show_edit_buttons_; }
  void SetShowEditButtons(TlxGridShowEditButtons value) { SetOption(show_edit_buttons_, value, vckSize); }
  TlxGridShowItemFilterButtons ShowItemFilterButtons() const { return show_item_filter_buttons_; }
  void SetShowItemFilterButtons(TlxGridShowItemFilterButtons value) {
    SetOption(show_item_filter_buttons_, value, vckSize);
  }

  // --- overridable, in slot order --------------------------------------
  virtual void ItemCaptionAutoHeightChanged() { Changed(vckSize); }

 private:
  bool cell_auto_height_ = false;
  bool cell_end_ellipsis_ = false;
  int32_t cell_text_max_line_count_ = 0;
  bool focus_rect_ = true;
  bool item_caption_auto_height_ = false;
  bool item_caption_end_ellipsis_ = false;
  bool navigator_ = false;
  int32_t navigator_offset_ = 50;
  // Empty: the built-in text.
  std::string no_data_to_display_info_text_;
  TlxGridShowEditButtons show_edit_buttons_ = gsebNever;
  TlxGridShowItemFilterButtons show_item_filter_buttons_ = sfbWhenSelected;
};

class TlxCustomGridTableViewStyles : public TlxCustomGridViewStyles {
 public:
  static constexpr int32_t kContent = 1;
  static constexpr int32_t kContentEven = 2;
  static constexpr int32_t kContentOdd = 3;
  static constexpr int32_t kFilterBox = 4;
  static constexpr int32_t kInactive = 5;
  static constexpr int32_t kIncSearch = 6;
  static constexpr int32_t kSelection = 7;
  // The table view continues the numbering here.
  static constexpr int32_t kLast = kSelection;
  static constexpr TClass kClass{"TlxCustomGridTableViewStyles", &TlxCustomGridViewStyles::kClass,
                                 &ConstructInstance<TlxCustomGridTableViewStyles>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewStyles::TlxCustomGridViewStyles;

  void Assign(const TPersistent* source) override;
  TlxCustomGridTableView* GridView() const;
  TlxGridGetCellStyleEvent OnGetContentStyle;

  // --- overridable, in slot order --------------------------------------
  virtual void GetSelectionParams(TlxCustomGridRecord* record, TObject* item, TlxPaintParams& params);
  virtual void GetCellContentParams(TlxCustomGridRecord* record, TObject* item, TlxPaintParams& params);
  virtual void GetContentParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item, TlxPaintParams& params);
  virtual void GetDataCellContentParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                        TlxPaintParams& params);
  virtual void GetDataCellParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item, bool editing,
                                 TlxGridTableDataCellViewInfo* cell, bool use_cell_state, TlxPaintParams& params);
  virtual void GetRecordParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item, TlxPaintParams& params);

  void GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) override;
};

class TlxCustomGridTableBackgroundBitmaps : public TlxCustomGridBackgroundBitmaps {
 public:
  static constexpr int32_t kContent = 1;
  static constexpr int32_t kFilterBox = 2;
  static constexpr TClass kClass{"TlxCustomGridTableBackgroundBitmaps", &TlxCustomGridBackgroundBitmaps::kClass,
                                 &ConstructInstance<TlxCustomGridTableBackgroundBitmaps>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridBackgroundBitmaps::TlxCustomGridBackgroundBitmaps;

  void Assign(const TPersistent* source) override;
  int32_t GetBitmapStyleIndex(int32_t index) const override;
};
