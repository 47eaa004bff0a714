#include "platform/toolkit/image_list.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/icon.h"
#include "tests/platform/toolkit/message_dialog_test.h"

namespace {

// A strip of solid squares, one colour per image.
std::unique_ptr<TBitmap> Strip(const std::vector<TColor>& colors, int32_t side = 16) {
  auto bitmap = std::make_unique<TBitmap>(side * static_cast<int32_t>(colors.size()), side, pf24bit);
  for (size_t i = 0; i < colors.size(); ++i) {
    bitmap->Canvas().Brush().SetColor(colors[i]);
    bitmap->Canvas().FillRect(Bounds(static_cast<int32_t>(i) * side, 0, side, side));
  }
  return bitmap;
}

TColor ImageColor(TCustomImageList& list, int32_t index, int32_t x = 8, int32_t y = 8) {
  TBitmap image;
  if (!list.GetBitmap(index, image))
    return clNone;
  return image.Canvas().Pixel(x, y);
}

int32_t SystemCount(TCustomImageList& list) { return ImageList_GetImageCount(list.Handle()); }

TEST(ImageListTest, CountFollowsTheSystemListThroughEveryChange) {
  TImageList list(16, 16);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Add(*Strip({clRed}), nullptr), 0);
  EXPECT_EQ(list.Add(*Strip({clLime, clBlue, clYellow}), nullptr), 1);  // a strip adds three
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Count(), SystemCount(list));

  auto narrow = std::make_unique<TBitmap>(10, 16, pf24bit);  // narrower than an image
  EXPECT_EQ(list.Add(*narrow, nullptr), -1);  // nothing was added
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(list.Count(), SystemCount(list));

  list.Insert(1, *Strip({clAqua, clFuchsia}), nullptr);
  EXPECT_EQ(list.Count(), SystemCount(list));
  EXPECT_EQ(ImageColor(list, 0), clRed);
  EXPECT_EQ(ImageColor(list, 1), clAqua);
  EXPECT_EQ(ImageColor(list, 2), clFuchsia);
  EXPECT_EQ(ImageColor(list, 3), clLime);

  list.Delete(1);
  EXPECT_EQ(ImageColor(list, 1), clFuchsia);
  EXPECT_EQ(list.Count(), SystemCount(list));
  list.Move(0, 3);
  EXPECT_EQ(ImageColor(list, 0), clFuchsia);
  EXPECT_EQ(ImageColor(list, 3), clRed);

  list.SetSize(24, 24);  // a new size empties the list
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(SystemCount(list), 0);
  list.Add(*Strip({clRed}, 24), nullptr);
  list.SetMasked(false);
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(SystemCount(list), 0);
  list.Add(*Strip({clRed, clRed}, 24), nullptr);
  list.Clear();
  EXPECT_EQ(list.Count(), SystemCount(list));
}

TEST(ImageListTest, IndexesOutOfRangeAreRefused) {
  TImageList list(16, 16);
  list.Add(*Strip({clRed, clBlue}), nullptr);
  auto image = Strip({clLime});
  EXPECT_THROW(list.Delete(2), EInvalidOperation);
  EXPECT_THROW(list.Delete(-2), EInvalidOperation);
  EXPECT_THROW(list.Replace(5, *image, nullptr), EInvalidOperation);
  EXPECT_THROW(list.Insert(3, *image, nullptr), EInvalidOperation);
  EXPECT_THROW(list.Move(0, 2), EInvalidOperation);
  EXPECT_EQ(list.Count(), 2);
  list.Insert(2, *image, nullptr);  // at the end
  EXPECT_EQ(ImageColor(list, 2), clLime);
  TBitmap out;
  EXPECT_FALSE(list.GetBitmap(3, out));
  EXPECT_THROW(list.SetSize(0, 16), EInvalidOperation);
}

TEST(ImageListTest, MasksMakePartsSeeThrough) {
  TImageList list(16, 16);
  auto image = Strip({clRed});
  image->Canvas().Brush().SetColor(clFuchsia);
  image->Canvas().FillRect(Rect(0, 0, 8, 16));  // left half in the mask colour
  list.AddMasked(*image, clFuchsia);
  // The given bitmap keeps its colours.
  EXPECT_EQ(image->Canvas().Pixel(2, 2), clFuchsia);

  TBitmap target(16, 16, pf24bit);
  target.Canvas().Brush().SetColor(clBlue);
  target.Canvas().FillRect(Rect(0, 0, 16, 16));
  list.Draw(target.Canvas(), 0, 0, 0);
  EXPECT_EQ(target.Canvas().Pixel(2, 2), clBlue);   // see-through
  EXPECT_EQ(target.Canvas().Pixel(12, 2), clRed);   // opaque

  // Without a mask the whole image covers the background.
  list.Add(*Strip({clLime}), nullptr);
  list.Draw(target.Canvas(), 0, 0, 1);
  EXPECT_EQ(target.Canvas().Pixel(2, 2), clLime);

  // An explicit mask: white bits are see-through.
  TBitmap mask(16, 16, pf1bit);
  mask.Canvas().Brush().SetColor(clBlack);
  mask.Canvas().FillRect(Rect(0, 0, 16, 16));
  mask.Canvas().Brush().SetColor(clWhite);
  mask.Canvas().FillRect(Rect(0, 8, 16, 16));
  list.Replace(1, *Strip({clYellow}), &mask);
  target.Canvas().Brush().SetColor(clBlue);
  target.Canvas().FillRect(Rect(0, 0, 16, 16));
  list.Draw(target.Canvas(), 0, 0, 1);
  EXPECT_EQ(target.Canvas().Pixel(4, 2), clYellow);
  EXPECT_EQ(target.Canvas().Pixel(4, 12), clBlue);
  EXPECT_EQ(list.Count(), 2);

  list.ReplaceMasked(0, *Strip({clAqua, clRed}), clNone);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(ImageColor(list, 0), clAqua);
  list.ReplaceMasked(1, *Strip({clWhite, clRed}), clRed);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(ImageColor(list, 1), clWhite);
}

TEST(ImageListTest, DisabledImagesAreDrawnEmbossed) {
  TImageList list(16, 16);
  auto image = Strip({clWhite});
  image->Canvas().Brush().SetColor(clBlack);
  image->Canvas().FillRect(Rect(4, 4, 12, 12));  // a dark square in a light image
  list.AddMasked(*image, clWhite);

  TBitmap target(20, 20, pf24bit);
  target.Canvas().Brush().SetColor(clBtnFace);
  target.Canvas().FillRect(Rect(0, 0, 20, 20));
  list.Draw(target.Canvas(), 0, 0, 0, false);
  EXPECT_EQ(target.Canvas().Pixel(6, 6), ColorToRGB(clBtnShadow));
  EXPECT_EQ(target.Canvas().Pixel(12, 12), ColorToRGB(clBtnHighlight));  // the offset copy
  EXPECT_EQ(target.Canvas().Pixel(1, 1), ColorToRGB(clBtnFace));
  // Enabled, the dark square is black.
  list.Draw(target.Canvas(), 0, 0, 0, true);
  EXPECT_EQ(target.Canvas().Pixel(6, 6), clBlack);
}

TEST(ImageListTest, IconsGoInAndComeOut) {
  TImageList list(16, 16);
  list.Add(*Strip({clRed}), nullptr);
  TIcon icon;
  ASSERT_TRUE(list.GetIcon(0, icon));
  EXPECT_FALSE(icon.Empty());
  EXPECT_EQ(list.AddIcon(icon), 1);
  EXPECT_EQ(ImageColor(list, 1), clRed);
  list.InsertIcon(0, icon);
  list.ReplaceIcon(2, icon);
  EXPECT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Count(), SystemCount(list));
  TIcon empty;
  EXPECT_EQ(list.AddIcon(empty), -1);
}

TEST(ImageListTest, ChangeLinksAndTheUpdateBracket) {
  auto list = std::make_unique<TImageList>(16, 16);
  int link_calls = 0;
  int events = 0;
  TChangeLink link;
  link.OnChange = [&](TObject* sender) {
    EXPECT_EQ(sender, list.get());
    ++link_calls;
  };
  list->RegisterChanges(&link);
  list->OnChange = [&](TObject*) { ++events; };
  EXPECT_EQ(link.Sender(), list.get());

  list->Add(*Strip({clRed}), nullptr);
  EXPECT_EQ(link_calls, 1);
  EXPECT_EQ(events, 1);

  list->BeginUpdate();
  list->Add(*Strip({clRed, clBlue}), nullptr);
  list->Delete(0);
  list->Move(0, 1);
  EXPECT_EQ(link_calls, 1);
  list->EndUpdate();
  EXPECT_EQ(link_calls, 2);
  EXPECT_EQ(events, 2);

  {
    TChangeLink short_lived;
    list->RegisterChanges(&short_lived);
  }  // unregisters itself
  list->Clear();
  EXPECT_EQ(link_calls, 3);

  list.reset();
  EXPECT_EQ(link.Sender(), nullptr);
}

TEST(ImageListTest, AssignCopiesSettingsAndImages) {
  TImageList source(20, 12);
  source.SetBkColor(clYellow);
  source.Add(*Strip({clRed, clBlue}, 20), nullptr);
  TImageList copy(nullptr);
  copy.Assign(&source);
  EXPECT_EQ(copy.Width(), 20);
  EXPECT_EQ(copy.Height(), 12);
  EXPECT_EQ(copy.BkColor(), clYellow);
  EXPECT_EQ(copy.Count(), 2);
  EXPECT_NE(copy.Handle(), source.Handle());
  source.Clear();
  EXPECT_EQ(copy.Count(), 2);
  EXPECT_EQ(ImageColor(copy, 1, 4, 4), clBlue);

  TImageList more(20, 12);
  more.AddImages(copy);
  more.AddImages(copy);
  EXPECT_EQ(more.Count(), 4);
  EXPECT_EQ(ImageColor(more, 3, 4, 4), clBlue);
}

TEST(ImageListTest, SharedHandlesStayWithTheirOwner) {
  HIMAGELIST system = ImageList_Create(8, 8, ILC_COLOR32 | ILC_MASK, 1, 1);
  {
    TImageList list(nullptr);
    list.SetShareImages(true);
    list.SetHandle(system);
    EXPECT_EQ(list.Width(), 8);
    list.Add(*Strip({clRed}, 8), nullptr);
    EXPECT_EQ(list.Count(), 1);
  }
  EXPECT_EQ(ImageList_GetImageCount(system), 1);  // still alive
  ImageList_Destroy(system);
}

TEST(ImageListTest, ManyListsLeaveNoHandlesBehind) {
  auto round = [] {
    TImageList list(16, 16);
    list.AddMasked(*Strip({clRed, clBlue}), clBlue);
    list.Add(*Strip({clLime}), nullptr);
    TBitmap target(16, 16, pf24bit);
    list.Draw(target.Canvas(), 0, 0, 0, true);
    list.Draw(target.Canvas(), 0, 0, 1, false);
    TBitmap out;
    list.GetBitmap(2, out);
    list.ReplaceMasked(0, *Strip({clYellow}), clYellow);
  };
  toolkit_test::ExpectNoHandleLeaks(1000, round);
}

}  // namespace
