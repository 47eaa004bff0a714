// libjpeg is linked for the picture editors; this proves the Windows build of
// it works: an image compressed and decompressed through the version-62
// interface comes back with its size and close to its colours.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 16;

std::vector<unsigned char> GradientRgb() {
  std::vector<unsigned char> pixels(kWidth * kHeight * 3);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x) {
      unsigned char* pixel = &pixels[(y * kWidth + x) * 3];
      pixel[0] = static_cast<unsigned char>(x * 8);
      pixel[1] = static_cast<unsigned char>(y * 16);
      pixel[2] = 128;
    }
  return pixels;
}

std::vector<unsigned char> Compress(const std::vector<unsigned char>& rgb, int quality) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  jpeg_start_compress(&info, TRUE);
  while (info.next_scanline < info.image_height) {
    JSAMPROW row = const_cast<unsigned char*>(&rgb[info.next_scanline * kWidth * 3]);
    jpeg_write_scanlines(&info, &row, 1);
  }
  jpeg_finish_compress(&info);
  std::vector<unsigned char> jpeg(buffer, buffer + size);
  jpeg_destroy_compress(&info);
  std::free(buffer);
  return jpeg;
}

TEST(Jpeg, CompressesAndDecompressesThroughTheVersion62Interface) {
  EXPECT_EQ(JPEG_LIB_VERSION, 62);
  const std::vector<unsigned char> original = GradientRgb();
  std::vector<unsigned char> jpeg = Compress(original, 95);
  ASSERT_GT(jpeg.size(), 100u);
  EXPECT_EQ(jpeg[0], 0xFF);
  EXPECT_EQ(jpeg[1], 0xD8);

  jpeg_decompress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_decompress(&info);
  jpeg_mem_src(&info, jpeg.data(), static_cast<unsigned long>(jpeg.size()));
  ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
  jpeg_start_decompress(&info);
  ASSERT_EQ(info.output_width, static_cast<JDIMENSION>(kWidth));
  ASSERT_EQ(info.output_height, static_cast<JDIMENSION>(kHeight));
  ASSERT_EQ(info.output_components, 3);
  std::vector<unsigned char> decoded(original.size());
  while (info.output_scanline < info.output_height) {
    JSAMPROW row = &decoded[info.output_scanline * kWidth * 3];
    jpeg_read_scanlines(&info, &row, 1);
  }
  jpeg_finish_decompress(&info);
  jpeg_destroy_decompress(&info);

  int worst = 0;
  for (size_t i = 0; i < original.size(); ++i)
    worst = std::max(worst, std::abs(original[i] - decoded[i]));
  EXPECT_LE(worst, 24) << "lossy, but not that lossy at quality 95";
}

}  // namespace
