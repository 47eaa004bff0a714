#include "grid/grid_table_controller_win.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "data/data_controller.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_table_editing_controller_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_sizing_objects_win.h"
#include "grid/grid_table_layout_win.h"
#include "grid/grid_table_options_win.h"
#include "grid/grid_table_view_win.h"
#include "grid/table_view_info_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

constexpr int32_t kLeftPosStep = 10;

bool HasModifier(TShiftState shift, TShiftStateFlag flag) { return shift.Contains(flag); }

// Notices the view's destruction while a key or click runs.
class TViewWatch {
 public:
  explicit TViewWatch(TlxCustomGridView* view) : link_(view->AddListenerLink()) {}
  bool Alive() const { return link_->GridView() != nullptr; }

 private:
  std::unique_ptr<TlxGridListenerLink> link_;
};

}  // namespace

TlxGridTableController::TlxGridTableController(TlxCustomGridView* grid_view)
    : TlxCustomGridTableController(grid_view) {}

TlxGridTableController::~TlxGridTableController() = default;

TlxGridTableView* TlxGridTableController::GridTableView() const {
  return static_cast<TlxGridTableView*>(GridView());
}

// --- horizontal position -------------------------------------------------------

int32_t TlxGridTableController::GetDataWidth() {
  if (auto* view_info = dynamic_cast<TlxGridTableViewInfo*>(ViewInfo()))
    return view_info->DataWidth();
  TlxGridTableView* view = GridTableView();
  if (view->OptionsView()->ColumnAutoWidth())
    return GetVisibleDataWidth();
  int32_t width = 0;
  for (int32_t i = 0; i < view->VisibleColumnCount(); ++i)
    width += view->VisibleColumns(i)->Width();
  return width;
}

int32_t TlxGridTableController::GetVisibleDataWidth() {
  auto* view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(ViewInfo());
  TRect area;
  if (view_info != nullptr)
    view_info->GetDataAreaBounds(area);
  else if (ViewInfo() != nullptr)
    area = ViewInfo()->ClientBounds();
  return std::max(0, area.Width());
}

void TlxGridTableController::SetLeftPos(int32_t value) {
  value = std::min(value, GetDataWidth() - GetVisibleDataWidth());
  value = std::max(value, 0);
  if (value == left_pos_)
    return;
  const int32_t old = left_pos_;
  left_pos_ = value;
  TlxGridTableView* view = GridTableView();
  if (auto* view_info = dynamic_cast<TlxGridTableViewInfo*>(ViewInfo()); view_info != nullptr && ViewInfo()->IsIdle())
    view_info->SetLeftPos(value);
  else if (view->CanScrollHorizontallyByPixels())
    view->ScrollData(0, old - value, 0);
  else
    RelayoutForLeftPos();
  // The cells moved sideways: the editor follows its cell, or leaves the
  // view with it.
  EditingController()->CheckEditVisible();
  view->DoLeftPosChanged();
}

void TlxGridTableController::RelayoutForLeftPos() { GridView()->LayoutChanged(); }

void TlxGridTableController::CheckCoordinates() {
  TlxCustomGridTableController::CheckCoordinates();
  SetLeftPos(left_pos_);
}

bool TlxGridTableController::CanScroll(TlxDirection direction) {
  switch (direction) {
    case dirLeft:
      return left_pos_ > 0;
    case dirRight: {
      const int32_t limit = std::max(0, GetDataWidth() - GetVisibleDataWidth());
      return std::clamp(left_pos_ + kLeftPosStep, 0, limit) != left_pos_;
    }
    case dirUp:
      return TopRecordIndex() != 0;
    case dirDown: {
      int32_t next = TopRecordIndex() + 1;
      CheckTopRecordIndex(next);
      return next != TopRecordIndex();
    }
    default:
      return false;
  }
}

void TlxGridTableController::DoScroll(TlxDirection direction) {
  switch (direction) {
    case dirLeft:
      SetLeftPos(left_pos_ - kLeftPosStep);
      break;
    case dirRight:
      SetLeftPos(left_pos_ + kLeftPosStep);
      break;
    case dirUp:
      ScrollRecords(false, 1);
      break;
    case dirDown:
      ScrollRecords(true, 1);
      break;
    default:
      break;
  }
}

void TlxGridTableController::CheckScrolling(const TPoint& point) {
  auto* view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(ViewInfo());
  if (view_info == nullptr)
    return;
  TRect area;
  view_info->GetDataAreaBounds(area);
  constexpr int32_t kEdge = 15;
  TlxDirection direction = dirNone;
  if (point.X < area.Left + kEdge)
    direction = dirLeft;
  else if (point.X >= area.Right - kEdge)
    direction = dirRight;
  StartScrollTimer(direction);
}

void TlxGridTableController::MakeItemVisible(TlxCustomGridTableItem* item) {
  auto* column = dynamic_cast<TlxGridColumn*>(item);
  if (column == nullptr || column->VisibleIndex() == -1)
    return;
  MakeFocusedRecordVisible();
  TlxGridTableView* view = GridTableView();
  if (view->OptionsView()->ColumnAutoWidth())
    return;
  int32_t left = 0;
  for (int32_t i = 0; i < column->VisibleIndex(); ++i)
    left += view->VisibleColumns(i)->Width();
  const int32_t right = left + column->Width();
  const int32_t visible = GetVisibleDataWidth();
  if (column->Width() < visible && right - left_pos_ > visible)
    SetLeftPos(right - visible);
  if (left < left_pos_)
    SetLeftPos(left);
}

// --- scroll bars ---------------------------------------------------------------

void TlxGridTableController::InitScrollBarsParameters() {
  TlxCustomGridTableController::InitScrollBarsParameters();
  TlxGridSite* site = Site();
  if (site == nullptr)
    return;
  const int32_t visible = GetVisibleDataWidth();
  site->SetScrollBarParams(sbHorizontal, 0, GetDataWidth() - 1, kLeftPosStep, visible,
                           visible > 0 ? left_pos_ : -1, true, CanHideHorzScrollBar());
}

void TlxGridTableController::ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) {
  if (kind == sbVertical) {
    TlxCustomGridTableController::ScrollContent(kind, code, position);
    return;
  }
  switch (code) {
    case scLineUp:
      DoScroll(dirLeft);
      break;
    case scLineDown:
      DoScroll(dirRight);
      break;
    case scPageUp:
      SetLeftPos(left_pos_ - GetVisibleDataWidth());
      break;
    case scPageDown:
      SetLeftPos(left_pos_ + GetVisibleDataWidth());
      break;
    case scTrack:
      SetLeftPos(position);
      break;
    default:
      break;
  }
  position = left_pos_;
}

bool TlxGridTableController::ChecksScrollBarFit(TlxScrollBarAxis axis) { return axis == lxsaHorizontal; }

// --- header press and click ------------------------------------------------

void TlxGridTableController::InvalidateColumnHeader(TlxGridColumn* /*column*/) {
  // The header cells belong to the layout; repainting the site covers both
  // the header panel and the group-by box.
  if (TlxGridSite* site = Site())
    site->Invalidate();
}

void TlxGridTableController::SetPressedColumn(TlxGridColumn* column) {
  if (column == pressed_column_)
    return;
  if (ViewInfo() != nullptr && !ViewInfo()->IsIdle()) {
    pressed_column_ = column;
    return;
  }
  InvalidateColumnHeader(pressed_column_);
  pressed_column_ = column;
  InvalidateColumnHeader(pressed_column_);
}

void TlxGridTableController::PressColumnHeader(TlxGridColumn* column) {
  SetPressedColumn(column);
  column->DoHeaderClick();
}

void TlxGridTableController::UngroupAll() {
  TlxGridTableView* view = GridTableView();
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  for (int32_t i = view->GroupedColumnCount() - 1; i >= 0; --i)
    view->GroupedColumns(i)->SetVisible(true);
  DataController()->Groups().ClearGrouping();
}

void TlxGridTableController::ChangeSort(TlxGridColumn* column, TShiftState shift) {
  TlxGridTableView* view = GridTableView();
  const bool group_by_sorting = view->OptionsCustomize()->GroupBySorting();
  const TlxDataSortOrder order = column->SortOrder() == soAscending ? soDescending : soAscending;
  if (!HasModifier(shift, ssShift) && column->GroupIndex() == -1) {
    if (group_by_sorting && column->CanGroup())
      UngroupAll();
    DataController()->ClearSorting(true);
  }
  column->SetSortOrder(order);
  if (group_by_sorting && column->SortIndex() == 0 && view->GroupedColumnCount() == 0 && column->CanGroup())
    column->SetGroupIndex(0);
}

void TlxGridTableController::RemoveSort(TlxGridColumn* column) {
  TlxGridTableView* view = GridTableView();
  const bool group_by_sorting = view->OptionsCustomize()->GroupBySorting();
  if (group_by_sorting && column->GroupIndex() == 0 && column->CanGroup()) {
    column->SetGroupIndex(-1);
    column->SetVisible(true);
  }
  column->SetSortOrder(soNone);
  if (!group_by_sorting)
    return;
  for (int32_t i = 0; i < view->SortedColumnCount(); ++i) {
    TlxGridColumn* sorted = view->SortedColumns(i);
    if (sorted->CanGroup()) {
      sorted->SetGroupIndex(0);
      break;
    }
  }
}

void TlxGridTableController::ProcessHeaderClick(TlxGridColumn* column, TShiftState shift) {
  if (column == nullptr || !column->CanSort())
    return;
  TViewWatch watch(GridView());
  // The rows are about to move under the editor: its value goes first.
  EditingController()->HideEdit(true);
  if (!watch.Alive())
    return;
  lxShowHourglass();
  BeginUpdate();
  {
    TScopeExit end([this, &watch] {
      if (watch.Alive())
        EndUpdate();
      lxHideHourglass();
    });
    if (HasModifier(shift, ssCtrl))
      RemoveSort(column);
    else
      ChangeSort(column, shift);
  }
  if (!watch.Alive())
    return;
  MakeFocusedRecordVisible();
  if (TlxGridSite* site = Site())
    site->NotifyDesigner();
}

void TlxGridTableController::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TViewWatch watch(GridView());
  TlxCustomGridTableController::MouseDown(button, shift, x, y);
  if (!watch.Alive() || button != mbLeft || shift.Contains(ssDouble))
    return;
  auto* header = dynamic_cast<TlxGridColumnHeaderHitTest*>(HitTestAt(x, y));
  if (header == nullptr || header->Column == nullptr || !IsHitTestOfView(header))
    return;
  PressColumnHeader(header->Column);
}

void TlxGridTableController::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TViewWatch watch(GridView());
  TlxCustomGridTableController::MouseUp(button, shift, x, y);
  if (!watch.Alive())
    return;
  TlxGridColumn* pressed = pressed_column_;
  SetPressedColumn(nullptr);
  if (button != mbLeft || pressed == nullptr)
    return;
  TlxGridSite* site = Site();
  if (site != nullptr && site->IsInsideDragThreshold(x, y))
    ProcessHeaderClick(pressed, shift);
}

void TlxGridTableController::MouseOperationCanceled() {
  TlxCustomGridTableController::MouseOperationCanceled();
  SetPressedColumn(nullptr);
}

void TlxGridTableController::EndDragAndDrop(bool accepted) {
  TlxCustomGridTableController::EndDragAndDrop(accepted);
  SetPressedColumn(nullptr);
}

// --- keys -------------------------------------------------------------------

bool TlxGridTableController::FocusedRowCanFocusCells() const {
  TlxCustomGridRecord* record = GetFocusedRecord();
  return record != nullptr && record->GetHasCells() && GridTableView()->OptionsSelection()->CellSelect();
}

bool TlxGridTableController::IsKeyForController(uint16_t key, TShiftState shift) {
  if (TlxCustomGridTableController::IsKeyForController(key, shift) || key == VK_UP || key == VK_DOWN)
    return true;
  return (key == VK_HOME || key == VK_END) && !FocusedRowCanFocusCells();
}

void TlxGridTableController::KeyDown(uint16_t& key, TShiftState shift) {
  TlxCustomGridTableItem* focused_before = FocusedItem();
  TViewWatch watch(GridView());
  TlxCustomGridTableController::KeyDown(key, shift);
  if (!watch.Alive() || key == 0)
    return;
  if (NeedsColumnSelectionUpdate(dynamic_cast<TlxGridColumn*>(focused_before)))
    UpdateColumnSelection(shift);
}

void TlxGridTableController::DoKeyDown(uint16_t& key, TShiftState shift) {
  switch (key) {
    case VK_PRIOR:
      if (MoveFocusUpToSpecialRow())
        return;
      if (IsSpecialRowFocused()) {
        key = 0;
        return;
      }
      break;
    case VK_NEXT:
      if (MoveFocusDownFromSpecialRow())
        return;
      break;
    case VK_LEFT:
    case VK_RIGHT:
      if (FocusNextCell(key == VK_RIGHT, true, false))
        return;
      break;
    default:
      break;
  }
  TViewWatch watch(GridView());
  TlxCustomGridTableController::DoKeyDown(key, shift);
  if (!watch.Alive()) {
    key = 0;
    return;
  }
  auto refresh = [this, &watch] {
    if (watch.Alive() && !MultiSelect() && Site() != nullptr)
      Site()->Update();
  };
  const bool details = !HasModifier(shift, ssShift);
  switch (key) {
    case VK_END:
      if (HasModifier(shift, ssCtrl) || !FocusedRowCanFocusCells())
        GoToLast(false);
      else
        FocusNextItem(-1, false, false, true);
      break;
    case VK_HOME:
      if (HasModifier(shift, ssCtrl) || !FocusedRowCanFocusCells())
        GoToFirst(false);
      else
        FocusNextItem(-1, true, false, false);
      break;
    case VK_LEFT:
      SetLeftPos(left_pos_ - kLeftPosStep);
      break;
    case VK_RIGHT:
      SetLeftPos(left_pos_ + kLeftPosStep);
      break;
    case VK_UP:
      if (MoveFocusUpToSpecialRow())
        break;
      if (!FocusNextRecord(IsSpecialRowFocused() ? -1 : FocusedRecordIndex(), false, details, details, false) &&
          IsSpecialRowFocused())
        key = 0;
      refresh();
      break;
    case VK_DOWN:
      if (!MoveFocusDownFromSpecialRow())
        FocusNextRecord(FocusedRecordIndex(), true, details, details, false);
      refresh();
      break;
    default:
      break;
  }
}

// --- special rows --------------------------------------------------------------

bool TlxGridTableController::IsFilterRowFocused() const {
  TlxGridViewData* view_data = GridTableView()->ViewData();
  return view_data != nullptr && view_data->FilterRow() != nullptr && view_data->FilterRow()->Selected();
}

bool TlxGridTableController::IsNewItemRowFocused() const {
  return GridTableView()->NewItemRow()->Visible() && DataController()->IsNewItemRowFocused();
}

bool TlxGridTableController::MoveFocusUpToSpecialRow() {
  TlxGridTableView* view = GridTableView();
  const bool first_row_focused = FocusedRecordIndex() <= 0;
  if (view->NewItemRow()->Visible() && !IsNewItemRowFocused()) {
    if (IsFilterRowFocused() || !first_row_focused)
      return false;
    SpecialRowSelecting(true);
    DataController()->SetNewItemRowFocused(true);
    SpecialRowFocusChanged();
    return IsNewItemRowFocused();
  }
  TlxGridViewData* view_data = view->ViewData();
  if (view_data->FilterRow() == nullptr || IsFilterRowFocused())
    return false;
  if (!IsNewItemRowFocused() && !first_row_focused)
    return false;
  SpecialRowSelecting(true);
  DataController()->SetNewItemRowFocused(false);
  view_data->FilterRow()->SetSelected(true);
  SpecialRowFocusChanged();
  return IsFilterRowFocused();
}

bool TlxGridTableController::MoveFocusDownFromSpecialRow() {
  TlxGridTableView* view = GridTableView();
  TlxGridViewData* view_data = view->ViewData();
  if (IsFilterRowFocused()) {
    if (view->NewItemRow()->Visible()) {
      view_data->FilterRow()->SetSelected(false);
      DataController()->SetNewItemRowFocused(true);
      SpecialRowFocusChanged();
      return IsNewItemRowFocused();
    }
    view_data->FilterRow()->SetSelected(false);
    const bool moved = DataController()->GetRowCount() > 0 && SetFocusedRecordIndex(TopRecordIndex());
    SpecialRowFocusChanged();
    return moved;
  }
  if (!IsNewItemRowFocused())
    return false;
  DataController()->SetNewItemRowFocused(false);
  if (DataController()->GetRowCount() > 0)
    SetFocusedRecordIndex(TopRecordIndex());
  SpecialRowFocusChanged();
  return true;
}

void TlxGridTableController::SpecialRowFocusChanged() {
  const int32_t row = FocusedRecordIndex();
  FocusedRecordChanged(row, row, false);
  if (TlxGridSite* site = Site())
    site->Invalidate();
}

void TlxGridTableController::SpecialRowSelecting(bool selecting) {
  if (!selecting)
    return;
  TlxCustomDataController* data = DataController();
  if (data->IsEditing())
    data->PostIfEditing();
  data->ChangeFocusedRowIndex(-1);
}

bool TlxGridTableController::CanAppend(bool check_options) {
  return !GridTableView()->NewItemRow()->Visible() && TlxCustomGridTableController::CanAppend(check_options);
}

bool TlxGridTableController::CanDelete(bool check_options) {
  return !IsSpecialRowFocused() && TlxCustomGridTableController::CanDelete(check_options);
}

bool TlxGridTableController::CanInsert(bool check_options) {
  return !IsFilterRowFocused() && TlxCustomGridTableController::CanInsert(check_options);
}

// --- column selection ----------------------------------------------------------

bool TlxGridTableController::IsCellMultiSelect() {
  return GridTableView()->OptionsSelection()->CellMultiSelect();
}

std::unique_ptr<TlxGridEditingController> TlxGridTableController::CreateEditingController() {
  return std::make_unique<TlxGridTableEditingController>(this);
}

bool TlxGridTableController::SupportsPullFocusing() {
  return TlxCustomGridTableController::SupportsPullFocusing() || IsCellMultiSelect();
}

void TlxGridTableController::SelectColumn(TlxGridColumn* column) {
  if (column == nullptr || column->Selected())
    return;
  column->SetSelected(true);
  GridTableView()->DoSelectionChanged();
}

void TlxGridTableController::UnselectColumn(TlxGridColumn* column) {
  if (column == nullptr || !column->Selected())
    return;
  column->SetSelected(false);
  GridTableView()->DoSelectionChanged();
}

void TlxGridTableController::ClearColumnSelection() {
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  std::vector<TlxGridColumn*> selected = GridTableView()->SelectedColumns();
  for (auto it = selected.rbegin(); it != selected.rend(); ++it)
    UnselectColumn(*it);
}

void TlxGridTableController::SelectColumnRange(TlxGridColumn* from, TlxGridColumn* to) {
  TlxGridTableView* view = GridTableView();
  const int32_t count = view->VisibleColumnCount();
  if (count == 0)
    return;
  int32_t first = from != nullptr && from->VisibleIndex() != -1 ? from->VisibleIndex() : 0;
  int32_t last = to != nullptr && to->VisibleIndex() != -1 ? to->VisibleIndex() : count - 1;
  if (first > last)
    std::swap(first, last);
  std::vector<TlxGridColumn*> range;
  for (int32_t i = first; i <= last; ++i)
    range.push_back(view->VisibleColumns(i));
  std::vector<TlxGridColumn*> selected = view->SelectedColumns();
  std::vector<TlxGridColumn*> sorted_range = range;
  std::sort(selected.begin(), selected.end());
  std::sort(sorted_range.begin(), sorted_range.end());
  if (selected == sorted_range)
    return;
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  for (TlxGridColumn* column : view->SelectedColumns())
    column->SetSelected(false);
  for (TlxGridColumn* column : range)
    column->SetSelected(true);
  view->DoSelectionChanged();
}

bool TlxGridTableController::NeedsColumnSelectionUpdate(TlxGridColumn* focused_before) {
  return IsCellMultiSelect() && FocusedItem() != focused_before;
}

void TlxGridTableController::UpdateColumnSelection(TShiftState shift) {
  auto* focused = dynamic_cast<TlxGridColumn*>(FocusedItem());
  if (HasModifier(shift, ssShift)) {
    SelectColumnRange(GridTableView()->ColumnSelectionAnchor(), focused);
    return;
  }
  SelectFocusedRecordOnly();
}

void TlxGridTableController::SelectFocusedRecordOnly() {
  TlxGridTableView* view = GridTableView();
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  TlxCustomGridTableController::SelectFocusedRecordOnly();
  if (!IsCellMultiSelect())
    return;
  auto* focused = dynamic_cast<TlxGridColumn*>(FocusedItem());
  std::vector<TlxGridColumn*> selected = view->SelectedColumns();
  if (selected.size() == 1 && selected.front() == focused)
    return;
  for (TlxGridColumn* column : selected)
    column->SetSelected(false);
  if (focused != nullptr) {
    focused->SetSelected(true);
    view->SetColumnSelectionAnchor(focused);
  }
  view->DoSelectionChanged();
}

bool TlxGridTableController::IsColumnFixedWhileSizing(TlxGridColumn* column) {
  if (sized_column_ == nullptr || column == nullptr)
    return false;
  if (column == sized_column_)
    return true;
  TlxGridTableView* view = GridTableView();
  const bool sized_is_last = sized_column_->VisibleIndex() == view->VisibleColumnCount() - 1;
  return !sized_is_last && column->VisibleIndex() != -1 && column->VisibleIndex() < sized_column_->VisibleIndex();
}

const TClass* TlxGridTableController::GetColumnHeaderMovingObjectClass() const {
  return &TlxGridColumnHeaderMovingObject::kClass;
}

// --- TlxGridDragOpenInfoMasterDataRowTab ------------------------------------------

TlxGridDragOpenInfoMasterDataRowTab::TlxGridDragOpenInfoMasterDataRowTab(TlxGridLevel* level,
                                                                         TlxGridMasterDataRow* master_row)
    : TlxGridDragOpenInfoTab(level), master_row_(master_row) {}

bool TlxGridDragOpenInfoMasterDataRowTab::Equals(const TlxCustomGridDragOpenInfo& other) const {
  if (!TlxGridDragOpenInfoTab::Equals(other))
    return false;
  return static_cast<const TlxGridDragOpenInfoMasterDataRowTab&>(other).master_row_ == master_row_;
}

void TlxGridDragOpenInfoMasterDataRowTab::Run() {
  if (master_row_ != nullptr && Level() != nullptr)
    master_row_->SetActiveDetailIndex(Level()->Index());
}
