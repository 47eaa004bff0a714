#include "editors/kinds/spin_edit_properties.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/edit_strings.h"
#include "platform/rtl/memory_stream.h"

namespace spin_edit_properties_test {

constexpr int64_t kMin64 = std::numeric_limits<int64_t>::min();
constexpr int64_t kMax64 = std::numeric_limits<int64_t>::max();

// --- one spin step --------------------------------------------------------------------------------

struct StepCase {
  const char* name;
  TlxSpinEditValueType type;
  TlxSpinBoundsMode mode;
  Variant min_value;
  Variant max_value;
  Variant value;
  Variant delta;
  bool up;
  bool steps;
  Variant expected;
};

TEST(SpinStepTest, StepsStopsRefusesAndWrapsAtTheBounds) {
  const StepCase cases[] = {
      {"inside", vtInt, sbmStop, int64_t{0}, int64_t{10}, int64_t{4}, int64_t{3}, true, true, int64_t{7}},
      {"stops at max", vtInt, sbmStop, int64_t{0}, int64_t{10}, int64_t{9}, int64_t{3}, true, true, int64_t{10}},
      {"stays at max", vtInt, sbmStop, int64_t{0}, int64_t{10}, int64_t{10}, int64_t{3}, true, true, int64_t{10}},
      {"stops at min", vtInt, sbmStop, int64_t{0}, int64_t{10}, int64_t{1}, int64_t{-3}, false, true, int64_t{0}},
      {"refused", vtInt, sbmRefuse, int64_t{0}, int64_t{10}, int64_t{9}, int64_t{3}, true, false, Variant()},
      {"wraps up", vtInt, sbmWrap, int64_t{0}, int64_t{59}, int64_t{58}, int64_t{5}, true, true, int64_t{3}},
      {"wraps down", vtInt, sbmWrap, int64_t{0}, int64_t{59}, int64_t{1}, int64_t{-5}, false, true, int64_t{56}},
      {"max + 1 is min", vtInt, sbmWrap, int64_t{0}, int64_t{59}, int64_t{59}, int64_t{1}, true, true, int64_t{0}},
      {"step beyond the range", vtInt, sbmWrap, int64_t{0}, int64_t{59}, int64_t{58}, int64_t{125}, true, true,
       int64_t{3}},
      {"step far below the range", vtInt, sbmWrap, int64_t{0}, int64_t{59}, int64_t{1}, int64_t{-125}, false, true,
       int64_t{56}},
      // Outside the bounds: towards the range the nearer bound, away from it
      // only wrapping moves.
      {"above, up, stop", vtInt, sbmStop, int64_t{0}, int64_t{10}, int64_t{15}, int64_t{1}, true, false, Variant()},
      {"above, up, wrap", vtInt, sbmWrap, int64_t{0}, int64_t{10}, int64_t{15}, int64_t{1}, true, true, int64_t{0}},
      {"above, down", vtInt, sbmRefuse, int64_t{0}, int64_t{10}, int64_t{15}, int64_t{-1}, false, true, int64_t{10}},
      {"below, up", vtInt, sbmRefuse, int64_t{0}, int64_t{10}, int64_t{-4}, int64_t{1}, true, true, int64_t{0}},
      {"below, down, wrap", vtInt, sbmWrap, int64_t{0}, int64_t{10}, int64_t{-4}, int64_t{-1}, false, true,
       int64_t{10}},
      {"below, down, stop", vtInt, sbmStop, int64_t{0}, int64_t{10}, int64_t{-4}, int64_t{-1}, false, false,
       Variant()},
      // The 64-bit limits as bounds: no subtraction overflows.
      {"int64 max stops", vtInt, sbmStop, kMin64, kMax64, kMax64 - 1, int64_t{10}, true, true, kMax64},
      {"int64 min stops", vtInt, sbmStop, kMin64, kMax64, kMin64 + 1, int64_t{-10}, false, true, kMin64},
      {"int64 max wraps", vtInt, sbmWrap, kMin64, kMax64, kMax64, int64_t{1}, true, true, kMin64},
      {"int64 min wraps", vtInt, sbmWrap, kMin64, kMax64, kMin64, int64_t{-1}, false, true, kMax64},
      {"huge step from min", vtInt, sbmStop, kMin64, kMax64, kMin64, kMax64, true, true, int64_t{-1}},
      {"huge step refused", vtInt, sbmRefuse, kMin64, kMax64, int64_t{1}, kMax64, true, false, Variant()},
      // Floats: a fractional wrap stays in the range.
      {"float inside", vtFloat, sbmStop, 0.0, 10.0, 9.25, 0.5, true, true, 9.75},
      {"float stops", vtFloat, sbmStop, 0.0, 10.0, 9.8, 0.5, true, true, 10.0},
      {"float wraps fractionally", vtFloat, sbmWrap, 0.0, 10.0, 9.8, 0.5, true, true, 0.3},
      {"float wraps down fractionally", vtFloat, sbmWrap, 0.0, 10.0, 0.2, -0.5, false, true, 9.7},
      {"float whole steps count like integers", vtFloat, sbmWrap, 0.0, 59.0, 58.0, 5.0, true, true, 3.0},
      {"float whole steps down", vtFloat, sbmWrap, 0.0, 59.0, 1.0, -5.0, false, true, 56.0},
      {"float oversized step", vtFloat, sbmWrap, 0.0, 10.0, 5.0, 1000.5, true, true, 5.5},
      {"float limits", vtFloat, sbmStop, -std::numeric_limits<double>::max(), std::numeric_limits<double>::max(),
       -1e308, std::numeric_limits<double>::max(), true, true, std::numeric_limits<double>::max() - 1e308},
  };
  for (const StepCase& c : cases) {
    Variant result;
    const bool stepped = lxSpinStep(c.type, c.mode, c.min_value, c.max_value, c.value, c.delta, c.up, result);
    ASSERT_EQ(stepped, c.steps) << c.name;
    if (!c.steps)
      continue;
    if (c.type == vtInt) {
      EXPECT_EQ(result.Type(), varInt64) << c.name;
      EXPECT_EQ(result.AsInt64(), c.expected.AsInt64()) << c.name;
    } else {
      EXPECT_NEAR(result.AsDouble(), c.expected.AsDouble(), 1e-9 * std::fmax(1.0, std::fabs(c.expected.AsDouble())))
          << c.name;
      EXPECT_GE(result.AsDouble(), c.min_value.AsDouble()) << c.name;
      EXPECT_LE(result.AsDouble(), c.max_value.AsDouble()) << c.name;
    }
  }
}

TEST(SpinStepTest, EqualBoundsWrapOntoThemselvesAndCrossedBoundsRefuse) {
  Variant result;
  ASSERT_TRUE(lxSpinStep(vtInt, sbmWrap, int64_t{5}, int64_t{5}, int64_t{5}, int64_t{7}, true, result));
  EXPECT_EQ(result.AsInt64(), 5);
  ASSERT_TRUE(lxSpinStep(vtFloat, sbmWrap, 5.0, 5.0, 5.0, 0.5, true, result));
  EXPECT_EQ(result.AsDouble(), 5.0);
  EXPECT_FALSE(lxSpinStep(vtInt, sbmWrap, int64_t{9}, int64_t{2}, int64_t{5}, int64_t{1}, true, result));
}

TEST(SpinValueTest, DoublesBecomeTheValueTypeWithHalvesToEven) {
  struct Case {
    double x;
    int64_t expected;
  };
  const Case cases[] = {{1.5, 2}, {2.5, 2}, {-2.5, -2}, {3.5, 4}, {0.49, 0}, {1e30, kMax64}, {-1e30, kMin64},
                        {9223372036854775807.0, kMax64}, {-9223372036854775808.0, kMin64}, {std::nan(""), 0}};
  for (const Case& c : cases) {
    const Variant v = lxDoubleAsValueType(vtInt, c.x);
    EXPECT_EQ(v.Type(), varInt64) << c.x;
    EXPECT_EQ(v.AsInt64(), c.expected) << c.x;
  }
  EXPECT_EQ(lxDoubleAsValueType(vtFloat, 2.5).AsDouble(), 2.5);
  EXPECT_EQ(lxSpinTypeBound(vtInt, true).AsInt64(), kMax64);
  EXPECT_EQ(lxSpinTypeBound(vtInt, false).AsInt64(), kMin64);
  EXPECT_EQ(lxSpinTypeBound(vtFloat, false).AsDouble(), -1.7976931348623157e308);
  // An integer value keeps all its bits instead of passing through a double.
  EXPECT_EQ(lxSpinToValueType(vtInt, Variant(kMax64 - 1)).AsInt64(), kMax64 - 1);
}

// --- properties -----------------------------------------------------------------------------------

class SpinPropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override { lxEditConstsInitialize(); }
  void TearDown() override { lxEditConstsFinalize(); }

  TlxSpinEditProperties properties{nullptr};
};

TEST_F(SpinPropertiesTest, TextsParseInTheValueTypeAndBadTextsFail) {
  struct Case {
    TlxSpinEditValueType type;
    const char* text;
    bool parses;
    double expected;
  };
  const Case cases[] = {
      {vtFloat, "1e3", true, 1000},       {vtFloat, " 2.5 ", true, 2.5},
      {vtFloat, "1e400", false, 0},       {vtFloat, "-1e400", false, 0},
      {vtFloat, "--", false, 0},          {vtFloat, "", false, 0},
      {vtInt, "9223372036854775807", true, 9223372036854775807.0},
      {vtInt, "9223372036854775808", false, 0},
      {vtInt, "-9223372036854775808", true, -9223372036854775808.0},
      {vtInt, "--", false, 0},            {vtInt, "1e3", false, 0},
      {vtInt, "2.5", false, 0},           {vtInt, "-17", true, -17},
  };
  for (const Case& c : cases) {
    properties.SetValueType(c.type);
    Variant value;
    ASSERT_EQ(properties.TextToValue(c.text, value), c.parses) << c.text;
    if (!c.parses)
      continue;
    EXPECT_EQ(value.Type(), c.type == vtInt ? varInt64 : varDouble) << c.text;
    EXPECT_EQ(value.AsDouble(), c.expected) << c.text;
  }
  properties.SetValueType(vtInt);
  Variant value;
  ASSERT_TRUE(properties.TextToValue("-9223372036854775808", value));
  EXPECT_EQ(value.AsInt64(), kMin64);
}

TEST_F(SpinPropertiesTest, BoundsApplyWhenAssignedAndFallBackToTheTypeLimits) {
  properties.SetValueType(vtInt);
  Variant min_value;
  Variant max_value;
  properties.GetMinValue(min_value);
  properties.GetMaxValue(max_value);
  EXPECT_EQ(min_value.AsInt64(), kMin64);
  EXPECT_EQ(max_value.AsInt64(), kMax64);

  properties.SetMaxValue(100.5);  // only the maximum applies, rounded to even
  properties.GetMinValue(min_value);
  properties.GetMaxValue(max_value);
  EXPECT_EQ(min_value.AsInt64(), kMin64);
  EXPECT_EQ(max_value.AsInt64(), 100);

  Variant bounded;
  properties.CheckValueBounds(Variant(500.0), bounded);
  EXPECT_EQ(bounded.AsDouble(), 100.5);
  properties.CheckValueBounds(Variant(-1e300), bounded);
  EXPECT_EQ(bounded.AsDouble(), -1e300);
  properties.CheckValueBounds(Variant("text"), bounded);
  EXPECT_EQ(bounded.AsString(), "text");

  properties.SetMinValue(10);
  EXPECT_EQ(properties.ZeroInBounds().AsInt64(), 10);
  Variant empty;
  properties.GetEmptyEditValue(empty);
  EXPECT_EQ(empty.AsString(), "10");
}

TEST_F(SpinPropertiesTest, BoundsModeFollowsCircularAndTheLimitedAnswer) {
  EXPECT_EQ(properties.GetBoundsMode(), sbmStop);
  properties.SetCircular(true);
  EXPECT_EQ(properties.GetBoundsMode(), sbmWrap);

  class Unlimited : public TlxCustomSpinEditProperties {
   public:
    using TlxCustomSpinEditProperties::TlxCustomSpinEditProperties;
    bool IsBoundsLimited() const override { return false; }
  };
  Unlimited unlimited(nullptr);
  EXPECT_EQ(unlimited.GetBoundsMode(), sbmRefuse);
}

TEST_F(SpinPropertiesTest, EditButtonsFollowTheSpinButtons) {
  EXPECT_EQ(properties.Buttons()->Count(), 2);
  properties.SpinButtons()->SetShowFastButtons(true);
  EXPECT_EQ(properties.Buttons()->Count(), 4);
  properties.SpinButtons()->SetVisible(false);
  EXPECT_EQ(properties.Buttons()->Count(), 0);
  properties.SpinButtons()->SetVisible(true);
  EXPECT_EQ(properties.Buttons()->Count(), 4);
  properties.SpinButtons()->SetShowFastButtons(false);
  EXPECT_EQ(properties.Buttons()->Count(), 2);
}

class FloatData : public TlxCustomEditDefaultValuesProvider {
 public:
  using TlxCustomEditDefaultValuesProvider::TlxCustomEditDefaultValuesProvider;
  bool HoldsFloatValue() const override { return holds_float; }
  bool SuggestedRequired() const override { return required; }
  bool holds_float = true;
  bool required = false;
};

TEST_F(SpinPropertiesTest, TheValueTypeComesFromTheDataUnlessAssigned) {
  EXPECT_EQ(properties.GetValueType(), vtFloat);
  FloatData data(nullptr);
  properties.SetDefaultValuesProvider(&data);
  EXPECT_EQ(properties.GetValueType(), vtFloat);
  data.holds_float = false;
  EXPECT_EQ(properties.GetValueType(), vtInt);
  properties.SetValueType(vtFloat);
  EXPECT_EQ(properties.GetValueType(), vtFloat);
  properties.AssignedValues()->RestoreDefaults();
  EXPECT_EQ(properties.GetValueType(), vtInt);
  properties.SetDefaultValuesProvider(nullptr);
}

TEST_F(SpinPropertiesTest, EditValuesAreCheckedAndBroughtIntoTheValueType) {
  properties.SetValueType(vtInt);
  struct Case {
    Variant value;
    bool valid;
    Variant expected;
  };
  const Case cases[] = {
      {Variant("42"), true, int64_t{42}},
      {Variant(int32_t{7}), true, int64_t{7}},
      {Variant::Null(), true, int64_t{0}},
      {Variant("abc"), false, Variant()},
      {Variant(2.5), false, Variant()},  // its text "2.5" is no integer
  };
  for (const Case& c : cases) {
    Variant value = c.value;
    ASSERT_EQ(properties.IsEditValueValid(value, true), c.valid) << VarToStrDef(c.value, "null");
    if (c.valid) {
      EXPECT_EQ(value.Type(), varInt64);
      EXPECT_EQ(value.AsInt64(), c.expected.AsInt64());
    }
  }
}

TEST_F(SpinPropertiesTest, NewTextOutsideTheBoundsIsAcceptedAsPlainText) {
  properties.SetMinValue(0);
  properties.SetMaxValue(10);
  Variant text("  12 ");
  EXPECT_TRUE(properties.IsNewTextAcceptable(text, true));
  EXPECT_EQ(text.AsString(), "12");
  Variant bad("1x");
  EXPECT_FALSE(properties.IsNewTextAcceptable(bad, true));
  Variant blank("   ");
  EXPECT_TRUE(properties.IsNewTextAcceptable(blank, true));
}

// A stand-in for the control: what it typed and its last valid value.
class ValueSource : public IlxEditControl, public IlxSpinEditValueSource {
 public:
  explicit ValueSource(TlxCustomSpinEditProperties& properties) : properties_(properties) {}

  bool HasValidateHandler() const override { return false; }
  void DoValidate(Variant&, std::string&, bool&) override {}
  std::string ShownText() const override { return shown; }
  bool IsTextTyped() const override { return typed; }
  bool ReadDisplayText(const Variant& display_value, std::string& error_text, Variant& value) override {
    return lxSpinEditTextToValue(properties_, nullptr, nullptr, VarToStr(display_value), false, last_valid,
                                 error_text, value);
  }
  Variant CurrentValue() override { return last_valid; }

  bool typed = true;
  Variant last_valid = int64_t{5};
  std::string shown;

 private:
  TlxCustomSpinEditProperties& properties_;
};

TEST_F(SpinPropertiesTest, ValidationCorrectsOrReportsInvalidAndOutOfBoundsText) {
  properties.SetValueType(vtInt);
  properties.SetMinValue(0);
  properties.SetMaxValue(10);
  struct Case {
    const char* text;
    bool strict;
    bool error;
    const char* shown;
    const char* message;
  };
  const Case cases[] = {
      // Unparsable text falls back to the last valid value and passes.
      {"abc", false, false, "5", ""},
      {"--", false, false, "5", ""},
      {"abc", true, true, "abc", "Invalid numeric value"},
      {"15", false, false, "10", ""},
      {"-3", false, false, "0", ""},
      {"15", true, true, "15", "Value out of bounds"},
      {"", false, false, "0", ""},
      {"7", true, false, "7", ""},
  };
  ValueSource source(properties);
  for (const Case& c : cases) {
    properties.SetExceptionOnInvalidInput(c.strict);
    Variant display(c.text);
    std::string message;
    bool error = false;
    source.shown = c.text;
    properties.ValidateDisplayValue(display, message, error, &source);
    EXPECT_EQ(error, c.error) << c.text;
    if (c.error)
      EXPECT_EQ(message, c.message) << c.text;
    else
      EXPECT_EQ(VarToStr(display), c.shown) << c.text;
  }
}

TEST_F(SpinPropertiesTest, ValidationWithoutTypingTakesTheCurrentValue) {
  properties.SetValueType(vtInt);
  ValueSource source(properties);
  source.typed = false;
  source.last_valid = int64_t{-12};
  Variant display("garbage");
  std::string message;
  bool error = false;
  properties.ValidateDisplayValue(display, message, error, &source);
  EXPECT_FALSE(error);
  EXPECT_EQ(VarToStr(display), "-12");
}

TEST_F(SpinPropertiesTest, TheGetValueHandlerReadsWhatDoesNotParse) {
  properties.SetValueType(vtInt);
  properties.SetExceptionOnInvalidInput(true);
  properties.OnGetValue = [](TObject*, const std::string& text, Variant& value, std::string& error_text,
                             bool& error) {
    if (text == "zwölf")
      value = int32_t{12};
    else if (text == "kaputt")
      throw EConvertError("Handler sagt nein");
    else {
      error = true;
      error_text = "Unbekannt";
    }
  };
  std::string message;
  Variant value;
  EXPECT_TRUE(lxSpinEditTextToValue(properties, nullptr, nullptr, "zwölf", true, Variant(int64_t{1}), message, value));
  EXPECT_EQ(value.Type(), varInt64);
  EXPECT_EQ(value.AsInt64(), 12);

  EXPECT_FALSE(lxSpinEditTextToValue(properties, nullptr, nullptr, "kaputt", false, Variant(int64_t{1}), message,
                                     value));
  EXPECT_EQ(message, "Handler sagt nein");
  EXPECT_EQ(value.AsInt64(), 1);
  EXPECT_THROW(lxSpinEditTextToValue(properties, nullptr, nullptr, "kaputt", true, Variant(int64_t{1}), message, value),
               EConvertError);
  try {
    lxSpinEditTextToValue(properties, nullptr, nullptr, "x", true, Variant(int64_t{1}), message, value);
    ADD_FAILURE() << "no error";
  } catch (const ElxEditError& error) {
    EXPECT_EQ(error.Message(), "Unbekannt");
  }
  // Without the strict setting nothing raises and no message is left.
  properties.SetExceptionOnInvalidInput(false);
  EXPECT_FALSE(lxSpinEditTextToValue(properties, nullptr, nullptr, "x", true, Variant(int64_t{3}), message, value));
  EXPECT_EQ(message, "");
  EXPECT_EQ(value.AsInt64(), 3);
}

TEST_F(SpinPropertiesTest, AnEmptyTextIsNullUnlessTheDataRequiresAValue) {
  FloatData data(nullptr);
  properties.SetDefaultValuesProvider(&data);
  properties.SetMinValue(3);
  properties.SetMaxValue(9);
  std::string message;
  Variant value;
  EXPECT_TRUE(lxSpinEditTextToValue(properties, nullptr, nullptr, " ", true, Variant(1.0), message, value));
  EXPECT_TRUE(value.IsNull());
  data.required = true;
  EXPECT_TRUE(lxSpinEditTextToValue(properties, nullptr, nullptr, "", true, Variant(1.0), message, value));
  EXPECT_EQ(value.AsDouble(), 3.0);
  properties.SetDefaultValuesProvider(nullptr);
}

TEST_F(SpinPropertiesTest, CopyTakesTheSettingsAndTheValueTypeOnlyWhenAssigned) {
  properties.SetIncrement(2.5);
  properties.SetLargeIncrement(0);
  properties.SetCanEdit(false);
  properties.SetCircular(true);
  properties.SetUseCtrlIncrement(true);
  properties.SpinButtons()->SetPosition(sbpHorzRight);
  properties.SpinButtons()->SetShowFastButtons(true);
  TlxSpinEditProperties copy(nullptr);
  copy.SetValueType(vtInt);
  copy.Assign(&properties);
  EXPECT_EQ(copy.Increment(), 2.5);
  EXPECT_EQ(copy.LargeIncrement(), 0);
  EXPECT_FALSE(copy.CanEdit());
  EXPECT_TRUE(copy.Circular());
  EXPECT_TRUE(copy.UseCtrlIncrement());
  EXPECT_EQ(copy.SpinButtons()->Position(), sbpHorzRight);
  EXPECT_EQ(copy.Buttons()->Count(), 4);
  EXPECT_EQ(copy.GetValueType(), vtInt);  // the source's type was not assigned
  properties.SetValueType(vtFloat);
  copy.Assign(&properties);
  EXPECT_EQ(copy.GetValueType(), vtFloat);
}

class SpinItem : public TlxEditRepositoryItemOf<SpinItem, TlxSpinEditProperties> {
 public:
  static constexpr TClass kClass{"TestSpinRepositoryItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<SpinItem>, &SpinItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

std::string StreamBytes(TMemoryStream& stream) {
  const auto* bytes = reinterpret_cast<const char*>(stream.Memory());
  return std::string(bytes, bytes + stream.Size());
}

TEST_F(SpinPropertiesTest, ZeroIncrementsSurviveAStoredForm) {
  SpinItem written(nullptr);
  written.GetProperties()->SetIncrement(0);
  written.GetProperties()->SetLargeIncrement(0);
  written.GetProperties()->SetValueType(vtInt);
  TMemoryStream stream;
  stream.WriteComponent(written);
  const std::string bytes = StreamBytes(stream);
  EXPECT_NE(bytes.find("ZeroIncrement"), std::string::npos);
  EXPECT_NE(bytes.find("ZeroLargeIncrement"), std::string::npos);

  SpinItem read(nullptr);
  stream.SetPosition(0);
  stream.ReadComponent(&read);
  EXPECT_EQ(read.GetProperties()->Increment(), 0);
  EXPECT_EQ(read.GetProperties()->LargeIncrement(), 0);
  EXPECT_EQ(read.GetProperties()->GetValueType(), vtInt);

  SpinItem defaults(nullptr);
  TMemoryStream plain;
  plain.WriteComponent(defaults);
  const std::string plain_bytes = StreamBytes(plain);
  EXPECT_EQ(plain_bytes.find("ZeroIncrement"), std::string::npos);
  EXPECT_EQ(plain_bytes.find("ValueType"), std::string::npos);
}

TEST(SpinFilterHelperTest, OffersComparisonsAndRangesButNeverLike) {
  const TlxFilterSpinEditHelper& helper = StatelessInstance<TlxFilterSpinEditHelper>();
  TlxFilterConditionOperators operators;
  helper.GetSupportedOperators(nullptr, nullptr, operators, false);
  EXPECT_TRUE(operators.Contains(fcoGreaterEqual));
  EXPECT_TRUE(operators.Contains(fcoBlanks));
  EXPECT_FALSE(operators.Contains(fcoBetween));
  EXPECT_FALSE(operators.Contains(fcoLike));
  helper.GetSupportedOperators(nullptr, nullptr, operators, true);
  EXPECT_TRUE(operators.Contains(fcoBetween));
  EXPECT_TRUE(operators.Contains(fcoNotInList));
  EXPECT_FALSE(operators.Contains(fcoNotLike));
  EXPECT_TRUE(helper.KeepsEditButtons());

  TlxSpinEditProperties source(nullptr);
  source.SetCanEdit(false);
  source.SetReadOnly(true);
  TlxSpinEditProperties prepared(nullptr);
  helper.InitValueEditorProperties(&prepared, &source, true);
  EXPECT_TRUE(prepared.CanEdit());
  EXPECT_FALSE(prepared.GetReadOnly());
  EXPECT_EQ(prepared.Buttons()->Count(), 2);
}

TEST(SpinModuleTest, RegistersTheKindAndItsFilterHelper) {
  lxSpinEditModuleStart();
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&TlxSpinEditProperties::kClass),
            &StatelessInstance<TlxFilterSpinEditHelper>());
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxSpinEditProperties"), nullptr);
  lxSpinEditModuleEnd();
  EXPECT_TRUE(!lxFilterEditsControllerExists() ||
              lxGetFilterEditsController().FindHelperClass(&TlxSpinEditProperties::kClass) == nullptr);
  lxFreeRegisteredEditProperties();
}

}  // namespace spin_edit_properties_test
