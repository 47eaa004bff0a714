// The button edit on a real form: its default ellipsis button and the
// click key, and buttons read back from a description replacing it.

#include <gtest/gtest.h>

#include <memory>

#include "editors/edit_style_types.h"
#include "editors/kinds/button_edit_win.h"
#include "editors/inner_text_edit_win.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/scope.h"
#include "tests/editors/edit_control_test_support_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace button_edit_win_test {

using edit_test::EditForm;

TEST(ButtonEditTest, CtrlEnterClicksTheDefaultEllipsis) {
  EditForm<TlxButtonEdit> fixture;
  TlxButtonEdit* edit = fixture.edit;
  ASSERT_EQ(edit->GetProperties()->Buttons()->Count(), 1);
  EXPECT_EQ(edit->GetProperties()->Buttons()->GetButton(0)->Kind(), bkEllipsis);
  int clicks = 0;
  int32_t clicked = -1;
  edit->GetProperties()->OnButtonClick = [&](TObject*, int32_t index) {
    ++clicks;
    clicked = index;
  };
  fixture.FocusEdit();
  test_support::InputKey(VK_RETURN, false, true);
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(clicked, 0);
}

TEST(ButtonEditTest, UsesTheButtonStyleValues) {
  EditForm<TlxButtonEdit> fixture;
  const TlxContainerStyleValues ignored = fixture.edit->GetIgnoredStyleValues();
  EXPECT_FALSE(ignored.Contains(esvButtonStyle));
  EXPECT_FALSE(ignored.Contains(esvButtonTransparency));
  EXPECT_FALSE(ignored.Contains(esvGradientButtons));
  EXPECT_TRUE(ignored.Contains(esvPopupBorderStyle));
  EXPECT_TRUE(ignored.Contains(esvGradient));
}

// Writes a button edit with `count` glyph buttons and reads it back.
std::unique_ptr<TlxButtonEdit> RoundTrip(int32_t count) {
  TlxButtonEdit written(nullptr);
  TlxEditButtons* buttons = written.GetProperties()->Buttons();
  buttons->Clear();
  for (int32_t i = 0; i < count; ++i)
    buttons->AddButton()->SetKind(bkGlyph);
  TMemoryStream stream;
  stream.WriteComponent(written);
  // The description holds the inner edit as a child.
  RegisterStreamableClass(TlxCustomInnerTextEdit::kClass);
  TScopeExit unregister([] { UnRegisterStreamableClass(TlxCustomInnerTextEdit::kClass); });
  auto read = std::make_unique<TlxButtonEdit>(nullptr);
  stream.SetPosition(0);
  stream.ReadComponent(read.get());
  return read;
}

TEST(ButtonEditTest, StoredButtonsReplaceTheDefaultOne) {
  for (int32_t count : {0, 1, 2}) {
    std::unique_ptr<TlxButtonEdit> read = RoundTrip(count);
    const TlxEditButtons* buttons = read->GetProperties()->Buttons();
    ASSERT_EQ(buttons->Count(), count) << count << " stored buttons";
    for (int32_t i = 0; i < count; ++i)
      EXPECT_EQ(buttons->GetButton(i)->Kind(), bkGlyph);
    EXPECT_TRUE(read->DefaultButtonsRemoved());
  }
}

TEST(ButtonEditTest, TheKindMakesAButtonEdit) {
  TlxButtonEditProperties properties(nullptr);
  EXPECT_EQ(properties.GetEditControlClass(), &TlxButtonEdit::kClass);
}

}  // namespace button_edit_win_test
