#include "editors/kinds/date_edit_properties.h"

#include <gtest/gtest.h>

#include "editors/edit_strings.h"
#include "platform/rtl/clock.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"

namespace date_edit_properties_test {

TDateTime At(int y, int m, int d, int h = 0, int n = 0, int s = 0) { return EncodeDate(y, m, d) + EncodeTime(h, n, s, 0); }

class DateEditPropertiesTest : public ::testing::Test {
 protected:
  TScopedLocale german_{"de-DE"};
  TScopedClock clock_{At(2026, 12, 11, 9, 15, 30)};
  TlxDateEditProperties properties{nullptr};

  std::string Display(const Variant& value, bool focused = false) {
    Variant display;
    properties.ConvertToDisplayValue(value, display, focused);
    return VarToStr(display);
  }
};

TEST_F(DateEditPropertiesTest, FileListDatesShowTheTimeUnlessItIsMidnight) {
  EXPECT_EQ(Display(Variant::FromDate(At(2009, 3, 3, 14, 5, 9))), "03.03.2009 14:05:09");
  EXPECT_EQ(Display(Variant::FromDate(At(2009, 3, 3))), "03.03.2009");
  EXPECT_EQ(Display(Variant(At(2009, 3, 3, 14, 5, 9))), "03.03.2009 14:05:09");  // a plain number
  EXPECT_EQ(Display(Variant::Null()), "");
  EXPECT_EQ(Display(Variant(NullDate)), "");
  properties.SetShowTime(false);
  EXPECT_EQ(Display(Variant::FromDate(At(2009, 3, 3, 14, 5, 9))), "03.03.2009");
  properties.SetKind(ckDateTime);
  EXPECT_EQ(Display(Variant::FromDate(At(2009, 3, 3, 14, 5, 9))), "03.03.2009 14:05:09");
}

TEST_F(DateEditPropertiesTest, ValuesThatAreNoDatesPaintAsTheirText) {
  EXPECT_THROW(Display(Variant("kein Datum")), EConvertError);
  EXPECT_THROW(Display(Variant(true)), EConvertError);
  std::string text;
  properties.FormatDisplayText(Variant("kein Datum"), text, true);
  EXPECT_EQ(text, "kein Datum");
  properties.FormatDisplayText(Variant("3.3.2009"), text, true);
  EXPECT_EQ(text, "03.03.2009");
}

TEST_F(DateEditPropertiesTest, TypedTextReadsAsADateOrNull) {
  const struct {
    const char* text;
    TDateTime date;  // NullDate: Null
  } cases[] = {
      {"3.3.2009", At(2009, 3, 3)},
      {"03.03.2009 14:05:09", At(2009, 3, 3, 14, 5, 9)},
      {"31.12.9999", At(9999, 12, 31)},
      {"1.1.0100", At(100, 1, 1)},
      {"1.1.0099", NullDate},
      {"1.1.10000", NullDate},
      {"", NullDate},
      {"garbage", NullDate},
      {"1e400", NullDate},
      {"-", NullDate},
      {"32.1.2009", NullDate},
  };
  for (const auto& c : cases) {
    const Variant value = properties.TextToDateValue(c.text);
    if (c.date == NullDate) {
      EXPECT_TRUE(value.IsNull()) << c.text;
    } else {
      ASSERT_FALSE(value.IsNull()) << c.text;
      EXPECT_EQ(value.AsDateTime(), c.date) << c.text;
    }
  }
}

TEST_F(DateEditPropertiesTest, DateOnErrorDecidesWhatGarbageBecomes) {
  const struct {
    TDateOnError on_error;
    TlxCalendarKind kind;
    bool passes;
    Variant value;
  } cases[] = {
      {deToday, ckDate, true, Variant::FromDate(At(2026, 12, 11))},
      {deToday, ckDateTime, true, Variant::FromDate(At(2026, 12, 11, 9, 15, 30))},
      {deNull, ckDate, true, Variant::Null()},
      {deNoChange, ckDate, false, Variant::FromDate(At(2000, 1, 1))},
  };
  for (const auto& c : cases) {
    properties.SetDateOnError(c.on_error);
    properties.SetKind(c.kind);
    TlxDateEditValues values(properties);
    values.StoreEditValue(Variant::FromDate(At(2000, 1, 1)));
    std::string error_text;
    EXPECT_EQ(values.ValidateText("garbage", error_text), c.passes) << c.on_error;
    if (!c.passes) {
      EXPECT_EQ(error_text, "Invalid Date");
    }
    EXPECT_EQ(values.EditValue().IsNull(), c.value.IsNull()) << c.on_error;
    if (!c.value.IsNull()) {
      EXPECT_EQ(values.EditValue().AsDateTime(), c.value.AsDateTime()) << c.on_error;
    }
  }
}

TEST_F(DateEditPropertiesTest, ADateOnlyEditorKeepsTheTimeItWasGiven) {
  TlxDateEditValues values(properties);
  values.StoreEditValue(Variant::FromDate(At(2010, 5, 1, 10, 30)));
  EXPECT_NEAR(values.SavedTime(), EncodeTime(10, 30, 0, 0), 1e-9);
  values.SetDate(At(2010, 5, 2));
  EXPECT_NEAR(values.Date(), At(2010, 5, 2, 10, 30), 1e-9);
  std::string error_text;
  ASSERT_TRUE(values.ValidateText("3.5.2010", error_text));
  EXPECT_NEAR(values.Date(), At(2010, 5, 3, 10, 30), 1e-9);
  // Without SaveTime the day alone is stored.
  properties.SetSaveTime(false);
  values.SetDate(At(2010, 5, 4));
  EXPECT_EQ(values.Date(), At(2010, 5, 4));
}

TEST_F(DateEditPropertiesTest, ClearingGivesNullAlsoWithASavedTime) {
  TlxDateEditValues values(properties);
  values.StoreEditValue(Variant::FromDate(At(2010, 5, 1, 10, 30)));
  std::string error_text;
  ASSERT_TRUE(values.ValidateText("", error_text));
  EXPECT_TRUE(values.EditValue().IsNull());
  EXPECT_EQ(values.SavedTime(), 0);
  EXPECT_TRUE(values.Modified());
  EXPECT_EQ(values.Date(), NullDate);
}

TEST_F(DateEditPropertiesTest, BoundsOfZeroAreUnset) {
  const struct {
    TDateTime min_date;
    TDateTime max_date;
    bool min_applies;
    bool max_applies;
  } cases[] = {
      {0, At(2010, 1, 1), false, true},
      {At(2010, 1, 1), 0, true, false},
      {At(2010, 1, 1), At(2011, 1, 1), true, true},
      {At(2011, 1, 1), At(2010, 1, 1), false, false},
      {0, 0, false, false},
  };
  for (const auto& c : cases) {
    properties.SetMinDate(c.min_date);
    properties.SetMaxDate(c.max_date);
    EXPECT_EQ(properties.IsValueBoundSet(0), c.min_applies);
    EXPECT_EQ(properties.IsValueBoundSet(1), c.max_applies);
    EXPECT_EQ(properties.HasValueBounds(), c.min_applies || c.max_applies);
  }
  properties.SetMinDate(0);
  properties.SetMaxDate(At(2010, 1, 1));
  TlxDateEditValues values(properties);
  std::string error_text;
  EXPECT_FALSE(values.ValidateText("2.1.2010", error_text));
  EXPECT_EQ(error_text, lxEditResString(lxSEditValueOutOfBounds));
  EXPECT_TRUE(values.ValidateText("1.1.1900", error_text));
}

TEST_F(DateEditPropertiesTest, TheInputKindFollowsTheKindUntilAssigned) {
  EXPECT_EQ(properties.InputKind(), ikRegExpr);
  EXPECT_EQ(properties.MaskKind(), emkRegExprEx);
  EXPECT_EQ(properties.EditMask(), lxGetFormatController().DateRegExprMask());
  EXPECT_EQ(properties.DateButtons(), lxDateButton(btnClear) | lxDateButton(btnToday));
  properties.SetKind(ckDateTime);
  EXPECT_EQ(properties.InputKind(), ikMask);
  EXPECT_EQ(properties.MaskKind(), emkStandard);
  EXPECT_EQ(properties.EditMask(), lxGetFormatController().StandardDateTimeMask());
  EXPECT_EQ(properties.DateButtons(), lxDateButton(btnClear) | lxDateButton(btnNow));
  properties.SetInputKind(ikStandard);
  EXPECT_FALSE(properties.IsMasked());
  EXPECT_TRUE(properties.InputKindNeedsStoring());
}

TEST_F(DateEditPropertiesTest, AnEmptyMaskedDateTimeShowsAZeroTime) {
  properties.SetKind(ckDateTime);
  const std::string empty = properties.EmptyEditText(true);
  ASSERT_FALSE(empty.empty());
  EXPECT_EQ(empty.substr(empty.size() - 8), "00:00:00") << empty;
  EXPECT_EQ(empty[0], ' ') << empty;
  EXPECT_EQ(properties.GetBlankCharAt(1), u' ');
  TlxDateEditTimeItem item;
  ASSERT_TRUE(properties.GetTimeItemAt(static_cast<int32_t>(empty.size()), item));
  EXPECT_EQ(item.Kind, 2);
  EXPECT_TRUE(item.Use24HourFormat);
  EXPECT_FALSE(properties.GetTimeItemAt(1, item));
  EXPECT_EQ(properties.TextToDateValue(empty).IsNull(), true);
  EXPECT_EQ(Display(Variant::FromDate(At(2009, 3, 3)), true), "03.03.2009 00:00:00");
}

TEST_F(DateEditPropertiesTest, TheFocusedTextShowsTheTimeByKindAndInputKind) {
  const TDateTime with_time = At(2009, 3, 3, 14, 5, 9);
  EXPECT_EQ(Display(Variant::FromDate(with_time), true), "03.03.2009");
  properties.SetInputKind(ikStandard);
  EXPECT_EQ(Display(Variant::FromDate(with_time), true), "03.03.2009 14:05:09");
  properties.SetShowTime(false);
  EXPECT_EQ(Display(Variant::FromDate(with_time), true), "03.03.2009");
}

TEST_F(DateEditPropertiesTest, TheFilterOperandReadsRegularExpressionsAndOffersRelativeDates) {
  const TlxFilterDateEditHelper& helper = StatelessInstance<TlxFilterDateEditHelper>();
  TlxFilterConditionOperators operators;
  helper.GetSupportedOperators(&properties, nullptr, operators, true);
  EXPECT_TRUE(operators.Contains(fcoYesterday));
  EXPECT_TRUE(operators.Contains(fcoFuture));
  EXPECT_FALSE(operators.Contains(fcoLike));
  helper.GetSupportedOperators(&properties, nullptr, operators, false);
  EXPECT_FALSE(operators.Contains(fcoBetween));

  properties.SetKind(ckDateTime);
  TlxDateEditProperties operand(nullptr);
  helper.InitValueEditorProperties(&operand, &properties, false);
  EXPECT_EQ(operand.DateOnError(), deNull);
  EXPECT_EQ(operand.InputKind(), ikRegExpr);
  EXPECT_EQ(operand.DateButtons(), lxDateButton(btnClear) | lxDateButton(btnToday));
  EXPECT_EQ(operand.Kind(), ckDateTime);
}

TEST_F(DateEditPropertiesTest, AssignCopiesOnlyAssignedButtonsAndInputKind) {
  TlxDateEditProperties source(nullptr);
  source.SetKind(ckDateTime);
  source.SetWeekNumbers(true);
  source.SetDateOnError(deToday);
  properties.SetInputKind(ikStandard);
  properties.Assign(&source);
  EXPECT_EQ(properties.Kind(), ckDateTime);
  EXPECT_TRUE(properties.WeekNumbers());
  EXPECT_EQ(properties.DateOnError(), deToday);
  EXPECT_FALSE(properties.InputKindNeedsStoring());
  EXPECT_EQ(properties.InputKind(), ikMask);
}

TEST_F(DateEditPropertiesTest, TheModuleRegistersTheKindAndItsFilterHelper) {
  lxDateEditModuleStart();
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxDateEditProperties"), &TlxDateEditProperties::kClass);
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&TlxDateEditProperties::kClass),
            &StatelessInstance<TlxFilterDateEditHelper>());
  lxDateEditModuleEnd();
}

}  // namespace date_edit_properties_test
