// A window-less cell is drawn without saving the device context where the
// picture allows it; the result must be the same, pixel for pixel, as the
// drawing that clips and saves the context for every part.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editors/edit_style_win.h"
#include "editors/edit_view_data_win.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace {

struct ButtonSpec {
  TlxEditButtonKind kind;
  bool left;
  int32_t width;
};

struct CellCase {
  const char* name;
  bool inplace;
  TlxEditBorderStyle border;
  std::vector<ButtonSpec> buttons;
  TPoint mouse;  // pressed with the left button when inside the cell
};

std::vector<COLORREF> DrawCell(const CellCase& c, bool with_handlers) {
  constexpr int32_t kWidth = 90;
  constexpr int32_t kHeight = 22;
  painter_test::Surface surface(kWidth + 4, kHeight + 4);
  TlxCustomEditProperties properties(nullptr);
  for (const ButtonSpec& spec : c.buttons) {
    TlxEditButton* button = properties.Buttons()->AddButton();
    button->SetKind(spec.kind);
    button->SetLeftAlignment(spec.left);
    button->SetWidth(spec.width);
    if (spec.kind == bkText)
      button->SetCaption("Ab");
  }
  TlxEditStyle style(nullptr, false);
  style.SetTransparentBorder(false);
  style.SetBorderStyle(c.border);
  style.SetColor(0x00FFFF);
  TlxCustomEditViewData data(&properties, &style, c.inplace);
  TlxCustomEditViewInfo info;
  const TRect cell(2, 2, 2 + kWidth, 2 + kHeight);
  const bool pressing = cell.Contains(c.mouse);
  data.Calculate(surface.canvas(), cell, c.mouse, pressing ? static_cast<int32_t>(mbLeft) : kLxNoMouseButton,
                 pressing ? TShiftState{ssLeft} : TShiftState{}, info, pressing);
  if (with_handlers) {
    // Handlers that draw nothing still make the painter clip and save.
    info.OnDrawBackground = [](TlxCustomEditViewInfo&, TlxCanvas&, bool& handled) { handled = false; };
    info.OnDrawButton = [](TlxCustomEditViewInfo&, TlxCanvas&, bool& handled, int32_t) { handled = false; };
  }
  info.Draw(surface.canvas());
  std::vector<COLORREF> pixels;
  for (int32_t y = 0; y < surface.Height(); ++y)
    for (int32_t x = 0; x < surface.Width(); ++x)
      pixels.push_back(surface.At(x, y));
  return pixels;
}

TEST(EditCellPaintTest, TheUnclippedDrawingMatchesTheClippedOne) {
  const CellCase cases[] = {
      {"one drop-down in place", true, ebsNone, {{bkDown, false, 17}}, TPoint(-1, -1)},
      {"two at the right, one pressed", true, ebsNone, {{bkEllipsis, false, 15}, {bkDown, false, 17}}, TPoint(84, 10)},
      {"both sides", true, ebsNone, {{bkText, true, 24}, {bkDown, false, 17}}, TPoint(-1, -1)},
      {"wider than the cell", true, ebsNone, {{bkDown, false, 70}, {bkEllipsis, true, 40}}, TPoint(-1, -1)},
      {"single border, ellipsis pressed", false, ebsSingle, {{bkEllipsis, false, 16}}, TPoint(80, 10)},
      {"no buttons", true, ebsNone, {}, TPoint(-1, -1)},
  };
  for (const CellCase& c : cases) {
    const std::vector<COLORREF> direct = DrawCell(c, false);
    const std::vector<COLORREF> clipped = DrawCell(c, true);
    ASSERT_EQ(direct.size(), clipped.size()) << c.name;
    size_t differing = 0;
    for (size_t i = 0; i < direct.size(); ++i)
      differing += direct[i] != clipped[i];
    EXPECT_EQ(differing, 0u) << c.name;
    EXPECT_NE(direct[static_cast<size_t>(12 * 94 + 40)], RGB(255, 255, 255)) << c.name << ": the cell was drawn";
  }
}

}  // namespace
