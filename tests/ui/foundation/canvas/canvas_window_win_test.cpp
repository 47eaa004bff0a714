#include <windows.h>

#include <gtest/gtest.h>

#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

// Painting a real window through the canvas wrapper: the window's paint
// context already clips to the update region and the wrapper must keep to
// it and give it back.
TEST(CanvasWindowTest, ClipStacksAndOriginsOnAWindowsPaintContext) {
  auto* form = new TForm(nullptr);
  form->SetBounds(60, 60, 240, 200);
  form->SetColor(clWhite);
  bool clip_restored = false;
  form->OnPaint = [&](TObject*) {
    TlxCanvas canvas(form->Canvas());
    const std::unique_ptr<TlxRegion> paint_clip = canvas.CopyClipRegion();
    canvas.FillRectColor(TRect(0, 0, 200, 150), clWhite);

    canvas.PushClipRegion();
    canvas.IntersectClip(TRect(20, 20, 60, 60));
    canvas.FillRectColor(TRect(0, 0, 200, 150), clRed);
    canvas.PopClipRegion();
    clip_restored = canvas.CopyClipRegion()->SameAs(paint_clip.get());

    // Logical (0, 0) shows at (100, 0): a region given in logical
    // coordinates lands there too.
    canvas.PushDC();
    canvas.AssignWindowOrigin(TPoint(-100, 0));
    canvas.ApplyClipRegion(TlxRegion::CreateFromBounds(0, 0, 30, 30), roIntersect);
    canvas.FillRectColor(TRect(-100, 0, 100, 150), clBlue);
    canvas.PopDC();

    canvas.FrameRectSides(TRect(0, 100, 80, 140), clGreen, 3, lxFrameSideLeft | lxFrameSideBottom);
  };
  form->Show();
  test_support::PumpMessagesUntilIdle();
  InvalidateRect(form->Handle(), nullptr, TRUE);
  UpdateWindow(form->Handle());
  test_support::PumpMessagesUntilIdle();

  const auto pixels = test_support::WindowPixels::Capture(form->Handle());
  EXPECT_TRUE(clip_restored);
  EXPECT_EQ(pixels.At(40, 40), RGB(255, 0, 0));
  EXPECT_EQ(pixels.At(10, 10), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(70, 70), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(110, 10), RGB(0, 0, 255));
  EXPECT_EQ(pixels.At(135, 10), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(10, 40), RGB(255, 255, 255));  // the blue fill kept to the region
  EXPECT_EQ(pixels.At(1, 120), RGB(0, 128, 0));
  EXPECT_EQ(pixels.At(40, 138), RGB(0, 128, 0));
  EXPECT_EQ(pixels.At(40, 120), RGB(255, 255, 255));
  EXPECT_EQ(pixels.At(78, 120), RGB(255, 255, 255));
  form->Free();
}

}  // namespace
