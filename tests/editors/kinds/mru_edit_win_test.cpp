#include "editors/kinds/mru_edit_win.h"

#include <gtest/gtest.h>

#include <vector>

#include "editors/edit_repository.h"
#include "editors/editors_module_win.h"
#include "editors/filter_edit_helper.h"
#include "platform/rtl/locale.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace mru_edit_win_test {

using test_support::PumpMessagesUntilIdle;

class MRUEditForm {
 public:
  MRUEditForm() {
    lxEditorsInitialize();
    lxMRUEditModuleStart();
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 420, 300);
    edit = new TlxMRUEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 200, 24);
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    PumpMessagesUntilIdle();
  }
  ~MRUEditForm() {
    form->Free();
    PumpMessagesUntilIdle();
    lxMRUEditModuleEnd();
  }
  MRUEditForm(const MRUEditForm&) = delete;
  MRUEditForm& operator=(const MRUEditForm&) = delete;

  void Enter(const std::string& text) {
    edit->SelectAll();
    test_support::SendKey(GetFocus(), VK_DELETE);
    test_support::SendText(GetFocus(), text);
    test_support::SendKey(GetFocus(), VK_RETURN);
    PumpMessagesUntilIdle();
  }
  std::string Items() const { return edit->GetProperties()->LookupItems()->CommaText(); }

  TScopedLocale german{"de-DE"};
  TForm* form;
  TlxMRUEdit* edit;
};

TEST(MRUEditTest, IsRegisteredWithTheTextFilterHelperAndHasAnEllipsisButton) {
  MRUEditForm fixture;
  EXPECT_EQ(lxGetRegisteredEditProperties().FindByClassName("TlxMRUEditProperties"), &TlxMRUEditProperties::kClass);
  TlxFilterEditHelperClass helper = lxGetFilterEditsController().FindHelperClass(&TlxMRUEditProperties::kClass);
  ASSERT_NE(helper, nullptr);
  EXPECT_EQ(helper->GetValueEditorClass(), &TlxTextEdit::kClass);

  TlxMRUEditProperties* properties = fixture.edit->GetProperties();
  ASSERT_EQ(properties->Buttons()->Count(), 2);
  EXPECT_EQ(properties->Buttons()->GetButton(0)->Kind(), bkDown);
  EXPECT_EQ(properties->Buttons()->GetButton(1)->Kind(), bkEllipsis);
  EXPECT_TRUE(properties->Buttons()->GetButton(1)->Default());
  EXPECT_EQ(properties->DropDownListStyle(), lsEditList);
  EXPECT_TRUE(properties->MRUMode());
  properties->SetMaxItemCount(-5);
  EXPECT_EQ(properties->MaxItemCount(), 0);
  properties->SetShowEllipsis(false);
  EXPECT_FALSE(properties->Buttons()->GetButton(1)->Visible());
  EXPECT_EQ(properties->GlyphButtonIndex(), 0) << "the glyph goes to the drop-down button";
  properties->SetShowEllipsis(true);
  EXPECT_TRUE(properties->Buttons()->GetButton(1)->Visible());
  EXPECT_EQ(properties->GlyphButtonIndex(), 1);
}

TEST(MRUEditTest, EnterPutsTheTextOnTopAndTheLimitDropsTheOldest) {
  // The handlers' records outlive the form, which may still commit a text
  // while it goes.
  std::vector<int32_t> deleted;
  std::vector<std::string> new_texts;
  MRUEditForm fixture;
  TlxMRUEditProperties* properties = fixture.edit->GetProperties();
  properties->SetMaxItemCount(3);
  properties->OnDeleteLookupItem = [&deleted](TlxCustomMRUEditProperties*, int32_t index) {
    deleted.push_back(index);
  };
  properties->OnNewLookupDisplayText = [&new_texts](TObject*, const std::string& text) {
    new_texts.push_back(text);
  };
  for (const char* text : {"A", "B", "C", "D"})
    fixture.Enter(text);
  EXPECT_EQ(fixture.Items(), "D,C,B");
  EXPECT_EQ(deleted, std::vector<int32_t>{3});
  EXPECT_EQ(new_texts.size(), 4u);
  fixture.Enter("c");
  EXPECT_EQ(fixture.Items(), "C,D,B") << "an existing item moves up keeping its spelling";
  EXPECT_EQ(new_texts.size(), 4u) << "no notice for a known text";
}

TEST(MRUEditTest, AnItemPickedInTheListMovesToTheTop) {
  MRUEditForm fixture;
  for (const char* text : {"Anna", "Bert", "Carl"})
    fixture.Enter(text);
  ASSERT_EQ(fixture.Items(), "Carl,Bert,Anna");
  fixture.edit->DropDown();
  PumpMessagesUntilIdle();
  ASSERT_TRUE(fixture.edit->GetDroppedDown());
  test_support::InputKey(VK_DOWN);
  test_support::InputKey(VK_DOWN);
  test_support::InputKey(VK_RETURN);
  PumpMessagesUntilIdle();
  EXPECT_FALSE(fixture.edit->GetDroppedDown());
  EXPECT_EQ(fixture.edit->Text(), "Anna");
  EXPECT_EQ(fixture.Items(), "Anna,Carl,Bert");
}

TEST(MRUEditTest, OnlyTheEllipsisButtonFiresTheButtonEvent) {
  int clicks = 0;
  MRUEditForm fixture;
  fixture.edit->GetProperties()->OnButtonClick = [&clicks](TObject* sender) {
    EXPECT_NE(dynamic_cast<TlxMRUEdit*>(sender), nullptr);
    ++clicks;
  };
  fixture.edit->FireButtonClick(0);
  EXPECT_EQ(clicks, 0);
  fixture.edit->FireButtonClick(1);
  EXPECT_EQ(clicks, 1);
  test_support::InputKey(VK_RETURN, false, true);
  PumpMessagesUntilIdle();
  EXPECT_EQ(clicks, 2) << "Ctrl+Enter clicks the default (ellipsis) button";
}

TEST(MRUEditTest, AColumnGetsTheListBackFromItsInplaceEditor) {
  TlxMRUEditProperties column(nullptr);
  TlxMRUEditProperties inplace(nullptr);
  inplace.AddItem("eins");
  inplace.AddItem("zwei");
  inplace.PropagateTo(&column);
  EXPECT_EQ(column.LookupItems()->CommaText(), "zwei,eins");
  TlxMRUEditProperties copy(nullptr);
  inplace.SetMaxItemCount(4);
  inplace.SetShowEllipsis(false);
  copy.Assign(&inplace);
  EXPECT_EQ(copy.MaxItemCount(), 4);
  EXPECT_FALSE(copy.ShowEllipsis());
}

}  // namespace mru_edit_win_test
