#include "editors/container_win.h"

#include <gtest/gtest.h>

#include "editors/edit_style_win.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace {

LPARAM PointParam(int32_t x, int32_t y) { return MAKELPARAM(x, y); }

// A form with one container of 120 x 40 at (10, 10).
class ContainerFixture {
 public:
  ContainerFixture() {
    lxGetDefaultEditStyleController();
    form = new TForm(nullptr);
    form->SetBounds(80, 80, 300, 200);
    container = new TlxContainer(form);
    container->SetParent(form);
    container->SetBounds(10, 10, 120, 40);
    // Another control holds the focus, so the container starts unfocused.
    other = new TlxControl(form);
    other->SetParent(form);
    other->SetBounds(10, 100, 50, 20);
    form->Show();
    other->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  ~ContainerFixture() {
    form->Free();
    test_support::PumpMessagesUntilIdle();
    lxFreeDefaultEditStyleController();
  }
  ContainerFixture(const ContainerFixture&) = delete;
  ContainerFixture& operator=(const ContainerFixture&) = delete;

  TForm* form;
  TlxContainer* container;
  TlxControl* other;
};

TEST(ContainerTest, TheDefaultTransparentBorderLiesTwoPixelsInside) {
  ContainerFixture fixture;
  fixture.container->RefreshViewNow();
  EXPECT_EQ(fixture.container->ViewInfo().Bounds, TRect(0, 0, 120, 40));
  EXPECT_EQ(fixture.container->ViewInfo().BorderRect, TRect(2, 2, 118, 38));
  EXPECT_EQ(fixture.container->ViewInfo().ClientRect, TRect(2, 2, 118, 38));
  for (TlxContainerBorderStyle style : {cbsNone, cbsSingle, cbs3D}) {
    fixture.container->GetStyle()->SetBorderStyle(style);
    EXPECT_EQ(fixture.container->ViewInfo().BorderRect, TRect(2, 2, 118, 38)) << int(style);
  }
}

TEST(ContainerTest, MissingEdgesLetTheBorderTouchTheSide) {
  ContainerFixture fixture;
  TlxContainerStyle* style = fixture.container->GetStyle();
  style->SetTransparentBorder(false);
  style->SetBorderStyle(cbs3D);
  style->SetEdges({bLeft, bTop});
  EXPECT_EQ(fixture.container->ViewInfo().BorderRect, TRect(2, 2, 120, 40));
  EXPECT_EQ(fixture.container->GetFrameRegionBounds(), TRect(0, 0, 120, 40));
}

TEST(ContainerTest, AShadowAddsItsMovedCopyToTheWindowRegion) {
  ContainerFixture fixture;
  fixture.container->GetStyle()->SetShadow(true);
  fixture.container->RefreshViewNow();
  EXPECT_EQ(fixture.container->ViewInfo().BorderRect, TRect(2, 2, 115, 35));
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(fixture.container->Handle(), region), ERROR);
  EXPECT_TRUE(PtInRegion(region, 5, 5));
  EXPECT_TRUE(PtInRegion(region, 117, 37));  // the shadow
  EXPECT_FALSE(PtInRegion(region, 118, 1));  // top-right corner
  EXPECT_FALSE(PtInRegion(region, 1, 38));   // bottom-left corner
  DeleteObject(region);

  // Without the shadow the frame covers the whole control.
  fixture.container->GetStyle()->SetShadow(false);
  region = CreateRectRgn(0, 0, 0, 0);
  ASSERT_NE(GetWindowRgn(fixture.container->Handle(), region), ERROR);
  EXPECT_TRUE(PtInRegion(region, 118, 1));
  EXPECT_TRUE(PtInRegion(region, 1, 38));
  DeleteObject(region);
}

TEST(ContainerTest, HotTrackingFollowsTheMouseUnlessAKeyIsHeld) {
  ContainerFixture fixture;
  const HWND window = fixture.container->Handle();
  SendMessageW(window, WM_MOUSEMOVE, 0, PointParam(20, 20));
  EXPECT_EQ(fixture.container->ViewInfo().ContainerState & kLxContainerStateHot, kLxContainerStateHot);
  EXPECT_EQ(fixture.container->GetCurrentStyle(), fixture.container->GetStyleHot());

  SendMessageW(window, WM_MOUSEMOVE, MK_SHIFT, PointParam(21, 20));
  EXPECT_EQ(fixture.container->ViewInfo().ContainerState & kLxContainerStateHot, 0);
  EXPECT_EQ(fixture.container->GetCurrentStyle(), fixture.container->GetStyle());

  SendMessageW(window, WM_MOUSEMOVE, 0, PointParam(22, 20));
  fixture.container->GetStyle()->SetHotTrack(false);
  SendMessageW(window, WM_MOUSEMOVE, 0, PointParam(23, 20));
  EXPECT_EQ(fixture.container->GetCurrentStyle(), fixture.container->GetStyle());
}

TEST(ContainerTest, UltraFlatBordersAreHighlightedWhileFocused) {
  painter_test::DistinctSystemColors colors;
  ContainerFixture fixture;
  fixture.container->GetStyle()->SetBorderStyle(cbsUltraFlat);
  fixture.container->RefreshViewNow();
  painter_test::Surface surface(120, 40);
  fixture.container->ViewInfo().Draw(surface.canvas());
  EXPECT_EQ(fixture.container->ViewInfo().BorderWidth, 1);
  EXPECT_EQ(surface.At(1, 20), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(surface.At(0, 20), RGB(255, 255, 255));
  EXPECT_EQ(surface.At(10, 20), GetSysColor(COLOR_WINDOW));

  fixture.container->SetFocus();
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(fixture.container->IsFocusWithin());
  fixture.container->RefreshViewNow();
  EXPECT_EQ(fixture.container->GetCurrentStyle(), fixture.container->GetStyleFocused());
  fixture.container->ViewInfo().Draw(surface.canvas());
  EXPECT_EQ(surface.At(1, 20), GetSysColor(COLOR_HIGHLIGHT));
  EXPECT_EQ(surface.At(60, 38), GetSysColor(COLOR_HIGHLIGHT));
}

TEST(ContainerTest, ADisabledContainerTakesTheDisabledStyle) {
  ContainerFixture fixture;
  fixture.container->SetEnabled(false);
  EXPECT_EQ(fixture.container->ViewInfo().ContainerState, kLxContainerStateDisabled);
  EXPECT_EQ(fixture.container->GetCurrentStyle(), fixture.container->GetStyleDisabled());
  EXPECT_EQ(fixture.container->ViewInfo().BackgroundColor, clBtnFace);
  fixture.container->SetEnabled(true);
  EXPECT_EQ(fixture.container->ViewInfo().ContainerState, kLxContainerStateNormal);
}

TEST(ContainerTest, ControlColourAndStyleColourFollowEachOtherWithoutLooping) {
  ContainerFixture fixture;
  fixture.container->SetColor(clYellow);
  EXPECT_TRUE(fixture.container->GetStyle()->AssignedValues().Contains(csvColor));
  EXPECT_EQ(fixture.container->GetStyle()->GetColor(), clYellow);
  fixture.container->GetStyle()->SetColor(clAqua);
  EXPECT_EQ(fixture.container->Color(), clAqua);
  EXPECT_EQ(fixture.container->ViewInfo().BackgroundColor, clAqua);
}

TEST(ContainerTest, AnInnerControlFillsTheClientAreaAndTakesTheFocus) {
  ContainerFixture fixture;
  auto* inner = new TlxControl(fixture.container);
  inner->SetParent(fixture.container);
  fixture.container->SetInnerControl(inner);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(inner->BoundsRect(), TRect(2, 2, 118, 38));
  EXPECT_EQ(inner->Color(), fixture.container->ViewInfo().BackgroundColor);

  SendMessageW(fixture.container->Handle(), WM_SETFOCUS, 0, 0);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(GetFocus(), inner->Handle());
  EXPECT_TRUE(fixture.container->IsFocusWithin());

  delete inner;
  EXPECT_EQ(fixture.container->InnerControl(), nullptr);
}

// The box of a window's region; empty when it has none.
TRect RegionBox(HWND window) {
  HRGN region = CreateRectRgn(0, 0, 0, 0);
  RECT box{0, 0, 0, 0};
  if (GetWindowRgn(window, region) != ERROR)
    GetRgnBox(region, &box);
  DeleteObject(region);
  return TRect(box);
}

TEST(ContainerTest, AChildStickingOutOfTheFrameIsCutByItsWindowRegion) {
  ContainerFixture fixture;
  fixture.container->RefreshViewNow();
  auto* child = new TlxControl(fixture.container);
  child->SetParent(fixture.container);
  child->HandleNeeded();
  // Over the whole container: only the part inside the client area shows.
  child->SetBounds(0, 0, 120, 40);
  EXPECT_EQ(RegionBox(child->Handle()), TRect(2, 2, 118, 38));
  // Inside it, no region cuts the child.
  child->SetBounds(4, 4, 50, 20);
  EXPECT_EQ(RegionBox(child->Handle()), TRect());

  // Held alignment leaves the region alone.
  fixture.container->ChangeAlignLock(true);
  child->SetBounds(0, 0, 120, 40);
  EXPECT_EQ(RegionBox(child->Handle()), TRect());
  fixture.container->ChangeAlignLock(false);
  fixture.container->ChangeAlignLock(false);  // never below zero
  fixture.container->ChangeAlignLock(true);
  EXPECT_TRUE(fixture.container->IsAlignLocked());
  fixture.container->ChangeAlignLock(false);
}

TEST(ContainerTest, AlignedChildrenStayInsideTheFrame) {
  ContainerFixture fixture;
  fixture.container->RefreshViewNow();
  auto* child = new TlxControl(fixture.container);
  child->SetParent(fixture.container);
  child->SetAlign(alClient);
  EXPECT_EQ(child->BoundsRect(), TRect(2, 2, 118, 38));
}

TEST(ContainerTest, ContainersLeaveNoHandlesBehind) {
  const HANDLE process = GetCurrentProcess();
  { ContainerFixture warm_up; }
  const DWORD gdi = GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD user = GetGuiResources(process, GR_USEROBJECTS);
  {
    ContainerFixture fixture;
    fixture.container->GetStyle()->SetShadow(true);
    SendMessageW(fixture.container->Handle(), WM_MOUSEMOVE, 0, PointParam(20, 20));
    RedrawWindow(fixture.container->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  EXPECT_LE(GetGuiResources(process, GR_GDIOBJECTS), gdi);
  EXPECT_LE(GetGuiResources(process, GR_USEROBJECTS), user);
}

}  // namespace
