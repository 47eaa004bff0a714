#include "editors/kinds/calculator_win.h"

#include "platform/rtl/scope.h"
#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/color.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

// The engine of one calculator: its display is the control's, its events
// are the control's.
class TlxCustomCalculator::CalculatorEngine : public TlxCalculatorEngine {
 public:
  explicit CalculatorEngine(TlxCustomCalculator& owner) : owner_(owner) {}

  std::string GetDisplayText() const override {
    std::string text;
    owner_.GetDisplayText(text);
    return text;
  }
  void SetDisplayText(const std::string& text) override { owner_.SetDisplayText(text); }

 protected:
  void DoDisplayChanged() override {
    if (owner_.OnDisplayChanged)
      owner_.OnDisplayChanged(&owner_);
  }
  void DoButtonClick(TlxCalcButtonKind& button) override {
    if (owner_.OnButtonClick)
      owner_.OnButtonClick(&owner_, button);
  }
  void DoResult() override {
    if (owner_.OnResult)
      owner_.OnResult(&owner_);
  }
  void Beep() override { MessageBeep(0); }
  void MemoryButtonsChanged() override {
    owner_.InvalidateButton(cbMC);
    owner_.InvalidateButton(cbMR);
  }

 private:
  TlxCustomCalculator& owner_;
};

TColor lxCalcButtonColor(TlxCalcButtonKind button) {
  if (button <= cbClear)
    return clMaroon;
  if (button <= cbMP)
    return clRed;
  if (button <= cbDecimal)
    return clBlue;
  if (button >= cbSqrt && button <= cbRev)
    return clNavy;
  return clRed;
}

TlxCustomCalculator::TlxCustomCalculator(TComponent* owner)
    : TlxControl(owner), engine_(std::make_unique<CalculatorEngine>(*this)), layout_(lxCalculatorLayout(22)) {
  ControlStyle().Include(csCaptureMouse);
  ControlStyle().Include(csOpaque);
  SetParentColor(false);
  SetColor(clBtnFace);
  SetTabStop(true);
  TlxWantedKeys keys;
  keys.Include(wkArrows);
  keys.Include(wkChars);
  keys.Include(wkTab);
  SetWantedKeys(keys);
  SetBounds(Left(), Top(), layout_.Width, layout_.Height);
}

TlxCustomCalculator::~TlxCustomCalculator() = default;

bool TlxCustomCalculator::IsButtonPressed(TlxCalcButtonKind button) const {
  if (button == cbNone)
    return false;
  return button == key_button_ || (button == tracked_button_ && tracked_pressed_);
}

void TlxCustomCalculator::SetAutoFontSize(bool value) {
  if (auto_font_size_ == value)
    return;
  auto_font_size_ = value;
  RecalculateLayout();
}

void TlxCustomCalculator::RecalculateLayout() {
  if (layout_changing_)
    return;
  TStateScope<bool> changing(layout_changing_, true);
  int32_t button_height = 22;
  if (auto_font_size_) {
    button_height = lxCalculatorButtonHeightFor(Width(), Height());
  } else {
    TlxCanvas& canvas = CurrentCanvas();
    canvas.AssignFont(Font());
    SIZE size{};
    GetTextExtentPoint32W(canvas.Handle(), L"0", 1, &size);
    button_height = 2 * size.cy;
  }
  layout_ = lxCalculatorLayout(button_height);
  if (Width() != layout_.Width || Height() != layout_.Height)
    SetBounds(Left(), Top(), layout_.Width, layout_.Height);
  Invalidate();
}

void TlxCustomCalculator::BoundsChanged() {
  TlxControl::BoundsChanged();
  RecalculateLayout();
}

void TlxCustomCalculator::InvalidateButton(TlxCalcButtonKind button) {
  if (button < cbNone && HandleAllocated())
    InvalidateRect(layout_.Buttons[button], false);
}

TlxButtonState TlxCustomCalculator::ButtonState(TlxCalcButtonKind button) {
  if (!Enabled() || !engine_->IsButtonEnabled(button))
    return lxbsDisabled;
  if (IsButtonPressed(button))
    return lxbsPressed;
  if (button == hot_button_ && tracked_button_ == cbNone)
    return lxbsHot;
  if (button == cbEqual && Focused())
    return lxbsDefault;
  return lxbsNormal;
}

void TlxCustomCalculator::Paint() {
  TlxCanvas& canvas = Canvas();
  TlxPainterClass painter = GetCalculatorPainter();
  painter->PaintWindowContent(canvas, GetClientBounds());
  if (auto_font_size_) {
    canvas.AssignFont(Font());
    canvas.Font().SetSize(layout_.FontSize);
    TFontStyles style = canvas.Font().Style();
    if (layout_.FontSize > 9)
      style.Include(fsBold);
    canvas.Font().SetStyle(style);
  }
  for (int32_t i = 0; i < kLxCalcButtonCount; ++i) {
    const auto button = static_cast<TlxCalcButtonKind>(i);
    const TlxButtonState state = ButtonState(button);
    TRect rect = layout_.Buttons[button];
    painter->PaintButton(canvas, rect, "", state);
    if (state == lxbsPressed) {
      const int32_t shift = painter->GetButtonTextShift();
      rect = TRect(rect.Left + shift, rect.Top + shift, rect.Right + shift, rect.Bottom + shift);
    }
    SetBkMode(canvas.Handle(), TRANSPARENT);
    canvas.Font().SetColor(state == lxbsDisabled ? clGrayText : lxCalcButtonColor(button));
    canvas.DrawTextInRect(lxCalcButtonCaption(button), rect, lxtfCenterX | lxtfCenterY | lxtfSingleLine);
    if (button == cbEqual && Focused()) {
      const TRect& face = layout_.Buttons[button];
      RECT focus{face.Left + 3, face.Top + 3, face.Right - 3, face.Bottom - 3};
      DrawFocusRect(canvas.Handle(), &focus);
    }
  }
}

void TlxCustomCalculator::FocusChanged() {
  TlxControl::FocusChanged();
  InvalidateButton(cbEqual);
}

void TlxCustomCalculator::CMEnabledChanged(TMessage& message) {
  TlxControl::CMEnabledChanged(message);
  Invalidate();
}

// --- mouse ---------------------------------------------------------------------------------------

void TlxCustomCalculator::SetHotButton(TlxCalcButtonKind button) {
  if (hot_button_ == button)
    return;
  InvalidateButton(hot_button_);
  hot_button_ = button;
  InvalidateButton(hot_button_);
}

void TlxCustomCalculator::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseDown(button, shift, x, y);
  const TlxCalcButtonKind pressed = ButtonAt(x, y);
  if (button != mbLeft || pressed == cbNone || !engine_->IsButtonEnabled(pressed))
    return;
  if (!IsDesigning() && !IsPopupMode() && CanFocus())
    SetFocus();
  SetMouseCapture(true);
  tracked_button_ = pressed;
  tracked_pressed_ = true;
  InvalidateButton(pressed);
}

void TlxCustomCalculator::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseMove(shift, x, y);
  const TlxCalcButtonKind under = ButtonAt(x, y);
  if (tracked_button_ != cbNone) {
    const bool pressed = under == tracked_button_;
    if (pressed != tracked_pressed_) {
      tracked_pressed_ = pressed;
      InvalidateButton(tracked_button_);
    }
    return;
  }
  SetHotButton(Enabled() ? under : cbNone);
}

void TlxCustomCalculator::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseUp(button, shift, x, y);
  const TlxCalcButtonKind tracked = tracked_button_;
  const bool execute = tracked != cbNone && tracked_pressed_ && button == mbLeft;
  tracked_button_ = cbNone;
  tracked_pressed_ = false;
  SetMouseCapture(false);
  InvalidateButton(tracked);
  if (execute)
    ExecuteButton(tracked);
}

void TlxCustomCalculator::DoMouseLeave(TControl* control) {
  TlxControl::DoMouseLeave(control);
  SetHotButton(cbNone);
}

// --- keyboard ------------------------------------------------------------------------------------

void TlxCustomCalculator::PressKeyButton(TlxCalcButtonKind button) {
  if (button == key_button_)
    return;
  ReleaseKeyButton();
  key_button_ = button;
  InvalidateButton(button);
  if (HandleAllocated())
    UpdateWindow(Handle());
  ExecuteButton(button);
}

void TlxCustomCalculator::ReleaseKeyButton() {
  const TlxCalcButtonKind held = key_button_;
  key_button_ = cbNone;
  InvalidateButton(held);
}

void TlxCustomCalculator::KeyDown(uint16_t& key, TShiftState shift) {
  TlxControl::KeyDown(key, shift);
  const bool ctrl = shift.Contains(ssCtrl);
  if (ctrl && key == 'V') {
    PasteFromClipboard();
    return;
  }
  if (ctrl && key == 'C') {
    CopyToClipboard();
    return;
  }
  const TlxCalcButtonKind button = lxCalcButtonOfKey(key, ctrl);
  if (button != cbNone)
    PressKeyButton(button);
}

void TlxCustomCalculator::KeyUp(uint16_t& key, TShiftState shift) {
  TlxControl::KeyUp(key, shift);
  ReleaseKeyButton();
}

void TlxCustomCalculator::KeyPress(char16_t& key) {
  TlxControl::KeyPress(key);
  const TlxCalcButtonKind button = lxCalcButtonOfChar(key);
  if (button == cbNone)
    return;
  // Backspace repeats while held; every other key presses its button once.
  if (button == cbBack) {
    ReleaseKeyButton();
    key_button_ = cbBack;
    InvalidateButton(cbBack);
    ExecuteButton(cbBack);
    return;
  }
  PressKeyButton(button);
}

// --- clipboard -----------------------------------------------------------------------------------

void TlxCustomCalculator::CopyToClipboard() {
  std::string text;
  GetDisplayText(text);
  Clipboard()->SetAsText(text);
}

void TlxCustomCalculator::PasteFromClipboard() {
  if (!Clipboard()->HasFormat(CF_UNICODETEXT))
    return;
  engine_->PasteText(Clipboard()->AsText());
}
