#include "editors/kinds/calculator_engine.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "editors/edit_strings.h"
#include "platform/rtl/decimal_digits.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"
#include "ui/foundation/geometry/auto_width.h"

namespace {

char DecimalSeparator() { return UserLocale().Settings().DecimalSeparator; }

bool IsDigitButton(TlxCalcButtonKind button) { return button >= cbNum0 && button <= cbNum9; }

bool IsBinaryOperator(TlxCalcButtonKind button) { return button >= cbDiv && button <= cbAdd; }

// Beyond the Double range a value can be neither shown nor read back.
bool IsShowable(long double value) { return std::isfinite(value) && std::fabs(value) <= DBL_MAX; }

}  // namespace

// --- display ---------------------------------------------------------------------------------------

std::string lxCalcFloatText(long double value, int32_t precision) {
  precision = std::clamp(precision, 2, 17);
  TDecimalDigits number = DecimalDigitsOf(static_cast<double>(value), precision);
  if (number.IsZero())
    return "0";
  const char separator = DecimalSeparator();
  std::string text = number.negative ? "-" : "";
  const int32_t digit_count = static_cast<int32_t>(number.digits.size());
  // 0.0001 is 0.1 x 10^-3: a smaller magnitude has an exponent below -3.
  if (number.exponent <= precision && number.exponent >= -3) {
    if (number.exponent <= 0) {
      text += '0';
      text += separator;
      text.append(static_cast<size_t>(-number.exponent), '0');
      text += number.digits;
      return text;
    }
    if (digit_count <= number.exponent) {
      text += number.digits;
      text.append(static_cast<size_t>(number.exponent - digit_count), '0');
      return text;
    }
    text += number.digits.substr(0, static_cast<size_t>(number.exponent));
    text += separator;
    text += number.digits.substr(static_cast<size_t>(number.exponent));
    return text;
  }
  text += number.digits[0];
  if (digit_count > 1) {
    text += separator;
    text += number.digits.substr(1);
  }
  text += 'E';
  text += std::to_string(number.exponent - 1);
  return text;
}

bool TlxCalculatorEngine::TryDisplayValue(long double& value) const {
  value = 0;
  if (status_ == csError)
    return true;
  std::string text(TrimBlanks(GetDisplayText()));
  if (text.empty())
    text = "0";
  std::erase(text, UserLocale().Settings().ThousandSeparator);
  double number = 0;
  if (!TryStrToFloat(text, number))
    return false;
  value = number;
  return true;
}

long double TlxCalculatorEngine::GetDisplayValue() const {
  long double value = 0;
  return TryDisplayValue(value) ? value : 0;
}

void TlxCalculatorEngine::SetDisplayValue(long double value) {
  const std::string text = lxCalcFloatText(value, precision_);
  if (text == GetDisplayText())
    return;
  SetDisplayText(text);
  DoDisplayChanged();
}

void TlxCalculatorEngine::ShowResult(long double value) {
  if (!IsShowable(value)) {
    Error();
    return;
  }
  SetDisplayValue(value);
}

void TlxCalculatorEngine::PasteText(std::string_view text) {
  std::string cleaned(text);
  const std::string& currency = UserLocale().Settings().CurrencyString;
  if (!currency.empty()) {
    for (size_t at = cleaned.find(currency); at != std::string::npos; at = cleaned.find(currency, at))
      cleaned.erase(at, currency.size());
  }
  double number = 0;
  if (!TryStrToFloat(TrimBlanks(cleaned), number))
    number = 0;
  SetDisplayValue(number);
  status_ = csValid;
}

// --- buttons ---------------------------------------------------------------------------------------

bool TlxCalculatorEngine::IsButtonEnabled(TlxCalcButtonKind button) const {
  if (button == cbMC || button == cbMR)
    return memory_ != 0;
  return button < cbNone;
}

void TlxCalculatorEngine::StartEntry() {
  if (status_ != csFirst)
    return;
  status_ = csValid;
  SetDisplayText("0");
  DoDisplayChanged();
}

void TlxCalculatorEngine::Error() {
  status_ = csError;
  SetDisplayText(lxEditResString(slxSCalcError));
  DoDisplayChanged();
  if (beep_on_error_)
    Beep();
}

void TlxCalculatorEngine::ExecuteButton(TlxCalcButtonKind button) {
  DoButtonClick(button);
  if (button >= cbNone)
    return;
  if (status_ == csError && button != cbCancel && button != cbClear) {
    Error();
    return;
  }
  if (button == cbDecimal) {
    StartEntry();
    const std::string text = GetDisplayText();
    if (text.find(DecimalSeparator()) == std::string::npos) {
      SetDisplayText(text + DecimalSeparator());
      DoDisplayChanged();
    }
  } else if (IsDigitButton(button)) {
    AppendDigit(button);
  } else if (button == cbBack) {
    DeleteLastChar();
  } else if (button == cbSign) {
    long double value = 0;
    if (TryDisplayValue(value))
      ShowResult(-value);
    else
      Error();
  } else if (button == cbCancel || button == cbClear) {
    status_ = csFirst;
    SetDisplayValue(0);
    pending_operator_ = cbEqual;
  } else if (button == cbSqrt || button == cbRev) {
    ApplyUnary(button);
  } else if (button >= cbMC && button <= cbMP) {
    ApplyMemory(button);
  } else {
    ApplyOperator(button);
  }
}

void TlxCalculatorEngine::AppendDigit(TlxCalcButtonKind button) {
  StartEntry();
  std::string text = GetDisplayText();
  if (text == "0")
    text.clear();
  const size_t minus = text.find('-');
  const size_t limit =
      static_cast<size_t>(std::max(2, precision_)) + (minus == std::string::npos ? 0 : minus + 1);
  if (text.size() >= limit) {
    if (beep_on_error_)
      Beep();
    return;
  }
  text += static_cast<char>('0' + (button - cbNum0));
  SetDisplayText(text);
  DoDisplayChanged();
}

void TlxCalculatorEngine::DeleteLastChar() {
  StartEntry();
  std::string text = GetDisplayText();
  if (text.size() <= 1 || (text.size() == 2 && text[0] == '-'))
    text = "0";
  else
    text.pop_back();
  SetDisplayText(text);
  DoDisplayChanged();
}

void TlxCalculatorEngine::ApplyUnary(TlxCalcButtonKind button) {
  status_ = IsBinaryOperator(pending_operator_) ? csValid : csFirst;
  long double value = 0;
  if (!TryDisplayValue(value)) {
    Error();
    return;
  }
  if (button == cbSqrt) {
    if (value < 0)
      Error();
    else
      ShowResult(std::sqrt(value));
    return;
  }
  if (value == 0)
    Error();
  else
    ShowResult(1 / value);
}

void TlxCalculatorEngine::ApplyMemory(TlxCalcButtonKind button) {
  if (button == cbMR) {
    status_ = csFirst;
    StartEntry();
    SetDisplayValue(memory_);
    return;
  }
  long double value = 0;
  if (button != cbMC && !TryDisplayValue(value)) {
    Error();
    return;
  }
  if (button == cbMC) {
    memory_ = 0;
  } else {
    status_ = csFirst;
    const long double memory = button == cbMS ? value : memory_ + value;
    if (!IsShowable(memory)) {
      Error();
      return;
    }
    memory_ = memory;
  }
  MemoryButtonsChanged();
}

void TlxCalculatorEngine::ApplyOperator(TlxCalcButtonKind button) {
  if (status_ == csValid) {
    status_ = csFirst;
    long double x = 0;
    if (!TryDisplayValue(x)) {
      Error();
      return;
    }
    if (button == cbPercent) {
      if (pending_operator_ == cbDiv || pending_operator_ == cbMul)
        x = x / 100;
      else if (pending_operator_ == cbSub || pending_operator_ == cbAdd)
        x = operand_ * x / 100;
    }
    switch (pending_operator_) {
      case cbDiv:
        if (x == 0) {
          Error();
          return;
        }
        ShowResult(operand_ / x);
        break;
      case cbMul:
        ShowResult(operand_ * x);
        break;
      case cbSub:
        ShowResult(operand_ - x);
        break;
      case cbAdd:
        ShowResult(operand_ + x);
        break;
      default:
        break;
    }
    if (status_ == csError)
      return;
  }
  pending_operator_ = button;
  long double value = 0;
  if (!TryDisplayValue(value)) {
    Error();
    return;
  }
  operand_ = value;
  if (button == cbPercent || button == cbEqual)
    DoResult();
}

// --- keys and captions -------------------------------------------------------------------------------

TlxCalcButtonKind lxCalcButtonOfChar(char16_t ch) {
  switch (ch) {
    case u'\b':
      return cbBack;
    case u'%':
      return cbPercent;
    case u'*':
      return cbMul;
    case u'+':
      return cbAdd;
    case u',':
    case u'.':
      return cbDecimal;
    case u'-':
      return cbSub;
    case u'/':
      return cbDiv;
    case u'=':
      return cbEqual;
    case u'@':
      return cbSqrt;
    default:
      break;
  }
  if (ch >= u'0' && ch <= u'9')
    return static_cast<TlxCalcButtonKind>(cbNum0 + (ch - u'0'));
  return cbNone;
}

TlxCalcButtonKind lxCalcButtonOfKey(uint16_t key, bool ctrl) {
  constexpr uint16_t kEnter = 0x0D, kEscape = 0x1B, kDelete = 0x2E, kF9 = 0x78;
  switch (key) {
    case kEnter:
      return cbEqual;
    case kEscape:
      return cbClear;
    case kDelete:
      return cbCancel;
    case kF9:
      return cbSign;
    case 'C':
      return ctrl ? cbNone : cbClear;
    case 'R':
      return ctrl ? cbMR : cbRev;
    case 'L':
      return ctrl ? cbMC : cbNone;
    case 'M':
      return ctrl ? cbMS : cbNone;
    case 'P':
      return ctrl ? cbMP : cbNone;
    default:
      return cbNone;
  }
}

std::string lxCalcButtonCaption(TlxCalcButtonKind button) {
  static constexpr const char* kCaptions[kLxCalcButtonCount] = {
      "Back", "CE", "C", "MC", "MR", "MS", "M+", "0", "1", "2", "3", "4", "5", "6",
      "7",    "8",  "9", "+/-", ",", "/", "*", "-", "+", "sqrt", "%", "1/x", "="};
  if (button >= cbNone)
    return std::string();
  if (button == cbDecimal)
    return std::string(1, DecimalSeparator());
  return kCaptions[button];
}

// --- layout --------------------------------------------------------------------------------------------

TlxCalcButtonKind TlxCalculatorLayout::ButtonAt(TPoint point) const {
  for (int32_t i = 0; i < kLxCalcButtonCount; ++i) {
    const TRect& r = Buttons[static_cast<size_t>(i)];
    if (point.X >= r.Left && point.X < r.Right && point.Y >= r.Top && point.Y < r.Bottom)
      return static_cast<TlxCalcButtonKind>(i);
  }
  return cbNone;
}

TlxCalculatorLayout lxCalculatorLayout(int32_t button_height) {
  TlxCalculatorLayout layout;
  const int32_t h = button_height;
  const int32_t w = lxMulDiv(h, 28, 22);
  const int32_t g = lxMulDiv(h, 3, 22);
  layout.ButtonHeight = h;
  layout.ButtonWidth = w;
  layout.Gap = g;
  layout.WideButtonWidth = lxMulDiv(w, 17, 10);
  layout.FontSize = lxMulDiv(h, 8, 22);
  layout.Height = 5 * h + 6 * g;
  layout.Width = 6 * w + 8 * g + 4;

  const int32_t first_column = w + 3 * g + 4;
  const auto column_left = [&](int32_t column) { return first_column + column * (w + g); };
  const auto row_top = [&](int32_t row) { return g + row * (h + g); };
  const auto place = [&](TlxCalcButtonKind button, int32_t left, int32_t top, int32_t width) {
    layout.Buttons[button] = TRect(left, top, left + width, top + h);
  };
  // Back, CE and C end where the last column ends.
  int32_t right = column_left(4) + w;
  for (TlxCalcButtonKind button : {cbClear, cbCancel, cbBack}) {
    place(button, right - layout.WideButtonWidth, row_top(0), layout.WideButtonWidth);
    right -= layout.WideButtonWidth + g;
  }
  const TlxCalcButtonKind memory[] = {cbMC, cbMR, cbMS, cbMP};
  for (int32_t row = 1; row <= 4; ++row)
    place(memory[row - 1], g, row_top(row), w);
  const TlxCalcButtonKind grid[4][5] = {{cbNum7, cbNum8, cbNum9, cbDiv, cbSqrt},
                                        {cbNum4, cbNum5, cbNum6, cbMul, cbPercent},
                                        {cbNum1, cbNum2, cbNum3, cbSub, cbRev},
                                        {cbNum0, cbSign, cbDecimal, cbAdd, cbEqual}};
  for (int32_t row = 0; row < 4; ++row) {
    for (int32_t column = 0; column < 5; ++column)
      place(grid[row][column], column_left(column), row_top(row + 1), w);
  }
  return layout;
}

int32_t lxCalculatorButtonHeightFor(int32_t client_width, int32_t client_height) {
  // The ratio a little above the laid-out 196 x 128, so that a calculator
  // laid out for one height asks for that height again, never a smaller one.
  const int32_t target = std::min(lxMulDiv(client_width, 131, 198), client_height);
  const auto height_of = [](int32_t h) { return 5 * h + 6 * lxMulDiv(h, 3, 22); };
  int32_t h = 22;
  while (std::abs(height_of(h + 1) - target) < std::abs(height_of(h) - target))
    ++h;
  return h;
}
