#include "data/format_controller.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/rtl/clock.h"
#include "platform/rtl/locale.h"
#include "ui/foundation/base/library_strings.h"

namespace {

using Items = std::vector<TlxDateTimeFormatItem>;

TlxFormatTexts EnglishTexts() { return {"m/d/yyyy", "dddd, mmmm d, yyyy", "h:nn AMPM", "h:nn:ss AMPM", "AM", "PM"}; }

Items Parse(std::string_view format, const TlxFormatTexts& texts = EnglishTexts()) {
  TlxDateTimeFormatInfo info;
  lxParseDateTimeFormat(format, info, texts);
  return info.ItemList;
}

TEST(DateTimeFormatTest, ParsesFormatsIntoItems) {
  struct Case {
    const char* format;
    Items items;
  };
  const Case cases[] = {
      {"d.M.yy", {{fikDay, "D"}, {fikText, "."}, {fikMonth, "M"}, {fikText, "."}, {fikYear, "YY"}}},
      {"dddd", {{fikDay, "DDDD"}}},
      {"HH:mm:ss",
       {{fikHour, "24HH"}, {fikTimeSeparator, ":"}, {fikMinute, "NN"}, {fikTimeSeparator, ":"}, {fikSecond, "SS"}}},
      {"h:nn AM/PM", {{fikHour, "12H"}, {fikTimeSeparator, ":"}, {fikMinute, "NN"}, {fikText, " "}, {fikAmPm, "AM/PM"}}},
      {"hh a/p", {{fikHour, "12HH"}, {fikText, " "}, {fikAmPm, "a/p"}}},
      {"yyyy-yy", {{fikYear, "YYYY"}, {fikText, "-"}}},
      {"yyyy ampm", {{fikYear, "YYYY"}, {fikText, " "}}},  // no hour: the AM/PM item goes
      {"'at' hh \"o'clock\"", {{fikText, "at "}, {fikHour, "24HH"}, {fikText, " o'clock"}}},
      {"dd 'open", {{fikDay, "DD"}, {fikText, " open"}}},
      {"mmmmm zzzz e", {{fikMonth, "MMMM"}, {fikText, " "}, {fikMSec, "ZZZ"}, {fikText, " "}, {fikYear, "YY"}}},
      {"aaaa aaa ax", {{fikDay, "DDDD"}, {fikText, "  ax"}}},
      {"d\xC3\xA4x", {{fikDay, "D"}, {fikText, "\xC3\xA4x"}}},
      {"ddddd", {{fikMonth, "M"}, {fikDateSeparator, "/"}, {fikDay, "D"}, {fikDateSeparator, "/"}, {fikYear, "YYYY"}}},
      {"t", {{fikHour, "12H"}, {fikTimeSeparator, ":"}, {fikMinute, "NN"}, {fikText, " "}, {fikAmPm, "AMPM"}}},
      {"yyyy g", {}},
      {"", {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Parse(c.format), c.items) << c.format;
}

TEST(DateTimeFormatTest, NoFormatIsTheShortDateAndTheLongTime) {
  TlxDateTimeFormatInfo info;
  lxParseDateTimeFormat(std::nullopt, info, EnglishTexts());
  const Items expected = {{fikMonth, "M"}, {fikDateSeparator, "/"}, {fikDay, "D"},     {fikDateSeparator, "/"},
                          {fikYear, "YYYY"}, {fikText, " "},          {fikHour, "12H"}, {fikTimeSeparator, ":"},
                          {fikMinute, "NN"}, {fikTimeSeparator, ":"}, {fikSecond, "SS"}, {fikText, " "},
                          {fikAmPm, "AMPM"}};
  EXPECT_EQ(info.ItemList, expected);
  EXPECT_TRUE(info.KindPresent[fikAmPm]);
  EXPECT_FALSE(info.KindPresent[fikMSec]);
}

TEST(DateTimeFormatTest, NestedFormatsStopTwoLevelsDown) {
  TlxFormatTexts texts = EnglishTexts();
  texts.ShortDateFormat = "ddddd";  // refers to itself
  texts.LongTimeFormat = "c";
  EXPECT_TRUE(Parse("ddddd", texts).empty());
  EXPECT_EQ(Parse("c", texts), (Items{{fikText, "  "}}));  // its own blank and the one of the nested C
  texts.ShortDateFormat = "yyyy ddddd";
  EXPECT_EQ(Parse("ddddd", texts), (Items{{fikYear, "YYYY"}, {fikText, "  "}}));
}

TEST(DateTimeFormatTest, MasksAndDisplayFormats) {
  const TlxFormatTexts texts = EnglishTexts();
  TlxDateTimeFormatInfo info;
  lxParseDateTimeFormat("d.M.yy", info, texts);
  EXPECT_EQ(lxStandardMaskOf(info, texts), "!99\\.99\\.99;1; ");
  EXPECT_EQ(lxMaskedDisplayFormatOf(info), "dd'.'mm'.'yy");
  lxParseDateTimeFormat("dddd mmm yyyy", info, texts);
  EXPECT_EQ(lxStandardMaskOf(info, texts), "!lll\\ lll\\ 9999;1; ");
  EXPECT_EQ(lxMaskedDisplayFormatOf(info), "ddd' 'mmm' 'yyyy");
  lxParseDateTimeFormat("hh:nn:ss.zzz a/p", info, texts);
  EXPECT_EQ(lxStandardMaskOf(info, texts), "!99:99:99\\.\\ c;1; ");
  EXPECT_EQ(lxMaskedDisplayFormatOf(info), "hh:nn:ss'.'' 'a/p");
  lxParseDateTimeFormat("h AM/PM", info, texts);
  EXPECT_EQ(lxStandardMaskOf(info, texts), "!99\\ cc;1; ");
  TlxFormatTexts long_designators = texts;
  long_designators.PMString = "p.m.";
  lxParseDateTimeFormat("h ampm", info, long_designators);
  EXPECT_EQ(lxStandardMaskOf(info, long_designators), "!99\\ cccc;1; ");
  EXPECT_EQ(lxDateInputFormatOf("d.M.yy"), "dd.MM.yy");
  EXPECT_EQ(lxDateInputFormatOf("m/d/yyyy"), "mm/dd/yyyy");
  EXPECT_EQ(lxDateInputFormatOf("dd.MM.yyyy dddd"), "dd.MM.yyyy dddd");
}

TEST(DateTimeFormatTest, RegularExpressionMasks) {
  TFormatSettings settings = EnglishFormatSettings();
  const TlxFormatTexts texts = EnglishTexts();
  TlxDateTimeFormatInfo info;
  lxParseDateTimeFormat("d/mm/yy", info, texts);
  EXPECT_EQ(lxDateRegExprOf(info, settings), "([012]?[1-9]|[123]0|31)\\/((0?[1-9]|1[012])|('Jan'|'Feb'|'Mar'|'Apr'|'May'|'Jun'|'Jul'|'Aug'|'Sep'|'Oct'|'Nov'|'Dec'))\\/\\d\\d");
  settings.DateSeparator = ' ';
  lxParseDateTimeFormat("yyyy/mmmm", info, texts);
  EXPECT_EQ(lxDateRegExprOf(info, settings).substr(0, 39), "\\d\\d\\d\\d' '((0?[1-9]|1[012])|('January'");
  lxParseDateTimeFormat("hh:nn", info, texts);
  EXPECT_EQ(lxTimeRegExprOf(info, settings, texts), "([01]?\\d|2[0-3])\\:[0-5]?\\d");
  lxParseDateTimeFormat("h:nn:ss ampm", info, texts);
  EXPECT_EQ(lxTimeRegExprOf(info, settings, texts), "(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '('AM'|'PM')?");
  TlxFormatTexts no_am = texts;
  no_am.AMString = "";
  EXPECT_EQ(lxTimeRegExprOf(info, settings, no_am), "(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '('PM')?");
  no_am.PMString = "";
  EXPECT_EQ(lxTimeRegExprOf(info, settings, no_am), "(0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '");
  EXPECT_EQ(lxWithSmartWords("E", {"today", "o'clock"}), "(E)|('today'|'o'\\''clock')((\\+|-)\\d(\\d(\\d\\d?)?)?)?");
  EXPECT_EQ(lxWithSmartWords("E", {"", ""}), "(E)") << "no words, no empty group";
}

TEST(DateTimeFormatTest, CurrencyDisplayFormats) {
  struct Case {
    const char* symbol;
    uint8_t decimals;
    uint8_t position;
    uint8_t negative;
    const char* expected;
  };
  const Case cases[] = {
      {"EUR", 2, 3, 8, ",0.00 EUR;-,0.00 EUR"},
      {"$", 2, 0, 0, "$,0.00;($,0.00)"},
      {"$", 2, 0, 1, "$,0.00;-$,0.00"},
      {"Fr.", 0, 2, 2, "Fr'.' ,0.;Fr'.'-,0."},
      {"kr", 2, 1, 5, ",0.00kr;-,0.00kr"},
      {"kr", 2, 1, 7, ",0.00kr;,0.00kr-"},
      {"R", 1, 2, 12, "R ,0.0;R -,0.0"},
      {"R", 1, 2, 13, "R ,0.0;,0.0- R"},
      {"R", 1, 2, 15, "R ,0.0;(,0.0 R)"},
      {"", 2, 3, 1, ",0.00;-,0.00"},
  };
  for (const Case& c : cases) {
    TFormatSettings settings = EnglishFormatSettings();
    settings.CurrencyString = c.symbol;
    settings.CurrencyDecimals = c.decimals;
    settings.CurrencyFormat = c.position;
    settings.NegCurrFormat = c.negative;
    EXPECT_EQ(lxCurrencyDisplayFormatOf(settings), c.expected) << c.symbol << " " << int(c.negative);
  }
}

TEST(FormatControllerTest, FindsTheItemAtACaretPosition) {
  TScopedLocale locale("en-US");
  const TlxFormatController& controller = lxGetFormatController();
  TlxDateTimeFormatInfo info;
  lxParseDateTimeFormat("d.M.yy a/p hh", info, EnglishTexts());
  struct Case {
    int position;
    bool found;
    TlxDateTimeFormatItemKind kind;
    int start;
    int length;
  };
  const Case cases[] = {
      {0, false, fikText, 0, 0},  {1, true, fikDay, 1, 2},   {2, true, fikDay, 1, 2},  {3, true, fikText, 3, 1},
      {4, true, fikMonth, 4, 2},  {7, true, fikYear, 7, 2},  {9, true, fikText, 9, 1}, {10, true, fikAmPm, 10, 1},
      {12, true, fikHour, 12, 2}, {14, false, fikText, 0, 0},
  };
  for (const Case& c : cases) {
    TlxFormatItemAtPos found;
    ASSERT_EQ(controller.FindFormatItemAtPos(info, c.position, found), c.found) << c.position;
    if (!c.found)
      continue;
    EXPECT_EQ(found.Kind, c.kind) << c.position;
    EXPECT_EQ(found.Start, c.start) << c.position;
    EXPECT_EQ(found.Length, c.length) << c.position;
  }
  TlxFormatItemAtPos am_pm;
  ASSERT_TRUE(controller.FindFormatItemAtPos(info, 10, am_pm));
  EXPECT_EQ(am_pm.AmPmStyle, lxafkAP);
  EXPECT_EQ(controller.GetFormatTextLength(info), 13);
  lxParseDateTimeFormat("dddd", info, EnglishTexts());
  EXPECT_EQ(controller.GetFormatTextLength(info), 3);
}

TEST(FormatControllerTest, FollowsTheLocale) {
  lxAddStringResources(lxLibraryStringTable());
  TlxFormatController& controller = lxGetFormatController();
  {
    TScopedLocale locale("de-DE");
    EXPECT_EQ(controller.WeekStartDay(), 1);
    EXPECT_EQ(controller.DateInputFormat(), "dd.mm.yyyy");
    EXPECT_EQ(controller.StandardDateMask(), "!99\\.99\\.9999;1; ");
    EXPECT_EQ(controller.StandardDateTimeMask(), "!99\\.99\\.9999\\ 99:99:99;1; ");
    EXPECT_EQ(controller.MaskedDateTimeDisplayFormat(), "dd'.'mm'.'yyyy' 'hh:nn:ss");
    EXPECT_EQ(controller.CurrencyDisplayFormat(), ",0.00 \xE2\x82\xAC;-,0.00 \xE2\x82\xAC");
    EXPECT_EQ(controller.TimeFormatItems().ItemList.front(), (TlxDateTimeFormatItem{fikHour, "24HH"}));
  }
  TScopedLocale locale("en-US");
  EXPECT_EQ(controller.WeekStartDay(), 0);
  EXPECT_EQ(controller.DateInputFormat(), "mm/dd/yyyy");
  EXPECT_EQ(controller.FirstWeekRule(), 0);
  const std::string& date_mask = controller.DateRegExprMask();
  const std::string& date_time_mask = controller.DateTimeRegExprMask();
  EXPECT_NE(date_mask.find("|('today'|'yesterday'|'tomorrow'|'Sunday'"), std::string::npos);
  EXPECT_NE(date_mask.find("|'bom'|'eom')((\\+|-)"), std::string::npos);
  EXPECT_EQ(date_mask.find("'now'"), std::string::npos);
  EXPECT_NE(date_time_mask.find("|'eom'|'now')((\\+|-)"), std::string::npos);
  EXPECT_NE(date_time_mask.find("\\d\\d\\d\\d ' '((0?[1-9]|1[012])\\:[0-5]?\\d\\:[0-5]?\\d' '('AM'|'PM')?)?)|("),
            std::string::npos);
}

class Listener : public IlxFormatListener {
 public:
  void FormatsChanged() override { ++formats_changed; }
  int formats_changed = 0;
};

class TimeListener : public Listener, public IlxTimeChangeListener {
 public:
  void SystemTimeChanged() override { ++time_changed; }
  int time_changed = 0;
};

TEST(FormatControllerTest, TellsItsListenersAndKeepsAWindowWhileThereAreAny) {
  TlxFormatController& controller = lxGetFormatController();
  Listener formats;
  TimeListener times;
  ASSERT_FALSE(controller.HasWindow());
  controller.AddListener(&formats);
  controller.AddListener(&formats);
  controller.AddListener(&times);
  EXPECT_TRUE(controller.HasWindow());
  EXPECT_EQ(controller.ListenerCount(), 2);
  {
    TScopedLocale locale("de-DE");
    EXPECT_EQ(formats.formats_changed, 1);
    EXPECT_EQ(times.formats_changed, 1);
  }
  EXPECT_EQ(formats.formats_changed, 2);  // the previous locale is back
  NotifyTimeChanged();
  EXPECT_EQ(times.time_changed, 1);
  EXPECT_EQ(times.formats_changed, 2);
  controller.RemoveListener(&formats);
  EXPECT_TRUE(controller.HasWindow());
  controller.RemoveListener(&times);
  controller.RemoveListener(&times);
  EXPECT_FALSE(controller.HasWindow());
  NotifyTimeChanged();
  EXPECT_EQ(times.time_changed, 1);
}

TEST(FormatControllerTest, WindowMessagesReachTheRunTime) {
  TlxFormatController& controller = lxGetFormatController();
  TimeListener listener;
  controller.AddListener(&listener);
  TScopedLocale locale("de-DE");
  const int before = listener.formats_changed;

  TlxFormatWindowMessage other{kLxSettingChangeMessage, 0, "Policy", -1};
  controller.HandleWindowMessage(other);
  EXPECT_EQ(listener.formats_changed, before);
  EXPECT_EQ(controller.WeekStartDay(), 1);

  TlxFormatWindowMessage with_wparam{kLxSettingChangeMessage, 1, "intl", -1};
  controller.HandleWindowMessage(with_wparam);
  EXPECT_EQ(listener.formats_changed, before);

  TlxFormatWindowMessage intl{kLxSettingChangeMessage, 0, "intl", -1};
  controller.HandleWindowMessage(intl);
  EXPECT_EQ(intl.Result, 0);
  EXPECT_EQ(listener.formats_changed, before + 1);
  EXPECT_EQ(UserLocale().Name(), CreateMachineLocale()->Name());

  TlxFormatWindowMessage time{kLxTimeChangeMessage, 0, "", -1};
  controller.HandleWindowMessage(time);
  EXPECT_EQ(time.Result, 0);
  EXPECT_EQ(listener.time_changed, 1);
  controller.RemoveListener(&listener);
}

}  // namespace
