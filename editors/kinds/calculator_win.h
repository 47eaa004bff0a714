#pragma once
// TlxCustomCalculator: the self-drawn pocket calculator. The rules of the
// buttons are the calculator engine's; this control lays the 27 buttons
// out, draws them with its look-and-feel painter and turns the mouse and
// the keyboard into button presses. It keeps no display of its own: a
// descendant reads and writes the text it works on.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "editors/kinds/calculator_engine.h"
#include "ui/foundation/controls/control_win.h"

using TlxCalcHidePopupEvent = std::function<void(TObject* sender, int32_t reason)>;

class TlxCustomCalculator : public TlxControl {
 public:
  static constexpr TClass kClass{"TlxCustomCalculator", &TlxControl::kClass, &ConstructInstance<TlxCustomCalculator>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomCalculator(TComponent* owner);
  ~TlxCustomCalculator() override;

  // Virtual operations, in the order of their slots.
  virtual TlxPainterClass GetCalculatorPainter() { return GetPainter(); }
  // The display: nothing here.
  virtual void GetDisplayText(std::string& text) { text.clear(); }
  virtual void SetDisplayText(const std::string& /*text*/) {}
  virtual void HidePopup(TObject* sender, int32_t reason) { DoHidePopup(sender, reason); }

  void ExecuteButton(TlxCalcButtonKind button) { engine_->ExecuteButton(button); }
  TlxCalculatorEngine& Engine() { return *engine_; }
  const TlxCalculatorLayout& Layout() const { return layout_; }
  // The button under a client point; cbNone for none.
  TlxCalcButtonKind ButtonAt(int32_t x, int32_t y) const { return layout_.ButtonAt(TPoint(x, y)); }
  TlxCalcButtonKind HotButton() const { return hot_button_; }
  TlxCalcButtonKind TrackedButton() const { return tracked_button_; }
  bool IsButtonPressed(TlxCalcButtonKind button) const;
  void CopyToClipboard();
  void PasteFromClipboard();

  bool AutoFontSize() const { return auto_font_size_; }
  void SetAutoFontSize(bool value);
  int32_t Precision() const { return engine_->Precision(); }
  void SetPrecision(int32_t value) { engine_->SetPrecision(value); }
  bool BeepOnError() const { return engine_->BeepOnError(); }
  void SetBeepOnError(bool value) { engine_->SetBeepOnError(value); }

  TNotifyEvent OnDisplayChanged;
  TlxCalcButtonClickEvent OnButtonClick;
  TNotifyEvent OnResult;
  TlxCalcHidePopupEvent OnHidePopup;

 protected:
  virtual void DoHidePopup(TObject* sender, int32_t reason) {
    if (OnHidePopup)
      OnHidePopup(sender, reason);
  }
  // Whether a click focuses the calculator (not in popup mode).
  virtual bool IsPopupMode() const { return false; }

  void Paint() override;
  void BoundsChanged() override;
  void FocusChanged() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DoMouseLeave(TControl* control) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void KeyUp(uint16_t& key, TShiftState shift) override;
  void KeyPress(char16_t& key) override;
  void CMEnabledChanged(TMessage& message) override;
  bool MayFocusOnClick() override { return !IsPopupMode(); }

 private:
  class CalculatorEngine;
  friend class CalculatorEngine;

  void RecalculateLayout();
  void InvalidateButton(TlxCalcButtonKind button);
  void SetHotButton(TlxCalcButtonKind button);
  // A key selected a button: the held one is released, the new one drawn
  // pressed at once and executed.
  void PressKeyButton(TlxCalcButtonKind button);
  void ReleaseKeyButton();
  TlxButtonState ButtonState(TlxCalcButtonKind button);

  std::unique_ptr<TlxCalculatorEngine> engine_;  // a CalculatorEngine
  TlxCalculatorLayout layout_;
  bool auto_font_size_ = true;
  bool layout_changing_ = false;
  TlxCalcButtonKind hot_button_ = cbNone;
  TlxCalcButtonKind tracked_button_ = cbNone;
  bool tracked_pressed_ = false;
  TlxCalcButtonKind key_button_ = cbNone;
};

// The caption colour of a button.
TColor lxCalcButtonColor(TlxCalcButtonKind button);
