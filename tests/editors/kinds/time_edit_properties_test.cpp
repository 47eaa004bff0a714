#include "editors/kinds/time_edit_properties.h"

#include <gtest/gtest.h>

#include <memory>

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"
#include "editors/mask_edit_model.h"
#include "platform/rtl/date_text.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"

namespace time_edit_properties_test {

// The English table locale with other designators.
class EnglishWithDesignators : public TLocale {
 public:
  EnglishWithDesignators(std::unique_ptr<TLocale> english, TFormatSettings settings)
      : TLocale("en-US", std::move(settings), english->DateItems()), english_(std::move(english)) {}
  std::u16string UpperCase(std::u16string_view text) const override { return english_->UpperCase(text); }
  std::u16string LowerCase(std::u16string_view text) const override { return english_->LowerCase(text); }
  int Compare(std::u16string_view a, std::u16string_view b, TCompareCase mode) const override {
    return english_->Compare(a, b, mode);
  }

 private:
  std::unique_ptr<TLocale> english_;
};

// Installs the English table locale with the given designators for the
// length of a test, and rebuilds the 12-hour masks from it.
class DesignatorLocale {
 public:
  DesignatorLocale(const char* am, const char* pm) : earlier_(UserLocale()) {
    std::unique_ptr<TLocale> english = CreateTableLocale("en-US");
    TFormatSettings settings = english->Settings();
    settings.TimeAMString = am;
    settings.TimePMString = pm;
    SetUserLocale(std::make_unique<EnglishWithDesignators>(std::move(english), settings));
    lxBuildTimeEditMasks();
  }
  ~DesignatorLocale() {
    RestoreUserLocale(earlier_);
    lxBuildTimeEditMasks();
  }
  DesignatorLocale(const DesignatorLocale&) = delete;
  DesignatorLocale& operator=(const DesignatorLocale&) = delete;

 private:
  const TLocale& earlier_;
};

class TimeEditTest : public ::testing::Test {
 protected:
  void SetUp() override { lxEditConstsInitialize(); }
  void TearDown() override { lxEditConstsFinalize(); }

  // A model edit over the properties showing `text`, the caret at `caret`.
  std::unique_ptr<TlxMaskEditModel> EditShowing(const char16_t* text, int32_t caret) {
    auto edit = std::make_unique<TlxMaskEditModel>(properties);
    edit->PropertiesChanged();
    edit->PutDisplayText(text);
    edit->Click(caret);
    return edit;
  }

  DesignatorLocale english{"AM", "PM"};
  TlxTimeEditProperties properties{nullptr};
};

TEST_F(TimeEditTest, MasksFollowTheFormatAndTheLocaleDesignators) {
  EXPECT_EQ(properties.EditMask(), "00:00:00;1;0");
  properties.SetTimeFormat(tfHourMin);
  EXPECT_EQ(properties.EditMask(), "00:00;1;0");
  properties.SetUse24HourFormat(false);
  EXPECT_EQ(properties.EditMask(), "00:00 cc;1;0");
  properties.SetTimeFormat(tfHour);
  EXPECT_EQ(properties.EditMask(), "00 cc;1;0");
  {
    DesignatorLocale german("", "");
    properties.FormatChanged();
    EXPECT_EQ(properties.EditMask(), "00;1;0");
    EXPECT_EQ(lxTimeEditMask(tfHourMinSec, false), "00:00:00;1;0");
  }
  properties.FormatChanged();
  EXPECT_EQ(properties.EditMask(), "00 cc;1;0");
  {
    DesignatorLocale long_designators("vorm.", "nachm.");
    EXPECT_EQ(lxTimeEditMask(tfHourMinSec, false), "00:00:00 cccccc;1;0");
  }
}

TEST_F(TimeEditTest, PositionsBelongToTheirFields) {
  struct Case {
    TlxTimeEditTimeFormat format;
    bool use_24;
    int32_t position;
    TlxTimePart part;
  };
  const Case cases[] = {
      {tfHourMinSec, true, 1, tpHour},  {tfHourMinSec, true, 2, tpHour},        {tfHourMinSec, true, 3, tpMin},
      {tfHourMinSec, true, 5, tpMin},   {tfHourMinSec, true, 6, tpSec},         {tfHourMinSec, true, 12, tpSec},
      {tfHourMinSec, false, 9, tpDesignator}, {tfHourMinSec, false, 8, tpSec},  {tfHourMin, false, 6, tpDesignator},
      {tfHour, false, 3, tpDesignator}, {tfHour, true, 7, tpHour},              {tfHourMin, true, 0, tpHour},
  };
  for (const Case& c : cases) {
    properties.SetTimeFormat(c.format);
    properties.SetUse24HourFormat(c.use_24);
    EXPECT_EQ(properties.GetTimePartAt(c.position), c.part) << int(c.format) << " " << c.use_24 << " " << c.position;
  }
  properties.SetTimeFormat(tfHourMin);
  EXPECT_EQ(properties.GetTimePartStart(tpDesignator), 7);
  EXPECT_EQ(properties.GetTimePartStart(tpSec), 7);
  EXPECT_EQ(properties.GetTimePartStart(tpMin), 4);
}

TEST_F(TimeEditTest, TypingCorrectsDigitsOutOfTheirRange) {
  struct Case {
    const char* name;
    bool use_24;
    const char16_t* text;
    int32_t caret;
    const char16_t* typed;
    const char16_t* expected;
    int32_t caret_after;
  };
  const Case cases[] = {
      {"2 then 5", true, u"00:00:00", 0, u"25", u"05:00:00", 3},
      {"2 alone", true, u"00:00:00", 0, u"2", u"20:00:00", 1},
      {"1 then 9", true, u"00:00:00", 0, u"19", u"19:00:00", 3},
      {"7 in the minutes", true, u"00:00:00", 3, u"7", u"00:07:00", 6},
      {"2 over 09", true, u"09:00:00", 0, u"2", u"20:00:00", 1},
      {"0 over 09 keeps 9", true, u"09:00:00", 0, u"0", u"09:00:00", 1},
      {"0 refused in the second hour digit", false, u"00:00:00 AM", 1, u"0", u"00:00:00 AM", 1},
      {"3 in 12-hour hours", false, u"00:00:00 AM", 0, u"3", u"03:00:00 AM", 3},
      {"1 then 5 in 12-hour hours", false, u"00:00:00 AM", 0, u"15", u"05:00:00 AM", 3},
      {"0 first in 12-hour hours", false, u"00:00:00 AM", 0, u"0", u"00:00:00 AM", 1},
      {"6 in the seconds", true, u"00:00:00", 6, u"6", u"00:00:06", 8},
      {"a letter is no digit", true, u"00:00:00", 0, u"x", u"00:00:00", 0},
  };
  for (const Case& c : cases) {
    properties.SetUse24HourFormat(c.use_24);
    std::unique_ptr<TlxMaskEditModel> edit = EditShowing(c.text, c.caret);
    edit->Type(c.typed);
    EXPECT_EQ(Utf16ToUtf8(edit->Text()), Utf16ToUtf8(c.expected)) << c.name;
    EXPECT_EQ(edit->SelStart(), c.caret_after) << c.name;
    EXPECT_EQ(edit->BeepCount(), 0) << c.name << ": a correction consumes the character silently";
  }
}

TEST_F(TimeEditTest, TypingTheDesignatorWritesItWhole) {
  properties.SetUse24HourFormat(false);
  struct Case {
    const char16_t* text;
    int32_t caret;
    char16_t typed;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"11:00:00 AM", 9, u'p', u"11:00:00 PM"},
      {u"11:00:00 PM", 9, u'A', u"11:00:00 AM"},
      {u"11:00:00 PM", 9, u'x', u"11:00:00 PM"},
      {u"11:00:00 PM", 10, u'm', u"11:00:00 PM"},
      {u"11:00:00 PM", 10, u'q', u"11:00:00 PM"},
  };
  for (const Case& c : cases) {
    std::unique_ptr<TlxMaskEditModel> edit = EditShowing(c.text, c.caret);
    edit->KeyPress(c.typed);
    EXPECT_EQ(Utf16ToUtf8(edit->Text()), Utf16ToUtf8(c.expected)) << char(c.typed);
  }
  const TlxTimeTypingResult chosen = properties.TypeChar(u"11:00:00 AM", u'p', 10);
  EXPECT_EQ(chosen.Kind, TlxTimeTypingResult::kConsumed);
  EXPECT_TRUE(chosen.CaretAfterField);
  const TlxTimeTypingResult shown = properties.TypeChar(u"11:00:00 PM", u'm', 11);
  EXPECT_EQ(shown.Kind, TlxTimeTypingResult::kAccepted);
  EXPECT_EQ(shown.C, u'M');
}

TEST_F(TimeEditTest, DesignatorsThatCannotBeToldApartTakeNoTyping) {
  properties.SetUse24HourFormat(false);
  const std::pair<const char*, const char*> locales[] = {{"", ""}, {"AM", ""}, {"", "PM"}, {"x", "X"}};
  for (const auto& [am, pm] : locales) {
    DesignatorLocale designators(am, pm);
    for (char16_t typed : {u'a', u'p', u'x', u'X', u' '})
      EXPECT_EQ(properties.TypeChar(u"11:00:00 xx", typed, 10).Kind, TlxTimeTypingResult::kRefused)
          << am << "/" << pm << " " << char(typed);
  }
}

TEST_F(TimeEditTest, SecondsAreReadFromTheFixedPlaces) {
  struct Case {
    TlxTimeEditTimeFormat format;
    bool use_24;
    const char16_t* text;
    int32_t seconds;
  };
  const Case cases[] = {
      {tfHourMinSec, false, u"12:30:00 PM", 45000},
      {tfHourMinSec, false, u"12:30:00 AM", 1800},
      {tfHourMinSec, false, u"11:00:00 PM  ", 82800},
      {tfHourMinSec, true, u"23:59:59", 86399},
      {tfHourMin, true, u"01:02:03", 3720},
      {tfHour, true, u"05", 18000},
      // Texts shorter than the mask: what is missing reads 0.
      {tfHourMinSec, true, u"10:3", 10 * 3600 + 3 * 60},
      {tfHourMinSec, true, u"1", 3600},
      {tfHourMinSec, true, u"", 0},
      {tfHourMinSec, true, u"ab:cd:ef", 0},
  };
  for (const Case& c : cases) {
    properties.SetTimeFormat(c.format);
    properties.SetUse24HourFormat(c.use_24);
    EXPECT_EQ(properties.SecondsFromText(c.text), c.seconds) << Utf16ToUtf8(c.text);
  }
  DesignatorLocale german("", "");
  properties.SetTimeFormat(tfHourMinSec);
  properties.SetUse24HourFormat(false);
  EXPECT_EQ(properties.SecondsFromText(u"08:00:00"), 28800) << "an empty PM designator never matches";
}

TEST_F(TimeEditTest, DisplayTextsBecomeTimes) {
  properties.SetTimeFormat(tfHour);
  EXPECT_DOUBLE_EQ(properties.TimeFromText("09"), 0.375);
  properties.SetTimeFormat(tfHourMinSec);
  properties.SetUse24HourFormat(false);
  EXPECT_DOUBLE_EQ(properties.TimeFromText("06:00:00 PM"), 0.75);
  EXPECT_DOUBLE_EQ(properties.TimeFromText("06:00:00 AM"), 0.25);
  EXPECT_DOUBLE_EQ(properties.TimeFromText("99:99:99 PM"), 0);
  EXPECT_DOUBLE_EQ(properties.TimeFromText(""), 0);
}

TEST_F(TimeEditTest, DisplayValuesNeverShowTheCurrentTimeForBadInput) {
  struct Case {
    Variant value;
    bool focused;
    const char* expected;
  };
  const Case cases[] = {
      {Variant::Null(), true, "00:00:00"},
      {Variant::Null(), false, ""},
      {Variant::FromDate(0.5), false, "12:00:00"},
      {Variant(0.75), true, "18:00:00"},
      {Variant("kein Datum"), true, ""},
      {Variant("kein Datum"), false, ""},
  };
  for (const Case& c : cases) {
    Variant display;
    properties.ConvertToDisplayValue(c.value, display, c.focused);
    EXPECT_EQ(VarToStr(display), c.expected) << VarToStrDef(c.value, "null") << " " << c.focused;
  }
  properties.SetShowDate(true);
  Variant display;
  properties.ConvertToDisplayValue(Variant::FromDate(43952.5), display, false);
  EXPECT_EQ(VarToStr(display), DateTimeToStr(43952.5));
}

TEST_F(TimeEditTest, SpinStepsFollowTheFieldAtTheCaret) {
  properties.SetUse24HourFormat(false);
  struct Case {
    int32_t sel_start;
    int32_t button;
    int32_t seconds;
    int32_t step;
  };
  const Case cases[] = {
      {0, 1, 0, 3600},     {1, 3, 0, 3600},    {0, 0, 0, -3600},   {3, 1, 0, 60},     {4, 3, 0, 600},
      {4, 2, 0, -600},     {6, 1, 0, 1},       {7, 3, 0, 10},      {7, 2, 0, -10},
      {9, 1, 82800, -43200}, {9, 0, 82800, -43200}, {10, 0, 3600, 43200},
  };
  for (const Case& c : cases)
    EXPECT_EQ(properties.GetIncrementAt(c.sel_start, c.button, c.seconds), c.step) << c.sel_start << "/" << c.button;

  // Circular: 23:59:59 plus one second is midnight; without it the step is refused.
  Variant result;
  EXPECT_FALSE(lxSpinStep(vtInt, properties.GetBoundsMode(), int64_t{0}, int64_t{86399}, int64_t{86399},
                          int64_t{1}, true, result));
  properties.SetCircular(true);
  ASSERT_TRUE(lxSpinStep(vtInt, properties.GetBoundsMode(), int64_t{0}, int64_t{86399}, int64_t{86399},
                         int64_t{1}, true, result));
  EXPECT_EQ(result.AsInt64(), 0);
}

TEST_F(TimeEditTest, ASpinSelectsTheSteppedField) {
  properties.SetUse24HourFormat(false);
  struct Case {
    int32_t caret;
    const char16_t* text;
    int32_t start;
    int32_t length;
  };
  const Case cases[] = {{0, u"11:00:00 AM", 1, 1}, {2, u"11:00:00 AM", 4, 1}, {4, u"11:00:00 AM", 4, 1},
                        {5, u"11:00:00 AM", 7, 1}, {9, u"11:00:00 PM", 9, 2}, {9, u"11:00:00", 8, 0}};
  for (const Case& c : cases) {
    int32_t start = -1;
    int32_t length = -1;
    properties.GetSpinSelection(c.text, c.caret, start, length);
    EXPECT_EQ(start, c.start) << c.caret;
    EXPECT_EQ(length, c.length) << c.caret;
  }
}

TEST_F(TimeEditTest, BlankingLeavesZerosAndKeepsTheDesignator) {
  properties.SetUse24HourFormat(false);
  std::unique_ptr<TlxMaskEditModel> edit = EditShowing(u"11:45:30 PM", 0);
  edit->Select(0, 11);
  edit->KeyDown(kLxMaskKeyDelete);
  EXPECT_EQ(Utf16ToUtf8(edit->Text()), "00:00:00 PM");
}

TEST_F(TimeEditTest, NewTextIsRewrittenInTheDisplayFormat) {
  Variant text("7:5");
  EXPECT_TRUE(properties.IsNewTextAcceptable(text, true));
  EXPECT_EQ(VarToStr(text), "07:05:00");
  Variant bad("25:99");
  EXPECT_FALSE(properties.IsNewTextAcceptable(bad, true));
  Variant number(0.5);
  EXPECT_TRUE(properties.IsEditValueValid(number, true));

  Variant display("25:99:00");
  std::string message;
  bool error = false;
  properties.ValidateDisplayValue(display, message, error, nullptr);
  EXPECT_TRUE(error);
  EXPECT_EQ(message, "Could not convert to time");
}

TEST_F(TimeEditTest, CopyTakesTheTimeSettings) {
  properties.SetTimeFormat(tfHourMin);
  properties.SetUse24HourFormat(false);
  properties.SetShowDate(true);
  properties.SetAutoCorrectHours(false);
  TlxTimeEditProperties copy(nullptr);
  copy.Assign(&properties);
  EXPECT_EQ(copy.TimeFormat(), tfHourMin);
  EXPECT_FALSE(copy.Use24HourFormat());
  EXPECT_TRUE(copy.ShowDate());
  EXPECT_FALSE(copy.AutoCorrectHours());
  EXPECT_EQ(copy.EditMask(), "00:00 cc;1;0");
}

TEST(TimeEditModuleTest, RegistersTheKindAndItsFilterHelper) {
  lxTimeEditModuleStart();
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&TlxTimeEditProperties::kClass),
            &StatelessInstance<TlxFilterTimeEditHelper>());
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxTimeEditProperties"), nullptr);
  lxTimeEditModuleEnd();
  EXPECT_TRUE(!lxFilterEditsControllerExists() ||
              lxGetFilterEditsController().FindHelperClass(&TlxTimeEditProperties::kClass) == nullptr);
  lxFreeRegisteredEditProperties();
}

}  // namespace time_edit_properties_test
