// Fonts and bitmaps stored through the component writer and read back by
// the reader, as sub-objects of a component.

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/font.h"

namespace graphics_streaming_test {

class GraphicHolder : public TComponent {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<GraphicHolder>();
    p.Persistent("Bitmap", TBitmap::kClass, [](const GraphicHolder& self) { return &self.bitmap; });
    p.Persistent("Font", TFont::kClass, [](const GraphicHolder& self) { return &self.font; });
  }
  static constexpr TClass kClass{"GraphicHolder", &TComponent::kClass, &ConstructInstance<GraphicHolder>,
                                 &GraphicHolder::Publish};
  const TClass* ClassType() const override { return &kClass; }
  explicit GraphicHolder(TComponent* owner = nullptr) : TComponent(owner) {}

  mutable TBitmap bitmap;
  mutable TFont font;
};

std::string Written(GraphicHolder& holder, const GraphicHolder* ancestor = nullptr) {
  TMemoryStream stream;
  TWriter writer(stream);
  writer.WriteDescendent(holder, ancestor);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void ReadInto(const std::string& stored, GraphicHolder& holder) {
  TMemoryStream stream;
  stream.WriteBuffer(stored.data(), static_cast<int64_t>(stored.size()));
  stream.SetPosition(0);
  TReader reader(stream);
  reader.ReadRootComponent(&holder);
}

bool Contains(const std::string& stored, const std::string& name) { return stored.find(name) != std::string::npos; }

struct FontCase {
  const char* property;  // the one value that differs from a new font
  std::function<void(TFont&)> change;
};

class FontStreamingTest : public ::testing::TestWithParam<FontCase> {};

TEST_P(FontStreamingTest, AChangedValueIsStoredAndReadBack) {
  const FontCase& param = GetParam();
  GraphicHolder stored;
  param.change(stored.font);
  const std::string written = Written(stored);
  EXPECT_TRUE(Contains(written, std::string("Font.") + param.property));

  GraphicHolder loaded;
  ReadInto(written, loaded);
  EXPECT_TRUE(loaded.font.SameAs(stored.font));
  EXPECT_EQ(loaded.font.Size(), stored.font.Size());
}

INSTANTIATE_TEST_SUITE_P(
    EachProperty, FontStreamingTest,
    ::testing::Values(FontCase{"Charset", [](TFont& font) { font.SetCharset(SYMBOL_CHARSET); }},
                      FontCase{"Color", [](TFont& font) { font.SetColor(clRed); }},
                      FontCase{"Height", [](TFont& font) { font.SetHeight(-20); }},
                      FontCase{"Height", [](TFont& font) { font.SetSize(14); }},
                      FontCase{"Name", [](TFont& font) { font.SetName("Courier New"); }},
                      FontCase{"Pitch", [](TFont& font) { font.SetPitch(fpFixed); }},
                      FontCase{"Style", [](TFont& font) { font.SetStyle({fsBold, fsStrikeOut}); }}),
    [](const ::testing::TestParamInfo<FontCase>& param_info) {
      return std::string(param_info.param.property) + std::to_string(param_info.index);
    });

TEST(FontStreaming, DefaultsAreLeftOutButHeightAndNameAlwaysGoIn) {
  GraphicHolder holder;
  const std::string written = Written(holder);
  EXPECT_TRUE(Contains(written, "Font.Height"));
  EXPECT_TRUE(Contains(written, "Font.Name"));
  for (const char* left_out : {"Font.Charset", "Font.Color", "Font.Pitch", "Font.Size", "Font.Style"})
    EXPECT_FALSE(Contains(written, left_out)) << left_out;
}

TEST(FontStreaming, ACharsetBeyondOneByteIsRefused) {
  GraphicHolder stored;
  stored.font.SetCharset(0x7B);
  std::string written = Written(stored);
  // The charset is written as a one-byte integer; make it a 16-bit one of 300.
  const size_t name_at = written.find("Font.Charset");
  ASSERT_NE(name_at, std::string::npos);
  const size_t value_at = name_at + std::string("Font.Charset").size();
  ASSERT_EQ(static_cast<uint8_t>(written[value_at]), vaInt8);
  written.replace(value_at, 2, std::string{static_cast<char>(vaInt16), 0x2C, 0x01});

  GraphicHolder loaded;
  EXPECT_THROW(ReadInto(written, loaded), EReadError);
}

TEST(BitmapStreaming, TheImageIsStoredAsDataAndReadBack) {
  GraphicHolder stored;
  stored.bitmap.SetPixelFormat(pf24bit);
  stored.bitmap.SetSize(5, 3);
  stored.bitmap.Canvas().SetPixel(0, 0, clRed);
  stored.bitmap.Canvas().SetPixel(4, 2, clBlue);
  const std::string written = Written(stored);
  EXPECT_TRUE(Contains(written, "Bitmap.Data"));

  GraphicHolder loaded;
  ReadInto(written, loaded);
  EXPECT_EQ(loaded.bitmap.Width(), 5);
  EXPECT_EQ(loaded.bitmap.Height(), 3);
  EXPECT_EQ(loaded.bitmap.PixelFormat(), pf24bit);
  EXPECT_EQ(loaded.bitmap.Canvas().Pixel(0, 0), clRed);
  EXPECT_EQ(loaded.bitmap.Canvas().Pixel(4, 2), clBlue);
  EXPECT_EQ(loaded.bitmap.Canvas().Pixel(2, 1), clWhite);
}

TEST(BitmapStreaming, AnEmptyBitmapOrOneEqualToTheAncestorsStoresNothing) {
  GraphicHolder empty;
  EXPECT_FALSE(Contains(Written(empty), "Bitmap.Data"));

  GraphicHolder ancestor;
  ancestor.bitmap.SetSize(4, 4);
  GraphicHolder descendant;
  descendant.bitmap.SetSize(4, 4);
  EXPECT_FALSE(Contains(Written(descendant, &ancestor), "Bitmap.Data"));
  descendant.bitmap.Canvas().SetPixel(1, 1, clGreen);
  EXPECT_TRUE(Contains(Written(descendant, &ancestor), "Bitmap.Data"));
}

TEST(BitmapStreaming, DamagedDataIsAnErrorNotACrash) {
  GraphicHolder stored;
  stored.bitmap.SetSize(2, 2);
  std::string written = Written(stored);
  const size_t magic_at = written.find("BM", written.find("Bitmap.Data"));
  ASSERT_NE(magic_at, std::string::npos);
  written[magic_at] = 'X';

  GraphicHolder loaded;
  loaded.bitmap.SetSize(1, 1);
  EXPECT_THROW(ReadInto(written, loaded), EReadError);
  EXPECT_EQ(loaded.bitmap.Width(), 1);
}

}  // namespace graphics_streaming_test
