#pragma once
// The pocket calculator behind the calculator control and the calculator
// editor's drop-down: 27 buttons, a pending operator with its operand, a
// memory, and the rules of pressing a button. It keeps no display of its
// own; a descendant reads and writes the text it works on (the calculator
// editor's text). Numbers are extended precision; a result beyond the
// Double range, a division by zero, the root of a negative number and a
// display that is no number enter the error state ("Error").

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"

// Button codes, in the order of the button table; kLxCalcNoButton for none.
enum TlxCalcButtonKind : uint8_t {
  cbBack, cbCancel, cbClear, cbMC, cbMR, cbMS, cbMP,
  cbNum0, cbNum1, cbNum2, cbNum3, cbNum4, cbNum5, cbNum6, cbNum7, cbNum8, cbNum9,
  cbSign, cbDecimal, cbDiv, cbMul, cbSub, cbAdd, cbSqrt, cbPercent, cbRev, cbEqual,
  cbNone
};
inline constexpr int32_t kLxCalcButtonCount = 27;

enum TlxCalcState : uint8_t { csFirst, csValid, csError };

using TlxCalcButtonClickEvent = std::function<void(TObject* sender, TlxCalcButtonKind& button)>;

class TlxCalculatorEngine : public TObject {
 public:
  static constexpr TClass kClass{"TlxCalculatorEngine", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxCalculatorEngine() = default;

  // The display this calculator works on; nothing here.
  virtual std::string GetDisplayText() const { return std::string(); }
  virtual void SetDisplayText(const std::string& /*text*/) {}

  // Presses a button by its code.
  void ExecuteButton(TlxCalcButtonKind button);
  // The display read as a number; 0 in the error state and for a display
  // that is no number.
  long double GetDisplayValue() const;
  // Writes the general float text of the number when it differs from the
  // display.
  void SetDisplayValue(long double value);
  // The clipboard's text as the new entry (the regional currency string
  // removed); a text that is no number shows 0.
  void PasteText(std::string_view text);

  TlxCalcState Status() const { return status_; }
  TlxCalcButtonKind PendingOperator() const { return pending_operator_; }
  long double Memory() const { return memory_; }
  // MC and MR are disabled while the memory is 0.
  bool IsButtonEnabled(TlxCalcButtonKind button) const;
  int32_t Precision() const { return precision_; }
  void SetPrecision(int32_t value) { precision_ = value; }
  bool BeepOnError() const { return beep_on_error_; }
  void SetBeepOnError(bool value) { beep_on_error_ = value; }

  TNotifyEvent OnDisplayChanged;
  TlxCalcButtonClickEvent OnButtonClick;
  TNotifyEvent OnResult;

 protected:
  virtual void DoDisplayChanged() {
    if (OnDisplayChanged)
      OnDisplayChanged(this);
  }
  virtual void DoButtonClick(TlxCalcButtonKind& button) {
    if (OnButtonClick)
      OnButtonClick(this, button);
  }
  virtual void DoResult() {
    if (OnResult)
      OnResult(this);
  }
  virtual void Beep() {}
  // MC and MR changed their enabled state.
  virtual void MemoryButtonsChanged() {}

 private:
  void StartEntry();
  void Error();
  // The display as a number; false when it is no number.
  bool TryDisplayValue(long double& value) const;
  // Shows a result, or enters the error state for one beyond the range.
  void ShowResult(long double value);
  void AppendDigit(TlxCalcButtonKind button);
  void DeleteLastChar();
  void ApplyUnary(TlxCalcButtonKind button);
  void ApplyMemory(TlxCalcButtonKind button);
  void ApplyOperator(TlxCalcButtonKind button);

  TlxCalcState status_ = csFirst;
  TlxCalcButtonKind pending_operator_ = cbEqual;
  long double operand_ = 0;
  long double memory_ = 0;
  int32_t precision_ = 15;
  bool beep_on_error_ = true;
};

// The general float text with `precision` significant digits (2 at least):
// fixed notation while the integer digits fit and the magnitude is at
// least 0.0001, else "dE[-]x" ("1500", "0,05", "5E-5", "1E16").
std::string lxCalcFloatText(long double value, int32_t precision);
// The button a typed character or a key selects; cbNone for none.
TlxCalcButtonKind lxCalcButtonOfChar(char16_t ch);
TlxCalcButtonKind lxCalcButtonOfKey(uint16_t key, bool ctrl);
// The caption of a button (the decimal point is the regional separator).
std::string lxCalcButtonCaption(TlxCalcButtonKind button);

// The calculator's layout for a button height: every size follows from it
// by MulDiv (height 22 gives buttons of 28 x 22, wide ones of 48, and a
// calculator of 196 x 128).
struct TlxCalculatorLayout {
  int32_t ButtonHeight = 22;
  int32_t ButtonWidth = 28;
  int32_t WideButtonWidth = 48;
  int32_t Gap = 3;
  int32_t FontSize = 8;
  int32_t Width = 196;
  int32_t Height = 128;
  std::array<TRect, kLxCalcButtonCount> Buttons{};

  // The button at a point; cbNone outside every button.
  TlxCalcButtonKind ButtonAt(TPoint point) const;
};
TlxCalculatorLayout lxCalculatorLayout(int32_t button_height);
// The button height for a client size with AutoFontSize: the largest
// (from 22 up) whose calculator height comes closest to what fits.
int32_t lxCalculatorButtonHeightFor(int32_t client_width, int32_t client_height);
