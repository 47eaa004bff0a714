#include "platform/rtl/locale.h"

#include <cmath>

#include <gtest/gtest.h>

#include "platform/rtl/date_time.h"
#include "platform/rtl/exceptions.h"

namespace {

TEST(Locale, FixedLocalesCarryTheirSettings) {
  const auto german = CreateLocale("de-DE");
  EXPECT_EQ(german->Name(), "de-DE");
  EXPECT_EQ(german->Settings().DecimalSeparator, ',');
  EXPECT_EQ(german->Settings().LongMonthNames[2], "März");
  EXPECT_EQ(german->Settings().FirstDayOfWeek, 1);
  EXPECT_EQ(CreateLocale("en-US")->Settings().ShortDateFormat, "m/d/yyyy");
  EXPECT_THROW(CreateLocale("xx-XX"), EConvertError);
}

TEST(Locale, ScopedLocaleRestoresThePreviousOneAndNotifies) {
  const TLocale& before = UserLocale();
  int notified = 0;
  const int id = AddLocaleListener([&] { ++notified; });
  {
    TScopedLocale german("de-DE");
    EXPECT_EQ(UserLocale().Name(), "de-DE");
    {
      TScopedLocale english("en-US");
      EXPECT_EQ(UserLocale().Name(), "en-US");
    }
    EXPECT_EQ(UserLocale().Name(), "de-DE");
  }
  EXPECT_EQ(&UserLocale(), &before);
  EXPECT_EQ(notified, 4);
  RemoveLocaleListener(id);
  TScopedLocale again("de-DE");
  EXPECT_EQ(notified, 4);
}

TEST(Locale, TableCasingCoversLatinGreekAndCyrillic) {
  const auto locale = CreateTableLocale("de-DE");
  EXPECT_EQ(locale->UpperCase(u"straße ĳ ı ſ αβγ ς жё"), u"STRAßE Ĳ I S ΑΒΓ Σ ЖЁ");
  EXPECT_EQ(locale->LowerCase(u"İ Ÿ ΑΒΓ ЖЁ"), u"i ÿ αβγ жё");
  // Characters outside the tables, and supplementary ones, stay as they are.
  EXPECT_EQ(locale->UpperCase(u"日本 \U0001F600"), u"日本 \U0001F600");
}

TEST(Locale, DateItemsOfTheFixedLocales) {
  const auto english = CreateLocale("en-US");
  const auto german = CreateLocale("de-DE");
  EXPECT_EQ(english->DateItems().FirstWeekOfYear, 0);
  EXPECT_EQ(german->DateItems().FirstWeekOfYear, 2);
  EXPECT_EQ(english->DateItems().CalendarType, 1);
  EXPECT_EQ(german->DateItems().TwoDigitYearMax, 2049);
  EXPECT_EQ(english->DateItems().ShortDatePattern, "M/d/yyyy");
  EXPECT_EQ(german->DateItems().TimePattern, "HH:mm:ss");
  EXPECT_EQ(english->DateItems().PMDesignator, "PM");
  EXPECT_EQ(german->DateItems().AMDesignator, "");
  EXPECT_EQ(english->DateItems().AbbreviatedDayNames[0], "Mon");
  EXPECT_EQ(german->DateItems().ShortestDayNames[6], "So");
  EXPECT_THROW(TableDateItems("fr-FR"), EConvertError);
  TLocaleDateItems items = TableDateItems("en-US");
  items.CalendarType = 7;
  EXPECT_EQ(CreateTableLocale("en-US", items)->DateItems().CalendarType, 7);
}

TEST(Locale, WritesDatesAndTimesByPattern) {
  const TDateTime afternoon = EncodeDate(2024, 3, 13) + EncodeTime(14, 5, 9, 0);
  const auto english = CreateLocale("en-US");
  const auto german = CreateLocale("de-DE");
  struct Case {
    const TLocale* locale;
    const char* picture;
    const char* date;
  };
  const Case dates[] = {
      {english.get(), "", "3/13/2024"},
      {english.get(), "dddd, MMMM d, yyyy", "Wednesday, March 13, 2024"},
      {english.get(), "ddd dd MMM yy", "Wed 13 Mar 24"},
      {german.get(), "", "13.03.2024"},
      {german.get(), "dddd, d. MMMM yyyy", "Mittwoch, 13. M\xC3\xA4rz 2024"},
      {german.get(), "'Tag' d", "Tag 13"},
  };
  for (const Case& c : dates)
    EXPECT_EQ(c.locale->FormatDateByPattern(c.picture, afternoon).value_or("?"), c.date) << c.picture;
  EXPECT_EQ(english->FormatTimeByPattern("", afternoon).value_or("?"), "2:05:09 PM");
  EXPECT_EQ(english->FormatTimeByPattern("hh:mm t", afternoon).value_or("?"), "02:05 P");
  EXPECT_EQ(german->FormatTimeByPattern("", afternoon).value_or("?"), "14:05:09");
  EXPECT_FALSE(english->FormatDateByPattern("", 1e12).has_value());
  EXPECT_FALSE(german->FormatTimeByPattern("", std::nan("")).has_value());
}

}  // namespace
