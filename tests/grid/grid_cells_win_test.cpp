// Cell view infos and their painter on a real site: lazy parameters and
// bounds, the hit-test link, the hot and pressed states driven by window
// messages with mouse capture, a popup that survives a layout rebuild,
// the fixed paint order with custom drawing, hints, and the design
// selector.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "platform/toolkit/form.h"
#include "ui/foundation/colors/color_mix_win.h"
#include "ui/foundation/system/mouse_tracking_win.h"
#include "tests/grid/grid_test_view_win.h"
#include "tests/support/input.h"
#include "tests/support/message_pump.h"
#include "tests/support/window_pixels.h"

namespace grid_cells_win_test {

using grid_test_view::JournalOf;
using grid_test_view::TTestView;

// A popup without a window: what the cells see of one.
class TFakePopup : public TObject, public IlxGridCellPopup {
 public:
  ~TFakePopup() override {
    if (owner != nullptr)
      owner->PopupDestroyed();
  }
  IlxCustomGridPopupOwner* PopupOwner() const override { return owner; }
  void SetPopupOwner(IlxCustomGridPopupOwner* value) override { owner = value; }
  bool PopupVisible() const override { return visible; }
  void DropDown() override {
    visible = true;
    ++drop_downs;
  }
  void ClosePopup() override {
    visible = false;
    if (owner != nullptr)
      owner->PopupClosed();
  }

  IlxCustomGridPopupOwner* owner = nullptr;
  bool visible = false;
  int drop_downs = 0;
};

// A cell with a text and a colour that records what the framework asks.
class TTestCell : public TlxCustomGridViewCellViewInfo {
 public:
  static constexpr TClass kClass{"TTestCell", &TlxCustomGridViewCellViewInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewCellViewInfo::TlxCustomGridViewCellViewInfo;

  int32_t CalculateWidth() override {
    log.push_back("width");
    return natural_width;
  }
  int32_t CalculateHeight() override {
    log.push_back("height");
    return natural_height;
  }
  void CalculateParams() override {
    ++param_calculations;
    TlxCustomGridViewCellViewInfo::CalculateParams();
  }
  void GetViewParams(TlxPaintParams& params) override {
    params.Color = color;
    params.TextColor = clBlack;
    params.Font = &font;
  }
  void GetText(std::string& value) override { value = text; }
  const TClass* GetHitTestClass() const override { return &TlxGridHeaderHitTest::kClass; }
  bool GetHotTrack() override { return hot_track || HasPopup(); }
  bool CaptureMouseOnPress() const override { return true; }
  void Click() override { ++clicks; }
  TlxBorders GetBorders() override { return borders; }
  int32_t GetBorderWidth(TlxBorder /*side*/) override { return 1; }
  TColor GetBorderColor(TlxBorder /*side*/) override { return clBlue; }
  bool HasCustomDraw() override { return custom_draw != nullptr; }
  bool CustomDraw(TlxCanvas& canvas) override { return custom_draw(canvas); }
  TObject* GetPopup() override { return popup; }
  bool IsPopupCreated() override { return popup != nullptr; }
  bool ClosePopupWithOwner() override { return close_popup_with_owner; }

  std::vector<std::string> log;
  int32_t natural_width = 50;
  int32_t natural_height = 20;
  int param_calculations = 0;
  TColor color = clWhite;
  std::string text;
  TFont font;
  bool hot_track = true;
  int clicks = 0;
  TlxBorders borders;
  std::function<bool(TlxCanvas&)> custom_draw;
  TFakePopup* popup = nullptr;
  bool close_popup_with_owner = true;
};

// Hit tests and mouse routing of the tests' cells: what the view
// controller does for every cell, reduced to the cells of this view info.
class TCellViewInfo : public grid_test_view::TTestViewInfo {
 public:
  static constexpr TClass kClass{"TCellViewInfo", &grid_test_view::TTestViewInfo::kClass,
                                 &ConstructInstance<TCellViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using grid_test_view::TTestViewInfo::TTestViewInfo;

  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override {
    for (const std::unique_ptr<TTestCell>& cell : cells)
      if (TlxCustomGridHitTest* hit_test = cell->GetHitTest(point))
        return hit_test;
    return TTestViewInfo::GetHitTest(point);
  }

  TTestCell* AddCell(const TRect& bounds) {
    cells.push_back(std::make_unique<TTestCell>(this));
    cells.back()->CalculateByRect(bounds);
    return cells.back().get();
  }

  std::vector<std::unique_ptr<TTestCell>> cells;
};

class TCellController : public grid_test_view::TTestController {
 public:
  static constexpr TClass kClass{"TCellController", &grid_test_view::TTestController::kClass,
                                 &ConstructInstance<TCellController>};
  const TClass* ClassType() const override { return &kClass; }
  using grid_test_view::TTestController::TTestController;

  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(x, y));
    if (auto* cell = dynamic_cast<TlxCustomGridCellViewInfo*>(hit_test->ViewInfo()))
      cell->MouseDown(hit_test, button, shift);
  }
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override {
    TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(x, y));
    for (const std::unique_ptr<TTestCell>& cell : static_cast<TCellViewInfo*>(ViewInfo())->cells)
      cell->MouseMove(hit_test, shift);
  }
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override {
    TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(x, y));
    for (const std::unique_ptr<TTestCell>& cell : static_cast<TCellViewInfo*>(ViewInfo())->cells)
      cell->MouseUp(hit_test, button, shift);
  }
};

class TCellPainter : public TlxCustomGridPainter {
 public:
  static constexpr TClass kClass{"TCellPainter", &TlxCustomGridPainter::kClass, &ConstructInstance<TCellPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPainter::TlxCustomGridPainter;

  void PaintContent() override {
    for (const std::unique_ptr<TTestCell>& cell : static_cast<TCellViewInfo*>(ViewInfo())->cells) {
      cell->Paint(&Canvas());
      ExcludeFromBackground(cell->BoundsRect);
    }
  }
};

class TCellView : public TTestView {
 public:
  static constexpr TClass kClass{"TCellView", &TTestView::kClass, &lxConstructGridView<TCellView>};
  const TClass* ClassType() const override { return &kClass; }
  using TTestView::TTestView;

  const TClass* GetControllerClass() const override { return &TCellController::kClass; }
  const TClass* GetPainterClass() const override { return &TCellPainter::kClass; }
  const TClass* GetViewInfoClass() const override { return &TCellViewInfo::kClass; }
};

class GridCellsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(40, 40, 420, 320);
    grid_ = new TlxGrid(form_);
    grid_->SetParent(form_);
    grid_->SetBounds(10, 10, 300, 200);
    view_ = lxCreateGridView<TCellView>(form_);
    view_->SetParentComponent(grid_);
    level_ = new TlxGridLevel(form_);
    level_->SetParentComponent(grid_);
    level_->SetGridView(view_);
    form_->Show();
    ViewInfo()->MainCalculate(TRect(0, 0, 240, 160));
    test_support::PumpMessagesUntilIdle();
  }
  void TearDown() override {
    ViewInfo()->cells.clear();
    form_->Free();
    test_support::PumpMessagesUntilIdle();
  }

  TCellViewInfo* ViewInfo() const { return static_cast<TCellViewInfo*>(view_->ViewInfo()); }
  HWND SiteWindow() const { return view_->Site()->Handle(); }
  void Repaint() {
    view_->Site()->Invalidate();
    view_->Site()->Update();
  }
  test_support::WindowPixels Pixels() {
    Repaint();
    return test_support::WindowPixels::Capture(SiteWindow());
  }

  TForm* form_ = nullptr;
  TlxGrid* grid_ = nullptr;
  TCellView* view_ = nullptr;
  TlxGridLevel* level_ = nullptr;
};

TEST_F(GridCellsTest, CalculateTakesWidthBeforeHeightAndAnInvertedRectangleGivesZeroSizes) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(0, 0, 10, 10));
  cell->log.clear();
  cell->Calculate(5, 7);
  // The params' own width step runs once, before the layout's sizes.
  EXPECT_EQ(cell->log, (std::vector<std::string>{"width", "height"}));
  EXPECT_EQ(cell->BoundsRect, TRect(5, 7, 55, 27));
  EXPECT_TRUE(cell->IsCalculated());

  cell->CalculateByRect(TRect(30, 40, 20, 10));
  EXPECT_EQ(cell->BoundsRect, TRect(30, 40, 30, 40));
}

TEST_F(GridCellsTest, ParamsAreCalculatedOnceUntilARecalculationAndBoundsCachesFollowTheBorders) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  cell->borders = TlxBorders{bLeft, bBottom};
  cell->ResetParams();
  const int before = cell->param_calculations;
  EXPECT_EQ(cell->PaintParams().Color, clWhite);
  cell->PaintParams();
  cell->DisplayText();
  const int after_first = cell->param_calculations;
  EXPECT_EQ(after_first, before + 1);
  cell->CalculateByRect(TRect(10, 10, 60, 30));
  EXPECT_EQ(cell->ClientBounds(), TRect(11, 10, 60, 29));
  EXPECT_EQ(cell->ContentBounds(), TRect(11, 10, 60, 29));

  TRect text_area;
  cell->GetTextAreaBounds(text_area);
  EXPECT_EQ(text_area, TRect(13, 12, 58, 27));
  TRect left_border;
  cell->GetBorderBounds(bLeft, left_border);
  EXPECT_EQ(left_border, TRect(10, 10, 11, 30));  // covers the bottom border's height

  cell->Offset(5, 5);
  EXPECT_EQ(cell->ClientBounds(), TRect(16, 15, 65, 34));
  cell->BeforeRecalculation();
  cell->PaintParams();
  EXPECT_EQ(cell->param_calculations, after_first + 1);
}

TEST_F(GridCellsTest, TextFlagsFollowAlignmentWrappingAndEllipsis) {
  struct AlignedCell : TTestCell {
    using TTestCell::TTestCell;
    TAlignment GetTextAlignHorz() const override { return horz; }
    TlxAlignmentVert GetTextAlignVert() const override { return vert; }
    bool GetMeasureMultiLine() override { return multi_line; }
    bool GetShowEndEllipsis() override { return ellipsis; }
    TAlignment horz = taLeftJustify;
    TlxAlignmentVert vert = vaTop;
    bool multi_line = false;
    bool ellipsis = false;
  };
  struct Case {
    TAlignment horz;
    TlxAlignmentVert vert;
    bool multi_line;
    bool ellipsis;
    uint32_t flags;
  };
  const Case cases[] = {
      {taLeftJustify, vaTop, false, false, 0x01 | 0x08 | 0x40},
      {taRightJustify, vaBottom, false, true, 0x02 | 0x10 | 0x40 | 0x800},
      {taCenter, vaCenter, true, false, 0x04 | 0x20 | 0x400},
  };
  for (const Case& c : cases) {
    AlignedCell cell(ViewInfo());
    cell.horz = c.horz;
    cell.vert = c.vert;
    cell.multi_line = c.multi_line;
    cell.ellipsis = c.ellipsis;
    cell.CalculateParamsIfNeeded();
    EXPECT_EQ(cell.GetTextFlags(true), c.flags);
    EXPECT_EQ(cell.GetTextFlags(false), c.flags);
  }
}

TEST_F(GridCellsTest, TextBoundsAreAlignedWithinTheTextArea) {
  struct RightCell : TTestCell {
    using TTestCell::TTestCell;
    TAlignment GetTextAlignHorz() const override { return taRightJustify; }
    TlxAlignmentVert GetTextAlignVert() const override { return vaCenter; }
  };
  RightCell cell(ViewInfo());
  cell.text = "Datei";
  cell.CalculateByRect(TRect(0, 0, 120, 40));
  const int32_t width = cell.TextWidth();
  const int32_t height = cell.TextHeight();
  ASSERT_GT(width, 0);
  ASSERT_GT(height, 0);
  EXPECT_EQ(cell.TextWidthWithOffset(), width + 4);
  TRect bounds;
  cell.TextBounds(bounds);
  EXPECT_EQ(bounds.Right, 118);
  EXPECT_EQ(bounds.Left, 118 - width);
  EXPECT_EQ(bounds.Top, (2 + 38 - height) / 2);
  EXPECT_EQ(cell.GetBestFitWidth(), width + 4);
}

TEST_F(GridCellsTest, HitTestsLinkBothWaysAndAFreedCellLeavesNoLinkBehind) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(20, 20));
  ASSERT_TRUE(hit_test->Is(TlxGridHeaderHitTest::kClass));
  EXPECT_EQ(hit_test->ViewInfo(), cell);
  EXPECT_EQ(cell->LinkedHitTest(), hit_test);
  EXPECT_EQ(static_cast<TlxCustomGridViewHitTest*>(hit_test)->GridView, view_);
  EXPECT_EQ(hit_test->Pos, TPoint(20, 20));

  // A point outside every cell: the view's none hit test.
  TlxCustomGridHitTest* none = ViewInfo()->GetHitTestAtPoint(TPoint(150, 100));
  EXPECT_EQ(none->GetHitTestCode(), 0);

  // A second cell takes the shared instance over; the first forgets it.
  TTestCell* second = ViewInfo()->AddCell(TRect(100, 10, 150, 30));
  EXPECT_EQ(ViewInfo()->GetHitTestAtPoint(TPoint(110, 20)), hit_test);
  EXPECT_EQ(hit_test->ViewInfo(), second);
  EXPECT_EQ(cell->LinkedHitTest(), nullptr);

  ViewInfo()->cells.pop_back();
  EXPECT_EQ(hit_test->ViewInfo(), nullptr);

  // An invisible cell yields nothing.
  cell->SetIsVisible(false);
  EXPECT_EQ(cell->GetHitTest(TPoint(20, 20)), nullptr);
}

TEST_F(GridCellsTest, MouseMessagesDriveHotPressedAndClickWithCapture) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  test_support::SendMouseMove(SiteWindow(), {20, 20});
  EXPECT_EQ(cell->MouseState(), gmsHot);
  EXPECT_TRUE(lxIsMouseTracking(cell));

  SendMessage(SiteWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  EXPECT_EQ(cell->MouseState(), gmsPressed);
  EXPECT_TRUE(cell->IsMouseCaptured());

  // Dragged off while captured: hot; back on: pressed again.
  test_support::SendMouseMove(SiteWindow(), {150, 100}, MK_LBUTTON);
  EXPECT_EQ(cell->MouseState(), gmsHot);
  test_support::SendMouseMove(SiteWindow(), {25, 22}, MK_LBUTTON);
  EXPECT_EQ(cell->MouseState(), gmsPressed);

  SendMessage(SiteWindow(), WM_LBUTTONUP, 0, MAKELPARAM(25, 22));
  EXPECT_EQ(cell->MouseState(), gmsNormal);
  EXPECT_EQ(cell->clicks, 1);
  EXPECT_FALSE(cell->IsMouseCaptured());

  // Released off the cell: no click.
  SendMessage(SiteWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  test_support::SendMouseMove(SiteWindow(), {150, 100}, MK_LBUTTON);
  SendMessage(SiteWindow(), WM_LBUTTONUP, 0, MAKELPARAM(150, 100));
  EXPECT_EQ(cell->clicks, 1);
  EXPECT_EQ(cell->MouseState(), gmsNormal);
  EXPECT_FALSE(lxIsMouseTracking(cell));
}

TEST_F(GridCellsTest, RightButtonAndForeignHitTestsLeaveTheStateAlone) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(20, 20));
  EXPECT_FALSE(cell->MouseDown(hit_test, mbRight, TShiftState()));
  EXPECT_EQ(cell->MouseState(), gmsNormal);
  cell->MouseDown(hit_test, mbLeft, TShiftState());
  ASSERT_EQ(cell->MouseState(), gmsPressed);
  EXPECT_FALSE(cell->MouseUp(hit_test, mbRight, TShiftState()));
  EXPECT_EQ(cell->MouseState(), gmsPressed);
  EXPECT_EQ(cell->clicks, 0);

  TlxCustomGridHitTest* none = ViewInfo()->GetHitTestAtPoint(TPoint(150, 100));
  cell->MouseUp(none, mbLeft, TShiftState());
  EXPECT_EQ(cell->clicks, 1);  // the press was on the cell; capture kept it

  cell->hot_track = false;
  EXPECT_FALSE(cell->MouseDown(hit_test, mbLeft, TShiftState()));
  EXPECT_FALSE(cell->MouseMove(hit_test, TShiftState()));
}

TEST_F(GridCellsTest, ALostCaptureAndAnOffsetEndTheCellsState) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  SendMessage(SiteWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 20));
  ASSERT_TRUE(cell->IsMouseCaptured());
  view_->Site()->SetMouseCaptureObject(nullptr);
  EXPECT_EQ(cell->MouseState(), gmsNormal);

  test_support::SendMouseMove(SiteWindow(), {20, 20});
  ASSERT_EQ(cell->MouseState(), gmsHot);
  cell->DoOffset(0, 40);
  EXPECT_EQ(cell->MouseState(), gmsNormal);
  EXPECT_EQ(cell->BoundsRect, TRect(10, 50, 60, 70));
  EXPECT_FALSE(lxIsMouseTracking(cell));

  // A cell freed while it holds the capture lets go of the site.
  SendMessage(SiteWindow(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 60));
  ASSERT_TRUE(cell->IsMouseCaptured());
  ViewInfo()->cells.clear();
  EXPECT_EQ(view_->Site()->CaptureObject(), nullptr);
}

TEST_F(GridCellsTest, PopupCellTogglesItsPopupAndIgnoresMovesWhilePressed) {
  TFakePopup popup;
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  cell->popup = &popup;
  TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(20, 20));
  cell->MouseMove(hit_test, TShiftState());
  ASSERT_EQ(cell->MouseState(), gmsHot);
  EXPECT_TRUE(cell->MouseDown(hit_test, mbLeft, TShiftState()));
  EXPECT_EQ(cell->MouseState(), gmsPressed);
  EXPECT_TRUE(popup.visible);
  EXPECT_EQ(popup.owner, cell);

  TlxCustomGridHitTest* none = ViewInfo()->GetHitTestAtPoint(TPoint(150, 100));
  EXPECT_FALSE(cell->MouseMove(none, TShiftState()));
  EXPECT_EQ(cell->MouseState(), gmsPressed);
  EXPECT_FALSE(cell->MouseUp(hit_test, mbLeft, TShiftState()));

  hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(20, 20));
  cell->MouseDown(hit_test, mbLeft, TShiftState());
  EXPECT_EQ(cell->MouseState(), gmsHot);
  EXPECT_FALSE(popup.visible);
  EXPECT_EQ(popup.drop_downs, 1);

  // Closing the popup from its side ends the pressed state.
  cell->MouseDown(hit_test, mbLeft, TShiftState());
  EXPECT_EQ(cell->MouseState(), gmsPressed);
  EXPECT_EQ(popup.drop_downs, 2);
  ASSERT_TRUE(popup.visible);
  popup.ClosePopup();
  EXPECT_EQ(cell->MouseState(), gmsNormal);
}

TEST_F(GridCellsTest, APopupThatOutlivesItsCellIsTakenOverByTheRebuiltCell) {
  TFakePopup popup;
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  cell->popup = &popup;
  cell->close_popup_with_owner = false;
  TlxCustomGridHitTest* hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(20, 20));
  cell->MouseMove(hit_test, TShiftState());
  cell->MouseDown(hit_test, mbLeft, TShiftState());
  ASSERT_TRUE(popup.visible);

  ViewInfo()->cells.clear();  // the layout is rebuilt
  EXPECT_TRUE(popup.visible);
  EXPECT_EQ(popup.owner, nullptr);

  auto rebuilt = std::make_unique<TTestCell>(ViewInfo());
  rebuilt->popup = &popup;
  rebuilt->close_popup_with_owner = false;
  rebuilt->CalculateByRect(TRect(10, 10, 60, 30));
  EXPECT_EQ(popup.owner, rebuilt.get());
  EXPECT_EQ(rebuilt->MouseState(), gmsPressed);
  EXPECT_EQ(popup.drop_downs, 1);

  // A popup that closes with its owner goes when the cell goes.
  rebuilt->close_popup_with_owner = true;
  popup.owner = nullptr;
  popup.visible = false;
  TTestCell* third = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  third->popup = &popup;
  hit_test = ViewInfo()->GetHitTestAtPoint(TPoint(20, 20));
  third->MouseMove(hit_test, TShiftState());
  third->MouseDown(hit_test, mbLeft, TShiftState());
  ASSERT_TRUE(popup.visible);
  ViewInfo()->cells.clear();
  EXPECT_FALSE(popup.visible);
  EXPECT_EQ(popup.owner, nullptr);
}

TEST_F(GridCellsTest, PaintingFillsTextAndBordersAndACustomDrawChangesOnlyThisPaint) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 90, 40));
  cell->color = clYellow;
  cell->borders = TlxBorders{bRight, bBottom};
  cell->ResetParams();
  cell->CalculateByRect(TRect(10, 10, 90, 40));

  test_support::WindowPixels pixels = Pixels();
  EXPECT_EQ(pixels.At(20, 20), static_cast<COLORREF>(clYellow));
  EXPECT_EQ(pixels.At(89, 20), static_cast<COLORREF>(clBlue));
  EXPECT_EQ(pixels.At(20, 39), static_cast<COLORREF>(clBlue));
  EXPECT_NE(pixels.At(120, 100), static_cast<COLORREF>(clYellow));  // background outside

  // Not done, but the brush changed: the default drawing uses it.
  cell->custom_draw = [](TlxCanvas& canvas) {
    canvas.SetBrushColor(clLime);
    return false;
  };
  pixels = Pixels();
  EXPECT_EQ(pixels.At(20, 20), static_cast<COLORREF>(clLime));
  EXPECT_EQ(cell->PaintParams().Color, clYellow);

  // Done: nothing of the content, but the borders still.
  cell->custom_draw = [](TlxCanvas& canvas) {
    canvas.FillRectColor(TRect(10, 10, 90, 40), clRed);
    return true;
  };
  pixels = Pixels();
  EXPECT_EQ(pixels.At(20, 20), static_cast<COLORREF>(clRed));
  EXPECT_EQ(pixels.At(89, 20), static_cast<COLORREF>(clBlue));

  cell->custom_draw = nullptr;
  pixels = Pixels();
  EXPECT_EQ(pixels.At(20, 20), static_cast<COLORREF>(clYellow));
}

TEST_F(GridCellsTest, TextIsDrawnInTheTextAreaAndAnUncalculatedCellPaintsNothing) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 110, 40));
  cell->text = "MMMM";
  cell->ResetParams();
  test_support::WindowPixels pixels = Pixels();
  int dark = 0;
  for (int y = 12; y < 38; ++y)
    for (int x = 12; x < 108; ++x)
      dark += pixels.At(x, y) != RGB(255, 255, 255) ? 1 : 0;
  EXPECT_GT(dark, 10);
  // Nothing of the text lies in the two-pixel margin.
  for (int x = 10; x < 110; ++x)
    EXPECT_EQ(pixels.At(x, 10), RGB(255, 255, 255));

  auto loose = std::make_unique<TTestCell>(ViewInfo());
  loose->color = clRed;
  loose->BoundsRect = TRect(150, 100, 200, 140);
  loose->Paint(&ViewInfo()->Canvas());
  pixels = test_support::WindowPixels::Capture(SiteWindow());
  EXPECT_NE(pixels.At(160, 110), static_cast<COLORREF>(clRed));
}

TEST_F(GridCellsTest, HintsOnlyForTextThatDoesNotFit) {
  TTestCell* cell = ViewInfo()->AddCell(TRect(10, 10, 60, 30));
  std::string text;
  TRect text_rect;
  bool multi_line = false;
  cell->text = "";
  cell->ResetParams();
  EXPECT_FALSE(cell->NeedsHint(TPoint(20, 20), text, text_rect, multi_line));

  cell->text = "ab";
  cell->ResetParams();
  EXPECT_FALSE(cell->NeedsHint(TPoint(20, 20), text, text_rect, multi_line));

  cell->text = "Eine sehr lange Zeile, die nicht passt";
  cell->ResetParams();
  EXPECT_TRUE(cell->NeedsHint(TPoint(20, 20), text, text_rect, multi_line));
  EXPECT_EQ(text, cell->text);
  EXPECT_EQ(text_rect, TRect(12, 12, 58, 28));
  EXPECT_FALSE(cell->NeedsHint(TPoint(100, 100), text, text_rect, multi_line));
}

TEST_F(GridCellsTest, DesignSelectorIsATriangleWithItsColoursAndHitTest) {
  TlxGridDesignSelectorViewInfo selector(ViewInfo());
  selector.Calculate(0, 0);
  EXPECT_EQ(selector.BoundsRect, TRect(0, 0, 20, 20));
  EXPECT_TRUE(selector.HasPoint(TPoint(2, 2)));
  EXPECT_FALSE(selector.HasPoint(TPoint(18, 18)));
  TlxCustomGridHitTest* hit_test = selector.GetHitTest(TPoint(3, 3));
  ASSERT_NE(hit_test, nullptr);
  EXPECT_EQ(hit_test->GetHitTestCode(), 3);
  EXPECT_EQ(hit_test->Cursor(), crHandPoint);
  EXPECT_EQ(selector.GetHitTest(TPoint(18, 18)), nullptr);

  TlxPaintParams params;
  selector.GetViewParams(params);
  EXPECT_EQ(params.Color, lxGetNearestScreenColor(static_cast<TColor>(0x008DD5FF)));
  EXPECT_EQ(params.TextColor, lxGetNearestScreenColor(static_cast<TColor>(0x003695F2)));
  selector.MouseMove(hit_test, TShiftState());
  ASSERT_EQ(selector.MouseState(), gmsHot);
  selector.GetViewParams(params);
  EXPECT_EQ(params.Color, lxGetNearestScreenColor(static_cast<TColor>(0x0068B7F9)));
  selector.SetMouseState(gmsNormal);

  // Painted: the fill inside the triangle; the mark's vertical line at
  // (3, 3..11).
  Repaint();
  selector.Paint(&ViewInfo()->Canvas());
  test_support::WindowPixels pixels = test_support::WindowPixels::Capture(SiteWindow());
  EXPECT_EQ(pixels.At(6, 12), static_cast<COLORREF>(lxGetNearestScreenColor(static_cast<TColor>(0x008DD5FF))));
  EXPECT_EQ(pixels.At(3, 5), static_cast<COLORREF>(lxGetNearestScreenColor(static_cast<TColor>(0x003695F2))));
}

}  // namespace grid_cells_win_test
