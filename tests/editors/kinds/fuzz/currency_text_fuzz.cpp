// Typed amounts: any text parses without a fault; an accepted number is 0
// or lies in the accepted magnitudes, a refused one leaves 0, and the
// display of an accepted number (away from the ends of the range) parses back to the same number.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "editors/kinds/currency_edit_properties.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"

namespace {

void Fail(const char* what, std::string_view text) {
  std::fprintf(stderr, "%s: %.*s\n", what, static_cast<int>(text.size()), text.data());
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedLocale locale("de-DE");
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  double number = 1;
  const bool ok = TlxCustomCurrencyEditProperties::TryParseCurrencyText(text, number);
  if (!ok) {
    if (number != 0)
      Fail("refused text left a number", text);
    return 0;
  }
  if (!std::isfinite(number))
    Fail("accepted a number that is not finite", text);
  const double magnitude = std::fabs(number);
  if (number != 0 && (magnitude < 5e-324 || magnitude > 1.7e308))
    Fail("accepted a number outside the range", text);
  // Near the ends of the range the shortest display may round past them.
  if (magnitude < 1e-300 || magnitude > 1e308)
    return 0;
  double again = 1;
  const std::string shown = FloatToStrF(number, TFloatFormat::ffGeneral, 17, 0, UserLocale().Settings());
  if (!TlxCustomCurrencyEditProperties::TryParseCurrencyText(shown, again) || again != number)
    Fail("the display of a number does not read back", text);
  return 0;
}
