#include "editors/kinds/check_box_properties.h"

#include <gtest/gtest.h>

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"

namespace check_box_properties_test {

class CheckBoxPropertiesTest : public ::testing::Test {
 protected:
  TlxCheckBoxProperties properties{nullptr};
  int32_t changes = 0;

  void SetUp() override {
    properties.SetOwnerChangedHandler([this](TlxCustomEditProperties*) { ++changes; });
  }
};

TEST_F(CheckBoxPropertiesTest, EditValuesMapToStatesAndTexts) {
  struct Case {
    Variant value;
    TlxCheckBoxState state;
    const char* text;
  };
  const Case cases[] = {
      {Variant::Null(), cbsGrayed, ""},     {Variant("abc"), cbsGrayed, ""},      {Variant(int32_t{5}), cbsGrayed, ""},
      {Variant(true), cbsChecked, "True"},  {Variant(false), cbsUnchecked, "False"}, {Variant(), cbsGrayed, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(properties.GetCheckState(c.value), c.state) << VarToStrDef(c.value, "null");
    std::string text = "x";
    properties.FormatDisplayText(c.value, text, true);
    EXPECT_EQ(text, c.text);
    Variant display;
    properties.ConvertToDisplayValue(c.value, display, false);
    EXPECT_EQ(display.AsInteger(), static_cast<int32_t>(c.state));
  }
  EXPECT_TRUE(properties.EditValuesEqual(Variant("abc"), Variant::Null()));
  EXPECT_FALSE(properties.EditValuesEqual(Variant(true), Variant(false)));
  EXPECT_EQ(properties.GetEditValueOfState(cbsGrayed).Type(), varNull);
  EXPECT_TRUE(properties.GetEditValueOfState(7).IsEmpty());
}

TEST_F(CheckBoxPropertiesTest, AStringValueComparesWithBooleansThroughTheirTexts) {
  properties.SetValueChecked(Variant("True"));
  EXPECT_EQ(properties.ValueChecked().AsString(), "True");
  EXPECT_EQ(properties.GetCheckState(Variant(true)), cbsChecked);
  EXPECT_EQ(properties.GetCheckState(Variant("true")), cbsGrayed);
}

TEST_F(CheckBoxPropertiesTest, ValueSettersRefuseValuesThatBreakTheRules) {
  properties.SetValueChecked(Variant(false));  // equals ValueUnchecked
  EXPECT_TRUE(properties.ValueChecked().AsBoolean());
  properties.SetValueChecked(Variant::Null());
  EXPECT_FALSE(properties.ValueChecked().IsNull());
  properties.SetValueUnchecked(Variant::Null());
  EXPECT_FALSE(properties.ValueUnchecked().IsNull());
  EXPECT_EQ(changes, 0);
  // Strictly different: the integer 1 is not the Boolean True.
  properties.SetValueGrayed(Variant(int32_t{1}));
  EXPECT_EQ(properties.ValueGrayed().AsInteger(), 1);
  properties.SetValueGrayed(Variant::Null());
  EXPECT_TRUE(properties.ValueGrayed().IsNull());
  EXPECT_EQ(changes, 2);
  properties.SetValues(Variant("J"), Variant("J"), Variant("N"));  // two equal
  EXPECT_TRUE(properties.ValueChecked().AsBoolean());
  properties.SetValues(Variant("J"), Variant::Null(), Variant("N"));
  EXPECT_EQ(properties.ValueChecked().AsString(), "J");
  EXPECT_EQ(properties.ValueUnchecked().AsString(), "N");
}

TEST_F(CheckBoxPropertiesTest, OnlyTheThreeValuesAreValid) {
  for (Variant value : {Variant(true), Variant(false), Variant::Null()})
    EXPECT_TRUE(properties.IsEditValueValid(value, false)) << VarToStrDef(value, "null");
  for (Variant value : {Variant("True"), Variant(int32_t{0}), Variant("x")})
    EXPECT_FALSE(properties.IsEditValueValid(value, false)) << VarToStrDef(value, "null");
}

TEST_F(CheckBoxPropertiesTest, SettersNotifyOnlyOnChange) {
  properties.SetAllowGrayed(false);
  properties.SetNullStyle(nssGrayedChecked);
  properties.SetGlyphCount(3);  // no glyph: nothing to redraw
  EXPECT_EQ(changes, 0);
  properties.SetAllowGrayed(true);
  properties.SetDisplayChecked("Ja");
  EXPECT_EQ(changes, 2);
  EXPECT_TRUE(properties.DisplayCheckedNeedsStoring());
  EXPECT_FALSE(properties.DisplayUncheckedNeedsStoring());
  properties.SetCaption("");
  EXPECT_TRUE(properties.IsCaptionAssigned());
  EXPECT_EQ(changes, 2);
}

TEST_F(CheckBoxPropertiesTest, AssignCopiesSettingsAndValues) {
  TlxCheckBoxProperties source(nullptr);
  source.SetAllowGrayed(true);
  source.SetDisplayGrayed("?");
  source.SetMultiLine(true);
  source.SetNullStyle(nssInactive);
  source.SetValues(Variant(int32_t{1}), Variant(int32_t{2}), Variant(int32_t{0}));
  properties.Assign(&source);
  EXPECT_TRUE(properties.AllowGrayed());
  EXPECT_EQ(properties.DisplayGrayed(), "?");
  EXPECT_TRUE(properties.MultiLine());
  EXPECT_EQ(properties.NullStyle(), nssInactive);
  EXPECT_EQ(properties.GetCheckState(Variant(int32_t{1})), cbsChecked);
  EXPECT_EQ(properties.GetCheckState(Variant(int32_t{0})), cbsUnchecked);
  EXPECT_EQ(changes, 1);  // one notification for the whole copy
}

TEST_F(CheckBoxPropertiesTest, KindAnswers) {
  EXPECT_TRUE(properties.HasDisplayValue());
  EXPECT_TRUE(properties.IsActivationKey(u' '));
  EXPECT_FALSE(properties.IsActivationKey(u'x'));
  EXPECT_EQ(properties.GetEditCapabilities(), 1453u);
  EXPECT_NE(properties.GetEditorKindFlags() & 4u, 0u);
}

TEST(FilterCheckBoxHelperTest, TwoItemsAndFourOperators) {
  TlxCheckBoxProperties properties(nullptr);
  TlxFilterConditionOperators operators;
  StatelessInstance<TlxFilterCheckBoxHelper>().GetSupportedOperators(&properties, nullptr, operators, true);
  EXPECT_EQ(operators, (TlxFilterConditionOperators{fcoEqual, fcoNotEqual, fcoBlanks, fcoNonBlanks}));
  std::string checked;
  std::string unchecked;
  TlxFilterCheckBoxHelper::GetItemTexts(properties, checked, unchecked);
  EXPECT_EQ(checked, "True");
  EXPECT_EQ(unchecked, "False");
  Variant value;
  std::string text;
  TlxFilterCheckBoxHelper::GetFilterValue(properties, -1, value, text);
  EXPECT_TRUE(value.IsNull());
  EXPECT_EQ(text, "");
  TlxFilterCheckBoxHelper::GetFilterValue(properties, 1, value, text);
  EXPECT_FALSE(value.AsBoolean());
  EXPECT_EQ(text, "False");
  EXPECT_EQ(TlxFilterCheckBoxHelper::ItemIndexOfValue(properties, Variant(true)), 0);
  EXPECT_EQ(TlxFilterCheckBoxHelper::ItemIndexOfValue(properties, Variant(false)), 1);
  EXPECT_EQ(TlxFilterCheckBoxHelper::ItemIndexOfValue(properties, Variant::Null()), -1);
}

TEST(CheckBoxModuleTest, RegistersTheKindAndItsFilterHelper) {
  lxCheckBoxModuleStart();
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&TlxCheckBoxProperties::kClass),
            &StatelessInstance<TlxFilterCheckBoxHelper>());
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxCheckBoxProperties"), nullptr);
  lxCheckBoxModuleEnd();
  EXPECT_TRUE(!lxFilterEditsControllerExists() ||
              lxGetFilterEditsController().FindHelperClass(&TlxCheckBoxProperties::kClass) == nullptr);
  lxFreeRegisteredEditProperties();
}

}  // namespace check_box_properties_test
