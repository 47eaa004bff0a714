#include "printers/display_format.h"

#include <gtest/gtest.h>

#include "platform/rtl/date_time.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "printers/mask_text.h"
#include "tests/printers/string_lines.h"

namespace {

using printers_test::LinesOf;

struct DisplayFormatCase {
  const char* format;
  int32_t data_type;
  Variant value;
  const char* english;
  const char* german;
};

void ExpectTexts(const std::vector<DisplayFormatCase>& cases) {
  for (const DisplayFormatCase& c : cases) {
    SCOPED_TRACE(std::string("format \"") + c.format + "\", type " + std::to_string(c.data_type));
    EXPECT_EQ(prFormatDisplayValue(c.format, c.data_type, c.value, EnglishFormatSettings()), c.english);
    EXPECT_EQ(prFormatDisplayValue(c.format, c.data_type, c.value, GermanFormatSettings()), c.german);
  }
}

TEST(DisplayFormat, Booleans) {
  ExpectTexts({
      {"Yes;No", 0, Variant(true), "Yes", "Yes"},
      {"Yes;No", 0, Variant(false), "No", "No"},
      {"OK;", 0, Variant(false), "", ""},
      {";Not OK", 0, Variant(true), "", ""},
      {";Not OK", 0, Variant(false), "Not OK", "Not OK"},
      {"Done", 0, Variant(false), "", ""},
      {"", 0, Variant(true), "True", "True"},
      {"Yes;No", 0, Variant(1), "1", "1"},  // not a Boolean value: as text
  });
}

TEST(DisplayFormat, DatesAndTimes) {
  TDateTime date = EncodeDate(1995, 3, 4);
  TDateTime time = EncodeTime(13, 30, 55, 0);
  ExpectTexts({
      {"m/d/yy", 1, Variant::FromDate(date), "3/4/95", "3.4.95"},
      {"mmmm d, yyyy", 1, Variant::FromDate(date), "March 4, 1995", "März 4, 1995"},
      {"", 1, Variant::FromDate(date), "3/4/1995", "04.03.1995"},
      {"h:nn AM/PM", 2, Variant::FromDate(time), "1:30 PM", "1:30 PM"},
      {"", 2, Variant::FromDate(time), "1:30:55 PM", "13:30:55"},
      {"", 3, Variant::FromDate(date + time), "3/4/1995 1:30:55 PM", "04.03.1995 13:30:55"},
      {"m/d/yy h:nn:ss", 3, Variant::FromDate(date + time), "3/4/95 13:30:55", "3.4.95 13:30:55"},
  });
}

TEST(DisplayFormat, Numbers) {
  ExpectTexts({
      {"$#,0.00;($#,0.00)", 6, Variant(1234.4), "$1,234.40", "1.234,40 €"},
      {"$#,0.00;($#,0.00)", 6, Variant(-1234.4), "($1,234.40)", "-1.234,40 €"},
      {"$#,0;($#,0)", 8, Variant(1234.4), "$1,234", "1.234 €"},
      {"#,0.00;-#,0.00", 7, Variant(-1234.4), "-1,234.40", "-1.234,40"},
      {"0 %", 5, Variant(-1234.4), "-1234 %", "-1234 %"},
      {"#,0.00", 8, Variant(Currency::FromDouble(1234.4)), "1,234.40", "1.234,40"},
      {"", 4, Variant(1234.4), "1234.4", "1234,4"},
      {"", 12, Variant(int32_t{7}), "7", "7"},
      {"", 8, Variant(Currency::FromDouble(1234.4)), "$1,234.40", "1.234,40 €"},
  });
}

TEST(DisplayFormat, TextsWithEditMasks) {
  ExpectTexts({
      {"!\\(999\\)\\ 000\\-0000;0; ", 10, Variant("5551234567"), "(555) 123-4567", "(555) 123-4567"},
      {"000\\-00\\-0000;0; ", 10, Variant("123456789"), "123-45-6789", "123-45-6789"},
      {"00000\\-9999;0; ", 9, Variant("123456789"), "12345-6789", "12345-6789"},
      {"00000;0; ", 14, Variant(int32_t{12345}), "12345", "12345"},
      {"!99999;0; ", 10, Variant("123"), "  123", "  123"},
      {"!99/99/00;0; ", 10, Variant("010295"), "01/02/95", "01.02.95"},
      {"!90:00:00\\ >LL;0; ", 10, Variant("123055pm"), "12:30:55 PM", "12:30:55 PM"},
      {"!90:00;0; ", 18, Variant("930"), " 9:30", " 9:30"},
      {"", 10, Variant("as it is"), "as it is", "as it is"},
      {"", 99, Variant("other"), "other", "other"},
  });
}

TEST(DisplayFormat, NullIsEmptyAndBadValuesRaise) {
  for (int32_t type : {0, 1, 2, 3, 4, 8, 10, 99})
    EXPECT_EQ(prFormatDisplayValue("whatever", type, Variant::Null(), EnglishFormatSettings()), "") << type;
  EXPECT_THROW(prFormatDisplayValue("#,0", 4, Variant("not a number"), EnglishFormatSettings()), EVariantError);
  EXPECT_THROW(prFormatDisplayValue("", 1, Variant("never"), EnglishFormatSettings()), EVariantError);
}

TEST(DisplayFormat, UsesTheUserLocale) {
  TScopedLocale german("de-DE");
  const TprDisplayFormat& formatter = StatelessInstance<TprDisplayFormat>();
  EXPECT_EQ(formatter.Format("#,0.00", 4, Variant(1234.5)), "1.234,50");
}

TEST(MaskText, EdgeCases) {
  const TFormatSettings& english = EnglishFormatSettings();
  // Too long: the rest is kept; too short: blanks.
  EXPECT_EQ(prFormatMaskText("!\\(999\\)\\ 000\\-0000;0; ", "12345678901", english), "(123) 456-78901");
  EXPECT_EQ(prFormatMaskText("!\\(999\\)\\ 000\\-0000;0; ", "", english), "(   )    -    ");
  EXPECT_EQ(prFormatMaskText("000\\-00;0; ", "12", english), "12 -  ");
  // Literals kept in the text are not doubled.
  EXPECT_EQ(prFormatMaskText("000\\-00;1;_", "123-45", english), "123-45");
  EXPECT_EQ(prFormatMaskText("000\\-00", "12345", english), "123-45");
  // Case directives and a multi-byte character.
  EXPECT_EQ(prFormatMaskText(">LL<ll<>LL;0; ", "abCDeF", english), "ABcdeF");
  EXPECT_EQ(prFormatMaskText(">LL;0; ", "äb", english), "ÄB");
  EXPECT_EQ(prFormatMaskText("", "free", english), "free");
  EXPECT_EQ(prFormatMaskText("\\", "x", english), "x");
}

TEST(DisplayFormat, ReadyMadeFormats) {
  const TprDisplayFormat& formatter = StatelessInstance<TprDisplayFormat>();
  TStringList list;
  list.Add("stale");
  formatter.GetDisplayFormats(0, list);
  ASSERT_EQ(list.Count(), 8);
  EXPECT_EQ(list.Line(0), "Yes\x01Yes;No");
  EXPECT_EQ(list.Line(6), "\x01;Not OK");

  formatter.GetDisplayFormats(3, list);
  ASSERT_EQ(list.Count(), 11);
  EXPECT_EQ(list.Line(0), "3/4/95 1:30:55 PM\x01m/d/yy h:nn:ss AM/PM");
  EXPECT_EQ(list.Line(2), "3/4/95\x01m/d/yy");
  EXPECT_EQ(list.Line(5), "4-Mar-95 \x01" "d-mmm-yy");

  for (int32_t type : {4, 5, 6, 7, 8, 12, 17}) {
    formatter.GetDisplayFormats(type, list);
    EXPECT_EQ(list.Count(), 9) << type;
  }
  EXPECT_EQ(list.Line(3), "($1,234.40)\x01$#,0.00;($#,0.00)");

  formatter.GetDisplayFormats(10, list);
  ASSERT_EQ(list.Count(), 8);
  EXPECT_EQ(list.Line(0), "Phone\x01!\\(999\\)\\ 000\\-0000;0; ");
  EXPECT_EQ(list.Line(6), "Long Time\x01!90:00:00\\ >LL;0; ");

  for (int32_t type : {9, 11, 13, 14, 18, -1, 100}) {
    formatter.GetDisplayFormats(type, list);
    EXPECT_EQ(list.Count(), 0) << type;
  }
  formatter.GetDisplayFormats(2, list);
  EXPECT_EQ(LinesOf(list).back(), "13:30:55\x01h:nn:ss");
}

}  // namespace
