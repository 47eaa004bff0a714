#include "ui/foundation/bitmaps/resampling.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <numeric>
#include <vector>

#include "platform/rtl/exceptions.h"

namespace resampling_test {

uint32_t Pixel(uint8_t blue, uint8_t green, uint8_t red, uint8_t alpha) {
  return uint32_t{blue} | uint32_t{green} << 8 | uint32_t{red} << 16 | uint32_t{alpha} << 24;
}

int ChannelDifference(uint32_t a, uint32_t b, int shift) {
  return std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
}

int32_t WeightSum(const std::vector<TlxContributor>& contributors) {
  return std::accumulate(contributors.begin(), contributors.end(), 0,
                         [](int32_t sum, const TlxContributor& c) { return sum + c.Weight; });
}

TEST(ResampleScaleTest, EndsMeetExceptForSinglePixels) {
  struct Case {
    int32_t source;
    int32_t dest;
    float scale;
  };
  const Case cases[] = {
      {16, 32, 31.0f / 15.0f},  // doubling: first and last pixels coincide
      {40, 1, 1.0f / 40.0f},    // shrinking to one pixel: plain ratio
      {1, 5, 5.0f},             // growing from one pixel: plain ratio
      {10, 10, 1.0f},
      {10, 4, 3.0f / 9.0f},
  };
  for (const Case& c : cases)
    EXPECT_FLOAT_EQ(lxResampleScale(c.source, c.dest), c.scale) << c.source << " -> " << c.dest;
}

TEST(LanczosKernelTest, OneAtTheCentreZeroAtWholeNumbersAndOutside) {
  EXPECT_FLOAT_EQ(lxLanczos3(0.0f), 1.0f);
  for (const float x : {1.0f, -1.0f, 2.0f, -2.0f})
    EXPECT_NEAR(lxLanczos3(x), 0.0f, 1e-6f) << x;
  for (const float x : {3.0f, -3.0f, 3.5f, -100.0f})
    EXPECT_EQ(lxLanczos3(x), 0.0f) << x;
  // The first outer lobe is negative, which is what sharpens edges.
  EXPECT_LT(lxLanczos3(1.5f), 0.0f);
  EXPECT_FLOAT_EQ(lxLanczos3(0.7f), lxLanczos3(-0.7f));
}

TEST(ContributorsTest, WholeSourcePositionsTakeOnePixelAtFullWeight) {
  // Doubling 16 pixels: destination 0 sits on source 0 and destination 31
  // on source 15, so each has a single contributor of weight 256.
  const TlxContributorTable table = lxBuildContributors(16, 32, lxResampleScale(16, 32));
  ASSERT_EQ(table.size(), 32u);
  ASSERT_EQ(table.front().size(), 1u);
  EXPECT_EQ(table.front()[0].SourceIndex, 0);
  EXPECT_EQ(table.front()[0].Weight, 256);
  ASSERT_EQ(table.back().size(), 1u);
  EXPECT_EQ(table.back()[0].SourceIndex, 15);
  EXPECT_EQ(table.back()[0].Weight, 256);
}

TEST(ContributorsTest, WeightsAddUpToAboutOneAndIndexesStayInsideTheSource) {
  struct Case {
    int32_t source;
    int32_t dest;
    int32_t tolerance;
  };
  // Rounding each weight to 1/256 leaves the sum a little off 256; the more
  // source pixels share a destination pixel, the smaller each weight and the
  // larger the rounding's share (40 to 1 has 240 weights of at most 6).
  // Shrinking far below the filter's reach, the source shorter than the
  // filter (2 to 9) and ordinary sizes.
  const Case cases[] = {{40, 1, 24}, {16, 32, 8}, {2, 9, 8}, {1, 7, 8}, {7, 1, 8}, {100, 37, 8}, {5, 5, 8}};
  for (const Case& c : cases) {
    const TlxContributorTable table = lxBuildContributors(c.source, c.dest, lxResampleScale(c.source, c.dest));
    ASSERT_EQ(table.size(), static_cast<size_t>(c.dest));
    for (const auto& contributors : table) {
      EXPECT_FALSE(contributors.empty());
      for (const TlxContributor& contributor : contributors) {
        EXPECT_GE(contributor.SourceIndex, 0);
        EXPECT_LT(contributor.SourceIndex, c.source);
        EXPECT_NE(contributor.Weight, 0);
      }
      EXPECT_NEAR(WeightSum(contributors), 256, c.tolerance) << c.source << " -> " << c.dest;
    }
  }
}

TEST(ContributorsTest, PositionsBeforeTheFirstPixelAreMirrored) {
  const TlxContributorTable table = lxBuildContributors(10, 19, lxResampleScale(10, 19));
  // Destination 1 lies half way between source 0 and 1; its left lobes
  // reach -1 and -2, which read pixels 1 and 2 a second time.
  int32_t reads_of_one_and_two = 0;
  for (const TlxContributor& contributor : table[1])
    if (contributor.SourceIndex == 1 || contributor.SourceIndex == 2)
      ++reads_of_one_and_two;
  EXPECT_EQ(reads_of_one_and_two, 4);
  // The last destination sits on pixel 9 exactly: nothing else contributes.
  ASSERT_EQ(table[18].size(), 1u);
  EXPECT_EQ(table[18][0].SourceIndex, 9);
}

TEST(ContributorsTest, BadPassesAreRefused) {
  EXPECT_THROW(lxBuildContributors(0, 5, 1.0f), EInvalidArgument);
  EXPECT_THROW(lxBuildContributors(5, 0, 1.0f), EInvalidArgument);
  EXPECT_THROW(lxBuildContributors(5, 5, 0.0f), EInvalidArgument);
  EXPECT_THROW(lxBuildContributors(5, 5, -1.0f), EInvalidArgument);
}

TEST(ApplyContributorsTest, SumsAreLimitedPerChannel) {
  const std::vector<uint32_t> line = {Pixel(100, 200, 255, 10), Pixel(0, 0, 0, 0)};
  // Below 0 (a negative lobe over a bright pixel) gives 0; above 255 x 256
  // gives 255; in between the sum shifted by 8.
  EXPECT_EQ(lxApplyContributors(line.data(), 1, {{0, -256}}), Pixel(0, 0, 0, 0));
  EXPECT_EQ(lxApplyContributors(line.data(), 1, {{0, 512}}), Pixel(200, 255, 255, 20));
  EXPECT_EQ(lxApplyContributors(line.data(), 1, {{0, 128}, {1, 128}}), Pixel(50, 100, 127, 5));
  // Channels are independent: a large weight clamps red but not alpha.
  EXPECT_EQ(lxApplyContributors(line.data(), 1, {{0, 300}, {1, 50}}), Pixel(117, 234, 255, 11));
}

TEST(ApplyContributorsTest, StrideWalksAColumn) {
  // A 2 x 2 image; stride 2 reads the right column.
  const std::vector<uint32_t> image = {Pixel(1, 1, 1, 1), Pixel(10, 20, 30, 40), Pixel(2, 2, 2, 2),
                                       Pixel(50, 60, 70, 80)};
  EXPECT_EQ(lxApplyContributors(image.data() + 1, 2, {{1, 256}}), Pixel(50, 60, 70, 80));
}

TEST(ResamplePixelsTest, DoublingKeepsTheCornerPixels) {
  std::vector<uint32_t> source(16 * 16);
  for (uint32_t i = 0; i < source.size(); ++i)
    source[i] = Pixel(static_cast<uint8_t>(i), static_cast<uint8_t>(i * 7), static_cast<uint8_t>(255 - i), 255);
  const std::vector<uint32_t> result = lxResamplePixels(source, 16, 16, 32, 32);
  ASSERT_EQ(result.size(), 32u * 32u);
  EXPECT_EQ(result[0], source[0]);
  EXPECT_EQ(result[31], source[15]);
  EXPECT_EQ(result[31 * 32], source[15 * 16]);
  EXPECT_EQ(result[32 * 32 - 1], source[16 * 16 - 1]);
}

TEST(ResamplePixelsTest, AnEvenColourStaysEven) {
  struct Case {
    int32_t source_width, source_height, dest_width, dest_height;
    int tolerance;  // the weights' rounding, larger when shrinking far
  };
  const Case cases[] = {
      {40, 3, 1, 3, 24}, {16, 16, 32, 32, 8}, {3, 3, 11, 2, 8}, {1, 1, 4, 4, 8}, {9, 9, 1, 1, 8}};
  const uint32_t colour = Pixel(30, 140, 220, 255);
  for (const Case& c : cases) {
    const std::vector<uint32_t> source(static_cast<size_t>(c.source_width * c.source_height), colour);
    const std::vector<uint32_t> result =
        lxResamplePixels(source, c.source_width, c.source_height, c.dest_width, c.dest_height);
    ASSERT_EQ(result.size(), static_cast<size_t>(c.dest_width * c.dest_height));
    for (const uint32_t pixel : result)
      for (const int shift : {0, 8, 16, 24})
        EXPECT_LE(ChannelDifference(pixel, colour, shift), c.tolerance)
            << c.source_width << "x" << c.source_height << " -> " << c.dest_width << "x" << c.dest_height;
  }
}

TEST(ResamplePixelsTest, ASharpEdgeOvershootsAndIsClamped) {
  // Black to white in one step: the negative lobes would push the pixels
  // next to the edge below black and above white; they stop at 0 and 255.
  std::vector<uint32_t> source;
  for (int i = 0; i < 8; ++i)
    source.push_back(i < 4 ? Pixel(0, 0, 0, 255) : Pixel(255, 255, 255, 255));
  const std::vector<uint32_t> result = lxResamplePixels(source, 8, 1, 29, 1);
  bool reached_black = false;
  bool reached_white = false;
  for (const uint32_t pixel : result) {
    reached_black = reached_black || (pixel & 0xFFFFFF) == 0;
    reached_white = reached_white || (pixel & 0xFFFFFF) == 0xFFFFFF;
  }
  EXPECT_TRUE(reached_black);
  EXPECT_TRUE(reached_white);
  EXPECT_EQ(result.front(), Pixel(0, 0, 0, 255));
  EXPECT_EQ(result.back(), Pixel(255, 255, 255, 255));
}

TEST(ResamplePixelsTest, BadSizesAreRefused) {
  const std::vector<uint32_t> four(4, 0);
  EXPECT_THROW(lxResamplePixels(four, 2, 2, 0, 3), EInvalidArgument);
  EXPECT_THROW(lxResamplePixels(four, 0, 2, 3, 3), EInvalidArgument);
  EXPECT_THROW(lxResamplePixels(four, 3, 2, 3, 3), EInvalidArgument);   // too few pixels
  EXPECT_THROW(lxResamplePixels(four, 2, 2, 1 << 14, 1 << 14), EInvalidArgument);  // far too large
}

}  // namespace resampling_test
