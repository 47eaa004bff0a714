#pragma once
// The table view's painters: the table painter (the order of the parts and
// every data cell's grid lines gathered and drawn in one PolyPolyline), the
// row and data cell painters and the header part's painter. They only draw
// what the view infos laid out. Included only from Windows sources.

#include <memory>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/grid_column_headers_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_view_info_win.h"

class TlxCustomGridRowViewInfo;

class TlxCustomGridRowPainter : public TlxCustomGridRecordPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridRowPainter", &TlxCustomGridRecordPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordPainter::TlxCustomGridRecordPainter;

  TlxCustomGridRowViewInfo& RowViewInfo() const;
  // The row's own steps after its cells: level indents, bottom line and
  // separator.
  void DoPaint() override;

  // --- overridable, in slot order --------------------------------------
  virtual void DrawFooters();
  virtual void DrawIndents();
  // One level indent: the group colour with grid lines at its right and,
  // where the row closes the level's group, at its bottom.
  virtual void DrawIndent(const TRect& rect, int32_t indent_index);
  virtual void DrawBottomLine();
  virtual void DrawSeparator();
};

class TlxGridDataRowPainter : public TlxCustomGridRowPainter {
 public:
  static constexpr TClass kClass{"TlxGridDataRowPainter", &TlxCustomGridRowPainter::kClass,
                                 &ConstructInstance<TlxGridDataRowPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRowPainter::TlxCustomGridRowPainter;

  void DoPaint() override;

  // --- overridable, in slot order --------------------------------------
  virtual void DrawCells();
  virtual bool HasCells() { return true; }
};

class TlxGridTablePainter : public TlxCustomGridTablePainter {
 public:
  static constexpr TClass kClass{"TlxGridTablePainter", &TlxCustomGridTablePainter::kClass,
                                 &ConstructInstance<TlxGridTablePainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTablePainter::TlxCustomGridTablePainter;

  // Collected while the records are painted; ignored outside that.
  void AddGridLine(const TRect& rect);
  bool IsCollectingGridLines() const { return grid_lines_ != nullptr; }

  void PaintContent() override;
  bool CanScrollWindow() override;
  void DrawRecords() override;
  void ScrollRecords(int32_t dy) override;
  void ScrollContent(int32_t dx, int32_t dy) override;

  // --- overridable, in slot order --------------------------------------
  virtual void DrawFooter();
  virtual void DrawGroupByBox();
  virtual void DrawHeader();
  virtual void DrawIndicator();

 private:
  bool CanScrollHorizontally();
  void DrawGridLines(const std::vector<TRect>& lines);

  std::vector<TRect>* grid_lines_ = nullptr;
};

class TlxGridNewItemRowPainter : public TlxGridDataRowPainter {
 public:
  static constexpr TClass kClass{"TlxGridNewItemRowPainter", &TlxGridDataRowPainter::kClass,
                                 &ConstructInstance<TlxGridNewItemRowPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataRowPainter::TlxGridDataRowPainter;

  // While the info text shows, the row is its background and the text.
  bool HasCells() override;
  void DrawBackground() override;
  void DoPaint() override;
  // A header bar under the row.
  void DrawSeparator() override;
};

class TlxGridDataCellPainter : public TlxGridTableDataCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridDataCellPainter", &TlxGridTableDataCellPainter::kClass,
                                 &ConstructInstance<TlxGridDataCellPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableDataCellPainter::TlxGridTableDataCellPainter;

  // The table painter draws the grid lines of all cells at once.
  void DrawBorder(TlxBorder side) override;
  // The cell's own rectangle is filled first: rows leave the view's
  // background region, so nothing else clears what a cell showed before.
  void DrawContent() override;
};

class TlxGridHeaderPainter : public TlxGridColumnContainerPainter {
 public:
  static constexpr TClass kClass{"TlxGridHeaderPainter", &TlxGridColumnContainerPainter::kClass,
                                 &ConstructInstance<TlxGridHeaderPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnContainerPainter::TlxGridColumnContainerPainter;
  bool ItemsPaintedFirst() override;
};

class TlxGridColumnHeaderAreaPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderAreaPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridColumnHeaderSortingMarkPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderSortingMarkPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxGridColumnHeaderSortingMarkPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;

  void DrawContent() override;
  void DrawBorders() override {}
  bool ExcludeFromClipRect() override { return true; }
};

class TlxGridColumnHeaderFilterButtonPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderFilterButtonPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridColumnHeaderGlyphPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderGlyphPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxCustomGridIndicatorItemPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxCustomGridIndicatorItemPainter", &TlxCustomGridCellPainter::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
};

class TlxGridIndicatorHeaderItemPainter : public TlxCustomGridIndicatorItemPainter {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorHeaderItemPainter", &TlxCustomGridIndicatorItemPainter::kClass,
                                 &ConstructInstance<TlxGridIndicatorHeaderItemPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemPainter::TlxCustomGridIndicatorItemPainter;
  void DrawContent() override;
  void DrawBorders() override {}
  bool ExcludeFromClipRect() override { return true; }
};

class TlxGridIndicatorRowItemPainter : public TlxCustomGridIndicatorItemPainter {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorRowItemPainter", &TlxCustomGridIndicatorItemPainter::kClass,
                                 &ConstructInstance<TlxGridIndicatorRowItemPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemPainter::TlxCustomGridIndicatorItemPainter;
  void DrawContent() override;
  bool ExcludeFromClipRect() override { return true; }
};

class TlxGridIndicatorFooterItemPainter : public TlxCustomGridIndicatorItemPainter {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorFooterItemPainter", &TlxCustomGridIndicatorItemPainter::kClass,
                                 &ConstructInstance<TlxGridIndicatorFooterItemPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridIndicatorItemPainter::TlxCustomGridIndicatorItemPainter;
  void DrawBackground() override;
  void DrawBorders() override;
  bool ExcludeFromClipRect() override { return true; }
};

class TlxGridIndicatorPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxGridIndicatorPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;
  void DrawContent() override;
  bool ExcludeFromClipRect() override { return true; }

  // --- overridable, in slot order --------------------------------------
  virtual void DrawItems();
  virtual bool ItemsPaintedFirst();
};
