#include "grid/grid_sizing_objects_win.h"

#include <algorithm>

#include "grid/grid_cells_win.h"
#include "grid/grid_cursors.h"
#include "grid/grid_customization_form_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_table_controller_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_column_headers_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_view_win.h"
#include "grid/table_view_info_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/canvas/canvas_win.h"

namespace {

// The bounds the layout gave the hit test's cell, or an empty rectangle.
TRect CellBoundsOf(TlxCustomGridHitTest* hit_test) {
  if (hit_test == nullptr || hit_test->ViewInfo() == nullptr)
    return TRect();
  return hit_test->ViewInfo()->BoundsRect;
}

TRect DataAreaOf(TlxCustomGridViewInfo* view_info) {
  if (auto* table_view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(view_info)) {
    TRect area;
    table_view_info->GetDataAreaBounds(area);
    return area;
  }
  return view_info != nullptr ? view_info->ClientBounds() : TRect();
}

}  // namespace

// --- TlxCustomGridSizingObject ------------------------------------------------

TRect TlxCustomGridSizingObject::ClientArea() const {
  TlxCustomGridViewInfo* view_info = ViewInfo();
  return view_info != nullptr ? view_info->ClientBounds() : Site()->ClientRect();
}

int32_t TlxCustomGridSizingObject::GetSizeDelta() {
  return IsHorizontalSizing() ? last_x_ - SourcePoint().X : last_y_ - SourcePoint().Y;
}

int32_t TlxCustomGridSizingObject::GetCurrentSize() { return ClampSize(start_size_ + GetSizeDelta()); }

TRect TlxCustomGridSizingObject::GetHorzDragLineBounds() {
  const TRect item = GetSizingItemBounds();
  const TRect client = ClientArea();
  const int32_t bottom = item.Top + GetCurrentSize();
  return TRect(client.Left, bottom - GetDragLineWidth(), client.Right, bottom);
}

TRect TlxCustomGridSizingObject::GetVertDragLineBounds() {
  const TRect item = GetSizingItemBounds();
  const TRect client = ClientArea();
  const int32_t right = item.Left + GetCurrentSize();
  return TRect(right - GetDragLineWidth(), item.Top, right, client.Bottom);
}

TRect TlxCustomGridSizingObject::GetDragLineBounds() {
  return IsHorizontalSizing() ? GetVertDragLineBounds() : GetHorzDragLineBounds();
}

// Inverting twice restores the pixels, so the line is drawn and erased by
// the same call; the shown rectangle is kept so that erasing hits it even
// after the size changed.
void TlxCustomGridSizingObject::InvertDragLine() {
  TlxCanvas* canvas = Canvas();
  if (canvas != nullptr && Site()->HandleAllocated())
    canvas->InvertRect(shown_drag_line_);
}

void TlxCustomGridSizingObject::DirtyChanged() {
  if (Dirty()) {
    if (!drag_line_shown_)
      return;
    InvertDragLine();
    drag_line_shown_ = false;
    return;
  }
  if (drag_line_shown_)
    return;
  shown_drag_line_ = GetDragLineBounds();
  InvertDragLine();
  drag_line_shown_ = true;
}

void TlxCustomGridSizingObject::BeginDragAndDrop() {
  last_x_ = SourcePoint().X;
  last_y_ = SourcePoint().Y;
  SetDirty(true);
  TlxCustomGridDragAndDropObject::BeginDragAndDrop();
}

void TlxCustomGridSizingObject::DragAndDrop(const TPoint& point, bool& accepted) {
  const int32_t old_size = GetCurrentSize();
  if (IsHorizontalSizing())
    last_x_ = point.X;
  else
    last_y_ = point.Y;
  if (GetCurrentSize() != old_size)
    SetDirty(true);
  accepted = true;
  TlxCustomGridDragAndDropObject::DragAndDrop(point, accepted);
}

void TlxCustomGridSizingObject::EndDragAndDrop(bool accepted) {
  TlxCustomGridDragAndDropObject::EndDragAndDrop(accepted);
}

// --- TlxCustomGridColumnSizingObject ---------------------------------------------

TlxGridTableView* TlxCustomGridColumnSizingObject::TableView() const {
  return static_cast<TlxGridTableView*>(GridView());
}

TlxGridTableController* TlxCustomGridColumnSizingObject::TableController() const {
  return dynamic_cast<TlxGridTableController*>(Controller());
}

void TlxCustomGridColumnSizingObject::Init(const TPoint& point, TlxCustomGridHitTest* hit_test) {
  TlxCustomGridSizingObject::Init(point, hit_test);
  if (auto* column_hit_test = dynamic_cast<TlxCustomGridColumnHitTest*>(hit_test))
    column_ = column_hit_test->Column;
}

// --- TlxGridColumnHorzSizingObject ------------------------------------------------

TRect TlxGridColumnHorzSizingObject::GetSizingItemBounds() {
  TlxGridColumn* column = Column();
  TlxGridTableView* view = TableView();
  const TRect area = DataAreaOf(ViewInfo());
  TlxGridTableController* controller = TableController();
  int32_t left = area.Left - (controller != nullptr ? controller->LeftPos() : 0);
  for (int32_t i = 0; i < column->VisibleIndex(); ++i)
    left += view->VisibleColumns(i)->Width();
  // The header row is where the press was; the line runs down from it.
  const int32_t top = ClientArea().Top;
  return TRect(left, top, left + column->Width(), top);
}

int32_t TlxGridColumnHorzSizingObject::MinWidth() const { return Column()->MinWidth(); }

int32_t TlxGridColumnHorzSizingObject::MaxWidth() const {
  TlxGridTableView* view = TableView();
  if (!view->OptionsView()->ColumnAutoWidth())
    return INT32_MAX;
  // Under auto width the column may take what the columns left of it keep
  // and the columns right of it can give down to their minimum widths.
  int32_t left = 0;
  int32_t right_minimum = 0;
  const int32_t index = Column()->VisibleIndex();
  for (int32_t i = 0; i < view->VisibleColumnCount(); ++i) {
    TlxGridColumn* other = view->VisibleColumns(i);
    if (i < index)
      left += other->Width();
    else if (i > index)
      right_minimum += other->CanHorzSize() ? other->MinWidth() : other->Width();
  }
  return std::max(MinWidth(), view->AutoWidthAvailableWidth() - left - right_minimum);
}

int32_t TlxGridColumnHorzSizingObject::ClampSize(int32_t size) { return std::clamp(size, MinWidth(), MaxWidth()); }

void TlxGridColumnHorzSizingObject::BeginDragAndDrop() {
  SetStartSize(Column()->Width());
  if (TlxGridTableController* controller = TableController())
    controller->SetSizedColumn(Column());
  TlxCustomGridColumnSizingObject::BeginDragAndDrop();
}

void TlxGridColumnHorzSizingObject::EndDragAndDrop(bool accepted) {
  const int32_t size = GetCurrentSize();
  TlxCustomGridColumnSizingObject::EndDragAndDrop(accepted);
  if (TlxGridTableController* controller = TableController())
    controller->SetSizedColumn(nullptr);
  if (!accepted || size == StartSize())
    return;
  TlxGridTableView* view = TableView();
  if (view->OptionsView()->ColumnAutoWidth())
    view->StoreColumnAutoWidths();
  Column()->ForceWidth(size);
  view->DoColumnSizeChanged(Column());
}

TCursor TlxGridColumnHorzSizingObject::GetDragAndDropCursor(bool /*accepted*/) {
  return static_cast<TCursor>(GridHorzSizeCursor);
}

// --- TlxGridRowSizingObject ------------------------------------------------------------

void TlxGridRowSizingObject::Init(const TPoint& point, TlxCustomGridHitTest* hit_test) {
  TlxCustomGridSizingObject::Init(point, hit_test);
  auto* record_hit_test = dynamic_cast<TlxGridRecordHitTest*>(hit_test);
  row_ = record_hit_test != nullptr ? dynamic_cast<TlxCustomGridRow*>(record_hit_test->GridRecord()) : nullptr;
  row_bounds_ = CellBoundsOf(hit_test);
  if (row_ != nullptr && row_->ViewInfo() != nullptr)
    row_bounds_ = row_->ViewInfo()->BoundsRect;
}

int32_t TlxGridRowSizingObject::ClampSize(int32_t size) {
  auto* view = static_cast<TlxGridTableView*>(GridView());
  const bool group_row = dynamic_cast<TlxGridGroupRow*>(row_) != nullptr;
  return std::max(size, group_row ? view->MinGroupRowHeight() : view->MinDataRowHeight());
}

void TlxGridRowSizingObject::BeginDragAndDrop() {
  SetStartSize(row_bounds_.Height());
  TlxCustomGridSizingObject::BeginDragAndDrop();
}

void TlxGridRowSizingObject::EndDragAndDrop(bool accepted) {
  const int32_t size = GetCurrentSize();
  TlxCustomGridSizingObject::EndDragAndDrop(accepted);
  if (!accepted || row_ == nullptr || size == StartSize())
    return;
  auto* view = static_cast<TlxGridTableView*>(GridView());
  if (dynamic_cast<TlxGridGroupRow*>(row_) != nullptr)
    view->OptionsView()->SetGroupRowHeight(size);
  else
    view->OptionsView()->SetDataRowHeight(size);
}

TCursor TlxGridRowSizingObject::GetDragAndDropCursor(bool /*accepted*/) {
  return static_cast<TCursor>(GridVertSizeCursor);
}

// --- TlxGridColumnHeaderMovingObject -----------------------------------------------

void TlxGridColumnHeaderMovingObject::Init(const TPoint& point, TlxCustomGridHitTest* hit_test) {
  TlxCustomGridTableItemMovingObject::Init(point, hit_test);
  if (auto* column_hit_test = dynamic_cast<TlxCustomGridColumnHitTest*>(hit_test)) {
    column_ = column_hit_test->Column;
    source_kind_ = column_hit_test->ColumnContainerKind != kNone ? column_hit_test->ColumnContainerKind : kHeaderPanel;
  }
  source_bounds_ = CellBoundsOf(hit_test);
  if (TlxCustomGridItemsListBox* list = FormListBox(); list != nullptr && source_kind_ == kCustomizationForm) {
    // The list's entry, in the site's coordinates.
    const int32_t index = list->IndexOfItem(column_);
    if (index != -1) {
      const TRect entry = list->GetItemRectInContainer(index);
      const TPoint origin = Site()->ScreenToClient(list->ClientToScreen(entry.TopLeft()));
      source_bounds_ = TRect(origin.X, origin.Y, origin.X + entry.Width(), origin.Y + entry.Height());
    }
    return;
  }
  if (source_bounds_.IsEmpty() && column_ != nullptr && column_->VisibleIndex() != -1) {
    // Without a laid-out cell the header spans the column around the press.
    const int32_t left = HeaderPanelEdge(column_->VisibleIndex());
    source_bounds_ = TRect(left, std::max(0, point.Y - 8), left + column_->Width(), point.Y + 8);
  }
}

TlxCustomGridItemsListBox* TlxGridColumnHeaderMovingObject::FormListBox() const {
  auto* form = dynamic_cast<TlxCustomGridTableCustomizationForm*>(Controller()->CustomizationForm());
  return form != nullptr ? form->ItemsListBox() : nullptr;
}

void TlxGridColumnHeaderMovingObject::InitDragImage() {
  TlxCustomGridItemsListBox* list = FormListBox();
  if (source_kind_ != kCustomizationForm || list == nullptr || DragImage() == nullptr) {
    TlxCustomGridTableItemMovingObject::InitDragImage();
    return;
  }
  list->PaintItemImage(DragImage()->BitmapCanvas(), TRect(0, 0, source_bounds_.Width(), source_bounds_.Height()),
                       column_);
}

int32_t TlxGridColumnHeaderMovingObject::HeaderPanelEdge(int32_t index) {
  auto* view = static_cast<TlxGridTableView*>(GridView());
  auto* controller = dynamic_cast<TlxGridTableController*>(Controller());
  int32_t left = DataAreaOf(ViewInfo()).Left - (controller != nullptr ? controller->LeftPos() : 0);
  for (int32_t i = 0; i < index && i < view->VisibleColumnCount(); ++i)
    left += view->VisibleColumns(i)->Width();
  return left;
}

TRect TlxGridColumnHeaderMovingObject::GetArrowAreaBounds() {
  if (dest_kind_ == kGroupByBox)
    return GroupByBoxArrowArea();
  const int32_t x = HeaderPanelEdge(dest_index_);
  TlxGridHeaderViewInfo* header = HeaderPanel();
  if (header != nullptr && !header->BoundsRect.IsEmpty())
    return TRect(x, header->BoundsRect.Top, x, header->BoundsRect.Bottom);
  return TRect(x, source_bounds_.Top, x, source_bounds_.Bottom);
}

TlxGridHeaderViewInfo* TlxGridColumnHeaderMovingObject::HeaderPanel() const {
  auto* view_info = dynamic_cast<TlxGridTableViewInfo*>(ViewInfo());
  return view_info != nullptr ? view_info->HeaderViewInfo() : nullptr;
}

TlxGridGroupByBoxViewInfo* TlxGridColumnHeaderMovingObject::GroupByBox() const {
  auto* view_info = dynamic_cast<TlxGridTableViewInfo*>(ViewInfo());
  TlxGridGroupByBoxViewInfo* box = view_info != nullptr ? view_info->GroupByBoxViewInfo() : nullptr;
  return box != nullptr && box->GetVisible() ? box : nullptr;
}

int32_t TlxGridColumnHeaderMovingObject::GroupByBoxIndexAt(const TPoint& point) {
  TlxGridGroupByBoxViewInfo* box = GroupByBox();
  if (box == nullptr || !box->BoundsRect.Contains(point))
    return -1;
  const int32_t zone = box->GetZone(point);
  // Anywhere in the box below or beside the staircase groups behind it.
  return zone != -1 ? zone : box->GetColumnCount();
}

TRect TlxGridColumnHeaderMovingObject::GroupByBoxArrowArea() {
  TlxGridGroupByBoxViewInfo* box = GroupByBox();
  if (box == nullptr)
    return TRect();
  const int32_t count = box->GetColumnCount();
  if (count == 0) {
    TRect area = box->BoundsRect;
    area.Left += 6;
    area = area.Inflate(0, -8);
    return TRect(area.Left, area.Top, area.Left, area.Bottom);
  }
  if (dest_index_ < count) {
    if (TlxGridColumnHeaderViewInfo* cell = box->GetItem(dest_index_)) {
      const TRect bounds = cell->BoundsRect;
      return TRect(bounds.Left - 2, bounds.Top, bounds.Left - 2, bounds.Bottom);
    }
    return TRect();
  }
  TlxGridColumnHeaderViewInfo* last = box->GetItem(count - 1);
  if (last == nullptr)
    return TRect();
  const TRect bounds = last->BoundsRect;
  return TRect(bounds.Right + 2, bounds.Top, bounds.Right + 2, bounds.Bottom);
}

bool TlxGridColumnHeaderMovingObject::CanShowArrows() {
  if (column_ == nullptr)
    return false;
  if (dest_kind_ == kHeaderPanel)
    return column_->VisibleIndex() == -1 || IsPositionChange(dest_index_);
  if (dest_kind_ == kGroupByBox)
    return column_->GroupIndex() == -1 || IsGroupPositionChange(dest_index_);
  return false;
}

bool TlxGridColumnHeaderMovingObject::IsGroupPositionChange(int32_t index) const {
  if (source_kind_ != kGroupByBox)
    return true;
  const int32_t own = column_->GroupIndex();
  return index != own && index != own + 1;
}

bool TlxGridColumnHeaderMovingObject::CanRemove() const {
  if (column_ == nullptr || !column_->VisibleForCustomization())
    return false;
  auto* view = static_cast<TlxGridTableView*>(GridView());
  switch (source_kind_) {
    case kGroupByBox:
      return column_->CanGroup();
    case kHeaderPanel:
      return column_->CanHide() && (Controller()->HasCustomizationForm() || view->OptionsCustomize()->ColumnHiding());
    default:
      return false;
  }
}

int32_t TlxGridColumnHeaderMovingObject::HeaderPanelIndexAt(const TPoint& point) {
  auto* header = dynamic_cast<TlxGridColumnHeaderHitTest*>(Controller()->HitTestAt(point.X, point.Y));
  if (header == nullptr || header->Column == nullptr || header->Column->VisibleIndex() == -1 ||
      (header->ColumnContainerKind != kNone && header->ColumnContainerKind != kHeaderPanel))
    return -1;
  const int32_t index = header->Column->VisibleIndex();
  const int32_t left = HeaderPanelEdge(index);
  // Over the right half of a header the column goes behind it.
  return point.X >= left + header->Column->Width() / 2 ? index + 1 : index;
}

bool TlxGridColumnHeaderMovingObject::IsPositionChange(int32_t index) const {
  if (source_kind_ != kHeaderPanel)
    return true;
  const int32_t own = column_->VisibleIndex();
  return index != own && index != own + 1;
}

void TlxGridColumnHeaderMovingObject::BeginDragAndDrop() {
  if (auto* form = dynamic_cast<TlxCustomGridTableCustomizationForm*>(Controller()->CustomizationForm()))
    form->ActivatePage(form->ItemsPage());
  if (auto* controller = dynamic_cast<TlxCustomGridTableController*>(Controller()))
    controller->SetMovingItem(column_);
  TlxCustomGridTableItemMovingObject::BeginDragAndDrop();
}

void TlxGridColumnHeaderMovingObject::CalculateDestination(const TPoint& point, int32_t& kind, int32_t& index) {
  kind = kNone;
  index = -1;
  if (dynamic_cast<TlxGridCustomizationFormHitTest*>(Controller()->HitTestAt(point.X, point.Y)) != nullptr) {
    kind = kCustomizationForm;
  } else if ((index = GroupByBoxIndexAt(point)) != -1) {
    kind = kGroupByBox;
  } else if ((index = HeaderPanelIndexAt(point)) != -1) {
    kind = kHeaderPanel;
  }
  // A column that cannot be grouped finds no place in the group-by box, and
  // the form takes only what came from it or may be hidden.
  if (kind == kGroupByBox && !column_->CanGroup())
    kind = kNone;
  if (kind == kCustomizationForm && source_kind_ != kCustomizationForm && !CanRemove())
    kind = kNone;
  if (kind == kNone || kind == kCustomizationForm)
    index = -1;
}

void TlxGridColumnHeaderMovingObject::DragAndDrop(const TPoint& point, bool& accepted) {
  int32_t kind = kNone;
  int32_t index = -1;
  if (column_ != nullptr)
    CalculateDestination(point, kind, index);
  if (kind != dest_kind_ || index != dest_index_) {
    dest_kind_ = kind;
    dest_index_ = index;
    SetDirty(true);
  }
  accepted = dest_kind_ != kNone;
  TlxCustomGridTableItemMovingObject::DragAndDrop(point, accepted);
  if (auto* controller = dynamic_cast<TlxCustomGridTableController*>(Controller()))
    controller->CheckScrolling(point);
}

TCursor TlxGridColumnHeaderMovingObject::GetDragAndDropCursor(bool accepted) {
  if (accepted)
    return crArrow;
  return static_cast<TCursor>(CanRemove() ? GridRemoveCursor : GridNoDropCursor);
}

void TlxGridColumnHeaderMovingObject::EndDragAndDrop(bool accepted) {
  TlxCustomGridTableItemMovingObject::EndDragAndDrop(accepted);
  auto* controller = dynamic_cast<TlxCustomGridTableController*>(Controller());
  if (controller != nullptr)
    controller->SetMovingItem(nullptr);
  if (!accepted || column_ == nullptr)
    return;
  auto* view = static_cast<TlxGridTableView*>(GridView());
  bool changed = false;
  TlxCustomGrid* grid = view->Grid();
  if (grid != nullptr)
    grid->BeginUpdate();
  const int32_t group_index_before = column_->GroupIndex();
  {
    TScopeExit end([grid] {
      if (grid != nullptr)
        grid->EndUpdate();
    });
    changed = ApplyDrop(*view);
  }
  if (column_->GroupIndex() != group_index_before) {
    if (auto* table_controller = dynamic_cast<TlxCustomGridTableController*>(Controller()))
      table_controller->MakeFocusedRecordVisible();
  }
  if (changed)
    view->DoColumnPosChanged(column_);
}

bool TlxGridColumnHeaderMovingObject::ApplyDrop(TlxGridTableView& view) {
  const TlxGridTableOptionsCustomize& options = *view.OptionsCustomize();
  if (dest_kind_ == kHeaderPanel) {
    if (!IsPositionChange(dest_index_))
      return false;
    int32_t new_index = view.ColumnCount() - 1;
    if (dest_index_ < view.VisibleColumnCount()) {
      new_index = view.VisibleColumns(dest_index_)->Index();
      if (column_->Index() < new_index)
        --new_index;
    }
    column_->SetIndex(new_index);
    if (source_kind_ == kGroupByBox && column_->CanGroup())
      column_->SetGroupIndex(-1);
    column_->SetVisible(true);
    return true;
  }
  if (dest_kind_ == kGroupByBox) {
    if (!column_->CanGroup() || !IsGroupPositionChange(dest_index_))
      return false;
    int32_t group_index = dest_index_;
    if (column_->GroupIndex() != -1 && column_->GroupIndex() < group_index)
      --group_index;
    column_->SetGroupIndex(group_index);
    if (options.ColumnHidingOnGrouping() && column_->CanHide())
      column_->SetVisible(false);
    return true;
  }
  if (!CanRemove())
    return false;
  if (source_kind_ == kHeaderPanel) {
    if (!column_->CanHide())
      return false;
    column_->SetVisible(false);
    return true;
  }
  if (source_kind_ == kGroupByBox) {
    const bool onto_form = dest_kind_ == kCustomizationForm;
    column_->SetGroupIndex(-1);
    const bool stays_hidden =
        onto_form || (options.ColumnHiding() && column_->CanHide()) || Controller()->HasCustomizationForm();
    if (!stays_hidden)
      column_->SetVisible(true);
    return true;
  }
  return false;
}
