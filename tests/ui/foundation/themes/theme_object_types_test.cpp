#include "ui/foundation/themes/theme_object_types.h"

#include <gtest/gtest.h>

namespace {

TEST(ThemedObjectTypesTest, EveryTypeOpensItsOwnVisualStyleClass) {
  EXPECT_EQ(lxThemedObjectClassName(totButton), u"Button");
  EXPECT_EQ(lxThemedObjectClassName(totSpin), u"Spin");
  EXPECT_EQ(lxThemedObjectClassName(totTab), u"Tab");
  EXPECT_EQ(lxThemedObjectClassName(totTrayNotify), u"TrayNotify");
  EXPECT_EQ(lxThemedObjectClassName(totWindow), u"Window");
  EXPECT_EQ(kThemedObjectTypeCount, 25);
  for (int type = 0; type < kThemedObjectTypeCount; ++type)
    EXPECT_FALSE(lxThemedObjectClassName(static_cast<TlxThemedObjectType>(type)).empty()) << type;
  EXPECT_TRUE(lxThemedObjectClassName(static_cast<TlxThemedObjectType>(kThemedObjectTypeCount)).empty());
}

TEST(ThemedObjectTypesTest, ASetHoldsExactlyTheTypesNamed) {
  const TlxThemedObjectTypes set = lxThemedObjectTypes({totEdit, totWindow, totEdit});
  EXPECT_EQ(set.count(), 2u);
  EXPECT_TRUE(set.test(totEdit));
  EXPECT_TRUE(set.test(totWindow));
  EXPECT_FALSE(set.test(totButton));
  EXPECT_TRUE(lxThemedObjectTypes({}).none());
}

TEST(ThemedObjectTypesTest, VisualStylesNeedVersionFiveOneOrLater) {
  struct Case {
    uint32_t major, minor;
    bool expected;
  };
  const Case cases[] = {{4, 90, false}, {5, 0, false}, {5, 1, true}, {5, 2, true}, {6, 0, true}, {10, 0, true}};
  for (const Case& c : cases)
    EXPECT_EQ(lxIsXPOrLaterVersion(c.major, c.minor), c.expected) << c.major << "." << c.minor;
}

TEST(ThemedObjectTypesTest, StockStylesAreKnownByFileNameInAnyFolderAndCase) {
  struct Case {
    std::u16string_view file;
    bool expected;
  };
  const Case cases[] = {
      {u"C:\\WINDOWS\\Resources\\Themes\\Luna\\Luna.msstyles", true},
      {u"royale.MSSTYLES", true},
      {u"/usr/share/themes/luna.msstyles", true},
      {u"C:\\Themes\\light.msstyles", false},
      {u"C:\\Luna.msstyles\\other.msstyles", false},
      {u"LUNA.MSSTYLES.bak", false},
      {u"", false},
      {u"C:\\Themes\\", false},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxIsStockVisualStyleFileName(c.file), c.expected)
        << std::string(c.file.begin(), c.file.end());
}

TEST(ThemedObjectTypesTest, UpperCasingTouchesOnlyAsciiLetters) {
  EXPECT_EQ(lxUpperCaseAscii(u"normalColor-9 \u00e4"), u"NORMALCOLOR-9 \u00e4");
  EXPECT_EQ(lxFileNameWithoutPath(u"a/b\\c.d"), u"c.d");
  EXPECT_EQ(lxFileNameWithoutPath(u"plain"), u"plain");
}

}  // namespace
