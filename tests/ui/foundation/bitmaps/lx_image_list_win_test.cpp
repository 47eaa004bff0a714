#include "ui/foundation/bitmaps/lx_image_list_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "tests/support/gui_objects.h"
#include "tests/support/system_colors.h"
#include "tests/ui/foundation/bitmaps/stored_bytes.h"
#include "ui/foundation/bitmaps/lx_bitmap_win.h"
#include "ui/foundation/bitmaps/pixel_access_win.h"

namespace lx_image_list_win_test {

constexpr uint32_t Pixel(uint8_t blue, uint8_t green, uint8_t red, uint8_t alpha) {
  return uint32_t{blue} | uint32_t{green} << 8 | uint32_t{red} << 16 | uint32_t{alpha} << 24;
}

// A 24-bit bitmap cut into 16 x 16 cells, cell k (row by row) filled with
// the colour RGB(k * 10 + 10, 0, 0).
std::unique_ptr<TBitmap> CellStrip(int32_t width, int32_t height) {
  auto bitmap = std::make_unique<TBitmap>(width, height, pf24bit);
  int32_t k = 0;
  for (int32_t top = 0; top < height; top += 16) {
    for (int32_t left = 0; left < width; left += 16) {
      bitmap->Canvas().Brush().SetColor(RGB(k * 10 + 10, 0, 0));
      bitmap->Canvas().FillRect(TRect(left, top, left + 16, top + 16));
      ++k;
    }
  }
  return bitmap;
}

// The red of the top-left pixel of image `index` as the list's own
// information holds it.
int32_t StoredRed(TlxImageList& list, int32_t index) {
  TBitmap image;
  TBitmap mask;
  list.GetImage(index, image, mask);
  return GetRValue(image.Canvas().Pixel(0, 0));
}

// The red of the top-left pixel of image `index` as the system list draws it.
int32_t DrawnRed(TlxImageList& list, int32_t index) {
  TBitmap surface(list.Width(), list.Height(), pf32bit);
  surface.Canvas().Brush().SetColor(clWhite);
  surface.Canvas().FillRect(TRect(0, 0, list.Width(), list.Height()));
  ImageList_Draw(list.Handle(), index, surface.Canvas().Handle(), 0, 0, ILD_NORMAL);
  return GetRValue(surface.Canvas().Pixel(0, 0));
}

std::vector<uint8_t> Saved(TlxImageList& list) {
  TMemoryStream stream;
  stream.WriteComponent(list);
  return stream.Bytes();
}

void Load(TlxImageList& list, const std::vector<uint8_t>& bytes) {
  TMemoryStream stream;
  bitmaps_test::FillFromStart(stream, bytes);
  stream.ReadComponent(&list);
}

bool Contains(const std::vector<uint8_t>& bytes, const std::string& text) {
  return std::search(bytes.begin(), bytes.end(), text.begin(), text.end()) != bytes.end();
}

TEST(LxImageListTest, ImagesOfOtherSizesFollowOneRuleInBothLists) {
  struct Case {
    int32_t width;
    int32_t height;
    int32_t images;
  };
  const Case cases[] = {{16, 16, 1}, {48, 16, 3}, {32, 32, 4}, {32, 20, 1}, {20, 16, 1}, {8, 8, 1}};
  for (const Case& c : cases) {
    TlxImageList list(nullptr);
    auto image = CellStrip(c.width, c.height);
    EXPECT_EQ(list.AddImage(*image, nullptr), 0);
    EXPECT_EQ(list.Count(), c.images) << c.width << " x " << c.height;
    EXPECT_EQ(list.ImageInfo().Count(), c.images) << c.width << " x " << c.height;

    TlxImageList loaded(nullptr);
    Load(loaded, Saved(list));
    EXPECT_EQ(loaded.Count(), c.images) << c.width << " x " << c.height;
    EXPECT_EQ(loaded.ImageInfo().Count(), c.images) << c.width << " x " << c.height;
  }
}

TEST(LxImageListTest, TilesGoInRowByRowInTheSameOrderInBothLists) {
  TlxImageList list(nullptr);
  auto image = CellStrip(32, 32);
  list.AddImage(*image, nullptr);
  ASSERT_EQ(list.Count(), 4);
  for (int32_t k = 0; k < 4; ++k) {
    EXPECT_EQ(StoredRed(list, k), k * 10 + 10) << k;
    EXPECT_EQ(DrawnRed(list, k), k * 10 + 10) << k;
  }
}

TEST(LxImageListTest, AnImageThatIsNotTiledIsStoredWhole) {
  TlxImageList list(nullptr);
  auto image = CellStrip(20, 16);
  list.AddImage(*image, nullptr);
  const TBitmap* stored = list.ImageInfo().Items(0)->Image();
  EXPECT_EQ(stored->Width(), 20);
  EXPECT_EQ(stored->Height(), 16);
}

TEST(LxImageListTest, MaskColourAndMaskMakePixelsSeeThrough) {
  TlxImageList list(nullptr);
  auto image = CellStrip(16, 16);
  image->Canvas().SetPixel(0, 0, RGB(255, 0, 255));
  list.AddImageMasked(*image, RGB(255, 0, 255));
  EXPECT_EQ(list.ImageInfo().Items(0)->MaskColor(), RGB(255, 0, 255));
  EXPECT_EQ(DrawnRed(list, 0), 255);  // white shows through
  // The stored image keeps the masked colour unchanged.
  EXPECT_EQ(list.ImageInfo().Items(0)->Image()->Canvas().Pixel(0, 0), RGB(255, 0, 255));

  TBitmap mask(16, 16, pf1bit);
  mask.Canvas().Brush().SetColor(clBlack);
  mask.Canvas().FillRect(TRect(0, 0, 16, 16));
  mask.Canvas().SetPixel(0, 0, clWhite);
  auto second = CellStrip(16, 16);
  list.AddImage(*second, &mask);
  EXPECT_EQ(DrawnRed(list, 1), 255);
  TlxImageList loaded(nullptr);
  Load(loaded, Saved(list));
  EXPECT_EQ(DrawnRed(loaded, 0), 255);
  EXPECT_EQ(DrawnRed(loaded, 1), 255);
}

TEST(LxImageListTest, CompressedAlphaImagesRoundTripExactly) {
  TlxImageList list(nullptr);
  list.SetCompressData(true);
  TlxBitmap image(16, 16);
  std::vector<uint32_t> pixels(256);
  for (size_t i = 0; i < pixels.size(); ++i) {
    const auto alpha = static_cast<uint8_t>(i);
    pixels[i] = Pixel(alpha / 2, alpha / 3, alpha, alpha);  // premultiplied, alpha varies
  }
  image.SetPixels(pixels);
  list.AddImage(image, nullptr);
  ASSERT_TRUE(list.ImageInfo().Items(0)->CompressData());

  const std::vector<uint8_t> bytes = Saved(list);
  EXPECT_TRUE(Contains(bytes, "XDBM"));
  EXPECT_TRUE(Contains(bytes, "FormatVersion"));
  EXPECT_EQ(list.FormatVersion(), 1);

  TlxImageList loaded(nullptr);
  Load(loaded, bytes);
  ASSERT_EQ(loaded.Count(), 1);
  EXPECT_TRUE(loaded.CompressData());
  EXPECT_EQ(loaded.FormatVersion(), 1);
  TlxBitmap back;
  TBitmap mask;
  loaded.GetImage(0, back, mask);
  EXPECT_EQ(back.PixelFormat(), pf32bit);
  EXPECT_EQ(back.GetPixels(), pixels);
  // The system list got the alpha too.
  EXPECT_EQ(TlxImageList::GetImagePixelFormat(loaded.Handle()), 32);
  TBitmap strip;
  TlxImageList::ExtractImageInfo(loaded.Handle(), 0, &strip, nullptr);
  // Read top row first: the bottom-right pixel is the bottom-up array's 15th.
  const TlxPixelImage system_pixels = lxReadBitmapPixels(strip);
  EXPECT_EQ(system_pixels.Pixels[255] >> 24, 15u);
  EXPECT_EQ(system_pixels.Pixels[0] >> 24, 240u);
}

TEST(LxImageListTest, DamagedImageInfoIsTheReadErrorAndLeavesTheListAlone) {
  TlxImageList source(nullptr);
  source.SetCompressData(true);
  auto strip = CellStrip(32, 16);
  source.AddImage(*strip, nullptr);
  const std::vector<uint8_t> good = Saved(source);
  const auto mark = std::search(good.begin(), good.end(), std::begin("XDBM"), std::end("XDBM") - 1);
  ASSERT_NE(mark, good.end());
  const size_t mark_at = static_cast<size_t>(mark - good.begin());

  std::vector<uint8_t> lying_length = good;
  lying_length[mark_at - 2] = 0x7F;  // N far past the end of the block
  std::vector<uint8_t> negative_length = good;
  negative_length[mark_at - 1] = 0x80;
  std::vector<uint8_t> corrupt_packets = good;
  corrupt_packets[mark_at + 6] = 0x7F;  // the first packet now repeats 127 bytes
  std::vector<uint8_t> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(mark_at + 20));
  for (const std::vector<uint8_t>* bytes : {&lying_length, &negative_length, &corrupt_packets, &truncated}) {
    TlxImageList target(nullptr);
    auto own = CellStrip(16, 16);
    target.AddImage(*own, nullptr);
    EXPECT_THROW(Load(target, *bytes), EReadError);
    EXPECT_EQ(target.Count(), 1);
    EXPECT_EQ(target.ImageInfo().Count(), 1);
    EXPECT_EQ(DrawnRed(target, 0), 10);
  }
}

TEST(LxImageListTest, ItemsThatCannotBeOneImageAreTheReadError) {
  // Stored information that disagrees with the list: an item without an
  // image, and one whose image would go in as four tiles.
  auto big = CellStrip(32, 32);
  TBitmap* bad_images[] = {nullptr, big.get()};
  for (TBitmap* bad : bad_images) {
    TlxImageList source(nullptr);
    auto strip = CellStrip(16, 16);
    source.AddImage(*strip, nullptr);
    source.ImageInfo().Add(bad, nullptr, clNone);
    const std::vector<uint8_t> bytes = Saved(source);

    TlxImageList target(nullptr);
    auto own = CellStrip(32, 16);
    target.AddImage(*own, nullptr);
    EXPECT_THROW(Load(target, bytes), EReadError);
    EXPECT_EQ(target.Count(), 2);
    EXPECT_EQ(target.ImageInfo().Count(), 2);
    EXPECT_EQ(StoredRed(target, 1), 20);
  }
}

TEST(LxImageListTest, InheritedListEqualToTheAncestorStoresNoImageInfo) {
  TlxImageList ancestor(nullptr);
  TlxImageList descendant(nullptr);
  auto strip = CellStrip(16, 16);
  ancestor.AddImage(*strip, nullptr);
  descendant.AddImage(*strip, nullptr);
  EXPECT_TRUE(descendant.Equals(ancestor));
  auto written = [&] {
    TMemoryStream stream;
    TWriter writer(stream);
    writer.WriteDescendent(descendant, &ancestor);
    return stream.Bytes();
  };
  EXPECT_FALSE(Contains(written(), "ImageInfo"));
  descendant.AddImage(*strip, nullptr);
  EXPECT_FALSE(descendant.Equals(ancestor));
  EXPECT_TRUE(Contains(written(), "ImageInfo"));

  TlxImageList empty(nullptr);
  TlxImageList other_empty(nullptr);
  EXPECT_TRUE(empty.Equals(other_empty));
}

TEST(LxImageListTest, InsertMoveDeleteAndReplaceKeepBothListsInStep) {
  TlxImageList list(nullptr);
  auto three = CellStrip(48, 16);  // reds 10, 20, 30
  list.AddImage(*three, nullptr);
  auto expect_reds = [&](const std::vector<int32_t>& reds) {
    ASSERT_EQ(list.Count(), static_cast<int32_t>(reds.size()));
    ASSERT_EQ(list.ImageInfo().Count(), static_cast<int32_t>(reds.size()));
    for (size_t i = 0; i < reds.size(); ++i) {
      EXPECT_EQ(StoredRed(list, static_cast<int32_t>(i)), reds[i]) << i;
      EXPECT_EQ(DrawnRed(list, static_cast<int32_t>(i)), reds[i]) << i;
    }
  };
  list.MoveImage(0, 2);
  expect_reds({20, 30, 10});
  auto single = CellStrip(16, 16);  // red 10
  single->Canvas().Brush().SetColor(RGB(99, 0, 0));
  single->Canvas().FillRect(TRect(0, 0, 16, 16));
  list.InsertImage(list.Count() + 1, *single, nullptr);
  expect_reds({20, 30, 10});
  list.InsertImage(list.Count(), *single, nullptr);
  expect_reds({20, 30, 10, 99});
  list.InsertImage(1, *three, nullptr);
  expect_reds({20, 10, 20, 30, 30, 10, 99});
  list.DeleteImage(0);
  expect_reds({10, 20, 30, 30, 10, 99});
  list.ReplaceImage(2, *single, nullptr);
  expect_reds({10, 20, 99, 30, 10, 99});
  list.ClearImages();
  expect_reds({});
}

TEST(LxImageListTest, InformationFollowsTheSystemList) {
  TlxImageList list(nullptr);
  auto strip = CellStrip(32, 16);
  // Images added behind the information's back come in on a rebuild.
  list.Add(*strip, nullptr);
  EXPECT_EQ(list.ImageInfo().Count(), 0);
  list.RebuildImageInfo();
  ASSERT_EQ(list.ImageInfo().Count(), 2);
  EXPECT_EQ(StoredRed(list, 1), 20);
  // A new image size empties both.
  list.SetSize(24, 24);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.ImageInfo().Count(), 0);
}

TEST(LxImageListTest, AssignCopiesImagesFromAnyImageList) {
  TImageList plain(16, 16);
  auto strip = CellStrip(32, 16);
  plain.Add(*strip, nullptr);
  TlxImageList copy(nullptr);
  copy.Assign(&plain);
  ASSERT_EQ(copy.Count(), 2);
  ASSERT_EQ(copy.ImageInfo().Count(), 2);
  EXPECT_EQ(DrawnRed(copy, 1), 20);

  TlxImageList second(nullptr);
  second.Assign(&copy);
  ASSERT_EQ(second.ImageInfo().Count(), 2);
  EXPECT_EQ(StoredRed(second, 0), 10);
}

TEST(LxImageListTest, NotifiesOncePerBracket) {
  TlxImageList list(nullptr);
  int changes = 0;
  list.OnChange = [&](TObject*) { ++changes; };
  auto strip = CellStrip(32, 16);
  list.BeginUpdate();
  list.AddImage(*strip, nullptr);
  list.DeleteImage(0);
  EXPECT_EQ(changes, 0);
  list.EndUpdate(true);
  EXPECT_EQ(changes, 1);
  list.BeginUpdate();
  list.EndUpdate(false);
  EXPECT_EQ(changes, 1);
}

TEST(LxImageListTest, DisabledImagesDrawInTheLibrarysDisabledLook) {
  TlxImageList list(nullptr);
  auto strip = CellStrip(16, 16);
  list.AddImage(*strip, nullptr);
  auto drawn = [&](bool enabled) {
    TBitmap surface(16, 16, pf32bit);
    surface.Canvas().Brush().SetColor(clWhite);
    surface.Canvas().FillRect(TRect(0, 0, 16, 16));
    list.Draw(surface.Canvas(), 0, 0, 0, enabled);
    return surface.Canvas().Pixel(8, 8);
  };
  EXPECT_EQ(drawn(true), RGB(10, 0, 0));
  // Grey 3 under the blue shadow at 0xC0, factor 238.
  test_support::ScopedSystemColor shadow(COLOR_BTNSHADOW, RGB(0, 0, 255));
  EXPECT_EQ(drawn(false), RGB(1, 1, 239));
}

TEST(LxImageListTest, HandlesComeBack) {
  const DWORD before = test_support::CountGdiObjects();
  {
    TlxImageList list(nullptr);
    list.SetCompressData(true);
    auto strip = CellStrip(48, 32);
    list.AddImage(*strip, nullptr);
    TlxImageList loaded(nullptr);
    Load(loaded, Saved(list));
    TBitmap surface(16, 16, pf32bit);
    loaded.Draw(surface.Canvas(), 0, 0, 3, false);
  }
  EXPECT_EQ(test_support::CountGdiObjects(), before);
}

}  // namespace lx_image_list_win_test
