#include "ui/foundation/controls/drag_and_drop_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "platform/toolkit/screen.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "tests/ui/foundation/controls/control_test_support_win.h"
#include "ui/foundation/system/library_cursors.h"

namespace {

using control_test::ControlFixture;
using control_test::PointParam;
using control_test::ScriptedControl;

std::vector<std::string> drag_log;

// Logs every step of an operation; accepts a move to the right half.
class RecordingDragObject : public TlxDragAndDropObject {
 public:
  static constexpr TClass kClass{"RecordingDragObject", &TlxDragAndDropObject::kClass,
                                 &ConstructInstance<RecordingDragObject>};
  const TClass* ClassType() const override { return &kClass; }
  explicit RecordingDragObject(TlxControl* control) : TlxDragAndDropObject(control) { drag_log.push_back("create"); }
  ~RecordingDragObject() override { drag_log.push_back("free"); }

  void BeginDragAndDrop() override {
    drag_log.push_back("begin");
    TlxDragAndDropObject::BeginDragAndDrop();
  }
  void DragAndDrop(const TPoint& point, bool& accepted) override {
    accepted = point.X >= 100;
    drag_log.push_back(accepted ? "move accepted" : "move refused");
    TlxDragAndDropObject::DragAndDrop(point, accepted);
    cursor_seen = Screen->Cursor();
  }
  void EndDragAndDrop(bool accepted) override {
    drag_log.push_back(accepted ? "end accepted" : "end refused");
    TlxDragAndDropObject::EndDragAndDrop(accepted);
  }
  void AfterDragAndDrop(bool) override { drag_log.push_back("after"); }

  static inline TCursor cursor_seen = crDefault;
};

class ImmediateDragObject : public RecordingDragObject {
 public:
  static constexpr TClass kClass{"ImmediateDragObject", &RecordingDragObject::kClass,
                                 &ConstructInstance<ImmediateDragObject>};
  const TClass* ClassType() const override { return &kClass; }
  explicit ImmediateDragObject(TlxControl* control) : RecordingDragObject(control) {}
  bool StartsImmediately() override { return true; }
};

class LibraryDragTest : public ::testing::Test {
 public:
  void SetUp() override {
    drag_log.clear();
    control().drag_and_drop_here = true;
    control().SetDragDropObjectClass(&RecordingDragObject::kClass);
    window_ = control().Handle();
    Screen->SetCursor(crDefault);
  }
  ScriptedControl& control() { return *fixture_.control; }
  void Send(UINT message, int32_t x, int32_t y, WPARAM keys = 0) {
    SendMessageW(window_, message, keys, PointParam(x, y));
  }

  ControlFixture fixture_;
  HWND window_ = nullptr;
};

TEST_F(LibraryDragTest, ClickWithoutMovingNeverBegins) {
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_EQ(control().DragDropPhase(), dpPending);
  Send(WM_MOUSEMOVE, 21, 21, MK_LBUTTON);  // inside the threshold
  EXPECT_EQ(control().DragDropPhase(), dpPending);
  Send(WM_LBUTTONUP, 21, 21);
  EXPECT_EQ(control().DragDropPhase(), dpIdle);
  EXPECT_EQ(control().DragDropObject(), nullptr);
  EXPECT_EQ(drag_log, (std::vector<std::string>{"create", "free"}));
}

TEST_F(LibraryDragTest, LeavingTheThresholdBeginsAndReleaseAccepts) {
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  Send(WM_MOUSEMOVE, 60, 20, MK_LBUTTON);
  EXPECT_EQ(control().DragDropPhase(), dpDragging);
  EXPECT_TRUE(control().MouseCapture());
  Send(WM_MOUSEMOVE, 150, 20, MK_LBUTTON);
  EXPECT_EQ(RecordingDragObject::cursor_seen, crDrag);
  Send(WM_MOUSEMOVE, 40, 20, MK_LBUTTON);
  EXPECT_EQ(RecordingDragObject::cursor_seen, crNoDrop);
  EXPECT_EQ(control().DragDropObject()->CurrentMousePos(), TPoint(40, 20));
  EXPECT_EQ(control().DragDropObject()->PrevMousePos(), TPoint(150, 20));
  Send(WM_LBUTTONUP, 40, 20);
  EXPECT_EQ(control().DragDropPhase(), dpIdle);
  EXPECT_EQ(Screen->Cursor(), crDefault);  // the cursor from before comes back
  EXPECT_FALSE(control().MouseCapture());
  EXPECT_EQ(drag_log, (std::vector<std::string>{"create", "begin", "move refused", "move accepted",
                                                "move refused", "end accepted", "after", "free"}));
}

TEST_F(LibraryDragTest, ImmediateObjectBeginsAtTheButtonAndMovesOnTheFirstMove) {
  control().SetDragDropObjectClass(&ImmediateDragObject::kClass);
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_EQ(control().DragDropPhase(), dpDragging);
  EXPECT_EQ(drag_log, (std::vector<std::string>{"create", "begin"}));
  Send(WM_MOUSEMOVE, 21, 20, MK_LBUTTON);
  EXPECT_EQ(drag_log.back(), "move refused");
  Send(WM_LBUTTONUP, 21, 20);
}

TEST_F(LibraryDragTest, EscapeCancelModeAndOtherButtonsEndWithoutAccepting) {
  struct EndCase {
    const char* what;
    std::function<void(LibraryDragTest&)> end;
  };
  const EndCase cases[] = {
      {"Esc as the form passes it on", [](LibraryDragTest& t) { t.control().Perform(CN_KEYDOWN, VK_ESCAPE, 0); }},
      {"Esc pressed", [](LibraryDragTest& t) { SendMessageW(t.window_, WM_KEYDOWN, VK_ESCAPE, 0); }},
      {"cancel mode", [](LibraryDragTest& t) { SendMessageW(t.window_, WM_CANCELMODE, 0, 0); }},
      {"right button", [](LibraryDragTest& t) { t.Send(WM_RBUTTONDOWN, 60, 20, MK_RBUTTON | MK_LBUTTON); }},
  };
  for (const EndCase& c : cases) {
    SCOPED_TRACE(c.what);
    drag_log.clear();
    Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
    Send(WM_MOUSEMOVE, 150, 20, MK_LBUTTON);
    ASSERT_EQ(control().DragDropPhase(), dpDragging);
    c.end(*this);
    EXPECT_EQ(control().DragDropPhase(), dpIdle);
    EXPECT_EQ(control().DragDropObject(), nullptr);
    ASSERT_GE(drag_log.size(), 3u);
    EXPECT_EQ(drag_log[drag_log.size() - 3], "end refused");
    Send(WM_RBUTTONUP, 60, 20);
    Send(WM_LBUTTONUP, 60, 20);
  }
}

TEST_F(LibraryDragTest, KeysDoNotReachTheToolkitWhileAnOperationRuns) {
  int key_downs = 0;
  control().OnKeyDown = [&](TObject*, uint16_t&, TShiftState) { ++key_downs; };
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  EXPECT_EQ(control().Perform(CN_KEYDOWN, 'A', 0), 1);
  EXPECT_EQ(key_downs, 0);
  EXPECT_EQ(control().DragDropPhase(), dpPending);
  Send(WM_LBUTTONUP, 20, 20);
  EXPECT_EQ(control().Perform(CN_KEYDOWN, 'A', 0), 0);  // idle: the key goes its normal way
}

TEST_F(LibraryDragTest, DoubleClickNeverStarts) {
  Send(WM_LBUTTONDBLCLK, 20, 20, MK_LBUTTON);
  EXPECT_EQ(control().DragDropPhase(), dpIdle);
  EXPECT_TRUE(drag_log.empty());
  Send(WM_LBUTTONUP, 20, 20);
}

TEST_F(LibraryDragTest, LosingThePendingCaptureCancels) {
  Send(WM_LBUTTONDOWN, 20, 20, MK_LBUTTON);
  ASSERT_EQ(control().DragDropPhase(), dpPending);
  control().SetMouseCaptureObject(&control());
  control().SetMouseCaptureObject(nullptr);
  EXPECT_EQ(control().DragDropPhase(), dpIdle);
  EXPECT_EQ(control().DragDropObject(), nullptr);
}

TEST(LibraryDragFreeTest, ControlFreedWhileTheOperationEnds) {
  drag_log.clear();
  ControlFixture fixture;
  ScriptedControl* control = fixture.control;
  control->drag_and_drop_here = true;
  control->SetDragDropObjectClass(&ImmediateDragObject::kClass);
  HWND window = control->Handle();
  control->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
    delete control;
    control = nullptr;
  };
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(20, 20));
  SendMessageW(window, WM_MOUSEMOVE, MK_LBUTTON, PointParam(90, 20));
  SendMessageW(window, WM_LBUTTONUP, 0, PointParam(90, 20));
  EXPECT_EQ(control, nullptr);
  EXPECT_EQ(drag_log.back(), "free");
}

// --- the toolkit's drag between two controls ------------------------------

// A source that paints a red drag image of 24 x 24 px.
class ImageSource : public ScriptedControl {
 public:
  explicit ImageSource(TComponent* owner) : ScriptedControl(owner) { SetDragMode(dmAutomatic); }
  bool HasDragImages() override { return true; }
  TPoint GetDragImagesSize() override { return TPoint(24, 24); }
  // A white frame (the bottom-left pixel is the see-through colour) around
  // a red square.
  void DrawDragImage(TlxCanvas& canvas, const TRect& rect) override {
    canvas.FillRectColor(rect, clWhite);
    canvas.FillRectColor(rect.Inflate(-2, -2), clRed);
  }
  // This Wine does not report a Ctrl key given through SendInput to
  // GetAsyncKeyState; the source stands in for the key held.
  bool copy = false;
  bool IsCopyDragDrop() override { return copy; }
};

void InputButton(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  SendInput(1, &input, sizeof(INPUT));
}


void InputMove(const TPoint& point) { test_support::InputMouseAt(POINT{point.X, point.Y}); }

// Input played one step per timer tick, so that the modal loops of drag
// detection and of the drag itself see it arrive as a user's would.
std::vector<std::function<void()>> input_script;
size_t input_step = 0;

void CALLBACK PlayNextInput(HWND, UINT, UINT_PTR timer, DWORD) {
  if (input_step >= input_script.size()) {
    KillTimer(nullptr, timer);
    return;
  }
  input_script[input_step++]();
}

TEST(ToolkitDragTest, DragBetweenTwoControlsWithImageAndCopyCursor) {
  GetApplication();
  auto* form = new TForm(nullptr);
  form->SetBounds(60, 60, 420, 240);
  auto* source = new ImageSource(form);
  source->SetParent(form);
  source->SetBounds(10, 10, 150, 150);
  auto* target = new ScriptedControl(form);
  target->SetParent(form);
  target->SetBounds(220, 10, 150, 150);
  target->ControlStyle().Include(csDisplayDragImage);
  target->SetColor(clWhite);
  form->Show();
  test_support::PumpMessagesUntilIdle();
  EXPECT_TRUE(source->ControlStyle().Contains(csDisplayDragImage));

  TCursor cursor_over_target = crDefault;
  const TClass* dropped = nullptr;
  COLORREF image_pixel = CLR_INVALID;
  target->OnDragOver = [&](TObject*, TObject* drag, int32_t x, int32_t y, TDragState state, bool& accept) {
    accept = true;
    if (state == dsDragLeave)
      return;
    cursor_over_target = static_cast<TDragObject*>(drag)->GetDragCursor(true, x, y);
    EXPECT_EQ(lxCurrentDragObject(), drag);
    // The image shows on the form where the previous move put it, its
    // corner at that point of the cursor: red just right of and below it.
    const TPoint at = target->ClientToParent(TPoint(x, y), form);
    const auto pixels = test_support::WindowPixels::Capture(form->Handle());
    image_pixel = pixels.At(at.X - 10 + 12, at.Y + 12);
  };
  target->OnDragDrop = [&](TObject*, TObject* drag, int32_t, int32_t) { dropped = drag->ClassType(); };

  source->copy = true;
  const TPoint start = source->ClientToScreen(TPoint(40, 40));
  const TPoint over = target->ClientToScreen(TPoint(60, 60));
  SetCursorPos(start.X, start.Y);
  test_support::PumpMessagesUntilIdle();
  input_script.clear();
  input_step = 0;
  input_script.push_back([] { InputButton(MOUSEEVENTF_LEFTDOWN); });
  for (int step = 1; step <= 10; ++step)
    input_script.push_back([=] { InputMove(TPoint(start.X + (over.X - start.X) * step / 10, start.Y)); });
  input_script.push_back([=] { InputMove(over); });
  input_script.push_back([=] { InputMove(TPoint(over.X + 10, over.Y)); });
  input_script.push_back([=] { InputMove(TPoint(over.X + 20, over.Y)); });
  input_script.push_back([] { InputButton(MOUSEEVENTF_LEFTUP); });
  SetTimer(nullptr, 0, 30, PlayNextInput);
  test_support::PumpUntil([&] { return input_step >= input_script.size(); }, 5000);
  test_support::PumpUntil([&] { return dropped != nullptr; }, 3000);

  EXPECT_EQ(dropped, &TlxDragControlObject::kClass);
  EXPECT_EQ(cursor_over_target, crLxDragCopy);
  source->copy = false;
  TlxDragControlObject plain(source);
  EXPECT_EQ(plain.GetDragCursor(true, 0, 0), source->DragCursor());
  EXPECT_EQ(plain.GetDragCursor(false, 0, 0), crNoDrop);
  // The system blends the moving image a little into what lies below.
  EXPECT_GT(GetRValue(image_pixel), 128) << std::hex << image_pixel;
  EXPECT_LT(GetGValue(image_pixel), 64) << std::hex << image_pixel;
  EXPECT_LT(GetBValue(image_pixel), 64) << std::hex << image_pixel;
  EXPECT_EQ(lxCurrentDragObject(), nullptr);
  EXPECT_EQ(source->DragImageList(), nullptr);  // freed when the drag ended
  form->Free();
  test_support::PumpMessagesUntilIdle();
}

TEST(ToolkitDragTest, WithoutAnImageSizeThereAreNoDragImages) {
  ControlFixture fixture;
  EXPECT_EQ(fixture.control->GetDragImages(), nullptr);
  struct Sized : ScriptedControl {
    explicit Sized(TComponent* owner) : ScriptedControl(owner) {}
    bool HasDragImages() override { return true; }
  };
  auto* sized = new Sized(fixture.form);
  EXPECT_EQ(sized->GetDragImages(), nullptr);  // size (0, 0): nothing to show
  ASSERT_NE(sized->DragImageList(), nullptr);
  EXPECT_EQ(sized->DragImageList()->Count(), 0);
  EXPECT_EQ(sized->DragImageList()->ClassType(), &TlxDragImageList::kClass);
}

}  // namespace
