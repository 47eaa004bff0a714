#include "editors/kinds/button_win.h"

#include "editors/kinds/button_popup_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/canvas_scopes.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/canvas/draw_helpers_win.h"
#include "ui/foundation/canvas/screen_control_win.h"
#include "ui/foundation/painters/native_painter_win.h"
#include "ui/foundation/painters/standard_painters_win.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/themes/theme_manager_win.h"
#include "ui/foundation/themes/visual_styles_win.h"

namespace {

constexpr int32_t kThemePushButtonPart = 1;
constexpr int32_t kThemeNormalState = 1;

bool IsDesigning(const TComponent& component) { return component.ComponentState().Contains(csDesigning); }

TlxMenuAnchor AnchorOf(TPopupAlignment alignment) { return static_cast<TlxMenuAnchor>(alignment); }

}  // namespace

// --- TlxButtonColors ----------------------------------------------------------------------------

void TlxButtonColors::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxButtonColors>();
  p.SetOf("AssignedColors", &TlxButtonColors::AssignedColors, &TlxButtonColors::SetAssignedColors,
          {"lxbcDefault", "lxbcDefaultText", "lxbcDisabled", "lxbcDisabledText", "lxbcHot", "lxbcHotText",
           "lxbcNormal", "lxbcNormalText", "lxbcPressed", "lxbcPressedText"})
      .Stored = [](const TPersistent&) { return false; };
  static constexpr const char* kNames[kLxButtonColorCount] = {"Default", "DefaultText", "Disabled", "DisabledText",
                                                              "Hot",     "HotText",     "Normal",   "NormalText",
                                                              "Pressed", "PressedText"};
  for (int32_t i = 0; i < kLxButtonColorCount; ++i) {
    const auto index = static_cast<TlxButtonAssignedColor>(i);
    p.Integer(
         kNames[i], [index](const TlxButtonColors& self) { return self.GetColor(index); },
         [index](TlxButtonColors& self, TColor color) { self.SetColor(index, color); })
        .Stored = [index](const TPersistent& self) {
      return static_cast<const TlxButtonColors&>(self).Values().IsAssigned(index);
    };
  }
}

TlxButtonColors::TlxButtonColors(TlxCustomButton* button) : TPersistent(), button_(button) {}

void TlxButtonColors::SetColor(TlxButtonAssignedColor index, TColor color) {
  values_.Set(index, color);
  InvalidateButton();
}

void TlxButtonColors::SetAssignedColors(uint16_t bits) {
  if (button_ == nullptr || !IsDesigning(*button_))
    return;
  values_.RestrictAssigned(bits);
  InvalidateButton();
}

void TlxButtonColors::Assign(const TPersistent* source) {
  if (const auto* colors = dynamic_cast<const TlxButtonColors*>(source)) {
    values_ = colors->values_;
    InvalidateButton();
    return;
  }
  TPersistent::Assign(source);
}

void TlxButtonColors::InvalidateButton() {
  if (button_ != nullptr)
    button_->Invalidate();
}

// --- TlxButtonActionLink --------------------------------------------------------------------------

TlxButtonActionLink::TlxButtonActionLink(TlxCustomButton* button) : TControlActionLink(button), button_(button) {}

TlxButtonActionLink::~TlxButtonActionLink() {
  if (button_->ComponentState().Contains(csDestroying))
    return;
  button_->GlyphObject().SetImages(nullptr);
  button_->GlyphObject().SetImageIndex(-1);
}

void TlxButtonActionLink::ImageIndexChanged(int32_t index) { button_->GlyphObject().SetImageIndex(index); }

void TlxButtonActionLink::ActionFreed() {
  // The button frees this link; nothing of it is touched afterwards.
  button_->SetAction(nullptr);
}

// --- TlxCustomButton ----------------------------------------------------------------------------

TlxCustomButton::TlxCustomButton(TComponent* owner)
    : TButton(owner),
      colors_(std::make_unique<TlxButtonColors>(this)),
      look_and_feel_(std::make_unique<TlxLookAndFeel>(this)),
      glyph_(std::make_unique<TlxButtonGlyph>()),
      control_canvas_(std::make_unique<TControlCanvas>()) {
  look_and_feel_->OnChanged = [this](TlxLookAndFeel*, TlxLookAndFeelValues) { LookAndFeelChanged(); };
  glyph_->OnChange = [this] { Invalidate(); };
  control_canvas_->SetControl(this);
  canvas_ = std::make_unique<TlxCanvas>(*control_canvas_);
  SetDoubleBuffered(true);
  ControlStyle().Include(csOpaque);
  ControlStyle().Include(csReflector);
  SetCanBeFocused(true);
  SetGroupIndex(0);
  SetAllowAllUp(false);
  SetDown(false);
}

TlxCustomButton::~TlxCustomButton() {
  lxStopMouseTracking(this);
  action_link_.reset();
  // The window's last messages still draw with the canvas and the glyph.
  Destroying();
  DestroyHandle();
  control_canvas_->FreeHandle();
  look_and_feel_->OnChanged = nullptr;
}

bool TlxCustomButton::NotifyDropDownMenuPopup(TPopupMenu*& popup_menu) {
  bool handled = false;
  if (OnDropDownMenuPopup)
    OnDropDownMenuPopup(this, popup_menu, handled);
  return handled;
}

bool TlxCustomButton::ShowPopupMenuAt(TComponent* popup_menu, int32_t x, int32_t y) {
  return lxShowPopupMenu(this, popup_menu, x, y);
}

TlxPainterClass TlxCustomButton::GetPainter() {
  TlxPainterClass painter = look_and_feel_->PainterFor(totButton);
  if (painter->GetLookAndFeelStyle() != lxStyleOffice11)
    return painter;
  if (lxThemeAvailableFor(totButton))
    return &lxPainter<TlxWinXPLookAndFeelPainter>();
  return &lxPainter<TlxStandardLookAndFeelPainter>();
}

void TlxCustomButton::CalculateOptimalSize(TSize& size) {
  TlxScreenCanvas& canvas = lxGetScreenCanvas();
  canvas.AssignFont(Font());
  std::string caption = StripHotkey(Caption());
  if (caption.empty())
    caption = " ";
  size.cx = canvas.MeasureTextWidth(caption) + 3 * canvas.MeasureTextWidth("R");
  size.cy = MulDiv(canvas.MeasureTextHeight("Wg"), 14, 8);
}

void TlxCustomButton::SetKind(TlxButtonKind value) {
  if (value == kind_)
    return;
  kind_ = value;
  RecreateWnd();
}

void TlxCustomButton::SetDropDownMenu(TPopupMenu* value) {
  if (value == drop_down_menu_)
    return;
  if (drop_down_menu_ != nullptr)
    drop_down_menu_->RemoveFreeNotification(this);
  drop_down_menu_ = value;
  if (drop_down_menu_ != nullptr)
    drop_down_menu_->FreeNotification(this);
}

void TlxCustomButton::SetPopupMenu(TComponent* value) { lxAssignPopupMenu(*this, popup_menu_, value); }

void TlxCustomButton::SetLayout(TButtonLayout value) {
  if (value == layout_)
    return;
  layout_ = value;
  Invalidate();
}

void TlxCustomButton::SetMargin(int32_t value) {
  if (value == margin_ || value < -1)
    return;
  margin_ = value;
  Invalidate();
}

void TlxCustomButton::SetSpacing(int32_t value) {
  if (value == spacing_)
    return;
  spacing_ = value;
  Invalidate();
}

void TlxCustomButton::SetUseSystemPaint(bool value) {
  if (value == use_system_paint_)
    return;
  use_system_paint_ = value;
  LookAndFeelChanged();
}

void TlxCustomButton::SetCanBeFocused(bool value) {
  can_be_focused_ = value;
  TellGroup();
}

void TlxCustomButton::SetGroupIndex(int32_t value) {
  if (value == group_index_)
    return;
  group_index_ = value;
  if (group_index_ == 0)
    SetDown(false);
  else
    TellGroup();
}

void TlxCustomButton::SetDown(bool value) {
  if (group_index_ == 0)
    value = false;
  if (value == down_)
    return;
  // Only another button of the group raises a down button there.
  if (down_ && group_index_ != 0 && !allow_all_up_)
    return;
  down_ = value;
  pressed_look_ = value;
  if (value)
    TellGroup();
  Invalidate();
}

void TlxCustomButton::SetAllowAllUp(bool value) {
  allow_all_up_ = value;
  TellGroup();
}

void TlxCustomButton::TellGroup() {
  if (group_index_ == 0 || Parent() == nullptr)
    return;
  TMessage message{};
  message.Msg = CM_BUTTONPRESSED;
  message.WParam = static_cast<WPARAM>(group_index_);
  message.LParam = reinterpret_cast<LPARAM>(this);
  Parent()->Broadcast(message);
}

void TlxCustomButton::ButtonPressed(int32_t group_index, TlxCustomButton* sender) {
  if (sender == this || group_index != group_index_ || group_index_ == 0 || !IsSpeedButtonMode())
    return;
  allow_all_up_ = sender->allow_all_up_;
  can_be_focused_ = sender->can_be_focused_;
  if (sender->down_ && down_) {
    down_ = false;
    pressed_look_ = false;
    if (auto* action = dynamic_cast<TCustomAction*>(Action()))
      action->SetChecked(false);
    Invalidate();
  }
}

TlxButtonState TlxCustomButton::CurrentState() const {
  TlxButtonLook look;
  look.Enabled = Enabled();
  look.PressedLook = pressed_look_;
  look.MenuShown = menu_shown_;
  look.Down = down_;
  look.Hot = hot_;
  look.FocusedLook = focused_look_;
  look.DefaultFlag = default_flag_;
  look.SpeedButtonMode = IsSpeedButtonMode();
  look.Kind = kind_;
  return lxButtonStateOf(look);
}

bool TlxCustomButton::CanFocus() const {
  return TButton::CanFocus() && (can_be_focused_ || IsDesigning(*this));
}

void TlxCustomButton::Click() {
  // A drop-down button opens its menu instead of clicking.
  if (kind_ == lxbkDropDown && !menu_shown_) {
    if (HandleAllocated())
      PostMessageW(WindowHandle(), kLxButtonDropDownMessage, 0, 0);
    return;
  }
  // The release of a press on the split button's arrow belongs to the menu,
  // also when the menu's opening was handled elsewhere and no menu took it.
  if (IsArrowPress())
    return;
  const bool has_handler = static_cast<bool>(OnClick);
  const TAliveToken alive = AliveToken();
  TButton::Click();
  if (!alive.Alive() || has_handler || !action_link_)
    return;
  action_link_->Execute();
}

void TlxCustomButton::SetAction(TBasicAction* action) {
  if (action == nullptr) {
    action_link_.reset();  // also a link whose action has gone
    return;
  }
  if (action == Action())
    return;
  if (!action_link_)
    action_link_ = CreateActionLink();
  action_link_->SetAction(action);
  action_link_->ApplyAction();
  RefreshGlyphFromAction();
}

void TlxCustomButton::RefreshGlyphFromAction() {
  auto* action = dynamic_cast<TCustomAction*>(Action());
  if (action == nullptr || action->ActionList() == nullptr) {
    glyph_->SetImages(nullptr);
    glyph_->SetImageIndex(-1);
    return;
  }
  glyph_->SetImages(action->ActionList()->Images());
  glyph_->SetImageIndex(action->ImageIndex());
}

bool TlxCustomButton::IsArrowPress() const {
  return kind_ == lxbkDropDownButton && click_in_progress_ && !IsSpeedButtonMode();
}

void TlxCustomButton::SetButtonStyle(bool is_default) {
  if (UsesSystemPaint()) {
    if (HandleAllocated())
      SendMessageW(WindowHandle(), BM_SETSTYLE, is_default ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    return;
  }
  if (is_default == default_flag_)
    return;
  default_flag_ = is_default;
  Invalidate();
}

void TlxCustomButton::CreateParams(TCreateParams& params) {
  TButton::CreateParams(params);
  if (!UsesSystemPaint())
    params.Style |= BS_OWNERDRAW;
}

void TlxCustomButton::CreateWnd() {
  TButton::CreateWnd();
  glyph_->GetGlyphImageIndex(Enabled() ? lxbsNormal : lxbsDisabled);
}

void TlxCustomButton::DestroyWnd() {
  if (menu_shown_)
    Perform(kLxButtonMenuClosedMessage);
  TButton::DestroyWnd();
}

void TlxCustomButton::Notification(TComponent* component, TOperation operation) {
  TButton::Notification(component, operation);
  if (operation != opRemove)
    return;
  if (component == drop_down_menu_)
    drop_down_menu_ = nullptr;
  if (component == popup_menu_)
    popup_menu_ = nullptr;
}

bool TlxCustomButton::HotTrackApplies() {
  return !UsesSystemPaint() && GetPainter()->ButtonHotTrackEnabled() && Enabled();
}

void TlxCustomButton::StartHot() {
  lxStartMouseTracking(this, TRect(0, 0, Width(), Height()), this);
  hot_ = true;
  Invalidate();
}

void TlxCustomButton::UpdateHotFromCursor() {
  POINT cursor{};
  GetCursorPos(&cursor);
  const bool hot = HotTrackApplies() && HandleAllocated() && WindowFromPoint(cursor) == WindowHandle();
  if (hot == hot_)
    return;
  hot_ = hot;
  Invalidate();
}

void TlxCustomButton::MouseLeave() {
  if (!IsDesigning(*this)) {
    lxStopMouseTracking(this);
    click_in_progress_ = menu_shown_;
    if (hot_) {
      hot_ = false;
      Invalidate();
    }
  }
  TButton::MouseLeave();
}

void TlxCustomButton::LookAndFeelChanged() {
  if (use_system_paint_)
    RecreateWnd();
  else
    Invalidate();
}

void TlxCustomButton::KeyDown(uint16_t& key, TShiftState shift) {
  const bool opens = kind_ == lxbkDropDownButton && (key == VK_UP || key == VK_DOWN) &&
                     (shift.Contains(ssAlt) || shift.Contains(ssShift));
  if (opens) {
    if (!menu_shown_ && HandleAllocated())
      PostMessageW(WindowHandle(), kLxButtonDropDownMessage, 0, 0);
    key = 0;
  }
  TButton::KeyDown(key, shift);
}

void TlxCustomButton::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button == mbLeft) {
    const TPoint point(x, y);
    const bool on_drop_down = lxIsButtonDropDownPoint(kind_, ClientRect(), point);
    // A press on the split button's arrow keeps the main part up.
    click_in_progress_ = IsSpeedButtonMode() || (kind_ == lxbkDropDownButton && on_drop_down);
    if (on_drop_down && HandleAllocated())
      PostMessageW(WindowHandle(), kLxButtonDropDownMessage, 0, 0);
    pressed_look_ = !lxButtonDropDownRect(kind_, ClientRect()).Contains(point);
    Invalidate();
  }
  TButton::MouseDown(button, shift, x, y);
}

void TlxCustomButton::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  if (!hot_ && !IsDesigning(*this) && HotTrackApplies() && ClientRect().Contains(TPoint(x, y)) &&
      GetCapture() == nullptr)
    StartHot();
  TButton::MouseMove(shift, x, y);
}

void TlxCustomButton::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (button != mbLeft) {
    TButton::MouseUp(button, shift, x, y);
    return;
  }
  if (IsArrowPress() && !menu_shown_)
    click_in_progress_ = false;
  if (click_in_progress_ && group_index_ != 0)
    SetDown(!down_);
  const TAliveToken alive = AliveToken();
  TButton::MouseUp(button, shift, x, y);
  if (!alive.Alive())
    return;
  if (IsSpeedButtonMode() && click_in_progress_) {
    Click();
    if (!alive.Alive())
      return;
    if (group_index_ == 0) {
      click_in_progress_ = false;
      pressed_look_ = false;
    }
  }
  Invalidate();
}

void TlxCustomButton::DoContextPopup(TPoint mouse_pos, bool& handled) {
  TButton::DoContextPopup(mouse_pos, handled);
  if (handled || popup_menu_ == nullptr)
    return;
  const TPoint screen = lxContextPopupScreenPoint(*this, mouse_pos);
  handled = ShowPopupMenuAt(popup_menu_, screen.X, screen.Y);
}

bool TlxCustomButton::HandleSpeedButtonMouse(TMessage& message) {
  const TMouseMessage mouse(message);
  const TShiftState shift = KeysToShiftState(message.WParam);
  switch (message.Msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN: {
      const TAliveToken alive = AliveToken();
      if (can_be_focused_)
        SetFocus();
      if (!alive.Alive())
        return true;
      MouseDown(message.Msg == WM_LBUTTONDOWN ? mbLeft : mbRight, shift, mouse.Pos().X, mouse.Pos().Y);
      return true;
    }
    case WM_LBUTTONDBLCLK: {
      const TAliveToken alive = AliveToken();
      DblClick();
      if (alive.Alive())
        Invalidate();
      return true;
    }
    default:
      return false;
  }
}

void TlxCustomButton::WndProc(TMessage& message) {
  const bool designing = IsDesigning(*this);
  if (!designing && IsSpeedButtonMode()) {
    if (HandleSpeedButtonMouse(message))
      return;
    if (message.Msg == WM_KEYUP && message.WParam == VK_SPACE)
      ToggleDownFromUser();
  }
  switch (message.Msg) {
    case WM_LBUTTONDBLCLK:
      // Outside speed-button mode a double click is a second press.
      message.Msg = WM_LBUTTONDOWN;
      break;
    case BM_SETSTYLE:
      if (!UsesSystemPaint()) {
        SetButtonStyle((message.WParam & 0x0F) == BS_DEFPUSHBUTTON);
        message.Result = 0;
        return;
      }
      break;
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case CN_DRAWITEM:
      DrawItem(message);
      return;
    case CN_MEASUREITEM:
      lxAnswerMeasureItem(*this, message);
      return;
    case kLxButtonDropDownMessage:
      OpenDropDownMenu();
      return;
    case kLxButtonMenuClosedMessage:
      MenuClosed();
      return;
    case CM_FOCUSCHANGED: {
      // The active default button: the focused button, or this default one
      // while no button has the focus.
      const TFocusChangedMessage focus(message);
      auto* focused_button = dynamic_cast<TButton*>(focus.Sender());
      SetButtonStyle(focused_button != nullptr ? focused_button == this : Default());
      break;
    }
    case CM_BUTTONPRESSED:
      ButtonPressed(static_cast<int32_t>(message.WParam), reinterpret_cast<TlxCustomButton*>(message.LParam));
      return;
    case CM_MOUSEENTER:
      if (TMouseEnterLeaveMessage(message).IsFor(this) && !designing && !hot_ && HotTrackApplies() &&
          GetCapture() == nullptr)
        StartHot();
      break;
    case WM_CAPTURECHANGED:
      if (!designing)
        UpdateHotFromCursor();
      break;
    case CM_ENABLEDCHANGED:
      if (!Enabled())
        hot_ = false;
      Invalidate();
      break;
    case CM_FONTCHANGED:
      Invalidate();
      break;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      if (lxPopupMenuHandlesShortCut(popup_menu_, message)) {
        message.Result = 1;
        return;
      }
      break;
    case WM_CONTEXTMENU:
      if (lxServeButtonContextMenu(*this, message, [this](TPoint point, bool& handled) {
            DoContextPopup(point, handled);
          }))
        return;
      break;
    default:
      break;
  }
  TButton::WndProc(message);
}

void TlxCustomButton::ToggleDownFromUser() {
  if (group_index_ != 0)
    SetDown(!down_);
}

void TlxCustomButton::DrawItem(TMessage& message) {
  message.Result = 1;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  if (item == nullptr || ComponentState().Contains(csDestroying))
    return;
  TCanvasHandleScope drawing(*control_canvas_, item->hDC);
  if (click_in_progress_) {
    if (!IsSpeedButtonMode())
      pressed_look_ = false;
  } else {
    pressed_look_ = (item->itemState & ODS_SELECTED) != 0;
  }
  focused_look_ = (item->itemState & ODS_FOCUS) != 0 || (IsDesigning(*this) && Default());
  if (UsesSystemPaint())
    return;
  Paint(*canvas_);
}

void TlxCustomButton::Paint(TlxCanvas& canvas) {
  const TlxPainterClass painter = GetPainter();
  const TRect client = ClientRect();
  TRect face = client;
  if (painter == &lxPainter<TlxWinXPLookAndFeelPainter>()) {
    const HTHEME theme = lxOpenThemeHandle(totButton);
    if (theme != nullptr &&
        lxUxIsThemeBackgroundPartiallyTransparent(theme, kThemePushButtonPart, kThemeNormalState))
      lxDrawParentBackground(this, canvas, face);
  }
  TRect arrow_part;
  if (kind_ == lxbkDropDown) {
    pressed_look_ = menu_shown_;
  } else if (kind_ == lxbkDropDownButton) {
    arrow_part = lxButtonArrowPart(face);
    face.Right -= kLxButtonMainPartCut;
  }

  const TlxButtonState state = CurrentState();
  canvas.AssignFont(Font());
  TColor color = colors_->Values().FaceColor(state);
  const TColor text_color = colors_->Values().TextColor(state);
  canvas.Font().SetColor(text_color != clDefault ? text_color
                                                 : painter->GetButtonSymbolColor(state, canvas.Font().Color()));
  if (OnGetDrawParams)
    OnGetDrawParams(this, state, color, canvas.Font());
  painter->PaintButton(canvas, face, "", state, true, color, canvas.Font().Color());

  TPoint offset(0, 0);
  const int32_t shift = painter->GetButtonTextShift();
  if (state == lxbsPressed && shift != 0)
    offset = TPoint(shift, shift);
  const auto content_of = [&](TlxButtonState content_state) {
    const int32_t border = painter->GetButtonBorderSize(content_state);
    TRect content = client.Inflate(-border, -border);
    if (kind_ == lxbkDropDownButton)
      content.Right -= kLxButtonMainPartCut;
    return content;
  };
  {
    canvas.PushClipRegion();
    TScopeExit pop_clip([&canvas] { canvas.PopClipRegion(); });
    canvas.IntersectClip(content_of(state));
    if (Action() != nullptr)
      RefreshGlyphFromAction();
    glyph_->DrawGlyphAndCaption(canvas, content_of(lxbsDefault), offset, Caption(), layout_, margin_, spacing_, state,
                                0, painter == &lxPainter<TlxWinXPLookAndFeelPainter>(), WordWrap());
  }

  if (kind_ == lxbkDropDownButton) {
    const TlxButtonState arrow_state = lxButtonArrowStateOf(state, menu_shown_, default_flag_);
    painter->PaintButton(canvas, arrow_part, "", arrow_state, true, color, canvas.Font().Color());
    painter->PaintScrollBarArrow(canvas, arrow_part, arrow_state, adDown);
  }
  if (CanFocus() && Focused() && !menu_shown_)
    canvas.DrawFocusFrame(painter->GetButtonFocusRect(canvas, face));
}

void TlxCustomButton::OpenDropDownMenu() {
  if (kind_ == lxbkStandard)
    return;
  TPopupMenu* menu = drop_down_menu_;
  const TAliveToken alive = AliveToken();
  if (NotifyDropDownMenuPopup(menu) || menu == nullptr || !alive.Alive())
    return;
  menu_shown_ = true;
  Repaint();
  const TPoint origin = ClientToScreen(TPoint(0, 0));
  const TRect screen_rect(origin.X, origin.Y, origin.X + Width(), origin.Y + Height());
  const TRect work_area = lxWorkAreaAtPoint(TPoint(origin.X, origin.Y + Height()));
  const TlxDropDownMenuPlacement placement =
      lxPlaceDropDownMenu(screen_rect, AnchorOf(popup_alignment_), lxCalcPopupMenuHeight(menu), work_area);
  const TPopupAlignment saved_alignment = menu->Alignment();
  const TWeakRef<TPopupMenu> menu_ref(menu);
  TScopeExit restore([this, menu_ref, saved_alignment, alive] {
    if (TPopupMenu* shown = menu_ref.Get())
      shown->SetAlignment(saved_alignment);
    if (alive.Alive() && HandleAllocated())
      PostMessageW(WindowHandle(), kLxButtonMenuClosedMessage, 0, 0);
  });
  menu->SetAlignment(static_cast<TPopupAlignment>(placement.Alignment));
  menu->PopupAt(this, placement.Point.X, placement.Point.Y);
}

void TlxCustomButton::MenuClosed() {
  menu_shown_ = false;
  hot_ = false;
  UpdateHotFromCursor();
  if (!IsSpeedButtonMode())
    click_in_progress_ = false;
  Repaint();
}

// --- TlxButton ------------------------------------------------------------------------------------

void TlxButton::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxButton>();
  p.Boolean("AllowAllUp", &TlxButton::AllowAllUp, &TlxButton::SetAllowAllUp, false);
  p.Boolean("CanBeFocused", &TlxButton::CanBeFocused, &TlxButton::SetCanBeFocused, true);
  p.Persistent("Colors", TlxButtonColors::kClass, [](const TlxButton& self) {
     return &const_cast<TlxButton&>(self).Colors();
   }).Stored = [](const TPersistent& self) {
    return const_cast<TlxButton&>(static_cast<const TlxButton&>(self)).Colors().AssignedColors() != 0;
  };
  p.Boolean("Down", &TlxButton::Down, &TlxButton::SetDown, false);
  p.Reference<TPopupMenu>("DropDownMenu", &TlxButton::DropDownMenu, &TlxButton::SetDropDownMenu);
  p.Integer("GroupIndex", &TlxButton::GroupIndex, &TlxButton::SetGroupIndex, 0);
  p.Enumeration("Kind", &TlxButton::Kind, &TlxButton::SetKind, {"lxbkStandard", "lxbkDropDown", "lxbkDropDownButton"},
                std::optional<TlxButtonKind>(lxbkStandard));
  p.Enumeration("Layout", &TlxButton::Layout, &TlxButton::SetLayout,
                {"blGlyphLeft", "blGlyphRight", "blGlyphTop", "blGlyphBottom"},
                std::optional<TButtonLayout>(blGlyphLeft));
  p.Persistent("LookAndFeel", TlxLookAndFeel::kClass,
               [](const TlxButton& self) { return &const_cast<TlxButton&>(self).LookAndFeel(); });
  p.Integer("Margin", &TlxButton::Margin, &TlxButton::SetMargin, -1);
  p.Integer("NumGlyphs", &TlxButton::NumGlyphs, &TlxButton::SetNumGlyphs, 1);
  p.Enumeration("PopupAlignment", &TlxButton::PopupAlignment, &TlxButton::SetPopupAlignment,
                {"paLeft", "paRight", "paCenter"}, std::optional<TPopupAlignment>(paLeft));
  p.Reference<TComponent>("PopupMenu", &TlxButton::PopupMenu, &TlxButton::SetPopupMenu);
  p.Integer("Spacing", &TlxButton::Spacing, &TlxButton::SetSpacing, 4);
  p.Boolean("UseSystemPaint", &TlxButton::UseSystemPaint, &TlxButton::SetUseSystemPaint, false);
}
