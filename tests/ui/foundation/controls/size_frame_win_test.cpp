#include "ui/foundation/controls/size_frame_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/toolkit/gdi_holders.h"
#include "tests/platform/toolkit/form_fixture.h"
#include "tests/support/gui_objects.h"
#include "tests/support/window_pixels.h"

namespace {

using form_fixture::FormPtr;
using form_fixture::Pump;

// The window's region, or an empty optional-like null handle when none.
TOwnedRegion WindowRegion(HWND window) {
  TOwnedRegion region(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(window, region.Get()) == ERROR)
    return TOwnedRegion();
  return region;
}

TEST(SizeFrameTest, WindowIsCutToAFrameOfTheGivenWidth) {
  FormPtr<TlxSizeFrame> frame(new TlxSizeFrame(3));
  EXPECT_FALSE(frame->AlphaBlend());
  frame->HandleNeeded();
  frame->SetFrameBounds(TRect(200, 150, 300, 210));
  EXPECT_EQ(frame->BoundsRect(), TRect(200, 150, 300, 210));

  const TOwnedRegion region = WindowRegion(frame->WindowHandle());
  ASSERT_NE(region.Get(), nullptr);
  struct Probe {
    POINT at;
    bool inside;
  };
  for (const Probe& probe : {Probe{{0, 0}, true}, Probe{{2, 30}, true}, Probe{{3, 30}, false},
                             Probe{{50, 2}, true}, Probe{{50, 3}, false}, Probe{{97, 30}, true},
                             Probe{{96, 30}, false}, Probe{{50, 57}, true}, Probe{{50, 56}, false},
                             Probe{{99, 59}, true}, Probe{{50, 30}, false}})
    EXPECT_EQ(PtInRegion(region.Get(), probe.at.x, probe.at.y) != FALSE, probe.inside)
        << probe.at.x << "," << probe.at.y;
  EXPECT_TRUE(frame->FrameRegion().SameAsHandle(region.Get()));
}

TEST(SizeFrameTest, FrameOfTwiceTheWidthOrLessLeavesTheRegionAlone) {
  FormPtr<TlxSizeFrame> frame(new TlxSizeFrame(5));
  frame->HandleNeeded();
  frame->SetFrameBounds(TRect(10, 10, 110, 60));
  const TOwnedRegion cut = WindowRegion(frame->WindowHandle());
  ASSERT_NE(cut.Get(), nullptr);
  for (const TRect& small : {TRect(10, 10, 20, 60), TRect(10, 10, 110, 20), TRect(10, 10, 15, 15)}) {
    frame->SetFrameBounds(small);
    const TOwnedRegion now = WindowRegion(frame->WindowHandle());
    ASSERT_NE(now.Get(), nullptr);
    EXPECT_TRUE(EqualRgn(now.Get(), cut.Get())) << small.Width() << " x " << small.Height();
  }
}

TEST(SizeFrameTest, PaintsTheCheckerPattern) {
  FormPtr<TlxSizeFrame> frame(new TlxSizeFrame(4));
  frame->HandleNeeded();
  frame->SetFrameBounds(TRect(120, 120, 200, 180));
  frame->Show();
  Pump();
  RedrawWindow(frame->WindowHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  const auto pixels = test_support::WindowPixels::Capture(frame->WindowHandle());
  const COLORREF first = pixels.At(0, 0);
  EXPECT_TRUE(first == RGB(0, 0, 0) || first == RGB(255, 255, 255));
  EXPECT_NE(pixels.At(1, 0), first) << "neighbours differ";
  EXPECT_NE(pixels.At(0, 1), first);
  EXPECT_EQ(pixels.At(1, 1), first);
  frame->Hide();
}

TEST(SizeFrameTest, HandlesComeBack) {
  Pump();
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  {
    FormPtr<TlxSizeFrame> frame(new TlxSizeFrame(2));
    frame->HandleNeeded();
    for (int step = 0; step < 4; ++step)
      frame->SetFrameBounds(TRect(50, 50, 150 + step * 10, 120));
    frame->Show();
    Pump();
  }
  Pump();
  EXPECT_EQ(test_support::CountGdiObjects(), gdi_before);
  EXPECT_EQ(test_support::CountUserObjects(), user_before);
}

}  // namespace
