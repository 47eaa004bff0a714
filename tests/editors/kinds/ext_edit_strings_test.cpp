#include "editors/kinds/ext_edit_strings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>

#include "platform/rtl/text.h"

namespace {

class ExtEditStringsTest : public ::testing::Test {
 protected:
  ~ExtEditStringsTest() override { lxFreeResourceStringsRepository(); }

  static const TlxProductResourceStrings* Product() {
    TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
    const int32_t index = repository.IndexOfProduct(kLxExtEditProductKey);
    return index < 0 ? nullptr : repository.Product(index);
  }
};

TEST_F(ExtEditStringsTest, TextsAreListedInOrderFromTheFirstStartToTheBalancingEnd) {
  EXPECT_EQ(Product(), nullptr);
  lxExtEditStringsInitialize();
  lxExtEditStringsInitialize();
  const TlxProductResourceStrings* product = Product();
  ASSERT_NE(product, nullptr);
  const auto table = lxExtEditStringTable();
  ASSERT_EQ(product->ResStringCount(), static_cast<int32_t>(table.size()));
  ASSERT_EQ(table.size(), 40u);
  for (int32_t i = 0; i < product->ResStringCount(); ++i) {
    EXPECT_EQ(product->Identifier(i), table[i].Record->Identifier);
    EXPECT_EQ(product->Record(i), table[i].Record);
  }
  EXPECT_EQ(product->Identifier(0), "slxSEditRepositoryColorComboBoxItem");
  EXPECT_EQ(product->Identifier(9), "slxUDAssociated");
  EXPECT_EQ(product->Identifier(32), "slxSEditRepositoryRichEditItem");
  EXPECT_EQ(product->Identifier(39), "lxSEditRichEditSelectAllCaption");
  lxExtEditStringsFinalize();
  EXPECT_NE(Product(), nullptr);
  lxExtEditStringsFinalize();
  EXPECT_EQ(Product(), nullptr);
}

TEST_F(ExtEditStringsTest, TextsKeepTheirBlanksAndAccelerators) {
  lxExtEditStringsInitialize();
  struct Case {
    const TlxResourceString& record;
    const char* text;
  };
  const Case cases[] = {
      {slxSEditRepositoryColorComboBoxItem, "ColorComboBox |Represents a editor with color functionality"},
      {slxUDAssociated, " is already associated with "},
      {slxLoadingFonts, "Loading ..."},
      {lxSEditCheckGroupCaptionStateDelimiter, ": "},
      {lxSEditCheckGroupFilterColumnSeparator, "; "},
      {lxSEditRichEditCutCaption, "Cu&t"},
      {lxSEditRichEditOleInterfaceFail, "RichEdit: failed to get IRichEditOle interface"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxLookupResString(c.record), c.text) << c.record.Identifier;
  lxExtEditStringsFinalize();
}

TEST_F(ExtEditStringsTest, IdentifiersAreUniqueAndRegistryCaptionsHaveANameAndADescription) {
  std::set<std::string> identifiers;
  int32_t registry_captions = 0;
  for (const TlxStringResource& entry : lxExtEditStringTable()) {
    EXPECT_TRUE(identifiers.insert(entry.Record->Identifier).second) << entry.Record->Identifier;
    if (std::string(entry.Record->Identifier).rfind("slxSEditRepository", 0) != 0)
      continue;
    ++registry_captions;
    const std::string text = entry.Text;
    const size_t bar = text.find('|');
    ASSERT_NE(bar, std::string::npos) << text;
    EXPECT_GT(bar, 0u) << text;
    EXPECT_LT(bar + 1, text.size()) << text;
  }
  EXPECT_EQ(registry_captions, 10);
}

TEST(ColorNameTables, SizesOrderAndMembership) {
  EXPECT_EQ(lxPlatformColorNames().size(), 52u);
  EXPECT_EQ(lxHtml4ColorNames().size(), 16u);
  const auto by_name = lxWebColorNamesByName();
  const auto by_hue = lxWebColorNamesByHue();
  ASSERT_EQ(by_name.size(), 140u);
  ASSERT_EQ(by_hue.size(), 140u);

  // Alphabetical, without regard to case, and no name twice.
  for (size_t i = 1; i < by_name.size(); ++i)
    EXPECT_LT(CompareText(by_name[i - 1], by_name[i]), 0) << by_name[i];
  // The hue table holds exactly the same names.
  std::vector<std::string_view> sorted_hue(by_hue.begin(), by_hue.end());
  std::vector<std::string_view> sorted_name(by_name.begin(), by_name.end());
  std::sort(sorted_hue.begin(), sorted_hue.end());
  std::sort(sorted_name.begin(), sorted_name.end());
  EXPECT_EQ(sorted_hue, sorted_name);
  // Every basic colour is a web colour too.
  for (std::string_view basic : lxHtml4ColorNames())
    EXPECT_TRUE(std::binary_search(sorted_name.begin(), sorted_name.end(), basic)) << basic;
  // Only LightGrey is spelt with "Grey".
  const auto grey = std::count_if(by_name.begin(), by_name.end(),
                                  [](std::string_view name) { return name.find("Grey") != std::string_view::npos; });
  EXPECT_EQ(grey, 1);
  EXPECT_NE(std::find(by_name.begin(), by_name.end(), "LightGrey"), by_name.end());

  // The platform names: all "cl" names, the sixteen basic colours first.
  const auto platform = lxPlatformColorNames();
  for (std::string_view name : platform)
    EXPECT_EQ(name.substr(0, 2), "cl") << name;
  EXPECT_EQ(platform[0], "clBlack");
  EXPECT_EQ(platform[15], "clWhite");
  EXPECT_EQ(platform[19], "clMedGray");
  EXPECT_EQ(platform[20], "clActiveBorder");
  EXPECT_EQ(platform[51], "clWindowText");
}

}  // namespace
