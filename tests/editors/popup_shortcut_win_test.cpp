// Keys pressed inside an open popup still reach the shortcuts of the form
// the popup was opened from: a drop-down list must not make the form's menu
// deaf.

#include <gtest/gtest.h>

#include <windows.h>

#include <array>

#include "editors/edit_style_win.h"
#include "editors/popup_hooks_win.h"
#include "editors/popup_window_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/menus.h"
#include "tests/support/message_pump.h"

namespace popup_shortcut_win_test {

using test_support::PumpMessagesUntilIdle;

// Holds Ctrl down in this thread's key state, as the key messages of a
// real Ctrl press leave it.
class CtrlHeld {
 public:
  CtrlHeld() {
    GetKeyboardState(saved_.data());
    std::array<BYTE, 256> held = saved_;
    held[VK_CONTROL] = 0x80;
    held[VK_LCONTROL] = 0x80;
    SetKeyboardState(held.data());
  }
  ~CtrlHeld() { SetKeyboardState(saved_.data()); }
  CtrlHeld(const CtrlHeld&) = delete;
  CtrlHeld& operator=(const CtrlHeld&) = delete;

 private:
  std::array<BYTE, 256> saved_{};
};

// A form whose menu saves on Ctrl+S, with an owner control and an open
// popup that holds an edit with the focus.
class ShortCutFixture {
 public:
  ShortCutFixture() {
    lxContainerInitialize();
    lxGetDefaultEditStyleController();
    form = new TForm(nullptr);
    form->SetBounds(100, 100, 320, 240);
    menu = new TMainMenu(form);
    auto* file = new TMenuItem(form);
    file->SetCaption("&Datei");
    menu->Items().Add(file);
    auto* save = new TMenuItem(form);
    save->SetCaption("&Speichern");
    save->SetShortCut(ShortCut('S', {ssCtrl}));
    save->OnClick = [this](TObject*) { ++saves; };
    file->Add(save);
    SetFormMenu(*form, menu);
    owner = new TlxContainer(form);
    owner->SetParent(form);
    owner->SetBounds(10, 10, 120, 24);
    form->Show();
    PumpMessagesUntilIdle();

    popup = new TlxCustomPopupWindow(owner);
    popup->AutoSizeToChildren = false;
    popup->SetBounds(0, 0, 100, 60);
    popup->OwnerRect = TRect(0, 0, owner->Width(), owner->Height());
    popup->ChangeFocusCapture(true);
    popup->SetModalLoop(false);
    inner = new TEdit(popup);
    inner->SetParent(popup);
    inner->SetBounds(5, 5, 80, 20);
    popup->ShowPopupFocused(inner);
    PumpMessagesUntilIdle();
  }
  ~ShortCutFixture() {
    delete popup;
    form->Free();
    PumpMessagesUntilIdle();
    lxFreeDefaultEditStyleController();
    lxContainerFinalize();
  }
  ShortCutFixture(const ShortCutFixture&) = delete;
  ShortCutFixture& operator=(const ShortCutFixture&) = delete;

  // The key as the application's message loop hands it to the control
  // first; the answer is 1 when something took it as a shortcut.
  LRESULT PressWithCtrl(uint16_t key) {
    CtrlHeld ctrl;
    return inner->Perform(CN_KEYDOWN, key, 0);
  }

  TForm* form;
  TMainMenu* menu;
  TlxContainer* owner;
  TlxCustomPopupWindow* popup;
  TEdit* inner;
  int32_t saves = 0;
};

TEST(PopupShortCutTest, TheOwnerFormsMenuShortcutWorksFromInsideThePopup) {
  ShortCutFixture fixture;
  ASSERT_TRUE(lxIsShownPopup(fixture.popup));
  EXPECT_EQ(fixture.PressWithCtrl('S'), 1);
  EXPECT_EQ(fixture.saves, 1);
}

TEST(PopupShortCutTest, AKeyThatIsNoShortcutGoesOnToTheControl) {
  ShortCutFixture fixture;
  EXPECT_EQ(fixture.PressWithCtrl('Q'), 0);
  EXPECT_EQ(fixture.saves, 0);
}

}  // namespace popup_shortcut_win_test
