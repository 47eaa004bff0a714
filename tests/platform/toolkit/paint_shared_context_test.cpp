// Graphic children share their parent's device context while it paints
// them, and each leaves its font, pen and brush selected for the next. These
// tests check that every child still draws with its own settings, and that
// a handle left in a context is taken out of it before it is deleted.

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/control_canvas.h"
#include "platform/toolkit/form.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

constexpr int kCellSize = 40;

// A graphic control that paints with the function it is given.
class PaintedCell : public TGraphicControl {
 public:
  PaintedCell(TComponent* owner, std::function<void(TCanvas&)> paint)
      : TGraphicControl(owner), paint_(std::move(paint)) {}

 protected:
  void Paint() override { paint_(Canvas()); }

 private:
  std::function<void(TCanvas&)> paint_;
};

PaintedCell* AddCell(TForm& form, int column, std::function<void(TCanvas&)> paint) {
  auto* cell = new PaintedCell(&form, std::move(paint));
  cell->SetBounds(column * kCellSize, 0, kCellSize, kCellSize);
  cell->SetParent(&form);
  return cell;
}

// How many pixels of the cell in `column` have exactly `color`.
int PixelsOfColor(const test_support::WindowPixels& pixels, int column, TColor color) {
  const COLORREF wanted = ColorToColorRef(color);
  int count = 0;
  for (int y = 0; y < kCellSize; ++y)
    for (int x = column * kCellSize; x < (column + 1) * kCellSize; ++x)
      if (pixels.At(x, y) == wanted)
        ++count;
  return count;
}

void PrepareTextFont(TCanvas& canvas, TFontStyles style, TColor color, int32_t height = -16) {
  canvas.Font().SetName("Tahoma");
  canvas.Font().SetHeight(height);
  canvas.Font().SetQuality(fqNonAntialiased);
  canvas.Font().SetStyle(style);
  canvas.Font().SetColor(color);
}

TEST(PaintSharedContextTest, NeighboursDrawWithTheirOwnObjects) {
  auto form = form_fixture::MakeForm(5 * kCellSize, kCellSize);
  form->SetColor(clWhite);
  // 0: a thick red frame drawn with an xor pen over a filled square, and
  //    bold red text.
  AddCell(*form, 0, [](TCanvas& canvas) {
    canvas.Pen().SetMode(pmCopy);
    canvas.Brush().SetColor(clWhite);
    canvas.Pen().SetColor(clRed);
    canvas.Pen().SetWidth(5);
    canvas.Rectangle(0, 0, kCellSize, kCellSize);
    canvas.Pen().SetMode(pmXor);
    canvas.Pen().SetColor(clBlack);
    canvas.MoveTo(0, 20);
    canvas.LineTo(kCellSize, 20);
    PrepareTextFont(canvas, {fsBold}, clRed);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(8, 8, "W");
  });
  // 1: the default one-pixel black pen, a lime fill, drawn in copy mode
  //    after the xor pen of its neighbour.
  AddCell(*form, 1, [](TCanvas& canvas) {
    canvas.Brush().SetColor(clLime);
    canvas.Rectangle(0, 0, kCellSize, kCellSize);
  });
  // 2: blue text in the same face and size as cell 0, but not bold, on an
  //    opaque background.
  AddCell(*form, 2, [](TCanvas& canvas) {
    PrepareTextFont(canvas, {}, clBlue);
    canvas.Brush().SetColor(clYellow);
    canvas.TextOut(8, 8, "W");
  });
  // 3: a hatch after the solid and clear brushes of the others.
  AddCell(*form, 3, [](TCanvas& canvas) {
    canvas.Brush().SetColor(clNavy);
    canvas.Brush().SetStyle(bsCross);
    canvas.FillRect(Rect(0, 0, kCellSize, kCellSize));
  });
  // 4: an equal font, whose handle is the one cell 2 left selected.
  AddCell(*form, 4, [](TCanvas& canvas) {
    PrepareTextFont(canvas, {}, clPurple);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(8, 8, "W");
  });
  form_fixture::ShowAndSettle(*form);
  // Twice: the second paint starts with what the first left selected.
  for (int round = 0; round < 2; ++round) {
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const auto pixels = test_support::WindowPixels::Capture(form->Handle());
    SCOPED_TRACE("round " + std::to_string(round));

    EXPECT_EQ(pixels.At(1, 1), ColorToColorRef(clRed));
    EXPECT_GT(PixelsOfColor(pixels, 0, clRed), 0);

    EXPECT_EQ(pixels.At(kCellSize, 0), ColorToColorRef(clBlack));
    EXPECT_EQ(pixels.At(kCellSize + 1, 1), ColorToColorRef(clLime));
    // Copy mode: a black outline on white stays black (xor would leave it
    // white) and is one pixel wide.
    EXPECT_EQ(pixels.At(kCellSize + 5, kCellSize - 1), ColorToColorRef(clBlack));
    EXPECT_EQ(pixels.At(kCellSize + 5, kCellSize - 2), ColorToColorRef(clLime));

    EXPECT_GT(PixelsOfColor(pixels, 2, clBlue), 0);
    EXPECT_GT(PixelsOfColor(pixels, 2, clYellow), 0);
    EXPECT_EQ(PixelsOfColor(pixels, 2, clRed), 0);

    EXPECT_GT(PixelsOfColor(pixels, 3, clNavy), 0);
    EXPECT_GT(PixelsOfColor(pixels, 3, clWhite), 0);

    EXPECT_GT(PixelsOfColor(pixels, 4, clPurple), 0);
    EXPECT_EQ(PixelsOfColor(pixels, 4, clYellow), 0);
    // The same text in the same plain font covers as many pixels.
    EXPECT_EQ(PixelsOfColor(pixels, 4, clPurple), PixelsOfColor(pixels, 2, clBlue));
  }
}

TEST(PaintSharedContextTest, NeighbourMeasuresTextInItsOwnFont) {
  auto form = form_fixture::MakeForm(2 * kCellSize, kCellSize);
  int32_t large_width = 0;
  int32_t plain_width = 0;
  AddCell(*form, 0, [&](TCanvas& canvas) {
    PrepareTextFont(canvas, {}, clBlack, -32);
    large_width = canvas.TextWidth("WWWWWWWW");
  });
  AddCell(*form, 1, [&](TCanvas& canvas) {
    PrepareTextFont(canvas, {}, clBlack);
    plain_width = canvas.TextWidth("WWWWWWWW");
  });
  form_fixture::ShowAndSettle(*form);
  RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);

  TBitmap reference(10, 10);
  PrepareTextFont(reference.Canvas(), {}, clBlack);
  EXPECT_EQ(plain_width, reference.Canvas().TextWidth("WWWWWWWW"));
  EXPECT_GT(large_width, plain_width);
}

// A memory context that a painter hands to control canvases, as a parent
// hands its paint context to its graphic children.
class HandedInContext {
 public:
  HandedInContext() : dc_(CreateCompatibleDC(nullptr)), bitmap_(CreateCompatibleBitmap(dc_, 16, 16)) {
    old_bitmap_ = SelectObject(dc_, bitmap_);
  }
  ~HandedInContext() {
    SelectObject(dc_, old_bitmap_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }
  HandedInContext(const HandedInContext&) = delete;
  HandedInContext& operator=(const HandedInContext&) = delete;
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
  HBITMAP bitmap_;
  HGDIOBJ old_bitmap_ = nullptr;
};

// Draws a line and text, so that pen, brush and font are all selected, and
// lets go of the context.
void DrawOnceAndLetGo(TControlCanvas& canvas, HDC dc) {
  canvas.SetHandle(dc);
  canvas.LineTo(5, 5);
  canvas.TextOut(0, 0, "x");
  canvas.SetHandle(nullptr);
}

TEST(PaintSharedContextTest, HandlesLeftInAContextGoWhenTheirObjectChanges) {
  HandedInContext context;
  TControlCanvas canvas;
  canvas.Pen().SetColor(clRed);
  canvas.Brush().SetColor(clGreen);
  DrawOnceAndLetGo(canvas, context.Get());
  const HGDIOBJ pen = canvas.Pen().Handle();
  const HGDIOBJ brush = canvas.Brush().Handle();
  // Left for the next canvas on the context.
  EXPECT_EQ(GetCurrentObject(context.Get(), OBJ_PEN), pen);
  EXPECT_EQ(GetCurrentObject(context.Get(), OBJ_BRUSH), brush);

  // A change deletes the old handles: they must have left the context,
  // else the system keeps them alive.
  canvas.Pen().SetColor(clBlue);
  canvas.Brush().SetColor(clYellow);
  EXPECT_EQ(GetObjectType(pen), 0u);
  EXPECT_EQ(GetObjectType(brush), 0u);
  EXPECT_NE(GetCurrentObject(context.Get(), OBJ_PEN), pen);
  EXPECT_NE(GetCurrentObject(context.Get(), OBJ_BRUSH), brush);

  // The context is usable with the new objects.
  DrawOnceAndLetGo(canvas, context.Get());
  EXPECT_EQ(GetCurrentObject(context.Get(), OBJ_PEN), canvas.Pen().Handle());
}

TEST(PaintSharedContextTest, AFontLeftInAContextGoesWithItsLastUser) {
  HandedInContext context;
  auto first = std::make_unique<TControlCanvas>();
  // A font no other object in the process uses, so that it is not shared.
  first->Font().SetHeight(-41);
  first->Font().SetStyle({fsItalic, fsStrikeOut});
  DrawOnceAndLetGo(*first, context.Get());
  const HGDIOBJ font = first->Font().Handle();
  EXPECT_EQ(GetCurrentObject(context.Get(), OBJ_FONT), font);

  // A second canvas with an equal font shares the handle; the first one
  // going does not take it away from the second.
  auto second = std::make_unique<TControlCanvas>();
  second->Font().Assign(&first->Font());
  EXPECT_EQ(second->Font().Handle(), font);
  DrawOnceAndLetGo(*second, context.Get());
  first.reset();
  EXPECT_EQ(GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
  EXPECT_EQ(GetCurrentObject(context.Get(), OBJ_FONT), font);

  second.reset();
  EXPECT_EQ(GetObjectType(font), 0u);
  EXPECT_NE(GetCurrentObject(context.Get(), OBJ_FONT), font);
}

TEST(PaintSharedContextTest, AnObjectSelectedSinceByOthersStaysSelected) {
  HandedInContext context;
  TControlCanvas canvas;
  canvas.Pen().SetColor(clRed);
  DrawOnceAndLetGo(canvas, context.Get());
  const HGDIOBJ old_pen = canvas.Pen().Handle();
  // Someone else draws on the context with a pen of their own.
  HPEN foreign = CreatePen(PS_SOLID, 1, RGB(1, 2, 3));
  SelectObject(context.Get(), foreign);
  canvas.Pen().SetColor(clBlue);
  EXPECT_EQ(GetObjectType(old_pen), 0u);
  EXPECT_EQ(GetCurrentObject(context.Get(), OBJ_PEN), foreign);
  SelectObject(context.Get(), GetStockObject(BLACK_PEN));
  DeleteObject(foreign);
}

}  // namespace
