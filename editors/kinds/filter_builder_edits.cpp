// The filter builder's structure edits, focus movement, layout and
// scrolling.
#include <algorithm>

#include "editors/kinds/filter_builder.h"
#include "platform/rtl/scope.h"

// --- structure edits -------------------------------------------------------------

TlxGroupViewInfo* TlxFilterBuilder::NearestGroup(TlxCustomRowViewInfo* row) const {
  if (row == nullptr)
    return root_.get();
  if (auto* group = dynamic_cast<TlxGroupViewInfo*>(row))
    return group;
  return row->Parent() != nullptr ? row->Parent() : root_.get();
}

void TlxFilterBuilder::AddCondition(TlxCustomRowViewInfo* row) {
  if (!HasItems())
    return;
  TlxGroupViewInfo* group = NearestGroup(row != nullptr ? row : row_list_.back());
  TlxCustomRowViewInfo* condition = group->AppendRow(std::make_unique<TlxConditionViewInfo>(this, nullptr, group));
  RebuildRowList();
  // Through the footer first, so that the new last row scrolls into view.
  FocusedInfo.Kind = fhkFooterButton;
  MakeFocusedVisible();
  FocusedInfo.Row = condition;
  FocusedInfo.Kind = fhkItem;
  FocusedInfo.OperandIndex = -1;
  view_info_->Calculate();
  host_.Repaint();
}

void TlxFilterBuilder::AddGroup() {
  if (!HasItems())
    return;
  TlxGroupViewInfo* parent = NearestGroup(FocusedInfo.Row);
  TlxCustomRowViewInfo* group = parent->AppendRow(std::make_unique<TlxGroupViewInfo>(this, nullptr, parent));
  RebuildRowList();
  AddCondition(group);
}

void TlxFilterBuilder::AddOperandValue() {
  TlxConditionViewInfo* condition = FocusedCondition();
  if (!HasItems() || condition == nullptr)
    return;
  condition->Values().AddOperand();
  FocusedInfo.Kind = fhkOperand;
  FocusedInfo.OperandIndex = condition->Values().Count() - 1;
  view_info_->Calculate();
  left_offset_ = std::max(view_info_->ContentWidth - host_.ClientBounds().Right + 2, 0);
  RequestLayout();
}

void TlxFilterBuilder::RemoveFocused() {
  TlxConditionViewInfo* condition = FocusedCondition();
  if (condition != nullptr && FocusedInfo.Kind == fhkOperand && condition->IsListOperator() &&
      condition->Values().Count() > 1)
    RemoveOperandValue();
  else
    RemoveRow();
}

void TlxFilterBuilder::RemoveRow() {
  TlxCustomRowViewInfo* row = FocusedInfo.Row;
  if (!HasItems() || row == nullptr || row == root_.get())
    return;
  // A group left without conditions goes with its last one.
  while (row->Parent() != root_.get() && row->Parent()->RowCount() == 1)
    row = row->Parent();
  const int32_t index = RowIndex(row);
  TlxCustomRowViewInfo* previous = index > 0 ? row_list_[static_cast<size_t>(index - 1)] : root_.get();
  row->Parent()->FreeRow(row);
  FocusedInfo.Row = previous;
  FocusedInfo.Kind = previous->IsGroup() ? fhkBoolOperator : fhkItem;
  FocusedInfo.OperandIndex = -1;
  HotInfo = TlxFilterBuilderHitInfo();
  RebuildRowList();
  view_info_->Calculate();
  host_.ScrollRangeChanged();
  MakeFocusedVisible();
}

void TlxFilterBuilder::RemoveOperandValue() {
  TlxConditionViewInfo* condition = FocusedCondition();
  if (!HasItems() || condition == nullptr)
    return;
  condition->Values().DeleteOperand(FocusedInfo.OperandIndex);
  if (FocusedInfo.OperandIndex > 0)
    --FocusedInfo.OperandIndex;
  view_info_->Calculate();
  host_.ScrollRangeChanged();
  MakeFocusedVisible();
}

// --- focus movement --------------------------------------------------------------

void TlxFilterBuilder::SetFocusedElement(uint8_t kind, int32_t operand_index) {
  FocusedInfo.Kind = kind;
  if (TlxConditionViewInfo* condition = FocusedCondition())
    if (operand_index >= 0 && operand_index < condition->Values().Count())
      FocusedInfo.OperandIndex = operand_index;
  view_info_->Calculate();
  MakeFocusedVisible();
}

void TlxFilterBuilder::FocusRow(TlxCustomRowViewInfo* row) {
  FocusedInfo.Row = row;
  SetFocusedElement(row->IsGroup() ? fhkBoolOperator : fhkItem);
}

void TlxFilterBuilder::FocusLastElement(TlxCustomRowViewInfo* row) {
  FocusedInfo.Row = row;
  auto* condition = dynamic_cast<TlxConditionViewInfo*>(row);
  if (condition == nullptr)
    SetFocusedElement(fhkBoolOperator);
  else if (condition->IsListOperator())
    SetFocusedElement(fhkAddValue, condition->Values().Count() - 1);
  else if (condition->TakesOperands() && condition->Values().Count() > 0)
    SetFocusedElement(fhkOperand, condition->Values().Count() - 1);
  else
    SetFocusedElement(fhkOperator);
}

void TlxFilterBuilder::FocusNext(bool wrap) {
  TlxCustomRowViewInfo* row = FocusedInfo.Row;
  if (row == nullptr)
    return;
  TlxConditionViewInfo* condition = FocusedCondition();
  switch (FocusedInfo.Kind) {
    case fhkRowButton:
      SetFocusedElement(row->IsGroup() ? fhkBoolOperator : fhkItem);
      break;
    case fhkBoolOperator:
    case fhkAddValue:
      if (wrap)
        FocusDown(true);
      break;
    case fhkItem:
      SetFocusedElement(fhkOperator);
      break;
    case fhkOperator:
      if (condition != nullptr && condition->TakesOperands())
        SetFocusedElement(fhkOperand, 0);
      else if (wrap)
        FocusDown(true);
      break;
    case fhkOperand:
      if (condition == nullptr)
        break;
      if (FocusedInfo.OperandIndex + 1 < condition->Values().Count())
        SetFocusedElement(fhkOperand, FocusedInfo.OperandIndex + 1);
      else if (condition->IsListOperator())
        SetFocusedElement(fhkAddValue);
      else if (wrap)
        FocusDown(true);
      break;
    case fhkFooterButton:
      if (!wrap)
        FocusRow(row_list_.back());
      break;
    default:
      break;
  }
}

void TlxFilterBuilder::FocusPrev(bool wrap) {
  switch (FocusedInfo.Kind) {
    case fhkRowButton:
      if (wrap)
        FocusUp(true);
      break;
    case fhkFooterButton:
      FocusUp(wrap);
      break;
    case fhkBoolOperator:
    case fhkItem:
      SetFocusedElement(fhkRowButton);
      break;
    case fhkOperator:
      SetFocusedElement(fhkItem);
      break;
    case fhkOperand:
      if (FocusedInfo.OperandIndex > 0)
        SetFocusedElement(fhkOperand, FocusedInfo.OperandIndex - 1);
      else
        SetFocusedElement(fhkOperator);
      break;
    case fhkAddValue:
      SetFocusedElement(fhkOperand, FocusedInfo.OperandIndex);
      break;
    default:
      break;
  }
}

void TlxFilterBuilder::FocusDown(bool wrap) {
  if (FocusedInfo.Kind == fhkFooterButton)
    return;
  const int32_t index = RowIndex(FocusedInfo.Row);
  if (index < 0 || index + 1 >= static_cast<int32_t>(row_list_.size())) {
    SetFocusedElement(fhkFooterButton);
    return;
  }
  TlxCustomRowViewInfo* next = row_list_[static_cast<size_t>(index + 1)];
  if (wrap) {
    FocusedInfo.Row = next;
    SetFocusedElement(fhkRowButton);
  } else {
    FocusRow(next);
  }
}

void TlxFilterBuilder::FocusUp(bool wrap) {
  TlxCustomRowViewInfo* target = nullptr;
  if (FocusedInfo.Kind == fhkFooterButton) {
    target = row_list_.back();
  } else {
    const int32_t index = RowIndex(FocusedInfo.Row);
    if (index <= 0)
      return;
    target = row_list_[static_cast<size_t>(index - 1)];
  }
  if (wrap)
    FocusLastElement(target);
  else
    FocusRow(target);
}

TRect TlxFilterBuilder::FocusedElementRect() const {
  const TlxFilterBuilderHitInfo& focused = FocusedInfo;
  if (focused.Kind == fhkFooterButton)
    return view_info_->FooterButtonRect;
  if (focused.Row == nullptr)
    return TRect();
  if (focused.Kind == fhkRowButton) {
    TRect rect = focused.Row->ButtonRect;
    if (focused.Row == root_.get())
      rect.Left -= 4;
    return rect;
  }
  if (focused.Kind == fhkBoolOperator) {
    const auto* group = dynamic_cast<const TlxGroupViewInfo*>(focused.Row);
    return group != nullptr ? group->GroupOperatorRect : TRect();
  }
  const TlxConditionViewInfo* condition = FocusedCondition();
  if (condition == nullptr)
    return TRect();
  switch (focused.Kind) {
    case fhkItem:
      return condition->ItemCaptionRect;
    case fhkOperator:
      return condition->OperatorCaptionRect;
    case fhkOperand:
      if (focused.OperandIndex >= 0 && focused.OperandIndex < condition->Values().Count())
        return condition->Values().Item(focused.OperandIndex).OperandRect;
      return TRect();
    case fhkAddValue:
      return condition->Values().PlusButtonRect;
    default:
      return TRect();
  }
}

void TlxFilterBuilder::MakeFocusedVisible() {
  const TRect client = host_.ClientBounds();
  const int32_t index = std::max(RowIndex(FocusedInfo.Row), 0);
  if (index < top_row_) {
    top_row_ = index;
  } else {
    int32_t bottom = FocusedInfo.Kind == fhkFooterButton || FocusedInfo.Row == nullptr
                         ? view_info_->FooterButtonRect.Bottom
                         : FocusedInfo.Row->RowRect.Bottom;
    while (bottom > client.Bottom && top_row_ < static_cast<int32_t>(row_list_.size())) {
      ++top_row_;
      bottom -= view_info_->LineHeight;
    }
  }
  TRect rect = FocusedElementRect();
  if (!rect.IsEmpty()) {
    const int32_t left_before = rect.Left;
    if (rect.Right >= client.Right)
      rect = rect.Offset(client.Right - 2 - rect.Right, 0);
    if (rect.Left < client.Left)
      rect = rect.Offset(client.Left - rect.Left, 0);
    left_offset_ = std::max(0, left_offset_ + left_before - rect.Left);
  }
  view_info_->Calculate();
  host_.ScrollRangeChanged();
  host_.Repaint();
}

// --- layout and scrolling ---------------------------------------------------------

void TlxFilterBuilder::LayoutChanged() {
  TlxFilterControlViewInfo& view_info = *view_info_;
  view_info.Calculate();
  const TRect client = host_.ClientBounds();
  while (top_row_ > 0 && client.Bottom - view_info.FooterButtonRect.Bottom >= view_info.LineHeight + 2) {
    --top_row_;
    view_info.Calculate();
  }
  if (left_offset_ > 0) {
    const int32_t excess = client.Right + left_offset_ - view_info.ContentWidth - 2;
    if (excess > 0) {
      left_offset_ = std::max(0, left_offset_ - excess);
      view_info.Calculate();
    }
  }
  host_.ScrollRangeChanged();
  host_.Repaint();
}

void TlxFilterBuilder::RequestLayout() {
  if (lock_count_ > 0 || !host_.CanLayout())
    return;
  TStateScope locked(lock_count_, lock_count_ + 1);
  LayoutChanged();
}

void TlxFilterBuilder::UnlockLayout() {
  if (lock_count_ > 0)
    --lock_count_;
  RequestLayout();
}

int32_t TlxFilterBuilder::VisibleRowCount() {
  const int32_t line_height = view_info_->LineHeight;
  return line_height > 0 ? host_.ClientBounds().Height() / line_height : 0;
}

void TlxFilterBuilder::SetTopRow(int32_t row) {
  // The lower bound last: with fewer rows than fit, the range is empty and
  // the first row stays on top.
  row = std::min(row, static_cast<int32_t>(row_list_.size()) - VisibleRowCount() + 1);
  row = std::max(row, 0);
  if (row == top_row_)
    return;
  top_row_ = row;
  RequestLayout();
}

void TlxFilterBuilder::SetLeftOffset(int32_t offset) {
  offset = std::min(offset, view_info_->ContentWidth - host_.ClientBounds().Width() + 1);
  offset = std::max(offset, 0);
  if (offset == left_offset_)
    return;
  left_offset_ = offset;
  RequestLayout();
}
