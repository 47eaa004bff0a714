#include "ui/foundation/controls/control_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "platform/toolkit/application.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/screen.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "tests/ui/foundation/controls/control_test_support_win.h"
#include "ui/foundation/controls/control_child_component_win.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"
#include "ui/foundation/controls/settings_controller_win.h"
#include "ui/foundation/controls/size_grip_win.h"

namespace {

using control_test::ControlFixture;
using control_test::PointParam;
using control_test::ScriptedControl;

// A popup component that is no toolkit menu: it records where it was asked
// to show.
class RecordingPopup : public TComponent, public IlxPopupComponent {
 public:
  static constexpr TClass kClass{"RecordingPopup", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit RecordingPopup(TComponent* owner) : TComponent(owner) {}

  bool HandlesShortCut(const TMessage& key_message) override { return key_message.WParam == VK_F9; }
  void PopupAt(int32_t x, int32_t y) override { shown_at.push_back(TPoint(x, y)); }
  std::vector<TPoint> shown_at;
};

TEST(ControlTest, ClickFocusesTheControlThroughRealInput) {
  ControlFixture fixture;
  auto* other = new ScriptedControl(fixture.form);
  other->SetParent(fixture.form);
  other->SetBounds(240, 20, 80, 80);
  test_support::PumpMessagesUntilIdle();
  other->SetFocus();
  ASSERT_FALSE(fixture.control->Focused());
  int focus_events = 0;
  fixture.control->OnFocusChanged = [&](TObject*) { ++focus_events; };

  test_support::InputClick(fixture.control->Handle(), POINT{50, 50});
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.control->Focused());
  EXPECT_GE(focus_events, 1);
  EXPECT_EQ(fixture.control->MouseDownPoint(), TPoint(50, 50));

  // Without ClickFocuses the click leaves the focus where it is.
  other->SetFocus();
  fixture.control->SetClickFocuses(false);
  test_support::InputClick(fixture.control->Handle(), POINT{60, 60});
  test_support::PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.control->Focused());
}

TEST(ControlTest, ClickThatCannotFocusReleasesTheCaptureAndSkipsTheHandlers) {
  ControlFixture fixture;
  fixture.control->never_focused = true;
  int mouse_downs = 0;
  fixture.control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { ++mouse_downs; };
  SendMessageW(fixture.control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(30, 30));
  EXPECT_EQ(fixture.control->before_mouse_down, 0);
  EXPECT_EQ(mouse_downs, 0);
  EXPECT_FALSE(fixture.control->MouseCapture());
  EXPECT_FALSE(fixture.control->ButtonPressed());
  SendMessageW(fixture.control->Handle(), WM_LBUTTONUP, 0, PointParam(30, 30));

  fixture.control->allows_unfocused_mouse_down = true;
  SendMessageW(fixture.control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(30, 30));
  EXPECT_EQ(fixture.control->before_mouse_down, 1);
  EXPECT_EQ(mouse_downs, 1);
  EXPECT_TRUE(fixture.control->ButtonPressed());
  SendMessageW(fixture.control->Handle(), WM_LBUTTONUP, 0, PointParam(30, 30));
  EXPECT_FALSE(fixture.control->ButtonPressed());
}

TEST(ControlTest, ControlFreedInItsOwnMouseDownStopsQuietly) {
  ControlFixture fixture;
  ScriptedControl* control = fixture.control;
  HWND window = control->Handle();
  control->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
    delete control;
    control = nullptr;
  };
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(30, 30));
  EXPECT_EQ(control, nullptr);
  EXPECT_FALSE(IsWindow(window));
  test_support::PumpMessagesUntilIdle();
}

TEST(ControlTest, EnterAndLeaveFollowTheRealCursor) {
  GetApplication();  // the application object tracks the control under the mouse
  ControlFixture fixture;
  int enters = 0;
  int leaves = 0;
  fixture.control->OnMouseEnter = [&](TObject* sender) {
    EXPECT_EQ(sender, fixture.control);
    ++enters;
  };
  fixture.control->OnMouseLeave = [&](TObject*) { ++leaves; };
  const TPoint outside = fixture.form->ClientToScreen(TPoint(300, 230));
  const TPoint inside = fixture.control->ClientToScreen(TPoint(40, 40));
  control_test::InputMoveTo(outside.X, outside.Y);
  test_support::PumpMessagesUntilIdle();
  // The cursor may have started inside, left over from an earlier test.
  enters = 0;
  leaves = 0;
  control_test::InputMoveTo(inside.X, inside.Y);
  test_support::PumpUntil([&] { return enters == 1; }, 3000);
  EXPECT_EQ(enters, 1);
  control_test::InputMoveTo(outside.X, outside.Y);
  test_support::PumpUntil([&] { return leaves == 1; }, 3000);
  EXPECT_EQ(leaves, 1);
}

TEST(ControlTest, DialogCodesFollowTheWantedKeys) {
  ControlFixture fixture;
  struct KeysCase {
    TlxWantedKeys keys;
    LRESULT expected;
  };
  const KeysCase cases[] = {{{}, 0},
                            {{wkArrows}, DLGC_WANTARROWS},
                            {{wkAll, wkChars}, DLGC_WANTALLKEYS | DLGC_WANTCHARS},
                            {{wkTab}, DLGC_WANTTAB},
                            {{wkAll, wkArrows, wkChars, wkTab}, 0x87}};
  for (const KeysCase& c : cases) {
    fixture.control->SetWantedKeys(c.keys);
    EXPECT_EQ(SendMessageW(fixture.control->Handle(), WM_GETDLGCODE, 0, 0), c.expected) << c.keys.Bits();
  }
  // With Ctrl held the tab key goes on to the dialog.
  fixture.control->SetWantedKeys({wkTab});
  INPUT ctrl{};
  ctrl.type = INPUT_KEYBOARD;
  ctrl.ki.wVk = VK_CONTROL;
  SendInput(1, &ctrl, sizeof(INPUT));
  EXPECT_EQ(SendMessageW(fixture.control->Handle(), WM_GETDLGCODE, 0, 0), 0);
  ctrl.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInput(1, &ctrl, sizeof(INPUT));
  test_support::PumpMessagesUntilIdle();
}

TEST(ControlTest, PopupMenuTakesOnlyPopupComponentsAndForgetsFreedOnes) {
  ControlFixture fixture;
  auto* plain = new TComponent(fixture.form);
  fixture.control->SetPopupMenu(plain);
  EXPECT_EQ(fixture.control->PopupMenu(), nullptr);

  auto* menu = new TPopupMenu(fixture.form);
  fixture.control->SetPopupMenu(menu);
  EXPECT_EQ(fixture.control->PopupMenu(), menu);
  delete menu;
  EXPECT_EQ(fixture.control->PopupMenu(), nullptr);

  auto* popup = new RecordingPopup(fixture.form);
  fixture.control->SetPopupMenu(popup);
  EXPECT_EQ(fixture.control->PopupMenu(), popup);
  // A keyboard request pops up at the client origin; a click where it was.
  SendMessageW(fixture.control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(fixture.control->Handle()),
               MAKELPARAM(-1, -1));
  const TPoint click = fixture.control->ClientToScreen(TPoint(70, 80));
  SendMessageW(fixture.control->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(fixture.control->Handle()),
               MAKELPARAM(click.X, click.Y));
  ASSERT_EQ(popup->shown_at.size(), 2u);
  EXPECT_EQ(popup->shown_at[0], fixture.control->ClientToScreen(TPoint(0, 0)));
  EXPECT_EQ(popup->shown_at[1], click);

  // Its short cut is consumed on the way down; other keys are not.
  EXPECT_TRUE(fixture.control->IsPopupMenuShortCut(TMessage{CN_KEYDOWN, VK_F9, 0, 0}));
  EXPECT_FALSE(fixture.control->IsPopupMenuShortCut(TMessage{CN_KEYDOWN, VK_F8, 0, 0}));
}

TEST(ControlTest, BorderAndBoundsRules) {
  ControlFixture fixture;
  ScriptedControl& control = *fixture.control;
  EXPECT_EQ(control.BorderStyle(), lxcbsNone);
  EXPECT_EQ(control.GetBorderSize(), 0);
  EXPECT_EQ(control.GetClientBounds(), TRect(0, 0, 200, 150));
  control.LookAndFeel().SetKind(lfStandard);
  control.SetBorderStyle(lxcbsDefault);
  const int32_t border = control.GetPainter()->GetBorderSize();
  ASSERT_GT(border, 0);
  EXPECT_EQ(control.GetBorderSize(), border);
  EXPECT_EQ(control.GetClientBounds(), TRect(border, border, 200 - border, 150 - border));
  control.SetExplicitBounds(TRect(10, 10, 60, 50));
  EXPECT_EQ(control.GetBounds(), TRect(10, 10, 60, 50));
  control.SetExplicitBounds(TRect());
  EXPECT_EQ(control.GetBounds(), TRect(0, 0, 200, 150));

  // The border shows in the window's own pixels: the corner is painted by
  // the painter, the inside is left to the content.
  control.SetColor(clWhite);
  RedrawWindow(control.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
  const auto pixels = test_support::WindowPixels::Capture(control.Handle());
  EXPECT_NE(pixels.At(0, 0), pixels.At(100, 75));
}

TEST(ControlTest, OwnBarsShowForContentLargerThanTheClient) {
  ControlFixture fixture;
  ScriptedControl& control = *fixture.control;
  EXPECT_FALSE(control.IsHScrollBarShown());
  EXPECT_FALSE(control.IsVScrollBarShown());
  EXPECT_EQ(control.GetMouseWheelScrollKind(), wskNone);

  control.content_width = 100;
  control.content_height = 1000;
  control.UpdateScrollBars();
  EXPECT_FALSE(control.IsHScrollBarShown());
  ASSERT_TRUE(control.IsVScrollBarShown());
  const int32_t bar = GetSystemMetrics(SM_CXVSCROLL);
  EXPECT_EQ(control.VScrollBar()->BoundsRect(), TRect(200 - bar, 0, 200, 150));
  EXPECT_EQ(control.GetClientBounds(), TRect(0, 0, 200 - bar, 150));
  EXPECT_FALSE(control.SizeGrip()->Visible());
  EXPECT_EQ(control.GetMouseWheelScrollKind(), wskVertical);
  // The system finds the bar's own window at its place.
  const TPoint on_bar = control.ClientToScreen(TPoint(200 - bar / 2, 75));
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(WindowFromPoint(POINT{on_bar.X, on_bar.Y}), control.VScrollBar()->Handle());

  control.content_width = 1000;
  control.UpdateScrollBars();
  EXPECT_TRUE(control.IsHScrollBarShown());
  EXPECT_TRUE(control.SizeGrip()->Visible());
  EXPECT_EQ(control.SizeGrip()->BoundsRect(),
            TRect(200 - bar, 150 - control.HScrollBar()->Height(), 200, 150));

  control.SetScrollBars(ssNone);
  EXPECT_FALSE(control.IsHScrollBarShown());
  EXPECT_FALSE(control.IsVScrollBarShown());
  EXPECT_FALSE(control.SizeGrip()->Visible());

  control.SetScrollBars(ssVertical);
  control.content_height = 50;
  control.can_hide = false;
  control.UpdateScrollBars();
  EXPECT_TRUE(control.IsVScrollBarShown());
  EXPECT_FALSE(control.VScrollBar()->Enabled());  // fits, may not hide
}

TEST(ControlTest, LockedUpdatesRunOnceAtTheEnd) {
  ControlFixture fixture;
  ScriptedControl& control = *fixture.control;
  control.content_height = 1000;
  control.LockScrollBars();
  control.UpdateScrollBars();
  EXPECT_FALSE(control.IsVScrollBarShown());
  control.UnlockScrollBars();
  EXPECT_TRUE(control.IsVScrollBarShown());
}

TEST(ControlTest, BarScrollsReachTheContentAndStepsUseTheBarPosition) {
  ControlFixture fixture;
  ScriptedControl& control = *fixture.control;
  control.content_height = 1000;
  control.UpdateScrollBars();
  SendMessageW(control.VScrollBar()->Handle(), CN_VSCROLL, scPageDown, 0);
  ASSERT_FALSE(control.scroll_calls.empty());
  EXPECT_EQ(control.scroll_calls.back().kind, sbVertical);
  EXPECT_EQ(control.scroll_calls.back().code, scPageDown);

  control.VScrollBar()->SetPosition(40);
  control.scroll_calls.clear();
  control.ScrollStep(dirDown);
  control.ScrollStep(dirUp);
  control.ScrollStep(dirNone);
  control.ScrollStep(dirLeft);  // through the hidden horizontal bar: still asked
  ASSERT_EQ(control.scroll_calls.size(), 3u);
  EXPECT_EQ(control.scroll_calls[0].code, scLineDown);
  EXPECT_EQ(control.scroll_calls[0].position, 40);
  EXPECT_EQ(control.scroll_calls[1].code, scLineUp);
  EXPECT_EQ(control.scroll_calls[2].kind, sbHorizontal);
}

TEST(ControlTest, WheelStepsByTheSystemLineCount) {
  ControlFixture fixture;
  ScriptedControl& control = *fixture.control;
  UINT lines = 0;
  SystemParametersInfoW(SPI_GETWHEELSCROLLLINES, 0, &lines, 0);
  const TPoint at = control.ClientToScreen(TPoint(50, 50));

  // Without a shown bar the wheel is left to the toolkit.
  SendMessageW(control.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, WHEEL_DELTA), MAKELPARAM(at.X, at.Y));
  EXPECT_TRUE(control.scroll_calls.empty());

  control.content_height = 1000;
  control.UpdateScrollBars();
  struct WheelCase {
    int16_t delta;
    TScrollCode code;
  };
  for (const WheelCase& c : {WheelCase{WHEEL_DELTA, scLineUp}, WheelCase{-WHEEL_DELTA, scLineDown},
                             WheelCase{static_cast<int16_t>(-30000), scLineDown}}) {
    control.scroll_calls.clear();
    SendMessageW(control.Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(c.delta)), MAKELPARAM(at.X, at.Y));
    ASSERT_EQ(control.scroll_calls.size(), std::min<UINT>(lines, 100)) << c.delta;
    EXPECT_EQ(control.scroll_calls.front().code, c.code);
    EXPECT_EQ(control.scroll_calls.front().kind, sbVertical);
  }
}

TEST(ControlTest, SystemScrollBarWidthChangeResizesTheBars) {
  ControlFixture fixture;
  ScriptedControl& control = *fixture.control;
  control.content_height = 1000;
  control.content_width = 1000;
  control.UpdateScrollBars();
  NONCLIENTMETRICSW original{};
  original.cbSize = sizeof(original);
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof(original), &original, 0));
  NONCLIENTMETRICSW wider = original;
  wider.iScrollWidth = original.iScrollWidth + 9;
  wider.iScrollHeight = original.iScrollHeight + 9;
  ASSERT_TRUE(SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(wider), &wider, SPIF_SENDCHANGE));
  // This Wine broadcasts the change to no window, so it is handed to the
  // controller's window as the system would.
  ASSERT_NE(lxSettingsController().WindowHandle(), nullptr);
  SendMessageW(lxSettingsController().WindowHandle(), WM_SETTINGCHANGE, SPI_SETNONCLIENTMETRICS, 0);
  const int32_t width = GetSystemMetrics(SM_CXVSCROLL);
  test_support::PumpUntil([&] { return control.VScrollBar()->Width() == width; }, 3000);
  const int32_t new_width = control.VScrollBar()->Width();
  const TRect client = control.GetClientBounds();
  SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof(original), &original, SPIF_SENDCHANGE);
  // The other way in: the control checks the metrics after every frame
  // calculation of its window.
  SetWindowPos(control.Handle(), nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  test_support::PumpUntil([&] { return control.VScrollBar()->Width() == GetSystemMetrics(SM_CXVSCROLL); }, 3000);

  EXPECT_EQ(width, original.iScrollWidth + 9);
  EXPECT_EQ(new_width, width);
  EXPECT_EQ(client.Right, 200 - width);
  EXPECT_EQ(control.VScrollBar()->Width(), GetSystemMetrics(SM_CXVSCROLL));
}

TEST(ControlTest, MiddleButtonModeKeepsRunningAfterAPlainClick) {
  ControlFixture fixture;
  ScriptedControl& control = *fixture.control;
  control.content_height = 1000;
  control.UpdateScrollBars();
  const TPoint centre = control.ClientToScreen(TPoint(80, 75));
  SetCursorPos(centre.X, centre.Y);
  HWND window = control.Handle();
  // The loop fetches what is already queued: the release of the plain
  // click keeps it running, a left click ends it and is swallowed.
  int left_downs = 0;
  control.OnMouseDown = [&](TObject*, TMouseButton button, TShiftState, int32_t, int32_t) {
    if (button == mbLeft)
      ++left_downs;
  };
  PostMessageW(window, WM_MBUTTONUP, 0, PointParam(80, 75));
  PostMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(80, 75));
  bool ran = false;
  control.OnMouseUp = [&](TObject*, TMouseButton button, TShiftState, int32_t, int32_t) {
    if (button == mbMiddle)
      ran = control.ContentScrolling();
  };
  SendMessageW(window, WM_MBUTTONDOWN, MK_MBUTTON, PointParam(80, 75));
  EXPECT_TRUE(ran);
  EXPECT_FALSE(control.ContentScrolling());
  EXPECT_EQ(left_downs, 0);
  EXPECT_NE(GetCapture(), window);
}

HWND safety_target = nullptr;
TPoint far_point;

// Moves the real cursor while the middle-button loop runs.
void CALLBACK MoveCursorFar(HWND, UINT, UINT_PTR timer, DWORD) {
  KillTimer(nullptr, timer);
  SetCursorPos(far_point.X, far_point.Y);
}

// Ends a middle-button loop that a broken control would keep running.
void CALLBACK EndLoopAfterTimeOut(HWND, UINT, UINT_PTR, DWORD) {
  PostMessageW(safety_target, WM_KEYDOWN, VK_ESCAPE, 0);
}

TEST(ControlTest, MiddleButtonModeScrollsTowardsThePointerWithItsCursor) {
  ControlFixture fixture;
  ScriptedControl& control = *fixture.control;
  control.content_height = 1000;
  control.UpdateScrollBars();
  const TPoint centre = control.ClientToScreen(TPoint(80, 60));
  SetCursorPos(centre.X, centre.Y);
  test_support::PumpMessagesUntilIdle();
  HWND window = control.Handle();
  safety_target = window;
  const UINT_PTR safety = SetTimer(nullptr, 0, 5000, EndLoopAfterTimeOut);
  // The first step (made on a real timer tick) releases the middle button
  // after the pointer moved: that ends the mode.
  TCursor cursor_at_step = crDefault;
  control.on_scroll = [&] {
    if (cursor_at_step != crDefault)
      return;
    cursor_at_step = Screen->Cursor();
    PostMessageW(window, WM_MBUTTONUP, 0, PointParam(80, 140));
  };
  const TCursor cursor_before = Screen->Cursor();
  far_point = control.ClientToScreen(TPoint(80, 140));  // far below the anchor
  SetTimer(nullptr, 0, 50, MoveCursorFar);
  SendMessageW(window, WM_MBUTTONDOWN, MK_MBUTTON, PointParam(80, 60));
  KillTimer(nullptr, safety);
  EXPECT_EQ(cursor_at_step, crLxDownScroll);
  ASSERT_FALSE(control.scroll_calls.empty());
  EXPECT_EQ(control.scroll_calls.front().kind, sbVertical);
  EXPECT_EQ(control.scroll_calls.front().code, scLineDown);
  EXPECT_FALSE(control.ContentScrolling());
  EXPECT_EQ(Screen->Cursor(), cursor_before);
  EXPECT_NE(GetCapture(), window);
}

TEST(ControlTest, MiddleButtonModeNeedsAShownBar) {
  ControlFixture fixture;
  HWND window = fixture.control->Handle();
  bool saw_mode = false;
  fixture.control->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
    saw_mode = fixture.control->ContentScrolling();
  };
  SendMessageW(window, WM_MBUTTONDOWN, MK_MBUTTON, PointParam(80, 60));
  SendMessageW(window, WM_MBUTTONUP, 0, PointParam(80, 60));
  EXPECT_FALSE(saw_mode);
  EXPECT_TRUE(fixture.control->scroll_calls.empty());
}

TEST(ControlTest, ChildComponentFollowsItsControl) {
  ControlFixture fixture;
  auto* child = new TlxControlChildComponent(fixture.control, true);
  EXPECT_EQ(child->Control(), fixture.control);
  EXPECT_EQ(child->Owner(), fixture.form);
  EXPECT_EQ(child->GetParentComponent(), fixture.control);
  EXPECT_TRUE(child->HasParent());
  fixture.control->RemoveChildComponent(child);
  EXPECT_FALSE(child->HasParent());
  child->SetParentComponent(fixture.control);
  EXPECT_EQ(child->Control(), fixture.control);
  delete child;

  auto* unowned = new TlxControlChildComponent(fixture.control, false);
  EXPECT_EQ(unowned->Owner(), nullptr);
  delete unowned;
}

TEST(ControlHandlesTest, GdiAndUserObjectsComeBack) {
  const auto round = [] {
    ControlFixture fixture;
    fixture.control->content_height = 1000;
    fixture.control->content_width = 1000;
    fixture.control->SetBorderStyle(lxcbsDefault);
    fixture.control->UpdateScrollBars();
    RedrawWindow(fixture.form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageW(fixture.control->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, PointParam(30, 30));
    SendMessageW(fixture.control->Handle(), WM_LBUTTONUP, 0, PointParam(30, 30));
  };
  round();
  const DWORD gdi = test_support::CountGdiObjects();
  const DWORD user = test_support::CountUserObjects();
  for (int i = 0; i < 3; ++i)
    round();
  EXPECT_EQ(test_support::CountGdiObjects(), gdi);
  EXPECT_EQ(test_support::CountUserObjects(), user);
  EXPECT_EQ(lxSettingsControllerIfExists() == nullptr ? 0 : lxSettingsControllerIfExists()->ListenerCount(), 0);
}

}  // namespace
