#include "grid/grid_table_customization_form_win.h"

#include <algorithm>

#include "grid/grid_column_headers_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_sizing_objects_win.h"
#include "grid/grid_strings.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_view_win.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/painters/look_and_feel_painter_win.h"

namespace {

// Space between an item's border and its text, left and right.
constexpr int32_t kItemTextMargin = 2;

}  // namespace

// --- TlxGridTableItemsListBox ---------------------------------------------------------

TlxGridTableItemsListBox::TlxGridTableItemsListBox(TComponent* owner) : TlxCustomGridTableItemsListBox(owner) {
  Styles().GetNormalStyle()->SetColor(clBtnFace);
}

TlxGridTableView* TlxGridTableItemsListBox::TableView() const { return dynamic_cast<TlxGridTableView*>(GridView()); }

int32_t TlxGridTableItemsListBox::GetItemHeight() {
  TlxGridTableView* view = TableView();
  TlxPainterClass painter = view != nullptr ? view->LookAndFeelPainter() : nullptr;
  const int32_t border = painter != nullptr ? painter->GetHeaderBorderSize() : 0;
  TlxCanvas& canvas = InnerListBox().LxCanvas();
  return 2 * (border + 2) + canvas.FontTextHeight(Font());
}

void TlxGridTableItemsListBox::PaintItem(TlxCanvas& canvas, const TRect& rect, bool focused, int32_t index) {
  TlxGridTableView* view = TableView();
  TlxPainterClass painter = view != nullptr ? view->LookAndFeelPainter() : nullptr;
  if (painter == nullptr || index < 0 || index >= ItemCount())
    return;
  const int32_t border = painter->GetHeaderBorderSize();
  TRect text_area = rect;
  text_area = text_area.Inflate(-border, -border);
  text_area = text_area.Inflate(-kItemTextMargin, 0);
  TlxBackgroundCallback background = [this](TlxCanvas& target, const TRect& bounds) {
    return DrawItemBackground(target, bounds);
  };
  painter->PaintHeader(canvas, rect, text_area, TlxHeaderNeighbors(), lxAllBorders, focused ? lxbsHot : lxbsNormal,
                       taLeftJustify, vaCenter, false, ShowsEndEllipsis(), Items().Strings(index), &canvas.Font(),
                       clBtnText, clBtnFace, background);
  if (focused) {
    TRect pressed = rect;
    pressed = pressed.Inflate(-border, -border);
    painter->PaintHeaderPressedEffect(canvas, pressed);
  }
}

// --- TlxGridTableColumnsListBox -------------------------------------------------------

TlxCustomGridHitTest* TlxGridTableColumnsListBox::GetDragAndDropHitTest() {
  auto* column = dynamic_cast<TlxGridColumn*>(PressedItem());
  if (column == nullptr)
    return nullptr;
  auto* hit_test = lxGridGetHitTest<TlxGridColumnHeaderHitTest>(TPoint(-1, -1));
  hit_test->SetViewInfo(nullptr);
  hit_test->GridView = GridView();
  hit_test->Column = column;
  hit_test->ColumnContainerKind = TlxGridColumnHeaderMovingObject::kCustomizationForm;
  return hit_test;
}

bool TlxGridTableColumnsListBox::DrawItemBackground(TlxCanvas& canvas, const TRect& rect) {
  TlxGridTableView* view = TableView();
  auto* view_info = view != nullptr ? dynamic_cast<TlxGridTableViewInfo*>(view->ViewInfo()) : nullptr;
  TlxGridHeaderViewInfo* header = view_info != nullptr ? view_info->HeaderViewInfo() : nullptr;
  return header != nullptr && header->DrawBackgroundBitmap(canvas, rect);
}

bool TlxGridTableColumnsListBox::ShowsEndEllipsis() {
  TlxGridTableView* view = TableView();
  return view != nullptr && view->OptionsView()->HeaderEndEllipsis();
}

// --- TlxGridTableCustomizationForm ----------------------------------------------------

void TlxGridTableCustomizationForm::GetItemsPageCaption(std::string& caption) {
  caption = lxGridText(slxGridCustomizationFormColumnsPageCaption);
}

// --- the table controller's form ----------------------------------------------------

const TClass* TlxGridTableController::GetCustomizationFormClass() const {
  return &TlxGridTableCustomizationForm::kClass;
}

void TlxGridTableController::AdjustCustomizationFormBounds(TRect& bounds) {
  TlxCustomGridController::AdjustCustomizationFormBounds(bounds);
  auto* view_info = dynamic_cast<TlxGridTableViewInfo*>(ViewInfo());
  TlxGridHeaderViewInfo* header = view_info != nullptr ? view_info->HeaderViewInfo() : nullptr;
  TlxGridSite* site = Site();
  if (header == nullptr || site == nullptr)
    return;
  // The form never covers the column header it is dragged to and from.
  const int32_t header_top = site->ClientToScreen(header->BoundsRect.TopLeft()).Y;
  if (bounds.Top < header_top)
    bounds = bounds.Offset(0, header_top - bounds.Top);
}
