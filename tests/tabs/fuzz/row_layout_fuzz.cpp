// The layout of tab rows with random sizes, gaps and settings: it ends,
// every visible tab has one row, justified rows fill the row length, the
// display rows are a permutation of the rows and the part clips lie in the
// tabs area.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "tabs/tab.h"
#include "tabs/tabs.h"
#include "tabs/visible_tab_list.h"
#include "tests/tabs/fixed_width_painter.h"

namespace {

class TInput {
 public:
  TInput(const uint8_t* data, size_t size) : data_(data), size_(size) {}
  uint8_t Byte() { return position_ < size_ ? data_[position_++] : 0; }
  bool Bit() { return (Byte() & 1) != 0; }
  int32_t Range(int32_t low, int32_t high) { return low + Byte() % (high - low + 1); }
  bool Empty() const { return position_ >= size_; }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t position_ = 0;
};

void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "row layout: %s\n", what);
  std::abort();
}

bool InsideOrEmpty(const TRect& clip, const TRect& area) {
  if (clip.IsEmpty())
    return true;
  return clip.Left >= area.Left && clip.Top >= area.Top && clip.Right <= area.Right && clip.Bottom <= area.Bottom;
}

void CheckLayout(TFixedTabControl& control) {
  const int32_t count = control.VisibleTabs().Count();
  const TRect area = control.TabsLayout().TabsArea;
  Check(InsideOrEmpty(control.TopOrLeftPartClip(), area), "top-or-left clip outside the tabs area");
  Check(InsideOrEmpty(control.BottomOrRightPartClip(), area), "bottom-or-right clip outside the tabs area");
  for (int32_t i = 0; i < count; ++i) {
    const TRect shown = control.VisibleTabs().GetTab(i)->DisplayRect();
    Check(InsideOrEmpty(shown, area), "displayed tab outside the tabs area");
  }
  if (!control.MultiLine() || control.TabsLayout().RowLength < 1 || count == 0)
    return;
  const int32_t rows = control.RowCount();
  Check(rows >= 1 && rows <= count, "row count");
  std::set<int32_t> display_rows;
  int32_t previous_row = 0;
  for (int32_t i = 0; i < count; ++i) {
    const TlxTab* tab = control.VisibleTabs().GetTab(i);
    Check(tab->RowIndex() >= 0 && tab->RowIndex() < rows, "row index outside the rows");
    Check(tab->RowIndex() == previous_row || tab->RowIndex() == previous_row + 1, "rows out of order");
    Check(i > 0 || tab->RowIndex() == 0, "first tab not in the first row");
    previous_row = tab->RowIndex();
    display_rows.insert(tab->DisplayRowIndex());
  }
  Check(previous_row == rows - 1, "an empty row");
  Check(static_cast<int32_t>(display_rows.size()) == rows && *display_rows.begin() == 0 &&
            *display_rows.rbegin() == rows - 1,
        "display rows are no permutation");
  if (rows < 2 || control.Rotate() || control.RaggedRight())
    return;
  const int32_t length = control.TabsLayout().RowLength;
  for (int32_t first = 0; first < count;) {
    int32_t last = first;
    int64_t sum = control.VisibleTabs().GetTab(first)->LayoutWidth();
    while (last + 1 < count &&
           control.VisibleTabs().GetTab(last + 1)->RowIndex() == control.VisibleTabs().GetTab(first)->RowIndex()) {
      ++last;
      sum += control.TabGap() + control.VisibleTabs().GetTab(last)->LayoutWidth();
    }
    const bool single_wide = first == last && sum > length;
    Check(single_wide || sum == length, "justified row does not fill the row");
    first = last + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TInput input(data, size);
  TFixedTabControl control;
  control.painter.tab_height = input.Range(0, 60);
  control.painter.min_tab_width = input.Range(0, 120);
  control.painter.gap_along = input.Range(-3, 20);
  control.painter.gap_across = input.Range(-3, 20);
  control.painter.button_length = input.Range(0, 40);
  control.painter.parts_gap = input.Range(0, 80);
  control.painter.main_row_near_page = input.Bit();
  control.SetTabPosition(static_cast<TlxTabPosition>(input.Range(0, 3)));
  control.SetRotate(input.Bit());
  control.SetMultiLine(input.Bit());
  control.SetRaggedRight(input.Bit());
  control.SetScrollOpposite(input.Bit());
  control.SetMaxRotatedTabWidth(input.Range(-5, 100));
  control.SetOptions(static_cast<TlxPCOptions>((input.Byte() | (input.Byte() << 8)) & 0x07FF));
  control.SetControlSize(input.Range(0, 255) * 2, input.Range(0, 255) * 2);
  const int32_t tab_count = input.Range(0, 48);
  for (int32_t i = 0; i < tab_count; ++i)
    control.Tabs().Add(std::to_string(1 + input.Byte() * 2));
  for (int32_t i = 0; i < tab_count; ++i)
    if ((input.Byte() & 7) == 0)
      control.Tabs().GetTab(i)->SetVisible(false);
  CheckLayout(control);
  while (!input.Empty()) {
    switch (input.Range(0, 5)) {
      case 0: control.SetTabIndex(input.Range(-2, tab_count + 1)); break;
      case 1: control.ScrollBy(input.Range(-4, 4)); break;
      case 2: control.ProcessNavigationKey(static_cast<uint16_t>(input.Range(kPCKeyEnd, kPCKeyDown)), {}); break;
      case 3: control.SetControlSize(input.Range(0, 255) * 2, input.Range(0, 255) * 2); break;
      case 4: control.SetScrollOpposite(!control.ScrollOpposite()); break;
      case 5: control.CalculateLengthToFitAllTabs(); break;
    }
    CheckLayout(control);
  }
  return 0;
}
