#include "editors/kinds/png_image_win.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/picture.h"

namespace {

constexpr uint8_t kPngSignature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};

class PngImageTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { lxPngImageInitialize(); }
  static void TearDownTestSuite() { lxPngImageFinalize(); }
};

// A 32-bit bitmap whose pixels are premultiplied values with partial alpha.
void FillPremultiplied(TBitmap& bitmap) {
  for (int32_t y = 0; y < bitmap.Height(); ++y) {
    auto* row = static_cast<TlxRGBQuad*>(bitmap.ScanLine(y));
    for (int32_t x = 0; x < bitmap.Width(); ++x) {
      // Premultiplied values pass the unpremultiplied PNG form and back
      // without rounding for these alphas and whole fifths of them.
      constexpr uint8_t kAlphas[] = {255, 51, 102, 204, 0};
      const uint8_t alpha = kAlphas[(x + y) % 5];
      row[x] = {static_cast<uint8_t>(alpha / 5 * (y % 3)), static_cast<uint8_t>(alpha / 5 * 2),
                static_cast<uint8_t>(alpha), alpha};
    }
  }
}

std::string PngBytes(TlxPNGImage& image) {
  TMemoryStream stream;
  image.SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void LoadBytes(TlxPNGImage& image, const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  image.LoadFromStream(stream);
}

bool StartsWithPngSignature(const std::string& bytes) {
  return bytes.size() > sizeof(kPngSignature) && std::memcmp(bytes.data(), kPngSignature, 8) == 0;
}

std::string RedSquarePng(int32_t size) {
  TBitmap bitmap(size, size, pf24bit);
  bitmap.Canvas().Brush().SetColor(clRed);
  bitmap.Canvas().FillRect(TRect(0, 0, size, size));
  TlxPNGImage image;
  image.Assign(&bitmap);
  return PngBytes(image);
}

TEST_F(PngImageTest, IsRegisteredForItsExtensionAndByName) {
  EXPECT_EQ(TPicture::GraphicClassOfExtension("PNG"), &TlxPNGImage::kClass);
  EXPECT_EQ(GetClass("TlxPNGImage"), &TlxPNGImage::kClass);
  EXPECT_EQ(lxGPImageClass(), &TlxGPImage::kClass);
}

TEST_F(PngImageTest, APremultipliedBitmapRoundTripsThroughPngByteForByte) {
  TBitmap source(7, 4, pf32bit);
  FillPremultiplied(source);
  TlxRGBColors original;
  lxGetBitmapBits(source, original);

  TlxPNGImage image;
  image.Assign(&source);
  const std::string bytes = PngBytes(image);
  ASSERT_TRUE(StartsWithPngSignature(bytes));

  TlxPNGImage decoded;
  LoadBytes(decoded, bytes);
  ASSERT_EQ(decoded.Width(), 7);
  ASSERT_EQ(decoded.Height(), 4);
  const std::unique_ptr<TBitmap> back = decoded.GetAsBitmap();
  EXPECT_EQ(back->PixelFormat(), pf32bit);
  TlxRGBColors pixels;
  lxGetBitmapBits(*back, pixels);
  ASSERT_EQ(pixels->size(), original->size());
  for (size_t index = 0; index < pixels->size(); ++index) {
    const TlxRGBQuad& want = (*original)[index];
    const TlxRGBQuad& got = (*pixels)[index];
    EXPECT_TRUE(lxSameColor(got, want)) << "pixel " << index << ": " << int(got.Blue) << "," << int(got.Green)
                                        << "," << int(got.Red) << "," << int(got.Alpha) << " want "
                                        << int(want.Blue) << "," << int(want.Green) << "," << int(want.Red)
                                        << "," << int(want.Alpha);
  }
  EXPECT_TRUE(decoded.SamePixels(image));
}

TEST_F(PngImageTest, BitmapsWithoutAlphaBecomeOpaque) {
  struct Case {
    const char* name;
    TPixelFormat format;
  };
  // A 32-bit bitmap whose alpha was never set (all zero) is opaque too:
  // taken at its word it would vanish.
  for (const Case& c : {Case{"24-bit", pf24bit}, Case{"32-bit, alpha all zero", pf32bit}}) {
    TBitmap bitmap(3, 2, c.format);
    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().FillRect(TRect(0, 0, 3, 2));
    TlxPNGImage image;
    image.Assign(&bitmap);
    ASSERT_FALSE(image.Empty()) << c.name;
    ASSERT_NE(image.Image()->Pixels(), nullptr) << c.name;
    for (const TlxRGBQuad& pixel : *image.Image()->Pixels()) {
      EXPECT_EQ(pixel.Alpha, 255) << c.name;
      EXPECT_EQ(pixel.Blue, 255) << c.name;
      EXPECT_EQ(pixel.Red, 0) << c.name;
    }
  }
}

TEST_F(PngImageTest, BadBytesGiveAnEmptyPicture) {
  const std::string good = RedSquarePng(6);
  ASSERT_TRUE(StartsWithPngSignature(good));
  std::string corrupt = good;
  for (size_t index = 16; index < corrupt.size(); ++index)
    corrupt[index] = static_cast<char>(corrupt[index] ^ 0x5A);
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"thirteen bytes", good.substr(0, 13)},
      {"signature and garbage", std::string(reinterpret_cast<const char*>(kPngSignature), 8) + "garbage bytes!"},
      {"damaged chunks", corrupt},
      {"truncated", good.substr(0, 20)},
      {"bitmap header only", std::string("BM") + std::string(40, '\0')},
      {"no format at all", std::string(64, 'x')},
  };
  for (const Case& c : cases) {
    TlxPNGImage image;
    image.SetBitmap(*std::make_unique<TBitmap>(2, 2, pf24bit));
    ASSERT_FALSE(image.Empty());
    LoadBytes(image, c.bytes);
    EXPECT_TRUE(image.Empty()) << c.name;
    EXPECT_EQ(image.Width(), 0) << c.name;
    EXPECT_EQ(PngBytes(image), "") << c.name;
    EXPECT_TRUE(image.GetAsBitmap()->Empty()) << c.name;
  }
}

TEST_F(PngImageTest, AnEmptyStreamEmptiesThePicture) {
  TlxPNGImage image;
  LoadBytes(image, RedSquarePng(4));
  ASSERT_EQ(image.Width(), 4);
  TMemoryStream empty;
  image.LoadFromStream(empty);
  EXPECT_TRUE(image.Empty());
  EXPECT_EQ(image.Image(), nullptr);
}

TEST_F(PngImageTest, AStreamEndingInsideTheProbeRaisesAReadError) {
  const std::string png = RedSquarePng(4);
  TMemoryStream stream;
  stream.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  stream.SetPosition(stream.Size() - 5);
  TlxPNGImage image;
  EXPECT_THROW(image.LoadFromStream(stream), EReadError);
}

TEST_F(PngImageTest, DecodesTheRemainingBytesFromTheStreamPosition) {
  const std::string png = RedSquarePng(5);
  TMemoryStream stream;
  const std::string prefix(100, 'p');
  stream.WriteBuffer(prefix.data(), static_cast<int64_t>(prefix.size()));
  stream.WriteBuffer(png.data(), static_cast<int64_t>(png.size()));
  stream.SetPosition(static_cast<int64_t>(prefix.size()));
  TlxPNGImage image;
  image.LoadFromStream(stream);
  EXPECT_EQ(image.Width(), 5);
  EXPECT_EQ(image.Height(), 5);
  EXPECT_EQ(stream.Position(), stream.Size());
}

TEST_F(PngImageTest, ABitmapStreamIsDecodedAndWrittenBackAsPng) {
  TBitmap bitmap(9, 3, pf24bit);
  bitmap.Canvas().Brush().SetColor(clLime);
  bitmap.Canvas().FillRect(TRect(0, 0, 9, 3));
  TMemoryStream stream;
  bitmap.SaveToStream(stream);
  stream.SetPosition(0);
  TlxPNGImage image;
  image.LoadFromStream(stream);
  EXPECT_EQ(image.Width(), 9);
  EXPECT_EQ(image.Height(), 3);
  EXPECT_TRUE(StartsWithPngSignature(PngBytes(image)));
}

TEST_F(PngImageTest, CopiesSharePixelsOrCloneTheDecodedImage) {
  TBitmap bitmap(4, 4, pf24bit);
  TlxPNGImage built;
  built.Assign(&bitmap);
  TlxPNGImage built_copy;
  built_copy.Assign(&built);
  ASSERT_NE(built_copy.Image(), nullptr);
  EXPECT_EQ(built_copy.Image()->Pixels().get(), built.Image()->Pixels().get());
  EXPECT_NE(built_copy.Image()->Handle(), built.Image()->Handle());

  TlxPNGImage decoded;
  LoadBytes(decoded, RedSquarePng(3));
  TlxPNGImage decoded_copy;
  decoded_copy.Assign(&decoded);
  ASSERT_NE(decoded_copy.Image(), nullptr);
  EXPECT_EQ(decoded_copy.Image()->Pixels(), nullptr);
  EXPECT_NE(decoded_copy.Image()->Handle(), decoded.Image()->Handle());
  EXPECT_TRUE(decoded_copy.SamePixels(decoded));

  TlxPNGImage empty;
  decoded_copy.Assign(&empty);
  EXPECT_TRUE(decoded_copy.Empty());
  EXPECT_EQ(decoded_copy.Image(), nullptr);
}

TEST_F(PngImageTest, CopiesIntoABitmapAndRefusesOtherGraphics) {
  TlxPNGImage image;
  LoadBytes(image, RedSquarePng(3));
  TBitmap bitmap;
  bitmap.Assign(&image);
  ASSERT_EQ(bitmap.Width(), 3);
  EXPECT_EQ(bitmap.Canvas().Pixel(1, 1), clRed);
  TPicture picture;
  EXPECT_THROW(image.Assign(&picture), EConvertError);
}

TEST_F(PngImageTest, OneDifferentAlphaByteMakesThePixelsDiffer) {
  auto pixels = std::make_shared<std::vector<TlxRGBQuad>>(4, TlxRGBQuad{10, 20, 30, 255});
  auto other = std::make_shared<std::vector<TlxRGBQuad>>(*pixels);
  (*other)[3].Alpha = 254;
  TlxPNGImage first;
  first.SetImage(lxNewGPImage(2, true, pixels, 2));
  TlxPNGImage second;
  second.SetImage(lxNewGPImage(2, true, other, 2));
  EXPECT_FALSE(first.SamePixels(second));
  TlxPNGImage third;
  third.SetImage(lxNewGPImage(2, true, std::make_shared<std::vector<TlxRGBQuad>>(*pixels), 2));
  EXPECT_TRUE(first.SamePixels(third));
  TlxPNGImage wider;
  wider.SetImage(lxNewGPImage(4, true, std::make_shared<std::vector<TlxRGBQuad>>(4), 1));
  EXPECT_FALSE(first.SamePixels(wider));
}

TEST_F(PngImageTest, DrawsScaledIntoACanvasAndNothingIntoAnEmptyRect) {
  TlxPNGImage image;
  LoadBytes(image, RedSquarePng(10));
  TBitmap target(30, 30, pf24bit);
  target.Canvas().Brush().SetColor(clWhite);
  target.Canvas().FillRect(TRect(0, 0, 30, 30));
  target.Canvas().StretchDraw(TRect(0, 0, 20, 20), &image);
  EXPECT_EQ(target.Canvas().Pixel(0, 0), clRed);
  EXPECT_EQ(target.Canvas().Pixel(19, 19), clRed);
  EXPECT_EQ(target.Canvas().Pixel(25, 25), clWhite);
  target.Canvas().StretchDraw(TRect(22, 0, 22, 20), &image);
  EXPECT_EQ(target.Canvas().Pixel(22, 5), clWhite);
}

TEST_F(PngImageTest, ThePictureLoadsPngFilesByExtension) {
  const std::string file = "lx_png_image_test.png";
  {
    TlxPNGImage image;
    LoadBytes(image, RedSquarePng(6));
    image.SaveToFile(file);
  }
  TPicture picture;
  picture.LoadFromFile(file);
  DeleteFileA(file.c_str());
  ASSERT_NE(dynamic_cast<TlxPNGImage*>(picture.Graphic()), nullptr);
  EXPECT_EQ(picture.Width(), 6);
  EXPECT_TRUE(picture.Graphic()->Transparent());
}

TEST(PngImageWithoutGdiPlusTest, IsNotRegisteredAndEveryImageIsEmpty) {
  lxUnloadGdiPlus();
  const std::string previous = lxSetGdiPlusLibraryName("lx_no_such_gdiplus.dll");
  lxPngImageInitialize();
  EXPECT_EQ(TPicture::GraphicClassOfExtension("png"), nullptr);
  EXPECT_EQ(GetClass("TlxPNGImage"), nullptr);
  EXPECT_EQ(lxGPImageClass(), &TlxGPNullImage::kClass);
  TBitmap bitmap(3, 3, pf24bit);
  TlxPNGImage image;
  image.Assign(&bitmap);
  EXPECT_TRUE(image.Empty());
  ASSERT_NE(image.Image(), nullptr);
  EXPECT_EQ(image.Image()->ClassType(), &TlxGPNullImage::kClass);
  EXPECT_EQ(PngBytes(image), "");
  LoadBytes(image, std::string(64, 'x'));
  EXPECT_TRUE(image.Empty());
  image.SetImage(nullptr);
  lxPngImageFinalize();
  lxSetGdiPlusLibraryName(previous);
  EXPECT_TRUE(lxCheckGdiPlus());
}

}  // namespace
