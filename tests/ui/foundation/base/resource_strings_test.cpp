#include "ui/foundation/base/resource_strings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

inline constexpr TlxResourceString lxSTestReadError{"lxSTestReadError"};
inline constexpr TlxResourceString lxSTestWriteError{"lxSTestWriteError"};
inline constexpr TlxResourceString lxSTestNeverAdded{"lxSTestNeverAdded"};

constexpr TlxStringResource kTestTexts[] = {
    {&lxSTestReadError, "Stream read error"},
    {&lxSTestWriteError, "Stream write error"},
};

// Each test leaves a fresh repository behind, as the library's core module
// end does.
class ResourceStringsTest : public ::testing::Test {
 protected:
  ~ResourceStringsTest() override { lxFreeResourceStringsRepository(); }
};

TEST_F(ResourceStringsTest, ModuleStartRegistersIdentifiersInOrderAndTheLookupFindsTheTexts) {
  lxRegisterProductStrings("LxTestProduct", kTestTexts);
  TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
  ASSERT_EQ(repository.ProductCount(), 1);
  const TlxProductResourceStrings* product = repository.Product(0);
  EXPECT_EQ(product->ProductKey(), "LxTestProduct");
  ASSERT_EQ(product->ResStringCount(), 2);
  EXPECT_EQ(product->Identifier(0), "lxSTestReadError");
  EXPECT_EQ(product->Record(0), &lxSTestReadError);
  EXPECT_EQ(product->Identifier(1), "lxSTestWriteError");
  EXPECT_EQ(lxLookupResString(&lxSTestReadError), "Stream read error");
  EXPECT_EQ(lxLookupResString(lxSTestReadError), "Stream read error");
  EXPECT_EQ(lxLookupResString(product->Record(1)), "Stream write error");
}

TEST_F(ResourceStringsTest, MissingResourcesGiveTheEmptyText) {
  EXPECT_EQ(lxLookupResString(&lxSTestNeverAdded), "");
  EXPECT_EQ(lxLookupResString(nullptr), "");
}

TEST_F(ResourceStringsTest, TextsOutliveTheirProductAndCannotBeReplaced) {
  lxRegisterProductStrings("LxTestProduct", kTestTexts);
  lxGetResourceStringsRepository().UnregisterProduct("LxTestProduct");
  EXPECT_EQ(lxLookupResString(&lxSTestWriteError), "Stream write error");
  const TlxStringResource same[] = {{&lxSTestWriteError, "Stream write error"}};
  EXPECT_NO_THROW(lxAddStringResources(same));
  const TlxStringResource other[] = {{&lxSTestWriteError, "Another text"}};
  EXPECT_THROW(lxAddStringResources(other), EInvalidOperation);
  EXPECT_EQ(lxLookupResString(&lxSTestWriteError), "Stream write error");
  const TlxStringResource no_record[] = {{nullptr, "Text"}};
  EXPECT_THROW(lxAddStringResources(no_record), EInvalidOperation);
}

TEST_F(ResourceStringsTest, RegistrationProcedureRunsAtOnceWithTheNewEntry) {
  std::vector<const TlxProductResourceStrings*> seen;
  TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
  repository.RegisterProduct("LxFirst", [&seen](TlxProductResourceStrings& product) {
    seen.push_back(&product);
    product.AddResString("lxSTestReadError", &lxSTestReadError);
    product.AddResString("lxSTestReadError", &lxSTestReadError);  // duplicates stay
  });
  repository.RegisterProduct("LxSecond", nullptr);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], repository.Product(0));
  EXPECT_EQ(repository.Product(0)->ResStringCount(), 2);
  EXPECT_EQ(repository.Product(1)->ResStringCount(), 0);
  EXPECT_THROW(repository.Product(2), EListError);
}

TEST_F(ResourceStringsTest, UnregisteringRemovesTheFirstExactMatchOnly) {
  TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
  int registrations = 0;
  const auto count = [&registrations](TlxProductResourceStrings&) { ++registrations; };
  repository.RegisterProduct("LxDataGrid", count);
  repository.RegisterProduct("LxEditors Library", nullptr);
  repository.RegisterProduct("LxDataGrid", count);
  EXPECT_EQ(registrations, 2);
  EXPECT_EQ(repository.IndexOfProduct("LxDataGrid"), 0);

  repository.UnregisterProduct("lxdatagrid");
  EXPECT_EQ(repository.ProductCount(), 3);
  repository.UnregisterProduct("LxUnknown");
  EXPECT_EQ(repository.ProductCount(), 3);

  repository.UnregisterProduct("LxDataGrid");
  ASSERT_EQ(repository.ProductCount(), 2);
  EXPECT_EQ(repository.Product(0)->ProductKey(), "LxEditors Library");
  EXPECT_EQ(repository.IndexOfProduct("LxDataGrid"), 1);
  EXPECT_EQ(repository.IndexOfProduct("LxFilterControl"), -1);
}

TEST_F(ResourceStringsTest, TheRepositoryIsOneObjectUntilTheModuleEnds) {
  TlxResourceStringsRepository* first = &lxGetResourceStringsRepository();
  first->RegisterProduct("LxLibrary", nullptr);
  EXPECT_EQ(&lxGetResourceStringsRepository(), first);
  lxFreeResourceStringsRepository();
  EXPECT_EQ(lxGetResourceStringsRepository().ProductCount(), 0);
}

}  // namespace
