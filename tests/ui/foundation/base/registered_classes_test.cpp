#include "ui/foundation/base/registered_classes.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/locale.h"
#include "ui/foundation/base/registered_class_list.h"

namespace {

// A small family: A <- B <- C, and D beside it.
class TTestA : public TObject {
 public:
  static constexpr TClass kClass{"TTestA", &TObject::kClass, &ConstructInstance<TTestA>};
};
class TTestB : public TTestA {
 public:
  static constexpr TClass kClass{"TTestB", &TTestA::kClass, &ConstructInstance<TTestB>};
};
class TTestC : public TTestB {
 public:
  static constexpr TClass kClass{"TTestC", &TTestB::kClass, &ConstructInstance<TTestC>};
};
class TTestD : public TObject {
 public:
  static constexpr TClass kClass{"TTestD", &TObject::kClass, &ConstructInstance<TTestD>};
};
// Stand-ins for the classes registered against the family.
constexpr TClass kHelperX{"THelperX", &TObject::kClass};
constexpr TClass kHelperY{"THelperY", &TObject::kClass};
constexpr TClass kHelperZ{"THelperZ", &TObject::kClass};

TEST(RegisteredClassListTest, LookupFindsTheNearestRegisteredAncestor) {
  TlxRegisteredClassList list;
  list.RegisterPair(&TTestA::kClass, &kHelperX);
  list.RegisterPair(&TTestB::kClass, &kHelperY);
  EXPECT_EQ(list.LookupRegisteredClass(&TTestC::kClass), &kHelperY);
  EXPECT_EQ(list.LookupRegisteredClass(&TTestB::kClass), &kHelperY);
  EXPECT_EQ(list.LookupRegisteredClass(&TTestA::kClass), &kHelperX);
  EXPECT_EQ(list.LookupRegisteredClass(&TTestD::kClass), nullptr);
  EXPECT_EQ(list.LookupRegisteredClass(nullptr), nullptr);
}

TEST(RegisteredClassListTest, AnAncestorRegisteredLaterGoesBeforeItsDescendants) {
  TlxRegisteredClassList list;
  list.RegisterPair(&TTestB::kClass, &kHelperY);
  list.RegisterPair(&TTestD::kClass, &kHelperZ);
  list.RegisterPair(&TTestA::kClass, &kHelperX);
  ASSERT_EQ(list.PairCount(), 3);
  EXPECT_EQ(list.Pair(0).ItemClass, &TTestA::kClass);
  EXPECT_EQ(list.Pair(1).ItemClass, &TTestB::kClass);
  EXPECT_EQ(list.Pair(2).ItemClass, &TTestD::kClass);
  EXPECT_EQ(list.LookupRegisteredClass(&TTestB::kClass), &kHelperY);
  EXPECT_EQ(list.LookupRegisteredClass(&TTestA::kClass), &kHelperX);
}

TEST(RegisteredClassListTest, TheLatestPairForAClassWinsAndUnregisterTakesExactPairs) {
  TlxRegisteredClassList list;
  list.RegisterPair(&TTestA::kClass, &kHelperX);
  list.RegisterPair(&TTestA::kClass, &kHelperZ);  // goes right after the first
  list.RegisterPair(&TTestA::kClass, &kHelperX);
  EXPECT_EQ(list.LookupRegisteredClass(&TTestB::kClass), &kHelperX);

  list.UnregisterPair(&TTestA::kClass, &kHelperY);  // no such pair
  EXPECT_EQ(list.PairCount(), 3);
  list.UnregisterPair(&TTestA::kClass, &kHelperX);
  ASSERT_EQ(list.PairCount(), 1);
  EXPECT_EQ(list.LookupRegisteredClass(&TTestC::kClass), &kHelperZ);
  EXPECT_THROW(list.Pair(1), EListError);
}

class RegisteredClassesTest : public ::testing::Test {
 protected:
  RegisteredClassesTest() : earlier_locale_(UserLocale()) {}
  ~RegisteredClassesTest() override { RestoreUserLocale(earlier_locale_); }
  const TLocale& earlier_locale_;
};

TEST_F(RegisteredClassesTest, AddingAClassTwiceKeepsTheFirstText) {
  TlxRegisteredClasses registry(false);
  registry.AddClass(&TTestA::kClass, "TextEdit|Represents a single line text editor");
  registry.AddClass(&TTestA::kClass, "Other|text");
  registry.AddClass(nullptr, "Nothing");
  ASSERT_EQ(registry.Count(), 1);
  EXPECT_EQ(registry.DescriptionOf(0), "TextEdit");
  EXPECT_EQ(registry.DisplayText(0), "TextEdit|Represents a single line text editor");
  EXPECT_EQ(registry.Item(0), &TTestA::kClass);
}

TEST_F(RegisteredClassesTest, SortedRegistryComparesOnlyTheShortDescriptionWithoutCase) {
  SetUserLocale(CreateLocale("de-DE"));
  TlxRegisteredClasses registry(false);
  registry.AddClass(&TTestA::kClass, "textEdit|a");
  registry.AddClass(&TTestB::kClass, "CheckBox|b");
  EXPECT_EQ(registry.Item(0), &TTestA::kClass) << "unsorted keeps the order of addition";
  registry.SetSorted(true);
  EXPECT_EQ(registry.Item(0), &TTestB::kClass);
  registry.AddClass(&TTestC::kClass, "button|z");
  EXPECT_EQ(registry.Item(0), &TTestC::kClass) << "additions re-sort";
  EXPECT_EQ(registry.IndexOf(&TTestA::kClass), 2);
}

// A registry that puts descriptions starting with "DB" last, as the grid's
// view-kind registry does.
class TDataLastRegistry : public TlxRegisteredClasses {
 public:
  TDataLastRegistry() : TlxRegisteredClasses(false) {}

 protected:
  int CompareEntries(int32_t index1, int32_t index2) const override {
    const bool data1 = DescriptionOf(index1).starts_with("DB");
    const bool data2 = DescriptionOf(index2).starts_with("DB");
    if (data1 != data2)
      return data1 ? 1 : -1;
    return TlxRegisteredClasses::CompareEntries(index1, index2);
  }
};

TEST_F(RegisteredClassesTest, ADescendantChangesTheOrderThroughCompareEntries) {
  TDataLastRegistry registry;
  registry.SetSorted(true);
  registry.AddClass(&TTestA::kClass, "DBTable|data");
  registry.AddClass(&TTestB::kClass, "Table|plain");
  registry.AddClass(&TTestC::kClass, "Banded|plain");
  EXPECT_EQ(registry.DescriptionOf(0), "Banded");
  EXPECT_EQ(registry.DescriptionOf(1), "Table");
  EXPECT_EQ(registry.DescriptionOf(2), "DBTable");
}

TEST_F(RegisteredClassesTest, FindByClassNameIsExactAndRemoveIgnoresStrangers) {
  TlxRegisteredClasses registry(false);
  registry.AddClass(&TTestA::kClass, "A");
  registry.AddClass(&TTestB::kClass, "B");
  EXPECT_EQ(registry.FindByClassName("TTestB"), &TTestB::kClass);
  EXPECT_EQ(registry.FindByClassName("ttestb"), nullptr);
  registry.RemoveClass(&TTestD::kClass);
  EXPECT_EQ(registry.Count(), 2);
  registry.RemoveClass(&TTestA::kClass);
  EXPECT_EQ(registry.Count(), 1);
  EXPECT_EQ(registry.IndexOf(&TTestA::kClass), -1);
}

TEST_F(RegisteredClassesTest, RegisteringRegistryMakesClassesStreamable) {
  {
    TlxRegisteredClasses registry(true);
    registry.AddClass(&TTestD::kClass, "D");
    EXPECT_EQ(GetClass("TTestD"), &TTestD::kClass);
  }
  UnRegisterStreamableClass(TTestD::kClass);
  TlxRegisteredClasses quiet(false);
  quiet.AddClass(&TTestD::kClass, "D");
  EXPECT_EQ(GetClass("TTestD"), nullptr);
}

TEST_F(RegisteredClassesTest, DescriptionWithoutBarIsTheWholeText) {
  TlxRegisteredClasses registry(false);
  registry.AddClass(&TTestA::kClass, "Plain text");
  registry.AddClass(&TTestB::kClass, "|starts with a bar");
  EXPECT_EQ(registry.DescriptionOf(0), "Plain text");
  EXPECT_EQ(registry.DescriptionOf(1), "");
  EXPECT_THROW(registry.DescriptionOf(2), EStringListError);
}

}  // namespace
