// The quick customization popup of the file list's grid under Wine: checks
// that show and hide columns, Esc, reordering by dropping entries, the
// 400 ms edge scroll of a list spread over columns (ticked through the
// timer), and a list far too long for the screen spreading over columns.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "editors/kinds/check_list_box_items.h"
#include "editors/kinds/check_list_box_win.h"
#include "grid/grid_customization_popup_win.h"
#include "grid/grid_table_controller_win.h"
#include "tests/grid/grid_file_list_form_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/modal_script.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace grid_customization_popup_win_test {

class CustomizationPopupTest : public grid_file_list_form::FileListGridTest {
 protected:
  void TearDown() override {
    popup_.reset();
    FileListGridTest::TearDown();
  }

  TlxGridColumnsCustomizationPopup& Popup() {
    if (popup_ == nullptr) {
      popup_ = std::make_unique<TlxGridColumnsCustomizationPopup>(view_);
      const TPoint origin = site_->ClientToScreen(TPoint(0, 0));
      popup_->OwnerRect = TRect(origin.X, origin.Y, origin.X + 20, origin.Y + 20);
    }
    return *popup_;
  }

  TlxCheckListBox& List() { return Popup().CheckListBox(); }

  // Runs the popup's modal loop, taking one step per tick until each step
  // answers true; a popup left open at the end is closed as a failure.
  void RunPopup(std::vector<std::function<bool()>> steps) {
    auto remaining = std::make_shared<std::vector<std::function<bool()>>>(std::move(steps));
    auto next = std::make_shared<size_t>(0);
    auto ticks = std::make_shared<int>(0);
    TlxGridColumnsCustomizationPopup* popup = &Popup();
    test_support::RunWhileModal([remaining, next, ticks, popup] {
      if (!popup->Visible())
        return true;
      const bool stuck = *next >= remaining->size() ? ++*ticks > 10 : ++*ticks > 100;
      if (stuck) {
        if (*next < remaining->size())
          ADD_FAILURE() << "step " << *next << " of " << remaining->size() << " did not finish";
        popup->ClosePopup();
        return true;
      }
      if (*next < remaining->size() && (*remaining)[*next]()) {
        ++*next;
        *ticks = 0;
      }
      return false;
    });
    test_support::InputMouseAt(POINT{2, 2});
    test_support::PumpMessagesUntilIdle();
    popup->Popup();
    test_support::StopModalScript();
    test_support::PumpMessagesUntilIdle();
  }

  std::vector<std::string> Entries() {
    std::vector<std::string> texts;
    for (int32_t i = 0; i < List().ItemCount(); ++i)
      texts.push_back(List().Items().GetItem(i)->Text());
    return texts;
  }

  // A click on the check box of an entry, as the list's own window gets it.
  void ClickCheck(int32_t index) {
    TlxCustomInnerCheckListBox& inner = List().InnerCheckListBox();
    const TRect entry = inner.ItemRect(index);
    const LPARAM at = MAKELPARAM(entry.Left + 8, (entry.Top + entry.Bottom) / 2);
    SendMessageW(inner.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageW(inner.Handle(), WM_LBUTTONUP, 0, at);
  }

  std::unique_ptr<TlxGridColumnsCustomizationPopup> popup_;
};

TEST_F(CustomizationPopupTest, ChecksShowAndHideColumnsAndTheLastOneMayGoToo) {
  bool listed = false;
  std::vector<bool> checks;
  RunPopup({[&] {
              listed = Entries() == std::vector<std::string>{"Nr.", "Datei", "Größe", "Datum"};
              for (int32_t i = 0; i < List().ItemCount(); ++i)
                checks.push_back(List().Items().GetItem(i)->Checked());
              ClickCheck(1);
              return true;
            },
            [&] { return !datei_->Visible(); },
            [&] {
              ClickCheck(0);
              ClickCheck(2);
              ClickCheck(3);
              return true;
            },
            // With no column left the popup stays open; Esc closes it.
            [&] { return view_->VisibleColumnCount() == 0 && Popup().Visible(); },
            [&] {
              SendMessageW(List().InnerCheckListBox().Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
              return true;
            }});
  EXPECT_TRUE(listed);
  EXPECT_EQ(checks, (std::vector<bool>{true, true, true, true}));
  EXPECT_FALSE(Popup().Visible());
  EXPECT_EQ(view_->VisibleColumnCount(), 0);
}

TEST_F(CustomizationPopupTest, EscClosesWithoutChanges) {
  RunPopup({[&] {
    SendMessageW(List().InnerCheckListBox().Handle(), WM_KEYDOWN, VK_ESCAPE, 1);
    return true;
  }});
  EXPECT_FALSE(Popup().Visible());
  EXPECT_EQ(view_->VisibleColumnCount(), 4);
  EXPECT_EQ(datum_->Index(), 3);
}

TEST_F(CustomizationPopupTest, DroppingAnEntryMovesItsColumnAndBelowItselfNothing) {
  view_->OptionsCustomize()->SetColumnMoving(true);
  struct Case {
    int32_t source;
    int32_t target_entry;
    bool below_middle;
    std::vector<TlxGridColumn*> expected;
  };
  const std::vector<Case> cases = {
      // "Datum" dropped onto the top half of "Nr.": it goes first.
      {3, 0, false, {datum_, nr_, datei_, groesse_}},
      // "Nr." (now second) dropped just below itself: nothing moves.
      {1, 1, true, {datum_, nr_, datei_, groesse_}},
      // "Datum" dropped under the last entry: it goes last.
      {0, 3, true, {nr_, datei_, groesse_, datum_}},
  };
  for (const Case& c : cases) {
    bool reordering = false;
    RunPopup({[&] {
      TlxCustomInnerCheckListBox& inner = List().InnerCheckListBox();
      reordering = inner.DragMode() == dmAutomatic && inner.MultiSelect();
      for (int32_t i = 0; i < List().ItemCount(); ++i)
        inner.SetSelected(i, i == c.source);
      const TRect target = inner.ItemRect(c.target_entry);
      const TPoint point(target.Left + 20, c.below_middle ? target.Bottom - 2 : target.Top + 2);
      EXPECT_TRUE(Popup().DragOverAt(point, false));
      Popup().DropAt(point);
      Popup().ClosePopup();
      return true;
    }});
    EXPECT_TRUE(reordering);
    std::vector<TlxGridColumn*> order;
    for (int32_t i = 0; i < view_->ColumnCount(); ++i)
      order.push_back(view_->Columns(i));
    EXPECT_EQ(order, c.expected) << "source " << c.source << " onto " << c.target_entry;
  }
}

TEST_F(CustomizationPopupTest, WithoutReorderingOnlyOneEntryIsSelectedAndNoneDrags) {
  view_->OptionsCustomize()->SetColumnMoving(false);
  bool automatic = true;
  bool multi = true;
  RunPopup({[&] {
    automatic = List().InnerCheckListBox().DragMode() == dmAutomatic;
    multi = List().InnerCheckListBox().MultiSelect();
    Popup().ClosePopup();
    return true;
  }});
  EXPECT_FALSE(automatic);
  EXPECT_FALSE(multi);
}

// Far more columns than the screen holds in one list column: the list
// spreads over several columns within the screen,
// and a drag held at its left or right edge scrolls it every 400 ms.
class LongPopupTest : public CustomizationPopupTest {
 protected:
  void Configure() override {
    view_->OptionsCustomize()->SetColumnMoving(true);
    for (int i = 0; i < 796; ++i)
      AddColumn("Spalte " + std::to_string(i), "Sortkey", 20)->SetVisible(false);
  }
};

TEST_F(LongPopupTest, SpreadsOverColumnsInsideTheWorkAreaAndScrollsAtItsEdges) {
  int32_t columns = 0;
  bool inside = false;
  TlxGridDragScrollDirection forward = gdsNone;
  TlxGridDragScrollDirection back = gdsNone;
  uint32_t interval = 0;
  int32_t top_after_forward = 0;
  int32_t top_after_back = -1;
  RunPopup({[&] {
    columns = List().Columns();
    RECT work;
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    RECT popup;
    GetWindowRect(Popup().Handle(), &popup);
    inside = popup.top >= work.top && popup.bottom <= work.bottom;
    TlxCustomInnerCheckListBox& inner = List().InnerCheckListBox();
    const TRect first = inner.ItemRect(0);
    const int32_t middle = (first.Top + first.Bottom) / 2;
    // Over an entry within 15 pixels of the right edge: the drag scrolls
    // forward.
    TPoint right_edge(-1, -1);
    for (int32_t i = 0; i < inner.Count() && right_edge.X == -1; ++i) {
      const TRect entry = inner.ItemRect(i);
      for (int32_t x = inner.ClientWidth() - 14; x < inner.ClientWidth(); ++x)
        if (x >= entry.Left && x < entry.Right) {
          right_edge = TPoint(x, (entry.Top + entry.Bottom) / 2);
          break;
        }
    }
    if (right_edge.X == -1 || !Popup().DragOverAt(right_edge, false)) {
      ADD_FAILURE() << "no entry at the right edge of " << inner.ClientWidth();
      Popup().ClosePopup();
      return true;
    }
    forward = Popup().DragScrollDirection();
    interval = Popup().DragScrollTimer().Interval();
    Popup().DragScrollTimer().FireTimer();
    top_after_forward = inner.TopIndex();
    Popup().DragOverAt(TPoint(3, middle), false);
    back = Popup().DragScrollDirection();
    Popup().DragScrollTimer().FireTimer();
    top_after_back = inner.TopIndex();
    Popup().DragOverAt(TPoint(inner.ClientWidth() / 2, middle), false);
    EXPECT_EQ(Popup().DragScrollDirection(), gdsNone);
    Popup().ClosePopup();
    return true;
  }});
  EXPECT_GE(columns, 2);
  EXPECT_TRUE(inside);
  EXPECT_EQ(forward, gdsForward);
  EXPECT_EQ(interval, 400u);
  EXPECT_GT(top_after_forward, 0);
  EXPECT_EQ(back, gdsBack);
  EXPECT_LT(top_after_back, top_after_forward);
}

}  // namespace grid_customization_popup_win_test
