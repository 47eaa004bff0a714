// Date and time texts from outside: every input either converts or raises
// EConvertError; a converted date reads back from its own text.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "platform/rtl/clock.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"

namespace {

// Reports the input that broke an invariant, then stops like a crash.
void Check(bool condition, std::string_view input) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken for input \"%.*s\"\n", static_cast<int>(input.size()), input.data());
  std::abort();
}

void FuzzWith(std::string_view text, const TFormatSettings& settings) {
  TDateTime value = 0;
  if (TryStrToDateTime(text, value, settings)) {
    Check(IsValidDateTime(value), text);
    const std::string written = FormatDateTime("dd/mm/yyyy hh:nn:ss.zzz", value, settings);
    Check(!written.empty(), text);
  } else {
    try {
      StrToDateTime(text, settings);
      Check(false, text);
    } catch (const EConvertError&) {
    }
  }
  if (TryStrToDate(text, value, settings))
    Check(StrToDate(DateToStr(value, settings), settings) == value, text);
  TryStrToTime(text, value, settings);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedClock clock(EncodeDate(2024, 6, 1));
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  FuzzWith(text, GermanFormatSettings());
  FuzzWith(text, EnglishFormatSettings());
  return 0;
}
