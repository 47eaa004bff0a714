#include "editors/kinds/hyperlink_edit_properties.h"

#include <gtest/gtest.h>

#include "editors/edit_repository.h"
#include "editors/edit_repository_items.h"
#include "editors/edit_strings.h"
#include "platform/rtl/memory_stream.h"

namespace hyperlink_edit_properties_test {

class HyperLinkPropertiesTest : public ::testing::Test {
 protected:
  void SetUp() override { lxEditConstsInitialize(); }
  void TearDown() override { lxEditConstsFinalize(); }
};

TEST_F(HyperLinkPropertiesTest, ThePrefixGoesOnlyWhereNoneIs) {
  TlxHyperLinkEditProperties properties(nullptr);
  struct Case {
    const char* text;
    const char* expected;
  };
  const Case cases[] = {
      {"  abc  ", "http://abc"},
      {"http://abc", "http://abc"},
      {"HTTP://abc", "HTTP://abc"},        // the prefix in capitals is still the prefix
      {"https://x", "https://x"},          // a scheme of its own
      {"ftp://host/file", "ftp://host/file"},
      {"mailto:a@b", "http://mailto:a@b"},  // no "://": no scheme of a link
      {"://x", "http://://x"},
      {"1ab://x", "http://1ab://x"},
      {"", ""},
      {"   ", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(properties.AddPrefix(c.text), c.expected) << c.text;
  properties.SetPrefix("");
  EXPECT_EQ(properties.AddPrefix(" abc "), "abc");
}

TEST_F(HyperLinkPropertiesTest, AcceptingAddsThePrefixOnlyAlways) {
  TlxHyperLinkEditProperties properties(nullptr);
  const std::pair<TlxHyperLinkEditUsePrefix, const char*> cases[] = {
      {upAlways, "http://abc"}, {upOnlyOnExecute, " abc "}, {upNever, " abc "}};
  for (const auto& [use_prefix, expected] : cases) {
    properties.SetUsePrefix(use_prefix);
    Variant display(" abc ");
    std::string error_text;
    bool error = false;
    properties.ValidateDisplayValue(display, error_text, error, nullptr);
    EXPECT_FALSE(error);
    EXPECT_EQ(VarToStr(display), expected) << int(use_prefix);
  }
}

TEST_F(HyperLinkPropertiesTest, AutoCompleteFollowsUsePrefix) {
  TlxHyperLinkEditProperties properties(nullptr);
  EXPECT_TRUE(properties.AutoComplete());
  EXPECT_FALSE(properties.AutoSelect());
  properties.SetUsePrefix(upNever);
  EXPECT_FALSE(properties.AutoComplete());
  properties.SetAutoComplete(true);
  EXPECT_EQ(properties.UsePrefix(), upAlways);
  properties.SetUsePrefix(upOnlyOnExecute);
  EXPECT_TRUE(properties.AutoComplete());
  properties.SetAutoComplete(false);
  EXPECT_EQ(properties.UsePrefix(), upNever);
  properties.SetSingleClick(true);
  EXPECT_EQ(properties.GetEditCapabilities() & 1u, 1u);
}

TEST_F(HyperLinkPropertiesTest, CopyTakesTheLinkSettings) {
  TlxHyperLinkEditProperties source(nullptr);
  source.SetLinkColor(0x123456);
  source.SetPrefix("ftp://");
  source.SetSingleClick(true);
  source.SetStartKey(0x2000 + 13);
  source.SetUsePrefix(upOnlyOnExecute);
  TlxHyperLinkEditProperties copy(nullptr);
  copy.Assign(&source);
  EXPECT_EQ(copy.LinkColor(), 0x123456);
  EXPECT_EQ(copy.Prefix(), "ftp://");
  EXPECT_TRUE(copy.SingleClick());
  EXPECT_EQ(copy.StartKey(), 0x2000 + 13);
  EXPECT_EQ(copy.UsePrefix(), upOnlyOnExecute);
}

class LinkItem : public TlxEditRepositoryItemOf<LinkItem, TlxHyperLinkEditProperties> {
 public:
  static constexpr TClass kClass{"TestHyperLinkRepositoryItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<LinkItem>, &LinkItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

std::string StreamBytes(TMemoryStream& stream) {
  const auto* bytes = reinterpret_cast<const char*>(stream.Memory());
  return std::string(bytes, bytes + stream.Size());
}

TEST_F(HyperLinkPropertiesTest, ThePrefixIsStoredOnlyWhenItDiffersEvenWhenEmpty) {
  struct Case {
    const char* prefix;
    bool stored;
  };
  for (const Case& c : {Case{"", true}, Case{"ftp://", true}, Case{"http://", false}}) {
    LinkItem written(nullptr);
    written.GetProperties()->SetPrefix(c.prefix);
    TMemoryStream stream;
    stream.WriteComponent(written);
    EXPECT_EQ(StreamBytes(stream).find("Prefix") != std::string::npos, c.stored) << c.prefix;
    LinkItem read(nullptr);
    stream.SetPosition(0);
    stream.ReadComponent(&read);
    EXPECT_EQ(read.GetProperties()->Prefix(), c.prefix);
  }
}

TEST(HyperLinkModuleTest, RegistersTheKindAndItsFilterHelper) {
  lxHyperLinkEditModuleStart();
  EXPECT_EQ(lxGetFilterEditsController().FindHelperClass(&TlxHyperLinkEditProperties::kClass),
            &StatelessInstance<TlxFilterHyperLinkEditHelper>());
  EXPECT_NE(lxGetRegisteredEditProperties().FindByClassName("TlxHyperLinkEditProperties"), nullptr);
  lxHyperLinkEditModuleEnd();
  lxFreeRegisteredEditProperties();
}

}  // namespace hyperlink_edit_properties_test
