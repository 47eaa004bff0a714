#include "data/smart_dates.h"

#include <cmath>
#include <string>

#include <gtest/gtest.h>

#include "data/format_controller.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/locale.h"
#include "tests/data/date_test_locale.h"
#include "ui/foundation/base/library_strings.h"

namespace {

class SmartDatesTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { lxAddStringResources(lxLibraryStringTable()); }

  // Wednesday, 13 March 2024, 10:30.
  TScopedClock clock_{EncodeDate(2024, 3, 13) + 0.4375};
};

TEST_F(SmartDatesTest, SmartWords) {
  TScopedLocale locale("en-US");
  const TDateTime today = EncodeDate(2024, 3, 13);
  struct Case {
    const char* text;
    bool word;
    TDateTime date;
  };
  const Case cases[] = {
      {"tod", false, 0},
      {"today", true, today},
      {"TODAY", true, today},
      {"  today  ", true, today},
      {"today+3", true, today + 3},
      {"today + 3", true, today + 3},
      {"  today-2", true, today - 2},
      {"today+x", true, today},
      {"today+", true, today},
      {"todayx", false, 0},
      {"today 3", false, 0},
      {"yesterday", true, today - 1},
      {"tomorrow-1", true, today},
      {"Sunday", true, EncodeDate(2024, 3, 17)},
      {"wednesday", true, today},
      {"Tuesday", true, EncodeDate(2024, 3, 19)},
      {"Sunday 12", false, 0},
      {"Sundays", false, 0},
      {"bom", true, EncodeDate(2024, 3, 1)},
      {"eom", true, EncodeDate(2024, 3, 31)},
      {"first", true, EncodeDate(2024, 3, 10)},  // weeks start on Sunday here
      {"seventh", true, EncodeDate(2024, 3, 16)},
      {"now", true, EncodeDate(2024, 3, 13) + 0.4375},
      {"today+99999999999", true, today},
      {"", false, 0},
  };
  for (const Case& c : cases) {
    TDateTime date = -1;
    EXPECT_EQ(lxSmartTextToDate(c.text, date), c.word) << c.text;
    EXPECT_DOUBLE_EQ(date, c.word ? c.date : -1) << c.text;
  }
}

TEST_F(SmartDatesTest, LongerWordsWinOverTheirPrefixes) {
  // "today" is a prefix of none, but a translation may make one word the
  // beginning of another; the longer one is tried first.
  EXPECT_EQ(lxFindDateWord("tomorrow"), 2);
  EXPECT_EQ(lxFindDateWord("eom+1"), 18);
  EXPECT_EQ(lxFindDateWord("now"), 19);
  EXPECT_EQ(lxFindDateWord("nowhere"), -1);
}

TEST_F(SmartDatesTest, WeekPositionsFromTheWeekStart) {
  TScopedLocale locale("de-DE");  // Monday
  TDateTime date = 0;
  ASSERT_TRUE(lxSmartTextToDate("first", date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 11));
  ASSERT_TRUE(lxSmartTextToDate("seventh", date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 17));
  TScopedClock sunday(EncodeDate(2024, 3, 17));
  ASSERT_TRUE(lxSmartTextToDate("first", date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 11));
  ASSERT_TRUE(lxSmartTextToDate("seventh", date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 17));
  TScopedClock february(EncodeDate(2024, 2, 10));
  ASSERT_TRUE(lxSmartTextToDate("eom", date));
  EXPECT_EQ(date, EncodeDate(2024, 2, 29));
}

TEST_F(SmartDatesTest, TypedTextsToDates) {
  TScopedLocale locale("de-DE");
  struct Case {
    const char* text;
    TDateTime date;
  };
  const Case cases[] = {
      {"", NullDate},
      {"   ", NullDate},
      {"13.03.2024", EncodeDate(2024, 3, 13)},
      {" 13.3.2024 ", EncodeDate(2024, 3, 13)},
      {"13.03.2024 14:30", EncodeDate(2024, 3, 13) + 14.5 / 24},
      {"today+1", EncodeDate(2024, 3, 14)},
      {"31.02.2024", NullDate},
      {"1.1.10000", NullDate},
      {"abc", NullDate},
      {"13.03.2024x", NullDate},
  };
  for (const Case& c : cases) {
    EXPECT_DOUBLE_EQ(lxTextToDateTime(c.text), c.date) << c.text;
    TDateTime date = 0;
    EXPECT_EQ(lxTryTextToDate(c.text, date), c.date != NullDate) << c.text;
  }
  TDateTime date = 0;
  EXPECT_FALSE(lxParseEditDateTime("today", true, date));
  EXPECT_EQ(date, NullDate);
  EXPECT_TRUE(lxParseEditDateTime("13.03.2024", false, date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 13));
}

TEST_F(SmartDatesTest, CleaningKeepsSeparatorsAndShrinksBlanks) {
  TScopedLocale locale("de-DE");
  std::string text = "  13.03.2024 \t  14:30 ";
  lxPrepareDateText(text, false);
  EXPECT_EQ(text, "13.03.2024 14:30");
  lxPrepareDateText(text, true);
  EXPECT_EQ(text, "13 03 2024 14:30");
}

TEST_F(SmartDatesTest, DatesToEditTexts) {
  TScopedLocale german("de-DE");
  const TDateTime afternoon = EncodeDate(2024, 3, 13) + 14.5 / 24;
  EXPECT_EQ(lxDateTimeToEditText(false, true, false, NullDate), "");
  EXPECT_EQ(lxDateTimeToEditText(false, true, false, afternoon), "13.03.2024 14:30:00");
  EXPECT_EQ(lxDateTimeToEditText(false, true, false, EncodeDate(2024, 3, 13)), "13.03.2024");
  EXPECT_EQ(lxDateTimeToEditText(true, false, false, afternoon), "13.03.2024");
  EXPECT_EQ(lxDateTimeToEditText(true, true, false, afternoon), "13.03.2024 14:30:00");
  {
    TLocaleDateItems items = TableDateItems("de-DE");
    items.ShortDatePattern = "dd.MM.yy";
    TScopedDateItems two_digits("de-DE", items);
    EXPECT_EQ(lxDateTimeToEditText(false, false, false, afternoon), "13.03.24 14:30:00");
    EXPECT_EQ(lxDateTimeToEditText(false, false, true, afternoon), "13.03.2024 14:30:00");
  }
  TScopedLocale english("en-US");
  EXPECT_EQ(lxDateTimeToEditText(false, true, true, afternoon), "3/13/2024 2:30:00 PM");
  EXPECT_EQ(lxDateTimeToEditText(true, false, false, afternoon), "03/13/2024");
  EXPECT_EQ(lxDateTimeToLocaleText(afternoon), "3/13/2024 2:30:00 PM");
  EXPECT_EQ(lxDayNumberText(afternoon), "13");
  // Beyond the platform's dates nothing can be written.
  EXPECT_EQ(lxDateTimeToEditText(false, true, false, 1e12), "");
}

TEST_F(SmartDatesTest, LocaleTextsOfTheCalendar) {
  TScopedLocale locale("en-US");
  const TDateTime date = EncodeDate(2024, 3, 13);
  EXPECT_EQ(lxGetCalendarMonthName(nullptr, date), "March");
  EXPECT_EQ(lxGetCalendarYearText(nullptr, date), "2024");
  EXPECT_EQ(lxGetCalendarMonthYearText(nullptr, date), "March 2024");
  const auto gregorian = lxCreateCalendarTable(1);
  EXPECT_EQ(lxGetCalendarMonthNameOf(2024, 2, gregorian.get()), "February");
  EXPECT_EQ(lxGetCalendarMonthNameOf(2024, 13, gregorian.get()), "");
  EXPECT_EQ(lxCalendarNumberText(7, gregorian.get()), "7");
  std::string text;
  EXPECT_TRUE(lxFormatDateByLocale("yyyy-MM-dd", date, text));
  EXPECT_EQ(text, "2024-03-13");
  EXPECT_FALSE(lxFormatDateByLocale("", 1e12, text));
  EXPECT_EQ(lxGetLocaleShortDateFormat(), "M/d/yyyy");
  EXPECT_EQ(lxGetLocaleAMString(), "AM");
}

TEST_F(SmartDatesTest, OneCharacterWeekdayNames) {
  TScopedLocale locale("en-US");
  EXPECT_EQ(lxGetWeekDayName(1, 0), "M");
  EXPECT_EQ(lxGetWeekDayName(7, 0), "S");
  EXPECT_EQ(lxGetWeekDayName(1, 177), "o");  // right-to-left charsets take the last
  EXPECT_EQ(lxGetWeekDayName(0, 0), "");
  EXPECT_EQ(lxGetWeekDayName(8, 0), "");
  EXPECT_EQ(lxGetMinEditDate(), EncodeDate(100, 1, 1));
}

TEST_F(SmartDatesTest, NonGregorianLocalesParseInTheirCalendar) {
  TScopedDateItems thai("en-US", DateItemsWith("en-US", 7));
  EXPECT_FALSE(lxIsGregorianCalendarType(nullptr));
  EXPECT_EQ(lxTextToDateTime("3/13/2567"), EncodeDate(2024, 3, 13));
  EXPECT_EQ(lxTextToDateTime("March/13/2567 14:30"), EncodeDate(2024, 3, 13) + 14.5 / 24);
  TDateTime date = 0;
  EXPECT_TRUE(lxParseEditDateTime("3/13/2567", true, date));
  EXPECT_EQ(date, EncodeDate(2024, 3, 13));
  // A bad calendar date encodes as the table's earliest date.
  EXPECT_EQ(lxTextToDateTime("2/30/2567"), lxCreateCalendarTable(7)->EarliestDate());
  EXPECT_EQ(lxTextToDateTime(""), NullDate);
}

}  // namespace
