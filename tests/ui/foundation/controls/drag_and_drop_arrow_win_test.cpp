#include "ui/foundation/controls/drag_and_drop_arrow_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/toolkit/gdi_holders.h"
#include "tests/platform/toolkit/form_fixture.h"
#include "tests/support/gui_objects.h"
#include "tests/support/window_pixels.h"

namespace {

using form_fixture::FormPtr;
using form_fixture::Pump;

TEST(DragAndDropArrowTest, PlacedBesideTheTargetInScreenCoordinatesOfTheControl) {
  FormPtr<TForm> form = form_fixture::MakeForm<TForm>(300, 200);
  form->Show();
  Pump();
  FormPtr<TlxDragAndDropArrow> arrow(new TlxDragAndDropArrow(false));
  arrow->Place(form.get(), TRect(10, 10, 50, 30), TRect(), iasRight);
  const TPoint origin = form->ClientOrigin();
  EXPECT_EQ(arrow->BoundsRect(), TRect(origin.X + 50, origin.Y + 5, origin.X + 59, origin.Y + 16));
  EXPECT_EQ(arrow->Bitmap().Width(), 9);
  EXPECT_EQ(arrow->Bitmap().Height(), 11);

  arrow->Place(nullptr, TRect(10, 10, 50, 30), TRect(0, 0, 40, 40), iasBottom);
  EXPECT_EQ(arrow->BoundsRect(), TRect(5, 30, 16, 39)) << "no control: screen coordinates";
}

// Without layered windows the arrow window is shaped by its region;
// pixels are the lime arrow with a black outline on fuchsia.
TEST(DragAndDropArrowTest, OpaqueArrowIsShapedByItsRegion) {
  FormPtr<TlxDragAndDropArrow> arrow(new TlxDragAndDropArrow(false));
  EXPECT_FALSE(arrow->UsesTransparency());
  EXPECT_FALSE(arrow->AlphaBlend());
  arrow->Place(nullptr, TRect(200, 200, 260, 230), TRect(), iasLeft);
  arrow->Show();
  Pump();

  TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  ASSERT_NE(GetWindowRgn(arrow->WindowHandle(), region.Get()), ERROR);
  // The arrow points right: the shaft at the left, the tip at (8, 5).
  EXPECT_TRUE(PtInRegion(region.Get(), 1, 5)) << "shaft";
  EXPECT_TRUE(PtInRegion(region.Get(), 8, 5)) << "tip";
  EXPECT_FALSE(PtInRegion(region.Get(), 0, 0)) << "corner outside the arrow";
  EXPECT_FALSE(PtInRegion(region.Get(), 8, 0));
  EXPECT_FALSE(PtInRegion(region.Get(), 8, 10));

  RedrawWindow(arrow->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const auto pixels = test_support::WindowPixels::Capture(arrow->WindowHandle());
  EXPECT_EQ(pixels.At(4, 5), RGB(0, 255, 0)) << "filled";
  EXPECT_EQ(pixels.At(0, 5), RGB(0, 0, 0)) << "outlined";
  EXPECT_EQ(pixels.At(8, 5), RGB(0, 0, 0)) << "tip";
  arrow->Hide();
}

TEST(DragAndDropArrowTest, TransparentArrowLetsItsFuchsiaBackgroundThrough) {
  FormPtr<TlxDragAndDropArrow> arrow(new TlxDragAndDropArrow(true));
  ASSERT_EQ(arrow->UsesTransparency(), lxLayeredWindowsAvailable());
  if (!arrow->UsesTransparency())
    GTEST_SKIP() << "no layered windows";
  EXPECT_TRUE(arrow->TransparentColor());
  EXPECT_EQ(arrow->TransparentColorValue(), clFuchsia);
  arrow->Place(nullptr, TRect(200, 200, 260, 230), TRect(), iasTop);
  COLORREF key = 0;
  DWORD flags = 0;
  ASSERT_TRUE(GetLayeredWindowAttributes(arrow->WindowHandle(), &key, nullptr, &flags));
  EXPECT_EQ(key, RGB(255, 0, 255));
  EXPECT_NE(flags & LWA_COLORKEY, 0u);
  TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  EXPECT_EQ(GetWindowRgn(arrow->WindowHandle(), region.Get()), ERROR) << "no region needed";
  EXPECT_EQ(arrow->Bitmap().Canvas().Pixel(0, 8), clFuchsia) << "background in the key colour";
  EXPECT_EQ(arrow->Bitmap().Canvas().Pixel(5, 5), clLime);
}

TEST(DragAndDropArrowTest, HandlesComeBack) {
  Pump();
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  {
    FormPtr<TlxDragAndDropArrow> arrow(new TlxDragAndDropArrow(false));
    for (const TlxInsertionArrowSide side : {iasLeft, iasTop, iasRight, iasBottom})
      arrow->Place(nullptr, TRect(100, 100, 140, 120), TRect(), side);
    arrow->Show();
    Pump();
  }
  Pump();
  EXPECT_EQ(test_support::CountGdiObjects(), gdi_before);
  EXPECT_EQ(test_support::CountUserObjects(), user_before);
}

}  // namespace
