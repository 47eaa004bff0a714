// The lookup grid control: update brackets, the top row, focus, keys,
// mouse, the scroll bar and the auto-scroll timer.

#include "editors/kinds/lookup_grid_win.h"

#include <algorithm>

#include "data/db_data_controller.h"
#include "editors/kinds/lookup_grid_view_info_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

// Shared by every lookup grid: a list shown under a resting mouse ignores
// the move the system reports at the same spot.
TPoint g_remembered_mouse_pos{-1, -1};

TPoint CursorScreenPos() {
  POINT point{};
  GetCursorPos(&point);
  return TPoint(point.x, point.y);
}

}  // namespace

TPoint lxLookupGridRememberedMousePos() { return g_remembered_mouse_pos; }

TlxCustomLookupGrid::TlxCustomLookupGrid(TComponent* owner) : TlxCustomLookupGrid(owner, true) {}

TlxCustomLookupGrid::TlxCustomLookupGrid(TComponent* owner, bool create_parts) : TlxControl(owner) {
  SetColor(clWindow);
  SetParentColor(false);
  SetWidth(250);
  SetHeight(200);
  SetWantedKeys(TlxWantedKeys{wkArrows});
  if (create_parts)
    CreateParts();
}

void TlxCustomLookupGrid::CreateParts() {
  columns_ = NewColumns();
  options_ = NewOptions();
  CreateSubClasses();
  CreateDataController();
}

std::unique_ptr<TlxLookupGridColumns> TlxCustomLookupGrid::NewColumns() {
  return std::make_unique<TlxLookupGridColumns>(this, *GetColumnClass());
}

std::unique_ptr<TlxLookupGridOptions> TlxCustomLookupGrid::NewOptions() {
  return std::make_unique<TlxLookupGridOptions>(this);
}

TlxCustomLookupGrid::~TlxCustomLookupGrid() {
  Destroying();
  SetAutoScrollDirection(lgasNone);
  DestroyDataController();
  DestroySubClasses();
  options_.reset();
  columns_.reset();
}

// --- virtual operations ---

void TlxCustomLookupGrid::ColumnAdded(TlxLookupGridColumn* column) { data_controller_->AddItem(column); }

void TlxCustomLookupGrid::Changed(uint32_t flags) {
  pending_changes_ |= flags;
  CheckChanges();
}

void TlxCustomLookupGrid::CreateSubClasses() {
  painter_ = lxCreatePart<TlxLookupGridPainter>(GetPainterClass(), this);
  painter_->SetLFPainterClass(GetLFPainterClass());
  view_info_ = lxCreatePart<TlxLookupGridViewInfo>(GetViewInfoClass(), this);
}

void TlxCustomLookupGrid::CreateDataController() {
  data_controller_ = lxCreatePart<TlxCustomDataController>(GetDataControllerClass(), this);
  data_controller_->OnUpdateControl = [this](TlxUpdateControlInfo& info) { DataControllerNotify(info); };
}

void TlxCustomLookupGrid::DestroySubClasses() {
  view_info_.reset();
  painter_.reset();
}

void TlxCustomLookupGrid::DestroyDataController() {
  if (data_controller_ != nullptr)
    data_controller_->OnUpdateControl = nullptr;
  data_controller_.reset();
}

void TlxCustomLookupGrid::DoRowMouseDown(int32_t row_index, int32_t column_index, TShiftState /*shift*/) {
  if (row_index != -1)
    SetFocusedRowIndex(row_index);
  if (column_index != -1)
    SetFocusedColumnIndex(column_index);
}

void TlxCustomLookupGrid::DoHeaderClick(int32_t column_index, TShiftState shift) {
  if (!options_->ColumnSorting() || column_index < 0 || column_index >= columns_->Count())
    return;
  TlxLookupGridColumn* column = columns_->GetItem(column_index);
  if (!column->Sorting())
    return;
  BeginUpdate();
  TScopeExit finish([this] {
    EndUpdate();
    MakeFocusedRowVisible();
  });
  const TlxLookupGridSortClick click =
      lxLookupGridHeaderClickSort(column->SortOrder(), shift.Contains(ssCtrl), shift.Contains(ssShift));
  if (click.ClearOthers)
    data_controller_->ClearSorting(true);
  column->SetSortOrder(click.NewOrder);
}

const TClass* TlxCustomLookupGrid::GetPainterClass() const { return &TlxLookupGridPainter::kClass; }

const TClass* TlxCustomLookupGrid::GetViewInfoClass() const { return &TlxLookupGridViewInfo::kClass; }

int32_t TlxCustomLookupGrid::GetTopExtraRowCount() const {
  return data_controller_->IsGridMode() && !data_controller_->IsBOF() ? 1 : 0;
}

int32_t TlxCustomLookupGrid::GetBottomExtraRowCount() const {
  return data_controller_->IsGridMode() && !data_controller_->IsEOF() ? 1 : 0;
}

bool TlxCustomLookupGrid::IsHotTracking() const { return popup_mode_ && options_->FocusRowOnMouseMove(); }

void TlxCustomLookupGrid::ColumnRemoved(TlxLookupGridColumn* column) {
  data_controller_->RemoveItem(column);
  if (focused_column_ == column)
    focused_column_ = nullptr;
}

void TlxCustomLookupGrid::SetAutoScrollDirection(TlxLookupGridAutoScroll direction) {
  if (auto_scroll_direction_ == direction)
    return;
  auto_scroll_timer_.reset();
  auto_scroll_direction_ = direction;
  if (direction == lgasNone)
    return;
  auto_scroll_timer_ = std::make_unique<TlxTimer>(nullptr);
  auto_scroll_timer_->SetInterval(50);
  auto_scroll_timer_->SetOnTimer([this](TObject* sender) { HandleAutoScrollTimer(sender); });
}

void TlxCustomLookupGrid::InvalidateFocusedRow() { InvalidateRow(GetFocusedRowIndex(), false); }

void TlxCustomLookupGrid::InvalidateRow(int32_t row_index, bool recalculate) {
  TlxLookupGridRowViewInfo* row = view_info_->FindRow(row_index);
  if (row == nullptr)
    return;
  if (recalculate) {
    row->Focused = row_index == GetFocusedRowIndex();
    view_info_->CalculateCells(*row);
  }
  InvalidateRect(row->Bounds, false);
}

void TlxCustomLookupGrid::UpdateLayout() {
  if (!HandleAllocated() || view_info_ == nullptr)
    return;
  view_info_->Calculate();
  Invalidate();
  UpdateScrollBars();
}

void TlxCustomLookupGrid::DataChanged() {
  LayoutChanged();
  if (OnDataChanged)
    OnDataChanged(this);
}

void TlxCustomLookupGrid::DataLayoutChanged() { LayoutChanged(); }

void TlxCustomLookupGrid::DoClick() {
  if (OnClick)
    OnClick(this);
}

void TlxCustomLookupGrid::DoCloseUp(bool accept) {
  if (OnCloseUp)
    OnCloseUp(this, accept);
}

void TlxCustomLookupGrid::DoFocusedRowChanged() {
  if (OnFocusedRowChanged)
    OnFocusedRowChanged(this);
}

void TlxCustomLookupGrid::FocusedRowChanged(int32_t previous_row_index, int32_t row_index) {
  const int32_t top = top_row_index_;
  const bool visible = row_index >= top && row_index < top + view_info_->VisibleRowCount &&
                       view_info_->FindRow(row_index) != nullptr;
  if (visible) {
    InvalidateRow(previous_row_index, true);
    InvalidateRow(row_index, true);
    return;
  }
  LayoutChanged();
  MakeFocusedRowVisible();
}

void TlxCustomLookupGrid::LayoutChanged() {
  if (view_info_ == nullptr || data_controller_ == nullptr)
    return;
  TStateScope in_layout(in_layout_changed_, true);
  InternalSetTopRowIndex(top_row_index_, false);
  UpdateLayout();
}

void TlxCustomLookupGrid::SelectionChanged(const TlxSelectionChangedInfo& info) {
  if (info.RowIndexCount() == 0) {
    LayoutChanged();
    return;
  }
  for (int32_t i = 0; i < info.RowIndexCount(); ++i)
    InvalidateRow(info.RowIndexAt(i), true);
}

void TlxCustomLookupGrid::DataControllerNotify(TlxUpdateControlInfo& info) {
  const TClass* cls = info.ClassType();
  if (cls->InheritsFrom(&TlxDataChangedInfo::kClass)) {
    DataChanged();
  } else if (cls->InheritsFrom(&TlxLayoutChangedInfo::kClass)) {
    DataLayoutChanged();
  } else if (cls->InheritsFrom(&TlxFocusedRowChangedInfo::kClass)) {
    const auto& focus = static_cast<const TlxFocusedRowChangedInfo&>(info);
    FocusedRowChanged(focus.PrevFocusedRowIndex, focus.FocusedRowIndex);
  } else if (cls->InheritsFrom(&TlxSelectionChangedInfo::kClass)) {
    SelectionChanged(static_cast<const TlxSelectionChangedInfo&>(info));
  }
}

void TlxCustomLookupGrid::SetFocusedRowSelected(bool value) { data_controller_->SetFocusedSelected(value); }

// --- operations for the lookup editors ---

void TlxCustomLookupGrid::BeginUpdate() {
  ++lock_count_;
  data_controller_->BeginUpdate();
}

void TlxCustomLookupGrid::EndUpdate() {
  if (lock_count_ == 0)
    return;
  --lock_count_;
  data_controller_->EndUpdate();
  CheckChanges();
}

void TlxCustomLookupGrid::CheckChanges() {
  if (pending_changes_ == 0 || lock_count_ != 0 || IsDestroying())
    return;
  const uint32_t changes = pending_changes_;
  TScopeExit clear([this] { pending_changes_ = 0; });
  if ((changes & 7) != 0)
    LayoutChanged();
}

void TlxCustomLookupGrid::SetPopupMode(bool value) {
  if (popup_mode_ == value)
    return;
  popup_mode_ = value;
  Changed(kLxLookupGridLayoutChanged);
}

TlxLookupGridHitInfo TlxCustomLookupGrid::GetHitInfo(const TPoint& point) {
  TlxLookupGridHitInfo hit;
  if (!GetClientBounds().Contains(point))
    return hit;
  const TlxLookupGridViewInfo& info = *view_info_;
  if (info.HeadersRect.Contains(point)) {
    for (size_t i = 0; i < info.Columns.size(); ++i) {
      if (info.Columns[i]->Bounds.Contains(point)) {
        hit.Kind = lghtHeader;
        hit.ColumnIndex = static_cast<int32_t>(i);
        return hit;
      }
    }
  }
  if (!info.RowsRect.Contains(point))
    return hit;
  for (const auto& row : info.Rows) {
    if (!row->Bounds.Contains(point))
      continue;
    hit.RowIndex = row->RowIndex;
    for (const auto& cell : row->Cells) {
      if (point.X >= cell->Bounds.Left && point.X < cell->Bounds.Right) {
        hit.Kind = lghtRow;
        hit.ColumnIndex = cell->ColumnIndex;
        break;
      }
    }
    break;
  }
  return hit;
}

int32_t TlxCustomLookupGrid::GetPopupHeight(int32_t row_count) {
  return row_count * view_info_->GetRowHeight() + view_info_->HeadersRect.Height();
}

int32_t TlxCustomLookupGrid::GetNearestPopupHeight(int32_t height) {
  return lxLookupGridNearestPopupHeight(height, view_info_->HeadersRect.Height(), view_info_->GetRowHeight(),
                                        GetRowCount());
}

void TlxCustomLookupGrid::RememberMousePos() { g_remembered_mouse_pos = CursorScreenPos(); }

void TlxCustomLookupGrid::MakeFocusedRowVisible() {
  const int32_t row = GetFocusedRowIndex();
  if (row != -1)
    MakeRowVisible(row);
}

void TlxCustomLookupGrid::MakeRowVisible(int32_t row_index) {
  SetTopRowIndex(lxLookupGridTopRowShowing(row_index, top_row_index_, view_info_->VisibleRowCount));
}

void TlxCustomLookupGrid::AssignColumns(const TlxLookupGridColumns* columns) { columns_->Assign(columns); }

int32_t TlxCustomLookupGrid::GetFocusedRowIndex() const { return data_controller_->FocusedRowIndex(); }

void TlxCustomLookupGrid::SetFocusedRowIndex(int32_t row_index) { data_controller_->ChangeFocusedRowIndex(row_index); }

int32_t TlxCustomLookupGrid::GetFocusedColumnIndex() const {
  return focused_column_ != nullptr ? focused_column_->Index() : -1;
}

void TlxCustomLookupGrid::SetFocusedColumnIndex(int32_t index) {
  if (columns_->Count() == 0)
    return;
  index = std::clamp(index, 0, columns_->Count() - 1);
  if (index != GetFocusedColumnIndex())
    SetFocusedColumn(columns_->GetItem(index));
}

void TlxCustomLookupGrid::SetFocusedColumn(TlxLookupGridColumn* column) {
  if (options_->RowSelect())
    column = nullptr;
  if (focused_column_ == column)
    return;
  focused_column_ = column;
  Changed(kLxLookupGridLayoutChanged);
}

int32_t TlxCustomLookupGrid::GetRowCount() const { return data_controller_->GetRowCount(); }

int32_t TlxCustomLookupGrid::ValidateTopRowIndex(int32_t index) {
  if (data_controller_->IsGridMode()) {
    auto* db = dynamic_cast<TlxDBDataController*>(data_controller_.get());
    const int32_t row_count = GetRowCount();
    const int32_t visible = view_info_->VisibleRowCount;
    if (index < 0) {
      if (db != nullptr && !db->IsBOF())
        db->ScrollInGridMode(index);
      index = 0;
    } else if (index > row_count - visible && index < row_count) {
      if (db != nullptr && !db->IsEOF())
        db->ScrollInGridMode(index - (row_count - visible));
      index = row_count - visible;
    } else if (index >= row_count) {
      if (db != nullptr && !db->IsEOF())
        db->ScrollInGridMode(index - row_count + 1);
      index = row_count - 1;
    }
  }
  return lxClampLookupGridTopRow(index, GetRowCount());
}

void TlxCustomLookupGrid::SetTopRowIndex(int32_t index) {
  index = ValidateTopRowIndex(index);
  if (index == top_row_index_)
    return;
  InternalSetTopRowIndex(index, !in_layout_changed_);
}

void TlxCustomLookupGrid::InternalSetTopRowIndex(int32_t index, bool update_layout) {
  const int32_t checked = view_info_->CheckTopRowIndex(index);
  if (checked == top_row_index_) {
    view_info_->Calculate();
    return;
  }
  top_row_index_ = checked;
  if (update_layout)
    UpdateLayout();
}

void TlxCustomLookupGrid::MoveFocusedRow(bool down) {
  int32_t row = GetFocusedRowIndex();
  if (data_controller_->IsGridMode()) {
    if (auto* db = dynamic_cast<TlxDBDataController*>(data_controller_.get())) {
      if (down && row == GetRowCount() - 1 && !db->IsEOF()) {
        db->ScrollInGridMode(1);
        if (!db->IsEOF())
          --row;
      } else if (!down && row == 0 && !db->IsBOF()) {
        db->ScrollInGridMode(-1);
        if (!db->IsBOF())
          ++row;
      }
    }
  }
  row = std::clamp(row + (down ? 1 : -1), 0, std::max(GetRowCount() - 1, 0));
  SetFocusedRowIndex(row);
  SetFocusedRowSelected(true);
}

void TlxCustomLookupGrid::PageUp() {
  MakeFocusedRowVisible();
  if (GetFocusedRowIndex() == top_row_index_)
    ScrollPageUp();
  SetFocusedRowIndex(top_row_index_);
}

void TlxCustomLookupGrid::PageDown() {
  MakeFocusedRowVisible();
  const int32_t last_visible = top_row_index_ + view_info_->VisibleRowCount - 1;
  if (GetFocusedRowIndex() == last_visible)
    ScrollPageDown();
  SetFocusedRowIndex(std::min(top_row_index_ + view_info_->VisibleRowCount - 1, GetRowCount() - 1));
}

void TlxCustomLookupGrid::ScrollPageUp() {
  SetTopRowIndex(top_row_index_ - lxLookupGridPageRowCount(view_info_->VisibleRowCount));
}

void TlxCustomLookupGrid::ScrollPageDown() {
  SetTopRowIndex(top_row_index_ + lxLookupGridPageRowCount(view_info_->VisibleRowCount));
}

void TlxCustomLookupGrid::FocusColumn(int32_t index) {
  SetFocusedColumnIndex(index);
  MakeFocusedRowVisible();
}

// --- control overrides ---

int32_t TlxCustomLookupGrid::GetBorderSize() {
  if (popup_mode_)
    return 0;
  return painter_ != nullptr && painter_->LFPainterClass() != nullptr ? painter_->LFPainterClass()->GetBorderSize()
                                                                     : 0;
}

void TlxCustomLookupGrid::AttachScrollBars() {
  if (view_info_ != nullptr)
    LayoutChanged();
  TlxControl::AttachScrollBars();
}

void TlxCustomLookupGrid::BoundsChanged() {
  if (view_info_ != nullptr)
    LayoutChanged();
  TlxControl::BoundsChanged();
}

void TlxCustomLookupGrid::DoColorChanged() {
  if (view_info_ != nullptr)
    LayoutChanged();
  TlxControl::DoColorChanged();
}

void TlxCustomLookupGrid::FontChanged() {
  TlxControl::FontChanged();
  if (view_info_ != nullptr)
    LayoutChanged();
}

void TlxCustomLookupGrid::LookAndFeelChanged(TlxLookAndFeel* sender, TlxLookAndFeelValues changed_values) {
  TlxControl::LookAndFeelChanged(sender, changed_values);
  if (painter_ == nullptr)
    return;
  painter_->SetLFPainterClass(GetLFPainterClass());
  Changed(kLxLookupGridLayoutChanged);
}

void TlxCustomLookupGrid::FocusChanged() {
  if (view_info_ != nullptr)
    InvalidateFocusedRow();
  TlxControl::FocusChanged();
}

void TlxCustomLookupGrid::MouseOperationCanceled() {
  TlxControl::MouseOperationCanceled();
  SetAutoScrollDirection(lgasNone);
  mouse_pressed_ = false;
}

void TlxCustomLookupGrid::InitScrollBarsParams() {
  // The control asks while it is still being made and while it goes.
  if (data_controller_ == nullptr || view_info_ == nullptr)
    return;
  const TlxLookupGridScrollBar bar =
      lxLookupGridRowsScrollBar(GetRowCount(), top_row_index_, view_info_->VisibleRowCount, GetTopExtraRowCount(),
                                GetBottomExtraRowCount());
  SetScrollBarParams(sbVertical, bar.Min, bar.Max, 1, bar.Page, bar.Position, true, true);
}

void TlxCustomLookupGrid::ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) {
  if (kind != sbVertical || data_controller_ == nullptr)
    return;
  switch (code) {
    case scLineUp: SetTopRowIndex(top_row_index_ - 1); break;
    case scLineDown: SetTopRowIndex(top_row_index_ + 1); break;
    case scPageUp: ScrollPageUp(); break;
    case scPageDown: ScrollPageDown(); break;
    case scPosition:
      if (data_controller_->IsGridMode())
        SetTopRowIndex(position - GetTopExtraRowCount());
      break;
    case scTrack:
      if (!data_controller_->IsGridMode())
        SetTopRowIndex(position);
      break;
    default: break;
  }
  position = GetTopExtraRowCount() + top_row_index_;
}

void TlxCustomLookupGrid::KeyDown(uint16_t& key, TShiftState shift) {
  TlxControl::KeyDown(key, shift);
  const bool ctrl_or_row_select = shift.Contains(ssCtrl) || options_->RowSelect();
  switch (key) {
    case VK_RETURN: DoCloseUp(GetFocusedRowIndex() != -1); break;
    case VK_PRIOR: PageUp(); break;
    case VK_NEXT: PageDown(); break;
    case VK_END:
      if (ctrl_or_row_select)
        data_controller_->GotoLast();
      else
        FocusColumn(columns_->Count() - 1);
      break;
    case VK_HOME:
      if (ctrl_or_row_select)
        data_controller_->GotoFirst();
      else
        FocusColumn(0);
      break;
    case VK_LEFT: FocusColumn(GetFocusedColumnIndex() - 1); break;
    case VK_RIGHT: FocusColumn(GetFocusedColumnIndex() + 1); break;
    case VK_UP: MoveFocusedRow(false); break;
    case VK_DOWN: MoveFocusedRow(true); break;
    default: break;
  }
}

void TlxCustomLookupGrid::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxControl::MouseDown(button, shift, x, y);
  if (!alive.Alive())
    return;
  const TlxLookupGridHitInfo hit = GetHitInfo(TPoint(x, y));
  if (hit.Kind == lghtHeader) {
    DoHeaderClick(hit.ColumnIndex, shift);
  } else if (hit.Kind == lghtRow) {
    DoRowMouseDown(hit.RowIndex, hit.ColumnIndex, shift);
    mouse_pressed_ = true;
  }
}

void TlxCustomLookupGrid::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxControl::MouseMove(shift, x, y);
  const TPoint cursor = CursorScreenPos();
  if (cursor == g_remembered_mouse_pos)
    return;
  g_remembered_mouse_pos = cursor;
  const bool captured = MouseCapture();
  if (!captured && !IsHotTracking())
    return;
  if (mouse_pressed_ && captured) {
    if (y < view_info_->VisibleRowsRect.Top) {
      SetAutoScrollDirection(lgasUp);
      return;
    }
    if (y >= view_info_->VisibleRowsRect.Bottom) {
      SetAutoScrollDirection(lgasDown);
      return;
    }
  }
  SetAutoScrollDirection(lgasNone);
  const TlxLookupGridHitInfo hit = GetHitInfo(TPoint(x, y));
  if (hit.Kind != lghtRow)
    return;
  SetFocusedRowIndex(hit.RowIndex);
  SetFocusedRowSelected(true);
}

void TlxCustomLookupGrid::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TAliveToken alive = AliveToken();
  TlxControl::MouseUp(button, shift, x, y);
  if (!alive.Alive())
    return;
  SetAutoScrollDirection(lgasNone);
  if (!mouse_pressed_)
    return;
  mouse_pressed_ = false;
  DoCloseUp(GetHitInfo(TPoint(x, y)).Kind == lghtRow);
}

void TlxCustomLookupGrid::HandleAutoScrollTimer(TObject* /*sender*/) {
  POINT cursor{};
  GetCursorPos(&cursor);
  if (HandleAllocated())
    ::ScreenToClient(WindowHandle(), &cursor);
  TlxLookupGridAutoScroll direction = lgasNone;
  if (cursor.y < view_info_->VisibleRowsRect.Top)
    direction = lgasUp;
  else if (cursor.y >= view_info_->VisibleRowsRect.Bottom)
    direction = lgasDown;
  if (direction == lgasNone)
    return;
  const int32_t row =
      lxLookupGridAutoScrollRow(direction, top_row_index_, view_info_->VisibleRowCount, GetRowCount());
  SetFocusedRowIndex(row);
  MakeRowVisible(row);
  SetFocusedRowSelected(false);
}

void TlxCustomLookupGrid::Loaded() {
  TlxControl::Loaded();
  Changed(kLxLookupGridLayoutChanged);
}

void TlxCustomLookupGrid::Paint() {
  TlxControl::Paint();
  if (painter_ != nullptr && view_info_ != nullptr)
    painter_->Paint();
}

void TlxCustomLookupGrid::CreateWnd() {
  TlxControl::CreateWnd();
  LayoutChanged();
}
