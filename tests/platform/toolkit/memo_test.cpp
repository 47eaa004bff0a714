#include "platform/toolkit/memo.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "platform/toolkit/clipboard.h"
#include "platform/toolkit/form.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"

namespace {

using test_support::SendText;

class MemoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(50, 50, 400, 300);
    memo_ = new TMemo(form_);
    memo_->SetParent(form_);
    memo_->SetBounds(10, 10, 300, 150);
    memo_->OnChange = [this](TObject*) { ++changes_; };
    form_->Show();
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override { form_->Free(); }

  std::string AllLines() {
    std::string joined;
    for (int32_t i = 0; i < memo_->Lines().Count(); ++i)
      joined += "[" + memo_->Lines()[i] + "]";
    return joined;
  }

  TForm* form_ = nullptr;
  TMemo* memo_ = nullptr;
  int changes_ = 0;
};

TEST_F(MemoTest, LinesEditTheControlsText) {
  TStrings& lines = memo_->Lines();
  EXPECT_EQ(lines.Count(), 0);
  lines.Add("erste");
  lines.Add("zweite");
  lines.Add("dritte Größe");
  EXPECT_EQ(memo_->Text(), "erste\r\nzweite\r\ndritte Größe\r\n");
  lines.Insert(0, "null");
  lines.Insert(2, "mitte");
  lines.Put(1, "eins");
  EXPECT_EQ(AllLines(), "[null][eins][mitte][zweite][dritte Größe]");
  lines.Delete(4);
  lines.Delete(0);
  EXPECT_EQ(AllLines(), "[eins][mitte][zweite]");
  EXPECT_EQ(memo_->Text(), "eins\r\nmitte\r\nzweite\r\n");
  EXPECT_THROW(lines.Get(3), EStringListError);
  EXPECT_THROW(lines.Insert(5, "x"), EStringListError);
  EXPECT_GT(changes_, 0);

  lines.SetText("a\nb\r\nc\rd");
  EXPECT_EQ(AllLines(), "[a][b][c][d]");
  memo_->SetText("with break\r\n");
  EXPECT_EQ(lines.Count(), 1);  // the row after a final break is no line
  lines.Add("next");
  EXPECT_EQ(memo_->Text(), "with break\r\nnext\r\n");
  memo_->SetText("no break");
  lines.Add("after");
  EXPECT_EQ(memo_->Text(), "no break\r\nafter");
  lines.Delete(1);
  EXPECT_EQ(memo_->Text(), "no break");
  lines.Clear();
  EXPECT_EQ(lines.Count(), 0);
  lines.Add("");
  lines.Add("");
  EXPECT_EQ(lines.Count(), 2);  // empty lines count too
  EXPECT_EQ(memo_->Text(), "\r\n\r\n");
}

TEST_F(MemoTest, LinesWithoutAWindow) {
  auto* late = new TMemo(form_);
  late->Lines().Add("eins");
  late->Lines().Add("zwei");
  late->Lines().Insert(1, "dazwischen");
  late->Lines().Delete(0);
  EXPECT_FALSE(late->HandleAllocated());
  EXPECT_EQ(late->Lines().Count(), 2);
  late->SetParent(form_);
  late->HandleNeeded();
  EXPECT_EQ(late->Lines().Count(), 2);
  EXPECT_EQ(late->Lines()[0], "dazwischen");
  EXPECT_EQ(late->Lines()[1], "zwei");
}

TEST_F(MemoTest, TypingLinesUndoAndMaxLength) {
  SendText(memo_->Handle(), "abc\rdef");
  EXPECT_EQ(memo_->Lines().Count(), 2);
  EXPECT_EQ(memo_->Lines()[1], "def");
  EXPECT_EQ(memo_->CaretPos(), TPoint(3, 1));
  memo_->SetCaretPos(TPoint(1, 0));
  SendText(memo_->Handle(), "X");
  EXPECT_EQ(memo_->Lines()[0], "aXbc");
  EXPECT_TRUE(memo_->CanUndo());
  memo_->Undo();
  EXPECT_EQ(memo_->Lines()[0], "abc");

  memo_->SetSelStart(1);
  memo_->SetSelLength(5);  // across the line break
  EXPECT_EQ(memo_->SelText(), "bc\r\nd");
  memo_->CutToClipboard();
  EXPECT_EQ(Clipboard()->AsText(), "bc\r\nd");
  EXPECT_EQ(memo_->Lines().Count(), 1);

  memo_->SetText("");
  memo_->SetMaxLength(6);
  SendText(memo_->Handle(), "12\r3456789");
  EXPECT_EQ(memo_->Text(), "12\r\n34");
}

TEST_F(MemoTest, ReturnsAndTabsGoWhereTheSettingsSay) {
  const auto dialog_code = [this] { return SendMessageW(memo_->Handle(), WM_GETDLGCODE, 0, 0); };
  EXPECT_NE(dialog_code() & DLGC_WANTALLKEYS, 0);
  EXPECT_EQ(dialog_code() & DLGC_WANTTAB, 0);
  memo_->SetWantTabs(true);
  EXPECT_NE(dialog_code() & DLGC_WANTTAB, 0);
  memo_->SetWantReturns(false);
  EXPECT_EQ(dialog_code() & DLGC_WANTALLKEYS, 0);
  SendText(memo_->Handle(), "a\rb\tc");
  EXPECT_EQ(memo_->Text(), "ab\tc");
}

TEST_F(MemoTest, WordWrapScrollBarsAndScrolling) {
  const std::string long_line(200, 'w');
  memo_->SetText(long_line);
  const auto rows = [this] { return SendMessageW(memo_->Handle(), EM_GETLINECOUNT, 0, 0); };
  EXPECT_GT(rows(), 1);
  memo_->SetWordWrap(false);
  EXPECT_EQ(rows(), 1);
  EXPECT_EQ(memo_->Text(), long_line);
  memo_->SetScrollBars(ssBoth);
  const LONG_PTR style = GetWindowLongPtrW(memo_->Handle(), GWL_STYLE);
  EXPECT_NE(style & WS_VSCROLL, 0);
  EXPECT_NE(style & WS_HSCROLL, 0);
  EXPECT_NE(style & ES_AUTOHSCROLL, 0);

  memo_->Lines().Clear();
  for (int i = 0; i < 40; ++i)
    memo_->Lines().Add("Zeile " + std::to_string(i));
  EXPECT_EQ(memo_->Lines().Count(), 40);
  EXPECT_GT(memo_->FirstVisibleLine(), 0);  // adding followed the last line
  memo_->SetCaretPos(TPoint(0, 0));
  memo_->ScrollCaretIntoView();
  EXPECT_EQ(memo_->FirstVisibleLine(), 0);
  memo_->ScrollLines(10);
  EXPECT_EQ(memo_->FirstVisibleLine(), 10);
}

}  // namespace
