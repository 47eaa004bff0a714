#pragma once
// Column headers, the group-by box and column auto width: the column
// container base (one header cell per column, made on first request), the
// column header part with the auto-width distribution, the header cell with
// its small areas (sizing edge, sorting mark) and their painters. Included
// only from Windows sources.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/table_view_info_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

class TlxGridColumn;
class TlxGridColumnContainerViewInfo;
class TlxGridColumnHeaderAreaViewInfo;
class TlxGridTableView;
class TlxGridTableViewInfo;

// The kind of a column container, reported to column hit tests.
enum TlxGridColumnContainerKind : int32_t { ccNone = 0, ccCustomizationForm = 1, ccHeader = 2, ccGroupByBox = 3,
                                            ccFooter = 4 };

class TlxGridColumnHeaderViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridColumnHeaderViewInfo(TlxGridColumnContainerViewInfo* container, TlxGridColumn* column);
  ~TlxGridColumnHeaderViewInfo() override;

  TlxGridColumnContainerViewInfo* Container() const { return container_; }
  TlxGridColumn* Column() const { return column_; }
  TlxGridTableView* TableView() const;
  TlxGridTableViewInfo* TableViewInfo() const;
  // -1 until computed; set by the auto-width distribution.
  int32_t Width = -1;
  // The width without the first column's level indent.
  int32_t RealWidth = 0;
  TRect TextAreaBounds;
  int32_t AdditionalWidthAtLeft = 0;
  int32_t AdditionalHeightAtTop = 0;
  TlxHeaderNeighbors Neighbors() const;
  int32_t AreaViewInfoCount() const { return static_cast<int32_t>(areas_.size()); }
  TlxGridColumnHeaderAreaViewInfo* AreaViewInfos(int32_t index) const { return areas_.at(static_cast<size_t>(index)).get(); }
  // The area of a class, or null.
  TlxGridColumnHeaderAreaViewInfo* FindArea(const TClass& area_class) const;
  bool IsPressed();
  bool IsRightmost() const;

  // --- overrides -----------------------------------------------------------
  int32_t CalculateHeight() override;
  int32_t CalculateWidth() override;
  void Calculate(int32_t left, int32_t top, int32_t width = -1, int32_t height = -1) override;
  void GetText(std::string& text) override;
  TAlignment GetTextAlignHorz() const override;
  TlxAlignmentVert GetTextAlignVert() const override;
  TlxBorders GetBorders() override;
  int32_t GetBorderWidth(TlxBorder side) override;
  void GetTextAreaBounds(TRect& rect) override { rect = TextAreaBounds; }
  void GetViewParams(TlxPaintParams& params) override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  bool GetShowEndEllipsis() override;
  bool GetMeasureMultiLine() override;
  bool GetPaintMultiLine() override;
  TBitmap* GetBackgroundBitmap() override;
  bool GetHotTrack() override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  void Offset(int32_t dx, int32_t dy) override;
  bool HasCustomDraw() override;
  bool CustomDraw(TlxCanvas& canvas) override;

  // --- overridable, in slot order --------------------------------------
  virtual bool HasAreaAtSide(TAlignment side);
  virtual void CalculateTextArea();
  virtual void CheckVisibility();
  virtual bool HasFilterButton() { return false; }
  virtual bool HasHorzSizingEdge();
  virtual bool CanPress() { return true; }
  virtual bool HasSortingMark();
  virtual int32_t CheckWidth(int32_t width);
  virtual void EnumAreaClasses(std::vector<const TClass*>& classes);
  virtual std::string GetCaption();
  virtual int32_t GetCellBorderWidth();
  virtual int32_t GetRealLeft() { return BoundsRect.Right - RealWidth; }
  virtual int32_t GetMaxWidth();
  virtual int32_t GetMinWidth();
  virtual bool IsMeasuringWidth() { return false; }
  virtual bool HasGlyph() { return false; }
  virtual int32_t GetNeededWidth();

 private:
  void CreateAreas();

  TlxGridColumnContainerViewInfo* container_;
  TlxGridColumn* column_;
  std::vector<std::unique_ptr<TlxGridColumnHeaderAreaViewInfo>> areas_;
  bool visible_by_scroll_ = true;
};

class TlxGridColumnContainerViewInfo : public TlxCustomGridPartViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnContainerViewInfo", &TlxCustomGridPartViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridColumnContainerViewInfo(TlxCustomGridViewInfo* owner_view_info);
  ~TlxGridColumnContainerViewInfo() override;

  TlxGridTableViewInfo* TableViewInfo() const;
  TlxGridTableView* TableView() const;
  // The cell at an index, made on first request; null outside the columns.
  TlxGridColumnHeaderViewInfo* GetItem(int32_t index);
  TlxGridColumnHeaderViewInfo* ExistingItem(int32_t index) const;
  int32_t ItemCount() { return GetColumnCount(); }
  int32_t GetItemHeight();
  int32_t GetColumnIndent(int32_t index);

  // --- overrides -----------------------------------------------------------
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;
  void Offset(int32_t dx, int32_t dy) override;
  const TClass* GetPainterClass() const override;

  // --- overridable, in slot order --------------------------------------
  virtual std::unique_ptr<TlxGridColumnHeaderViewInfo> CreateItem(int32_t index);
  virtual int32_t CalculateItemHeight();
  virtual bool IsItemAutoHeight() { return false; }
  virtual int32_t GetColumnMinWidth(TlxGridColumn* column);
  virtual int32_t GetColumnWidth(TlxGridColumn* column);
  virtual TlxHeaderNeighbors GetColumnNeighbors(TlxGridColumn* /*column*/) { return {}; }
  virtual bool IsItemMultiLinePainting() { return false; }
  virtual void GetItemsAreaBounds(TRect& rect) { rect = BoundsRect; }
  virtual TlxGridColumnContainerKind GetKind() const = 0;
  virtual TlxGridColumn* GetColumn(int32_t index) = 0;
  virtual int32_t GetColumnCount() = 0;
  virtual void GetZoneAreaBounds(TRect& rect);
  // The insertion index under a point for column moving, or -1.
  virtual int32_t GetZone(const TPoint& point);

 protected:
  void ResetItems();

 private:
  std::vector<std::unique_ptr<TlxGridColumnHeaderViewInfo>> items_;
  int32_t item_height_ = -1;
};

class TlxGridGroupByBoxColumnHeaderViewInfo : public TlxGridColumnHeaderViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridGroupByBoxColumnHeaderViewInfo", &TlxGridColumnHeaderViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderViewInfo::TlxGridColumnHeaderViewInfo;

  int32_t CalculateHeight() override;
  std::string GetCaption() override;
  bool IsMeasuringWidth() override;
};

// A small element inside a header cell.
class TlxGridColumnHeaderAreaViewInfo : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderAreaViewInfo", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxGridColumnHeaderAreaViewInfo(TlxGridColumnHeaderViewInfo* header);

  TlxGridColumnHeaderViewInfo* ColumnHeaderViewInfo() const { return header_; }
  const TClass* GetHitTestClass() const override;
  void InitHitTest(TlxCustomGridHitTest* hit_test) override;

  // --- overridable, in slot order --------------------------------------
  virtual int32_t AreaWidth() = 0;
  virtual int32_t AreaHeight() { return 0; }
  virtual TAlignment AlignmentHorz() { return taRightJustify; }
  virtual TlxAlignmentVert AlignmentVert() { return vaCenter; }
  virtual bool AlignWithText() { return true; }
  virtual bool OccupiesSpace() { return true; }
  virtual bool ResidesInContent() { return true; }

 private:
  TlxGridColumnHeaderViewInfo* header_;
};

class TlxGridColumnHeaderHorzSizingEdgeViewInfo : public TlxGridColumnHeaderAreaViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderHorzSizingEdgeViewInfo", &TlxGridColumnHeaderAreaViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderAreaViewInfo::TlxGridColumnHeaderAreaViewInfo;

  int32_t AreaWidth() override { return 8; }
  bool AlignWithText() override { return false; }
  bool OccupiesSpace() override { return false; }
  const TClass* GetHitTestClass() const override;
  // It has no painter.
  const TClass* GetPainterClass() const override { return nullptr; }
};

class TlxGridColumnHeaderFilterButtonViewInfo : public TlxGridColumnHeaderAreaViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderFilterButtonViewInfo", &TlxGridColumnHeaderAreaViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderAreaViewInfo::TlxGridColumnHeaderAreaViewInfo;

  int32_t AreaWidth() override;
  const TClass* GetHitTestClass() const override;
};

class TlxGridColumnHeaderSortingMarkViewInfo : public TlxGridColumnHeaderAreaViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderSortingMarkViewInfo", &TlxGridColumnHeaderAreaViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderAreaViewInfo::TlxGridColumnHeaderAreaViewInfo;

  int32_t AreaWidth() override;
  int32_t AreaHeight() override;
  bool Ascending();
  const TClass* GetPainterClass() const override;
};

class TlxGridColumnHeaderGlyphViewInfo : public TlxGridColumnHeaderAreaViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderGlyphViewInfo", &TlxGridColumnHeaderAreaViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnHeaderAreaViewInfo::TlxGridColumnHeaderAreaViewInfo;

  int32_t AreaWidth() override;
  int32_t AreaHeight() override;
  TAlignment AlignmentHorz() override;
  TlxAlignmentVert AlignmentVert() override;
};

class TlxGridColumnContainerPainter : public TlxCustomGridPartPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnContainerPainter", &TlxCustomGridPartPainter::kClass,
                                 &ConstructInstance<TlxGridColumnContainerPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPartPainter::TlxCustomGridPartPainter;

  TlxGridColumnContainerViewInfo& Container() const {
    return static_cast<TlxGridColumnContainerViewInfo&>(ViewInfo());
  }
  void DrawContent() override;
  bool ExcludeFromClipRect() override { return true; }

  // --- overridable, in slot order --------------------------------------
  virtual void DrawItems();
  virtual bool ItemsPaintedFirst() { return true; }
};

class TlxGridColumnHeaderPainter : public TlxCustomGridCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderPainter", &TlxCustomGridCellPainter::kClass,
                                 &ConstructInstance<TlxGridColumnHeaderPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridCellPainter::TlxCustomGridCellPainter;

  TlxGridColumnHeaderViewInfo& Header() const { return static_cast<TlxGridColumnHeaderViewInfo&>(ViewInfo()); }
  void DrawContent() override;
  // PaintHeader draws the borders.
  void DrawBorders() override {}
  void DoPaint() override;
  bool ExcludeFromClipRect() override { return true; }

  // --- overridable, in slot order --------------------------------------
  virtual void DrawAreas();
  virtual void DrawPressed();
  TlxButtonState PaintState();
};

class TlxGridGroupByBoxPainter : public TlxGridColumnContainerPainter {
 public:
  static constexpr TClass kClass{"TlxGridGroupByBoxPainter", &TlxGridColumnContainerPainter::kClass,
                                 &ConstructInstance<TlxGridGroupByBoxPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumnContainerPainter::TlxGridColumnContainerPainter;

  void DrawBackground() override;
  void DrawContent() override;
  bool ItemsPaintedFirst() override;

  // --- overridable, in slot order --------------------------------------
  // The one-pixel lines from each cell down and across to the next.
  virtual void DrawConnectors();
};
