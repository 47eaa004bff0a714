#include "platform/rtl/locale.h"

#include <gtest/gtest.h>

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

}  // namespace
