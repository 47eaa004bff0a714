#include "editors/kinds/filter_painter_win.h"

#include <algorithm>

#include "editors/kinds/filter_control_win.h"
#include "platform/toolkit/color.h"
#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

namespace {

TOwnedBrush& DottedBrushSlot() {
  static TOwnedBrush brush;
  return brush;
}

}  // namespace

HBRUSH lxFilterDottedBrush() {
  TOwnedBrush& slot = DottedBrushSlot();
  if (slot.Get() == nullptr) {
    // Rows of 16-bit words: bit 7 - x is pixel x; 0 where x and y share
    // their parity.
    WORD rows[8];
    for (int y = 0; y < 8; ++y)
      rows[y] = y % 2 == 0 ? 0x55 : 0xAA;
    TOwnedBitmap pattern(CreateBitmap(8, 8, 1, 1, rows));
    slot.Reset(CreatePatternBrush(pattern.Get()));
  }
  return slot.Get();
}

void lxFilterPainterFinalize() { DottedBrushSlot().Reset(nullptr); }

std::string lxFilterOperandText(const TlxConditionViewInfo& condition, const TlxValueInfo& value) {
  if (value.Value.IsNull())
    return condition.Control()->NullString();
  return value.OperandText;
}

// --- measuring ------------------------------------------------------------------

TlxFilterCanvasMeasurer::TlxFilterCanvasMeasurer(TlxCustomFilterControl& control)
    : control_(control), bitmap_(1, 1), canvas_(std::make_unique<TlxCanvas>(bitmap_.Canvas())) {}

TlxFilterCanvasMeasurer::~TlxFilterCanvasMeasurer() = default;

void TlxFilterCanvasMeasurer::SelectFont(int32_t font) {
  canvas_->AssignFont(font == kLxFilterControlFont ? control_.Font() : control_.PartFont(font));
}

TSize TlxFilterCanvasMeasurer::TextExtent(int32_t font, std::string_view text) {
  SelectFont(font);
  // The height is the font's, also for an empty text.
  return {canvas_->MeasureTextWidth(text), canvas_->MeasureTextHeight("Yy")};
}

int32_t TlxFilterCanvasMeasurer::EditorTextHeight() {
  // A single-line in-place editor: the text with its frame and margins.
  SelectFont(kLxFilterOperandFont);
  return canvas_->MeasureTextHeight("Yy") + 4;
}

TSize TlxFilterCanvasMeasurer::MeasureOperand(TlxConditionViewInfo& condition, TlxValueInfo& value,
                                              bool /*highlighted*/) {
  SelectFont(kLxFilterOperandFont);
  const std::string text = lxFilterOperandText(condition, value);
  return {canvas_->MeasureTextWidth(text) + 4, canvas_->MeasureTextHeight("Yy") + 2};
}

void TlxFilterCanvasMeasurer::PlaceOperand(TlxConditionViewInfo& /*condition*/, TlxValueInfo& /*value*/,
                                           bool /*highlighted*/) {}

void TlxFilterCanvasMeasurer::SetSize(int32_t width, int32_t height) {
  if (bitmap_.Width() == width && bitmap_.Height() == height)
    return;
  bitmap_.SetSize(std::max(width, 1), std::max(height, 1));
}

// --- painting -------------------------------------------------------------------

TColor lxFilterSkinColor(const TlxLookAndFeel& look_and_feel, TColor control_color) {
  // Without NativeStyle the current painter differs from the kind's own
  // painter only when a skin painter has taken its place.
  TlxPainterClass skin = look_and_feel.CurrentPainter();
  if (look_and_feel.NativeStyle() || skin == nullptr || skin == lxLookAndFeelPainterOfKind(look_and_feel.Kind()))
    return control_color;
  const TColor color = skin->GetDefaultContentColor();
  return color == clDefault ? control_color : color;
}

TColor TlxFilterControlPainter::GetBackgroundColor() const {
  return lxFilterSkinColor(control_.LookAndFeel(), control_.Color());
}

void TlxFilterControlPainter::LinkText(TlxCanvas& canvas, int32_t font, int32_t x, int32_t y,
                                       std::string_view text) {
  control_.Buffer().SelectFont(font);
  canvas.Brush().SetStyle(bsClear);
  if (!control_.ViewInfo().Active) {
    canvas.Font().SetColor(clBtnHighlight);
    canvas.Canvas().TextOut(x + 1, y + 1, text);
    canvas.Font().SetColor(clBtnShadow);
  }
  canvas.Canvas().TextOut(x, y, text);
}

void TlxFilterControlPainter::PaintRow(TlxCanvas& canvas, TlxCustomRowViewInfo& row) {
  canvas.FillRectColor(row.RowRect, GetBackgroundColor());
  canvas.AssignFont(control_.Font());
  control_.GetPainter()->PaintButton(canvas, row.ButtonRect, row.ButtonText, row.ButtonState);
  if (auto* group = dynamic_cast<TlxGroupViewInfo*>(&row)) {
    LinkText(canvas, kLxFilterControlFont, group->GroupCaptionRect.Left, group->GroupCaptionRect.Top + 1,
             group->Caption);
    LinkText(canvas, kLxFilterBoolOperatorFont, group->GroupOperatorRect.Left + 1, group->GroupOperatorRect.Top + 1,
             group->GroupOperatorText);
  } else if (auto* condition = dynamic_cast<TlxConditionViewInfo*>(&row)) {
    LinkText(canvas, kLxFilterItemFont, condition->ItemCaptionRect.Left + 1, condition->ItemCaptionRect.Top + 1,
             condition->ItemCaption);
    LinkText(canvas, kLxFilterOperatorFont, condition->OperatorCaptionRect.Left + 1,
             condition->OperatorCaptionRect.Top + 1, condition->OperatorCaption);
    TlxValuesViewInfo& values = condition->Values();
    if (condition->TakesOperands() && values.Count() > 0) {
      const TlxFilterBuilderHitInfo& focused = control_.Builder().FocusedInfo;
      for (int32_t i = 0; i < values.Count(); ++i) {
        const TlxValueInfo& value = values.Item(i);
        const bool highlighted = focused.Row == condition && focused.Kind == fhkOperand &&
                                 focused.OperandIndex == i && control_.HasFocus();
        if (highlighted)
          canvas.FillRectColor(value.OperandRect, clWindow);
        LinkText(canvas, kLxFilterOperandFont, value.OperandRect.Left + 2, value.OperandRect.Top + 1,
                 lxFilterOperandText(*condition, value));
        const bool last = i == values.Count() - 1;
        if (condition->IsRangeOperator() && !last)
          LinkText(canvas, kLxFilterOperatorFont, value.OperandRect.Right + 4, value.OperandRect.Top + 1,
                   values.Separator);
        if (condition->IsListOperator() && !last)
          LinkText(canvas, kLxFilterOperandFont, value.OperandRect.Right + 2, value.OperandRect.Top + 1, ", ");
      }
      if (condition->IsListOperator()) {
        const TRect& last_rect = values.Item(values.Count() - 1).OperandRect;
        LinkText(canvas, kLxFilterOperandFont, condition->OperatorCaptionRect.Right + 4,
                 condition->OperatorCaptionRect.Top, "(");
        LinkText(canvas, kLxFilterOperandFont, last_rect.Right + 3, last_rect.Top + 1, ")");
        canvas.AssignFont(control_.Font());
        control_.GetPainter()->PaintButton(canvas, values.PlusButtonRect, "+", values.PlusButtonState);
      }
    }
  }
  if (control_.Builder().ShowLevelLines() && row.Level > 0)
    PaintLevelLines(canvas, row);
}

void TlxFilterControlPainter::PaintLevelLines(TlxCanvas& canvas, TlxCustomRowViewInfo& row) {
  HDC dc = canvas.Handle();
  TSavedDCState saved(dc);
  // The pattern's 0-pixels take the text colour, its 1-pixels the
  // background colour.
  SetTextColor(dc, ColorToRGB(GetBackgroundColor()) & 0xFFFFFF);
  SetBkColor(dc, ColorToRGB(cl3DDkShadow) & 0xFFFFFF);
  HBRUSH brush = lxFilterDottedBrush();
  auto line = [&](int32_t left, int32_t top, int32_t right, int32_t bottom) {
    const RECT rect{left, top, right, bottom};
    if (right > left && bottom > top)
      FillRect(dc, &rect, brush);
  };
  const int32_t half_button = row.ButtonRect.Width() / 2;
  const int32_t half_row = row.RowRect.Height() / 2;
  const int32_t x = row.Parent()->ButtonRect.Left + half_button;
  const int32_t top = row.RowRect.Top;
  line(x, top, x + 1, top + half_row);
  if (!row.IsLastChild())
    line(x, top + half_row, x + 1, top + 2 * half_row + 1);
  line(x, top + half_row, row.ButtonRect.Left - 3, top + half_row + 1);
  for (TlxCustomRowViewInfo* ancestor = row.Parent(); ancestor != nullptr && ancestor->Parent() != nullptr;
       ancestor = ancestor->Parent()) {
    if (ancestor->IsLastChild())
      continue;
    const int32_t ancestor_x = ancestor->Parent()->ButtonRect.Left + half_button;
    line(ancestor_x, top, ancestor_x + 1, row.RowRect.Bottom);
  }
}

void TlxFilterControlPainter::Paint(TlxFilterCanvasMeasurer& buffer, HDC target) {
  TlxFilterBuilder& builder = control_.Builder();
  TlxFilterControlViewInfo& view_info = builder.ViewInfo();
  const TRect bounds = control_.ClientBounds();
  buffer.SetSize(control_.Width(), control_.Height());
  TlxCanvas& canvas = buffer.BufferCanvas();
  canvas.FillRectColor(Rect(0, 0, control_.Width(), control_.Height()), GetBackgroundColor());
  const auto& rows = builder.RowList();
  for (size_t i = static_cast<size_t>(std::max(builder.TopRow(), 0)); i < rows.size(); ++i) {
    TlxCustomRowViewInfo& row = *rows[i];
    if (row.RowRect.Top >= bounds.Bottom)
      break;
    PaintRow(canvas, row);
  }
  canvas.AssignFont(control_.Font());
  control_.GetPainter()->PaintButton(canvas, view_info.FooterButtonRect, view_info.FooterCaption,
                                     view_info.FooterButtonState);
  if (!view_info.FocusRect.IsEmpty() && control_.HasFocus())
    canvas.DrawFocusFrame(view_info.FocusRect);
  control_.GetPainter()->PaintBorder(canvas, Rect(0, 0, control_.Width(), control_.Height()));
  BitBlt(target, 0, 0, control_.Width(), control_.Height(), canvas.Handle(), 0, 0, SRCCOPY);
}
