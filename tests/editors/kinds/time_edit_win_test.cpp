// The time edit on a real form: typing into the hour field with its
// corrections, 12-hour texts with and without designators, spinning the
// field under the caret (also round midnight), a short text set through
// WM_SETTEXT, and a value that does not convert.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editors/edit_strings.h"
#include "editors/kinds/time_edit_win.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace time_edit_win_test {

using edit_test::EditForm;

// The English table locale with other designators.
class LocaleWithDesignators : public TLocale {
 public:
  LocaleWithDesignators(std::unique_ptr<TLocale> english, TFormatSettings settings)
      : TLocale("en-US", std::move(settings), english->DateItems()), english_(std::move(english)) {}
  std::u16string UpperCase(std::u16string_view text) const override { return english_->UpperCase(text); }
  std::u16string LowerCase(std::u16string_view text) const override { return english_->LowerCase(text); }
  int Compare(std::u16string_view a, std::u16string_view b, TCompareCase mode) const override {
    return english_->Compare(a, b, mode);
  }

 private:
  std::unique_ptr<TLocale> english_;
};

// The English table locale with the given designators while a test runs,
// the 12-hour masks rebuilt from it.
class DesignatorLocale {
 public:
  DesignatorLocale(const char* am, const char* pm) : earlier_(UserLocale()) {
    std::unique_ptr<TLocale> english = CreateTableLocale("en-US");
    TFormatSettings settings = english->Settings();
    settings.TimeAMString = am;
    settings.TimePMString = pm;
    settings.TimeSeparator = ':';
    SetUserLocale(std::make_unique<LocaleWithDesignators>(std::move(english), settings));
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

HWND InnerWindow(TlxCustomTimeEdit* edit) { return edit->GetInnerTextEdit()->GetControl()->Handle(); }

void Type(TlxCustomTimeEdit* edit, const std::string& text) {
  test_support::SendText(InnerWindow(edit), text);
  test_support::PumpMessagesUntilIdle();
}

void Key(TlxCustomTimeEdit* edit, UINT key) {
  test_support::SendKey(InnerWindow(edit), key);
  test_support::PumpMessagesUntilIdle();
}

void CaretAt(TlxCustomTimeEdit* edit, int32_t position) {
  Key(edit, VK_HOME);
  for (int32_t i = 0; i < position; ++i)
    Key(edit, VK_RIGHT);
}

// A time edit at a time of day (seconds since midnight), focused.
struct TimeForm {
  explicit TimeForm(double seconds, bool use_24_hours = true) {
    fixture.edit->GetProperties()->SetUse24HourFormat(use_24_hours);
    fixture.edit->SetTime(seconds / 86400.0);
    fixture.FocusEdit();
  }
  TlxTimeEdit* edit() const { return fixture.edit; }
  EditForm<TlxTimeEdit> fixture;
};

TEST(TimeEditControlTest, TypedHourDigitsAreCorrectedIntoTheirRange) {
  DesignatorLocale locale("AM", "PM");
  struct Case {
    const char* typed;
    const char* hours;
  } cases[] = {
      {"2", "20"},   // "2" over "00" stays
      {"25", "05"},  // "5" after "2" is no hour: the first digit becomes 0
      {"19", "19"},
      {"7", "07"},  // above the first digit of 23: 0 goes first
  };
  for (const Case& c : cases) {
    TimeForm time(0);
    CaretAt(time.edit(), 0);
    Type(time.edit(), c.typed);
    EXPECT_EQ(time.edit()->ShownText().substr(0, 2), c.hours) << c.typed;
    EXPECT_EQ(time.edit()->BeepCount(), 0) << c.typed << ": a correction makes no sound";
  }
}

TEST(TimeEditControlTest, TwelveHourTextsReadTheirDesignator) {
  DesignatorLocale locale("AM", "PM");
  TimeForm noon(45000, false);
  EXPECT_EQ(noon.edit()->ShownText(), "12:30:00 PM");
  EXPECT_EQ(noon.edit()->GetValue().AsDouble(), 45000);
  TimeForm night(1800, false);
  EXPECT_EQ(night.edit()->ShownText(), "12:30:00 AM");
  EXPECT_EQ(night.edit()->GetValue().AsDouble(), 1800);
}

TEST(TimeEditControlTest, SpinningTheDesignatorSwapsAmAndPm) {
  DesignatorLocale locale("AM", "PM");
  TimeForm time(23 * 3600, false);
  ASSERT_EQ(time.edit()->ShownText(), "11:00:00 PM");
  CaretAt(time.edit(), 9);
  time.edit()->DoSpin(TlxCustomSpinEdit::kButtonUp);
  EXPECT_EQ(time.edit()->ShownText(), "11:00:00 AM");
  EXPECT_EQ(time.edit()->GetValue().AsDouble(), 11 * 3600);
}

TEST(TimeEditControlTest, AnEmptyPmDesignatorNeverMatches) {
  DesignatorLocale locale("", "");
  TimeForm time(11 * 3600, false);
  EXPECT_EQ(time.edit()->ShownText(), "11:00:00");
  EXPECT_EQ(time.edit()->GetValue().AsDouble(), 11 * 3600) << "no designator: no 12 hours added";
}

TEST(TimeEditControlTest, SpinStepsTheFieldAtTheCaretAndWrapsOnlyWhenCircular) {
  DesignatorLocale locale("AM", "PM");
  {
    TimeForm time(23 * 3600 + 59 * 60 + 59);
    CaretAt(time.edit(), 7);
    time.edit()->DoSpin(TlxCustomSpinEdit::kButtonUp);
    EXPECT_EQ(time.edit()->ShownText(), "23:59:59") << "without Circular the step is refused";
  }
  {
    TimeForm time(23 * 3600 + 59 * 60 + 59);
    time.edit()->GetProperties()->SetCircular(true);
    CaretAt(time.edit(), 7);
    time.edit()->DoSpin(TlxCustomSpinEdit::kButtonUp);
    EXPECT_EQ(time.edit()->ShownText(), "00:00:00");
  }
  {
    TimeForm time(3600);
    CaretAt(time.edit(), 3);
    time.edit()->DoSpin(TlxCustomSpinEdit::kButtonFastUp);
    EXPECT_EQ(time.edit()->ShownText(), "01:10:00") << "the fast button steps minutes by ten";
    IlxInnerTextEdit* inner = time.edit()->GetInnerTextEdit();
    EXPECT_EQ(inner->GetSelStart(), 4) << "the stepped field's second digit is marked";
    EXPECT_EQ(inner->GetSelLength(), 1);
  }
}

TEST(TimeEditControlTest, AShortTextThroughWmSetTextReadsMissingFieldsAsZero) {
  DesignatorLocale locale("AM", "PM");
  TimeForm time(3600);
  SendMessageW(time.edit()->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"7"));
  test_support::PumpMessagesUntilIdle();
  const double seconds = time.edit()->GetValue().AsDouble();
  EXPECT_GE(seconds, 0);
  EXPECT_LT(seconds, 86400);
}

TEST(TimeEditControlTest, AValueThatDoesNotConvertShowsTheEmptyText) {
  DesignatorLocale locale("AM", "PM");
  EditForm<TlxTimeEdit> fixture;
  Variant display;
  fixture.edit->GetProperties()->ConvertToDisplayValue(Variant("keine Zeit"), display, false);
  EXPECT_EQ(VarToStr(display), "");
}

TEST(TimeEditControlTest, SettingTheTimeKeepsTheDate) {
  DesignatorLocale locale("AM", "PM");
  EditForm<TlxTimeEdit> fixture;
  const double may_first_eight = 43952 + 8.0 / 24;  // 2020-05-01 08:00
  fixture.edit->SetEditValue(Variant::FromDate(may_first_eight));
  fixture.edit->SetTime(0.75);
  EXPECT_NEAR(fixture.edit->EditValue().AsDouble(), 43952.75, 1e-9);
}

TEST(TimeEditKindTest, TheKindMakesATimeEditAndItsFilterHelperToo) {
  TlxTimeEditProperties properties(nullptr);
  EXPECT_EQ(properties.GetEditControlClass(), &TlxTimeEdit::kClass);
  TlxFilterTimeEditHelper helper;
  EXPECT_EQ(helper.GetValueEditorClass(), &TlxTimeEdit::kClass);
}

}  // namespace time_edit_win_test
