#include "platform/rtl/format.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"

namespace {

const TFormatSettings& En() { return EnglishFormatSettings(); }
const TFormatSettings& De() { return GermanFormatSettings(); }

TEST(Format, FormatsEachTypeWithWidthPrecisionAndIndex) {
  const int64_t big = 1234567;
  const std::string text = "Größe";
  EXPECT_EQ(Format("List index out of bounds (%d)", {5}, En()), "List index out of bounds (5)");
  EXPECT_EQ(Format("[%5d|%-5d|%.4d|%d]", {42, 42, -7, big}, En()), "[   42|42   |-0007|1234567]");
  EXPECT_EQ(Format("%u %u", {7, -1}, En()), "7 4294967295");
  EXPECT_EQ(Format("%x %.4X %x", {255, 10, -1}, En()), "FF 000A FFFFFFFF");
  EXPECT_EQ(Format("%s|%8s|%-8s|%.3s", {text, text, text, text}, En()), "Größe|   Größe|Größe   |Grö");
  EXPECT_EQ(Format("%1:s %0:s %s", {"a", "b"}, En()), "b a b");
  EXPECT_EQ(Format("%*d|%-*d|%.*f", {4, 1, 3, 2, 1, 2.25}, En()), "   1|2  |2.3");
  EXPECT_EQ(Format("%%d %d%%", {3}, En()), "%d 3%");
  EXPECT_EQ(Format("%p", {static_cast<const void*>(nullptr)}, En()), "0000000000000000");
}

TEST(Format, FormatsFloatsWithTheSettings) {
  EXPECT_EQ(Format("%f|%.1f|%.0f", {1234.5, -0.25, 2.5}, En()), "1234.50|-0.3|3");
  EXPECT_EQ(Format("%f", {1234.5}, De()), "1234,50");
  EXPECT_EQ(Format("%n", {1234567.891}, En()), "1,234,567.89");
  EXPECT_EQ(Format("%n", {1234567.891}, De()), "1.234.567,89");
  EXPECT_EQ(Format("%e", {1234.5}, En()), "1.23450000000000E+003");
  EXPECT_EQ(Format("%.3e", {-0.000123456}, En()), "-1.23E-004");
  EXPECT_EQ(Format("%g|%g|%g", {0.1 + 0.2, 1e20, 0.00001}, En()), "0.3|1E020|1E-005");
  EXPECT_EQ(Format("%m", {-1234.5}, De()), "-1.234,50 €");
  EXPECT_EQ(Format("%m", {-1234.5}, En()), "($1,234.50)");
  EXPECT_EQ(Format("%.0m", {Currency::FromInt64(12)}, En()), "$12");
}

TEST(Format, MismatchesRaiseConvertErrorWithThePlatformText) {
  struct Case {
    const char* format;
    std::string message;
  };
  const Case cases[] = {
      {"%d", "Format '%d' invalid or incompatible with argument"},
      {"%f", "Format '%f' invalid or incompatible with argument"},
      {"abc %", "Format 'abc %' invalid or incompatible with argument"},
      {"%5.", "Format '%5.' invalid or incompatible with argument"},
      {"%y", "Format '%y' invalid or incompatible with argument"},
      {"%99999999999d", "Format '%99999999999d' invalid or incompatible with argument"},
  };
  for (const auto& c : cases) {
    try {
      Format(c.format, {"text"}, En());
      ADD_FAILURE() << c.format;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), c.message);
    }
  }
  try {
    Format("%d %d", {1}, En());
    ADD_FAILURE();
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "No argument for format '%d %d'");
  }
}

TEST(FloatToStr, GeneralFormUsesFifteenDigitsAndTheSeparator) {
  struct Case {
    double value;
    const char* en;
  };
  const Case cases[] = {
      {0, "0"},          {1.5, "1.5"},        {-2.25, "-2.25"},   {0.1 + 0.2, "0.3"},
      {1e15, "1E15"},    {123456789012345.0, "123456789012345"}, {0.0001, "0.0001"},
      {0.00001, "1E-5"}, {1.5e-7, "1.5E-7"},  {1e300, "1E300"},   {100, "100"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FloatToStr(c.value, En()), c.en) << c.value;
  EXPECT_EQ(FloatToStr(-1234.5, De()), "-1234,5");
  EXPECT_EQ(FloatToStr(std::numeric_limits<double>::quiet_NaN(), En()), "NAN");
  EXPECT_EQ(FloatToStr(-std::numeric_limits<double>::infinity(), En()), "-INF");
}

TEST(FloatToStrF, FixedNumberAndCurrencyForms) {
  EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffFixed, 15, 2, En()), "1234.57");
  EXPECT_EQ(FloatToStrF(-0.001, TFloatFormat::ffFixed, 15, 2, En()), "0.00");
  EXPECT_EQ(FloatToStrF(1234.5678, TFloatFormat::ffNumber, 15, 1, De()), "1.234,6");
  EXPECT_EQ(FloatToStrF(1e20, TFloatFormat::ffFixed, 15, 2, En()), "1E20");
  EXPECT_EQ(FloatToStrF(5, TFloatFormat::ffCurrency, 15, 2, De()), "5,00 €");
  EXPECT_EQ(FloatToStrF(1.005, TFloatFormat::ffFixed, 15, 2, En()), "1.01");  // rounded as displayed
}

TEST(FormatFloat, CustomFormats) {
  struct Case {
    const char* format;
    double value;
    const char* en;
    const char* de;
  };
  const Case cases[] = {
      {"0,.###", 1234.5, "1,234.5", "1.234,5"},
      {"0,.###", 0.12345, "0.123", "0,123"},
      {",0.00 €", 1234567.891, "1,234,567.89 €", "1.234.567,89 €"},
      {"0.00", 1.005, "1.01", "1,01"},
      {"#,##0.00", -1234.5, "-1,234.50", "-1.234,50"},
      {"#", 0, "", ""},
      {"0", 0.5, "1", "1"},
      {"000", 7, "007", "007"},
      {"0.##", 1, "1", "1"},
      {"#.00", 0.5, ".50", ",50"},
      {"0.00;(0.00);'zero'", -3.14159, "(3.14)", "(3,14)"},
      {"0.00;(0.00);'zero'", 0.001, "zero", "zero"},
      {"0.0;;\"nil\"", -2, "-2.0", "-2,0"},
      {"0.00E+00", 12345.678, "1.23E+04", "1,23E+04"},
      {"0.0E-0", 0.00012, "1.2E-4", "1,2E-4"},
      {"00-00", 1234, "12-34", "12-34"},
      {"\"Nr. \"0", 5, "Nr. 5", "Nr. 5"},
      {"", 2.5, "2.5", "2,5"},
      {"0", 1e20, "1E20", "1E20"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFloat(c.format, c.value, En()), c.en) << c.format << " " << c.value;
    EXPECT_EQ(FormatFloat(c.format, c.value, De()), c.de) << c.format << " " << c.value;
  }
}

TEST(FormatFloat, UsesTheUserLocaleByDefault) {
  TScopedLocale german("de-DE");
  EXPECT_EQ(FormatFloat("0,.00", 1234.5), "1.234,50");
  EXPECT_EQ(FloatToStr(0.5), "0,5");
  TScopedLocale english("en-US");
  EXPECT_EQ(FloatToStr(0.5), "0.5");
}

TEST(CurrToStr, ShowsTheExactAmount) {
  EXPECT_EQ(CurrToStr(Currency::FromRaw(12345678), En()), "1234.5678");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(-50000), De()), "-5");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(INT64_MAX), En()), "922337203685477.5807");
  EXPECT_EQ(CurrToStr(Currency::FromRaw(INT64_MIN), En()), "-922337203685477.5808");
  EXPECT_EQ(FormatCurr(",0.00 €", Currency::FromRaw(12345678), De()), "1.234,57 €");
  EXPECT_EQ(CurrToStrF(Currency::FromRaw(-12345678), TFloatFormat::ffCurrency, 2, De()), "-1.234,57 €");
}

}  // namespace
