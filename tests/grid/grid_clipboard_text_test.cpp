// The clipboard text of a record-based view, byte for byte: caption line,
// one line per copied row in view order, TAB between cells, CR LF between
// lines and none after the last one; group rows give their group text only.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "grid/grid_clipboard_text.h"
#include "tests/data/data_controller_test_grid.h"

namespace grid_clipboard_text_test {

using data_controller_test::TFileGrid;

class GridClipboardText : public ::testing::Test {
 protected:
  void SetUp() override {
    grid.AddRows({{Variant("b.pdf"), Variant(2)}, {Variant("a.pdf"), Variant(1)}, {Variant("c.pdf"), Variant(3)}});
  }
  std::vector<TlxGridClipboardItem> NrAndDatei() const {
    return {{grid.groesse, "Nr."}, {grid.datei, "Datei"}};
  }
  TFileGrid grid;
};

TEST_F(GridClipboardText, TwoSelectedRowsWithCaptionsAreThreeLinesWithoutATrailingBreak) {
  grid.ChangeSortOrder(grid.datei, soAscending);
  grid.SetMultiSelect(true);
  grid.ChangeRowSelection(0, true);
  grid.ChangeRowSelection(2, true);

  EXPECT_EQ(lxBuildGridClipboardText(grid, NrAndDatei(), true, false), "Nr.\tDatei\r\n1\ta.pdf\r\n3\tc.pdf");
}

TEST_F(GridClipboardText, CopyAllFollowsTheViewOrderAndCaptionsCanBeLeftOut) {
  grid.ChangeSortOrder(grid.datei, soDescending);

  EXPECT_EQ(lxBuildGridClipboardText(grid, NrAndDatei(), false, true), "3\tc.pdf\r\n2\tb.pdf\r\n1\ta.pdf");
}

TEST_F(GridClipboardText, NoSelectedRowsGiveOnlyTheCaptionLine) {
  grid.SetMultiSelect(true);
  grid.ClearSelection();

  EXPECT_EQ(lxBuildGridClipboardText(grid, NrAndDatei(), true, false), "Nr.\tDatei");
}

TEST_F(GridClipboardText, EdgeCasesOfItemsAndRows) {
  // Without items every row is an empty line, and the last break goes as
  // every text's does; an empty caption line alone leaves nothing.
  EXPECT_EQ(lxBuildGridClipboardText(grid, {}, false, true), "\r\n\r\n");
  EXPECT_EQ(lxBuildGridClipboardText(grid, {}, true, false), "");
  // Nothing to copy at all.
  EXPECT_EQ(lxBuildGridClipboardText(grid, NrAndDatei(), false, false), "");
}

// Record 0 ("b.pdf") starts a group: its group row must still name the
// group, not the first copied item's value.
TEST_F(GridClipboardText, AGroupRowGivesOnlyItsGroupText) {
  grid.AddRows({{Variant("a.pdf"), Variant(4)}});
  grid.Groups().ChangeGroupIndex(grid.datei, 0);
  grid.Groups().FullExpand();

  const std::string text = lxBuildGridClipboardText(grid, NrAndDatei(), false, true);

  EXPECT_EQ(text, "a.pdf\r\n1\ta.pdf\r\n4\ta.pdf\r\nb.pdf\r\n2\tb.pdf\r\nc.pdf\r\n3\tc.pdf");
  // The group row's value, as a record reads it, is the group value too.
  EXPECT_EQ(VarToStr(grid.GetRowValue(grid.GetRowInfo(3), grid.groesse)), "b.pdf");
}

}  // namespace grid_clipboard_text_test
