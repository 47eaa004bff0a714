#include "editors/edit_strings.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "editors/filter_control_strings.h"

namespace {

class TextTablesTest : public ::testing::Test {
 protected:
  ~TextTablesTest() override { lxFreeResourceStringsRepository(); }

  static const TlxProductResourceStrings* Product(const char* key) {
    TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
    const int32_t index = repository.IndexOfProduct(key);
    return index < 0 ? nullptr : repository.Product(index);
  }

  // The repository lists the table's identifiers in table order.
  static void ExpectListedInOrder(const char* key, std::span<const TlxStringResource> table) {
    const TlxProductResourceStrings* product = Product(key);
    ASSERT_NE(product, nullptr);
    ASSERT_EQ(product->ResStringCount(), static_cast<int32_t>(table.size()));
    for (int32_t i = 0; i < product->ResStringCount(); ++i) {
      EXPECT_EQ(product->Identifier(i), table[i].Record->Identifier);
      EXPECT_EQ(product->Record(i), table[i].Record);
    }
  }
};

TEST_F(TextTablesTest, EditorTextsAreListedInOrderAndGoneAfterTheModuleEnds) {
  lxEditConstsInitialize();
  ExpectListedInOrder("LxEditors Library", lxEditStringTable());
  const TlxProductResourceStrings* product = Product("LxEditors Library");
  ASSERT_EQ(product->ResStringCount(), 103);
  EXPECT_EQ(product->Identifier(0), "lxSEditButtonCancel");
  // The registry texts come between the navigator's and the expression texts.
  EXPECT_EQ(product->Identifier(53), "lxNavigator_DeleteRecordQuestion");
  EXPECT_EQ(product->Identifier(54), "slxSEditRepositoryBlobItem");
  EXPECT_EQ(product->Identifier(72), "slxSEditRepositoryTimeItem");
  EXPECT_EQ(product->Identifier(73), "slxRegExprLine");
  EXPECT_EQ(product->Identifier(102), "lxSSpinEditInvalidNumericValue");

  // A second start is counted, not registered again.
  lxEditConstsInitialize();
  TlxResourceStringsRepository& repository = lxGetResourceStringsRepository();
  int32_t entries = 0;
  for (int32_t i = 0; i < repository.ProductCount(); ++i)
    entries += repository.Product(i)->ProductKey() == "LxEditors Library" ? 1 : 0;
  EXPECT_EQ(entries, 1);
  lxEditConstsFinalize();
  EXPECT_NE(Product("LxEditors Library"), nullptr);
  lxEditConstsFinalize();
  EXPECT_EQ(Product("LxEditors Library"), nullptr);
}

TEST_F(TextTablesTest, EditorTextsAsShown) {
  lxEditConstsInitialize();
  struct Case {
    const TlxResourceString& record;
    const char* text;
  };
  const Case cases[] = {
      {lxSEditValidateErrorText, "Invalid input value. Use escape key to abandon changes"},
      {lxSEditPostError, "An error occured during posting edit value"},
      {lxSEditCheckBoxGrayed, ""},
      {lxSRadioGroupDefaultCaption, ""},
      {lxSBlobButtonCancel, "&Cancel"},
      {lxSMenuItemCaptionSave, "Save &As..."},
      {slxSHyperLinkPrefix, "http://"},
      {slxRegExprIllegalSymbol, "Illegal '%s'"},
      {slxRegExprIncorrectSpace, "The space character is not allowed after '\\'"},
      {slxSEditRepositoryTextItem, "TextEdit|Represents a single line text editor"},
      {slxSEditRepositoryMaskItem, "MaskEdit|Represents a generic masked edit control."},
      {lxSSpinEditInvalidNumericValue, "Invalid numeric value"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxLookupResString(c.record), c.text) << c.record.Identifier;
  lxEditConstsFinalize();
}

TEST_F(TextTablesTest, EditorIdentifiersAreUniqueAndRegistryTextsSplitIntoNameAndDescription) {
  std::set<std::string> identifiers;
  for (const TlxStringResource& entry : lxEditStringTable()) {
    EXPECT_TRUE(identifiers.insert(entry.Record->Identifier).second) << entry.Record->Identifier;
    const std::string identifier = entry.Record->Identifier;
    if (identifier.rfind("slxSEditRepository", 0) != 0)
      continue;
    const std::string text = entry.Text;
    const size_t bar = text.find('|');
    ASSERT_NE(bar, std::string::npos) << identifier;
    EXPECT_GT(bar, 0u) << identifier;
    EXPECT_EQ(text.substr(bar + 1).rfind("Represents ", 0), 0u) << identifier;
  }
}

TEST_F(TextTablesTest, FilterControlTextsAreListedInOrderAndTheirTwinsStaySeparate) {
  lxFilterControlStringsInitialize();
  ExpectListedInOrder("LxFilterControl", lxFilterControlStringTable());
  const TlxProductResourceStrings* product = Product("LxFilterControl");
  ASSERT_EQ(product->ResStringCount(), 33);
  EXPECT_EQ(product->Identifier(0), "lxSFilterBoolOperatorAnd");
  EXPECT_EQ(product->Identifier(32), "lxSFilterControlDialogFileFilter");

  // "AND" and "OR" twice, under separate records.
  EXPECT_EQ(lxLookupResString(lxSFilterBoolOperatorAnd), "AND");
  EXPECT_EQ(lxLookupResString(lxSFilterDialogOperationAnd), "AND");
  EXPECT_NE(&lxSFilterBoolOperatorAnd, &lxSFilterDialogOperationAnd);
  EXPECT_EQ(lxLookupResString(lxSFilterDialogOperationOr), "OR");
  EXPECT_EQ(lxLookupResString(lxSFilterDialogInvalidValue), "Invalid value");
  EXPECT_EQ(lxLookupResString(lxSFilterRootGroupCaption), "<root>");
  EXPECT_EQ(lxLookupResString(lxSFilterControlDialogFileFilter), "Filters (*.flt)|*.flt");

  lxFilterControlStringsFinalize();
  EXPECT_EQ(Product("LxFilterControl"), nullptr);
}

}  // namespace
