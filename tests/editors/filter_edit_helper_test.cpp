#include "editors/filter_edit_helper.h"

#include <gtest/gtest.h>

#include "editors/edit_properties.h"
#include "ui/foundation/base/resource_strings.h"

namespace {

// A branch of properties classes as the editor kinds build it: each leaf
// derives from its custom class.
constexpr TClass kCustomTextProperties{"CustomTextProperties", &TlxCustomEditProperties::kClass};
constexpr TClass kTextProperties{"TextProperties", &kCustomTextProperties};
constexpr TClass kCustomMaskProperties{"CustomMaskProperties", &kTextProperties};
constexpr TClass kMaskProperties{"MaskProperties", &kCustomMaskProperties};
constexpr TClass kCustomButtonProperties{"CustomButtonProperties", &kMaskProperties};
constexpr TClass kButtonProperties{"ButtonProperties", &kCustomButtonProperties};
constexpr TClass kCustomImageProperties{"CustomImageProperties", &TlxCustomEditProperties::kClass};
constexpr TClass kImageProperties{"ImageProperties", &kCustomImageProperties};

class TextHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"TextHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }
};

class MaskHelper : public TextHelper {
 public:
  static constexpr TClass kClass{"MaskHelper", &TextHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }
};

// A helper whose value check fails with its own error.
class ThrowingHelper : public TlxCustomFilterEditHelper {
 public:
  static constexpr TClass kClass{"ThrowingHelper", &TlxCustomFilterEditHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }
  bool IsValueAcceptable(TlxValueTypeClass, Variant&) const override { throw EConvertError("not a number"); }
};

TlxFilterEditHelperClass Text() { return &StatelessInstance<TextHelper>(); }
TlxFilterEditHelperClass Mask() { return &StatelessInstance<MaskHelper>(); }
TlxFilterEditHelperClass Base() { return &StatelessInstance<TlxCustomFilterEditHelper>(); }
TlxValueTypeClass StringType() { return &StatelessInstance<TlxStringValueType>(); }
TlxValueTypeClass IntegerType() { return &StatelessInstance<TlxIntegerValueType>(); }

TEST(FilterConditionOperatorsTest, OperatorsMapOntoCriteriaKindsAndBack) {
  struct Case {
    TlxFilterConditionOperator op;
    TlxFilterOperatorKind kind;
    const char* caption;
  };
  const Case cases[] = {
      {1, fokEqual, "equals"},          {2, fokNotEqual, "does not equal"},
      {6, fokGreaterEqual, "is greater than or equal to"},
      {7, fokLike, "like"},             {8, fokNotLike, "not like"},
      {9, fokEqual, "is blank"},        {10, fokNotEqual, "is not blank"},
      {11, fokBetween, "between"},      {14, fokNotInList, "not in"},
      {15, fokYesterday, "is yesterday"}, {25, fokInPast, "is past"},
      {36, fokInFuture, "is future"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxFilterOperatorToKind(c.op), c.kind) << int(c.op);
    EXPECT_EQ(lxFilterOperatorText(c.op), c.caption) << int(c.op);
  }
  // Every operator but the blank pair comes back from its kind.
  for (TlxFilterConditionOperator op = 1; op <= 36; ++op) {
    if (op == fcoBlanks || op == fcoNonBlanks)
      continue;
    EXPECT_EQ(lxFilterKindToOperator(lxFilterOperatorToKind(op), false), op) << int(op);
  }
  EXPECT_EQ(lxFilterOperatorText(0), "");
  EXPECT_EQ(lxFilterOperatorText(37), "");
  EXPECT_EQ(lxFilterOperatorToKind(0), fokEqual);
}

TEST(FilterConditionOperatorsTest, NullOperandsAndNullKindsGiveTheBlankOperators) {
  EXPECT_EQ(lxFilterKindToOperator(fokEqual, true), fcoBlanks);
  EXPECT_EQ(lxFilterKindToOperator(fokNotEqual, true), fcoNonBlanks);
  EXPECT_EQ(lxFilterKindToOperator(fokBetween, true), fcoBetween);
  EXPECT_EQ(lxFilterKindToOperator(fokNull, false), fcoBlanks);
  EXPECT_EQ(lxFilterKindToOperator(fokNotNull, false), fcoNonBlanks);
  EXPECT_EQ(lxFilterKindToOperator(200, false), fcoNone);
}

TEST(FilterConditionOperatorsTest, SetsHoldOperatorsUpTo36Only) {
  TlxFilterConditionOperators set = TlxFilterConditionOperators::Range(1, 36);
  EXPECT_TRUE(set.Contains(36));
  EXPECT_FALSE(set.Contains(0));
  set.Include(37);
  EXPECT_FALSE(set.Contains(37));
  set.Exclude(36);
  EXPECT_FALSE(set.Contains(36));
  EXPECT_TRUE(TlxFilterConditionOperators().Empty());
}

TEST(FilterEditHelperTest, SupportedOperatorsDependOnExtensionAndValueType) {
  struct Case {
    TlxValueTypeClass value_type;
    bool extended;
    TlxFilterConditionOperators expected;
  };
  const Case cases[] = {
      {StringType(), false, TlxFilterConditionOperators::Range(1, 10)},
      {IntegerType(), false, {1, 2, 3, 4, 5, 6, 9, 10}},
      {nullptr, true, {1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14}},
      {StringType(), true, TlxFilterConditionOperators::Range(1, 14)},
  };
  for (const Case& c : cases) {
    TlxFilterConditionOperators operators{30};
    Base()->GetSupportedOperators(nullptr, c.value_type, operators, c.extended);
    EXPECT_TRUE(operators == c.expected);
  }
}

TEST(FilterEditHelperTest, OperandCheckNullsEmptyTextAndRejectsWhatTheTypeRefuses) {
  int rejected = 0;
  const auto reject = [&rejected] { ++rejected; };

  Variant empty(std::string{});
  lxCheckFilterOperand(empty, fcoEqual, Base(), IntegerType(), reject);
  EXPECT_TRUE(empty.IsNull());

  Variant empty_text(std::string{});
  lxCheckFilterOperand(empty_text, fcoEqual, Base(), StringType(), reject);
  EXPECT_EQ(empty_text.Type(), varString);

  Variant pattern(std::string("a%"));
  lxCheckFilterOperand(pattern, fcoLike, Base(), IntegerType(), reject);
  EXPECT_EQ(rejected, 0);

  Variant number(std::string("12"));
  lxCheckFilterOperand(number, fcoGreater, Base(), IntegerType(), reject);
  EXPECT_EQ(rejected, 0);

  Variant word(std::string("twelve"));
  try {
    lxCheckFilterOperand(word, fcoGreater, Base(), IntegerType(), reject);
    ADD_FAILURE() << "no error";
  } catch (const ElxFilterControlError& error) {
    EXPECT_EQ(error.Message(), "Invalid value");
  }
  EXPECT_EQ(rejected, 1);

  // The helper's own error is replaced by the filter's.
  Variant any(int32_t{1});
  EXPECT_THROW(lxCheckFilterOperand(any, fcoEqual, &StatelessInstance<ThrowingHelper>(), IntegerType(), reject),
               ElxFilterControlError);
  EXPECT_EQ(rejected, 2);

  // Without a value type nothing is checked.
  Variant unchecked(std::string{});
  lxCheckFilterOperand(unchecked, fcoEqual, Base(), nullptr, reject);
  EXPECT_EQ(unchecked.Type(), varString);
}

TEST(FilterEditHelperTest, ValueEditorPropertiesAreSetUpForFiltering) {
  TlxCustomEditProperties source(nullptr);
  source.SetReadOnly(true);
  source.SetBeepOnError(true);
  source.GetAlignment()->SetHorz(taRightJustify);
  source.GetAlignment()->SetVert(taVCenter);
  source.Buttons()->AddButton();
  source.OnChange = [](TObject*) {};
  source.OnValidate = [](TObject*, Variant&, std::string&, bool&) {};
  TlxCustomEditDefaultValuesProvider provider(nullptr);
  source.SetDefaultValuesProvider(&provider);

  TlxCustomEditProperties target(nullptr);
  Base()->InitValueEditorProperties(&target, &source, false);
  EXPECT_EQ(target.GetAlignment()->Horz(), taLeftJustify);
  EXPECT_EQ(target.GetAlignment()->Vert(), taTopJustify);
  EXPECT_FALSE(target.BeepOnError());
  EXPECT_EQ(target.Buttons()->Count(), 0);
  EXPECT_FALSE(target.GetReadOnly());
  EXPECT_TRUE(target.AssignedValues()->ReadOnly());
  EXPECT_TRUE(target.ValidateOnEnter());
  EXPECT_EQ(target.DefaultValuesProvider(), &provider);
  EXPECT_FALSE(target.OnChange);
  EXPECT_FALSE(target.OnValidate);

  TlxCustomEditProperties keeping(nullptr);
  Base()->InitValueEditorProperties(&keeping, &source, true);
  EXPECT_EQ(keeping.Buttons()->Count(), 1);
}

class FilterEditsControllerTest : public ::testing::Test {
 protected:
  ~FilterEditsControllerTest() override {
    while (lxFilterEditsControllerExists()) {
      TlxFilterEditsController& controller = lxGetFilterEditsController();
      if (controller.PairCount() == 0) {
        // An empty registry goes with any unregistration.
        controller.UnregisterHelper(&kTextProperties, Text());
        continue;
      }
      const TlxRegisteredClassListItemData& pair = controller.Pair(0);
      // The pair's key is the parent; unregister through a child of it.
      const TClass child{"Child", pair.ItemClass};
      const TClassRef helper_class = pair.RegisteredClass;
      TlxFilterEditHelperClass helper = helper_class == &MaskHelper::kClass ? Mask() : Text();
      controller.UnregisterHelper(&child, helper);
    }
  }
};

TEST_F(FilterEditsControllerTest, HelpersAreKeyedByTheParentAndFoundForDescendants) {
  TlxFilterEditsController& controller = lxGetFilterEditsController();
  controller.RegisterHelper(&kTextProperties, Text());
  controller.RegisterHelper(&kMaskProperties, Mask());

  EXPECT_EQ(controller.Pair(0).ItemClass, &kCustomTextProperties);
  EXPECT_EQ(controller.FindHelperClass(&kTextProperties), Text());
  EXPECT_EQ(controller.FindHelperClass(&kMaskProperties), Mask());
  // No registration of its own: the nearest registered ancestor's helper.
  EXPECT_EQ(controller.FindHelperClass(&kButtonProperties), Mask());
  EXPECT_EQ(controller.FindHelperClass(&kImageProperties), nullptr);
  EXPECT_EQ(controller.FindHelperClass(nullptr), nullptr);
}

TEST_F(FilterEditsControllerTest, TheLastUnregistrationFreesTheRegistry) {
  lxGetFilterEditsController().RegisterHelper(&kTextProperties, Text());
  lxGetFilterEditsController().RegisterHelper(&kMaskProperties, Mask());

  lxGetFilterEditsController().UnregisterHelper(&kMaskProperties, Mask());
  ASSERT_TRUE(lxFilterEditsControllerExists());
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&kButtonProperties), Text());

  lxGetFilterEditsController().UnregisterHelper(&kTextProperties, Text());
  EXPECT_FALSE(lxFilterEditsControllerExists());

  TlxFilterEditsController& fresh = lxGetFilterEditsController();
  EXPECT_EQ(fresh.PairCount(), 0);
  EXPECT_EQ(fresh.FindHelperClass(&kTextProperties), nullptr);
}

}  // namespace
