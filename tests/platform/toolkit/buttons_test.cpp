#include "platform/toolkit/buttons.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "tests/platform/toolkit/message_dialog_test.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace {

using test_support::SendClick;
using test_support::SendKey;

class ButtonsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 360, 260);
    edit_ = new TEdit(form_);
    edit_->SetParent(form_);
    edit_->SetBounds(10, 10, 150, 24);
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override { form_->Free(); }

  template <class T>
  T* Add(const std::string& caption, int32_t top) {
    auto* control = new T(form_);
    control->SetParent(form_);
    control->SetBounds(10, top, 120, 24);
    control->SetCaption(caption);
    control->OnClick = [this, control](TObject*) { clicks_.push_back(control->Caption()); };
    return control;
  }

  // A key as the keyboard sends it to the focused window, through the
  // program's message loop.
  void PostKey(UINT message, WPARAM key, LPARAM key_data = 1) {
    PostMessageW(GetFocus(), message, key, key_data);
    Application->ProcessMessages();
  }

  TForm* form_ = nullptr;
  TEdit* edit_ = nullptr;
  std::vector<std::string> clicks_;
};

TEST_F(ButtonsTest, ButtonClicksByMouseSpaceAndMnemonic) {
  TButton* save = Add<TButton>("&Speichern", 50);
  SendClick(save->Handle(), POINT{20, 10});
  EXPECT_EQ(clicks_, (std::vector<std::string>{"&Speichern"}));  // once, not twice
  save->SetFocus();
  SendKey(save->Handle(), VK_SPACE);
  EXPECT_EQ(clicks_.size(), 2u);

  edit_->SetFocus();
  constexpr LPARAM kAltDown = LPARAM{1} << 29;
  PostKey(WM_SYSCHAR, 's', 1 | kAltDown);
  EXPECT_EQ(clicks_.size(), 3u);
  PostKey(WM_SYSCHAR, 'x', 1 | kAltDown);  // no button has it
  EXPECT_EQ(clicks_.size(), 3u);
  save->SetEnabled(false);
  PostKey(WM_SYSCHAR, 's', 1 | kAltDown);
  EXPECT_EQ(clicks_.size(), 3u);

  EXPECT_TRUE(IsAccel(u'S', "&Speichern"));
  EXPECT_FALSE(IsAccel(u'S', "&&Speichern"));
  EXPECT_TRUE(IsAccel(u'ö', "L&öschen"));
  EXPECT_FALSE(IsAccel(u'a', "ohne"));
}

TEST_F(ButtonsTest, EnterAndEscapeReachDefaultAndCancelButtons) {
  TButton* ok = Add<TButton>("OK", 50);
  TButton* cancel = Add<TButton>("Abbrechen", 80);
  ok->SetDefault(true);
  ok->SetModalResult(mrOk);
  cancel->SetCancel(true);
  cancel->SetModalResult(mrCancel);
  EXPECT_NE(GetWindowLongPtrW(ok->Handle(), GWL_STYLE) & BS_DEFPUSHBUTTON, 0);

  edit_->SetFocus();
  PostKey(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks_, (std::vector<std::string>{"OK"}));
  EXPECT_EQ(form_->ModalResult(), mrOk);
  PostKey(WM_KEYDOWN, VK_ESCAPE);
  EXPECT_EQ(clicks_, (std::vector<std::string>{"OK", "Abbrechen"}));
  EXPECT_EQ(form_->ModalResult(), mrCancel);

  // A focused button takes Enter itself.
  cancel->SetFocus();
  PostKey(WM_KEYDOWN, VK_RETURN);
  EXPECT_EQ(clicks_.back(), "Abbrechen");
  form_->SetModalResult(mrNone);
}

TEST_F(ButtonsTest, ModalResultClosesAModalForm) {
  auto* dialog = new TForm(nullptr);
  dialog->SetBounds(100, 100, 200, 120);
  dialog->SetCaption("Modal");
  auto* ok = new TButton(dialog);
  ok->SetParent(dialog);
  ok->SetCaption("OK");
  ok->SetModalResult(mrOk);
  toolkit_test::RunWhileModal([ok] {
    if (!ok->HandleAllocated() || !IsWindowVisible(ok->WindowHandle()))
      return false;
    PostMessageW(ok->WindowHandle(), BM_CLICK, 0, 0);
    return true;
  });
  EXPECT_EQ(dialog->ShowModal(), mrOk);
  dialog->Free();
}

TEST_F(ButtonsTest, CheckBoxStates) {
  TCheckBox* box = Add<TCheckBox>("&Aktiv", 50);
  const auto shown_state = [box] { return SendMessageW(box->Handle(), BM_GETCHECK, 0, 0); };
  SendClick(box->Handle(), POINT{5, 8});
  EXPECT_TRUE(box->Checked());
  EXPECT_EQ(shown_state(), BST_CHECKED);
  SendClick(box->Handle(), POINT{5, 8});
  EXPECT_EQ(box->State(), cbUnchecked);
  box->SetAllowGrayed(true);
  SendClick(box->Handle(), POINT{5, 8});
  EXPECT_EQ(box->State(), cbGrayed);
  EXPECT_EQ(shown_state(), BST_INDETERMINATE);
  SendClick(box->Handle(), POINT{5, 8});
  EXPECT_EQ(box->State(), cbChecked);
  EXPECT_EQ(clicks_.size(), 4u);

  box->SetChecked(false);  // the program's change fires OnClick too
  EXPECT_EQ(clicks_.size(), 5u);
  box->SetChecked(false);
  EXPECT_EQ(clicks_.size(), 5u);

  box->SetState(cbGrayed);
  box->SetAlignment(taLeftOfText);  // a new window keeps the state
  EXPECT_EQ(shown_state(), BST_INDETERMINATE);
  EXPECT_NE(GetWindowLongPtrW(box->Handle(), GWL_STYLE) & BS_LEFTTEXT, 0);

  edit_->SetFocus();
  PostKey(WM_SYSCHAR, 'a', 1 | (LPARAM{1} << 29));
  EXPECT_EQ(box->State(), cbChecked);
}

TEST_F(ButtonsTest, RadioButtonsUncheckTheirSiblings) {
  TRadioButton* first = Add<TRadioButton>("Erster", 50);
  TRadioButton* second = Add<TRadioButton>("Zweiter", 80);
  auto* elsewhere_form = new TForm(nullptr);
  auto* elsewhere = new TRadioButton(elsewhere_form);
  elsewhere->SetParent(elsewhere_form);
  elsewhere->SetChecked(true);

  SendClick(first->Handle(), POINT{5, 8});
  EXPECT_TRUE(first->Checked());
  SendClick(second->Handle(), POINT{5, 8});
  EXPECT_TRUE(second->Checked());
  EXPECT_FALSE(first->Checked());
  EXPECT_EQ(SendMessageW(first->Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);
  EXPECT_TRUE(elsewhere->Checked());  // another parent, another group
  EXPECT_EQ(clicks_, (std::vector<std::string>{"Erster", "Zweiter"}));
  SendClick(second->Handle(), POINT{5, 8});  // clicking a checked one changes nothing
  EXPECT_EQ(clicks_.size(), 2u);
  first->SetChecked(true);
  EXPECT_FALSE(second->Checked());
  elsewhere_form->Free();
}

TEST(ButtonsLeakTest, ManyButtonsLeaveNoHandlesBehind) {
  toolkit_test::ExpectNoHandleLeaks(1000, [] {
    auto* form = new TForm(nullptr);
    form->SetBounds(0, 0, 200, 200);
    auto* button = new TButton(form);
    button->SetParent(form);
    button->SetDefault(true);
    auto* box = new TCheckBox(form);
    box->SetParent(form);
    box->SetChecked(true);
    auto* radio = new TRadioButton(form);
    radio->SetParent(form);
    radio->SetChecked(true);
    form->HandleNeeded();
    form->Free();
  });
}

}  // namespace
