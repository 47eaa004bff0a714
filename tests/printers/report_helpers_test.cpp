#include "printers/report_helpers.h"

#include <gtest/gtest.h>

#include <limits>

#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/strings.h"

namespace {

TEST(ReportHelpers, StoredNumbersMayBeFloats) {
  TMemoryStream stream;
  {
    TWriter writer(stream);
    writer.WriteFloat(12.5);
    writer.WriteFloat(13.5);
    writer.WriteFloat(-2.7);
    writer.WriteInteger(7);
    writer.WriteInteger(int64_t{1} << 40);
    writer.WriteFloat(1e20);
  }
  stream.SetPosition(0);
  TReader reader(stream);
  EXPECT_EQ(prReadIntegerOrFloat(reader), 12);  // halves to even
  EXPECT_EQ(prReadIntegerOrFloat(reader), 14);
  EXPECT_EQ(prReadIntegerOrFloat(reader), -3);
  EXPECT_EQ(prReadIntegerOrFloat(reader), 7);
  // Out of the 32-bit range: held at its end rather than wrapped.
  EXPECT_EQ(prReadIntegerOrFloat(reader), std::numeric_limits<int32_t>::max());
  EXPECT_EQ(prReadIntegerOrFloat(reader), std::numeric_limits<int32_t>::max());
  // A stream that ends raises the reader's error.
  EXPECT_THROW(prReadIntegerOrFloat(reader), EReadError);
}

TEST(ReportHelpers, PublishedPropertiesAndEnumerationNames) {
  TComponent component(nullptr);
  EXPECT_TRUE(prHasPublishedProperty(component, "Tag"));
  EXPECT_TRUE(prHasPublishedProperty(component, "tag"));
  EXPECT_FALSE(prHasPublishedProperty(component, "UserName"));
  TStringList list;
  EXPECT_FALSE(prHasPublishedProperty(list, "Tag"));

  const std::vector<std::string> names{"poPortrait", "poLandscape"};
  EXPECT_EQ(prGetEnumName(names, 1), "poLandscape");
  EXPECT_EQ(prGetEnumName(names, 2), "");
  EXPECT_EQ(prGetEnumName(names, -1), "");
}

TEST(ReportHelpers, ErrorsOfTheLibrary) {
  EPrintError error("Screen printer does not support printing.");
  const EReportLibraryError& base = error;
  EXPECT_STREQ(base.ClassName(), "EPrintError");
  EXPECT_EQ(base.Message(), "Screen printer does not support printing.");
}

}  // namespace
