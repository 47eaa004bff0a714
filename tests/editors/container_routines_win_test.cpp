#include "editors/container_routines_win.h"

#include <gtest/gtest.h>

#include "platform/toolkit/form.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"
#include "tests/support/message_pump.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace {

constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kRed = RGB(255, 0, 0);

class InnerControl : public TlxControl, public IlxContainerInnerControl {
 public:
  InnerControl(TComponent* owner, TlxContainer* container) : TlxControl(owner), container_(container) {}
  TlxContainer* GetControlContainer() override { return container_; }
  TWinControl* GetControl() override { return this; }

 private:
  TlxContainer* container_;
};

TEST(ContainerRoutinesTest, TheContainerOfAControl) {
  TlxContainer container(nullptr);
  InnerControl inner(nullptr, &container);
  TlxControl plain(nullptr);
  EXPECT_EQ(lxFindContainerOf(&container), &container);
  EXPECT_EQ(lxFindContainerOf(&inner), &container);
  EXPECT_EQ(lxFindContainerOf(&plain), nullptr);
  EXPECT_EQ(lxFindContainerOf(nullptr), nullptr);
}

TEST(ContainerRoutinesTest, RectanglesByEdgesAndInsets) {
  TRect rect(10, 10, 20, 20);
  lxGrowRectByEdges(rect, 2, {bLeft, bBottom});
  EXPECT_EQ(rect, TRect(8, 10, 20, 22));
  lxShrinkRectByMissingEdges(rect, 1, {bLeft, bBottom});
  EXPECT_EQ(rect, TRect(8, 11, 19, 22));
  EXPECT_EQ(lxGetBorderInset(lfStandard), 2);
  EXPECT_EQ(lxGetBorderInset(lfOffice11), 1);
  const int32_t widths[] = {0, 1, 2, 2, 2, 1, 1};
  for (int style = cbsNone; style <= cbsOffice11; ++style)
    EXPECT_EQ(lxGetBorderWidth(static_cast<TlxContainerBorderStyle>(style)), widths[style]);
}

TEST(ContainerRoutinesTest, FillsAroundAHoleAndShadowBands) {
  painter_test::Surface surface(30, 30);
  lxFillRectAroundHole(surface.canvas(), TRect(0, 0, 10, 10), TRect(0, 0, 10, 10), 0x0000FF);
  EXPECT_EQ(surface.At(5, 5), kWhite);
  lxFillRectAroundHole(surface.canvas(), TRect(0, 0, 10, 10), TRect(), 0x0000FF);
  EXPECT_EQ(surface.At(5, 5), kRed);

  surface.Clear();
  lxDrawShadowBand(surface.canvas(), TRect(0, 0, 10, 10));
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
  EXPECT_EQ(surface.At(3, 10), shadow);
  EXPECT_EQ(surface.At(2, 10), kWhite);
  EXPECT_EQ(surface.At(12, 12), shadow);  // the corner belongs to the right band
  EXPECT_EQ(surface.At(10, 2), kWhite);
  EXPECT_EQ(surface.At(10, 3), shadow);
  // Both bands have left the clip.
  const RECT all{0, 0, 30, 30};
  FillRect(surface.canvas().Handle(), &all, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  EXPECT_EQ(surface.At(12, 12), shadow);
  EXPECT_EQ(surface.At(5, 5), RGB(0, 0, 0));
}

TEST(ContainerRoutinesTest, FrameRegionsWithShadowAndExclusion) {
  HRGN region = lxCreateFrameRegion(TRect(0, 0, 100, 20), false, TRect(), true);
  RECT box{};
  GetRgnBox(region, &box);
  EXPECT_EQ(box.right - box.left, 103);
  EXPECT_EQ(box.bottom - box.top, 23);
  EXPECT_FALSE(PtInRegion(region, 101, 1));
  EXPECT_FALSE(PtInRegion(region, 1, 21));
  DeleteObject(region);

  region = lxCreateFrameRegion(TRect(0, 0, 100, 20), false, TRect(10, 5, 20, 10), false);
  EXPECT_FALSE(PtInRegion(region, 12, 7));
  EXPECT_TRUE(PtInRegion(region, 30, 7));
  DeleteObject(region);
  EXPECT_EQ(lxCreateFrameRegion(TRect(0, 0, 100, 20), true, TRect(), true), nullptr);
}

TEST(ContainerRoutinesTest, AWindowRegionIsSetOnlyWhenItChanges) {
  TForm form(nullptr);
  form.SetBounds(50, 50, 200, 100);
  form.Show();
  test_support::PumpMessagesUntilIdle();
  const HWND window = form.Handle();
  EXPECT_FALSE(lxSetFrameWindowRegion(window, TRect(), true, TRect(), false));
  EXPECT_TRUE(lxSetFrameWindowRegion(window, TRect(0, 0, 80, 40), false, TRect(), true));
  EXPECT_FALSE(lxSetFrameWindowRegion(window, TRect(0, 0, 80, 40), false, TRect(), true));
  EXPECT_TRUE(lxSetFrameWindowRegion(window, TRect(0, 0, 80, 40), true, TRect(), true));
  HRGN present = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetWindowRgn(window, present), ERROR);
  DeleteObject(present);
}

TEST(ContainerRoutinesTest, ScrollBarInformationThroughTheBoundEntry) {
  lxBindGetScrollBarInfo();
  ASSERT_TRUE(lxIsScrollBarInfoAvailable());
  TForm form(nullptr);
  form.SetBounds(50, 50, 200, 100);
  form.Show();
  test_support::PumpMessagesUntilIdle();
  SCROLLBARINFO info{};
  EXPECT_TRUE(lxGetScrollBarInfo(form.Handle(), OBJID_VSCROLL, info));
  EXPECT_EQ(info.cbSize, 60u);
  EXPECT_NE(info.rgstate[0] & STATE_SYSTEM_INVISIBLE, 0u);
}

TEST(ContainerRoutinesTest, ButtonCodesAndTextEquality) {
  EXPECT_EQ(lxMouseButtonToCode(mbLeft), 1);
  EXPECT_EQ(lxMouseButtonToCode(mbRight), 2);
  EXPECT_EQ(lxMouseButtonToCode(mbMiddle), 3);
  EXPECT_TRUE(lxTextsEqual("abc", "ABC", false));
  EXPECT_FALSE(lxTextsEqual("abc", "ABC", true));
  EXPECT_TRUE(lxTextsEqual("Größe", "GRÖßE", false));
  EXPECT_FALSE(lxTextsEqual("Größe", "GRÖßE", true));
}

TEST(ContainerRoutinesTest, ControlRegionsFollowTheRequest) {
  TForm form(nullptr);
  form.SetBounds(50, 50, 200, 100);
  auto* control = new TlxControl(&form);
  control->SetBounds(10, 10, 60, 30);
  // Without a window nothing is done.
  lxApplyControlRegion(*control, TlxRegionRequest{false, TRect(0, 0, 20, 10)});
  lxInvalidateControlRect(*control, TRect(0, 0, 5, 5), true);
  control->SetParent(&form);
  form.Show();
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(lxGetControlOriginRect(*control), TRect(0, 0, 60, 30));

  lxApplyControlRegion(*control, TlxRegionRequest{false, TRect(0, 0, 20, 10)});
  HRGN present = CreateRectRgn(0, 0, 0, 0);
  ASSERT_EQ(GetWindowRgn(control->Handle(), present), SIMPLEREGION);
  RECT box;
  GetRgnBox(present, &box);
  EXPECT_EQ(TRect(box), TRect(0, 0, 20, 10));
  lxApplyControlRegion(*control, TlxRegionRequest{});
  EXPECT_EQ(GetWindowRgn(control->Handle(), present), ERROR) << "no region any more";
  DeleteObject(present);
}

// A container with the library's scroll bars, as the list and memo kinds
// have them.
class ScrollingContainer : public TlxContainer {
 public:
  using TlxContainer::TlxContainer;

 protected:
  bool HasScrollBars() override { return true; }
};

TEST(ContainerRoutinesTest, TheSizeGripNeedsBothScrollBars) {
  TForm form(nullptr);
  form.SetBounds(50, 50, 240, 160);
  auto* container = new ScrollingContainer(&form);
  container->SyncScrollBarControls();
  container->SetParent(&form);
  container->SetBounds(10, 10, 200, 120);
  auto* inner = new InnerControl(&form, container);
  inner->SetParent(container);
  inner->SetBounds(2, 2, 196, 116);
  form.Show();
  test_support::PumpMessagesUntilIdle();
  ASSERT_NE(container->HScrollBar(), nullptr);
  ASSERT_NE(container->VScrollBar(), nullptr);
  EXPECT_EQ(lxGetSizeGripScreenRect(*inner), TRect());
  container->ShowScrollBar(container->HScrollBar(), true);
  container->ShowScrollBar(container->VScrollBar(), false);
  EXPECT_EQ(lxGetSizeGripScreenRect(*inner), TRect()) << "one bar only";

  container->ShowScrollBar(container->VScrollBar(), true);
  // Where the container's synchronisation would lay the bars.
  container->HScrollBar()->SetBounds(0, 100, 180, 17);
  container->VScrollBar()->SetBounds(180, 0, 17, 100);
  // Relative to the inner control's window at (2, 2) of the container.
  EXPECT_EQ(lxGetSizeGripScreenRect(*inner), TRect(178, 98, 178 + 17, 98 + 17));
}

TEST(ContainerRoutinesTest, TheNativeThemeCountsOnlyWhenAskedFor) {
  EXPECT_FALSE(lxIsNativeThemeAvailable(false, totButton));
  painter_test::ThemingOff off;
  EXPECT_FALSE(lxIsNativeThemeAvailable(true, totButton));
}

}  // namespace
