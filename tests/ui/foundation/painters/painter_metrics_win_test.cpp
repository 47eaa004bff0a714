// Every metric operation of the painters as one table: each row an
// operation, each column a painter, so that a painter that inherits the
// wrong value or overrides one too many shows in its own cell. The native
// painter's column is its fallback with visual styles off; its themed
// values come from the visual style, and the fixed ones are checked apart.

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "ui/foundation/painters/native_painter_win.h"
#include "ui/foundation/painters/office11_painter_win.h"
#include "ui/foundation/painters/standard_painters_win.h"
#include "ui/foundation/painters/ultra_flat_painter_win.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace {

std::string Text(int32_t value) { return std::to_string(value); }
std::string Text(bool value) { return value ? "yes" : "no"; }
std::string Text(TSize size) { return std::to_string(size.cx) + "x" + std::to_string(size.cy); }
std::string Text(const TlxMargins& margins) {
  return std::to_string(margins.Left) + "," + std::to_string(margins.Top) + "," + std::to_string(margins.Right) +
         "," + std::to_string(margins.Bottom);
}

constexpr int32_t kFontHeight = 13;

using Metric = std::function<std::string(const TlxCustomLookAndFeelPainter&)>;

struct MetricRow {
  const char* operation;
  Metric read;
  // base, standard, flat, ultra-flat, Office 2003, native with styles off
  std::array<const char*, 6> expected;
};

const std::array<const char*, 6> kPainterNames = {"base",     "standard",    "flat",
                                                  "ultra-flat", "Office 2003", "native (unthemed)"};

std::array<const TlxCustomLookAndFeelPainter*, 6> Painters() {
  return {&lxPainter<TlxCustomLookAndFeelPainter>(),   &lxPainter<TlxStandardLookAndFeelPainter>(),
          &lxPainter<TlxFlatLookAndFeelPainter>(),     &lxPainter<TlxUltraFlatLookAndFeelPainter>(),
          &lxPainter<TlxOffice11LookAndFeelPainter>(), &lxPainter<TlxWinXPLookAndFeelPainter>()};
}

std::vector<MetricRow> MetricRows() {
  using P = const TlxCustomLookAndFeelPainter&;
  return {
      {"GetBorderSize", [](P p) { return Text(p.GetBorderSize()); }, {"0", "2", "1", "1", "1", "2"}},
      {"GetButtonBorderSize default/normal",
       [](P p) { return Text(p.GetButtonBorderSize(lxbsDefault)) + "/" + Text(p.GetButtonBorderSize(lxbsNormal)); },
       {"0/0", "3/2", "2/1", "2/1", "2/1", "2/2"}},
      {"GetButtonBorderSize hot/pressed/disabled",
       [](P p) {
         return Text(p.GetButtonBorderSize(lxbsHot)) + "/" + Text(p.GetButtonBorderSize(lxbsPressed)) + "/" +
                Text(p.GetButtonBorderSize(lxbsDisabled));
       },
       {"0/0/0", "2/2/2", "1/1/1", "1/1/1", "1/1/1", "2/2/2"}},
      {"GetButtonTextOffset", [](P p) { return Text(p.GetButtonTextOffset()); }, {"0", "1", "1", "2", "2", "2"}},
      {"GetButtonTextShift", [](P p) { return Text(p.GetButtonTextShift()); }, {"0", "1", "1", "0", "0", "0"}},
      {"GetExpandButtonSize", [](P p) { return Text(p.GetExpandButtonSize()); },
       {"0", "12", "11", "11", "11", "12"}},
      {"GetSmallExpandButtonSize", [](P p) { return Text(p.GetSmallExpandButtonSize()); },
       {"9", "9", "9", "9", "11", "9"}},
      {"GetGroupExpandButtonSize", [](P p) { return Text(p.GetGroupExpandButtonSize()); },
       {"15", "15", "15", "15", "15", "15"}},
      {"GetCheckBorderSize", [](P p) { return Text(p.GetCheckBorderSize()); }, {"2", "2", "2", "2", "2", "2"}},
      {"GetHeaderBorderSize", [](P p) { return Text(p.GetHeaderBorderSize()); }, {"0", "1", "1", "1", "1", "1"}},
      {"GetHeaderHeight(13)", [](P p) { return Text(p.GetHeaderHeight(kFontHeight)); },
       {"17", "19", "19", "19", "19", "19"}},
      {"GetHeaderControlSectionBorderSize normal/pressed",
       [](P p) {
         return Text(p.GetHeaderControlSectionBorderSize(lxbsNormal)) + "/" +
                Text(p.GetHeaderControlSectionBorderSize(lxbsPressed));
       },
       {"1/1", "2/1", "1/1", "1/1", "1/1", "1/1"}},
      {"GetSortingMarkSize", [](P p) { return Text(p.GetSortingMarkSize()); },
       {"0x0", "8x7", "8x7", "7x8", "7x8", "7x8"}},
      {"GetFooterBorderSize", [](P p) { return Text(p.GetFooterBorderSize()); }, {"0", "1", "1", "1", "1", "1"}},
      {"GetFooterCellBorderSize", [](P p) { return Text(p.GetFooterCellBorderSize()); },
       {"0", "1", "1", "1", "1", "1"}},
      {"GetFooterCellOffset", [](P p) { return Text(p.GetFooterCellOffset()); }, {"0", "1", "1", "2", "2", "1"}},
      {"GetTabBorderSize", [](P p) { return Text(p.GetTabBorderSize(false)) + "/" + Text(p.GetTabBorderSize(true)); },
       {"0/0", "1/1", "1/1", "1/1", "1/1", "1/1"}},
      {"GetScrollBarMinThumbSize",
       [](P p) { return Text(p.GetScrollBarMinThumbSize(false)) + "/" + Text(p.GetScrollBarMinThumbSize(true)); },
       {"8/8", "8/8", "8/8", "8/8", "8/8", "8/8"}},
      {"GetFilterCloseButtonSize", [](P p) { return Text(p.GetFilterCloseButtonSize()); },
       {"16x14", "16x14", "16x14", "16x15", "16x15", "16x14"}},
      {"GetFilterActivateButtonSize", [](P p) { return Text(p.GetFilterActivateButtonSize()); },
       {"13x13", "13x13", "13x13", "13x13", "13x13", "13x13"}},
      {"GetFilterDropDownButtonSize", [](P p) { return Text(p.GetFilterDropDownButtonSize()); },
       {"15x0", "15x0", "15x0", "15x0", "15x0", "15x0"}},
      {"GetSchedulerEventProgressOffsets", [](P p) { return Text(p.GetSchedulerEventProgressOffsets()); },
       {"2,2,2,2", "2,2,2,2", "2,2,2,2", "2,2,2,2", "2,2,2,2", "3,3,3,3"}},
      {"ButtonHotTrackEnabled", [](P p) { return Text(p.ButtonHotTrackEnabled()); },
       {"no", "no", "no", "yes", "yes", "yes"}},
      {"HeaderHotTrackEnabled", [](P p) { return Text(p.HeaderHotTrackEnabled()); },
       {"no", "no", "no", "no", "yes", "yes"}},
      {"PaintsExpandButtonFirst", [](P p) { return Text(p.PaintsExpandButtonFirst()); },
       {"yes", "yes", "yes", "yes", "no", "no"}},
      {"FooterCellsPaintedFirst", [](P p) { return Text(p.FooterCellsPaintedFirst()); },
       {"yes", "yes", "yes", "yes", "yes", "no"}},
  };
}

TEST(PainterMetricsWinTest, EveryMetricOfEveryPainter) {
  painter_test::ThemingOff off;
  ASSERT_FALSE(lxThemeAvailableFor(totButton));
  const auto painters = Painters();
  for (const MetricRow& row : MetricRows())
    for (size_t column = 0; column < painters.size(); ++column)
      EXPECT_EQ(row.read(*painters[column]), row.expected[column]) << row.operation << " of " << kPainterNames[column];
}

// With visual styles on, the native painter's values that do not come from
// the style are its own, and the header height follows its header border.
TEST(PainterMetricsWinTest, ThemedNativeFixedMetrics) {
  lxUxThemeStartup();
  if (!lxThemeAvailableFor(totButton) || !lxThemeAvailableFor(totListView))
    GTEST_SKIP() << "no visual style in this session";
  const TlxCustomLookAndFeelPainter& native = lxPainter<TlxWinXPLookAndFeelPainter>();
  EXPECT_EQ(native.GetBorderSize(), 1);
  EXPECT_EQ(native.GetCheckBorderSize(), 0);
  EXPECT_EQ(native.GetButtonTextOffset(), 2);
  EXPECT_EQ(native.GetFooterCellOffset(), 1);
  EXPECT_EQ(native.GetHeaderHeight(kFontHeight), 2 * native.GetHeaderBorderSize() + kFontHeight + 4);
  EXPECT_EQ(native.GetHeaderControlSectionBorderSize(lxbsPressed), native.GetHeaderBorderSize());
  EXPECT_GE(native.GetScrollBarMinThumbSize(true), 8);
  EXPECT_GE(native.GetScrollBarMinThumbSize(false), 8);
}

}  // namespace
