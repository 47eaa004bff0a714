#include "editors/kinds/check_list_box_win.h"

#include <algorithm>

#include "editors/container_routines_win.h"
#include "editors/edit_properties.h"
#include "editors/list_box_integral_height.h"
#include "editors/list_box_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/gdi_holders.h"
#include "ui/foundation/themes/theme_manager_win.h"

namespace {

bool IsListBoxMessage(UINT message) { return message >= LB_ADDSTRING && message <= 0x1B0; }

int32_t TextWidth(TFont& font, const std::string& text) {
  TWindowDC screen;
  TSelectedObject selected(screen.Handle(), font.Handle());
  const std::u16string wide = Utf8ToUtf16(text);
  SIZE size{};
  GetTextExtentPoint32W(screen.Handle(), reinterpret_cast<LPCWSTR>(wide.c_str()), static_cast<int>(wide.size()),
                        &size);
  return size.cx;
}

TlxEditBorderStyle CheckBorderStyleFor(TlxLookAndFeelKind kind) {
  switch (kind) {
    case lfFlat:
      return ebsFlat;
    case lfStandard:
      return ebs3D;
    case lfUltraFlat:
      return ebsUltraFlat;
    case lfOffice11:
      return ebsOffice11;
  }
  return ebsUltraFlat;
}

}  // namespace

void TlxCheckListBox::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCheckListBox>();
  p.Boolean("AllowDblClickToggle", &TlxCheckListBox::AllowDblClickToggle, &TlxCheckListBox::SetAllowDblClickToggle,
            true);
  p.Boolean("AllowGrayed", &TlxCheckListBox::AllowGrayed, &TlxCheckListBox::SetAllowGrayed, false);
  p.Boolean("AutoComplete", &TlxCheckListBox::AutoComplete, &TlxCheckListBox::SetAutoComplete, true);
  p.Integer("AutoCompleteDelay", &TlxCheckListBox::AutoCompleteDelay, &TlxCheckListBox::SetAutoCompleteDelay, 500);
  p.Integer("Columns", &TlxCheckListBox::Columns, &TlxCheckListBox::SetColumns, 0);
  p.Enumeration("EditValueFormat", &TlxCheckListBox::EditValueFormat, &TlxCheckListBox::SetEditValueFormat,
                {"cvfCaptions", "cvfIndices", "cvfInteger", "cvfStatesString"},
                std::optional<TlxCheckStatesValueFormat>(cvfInteger));
  p.Integer("GlyphCount", &TlxCheckListBox::GlyphCount, &TlxCheckListBox::SetGlyphCount, 6);
  p.Reference<TCustomImageList>("Images", &TlxCheckListBox::Images, &TlxCheckListBox::SetImages);
  p.Enumeration("ImageLayout", &TlxCheckListBox::ImageLayout, &TlxCheckListBox::SetImageLayout,
                {"ilBeforeChecks", "ilAfterChecks"}, std::optional<TlxCheckListBoxImageLayout>(ilBeforeChecks));
  p.Boolean("IntegralHeight", &TlxCheckListBox::IntegralHeight, &TlxCheckListBox::SetIntegralHeight, false);
  p.Persistent("Items", TlxCheckListBoxItems::kClass, &TlxCheckListBox::ItemsObject);
  p.Boolean("ReadOnly", &TlxCheckListBox::ReadOnly, &TlxCheckListBox::SetReadOnly, false);
  p.Integer("ScrollWidth", &TlxCheckListBox::ScrollWidth, &TlxCheckListBox::SetScrollWidth, 0);
  p.Boolean("ShowChecks", &TlxCheckListBox::ShowChecks, &TlxCheckListBox::SetShowChecks, true);
  p.Boolean("Sorted", &TlxCheckListBox::Sorted, &TlxCheckListBox::SetSorted, false);
  p.Integer("TabWidth", &TlxCheckListBox::TabWidth, &TlxCheckListBox::SetTabWidth, 0);
}

TlxCustomCheckListBox::TlxCustomCheckListBox(TComponent* owner, const TlxDataBindingClass& binding_class,
                                             TlxInnerCheckListBoxClass inner_class)
    : TlxContainer(owner), data_binding_class_(binding_class), inner_class_(inner_class) {
  data_binding_ = binding_class.Create(this, this);
  data_binding_->SetBoundControl(this);
  data_binding_->OnDataChange = [this](TObject*) { ReadBoundValue(); };
  data_binding_->OnStateChange = [this](TObject*) { RefreshViewNow(); };
  data_binding_->OnUpdateData = [this](TObject*) { WriteBoundValue(); };
  inner_ = lxCreateInnerControl<TlxCustomInnerCheckListBox>(inner_class, this);
  inner_->SetContainer(this);
  inner_->SetParent(this);
  inner_->LookAndFeel().SetMaster(GetStyle()->LookAndFeel());
  SetInnerControl(inner_);
  images_change_link_ = std::make_unique<TChangeLink>();
  images_change_link_->OnChange = [this](TObject*) { inner_->RecalcItemHeight(); };
  sort_list_ = std::make_unique<TStringList>();
  UpdateCheckStyle();
  SetBounds(Left(), Top(), 121, 97);
}

TlxCustomCheckListBox::~TlxCustomCheckListBox() {
  Destroying();
  if (images_ != nullptr)
    images_->UnRegisterChanges(images_change_link_.get());
  SetInnerControl(nullptr);
  delete inner_;
  inner_ = nullptr;
}

void TlxCustomCheckListBox::DoEditValueChanged() {
  if (OnEditValueChanged)
    OnEditValueChanged(this);
}

void TlxCustomCheckListBox::SetEditValue(const Variant& value) {
  const Variant previous = edit_value_;
  from_states_ = false;
  edit_value_ = value;
  inner_->EditValueToStates();
  if (!lxVarEqualsStrict(previous, edit_value_))
    DoEditValueChanged();
}

void TlxCustomCheckListBox::TakeEditValueFromStates(const Variant& value) {
  const Variant previous = edit_value_;
  edit_value_ = value;
  from_states_ = true;
  if (!lxVarEqualsStrict(previous, edit_value_))
    DoEditValueChanged();
}

bool TlxCustomCheckListBox::IsValidEditValue(const Variant& value, bool allow_empty) const {
  if (lxIsValueNullOrEmpty(value))
    return allow_empty;
  if (VarIsNumeric(value) || value.Type() == VarFMTBcd())
    return true;
  if (!value.IsText())
    return false;
  const std::string text = VarToStr(value);
  return lxIsValidIntegerText(text) || lxIsValidFloatText(text);
}

void TlxCustomCheckListBox::SetEditValueFormat(TlxCheckStatesValueFormat value) {
  if (value == edit_value_format_)
    return;
  edit_value_format_ = value;
  if (!from_states_) {
    inner_->EditValueToStates();
    return;
  }
  if (value == cvfInteger) {
    TlxCheckStatesLock lock(Items(), false);
    for (int32_t index = 0; index < Items().Count(); ++index)
      if (Items().GetItem(index)->State() == cbsGrayed)
        Items().GetItem(index)->SetState(cbsUnchecked);
  }
  inner_->StatesToEditValue();
}

int32_t TlxCustomCheckListBox::GetHeightForRows(int32_t row_count) {
  const TRect extent = GetBorderExtent();
  return row_count * inner_->ItemHeight() + extent.Top + extent.Bottom;
}

int32_t TlxCustomCheckListBox::GetWidthForItem(int32_t index) {
  const TRect extent = GetBorderExtent();
  const std::string text = index >= 0 && index < Items().Count() ? Items().GetItem(index)->Text() : std::string();
  return extent.Left + extent.Right + inner_->GetCheckAreaWidth() + TextWidth(Font(), text) +
         inner_->Metrics().ExtraWidth;
}

int32_t TlxCustomCheckListBox::CalcWidthToFitItems() {
  int32_t widest = 0;
  for (int32_t index = 0; index < Items().Count(); ++index)
    widest = std::max(widest, TextWidth(inner_->Font(), Items().GetItem(index)->Text()));
  const TRect extent = GetBorderExtent();
  return extent.Left + extent.Right + inner_->GetCheckAreaWidth() + inner_->Metrics().ExtraWidth + widest;
}

int32_t TlxCustomCheckListBox::ItemIndexAtPoint(const TPoint& point, bool existing) const {
  return inner_->ItemAtPos(TPoint(point.X - inner_->Left(), point.Y - inner_->Top()), existing);
}

TRect TlxCustomCheckListBox::GetItemRect(int32_t index) const {
  return inner_->ItemRect(index).Offset(inner_->Left(), inner_->Top());
}

void TlxCustomCheckListBox::SetColumns(int32_t value) {
  inner_->SetColumns(value);
  SyncScrollBarsWithInnerControl(false);
}

void TlxCustomCheckListBox::SetScrollWidth(int32_t value) {
  inner_->SetScrollWidth(value);
  SyncScrollBarsWithInnerControl(false);
}

void TlxCustomCheckListBox::SetImages(TCustomImageList* value) {
  if (value == images_)
    return;
  if (images_ != nullptr) {
    images_->UnRegisterChanges(images_change_link_.get());
    images_->RemoveFreeNotification(this);
  }
  images_ = value;
  if (images_ != nullptr) {
    images_->RegisterChanges(images_change_link_.get());
    images_->FreeNotification(this);
  }
  inner_->RecalcItemHeight();
}

void TlxCustomCheckListBox::Notification(TComponent* component, TOperation operation) {
  TlxContainer::Notification(component, operation);
  if (operation == opRemove && component != nullptr && component == images_) {
    images_ = nullptr;
    if (inner_ != nullptr)
      inner_->RecalcItemHeight();
  }
}

void TlxCustomCheckListBox::SetImageLayout(TlxCheckListBoxImageLayout value) {
  if (value == image_layout_)
    return;
  image_layout_ = value;
  inner_->InvalidateChecks();
}

void TlxCustomCheckListBox::SetIntegralHeight(bool value) {
  if (value == integral_height_)
    return;
  integral_height_ = value;
  PlaceInnerControl();
}

void TlxCustomCheckListBox::SetItems(const TlxCheckListBoxItems& items) {
  Items().Assign(&items);
  ReadBoundValue();
}

void TlxCustomCheckListBox::SetShowChecks(bool value) {
  if (value == show_checks_)
    return;
  show_checks_ = value;
  inner_->RecalcItemHeight();
  data_binding_->Reset();
}

void TlxCustomCheckListBox::SetSorted(bool value) {
  if (value == sorted_)
    return;
  sorted_ = value;
  if (sorted_)
    SortItems();
}

void TlxCustomCheckListBox::SortItems() {
  if (sorting_)
    return;
  TStateScope<bool> sorting(sorting_, true);
  TlxCheckListBoxItems& items = Items();
  // The states are the truth while the lines move: the value follows them.
  inner_->StatesToEditValue();
  while (sort_list_->Count() > items.Count())
    sort_list_->Delete(sort_list_->Count() - 1);
  while (sort_list_->Count() < items.Count())
    sort_list_->Add(std::string());
  for (int32_t index = 0; index < items.Count(); ++index) {
    sort_list_->Put(index, items.GetItem(index)->Text());
    sort_list_->PutObject(index, items.GetItem(index));
  }
  sort_list_->CustomSort([](const TStringList& list, int32_t i, int32_t j) {
    const int order = AnsiCompareText(list[i], list[j]);
    if (order != 0)
      return order;
    // Equal texts keep their order.
    const int32_t a = static_cast<TlxCheckListBoxItem*>(list.Objects(i))->Index();
    const int32_t b = static_cast<TlxCheckListBoxItem*>(list.Objects(j))->Index();
    return a < b ? -1 : (a > b ? 1 : 0);
  });
  {
    TUpdateScope update(items);
    for (int32_t index = 0; index < sort_list_->Count(); ++index)
      static_cast<TlxCheckListBoxItem*>(sort_list_->Objects(index))->SetIndex(index);
  }
  inner_->InvalidateChecks();
}

void TlxCustomCheckListBox::UpdateCheckStyle() {
  const TlxLookAndFeel* look_and_feel = GetStyle()->LookAndFeel();
  native_checks_ = look_and_feel != nullptr && look_and_feel->NativeStyle() && lxThemeAvailableFor(totButton) &&
                   lxThemeAvailableFor(totComboBox);
  if (!native_checks_ && look_and_feel != nullptr)
    check_border_style_ = CheckBorderStyleFor(look_and_feel->Kind());
}

void TlxCustomCheckListBox::HandleStyleChange(TObject* style) {
  TlxContainer::HandleStyleChange(style);
  UpdateCheckStyle();
  if (inner_ != nullptr)
    inner_->RecalcItemHeight();
}

void TlxCustomCheckListBox::ReadBoundValue() {
  if (show_checks_) {
    SetEditValue(data_binding_->GetStoredValue());
    return;
  }
  int32_t found = -1;
  if (data_binding_->IsDataAvailable())
    found = Items().IndexOfText(VarToStr(data_binding_->GetStoredValue()));
  SetItemIndex(found);
}

void TlxCustomCheckListBox::WriteBoundValue() {
  if (show_checks_) {
    data_binding_->SetStoredValue(edit_value_);
    return;
  }
  const int32_t index = ItemIndex();
  const bool selected = index >= 0 && index < Items().Count();
  data_binding_->SetStoredValue(Variant(selected ? Items().GetItem(index)->Text() : std::string()));
}

void TlxCustomCheckListBox::DoExit() {
  if (!IsBeingDestroyed() && !exiting_) {
    TStateScope<bool> exiting(exiting_, true);
    TScopeFail refocus([this] {
      if (CanFocus())
        SetFocus();
    });
    data_binding_->CommitData();
  }
  TlxContainer::DoExit();
}

void TlxCustomCheckListBox::Loaded() {
  TlxContainer::Loaded();
  data_binding_->Reset();
  if (inner_->HandleAllocated())
    inner_->RecreateWnd();
}

void TlxCustomCheckListBox::GetChildren(const TGetChildProc& proc, TComponent* root) {
  TlxContainer::GetChildren(
      [this, &proc](TComponent* child) {
        if (child != inner_)
          proc(child);
      },
      root);
}

void TlxCustomCheckListBox::DrawListItem(TlxCanvas& canvas, int32_t index, const TRect& rect,
                                         TOwnerDrawState state) {
  if (index >= 0 && index < Items().Count()) {
    const TlxCheckListBoxItem* item = Items().GetItem(index);
    TlxContainerStyle* style = GetCurrentStyle();
    if (TFont* font = style->GetTextFont())
      canvas.AssignFont(*font);
    const TlxCheckListBoxGeometry geometry = inner_->Geometry();
    const TRect row = lxCheckListWholeRow(geometry, rect);
    TRect text_rect = rect;
    text_rect.Left += inner_->Metrics().TextIndent;
    const bool enabled = Enabled() && item->Enabled();
    const TColor background = ViewInfo().BackgroundColor;
    // The area in front of the text keeps the list's own colour.
    canvas.FillRectColor(TRect(row.Left, row.Top, rect.Left, row.Bottom), background);
    if (show_checks_) {
      TlxCheckButtonState paint_state = cbnNormal;
      if (!enabled)
        paint_state = cbnDisabled;
      else if (index == inner_->HotCheck())
        paint_state = cbnHot;
      else if (index == inner_->DrawnPressedCheck())
        paint_state = cbnPressed;
      inner_->DrawCheck(canvas, row, item->State(), paint_state);
    }
    if (images_ != nullptr && item->ImageIndex() >= 0 && item->ImageIndex() < images_->Count()) {
      const TRect image = lxCheckListImageRect(geometry, row);
      images_->Draw(canvas.Canvas(), image.Left, image.Top, item->ImageIndex(), enabled);
    }
    const bool selected = state.Contains(odSelected) && !ComponentState().Contains(csDesigning);
    TColor fill = background;
    TColor text_color = style->GetTextColor();
    if (selected) {
      fill = clHighlight;
      text_color = clHighlightText;
    } else if (!enabled) {
      text_color = GetStyleDisabled()->GetTextColor();
    }
    canvas.FillRectColor(rect, fill);
    canvas.Font().SetColor(text_color);
    canvas.Brush().SetStyle(bsClear);
    TlxCanvasTextFlags flags = lxtfLeft | lxtfCenterY | lxtfSingleLine;
    if (TabWidth() > 0)
      flags |= lxtfExpandTabs;
    canvas.DrawTextInRect(item->Text(), text_rect, flags);
    canvas.Brush().SetStyle(bsSolid);
    if (state.Contains(odFocused))
      canvas.DrawFocusFrame(rect);
  } else {
    canvas.FillRectColor(rect, ViewInfo().BackgroundColor);
  }
  if (OnDrawItem)
    OnDrawItem(this, index, rect, state);
}

bool TlxCustomCheckListBox::SnapsHeight() const {
  return lxListBoxSnapsHeight(*this, integral_height_);
}

int32_t TlxCustomCheckListBox::SnapHeight(int32_t height) {
  if (!SnapsHeight())
    return height;
  const int32_t row_height = inner_->ItemHeight();
  return lxSnapListBoxHeight(*this, ItemCount(), ScrollWidth(), [row_height](int32_t) { return row_height; }, height);
}

void TlxCustomCheckListBox::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxContainer::SetBounds(left, top, width, inner_ != nullptr ? SnapHeight(height) : height);
}

void TlxCustomCheckListBox::PlaceInnerControl() {
  if (inner_ == nullptr)
    return;
  const int32_t snapped = SnapHeight(Height());
  if (snapped != Height())
    SetHeight(snapped);
  TlxContainer::PlaceInnerControl();
}

void TlxCustomCheckListBox::WndProc(TMessage& message) {
  if (IsListBoxMessage(message.Msg) && inner_ != nullptr) {
    message.Result = SendMessageW(inner_->Handle(), message.Msg, message.WParam, message.LParam);
    return;
  }
  TlxContainer::WndProc(message);
  if (message.Msg == CM_FONTCHANGED && inner_ != nullptr) {
    inner_->RecalcItemHeight();
    PlaceInnerControl();
  }
}
