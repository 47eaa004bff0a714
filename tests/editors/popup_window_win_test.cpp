#include "editors/popup_window_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "editors/edit_style_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/toolkit/form.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"

namespace {

using test_support::PumpMessagesUntilIdle;
using test_support::PumpUntil;

// A windowed control that remembers its presses and the system keys it got.
class RecordingControl : public TlxControl {
 public:
  using TlxControl::TlxControl;
  std::vector<UINT> messages;

 protected:
  void WndProc(TMessage& message) override {
    if (message.Msg == WM_LBUTTONDOWN || message.Msg == WM_SYSKEYDOWN || message.Msg == WM_RBUTTONDOWN)
      messages.push_back(message.Msg);
    TlxControl::WndProc(message);
  }
};

// A popup that claims presses on its owner when told to.
class ClaimingPopup : public TlxCustomPopupWindow {
 public:
  using TlxCustomPopupWindow::TlxCustomPopupWindow;
  bool claim = false;
  int32_t owner_presses = 0;
  std::vector<std::string> events;

  bool HandleOwnerMouseDown(HWND, UINT, const TPoint&, TShiftState) override {
    ++owner_presses;
    return claim;
  }
  void FireShowing() override { events.push_back("showing"); }
  void FireShowed() override { events.push_back("shown"); }
  void FireClosing(int32_t) override { events.push_back("closing"); }
  void FireClosed(int32_t) override { events.push_back("closed"); }
};

// A form at (100, 100) with an owner container and another control; a
// popup of 80 x 60 opens below the owner.
class PopupFixture {
 public:
  PopupFixture() {
    lxContainerInitialize();
    lxGetDefaultEditStyleController();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 320, 240);
    owner = new TlxContainer(form);
    owner->SetParent(form);
    owner->SetBounds(10, 10, 120, 24);
    other = new RecordingControl(form);
    other->SetParent(form);
    other->SetBounds(10, 150, 100, 40);
    form->Show();
    PumpMessagesUntilIdle();
  }
  ~PopupFixture() {
    delete popup;
    if (form != nullptr)
      form->Free();
    PumpMessagesUntilIdle();
    lxFreeDefaultEditStyleController();
    lxContainerFinalize();
  }
  PopupFixture(const PopupFixture&) = delete;
  PopupFixture& operator=(const PopupFixture&) = delete;

  ClaimingPopup* MakePopup(bool captures_focus) {
    popup = new ClaimingPopup(owner);
    popup->AutoSizeToChildren = false;
    popup->SetBounds(0, 0, 80, 60);
    popup->OwnerRect = TRect(0, 0, owner->Width(), owner->Height());
    popup->ChangeFocusCapture(captures_focus);
    popup->SetModalLoop(false);
    return popup;
  }

  // Opens the popup and lets the system settle.
  void Open() {
    popup->ShowPopupFocused(nullptr);
    PumpMessagesUntilIdle();
  }

  bool Shown() const { return lxIsShownPopup(popup); }

  TForm* form;
  TlxContainer* owner;
  RecordingControl* other;
  ClaimingPopup* popup = nullptr;
};

TEST(PopupWindowTest, HooksAreInstalledOnlyWhileAPopupIsShownOrTheLockHeld) {
  PopupFixture fixture;
  EXPECT_FALSE(lxPopupHooksInstalled());
  fixture.MakePopup(false);
  EXPECT_FALSE(lxPopupHooksInstalled()) << "creating the window";
  fixture.popup->HandleNeeded();
  EXPECT_FALSE(lxPopupHooksInstalled()) << "after creating the window";
  fixture.Open();
  ASSERT_TRUE(fixture.Shown());
  EXPECT_TRUE(lxPopupHooksInstalled());
  fixture.popup->ClosePopup();
  EXPECT_FALSE(fixture.Shown());
  EXPECT_FALSE(lxPopupHooksInstalled());

  lxChangePopupActivationLock(true);
  EXPECT_TRUE(lxPopupHooksInstalled());
  lxChangePopupActivationLock(false);
  EXPECT_FALSE(lxPopupHooksInstalled());
  lxChangePopupActivationLock(false);  // never below zero
  lxChangePopupActivationLock(true);
  EXPECT_TRUE(lxPopupHooksInstalled());
  lxChangePopupActivationLock(false);
  EXPECT_FALSE(lxPopupHooksInstalled());
}

TEST(PopupWindowTest, ShowAndCloseRunTheNotificationsInOrderAndPlaceThePopupBelowTheOwner) {
  PopupFixture fixture;
  fixture.MakePopup(false);
  fixture.Open();
  ASSERT_TRUE(fixture.Shown());
  EXPECT_TRUE(IsWindowVisible(fixture.popup->Handle()));
  RECT window{};
  GetWindowRect(fixture.popup->Handle(), &window);
  const TPoint owner_origin = fixture.owner->ClientToScreen(TPoint(0, 0));
  EXPECT_EQ(window.left, owner_origin.X);
  EXPECT_EQ(window.top, owner_origin.Y + 24);
  // A non-activating popup leaves the activation where it was.
  EXPECT_EQ(GetActiveWindow(), fixture.form->Handle());

  fixture.popup->ShowPopupFocused(nullptr);  // already shown: nothing
  fixture.popup->ClosePopup();
  fixture.popup->ClosePopup();  // not shown: nothing
  EXPECT_EQ(fixture.popup->events, (std::vector<std::string>{"showing", "shown", "closing", "closed"}));
  EXPECT_FALSE(IsWindowVisible(fixture.popup->Handle()));
}

TEST(PopupWindowTest, AnOwnerThatIsNotShownOpensNoPopup) {
  PopupFixture fixture;
  fixture.MakePopup(false);
  fixture.owner->SetVisible(false);
  fixture.Open();
  EXPECT_FALSE(fixture.Shown());
  EXPECT_TRUE(fixture.popup->events.empty());
}

TEST(PopupWindowTest, AClickOutsideClosesThePopupAndStillReachesItsTarget) {
  PopupFixture fixture;
  fixture.MakePopup(false);
  fixture.Open();
  ASSERT_TRUE(fixture.Shown());
  test_support::InputClick(fixture.other->Handle(), POINT{20, 20});
  EXPECT_TRUE(PumpUntil([&] { return !fixture.Shown(); }));
  PumpUntil([&] { return !fixture.other->messages.empty(); }, 2000);
  ASSERT_FALSE(fixture.other->messages.empty());
  EXPECT_EQ(fixture.other->messages.front(), static_cast<UINT>(WM_LBUTTONDOWN));
  EXPECT_FALSE(lxPopupHooksInstalled());
}

TEST(PopupWindowTest, AClickInsideThePopupKeepsItOpen) {
  PopupFixture fixture;
  fixture.MakePopup(false);
  fixture.Open();
  test_support::InputClick(fixture.popup->Handle(), POINT{30, 30});
  PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.Shown());
}

TEST(PopupWindowTest, AClaimedClickOnTheOwnerClosesWithoutReopeningAndAnUnclaimedOneJustCloses) {
  struct Case {
    bool claim;
    bool closed_by_owner_click;
  };
  for (const Case& c : {Case{true, true}, Case{false, false}}) {
    PopupFixture fixture;
    fixture.MakePopup(false);
    fixture.popup->claim = c.claim;
    fixture.Open();
    test_support::InputClick(fixture.owner->Handle(), POINT{30, 10});
    EXPECT_TRUE(PumpUntil([&] { return !fixture.Shown(); })) << c.claim;
    EXPECT_EQ(fixture.popup->owner_presses, 1) << c.claim;
    EXPECT_EQ(fixture.popup->ClosedByOwnerClick(), c.closed_by_owner_click) << c.claim;
  }
}

TEST(PopupWindowTest, HidingTheOwnerClosesItsPopupAndEveryNewerOne) {
  PopupFixture fixture;
  fixture.MakePopup(false);
  auto* first_content = new TlxContainer(fixture.popup);
  first_content->SetParent(fixture.popup);
  first_content->SetBounds(5, 5, 60, 20);
  fixture.Open();
  ClaimingPopup second(first_content);
  second.AutoSizeToChildren = false;
  second.SetBounds(0, 0, 50, 50);
  second.OwnerRect = TRect(0, 0, 60, 20);
  second.ChangeFocusCapture(false);
  second.SetModalLoop(false);
  second.ShowPopupFocused(nullptr);
  PumpMessagesUntilIdle();
  ASSERT_EQ(lxShownPopups().size(), 2u);

  // A click into the second popup keeps the first one open.
  test_support::InputClick(second.Handle(), POINT{10, 10});
  PumpMessagesUntilIdle();
  EXPECT_EQ(lxShownPopups().size(), 2u);

  ShowWindow(fixture.owner->Handle(), SW_HIDE);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.Shown());
  EXPECT_FALSE(lxIsShownPopup(&second));
  EXPECT_EQ(second.events.back(), "closed");
}

TEST(PopupWindowTest, ClosingOrDeactivatingTheOwnerFormClosesANonActivatingPopup) {
  for (UINT message : {static_cast<UINT>(WM_CLOSE), static_cast<UINT>(WM_ACTIVATEAPP)}) {
    PopupFixture fixture;
    fixture.MakePopup(false);
    fixture.form->OnCloseQuery = [](TObject*, bool& can_close) { can_close = false; };
    fixture.Open();
    ASSERT_TRUE(fixture.Shown());
    SendMessageW(fixture.form->Handle(), message, 0, 0);
    PumpMessagesUntilIdle();
    EXPECT_FALSE(fixture.Shown()) << message;
  }
}

TEST(PopupWindowTest, ANonActivatingPopupLetsOnlyPagingArrowsAndF4ThroughAsSystemKeys) {
  PopupFixture fixture;
  fixture.MakePopup(false);
  fixture.other->SetFocus();
  fixture.Open();
  // Alt+F4 last: it closes the form, and the popup with it.
  for (UINT key : {static_cast<UINT>('A'), static_cast<UINT>(VK_DOWN), static_cast<UINT>(VK_F5),
                   static_cast<UINT>(VK_F4)}) {
    fixture.other->messages.clear();
    PostMessageW(fixture.other->Handle(), WM_SYSKEYDOWN, key, 0x20000001);
    PumpMessagesUntilIdle();
    const bool reached = !fixture.other->messages.empty();
    EXPECT_EQ(reached, key == VK_DOWN || key == VK_F4) << key;
  }
  fixture.popup->ClosePopup();
  fixture.form->Show();
  PumpMessagesUntilIdle();
  fixture.other->messages.clear();
  PostMessageW(fixture.other->Handle(), WM_SYSKEYDOWN, 'A', 0x20000001);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.other->messages.empty()) << "no popup: nothing is dropped";
}

TEST(PopupWindowTest, AnActivatingPopupTakesTheFocusAndItsLoopEndsOnAModalResult) {
  PopupFixture fixture;
  fixture.MakePopup(true);
  fixture.popup->SetModalLoop(true);
  auto* inner = new TlxContainer(fixture.popup);
  inner->SetParent(fixture.popup);
  inner->SetBounds(5, 5, 60, 20);
  bool had_focus = false;
  test_support::RunWhileModal([&] {
    if (!fixture.Shown())
      return false;
    had_focus = inner->HandleAllocated() && (GetFocus() == inner->Handle());
    fixture.popup->SetModalResult(mrOk);
    return true;
  });
  fixture.popup->ShowPopupFocused(nullptr);  // returns once the loop ends
  EXPECT_TRUE(had_focus);
  EXPECT_FALSE(fixture.Shown());
  EXPECT_FALSE(lxPopupHooksInstalled());
}

TEST(PopupWindowTest, AFocusChangeInsideThePopupRunsUnderTheActivationLock) {
  PopupFixture fixture;
  fixture.MakePopup(true);
  auto* first = new TlxContainer(fixture.popup);
  first->SetParent(fixture.popup);
  first->SetBounds(5, 5, 60, 20);
  auto* second = new TlxContainer(fixture.popup);
  second->SetParent(fixture.popup);
  second->SetBounds(5, 30, 60, 20);
  std::vector<bool> locked_on_enter;
  second->OnEnter = [&](TObject*) { locked_on_enter.push_back(lxPopupActivationLocked()); };
  fixture.Open();
  ASSERT_TRUE(fixture.Shown());
  second->SetFocus();
  PumpMessagesUntilIdle();
  EXPECT_EQ(locked_on_enter, std::vector<bool>{true});
  EXPECT_FALSE(lxPopupActivationLocked());
  EXPECT_TRUE(fixture.Shown());
}

TEST(PopupWindowTest, APopupFreedInItsOwnLoopEndsTheLoopAndLeavesNoHandles) {
  PopupFixture fixture;
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  for (int round = 0; round < 3; ++round) {
    fixture.MakePopup(true)->SetModalLoop(true);
    ClaimingPopup* shown = fixture.popup;
    fixture.popup = nullptr;
    // The script frees the popup it sees listed.
    test_support::RunWhileModal([&] {
      if (!lxIsShownPopup(shown))
        return false;
      delete shown;
      return true;
    });
    shown->ShowPopupFocused(nullptr);
    EXPECT_TRUE(lxShownPopups().empty());
    EXPECT_FALSE(lxPopupHooksInstalled());
  }
  PumpMessagesUntilIdle();
  EXPECT_LE(test_support::CountGdiObjects(), gdi_before);
  EXPECT_LE(test_support::CountUserObjects(), user_before);
}

TEST(PopupWindowTest, AnOwnerFreedWhileThePopupIsOpenCausesNoFault) {
  PopupFixture fixture;
  fixture.MakePopup(false);
  fixture.Open();
  delete fixture.owner;
  fixture.owner = nullptr;
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.popup->OwnerControl(), nullptr);
  test_support::InputClick(fixture.other->Handle(), POINT{20, 20});
  PumpMessagesUntilIdle();
  fixture.popup->ClosePopup();
  EXPECT_FALSE(fixture.Shown());
  EXPECT_FALSE(lxPopupHooksInstalled());
}

// A form that remembers the caption activations it was sent.
class CaptionRecordingForm : public TForm {
 public:
  using TForm::TForm;
  std::vector<WPARAM> nc_activations;

  void WndProc(TMessage& message) override {
    if (message.Msg == WM_NCACTIVATE)
      nc_activations.push_back(message.WParam);
    TForm::WndProc(message);
  }
};

TEST(PopupWindowTest, TheOwnerFormKeepsAnActiveCaptionWhileThePopupIsOpenAndLosesItWithTheLastPopup) {
  lxContainerInitialize();
  lxGetDefaultEditStyleController();
  auto* form = new CaptionRecordingForm(nullptr);
  form->SetBounds(100, 100, 300, 200);
  auto* owner = new TlxContainer(form);
  owner->SetParent(form);
  owner->SetBounds(10, 10, 100, 24);
  auto* other_form = new TForm(nullptr);
  other_form->SetBounds(500, 100, 200, 150);
  form->Show();
  PumpMessagesUntilIdle();
  auto* popup = new ClaimingPopup(owner);
  popup->AutoSizeToChildren = false;
  popup->SetBounds(0, 0, 60, 40);
  popup->ChangeFocusCapture(false);
  popup->SetModalLoop(false);
  popup->ShowPopupFocused(nullptr);
  PumpMessagesUntilIdle();

  // Another form takes the activation: the owner form's caption stays.
  form->nc_activations.clear();
  other_form->Show();
  SetActiveWindow(other_form->Handle());
  PumpMessagesUntilIdle();
  for (WPARAM active : form->nc_activations)
    EXPECT_NE(active, static_cast<WPARAM>(FALSE)) << "swallowed while the popup is open";

  form->nc_activations.clear();
  popup->ClosePopup();
  PumpMessagesUntilIdle();
  ASSERT_FALSE(form->nc_activations.empty());
  EXPECT_EQ(form->nc_activations.front(), static_cast<WPARAM>(FALSE));

  delete popup;
  other_form->Free();
  form->Free();
  PumpMessagesUntilIdle();
  lxFreeDefaultEditStyleController();
  lxContainerFinalize();
}

TEST(PopupWindowTest, AsynchronousCloseClosesAndReopenShowsAgain) {
  PopupFixture fixture;
  fixture.MakePopup(false);
  fixture.Open();
  lxPostPopupClose(fixture.popup);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.Shown());
  PostMessageW(fixture.popup->Handle(), LX_POPUP_REOPEN, 0, 0);
  PumpMessagesUntilIdle();
  EXPECT_TRUE(fixture.Shown());
}

TEST(PopupWindowTest, RemovingPendingMessagesKeepsOthersAndPutsAQuitBack) {
  PopupFixture fixture;
  const HWND window = fixture.other->Handle();
  PumpMessagesUntilIdle();
  for (UINT message : {WM_USER + 1, WM_USER + 2, WM_USER + 1, WM_USER + 3})
    PostMessageW(window, message, 0, 0);
  EXPECT_TRUE(lxRemovePendingMessages(window, WM_USER + 1, WM_USER + 2, false));
  MSG message;
  ASSERT_TRUE(PeekMessageW(&message, window, WM_USER + 1, WM_USER + 3, PM_NOREMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 2)) << "only the first was removed";
  EXPECT_TRUE(lxRemovePendingMessages(window, WM_USER + 1, WM_USER + 2, true));
  ASSERT_TRUE(PeekMessageW(&message, window, WM_USER + 1, WM_USER + 3, PM_REMOVE));
  EXPECT_EQ(message.message, static_cast<UINT>(WM_USER + 3));
  EXPECT_FALSE(lxRemovePendingMessages(window, WM_USER + 1, WM_USER + 3, true));

  PostQuitMessage(7);
  EXPECT_FALSE(lxRemovePendingMessages(nullptr, 0, 0, true));
  ASSERT_TRUE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(message.wParam, 7u);
}

TEST(PopupWindowTest, TheFocusControlIsTheRequestedTabStopElseTheFirstElseThePopup) {
  PopupFixture fixture;
  fixture.MakePopup(true);
  EXPECT_EQ(lxPickPopupFocusControl(fixture.popup, nullptr), fixture.popup);
  auto* first = new TlxContainer(fixture.popup);
  first->SetParent(fixture.popup);
  auto* second = new TlxContainer(fixture.popup);
  second->SetParent(fixture.popup);
  fixture.popup->SetVisible(true);
  EXPECT_EQ(lxPickPopupFocusControl(fixture.popup, second), second);
  second->SetTabStop(false);
  EXPECT_EQ(lxPickPopupFocusControl(fixture.popup, second), first);
  fixture.popup->SetVisible(false);
}

}  // namespace
