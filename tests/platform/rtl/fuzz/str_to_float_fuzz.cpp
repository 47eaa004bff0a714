// Number texts from outside (INI values, typed text): every input either
// converts or raises EConvertError; a converted value survives a trip
// through its text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/fmt_bcd.h"
#include "platform/rtl/format.h"

namespace {

// Reports the input that broke an invariant, then stops like a crash.
void Check(bool condition, std::string_view input) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken for input \"%.*s\"\n", static_cast<int>(input.size()), input.data());
  std::abort();
}

void FuzzWith(std::string_view text, const TFormatSettings& settings) {
  double value = 0;
  if (TryStrToFloat(text, value, settings)) {
    Check(!std::isnan(value) && !std::isinf(value), text);
    const double again = StrToFloat(FloatToStrF(value, TFloatFormat::ffGeneral, 17, 0, settings), settings);
    Check(again == value, text);
  } else {
    try {
      StrToFloat(text, settings);
      Check(false, text);
    } catch (const EConvertError&) {
    }
  }
  Currency currency;
  if (TryStrToCurr(text, currency, settings))
    Check(StrToCurr(CurrToStr(currency, settings), settings) == currency, text);
  TBcd bcd;
  if (TryStrToBcd(text, bcd, settings))
    Check(BcdCompare(StrToBcd(BcdToStr(bcd, settings), settings), bcd) == 0, text);
  int64_t integer = 0;
  if (TryStrToInt64(text, integer))
    Check(StrToInt64(IntToStr(integer)) == integer, text);
  bool flag = false;
  TryStrToBool(text, flag);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FuzzWith(text, EnglishFormatSettings());
  FuzzWith(text, GermanFormatSettings());
  return 0;
}
