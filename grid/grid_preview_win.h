#pragma once
// The preview of a data row: the text of the view's preview column for the
// row's record, word-wrapped in a band above or below the row's cells.
// Included only from Windows sources.

#include <cstdint>
#include <string>

#include "grid/grid_data_rows_win.h"
#include "grid/grid_table_painters_win.h"

class TlxGridPreviewCellViewInfo : public TlxGridDataCellViewInfo {
 public:
  static constexpr TClass kClass{"TlxGridPreviewCellViewInfo", &TlxGridDataCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridPreviewCellViewInfo(TlxGridDataRowViewInfo* row, TlxGridColumn* column);

  // The preview's height for the row: its wrapped text within the line
  // limit (or the line limit itself without auto height), plus the
  // horizontal grid line.
  int32_t PreviewHeight();

  // --- overrides -----------------------------------------------------------
  int32_t CalculateWidth() override;
  int32_t CalculateHeight() override { return PreviewHeight(); }
  TlxBorders GetBorders() override;
  void GetViewParams(TlxPaintParams& params) override;
  TBitmap* GetBackgroundBitmap() override;
  const TClass* GetHitTestClass() const override;
  const TClass* GetPainterClass() const override;
  void GetTextAreaBounds(TRect& rect) override;
  bool GetMeasureMultiLine() override { return true; }
  bool GetPaintMultiLine() override { return true; }
  bool GetShowEndEllipsis() override { return false; }
  bool HasHint() override { return false; }
  // The record's display text of the preview column, known before the
  // cell is laid out.
  void GetText(std::string& text) override;

  static constexpr TlxCanvasTextFlags kTextFlags = lxtfLeft | lxtfTop | lxtfWordBreak;

 private:
  // The text area for a cell of `width`, relative to a left of 0.
  int32_t TextAreaWidth(int32_t width);

  int32_t height_ = -1;
};

// Draws the preview text wrapped in its text area; the grid lines go with
// the data cells' batch.
class TlxGridPreviewCellPainter : public TlxGridDataCellPainter {
 public:
  static constexpr TClass kClass{"TlxGridPreviewCellPainter", &TlxGridDataCellPainter::kClass,
                                 &ConstructInstance<TlxGridPreviewCellPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridDataCellPainter::TlxGridDataCellPainter;

  void DrawContent() override;
};
