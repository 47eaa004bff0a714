// The navigator buttons in a real host window: enabled states from the data
// source, click rules, layout, the press repeat through the timer hook,
// hints, the default glyphs on screen and a real table view moved by a click.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "editors/default_editors.h"
#include "editors/edit_repository.h"
#include "grid/grid_control_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_navigator_win.h"
#include "grid/grid_records_win.h"
#include "grid/table_items_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/update_batch.h"
#include "platform/toolkit/form.h"
#include "tests/grid/grid_test_view_win.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace grid_navigator_win_test {

// A data source over `count` records with a position and an edit state.
class TFakeSource : public IlxNavigator {
 public:
  bool active = true;
  int32_t count = 5;
  int32_t position = 0;
  bool editing = false;
  bool can_edit = true;
  bool bookmark = false;
  bool fail_on_action = false;
  std::vector<int32_t> actions;

  bool CanAppendRecord() override { return active; }
  bool CanDeleteRecord() override { return count > 0; }
  bool CanEditRecord() override { return can_edit; }
  bool CanInsertRecord() override { return !editing; }
  bool IsDataActive() override { return active; }
  bool IsAtBeginning() override { return position == 0; }
  bool HasBookmark() override { return bookmark; }
  bool IsEditingRecord() override { return editing; }
  bool IsAtEnd() override { return position == count - 1; }
  void ForgetBookmark() override { bookmark = false; }
  void PerformButtonAction(int32_t kind) override {
    actions.push_back(kind);
    if (fail_on_action)
      throw std::runtime_error("action failed");
    if (kind == nbkNext)
      position = std::min(position + 1, count - 1);
    if (kind == nbkPrior)
      position = std::max(position - 1, 0);
    if (kind == nbkLast)
      position = count - 1;
  }
  TlxNavigatorControlNotifier* GetButtonsNotifier() override { return nullptr; }
  bool SupportsButtonAction(int32_t) override { return true; }
};

// A view info whose press button is held or released by the test.
class TScriptedViewInfo : public TlxNavigatorViewInfo {
 public:
  using TlxNavigatorViewInfo::TlxNavigatorViewInfo;
  bool held = true;

 protected:
  bool IsPressButtonDown() const override { return held; }
};

// A window that draws a navigator over its whole client area and passes
// its mouse input on.
class TNavigatorHost : public TCustomControl, public IlxNavigatorOwner {
 public:
  explicit TNavigatorHost(TComponent* owner, TlxCustomNavigatorButtons* external_buttons = nullptr)
      : TCustomControl(owner) {
    if (external_buttons == nullptr) {
      own_buttons = std::make_unique<TlxNavigatorControlButtons>(this);
      buttons = own_buttons.get();
    } else {
      buttons = external_buttons;
      buttons->SetNavigatorOwner(this);
    }
    view_info = std::make_unique<TScriptedViewInfo>(this, true);
  }
  ~TNavigatorHost() override {
    if (own_buttons == nullptr)
      buttons->SetNavigatorOwner(nullptr);
  }

  void NotifyButtonsChanged(int32_t kind) override { notifications.push_back(kind); }
  TRect GetButtonsBounds() override { return ClientRect(); }
  TlxCustomNavigatorButtons* GetButtonsObject() override { return buttons; }
  TCanvas* GetButtonsCanvas() override { return &Canvas(); }
  TWinControl* GetHostControl() override { return this; }
  bool IsHostFocused() override { return Focused(); }
  TlxLookAndFeel* GetHostLookAndFeel() override { return nullptr; }
  TComponent* GetPersistentOwner() override { return this; }
  bool ShowsHints() override { return true; }
  bool TakesFocus() override { return false; }
  void RefreshButtons() override {
    ++refreshes;
    view_info->RefreshEnabledStates();
  }
  void ButtonsStateChanged() override {
    view_info->MakeDirty();
    Invalidate();
  }

  std::unique_ptr<TlxNavigatorControlButtons> own_buttons;
  TlxCustomNavigatorButtons* buttons = nullptr;
  std::unique_ptr<TScriptedViewInfo> view_info;
  std::vector<int32_t> notifications;
  int refreshes = 0;

 protected:
  void Paint() override { view_info->Paint(); }
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    TCustomControl::MouseDown(button, shift, x, y);
    view_info->MouseDown(TPoint{x, y});
  }
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override {
    TCustomControl::MouseMove(shift, x, y);
    view_info->MouseMove(TPoint{x, y});
  }
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    TCustomControl::MouseUp(button, shift, x, y);
    view_info->MouseUp(TPoint{x, y});
  }
};

class NavigatorTest : public ::testing::Test {
 public:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 520, 200);
    host_ = new TNavigatorHost(form_);
    host_->SetParent(form_);
    host_->SetBounds(10, 10, 400, 24);
    Controls()->OnGetDataSource = [this](TlxCustomNavigatorButtons*) -> IlxNavigator* { return &source_; };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    form_->Free();
    test_support::PumpMessagesUntilIdle();
  }

  TlxNavigatorControlButtons* Controls() { return host_->own_buttons.get(); }
  TlxNavigatorViewInfo& ViewInfo() { return *host_->view_info; }
  TPoint CentreOf(int32_t kind) {
    ViewInfo().Recalculate();
    const TRect bounds = ViewInfo().GetButtonInfo(Controls()->Buttons(kind))->Bounds;
    return TPoint{(bounds.Left + bounds.Right) / 2, (bounds.Top + bounds.Bottom) / 2};
  }
  void Send(UINT message, const TPoint& point, WPARAM keys = 0) {
    SendMessageW(host_->Handle(), message, keys, MAKELPARAM(point.X, point.Y));
  }
  // "1" for every enabled button, "0" for a disabled one, in kind order.
  std::string EnabledStates() {
    std::string states;
    for (int32_t kind = 0; kind < kNavigatorButtonCount; ++kind)
      states += Controls()->Buttons(kind)->EffectiveEnabled() ? '1' : '0';
    return states;
  }

  TForm* form_ = nullptr;
  TNavigatorHost* host_ = nullptr;
  TFakeSource source_;
};

TEST_F(NavigatorTest, EnabledStatesFollowTheSourceTheHostAndTheButton) {
  struct Case {
    const char* name;
    std::function<void(NavigatorTest&)> setup;
    const char* expected;
  };
  //                                       First..Last Ins App Del Edt Pst Cnc Rfr SBm GBm Flt
  const std::vector<Case> cases = {
      {"first record", [](NavigatorTest&) {}, "0001111111001101"},
      {"last record", [](NavigatorTest& t) { t.source_.position = 4; }, "1110001111001101"},
      {"middle with bookmark", [](NavigatorTest& t) { t.source_.position = 2; t.source_.bookmark = true; },
       "1111111111001111"},
      {"editing", [](NavigatorTest& t) { t.source_.position = 2; t.source_.editing = true; },
       "1111110110111101"},
      {"inactive", [](NavigatorTest& t) { t.source_.active = false; }, "0000000000000001"},
      {"no source", [](NavigatorTest& t) { t.Controls()->OnGetDataSource = nullptr; }, "0000000000000000"},
      {"host disabled", [](NavigatorTest& t) { t.host_->SetEnabled(false); }, "0000000000000000"},
      {"button switched off", [](NavigatorTest& t) { t.Controls()->Buttons(nbkRefresh)->SetEnabled(false); },
       "0001111111000101"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    source_ = TFakeSource();
    host_->SetEnabled(true);
    Controls()->Buttons(nbkRefresh)->SetEnabled(true);
    Controls()->OnGetDataSource = [this](TlxCustomNavigatorButtons*) -> IlxNavigator* { return &source_; };
    c.setup(*this);
    EXPECT_EQ(EnabledStates(), c.expected);
  }
}

TEST_F(NavigatorTest, ClickHandlersTakePrecedenceInOrder) {
  std::vector<std::string> calls;
  TlxNavigatorButton* next = Controls()->Buttons(nbkNext);
  Controls()->SetOnButtonClick([&](TObject*, int32_t kind, bool& done) {
    calls.push_back("button click " + std::to_string(kind));
    done = kind == nbkLast;
  });
  next->Click();
  EXPECT_EQ(source_.actions, std::vector<int32_t>{nbkNext});
  EXPECT_EQ(host_->refreshes, 1);
  // A handler that says it is done keeps the action from running.
  Controls()->Buttons(nbkLast)->Click();
  EXPECT_EQ(source_.actions, std::vector<int32_t>{nbkNext});
  // The button's own OnClick runs alone.
  next->SetOnClick([&](TObject* sender) { calls.push_back(sender == next ? "own click" : "wrong sender"); });
  next->Click();
  EXPECT_EQ(calls, (std::vector<std::string>{"button click 3", "button click 5", "own click"}));
  EXPECT_EQ(source_.actions.size(), 1u);
  // Without a source the buttons' event still runs and nothing else does.
  Controls()->OnGetDataSource = nullptr;
  Controls()->Buttons(nbkFirst)->Click();
  EXPECT_EQ(calls.back(), "button click 0");
  EXPECT_EQ(source_.actions.size(), 1u);
}

TEST_F(NavigatorTest, SettersTellTheHostOnlyOfChanges) {
  TlxNavigatorButton* edit = Controls()->Buttons(nbkEdit);
  host_->notifications.clear();
  edit->SetHint("Bearbeiten");
  edit->SetHint("Bearbeiten");
  edit->SetHint("bearbeiten");
  edit->SetEnabled(false);
  edit->SetImageIndex(3);
  EXPECT_FALSE(edit->IsVisibleStored());
  edit->SetVisible(true);
  EXPECT_TRUE(edit->IsVisibleStored());
  edit->SetVisible(false);
  Controls()->SetConfirmDelete(false);
  EXPECT_EQ(host_->notifications, (std::vector<int32_t>{0, 0, 2, 2, 1, 0}));
  EXPECT_FALSE(Controls()->Buttons(nbkAppend)->Visible());
  // Assign copies the explicit mark and the handlers through the setters.
  TlxNavigatorControlButtons copy;
  copy.Assign(Controls());
  EXPECT_FALSE(copy.Buttons(nbkEdit)->Visible());
  EXPECT_TRUE(copy.Buttons(nbkEdit)->IsVisibleStored());
  EXPECT_EQ(copy.Buttons(nbkEdit)->Hint(), "bearbeiten");
  EXPECT_FALSE(copy.ConfirmDelete());
}

TEST_F(NavigatorTest, LayoutTakesTheButtonSumOrSpreadsTheRoomEvenly) {
  const TlxMargins borders = lxGetRootLookAndFeel()->PainterFor(totButton)->GetButtonGroupBorderSizes(3, 1);
  const int32_t button_width = 12 + borders.Left + borders.Right + 1;
  const int32_t shown = 15;  // Append is hidden by default
  int32_t width = 0;
  int32_t height = 0;
  ViewInfo().Calculate(width, height, true);
  EXPECT_EQ(ViewInfo().ButtonInfoCount(), shown);
  EXPECT_EQ(width, shown * button_width);
  EXPECT_EQ(height, 11 + borders.Top + borders.Bottom + 1);
  // More room: every button grows by the same whole amount, and the width
  // shrinks to that multiple.
  width = shown * button_width + 2 * shown + 7;
  height = 30;
  ViewInfo().Calculate(width, height, false);
  EXPECT_EQ(width, shown * (button_width + 2));
  EXPECT_EQ(height, 30);
  for (int32_t i = 0; i < shown; ++i) {
    const TRect bounds = ViewInfo().ButtonInfos(i)->Bounds;
    EXPECT_EQ(bounds.Width(), button_width + 2);
    EXPECT_EQ(bounds.Left, i * (button_width + 2));
    EXPECT_EQ(bounds.Height(), 30);
  }
  // Showing Append adds it in kind order.
  Controls()->Buttons(nbkAppend)->SetVisible(true);
  width = 0;
  ViewInfo().Calculate(width, height, false);
  EXPECT_EQ(ViewInfo().ButtonInfoCount(), 16);
  EXPECT_EQ(ViewInfo().ButtonInfos(7)->Button->Kind(), nbkAppend);
}

TEST_F(NavigatorTest, HoldingNextRepeatsAfter400AndEvery100MillisecondsHoldingLastDoesNot) {
  const TPoint next = CentreOf(nbkNext);
  Send(WM_MOUSEMOVE, next);
  Send(WM_LBUTTONDOWN, next, MK_LBUTTON);
  TlxTimer& timer = ViewInfo().PressTimer();
  EXPECT_TRUE(timer.Enabled());
  EXPECT_EQ(timer.Interval(), 400u);
  EXPECT_EQ(ViewInfo().PressedButton(), Controls()->Buttons(nbkNext));
  EXPECT_TRUE(source_.actions.empty());
  timer.FireTimer();
  EXPECT_EQ(timer.Interval(), 100u);
  timer.FireTimer();
  EXPECT_EQ(source_.position, 2);
  Send(WM_LBUTTONUP, next);
  EXPECT_FALSE(timer.Enabled());
  EXPECT_EQ(source_.position, 3);

  source_ = TFakeSource();
  const TPoint last = CentreOf(nbkLast);
  Send(WM_MOUSEMOVE, last);
  Send(WM_LBUTTONDOWN, last, MK_LBUTTON);
  timer.FireTimer();
  timer.FireTimer();
  EXPECT_TRUE(source_.actions.empty());
  Send(WM_LBUTTONUP, last);
  EXPECT_EQ(source_.actions, std::vector<int32_t>{nbkLast});
}

TEST_F(NavigatorTest, ReleasedOutsideOrWithoutTheButtonNoClick) {
  const TPoint next = CentreOf(nbkNext);
  Send(WM_MOUSEMOVE, next);
  Send(WM_LBUTTONDOWN, next, MK_LBUTTON);
  // Released elsewhere: the press ends without a click.
  Send(WM_LBUTTONUP, CentreOf(nbkLast));
  EXPECT_TRUE(source_.actions.empty());
  // The mouse button let go while the host did not see it: the next tick
  // ends the press, again without a click.
  Send(WM_MOUSEMOVE, next);
  Send(WM_LBUTTONDOWN, next, MK_LBUTTON);
  host_->view_info->held = false;
  ViewInfo().PressTimer().FireTimer();
  EXPECT_FALSE(ViewInfo().PressTimer().Enabled());
  EXPECT_EQ(ViewInfo().PressedButton(), nullptr);
  EXPECT_TRUE(source_.actions.empty());
  // A disabled button does not take the press.
  source_.position = 4;
  host_->RefreshButtons();
  Send(WM_LBUTTONDOWN, next, MK_LBUTTON);
  EXPECT_EQ(ViewInfo().PressedButton(), nullptr);
  EXPECT_FALSE(ViewInfo().PressTimer().Enabled());
}

TEST_F(NavigatorTest, AFailingRepeatedClickStopsTheRepeatBeforeTheErrorGoesOn) {
  const TPoint next = CentreOf(nbkNext);
  Send(WM_MOUSEMOVE, next);
  Send(WM_LBUTTONDOWN, next, MK_LBUTTON);
  source_.fail_on_action = true;
  EXPECT_THROW(ViewInfo().PressTimer().FireTimer(), std::runtime_error);
  EXPECT_FALSE(ViewInfo().PressTimer().Enabled());
}

TEST_F(NavigatorTest, HintsTakeTheDefaultTextOrTheShortPart) {
  TlxNavigatorButton* next = Controls()->Buttons(nbkNext);
  EXPECT_EQ(next->EffectiveHint(), "Next record");
  EXPECT_EQ(Controls()->Buttons(nbkSaveBookmark)->EffectiveHint(), "Save Bookmark");
  next->SetHint("Weiter|Zum nächsten Datensatz");
  EXPECT_EQ(lxShortHint(next->EffectiveHint()), "Weiter");
  EXPECT_EQ(Controls()->DefaultHint(16), "");
  // Moving onto a button starts the hint delay; leaving hides.
  Send(WM_MOUSEMOVE, CentreOf(nbkNext));
  EXPECT_TRUE(ViewInfo().HintTimer().Enabled());
  EXPECT_EQ(ViewInfo().HintTimer().Interval(), 500u);
  EXPECT_EQ(ViewInfo().HotButton(), next);
  ViewInfo().MouseMove(TPoint{-1, -1});
  EXPECT_EQ(ViewInfo().HotButton(), nullptr);
  EXPECT_EQ(ViewInfo().HintWindow(), nullptr);
}

TEST_F(NavigatorTest, TheHintTimerShowsTheShortHintAtTheMouseAndAPressHidesIt) {
  Controls()->Buttons(nbkNext)->SetHint("Weiter|Zum nächsten Datensatz");
  SetForegroundWindow(form_->Handle());
  test_support::PumpMessagesUntilIdle();
  const TPoint next = CentreOf(nbkNext);
  const TPoint screen = host_->ClientToScreen(next);
  SetCursorPos(screen.X, screen.Y);
  test_support::PumpMessagesUntilIdle();
  Send(WM_MOUSEMOVE, next);
  ASSERT_TRUE(ViewInfo().HintTimer().Enabled());
  ViewInfo().HintTimer().FireTimer();
  EXPECT_FALSE(ViewInfo().HintTimer().Enabled());
  ASSERT_NE(ViewInfo().HintWindow(), nullptr);
  EXPECT_EQ(ViewInfo().HintWindow()->Text(), "Weiter");
  EXPECT_TRUE(IsWindow(ViewInfo().HintWindow()->Handle()));
  // Moving to another button moves a shown hint there at once.
  const TPoint prior = CentreOf(nbkPrior);
  const TPoint prior_screen = host_->ClientToScreen(prior);
  SetCursorPos(prior_screen.X, prior_screen.Y);
  Send(WM_MOUSEMOVE, prior);
  ASSERT_NE(ViewInfo().HintWindow(), nullptr);
  EXPECT_EQ(ViewInfo().HintWindow()->Text(), "Prior record");
  const HWND hint = ViewInfo().HintWindow()->Handle();
  Send(WM_LBUTTONDOWN, prior, MK_LBUTTON);
  EXPECT_EQ(ViewInfo().HintWindow(), nullptr);
  EXPECT_FALSE(IsWindow(hint));
  Send(WM_LBUTTONUP, prior);
}

TEST_F(NavigatorTest, DefaultGlyphsAreDrawnAndGreyWhenDisabled) {
  // The "first" glyph has a black bar in its third column, rows 1 to 9.
  auto bar_pixel = [this](int32_t kind) {
    ViewInfo().Recalculate();
    const TRect bounds = ViewInfo().GetButtonInfo(Controls()->Buttons(kind))->Bounds;
    host_->Invalidate();
    host_->Update();
    const test_support::WindowPixels pixels = test_support::WindowPixels::Capture(host_->Handle());
    const int x0 = bounds.Left + (bounds.Width() - 12) / 2;
    const int y0 = bounds.Top + (bounds.Height() - 11) / 2;
    int black = 0;
    for (int y = 1; y <= 9; ++y)
      black += pixels.At(x0 + 2, y0 + y) == RGB(0, 0, 0) ? 1 : 0;
    return black;
  };
  source_.position = 2;
  host_->RefreshButtons();
  EXPECT_EQ(bar_pixel(nbkFirst), 9);
  source_.position = 0;
  host_->RefreshButtons();
  EXPECT_EQ(bar_pixel(nbkFirst), 0);
}

// --- a real table view as the data source ------------------------------------------

class TTableViewInfo : public TlxCustomGridViewInfo {
 public:
  static constexpr TClass kClass{"TTableViewInfo", &TlxCustomGridViewInfo::kClass,
                                 &ConstructInstance<TTableViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfo::TlxCustomGridViewInfo;
};

class TTableItem : public TlxCustomGridTableItem {
 public:
  static constexpr TClass kClass{"TTableItem", &TlxCustomGridTableItem::kClass, &ConstructInstance<TTableItem>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TTableItem(TComponent* owner) : TlxCustomGridTableItem(owner) {}
};

class TTableRecord : public TlxCustomGridRecord {
 public:
  static constexpr TClass kClass{"TTableRecord", &TlxCustomGridRecord::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecord::TlxCustomGridRecord;
  bool GetHasCells() const override { return true; }
  const TClass* GetViewInfoCacheItemClass() const override { return &TlxCustomGridViewInfoCacheItem::kClass; }
  const TClass* GetViewInfoClass() const override { return &TlxCustomGridViewInfo::kClass; }
};

class TTableViewData : public TlxCustomGridTableViewData {
 public:
  static constexpr TClass kClass{"TTableViewData", &TlxCustomGridTableViewData::kClass,
                                 &ConstructInstance<TTableViewData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewData::TlxCustomGridTableViewData;
  const TClass* GetRecordClass(const TlxRowInfo& /*row_info*/) const override { return &TTableRecord::kClass; }

 protected:
  std::unique_ptr<TlxCustomGridRecord> CreateRecordOfClass(const TClass* /*record_class*/, const TlxRowInfo& row_info,
                                                           int32_t index) override {
    return std::make_unique<TTableRecord>(this, row_info, index);
  }
};

class TTableView : public TlxCustomGridTableView {
 public:
  static constexpr TClass kClass{"TTableView", &TlxCustomGridTableView::kClass, &lxConstructGridView<TTableView>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TTableView(TComponent* owner) : TlxCustomGridTableView(owner) {}

  const TClass* GetItemClass() const override { return &TTableItem::kClass; }
  const TClass* GetControllerClass() const override { return &TlxCustomGridController::kClass; }
  const TClass* GetDataControllerClass() const override { return &TlxGridDataController::kClass; }
  const TClass* GetPainterClass() const override { return &TlxCustomGridPainter::kClass; }
  const TClass* GetViewDataClass() const override { return &TTableViewData::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &grid_test_view::TTestViewInfoCache::kClass; }
  const TClass* GetViewInfoClass() const override { return &TTableViewInfo::kClass; }
};

TEST(NavigatorOnTableViewTest, ClicksMoveTheFocusedRecordAndTheStatesFollow) {
  TForm* form = new TForm(nullptr);
  form->SetBounds(40, 40, 420, 320);
  auto* grid = new TlxGrid(form);
  grid->SetParent(form);
  grid->SetBounds(10, 10, 300, 200);
  TTableView* view = lxCreateGridView<TTableView>(form);
  view->SetParentComponent(grid);
  auto* level = new TlxGridLevel(form);
  level->SetParentComponent(grid);
  level->SetGridView(view);
  TlxCustomGridTableItem* item = view->CreateItem();
  item->DataBinding()->SetValueTypeClass(lxValueTypeClass<TlxIntegerValueType>());
  {
    TlxCustomDataController* controller = view->DataController();
    TUpdateScope update(*controller);
    for (int32_t i = 0; i < 3; ++i)
      controller->SetValue(controller->AppendRecord(), item->Index(), Variant(i));
  }
  view->DataController()->ChangeFocusedRowIndex(0);
  view->NavigatorButtons()->OnGetDataSource = [view](TlxCustomNavigatorButtons*) -> IlxNavigator* { return view; };
  auto* host = new TNavigatorHost(form, view->NavigatorButtons());
  host->SetParent(form);
  host->SetBounds(10, 220, 400, 24);
  form->Show();
  test_support::PumpMessagesUntilIdle();

  TlxNavigatorViewInfo& info = *host->view_info;
  info.Recalculate();
  auto centre = [&](int32_t kind) {
    const TRect r = info.GetButtonInfo(view->NavigatorButtons()->Buttons(kind))->Bounds;
    return MAKELPARAM((r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2);
  };
  EXPECT_FALSE(info.GetButtonInfo(view->NavigatorButtons()->Buttons(nbkPrior))->Enabled);
  SendMessageW(host->Handle(), WM_MOUSEMOVE, 0, centre(nbkNext));
  SendMessageW(host->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, centre(nbkNext));
  SendMessageW(host->Handle(), WM_LBUTTONUP, 0, centre(nbkNext));
  EXPECT_EQ(view->DataController()->FocusedRowIndex(), 1);
  // The host refreshed the states after the action.
  EXPECT_TRUE(info.GetButtonInfo(view->NavigatorButtons()->Buttons(nbkPrior))->Enabled);
  SendMessageW(host->Handle(), WM_MOUSEMOVE, 0, centre(nbkLast));
  SendMessageW(host->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, centre(nbkLast));
  SendMessageW(host->Handle(), WM_LBUTTONUP, 0, centre(nbkLast));
  EXPECT_EQ(view->DataController()->FocusedRowIndex(), 2);
  EXPECT_FALSE(info.GetButtonInfo(view->NavigatorButtons()->Buttons(nbkNext))->Enabled);

  form->Free();
  test_support::PumpMessagesUntilIdle();
  lxFreeEditDataRegisteredRepositoryItems();
  lxFreeDefaultEditRepository();
}

}  // namespace grid_navigator_win_test
