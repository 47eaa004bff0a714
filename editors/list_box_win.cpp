#include "editors/list_box_win.h"

#include "editors/container_routines_win.h"
#include "editors/list_box_integral_height.h"
#include "editors/popup_hooks_win.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/gdi_holders.h"

namespace {

int32_t FontTextHeight(TFont& font) {
  TWindowDC screen;
  TSelectedObject selected(screen.Handle(), font.Handle());
  TEXTMETRICW metrics{};
  GetTextMetricsW(screen.Handle(), &metrics);
  return metrics.tmHeight;
}

bool IsListBoxMessage(UINT message) { return message >= LB_ADDSTRING && message <= 0x1B0; }

}  // namespace

// --- TlxInnerListBox ---------------------------------------------------------------------

TlxListBox* TlxInnerListBox::ListBox() const { return dynamic_cast<TlxListBox*>(Container()); }

void TlxInnerListBox::DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (TlxListBox* list = ListBox(); list != nullptr && list->DoDrawItem(LxCanvas(), index, rect, state))
    return;
  TlxCustomInnerListBox::DrawItem(index, rect, state);
}

bool TlxInnerListBox::NeedsFocusRect() const {
  const TlxListBox* list = ListBox();
  return TlxCustomInnerListBox::NeedsFocusRect() && (list == nullptr || !list->OnDrawItem);
}

void TlxInnerListBox::KeyDown(uint16_t& key, TShiftState shift) {
  if (TlxListBox* list = ListBox()) {
    if (lxIsListNavigationKey(key) && !list->DataBinding().TryEdit())
      key = 0;
    else if (key == VK_ESCAPE)
      list->DataBinding().Reset();
  }
  if (key != 0)
    TlxCustomInnerListBox::KeyDown(key, shift);
}

void TlxInnerListBox::KeyPress(char16_t& key) {
  if (TlxListBox* list = ListBox(); list != nullptr && key >= u' ' && !list->DataBinding().TryEdit())
    key = 0;
  if (key != 0)
    TlxCustomInnerListBox::KeyPress(key);
}

void TlxInnerListBox::Click() {
  TlxListBox* list = ListBox();
  if (list != nullptr && !list->DataBinding().TryEdit())
    return;
  const TAliveToken alive = AliveToken();
  TlxCustomInnerListBox::Click();
  if (alive.Alive() && list != nullptr)
    list->RequestScrollBarsSync();
}

bool TlxInnerListBox::CanFocus() const {
  const TlxListBox* list = ListBox();
  return list != nullptr ? list->CanFocus() && TlxCustomInnerListBox::CanFocus() : TlxCustomInnerListBox::CanFocus();
}

void TlxInnerListBox::WndProc(TMessage& message) {
  TlxListBox* list = ListBox();
  const bool press = message.Msg == WM_LBUTTONDOWN || message.Msg == WM_LBUTTONDBLCLK;
  if (press && list != nullptr && !list->DataBinding().TryEdit()) {
    // A bound value that may not change: the press only takes the focus.
    if (CanFocus())
      SetFocus();
    const TMouseMessage mouse(message);
    MouseDown(mbLeft, KeysToShiftState(mouse.Keys()), mouse.Pos().X, mouse.Pos().Y);
    return;
  }
  TlxCustomInnerListBox::WndProc(message);
}

void TlxInnerListBox::CreateWnd() {
  TlxCustomInnerListBox::CreateWnd();
  if (TlxListBox* list = ListBox())
    list->SyncScrollBarsWithInnerControl(false);
}

// --- TlxListBox -------------------------------------------------------------------------------

void TlxListBox::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxListBox>();
  p.Boolean("AutoComplete", &TlxListBox::AutoComplete, &TlxListBox::SetAutoComplete, true);
  p.Integer("AutoCompleteDelay", &TlxListBox::AutoCompleteDelay, &TlxListBox::SetAutoCompleteDelay, 500);
  p.Integer("Columns", &TlxListBox::Columns, &TlxListBox::SetColumns, 0);
  p.Boolean("ExtendedSelect", &TlxListBox::ExtendedSelect, &TlxListBox::SetExtendedSelect, true);
  p.Boolean("IntegralHeight", &TlxListBox::IntegralHeight, &TlxListBox::SetIntegralHeight, false);
  p.Integer("ItemHeight", &TlxListBox::ItemHeight, &TlxListBox::SetItemHeight);
  p.Enumeration("ListStyle", &TlxListBox::ListStyle, &TlxListBox::SetListStyle,
                {"lbStandard", "lbOwnerDrawFixed", "lbOwnerDrawVariable", "lbVirtual", "lbVirtualOwnerDraw"},
                std::optional<TListBoxStyle>(lbStandard));
  p.Boolean("MultiSelect", &TlxListBox::MultiSelect, &TlxListBox::SetMultiSelect, false);
  p.Boolean("ReadOnly", &TlxListBox::ReadOnly, &TlxListBox::SetReadOnly, false);
  p.Integer("ScrollWidth", &TlxListBox::ScrollWidth, &TlxListBox::SetScrollWidth, 0);
  p.Boolean("Sorted", &TlxListBox::Sorted, &TlxListBox::SetSorted, false);
  p.Integer("TabWidth", &TlxListBox::TabWidth, &TlxListBox::SetTabWidth, 0);
}

TlxListBox::TlxListBox(TComponent* owner, const TlxDataBindingClass& binding_class, TlxInnerListBoxClass inner_class)
    : TlxContainer(owner), data_binding_class_(binding_class), inner_list_box_class_(inner_class) {
  data_binding_ = binding_class.Create(this, this);
  data_binding_->SetBoundControl(this);
  data_binding_->OnDataChange = [this](TObject*) { ReadBoundValue(); };
  data_binding_->OnStateChange = [this](TObject*) { RefreshViewNow(); };
  data_binding_->OnUpdateData = [this](TObject*) { WriteBoundValue(); };
  // The list box belongs to this control as an owned component.
  inner_list_box_ = lxCreateInnerControl<TlxInnerListBox>(inner_class, this);
  inner_list_box_->SetContainer(this);
  inner_list_box_->SetParent(this);
  inner_list_box_->LookAndFeel().SetMaster(GetStyle()->LookAndFeel());
  SetInnerControl(inner_list_box_);
  SetBounds(Left(), Top(), 121, 97);
}

TlxListBox::~TlxListBox() {
  Destroying();
  SetInnerControl(nullptr);
  delete inner_list_box_;
  inner_list_box_ = nullptr;
}

bool TlxListBox::DoDrawItem(TlxCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state) {
  if (!OnDrawItem)
    return false;
  OnDrawItem(this, canvas, index, rect, state);
  return true;
}

void TlxListBox::SetColumns(int32_t value) {
  inner_list_box_->SetColumns(value);
  SyncScrollBarsWithInnerControl(false);
}

void TlxListBox::SetIntegralHeight(bool value) {
  if (value == integral_height_)
    return;
  integral_height_ = value;
  PlaceInnerControl();
}

void TlxListBox::SetItems(const TStrings& items) {
  inner_list_box_->SetItems(items);
  ReadBoundValue();
}

int32_t TlxListBox::ItemAtPosition(const TPoint& point, bool existing) const {
  return inner_list_box_->ItemAtPos(
      TPoint(point.X - inner_list_box_->Left(), point.Y - inner_list_box_->Top()), existing);
}

TRect TlxListBox::GetItemRectInContainer(int32_t index) const {
  const TRect rect = inner_list_box_->ItemRect(index);
  return rect.Offset(inner_list_box_->Left(), inner_list_box_->Top());
}

void TlxListBox::SetOnMeasureItem(TlxListBoxMeasureItemEvent handler) {
  OnMeasureItem = std::move(handler);
  if (!OnMeasureItem) {
    inner_list_box_->OnMeasureItem = nullptr;
    return;
  }
  inner_list_box_->OnMeasureItem = [this](TObject*, int32_t index, int32_t& height) {
    if (OnMeasureItem)
      OnMeasureItem(this, index, height);
  };
}

void TlxListBox::ReadBoundValue() {
  int32_t found = -1;
  if (data_binding_->IsDataAvailable()) {
    const std::string text = VarToStr(data_binding_->GetStoredValue());
    TStrings& items = Items();
    for (int32_t index = 0; index < items.Count() && found < 0; ++index)
      if (lxTextsEqual(items[index], text, false))
        found = index;
  }
  SetItemIndex(found);
}

void TlxListBox::WriteBoundValue() {
  const int32_t index = ItemIndex();
  const bool selected = index >= 0 && !inner_list_box_->IsVirtual() && index < Items().Count();
  data_binding_->SetStoredValue(Variant(selected ? Items()[index] : std::string()));
}

void TlxListBox::DoExit() {
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

void TlxListBox::GetChildren(const TGetChildProc& proc, TComponent* root) {
  TlxContainer::GetChildren(
      [this, &proc](TComponent* child) {
        if (child != inner_list_box_)
          proc(child);
      },
      root);
}

void TlxListBox::DefineProperties(TFiler& filer) {
  TlxContainer::DefineProperties(filer);
  const bool has_items = !inner_list_box_->IsVirtual() && Items().Count() > 0;
  filer.DefineProperty(
      "Items",
      [this](TReader& reader) {
        TUpdateScope update(Items());
        Items().Clear();
        reader.ReadListBegin();
        while (!reader.EndOfList())
          Items().Add(reader.ReadString());
        reader.ReadListEnd();
      },
      [this](TWriter& writer) {
        writer.WriteListBegin();
        for (int32_t index = 0; index < Items().Count(); ++index)
          writer.WriteString(Items()[index]);
        writer.WriteListEnd();
      },
      has_items);
}

int32_t TlxListBox::GetItemHeightAt(int32_t index) {
  switch (ListStyle()) {
    case lbOwnerDrawFixed:
    case lbVirtualOwnerDraw:
      return inner_list_box_->ItemHeight();
    case lbOwnerDrawVariable: {
      int32_t height = inner_list_box_->ItemHeight();
      if (index < ItemCount())
        inner_list_box_->MeasureItem(index, height);
      return height;
    }
    case lbStandard:
    case lbVirtual:
      break;
  }
  return FontTextHeight(Font());
}

bool lxListBoxSnapsHeight(const TlxContainer& box, bool integral_height) {
  const TAlign align = box.Align();
  return integral_height && !box.ComponentState().Contains(csLoading) && align != alLeft && align != alRight &&
         align != alClient;
}

int32_t lxSnapListBoxHeight(TlxContainer& box, int32_t item_count, int32_t scroll_width,
                            std::function<int32_t(int32_t index)> item_height, int32_t requested) {
  const TRect extent = box.GetBorderExtent();
  TlxIntegralHeightMetrics metrics;
  metrics.VerticalBorders = extent.Top + extent.Bottom;
  metrics.HorizontalBorders = extent.Left + extent.Right;
  metrics.ControlWidth = box.Width();
  metrics.ItemCount = item_count;
  metrics.HorizontalScrollBarHeight = GetSystemMetrics(SM_CYHSCROLL);
  metrics.VerticalScrollBarWidth = GetSystemMetrics(SM_CXVSCROLL);
  metrics.ScrollWidth = scroll_width;
  metrics.ItemHeight = std::move(item_height);
  return lxSnapToIntegralHeight(metrics, requested);
}

bool TlxListBox::SnapsHeight() const { return lxListBoxSnapsHeight(*this, integral_height_); }

int32_t TlxListBox::SnapHeight(int32_t height) {
  if (!SnapsHeight())
    return height;
  return lxSnapListBoxHeight(*this, ItemCount(), ScrollWidth(), [this](int32_t index) { return GetItemHeightAt(index); },
                             height);
}

void TlxListBox::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxContainer::SetBounds(left, top, width, inner_list_box_ != nullptr ? SnapHeight(height) : height);
}

void TlxListBox::PlaceInnerControl() {
  if (inner_list_box_ == nullptr)
    return;
  const TRect before = inner_list_box_->BoundsRect();
  TScopeExit drop_moves([this, before] {
    // Moves queued for the old place would select the wrong item.
    if (inner_list_box_ != nullptr && inner_list_box_->BoundsRect() != before && inner_list_box_->HandleAllocated())
      lxRemovePendingMessages(inner_list_box_->WindowHandle(), WM_MOUSEMOVE, WM_MOUSEMOVE, true);
  });
  const int32_t snapped = SnapHeight(Height());
  if (snapped != Height())
    SetHeight(snapped);
  TlxContainer::PlaceInnerControl();
}

void TlxListBox::WndProc(TMessage& message) {
  if (IsListBoxMessage(message.Msg) && inner_list_box_ != nullptr) {
    message.Result = SendMessageW(inner_list_box_->Handle(), message.Msg, message.WParam, message.LParam);
    return;
  }
  TlxContainer::WndProc(message);
  if (message.Msg == CM_FONTCHANGED && inner_list_box_ != nullptr) {
    PlaceInnerControl();
    inner_list_box_->RecreateWnd();
  }
}
