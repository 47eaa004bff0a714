#include "editors/kinds/radio_group_properties.h"

#include <gtest/gtest.h>

#include <string>

#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/edit_strings.h"
#include "platform/rtl/memory_stream.h"

namespace radio_group_properties_test {

class RadioItem : public TlxEditRepositoryItemOf<RadioItem, TlxRadioGroupProperties> {
 public:
  static constexpr TClass kClass{"TestRadioGroupRepositoryItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<RadioItem>, &RadioItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

TlxRadioGroupItem* AddItem(TlxCustomRadioGroupProperties& properties, const std::string& caption,
                           const Variant& value = Variant::Null()) {
  TlxRadioGroupItem* item = properties.RadioItems().Add();
  item->SetCaption(caption);
  item->SetValue(value);
  return item;
}

TEST(RadioGroupPropertiesTest, ValuesSelectItemsByCaptionOrByValue) {
  TlxRadioGroupProperties properties(nullptr);
  AddItem(properties, "Yes");
  AddItem(properties, "No");
  AddItem(properties, "Wahr", Variant(true));
  AddItem(properties, "Eins", Variant(int32_t{1}));
  AddItem(properties, "Auch eins", Variant(int32_t{1}));
  AddItem(properties, "");
  struct Case {
    Variant value;
    int32_t index;
  };
  const Case cases[] = {
      {Variant("No"), 1},
      {Variant("no"), -1},  // captions compare with case
      {Variant("True"), 2},  // a Boolean on either side compares as text
      {Variant(true), 2},
      {Variant(int32_t{1}), 3},  // the first of equal values wins
      {Variant(1.0), 3},
      {Variant(""), 5},  // a Null value with an empty caption matches ""
      {Variant::Null(), -1},
      {Variant(), -1},
      {Variant("Eins"), -1},  // an item with a value is not matched by caption
  };
  for (const Case& c : cases) {
    EXPECT_EQ(properties.GetItemIndexOfValue(c.value), c.index) << VarToStrDef(c.value, "<null>");
    Variant display;
    properties.ConvertToDisplayValue(c.value, display, false);
    EXPECT_EQ(display.AsInteger(), c.index);
  }
}

TEST(RadioGroupPropertiesTest, DisplayTextIsTheCaptionOrTheDefaultCaption) {
  TlxRadioGroupProperties properties(nullptr);
  AddItem(properties, "Ja");
  AddItem(properties, "Nein", Variant(int32_t{0}));
  properties.SetDefaultCaption("(keine)");
  std::string text;
  properties.FormatDisplayText(Variant("Ja"), text, true);
  EXPECT_EQ(text, "Ja");
  properties.FormatDisplayText(Variant(int32_t{0}), text, true);
  EXPECT_EQ(text, "Nein");
  properties.FormatDisplayText(Variant("ja"), text, true);
  EXPECT_EQ(text, "(keine)");
  EXPECT_TRUE(properties.EditValuesEqual(Variant(int32_t{0}), Variant(0.0)));
  EXPECT_TRUE(properties.EditValuesEqual(Variant("x"), Variant("y")));  // both select none
  EXPECT_FALSE(properties.EditValuesEqual(Variant("Ja"), Variant(int32_t{0})));
  // The value of an item: its Value, else its Caption; none: DefaultValue.
  properties.SetDefaultValue(Variant(int32_t{-1}));
  EXPECT_EQ(properties.GetItemValue(0).AsString(), "Ja");
  EXPECT_EQ(properties.GetItemValue(1).AsInteger(), 0);
  EXPECT_EQ(properties.GetItemValue(-1).AsInteger(), -1);
  EXPECT_EQ(properties.GetItemValue(9).AsInteger(), -1);
}

TEST(RadioGroupPropertiesTest, ValueChangesAreStrictAndColumnsNeverZero) {
  TlxRadioGroupProperties properties(nullptr);
  int changes = 0;
  properties.SetOwnerChangedHandler([&changes](TlxCustomEditProperties*) { ++changes; });
  EXPECT_EQ(properties.GetColumnCount(), 1);
  EXPECT_EQ(properties.GetEditCapabilities(), 1951u);
  TlxRadioGroupItem* item = AddItem(properties, "A", Variant(int32_t{1}));
  EXPECT_EQ(properties.GetEditCapabilities(), 1983u);
  changes = 0;
  item->SetValue(Variant(int32_t{1}));
  EXPECT_EQ(changes, 0);
  item->SetValue(Variant(1.0));  // equal value, other type: a change
  EXPECT_EQ(changes, 1);
  properties.SetDefaultValue(Variant::Null());
  EXPECT_EQ(changes, 1);
  properties.SetDefaultValue(Variant(int32_t{3}));
  EXPECT_EQ(changes, 2);
  properties.SetColumns(4);
  EXPECT_EQ(properties.GetColumnCount(), 1);
}

TEST(RadioGroupPropertiesTest, AssignCopiesItemsValuesAndDefaults) {
  TlxRadioGroupProperties source(nullptr);
  AddItem(source, "A", Variant(int32_t{5}));
  AddItem(source, "B");
  source.SetDefaultCaption("nichts");
  source.SetDefaultValue(Variant("?"));
  source.SetWordWrap(true);
  source.SetColumns(2);
  TlxRadioGroupProperties copy(nullptr);
  copy.Assign(&source);
  ASSERT_EQ(copy.RadioItems().Count(), 2);
  EXPECT_EQ(copy.RadioItems().GetItem(0)->Value().AsInteger(), 5);
  EXPECT_TRUE(copy.RadioItems().GetItem(1)->Value().IsNull());
  EXPECT_EQ(copy.DefaultCaption(), "nichts");
  EXPECT_EQ(copy.DefaultValue().AsString(), "?");
  EXPECT_TRUE(copy.WordWrap());
  EXPECT_EQ(copy.Columns(), 2);
}

TEST(RadioGroupPropertiesTest, ItemsAndSettingsGoThroughAFormDescription) {
  RadioItem written(nullptr);
  TlxRadioGroupProperties& properties = *written.GetProperties();
  AddItem(properties, "Erster", Variant(int32_t{10}));
  AddItem(properties, "Zweiter");
  properties.RadioItems().GetItem(1)->SetTag(4);
  properties.RadioItems().GetItem(1)->SetEnabled(false);
  properties.SetColumns(2);
  properties.SetDefaultValue(Variant(int32_t{-1}));
  properties.SetImmediatePost(true);
  TMemoryStream stream;
  stream.WriteComponent(written);
  RadioItem read(nullptr);
  stream.SetPosition(0);
  stream.ReadComponent(&read);
  const TlxRadioGroupProperties& loaded = *read.GetProperties();
  ASSERT_EQ(loaded.RadioItems().Count(), 2);
  EXPECT_EQ(loaded.RadioItems().GetItem(0)->Caption(), "Erster");
  EXPECT_EQ(loaded.RadioItems().GetItem(0)->Value().AsInteger(), 10);
  EXPECT_TRUE(loaded.RadioItems().GetItem(1)->Value().IsNull());
  EXPECT_EQ(loaded.RadioItems().GetItem(1)->Tag(), 4);
  EXPECT_FALSE(loaded.RadioItems().GetItem(1)->Enabled());
  EXPECT_EQ(loaded.Columns(), 2);
  EXPECT_EQ(loaded.DefaultValue().AsInteger(), -1);
  EXPECT_TRUE(loaded.ImmediatePost());
  EXPECT_FALSE(loaded.DefaultCaptionNeedsStoring());
}

TEST(FilterRadioGroupHelperTest, OperandsComeFromTheItems) {
  TlxRadioGroupProperties properties(nullptr);
  AddItem(properties, "Rot", Variant(int32_t{1}));
  AddItem(properties, "Grün");
  properties.SetDefaultCaption("keine");
  properties.SetDefaultValue(Variant(int32_t{0}));
  const TlxFilterRadioGroupHelper& helper = StatelessInstance<TlxFilterRadioGroupHelper>();
  TlxFilterConditionOperators operators;
  helper.GetSupportedOperators(&properties, nullptr, operators, false);
  EXPECT_TRUE(operators.Contains(fcoEqual) && operators.Contains(fcoNotEqual) && operators.Contains(fcoBlanks) &&
              operators.Contains(fcoNonBlanks));
  EXPECT_FALSE(operators.Contains(fcoInList) || operators.Contains(fcoLess) || operators.Contains(fcoLike));
  helper.GetSupportedOperators(&properties, nullptr, operators, true);
  EXPECT_TRUE(operators.Contains(fcoInList) && operators.Contains(fcoNotInList));
  EXPECT_TRUE(helper.UsesDisplayText());

  EXPECT_EQ(TlxFilterRadioGroupHelper::GetItemTexts(properties), (std::vector<std::string>{"Rot", "Grün"}));
  Variant value;
  std::string text;
  TlxFilterRadioGroupHelper::GetFilterValue(properties, 1, value, text);
  EXPECT_TRUE(value.IsNull());
  EXPECT_EQ(text, "Grün");
  TlxFilterRadioGroupHelper::GetFilterValue(properties, -1, value, text);
  EXPECT_EQ(value.AsInteger(), 0);
  EXPECT_EQ(text, "keine");
  TlxFilterRadioGroupHelper::GetFilterValue(properties, 2, value, text);
  EXPECT_EQ(text, "keine");
  EXPECT_EQ(TlxFilterRadioGroupHelper::ItemIndexOfValue(properties, Variant(int32_t{1})), 0);
  EXPECT_EQ(TlxFilterRadioGroupHelper::ItemIndexOfValue(properties, Variant("Grün")), 1);
  EXPECT_EQ(TlxFilterRadioGroupHelper::ItemIndexOfValue(properties, Variant("grün")), -1);
}

TEST(RadioGroupModuleTest, RegistersTheKindAndItsFilterHelper) {
  lxRadioGroupModuleStart();
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&TlxRadioGroupProperties::kClass),
            &StatelessInstance<TlxFilterRadioGroupHelper>());
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxRadioGroupProperties"), nullptr);
  lxRadioGroupModuleEnd();
  EXPECT_TRUE(!lxFilterEditsControllerExists() ||
              lxGetFilterEditsController().FindHelperClass(&TlxRadioGroupProperties::kClass) == nullptr);
  // The kind stays registered until the registry itself goes.
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxRadioGroupProperties"), nullptr);
  lxFreeRegisteredEditProperties();
}

}  // namespace radio_group_properties_test
