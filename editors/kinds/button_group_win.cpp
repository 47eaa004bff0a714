#include "editors/kinds/button_group_win.h"

#include <algorithm>
#include <limits>

#include "editors/edit_style_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/themes/theme_manager_win.h"

namespace {

constexpr TlxCanvasTextFlags kSingleLineFlags = 609;
constexpr TlxCanvasTextFlags kWrappedFlags = 1697;
// The paint flag that asks for multi-line captions.
constexpr uint32_t kMultiLinePaintFlag = 2;

bool IsPointIn(const TRect& rect, const TPoint& point) { return rect.Contains(point); }

}  // namespace

// --- TlxCustomButtonGroupProperties (Windows classes) --------------------------------------------

const TClass* TlxCustomButtonGroupProperties::GetEditControlClass() const { return &TlxCustomButtonGroup::kClass; }

TlxEditViewDataClass TlxCustomButtonGroupProperties::GetViewDataClass() const {
  return {&TlxButtonGroupViewData::kClass,
          [](TlxCustomEditProperties* properties, TlxCustomEditStyle* style,
             bool inplace) -> std::unique_ptr<TlxCustomEditViewData> {
            return std::make_unique<TlxButtonGroupViewData>(properties, style, inplace);
          }};
}

TlxEditViewInfoClass TlxCustomButtonGroupProperties::GetViewInfoClass() const {
  return {&TlxButtonGroupViewInfo::kClass,
          []() -> std::unique_ptr<TlxCustomEditViewInfo> { return std::make_unique<TlxButtonGroupViewInfo>(); }};
}

// --- TlxGroupBoxButtonViewInfo -------------------------------------------------------------------

TRect TlxGroupBoxButtonViewInfo::GetGlyphRect(const TSize& glyph_size, bool glyph_at_left,
                                             bool /*painting_copy*/) const {
  const int32_t top = Bounds.Top + (Bounds.Height() - glyph_size.cy) / 2;
  const int32_t left = glyph_at_left ? Bounds.Left : Bounds.Right - glyph_size.cx;
  return TRect(left, top, left + glyph_size.cx, top + glyph_size.cy);
}

// --- TlxButtonGroupViewInfo ----------------------------------------------------------------------

void TlxButtonGroupViewInfo::SetGroupButtonCount(int32_t count) {
  Buttons.clear();
  for (int32_t i = 0; i < count; ++i)
    Buttons.push_back(CreateButtonViewInfo());
}

void TlxButtonGroupViewInfo::RenderFrame(TlxCanvas& canvas) {
  TlxGroupBoxViewInfo::RenderFrame(canvas);
  if (PaintsButtons)
    DrawButtons(canvas);
}

void TlxButtonGroupViewInfo::PaintButton(TlxCanvas& canvas, int32_t index) {
  const TlxGroupBoxButtonViewInfo& button = GroupButton(index);
  const TRect glyph = button.GetGlyphRect(GetButtonGlyphSize(), GlyphAtLeft, PaintingCopy);
  if (!PaintingCopy)
    DrawEditBackground(canvas, button.Bounds, IsButtonGlyphTransparent(button), glyph);
  DrawButtonGlyph(canvas, button, glyph);
  DrawButtonCaption(canvas, button, glyph);
}

// --- TlxButtonGroupViewData ----------------------------------------------------------------------

bool TlxButtonGroupViewData::IsButtonNativeStyle(const TlxLookAndFeel* look_and_feel) {
  return look_and_feel != nullptr && look_and_feel->NativeStyle() && lxThemeAvailableFor(totButton);
}

TlxCanvasTextFlags TlxButtonGroupViewData::GetDrawTextFlags() const {
  const bool multi_line = (PaintFlags & kMultiLinePaintFlag) != 0;
  return multi_line && GroupProperties().WordWrap() ? kWrappedFlags : kSingleLineFlags;
}

void TlxButtonGroupViewData::Calculate(TlxCanvas& canvas, const TRect& bounds, const TPoint& point, int32_t button,
                                       TShiftState shift, TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  TlxGroupBoxViewData::Calculate(canvas, bounds, point, button, shift, view_info, is_mouse_event);
  auto* group_info = dynamic_cast<TlxButtonGroupViewInfo*>(&view_info);
  if (group_info == nullptr)
    return;
  group_info->ButtonTextFlags = GetDrawTextFlags();
  group_info->ButtonMargins = GetButtonMargins();
  // An editor window shows its children as the buttons; only a copy of
  // its picture (and a window-less cell) paints them.
  group_info->PaintingCopy = Edit != nullptr && Edit->IsPaintingCopy();
  group_info->PaintsButtons = Edit == nullptr || group_info->PaintingCopy;
}

TlxEditButtonStyle TlxButtonGroupViewData::ButtonStyle(const TlxButtonGroupViewInfo& view_info) const {
  TlxCustomEditStyle* style = GetEditStyle();
  if (IsInplace()) {
    const TlxLookAndFeel* look_and_feel = style->LookAndFeel();
    switch (look_and_feel != nullptr ? look_and_feel->Kind() : lfStandard) {
      case lfFlat:
        return btsFlat;
      case lfUltraFlat:
        return btsUltraFlat;
      case lfOffice11:
        return btsOffice11;
      default:
        return bts3D;
    }
  }
  const TlxEditBorderStyle border = style->GetBorderStyle();
  if (border == ebsUltraFlat)
    return btsUltraFlat;
  if (border == ebsOffice11)
    return btsOffice11;
  switch (view_info.EditBorderStyle) {
    case ebsSingle:
    case ebsThick:
    case ebsFlat:
      return btsFlat;
    default:
      return bts3D;
  }
}

void TlxButtonGroupViewData::PrepareButtonViewInfos(TlxButtonGroupViewInfo& view_info) {
  const TlxButtonGroupItems& items = GroupProperties().Items();
  const int32_t rows = GroupProperties().GetRowCount();
  const TlxEditButtonStyle style = ButtonStyle(view_info);
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    TlxGroupBoxButtonViewInfo& button = view_info.GroupButton(i);
    button.Transparent = !view_info.EraseOnInvalidate;
    button.Style = style;
    button.Caption = items.GetItem(i)->Caption();
    button.Column = i / rows;
    button.Row = i % rows;
  }
}

void TlxButtonGroupViewData::CalculateButtonPositions(TlxCanvas& /*canvas*/, TlxButtonGroupViewInfo& view_info) {
  TlxButtonGroupMetrics metrics;
  GetButtonMetrics(nullptr, metrics);
  const TRect extent = GetContentExtent(view_info);
  TlxButtonGroupGrid grid;
  grid.Content = TRect(LastBounds.Left + extent.Left, LastBounds.Top + extent.Top, LastBounds.Right - extent.Right,
                       LastBounds.Bottom - extent.Bottom);
  grid.Columns = GroupProperties().GetColumnCount();
  grid.Rows = GroupProperties().GetRowCount();
  grid.ColumnOffset = metrics.ColumnOffset;
  grid.ColumnCorrection = metrics.ColumnCorrection;
  grid.ColumnSpacing = metrics.ColumnSpacing;
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    TlxGroupBoxButtonViewInfo& button = view_info.GroupButton(i);
    button.Bounds = lxButtonGroupButtonBounds(grid, i);
    button.VisibleBounds = button.Bounds;
  }
}

void TlxButtonGroupViewData::CalculateButtonsViewInfo(TlxCanvas& canvas, const TRect& /*bounds*/,
                                                      const TPoint& point, int32_t button, TShiftState shift,
                                                      TlxCustomEditViewInfo& view_info, bool is_mouse_event) {
  auto* group_info = dynamic_cast<TlxButtonGroupViewInfo*>(&view_info);
  if (group_info == nullptr)
    return;
  const int32_t count = GroupProperties().Items().Count();
  group_info->SetGroupButtonCount(count);
  if (count == 0)
    return;
  PrepareButtonViewInfos(*group_info);
  CalculateButtonPositions(canvas, *group_info);
  CalculateButtonStates(point, button, shift, *group_info, is_mouse_event);
}

void TlxButtonGroupViewData::CalculateButtonStates(const TPoint& point, int32_t button, TShiftState shift,
                                                   TlxButtonGroupViewInfo& view_info, bool is_mouse_event) const {
  const int32_t old_pressed = is_mouse_event ? view_info.PressedButton : -1;
  view_info.ButtonReallyPressed = false;
  view_info.PressedButton = -1;
  view_info.HotButton = -1;
  TlxCustomEditStyle* style = GetEditStyle();
  const bool native = IsButtonNativeStyle(style->LookAndFeel());
  const TlxEditButtonTransparency transparency = style->GetButtonTransparency();
  const bool left = shift.Contains(ssLeft);
  const bool plain_left = shift == TShiftState{ssLeft} || shift == TShiftState{ssLeft, ssDouble};
  for (int32_t i = 0; i < view_info.ButtonCount(); ++i) {
    TlxGroupBoxButtonViewInfo& item = view_info.GroupButton(i);
    const uint8_t was = item.State;
    item.ButtonIndex = i;
    item.NativeStyle = native;
    item.Transparent = transparency == ebtAlways || (transparency == ebtInactive && !Focused && !SelectedForDisplay);
    item.BackgroundColor = view_info.BackgroundColor;
    const bool down = IsButtonDown(view_info, i);
    if (!Enabled) {
      item.State = kLxButtonStateDisabled;
    } else if (!down && (Designing || !IsPointIn(item.Bounds, point))) {
      item.State = kLxButtonStateNormal;
    } else {
      const bool re_entered = button == kLxNoMouseButton && left && was == kLxButtonStateNormal &&
                              GetCapturedButtonIndex() == i;
      const bool held = was == kLxButtonStatePressed && left;
      if (down || (button == mbLeft && plain_left) || held || re_entered)
        view_info.ButtonReallyPressed = true;
      if (!down && shift.Empty() && !re_entered) {
        item.State = kLxButtonStateHot;
        view_info.HotButton = i;
      } else if (down || (re_entered && CanPressButton(view_info, i)) ||
                 (plain_left && ((button == mbLeft && CanPressButton(view_info, i)) || i == old_pressed)) || held) {
        item.State = kLxButtonStatePressed;
        view_info.PressedButton = i;
      } else {
        item.State = kLxButtonStateNormal;
      }
    }
    CalculateButtonNativeState(view_info, item);
  }
}

void TlxButtonGroupViewData::MeasureFrameFromViewInfo(TlxCanvas& /*canvas*/,
                                                      const TlxCustomEditViewInfo& /*view_info*/, TSize& size,
                                                      TSize& min_content_size) const {
  size = TSize{0, 0};
  min_content_size = TSize{0, 0};
}

TSize TlxButtonGroupViewData::MeasureContentSize(TlxCanvas& canvas, const Variant& /*edit_value*/,
                                                const TlxEditSizeProperties& limits) const {
  if (TFont* font = GetEditStyle()->GetTextFont())
    canvas.AssignFont(*font);
  const int32_t insets = TextParams.Margins.Top + TextParams.Margins.Bottom + TextParams.VerticalCorrection;
  TlxButtonGroupMetrics metrics;
  GetButtonMetrics(&canvas, metrics);
  const int32_t line_height = canvas.MeasureTextHeight("Zg") + insets;
  const TlxButtonGroupItems& items = GroupProperties().Items();
  const int32_t count = items.Count();
  if (count == 0)
    return TSize{limits.Width < 0 ? 0 : limits.Width, line_height};
  const int32_t columns = GroupProperties().GetColumnCount();
  const int32_t rows = GroupProperties().GetRowCount();
  if (limits.Width < 0) {
    int32_t widest = 0;
    for (int32_t i = 0; i < count; ++i)
      widest = std::max(widest, canvas.MeasureTextWidth(items.GetItem(i)->Caption()));
    const int32_t width = (widest + metrics.GlyphTextGap + metrics.GlyphWidth) * columns +
                          (columns - 1) * metrics.ColumnSpacing + metrics.FrameWidth;
    return TSize{width, rows * std::max(metrics.GlyphHeight, line_height)};
  }
  const int32_t caption_width =
      std::max(1, (limits.Width - InplaceFrameExtent.Left - InplaceFrameExtent.Right + metrics.WidthCorrection -
                   (columns - 1) * metrics.ColumnSpacing) /
                          columns -
                      metrics.GlyphWidth - metrics.GlyphLeftOffset);
  int32_t row_height = line_height;
  if (GroupProperties().WordWrap()) {
    const TlxCanvasTextFlags flags =
        static_cast<TlxCanvasTextFlags>((kWrappedFlags & ~lxtfCenterY) | lxtfTop);
    for (int32_t i = 0; i < count; ++i) {
      const std::string& caption = items.GetItem(i)->Caption();
      if (caption.empty())
        continue;
      TRect rect(0, 0, caption_width, std::numeric_limits<int32_t>::max() / 2);
      canvas.CalcTextRect(caption, rect, flags);
      row_height = std::max(row_height, rect.Height() + insets);
    }
  }
  int32_t height = rows * row_height;
  if (!IsInplace()) {
    const TRect extent = GetBorderExtent();
    height += extent.Top + extent.Bottom;
  }
  return TSize{limits.Width, height};
}

// --- TlxCustomButtonGroup ------------------------------------------------------------------------

TlxCustomButtonGroup::TlxCustomButtonGroup(TComponent* owner, const TClass& properties_class)
    : TlxCustomGroupBox(owner, properties_class) {
  SetAutoSize(false);
  SetTabStop(true);
  creating_ = false;
}

TlxCustomButtonGroup::~TlxCustomButtonGroup() { SynchronizeButtonCount(0); }

int32_t TlxCustomButtonGroup::IndexOfButton(const TWinControl* button) const {
  const auto it = std::find(buttons_.begin(), buttons_.end(), button);
  return it == buttons_.end() ? -1 : static_cast<int32_t>(it - buttons_.begin());
}

void TlxCustomButtonGroup::RemoveButton(TWinControl* button) {
  const auto it = std::find(buttons_.begin(), buttons_.end(), button);
  if (it != buttons_.end())
    buttons_.erase(it);
}

void TlxCustomButtonGroup::ArrangeButtons() {
  const TlxButtonGroupViewInfo& info = ButtonGroupViewInfo();
  const int32_t count = std::min(ButtonCount(), info.ButtonCount());
  for (int32_t i = 0; i < count; ++i) {
    const TRect& bounds = info.Button(i).Bounds;
    Button(i)->SetBounds(bounds.Left, bounds.Top, bounds.Width(), bounds.Height());
  }
}

void TlxCustomButtonGroup::InitButton(TWinControl* button) {
  button->SetShowHint(false);
  button->SetParent(this);
  RouteChildEvents(button);
}

void TlxCustomButtonGroup::RouteChildEvents(TWinControl* button) {
  // The group answers for its children: their input reaches its handlers
  // in its own coordinates.
  button->OnDragDrop = [this, button](TObject* source, TObject*, int32_t x, int32_t y) {
    DragDrop(source, x + button->Left(), y + button->Top());
  };
  button->OnDragOver = [this, button](TObject*, TObject* source, int32_t x, int32_t y, TDragState state,
                                      bool& accept) {
    DragOver(source, x + button->Left(), y + button->Top(), state, accept);
  };
  button->OnKeyDown = [this](TObject*, uint16_t& key, TShiftState shift) { KeyDown(key, shift); };
  button->OnKeyPress = [this](TObject*, char16_t& key) { KeyPress(key); };
  button->OnKeyUp = [this](TObject*, uint16_t& key, TShiftState shift) { KeyUp(key, shift); };
  button->OnMouseDown = [this, button](TObject*, TMouseButton mouse_button, TShiftState shift, int32_t x,
                                       int32_t y) {
    MouseDown(mouse_button, shift, x + button->Left(), y + button->Top());
  };
  button->OnMouseMove = [this, button](TObject*, TShiftState shift, int32_t x, int32_t y) {
    MouseMove(shift, x + button->Left(), y + button->Top());
  };
  button->OnMouseUp = [this, button](TObject*, TMouseButton mouse_button, TShiftState shift, int32_t x, int32_t y) {
    MouseUp(mouse_button, shift, x + button->Left(), y + button->Top());
  };
  button->OnMouseWheel = [](TObject*, TShiftState, int32_t, TPoint, bool& handled) { handled = false; };
}

void TlxCustomButtonGroup::SynchronizeButtonCount(int32_t count) {
  const TlxButtonGroupItems& items = GroupProperties().Items();
  if (items.Notifying() && count > 0) {
    const int32_t index = items.ChangedIndex();
    if (items.ChangeKind() == TlxButtonGroupChange::kAdded) {
      if (TWinControl* button = CreateButton())
        InitButton(button);
      return;
    }
    if (items.ChangeKind() == TlxButtonGroupChange::kRemoved && index >= 0 && index < ButtonCount())
      delete Button(index);
    return;
  }
  if (count == ButtonCount())
    return;
  DisableAlign();
  TScopeExit enable_align([this] { EnableAlign(); });
  while (ButtonCount() > count)
    delete buttons_.back();
  while (ButtonCount() < count) {
    TWinControl* button = CreateButton();
    if (button == nullptr)
      return;
    InitButton(button);
  }
}

void TlxCustomButtonGroup::UpdateButtons() {
  const TlxButtonGroupItems& items = GroupProperties().Items();
  SynchronizeButtonCount(items.Count());
  // While an item is being removed it is still counted: the report that
  // follows at once brings the rest in step.
  if (items.Notifying() && items.ChangeKind() == TlxButtonGroupChange::kRemoved)
    return;
  RefreshFromCursor(false);
  const int32_t count = std::min(ButtonCount(), items.Count());
  for (int32_t i = 0; i < count; ++i)
    Button(i)->SetEnabled(Enabled() && items.GetItem(i)->Enabled());
  UpdateButtonStyles();
  for (TWinControl* button : buttons_)
    button->SetCursor(Cursor());
}

void TlxCustomButtonGroup::UpdateButtonStyles() {
  TlxContainerStyle* current = GetCurrentStyle();
  TFont* normal_font = GetStyle()->GetTextFont();
  TFont* current_font = current != nullptr ? current->GetTextFont() : nullptr;
  for (TWinControl* button : buttons_) {
    if (current != nullptr)
      button->SetColor(current->GetColor());
    if (normal_font == nullptr)
      continue;
    button->Font().Assign(normal_font);
    if (current_font != nullptr)
      button->Font().SetColor(current_font->Color());
  }
}

int32_t TlxCustomButtonGroup::GetButtonIndexAt(const TPoint& point) const {
  const TlxButtonGroupViewInfo& info = ButtonGroupViewInfo();
  for (int32_t i = 0; i < info.ButtonCount(); ++i)
    if (info.Button(i).Bounds.Contains(point))
      return i;
  return -1;
}

int32_t TlxCustomButtonGroup::GetFocusedButtonIndex() const {
  for (int32_t i = 0; i < ButtonCount(); ++i)
    if (Button(i)->Focused())
      return i;
  return -1;
}

bool TlxCustomButtonGroup::Focused() const {
  if (TlxCustomGroupBox::Focused())
    return true;
  return !creating_ && GetFocusedButtonIndex() >= 0;
}

bool TlxCustomButtonGroup::IsChildControlDC(HDC dc) {
  for (int32_t i = 0; i < ButtonCount(); ++i)
    if (dc != nullptr && GetButtonDC(i) == dc)
      return true;
  return false;
}

bool TlxCustomButtonGroup::RecalculateAndInvalidate(const TPoint& point, int32_t button_code, bool mouse_event,
                                                    TShiftState shift) {
  const bool changed = TlxCustomGroupBox::RecalculateAndInvalidate(point, button_code, mouse_event, shift);
  ArrangeButtons();
  return changed;
}

void TlxCustomButtonGroup::ActivateByMouse(TShiftState shift, int32_t x, int32_t y,
                                           std::unique_ptr<TlxCustomEditData>& edit_data) {
  Activate(edit_data);
  if (!HandleAllocated())
    return;
  TPoint point(x, y);
  if (Parent() != nullptr)
    point = ScreenToClient(Parent()->ClientToScreen(point));
  const int32_t index = GetButtonIndexAt(point);
  if (index < 0 || index >= ButtonCount() || !Button(index)->HandleAllocated())
    return;
  TWinControl* button = Button(index);
  const LPARAM center = MAKELPARAM(button->Width() / 2, button->Height() / 2);
  const WPARAM keys = lxShiftToMouseKeys(shift);
  SendMessageW(button->Handle(), shift.Contains(ssLeft) ? WM_LBUTTONDOWN : WM_LBUTTONUP, keys, center);
}

void TlxCustomButtonGroup::PropertiesChanged(TlxCustomEditProperties* properties) {
  if (!ComponentState().Contains(csReading))
    UpdateButtons();
  TlxCustomGroupBox::PropertiesChanged(properties);
}

void TlxCustomButtonGroup::HandleStyleChange(TObject* style) {
  TlxCustomGroupBox::HandleStyleChange(style);
  if (!creating_)
    UpdateButtons();
}

void TlxCustomButtonGroup::ProcessEditKeyDown(uint16_t& key, TShiftState shift) {
  const int32_t focused = GetFocusedButtonIndex();
  if (focused >= 0 && (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN)) {
    const TlxButtonGroupMove move = key == VK_LEFT   ? TlxButtonGroupMove::kLeft
                                    : key == VK_UP   ? TlxButtonGroupMove::kUp
                                    : key == VK_RIGHT ? TlxButtonGroupMove::kRight
                                                      : TlxButtonGroupMove::kDown;
    const int32_t count = GroupProperties().Items().Count();
    const int32_t target =
        count > 0 ? lxButtonGroupMoveFocus(focused, std::min(count, ButtonCount()), GroupProperties().GetRowCount(), move)
                  : -1;
    if (target >= 0) {
      Button(target)->SetFocus();
      key = 0;
    }
  }
  TlxCustomGroupBox::ProcessEditKeyDown(key, shift);
}

void TlxCustomButtonGroup::CreateWnd() {
  TlxCustomGroupBox::CreateWnd();
  UpdateButtons();
  RefreshDisplayValue();
}

void TlxCustomButtonGroup::Loaded() {
  TlxCustomGroupBox::Loaded();
  UpdateButtons();
  RefreshDisplayValue();
}

void TlxCustomButtonGroup::WndProc(TMessage& message) {
  switch (message.Msg) {
    case CM_ENABLEDCHANGED:
      TlxCustomGroupBox::WndProc(message);
      UpdateButtons();
      return;
    case CM_CURSORCHANGED:
      TlxCustomGroupBox::WndProc(message);
      UpdateButtons();
      return;
    case CM_CHILDKEY: {
      // Arrows move between the children by columns and rows and never
      // leave the group; the form's dialog keys would run through the
      // children in a line.
      const auto key = static_cast<uint16_t>(message.WParam);
      if ((key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) && GetFocusedButtonIndex() >= 0) {
        uint16_t moved = key;
        ProcessEditKeyDown(moved, KeyboardStateToShiftState());
        message.Result = 1;
        return;
      }
      break;
    }
    case WM_WINDOWPOSCHANGED:
      TlxCustomGroupBox::WndProc(message);
      if (!IsBeingDestroyed() && IsTransparentBackground() && HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_ERASE);
      return;
    default:
      break;
  }
  TlxCustomGroupBox::WndProc(message);
}
