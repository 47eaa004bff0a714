#pragma once
// Where the headers, rows and cells of the lookup grid lie and how each
// cell looks (TlxLookupGridViewInfo), and the painter that draws it. Cells
// are drawn by the editor view info of each column's properties, so a value
// shows as its editor would show it. Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller_types.h"
#include "editors/edit_view_data_win.h"
#include "editors/edit_view_info_win.h"
#include "editors/edit_style_win.h"
#include "editors/kinds/lookup_grid_layout.h"
#include "editors/kinds/lookup_grid_win.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

class TlxCustomLookupGrid;
class TlxLookupGridColumn;

class TlxLookupGridPartViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxLookupGridPartViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TRect Bounds;
  TRect ContentBounds;
};

class TlxLookupGridColumnViewInfo : public TlxLookupGridPartViewInfo {
 public:
  static constexpr TClass kClass{"TlxLookupGridColumnViewInfo", &TlxLookupGridPartViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  ~TlxLookupGridColumnViewInfo() override;

  TlxLookupGridColumn* Column = nullptr;
  TAlignment HeaderAlignment = taLeftJustify;
  TlxHeaderNeighbors Neighbors;
  TlxBorders HeaderBorders;
  TlxDataSortOrder SortOrder = soNone;
  std::string Caption;
  std::unique_ptr<TlxCustomEditStyle> EditStyle;
  // Only while the column is measured or its cells are calculated.
  std::unique_ptr<TlxCustomEditViewData> ViewData;
};

class TlxLookupGridCellViewInfo : public TlxLookupGridPartViewInfo {
 public:
  static constexpr TClass kClass{"TlxLookupGridCellViewInfo", &TlxLookupGridPartViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }

  int32_t ColumnIndex = -1;
  bool Focused = false;
  TlxBorders Borders;
  std::unique_ptr<TlxCustomEditViewInfo> EditViewInfo;
};

class TlxLookupGridRowViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxLookupGridRowViewInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  int32_t RowIndex = -1;
  int32_t RecordIndex = -1;
  bool Focused = false;
  TRect Bounds;
  TRect ContentBounds;
  TlxBorders Borders;
  std::vector<std::unique_ptr<TlxLookupGridCellViewInfo>> Cells;
};

enum TlxLookupGridTopRowCalculation : uint8_t { lgtcNone, lgtcForward, lgtcBackward };

class TlxLookupGridViewInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxLookupGridViewInfo", &TObject::kClass,
                                 &ConstructInstance<TlxLookupGridViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TlxCustomLookupGrid;

  explicit TlxLookupGridViewInfo(TlxCustomLookupGrid* grid);
  ~TlxLookupGridViewInfo() override;

  // Virtual operations, in the order of their slots.
  virtual int32_t GetHeaderHeight();
  virtual void CalculateHeadersRect();
  virtual void CalculateEmptyAreas();
  virtual void CalculateColumns();
  virtual void CalculateRows();
  virtual void Calculate();
  virtual int32_t CheckTopRowIndex(int32_t index);
  virtual void InitColumnViewInfo(TlxLookupGridColumnViewInfo& column_view_info, TlxLookupGridColumn& column);
  virtual void CreateColumnViewData(TlxLookupGridColumnViewInfo& column_view_info, TlxLookupGridColumn& column);
  virtual void DestroyColumnViewData(TlxLookupGridColumnViewInfo& column_view_info, TlxLookupGridColumn& column);
  virtual TColor GetContentColor() const;
  virtual TFont* GetContentFont() const;
  virtual TColor GetContentFontColor() const;
  virtual TColor GetGridLineColor() const { return clBtnFace; }
  virtual int32_t GetGridLineWidth() const { return 1; }
  virtual TColor GetHeaderColor() const;
  virtual TFont* GetHeaderFont() const;
  virtual TColor GetHeaderTextColor() const;
  virtual TColor GetSelectedColor() const;
  virtual TColor GetSelectedTextColor() const;

  int32_t GetRowHeight() const;
  int32_t GetTopRowIndex() const;
  int32_t GetRowCount() const;
  // The cells of a built row again (focus and colours may have changed).
  void CalculateCells(TlxLookupGridRowViewInfo& row);
  // The built row of `row_index`, or null.
  TlxLookupGridRowViewInfo* FindRow(int32_t row_index) const;

  TlxCustomLookupGrid* Grid() const { return grid_; }
  int32_t BorderSize = 0;
  TRect HeadersRect;
  TRect RowsRect;
  TRect VisibleRowsRect;
  TRect EmptyRectRight;
  TRect EmptyRectBottom;
  int32_t VisibleRowCount = 0;
  int32_t PartVisibleRowCount = 0;
  int32_t RowMinHeight = 0;
  TlxLookupGridTopRowCalculation TopRowCalculation = lgtcNone;
  int32_t InternalTopRowIndex = 0;
  std::vector<std::unique_ptr<TlxLookupGridColumnViewInfo>> Columns;
  std::vector<std::unique_ptr<TlxLookupGridRowViewInfo>> Rows;

 private:
  TlxPainterClass LFPainter() const;
  TlxCanvas& Canvas() const;
  int32_t CalculateRowMinHeight();
  void AddRow(const TlxLookupGridRowPlace& place);

  TlxCustomLookupGrid* grid_;
};

class TlxLookupGridPainter : public TObject {
 public:
  static constexpr TClass kClass{"TlxLookupGridPainter", &TObject::kClass, &ConstructInstance<TlxLookupGridPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TlxCustomLookupGrid;

  explicit TlxLookupGridPainter(TlxCustomLookupGrid* grid);
  ~TlxLookupGridPainter() override;

  // Virtual operations, in the order of their slots.
  virtual void DrawBorder();
  virtual void DrawCell(TlxLookupGridCellViewInfo& cell);
  virtual void DrawContent();
  virtual void DrawEmptyAreas();
  virtual void DrawHeaders();
  virtual void DrawRow(TlxLookupGridRowViewInfo& row);
  virtual void DrawRows();

  void Paint();
  TlxPainterClass LFPainterClass() const { return lf_painter_; }
  void SetLFPainterClass(TlxPainterClass painter) { lf_painter_ = painter; }

 private:
  TlxCanvas& Canvas();
  TlxLookupGridViewInfo& ViewInfo() const;

  TlxCustomLookupGrid* grid_;
  TlxPainterClass lf_painter_ = nullptr;
};
