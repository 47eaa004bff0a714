#include "editors/text_edit_properties.h"

#include <gtest/gtest.h>

#include <string>

#include "data/variant_utils.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/property.h"

namespace text_edit_properties_test {

// A numeric kind as the spin and currency kinds are: formats apply, and
// thousand separators show while editing when asked for.
class NumericProperties : public TlxCustomTextEditProperties {
 public:
  using TlxCustomTextEditProperties::TlxCustomTextEditProperties;
  bool IsNumericValue() const override { return true; }
  bool ShowsThousandSeparators(bool /*refreshing_display*/) const override { return separators; }
  bool separators = false;
};

// A provider of a currency field.
class CurrencyProvider : public TlxCustomEditDefaultValuesProvider {
 public:
  using TlxCustomEditDefaultValuesProvider::TlxCustomEditDefaultValuesProvider;
  bool HoldsCurrencyValue() const override { return true; }
};

struct ChangeCounter {
  explicit ChangeCounter(TlxCustomEditProperties& properties) {
    properties.SetOwnerChangedHandler([this](TlxCustomEditProperties*) { ++calls; });
  }
  int calls = 0;
};

enum class Kind { kText, kNumeric };

struct ConversionCase {
  const char* name;
  const char* locale;
  Kind kind;
  Variant value;
  bool focused;
  const char* display_format;  // nullptr: not assigned
  const char* edit_format;     // nullptr: not assigned
  bool use_display_format_when_editing;
  bool separators;
  bool currency_provider;
  const char* expected;
};

std::string Convert(const ConversionCase& c) {
  TScopedLocale locale(c.locale);
  NumericProperties numeric(nullptr);
  TlxTextEditProperties text(nullptr);
  CurrencyProvider provider(nullptr);
  TlxCustomTextEditProperties& properties =
      c.kind == Kind::kNumeric ? static_cast<TlxCustomTextEditProperties&>(numeric) : text;
  numeric.separators = c.separators;
  if (c.display_format != nullptr)
    properties.SetDisplayFormat(c.display_format);
  if (c.edit_format != nullptr)
    properties.SetEditFormat(c.edit_format);
  properties.SetUseDisplayFormatWhenEditing(c.use_display_format_when_editing);
  if (c.currency_provider)
    properties.SetDefaultValuesProvider(&provider);
  Variant display;
  properties.EditValueToDisplayValue(c.value, c.focused, display);
  return VarToStr(display);
}

TEST(TextEditPropertiesTest, ConvertsEditValuesToDisplayValuesByKindFocusAndFormat) {
  const Variant pair = lxMakeVariantPair(Variant(1), Variant(2));
  const ConversionCase cases[] = {
      {"text kind: Null", "en-US", Kind::kText, Variant::Null(), false, nullptr, nullptr, false, false, false, ""},
      {"text kind: array", "en-US", Kind::kText, pair, false, nullptr, nullptr, false, false, false, ""},
      {"text kind: integer", "en-US", Kind::kText, Variant(42), true, nullptr, nullptr, false, false, false, "42"},
      {"text kind ignores formats", "en-US", Kind::kText, Variant(1234.5), false, "0.00", nullptr, false, false,
       false, "1234.5"},
      {"numeric: Null", "en-US", Kind::kNumeric, Variant::Null(), false, "0.00", nullptr, false, false, false, ""},
      {"numeric: empty text", "en-US", Kind::kNumeric, Variant(""), true, nullptr, nullptr, false, true, false, ""},
      {"unfocused without format", "en-US", Kind::kNumeric, Variant(1234567.5), false, nullptr, nullptr, false,
       true, false, "1234567.5"},
      {"unfocused display format", "en-US", Kind::kNumeric, Variant(1234567.5), false, "#,##0.00", nullptr, false,
       false, false, "1,234,567.50"},
      {"unfocused display format, German", "de-DE", Kind::kNumeric, Variant(1234567.5), false, "#,##0.00",
       nullptr, false, false, false, "1.234.567,50"},
      {"unfocused text number", "en-US", Kind::kNumeric, Variant("12.5"), false, "0.000", nullptr, false, false,
       false, "12.500"},
      {"focused with separators", "en-US", Kind::kNumeric, Variant(1234567.5), true, nullptr, nullptr, false, true,
       false, "1,234,567.5"},
      {"focused with separators, German", "de-DE", Kind::kNumeric, Variant(1234567.5), true, nullptr, nullptr,
       false, true, false, "1.234.567,5"},
      {"focused without separators", "en-US", Kind::kNumeric, Variant(-1234567.5), true, nullptr, nullptr, false,
       false, false, "-1234567.5"},
      {"focused ignores the display format", "en-US", Kind::kNumeric, Variant(1234.5), true, "#,##0.00", nullptr,
       false, false, false, "1234.5"},
      {"focused uses it when asked", "en-US", Kind::kNumeric, Variant(1234.5), true, "#,##0.00", nullptr, true,
       false, false, "1,234.50"},
      {"focused edit format", "en-US", Kind::kNumeric, Variant(1234.56), true, "#,##0.00", "0.0", false, false,
       false, "1234.6"},
      {"focused text that is no number", "en-US", Kind::kNumeric, Variant("abc"), true, nullptr, nullptr, false,
       true, false, "abc"},
      {"focused currency field", "en-US", Kind::kNumeric, Variant(12.5), true, nullptr, nullptr, false, false, true,
       "12.50"},
      {"focused currency field, German", "de-DE", Kind::kNumeric, Variant(1234.5), true, nullptr, nullptr, false,
       true, true, "1234,50"},
      {"currency field with a display format", "en-US", Kind::kNumeric, Variant(12.5), true, "0.0", nullptr, true,
       false, true, "12.5"},
  };
  for (const ConversionCase& c : cases)
    EXPECT_EQ(Convert(c), c.expected) << c.name;
}

TEST(TextEditPropertiesTest, ANumericKindRefusesValuesThatAreNoNumberButDrawsTheirPlainText) {
  TScopedLocale locale("en-US");
  NumericProperties properties(nullptr);
  Variant display;
  try {
    properties.ConvertToDisplayValue(lxMakeVariantPair(Variant(1), Variant(2)), display, false);
    ADD_FAILURE() << "an array converted";
  } catch (const EConvertError& error) {
    EXPECT_STREQ(error.what(), "Could not convert to numeric value");
  }
  // A stored text the display format cannot read shows as it is.
  properties.SetDisplayFormat("0.00");
  std::string text;
  properties.FormatDisplayText(Variant("n/a"), text, true);
  EXPECT_EQ(text, "n/a");
  properties.FormatDisplayText(Variant(2.5), text, true);
  EXPECT_EQ(text, "2.50");
}

TEST(TextEditPropertiesTest, PasswordEchoAndLetterCasePrepareTheDisplayText) {
  TlxTextEditProperties properties(nullptr);
  struct Case {
    TlxEditEchoMode echo;
    char16_t password_char;
    TEditCharCase char_case;
    const char* text;
    const char* expected;
  } cases[] = {
      {eemPassword, 0, ecNormal, "abc", "***"},
      {eemPassword, u'#', ecNormal, "abc", "###"},
      {eemPassword, 0, ecNormal, "", ""},
      {eemPassword, u'•', ecUpperCase, "äö", "••"},
      {eemNormal, 0, ecUpperCase, "straße äb", "STRAßE ÄB"},
      {eemNormal, 0, ecLowerCase, "ÄBC", "äbc"},
  };
  for (const Case& c : cases) {
    properties.SetEchoMode(c.echo);
    properties.SetPasswordChar(c.password_char);
    properties.SetCharCase(c.char_case);
    std::string text = c.text;
    properties.PrepareDisplayText(text);
    EXPECT_EQ(text, c.expected) << c.text;
  }
}

// A text kind whose editing style can be set, as the combo boxes do.
class ListStyleProperties : public TlxCustomTextEditProperties {
 public:
  using TlxCustomTextEditProperties::TlxCustomTextEditProperties;
  TlxTextEditingStyle GetEditingStyle() const override { return style; }
  TlxTextEditingStyle style = tesFreeText;
};

TEST(TextEditPropertiesTest, ListStylesAcceptOnlyLookupItemsAndCaseConvertWhatTheyAccept) {
  ListStyleProperties properties(nullptr);
  properties.LookupItems()->Add("One");
  properties.LookupItems()->Add("Two");
  struct Case {
    TlxTextEditingStyle style;
    TEditCharCase char_case;
    const char* typed;
    bool accepted;
    const char* stored;
  } cases[] = {
      {tesListText, ecNormal, "two", true, "two"},
      {tesListText, ecNormal, "Three", false, "Three"},
      {tesFixedList, ecNormal, "", true, ""},
      {tesFixedList, ecUpperCase, "one", true, "ONE"},
      {tesFreeText, ecUpperCase, "Three", true, "THREE"},
      {tesFreeText, ecLowerCase, "ÄÖ", true, "äö"},
  };
  for (const Case& c : cases) {
    properties.style = c.style;
    properties.SetCharCase(c.char_case);
    Variant value(c.typed);
    EXPECT_EQ(properties.IsNewTextAcceptable(value, true), c.accepted) << c.typed;
    EXPECT_EQ(VarToStr(value), c.stored) << c.typed;
  }
  // Values that are no text are always valid.
  Variant number(5);
  properties.style = tesListText;
  EXPECT_TRUE(properties.IsEditValueValid(number, false));
}

TEST(TextEditPropertiesTest, BoundsApplyByWhichValuesAreAssigned) {
  struct Case {
    const char* name;
    bool min_assigned;
    double min;
    bool max_assigned;
    double max;
    double value;
    bool fails;
  } cases[] = {
      {"only minimum, below", true, 10, false, 0, 5, true},
      {"only minimum, at it", true, 10, false, 0, 10, false},
      {"only minimum, far above", true, 10, false, 0, 1000, false},
      {"equal bounds are no range", true, 10, true, 10, 5, false},
      {"range, below", true, 0, true, 100, -1, true},
      {"range, above", true, 0, true, 100, 101, true},
      {"range, lower end", true, 0, true, 100, 0, false},
      {"range, upper end", true, 0, true, 100, 100, false},
      {"only maximum, above", false, 0, true, 50, 51, true},
      {"none assigned", false, 0, false, 0, -1e9, false},
  };
  for (const Case& c : cases) {
    NumericProperties properties(nullptr);
    if (c.min_assigned)
      properties.SetMinValue(c.min);
    if (c.max_assigned)
      properties.SetMaxValue(c.max);
    Variant display(c.value);
    std::string error_text;
    bool error = false;
    properties.ValidateDisplayValue(display, error_text, error, nullptr);
    EXPECT_EQ(error, c.fails) << c.name;
    if (c.fails) {
      EXPECT_EQ(error_text, "Value out of bounds") << c.name;
    }
  }
}

TEST(TextEditPropertiesTest, ThousandSeparatorsKeepBlanksSignAndExponent) {
  struct Case {
    const char* locale;
    const char* text;
    const char* expected;
  } cases[] = {
      {"en-US", "1234567", "1,234,567"},
      {"en-US", "-1234", "-1,234"},
      {"en-US", "123", "123"},
      {"en-US", "  12345.67E3 ", "  12,345.67E3 "},
      {"en-US", "1,2,3,4.5", "1,234.5"},
      {"en-US", "1234567.123456", "1,234,567.123456"},
      {"en-US", "   ", "   "},
      {"en-US", "", ""},
      {"de-DE", "1234567,5", "1.234.567,5"},
      {"de-DE", "-12345e-2", "-12.345e-2"},
  };
  for (const Case& c : cases) {
    TScopedLocale locale(c.locale);
    std::string text = c.text;
    lxInsertThousandSeparators(text);
    EXPECT_EQ(text, c.expected) << c.locale << " '" << c.text << "'";
  }
  TScopedLocale locale("de-DE");
  EXPECT_TRUE(lxIsNumberText("1.234,5"));
  EXPECT_FALSE(lxIsNumberText(""));
  EXPECT_FALSE(lxIsNumberText("12a"));
}

TEST(TextEditPropertiesTest, ViewStyleMapsOntoButtonsViewStyleAndHideCursor) {
  TlxTextEditProperties properties(nullptr);
  ChangeCounter counter(properties);
  properties.SetHideCursor(true);
  EXPECT_EQ(properties.ViewStyle(), vsHideCursor);
  EXPECT_EQ(properties.GetEditingStyle(), tesNoEditing);
  EXPECT_FALSE(properties.CanRestoreEditValue());

  counter.calls = 0;
  properties.SetViewStyle(vsButtonsOnly);
  EXPECT_EQ(counter.calls, 1);
  EXPECT_EQ(properties.ButtonsViewStyle(), 1);
  EXPECT_TRUE(properties.HideCursor());
  properties.SetViewStyle(vsButtonsAutoWidth);
  EXPECT_EQ(properties.ViewStyle(), vsButtonsAutoWidth);
  properties.SetViewStyle(vsNormal);
  EXPECT_EQ(properties.ButtonsViewStyle(), 0);
  EXPECT_FALSE(properties.HideCursor());
  EXPECT_EQ(properties.ViewStyle(), vsNormal);
}

TEST(TextEditPropertiesTest, MaxLengthAndFormatsAreStoredOnlyWhenAssigned) {
  TlxTextEditProperties properties(nullptr);
  int max_length_changes = 0;
  struct Recording : TlxTextEditProperties {
    using TlxTextEditProperties::TlxTextEditProperties;
    void MaxLengthChanged() override { ++*count; }
    int* count = nullptr;
  } recording(nullptr);
  recording.count = &max_length_changes;

  EXPECT_EQ(properties.MaxLength(), 0);
  EXPECT_FALSE(properties.MaxLengthNeedsStoring());
  properties.SetMaxLength(-5);
  EXPECT_EQ(properties.MaxLength(), 0);
  EXPECT_TRUE(properties.AssignedTextValues()->MaxLength());

  recording.SetMaxLength(4);
  recording.SetMaxLength(4);
  EXPECT_EQ(max_length_changes, 1);
  recording.AssignedTextValues()->SetMaxLength(false);
  EXPECT_EQ(max_length_changes, 2);
  EXPECT_EQ(recording.MaxLength(), 0);

  // The flag is stored only while the text is empty; a text marks it.
  properties.SetDisplayFormat("");
  EXPECT_TRUE(properties.AssignedTextValues()->DisplayFormat());
  EXPECT_FALSE(properties.AssignedTextValues()->DisplayFormatNeedsStoring())
      << "the text kind does not publish DisplayFormat";
  properties.ReadIsDisplayFormatAssigned(false);
  EXPECT_FALSE(properties.AssignedTextValues()->DisplayFormat());

  const TPropInfo* max_length = TlxTextEditProperties::kClass.Properties().Find("MaxLength");
  ASSERT_NE(max_length, nullptr);
  ASSERT_TRUE(max_length->Stored);
  EXPECT_TRUE(max_length->Stored(properties));
  EXPECT_FALSE(max_length->Stored(TlxTextEditProperties(nullptr)));
}

TEST(TextEditPropertiesTest, CopyingTakesSettingsItemsAndOnlyAssignedFormats) {
  TlxTextEditProperties source(nullptr);
  source.SetCharCase(ecUpperCase);
  source.SetEchoMode(eemPassword);
  source.SetPasswordChar(u'#');
  source.SetMaxLength(7);
  source.SetEditFormat("0.0");
  source.LookupItems()->Add("b");
  source.LookupItems()->Add("a");
  source.SetLookupItemsSorted(true);
  source.SetImmediateUpdateText(true);

  TlxTextEditProperties target(nullptr);
  target.SetDisplayFormat("0.00");
  ChangeCounter counter(target);
  target.Assign(&source);
  EXPECT_EQ(counter.calls, 1);
  EXPECT_EQ(target.CharCase(), ecUpperCase);
  EXPECT_EQ(target.EchoMode(), eemPassword);
  EXPECT_EQ(target.PasswordChar(), u'#');
  EXPECT_EQ(target.MaxLength(), 7);
  EXPECT_TRUE(target.AssignedTextValues()->EditFormat());
  EXPECT_FALSE(target.AssignedTextValues()->DisplayFormat());
  EXPECT_EQ(target.DisplayFormat(), "");
  EXPECT_TRUE(target.ImmediateUpdateText());
  ASSERT_EQ(target.LookupItems()->Count(), 2);
  EXPECT_TRUE(target.LookupItemsSorted());
  EXPECT_EQ(target.LookupItems()->Line(0), "a");
}

TEST(TextEditPropertiesTest, EqualityComparesPreparedDisplayTexts) {
  TlxTextEditProperties properties(nullptr);
  EXPECT_FALSE(properties.EditValuesEqual(Variant("abc"), Variant("ABC")));
  properties.SetCharCase(ecUpperCase);
  EXPECT_TRUE(properties.EditValuesEqual(Variant("abc"), Variant("ABC")));
  EXPECT_TRUE(properties.EditValuesEqual(Variant(5), Variant("5")));
}

TEST(TextEditPropertiesTest, ARegionalChangeReachesTheOwnerMarkedAsAFormatChange) {
  TlxTextEditProperties properties(nullptr);
  bool seen_as_format_change = false;
  properties.SetOwnerChangedHandler([&](TlxCustomEditProperties* changed) {
    seen_as_format_change = static_cast<TlxCustomTextEditProperties*>(changed)->IsFormatChanging();
  });
  {
    TScopedLocale locale("de-DE");
    EXPECT_TRUE(seen_as_format_change);
  }
  EXPECT_FALSE(properties.IsFormatChanging());
  properties.SetOEMConvert(true);
  EXPECT_FALSE(seen_as_format_change);
}

TEST(TextEditPropertiesTest, IncrementalLookupAndCapabilities) {
  ListStyleProperties properties(nullptr);
  EXPECT_TRUE(properties.IsIncrementalLookupActive());
  properties.SetIncrementalSearch(false);
  EXPECT_FALSE(properties.IsIncrementalLookupActive());
  properties.style = tesFixedList;
  EXPECT_TRUE(properties.IsIncrementalLookupActive());
  EXPECT_EQ(properties.GetEditCapabilities() & 0x15Eu, 0x15Eu);
}

}  // namespace text_edit_properties_test
