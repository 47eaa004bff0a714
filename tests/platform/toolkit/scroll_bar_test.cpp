#include "platform/toolkit/scroll_bar.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"

namespace {

TEST(ScrollBarTest, ScrollCodesMoveThePosition) {
  auto* form = new TForm(nullptr);
  form->SetBounds(40, 40, 300, 120);
  auto* bar = new TScrollBar(form);
  bar->SetParent(form);
  bar->SetBounds(10, 10, 200, 17);
  bar->SetSmallChange(2);
  bar->SetLargeChange(10);
  std::vector<int32_t> changes;
  bar->OnChange = [&](TObject*) { changes.push_back(bar->Position()); };
  form->Show();
  test_support::PumpMessagesUntilIdle();

  const auto scroll = [&](WORD code) {
    SendMessageW(form->Handle(), WM_HSCROLL, code, reinterpret_cast<LPARAM>(bar->Handle()));
  };
  scroll(SB_LINEDOWN);
  scroll(SB_PAGEDOWN);
  scroll(SB_BOTTOM);
  scroll(SB_LINEDOWN);  // past the end: nothing changes
  scroll(SB_PAGEUP);
  scroll(SB_TOP);
  EXPECT_EQ(changes, (std::vector<int32_t>{2, 12, 100, 90, 0}));
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 0);

  bar->OnScroll = [](TObject*, TScrollCode code, int32_t& position) {
    if (code == scLineDown)
      position = 50;  // the handler decides
  };
  scroll(SB_LINEDOWN);
  EXPECT_EQ(bar->Position(), 50);
  EXPECT_THROW(bar->SetMax(-1), EInvalidOperation);
  bar->SetKind(sbVertical);
  EXPECT_EQ(bar->Width(), 17);
  EXPECT_NE(GetWindowLongPtrW(bar->Handle(), GWL_STYLE) & SBS_VERT, 0);
  EXPECT_EQ(GetScrollPos(bar->Handle(), SB_CTL), 50);
  form->Free();
}

}  // namespace
