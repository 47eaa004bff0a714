#include "editors/kinds/filter_control_win.h"

#include <algorithm>

#include "editors/filter_control_strings.h"
#include "editors/kinds/filter_inplace_editing_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/strings.h"
#include "platform/toolkit/color.h"

namespace {

constexpr TColor kPartFontColors[4] = {clRed, clGreen, clMaroon, clBlue};

}  // namespace

TlxCustomFilterControl::TlxCustomFilterControl(TComponent* owner) : TlxControl(owner) {
  for (size_t i = 0; i < part_fonts_.size(); ++i) {
    part_fonts_[i] = std::make_unique<TFont>();
    part_fonts_[i]->Assign(&Font());
    part_fonts_[i]->SetColor(kPartFontColors[i]);
    if (i < 3)
      part_fonts_[i]->SetStyle({fsUnderline});
    part_fonts_[i]->OnChange = [this](TObject*) { builder_->RequestLayout(); };
  }
  measurer_ = std::make_unique<TlxFilterCanvasMeasurer>(*this);
  builder_ = std::make_unique<TlxFilterBuilder>(*this, *measurer_);
  painter_ = std::make_unique<TlxFilterControlPainter>(*this);
  row_menu_ = new TPopupMenu(this);
  for (int32_t tag = 0; tag < 4; ++tag) {
    auto* item = new TMenuItem(row_menu_);
    item->SetTag(tag);
    item->OnClick = [this](TObject* sender) { RowMenuClick(sender); };
    row_menu_->Items().Add(item);
  }
  row_menu_->Items().Items(2)->SetCaption("-");
  SetWantedKeys({wkAll, wkArrows, wkChars});
  SetColor(clBtnFace);
  SetParentColor(false);
  SetTabStop(true);
  SetBounds(Left(), Top(), 300, 200);
  inplace_ = std::make_unique<TlxFilterInplaceEditing>();
}

TlxCustomFilterControl::~TlxCustomFilterControl() {
  Destroying();
  if (inplace_ != nullptr && inplace_->OperandEditorOpen())
    inplace_->CloseOperandEditor(false);
  inplace_.reset();
  DestroyComponents();
  row_menu_ = nullptr;
}

// --- texts and state ------------------------------------------------------------------

void TlxCustomFilterControl::SetWantTabs(bool value) {
  builder_->SetWantTabs(value);
  TlxWantedKeys keys = WantedKeys();
  if (value)
    keys.Include(wkTab);
  else
    keys.Exclude(wkTab);
  SetWantedKeys(keys);
}

bool TlxCustomFilterControl::PartFontNeedsStoring(int32_t index) const {
  const TFont& part = PartFont(index);
  // The control's font has no const accessor; it is only read here.
  const TFont& font = const_cast<TlxCustomFilterControl*>(this)->Font();
  const TFontStyles default_style = index < 3 ? TFontStyles{fsUnderline} : TFontStyles{};
  return part.Name() != font.Name() || part.Height() != font.Height() || part.Charset() != font.Charset() ||
         part.Color() != kPartFontColors[index] || part.Style() != default_style;
}

void TlxCustomFilterControl::LoadTexts() {
  row_menu_->Items().Items(0)->SetCaption(lxFilterControlResString(lxSFilterAddCondition));
  row_menu_->Items().Items(1)->SetCaption(lxFilterControlResString(lxSFilterAddGroup));
  row_menu_->Items().Items(2)->SetCaption("-");
  builder_->Root().Caption = lxFilterControlResString(lxSFilterRootGroupCaption);
  ViewInfo().FooterCaption = lxFilterControlResString(lxSFilterFooterAddCondition);
  lxLoadFilterCaptionTables();
  builder_->LoadNullStringDefault(lxFilterControlResString(lxSFilterControlNullString));
  builder_->RequestLayout();
}

bool TlxCustomFilterControl::HasFocus() {
  return Focused() || (inplace_ != nullptr && inplace_->OperandEditorFocused());
}

bool TlxCustomFilterControl::CanLayout() {
  const TComponentState state = ComponentState();
  return HandleAllocated() && !state.Contains(csDestroying) && !state.Contains(csLoading);
}

void TlxCustomFilterControl::CloseOperandEditor(bool apply) {
  TlxFilterBuilder& builder = *builder_;
  builder.OperandError = false;
  builder.EditMode = femNone;
  if (inplace_ == nullptr || !inplace_->OperandEditorOpen())
    return;
  TScopeFail refused([&builder] { builder.OperandError = true; });
  inplace_->CloseOperandEditor(apply);
  builder.MakeFocusedVisible();
}

void TlxCustomFilterControl::ForgetOperandEditor() {
  if (inplace_ != nullptr)
    inplace_->ForgetOperandEditor();
}

// --- window events ------------------------------------------------------------------

void TlxCustomFilterControl::CreateWnd() {
  TlxControl::CreateWnd();
  LoadTexts();
}

void TlxCustomFilterControl::BoundsChanged() {
  TlxControl::BoundsChanged();
  if (builder_ != nullptr)
    builder_->RequestLayout();
}

void TlxCustomFilterControl::FocusChanged() {
  TlxControl::FocusChanged();
  builder_->RequestLayout();
}

void TlxCustomFilterControl::FontChanged() {
  TlxControl::FontChanged();
  if (builder_ == nullptr)
    return;
  builder_->LockLayout();
  TScopeExit unlock([this] { builder_->UnlockLayout(); });
  for (auto& font : part_fonts_) {
    font->SetName(Font().Name());
    font->SetHeight(Font().Height());
    font->SetCharset(Font().Charset());
  }
}

void TlxCustomFilterControl::CMEnabledChanged(TMessage& message) {
  TlxControl::CMEnabledChanged(message);
  builder_->RequestLayout();
}

void TlxCustomFilterControl::Paint() {
  painter_->Paint(*measurer_, Canvas().Handle());
  RefreshScrollBars();
}

// --- scrolling ------------------------------------------------------------------------

void TlxCustomFilterControl::InitScrollBarsParams() {
  const TlxFilterControlViewInfo& view_info = ViewInfo();
  if (view_info.LineHeight == 0)
    return;
  const TRect client = GetClientBounds();
  const int32_t rows = static_cast<int32_t>(builder_->RowList().size());
  SetScrollBarParams(sbVertical, 0, rows - 1, 1, client.Height() / view_info.LineHeight - 1, builder_->TopRow(), true,
                     true);
  SetScrollBarParams(sbHorizontal, 0, view_info.ContentWidth, 1, client.Width(), builder_->LeftOffset(), true, true);
}

void TlxCustomFilterControl::ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) {
  TlxFilterBuilder& builder = *builder_;
  const TRect client = GetClientBounds();
  if (kind == sbVertical) {
    const int32_t page = std::max(client.Height() / std::max(ViewInfo().LineHeight, 1) - 1, 1);
    switch (code) {
      case scLineUp: builder.SetTopRow(builder.TopRow() - 1); break;
      case scLineDown: builder.SetTopRow(builder.TopRow() + 1); break;
      case scPageUp: builder.SetTopRow(builder.TopRow() - page); break;
      case scPageDown: builder.SetTopRow(builder.TopRow() + page); break;
      case scTrack: builder.SetTopRow(position); break;
      default: break;
    }
    position = builder.TopRow();
    return;
  }
  switch (code) {
    case scLineUp: builder.SetLeftOffset(builder.LeftOffset() - 8); break;
    case scLineDown: builder.SetLeftOffset(builder.LeftOffset() + 8); break;
    case scPageUp: builder.SetLeftOffset(builder.LeftOffset() - client.Width()); break;
    case scPageDown: builder.SetLeftOffset(builder.LeftOffset() + client.Width()); break;
    case scTrack: builder.SetLeftOffset(position); break;
    default: break;
  }
  position = builder.LeftOffset();
}

// --- keys -----------------------------------------------------------------------------

void TlxCustomFilterControl::KeyDown(uint16_t& key, TShiftState shift) {
  TlxControl::KeyDown(key, shift);
  TlxFilterBuilder& builder = *builder_;
  const bool ctrl = shift.Contains(ssCtrl);
  switch (key) {
    case VK_TAB:
      if (ctrl) {
        if (TWinControl* parent = Parent())
          parent->SelectNext(this, !shift.Contains(ssShift), true);
      } else if (shift.Contains(ssShift)) {
        builder.FocusPrev(true);
      } else {
        builder.FocusNext(true);
      }
      key = 0;
      break;
    case VK_LEFT: builder.FocusPrev(false); break;
    case VK_UP: builder.FocusUp(false); break;
    case VK_RIGHT: builder.FocusNext(false); break;
    case VK_DOWN: builder.FocusDown(false); break;
    case VK_INSERT:
      if (shift.Empty())
        builder.AddCondition(builder.FocusedInfo.Row);
      break;
    case VK_DELETE:
      if (ctrl)
        builder.RemoveFocused();
      break;
    default:
      break;
  }
}

void TlxCustomFilterControl::KeyPress(char16_t& key) {
  TlxControl::KeyPress(key);
  if (key == u'\r' || key == u' ') {
    ActivateElement(builder_->FocusedInfo.Kind, false);
    return;
  }
  if (key != 0 && key != u'\x1b' && key != u'\t' && builder_->FocusedInfo.Kind == fhkOperand)
    ShowOperandEditor(lxFilterActivateByKey, key);
}

// --- mouse ----------------------------------------------------------------------------

void TlxCustomFilterControl::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseDown(button, shift, x, y);
  TlxFilterBuilder& builder = *builder_;
  if (builder.OperandError || !builder.HasItems())
    return;
  ViewInfo().HitTest(shift.Bits(), Point(x, y), builder.HotInfo);
  if (builder.HotInfo.Kind == fhkNone || builder.EditMode != femNone || button != mbLeft)
    return;
  builder.FocusedInfo = builder.HotInfo;
  builder.MakeFocusedVisible();
  ActivateElement(builder.FocusedInfo.Kind, true);
}

void TlxCustomFilterControl::UpdateHotInfo(const TPoint& point, uint32_t shift) {
  TlxFilterBuilder& builder = *builder_;
  TlxFilterBuilderHitInfo hot;
  ViewInfo().HitTest(shift, point, hot);
  const TlxFilterBuilderHitInfo old = builder.HotInfo;
  builder.HotInfo = hot;
  // Only the buttons and the operands are drawn hot.
  auto drawn_hot = [](uint8_t kind) {
    return kind == fhkRowButton || kind == fhkOperand || kind == fhkFooterButton || kind == fhkAddValue;
  };
  if (!drawn_hot(old.Kind) && !drawn_hot(hot.Kind))
    return;
  if (old.Row != hot.Row) {
    if (drawn_hot(old.Kind))
      ViewInfo().InvalidateRow(old.Row);
    if (!drawn_hot(hot.Kind)) {
      ViewInfo().UpdateButtonState(true);
      return;
    }
  } else if (old.Kind == hot.Kind && old.OperandIndex == hot.OperandIndex) {
    return;
  }
  ViewInfo().InvalidateRow(hot.Row);
  ViewInfo().UpdateButtonState(true);
}

void TlxCustomFilterControl::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseMove(shift, x, y);
  UpdateHotInfo(Point(x, y), shift.Bits());
}

void TlxCustomFilterControl::DoMouseLeave(TControl* control) {
  TlxControl::DoMouseLeave(control);
  builder_->HotInfo.Kind = fhkNone;
  builder_->RequestLayout();
}

TCursor TlxCustomFilterControl::GetCursorAt(int32_t /*x*/, int32_t /*y*/) {
  if (builder_->IsHotTrackOn() && builder_->HotInfo.Kind != fhkNone)
    return crHandPoint;
  return crDefault;
}

// --- elements -------------------------------------------------------------------------

void TlxCustomFilterControl::ActivateElement(uint8_t kind, bool by_mouse) {
  switch (kind) {
    case fhkRowButton: ShowRowMenu(); break;
    case fhkBoolOperator: ShowGroupOperatorList(); break;
    case fhkItem: ShowItemList(); break;
    case fhkOperator: ShowOperatorList(); break;
    case fhkOperand: ShowOperandEditor(by_mouse ? lxFilterActivateByMouse : lxFilterActivatePlain, 0); break;
    case fhkFooterButton: builder_->AddCondition(nullptr); break;
    case fhkAddValue: builder_->AddOperandValue(); break;
    default: break;
  }
}

void TlxCustomFilterControl::ShowRowMenu() {
  TlxFilterBuilder& builder = *builder_;
  TlxCustomRowViewInfo* row = builder.FocusedInfo.Row;
  if (!builder.HasItems() || row == nullptr)
    return;
  const bool root = row == &builder.Root();
  const bool removable = !root || builder.Root().RowCount() > 0;
  TMenuItem& items = row_menu_->Items();
  items.Items(2)->SetVisible(removable);
  items.Items(3)->SetVisible(removable);
  items.Items(3)->SetCaption(lxFilterControlResString(root ? lxSFilterClearAll : lxSFilterRemoveRow));
  const TPoint at = ClientToScreen(Point(row->ButtonRect.Left, row->ButtonRect.Bottom));
  TStateScope menu_open(builder.EditMode, femRowMenu);
  row_menu_->Popup(at.X, at.Y);
}

void TlxCustomFilterControl::RowMenuClick(TObject* sender) {
  TlxFilterBuilder& builder = *builder_;
  switch (static_cast<TMenuItem*>(sender)->Tag()) {
    case 0: builder.AddCondition(builder.FocusedInfo.Row); break;
    case 1: builder.AddGroup(); break;
    case 3:
      if (builder.FocusedInfo.Row == &builder.Root())
        builder.Clear();
      else
        builder.RemoveRow();
      break;
    default: break;
  }
}

void TlxCustomFilterControl::FinishList() {
  builder_->EditMode = femNone;
  ViewInfo().Calculate();
  builder_->MakeFocusedVisible();
  if (CanFocus())
    SetFocus();
}

void TlxCustomFilterControl::ShowGroupOperatorList() {
  TlxFilterBuilder& builder = *builder_;
  auto* group = dynamic_cast<TlxGroupViewInfo*>(builder.FocusedInfo.Row);
  if (!builder.HasItems() || group == nullptr || inplace_ == nullptr)
    return;
  TStringList items;
  for (int32_t kind = fbkAnd; kind <= fbkNotOr; ++kind)
    items.AddData(lxFilterBoolOperatorCaption(static_cast<TlxFilterBoolOperatorKind>(kind)), kind);
  builder.EditMode = femBoolOperatorList;
  TScopeExit done([this] { builder_->EditMode = femNone; });
  intptr_t chosen = 0;
  if (!inplace_->ChooseFromList(*this, femBoolOperatorList, items, group->GroupOperatorRect, group->GroupOperatorText,
                                chosen))
    return;
  group->GroupOperator = static_cast<TlxFilterBoolOperatorKind>(std::clamp<intptr_t>(chosen, fbkAnd, fbkNotOr));
  FinishList();
}

void TlxCustomFilterControl::ShowItemList() {
  TlxFilterBuilder& builder = *builder_;
  TlxConditionViewInfo* condition = builder.FocusedCondition();
  if (!builder.HasItems() || condition == nullptr || inplace_ == nullptr)
    return;
  TStringList items;
  builder.FillItemList(&items);
  builder.EditMode = femItemList;
  TScopeExit done([this] { builder_->EditMode = femNone; });
  intptr_t chosen = 0;
  if (!inplace_->ChooseFromList(*this, femItemList, items, condition->ItemCaptionRect, condition->ItemCaption, chosen))
    return;
  condition->SelectItem(static_cast<int32_t>(chosen));
  builder.FocusedInfo.Kind = fhkOperator;
  if (condition->OfferedOperators.Contains(fcoLike) && condition->ValueTypeClass != nullptr &&
      condition->ValueTypeClass->IsTextType())
    condition->SetOperator(fcoLike);
  FinishList();
}

void TlxCustomFilterControl::ShowOperatorList() {
  TlxFilterBuilder& builder = *builder_;
  TlxConditionViewInfo* condition = builder.FocusedCondition();
  if (!builder.HasItems() || condition == nullptr || inplace_ == nullptr)
    return;
  TStringList items;
  builder.FillOperatorList(&items);
  builder.EditMode = femOperatorList;
  TScopeExit done([this] { builder_->EditMode = femNone; });
  intptr_t chosen = 0;
  if (!inplace_->ChooseFromList(*this, femOperatorList, items, condition->OperatorCaptionRect,
                                condition->OperatorCaption, chosen))
    return;
  condition->SetOperator(static_cast<TlxFilterConditionOperator>(chosen));
  condition->FitOperands(true);
  if (condition->TakesOperands()) {
    builder.FocusedInfo.Kind = fhkOperand;
    builder.FocusedInfo.OperandIndex = 0;
  }
  FinishList();
}

void TlxCustomFilterControl::ShowOperandEditor(uint8_t activation, char16_t key) {
  TlxFilterBuilder& builder = *builder_;
  TlxConditionViewInfo* condition = builder.FocusedCondition();
  if (!builder.HasItems() || condition == nullptr || inplace_ == nullptr)
    return;
  const int32_t index = builder.FocusedInfo.OperandIndex;
  if (index < 0 || index >= condition->Values().Count())
    return;
  builder.MakeFocusedVisible();
  builder.EditMode = femOperandEditor;
  inplace_->OpenOperandEditor(*this, *condition, index, activation, key);
}

// --- the linked component -------------------------------------------------------------

void TlxFilterControl::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxFilterControl>();
  const char* const part_names[4] = {"FontBoolOperator", "FontItem", "FontCondition", "FontValue"};
  for (int32_t index = 0; index < 4; ++index) {
    p.Persistent(part_names[index], TFont::kClass, [index](const TlxFilterControl& self) -> TObject* {
       return &self.PartFont(index);
     }).Stored = [index](const TPersistent& self) {
      return static_cast<const TlxFilterControl&>(self).PartFontNeedsStoring(index);
    };
  }
  p.Boolean(
      "HotTrackOnUnfocused", [](const TlxFilterControl& self) { return self.Builder().HotTrackOnUnfocused(); },
      [](TlxFilterControl& self, bool value) { self.Builder().SetHotTrackOnUnfocused(value); }, true);
  p.Reference<TComponent>("LinkComponent", &TlxFilterControl::LinkComponent, &TlxFilterControl::SetLinkComponent);
  p.String(
       "NullString", [](const TlxFilterControl& self) { return self.Builder().NullString(); },
       [](TlxFilterControl& self, const std::string& value) { self.Builder().SetNullString(value); })
      .Stored = [](const TPersistent& self) {
    return static_cast<const TlxFilterControl&>(self).Builder().NullString() !=
           lxFilterControlResString(lxSFilterControlNullString);
  };
  p.Boolean(
      "ShowLevelLines", [](const TlxFilterControl& self) { return self.Builder().ShowLevelLines(); },
      [](TlxFilterControl& self, bool value) { self.Builder().SetShowLevelLines(value); }, true);
  p.Boolean(
      "SortItems", [](const TlxFilterControl& self) { return self.Builder().SortItems(); },
      [](TlxFilterControl& self, bool value) { self.Builder().SetSortItems(value); }, false);
  p.Boolean("WantTabs", &TlxFilterControl::WantTabs, &TlxFilterControl::SetWantTabs, false);
}

TlxFilterControl::~TlxFilterControl() {
  if (link_component_ != nullptr)
    link_component_->RemoveFreeNotification(this);
}

void TlxFilterControl::SetLinkComponent(TComponent* component) {
  if (component != nullptr && Supports<IlxFilterControl>(component) == nullptr)
    component = nullptr;
  if (component == link_component_)
    return;
  if (link_component_ != nullptr)
    link_component_->RemoveFreeNotification(this);
  link_component_ = component;
  if (link_component_ != nullptr)
    link_component_->FreeNotification(this);
  Builder().SetLink(link_component_ != nullptr ? Supports<IlxFilterControl>(link_component_) : nullptr);
}

void TlxFilterControl::Notification(TComponent* component, TOperation operation) {
  TlxCustomFilterControl::Notification(component, operation);
  if (operation == opRemove && component == link_component_ && component != nullptr)
    SetLinkComponent(nullptr);
}
