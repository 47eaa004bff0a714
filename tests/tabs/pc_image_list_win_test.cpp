#include "tabs/pc_image_list_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "platform/rtl/exceptions.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/image_list.h"
#include "tabs/pc_painters_factory.h"
#include "tabs/tab.h"
#include "tabs/tab_control_win.h"
#include "tabs/tabs.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "tests/tabs/tab_form_fixture.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace pc_image_list_win_test {

constexpr COLORREF kRed = RGB(220, 0, 0);

// An image list of three 16 x 16 images, all red.
TCustomImageList* MakeImages(TComponent* owner) {
  auto* images = new TCustomImageList(16, 16, owner);
  for (int32_t i = 0; i < 3; ++i) {
    TBitmap bitmap(16, 16, pf24bit);
    TlxCanvas(bitmap.Canvas()).FillRectColor(Bounds(0, 0, 16, 16), static_cast<TColor>(kRed));
    images->Add(bitmap, nullptr);
  }
  return images;
}

std::string DrawError(TlxPCImageList& list, int32_t index) {
  TBitmap target(40, 40, pf24bit);
  TlxCanvas canvas(target.Canvas());
  try {
    list.Draw(canvas, 0, 0, index, clWhite, true);
  } catch (const Exception& error) {
    return error.what();
  }
  return "no error";
}

TEST(PCImageListTest, DrawRefusesMissingImagesAndBadIndexes) {
  TlxPCImageList list(nullptr);
  EXPECT_EQ(DrawError(list, 0), "TlxPCImageList.Draw: BaseImages is not assigned");
  TCustomImageList* images = MakeImages(nullptr);
  list.SetBaseImages(images);
  EXPECT_EQ(DrawError(list, -1), "TlxPCImageList.Draw: Index (-1) must be between 0 and 2");
  EXPECT_EQ(DrawError(list, 3), "TlxPCImageList.Draw: Index (3) must be between 0 and 2");
  EXPECT_EQ(DrawError(list, 2), "no error");
  list.SetBaseImages(nullptr);
  delete images;
}

TEST(PCImageListTest, TurnedCopyFollowsColourAndEnabledState) {
  TlxPCImageList list(nullptr);
  TCustomImageList* images = MakeImages(nullptr);
  list.SetBaseImages(images);
  int32_t changes = 0;
  list.OnChange = [&] { ++changes; };
  list.SetImageRotationAngle(1);
  EXPECT_EQ(changes, 1);
  ASSERT_EQ(list.RotatedImages().size(), 3u);
  EXPECT_FALSE(list.RotatedImages()[1].Valid);

  TBitmap target(40, 40, pf24bit);
  TlxCanvas canvas(target.Canvas());
  auto centre = [&] { return GetPixel(target.Canvas().Handle(), 8, 8); };
  list.Draw(canvas, 0, 0, 1, clWhite, true);
  const TlxPCImageListRotatedImagesElement& element = list.RotatedImages()[1];
  EXPECT_TRUE(element.Valid);
  EXPECT_TRUE(element.Enabled);
  EXPECT_EQ(centre(), kRed);
  // Only the enabled state changes: the copy is drawn again, greyed.
  list.Draw(canvas, 0, 0, 1, clWhite, false);
  EXPECT_FALSE(element.Enabled);
  EXPECT_NE(centre(), kRed);
  list.Draw(canvas, 0, 0, 1, clWhite, true);
  EXPECT_EQ(centre(), kRed);
  list.Draw(canvas, 0, 0, 1, static_cast<TColor>(RGB(0, 0, 200)), true);
  EXPECT_EQ(element.BkColor, static_cast<TColor>(RGB(0, 0, 200)));
  // Another turn makes the copies anew.
  list.SetImageRotationAngle(2);
  EXPECT_FALSE(list.RotatedImages()[1].Valid);
  list.OnChange = nullptr;
  list.SetBaseImages(nullptr);
  delete images;
}

// Captions long enough that no tab is held at the least width.
class TabImagesTest : public TTabFormTest<> {
 protected:
  TabImagesTest() : TTabFormTest({"Erste Seite", "Zweite Seite", "Dritte Seite"}) {}
};

TEST_F(TabImagesTest, ImagesWidenTabsAndShowOnThem) {
  control_->SetStyle(1);
  auto width = [&](int32_t visible_index) {
    return control_->PainterObject()->CalculateTabNormalWidth(Tab(visible_index));
  };
  const int32_t plain = width(1);
  TCustomImageList* images = MakeImages(form_);
  control_->SetImages(images);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(width(1), plain + 16 + 6);
  // A border around images widens every image tab; a negative one is refused.
  control_->SetImageBorder(3);
  EXPECT_EQ(width(1), plain + 16 + 6 + 2 * 3);
  control_->SetImageBorder(-4);
  EXPECT_EQ(control_->ImageBorder(), 3);
  control_->SetImageBorder(0);
  // The frame's strip along the page may cover the image's last row.
  const int32_t red = CountIn(Capture(), Tab(1).FullRect(), kRed);
  EXPECT_GE(red, 16 * 15);
  EXPECT_LE(red, 16 * 16);
  // A tab without an image keeps its width.
  Tab(1).SetImageIndex(-1);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(width(1), plain);
}

TEST_F(TabImagesTest, FreeingTheListLeavesNoImages) {
  const int32_t plain = Tab(0).BaseRect().Width();
  TCustomImageList* images = MakeImages(form_);
  control_->SetImages(images);
  test_support::PumpMessagesUntilIdle();
  ASSERT_GT(Tab(0).BaseRect().Width(), plain);
  delete images;
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(control_->Images(), nullptr);
  EXPECT_EQ(Tab(0).BaseRect().Width(), plain);
}

TEST_F(TabImagesTest, DisabledTabNeverShowsTheEnabledTurnedImage) {
  control_->SetStyle(9);
  control_->SetTabPosition(tpLeft);
  TCustomImageList* images = MakeImages(form_);
  control_->SetImages(images);
  test_support::PumpMessagesUntilIdle();
  ASSERT_EQ(control_->ImageList().ImageRotationAngle(), 1);
  Capture();
  ASSERT_TRUE(control_->ImageList().RotatedImages()[1].Valid);
  EXPECT_TRUE(control_->ImageList().RotatedImages()[1].Enabled);
  Tab(1).SetEnabled(false);
  test_support::PumpMessagesUntilIdle();
  const auto pixels = Capture();
  EXPECT_FALSE(control_->ImageList().RotatedImages()[1].Enabled);
  EXPECT_EQ(CountIn(pixels, Tab(1).FullRect(), kRed), 0);
}

}  // namespace pc_image_list_win_test
