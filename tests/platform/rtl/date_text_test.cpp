#include "platform/rtl/date_text.h"

#include <gtest/gtest.h>

#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"

namespace date_text_test {

const TFormatSettings& En() { return EnglishFormatSettings(); }
const TFormatSettings& De() { return GermanFormatSettings(); }

// 2024-03-05 (a Tuesday) 14:07:09.045
const TDateTime kSample = EncodeDate(2024, 3, 5) + EncodeTime(14, 7, 9, 45);

TEST(FormatDateTime, FormatsEveryField) {
  struct Case {
    const char* format;
    const char* en;
    const char* de;
  };
  const Case cases[] = {
      {"d.m.yy", "5.3.24", "5.3.24"},
      {"dd/mm/yyyy", "05/03/2024", "05.03.2024"},
      {"ddd dddd", "Tue Tuesday", "Di Dienstag"},
      {"mmm mmmm", "Mar March", "Mrz März"},
      {"ddddd", "3/5/2024", "05.03.2024"},
      {"dddddd", "Tuesday, March 5, 2024", "Dienstag, 5. März 2024"},
      {"hh:nn:ss.zzz", "14:07:09.045", "14:07:09.045"},
      {"h:mm", "14:07", "14:07"},  // minutes after an hour
      {"h:mm am/pm", "2:07 pm", "2:07 pm"},
      {"h:mm A/P", "2:07 P", "2:07 P"},
      {"t", "2:07 PM", "14:07"},
      {"tt", "2:07:09 PM", "14:07:09"},
      {"c", "3/5/2024 2:07:09 PM", "05.03.2024 14:07:09"},
      {"'Datum:' dd \"mm\"", "Datum: 05 mm", "Datum: 05 mm"},
      {"Größe d", "Größe 5", "Größe 5"},
      {"'open", "open", "open"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatDateTime(c.format, kSample, En()), c.en) << c.format;
    EXPECT_EQ(FormatDateTime(c.format, kSample, De()), c.de) << c.format;
  }
}

TEST(FormatDateTime, DateAndTimeTexts) {
  EXPECT_EQ(DateTimeToStr(EncodeDate(2024, 3, 5), De()), "05.03.2024");
  EXPECT_EQ(DateTimeToStr(EncodeTime(6, 30, 0, 0), De()), "06:30:00");
  EXPECT_EQ(DateToStr(kSample, En()), "3/5/2024");
  EXPECT_EQ(TimeToStr(EncodeTime(0, 5, 0, 0), En()), "12:05:00 AM");
  EXPECT_EQ(FormatDateTime("", EncodeDate(1899, 12, 29) + 0.0, De()), "29.12.1899");
  // Four-digit years stay four digits, so that year 24 does not read back as 2024.
  EXPECT_EQ(DateToStr(EncodeDate(24, 3, 5), De()), "05.03.0024");
  EXPECT_EQ(StrToDate(DateToStr(EncodeDate(24, 3, 5), De()), De()), EncodeDate(24, 3, 5));
}

class DateParseTest : public testing::Test {
 protected:
  TScopedClock clock_{EncodeDate(2024, 6, 1) + EncodeTime(10, 0, 0, 0)};
};

TEST_F(DateParseTest, ReadsDatesInTheLocaleOrder) {
  struct Case {
    const char* text;
    const TFormatSettings* settings;
    TDateTime value;
  };
  const Case cases[] = {
      {"05.03.2024", &De(), EncodeDate(2024, 3, 5)},
      {" 5.3.24 ", &De(), EncodeDate(2024, 3, 5)},
      {"5.3.", &De(), EncodeDate(2024, 3, 5)},            // current year
      {"3/5/2024", &En(), EncodeDate(2024, 3, 5)},
      {"3/5", &En(), EncodeDate(2024, 3, 5)},
      {"5. März 2024", &De(), EncodeDate(2024, 3, 5)},
      {"5 mrz 2024", &De(), EncodeDate(2024, 3, 5)},
      {"March 5, 2024", &En(), EncodeDate(2024, 3, 5)},
      {"1.1.74", &De(), EncodeDate(1974, 1, 1)},          // window of 50 years around 2024
      {"1.1.73", &De(), EncodeDate(2073, 1, 1)},
      {"29.2.2000", &De(), EncodeDate(2000, 2, 29)},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StrToDate(c.text, *c.settings), c.value) << c.text;
}

TEST_F(DateParseTest, RejectsInvalidDatesWithThePlatformText) {
  for (const char* text : {"", "5", "31.2.2024", "29.2.2023", "1.13.2024", "x.3.2024", "5.3.2024.1", "Mai Juni 2024",
                           "5;3;2024", "1234567890.1.1", "0.0.0", "5. Foo 2024"}) {
    TDateTime value = 42;
    EXPECT_FALSE(TryStrToDate(text, value, De())) << text;
    EXPECT_EQ(value, 42);
    try {
      StrToDate(text, De());
      ADD_FAILURE() << text;
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), "'" + std::string(text) + "' is not a valid date");
    }
  }
}

TEST_F(DateParseTest, ReadsTimesWithOptionalSecondsAndAmPm) {
  struct Case {
    const char* text;
    TDateTime value;
  };
  const Case cases[] = {
      {"14:07", EncodeTime(14, 7, 0, 0)},      {"14:07:09", EncodeTime(14, 7, 9, 0)},
      {"14:07:09.5", EncodeTime(14, 7, 9, 500)}, {"2:07 PM", EncodeTime(14, 7, 0, 0)},
      {"12:00 am", EncodeTime(0, 0, 0, 0)},    {"12:30 PM", EncodeTime(12, 30, 0, 0)},
      {"5 pm", EncodeTime(17, 0, 0, 0)},       {" 0:00 ", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StrToTime(c.text, En()), c.value) << c.text;
  for (const char* text : {"", "14", "24:00", "13:00 PM", "12:60", "1:2:3:4", "12:00 xm", "12:00:00.1234"}) {
    TDateTime value = 0;
    EXPECT_FALSE(TryStrToTime(text, value, En())) << text;
  }
  try {
    StrToTime("25:00", De());
    ADD_FAILURE();
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'25:00' is not a valid time");
  }
}

TEST_F(DateParseTest, ReadsDateAndTimeTogether) {
  EXPECT_EQ(StrToDateTime("05.03.2024 14:07:09", De()), kSample - EncodeTime(0, 0, 0, 45));
  EXPECT_EQ(StrToDateTime("3/5/2024 2:07:09 PM", En()), kSample - EncodeTime(0, 0, 0, 45));
  EXPECT_EQ(StrToDateTime("05.03.2024", De()), EncodeDate(2024, 3, 5));
  EXPECT_EQ(StrToDateTime("14:07", De()), EncodeTime(14, 7, 0, 0));
  // What DateTimeToStr writes, StrToDateTime reads back.
  for (const TFormatSettings* settings : {&En(), &De()}) {
    const TDateTime value = EncodeDate(1999, 12, 31) + EncodeTime(23, 59, 58, 0);
    EXPECT_EQ(StrToDateTime(DateTimeToStr(value, *settings), *settings), value);
  }
  try {
    StrToDateTime("05.03.2024 25:00", De());
    ADD_FAILURE();
  } catch (const EConvertError& error) {
    EXPECT_EQ(error.Message(), "'05.03.2024 25:00' is not a valid date and time");
  }
}

TEST_F(DateParseTest, UsesTheUserLocaleByDefault) {
  TScopedLocale german("de-DE");
  EXPECT_EQ(StrToDate("05.03.2024"), EncodeDate(2024, 3, 5));
  EXPECT_EQ(DateToStr(EncodeDate(2024, 3, 5)), "05.03.2024");
  EXPECT_EQ(Date(), EncodeDate(2024, 6, 1));
}

}  // namespace date_text_test
