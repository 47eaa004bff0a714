#pragma once
// The table controller, the sizing and moving objects, the table customization form and popup, the table editing controller.
// Laid down with the grid's other headers so that the whole class tree
// exists from the start; members follow with the bodies. Included only
// from Windows sources.

#include "grid/grid_control_win.h"
#include "grid/grid_customization_form_win.h"
#include "grid/grid_table_customization_form_win.h"
#include "grid/table_controller_win.h"

class TlxGridColumn;
class TlxGridTableView;
class TlxGridMasterDataRow;

// The table view's controller: a horizontal position in pixels, the pressed
// column header and the header click that sorts, the arrow, Home and End
// keys, the special rows, the scroll bars and the column selection.
class TlxGridTableController : public TlxCustomGridTableController {
 public:
  static constexpr TClass kClass{"TlxGridTableController", &TlxCustomGridTableController::kClass,
                                 &ConstructInstance<TlxGridTableController>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridTableController(TlxCustomGridView* grid_view);
  ~TlxGridTableController() override;

  TlxGridTableView* GridTableView() const;

  // --- state -------------------------------------------------------------
  int32_t LeftPos() const { return left_pos_; }
  void SetLeftPos(int32_t value);
  TlxGridColumn* PressedColumn() const { return pressed_column_; }
  void SetPressedColumn(TlxGridColumn* column);
  TlxGridColumn* SizedColumn() const { return sized_column_; }
  void SetSizedColumn(TlxGridColumn* column) { sized_column_ = column; }
  bool FilterButtonInGroupByBox() const { return filter_button_in_group_by_box_; }
  void SetFilterButtonInGroupByBox(bool value) { filter_button_in_group_by_box_ = value; }
  bool FilterRowApplying() const { return filter_row_applying_; }
  void SetFilterRowApplying(bool value) { filter_row_applying_ = value; }

  // --- header press and click ------------------------------------------------
  // The left button went down on a column's header: the column is pressed
  // and its header-click events fire at once.
  void PressColumnHeader(TlxGridColumn* column);
  // Sorts by the column as a header click with these modifiers asks.
  void ProcessHeaderClick(TlxGridColumn* column, TShiftState shift);
  void UngroupAll();

  // --- column selection --------------------------------------------------
  void SelectColumn(TlxGridColumn* column);
  void UnselectColumn(TlxGridColumn* column);
  void ClearColumnSelection();
  void SelectColumnRange(TlxGridColumn* from, TlxGridColumn* to);
  void SelectAllColumns() { SelectColumnRange(nullptr, nullptr); }

  // --- special rows ------------------------------------------------------
  bool IsFilterRowFocused() const;
  bool IsNewItemRowFocused() const;

  // --- geometry ----------------------------------------------------------
  // The total width of the visible columns and the width of the area they
  // are shown in.
  virtual int32_t GetDataWidth();
  virtual int32_t GetVisibleDataWidth();

  // --- overridable, in slot order ----------------------------------------
  virtual bool IsColumnFixedWhileSizing(TlxGridColumn* column);
  virtual void RelayoutForLeftPos();
  virtual bool IsLastRowDetailPartlyVisible(bool /*single_row*/) { return false; }
  virtual bool MoveFocusDownFromSpecialRow();
  virtual bool MoveFocusUpToSpecialRow();
  virtual void SpecialRowFocusChanged();
  virtual void SpecialRowSelecting(bool selecting);
  virtual const TClass* GetColumnHeaderMovingObjectClass() const;
  // The customization form (defined with the form): the table view's form,
  // kept from rising above the header panel.
  const TClass* GetCustomizationFormClass() const override;
  void AdjustCustomizationFormBounds(TRect& bounds) override;
  virtual bool NeedsColumnSelectionUpdate(TlxGridColumn* focused_before);
  virtual void UpdateColumnSelection(TShiftState shift);
  virtual bool IsCellMultiSelect();
  virtual bool IsSpecialRowFocused() const { return IsFilterRowFocused() || IsNewItemRowFocused(); }

  // --- custom table controller overrides -----------------------------------
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void DoKeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseOperationCanceled() override;
  void EndDragAndDrop(bool accepted) override;
  bool IsKeyForController(uint16_t key, TShiftState shift) override;
  bool CanAppend(bool check_options) override;
  bool CanDelete(bool check_options) override;
  bool CanInsert(bool check_options) override;
  bool CanScroll(TlxDirection direction) override;
  void DoScroll(TlxDirection direction) override;
  void CheckScrolling(const TPoint& point) override;
  void MakeItemVisible(TlxCustomGridTableItem* item) override;
  void CheckCoordinates() override;
  void InitScrollBarsParameters() override;
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) override;
  bool ChecksScrollBarFit(TlxScrollBarAxis axis) override;
  void SelectFocusedRecordOnly() override;
  bool SupportsAdditiveSelection() override { return !IsCellMultiSelect(); }
  bool SupportsRecordSelectionToggling() override { return !IsCellMultiSelect(); }
  bool SupportsPullFocusing() override;
  std::unique_ptr<TlxGridEditingController> CreateEditingController() override;

 private:
  void InvalidateColumnHeader(TlxGridColumn* column);
  void ChangeSort(TlxGridColumn* column, TShiftState shift);
  void RemoveSort(TlxGridColumn* column);
  bool FocusedRowCanFocusCells() const;

  int32_t left_pos_ = 0;
  TlxGridColumn* pressed_column_ = nullptr;
  TlxGridColumn* sized_column_ = nullptr;
  bool filter_button_in_group_by_box_ = false;
  bool filter_row_applying_ = false;
};

class TlxGridColumnsCustomizationPopup : public TlxCustomGridItemsCustomizationPopup {
 public:
  static constexpr TClass kClass{"TlxGridColumnsCustomizationPopup", &TlxCustomGridItemsCustomizationPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridItemsCustomizationPopup::TlxCustomGridItemsCustomizationPopup;
};

class TlxGridDragOpenInfoMasterDataRowTab : public TlxGridDragOpenInfoTab {
 public:
  static constexpr TClass kClass{"TlxGridDragOpenInfoMasterDataRowTab", &TlxGridDragOpenInfoTab::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridDragOpenInfoMasterDataRowTab(TlxGridLevel* level, TlxGridMasterDataRow* master_row);

  TlxGridMasterDataRow* MasterRow() const { return master_row_; }
  bool Equals(const TlxCustomGridDragOpenInfo& other) const override;
  void Run() override;

 private:
  TlxGridMasterDataRow* master_row_;
};
