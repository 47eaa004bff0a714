#include "editors/text_view_win.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "editors/default_editors.h"
#include "editors/edit_repository_items.h"
#include "tests/ui/foundation/painters/painter_test_support_win.h"

namespace text_view_test {

using painter_test::Surface;

constexpr TColor kBackground = 0xFFFFFF;
constexpr TColor kText = 0x000000;

// A text cell drawn without a window, as a grid column draws it.
class TextCell {
 public:
  explicit TextCell(TlxCustomTextEditProperties& properties, bool inplace = true, int32_t width = 120,
                    int32_t height = 40)
      : properties_(properties), inplace_(inplace), surface_(width, height) {
    style_.SetColor(kBackground);
    style_.SetTextColor(kText);
    style_.SetBorderStyle(ebsNone);
  }

  TlxCustomTextEditViewData& data() {
    if (data_ == nullptr) {
      std::unique_ptr<TlxCustomEditViewData> made = properties_.CreateViewData(&style_, inplace_, false);
      data_.reset(static_cast<TlxCustomTextEditViewData*>(made.release()));
    }
    return *data_;
  }
  TlxCustomTextEditViewInfo& info() { return info_; }
  TlxEditStyle& style() { return style_; }
  TlxCanvas& canvas() { return surface_.canvas(); }

  void Show(const Variant& value, const TRect& bounds) {
    data().Calculate(canvas(), bounds, TPoint(-1, -1), kLxNoMouseButton, {}, info_, false);
    data().ApplyEditValueToViewInfo(canvas(), value, info_);
    info_.Draw(canvas());
  }
  bool IsText(int32_t x, int32_t y) { return surface_.At(x, y) != static_cast<COLORREF>(kBackground); }
  // Columns [from, to) holding a pixel that is not background in rows [top, bottom).
  int32_t TextPixels(int32_t from, int32_t to, int32_t top, int32_t bottom) {
    int32_t count = 0;
    for (int32_t x = from; x < to; ++x)
      for (int32_t y = top; y < bottom; ++y)
        count += IsText(x, y) ? 1 : 0;
    return count;
  }

 private:
  TlxCustomTextEditProperties& properties_;
  bool inplace_;
  TlxEditStyle style_{nullptr, false};
  std::unique_ptr<TlxCustomTextEditViewData> data_;
  TlxCustomTextEditViewInfo info_;
  Surface surface_;
};

TEST(TextViewTest, DefaultItemsDrawNumbersAndFileNamesAsAlignedText) {
  TlxEditDataRegisteredRepositoryItems& registry = lxGetEditDataRegisteredRepositoryItems();
  TlxEditRepositoryItem* item = registry.GetItemForValueType(lxValueTypeClass<TlxIntegerValueType>());
  ASSERT_NE(item, nullptr);
  auto* properties = static_cast<TlxCustomTextEditProperties*>(item->Properties());
  TextCell left(*properties);
  left.Show(Variant(12345), TRect(0, 0, 120, 20));
  EXPECT_EQ(left.info().Text, "12345");
  EXPECT_GT(left.TextPixels(0, 60, 0, 20), 0);
  EXPECT_EQ(left.TextPixels(60, 120, 0, 20), 0) << "left-aligned text stays on the left";

  TlxTextEditProperties right_aligned(nullptr);
  right_aligned.GetAlignment()->SetHorz(taRightJustify);
  TextCell right(right_aligned);
  right.Show(Variant("Datei.txt"), TRect(0, 0, 120, 20));
  EXPECT_EQ(right.TextPixels(0, 50, 0, 20), 0);
  EXPECT_GT(right.TextPixels(60, 120, 0, 20), 0);
}

TEST(TextViewTest, ANumericValueTheKindCannotReadIsDrawnAsItsText) {
  struct NumericProperties : TlxTextEditProperties {
    using TlxTextEditProperties::TlxTextEditProperties;
    bool IsNumericValue() const override { return true; }
  } properties(nullptr);
  properties.SetDisplayFormat("0.00");
  TextCell cell(properties);
  cell.Show(Variant("n/a"), TRect(0, 0, 120, 20));
  EXPECT_EQ(cell.info().Text, "n/a");
  EXPECT_GT(cell.TextPixels(0, 60, 0, 20), 0);
  cell.Show(Variant(2.5), TRect(0, 0, 120, 20));
  EXPECT_EQ(cell.info().Text, "2.50");
}

TEST(TextViewTest, FixedListsMoveTheirTextOnePixelDownAndIn) {
  TlxTextEditProperties free_text(nullptr);
  TlxTextEditProperties fixed(nullptr);
  fixed.SetHideCursor(true);
  for (TlxTextEditProperties* properties : {&free_text, &fixed}) {
    properties->GetAlignment()->SetHorz(taRightJustify);
    properties->GetAlignment()->SetVert(taTopJustify);
  }
  TextCell a(free_text, false);
  TextCell b(fixed, false);
  a.Show(Variant("x"), TRect(0, 0, 100, 30));
  b.Show(Variant("x"), TRect(0, 0, 100, 30));
  EXPECT_EQ(b.info().TextRect.Top, a.info().TextRect.Top + 1);
  EXPECT_EQ(b.info().TextRect.Right, a.info().TextRect.Right - 1);
}

TEST(TextViewTest, AShortEditorGetsOneLineOfTextClippedAtItsClientRect) {
  TlxTextEditProperties properties(nullptr);
  TextCell editor(properties, false);
  editor.Show(Variant("Zg"), TRect(0, 0, 100, 8));
  const int32_t line = editor.canvas().MeasureTextHeight("Zg");
  ASSERT_GT(line, 8);
  EXPECT_EQ(editor.info().TextRect.Bottom, editor.info().ClientRect.Bottom);
  TextCell cell(properties, true);
  cell.Show(Variant("Zg"), TRect(0, 0, 100, 8));
  EXPECT_LT(cell.info().TextRect.Height(), line) << "an in-place cell keeps its short rect";
}

TEST(TextViewTest, SelectionsAreClampedToTheTextAndColoured) {
  TlxTextEditProperties properties(nullptr);
  struct Case {
    int32_t start;
    int32_t length;
    int32_t drawn;
  } cases[] = {{10, 3, 0}, {3, 10, 2}, {-1, 2, 0}, {0, 5, 5}};
  for (const Case& c : cases) {
    TextCell cell(properties);
    cell.data().SelStart = c.start;
    cell.data().SelLength = c.length;
    cell.Show(Variant("abcde"), TRect(0, 0, 120, 20));
    EXPECT_EQ(cell.info().TextOutData.SelLength, c.drawn) << c.start << "+" << c.length;
  }
  // Without colours of its own over a highlight-coloured cell: white on black.
  TextCell cell(properties);
  cell.style().SetColor(clHighlight);
  cell.data().SelStart = 0;
  cell.data().SelLength = 5;
  cell.Show(Variant("WWWWW"), TRect(0, 0, 120, 20));
  EXPECT_EQ(cell.info().SelBackgroundColor, 0);
  EXPECT_EQ(cell.info().SelTextColor, 0xFFFFFF);
  // A set text colour gets its inverse as background.
  TextCell coloured(properties);
  coloured.data().SelStart = 0;
  coloured.data().SelLength = 1;
  coloured.data().SelTextColor = 0x0000FF;
  coloured.Show(Variant("W"), TRect(0, 0, 120, 20));
  EXPECT_EQ(coloured.info().SelBackgroundColor, 0xFFFF00);
}

TEST(TextViewTest, MeasuringAnEmptyTextWithTheZeroOptionGivesNoHeight) {
  TlxTextEditProperties properties(nullptr);
  TextCell cell(properties);
  cell.data().Options = kLxTextViewEmptyMeasuresZero;
  TlxEditSizeProperties request;
  request.Width = 100;
  EXPECT_EQ(cell.data().MeasureValueContentSize(cell.canvas(), Variant(""), request).cy, 0);
  cell.data().Options = 0;
  EXPECT_GT(cell.data().MeasureValueContentSize(cell.canvas(), Variant(""), request).cy, 0);
  request.Width = -1;
  const TSize wide = cell.data().MeasureValueContentSize(cell.canvas(), Variant("WWWWWWWW"), request);
  const TSize narrow = cell.data().MeasureValueContentSize(cell.canvas(), Variant("W"), request);
  EXPECT_GT(wide.cx, narrow.cx);
}

TEST(TextViewTest, AWrappingCellBreaksItsTextAndStartsAtTheTopWhenRowsDoNotFit) {
  TlxTextEditProperties properties(nullptr);
  properties.GetAlignment()->SetVert(taVCenter);
  TextCell cell(properties, true, 200, 60);
  cell.data().Options = kLxTextViewSingleLineMayWrap;
  cell.Show(Variant("one two three four five six"), TRect(0, 0, 50, 20));
  const TlxTextOutFlags flags = cell.info().DrawTextFlags;
  EXPECT_NE(flags & lxtoWordBreak, 0u);
  EXPECT_EQ(flags & lxtoSingleLine, 0u);
  EXPECT_EQ(flags & lxtoVertAlignMask, 0u) << "rows taller than the cell start at the top";
  EXPECT_GT(cell.TextPixels(0, 50, 0, 5), 0) << "text in the top rows";

  TextCell single(properties, true, 200, 60);
  single.Show(Variant("one two three four five six"), TRect(0, 0, 50, 20));
  EXPECT_NE(single.info().DrawTextFlags & lxtoSingleLine, 0u);
}

TEST(TextViewTest, OnlyTruncatedTextGivesAHint) {
  TlxTextEditProperties properties(nullptr);
  TextCell fits(properties);
  fits.Show(Variant("ab"), TRect(0, 0, 100, 20));
  TRect hint_rect;
  bool multi_line = true;
  std::string text = "old";
  EXPECT_FALSE(fits.info().GetButtonHint(fits.canvas(), TPoint(5, 10), hint_rect, multi_line, text, TRect()));
  EXPECT_EQ(text, "");

  TextCell cut(properties);
  cut.Show(Variant("a long file name that is cut.txt"), TRect(0, 0, 60, 20));
  EXPECT_TRUE(cut.info().GetButtonHint(cut.canvas(), TPoint(5, 10), hint_rect, multi_line, text, TRect()));
  EXPECT_EQ(text, "a long file name that is cut.txt");
  EXPECT_FALSE(multi_line);
  EXPECT_EQ(hint_rect, cut.info().TextRect);
  EXPECT_FALSE(cut.info().GetButtonHint(cut.canvas(), TPoint(80, 10), hint_rect, multi_line, text, TRect()))
      << "a point outside the text rect";
}

TEST(TextViewTest, MovingTheViewInfoMovesTheCachedRows) {
  TlxTextEditProperties properties(nullptr);
  TextCell cell(properties);
  cell.Show(Variant("abc"), TRect(0, 0, 60, 20));
  ASSERT_TRUE(cell.info().TextOutData.Initialized);
  const TRect rect = cell.info().TextRect;
  const int32_t row_x = lxGetTextRow(cell.info().TextOutData.TextRows, 0).X;
  cell.info().MoveBy(10, 5);
  EXPECT_EQ(cell.info().TextRect, rect.Offset(10, 5));
  EXPECT_EQ(lxGetTextRow(cell.info().TextOutData.TextRows, 0).X, row_x + 10);
}

}  // namespace text_view_test
