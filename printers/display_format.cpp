#include "printers/display_format.h"

#include <array>
#include <atomic>
#include <utility>

#include "platform/rtl/date_text.h"
#include "platform/rtl/format.h"
#include "platform/rtl/locale.h"
#include "printers/mask_text.h"

namespace {

using Sample = std::pair<std::string_view, std::string_view>;

constexpr std::array<Sample, 8> kBooleanFormats{{
    {"Yes", "Yes;No"},
    {"Y", "Y;N"},
    {"True", "True;False"},
    {"T", "T;F"},
    {"OK", "OK;"},
    {"Done", "Done;"},
    {"", ";Not OK"},
    {"", ";Not Done"},
}};

constexpr std::array<Sample, 9> kDateFormats{{
    {"3/4/95", "m/d/yy"},
    {"03/04/95", "mm/dd/yy"},
    {"03/04/1995", "mm/dd/yyyy"},
    {"4-Mar-95 ", "d-mmm-yy"},
    {"04-Mar-95 ", "dd-mmm-yy"},
    {"March 4, 1995", "mmmm d, yyyy"},
    {"3/4", "m/d"},
    {"Mar-95", "mmm-yy"},
    {"March-95", "mmmm-yy"},
}};

constexpr std::array<Sample, 4> kTimeFormats{{
    {"1:30 PM", "h:nn AM/PM"},
    {"13:30", "h:nn"},
    {"1:30:55 PM", "h:nn:ss AM/PM"},
    {"13:30:55", "h:nn:ss"},
}};

constexpr std::array<Sample, 2> kDateTimeFormats{{
    {"3/4/95 1:30:55 PM", "m/d/yy h:nn:ss AM/PM"},
    {"3/4/95 13:30:55", "m/d/yy h:nn:ss"},
}};

constexpr std::array<Sample, 9> kNumberFormats{{
    {"-1,234", "#,0;-#,0"},
    {"-1,234.40", "#,0.00;-#,0.00"},
    {"(1,234.40)", "#,0.00;(#,0.00)"},
    {"($1,234.40)", "$#,0.00;($#,0.00)"},
    {"-$1,234.40", "$#,0.00;-$#,0.00"},
    {"-$1,234", "$#,0;-$#,0"},
    {"($1,234)", "$#,0;($#,0)"},
    {"-1234.4 %", "0 %"},
    {"-1234.40 %", "0.00 %"},
}};

constexpr std::array<Sample, 8> kMaskFormats{{
    {"Phone", "!\\(999\\)\\ 000\\-0000;0; "},
    {"Extension", "!99999;0; "},
    {"Social Security", "000\\-00\\-0000;0; "},
    {"Short Zip Code", "00000;0; "},
    {"Long Zip Code", "00000\\-9999;0; "},
    {"Date", "!99/99/00;0; "},
    {"Long Time", "!90:00:00\\ >LL;0; "},
    {"Short Time", "!90:00;0; "},
}};

template <size_t N>
void AddSamples(TStrings& list, const std::array<Sample, N>& samples) {
  for (const auto& [sample, format] : samples)
    list.Add(std::string(sample) + kprDisplayFormatSeparator + std::string(format));
}

std::string BooleanText(std::string_view format, const Variant& value) {
  if (format.empty() || value.Type() != varBoolean)
    return value.AsString();
  size_t separator = format.find(';');
  std::string_view true_text = format.substr(0, separator);
  std::string_view false_text = separator == std::string_view::npos ? std::string_view() : format.substr(separator + 1);
  return std::string(value.AsBoolean() ? true_text : false_text);
}

std::string DateTimeText(std::string_view format, int32_t data_type, const Variant& value,
                         const TFormatSettings& settings) {
  std::string effective(format);
  if (effective.empty()) {
    if (data_type == prdfDate)
      effective = settings.ShortDateFormat;
    else if (data_type == prdfTime)
      effective = settings.LongTimeFormat;
    else
      effective = "c";
  }
  return FormatDateTime(effective, value.AsDateTime(), settings);
}

// Decimals a currency format asks for: the characters after the first "."
// of its positive section.
int CurrencyDecimals(std::string_view format) {
  std::string_view positive = format.substr(0, format.find(';'));
  size_t point = positive.find('.');
  return point == std::string_view::npos ? 0 : static_cast<int>(positive.size() - point - 1);
}

std::string NumberText(std::string_view format, int32_t data_type, const Variant& value,
                       const TFormatSettings& settings) {
  bool currency = data_type == prdfCurrency;
  if (format.find('$') != std::string_view::npos)
    return FloatToStrF(value.AsDouble(), TFloatFormat::ffCurrency, 15, CurrencyDecimals(format), settings);
  if (!format.empty())
    return currency ? FormatCurr(format, value.AsCurrency(), settings) : FormatFloat(format, value.AsDouble(), settings);
  if (currency)
    return CurrToStrF(value.AsCurrency(), TFloatFormat::ffCurrency, settings.CurrencyDecimals, settings);
  return FloatToStrF(value.AsDouble(), TFloatFormat::ffGeneral, 15, 0, settings);
}

std::atomic<const TprDisplayFormat*> g_display_format{nullptr};

}  // namespace

bool prIsNumberDataType(int32_t data_type) {
  return (data_type >= 4 && data_type <= 8) || data_type == 12 || data_type == 17;
}

bool prIsTextDataType(int32_t data_type) {
  return data_type == 9 || data_type == 10 || data_type == 14 || data_type == 18;
}

std::string TprDisplayFormat::Format(std::string_view format, int32_t data_type, const Variant& value) const {
  return prFormatDisplayValue(format, data_type, value, UserLocale().Settings());
}

std::string prFormatDisplayValue(std::string_view format, int32_t data_type, const Variant& value,
                                 const TFormatSettings& settings) {
  if (value.IsNull())
    return {};
  if (data_type == prdfBoolean)
    return BooleanText(format, value);
  if (data_type == prdfDate || data_type == prdfTime || data_type == prdfDateTime)
    return DateTimeText(format, data_type, value, settings);
  if (prIsNumberDataType(data_type))
    return NumberText(format, data_type, value, settings);
  if (prIsTextDataType(data_type) && !format.empty())
    return prFormatMaskText(format, value.AsString(), settings);
  return value.AsString();
}

void TprDisplayFormat::GetDisplayFormats(int32_t data_type, TStrings& list) const {
  list.Clear();
  if (data_type == prdfBoolean) {
    AddSamples(list, kBooleanFormats);
  } else if (data_type == prdfDate) {
    AddSamples(list, kDateFormats);
  } else if (data_type == prdfTime) {
    AddSamples(list, kTimeFormats);
  } else if (data_type == prdfDateTime) {
    AddSamples(list, kDateTimeFormats);
    AddSamples(list, kDateFormats);
  } else if (prIsNumberDataType(data_type)) {
    AddSamples(list, kNumberFormats);
  } else if (data_type == prdfMaskedString) {
    AddSamples(list, kMaskFormats);
  }
}

const TprDisplayFormat* prDisplayFormatClass() { return g_display_format.load(); }

void prSetDisplayFormatClass(const TprDisplayFormat* formatter) { g_display_format.store(formatter); }
