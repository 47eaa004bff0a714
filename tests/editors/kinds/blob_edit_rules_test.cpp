#include "editors/kinds/blob_edit_rules.h"

#include <gtest/gtest.h>

namespace blob_edit_rules_test {

TEST(BlobEditRulesTest, SuggestedKinds) {
  const struct {
    int32_t suggestion;
    TlxBlobEditKind kind;
  } cases[] = {{0, bekBlob}, {1, bekBlob}, {2, bekPict}, {3, bekMemo}, {4, bekOle}, {9, bekBlob}};
  for (const auto& c : cases)
    EXPECT_EQ(lxBlobKindOfSuggestion(c.suggestion), c.kind) << c.suggestion;
}

TEST(BlobEditRulesTest, TextsByKindStyleAndValue) {
  const Variant null = Variant::Null();
  const Variant empty{std::string()};
  const Variant memo{std::string("Erste Zeile\r\nzweite Zeile")};
  const struct {
    TlxBlobEditKind kind;
    TlxBlobPaintStyle style;
    const Variant* value;
    bool full;
    const char* text;
  } cases[] = {
      {bekMemo, bpsDefault, &null, false, "(memo)"},
      {bekMemo, bpsDefault, &memo, false, "(MEMO)"},
      {bekPict, bpsDefault, &null, false, "(picture)"},
      {bekPict, bpsDefault, &memo, false, "(PICTURE)"},
      {bekOle, bpsDefault, &memo, false, ""},
      {bekMemo, bpsText, &memo, false, "Erste Zeile"},
      {bekMemo, bpsText, &empty, false, ""},
      {bekMemo, bpsIcon, &memo, false, ""},
      {bekMemo, bpsDefault, &memo, true, "Erste Zeile\r\nzweite Zeile"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(lxBlobDisplayText(c.kind, c.style, *c.value, c.full), c.text) << c.kind << "/" << c.style;

  EXPECT_EQ(lxBlobFormatDisplayText(bekPict, bpsIcon, null, false), "");
  EXPECT_EQ(lxBlobFormatDisplayText(bekPict, bpsIcon, memo, false), "(PICTURE)");
  EXPECT_EQ(lxBlobFormatDisplayText(bekOle, bpsIcon, memo, false), "OLE");
  EXPECT_EQ(lxBlobFormatDisplayText(bekBlob, bpsIcon, memo, false), "BLOB");
  EXPECT_EQ(lxBlobFormatDisplayText(bekMemo, bpsText, memo, false), "Erste Zeile");
  EXPECT_EQ(lxBlobFirstLine("a\nb"), "a");
}

TEST(BlobEditRulesTest, IconsStandForKindAndEmptiness) {
  const Variant filled{std::string("x")};
  EXPECT_EQ(lxBlobImageIndex(bekBlob, Variant::Null()), 0);
  EXPECT_EQ(lxBlobImageIndex(bekBlob, filled), 1);
  EXPECT_EQ(lxBlobImageIndex(bekMemo, Variant(std::string())), 2);
  EXPECT_EQ(lxBlobImageIndex(bekMemo, filled), 3);
  EXPECT_EQ(lxBlobImageIndex(bekPict, Variant::Null()), 4);
  EXPECT_EQ(lxBlobImageIndex(bekPict, filled), 5);
  EXPECT_EQ(lxBlobImageIndex(bekOle, filled), 7);
}

}  // namespace blob_edit_rules_test
