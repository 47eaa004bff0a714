#pragma once
// The lookup list grid: the small multi-column list that a lookup combo
// box drops down, usable as a plain control too. Its model is a collection
// of columns (each drawing its cells through an editor's properties), an
// options object and a data controller whose items are the columns; a
// view info lays it out and a painter draws it (lookup_grid_view_info_win.h).
// Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "data/data_controller.h"
#include "editors/edit_properties.h"
#include "editors/edit_repository.h"
#include "editors/kinds/lookup_grid_layout.h"
#include "platform/rtl/collection.h"
#include "ui/foundation/controls/control_win.h"

class TlxCustomLookupGrid;
class TlxEditRepositoryTextItem;
class TlxLookupGridPainter;
class TlxLookupGridViewInfo;
class TlxTimer;

// The change flag that means "lay the grid out again".
inline constexpr uint32_t kLxLookupGridLayoutChanged = 1;

// Answers for the column's properties while its cells are measured and drawn.
class TlxLookupGridDefaultValuesProvider : public TlxCustomEditDefaultValuesProvider {
 public:
  static constexpr TClass kClass{"TlxLookupGridDefaultValuesProvider", &TlxCustomEditDefaultValuesProvider::kClass,
                                 &ConstructInstance<TlxLookupGridDefaultValuesProvider>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookupGridDefaultValuesProvider(TPersistent* owner) : TlxCustomEditDefaultValuesProvider(owner) {}

  // Whether the grid's data controller stores display texts for the owner
  // column's item.
  bool IsDisplayFormatDefined(bool is_inplace) const override;
};

class TlxLookupGridColumn : public TCollectionItem, public IlxEditRepositoryItemObserver {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxLookupGridColumn", &TCollectionItem::kClass,
                                 &ConstructInstance<TlxLookupGridColumn>, &TlxLookupGridColumn::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookupGridColumn(TCollection* collection);
  ~TlxLookupGridColumn() override;

  void Assign(const TPersistent* source) override { CopyFrom(source); }
  virtual void CopyFrom(const TPersistent* source);

  // Virtual operations, in the order of their slots.
  virtual void CheckWidthValue(int32_t& width) const;
  virtual const TClass* GetDefaultValuesProviderClass() const { return &TlxLookupGridDefaultValuesProvider::kClass; }
  virtual TlxValueTypeClass GetValueTypeClass() const;
  virtual void SetValueTypeClass(TlxValueTypeClass value_type);
  virtual void GetDefaultCaption(std::string& caption) const { caption.clear(); }
  virtual TlxEditRepositoryItem* GetDefaultRepositoryItem() const;
  virtual int32_t GetDefaultWidth() const { return 64; }
  virtual TFont* GetContentFont() const;
  virtual TlxEditRepositoryItem* GetInternalRepositoryItem();
  virtual TlxEditRepositoryItem* GetActualRepositoryItem();
  virtual bool IsFirst() const { return Index() == 0; }
  virtual bool IsLast() const;
  virtual void RestoreDefaults();

  // Published values.
  std::string Caption() const;
  void SetCaption(const std::string& value);
  bool IsCaptionAssigned() const { return caption_assigned_; }
  bool Fixed() const { return fixed_; }
  void SetFixed(bool value);
  TAlignment HeaderAlignment() const { return header_alignment_; }
  void SetHeaderAlignment(TAlignment value);
  int32_t MinWidth() const { return min_width_; }
  void SetMinWidth(int32_t value);
  bool Sorting() const { return sorting_; }
  void SetSorting(bool value);
  TlxDataSortOrder SortOrder() const;
  void SetSortOrder(TlxDataSortOrder value);
  TlxEditRepositoryItem* RepositoryItem() const { return repository_item_; }
  void SetRepositoryItem(TlxEditRepositoryItem* value);
  int32_t Width() const;
  void SetWidth(int32_t value);
  bool IsWidthAssigned() const { return width_assigned_; }

  // The grid the column belongs to, or null.
  TlxCustomLookupGrid* Grid() const;
  TlxCustomEditDefaultValuesProvider* DefaultValuesProvider() const { return default_values_provider_.get(); }
  // The properties that draw the cells.
  TlxCustomEditProperties* GetProperties();
  // Whether the column made its own text item (no other was available).
  bool HasInternalRepositoryItem() const { return internal_repository_item_ != nullptr; }
  // Moves the column and lets the data controller follow the new order.
  void SetIndex(int32_t index);

  // IlxEditRepositoryItemObserver.
  void ItemRemoved(TlxEditRepositoryItem* item) override;
  void ItemPropertiesChanged(TlxEditRepositoryItem* item) override;

 protected:
  void Changed() { TCollectionItem::Changed(false); }
  // A descendant's provider class answers only once its constructor runs:
  // it makes the provider again from there.
  void RecreateDefaultValuesProvider();

 private:
  std::string caption_;
  bool caption_assigned_ = false;
  bool fixed_ = false;
  TAlignment header_alignment_ = taLeftJustify;
  int32_t min_width_ = 20;
  bool sorting_ = true;
  int32_t width_ = 0;
  bool width_assigned_ = false;
  TlxEditRepositoryItem* repository_item_ = nullptr;
  std::unique_ptr<TlxEditRepositoryTextItem> internal_repository_item_;
  std::unique_ptr<TlxCustomEditDefaultValuesProvider> default_values_provider_;
};

class TlxLookupGridColumns : public TCollection {
 public:
  static constexpr TClass kClass{"TlxLookupGridColumns", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxLookupGridColumns(TlxCustomLookupGrid* grid, const TClass& column_class);

  TlxCustomLookupGrid* Grid() const { return grid_; }
  // The collection bracket nested inside the grid's.
  void BeginUpdate();
  void EndUpdate();
  void RestoreDefaults();
  TlxLookupGridColumn* Add() { return static_cast<TlxLookupGridColumn*>(TCollection::Add()); }
  TlxLookupGridColumn* GetItem(int32_t index) const { return static_cast<TlxLookupGridColumn*>(Items(index)); }
  void Assign(const TPersistent* source) override;
  // A column under construction takes over the grid bracket that its
  // joining opened; true when there was one.
  bool TakeConstructionBracket();

 protected:
  void Update(TCollectionItem* item) override;
  // A column joins before its own constructor has run: the grid stays in an
  // update bracket until the column is complete, so that no layout reads it
  // half made.
  void Notify(TCollectionItem* item, TCollectionNotification action) override;

 private:
  TlxCustomLookupGrid* grid_;
  bool construction_bracket_ = false;
};

using TlxLookupGridOptionsChangedEvent = std::function<void(TObject* sender)>;

class TlxLookupGridOptions : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxLookupGridOptions", &TPersistent::kClass, nullptr,
                                 &TlxLookupGridOptions::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookupGridOptions(TlxCustomLookupGrid* grid) : grid_(grid) {}

  void Assign(const TPersistent* source) override { CopyFrom(source); }
  virtual void CopyFrom(const TPersistent* source);
  TPersistent* GetOwner() const override;

  // Kept in the data controller's options; False without a grid.
  bool AnsiSort() const;
  void SetAnsiSort(bool value);
  bool CaseInsensitive() const;
  void SetCaseInsensitive(bool value);
  bool ColumnSorting() const { return column_sorting_; }
  void SetColumnSorting(bool value) { column_sorting_ = value; }
  bool FocusRowOnMouseMove() const { return focus_row_on_mouse_move_; }
  void SetFocusRowOnMouseMove(bool value) { focus_row_on_mouse_move_ = value; }
  TlxGridLines GridLines() const { return grid_lines_; }
  void SetGridLines(TlxGridLines value);
  bool RowSelect() const { return row_select_; }
  void SetRowSelect(bool value);
  bool ShowHeader() const { return show_header_; }
  void SetShowHeader(bool value);

  TlxCustomLookupGrid* Grid() const { return grid_; }
  // Set by the owner of the list (the lookup combo box's properties).
  TlxLookupGridOptionsChangedEvent OnChanged;

 protected:
  // The grid lays itself out again, then the owner hears of it.
  void Changed();

 private:
  void SetControllerOption(TlxDataControllerOption option, bool value);

  TlxCustomLookupGrid* grid_;
  bool column_sorting_ = true;
  bool focus_row_on_mouse_move_ = true;
  TlxGridLines grid_lines_ = glBoth;
  bool row_select_ = true;
  bool show_header_ = true;
};

// Its items are the grid's columns.
class TlxLookupGridDataController : public TlxDataController {
 public:
  static constexpr TClass kClass{"TlxLookupGridDataController", &TlxDataController::kClass,
                                 &ConstructInstance<TlxLookupGridDataController>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookupGridDataController(TComponent* owner) : TlxDataController(owner) {}

  TObject* GetItem(int32_t index) const override;
};

// How the mouse last met the rows (GetHitInfo).
enum TlxLookupGridHitKind : uint8_t { lghtNone, lghtHeader, lghtRow };

struct TlxLookupGridHitInfo {
  TlxLookupGridHitKind Kind = lghtNone;
  int32_t RowIndex = -1;
  int32_t ColumnIndex = -1;
};

using TlxLookupGridCloseUpEvent = std::function<void(TObject* sender, bool accept)>;

class TlxCustomLookupGrid : public TlxControl {
 public:
  static constexpr TClass kClass{"TlxCustomLookupGrid", &TlxControl::kClass,
                                 &ConstructInstance<TlxCustomLookupGrid>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomLookupGrid(TComponent* owner);
  ~TlxCustomLookupGrid() override;

  // Virtual operations, in the order of their slots.
  virtual void ColumnAdded(TlxLookupGridColumn* column);
  virtual void Changed(uint32_t flags);
  virtual void CreateSubClasses();
  virtual void CreateDataController();
  virtual void DestroySubClasses();
  virtual void DestroyDataController();
  virtual void DoRowMouseDown(int32_t row_index, int32_t column_index, TShiftState shift);
  virtual void DoHeaderClick(int32_t column_index, TShiftState shift);
  virtual const TClass* GetColumnClass() const { return &TlxLookupGridColumn::kClass; }
  virtual const TClass* GetColumnsClass() const { return &TlxLookupGridColumns::kClass; }
  virtual const TClass* GetDataControllerClass() const { return &TlxLookupGridDataController::kClass; }
  virtual TlxPainterClass GetLFPainterClass() { return GetPainter(); }
  virtual const TClass* GetOptionsClass() const { return &TlxLookupGridOptions::kClass; }
  virtual const TClass* GetPainterClass() const;
  virtual int32_t GetTopExtraRowCount() const;
  virtual int32_t GetBottomExtraRowCount() const;
  virtual const TClass* GetViewInfoClass() const;
  virtual bool IsHotTracking() const;
  virtual void ColumnRemoved(TlxLookupGridColumn* column);
  virtual void SetAutoScrollDirection(TlxLookupGridAutoScroll direction);
  virtual void InvalidateFocusedRow();
  virtual void InvalidateRow(int32_t row_index, bool recalculate);
  virtual void UpdateLayout();
  virtual void DataChanged();
  virtual void DataLayoutChanged();
  virtual void DoClick();
  virtual void DoCloseUp(bool accept);
  virtual void DoFocusedRowChanged();
  virtual void FocusedRowChanged(int32_t previous_row_index, int32_t row_index);
  virtual void LayoutChanged();
  virtual void SelectionChanged(const TlxSelectionChangedInfo& info);
  virtual void DataControllerNotify(TlxUpdateControlInfo& info);
  virtual void SetFocusedRowSelected(bool value);

  // Used by the lookup editors.
  void BeginUpdate();
  void EndUpdate();
  int32_t LockCount() const { return lock_count_; }
  void CheckChanges();
  bool IsLoading() const { return ComponentState().Contains(csLoading); }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }
  bool PopupMode() const { return popup_mode_; }
  void SetPopupMode(bool value);
  TlxLookupGridHitInfo GetHitInfo(const TPoint& point);
  bool IsMouseOverRow(const TPoint& point) { return GetHitInfo(point).RowIndex != -1; }
  int32_t GetPopupHeight(int32_t row_count);
  int32_t GetNearestPopupHeight(int32_t height);
  void RememberMousePos();
  void MakeFocusedRowVisible();
  void MakeRowVisible(int32_t row_index);
  virtual void AssignColumns(const TlxLookupGridColumns* columns);
  int32_t GetFocusedRowIndex() const;
  void SetFocusedRowIndex(int32_t row_index);
  int32_t GetFocusedColumnIndex() const;
  void SetFocusedColumnIndex(int32_t index);
  TlxLookupGridColumn* FocusedColumn() const { return focused_column_; }
  // Stores none under RowSelect; a change lays the grid out again.
  void SetFocusedColumn(TlxLookupGridColumn* column);
  int32_t GetRowCount() const;
  int32_t TopRowIndex() const { return top_row_index_; }
  void SetTopRowIndex(int32_t index);
  // Moves the focus one row down or up (Up/Down keys).
  void MoveFocusedRow(bool down);
  void PageUp();
  void PageDown();
  void ScrollPageUp();
  void ScrollPageDown();
  void FocusColumn(int32_t index);

  TlxLookupGridColumns& Columns() const { return *columns_; }
  TlxLookupGridOptions& Options() const { return *options_; }
  TlxCustomDataController& DataController() const { return *data_controller_; }
  // False while the grid is being made or destroyed.
  bool HasDataController() const { return data_controller_ != nullptr; }
  bool HasViewInfo() const { return view_info_ != nullptr; }
  TlxLookupGridViewInfo& ViewInfo() const { return *view_info_; }
  TlxLookupGridPainter& GridPainter() const { return *painter_; }
  TlxLookupGridAutoScroll AutoScrollDirection() const { return auto_scroll_direction_; }
  // Null while the mouse is not held beyond the rows.
  TlxTimer* AutoScrollTimer() const { return auto_scroll_timer_.get(); }
  bool MousePressed() const { return mouse_pressed_; }
  bool InUpdateLayout() const { return in_layout_changed_; }

  TNotifyEvent OnClick;
  TlxLookupGridCloseUpEvent OnCloseUp;
  TNotifyEvent OnFocusedRowChanged;
  TNotifyEvent OnDataChanged;

  // Control overrides.
  int32_t GetBorderSize() override;
  void AttachScrollBars() override;
  void BoundsChanged() override;
  void DoColorChanged() override;
  void FontChanged() override;
  void LookAndFeelChanged(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) override;
  void FocusChanged() override;
  bool AllowsUnfocusedMouseDown() override { return true; }
  void MouseOperationCanceled() override;
  void InitScrollBarsParams() override;
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void HandleAutoScrollTimer(TObject* sender);

 protected:
  void Loaded() override;
  void Paint() override;
  void CreateWnd() override;
  // For descendants whose classes differ: the parts are made by CreateParts,
  // called from the descendant's constructor once its overrides answer.
  TlxCustomLookupGrid(TComponent* owner, bool create_parts);
  void CreateParts();
  virtual std::unique_ptr<TlxLookupGridColumns> NewColumns();
  virtual std::unique_ptr<TlxLookupGridOptions> NewOptions();
  // Validates `index` as a top row; in grid mode it may scroll the loaded
  // window of records first.
  int32_t ValidateTopRowIndex(int32_t index);
  // Stores the top row the view info accepts; the layout is updated unless
  // LayoutChanged runs it itself.
  void InternalSetTopRowIndex(int32_t index, bool update_layout);

 private:
  std::unique_ptr<TlxLookupGridColumns> columns_;
  std::unique_ptr<TlxLookupGridOptions> options_;
  std::unique_ptr<TlxCustomDataController> data_controller_;
  std::unique_ptr<TlxLookupGridViewInfo> view_info_;
  std::unique_ptr<TlxLookupGridPainter> painter_;
  TlxLookupGridColumn* focused_column_ = nullptr;
  int32_t top_row_index_ = 0;
  bool popup_mode_ = false;
  bool mouse_pressed_ = false;
  uint32_t pending_changes_ = 0;
  int32_t lock_count_ = 0;
  bool in_layout_changed_ = false;
  TlxLookupGridAutoScroll auto_scroll_direction_ = lgasNone;
  std::unique_ptr<TlxTimer> auto_scroll_timer_;
};

// Whether the grid's data controller stores display texts for the item of
// the column that owns a provider (false for any other owner).
bool lxLookupGridColumnStoresDisplayText(const TPersistent* provider_owner);

// The screen position of the last mouse move any lookup grid handled.
TPoint lxLookupGridRememberedMousePos();
