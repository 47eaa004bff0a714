#include "platform/toolkit/bitmap.h"

#include <gtest/gtest.h>

#include <cstring>

#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/icon.h"
#include "platform/toolkit/picture.h"

namespace {

struct FormatCase {
  TPixelFormat format;
  int32_t bits;
};

class BitmapFormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(BitmapFormatTest, SizeScanLinesAndStreamRoundTrip) {
  const FormatCase param = GetParam();
  TBitmap bitmap;
  bitmap.SetPixelFormat(param.format);
  bitmap.SetSize(13, 7);
  EXPECT_EQ(bitmap.PixelFormat(), param.format);
  EXPECT_EQ(BitsPerPixel(param.format), param.bits);
  EXPECT_EQ(bitmap.BytesPerScanLine(), ((13 * param.bits + 31) / 32) * 4);

  // Black and white exist in every format: draw a black pixel on white.
  bitmap.Canvas().SetPixel(4, 2, clBlack);
  EXPECT_EQ(bitmap.Canvas().Pixel(4, 2), clBlack);
  EXPECT_EQ(bitmap.Canvas().Pixel(5, 2), clWhite);  // new area is white

  // The rows are where ScanLine says: the top row differs from row 2.
  const int32_t stride = bitmap.BytesPerScanLine();
  std::vector<uint8_t> row2(static_cast<size_t>(stride));
  std::memcpy(row2.data(), bitmap.ScanLine(2), static_cast<size_t>(stride));
  EXPECT_NE(std::memcmp(row2.data(), bitmap.ScanLine(0), static_cast<size_t>(stride)), 0);

  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  stream.SetPosition(0);
  TBitmap loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(loaded.Width(), 13);
  EXPECT_EQ(loaded.Height(), 7);
  EXPECT_EQ(loaded.PixelFormat(), param.format);
  EXPECT_EQ(loaded.Canvas().Pixel(4, 2), clBlack);
  EXPECT_EQ(loaded.Canvas().Pixel(5, 2), clWhite);
  EXPECT_EQ(std::memcmp(loaded.ScanLine(2), row2.data(), static_cast<size_t>(stride)), 0);
}

INSTANTIATE_TEST_SUITE_P(Formats, BitmapFormatTest,
                         ::testing::Values(FormatCase{pf1bit, 1}, FormatCase{pf4bit, 4}, FormatCase{pf8bit, 8},
                                           FormatCase{pf15bit, 16}, FormatCase{pf16bit, 16},
                                           FormatCase{pf24bit, 24}, FormatCase{pf32bit, 32}));

TEST(BitmapTest, ScanLineWritesShowOnTheCanvas) {
  TBitmap bitmap;
  bitmap.SetPixelFormat(pf32bit);
  bitmap.SetSize(4, 3);
  auto* row = static_cast<uint32_t*>(bitmap.ScanLine(1));
  row[2] = 0x00FF0000;  // blue-green-red-alpha bytes: pure red
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 1), clRed);
  EXPECT_THROW(bitmap.ScanLine(3), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.ScanLine(-1), EInvalidGraphicOperation);
}

TEST(BitmapTest, ResizingKeepsTheOverlapAndConvertingKeepsColours) {
  TBitmap bitmap(10, 10, pf24bit);
  bitmap.Canvas().SetPixel(2, 2, clRed);
  bitmap.SetSize(20, 5);
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 2), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixel(15, 2), clWhite);
  bitmap.SetPixelFormat(pf32bit);
  EXPECT_EQ(bitmap.Canvas().Pixel(2, 2), clRed);
  bitmap.SetMonochrome(true);
  EXPECT_TRUE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.PaletteColors(), (std::vector<TColor>{clBlack, clWhite}));
}

TEST(BitmapTest, BadSizesAreRefused) {
  TBitmap bitmap;
  EXPECT_THROW(bitmap.SetSize(-1, 5), EInvalidGraphicOperation);
  EXPECT_THROW(bitmap.SetSize(100000, 5), EInvalidGraphicOperation);
  bitmap.SetSize(0, 0);
  EXPECT_TRUE(bitmap.Empty());
  EXPECT_EQ(bitmap.Handle(), nullptr);
}

TEST(BitmapTest, TransparentDrawLeavesTheKeyColourOut) {
  TBitmap sprite(8, 8, pf32bit);
  sprite.Canvas().Brush().SetColor(clFuchsia);
  sprite.Canvas().FillRect(Rect(0, 0, 8, 8));
  sprite.Canvas().Brush().SetColor(clBlue);
  sprite.Canvas().FillRect(Rect(2, 2, 6, 6));
  EXPECT_EQ(sprite.TransparentColor(), clFuchsia);  // bottom-left pixel
  sprite.SetTransparent(true);

  TBitmap target(16, 16, pf32bit);
  target.Canvas().Brush().SetColor(clYellow);
  target.Canvas().FillRect(Rect(0, 0, 16, 16));
  target.Canvas().Draw(4, 4, &sprite);
  EXPECT_EQ(target.Canvas().Pixel(4, 4), clYellow);
  EXPECT_EQ(target.Canvas().Pixel(7, 7), clBlue);
  EXPECT_EQ(target.Canvas().Pixel(11, 11), clYellow);

  // A fixed colour replaces the automatic one.
  sprite.SetTransparentColor(clBlue);
  EXPECT_EQ(sprite.TransparentMode(), tmFixed);
  target.Canvas().Draw(4, 4, &sprite);
  EXPECT_EQ(target.Canvas().Pixel(4, 4), clFuchsia);
  EXPECT_EQ(target.Canvas().Pixel(7, 7), clBlue);  // left out: the earlier blue stays
}

TEST(BitmapTest, MaskMarksTheTransparentColour) {
  TBitmap bitmap(4, 4, pf24bit);
  bitmap.Canvas().Brush().SetColor(clGreen);
  bitmap.Canvas().FillRect(Rect(0, 0, 4, 4));
  bitmap.Canvas().SetPixel(1, 1, clRed);
  bitmap.SetTransparentColor(clGreen);
  bitmap.Mask(clGreen);
  EXPECT_TRUE(bitmap.Monochrome());
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clWhite);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clBlack);
}

TEST(BitmapTest, AlphaChannelBlends) {
  TBitmap sprite(2, 1, pf32bit);
  auto* row = static_cast<uint32_t*>(sprite.ScanLine(0));
  row[0] = 0xFF0000FF;  // opaque blue
  row[1] = 0x000000FF;  // fully transparent
  sprite.SetAlphaFormat(afDefined);
  TBitmap target(2, 1, pf32bit);
  target.Canvas().Brush().SetColor(clRed);
  target.Canvas().FillRect(Rect(0, 0, 2, 1));
  target.Canvas().Draw(0, 0, &sprite);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), clBlue);
  EXPECT_EQ(target.Canvas().Pixel(1, 0), clRed);
}

TEST(BitmapTest, AssignCopiesPixelsAndSettings) {
  TBitmap source(5, 5, pf8bit);
  source.Canvas().SetPixel(1, 1, clRed);
  source.SetTransparent(true);
  TBitmap copy;
  copy.Assign(&source);
  EXPECT_EQ(copy.PixelFormat(), pf8bit);
  EXPECT_TRUE(copy.Transparent());
  EXPECT_EQ(copy.Canvas().Pixel(1, 1), clRed);
  source.Canvas().SetPixel(1, 1, clBlue);
  EXPECT_EQ(copy.Canvas().Pixel(1, 1), clRed);  // a copy, not a share
}

// A minimal BMP header with the given fields, for the refusal cases.
std::string BmpHeader(int32_t width, int32_t height, uint16_t bits, uint32_t compression, uint32_t data_size) {
  std::string bytes(54, '\0');
  auto put32 = [&](size_t at, uint32_t value) { std::memcpy(bytes.data() + at, &value, 4); };
  auto put16 = [&](size_t at, uint16_t value) { std::memcpy(bytes.data() + at, &value, 2); };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<uint32_t>(width));
  put32(22, static_cast<uint32_t>(height));
  put16(26, 1);
  put16(28, bits);
  put32(30, compression);
  bytes.append(data_size, '\x7F');
  return bytes;
}

TEST(BitmapTest, BrokenStreamsAreRefused) {
  const std::vector<std::string> broken{
      "XX not a bitmap at all, but long enough to hold a header.......",
      BmpHeader(4, 4, 24, BI_RGB, 10),           // too little pixel data
      BmpHeader(0, 4, 24, BI_RGB, 100),          // no width
      BmpHeader(4, 4, 7, BI_RGB, 100),           // odd depth
      BmpHeader(1 << 30, 1 << 30, 32, BI_RGB, 0),  // absurd size
      BmpHeader(4, 4, 24, 99, 100),              // unknown compression
      std::string("BM", 2),
  };
  for (const std::string& bytes : broken) {
    TMemoryStream stream;
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
    TBitmap bitmap(2, 2);
    EXPECT_THROW(bitmap.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_EQ(bitmap.Width(), 2);  // unchanged after a refused load
  }
}

TEST(BitmapTest, TopDownFilesAreTurnedOver) {
  std::string bytes = BmpHeader(1, -2, 32, BI_RGB, 0);
  const uint32_t top = 0x00FF0000;     // red
  const uint32_t bottom = 0x000000FF;  // blue
  bytes.append(reinterpret_cast<const char*>(&top), 4);
  bytes.append(reinterpret_cast<const char*>(&bottom), 4);
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  TBitmap bitmap;
  bitmap.LoadFromStream(stream);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 0), clRed);
  EXPECT_EQ(bitmap.Canvas().Pixel(0, 1), clBlue);
}

TEST(IconTest, StreamRoundTripAndDraw) {
  TIcon icon;
  icon.SetHandle(LoadIconA(nullptr, IDI_APPLICATION));
  ASSERT_FALSE(icon.Empty());
  EXPECT_GT(icon.Width(), 0);
  TMemoryStream stream;
  icon.SaveToStream(stream);
  stream.SetPosition(0);
  TIcon loaded;
  loaded.LoadFromStream(stream);
  EXPECT_EQ(loaded.Width(), icon.Width());
  EXPECT_EQ(loaded.Height(), icon.Height());
  EXPECT_THROW(loaded.SetWidth(loaded.Width() + 1), EInvalidGraphicOperation);

  TBitmap target(64, 64, pf32bit);
  target.Canvas().Brush().SetColor(clLime);
  target.Canvas().FillRect(Rect(0, 0, 64, 64));
  target.Canvas().Draw(0, 0, &loaded);
  int changed = 0;
  for (int y = 0; y < loaded.Height(); ++y)
    for (int x = 0; x < loaded.Width(); ++x)
      changed += target.Canvas().Pixel(x, y) != clLime;
  EXPECT_GT(changed, 0);

  TMemoryStream junk;
  junk.WriteBuffer("\0\0\1\0\1\0garbage", 13);
  junk.SetPosition(0);
  EXPECT_THROW(loaded.LoadFromStream(junk), EInvalidGraphic);
}

TEST(PictureTest, RegistryByExtensionAndGraphicCopies) {
  EXPECT_EQ(TPicture::GraphicClassOfExtension(".BMP"), &TBitmap::kClass);
  EXPECT_EQ(TPicture::GraphicClassOfExtension("ico"), &TIcon::kClass);
  EXPECT_EQ(TPicture::GraphicClassOfExtension("xyz"), nullptr);
  EXPECT_NE(TPicture::GraphicFilter().find("*.bmp"), std::string::npos);

  TPicture picture;
  int changes = 0;
  picture.OnChange = [&](TObject*) { ++changes; };
  TBitmap bitmap(3, 4);
  picture.SetGraphic(&bitmap);
  ASSERT_NE(picture.Graphic(), nullptr);
  EXPECT_NE(picture.Graphic(), &bitmap);
  EXPECT_EQ(picture.Width(), 3);
  EXPECT_EQ(picture.Height(), 4);
  picture.Bitmap().SetSize(6, 6);  // changes of the graphic reach the picture
  EXPECT_EQ(picture.Width(), 6);
  EXPECT_GE(changes, 2);
  EXPECT_THROW(picture.LoadFromFile("C:\\nothing.xyz"), EInvalidGraphic);
}

TEST(PictureTest, LoadsAFileThroughItsExtension) {
  char folder[MAX_PATH];
  GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "picture_test.bmp";
  TBitmap bitmap(7, 3, pf24bit);
  bitmap.Canvas().SetPixel(6, 2, clRed);
  bitmap.SaveToFile(path);
  TPicture picture;
  picture.LoadFromFile(path);
  ASSERT_NE(dynamic_cast<TBitmap*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Bitmap().Canvas().Pixel(6, 2), clRed);
  DeleteFileA(path.c_str());
}

}  // namespace
