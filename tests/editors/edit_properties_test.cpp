#include "editors/edit_properties.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

#include "platform/rtl/property.h"

namespace {

// Counts the owner's change callbacks.
struct ChangeCounter {
  explicit ChangeCounter(TlxCustomEditProperties& properties) {
    properties.SetOwnerChangedHandler([this](TlxCustomEditProperties*) { ++calls; });
  }
  int calls = 0;
};

// A kind that works with a display value and publishes its limits, as the
// spin and currency kinds do.
class ValueKindProperties : public TlxCustomEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<ValueKindProperties>();
    p.Float("MaxValue", &ValueKindProperties::MaxValue, &ValueKindProperties::SetMaxValue);
  }
  static constexpr TClass kClass{"ValueKindProperties", &TlxCustomEditProperties::kClass,
                                 &ConstructInstance<ValueKindProperties>, &ValueKindProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;
  using TlxCustomEditProperties::TlxCustomEditProperties;

  bool HasDisplayValue() const override { return true; }
};

// A provider that forbids changes, suggests right alignment and read-only.
class LockedDataProvider : public TlxCustomEditDefaultValuesProvider {
 public:
  using TlxCustomEditDefaultValuesProvider::TlxCustomEditDefaultValuesProvider;
  bool AllowsModification() const override { return false; }
  TAlignment SuggestedAlignment() const override { return taRightJustify; }
  bool SuggestedReadOnly() const override { return true; }
  double SuggestedMaxValue() const override { return 99; }
};

// An editor as far as validation sees it.
class ShownEdit : public IlxEditControl {
 public:
  bool HasValidateHandler() const override { return static_cast<bool>(handler); }
  void DoValidate(Variant& display_value, std::string& error_text, bool& error) override {
    handler(display_value, error_text, error);
  }
  std::string ShownText() const override { return "shown"; }

  std::function<void(Variant&, std::string&, bool&)> handler;
};

TEST(EditPropertiesTest, ChangesInsideTheBracketReachTheOwnerOnce) {
  TlxCustomEditProperties properties(nullptr);
  ChangeCounter counter(properties);

  properties.BeginUpdate();
  properties.SetAutoSelect(false);
  properties.SetBeepOnError(true);
  properties.SetClearKey(46);
  EXPECT_EQ(counter.calls, 0);
  properties.EndUpdate(true);
  EXPECT_EQ(counter.calls, 1);

  // EndUpdate(false) drops the change; the next outermost bracket starts clean.
  properties.BeginUpdate();
  properties.SetTransparent(true);
  properties.EndUpdate(false);
  EXPECT_EQ(counter.calls, 1);
  EXPECT_TRUE(properties.IsChangePending());
  properties.BeginUpdate();
  EXPECT_FALSE(properties.IsChangePending());
  properties.EndUpdate(true);
  EXPECT_EQ(counter.calls, 1);

  // A stray end changes nothing; an unchanged value notifies nobody.
  properties.EndUpdate(true);
  properties.SetTransparent(true);
  EXPECT_EQ(counter.calls, 1);
  properties.SetTransparent(false);
  EXPECT_EQ(counter.calls, 2);
}

TEST(EditPropertiesTest, TheChangeLockKeepsChangesPending) {
  TlxCustomEditProperties properties(nullptr);
  ChangeCounter counter(properties);
  properties.SetChangedLock(true);
  properties.SetImmediatePost(true);
  EXPECT_EQ(counter.calls, 0);
  EXPECT_TRUE(properties.IsChangePending());
  properties.SetChangedLock(false);
  properties.SetImmediatePost(false);
  EXPECT_EQ(counter.calls, 1);
}

TEST(EditPropertiesTest, AFailingOwnerCallbackLeavesTheHandlerNestingBalanced) {
  TlxCustomEditProperties properties(nullptr);
  bool inside = false;
  properties.SetOwnerChangedHandler([&](TlxCustomEditProperties* changed) {
    inside = changed->IsInChangeHandler();
    throw std::runtime_error("owner failed");
  });
  EXPECT_THROW(properties.SetAutoSelect(false), std::runtime_error);
  EXPECT_TRUE(inside);
  EXPECT_FALSE(properties.IsInChangeHandler());
}

TEST(EditPropertiesTest, AnOwnerBeingDestroyedHearsNothing) {
  TComponent owner(nullptr);
  TlxCustomEditProperties properties(&owner);
  ChangeCounter counter(properties);
  owner.Destroying();
  properties.SetAutoSelect(false);
  EXPECT_EQ(counter.calls, 0);
  EXPECT_TRUE(properties.IsChangePending());
}

TEST(EditPropertiesTest, ReadOnlyIsAssignedBySettingItAndOnlyThenInForce) {
  TlxCustomEditProperties properties(nullptr);
  ChangeCounter counter(properties);
  LockedDataProvider provider(nullptr);
  properties.SetDefaultValuesProvider(&provider);
  EXPECT_TRUE(properties.GetReadOnly());
  EXPECT_FALSE(properties.IsModificationAllowed());

  properties.SetReadOnly(false);
  EXPECT_TRUE(properties.AssignedValues()->ReadOnly());
  EXPECT_EQ(counter.calls, 1);
  EXPECT_FALSE(properties.GetReadOnly());
  // Assigned False wins over a provider that forbids changes.
  EXPECT_TRUE(properties.IsModificationAllowed());
  properties.SetReadOnly(false);
  EXPECT_EQ(counter.calls, 1);

  properties.AssignedValues()->RestoreDefaults();
  EXPECT_FALSE(properties.AssignedValues()->ReadOnly());
  EXPECT_TRUE(properties.GetReadOnly());
}

TEST(EditPropertiesTest, ModificationFollowsReadOnlyAndTheProvider) {
  struct Case {
    bool assign_read_only;
    bool read_only;
    bool with_provider;
    bool allowed;
  };
  const Case cases[] = {
      {false, false, false, true},
      {true, true, false, false},
      {true, false, true, true},
      {false, false, true, false},
  };
  for (const Case& c : cases) {
    TlxCustomEditProperties properties(nullptr);
    TlxCustomEditDefaultValuesProvider neutral(nullptr);
    LockedDataProvider locked(nullptr);
    if (c.with_provider)
      properties.SetDefaultValuesProvider(&locked);
    if (c.assign_read_only)
      properties.SetReadOnly(c.read_only);
    EXPECT_EQ(properties.IsModificationAllowed(), c.allowed);
  }
}

TEST(EditPropertiesTest, LimitsComeFromTheLocalValueThenTheProvider) {
  ValueKindProperties properties(nullptr);
  LockedDataProvider provider(nullptr);
  properties.SetDefaultValuesProvider(&provider);
  EXPECT_EQ(properties.MaxValue(), 99);
  EXPECT_FALSE(properties.AssignedValues()->MaxValueNeedsStoring());

  properties.SetMaxValue(0);
  EXPECT_EQ(properties.MaxValue(), 0);
  // The kind publishes MaxValue itself: an assigned 0 is stored through the flag.
  EXPECT_TRUE(properties.MaxValueNeedsStoring());
  EXPECT_TRUE(properties.AssignedValues()->MaxValueNeedsStoring());
  properties.SetMaxValue(5);
  EXPECT_TRUE(properties.MaxValueNeedsStoring());
  EXPECT_FALSE(properties.AssignedValues()->MaxValueNeedsStoring());

  // The base class publishes no limits, so its flag is never stored alone.
  TlxCustomEditProperties plain(nullptr);
  plain.SetMaxValue(0);
  EXPECT_TRUE(plain.MaxValueNeedsStoring());
  EXPECT_FALSE(plain.AssignedValues()->MaxValueNeedsStoring());
}

TEST(EditPropertiesTest, ValueComparisons) {
  TlxCustomEditProperties properties(nullptr);
  EXPECT_TRUE(properties.EditValuesEqual(Variant::Null(), Variant::Null()));
  EXPECT_FALSE(properties.EditValuesEqual(Variant::Null(), Variant(int32_t{0})));
  EXPECT_TRUE(properties.EditValuesEqual(Variant(int32_t{1}), Variant(1.0)));

  struct Case {
    Variant v1;
    Variant v2;
    bool edit_equal;
    bool strict_equal;
  };
  const Case cases[] = {
      {Variant(int32_t{1}), Variant(1.0), true, false},
      {Variant(int32_t{1}), Variant(int32_t{1}), true, true},
      {Variant(std::string("1")), Variant(int32_t{1}), false, false},
      {Variant(true), Variant(true), true, true},
      {Variant(std::string("a")), Variant(std::string("b")), false, false},
      {Variant::Null(), Variant::Null(), true, true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(lxEditValuesEqual(c.v1, c.v2), c.edit_equal);
    EXPECT_EQ(lxVarEqualsStrict(c.v1, c.v2), c.strict_equal);
  }
}

TEST(EditPropertiesTest, ValidationErrorWithUntouchedValueShowsTheEditorsText) {
  ValueKindProperties properties(nullptr);
  ShownEdit edit;
  edit.handler = [](Variant&, std::string&, bool& error) { error = true; };

  Variant display(std::string("typed"));
  std::string error_text;
  bool error = false;
  properties.ValidateDisplayValue(display, error_text, error, &edit);
  EXPECT_TRUE(error);
  EXPECT_EQ(error_text, "Invalid input value. Use escape key to abandon changes");
  EXPECT_EQ(VarToStr(display), "shown");

  // A handler that changes the value keeps its value.
  edit.handler = [](Variant& value, std::string&, bool& error_flag) {
    value = Variant(std::string("fixed"));
    error_flag = true;
  };
  display = Variant(std::string("typed"));
  bool changed = false;
  TlxCustomEditProperties::RunValidateEvent(display, error_text, error, &edit, changed);
  EXPECT_TRUE(changed);
  EXPECT_EQ(VarToStr(display), "fixed");

  // Kinds without a display value validate nothing.
  TlxCustomEditProperties plain(nullptr);
  display = Variant(std::string("typed"));
  error = false;
  error_text.clear();
  plain.ValidateDisplayValue(display, error_text, error, &edit);
  EXPECT_FALSE(error);
  EXPECT_TRUE(error_text.empty());
}

TEST(EditPropertiesTest, ASuggestedAlignmentIsShownUnassignedAndCopiedAsAssigned) {
  TlxCustomEditProperties source(nullptr);
  LockedDataProvider provider(nullptr);
  source.SetDefaultValuesProvider(&provider);
  EXPECT_EQ(source.GetAlignment()->Horz(), taRightJustify);
  EXPECT_FALSE(source.GetAlignment()->IsHorzAssigned());
  EXPECT_FALSE(source.AlignmentNeedsStoring());

  TlxCustomEditProperties copy(nullptr);
  copy.Assign(&source);
  EXPECT_TRUE(copy.GetAlignment()->IsHorzAssigned());
  EXPECT_EQ(copy.GetAlignment()->Horz(), taRightJustify);
  EXPECT_TRUE(copy.AlignmentNeedsStoring());

  // Writing through the returned object reaches the stored alignment.
  copy.GetAlignment()->SetVert(taVCenter);
  EXPECT_EQ(copy.GetAlignment()->Vert(), taVCenter);
  copy.RestoreDefaults();
  EXPECT_FALSE(copy.GetAlignment()->IsHorzAssigned());
}

TEST(EditPropertiesTest, AssignCopiesSettingsAndOnlyAssignedLimitsInOneChange) {
  TlxCustomEditProperties source(nullptr);
  source.SetAutoSelect(false);
  source.SetClickKey(13);
  source.SetMinValue(3);
  source.SetImmediatePost(true);
  source.SetValidateOnEnter(true);
  source.Buttons()->AddButton()->SetKind(bkEllipsis);
  source.OnChange = [](TObject*) {};

  TlxCustomEditProperties target(nullptr);
  target.SetMaxValue(7);
  ChangeCounter counter(target);
  target.Assign(&source);
  EXPECT_EQ(counter.calls, 1);
  EXPECT_FALSE(target.AutoSelect());
  EXPECT_EQ(target.ClickKey(), 13);
  EXPECT_TRUE(target.AssignedValues()->MinValue());
  EXPECT_EQ(target.MinValue(), 3);
  EXPECT_FALSE(target.AssignedValues()->MaxValue());
  EXPECT_EQ(target.MaxValue(), 0);
  EXPECT_TRUE(target.ImmediatePost());
  EXPECT_TRUE(target.ValidateOnEnter());
  ASSERT_EQ(target.Buttons()->Count(), 1);
  EXPECT_EQ(target.Buttons()->GetButton(0)->Kind(), bkEllipsis);
  EXPECT_TRUE(target.OnChange);
  EXPECT_EQ(target.GetEditCapabilities(), kLxEditCapButtons);
}

TEST(EditPropertiesTest, AFreedProviderDetachesFromEveryProperties) {
  TlxCustomEditProperties first(nullptr);
  TlxCustomEditProperties second(nullptr);
  TlxCustomEditDefaultValuesProvider other(nullptr);
  {
    LockedDataProvider provider(nullptr);
    first.SetDefaultValuesProvider(&provider);
    second.SetDefaultValuesProvider(&other);
  }
  EXPECT_EQ(first.DefaultValuesProvider(), nullptr);
  EXPECT_EQ(second.DefaultValuesProvider(), &other);
  EXPECT_FALSE(first.GetReadOnly());
}

TEST(EditPropertiesTest, ButtonChangesNotifyAndKeepOneDefault) {
  TlxCustomEditProperties properties(nullptr);
  ChangeCounter counter(properties);
  TlxEditButton* first = properties.Buttons()->AddButton();
  TlxEditButton* second = properties.Buttons()->AddButton();
  const int after_adding = counter.calls;
  EXPECT_GT(after_adding, 0);

  first->SetDefault(true);
  second->SetDefault(true);
  EXPECT_FALSE(first->Default());
  EXPECT_TRUE(second->Default());

  const int before = counter.calls;
  second->SetWidth(-4);
  second->SetWidth(0);
  EXPECT_EQ(counter.calls, before);
  second->SetVisible(false);
  EXPECT_EQ(counter.calls, before + 1);
  EXPECT_EQ(properties.Buttons()->CountVisible(), 1);
}

TEST(EditPropertiesTest, ButtonCaptionsAreShownWithoutAcceleratorMarks) {
  struct Case {
    const char* caption;
    const char* shown;
  };
  const Case cases[] = {{"&Open", "Open"}, {"A&&B", "A&B"}, {"End&", "End_"}, {"", ""}, {"x&y&z", "xyz"}};
  for (const Case& c : cases)
    EXPECT_EQ(lxEditButtonDisplayCaption(c.caption), c.shown) << c.caption;
}

TEST(EditPropertiesTest, OwnerComponentIsFoundUpTheOwnerChain) {
  TComponent owner(nullptr);
  TlxCustomEditProperties properties(&owner);
  EXPECT_EQ(lxFindOwnerComponent(properties.Buttons()), &owner);
  EXPECT_EQ(lxFindOwnerComponent(&owner), &owner);
  TlxCustomEditProperties loose(nullptr);
  EXPECT_EQ(lxFindOwnerComponent(&loose), nullptr);
}

}  // namespace
