// A fixed-list combo box whose items are drawn by their owner draws its
// edit area through the same handler: as a window-less cell (the item
// whose text the value shows) and as an editor on a form (its present
// item), with the state the list would give.

#include "editors/combo_box_win.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/edit_style_win.h"
#include "editors/edit_view_data_win.h"
#include "editors/editors_module_win.h"
#include "editors/text_view_win.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace combo_box_owner_draw_test {

constexpr TColor kItemColors[] = {static_cast<TColor>(0x0000C0), static_cast<TColor>(0x00C000),
                                  static_cast<TColor>(0xC00000)};

struct DrawCall {
  TlxCustomComboBox* control;
  int32_t index;
  TOwnerDrawState state;
};

// Items Alpha, Beta, Gamma; each drawn as a block of its own colour.
void FillItems(TlxComboBoxProperties& properties, std::vector<DrawCall>& calls) {
  TStringList items;
  items.Add("Alpha");
  items.Add("Beta");
  items.Add("Gamma");
  properties.SetItems(&items);
  properties.SetDropDownListStyle(lsFixedList);
  properties.OnDrawItem = [&calls](TlxCustomComboBox* control, TCanvas& canvas, int32_t index, const TRect& rect,
                                   TOwnerDrawState state) {
    calls.push_back({control, index, state});
    canvas.Brush().SetColor(kItemColors[index]);
    canvas.FillRect(rect);
  };
}

struct CellResult {
  std::vector<DrawCall> calls;
  COLORREF centre = CLR_INVALID;
};

CellResult DrawCell(TlxComboBoxProperties& properties, std::vector<DrawCall>& calls, const Variant& value) {
  painter_test::Surface surface(104, 26);
  TlxEditStyle style(nullptr, false);
  style.SetColor(clWhite);
  TlxCustomComboBoxViewData data(&properties, &style, true);
  TlxCustomTextEditViewInfo info;
  const TRect cell(2, 2, 102, 24);
  data.Calculate(surface.canvas(), cell, TPoint(-1, -1), kLxNoMouseButton, TShiftState{}, info, false);
  data.ApplyEditValueToViewInfo(surface.canvas(), value, info);
  calls.clear();
  info.Draw(surface.canvas());
  CellResult result;
  result.calls = calls;
  // Left of the drop-down button, inside the text area.
  result.centre = surface.At(30, 13);
  return result;
}

TEST(ComboBoxOwnerDrawTest, ACellDrawsTheItemItsValueShows) {
  std::vector<DrawCall> calls;
  TlxComboBoxProperties properties(nullptr);
  FillItems(properties, calls);

  const CellResult beta = DrawCell(properties, calls, Variant("Beta"));
  ASSERT_EQ(beta.calls.size(), 1u);
  EXPECT_EQ(beta.calls[0].control, nullptr) << "a cell has no editor";
  EXPECT_EQ(beta.calls[0].index, 1);
  EXPECT_EQ(beta.calls[0].state, TOwnerDrawState{odComboBoxEdit});
  EXPECT_EQ(beta.centre, static_cast<COLORREF>(kItemColors[1]));

  struct Case {
    const char* what;
    const char* value;
    TlxEditDropDownListStyle style;
    bool handler;
  };
  const Case plain_text_cases[] = {
      {"a text that is no item", "Delta", lsFixedList, true},
      {"a list that may be typed into", "Beta", lsEditFixedList, true},
      {"a free list", "Beta", lsEditList, true},
      {"no draw handler", "Beta", lsFixedList, false},
  };
  for (const Case& test : plain_text_cases) {
    TlxComboBoxProperties other(nullptr);
    FillItems(other, calls);
    other.SetDropDownListStyle(test.style);
    if (!test.handler)
      other.OnDrawItem = nullptr;
    const CellResult result = DrawCell(other, calls, Variant(test.value));
    EXPECT_TRUE(result.calls.empty()) << test.what;
    EXPECT_NE(result.centre, static_cast<COLORREF>(kItemColors[1])) << test.what;
  }
}

TEST(ComboBoxOwnerDrawTest, AnEditorDrawsItsPresentItemSelectedWhileFocused) {
  lxEditorsInitialize();
  std::vector<DrawCall> calls;
  TForm* form = new TForm(nullptr);
  form->SetBounds(60, 60, 300, 160);
  auto* combo = new TlxComboBox(form);
  combo->SetParent(form);
  combo->SetBounds(10, 10, 140, 24);
  FillItems(*combo->GetProperties(), calls);
  auto* other = new TlxComboBox(form);
  other->SetParent(form);
  other->SetBounds(10, 60, 140, 24);
  form->Show();
  SetForegroundWindow(form->Handle());
  combo->SetItemIndex(2);
  combo->SetFocus();
  test_support::PumpMessagesUntilIdle();

  auto repaint = [&] {
    calls.clear();
    combo->Invalidate();
    combo->Update();
    test_support::PumpMessagesUntilIdle();
  };
  repaint();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().control, combo);
  EXPECT_EQ(calls.back().index, 2);
  EXPECT_EQ(calls.back().state, (TOwnerDrawState{odSelected, odFocused, odComboBoxEdit}));

  other->SetFocus();
  repaint();
  ASSERT_FALSE(calls.empty());
  EXPECT_EQ(calls.back().index, 2);
  EXPECT_EQ(calls.back().state, TOwnerDrawState{odComboBoxEdit});

  combo->SetItemIndex(-1);
  repaint();
  EXPECT_TRUE(calls.empty()) << "without an item the edit area shows its text";

  form->Free();
  test_support::PumpMessagesUntilIdle();
  lxEditorsFinalize();
}

}  // namespace combo_box_owner_draw_test
