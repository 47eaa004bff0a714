#pragma once
// The grid's own drag objects of the table view: sizing a column by its
// header's edge and a row by its bottom edge (a drag line inverted on the
// site while the mouse moves), and moving a column header. Included only
// from Windows sources.

#include <cstdint>

#include "grid/grid_view_controller_win.h"

class TlxCustomGridItemsListBox;
class TlxCustomGridRow;
class TlxGridColumn;
class TlxGridGroupByBoxViewInfo;
class TlxGridHeaderViewInfo;
class TlxGridTableController;
class TlxGridTableView;

class TlxCustomGridSizingObject : public TlxCustomGridDragAndDropObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridSizingObject", &TlxCustomGridDragAndDropObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridDragAndDropObject::TlxCustomGridDragAndDropObject;

  int32_t LastX() const { return last_x_; }
  int32_t LastY() const { return last_y_; }
  int32_t StartSize() const { return start_size_; }
  // Whether the drag line is drawn on the site now.
  bool DragLineShown() const { return drag_line_shown_; }
  TRect ShownDragLine() const { return shown_drag_line_; }

  // --- overridable, in slot order ----------------------------------------
  // The size the drop would give, within the item's limits.
  virtual int32_t GetCurrentSize();
  virtual int32_t GetSizeDelta();
  virtual TRect GetHorzDragLineBounds();
  virtual bool IsHorizontalSizing() { return true; }
  virtual TRect GetSizingItemBounds() = 0;
  virtual TRect GetDragLineBounds();
  virtual int32_t GetDragLineWidth() { return 1; }
  virtual TRect GetVertDragLineBounds();

  bool StartsImmediately() override { return true; }
  void DirtyChanged() override;
  void BeginDragAndDrop() override;
  void DragAndDrop(const TPoint& point, bool& accepted) override;
  void EndDragAndDrop(bool accepted) override;

 protected:
  virtual int32_t ClampSize(int32_t size) { return size; }
  void SetStartSize(int32_t value) { start_size_ = value; }
  TRect ClientArea() const;

 private:
  void InvertDragLine();

  int32_t last_x_ = 0;
  int32_t last_y_ = 0;
  int32_t start_size_ = 0;
  bool drag_line_shown_ = false;
  TRect shown_drag_line_;
};

class TlxCustomGridColumnSizingObject : public TlxCustomGridSizingObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridColumnSizingObject", &TlxCustomGridSizingObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridSizingObject::TlxCustomGridSizingObject;

  TlxGridColumn* Column() const { return column_; }
  TlxGridTableView* TableView() const;
  TlxGridTableController* TableController() const;
  void Init(const TPoint& point, TlxCustomGridHitTest* hit_test) override;

 private:
  TlxGridColumn* column_ = nullptr;
};

// Sizes a column by its header's right edge; under auto width the columns
// to its right give and take the difference.
class TlxGridColumnHorzSizingObject : public TlxCustomGridColumnSizingObject {
 public:
  static constexpr TClass kClass{"TlxGridColumnHorzSizingObject", &TlxCustomGridColumnSizingObject::kClass,
                                 &ConstructInstance<TlxGridColumnHorzSizingObject>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridColumnSizingObject::TlxCustomGridColumnSizingObject;

  // The smallest and largest width the column may take now.
  int32_t MinWidth() const;
  int32_t MaxWidth() const;

  TRect GetSizingItemBounds() override;
  void BeginDragAndDrop() override;
  void EndDragAndDrop(bool accepted) override;
  TCursor GetDragAndDropCursor(bool accepted) override;

 protected:
  int32_t ClampSize(int32_t size) override;
};

class TlxGridRowSizingObject : public TlxCustomGridSizingObject {
 public:
  static constexpr TClass kClass{"TlxGridRowSizingObject", &TlxCustomGridSizingObject::kClass,
                                 &ConstructInstance<TlxGridRowSizingObject>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridSizingObject::TlxCustomGridSizingObject;

  TlxCustomGridRow* Row() const { return row_; }
  void Init(const TPoint& point, TlxCustomGridHitTest* hit_test) override;
  bool IsHorizontalSizing() override { return false; }
  TRect GetSizingItemBounds() override { return row_bounds_; }
  void BeginDragAndDrop() override;
  void EndDragAndDrop(bool accepted) override;
  TCursor GetDragAndDropCursor(bool accepted) override;

 protected:
  int32_t ClampSize(int32_t size) override;

 private:
  TlxCustomGridRow* row_ = nullptr;
  TRect row_bounds_;
};

// Moves a column header within the header panel; dropping it outside hides
// it when the column may be hidden.
class TlxGridColumnHeaderMovingObject : public TlxCustomGridTableItemMovingObject {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderMovingObject", &TlxCustomGridTableItemMovingObject::kClass,
                                 &ConstructInstance<TlxGridColumnHeaderMovingObject>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableItemMovingObject::TlxCustomGridTableItemMovingObject;

  // Container kinds of a dragged column.
  static constexpr int32_t kNone = 0;
  static constexpr int32_t kCustomizationForm = 1;
  static constexpr int32_t kHeaderPanel = 2;
  static constexpr int32_t kGroupByBox = 3;

  TlxGridColumn* Column() const { return column_; }
  int32_t SourceKind() const { return source_kind_; }
  int32_t DestKind() const { return dest_kind_; }
  // The header panel position the drop would insert before (-1 none).
  int32_t DestIndex() const { return dest_index_; }
  bool CanRemove() const override;
  TRect GetSourceItemBounds() override { return source_bounds_; }
  TRect GetArrowAreaBounds() override;
  bool CanShowArrows() override;

  void Init(const TPoint& point, TlxCustomGridHitTest* hit_test) override;
  void InitDragImage() override;
  void BeginDragAndDrop() override;
  void DragAndDrop(const TPoint& point, bool& accepted) override;
  void EndDragAndDrop(bool accepted) override;
  TCursor GetDragAndDropCursor(bool accepted) override;

 private:
  // The customization form's list when the column is dragged out of it.
  TlxCustomGridItemsListBox* FormListBox() const;
  // The insertion index among the visible columns for a point over the
  // header panel, or -1 when the point is not over it.
  int32_t HeaderPanelIndexAt(const TPoint& point);
  bool IsPositionChange(int32_t index) const;
  // The left edge of the visible column at `index` in the site; the right
  // edge of the last one for the index behind it.
  int32_t HeaderPanelEdge(int32_t index);
  TlxGridHeaderViewInfo* HeaderPanel() const;
  TlxGridGroupByBoxViewInfo* GroupByBox() const;
  // The group position the drop would insert before (the grouped count
  // behind the last), or -1 when the point is not over the group-by box.
  int32_t GroupByBoxIndexAt(const TPoint& point);
  TRect GroupByBoxArrowArea();
  bool IsGroupPositionChange(int32_t index) const;
  void CalculateDestination(const TPoint& point, int32_t& kind, int32_t& index);
  // Applies an accepted drop; true when the column changed.
  bool ApplyDrop(TlxGridTableView& view);

  TlxGridColumn* column_ = nullptr;
  int32_t source_kind_ = kNone;
  int32_t dest_kind_ = kNone;
  int32_t dest_index_ = -1;
  TRect source_bounds_;
};
