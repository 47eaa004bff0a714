#include "ui/foundation/canvas/draw_helpers_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/image_list.h"
#include "platform/toolkit/panel.h"
#include "tests/support/message_pump.h"

namespace {

TEST(DrawHelpersWinTest, GlyphAndImageTests) {
  TBitmap empty;
  TBitmap glyph(4, 4, pf32bit);
  EXPECT_FALSE(lxHasGlyph(nullptr));
  EXPECT_FALSE(lxHasGlyph(&empty));
  EXPECT_TRUE(lxHasGlyph(&glyph));

  TImageList images(4, 4);
  images.Add(glyph, nullptr);
  images.Add(glyph, nullptr);
  struct Case {
    const TCustomImageList* list;
    int32_t index;
    bool expected;
  };
  const Case cases[] = {{nullptr, 0, false}, {&images, -1, false}, {&images, 0, true},
                        {&images, 1, true},  {&images, 2, false},  {&images, INT32_MIN, false}};
  for (const Case& c : cases) {
    EXPECT_EQ(lxHasImage(c.list, c.index), c.expected) << c.index;
  }
}

TEST(DrawHelpersWinTest, ObjectQueries) {
  TBitmap bitmap(7, 5, pf24bit);
  BITMAP info{};
  ASSERT_TRUE(lxQueryBitmapInfo(bitmap.Handle(), info));
  EXPECT_EQ(info.bmWidth, 7);
  EXPECT_EQ(info.bmHeight, 5);
  EXPECT_FALSE(lxQueryBitmapInfo(nullptr, info));

  LOGFONTA log_font{};
  const HFONT font = CreateFontA(-13, 0, 0, 0, FW_BOLD, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma");
  ASSERT_TRUE(lxGetLogFont(font, log_font));
  EXPECT_EQ(log_font.lfHeight, -13);
  EXPECT_EQ(log_font.lfWeight, FW_BOLD);
  DeleteObject(font);
  EXPECT_FALSE(lxGetLogFont(nullptr, log_font));

  const HDC screen = GetDC(nullptr);
  EXPECT_EQ(lxScreenPixelsPerInch(0), GetDeviceCaps(screen, LOGPIXELSY));
  EXPECT_EQ(lxScreenPixelsPerInch(1), GetDeviceCaps(screen, LOGPIXELSX));
  ReleaseDC(nullptr, screen);
}

TEST(DrawHelpersWinTest, BlitCopiesTheRectanglesSizeFromTheSourcePoint) {
  TBitmap source(20, 20, pf32bit);
  source.Canvas().Brush().SetColor(clWhite);
  source.Canvas().FillRect(TRect(0, 0, 20, 20));
  source.Canvas().Brush().SetColor(clRed);
  source.Canvas().FillRect(TRect(10, 10, 20, 20));
  TBitmap target(20, 20, pf32bit);
  target.Canvas().Brush().SetColor(clBlue);
  target.Canvas().FillRect(TRect(0, 0, 20, 20));

  ASSERT_TRUE(lxBlitToRect(target.Canvas().Handle(), source.Canvas().Handle(), TRect(2, 2, 7, 7), TPoint(8, 8)));
  EXPECT_EQ(target.Canvas().Pixel(2, 2), clWhite);  // source (8, 8)
  EXPECT_EQ(target.Canvas().Pixel(6, 6), clRed);    // source (12, 12)
  EXPECT_EQ(target.Canvas().Pixel(7, 7), clBlue);   // outside the rectangle
  EXPECT_EQ(target.Canvas().Pixel(1, 1), clBlue);
}

// A component that hears when an image list it watches goes away.
class WatchingComponent : public TComponent {
 public:
  WatchingComponent() : TComponent(nullptr) {}
  TCustomImageList* images = nullptr;

 protected:
  void Notification(TComponent* component, TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == images) images = nullptr;
  }
};

TEST(DrawHelpersWinTest, ChangeImageListLinkMovesTheLinkAndTheNotification) {
  auto* first = new TImageList(4, 4);
  auto* second = new TImageList(4, 4);
  TBitmap glyph(4, 4, pf32bit);
  auto* watcher = new WatchingComponent;
  TChangeLink link;
  int changes = 0;
  link.OnChange = [&](TObject*) { ++changes; };

  lxChangeImageListLink(first, watcher->images, &link, watcher);
  EXPECT_EQ(watcher->images, first);
  EXPECT_EQ(link.Sender(), first);
  EXPECT_EQ(changes, 1);

  lxChangeImageListLink(first, watcher->images, &link, watcher);  // already there: nothing
  EXPECT_EQ(changes, 1);

  lxChangeImageListLink(second, watcher->images, &link, watcher);
  EXPECT_EQ(watcher->images, second);
  EXPECT_EQ(link.Sender(), second);
  EXPECT_EQ(changes, 2);
  first->Add(glyph, nullptr);  // the old list no longer reaches the link
  EXPECT_EQ(changes, 2);
  second->Add(glyph, nullptr);
  EXPECT_EQ(changes, 3);

  delete second;  // the watcher hears of it and lets go
  EXPECT_EQ(watcher->images, nullptr);

  lxChangeImageListLink(first, watcher->images, nullptr, watcher);  // no link: no change to fire
  EXPECT_EQ(watcher->images, first);
  delete first;
  EXPECT_EQ(watcher->images, nullptr);
  delete watcher;
}

// A blue form with a red square at (30, 30)-(40, 40), a green windowed panel
// under the control at (60, 20)-(80, 40), and the control at (20, 20)-(100, 60).
class ParentImageTest : public ::testing::Test {
 protected:
  ParentImageTest() : image_(80, 40, pf32bit) {
    form_ = new TForm(nullptr);
    form_->SetBounds(50, 50, 200, 150);
    form_->SetColor(clBlue);
    form_->OnPaint = [this](TObject*) {
      form_->Canvas().Brush().SetColor(clRed);
      form_->Canvas().FillRect(TRect(30, 30, 40, 40));
    };
    sibling_ = new TPanel(form_);
    sibling_->SetParent(form_);
    sibling_->SetBevelOuter(bvNone);
    sibling_->SetColor(clLime);
    sibling_->SetBounds(60, 20, 20, 20);
    control_ = new TPanel(form_);
    control_->SetParent(form_);
    control_->SetBounds(20, 20, 80, 40);
    form_->Show();
    test_support::PumpMessagesUntilIdle();
    image_.Canvas().Brush().SetColor(clWhite);
    image_.Canvas().FillRect(TRect(0, 0, 80, 40));
  }
  ~ParentImageTest() override { form_->Free(); }
  TColor At(int32_t x, int32_t y) { return image_.Canvas().Pixel(x, y); }

  TBitmap image_;
  TForm* form_ = nullptr;
  TPanel* sibling_ = nullptr;
  TPanel* control_ = nullptr;
};

TEST_F(ParentImageTest, ParentPaintsItselfAtTheControlsPlace) {
  lxPaintParentImageOnCanvas(control_, image_.Canvas(), TRect(0, 0, 80, 40), false);
  EXPECT_EQ(At(15, 15), clRed);   // form (35, 35)
  EXPECT_EQ(At(5, 5), clBlue);    // form (25, 25)
  EXPECT_EQ(At(25, 25), clBlue);  // form (45, 45)
  EXPECT_EQ(At(50, 10), clBlue);  // the sibling is not asked without children
  EXPECT_EQ(form_->ControlState().Contains(csPaintCopy), false);
}

TEST_F(ParentImageTest, WindowedSiblingsUnderTheControlFollowWithChildren) {
  lxPaintParentImageOnCanvas(control_, image_.Canvas(), TRect(0, 0, 80, 40), true);
  EXPECT_EQ(At(15, 15), clRed);
  EXPECT_EQ(At(50, 10), clLime);  // form (70, 30)
  EXPECT_EQ(At(65, 10), clBlue);  // form (85, 30)
  EXPECT_EQ(At(50, 30), clBlue);  // form (70, 50), below the sibling
}

TEST_F(ParentImageTest, HiddenRectangleOrNoParentPaintsNothing) {
  // The rectangle lies outside the canvas's clip: the parent is not asked.
  const HDC dc = image_.Canvas().Handle();
  const int level = SaveDC(dc);
  IntersectClipRect(dc, 40, 0, 80, 40);
  lxPaintParentImageOnCanvas(control_, image_.Canvas(), TRect(0, 0, 10, 10), true);
  RestoreDC(dc, level);
  EXPECT_EQ(At(5, 5), clWhite);
  EXPECT_EQ(At(50, 10), clWhite);

  TPanel orphan(nullptr);
  lxPaintParentImageOnCanvas(&orphan, image_.Canvas(), TRect(0, 0, 80, 40), true);
  lxDrawParentBackgroundOnCanvas(&orphan, image_.Canvas(), TRect(0, 0, 80, 40));
  EXPECT_EQ(At(15, 15), clWhite);
}

TEST_F(ParentImageTest, DoubleBufferedParentIsAskedToPaint) {
  form_->SetDoubleBuffered(true);
  lxDrawParentBackgroundOnCanvas(control_, image_.Canvas(), TRect(0, 0, 80, 40));
  EXPECT_EQ(At(15, 15), clRed);
  EXPECT_EQ(At(50, 10), clBlue);
}

TEST(DrawHelpersWinTest, CursorHeightOfTheArrow) {
  SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW)));
  TSize size{-1, -1};
  lxGetCursorHeightBelowHotSpot(size);
  ICONINFO icon{};
  ASSERT_TRUE(GetIconInfo(GetCursor(), &icon));
  BITMAP mask{};
  ASSERT_TRUE(lxQueryBitmapInfo(icon.hbmMask, mask));
  DeleteObject(icon.hbmMask);
  if (icon.hbmColor != nullptr) DeleteObject(icon.hbmColor);
  EXPECT_EQ(size.cx, mask.bmWidth);
  // The arrow's tip is its hot spot; its body hangs below it.
  EXPECT_GT(size.cy, 0);
  EXPECT_LE(size.cy, GetSystemMetrics(SM_CYCURSOR));
}

}  // namespace
