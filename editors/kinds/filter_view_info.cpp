#include "editors/kinds/filter_view_info.h"

#include <algorithm>

#include "data/filter_texts.h"
#include "editors/filter_control_strings.h"
#include "editors/kinds/filter_builder.h"
#include "editors/kinds/filter_rows.h"

namespace {

TSize Extent(const TlxCustomRowViewInfo& row, int32_t font, std::string_view text) {
  return row.Control()->ViewInfo().Measurer().TextExtent(font, text);
}

// A link text's place: 2 pixels wider and taller than the text, `gap`
// pixels after `left`, centred in the row.
TRect LinkTextRect(const TlxCustomRowViewInfo& row, int32_t font, std::string_view text, int32_t left) {
  const TSize size = Extent(row, font, text);
  return lxCenterRectVert(row.RowRect, left + 8, size.cx + 2, size.cy + 2);
}

bool IsHotElement(TlxFilterBuilder& control, const TlxCustomRowViewInfo* row, uint8_t kind, int32_t index = -1) {
  const TlxFilterBuilderHitInfo& hot = control.HotInfo;
  return control.IsHotTrackOn() && hot.Row == row && hot.Kind == kind && (index < 0 || hot.OperandIndex == index);
}

bool IsFocusedElement(const TlxFilterBuilder& control, const TlxCustomRowViewInfo* row, uint8_t kind,
                      int32_t index = -1) {
  const TlxFilterBuilderHitInfo& focused = control.FocusedInfo;
  return focused.Row == row && focused.Kind == kind && (index < 0 || focused.OperandIndex == index);
}

}  // namespace

TRect lxCenterRectVert(const TRect& bounds, int32_t left, int32_t width, int32_t height) {
  const int32_t top = bounds.Top + (bounds.Height() - height) / 2;
  return Bounds(left, top, width, height);
}

// --- rows -----------------------------------------------------------------------

void TlxCustomRowViewInfo::Calculate(const TRect& row_rect) {
  RowRect = row_rect;
  Level = LevelOfTree();
  Indent = Level * RowRect.Height();
  ButtonText = Parent() == nullptr ? lxFilterControlResString(lxSFilterRootButtonCaption) : "...";
  int32_t width = 0;
  if (Parent() == nullptr)
    width = Extent(*this, kLxFilterControlFont, ButtonText + "00").cx;
  else
    width = Extent(*this, kLxFilterControlFont, "0").cx * static_cast<int32_t>(ButtonText.size());
  ButtonRect = lxCenterRectVert(RowRect, RowRect.Left + Indent + 4, width, RowRect.Height() - 4);

  TlxFilterBuilder& control = *Control();
  if (!control.ViewInfo().Active)
    ButtonState = lxbsDisabled;
  else if (IsFocusedElement(control, this, fhkRowButton))
    ButtonState = lxbsDefault;
  else if (IsHotElement(control, this, fhkRowButton))
    ButtonState = lxbsHot;
  else
    ButtonState = lxbsNormal;
}

int32_t TlxCustomRowViewInfo::MeasureWidth() const { return ButtonRect.Width() + Indent + 5; }

void TlxCustomRowViewInfo::HitTest(const TPoint& point, TlxFilterBuilderHitInfo& hit_info) {
  if (ButtonRect.Contains(point))
    hit_info.Kind = fhkRowButton;
}

void TlxGroupViewInfo::Calculate(const TRect& row_rect) {
  TlxCustomRowViewInfo::Calculate(row_rect);
  GroupOperatorText = lxFilterBoolOperatorCaption(GroupOperator);
  GroupOperatorRect = LinkTextRect(*this, kLxFilterBoolOperatorFont, GroupOperatorText, ButtonRect.Right);
  GroupCaptionRect = LinkTextRect(*this, kLxFilterControlFont, Caption, GroupOperatorRect.Right);
}

int32_t TlxGroupViewInfo::MeasureWidth() const {
  return TlxCustomRowViewInfo::MeasureWidth() + GroupOperatorRect.Width() + GroupCaptionRect.Width() + 16;
}

void TlxGroupViewInfo::HitTest(const TPoint& point, TlxFilterBuilderHitInfo& hit_info) {
  TlxCustomRowViewInfo::HitTest(point, hit_info);
  if (hit_info.Kind == fhkNone && GroupOperatorRect.Contains(point))
    hit_info.Kind = fhkBoolOperator;
}

void TlxConditionViewInfo::Calculate(const TRect& row_rect) {
  TlxCustomRowViewInfo::Calculate(row_rect);
  ItemCaptionRect = LinkTextRect(*this, kLxFilterItemFont, ItemCaption, ButtonRect.Right);
  OperatorCaption = lxFilterOperatorCaption(Operator);
  OperatorCaptionRect = LinkTextRect(*this, kLxFilterOperatorFont, OperatorCaption, ItemCaptionRect.Right);
  Values().Calculate();
}

int32_t TlxConditionViewInfo::MeasureWidth() const {
  int32_t operand_width = 0;
  const TlxValuesViewInfo& values = Values();
  if (TakesOperands() && IsListOperator())
    operand_width = values.PlusButtonRect.Right - OperatorCaptionRect.Right;
  else if (TakesOperands() && values.Count() > 0)
    operand_width = values.Item(values.Count() - 1).OperandRect.Right - OperatorCaptionRect.Right;
  return TlxCustomRowViewInfo::MeasureWidth() + ItemCaptionRect.Width() + OperatorCaptionRect.Width() +
         operand_width + 16;
}

void TlxConditionViewInfo::HitTest(const TPoint& point, TlxFilterBuilderHitInfo& hit_info) {
  TlxCustomRowViewInfo::HitTest(point, hit_info);
  if (hit_info.Kind != fhkNone)
    return;
  if (ItemCaptionRect.Contains(point))
    hit_info.Kind = fhkItem;
  else if (OperatorCaptionRect.Contains(point))
    hit_info.Kind = fhkOperator;
  else
    Values().HitTest(point, hit_info);
}

// --- operands -------------------------------------------------------------------

void TlxValuesViewInfo::Calculate() {
  TlxConditionViewInfo& condition = *condition_;
  if (!condition.TakesOperands()) {
    for (auto& value : list_)
      value->OperandRect = TRect();
    PlusButtonRect = TRect();
    return;
  }
  TlxFilterBuilder& control = *condition.Control();
  TlxFilterControlViewInfo& view_info = control.ViewInfo();
  IlxFilterTextMeasurer& measurer = view_info.Measurer();
  int32_t pen = condition.OperatorCaptionRect.Right + 8;
  Separator.clear();
  if (condition.IsRangeOperator()) {
    Separator = lxGetFilterResString(lxSFilterAndCaption);
  } else if (condition.IsListOperator()) {
    pen += measurer.TextExtent(kLxFilterOperandFont, "(").cx;
    Separator = ", ";
  }
  const int32_t separator_width = measurer.TextExtent(kLxFilterOperandFont, Separator).cx;
  for (int32_t i = 0; i < Count(); ++i) {
    TlxValueInfo& value = Item(i);
    const bool highlighted =
        (IsHotElement(control, &condition, fhkOperand, i) && control.EditMode == femNone) ||
        (control.Host().HasFocus() && IsFocusedElement(control, &condition, fhkOperand, i) && control.IsHotTrackOn());
    TSize size = measurer.MeasureOperand(condition, value, highlighted);
    if (highlighted)
      size.cx = std::max(size.cx, view_info.MinOperandWidth);
    value.OperandRect = lxCenterRectVert(condition.RowRect, pen, size.cx, size.cy);
    measurer.PlaceOperand(condition, value, highlighted);
    if (condition.Operator >= fcoBetween && condition.Operator <= fcoNotInList)
      pen += value.OperandRect.Width() + separator_width + 8;
    else
      pen += value.OperandRect.Width() + 4;
  }
  if (!condition.IsListOperator() || Count() == 0) {
    PlusButtonRect = TRect();
    return;
  }
  const int32_t left = Item(Count() - 1).OperandRect.Right + measurer.TextExtent(kLxFilterOperandFont, ")0").cx;
  PlusButtonRect = lxCenterRectVert(condition.RowRect, left, measurer.TextExtent(kLxFilterOperandFont, "000").cx,
                                    condition.RowRect.Height() - 4);
  if (!view_info.Active)
    PlusButtonState = lxbsDisabled;
  else if (IsFocusedElement(control, &condition, fhkAddValue))
    PlusButtonState = lxbsDefault;
  else if (IsHotElement(control, &condition, fhkAddValue))
    PlusButtonState = lxbsHot;
  else
    PlusButtonState = lxbsNormal;
}

void TlxValuesViewInfo::HitTest(const TPoint& point, TlxFilterBuilderHitInfo& hit_info) {
  if (PlusButtonRect.Contains(point)) {
    hit_info.Kind = fhkAddValue;
    return;
  }
  if (!condition_->TakesOperands())
    return;
  for (int32_t i = 0; i < Count(); ++i) {
    if (Item(i).OperandRect.Contains(point)) {
      hit_info.Kind = fhkOperand;
      hit_info.OperandIndex = i;
      return;
    }
  }
}

// --- the whole layout -----------------------------------------------------------

TlxFilterControlViewInfo::TlxFilterControlViewInfo(TlxFilterBuilder& control, IlxFilterTextMeasurer& measurer)
    : control_(control), measurer_(measurer) {
  FooterCaption = lxFilterControlResString(lxSFilterFooterAddCondition);
}

void TlxFilterControlViewInfo::Calculate() {
  const TRect client = control_.Host().ClientBounds();
  Active = control_.HasItems() && control_.Host().IsEnabled();
  FooterCaption = lxFilterControlResString(lxSFilterFooterAddCondition);
  LineHeight = measurer_.TextExtent(kLxFilterControlFont, "Yy").cy;
  MinOperandWidth = measurer_.TextExtent(kLxFilterControlFont, "0").cx * 12;
  for (int32_t font : {kLxFilterBoolOperatorFont, kLxFilterItemFont, kLxFilterOperatorFont})
    LineHeight = std::max(LineHeight, measurer_.TextExtent(font, "Yy").cy);
  // max(line, editor) * 3 / 2, rounded to the nearest.
  const int32_t tallest = std::max(LineHeight, measurer_.EditorTextHeight());
  LineHeight = (tallest * 3 + 1) / 2;

  TRect row = Rect(client.Left - control_.LeftOffset(), client.Top, client.Right, client.Top + LineHeight)
                  .Offset(0, -control_.TopRow() * LineHeight);
  ContentWidth = 0;
  for (TlxCustomRowViewInfo* item : control_.RowList()) {
    item->Calculate(row);
    ContentWidth = std::max(ContentWidth, item->MeasureWidth());
    row = row.Offset(0, LineHeight);
  }
  const int32_t indent = control_.RowList().empty() ? 0 : control_.RowList().back()->Indent;
  const TRect footer(row.Left + indent + 4, row.Top, row.Right, row.Bottom);
  const int32_t footer_width = measurer_.TextExtent(kLxFilterControlFont, FooterCaption + "00").cx;
  FooterButtonRect = lxCenterRectVert(footer, footer.Left, footer_width, LineHeight - 4);
  ContentWidth = std::max(ContentWidth, FooterButtonRect.Width() + indent + 4);
  UpdateButtonState(false);
  CalculateFocusRect();
}

void TlxFilterControlViewInfo::UpdateButtonState(bool invalidate) {
  const TlxButtonState old_state = FooterButtonState;
  if (!Active)
    FooterButtonState = lxbsDisabled;
  else if (control_.FocusedInfo.Kind == fhkFooterButton)
    FooterButtonState = lxbsDefault;
  else if (control_.IsHotTrackOn() && control_.HotInfo.Kind == fhkFooterButton)
    FooterButtonState = lxbsHot;
  else
    FooterButtonState = lxbsNormal;
  CalculateFocusRect();
  if (invalidate && old_state != FooterButtonState)
    control_.Host().RepaintRect(FooterButtonRect, true);
}

void TlxFilterControlViewInfo::CalculateFocusRect() {
  FocusRect = TRect();
  if (!control_.HasItems()) {
    FocusRect = control_.Host().ClientBounds().Inflate(-2, -2);
    return;
  }
  const TlxFilterBuilderHitInfo& focused = control_.FocusedInfo;
  TRect element;
  if (focused.Kind == fhkBoolOperator) {
    if (const auto* group = dynamic_cast<const TlxGroupViewInfo*>(focused.Row))
      element = group->GroupOperatorRect;
  } else if (const auto* condition = dynamic_cast<const TlxConditionViewInfo*>(focused.Row)) {
    if (focused.Kind == fhkItem)
      element = condition->ItemCaptionRect;
    else if (focused.Kind == fhkOperator)
      element = condition->OperatorCaptionRect;
    else if (focused.Kind == fhkOperand && focused.OperandIndex >= 0 &&
             focused.OperandIndex < condition->Values().Count())
      element = condition->Values().Item(focused.OperandIndex).OperandRect;
  }
  if (!element.IsEmpty())
    FocusRect = element.Inflate(1, 1);
}

void TlxFilterControlViewInfo::HitTest(uint32_t shift, const TPoint& point, TlxFilterBuilderHitInfo& hit_info) {
  hit_info.Kind = fhkNone;
  hit_info.Point = point;
  hit_info.Shift = shift;
  hit_info.Row = control_.FocusedInfo.Row != nullptr ? control_.FocusedInfo.Row : &control_.Root();
  hit_info.OperandIndex = -1;
  if (!control_.Host().ClientBounds().Contains(point))
    return;
  if (FooterButtonRect.Contains(point)) {
    hit_info.Kind = fhkFooterButton;
    return;
  }
  const std::vector<TlxCustomRowViewInfo*>& rows = control_.RowList();
  for (size_t i = static_cast<size_t>(std::max(control_.TopRow(), 0)); i < rows.size(); ++i) {
    if (rows[i]->RowRect.Contains(point)) {
      hit_info.Row = rows[i];
      rows[i]->HitTest(point, hit_info);
      return;
    }
  }
}

void TlxFilterControlViewInfo::InvalidateRow(TlxCustomRowViewInfo* row) {
  if (row == nullptr)
    return;
  row->Calculate(row->RowRect);
  control_.Host().RepaintRect(row->RowRect, false);
}
