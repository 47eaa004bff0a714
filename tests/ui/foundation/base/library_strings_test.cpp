#include "ui/foundation/base/library_strings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class LibraryStringsTest : public ::testing::Test {
 protected:
  ~LibraryStringsTest() override { lxFreeResourceStringsRepository(); }
};

TEST_F(LibraryStringsTest, ModuleStartListsEveryTextUnderTheLibraryKeyInTableOrder) {
  lxRegisterLibraryStrings();
  TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
  const int32_t index = repository.IndexOfProduct("LxLibrary");
  ASSERT_GE(index, 0);
  const TlxProductResourceStrings* product = repository.Product(index);
  const auto table = lxLibraryStringTable();
  ASSERT_EQ(product->ResStringCount(), static_cast<int32_t>(table.size()));
  for (int32_t i = 0; i < product->ResStringCount(); ++i) {
    EXPECT_EQ(product->Record(i), table[i].Record);
    EXPECT_EQ(product->Identifier(i), table[i].Record->Identifier);
  }
  EXPECT_EQ(product->Identifier(0), "slxCantCreateRegistryKey");
  EXPECT_EQ(product->Identifier(product->ResStringCount() - 1), "lxSDateNow");

  lxUnregisterLibraryStrings();
  EXPECT_EQ(repository.IndexOfProduct("LxLibrary"), -1);
}

TEST_F(LibraryStringsTest, TextsAsTheUserSeesThem) {
  lxRegisterLibraryStrings();
  struct Case {
    const TlxResourceString& record;
    const char* text;
  };
  const Case cases[] = {
      {slxCantCreateRegistryKey, "Can't create the registry key: \\%s"},
      {slxCantOpenRegistryKey, "Can't open the registry key: \\%s"},
      {slxErrorStoreObject, "Error store %s object"},
      {slxConverterCantCreateStyleRepository, "Can't create the Style Repository"},
      {lxSDateToday, "today"},
      {lxSDateYesterday, "yesterday"},
      {lxSDateTomorrow, "tomorrow"},
      {lxSDateSunday, "Sunday"},
      {lxSDateWednesday, "Wednesday"},
      {lxSDateSaturday, "Saturday"},
      {lxSDateFirst, "first"},
      {lxSDateSeventh, "seventh"},
      {lxSDateBOM, "bom"},
      {lxSDateEOM, "eom"},
      {lxSDateNow, "now"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxLookupResString(c.record), c.text) << c.record.Identifier;
}

}  // namespace
