#include "editors/kinds/memo_properties.h"

#include <gtest/gtest.h>

#include "editors/edit_repository.h"
#include "editors/edit_strings.h"

namespace memo_properties_test {

class MemoPropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override { lxEditConstsInitialize(); }
  void TearDown() override { lxEditConstsFinalize(); }
};

TEST_F(MemoPropertiesTest, DefaultsSuitMultiLineText) {
  TlxMemoProperties properties(nullptr);
  EXPECT_TRUE(properties.IsMultiLine());
  EXPECT_FALSE(properties.AutoSelect());
  EXPECT_EQ(properties.GetAlignment()->Vert(), taTopJustify);
  EXPECT_TRUE(properties.WantReturns());
  EXPECT_FALSE(properties.WantsTab());
  properties.SetWantTabs(true);
  EXPECT_TRUE(properties.WantsTab());
  EXPECT_TRUE(properties.WrapsWhenDrawn());
  for (TScrollStyle style : {ssHorizontal, ssBoth}) {
    properties.SetScrollBars(style);
    EXPECT_FALSE(properties.WrapsWhenDrawn()) << int(style);
  }
  properties.SetScrollBars(ssVertical);
  EXPECT_TRUE(properties.WrapsWhenDrawn());
}

TEST_F(MemoPropertiesTest, ANegativeLineCountIsKeptAsZero) {
  TlxMemoProperties properties(nullptr);
  int32_t changes = 0;
  properties.SetOwnerChangedHandler([&](TlxCustomEditProperties*) { ++changes; });
  properties.SetVisibleLineCount(4);
  EXPECT_EQ(properties.VisibleLineCount(), 4);
  properties.SetVisibleLineCount(-5);
  EXPECT_EQ(properties.VisibleLineCount(), 0);
  properties.SetVisibleLineCount(-1);
  EXPECT_EQ(changes, 2);
}

TEST_F(MemoPropertiesTest, ACellShowsTheFirstLineOnly) {
  TlxMemoProperties properties(nullptr);
  struct Case {
    const char* value;
    const char* cell;
  };
  const std::string long_line(300, 'x');
  const Case cases[] = {
      {"eins\r\nzwei", "eins"}, {"eins\nzwei", "eins"}, {"\rzwei", ""}, {"ohne Umbruch", "ohne Umbruch"},
      {long_line.c_str(), nullptr},
  };
  for (const Case& c : cases) {
    std::string text;
    properties.FormatDisplayText(Variant(c.value), text, false);
    if (c.cell != nullptr)
      EXPECT_EQ(text, c.cell);
    else
      EXPECT_EQ(text, std::string(250, 'x'));
    properties.FormatDisplayText(Variant(c.value), text, true);
    EXPECT_EQ(text, c.value);
  }
  // Characters, not bytes: "ü" counts once.
  EXPECT_EQ(lxCutTextAtLineBreak("ääää", 2), "ää");
}

TEST_F(MemoPropertiesTest, CopyTakesTheMemoSettings) {
  TlxMemoProperties source(nullptr);
  source.SetScrollBars(ssBoth);
  source.SetVisibleLineCount(3);
  source.SetWantReturns(false);
  source.SetWantTabs(true);
  source.SetWordWrap(false);
  TlxMemoProperties copy(nullptr);
  copy.Assign(&source);
  EXPECT_EQ(copy.ScrollBars(), ssBoth);
  EXPECT_EQ(copy.VisibleLineCount(), 3);
  EXPECT_FALSE(copy.WantReturns());
  EXPECT_TRUE(copy.WantTabs());
  EXPECT_FALSE(copy.WordWrap());
}

TEST(MemoModuleTest, RegistersTheKindAndATextOnlyFilterHelper) {
  lxMemoModuleStart();
  const TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(&TlxMemoProperties::kClass);
  ASSERT_EQ(helper, &StatelessInstance<TlxFilterMemoHelper>());
  TlxFilterConditionOperators operators;
  helper->GetSupportedOperators(nullptr, nullptr, operators, true);
  EXPECT_EQ(operators, (TlxFilterConditionOperators{fcoLike, fcoNotLike, fcoBlanks, fcoNonBlanks}));
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxMemoProperties"), nullptr);
  lxMemoModuleEnd();
  lxFreeRegisteredEditProperties();
}

}  // namespace memo_properties_test
