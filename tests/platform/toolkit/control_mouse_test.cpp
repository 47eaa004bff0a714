// The common mouse path of every control: the window's own handling (a
// system control's click, the context menu of a right button release) and
// the toolkit's mouse events, for windowed and graphic controls.

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/toolkit/win_control.h"
#include "tests/platform/toolkit/form_fixture.h"
#include "tests/support/input.h"

namespace {

using form_fixture::MakeForm;
using test_support::MouseButton;
using test_support::SendClick;

std::string PointText(TPoint point) { return std::to_string(point.X) + "," + std::to_string(point.Y); }

std::string ButtonName(TMouseButton button) {
  switch (button) {
    case mbLeft: return "left";
    case mbRight: return "right";
    case mbMiddle: return "middle";
  }
  return "?";
}

// A control over the system's BUTTON class with no mouse handling of its
// own: whatever reaches the system button comes through the common path.
class BareSystemButton : public TWinControl {
 public:
  static constexpr TClass kClass{"TBareSystemButton", &TWinControl::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TWinControl::TWinControl;

  int clicked = 0;

 protected:
  void CreateParams(TCreateParams& params) override {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_PUSHBUTTON;
  }
  void Dispatch(TMessage& message) override {
    if (message.Msg == CN_COMMAND && HIWORD(message.WParam) == BN_CLICKED) {
      ++clicked;
      return;
    }
    TWinControl::Dispatch(message);
  }
};

class Pad : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

class Dot : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
};

// Logs the mouse events and context popups of `control` into `log`.
void Watch(TControl& control, const std::string& name, std::vector<std::string>& log, bool take_popup) {
  control.OnMouseDown = [&log, name](TObject*, TMouseButton button, TShiftState, int32_t x, int32_t y) {
    log.push_back(name + " down " + ButtonName(button) + " " + PointText({x, y}));
  };
  control.OnMouseUp = [&log, name](TObject*, TMouseButton button, TShiftState, int32_t x, int32_t y) {
    log.push_back(name + " up " + ButtonName(button) + " " + PointText({x, y}));
  };
  control.OnContextPopup = [&log, name, take_popup](TObject*, TPoint point, bool& handled) {
    log.push_back(name + " popup " + PointText(point));
    handled = take_popup;
  };
}

class ControlMouseTest : public ::testing::Test {
 protected:
  // A child of the form at `bounds`, and the form shown.
  template <class Control>
  Control* AddShown(TRect bounds) {
    auto* control = new Control(form_.get());
    control->SetBoundsRect(bounds);
    control->SetParent(form_.get());
    form_fixture::ShowAndSettle(*form_);
    return control;
  }

  form_fixture::FormPtr<TForm> form_ = MakeForm();
  std::vector<std::string> log_;
};

TEST_F(ControlMouseTest, ASystemControlGetsItsClicksThroughTheCommonPath) {
  auto* button = AddShown<BareSystemButton>(Bounds(10, 10, 80, 24));
  // The events come after the system button's own handling: it is already
  // pushed when the toolkit reports the press.
  button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
    const LRESULT state = SendMessageW(button->Handle(), BM_GETSTATE, 0, 0);
    log_.push_back((state & BST_PUSHED) != 0 ? "down pushed" : "down not pushed");
  };
  button->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) {
    log_.push_back("up after " + std::to_string(button->clicked) + " click");
  };

  SendClick(button->Handle(), POINT{20, 10});
  EXPECT_EQ(button->clicked, 1);
  EXPECT_EQ(log_, (std::vector<std::string>{"down pushed", "up after 1 click"}));
  EXPECT_TRUE(button->Focused());
  EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(ControlMouseTest, RightButtonReleaseOnAWindowedControlBringsItsContextPopup) {
  auto* pad = AddShown<Pad>(Bounds(20, 30, 100, 80));
  Watch(*pad, "pad", log_, true);
  Watch(*form_, "form", log_, true);
  HWND window = pad->Handle();

  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(7, 9));
  // A windowed control with csCaptureMouse holds the capture itself.
  EXPECT_EQ(GetCapture(), window);
  SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(7, 9));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(log_, (std::vector<std::string>{"pad down right 7,9", "pad popup 7,9", "pad up right 7,9"}));
}

TEST_F(ControlMouseTest, AContextPopupNobodyTakesGoesToTheParent) {
  auto* pad = AddShown<Pad>(Bounds(20, 30, 100, 80));
  Watch(*pad, "pad", log_, false);
  Watch(*form_, "form", log_, true);

  SendClick(pad->Handle(), POINT{7, 9}, MouseButton::kRight);
  // The form gets it in its own client coordinates.
  EXPECT_EQ(log_, (std::vector<std::string>{"pad down right 7,9", "pad popup 7,9", "form popup 27,39",
                                            "pad up right 7,9"}));
}

TEST_F(ControlMouseTest, AGraphicChildGetsTheContextPopupAtItsPlace) {
  auto* dot = AddShown<Dot>(Bounds(50, 60, 30, 30));
  Watch(*dot, "dot", log_, true);
  Watch(*form_, "form", log_, true);
  HWND window = form_->Handle();

  SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(55, 64));
  // The graphic child holds the capture on its parent's window.
  EXPECT_EQ(GetCapture(), window);
  EXPECT_EQ(GetCaptureControl(), dot);
  SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(55, 64));
  EXPECT_EQ(GetCapture(), nullptr);
  EXPECT_EQ(log_, (std::vector<std::string>{"dot down right 5,4", "dot up right 5,4", "dot popup 5,4"}));

  // Beside the child the form answers.
  log_.clear();
  SendClick(window, POINT{10, 10}, MouseButton::kRight);
  EXPECT_EQ(log_, (std::vector<std::string>{"form down right 10,10", "form popup 10,10", "form up right 10,10"}));
}

TEST_F(ControlMouseTest, AControlFreedByItsMouseDownHandlerIsNotTouchedAfterwards) {
  auto* button = AddShown<BareSystemButton>(Bounds(10, 10, 80, 24));
  HWND window = button->Handle();
  bool freed = false;
  button->OnMouseDown = [&](TObject* sender, TMouseButton, TShiftState, int32_t, int32_t) {
    delete sender;
    freed = true;
  };
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  EXPECT_TRUE(freed);
  EXPECT_FALSE(IsWindow(window));
  EXPECT_EQ(form_->ControlCount(), 0);
}

}  // namespace
