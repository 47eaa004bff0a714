// The kinds' assigned-value flags go through one template: Assign copies
// every flag of the kind inside one change bracket, RestoreDefaults clears
// them, and a flag that does not move announces nothing.

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

#include "editors/kinds/currency_edit_properties.h"
#include "editors/kinds/date_edit_properties.h"
#include "editors/kinds/spin_edit_properties.h"

namespace flag_properties_values_test {

template <class Values>
Values& ValuesOf(TlxCustomEditProperties& properties) {
  auto* values = dynamic_cast<Values*>(properties.AssignedValues());
  EXPECT_NE(values, nullptr);
  return *values;
}

struct FlagAccess {
  std::function<bool(TlxCustomEditProperties&)> get;
  std::function<void(TlxCustomEditProperties&, bool)> set;
};

struct Kind {
  const char* name;
  std::function<std::unique_ptr<TlxCustomEditProperties>()> make;
  std::vector<FlagAccess> flags;
};

template <class Values>
FlagAccess Flag(bool (Values::*get)() const, void (Values::*set)(bool)) {
  return {[get](TlxCustomEditProperties& p) { return (ValuesOf<Values>(p).*get)(); },
          [set](TlxCustomEditProperties& p, bool value) { (ValuesOf<Values>(p).*set)(value); }};
}

std::vector<Kind> Kinds() {
  using Currency = TlxCurrencyEditPropertiesValues;
  using Spin = TlxSpinEditPropertiesValues;
  using Date = TlxDateEditPropertiesValues;
  return {
      {"currency", [] { return std::make_unique<TlxCurrencyEditProperties>(nullptr); },
       {Flag(&Currency::DecimalPlaces, &Currency::SetDecimalPlaces)}},
      {"spin", [] { return std::make_unique<TlxSpinEditProperties>(nullptr); },
       {Flag(&Spin::ValueType, &Spin::SetValueType)}},
      {"date", [] { return std::make_unique<TlxDateEditProperties>(nullptr); },
       {Flag(&Date::DateButtons, &Date::SetDateButtons),
        Flag(&Date::InputKind, &Date::SetInputKind)}},
  };
}

TEST(FlagPropertiesValuesTest, AssignCopiesEveryFlagAndRestoreDefaultsClearsThem) {
  for (const Kind& kind : Kinds()) {
    std::unique_ptr<TlxCustomEditProperties> source = kind.make();
    std::unique_ptr<TlxCustomEditProperties> target = kind.make();
    for (const FlagAccess& flag : kind.flags)
      flag.set(*source, true);

    target->AssignedValues()->Assign(source->AssignedValues());
    for (size_t i = 0; i < kind.flags.size(); ++i)
      EXPECT_TRUE(kind.flags[i].get(*target)) << kind.name << " flag " << i << " after Assign";

    target->AssignedValues()->RestoreDefaults();
    for (size_t i = 0; i < kind.flags.size(); ++i)
      EXPECT_FALSE(kind.flags[i].get(*target)) << kind.name << " flag " << i << " after RestoreDefaults";
    // The source is left as it was.
    for (const FlagAccess& flag : kind.flags)
      EXPECT_TRUE(flag.get(*source)) << kind.name;
  }
}

TEST(FlagPropertiesValuesTest, OnlyAFlagThatMovesTellsTheProperties) {
  for (const Kind& kind : Kinds()) {
    std::unique_ptr<TlxCustomEditProperties> properties = kind.make();
    int changes = 0;
    properties->SetOwnerChangedHandler([&changes](TlxCustomEditProperties*) { ++changes; });
    const FlagAccess& flag = kind.flags.front();
    flag.set(*properties, false);
    EXPECT_EQ(changes, 0) << kind.name << ": unchanged";
    flag.set(*properties, true);
    EXPECT_EQ(changes, 1) << kind.name << ": set";
    // Assign from a copy with every flag set moves nothing here but the
    // other flags, and tells once for the whole bracket.
    std::unique_ptr<TlxCustomEditProperties> all_set = kind.make();
    for (const FlagAccess& each : kind.flags)
      each.set(*all_set, true);
    changes = 0;
    properties->AssignedValues()->Assign(all_set->AssignedValues());
    EXPECT_LE(changes, 1) << kind.name << ": one bracket";
  }
}

}  // namespace flag_properties_values_test
