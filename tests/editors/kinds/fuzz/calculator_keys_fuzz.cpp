// Random button sequences: no exception leaves a button press, the display
// is "Error" exactly in the error state, a computed display reads as a
// number, and the memory stays within the Double range.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "editors/kinds/calculator_engine.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"

namespace {

class Calculator : public TlxCalculatorEngine {
 public:
  std::string GetDisplayText() const override { return display; }
  void SetDisplayText(const std::string& text) override { display = text; }
  std::string display;
};

void Fail(const char* what, const std::string& display) {
  std::fprintf(stderr, "%s: %s\n", what, display.c_str());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedLocale locale("de-DE");
  Calculator calculator;
  if (size > 0)
    calculator.SetPrecision(data[0] % 20);
  for (size_t i = 1; i < size; ++i) {
    const uint8_t byte = data[i];
    if (byte >= 0xF0) {
      // A display written from outside, as the editor's text can be.
      calculator.display = std::string(1 + byte % 3, "-,1E"[byte % 4]);
      continue;
    }
    const auto button = static_cast<TlxCalcButtonKind>(byte % (kLxCalcButtonCount + 1));
    calculator.ExecuteButton(button);
    // A written display stands until a real button is pressed.
    if (button == cbNone)
      continue;
    if ((calculator.Status() == csError) != (calculator.display == "Error"))
      Fail("error state and display disagree", calculator.display);
    // A computed display is a number (typing may leave "-" or "1," for now;
    // an empty display written from outside reads as 0 and stays).
    const bool computed = button == cbSign || button == cbCancel || button == cbClear || button == cbMR ||
                          button >= cbDiv;
    double number = 0;
    if (computed && calculator.Status() != csError && !calculator.display.empty() &&
        !TryStrToFloat(calculator.display, number))
      Fail("a computed display is no number", calculator.display);
    if (!std::isfinite(static_cast<double>(calculator.Memory())))
      Fail("the memory left the range", calculator.display);
  }
  return 0;
}
