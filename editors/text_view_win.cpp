#include "editors/text_view_win.h"

#include <algorithm>
#include <limits>

#include "platform/rtl/text.h"

namespace {

constexpr int32_t kUnlimited = std::numeric_limits<int32_t>::max() / 4;

TRect Shrunk(const TRect& rect, const TRect& insets) {
  return TRect(rect.Left + insets.Left, rect.Top + insets.Top, rect.Right - insets.Right, rect.Bottom - insets.Bottom);
}

// Single line becomes word breaking with the edit control's row rule.
TlxTextOutFlags AsWrapping(TlxTextOutFlags flags) {
  if ((flags & lxtoSingleLine) == 0)
    return flags;
  return (flags & ~lxtoSingleLine) | lxtoWordBreak | lxtoEditControlRows;
}

void UseFont(TlxCanvas& canvas, TFont* font) {
  if (font != nullptr)
    canvas.AssignFont(*font);
}

int32_t ZgHeight(TlxCanvas& canvas) { return canvas.MeasureTextHeight("Zg"); }

// Breaks the text on the canvas's font; the number of rows placed.
int32_t CountRows(TlxCanvas& canvas, const std::string& text, const TRect& rect, TlxTextOutFlags flags,
                  int32_t max_rows, TlxTextRows& rows, bool* all_placed = nullptr) {
  TlxTextLayoutParams params;
  lxInitTextParamsForCanvas(canvas, flags, params);
  int32_t count = 0;
  const bool placed = lxMakeTextRowsOnCanvas(canvas, text, rect, params, rows, count, max_rows);
  if (all_placed != nullptr)
    *all_placed = placed;
  return count;
}

}  // namespace

// --- TlxCustomTextEditViewData -------------------------------------------------

TlxCustomTextEditViewData::TlxCustomTextEditViewData(TlxCustomEditProperties* properties,
                                                     TlxCustomEditStyle* style, bool inplace)
    : TlxCustomEditViewData(properties, style, inplace) {
  // The base constructor reached only its own InitFromProperties.
  InitFromProperties();
}

TlxCustomTextEditProperties* TlxCustomTextEditViewData::TextProperties() const {
  return static_cast<TlxCustomTextEditProperties*>(Properties());
}

void TlxCustomTextEditViewData::InitFromProperties() {
  TlxCustomEditViewData::InitFromProperties();
  uses_provider_display_format_ = Properties()->UsesProviderDisplayFormat();
}

TColor TlxCustomTextEditViewData::GetInvertedColor(TColor color) {
  return static_cast<TColor>((ColorToRGB(color) ^ 0xFFFFFF) & 0xFFFFFF);
}

TSize TlxCustomTextEditViewData::GetInsetsSize() const {
  const TRect& margins = TextParams.Margins;
  return TSize{margins.Left + margins.Right, margins.Top + margins.Bottom + TextParams.VerticalCorrection};
}

void TlxCustomTextEditViewData::GetDrawText(const Variant& edit_value, std::string& text) const {
  const TlxCustomTextEditProperties* properties = TextProperties();
  if (uses_provider_display_format_) {
    try {
      text = VarToStr(edit_value);
    } catch (const Exception&) {
      text.clear();
    }
  } else {
    text = properties->DisplayTextOrPlain(edit_value, Focused);
  }
  properties->PrepareDisplayText(text);
}

TlxTextOutFlags TlxCustomTextEditViewData::GetDrawTextFlags() const {
  TlxTextOutFlags flags = lxtoSingleLine | lxtoNotLeftOfRect | lxtoNotAboveRect;
  if (HorzAlignment == taCenter)
    flags |= lxtoAlignCenter;
  else if (HorzAlignment == taRightJustify)
    flags |= lxtoAlignRight;
  if (VertAlignment == taVCenter)
    flags |= static_cast<TlxTextOutFlags>(lxtoAlignVCenter) << lxtoVertAlignShift;
  else if (VertAlignment == taBottomJustify)
    flags |= static_cast<TlxTextOutFlags>(lxtoAlignBottom) << lxtoVertAlignShift;
  return flags;
}

void TlxCustomTextEditViewData::GetTextAreaInsets(TRect& insets) const { lxGetTextEditTextInsets(*this, insets); }

void lxGetTextEditTextInsets(const TlxCustomTextEditViewData& view_data, TRect& insets) {
  insets = view_data.TextParams.Margins;
  const TlxTextEditingStyle style = view_data.EditingStyle();
  if (view_data.IsInplace() || (style != tesFixedList && style != tesNoEditing))
    return;
  // A list that is not typed into draws its text one pixel down and in, as
  // the system's drop-down lists do.
  if (view_data.VertAlignment == taTopJustify) {
    ++insets.Top;
    --insets.Bottom;
  }
  if (view_data.HorzAlignment == taRightJustify)
    ++insets.Right;
  else
    ++insets.Left;
}

TRect lxCalculateTextEditTextRect(TlxCanvas& canvas, const TlxCustomTextEditViewData& view_data,
                                  const TRect& client_rect) {
  TRect insets;
  view_data.GetTextAreaInsets(insets);
  TRect rect = Shrunk(client_rect, insets);
  if (view_data.IsInplace())
    return rect;
  UseFont(canvas, view_data.GetEditStyle()->GetTextFont());
  const int32_t line = ZgHeight(canvas);
  if (rect.Height() < line)
    rect.Bottom = std::min(rect.Top + line, client_rect.Bottom);
  return rect;
}

void TlxCustomTextEditViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point,
                                          int32_t button, TShiftState shift, TlxCustomEditViewInfo& view_info,
                                          bool is_mouse_event) {
  TlxCustomEditViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  auto& info = static_cast<TlxCustomTextEditViewInfo&>(view_info);
  info.DrawSelectionBar = false;
  info.EditingStyle = EditingStyle();
  info.InnerEditShown = IsInnerEditShown();
  info.PopupOpen = PopupOpen;
  info.TextRect = lxCalculateTextEditTextRect(canvas, *this, info.ClientRect);
  info.MaxLineCount = GetMaxLineCount();
  info.TextOutData.Initialized = false;
  CalculateTextLayout(canvas, info);
}

void TlxCustomTextEditViewData::CalculateTextLayout(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info) {
  const bool may_wrap = !TextProperties()->IsMultiLine() && (TextProperties()->GetEditCapabilities() & 2) != 0 &&
                        (Options & kLxTextViewSingleLineMayWrap) != 0;
  if (may_wrap)
    lxLayoutTextEditWrappedText(canvas, *this, view_info);
  else
    view_info.DrawTextFlags = GetDrawTextFlags();
  if ((view_info.PaintOptions & kLxPaintShowEndEllipsis) != 0)
    view_info.DrawTextFlags |= lxtoEndEllipsis;
  view_info.ComboBoxStyle = IsComboBoxStyle();
}

void lxLayoutTextEditWrappedText(TlxCanvas& canvas, const TlxCustomTextEditViewData& view_data,
                                 TlxCustomTextEditViewInfo& view_info) {
  TFont* font = view_data.GetEditStyle()->GetTextFont();
  if (font == nullptr)
    return;
  canvas.AssignFont(*font);
  TlxTextOutFlags flags = view_data.GetDrawTextFlags();
  const TlxTextOutFlags measuring = (AsWrapping(flags) | lxtoWordBreak | lxtoEditControlRows) | lxtoMeasureRowCount;
  TRect insets;
  view_data.GetTextAreaInsets(insets);
  int32_t width = view_info.TextRect.Width() + insets.Left + insets.Right - view_data.GetInsetsSize().cx;
  if (view_data.HorzAlignment == taRightJustify)
    ++width;
  TlxTextLayoutParams params;
  lxInitTextParamsForCanvas(canvas, measuring, params);
  const int32_t row_height = std::max(params.RowHeight, 1);
  const int32_t height = view_info.TextRect.Height();
  const int32_t row_limit = height / row_height + (height % row_height != 0 ? 1 : 0) + 1;
  TlxTextRows rows;
  const int32_t count = CountRows(canvas, view_info.Text, TRect(0, 0, std::max(width, 1), kUnlimited), measuring,
                                  row_limit, rows);
  if (count > 1) {
    flags = AsWrapping(flags) | lxtoWordBreak | lxtoEditControlRows;
    if (row_height * count > height)
      flags &= ~lxtoVertAlignMask;
  }
  view_info.DrawTextFlags = flags;
}

void TlxCustomTextEditViewData::StoreDisplayText(const Variant& edit_value, TlxCustomTextEditViewInfo& view_info) {
  try {
    view_info.Text = VarToStr(edit_value);
  } catch (const Exception&) {
    view_info.Text.clear();
  }
  TextProperties()->PrepareDisplayText(view_info.Text);
}

void TlxCustomTextEditViewData::ApplyEditValueToViewInfo(TlxCanvas& canvas, const Variant& edit_value,
                                                         TlxCustomEditViewInfo& view_info) {
  auto& info = static_cast<TlxCustomTextEditViewInfo&>(view_info);
  if (PreviewMode)
    info.Text.clear();
  else
    PrepareDisplayValue(edit_value, info.Text);
  info.SelStart = SelStart;
  info.SelLength = SelLength;
  if (SelLength != 0) {
    if (SelBackgroundColor == clDefault) {
      if (SelTextColor != clDefault) {
        info.SelTextColor = SelTextColor;
        info.SelBackgroundColor = GetInvertedColor(SelTextColor);
      } else if (GetEditStyle()->GetColor() == clHighlight) {
        info.SelBackgroundColor = 0;
        info.SelTextColor = 0xFFFFFF;
      } else {
        info.SelBackgroundColor = clHighlight;
        info.SelTextColor = clHighlightText;
      }
    } else {
      info.SelBackgroundColor = SelBackgroundColor;
      info.SelTextColor = SelTextColor != clDefault ? SelTextColor : GetInvertedColor(SelBackgroundColor);
    }
  }
  // The wrapped layout depends on the text: lay out again with it.
  info.TextOutData.Initialized = false;
  CalculateTextLayout(canvas, info);
}

TSize TlxCustomTextEditViewData::MeasureValueContentSize(TlxCanvas& canvas, const Variant& edit_value,
                                                         const TlxEditSizeProperties& limits) const {
  const TSize inherited = TlxCustomEditViewData::MeasureValueContentSize(canvas, edit_value, limits);
  std::string text;
  GetDrawText(edit_value, text);
  TSize size = lxTextEditMeasureDisplayText(canvas, *this, text, GetDrawTextFlags(), limits, 0, true);
  size.cx = std::max(size.cx, inherited.cx);
  size.cy = std::max(size.cy, inherited.cy);
  return size;
}

TSize lxTextEditMeasureDisplayText(TlxCanvas& canvas, const TlxCustomTextEditViewData& view_data,
                                   const std::string& text, TlxTextOutFlags flags,
                                   const TlxEditSizeProperties& size_request, int32_t max_line_count,
                                   bool add_insets) {
  const TlxTextEditingStyle style = view_data.EditingStyle();
  // Lists that are not typed into draw one pixel further in.
  const bool extra_pixel = !view_data.IsInplace() && (style == tesFixedList || style == tesNoEditing);
  UseFont(canvas, view_data.GetEditStyle()->GetTextFont());
  const TSize insets = view_data.GetInsetsSize();
  const int32_t line = ZgHeight(canvas);
  const bool empty_has_no_height = (view_data.Options & kLxTextViewEmptyMeasuresZero) != 0;
  TSize size;
  TlxTextRows rows;
  if (size_request.Width >= 0) {
    if (max_line_count > 0) {
      size = TSize{size_request.Width, max_line_count * line};
    } else {
      const int32_t available =
          size_request.Width - (view_data.IsInplace() ? 2 : 0) - (extra_pixel ? 1 : 0);
      if (available <= 0) {
        size = TSize{0, empty_has_no_height && text.empty() ? 0 : line};
      } else if (text.empty()) {
        size = TSize{size_request.Width, empty_has_no_height ? 0 : line};
      } else {
        const TlxTextOutFlags measuring = AsWrapping(flags | lxtoMeasureRowCount) & ~lxtoVertAlignMask;
        const int32_t count = CountRows(canvas, text, TRect(0, 0, available, kUnlimited), measuring,
                                        size_request.MaxLineCount, rows);
        size = TSize{size_request.Width, count * line};
      }
    }
  } else {
    const bool wraps = (flags & lxtoSingleLine) == 0 ||
                       ((view_data.Options & kLxTextViewSingleLineMayWrap) != 0 &&
                        (view_data.Properties()->GetEditCapabilities() & 2) != 0);
    if (wraps) {
      const int32_t limit = max_line_count > 0 ? max_line_count : size_request.MaxLineCount;
      const int32_t count = CountRows(canvas, text, TRect(0, 0, kUnlimited, kUnlimited),
                                      AsWrapping(flags) | lxtoMeasureRect, limit, rows);
      size = TSize{lxGetTextRowsMaxWidth(rows, count), max_line_count > 0 ? max_line_count * line : line};
    } else {
      size = TSize{text.empty() ? 0 : canvas.MeasureTextWidth(text), line};
    }
    if (extra_pixel)
      ++size.cx;
    if (add_insets)
      size.cx += insets.cx;
  }
  if (size.cy > 0)
    size.cy += insets.cy;
  return size;
}

// --- TlxCustomTextEditViewInfo ---------------------------------------------------

void TlxCustomTextEditViewInfo::MoveBy(int32_t dx, int32_t dy) {
  TlxCustomEditViewInfo::MoveBy(dx, dy);
  TextRect = TextRect.Offset(dx, dy);
  if (!TextOutData.Initialized)
    return;
  TextOutData.TextRect = TextOutData.TextRect.Offset(dx, dy);
  for (int32_t i = 0; i < TextOutData.RowCount; ++i) {
    TlxTextRowInfo& row = lxGetTextRow(TextOutData.TextRows, i);
    row.X += dx;
    row.Y += dy;
  }
}

void TlxCustomTextEditViewInfo::RenderFrame(TlxCanvas& canvas) { lxDrawTextEditViewInfo(canvas, *this); }

void TlxCustomTextEditViewInfo::DrawText(TlxCanvas& canvas) { lxDrawTextEditText(canvas, *this); }

void lxDrawTextEditViewInfo(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info) {
  const bool typed = view_info.EditingStyle == tesFreeText || view_info.EditingStyle == tesListText;
  const int32_t combo_look = !view_info.ComboBoxStyle ? 0 : (typed ? 1 : 2);
  lxDrawEditBackgroundAndBorder(canvas, view_info, !view_info.Transparent && !view_info.DrawSelectionBar,
                                combo_look);
  TRect rect = view_info.ClientRect;
  if (!view_info.Inplace) {
    if ((!view_info.NativeStyle || view_info.DrawSelectionBar) && !view_info.Transparent &&
        view_info.EditingStyle != tesNoEditing) {
      const TColor color = view_info.BackgroundColor;
      canvas.FillRectColor(TRect(rect.Left, rect.Top, rect.Right, rect.Top + 1), color);
      canvas.FillRectColor(TRect(rect.Left, rect.Bottom - 1, rect.Right, rect.Bottom), color);
      canvas.FillRectColor(TRect(rect.Left, rect.Top, rect.Left + 1, rect.Bottom), color);
      canvas.FillRectColor(TRect(rect.Right - 1, rect.Top, rect.Right, rect.Bottom), color);
    }
    rect = TRect(rect.Left + 1, rect.Top + 1, rect.Right - 1, rect.Bottom - 1);
  }
  if (view_info.OnOwnerDraw) {
    view_info.OnOwnerDraw(canvas, rect);
  } else {
    if (view_info.DrawSelectionBar)
      canvas.FillRectColor(rect, clHighlight);
    if (view_info.PaintingCopy || !view_info.InnerEditShown)
      view_info.DrawText(canvas);
  }
  if (!view_info.InnerEditShown && view_info.Focused && !view_info.Inplace && !view_info.PopupOpen) {
    canvas.Font().SetColor(view_info.DrawSelectionBar ? clHighlightText : clBtnText);
    canvas.SetBrushColor(view_info.DrawSelectionBar ? clHighlight : view_info.BackgroundColor);
    canvas.DrawFocusFrame(rect);
  }
}

void lxDrawTextEditText(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info) {
  const size_t end = view_info.Text.find('\0');
  if (end == 0 || view_info.Text.empty())
    return;
  UseFont(canvas, view_info.Font);
  canvas.Font().SetColor(view_info.DrawSelectionBar ? clHighlightText : view_info.TextColor);
  lxDrawTextEditTextRows(canvas, view_info);
}

void lxLayoutTextEditTextRows(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info) {
  TlxTextEditTextOutData& data = view_info.TextOutData;
  data.Initialized = true;
  data.RowCount = 0;
  lxClearTextRows(data.TextRows);
  const std::string text = view_info.Text.substr(0, view_info.Text.find('\0'));
  if (text.empty())
    return;
  lxInitTextParamsForCanvas(canvas, view_info.DrawTextFlags, data.TextParams);
  data.TextRect = lxApplyTextIndents(view_info.TextRect, data.TextParams, 0, 0);
  if (data.TextRect.IsEmpty())
    return;
  const int32_t max_lines = view_info.MaxLineCount;
  const bool all_placed = lxMakeTextRowsOnCanvas(canvas, text, data.TextRect, data.TextParams, data.TextRows,
                                                 data.RowCount, max_lines > 0 ? max_lines : 0);
  data.ForcedEndEllipsis = !all_placed;
  if (data.RowCount > 0) {
    if (max_lines == 0 || data.RowCount < max_lines) {
      data.ForcedEndEllipsis = false;
    } else {
      data.RowCount = max_lines;
      const TlxTextLayoutParams& params = data.TextParams;
      data.ForcedEndEllipsis = !all_placed && params.EndEllipsis && params.EditControlRows && !params.SingleLine;
    }
    lxArrangeTextRows(data.TextRect, data.TextParams, data.TextRows, data.RowCount);
  }
  const int32_t length = static_cast<int32_t>(Utf8ToUtf16(text).size());
  data.SelStart = view_info.SelStart;
  data.SelLength = view_info.SelLength;
  if (data.SelStart < 0 || data.SelStart >= length)
    data.SelLength = 0;
  else if (data.SelLength > length - data.SelStart)
    data.SelLength = length - data.SelStart;
  data.SelTextColor = view_info.SelTextColor;
  data.SelBackgroundColor = view_info.SelBackgroundColor;
}

void lxDrawTextEditTextRows(TlxCanvas& canvas, TlxCustomTextEditViewInfo& view_info) {
  if (!view_info.TextOutData.Initialized)
    lxLayoutTextEditTextRows(canvas, view_info);
  const TlxTextEditTextOutData& data = view_info.TextOutData;
  if (data.RowCount == 0)
    return;
  const bool highlighted = data.SelLength > 0;
  lxDrawTextRows(canvas.Handle(), data.TextRect, data.TextParams, data.TextRows, data.RowCount,
                 highlighted ? data.SelStart : 0, highlighted ? data.SelLength : 0,
                 highlighted ? data.SelBackgroundColor : clNone, highlighted ? data.SelTextColor : clNone,
                 data.ForcedEndEllipsis);
}

bool lxIsTextEditTextTruncated(TlxCanvas& canvas, const TlxCustomTextEditViewInfo& view_info, const TRect& area) {
  const std::string text = view_info.Text.substr(0, view_info.Text.find('\0'));
  if (text.empty())
    return false;
  UseFont(canvas, view_info.Font);
  const TlxTextOutFlags flags = (view_info.DrawTextFlags & ~lxtoVertAlignMask) | lxtoMeasureRowCount;
  const bool multi_row = (flags & lxtoSingleLine) == 0;
  TRect layout = view_info.TextRect;
  if (!multi_row)
    layout.Right = layout.Left + kUnlimited;
  layout.Bottom = layout.Top + kUnlimited;
  TlxTextRows rows;
  bool all_placed = true;
  const int32_t count = CountRows(canvas, text, layout, flags, view_info.MaxLineCount, rows, &all_placed);
  if (!all_placed)
    return true;
  const int32_t line = ZgHeight(canvas);
  const int32_t layout_width = view_info.TextRect.Width();
  int32_t y = view_info.TextRect.Top;
  for (int32_t i = 0; i < count; ++i) {
    const TlxTextRowInfo& row = lxGetTextRow(rows, i);
    std::u16string row_text(row.Text, static_cast<size_t>(row.Length));
    while (!row_text.empty() && (row_text.back() == u' ' || row_text.back() == u'\t'))
      row_text.pop_back();
    const int32_t width = row_text.empty() ? 0 : canvas.MeasureTextWidth(Utf16ToUtf8(row_text));
    if (width > layout_width || view_info.TextRect.Left + width > area.Right)
      return true;
    y += row_text.empty() ? line : std::max(row.Height, line);
    if (y > area.Bottom)
      return true;
  }
  return false;
}

bool TlxCustomTextEditViewInfo::GetButtonHint(TlxCanvas& canvas, const TPoint& point, TRect& hint_rect,
                                              bool& is_multi_line, std::string& text, const TRect& visible_rect) {
  text.clear();
  TRect area = TextRect;
  if (!visible_rect.IsEmpty())
    area = visible_rect.Offset(-Origin.X, -Origin.Y).Intersect(TextRect);
  if (!area.Contains(point) || !lxIsTextEditTextTruncated(canvas, *this, area))
    return false;
  is_multi_line = (DrawTextFlags & lxtoWordBreak) != 0 && (DrawTextFlags & lxtoSingleLine) == 0;
  text = Text;
  hint_rect = TextRect.Offset(Origin.X, Origin.Y);
  return true;
}
