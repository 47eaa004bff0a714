#include "platform/toolkit/control.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/win_control.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

using form_fixture::MakeForm;
using form_fixture::Pump;
using form_fixture::PumpUntil;

// Records the toolkit notifications a control receives, in order.
class RecordingControl : public TCustomControl {
 public:
  explicit RecordingControl(TComponent* owner, std::vector<std::string>* log = nullptr)
      : TCustomControl(owner), log_(log) {
    SetTabStop(true);
  }

  std::vector<std::string>* log_;

 protected:
  void Note(const std::string& what) {
    if (log_ != nullptr)
      log_->push_back(Name() + ":" + what);
  }
  void CMEnter(TMessage& message) override {
    Note("enter");
    TCustomControl::CMEnter(message);
  }
  void CMExit(TMessage& message) override {
    Note("exit");
    TCustomControl::CMExit(message);
  }
  void CMColorChanged(TMessage& message) override {
    Note("color");
    TCustomControl::CMColorChanged(message);
  }
  void CMFontChanged(TMessage& message) override {
    Note("font");
    TCustomControl::CMFontChanged(message);
  }
  void CMParentColorChanged(TMessage& message) override {
    Note("parentcolor");
    TCustomControl::CMParentColorChanged(message);
  }
  void CMVisibleChanged(TMessage& message) override {
    Note("visible");
    TCustomControl::CMVisibleChanged(message);
  }
  void CMEnabledChanged(TMessage& message) override {
    Note("enabled");
    TCustomControl::CMEnabledChanged(message);
  }
  void CMTextChanged(TMessage& message) override {
    Note("text");
    TCustomControl::CMTextChanged(message);
  }
  void CMCursorChanged(TMessage& message) override {
    Note("cursor");
    TCustomControl::CMCursorChanged(message);
  }
};

class RecordingForm : public TForm {
 public:
  using TForm::TForm;
  std::vector<std::string> focus_log;

 protected:
  void CMFocusChanged(TMessage& message) override {
    auto* control = reinterpret_cast<TControl*>(message.LParam);
    focus_log.push_back("focuschanged:" + (control != nullptr ? control->Name() : std::string("-")));
    TForm::CMFocusChanged(message);
  }
};

TWinControl* AddPanel(TWinControl* parent, const std::string& name, TRect bounds,
                      std::vector<std::string>* log = nullptr) {
  auto* control = new RecordingControl(parent, log);
  control->SetName(name);
  control->SetBoundsRect(bounds);
  control->SetParent(parent);
  return control;
}

TEST(ControlTest, HandlesAreCreatedOnlyWhenNeeded) {
  auto form = MakeForm();
  TWinControl* child = AddPanel(form.get(), "Child", Bounds(10, 10, 50, 50));
  EXPECT_FALSE(form->HandleAllocated());
  EXPECT_FALSE(child->HandleAllocated());
  HWND child_window = child->Handle();  // needs the parent's window too
  EXPECT_NE(child_window, nullptr);
  EXPECT_TRUE(form->HandleAllocated());
  EXPECT_EQ(GetParent(child_window), form->WindowHandle());
  EXPECT_EQ(FindControl(child_window), child);
  EXPECT_FALSE(IsWindowVisible(form->WindowHandle()));
}

TEST(ControlTest, RecreatingKeepsChildrenTextAndBounds) {
  auto form = MakeForm();
  form->SetCaption("Größe");
  TWinControl* child = AddPanel(form.get(), "Child", Bounds(10, 12, 50, 40));
  form_fixture::ShowAndSettle(*form);
  HWND old_form = form->Handle();
  HWND old_child = child->Handle();
  form->SetBorderStyle(bsSingle);  // a new style needs a new window
  Pump();
  ASSERT_TRUE(form->HandleAllocated());
  EXPECT_NE(form->WindowHandle(), old_form);
  EXPECT_FALSE(IsWindow(old_child));
  ASSERT_TRUE(child->HandleAllocated());
  EXPECT_EQ(GetParent(child->WindowHandle()), form->WindowHandle());
  EXPECT_EQ(form->Caption(), "Größe");
  EXPECT_EQ(child->BoundsRect(), Bounds(10, 12, 50, 40));
  EXPECT_TRUE(IsWindowVisible(child->WindowHandle()));
  EXPECT_NE(GetWindowLongPtrW(form->WindowHandle(), GWL_STYLE) & WS_CAPTION, 0);
}

TEST(ControlTest, AlignmentFillsEdgesInOrder) {
  auto form = MakeForm(400, 300);
  TWinControl* top = AddPanel(form.get(), "Top", Bounds(0, 0, 10, 30));
  TWinControl* bottom = AddPanel(form.get(), "Bottom", Bounds(0, 0, 10, 20));
  TWinControl* left = AddPanel(form.get(), "Left", Bounds(0, 0, 50, 10));
  TWinControl* client = AddPanel(form.get(), "Client", Bounds(0, 0, 10, 10));
  top->SetAlign(alTop);
  bottom->SetAlign(alBottom);
  left->SetAlign(alLeft);
  client->SetAlign(alClient);
  const TRect area = form->ClientRect();
  EXPECT_EQ(top->BoundsRect(), Rect(0, 0, area.Right, 30));
  EXPECT_EQ(bottom->BoundsRect(), Rect(0, area.Bottom - 20, area.Right, area.Bottom));
  EXPECT_EQ(left->BoundsRect(), Rect(0, 30, 50, area.Bottom - 20));
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, area.Right, area.Bottom - 20));

  // The window's real resize realigns the same way.
  form_fixture::ShowAndSettle(*form);
  form->SetBounds(40, 40, 500, 260);
  Pump();
  const TRect resized = form->ClientRect();
  EXPECT_EQ(client->BoundsRect(), Rect(50, 30, resized.Right, resized.Bottom - 20));
  RECT window_rect{};
  GetWindowRect(client->Handle(), &window_rect);
  EXPECT_EQ(window_rect.right - window_rect.left, resized.Right - 50);

  // A second top panel placed below the first stays below it.
  TWinControl* second = AddPanel(form.get(), "Second", Bounds(0, 100, 10, 15));
  second->SetAlign(alTop);
  EXPECT_EQ(second->Top(), 30);
  EXPECT_EQ(left->Top(), 45);

  // Border width keeps aligned children off the edges.
  form->SetBorderWidth(4);
  EXPECT_EQ(top->BoundsRect(), Rect(4, 4, resized.Right - 4, 34));
}

TEST(ControlTest, AnchorsKeepDistancesToTheirEdges) {
  auto form = MakeForm(300, 200);
  TWinControl* right = AddPanel(form.get(), "Right", Bounds(250, 10, 40, 20));
  right->SetAnchors({akTop, akRight});
  TWinControl* stretch = AddPanel(form.get(), "Stretch", Bounds(10, 50, 280, 20));
  stretch->SetAnchors({akLeft, akTop, akRight, akBottom});
  form->SetBounds(40, 40, 400, 250);
  EXPECT_EQ(right->Left(), 350);
  EXPECT_EQ(stretch->Width(), 380);
  EXPECT_EQ(stretch->Height(), 70);
  form->SetBounds(40, 40, 300, 200);
  EXPECT_EQ(right->Left(), 250);
  EXPECT_EQ(stretch->BoundsRect(), Bounds(10, 50, 280, 20));
}

TEST(ControlTest, NotificationsArriveForEachChange) {
  std::vector<std::string> log;
  auto form = MakeForm();
  TWinControl* control = AddPanel(form.get(), "C", Bounds(0, 0, 10, 10), &log);
  control->SetParentColor(true);
  log.clear();
  control->SetColor(clRed);
  control->Font().SetHeight(-20);
  control->SetVisible(false);
  control->SetEnabled(false);
  control->SetText("x");
  control->SetCursor(crHandPoint);
  control->SetColor(clRed);  // no change, no notification
  EXPECT_EQ(log, (std::vector<std::string>{"C:color", "C:font", "C:visible", "C:enabled", "C:text", "C:cursor"}));
  EXPECT_FALSE(control->ParentColor());
  EXPECT_FALSE(control->ParentFont());

  // Parent colour and font flow down to children that take them.
  log.clear();
  control->SetParentColor(true);
  form->SetColor(clYellow);
  EXPECT_EQ(control->Color(), clYellow);
  EXPECT_TRUE(control->ParentColor());
  control->SetParentFont(true);
  form->Font().SetName("Courier New");
  EXPECT_EQ(control->Font().Name(), "Courier New");
  EXPECT_TRUE(control->ParentFont());
}

TEST(ControlTest, FocusMovesWithTabInTabOrderWithEnterAndExit) {
  std::vector<std::string> log;
  form_fixture::FormPtr<RecordingForm> form(new RecordingForm(nullptr));
  form->SetBorderStyle(bsNone);
  form->SetBounds(40, 40, 300, 200);
  TWinControl* first = AddPanel(form.get(), "First", Bounds(0, 0, 50, 20), &log);
  TWinControl* second = AddPanel(form.get(), "Second", Bounds(0, 30, 50, 20), &log);
  TWinControl* third = AddPanel(form.get(), "Third", Bounds(0, 60, 50, 20), &log);
  third->SetTabOrder(0);  // third, first, second
  EXPECT_EQ(third->TabOrder(), 0);
  EXPECT_EQ(first->TabOrder(), 1);
  second->SetTabStop(false);
  form_fixture::ShowAndSettle(*form);
  ASSERT_TRUE(form->Active());

  // The form starts on the first control in tab order.
  EXPECT_EQ(form->ActiveControl(), third);
  EXPECT_TRUE(PumpUntil([&] { return third->Focused(); }));

  log.clear();
  form->focus_log.clear();
  // Tab through the loop the program uses: CN_KEYDOWN first.
  EXPECT_EQ(third->Perform(CN_KEYDOWN, VK_TAB, 0), 1);
  EXPECT_TRUE(first->Focused());
  EXPECT_EQ(log, (std::vector<std::string>{"Third:exit", "First:enter"}));
  EXPECT_EQ(form->focus_log, (std::vector<std::string>{"focuschanged:First"}));
  EXPECT_EQ(Screen->ActiveControl(), first);

  // Second has no tab stop: Tab goes round to Third.
  first->Perform(CN_KEYDOWN, VK_TAB, 0);
  EXPECT_TRUE(third->Focused());

  // Shift+Tab goes backwards (key state through the keyboard state).
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = 0x80;
  SetKeyboardState(keys);
  third->Perform(CN_KEYDOWN, VK_TAB, 0);
  keys[VK_SHIFT] = 0;
  SetKeyboardState(keys);
  EXPECT_TRUE(first->Focused());

  // Disabled and invisible controls cannot take the focus.
  second->SetEnabled(false);
  EXPECT_FALSE(second->CanFocus());
  EXPECT_THROW(second->SetFocus(), EInvalidOperation);
  third->SetVisible(false);
  EXPECT_THROW(form->SetActiveControl(third), EInvalidOperation);
  third->SetVisible(true);
  third->SetFocus();
  EXPECT_TRUE(third->Focused());
  EXPECT_EQ(form->ActiveControl(), third);
}

// Notes every CM_FOCUSCHANGED that reaches it, with the control it names.
template <class Base>
class FocusWatcher : public Base {
 public:
  FocusWatcher(TComponent* owner, std::vector<std::string>& log) : Base(owner), log_(log) {}

 protected:
  void CMFocusChanged(TMessage& message) override {
    auto* focused = reinterpret_cast<TControl*>(message.LParam);
    log_.push_back(this->Name() + ":" + (focused != nullptr ? focused->Name() : std::string("-")));
    Base::CMFocusChanged(message);
  }

 private:
  std::vector<std::string>& log_;
};

template <class Watcher>
Watcher* AddWatcher(TWinControl* parent, const std::string& name, TRect bounds, std::vector<std::string>& log) {
  auto* control = new Watcher(parent, log);
  control->SetName(name);
  control->SetBoundsRect(bounds);
  control->SetParent(parent);
  return control;
}

TEST(ControlTest, FocusChangesReachEveryControlDepthFirst) {
  std::vector<std::string> log;
  form_fixture::FormPtr<RecordingForm> form(new RecordingForm(nullptr));
  form->SetBorderStyle(bsNone);
  form->SetBounds(40, 40, 300, 200);
  using WindowedWatcher = FocusWatcher<TCustomControl>;
  using GraphicWatcher = FocusWatcher<TGraphicControl>;
  auto* outer = AddWatcher<WindowedWatcher>(form.get(), "Outer", Bounds(0, 0, 150, 150), log);
  auto* inner = AddWatcher<WindowedWatcher>(outer, "Inner", Bounds(10, 10, 100, 100), log);
  auto* leaf = AddWatcher<WindowedWatcher>(inner, "Leaf", Bounds(10, 10, 40, 40), log);
  leaf->SetTabStop(true);
  AddWatcher<GraphicWatcher>(inner, "InnerMark", Bounds(60, 60, 10, 10), log);
  AddWatcher<WindowedWatcher>(outer, "Sibling", Bounds(120, 120, 20, 20), log);
  auto* last = AddWatcher<WindowedWatcher>(form.get(), "Last", Bounds(200, 0, 50, 50), log);
  AddWatcher<GraphicWatcher>(form.get(), "FormMark", Bounds(200, 100, 10, 10), log);
  // The form starts on Last.
  last->SetTabStop(true);
  last->SetTabOrder(0);
  form_fixture::ShowAndSettle(*form);
  ASSERT_TRUE(PumpUntil([&] { return last->Focused(); }));

  log.clear();
  form->focus_log.clear();
  leaf->SetFocus();
  ASSERT_TRUE(PumpUntil([&] { return leaf->Focused(); }));
  EXPECT_EQ(form->focus_log, (std::vector<std::string>{"focuschanged:Leaf"}));
  // The form passes it to each child, each container to its own children
  // before the next sibling; graphic children come first, as in Controls.
  EXPECT_EQ(log, (std::vector<std::string>{"FormMark:Leaf", "Outer:Leaf", "Inner:Leaf", "InnerMark:Leaf",
                                           "Leaf:Leaf", "Sibling:Leaf", "Last:Leaf"}));
}

TEST(ControlTest, KeyEventsAndKeyPreview) {
  auto form = MakeForm();
  TWinControl* control = AddPanel(form.get(), "Keys", Bounds(0, 0, 50, 20));
  form_fixture::ShowAndSettle(*form);
  control->SetFocus();
  std::vector<std::string> log;
  control->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) { log.push_back("control:" + std::to_string(key)); };
  control->OnKeyPress = [&](TObject*, char16_t& key) { log.push_back(std::string("press:") + static_cast<char>(key)); };
  form->OnKeyDown = [&](TObject*, uint16_t& key, TShiftState) {
    log.push_back("form:" + std::to_string(key));
    if (key == 'Q')
      key = 0;  // eaten by the form
  };
  SendMessageW(control->Handle(), WM_KEYDOWN, 'A', 0);
  EXPECT_EQ(log, (std::vector<std::string>{"control:65"}));
  form->SetKeyPreview(true);
  log.clear();
  SendMessageW(control->Handle(), WM_KEYDOWN, 'A', 0);
  SendMessageW(control->Handle(), WM_KEYDOWN, 'Q', 0);
  SendMessageW(control->Handle(), WM_CHAR, 'a', 0);
  EXPECT_EQ(log, (std::vector<std::string>{"form:65", "control:65", "form:81", "press:a"}));
}

// A control without a window that counts its clicks and paints itself red.
class Spot : public TGraphicControl {
 public:
  using TGraphicControl::TGraphicControl;
  int clicks = 0;
  std::vector<TPoint> downs;

 protected:
  void Click() override {
    ++clicks;
    TGraphicControl::Click();
  }
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    downs.push_back({x, y});
    TGraphicControl::MouseDown(button, shift, x, y);
  }
  void Paint() override {
    Canvas().Brush().SetColor(clRed);
    Canvas().FillRect(ClientRect());
  }
};

TEST(ControlTest, GraphicChildGetsMouseAndCaptureThroughItsParent) {
  auto form = MakeForm();
  form->SetColor(clWhite);
  auto* spot = new Spot(form.get());
  spot->SetBounds(20, 30, 40, 40);
  spot->SetParent(form.get());
  form_fixture::ShowAndSettle(*form);

  HWND window = form->Handle();
  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 35));
  ASSERT_EQ(spot->downs.size(), 1u);
  EXPECT_EQ(spot->downs[0], TPoint(5, 5));  // in the spot's own coordinates
  // The spot holds the capture on its parent's window.
  EXPECT_EQ(GetCapture(), window);
  EXPECT_TRUE(spot->MouseCapture());
  EXPECT_EQ(GetCaptureControl(), spot);
  // A release outside still reaches it (no click then).
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(200, 150));
  EXPECT_EQ(spot->clicks, 0);
  EXPECT_FALSE(spot->MouseCapture());
  EXPECT_EQ(GetCapture(), nullptr);

  SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(25, 35));
  SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(26, 36));
  EXPECT_EQ(spot->clicks, 1);

  // Painted by the parent, within its bounds only.
  form->Invalidate();
  Pump();
  EXPECT_TRUE(test_support::ColorsNear(form_fixture::PixelOf(window, 30, 40), RGB(255, 0, 0)));
  EXPECT_TRUE(test_support::ColorsNear(form_fixture::PixelOf(window, 10, 10), RGB(255, 255, 255)));
  EXPECT_TRUE(test_support::ColorsNear(form_fixture::PixelOf(window, 61, 40), RGB(255, 255, 255)));
}

TEST(ControlTest, MouseEnterAndLeaveNameTheControl) {
  auto form = MakeForm();
  TWinControl* panel = AddPanel(form.get(), "Panel", Bounds(10, 10, 100, 100));
  auto* spot = new Spot(form.get());
  spot->SetName("Spot");
  spot->SetBounds(150, 10, 40, 40);
  spot->SetParent(form.get());
  std::vector<std::string> log;
  panel->OnMouseEnter = [&](TObject*) { log.push_back("enter panel"); };
  panel->OnMouseLeave = [&](TObject*) { log.push_back("leave panel"); };
  spot->OnMouseEnter = [&](TObject*) { log.push_back("enter spot"); };
  spot->OnMouseLeave = [&](TObject*) { log.push_back("leave spot"); };
  std::vector<std::string> form_log;
  form->WindowProc = [&, previous = form->WindowProc](TMessage& message) {
    if (message.Msg == CM_MOUSEENTER || message.Msg == CM_MOUSELEAVE)
      form_log.push_back(std::string(message.Msg == CM_MOUSEENTER ? "enter " : "leave ") +
                         reinterpret_cast<TControl*>(message.LParam)->Name());
    previous(message);
  };
  form_fixture::ShowAndSettle(*form);

  SendMessageW(panel->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(160, 20));
  SendMessageW(form->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(161, 21));  // no change, no message
  Application->SetMouseControl(nullptr);
  EXPECT_EQ(log, (std::vector<std::string>{"enter panel", "leave panel", "enter spot", "leave spot"}));
  // The parent hears of its children's changes with the child in LParam.
  EXPECT_EQ(form_log, (std::vector<std::string>{"enter Panel", "leave Panel", "enter Spot", "leave Spot"}));
}

TEST(ControlTest, AControlFreedByItsOwnClickHandlerIsNotTouchedAfterwards) {
  auto form = MakeForm();
  auto* spot = new Spot(form.get());
  spot->SetBounds(0, 0, 40, 40);
  spot->SetParent(form.get());
  bool mouse_up_after_free = false;
  spot->OnClick = [&](TObject* sender) { delete sender; };
  spot->OnMouseUp = [&](TObject*, TMouseButton, TShiftState, int32_t, int32_t) { mouse_up_after_free = true; };
  form_fixture::ShowAndSettle(*form);
  SendMessageW(form->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  SendMessageW(form->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_FALSE(mouse_up_after_free);
  EXPECT_EQ(form->ControlCount(), 0);
}

TEST(ControlTest, ReflectedNotificationsReachTheChild) {
  auto form = MakeForm();
  TWinControl* child = AddPanel(form.get(), "Child", Bounds(0, 0, 20, 20));
  std::vector<UINT> received;
  child->WindowProc = [&, previous = child->WindowProc](TMessage& message) {
    if (message.Msg >= CN_BASE && message.Msg < CN_BASE + WM_USER)
      received.push_back(message.Msg);
    previous(message);
  };
  HWND parent = form->Handle();
  HWND child_window = child->Handle();
  SendMessageW(parent, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), reinterpret_cast<LPARAM>(child_window));
  NMHDR header{child_window, 1, 0};
  SendMessageW(parent, WM_NOTIFY, 1, reinterpret_cast<LPARAM>(&header));
  HDC dc = GetDC(child_window);
  const LRESULT brush = SendMessageW(parent, WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                     reinterpret_cast<LPARAM>(child_window));
  ReleaseDC(child_window, dc);
  EXPECT_EQ(received, (std::vector<UINT>{CN_COMMAND, CN_NOTIFY, CN_CTLCOLOREDIT}));
  EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), child->Brush().Handle());
}

TEST(ControlTest, ScaleControlsScalesBoundsAndFonts) {
  auto form = MakeForm(400, 300);
  TWinControl* child = AddPanel(form.get(), "Child", Bounds(10, 20, 100, 50));
  child->SetParentFont(false);
  child->Font().SetHeight(-12);
  form->ScaleControls(3, 2);
  EXPECT_EQ(child->BoundsRect(), Bounds(15, 30, 150, 75));
  EXPECT_EQ(child->Font().Height(), -18);
}

TEST(ControlTest, ParentLoopsAreRefused) {
  auto form = MakeForm();
  TWinControl* outer = AddPanel(form.get(), "Outer", Bounds(0, 0, 50, 50));
  TWinControl* inner = AddPanel(outer, "Inner", Bounds(0, 0, 20, 20));
  EXPECT_THROW(outer->SetParent(inner), EInvalidOperation);
  EXPECT_THROW(outer->SetParent(outer), EInvalidOperation);
  EXPECT_EQ(outer->Parent(), form.get());
}

TEST(ControlTest, ControlAtPosFindsTheTopmostVisibleChild) {
  auto form = MakeForm();
  auto* lower = new Spot(form.get());
  lower->SetBounds(0, 0, 50, 50);
  lower->SetParent(form.get());
  auto* upper = new Spot(form.get());
  upper->SetBounds(25, 25, 50, 50);
  upper->SetParent(form.get());
  EXPECT_EQ(form->ControlAtPos({30, 30}, false), upper);
  EXPECT_EQ(form->ControlAtPos({10, 10}, false), lower);
  upper->SetEnabled(false);
  EXPECT_EQ(form->ControlAtPos({30, 30}, false), lower);
  EXPECT_EQ(form->ControlAtPos({30, 30}, true), upper);
  lower->BringToFront();
  upper->SetEnabled(true);
  EXPECT_EQ(form->ControlAtPos({30, 30}, false), lower);
  EXPECT_EQ(form->ControlAtPos({200, 200}, false), nullptr);
}

}  // namespace
