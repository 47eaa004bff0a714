#include "editors/drop_down_edit_win.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>
#include <vector>

#include "editors/editors_module_win.h"
#include "editors/popup_hooks_win.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/form.h"
#include "tests/editors/drop_down_form_fixture_win.h"
#include "tests/support/gui_objects.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace drop_down_edit_test {

using drop_down_fixture::Click;
using drop_down_fixture::InputMouse;
using test_support::PumpMessagesUntilIdle;

// A drop-down kind whose popup content is a fixed 100 x 60.
class TestDropDownEdit : public TlxCustomDropDownEdit {
 public:
  static constexpr TClass kClass{"TTestDropDownEdit", &TlxCustomDropDownEdit::kClass,
                                 &ConstructInstance<TestDropDownEdit>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TestDropDownEdit(TComponent* owner) : TlxCustomDropDownEdit(owner, TlxCustomDropDownEditProperties::kClass) {}

  TSize CalculatePopupContentSize() override { return TSize{100, 60}; }
  bool CanDropDown() override { return can_drop_down; }

  bool can_drop_down = true;
};

// Records every event of the opening and closing protocol.
class DropDownForm : public drop_down_fixture::DropDownForm<TestDropDownEdit> {
 public:
  DropDownForm() {
    TlxCustomDropDownEditProperties* p = Properties();
    p->OnInitPopup = [this](TObject*) { log.push_back("init"); };
    p->OnPopup = [this](TObject*) { log.push_back("popup"); };
    p->OnFinalizePopup = [this](TObject*) { log.push_back("finalize"); };
    p->OnClosePopup = [this](TObject*, int32_t reason) { log.push_back("close " + std::to_string(reason)); };
    p->OnCloseUp = [this](TObject*) { log.push_back("closeup"); };
    ShowFocused();
  }

  TlxCustomDropDownEditProperties* Properties() const {
    return static_cast<TlxCustomDropDownEditProperties*>(edit->Properties());
  }
};

using Log = std::vector<std::string>;

TEST(DropDownEditTest, F4OpensAndClosesWithTheToggleReason) {
  DropDownForm fixture;
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"init", "popup"}));
  TlxCustomEditPopupWindow* popup = fixture.edit->PopupWindow();
  const TPoint origin = fixture.form->ClientToScreen(TPoint(0, 0));
  const TRect owner = fixture.edit->GetPopupOwnerBounds().Offset(origin.X, origin.Y);
  EXPECT_GE(owner.Bottom, origin.Y + 10 + 20) << "the editor's frame, not its parent's origin";
  EXPECT_EQ(popup->Top(), owner.Bottom) << "below the editor";
  EXPECT_EQ(popup->Left(), owner.Left);
  fixture.Key(VK_F4);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"finalize", "close 2", "closeup"}));
  EXPECT_EQ(fixture.edit->CloseUpReason(), crClose);
}

TEST(DropDownEditTest, AltArrowsToggleToo) {
  DropDownForm fixture;
  fixture.Key(VK_DOWN, true);
  ASSERT_TRUE(fixture.Open());
  fixture.Key(VK_UP, true);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.edit->CloseUpReason(), crClose);
}

TEST(DropDownEditTest, EscClosesWithoutReachingTheFormsCancelButton) {
  DropDownForm fixture;
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  fixture.TakeLog();
  fixture.Key(VK_ESCAPE);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"finalize", "close 3", "closeup"})) << "the cancel button saw nothing";
}

TEST(DropDownEditTest, EnterAcceptsButNotWhenReadOnly) {
  {
    DropDownForm fixture;
    fixture.Properties()->SetImmediatePost(true);
    fixture.Key(VK_F4);
    ASSERT_TRUE(fixture.Open());
    fixture.Key(VK_RETURN);
    EXPECT_FALSE(fixture.Open());
    EXPECT_EQ(fixture.edit->CloseUpReason(), crEnter);
  }
  {
    DropDownForm fixture;
    fixture.Properties()->SetImmediatePost(true);
    fixture.Properties()->SetReadOnly(true);
    fixture.Key(VK_F4);
    ASSERT_TRUE(fixture.Open());
    fixture.Key(VK_RETURN);
    EXPECT_FALSE(fixture.Open());
    EXPECT_EQ(fixture.edit->CloseUpReason(), crCancel) << "the value cannot change";
  }
}

TEST(DropDownEditTest, TabAcceptsOnlyWithPostPopupValueOnTab) {
  DropDownForm fixture;
  fixture.Properties()->SetPostPopupValueOnTab(true);
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  fixture.Key(VK_TAB);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.edit->CloseUpReason(), crTab);
}

TEST(DropDownEditTest, TheButtonOpensAndAPressOnItWhileOpenClosesWithoutReopening) {
  DropDownForm fixture;
  Click(fixture.edit->Handle(), fixture.ButtonCenter());
  ASSERT_TRUE(fixture.Open());
  fixture.TakeLog();
  Click(fixture.edit->Handle(), fixture.ButtonCenter());
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"finalize", "close 0", "closeup"}));
  // The next press opens again.
  Click(fixture.edit->Handle(), fixture.ButtonCenter());
  EXPECT_TRUE(fixture.Open());
}

TEST(DropDownEditTest, AnOutsideClickClosesAndStillReachesItsTarget) {
  DropDownForm fixture;
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  fixture.TakeLog();
  Click(fixture.target->Handle(), POINT{40, 12});
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"finalize", "close 0", "closeup", "target clicked"}));
}

TEST(DropDownEditTest, ActivatingAnotherProgramsWindowCloses) {
  DropDownForm fixture;
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  // A window of another thread counts as another program for activation.
  std::atomic<HWND> other{nullptr};
  std::atomic<bool> done{false};
  std::thread thread([&] {
    HWND window = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 400, 200, 100,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    other = window;
    MSG message;
    while (!done) {
      while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
      Sleep(5);
    }
    DestroyWindow(window);
  });
  test_support::PumpUntil([&] { return other.load() != nullptr; });
  SetForegroundWindow(other);
  test_support::PumpUntil([&] { return !fixture.Open(); }, 3000);
  EXPECT_FALSE(fixture.Open());
  done = true;
  thread.join();
  PumpMessagesUntilIdle();
  EXPECT_EQ(fixture.edit->CloseUpReason(), crUnknown);
}

TEST(DropDownEditTest, TypingALetterOpensThePopupOnlyWithImmediateDropDown) {
  for (const bool immediate : {true, false}) {
    DropDownForm fixture;
    fixture.Properties()->SetImmediateDropDown(immediate);
    fixture.Key('A');
    EXPECT_EQ(fixture.Open(), immediate) << immediate;
    EXPECT_EQ(fixture.edit->ShownText(), "a") << "the character is typed as well";
  }
}

TEST(DropDownEditTest, WithoutContentOnlyInitializationAndFinalizationRun) {
  DropDownForm fixture;
  fixture.edit->can_drop_down = false;
  fixture.Key(VK_F4);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"init", "finalize"}));
}

TEST(DropDownEditTest, AFailingInitPopupLeavesThePopupClosedAndNothingToFinalize) {
  DropDownForm fixture;
  fixture.Properties()->OnInitPopup = [](TObject*) { throw Exception("no list"); };
  EXPECT_THROW(fixture.edit->DropDown(), Exception);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.Open());
  fixture.edit->DoFinalizePopup();
  EXPECT_TRUE(fixture.TakeLog().empty()) << "no finalization without an initialization";
}

TEST(DropDownEditTest, APendingOpeningCancelledFinalizesOnce) {
  DropDownForm fixture;
  fixture.edit->DropDown();
  fixture.edit->SetDroppedDown(true);  // a show is waiting: nothing more
  fixture.edit->CancelPendingDropDown();
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(fixture.TakeLog(), (Log{"init", "finalize", "close 0", "closeup"}));
}

TEST(DropDownEditTest, PopupSettingsReachTheWindowAndWidthZeroIsTheEditorsWidth) {
  DropDownForm fixture;
  TlxCustomDropDownEditProperties* p = fixture.Properties();
  p->SetPopupAutoSize(false);
  p->SetPopupWidth(0);
  p->SetPopupHeight(90);
  p->SetPopupSizeable(true);
  p->SetPopupSysPanelStyle(true);
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  TlxCustomEditPopupWindow* popup = fixture.edit->PopupWindow();
  EXPECT_EQ(popup->Width(), fixture.edit->GetPopupOwnerBounds().Width());
  EXPECT_EQ(popup->Height(), 90);
  EXPECT_TRUE(popup->Sizeable());
  EXPECT_TRUE(popup->SysPanelStyle());
  EXPECT_FALSE(popup->GetViewInfo().SizeGripArea.IsEmpty());
}

TEST(DropDownEditTest, AUserSizedPopupKeepsItsSizeInTheProperties) {
  DropDownForm fixture;
  TlxCustomDropDownEditProperties* p = fixture.Properties();
  p->SetPopupSizeable(true);
  p->SetPopupSysPanelStyle(true);
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  TlxCustomEditPopupWindow* popup = fixture.edit->PopupWindow();
  const TRect grip = popup->GetViewInfo().SizeGripArea;
  const POINT start{(grip.Left + grip.Right) / 2, (grip.Top + grip.Bottom) / 2};
  const int32_t width = popup->Width();
  InputMouse(popup->Handle(), start, 0);
  InputMouse(popup->Handle(), start, MOUSEEVENTF_LEFTDOWN);
  InputMouse(popup->Handle(), POINT{start.x + 30, start.y + 20}, 0);
  InputMouse(popup->Handle(), POINT{start.x + 30, start.y + 20}, MOUSEEVENTF_LEFTUP);
  ASSERT_EQ(popup->Width(), width + 30);
  fixture.Key(VK_F4);
  EXPECT_FALSE(fixture.Open());
  EXPECT_EQ(p->PopupWidth(), width + 30);
  EXPECT_TRUE(fixture.edit->UserResizedPopup());
}

TEST(DropDownEditTest, KeepPressedDrawsTheButtonDownWhileOpen) {
  DropDownForm fixture;
  fixture.Properties()->SetKeepArrowButtonDownWhenPopup(true);
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  fixture.edit->RefreshViewNow();
  EXPECT_EQ(fixture.edit->GetViewInfo().Button(0).State, kLxButtonStatePressed);
  fixture.Key(VK_F4);
  fixture.edit->RefreshViewNow();
  EXPECT_NE(fixture.edit->GetViewInfo().Button(0).State, kLxButtonStatePressed);
}

TEST(DropDownEditTest, AUsableGlyphMakesAGlyphButton) {
  TlxCustomDropDownEditProperties properties(nullptr);
  TBitmap glyph;
  glyph.SetSize(8, 8);
  properties.SetButtonGlyph(&glyph);
  EXPECT_EQ(properties.Buttons()->GetButton(0)->Kind(), bkGlyph);
  properties.SetButtonGlyph(nullptr);
  EXPECT_EQ(properties.Buttons()->GetButton(0)->Kind(), bkDown);
  TBitmap empty;
  properties.SetButtonGlyph(&empty);
  EXPECT_EQ(properties.Buttons()->GetButton(0)->Kind(), bkDown) << "an empty bitmap is no glyph";
}

TEST(DropDownEditTest, OpenCloseCyclesGiveBackTheirHandles) {
  DropDownForm fixture;
  fixture.Key(VK_F4);
  fixture.Key(VK_F4);
  const DWORD gdi = test_support::CountGdiObjects();
  const DWORD user = test_support::CountUserObjects();
  for (int i = 0; i < 5; ++i) {
    fixture.Key(VK_F4);
    ASSERT_TRUE(fixture.Open());
    fixture.Key(VK_ESCAPE);
  }
  EXPECT_EQ(test_support::CountGdiObjects(), gdi);
  EXPECT_EQ(test_support::CountUserObjects(), user);
}

TEST(DropDownEditTest, DestroyingTheEditorWithItsPopupOpenClosesIt) {
  DropDownForm fixture;
  fixture.Key(VK_F4);
  ASSERT_TRUE(fixture.Open());
  delete fixture.edit;
  fixture.edit = nullptr;
  PumpMessagesUntilIdle();
  EXPECT_TRUE(lxShownPopups().empty());
}

}  // namespace drop_down_edit_test
