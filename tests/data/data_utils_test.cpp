#include "data/data_utils.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_binding.h"
#include "data/data_controller_texts.h"
#include "data/lookup_list.h"
#include "data/lx_collection.h"
#include "platform/rtl/locale.h"

namespace {

TEST(DataControllerTextsTest, RegisteredInOrderUnderTheProductKey) {
  EXPECT_EQ(lxDataControllerText(lxSDataReadError), "Stream read error");
  EXPECT_EQ(lxDataControllerText(lxSDBKeyFieldNotFound), "Key Field not found");
  TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
  const int32_t index = repository.IndexOfProduct(kLxDataControllerProductKey);
  ASSERT_GE(index, 0);
  TlxProductResourceStrings* product = repository.Product(index);
  ASSERT_EQ(product->ResStringCount(), 12);
  EXPECT_EQ(product->Identifier(0), "lxSDataReadError");
  EXPECT_EQ(product->Identifier(6), "lxSDataInvalidStreamFormat");
  EXPECT_EQ(lxLookupResString(product->Record(7)), "RowIndex out of range");
}

TEST(DataUtilsTest, FirstDayAndStartOfWeek) {
  const TDateTime sunday = EncodeDate(2024, 6, 9);
  const TDateTime monday = EncodeDate(2024, 6, 10);
  {
    TScopedLocale locale("de-DE");
    EXPECT_EQ(lxGetLocaleFirstDayOfWeek(), 1);
    EXPECT_EQ(lxGetStartOfWeek(sunday + 0.75), EncodeDate(2024, 6, 3));
    EXPECT_EQ(lxGetStartOfWeek(monday), monday);
  }
  {
    TScopedLocale locale("en-US");
    EXPECT_EQ(lxGetLocaleFirstDayOfWeek(), 0);
    EXPECT_EQ(lxGetStartOfWeek(sunday), sunday);
    EXPECT_EQ(lxGetStartOfWeek(monday + 5), sunday);
  }
  EXPECT_EQ(lxDateOf(5.25), 5.0);
  EXPECT_EQ(lxTimeOf(5.25), 0.25);
}

TEST(DataUtilsTest, CurrencyFormat) {
  TScopedLocale locale("de-DE");
  struct Case {
    const char* symbol;
    uint8_t position;
    uint8_t decimals;
    const char* expected;
  };
  const std::vector<Case> cases = {
      {"EUR", 3, 2, ",0.00 EUR"}, {"EUR", 0, 2, "EUR,0.00"}, {"EUR", 1, 2, ",0.00EUR"},
      {"EUR", 2, 2, "EUR ,0.00"}, {"Fr.", 3, 2, ",0.00 Fr'.'"}, {"EUR", 3, 0, ",0. EUR"},
      {"", 3, 2, ",0.00"},
  };
  for (const Case& row : cases) {
    SCOPED_TRACE(row.expected);
    TFormatSettings settings = UserLocale().Settings();
    settings.CurrencyString = row.symbol;
    settings.CurrencyFormat = row.position;
    settings.CurrencyDecimals = row.decimals;
    class FixedLocale : public TLocale {
     public:
      using TLocale::TLocale;
      std::u16string UpperCase(std::u16string_view text) const override { return std::u16string(text); }
      std::u16string LowerCase(std::u16string_view text) const override { return std::u16string(text); }
      int Compare(std::u16string_view a, std::u16string_view b, TCompareCase) const override {
        return a.compare(b);
      }
    };
    const TLocale& before = UserLocale();
    SetUserLocale(std::make_unique<FixedLocale>("test", settings));
    EXPECT_EQ(lxBuildCurrencyFormat(), row.expected);
    RestoreUserLocale(before);
  }
}

TEST(DataUtilsTest, TextEqualsOrStartsWith) {
  TScopedLocale locale("de-DE");
  EXPECT_TRUE(lxTextEqualsOrStartsWith("Alpha", "al", true));
  EXPECT_FALSE(lxTextEqualsOrStartsWith("Alpha", "al", false));
  EXPECT_TRUE(lxTextEqualsOrStartsWith("Alpha", "ALPHA", false));
  EXPECT_TRUE(lxTextEqualsOrStartsWith("", "", true));
  EXPECT_FALSE(lxTextEqualsOrStartsWith("Alpha", "", true));
  EXPECT_TRUE(lxTextEqualsOrStartsWith("\xc3\xa4rger", "\xc3\x84R", true));
}

TEST(DataBindingTest, BaseHasNoDataAndReportsReadOnlyChanges) {
  TlxCustomDataBinding binding(nullptr, nullptr);
  int state_changes = 0;
  binding.OnStateChange = [&state_changes](TObject*) { ++state_changes; };
  EXPECT_TRUE(binding.TryEdit());
  EXPECT_TRUE(binding.GetStoredValue().IsNull());
  binding.ChangeReadOnly(true);
  binding.ChangeReadOnly(true);
  EXPECT_EQ(state_changes, 1);
  EXPECT_FALSE(binding.CanModify());
  EXPECT_TRUE(binding.IsControlReadOnly());
  int updates = 0;
  binding.OnUpdateData = [&updates](TObject*) { ++updates; };
  binding.RequestControlValue();
  EXPECT_EQ(updates, 1);
}

class NamedItem : public TCollectionItem {
 public:
  static constexpr TClass kClass{"TNamedItem", &TCollectionItem::kClass, &ConstructInstance<NamedItem>};
  const TClass* ClassType() const override { return &kClass; }
  using TCollectionItem::TCollectionItem;
  void Assign(const TPersistent* source) override {
    name = static_cast<const NamedItem*>(source)->name;
  }
  std::string name;
};

TEST(LxCollectionTest, CopyKeepsExistingItems) {
  TlxCollection source(NamedItem::kClass);
  TlxCollection target(NamedItem::kClass);
  for (const char* name : {"a", "b", "c"})
    static_cast<NamedItem*>(source.Add())->name = name;
  for (int i = 0; i < 5; ++i)
    target.Add();
  TCollectionItem* first = target.Items(0);
  target.Assign(&source);
  ASSERT_EQ(target.Count(), 3);
  EXPECT_EQ(target.Items(0), first);
  EXPECT_EQ(static_cast<NamedItem*>(target.Items(2))->name, "c");
  TlxCollection empty(NamedItem::kClass);
  target.Assign(&empty);
  EXPECT_EQ(target.Count(), 0);
}

TEST(LookupListTest, FindsAndInsertsInOrder) {
  TlxLookupList list;
  int32_t index = -1;
  EXPECT_FALSE(list.Find(5, index));
  EXPECT_EQ(index, 0);
  for (int value : {5, 1, 3}) {
    ASSERT_FALSE(list.Find(value, index));
    list.Insert(index, value, "v" + std::to_string(value));
  }
  EXPECT_TRUE(list.Find(3, index));
  EXPECT_EQ(index, 1);
  EXPECT_EQ(list.ItemAt(2).DisplayText, "v5");
  EXPECT_FALSE(list.Find(4, index));
  EXPECT_EQ(index, 2);
  EXPECT_FALSE(list.Find(Variant::Null(), index));
  EXPECT_EQ(index, 0);
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
}

}  // namespace
