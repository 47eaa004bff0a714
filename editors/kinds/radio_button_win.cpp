#include "editors/kinds/radio_button_win.h"

#include "editors/container_routines_win.h"
#include "editors/edit_paint_utils_win.h"
#include "editors/kinds/button_popup_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/canvas_scopes.h"
#include "platform/toolkit/messages.h"
#include "ui/foundation/canvas/draw_helpers_win.h"
#include "ui/foundation/painters/painter_glyphs_win.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/themes/theme_manager_win.h"

namespace {

constexpr TlxCanvasTextFlags kWrappedCaptionFlags = 1697;
constexpr TlxCanvasTextFlags kSingleLineCaptionFlags = 609;

bool IsDesigning(const TComponent& component) { return component.ComponentState().Contains(csDesigning); }

}  // namespace

void TlxRadioButton::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxRadioButton>();
  p.Persistent("LookAndFeel", TlxLookAndFeel::kClass,
               [](const TlxRadioButton& self) { return &const_cast<TlxRadioButton&>(self).LookAndFeel(); });
  p.Boolean("ParentBackground", &TlxRadioButton::ParentBackground, &TlxRadioButton::SetParentBackground, true);
  p.Reference<TComponent>("PopupMenu", &TlxRadioButton::PopupMenu, &TlxRadioButton::SetPopupMenu);
  p.Boolean("Transparent", &TlxRadioButton::Transparent, &TlxRadioButton::SetTransparent, false);
}

TlxRadioButton::TlxRadioButton(TComponent* owner)
    : TRadioButton(owner),
      control_canvas_(std::make_unique<TControlCanvas>()),
      look_and_feel_(std::make_unique<TlxLookAndFeel>(this)) {
  ControlStyle().Include(csDoubleClicks);
  control_canvas_->SetControl(this);
  canvas_ = std::make_unique<TlxCanvas>(*control_canvas_);
  look_and_feel_->OnChanged = [this](TlxLookAndFeel*, TlxLookAndFeelValues) { LookAndFeelChanged(); };
  SetParentBackground(true);
  lxRadioButtonGlyphs();
}

TlxRadioButton::~TlxRadioButton() {
  lxStopMouseTracking(this);
  Destroying();
  DestroyHandle();
  control_canvas_->FreeHandle();
  look_and_feel_->OnChanged = nullptr;
}

void TlxRadioButton::SetParentBackground(bool value) {
  if (value)
    ControlStyle().Include(csParentBackground);
  else
    ControlStyle().Exclude(csParentBackground);
  Invalidate();
}

void TlxRadioButton::SetPopupMenu(TComponent* value) { lxAssignPopupMenu(*this, popup_menu_, value); }

void TlxRadioButton::SetTransparent(bool value) {
  if (value == transparent_)
    return;
  transparent_ = value;
  Invalidate();
}

TlxRadioButtonLook TlxRadioButton::Look() {
  TlxRadioButtonLook look;
  look.ControlSize = TSize{Width(), Height()};
  look.CaptionSide = Alignment() == taLeftOfText ? TlxRadioCaptionSide::kLeft : TlxRadioCaptionSide::kRight;
  look.NativeStyle = IsNativeStyle();
  look.Inplace = IsInplace();
  look.WordWrap = WordWrap();
  return look;
}

void TlxRadioButton::AdjustTextRect(TRect& rect, bool native_style) {
  TlxRadioButtonLook look = Look();
  look.NativeStyle = native_style;
  lxAdjustRadioTextRect(look, rect);
}

bool TlxRadioButton::ShowPopupMenuAt(TComponent* popup_menu, int32_t x, int32_t y) {
  return lxShowPopupMenu(this, popup_menu, x, y);
}

void TlxRadioButton::DrawBackground() {
  if (!HasTransparentBackground())
    lxFillRectWithColor(*canvas_, ClientRect(), Color());
}

bool TlxRadioButton::UsesParentBackground() {
  return IsNativeStyle() && ParentBackground() && !IsInplace() && !transparent_;
}

bool TlxRadioButton::IsNativeStyle() { return look_and_feel_->NativeStyle() && lxThemeAvailableFor(totButton); }

TColor TlxRadioButton::GetTextColor() {
  const TColor font_color = Font().Color();
  if (font_color == clWindowText) {
    const TColor painter_color = look_and_feel_->PainterFor(totButton)->GetDefaultEditorTextColor(!Enabled());
    if (painter_color != clDefault)
      return painter_color;
  }
  if (Enabled() || Supports<IlxContainerInnerControl>(static_cast<TObject*>(this)) != nullptr)
    return font_color;
  return clGrayText;
}

void TlxRadioButton::DrawCaption(TlxCanvas& canvas, bool native_style) {
  canvas.AssignFont(Font());
  canvas.Font().SetColor(GetTextColor());
  TlxRadioButtonLook look = Look();
  look.NativeStyle = native_style;
  const TRect text_rect = lxRadioTextRect(look, button_rect_);
  const TlxCanvasTextFlags flags = WordWrap() ? kWrappedCaptionFlags : kSingleLineCaptionFlags;
  canvas.Brush().SetStyle(bsClear);
  const TlxPainterClass painter = look_and_feel_->PainterFor(totButton);
  const bool draw_enabled = painter->GetDefaultEditorTextColor(true) != clDefault ||
                            Supports<IlxContainerInnerControl>(static_cast<TObject*>(this)) != nullptr ||
                            native_style || Enabled();
  const std::string caption = Caption();
  canvas.DrawTextInRect(caption, text_rect, flags, draw_enabled);
  canvas.Brush().SetStyle(bsSolid);
  if (!Focused() || caption.empty())
    return;
  TRect extent = text_rect;
  canvas.CalcTextRect(caption, extent, flags);
  const TRect focus = lxRadioFocusRect(look, extent, button_rect_);
  canvas.SetBrushColor(Color());
  canvas.DrawFocusFrame(focus);
}

void TlxRadioButton::Paint(bool focus_only) {
  TlxCanvas& canvas = *canvas_;
  const TRect client = ClientRect();
  const bool native = IsNativeStyle();
  if (!focus_only) {
    if (IsTransparent())
      lxPaintParentImage(this, canvas, client, false);
    else if (UsesParentBackground())
      lxDrawParentBackground(this, canvas, client);
    if (native)
      DrawBackground();
  }
  const TlxPainterClass painter = look_and_feel_->PainterFor(totButton);
  TlxRadioButtonLook look = Look();
  button_rect_ = lxRadioButtonRect(look, painter->GetRadioButtonSize());
  const TColor background = HasTransparentBackground() ? clDefault : Color();
  painter->PaintRadioButton(canvas, button_rect_.Left, button_rect_.Top, lxRadioButtonPainterState(state_), Checked(),
                            Focused(), background, IsDesigning(*this));
  canvas.PushClipRegion();
  TScopeExit pop_clip([&canvas] { canvas.PopClipRegion(); });
  canvas.ExcludeFromClip(button_rect_);
  if (!focus_only && !native)
    DrawBackground();
  DrawCaption(canvas, native);
}

void TlxRadioButton::UpdateState(int32_t button_code, TShiftState shift, const TPoint& point) {
  (void)button_code;
  TlxRadioMouse mouse;
  mouse.Enabled = Enabled();
  mouse.Designing = IsDesigning(*this);
  mouse.HasCapture = HandleAllocated() && GetCapture() == WindowHandle();
  mouse.ShiftEmpty = shift.Empty();
  mouse.Point = point;
  SetState(lxRadioButtonStateOf(mouse, TSize{Width(), Height()}));
}

void TlxRadioButton::SetState(TlxRadioButtonState state) {
  if (state == state_)
    return;
  state_ = state;
  if (HandleAllocated()) {
    const RECT rect = button_rect_.Inflate(1, 1);
    InvalidateRect(WindowHandle(), &rect, FALSE);
  }
}

void TlxRadioButton::UpdateStateFromCursor() {
  if (!HandleAllocated())
    return;
  POINT cursor{};
  GetCursorPos(&cursor);
  UpdateState(0, KeyboardStateToShiftState(), ScreenToClient(TPoint(cursor.x, cursor.y)));
}

bool TlxRadioButton::Focused() const { return !IsDesigning(*this) && TRadioButton::Focused(); }

void TlxRadioButton::Invalidate() {
  if (!HandleAllocated())
    return;
  InvalidateRect(WindowHandle(), nullptr, FALSE);
}

void TlxRadioButton::MouseLeave() {
  UpdateState(0, TShiftState{}, TPoint(-1, -1));
  lxStopMouseTracking(this);
  TRadioButton::MouseLeave();
}

void TlxRadioButton::CreateParams(TCreateParams& params) {
  TRadioButton::CreateParams(params);
  params.Style = (params.Style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_OWNERDRAW;
}

void TlxRadioButton::CreateWnd() {
  TRadioButton::CreateWnd();
  UpdateStateFromCursor();
}

void TlxRadioButton::Notification(TComponent* component, TOperation operation) {
  TRadioButton::Notification(component, operation);
  if (operation == opRemove && component == popup_menu_)
    popup_menu_ = nullptr;
}

void TlxRadioButton::DoEnter() {
  TRadioButton::DoEnter();
  if (Checked() || suppress_clicks_)
    return;
  {
    TStateScope suppressing(suppress_clicks_, true);
    SetChecked(true);
  }
  if (!ComponentState().Contains(csLoading))
    Click();
}

void TlxRadioButton::Click() {
  if (suppress_clicks_)
    return;
  TRadioButton::Click();
}

void TlxRadioButton::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TRadioButton::MouseDown(button, shift, x, y);
  UpdateState(lxMouseButtonToCode(button), shift, TPoint(x, y));
}

void TlxRadioButton::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TRadioButton::MouseMove(shift, x, y);
  UpdateState(0, shift, TPoint(x, y));
  lxStartMouseTracking(this, ClientRect(), this);
}

void TlxRadioButton::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TRadioButton::MouseUp(button, shift, x, y);
  UpdateState(lxMouseButtonToCode(button), shift, TPoint(x, y));
}

void TlxRadioButton::MouseEnter() {
  TRadioButton::MouseEnter();
  UpdateStateFromCursor();
  lxStartMouseTracking(this, ClientRect(), this);
}

void TlxRadioButton::DoContextPopup(TPoint mouse_pos, bool& handled) {
  TRadioButton::DoContextPopup(mouse_pos, handled);
  if (handled)
    return;
  const TPoint screen = lxContextPopupScreenPoint(*this, mouse_pos);
  handled = ShowPopupMenuAt(popup_menu_, screen.X, screen.Y);
}

void TlxRadioButton::DrawItem(TMessage& message) {
  message.Result = 1;
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
  if (item == nullptr || ComponentState().Contains(csDestroying))
    return;
  TCanvasHandleScope drawing(*control_canvas_, item->hDC);
  Paint(item->itemAction == ODA_FOCUS);
}

void TlxRadioButton::WndProc(TMessage& message) {
  switch (message.Msg) {
    case WM_CONTEXTMENU:
      if (message.Result != 0)
        return;  // already answered
      if (lxServeButtonContextMenu(*this, message, [this](TPoint point, bool& handled) {
            DoContextPopup(point, handled);
          }))
        return;
      break;
    case WM_ERASEBKGND:
      message.Result = 1;
      return;
    case WM_WINDOWPOSCHANGED:
      TRadioButton::WndProc(message);
      if (!ComponentState().Contains(csDestroying) && HasTransparentBackground())
        Invalidate();
      return;
    case BM_SETCHECK:
      TRadioButton::WndProc(message);
      if (HandleAllocated()) {
        const RECT rect = button_rect_;
        InvalidateRect(WindowHandle(), &rect, FALSE);
      }
      return;
    case CM_SYSCOLORCHANGE:
      TRadioButton::WndProc(message);
      Invalidate();
      return;
    case CM_ENABLEDCHANGED:
      TRadioButton::WndProc(message);
      UpdateStateFromCursor();
      Invalidate();
      return;
    case CN_DRAWITEM:
      DrawItem(message);
      return;
    case CN_MEASUREITEM:
      lxAnswerMeasureItem(*this, message);
      return;
    case CN_KEYDOWN:
    case CN_SYSKEYDOWN:
      if (lxPopupMenuHandlesShortCut(popup_menu_, message)) {
        message.Result = 1;
        return;
      }
      break;
    default:
      break;
  }
  TRadioButton::WndProc(message);
}
