// Format strings (Format, FormatFloat, FormatCurr, FormatDateTime): any
// format either formats or, for Format, raises EConvertError; none reads
// out of bounds or runs away.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/rtl/date_text.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/format.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view format(reinterpret_cast<const char*>(data), size);
  const TFormatSettings& settings = GermanFormatSettings();
  try {
    Format(format, {42, -1234.5678, "Größe", int64_t{-7}, Currency::FromRaw(123456), 3, 2.5e-7}, settings);
  } catch (const EConvertError&) {
  }
  for (const double value : {0.0, -1234.5678, 1e20, 5e-324, 0.5})
    FormatFloat(format, value, settings);
  FormatCurr(format, Currency::FromRaw(-98765432), settings);
  FormatDateTime(format, EncodeDate(2024, 3, 5) + 0.6, settings);
  FormatDateTime(format, -700000.25 + 6500.0, EnglishFormatSettings());
  return 0;
}
