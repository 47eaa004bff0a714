#include "ui/foundation/system/control_unit_win.h"

#include <gtest/gtest.h>

#include "platform/toolkit/screen.h"
#include "ui/foundation/system/desktop_composition_win.h"

namespace {

// A plain top-level or child window for coordinate and message tests.
class TestWindow {
 public:
  TestWindow(int x, int y, HWND parent = nullptr)
      : window_(CreateWindowExA(0, "STATIC", "", parent != nullptr ? WS_CHILD | WS_VISIBLE : WS_POPUP | WS_VISIBLE,
                                x, y, 200, 100, parent, nullptr, GetModuleHandleA(nullptr), nullptr)) {}
  ~TestWindow() { DestroyWindow(window_); }
  TestWindow(const TestWindow&) = delete;
  TestWindow& operator=(const TestWindow&) = delete;
  HWND get() const { return window_; }

 private:
  HWND window_;
};

TRect SystemWorkArea() {
  RECT area{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
  return TRect(area);
}

TEST(ControlUnitWinTest, WorkAreaOfTheNearestMonitorAndFittingIntoIt) {
  const TRect area = SystemWorkArea();
  ASSERT_FALSE(area.IsEmpty());
  // One monitor: every point, even far off screen, is nearest to it.
  EXPECT_EQ(lxWorkAreaAtPoint({10, 10}), area);
  EXPECT_EQ(lxWorkAreaAtPoint({-5000, 90000}), area);

  TRect wide(area.Left + 40, area.Top + 10, area.Left + 40 + area.Width() + 300, area.Top + 60);
  lxFitRectIntoWorkArea(wide, {10, 10});
  EXPECT_EQ(wide.Left, area.Left);
  EXPECT_EQ(wide.Width(), area.Width() + 300);
}

TEST(ControlUnitWinTest, MapsBetweenWindowsAndTheScreen) {
  TestWindow first(100, 120);
  TestWindow second(300, 50);
  ASSERT_NE(first.get(), nullptr);
  POINT origin_first{0, 0}, origin_second{0, 0};
  ClientToScreen(first.get(), &origin_first);
  ClientToScreen(second.get(), &origin_second);

  TPoint point{5, 7};
  lxMapPointBetweenWindows(first.get(), nullptr, point);
  EXPECT_EQ(point, (TPoint{origin_first.x + 5, origin_first.y + 7}));

  TRect rect(1, 2, 11, 22);
  lxMapRectBetweenWindows(first.get(), second.get(), rect);
  const int dx = origin_first.x - origin_second.x;
  const int dy = origin_first.y - origin_second.y;
  EXPECT_EQ(rect, (TRect{1 + dx, 2 + dy, 11 + dx, 22 + dy}));
}

TEST(ControlUnitWinTest, ChildStyleAndFamily) {
  TestWindow parent(50, 50);
  TestWindow child(5, 5, parent.get());
  TestWindow stranger(400, 50);
  EXPECT_FALSE(lxHasChildStyle(parent.get()));
  EXPECT_TRUE(lxHasChildStyle(child.get()));
  EXPECT_TRUE(lxIsSelfOrChildWindow(parent.get(), parent.get()));
  EXPECT_TRUE(lxIsSelfOrChildWindow(parent.get(), child.get()));
  EXPECT_FALSE(lxIsSelfOrChildWindow(parent.get(), stranger.get()));
  EXPECT_FALSE(lxIsSelfOrChildWindow(nullptr, nullptr));
  EXPECT_FALSE(lxIsSelfOrChildWindow(nullptr, child.get()));
}

TEST(ControlUnitWinTest, ShiftStateToMouseKeys) {
  struct Case {
    TShiftState shift;
    WPARAM keys;
  };
  const Case cases[] = {
      {{}, 0},
      {{ssShift}, MK_SHIFT},
      {{ssCtrl, ssLeft}, MK_CONTROL | MK_LBUTTON},
      {{ssRight, ssMiddle, ssAlt, ssDouble}, MK_RBUTTON | MK_MBUTTON},
      {{ssShift, ssCtrl, ssLeft, ssRight, ssMiddle}, MK_SHIFT | MK_CONTROL | MK_LBUTTON | MK_RBUTTON | MK_MBUTTON},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxShiftToMouseKeys(c.shift), c.keys);
}

// The drag detection reads posted messages; the mouse position relative to
// the cursor at the start decides.
class DetectDragTest : public ::testing::Test {
 protected:
  DetectDragTest() : window_(100, 100) {
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(window_.get(), &cursor);
    start_ = cursor;
    // The detection loop waits for input without a bound, as it must for a
    // person; should the posted input not decide it, Esc ends it after a
    // while, so that the test fails instead of hanging the run.
    watchdog_ = SetTimer(nullptr, 0, 10000, &PressEscapeInCapture);
  }
  ~DetectDragTest() override {
    KillTimer(nullptr, watchdog_);
    // Only input is dropped: a pending WM_PAINT would come back forever.
    MSG leftover;
    while (PeekMessageA(&leftover, window_.get(), WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
    }
    while (PeekMessageA(&leftover, window_.get(), WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
    }
  }

  void PostMove(int dx, int dy) {
    PostMessageA(window_.get(), WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(start_.x + dx, start_.y + dy));
  }

  static void CALLBACK PressEscapeInCapture(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND captured = GetCapture())
      PostMessageA(captured, WM_KEYDOWN, VK_ESCAPE, 0);
  }

  TestWindow window_;
  POINT start_{};
  UINT_PTR watchdog_ = 0;
};

TEST_F(DetectDragTest, MoveOutsideTheSquareIsADrag) {
  PostMove(1, 1);
  PostMove(400, 0);
  EXPECT_EQ(lxDetectDrag(window_.get()), lxddrDrag);
  EXPECT_NE(GetCapture(), window_.get());
}

TEST_F(DetectDragTest, ButtonUpInsideTheSquareIsNoDrag) {
  PostMove(1, -1);
  PostMessageA(window_.get(), WM_LBUTTONUP, 0, MAKELPARAM(start_.x, start_.y));
  EXPECT_EQ(lxDetectDrag(window_.get()), lxddrNoDrag);
  EXPECT_NE(GetCapture(), window_.get());
}

TEST_F(DetectDragTest, EscapeCancelsEvenAfterAMoveInsideTheSquare) {
  PostMove(2, 2);
  PostMessageA(window_.get(), WM_KEYDOWN, VK_ESCAPE, 0);
  PostMove(400, 400);
  EXPECT_EQ(lxDetectDrag(window_.get()), lxddrCancelled);
}

TEST_F(DetectDragTest, QuitCancelsAndIsPostedAgain) {
  PostQuitMessage(7);
  EXPECT_EQ(lxDetectDrag(window_.get()), lxddrCancelled);
  MSG message{};
  ASSERT_TRUE(PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

TEST(ControlUnitWinTest, CursorPositionAndSystemValues) {
  TPoint point{123, 456};
  lxGetCursorPosSafe(point);
  POINT cursor{};
  if (GetCursorPos(&cursor))
    EXPECT_EQ(point, (TPoint{cursor.x, cursor.y}));
  else
    EXPECT_EQ(point, (TPoint{-1, -1}));
  EXPECT_EQ(lxDoubleClickTime(), GetDoubleClickTime());
  EXPECT_TRUE(lxWithinDragThreshold({10, 10}, 10, 10));
  EXPECT_FALSE(lxWithinDragThreshold({10, 10}, 10 + 1000, 10));
}

TEST(ControlUnitWinTest, DesktopCompositionBindingFollowsTheModuleLife) {
  lxInitDwmApi();
  const bool expect_loaded = LOBYTE(LOWORD(GetVersion())) > 5;
  EXPECT_EQ(lxDwmApiLoaded(), expect_loaded);
  if (lxDwmApiLoaded()) {
    ASSERT_NE(lxDwmFunctions().DwmIsCompositionEnabled, nullptr);
    BOOL enabled = FALSE;
    const bool on = SUCCEEDED(lxDwmFunctions().DwmIsCompositionEnabled(&enabled)) && enabled;
    EXPECT_EQ(lxIsDesktopCompositionOn(), on);
  }
  lxDoneDwmApi();
  EXPECT_FALSE(lxDwmApiLoaded());
  EXPECT_EQ(lxDwmFunctions().DwmIsCompositionEnabled, nullptr);
  EXPECT_FALSE(lxIsDesktopCompositionOn());
}

}  // namespace

namespace {

TEST(ControlUnitWinTest, NestedHourglassRestoresTheCursorShownBefore) {
  Screen->SetCursor(crCross);
  lxShowHourglass();
  EXPECT_EQ(Screen->Cursor(), crHourGlass);
  lxShowHourglass();
  Screen->SetCursor(crArrow);  // changed inside: not what comes back
  lxHideHourglass();
  EXPECT_EQ(Screen->Cursor(), crArrow) << "only the outermost hide restores";
  lxHideHourglass();
  EXPECT_EQ(Screen->Cursor(), crCross);
  lxHideHourglass();  // extra: nothing
  EXPECT_EQ(Screen->Cursor(), crCross);
  Screen->SetCursor(crDefault);
}

}  // namespace
