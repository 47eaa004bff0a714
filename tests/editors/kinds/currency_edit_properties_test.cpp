#include "editors/kinds/currency_edit_properties.h"

#include <gtest/gtest.h>

#include <cmath>

#include "editors/edit_strings.h"
#include "platform/rtl/locale.h"

namespace currency_edit_properties_test {

class CurrencyEditPropertiesTest : public ::testing::Test {
 protected:
  TScopedLocale german_{"de-DE"};
  TlxCurrencyEditProperties properties{nullptr};

  std::string Display(const Variant& value, bool focused = false) {
    Variant display;
    properties.ConvertToDisplayValue(value, display, focused);
    return VarToStr(display);
  }
};

TEST_F(CurrencyEditPropertiesTest, FileListSizesShowGroupedWithUpToThreeDecimals) {
  properties.SetDisplayFormat("0,.###");
  const struct {
    double size;
    const char* text;
  } cases[] = {{1234567, "1.234.567"}, {1536.5, "1.536,5"}, {0, "0"}, {999, "999"}, {1000, "1.000"},
               {0.1235, "0,124"},     {-2500.25, "-2.500,25"}};
  for (const auto& c : cases)
    EXPECT_EQ(Display(Variant(c.size)), c.text) << c.size;
  // The grid's path, which never raises.
  std::string text;
  properties.FormatDisplayText(Variant(1234567.0), text, true);
  EXPECT_EQ(text, "1.234.567");
}

TEST_F(CurrencyEditPropertiesTest, TheParserDropsSeparatorsAndKeepsToTheDoubleRange) {
  const struct {
    const char* text;
    bool ok;
    double number;
  } cases[] = {
      {"", true, 0},          {"1.234,5", true, 1234.5}, {"1.2.3", true, 123},   {"-12,25", true, -12.25},
      {"1,5E3", true, 1500},  {"0e999", true, 0},        {"1,7e308", true, 1.7e308},
      {"5e-324", true, 5e-324}, {"1e400", false, 0},     {"1,8e308", false, 0},  {"4e-324", false, 0},
      {"1e-400", false, 0},   {"-", false, 0},           {"abc", false, 0},      {"1,2,3", false, 0},
      {"1e", false, 0},       {".", true, 0},
  };
  for (const auto& c : cases) {
    double number = 42;
    EXPECT_EQ(TlxCustomCurrencyEditProperties::TryParseCurrencyText(c.text, number), c.ok) << c.text;
    EXPECT_EQ(number, c.number) << c.text;
  }
}

TEST_F(CurrencyEditPropertiesTest, BlankAndUnreadableValuesShowByFocusAndNullable) {
  properties.SetNullString("(leer)");
  EXPECT_EQ(Display(Variant::Null()), "(leer)");
  EXPECT_EQ(Display(Variant(std::string())), "(leer)");
  EXPECT_EQ(Display(Variant::Null(), true), "");
  properties.SetNullable(false);
  properties.SetDisplayFormat("0.00");
  EXPECT_EQ(Display(Variant::Null()), "0,00");
  // A stored text that is no number shows as it is, or empty while editing.
  EXPECT_EQ(Display(Variant("abc")), "abc");
  EXPECT_EQ(Display(Variant("abc"), true), "");
}

TEST_F(CurrencyEditPropertiesTest, TheDisplayFormatDefaultsToTheRegionalCurrencyFormat) {
  std::string format;
  properties.GetDefaultDisplayFormat(format);
  EXPECT_FALSE(format.empty());
  EXPECT_EQ(properties.DisplayFormat(), format);
  EXPECT_NE(Display(Variant(1234.5)).find("1.234,50"), std::string::npos) << Display(Variant(1234.5));
}

TEST_F(CurrencyEditPropertiesTest, TypedTextBecomesANumberNullOrZero) {
  properties.SetNullString("n/a");
  const struct {
    const char* text;
    bool nullable;
    Variant value;
  } cases[] = {
      {"12,5", true, Variant(12.5)},     {"", true, Variant::Null()},       {"n/a", true, Variant::Null()},
      {"x", true, Variant::Null()},      {"", false, Variant(Currency())},  {"1e400", false, Variant(Currency())},
      {"1.000", false, Variant(1000.0)},
  };
  for (const auto& c : cases) {
    properties.SetNullable(c.nullable);
    const Variant value = lxCurrencyTextToEditValue(properties, c.text);
    EXPECT_EQ(value.Type(), c.value.Type()) << c.text;
    if (!value.IsNull()) {
      EXPECT_EQ(value.AsDouble(), c.value.AsDouble()) << c.text;
    }
  }
}

TEST_F(CurrencyEditPropertiesTest, ValueReadsStringsThroughTheCurrencyParser) {
  EXPECT_EQ(lxCurrencyValueOf(Variant("1e20")), 1e20);
  EXPECT_EQ(lxCurrencyValueOf(Variant("1.234,5")), 1234.5);
  EXPECT_EQ(lxCurrencyValueOf(Variant("letters")), 0);
  EXPECT_EQ(lxCurrencyValueOf(Variant::Null()), 0);
  EXPECT_EQ(lxCurrencyValueOf(Variant(int32_t{7})), 7);
}

TEST_F(CurrencyEditPropertiesTest, TypedCharactersPassTheDecimalsCheck) {
  properties.SetDecimalPlaces(2);
  const struct {
    const char* text;
    size_t start;
    size_t length;
    char16_t ch;
    bool accepted;
  } cases[] = {
      {"1,23", 4, 0, u'4', false},  // a third decimal
      {"1,23", 3, 1, u'4', true},   // replaces one
      {"1,5E1", 5, 0, u'0', true},  // exponent digits do not count
      {"", 0, 0, u'-', true},       // a lone minus may start a number
      {"1", 1, 0, u'e', false},     // "1e" does not parse
      {"12", 2, 0, u',', true},
      {"12", 2, 0, u'.', false},    // the thousand separator, not allowed here
      {"12", 2, 0, u'x', false},
      {"5", 0, 1, u'-', true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(lxCurrencyEditAcceptsChar(properties, c.text, c.start, c.length, c.ch), c.accepted)
        << c.text << " + " << static_cast<char>(c.ch);
  properties.SetUseThousandSeparator(true);
  EXPECT_TRUE(lxCurrencyEditAcceptsChar(properties, "12", 2, 0, u'.'));
}

TEST_F(CurrencyEditPropertiesTest, TypedSeparatorsMapToTheDecimalSeparator) {
  EXPECT_EQ(lxCurrencyEditMapKey(properties, u'.'), u',');
  EXPECT_EQ(lxCurrencyEditMapKey(properties, u','), u',');
  EXPECT_EQ(lxCurrencyEditMapKey(properties, u'7'), u'7');
  properties.SetUseThousandSeparator(true);
  EXPECT_EQ(lxCurrencyEditMapKey(properties, u'.'), u'.');
}

TEST_F(CurrencyEditPropertiesTest, DecimalPlacesFollowTheRegionUntilAssigned) {
  EXPECT_EQ(properties.DecimalPlaces(), UserLocale().Settings().CurrencyDecimals);
  EXPECT_FALSE(properties.DecimalPlacesNeedsStoring());
  properties.SetDecimalPlaces(4);
  EXPECT_EQ(properties.DecimalPlaces(), 4);
  EXPECT_TRUE(properties.DecimalPlacesNeedsStoring());
  properties.AssignedCurrencyValues()->RestoreDefaults();
  EXPECT_EQ(properties.DecimalPlaces(), UserLocale().Settings().CurrencyDecimals);
}

TEST_F(CurrencyEditPropertiesTest, ValuesAreClampedToTheBoundsThatApply) {
  properties.SetMinValue(10);
  properties.SetMaxValue(20);
  EXPECT_EQ(lxClampCurrencyValue(properties, 5), 10);
  EXPECT_EQ(lxClampCurrencyValue(properties, 25), 20);
  EXPECT_EQ(lxClampCurrencyValue(properties, 15), 15);
}

TEST_F(CurrencyEditPropertiesTest, ValidationRefusesTextThatDoesNotParse) {
  for (const char* text : {"abc", "1e400", "-"}) {
    Variant display(text);
    std::string error_text;
    bool error = false;
    properties.ValidateDisplayValue(display, error_text, error, nullptr);
    EXPECT_TRUE(error) << text;
    EXPECT_FALSE(error_text.empty()) << text;
  }
  Variant display("1.234,5");
  std::string error_text;
  bool error = false;
  properties.ValidateDisplayValue(display, error_text, error, nullptr);
  EXPECT_FALSE(error);
}

TEST_F(CurrencyEditPropertiesTest, FocusedTextMustParseAndIsTrimmed) {
  Variant value("  12,5 ");
  EXPECT_TRUE(properties.IsNewTextAcceptable(value, true));
  EXPECT_EQ(value.AsString(), "12,5");
  Variant bad("12x");
  EXPECT_FALSE(properties.IsNewTextAcceptable(bad, true));
  EXPECT_TRUE(properties.IsNewTextAcceptable(bad, false));
}

TEST_F(CurrencyEditPropertiesTest, AssignCopiesTheCurrencySettings) {
  TlxCurrencyEditProperties source(nullptr);
  source.SetDecimalPlaces(3);
  source.SetNullable(false);
  source.SetNullString("-");
  source.SetUseThousandSeparator(true);
  properties.Assign(&source);
  EXPECT_EQ(properties.DecimalPlaces(), 3);
  EXPECT_TRUE(properties.DecimalPlacesNeedsStoring());
  EXPECT_FALSE(properties.Nullable());
  EXPECT_EQ(properties.NullString(), "-");
  EXPECT_TRUE(properties.UseThousandSeparator());
  EXPECT_TRUE(properties.ShowsThousandSeparators(false));
  EXPECT_FALSE(properties.ShowsThousandSeparators(true));
}

TEST_F(CurrencyEditPropertiesTest, TheFilterOperandHasNoBoundsAndNoLikeOperators) {
  const TlxFilterCurrencyEditHelper& helper = StatelessInstance<TlxFilterCurrencyEditHelper>();
  TlxFilterConditionOperators operators;
  helper.GetSupportedOperators(&properties, nullptr, operators, false);
  EXPECT_TRUE(operators.Contains(fcoGreaterEqual));
  EXPECT_FALSE(operators.Contains(fcoLike));
  EXPECT_FALSE(operators.Contains(fcoBetween));
  helper.GetSupportedOperators(&properties, nullptr, operators, true);
  EXPECT_TRUE(operators.Contains(fcoNotInList));
  EXPECT_FALSE(operators.Contains(fcoNotLike));

  properties.SetMinValue(1);
  properties.SetMaxValue(9);
  properties.SetNullable(false);
  properties.SetNullString("x");
  TlxCurrencyEditProperties operand(nullptr);
  helper.InitValueEditorProperties(&operand, &properties, false);
  EXPECT_FALSE(operand.HasValueBounds());
  EXPECT_TRUE(operand.Nullable());
  EXPECT_EQ(operand.NullString(), "");
}

TEST_F(CurrencyEditPropertiesTest, TheModuleRegistersTheKindAndItsFilterHelper) {
  lxCurrencyEditModuleStart();
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxCurrencyEditProperties"),
            &TlxCurrencyEditProperties::kClass);
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&TlxCurrencyEditProperties::kClass),
            &StatelessInstance<TlxFilterCurrencyEditHelper>());
  lxCurrencyEditModuleEnd();
  EXPECT_FALSE(lxFilterEditsControllerExists() &&
               lxGetFilterEditsController().FindHelperClass(&TlxCurrencyEditProperties::kClass) ==
                   &StatelessInstance<TlxFilterCurrencyEditHelper>());
}

}  // namespace currency_edit_properties_test
