#include "platform/toolkit/jpeg_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "platform/rtl/memory_stream.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/picture.h"

namespace {

// Two colour halves: left red, right blue.
std::unique_ptr<TBitmap> TwoHalves(int32_t width, int32_t height, TPixelFormat format) {
  auto bitmap = std::make_unique<TBitmap>(width, height, format);
  bitmap->Canvas().Brush().SetColor(clRed);
  bitmap->Canvas().FillRect(TRect(0, 0, width / 2, height));
  bitmap->Canvas().Brush().SetColor(clBlue);
  bitmap->Canvas().FillRect(TRect(width / 2, 0, width, height));
  return bitmap;
}

bool Near(TColor a, TColor b, int tolerance) {
  for (int shift = 0; shift < 24; shift += 8)
    if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > tolerance)
      return false;
  return true;
}

std::string JpegBytes(TJPEGImage& jpeg) {
  TMemoryStream stream;
  jpeg.SaveToStream(stream);
  return std::string(reinterpret_cast<const char*>(stream.Memory()), static_cast<size_t>(stream.Size()));
}

void LoadJpeg(TGraphic& graphic, const std::string& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  graphic.LoadFromStream(stream);
}

TEST(JPEGImageTest, ABitmapIsCompressedAndDecodesToTheSameColours) {
  for (TPixelFormat format : {pf24bit, pf32bit, pf8bit}) {
    const std::unique_ptr<TBitmap> source = TwoHalves(32, 16, format);
    TJPEGImage jpeg;
    jpeg.Assign(source.get());
    const std::string bytes = JpegBytes(jpeg);
    ASSERT_GT(bytes.size(), 4u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[0]), 0xFF);
    EXPECT_EQ(static_cast<uint8_t>(bytes[1]), 0xD8);
    EXPECT_EQ(bytes, jpeg.Data());

    TJPEGImage decoded;
    LoadJpeg(decoded, bytes);
    ASSERT_EQ(decoded.Width(), 32) << format;
    ASSERT_EQ(decoded.Height(), 16);
    TBitmap back;
    back.Assign(&decoded);
    EXPECT_TRUE(Near(back.Canvas().Pixel(4, 8), clRed, 24)) << std::hex << back.Canvas().Pixel(4, 8);
    EXPECT_TRUE(Near(back.Canvas().Pixel(27, 8), clBlue, 24)) << std::hex << back.Canvas().Pixel(27, 8);
  }
}

TEST(JPEGImageTest, QualityChangesTheBytesAndIsKeptInItsRange) {
  const std::unique_ptr<TBitmap> source = TwoHalves(64, 64, pf24bit);
  source->Canvas().Brush().SetColor(clYellow);
  source->Canvas().Ellipse(5, 5, 60, 40);
  TJPEGImage best;
  best.SetCompressionQuality(1000);
  EXPECT_EQ(best.CompressionQuality(), 100);
  best.Assign(source.get());
  TJPEGImage worst;
  worst.SetCompressionQuality(-3);
  EXPECT_EQ(worst.CompressionQuality(), 1);
  worst.Assign(source.get());
  EXPECT_LT(worst.Data().size(), best.Data().size());
}

TEST(JPEGImageTest, DamagedBytesRaiseAndLeaveThePictureEmpty) {
  const std::unique_ptr<TBitmap> source = TwoHalves(40, 40, pf24bit);
  TJPEGImage good;
  good.Assign(source.get());
  const std::string bytes = good.Data();
  std::string scrambled = bytes;
  for (size_t index = bytes.size() / 2; index < bytes.size() - 2; ++index)
    scrambled[index] = static_cast<char>(0xFF);
  std::string huge = bytes;
  // The frame header's height and width (after FF C0, length, precision).
  const size_t frame = bytes.find("\xFF\xC0");
  ASSERT_NE(frame, std::string::npos);
  huge[frame + 5] = huge[frame + 6] = huge[frame + 7] = huge[frame + 8] = static_cast<char>(0xFF);
  struct Case {
    const char* name;
    std::string bytes;
  };
  const Case cases[] = {
      {"truncated", bytes.substr(0, bytes.size() / 2)},
      {"header only", bytes.substr(0, 2)},
      {"scrambled data", scrambled},
      {"not a JPEG", std::string("GIF89a") + std::string(100, '\0')},
      {"oversized frame", huge},
  };
  for (const Case& c : cases) {
    TJPEGImage jpeg;
    jpeg.Assign(source.get());
    EXPECT_THROW(LoadJpeg(jpeg, c.bytes), EInvalidGraphic) << c.name;
    EXPECT_TRUE(jpeg.Empty()) << c.name;
    EXPECT_EQ(jpeg.Data(), "") << c.name;
    EXPECT_EQ(JpegBytes(jpeg), "") << c.name;
  }
}

TEST(JPEGImageTest, ThePictureReadsJpegFilesAndCopiesThem) {
  const std::string file = "lx_jpeg_image_test.jpeg";
  {
    const std::unique_ptr<TBitmap> source = TwoHalves(10, 6, pf24bit);
    TJPEGImage jpeg;
    jpeg.Assign(source.get());
    jpeg.SaveToFile(file);
  }
  TPicture picture;
  picture.LoadFromFile(file);
  DeleteFileA(file.c_str());
  auto* jpeg = dynamic_cast<TJPEGImage*>(picture.Graphic());
  ASSERT_NE(jpeg, nullptr);
  EXPECT_EQ(picture.Width(), 10);
  TPicture copy;
  copy.Assign(&picture);
  auto* copied = dynamic_cast<TJPEGImage*>(copy.Graphic());
  ASSERT_NE(copied, nullptr);
  EXPECT_EQ(copied->Data(), jpeg->Data());
  EXPECT_EQ(copied->Height(), 6);
  EXPECT_EQ(TPicture::GraphicClassOfExtension(".JPG"), &TJPEGImage::kClass);
}

}  // namespace
