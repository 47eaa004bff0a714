#include "platform/toolkit/label.h"

#include <gtest/gtest.h>

#include "platform/toolkit/application.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"

namespace {

TEST(LabelTest, SizesToTheTextAndFocusesItsControl) {
  auto* form = new TForm(nullptr);
  form->SetBounds(40, 40, 300, 200);
  auto* label = new TLabel(form);
  label->SetParent(form);
  label->SetBounds(10, 10, 10, 10);
  label->SetCaption("&Name:");
  const int32_t short_width = label->Width();
  EXPECT_GT(short_width, 10);
  EXPECT_GT(label->Height(), 5);
  label->SetCaption("&Name of the saved selection:");
  EXPECT_GT(label->Width(), short_width);

  label->SetAutoSize(false);
  label->SetCaption("x");
  EXPECT_GT(label->Width(), short_width);  // kept

  auto* other = new TEdit(form);
  other->SetParent(form);
  other->SetBounds(10, 80, 100, 24);
  auto* edit = new TEdit(form);
  edit->SetParent(form);
  edit->SetBounds(10, 40, 100, 24);
  label->SetCaption("&Name:");
  label->SetFocusControl(edit);
  form->Show();
  test_support::PumpMessagesUntilIdle();
  other->SetFocus();
  PostMessageW(GetFocus(), WM_SYSCHAR, 'n', 1 | (LPARAM{1} << 29));
  Application->ProcessMessages();
  EXPECT_TRUE(edit->Focused());

  delete edit;  // the label lets go of a freed control
  EXPECT_EQ(label->FocusControl(), nullptr);
  form->Free();
}

}  // namespace
