#include "grid/table_controller_win.h"

#include <windows.h>

#include <algorithm>
#include <functional>

#include "data/data_controller.h"
#include "data/data_search.h"
#include "editors/edit_control_win.h"
#include "grid/grid_editing_controller_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_strings.h"
#include "grid/grid_data_controller_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_info_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/scope.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/screen.h"
#include "grid/grid_cursors.h"
#include "ui/foundation/canvas/canvas_text_flags.h"
#include "platform/toolkit/message_dialog.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

bool IsExactly(TShiftState shift, TShiftState wanted) {
  TShiftState keys;
  for (TShiftStateFlag flag : {ssShift, ssAlt, ssCtrl})
    if (shift.Contains(flag))
      keys.Include(flag);
  return keys == wanted;
}

bool IsPlain(TShiftState shift) { return IsExactly(shift, TShiftState()); }
bool IsShiftOnly(TShiftState shift) { return IsExactly(shift, TShiftState{ssShift}); }
bool IsCtrlOnly(TShiftState shift) { return IsExactly(shift, TShiftState{ssCtrl}); }

// Keeps a timer owned by the controller; the controller frees it to stop.
std::unique_ptr<TlxTimer> MakeTimer(uint32_t interval, TNotifyEvent handler) {
  auto timer = std::make_unique<TlxTimer>(nullptr);
  timer->SetInterval(interval);
  timer->SetOnTimer(std::move(handler));
  return timer;
}

// Notices the view's destruction while a key, click or focus move runs.
class TViewWatch {
 public:
  explicit TViewWatch(TlxCustomGridView* view) : link_(view->AddListenerLink()) {}
  bool Alive() const { return link_->GridView() != nullptr; }

 private:
  std::unique_ptr<TlxGridListenerLink> link_;
};

}  // namespace

TlxCustomGridTableController::TlxCustomGridTableController(TlxCustomGridView* grid_view)
    : TlxCustomGridController(grid_view) {}

TlxCustomGridTableController::~TlxCustomGridTableController() {
  // The editors go before the timers and popups that might call into them.
  editing_controller_.reset();
}

TlxGridEditingController* TlxCustomGridTableController::EditingController() {
  if (editing_controller_ == nullptr)
    editing_controller_ = CreateEditingController();
  return editing_controller_.get();
}

std::unique_ptr<TlxGridEditingController> TlxCustomGridTableController::CreateEditingController() {
  return std::make_unique<TlxGridEditingController>(this);
}

TlxGridFilterMRUItemsPopup* TlxCustomGridTableController::FilterMRUItemsPopup() {
  if (filter_mru_items_popup_ == nullptr)
    filter_mru_items_popup_ = std::make_unique<TlxGridFilterMRUItemsPopup>(GridView());
  return filter_mru_items_popup_.get();
}

TlxCustomGridTableView* TlxCustomGridTableController::TableView() const {
  return static_cast<TlxCustomGridTableView*>(GridView());
}

TlxCustomGridTableViewData* TlxCustomGridTableController::TableViewData() const {
  return dynamic_cast<TlxCustomGridTableViewData*>(ViewData());
}

// --- read-only services -------------------------------------------------------

int32_t TlxCustomGridTableController::FocusedRecordIndex() const { return DataController()->FocusedRowIndex(); }

TlxCustomGridTableItem* TlxCustomGridTableController::FocusedItem() const { return TableView()->FocusedItem(); }

int32_t TlxCustomGridTableController::FocusedItemIndex() const {
  TlxCustomGridTableItem* item = FocusedItem();
  return item != nullptr ? item->VisibleIndex() : -1;
}

int32_t TlxCustomGridTableController::SelectedRecordCount() const { return DataController()->GetSelectedCount(); }

TlxCustomGridRecord* TlxCustomGridTableController::SelectedRecords(int32_t index) const {
  const int32_t row = DataController()->GetSelectedRowIndex(index);
  if (row == -1 || TableViewData() == nullptr)
    return nullptr;
  return TableViewData()->GetRecordByIndex(row);
}

bool TlxCustomGridTableController::IsEditing() const {
  return editing_controller_ != nullptr && editing_controller_->IsEditing();
}

bool TlxCustomGridTableController::IsIncSearching() const { return DataController()->Search().IsSearching(); }

std::string TlxCustomGridTableController::IncSearchingText() const { return DataController()->Search().SearchText(); }

bool TlxCustomGridTableController::MultiSelect() const { return TableView()->OptionsSelection()->MultiSelect(); }

bool TlxCustomGridTableController::IsNewItemRecordFocused() const { return DataController()->IsNewItemRowFocused(); }

bool TlxCustomGridTableController::IsBOF() const {
  if (DataController()->IsGridMode())
    return DataController()->IsBOF();
  bool wrapped = false;
  return const_cast<TlxCustomGridTableController*>(this)->FindNextRecord(FocusedRecordIndex(), false, wrapped,
                                                                         false) == -1;
}

bool TlxCustomGridTableController::IsEOF() const {
  if (DataController()->IsGridMode())
    return DataController()->IsEOF();
  bool wrapped = false;
  return const_cast<TlxCustomGridTableController*>(this)->FindNextRecord(FocusedRecordIndex(), true, wrapped,
                                                                         false) == -1;
}

TlxCustomGridRecord* TlxCustomGridTableController::GetFocusedRecord() const {
  TlxCustomGridTableViewData* view_data = TableViewData();
  const int32_t row = FocusedRecordIndex();
  if (view_data == nullptr || row < 0 || row >= view_data->RecordCount())
    return nullptr;
  return view_data->Records(row);
}

bool TlxCustomGridTableController::IsFocusedRecord(TlxCustomGridRecord* record) const {
  return record != nullptr && record == GetFocusedRecord();
}

void TlxCustomGridTableController::InvalidateRecord(TlxCustomGridRecord* record) {
  if (record != nullptr && record->ViewInfo() != nullptr) {
    record->ViewInfo()->Invalidate();
    return;
  }
  if (TlxGridSite* site = Site())
    site->Invalidate();
}

bool TlxCustomGridTableController::FocusedRecordHasCells() const {
  TlxCustomGridRecord* record = GetFocusedRecord();
  return record != nullptr && record->GetHasCells();
}

// --- permissions --------------------------------------------------------------

bool TlxCustomGridTableController::CanAppend(bool check_options) {
  return allow_append_ && (DataController()->GetEditOperations() & 1) != 0 &&
         (!check_options || TableView()->OptionsData()->Appending());
}

bool TlxCustomGridTableController::CanDelete(bool check_options) {
  return (DataController()->GetEditOperations() & 2) != 0 &&
         (!check_options || TableView()->OptionsData()->Deleting());
}

bool TlxCustomGridTableController::CanEdit() {
  const uint8_t operations = DataController()->GetEditOperations();
  return FocusedItem() != nullptr && TableView()->OptionsData()->Editing() && (operations & 4) != 0 &&
         (operations & 16) != 0;
}

bool TlxCustomGridTableController::CanInsert(bool check_options) {
  return (DataController()->GetEditOperations() & 8) != 0 &&
         (!check_options || TableView()->OptionsData()->Inserting());
}

bool TlxCustomGridTableController::CanHideHorzScrollBar() { return !TableView()->OptionsView()->Navigator(); }

bool TlxCustomGridTableController::IsCancelOnExit() {
  TlxCustomDataController* data = DataController();
  const uint8_t state = data->GetEditState();
  return TableView()->OptionsData()->CancelOnExit() && (state & dceInsert) != 0 && (state & dceModified) == 0;
}

// --- focus --------------------------------------------------------------------

bool TlxCustomGridTableController::SetFocusedRecordIndex(int32_t index) {
  TlxCustomDataController* data = DataController();
  if (index >= 0 && index < data->GetRowCount() && !TableView()->CanFocusRecord(index))
    return false;
  const bool changed = data->ChangeFocusedRowIndex(index);
  if (!changed || !ensure_focused_visible_)
    return changed;
  // The focused-record change the view queues only repaints; the scrolling
  // happens here, so that the row is in view before the next key.
  MakeFocusedRecordVisible();
  if (data->FocusedRowIndex() != -1)
    GridView()->SetFocused(true);
  return changed;
}

void TlxCustomGridTableController::FocusRecord(TlxCustomGridRecord* record) {
  SetFocusedRecordIndex(record != nullptr ? record->Index() : -1);
}

void TlxCustomGridTableController::SetFocusedItem(TlxCustomGridTableItem* item) {
  if (item != nullptr && !item->CanFocus(GetFocusedRecord()))
    return;
  TlxCustomGridTableItem* previous = FocusedItem();
  if (item == previous) {
    MakeFocusedItemVisible();
    return;
  }
  if (previous != nullptr && editing_controller_ != nullptr && !editing_controller_->IsEditingItemSetting())
    editing_controller_->HideEdit(true);
  TableView()->SetFocusedItem(item);
  FocusedItemChanged(previous);
  CheckEdit();
}

int32_t TlxCustomGridTableController::FindNextIndex(int32_t count, int32_t start, bool forward, bool cycle,
                                                    bool& wrapped, const std::function<bool(int32_t)>& accepted) {
  wrapped = false;
  if (count <= 0)
    return -1;
  int32_t index;
  if (start == -1) {
    if (forward)
      index = 0;
    else if (cycle)
      index = count - 1;
    else
      return -1;
  } else {
    index = forward ? start + 1 : start - 1;
  }
  for (int32_t steps = 0; steps < count; ++steps) {
    if (index < 0 || index >= count) {
      if (!cycle)
        return -1;
      wrapped = true;
      index = index < 0 ? count - 1 : 0;
    }
    if (index == start && steps > 0)
      return -1;
    if (accepted(index))
      return index;
    index += forward ? 1 : -1;
  }
  return -1;
}

int32_t TlxCustomGridTableController::FindNextRecord(int32_t start_row, bool forward, bool& wrapped, bool cycle) {
  TlxCustomGridTableView* view = TableView();
  return FindNextIndex(DataController()->GetRowCount(), start_row, forward, cycle, wrapped,
                       [view](int32_t row) { return view->CanFocusRecord(row); });
}

bool TlxCustomGridTableController::FocusNextRecord(int32_t start_row, bool forward, bool /*go_out_of_details*/,
                                                   bool /*go_into_details*/, bool cycle) {
  TlxCustomDataController* data = DataController();
  TViewWatch watch(GridView());
  if (data->IsEditing()) {
    if (editing_controller_ != nullptr)
      editing_controller_->UpdateValue();
    if (!watch.Alive())
      return false;
    const uint8_t state = data->GetEditState();
    if ((state & dceModified) == 0) {
      // Leaving an untouched new record in its direction drops it.
      if ((state & dceInsert) != 0 && forward != data->IsEOF()) {
        data->Cancel();
        return false;
      }
    } else {
      data->Post();
      if (!watch.Alive())
        return false;
      start_row = data->FocusedRowIndex();
    }
  }
  bool wrapped = false;
  const int32_t target = FindNextRecord(start_row, forward, wrapped, cycle);
  if (target == -1) {
    if (forward && CanAppend(true) && (data->GetEditState() & dceInsert) == 0) {
      CreateNewRecord(true);
      return true;
    }
    return false;
  }
  return SetFocusedRecordIndex(target);
}

int32_t TlxCustomGridTableController::FindNextItem(int32_t start_visible_index, bool forward,
                                                   TlxCustomGridRecord* record, bool& wrapped, bool cycle) {
  TlxCustomGridTableView* view = TableView();
  return FindNextIndex(view->VisibleItemCount(), start_visible_index, forward, cycle, wrapped,
                       [view, record](int32_t index) { return view->VisibleItems(index)->CanFocus(record); });
}

bool TlxCustomGridTableController::FocusNextItem(int32_t start_visible_index, bool forward,
                                                 bool go_to_next_record_on_cycle, bool cycle) {
  bool wrapped = false;
  const int32_t found = FindNextItem(start_visible_index, forward, GetFocusedRecord(), wrapped, cycle);
  if (found == -1)
    return false;
  if (wrapped && go_to_next_record_on_cycle) {
    if (!FocusNextRecord(FocusedRecordIndex(), forward, false, false, false))
      return false;
  }
  SetFocusedItem(TableView()->VisibleItems(found));
  return true;
}

bool TlxCustomGridTableController::FocusNextCell(bool forward, bool keep_within_record, bool cycle) {
  const bool focus_cell_on_cycle = TableView()->OptionsBehavior()->FocusCellOnCycle();
  if (FocusedRecordHasCells() && TableView()->OptionsSelection()->CellSelect())
    return FocusNextItem(FocusedItemIndex(), forward, focus_cell_on_cycle && !keep_within_record,
                         cycle && focus_cell_on_cycle);
  if (!focus_cell_on_cycle || keep_within_record)
    return false;
  if (!FocusNextRecord(FocusedRecordIndex(), forward, false, false, cycle))
    return false;
  if (FocusedRecordHasCells())
    FocusNextItem(-1, forward, false, true);
  return true;
}

bool TlxCustomGridTableController::FocusFirstCell() { return FocusNextItem(-1, true, false, false); }

void TlxCustomGridTableController::GoToFirst(bool sync_selection) {
  bool wrapped = false;
  const int32_t first = FindNextRecord(-1, true, wrapped, false);
  if (first != -1)
    SetFocusedRecordIndex(first);
  if (sync_selection && MultiSelect())
    SelectFocusedRecordOnly();
}

void TlxCustomGridTableController::GoToLast(bool sync_selection) {
  bool wrapped = false;
  const int32_t last = FindNextRecord(-1, false, wrapped, true);
  if (last != -1)
    SetFocusedRecordIndex(last);
  if (sync_selection && MultiSelect())
    SelectFocusedRecordOnly();
}

bool TlxCustomGridTableController::GoToNext(bool go_into_details, bool sync_selection) {
  const bool moved = FocusNextRecord(FocusedRecordIndex(), true, true, go_into_details, false);
  if (moved && sync_selection && MultiSelect())
    SelectFocusedRecordOnly();
  return moved;
}

bool TlxCustomGridTableController::GoToPrev(bool go_into_details, bool sync_selection) {
  const bool moved = FocusNextRecord(FocusedRecordIndex(), false, true, go_into_details, false);
  if (moved && sync_selection && MultiSelect())
    SelectFocusedRecordOnly();
  return moved;
}

void TlxCustomGridTableController::MakeFocusedRecordVisible() { MakeRecordVisible(GetFocusedRecord()); }

void TlxCustomGridTableController::MakeFocusedItemVisible() {
  if (FocusedItem() != nullptr)
    MakeItemVisible(FocusedItem());
}

void TlxCustomGridTableController::MakeRecordVisible(TlxCustomGridRecord* record) {
  if (record == nullptr || Control() == nullptr)
    return;
  const int32_t index = record->Index();
  if (index < top_record_index_) {
    SetTopRecordIndex(index);
    return;
  }
  const int32_t visible = GetVisibleRecordCount(top_record_index_, true);
  if (visible <= 0 || index < top_record_index_ + visible)
    return;
  // Raise the top until the record fits at the bottom.
  int32_t top = top_record_index_;
  while (top < index && index >= top + GetVisibleRecordCount(top, true))
    ++top;
  SetTopRecordIndex(top);
}

void TlxCustomGridTableController::FocusedItemChanged(TlxCustomGridTableItem* previous_item) {
  if (GridView()->IsLoading() || GridView()->GetIsDestroying())
    return;
  CancelIncSearch();
  MakeFocusedItemVisible();
  InvalidateFocusedRecord();
  (void)previous_item;
}

void TlxCustomGridTableController::FocusedRecordChanged(int32_t /*previous_row*/, int32_t new_row,
                                                        bool /*new_item_row_focusing_changed*/) {
  if (editing_controller_ != nullptr && editing_controller_->IsEditing() &&
      editing_controller_->IsHideEditOnFocusedRecordChange())
    editing_controller_->HideEdit(true);
  if (!DataController()->HasSelectionAnchor() && new_row >= 0)
    DataController()->SetSelectionAnchor(new_row);
}

// --- top record index and scroll bar ---------------------------------------

int32_t TlxCustomGridTableController::GetVisibleRecordCount(int32_t first_index, bool downwards) {
  auto* view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(ViewInfo());
  const int32_t record_count = DataController()->GetRowCount();
  if (view_info == nullptr || record_count == 0)
    return 0;
  const int32_t fits = view_info->VisibleRecordCount();
  if (fits <= 0)
    return 0;
  const int32_t remaining = downwards ? record_count - first_index : first_index + 1;
  return std::max(0, std::min(fits, remaining));
}

int32_t TlxCustomGridTableController::GetMaxTopRecordIndex() {
  const int32_t count = DataController()->GetRowCount();
  if (count == 0)
    return 0;
  return std::max(0, count - std::max(1, GetVisibleRecordCount(count - 1, false)));
}

void TlxCustomGridTableController::CheckTopRecordIndex(int32_t& index) {
  if (checking_top_record_index_)
    return;
  checking_top_record_index_ = true;
  TScopeExit done([this] { checking_top_record_index_ = false; });
  const int32_t last = DataController()->GetRowCount() - 1;
  index = std::min(index, std::max(last, 0));
  index = std::max(index, 0);
  if (index > 0)
    index = std::min(index, GetMaxTopRecordIndex());
}

void TlxCustomGridTableController::SetTopRecordIndex(int32_t value) {
  CheckTopRecordIndex(value);
  InternalSetTopRecordIndex(value);
}

void TlxCustomGridTableController::InternalSetTopRecordIndex(int32_t value) {
  if (value == top_record_index_)
    return;
  const int32_t delta = value - top_record_index_;
  top_record_index_ = value;
  auto* view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(ViewInfo());
  if (view_info != nullptr && view_info->IsIdle() && view_info->TopRecordIndex() != -1) {
    // The records' layout moves its rows and scrolls the pixels itself.
    view_info->ScrollRecords(value - view_info->TopRecordIndex());
    // The rows moved without a new calculation: the editor follows its cell.
    if (editing_controller_ != nullptr)
      editing_controller_->CheckEditVisible();
  } else {
    if (view_info != nullptr)
      view_info->SetScrolledTopRecordIndex(value);
    TableView()->ScrollData(delta, 0, 0);
  }
  TableView()->DoTopRecordIndexChanged();
}

int32_t TlxCustomGridTableController::GetScrollBarOffsetBegin() {
  return DataController()->IsGridMode() && !DataController()->IsBOF() ? 1 : 0;
}

int32_t TlxCustomGridTableController::GetScrollBarOffsetEnd() {
  return DataController()->IsGridMode() && !DataController()->IsEOF() ? 1 : 0;
}

int32_t TlxCustomGridTableController::GetScrollBarPos() { return GetScrollBarOffsetBegin() + top_record_index_; }

int32_t TlxCustomGridTableController::GetScrollBarRecordCount() {
  return GetScrollBarOffsetBegin() + DataController()->GetRowCount() + GetScrollBarOffsetEnd();
}

int32_t TlxCustomGridTableController::GetScrollBarPosition() { return GetScrollBarPos(); }
int32_t TlxCustomGridTableController::GetScrollBarRange() { return GetScrollBarRecordCount(); }

void TlxCustomGridTableController::SetScrollBarPos(int32_t position) {
  SetTopRecordIndex(position - GetScrollBarOffsetBegin());
}

void TlxCustomGridTableController::ScrollPageDown() {
  SetTopRecordIndex(top_record_index_ + std::max(1, GetVisibleRecordCount(top_record_index_, true)));
}

void TlxCustomGridTableController::ScrollPageUp() {
  SetTopRecordIndex(top_record_index_ - std::max(1, GetVisibleRecordCount(top_record_index_, false)));
}

void TlxCustomGridTableController::ScrollPage(bool forward) {
  if (forward)
    ScrollPageDown();
  else
    ScrollPageUp();
}

void TlxCustomGridTableController::ScrollRecords(bool forward, int32_t count) {
  const bool saved = allow_append_;
  allow_append_ = false;
  TScopeExit restore([this, saved] { allow_append_ = saved; });
  SetTopRecordIndex(top_record_index_ + (forward ? count : -count));
}

bool TlxCustomGridTableController::IsFirstVisibleRecord(TlxCustomGridRecord* record) {
  return record != nullptr && record->Index() == top_record_index_;
}

bool TlxCustomGridTableController::IsLastVisibleRecord(TlxCustomGridRecord* record) {
  const int32_t visible = GetVisibleRecordCount(top_record_index_, true);
  return record != nullptr && visible > 0 && record->Index() == top_record_index_ + visible - 1;
}

void TlxCustomGridTableController::FocusNextPage(bool sync_selection) {
  MakeFocusedRecordVisible();
  const int32_t visible = std::max(1, GetVisibleRecordCount(top_record_index_, true));
  if (FocusedRecordIndex() >= top_record_index_ + visible - 1)
    ScrollPageDown();
  const int32_t last_visible =
      std::min(DataController()->GetRowCount() - 1,
               top_record_index_ + std::max(1, GetVisibleRecordCount(top_record_index_, true)) - 1);
  if (last_visible >= 0)
    SetFocusedRecordIndex(last_visible);
  if (sync_selection && MultiSelect())
    SelectFocusedRecordOnly();
  if (Site() != nullptr)
    Site()->Invalidate();
}

void TlxCustomGridTableController::FocusPrevPage(bool sync_selection) {
  MakeFocusedRecordVisible();
  if (FocusedRecordIndex() <= top_record_index_)
    ScrollPageUp();
  if (DataController()->GetRowCount() > 0)
    SetFocusedRecordIndex(top_record_index_);
  if (sync_selection && MultiSelect())
    SelectFocusedRecordOnly();
  if (Site() != nullptr)
    Site()->Invalidate();
}

void TlxCustomGridTableController::CheckCoordinates() { SetTopRecordIndex(top_record_index_); }

void TlxCustomGridTableController::AfterViewInfoCalculation() {
  if (editing_controller_ != nullptr)
    editing_controller_->AfterViewInfoCalculation();
}

void TlxCustomGridTableController::BeforeViewInfoCalculation() {
  if (editing_controller_ != nullptr)
    editing_controller_->BeforeViewInfoCalculation();
}

void TlxCustomGridTableController::BeforeScrolling() {
  TlxCustomGridController::BeforeScrolling();
  if (editing_controller_ != nullptr)
    editing_controller_->UpdateEditIfNeeded();
}

void TlxCustomGridTableController::AfterScrolling() {
  TlxCustomGridController::AfterScrolling();
  if (check_edit_pending_)
    CheckEdit();
}

void TlxCustomGridTableController::InitScrollBarsParameters() {
  TlxGridSite* site = Site();
  if (site == nullptr)
    return;
  const int32_t visible = std::max(1, GetVisibleRecordCount(top_record_index_, true));
  site->SetScrollBarParams(sbVertical, 0, GetScrollBarRecordCount() - 1, 1, visible, GetScrollBarPos(), true, true);
}

void TlxCustomGridTableController::ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) {
  if (kind != sbVertical)
    return;
  switch (code) {
    case scLineUp:
      ScrollRecords(false, 1);
      break;
    case scLineDown:
      ScrollRecords(true, 1);
      break;
    case scPageUp:
      ScrollPage(false);
      break;
    case scPageDown:
      ScrollPage(true);
      break;
    case scTrack:
    case scPosition:
      SetScrollBarPos(position);
      break;
    default:
      break;
  }
  position = GetScrollBarPos();
}

// --- editing ------------------------------------------------------------------

void TlxCustomGridTableController::CheckEdit() {
  check_edit_pending_ = false;
  if (!allow_check_edit_ || !TableView()->OptionsBehavior()->AlwaysShowEditor())
    return;
  if (Control() != nullptr && Control()->IsUpdateLocked()) {
    check_edit_pending_ = true;
    return;
  }
  TlxGridEditingController* editing = EditingController();
  if (editing->FocusedCellOf(FocusedItem()) != nullptr)
    editing->ShowEdit(FocusedItem());
  else
    editing->HideEdit(false);
}

void TlxCustomGridTableController::EndEditing() {
  if (GridView()->GetIsDestroying())
    return;
  if (editing_controller_ != nullptr && editing_controller_->IsEditing())
    editing_controller_->HideEdit(true);
  if (DataController()->IsEditing())
    DataController()->FinishEditing();
}

void TlxCustomGridTableController::CreateNewRecord(bool append) {
  GridView()->SetFocused(true);
  TlxCustomDataController* data = DataController();
  if (append) {
    if (!CanAppend(false))
      return;
    data->Append();
  } else {
    if (!CanInsert(false))
      return;
    data->Insert();
    TlxCustomGridTableViewData* view_data = TableViewData();
    TlxCustomGridRecord* inserted = view_data != nullptr ? view_data->EditingRecord() : nullptr;
    if (MultiSelect() && inserted != nullptr)
      inserted->SetSelected(true);
  }
  TlxCustomGridTableView* view = TableView();
  if ((data->GetEditState() & dceInsert) != 0 && view != nullptr && view->OptionsBehavior()->FocusFirstCellOnNewRecord())
    FocusFirstCell();
}

void TlxCustomGridTableController::DeleteSelection() {
  if (!CanDelete(false))
    return;
  TlxCustomDataController* data = DataController();
  const int32_t selected = data->GetSelectedCount();
  const bool several =
      MultiSelect() && (selected > 1 || (selected == 1 && data->GetSelectedRowIndex(0) != data->FocusedRowIndex()));
  if (TableView()->OptionsData()->DeletingConfirmation()) {
    const std::string text = lxGridText(several ? slxGridDeletingSelectedConfirmationText
                                                : slxGridDeletingFocusedConfirmationText);
    TViewWatch watch(GridView());
    const TModalResult answer =
        lxShowMessageDialog(text, lxGridText(slxGridDeletingConfirmationCaption), mtConfirmation, mbOKCancel, 0);
    if (answer != mrOk || !watch.Alive())
      return;
  }
  // The record under an open editor goes: its typed value with it.
  if (editing_controller_ != nullptr)
    editing_controller_->HideEdit(false);
  if (several)
    data->DeleteSelection();
  else
    data->DeleteFocused();
}

// --- incremental search -----------------------------------------------------

TlxCustomGridTableItem* TlxCustomGridTableController::GetIncSearchingItem() {
  TlxCustomGridTableView* view = TableView();
  if (view->OptionsSelection()->CellSelect())
    return FocusedItem();
  if (TlxCustomGridTableItem* item = view->OptionsBehavior()->IncSearchItem())
    return item;
  return view->VisibleItemCount() > 0 ? view->VisibleItems(0) : nullptr;
}

void TlxCustomGridTableController::IncSearch(const std::string& text) {
  TlxDataControllerSearch& search = DataController()->Search();
  if (text == search.SearchText())
    return;
  if (text.empty()) {
    search.Cancel();
    return;
  }
  int32_t item_index = search.IsSearching() ? search.SearchItemIndex() : -1;
  if (item_index == -1) {
    TlxCustomGridTableItem* item = GetIncSearchingItem();
    if (item == nullptr)
      return;
    item_index = item->Index();
  }
  search.StartSearch(item_index, text);
}

void TlxCustomGridTableController::CancelIncSearch() { DataController()->Search().Cancel(); }

bool TlxCustomGridTableController::ProcessIncSearchKeyDown(uint16_t& key, TShiftState shift) {
  TlxDataControllerSearch& search = DataController()->Search();
  switch (key) {
    case VK_BACK: {
      std::string text = search.SearchText();
      if (!text.empty())
        text.pop_back();
      IncSearch(text);
      key = 0;
      return true;
    }
    case VK_ESCAPE:
      CancelIncSearch();
      key = 0;
      return true;
    case VK_UP:
    case VK_DOWN:
      if (!IsCtrlOnly(shift))
        return false;
      search.SearchNext(key == VK_DOWN);
      key = 0;
      return true;
    default:
      return false;
  }
}

// --- selection ----------------------------------------------------------------

void TlxCustomGridTableController::SelectAll() { DataController()->SelectAll(); }

void TlxCustomGridTableController::ClearSelection() { DataController()->ClearSelection(); }

void TlxCustomGridTableController::SelectFocusedRecordOnly() {
  TlxCustomDataController* data = DataController();
  if (data->GetSelectedCount() == 1 && data->GetSelectedRowIndex(0) == data->FocusedRowIndex())
    return;
  BeginUpdate();
  TScopeExit end([this] { EndUpdate(); });
  ClearSelection();
  if (TlxCustomGridRecord* record = GetFocusedRecord())
    record->SetSelected(true);
}

void TlxCustomGridTableController::DoNormalSelection() { SelectFocusedRecordOnly(); }

void TlxCustomGridTableController::DoRangeSelection(bool clear_first) {
  const int32_t row = FocusedRecordIndex();
  if (row == -1)
    return;
  DataController()->SelectFromAnchor(row, !clear_first);
}

void TlxCustomGridTableController::InvalidateFocusedRecord() {
  InvalidateRecord(GetFocusedRecord());
}

void TlxCustomGridTableController::InvalidateSelection() {
  for (int32_t i = 0; i < SelectedRecordCount(); ++i)
    if (TlxCustomGridRecord* record = SelectedRecords(i))
      InvalidateRecord(record);
  InvalidateFocusedRecord();
}

bool TlxCustomGridTableController::CanPostponeRecordSelection() { return !IsEditing(); }

bool TlxCustomGridTableController::CanProcessMultiSelect(bool check_focus) {
  return MultiSelect() && (!check_focus || GridView()->IsFocused());
}

bool TlxCustomGridTableController::CanProcessMultiSelectHitTest(TlxCustomGridHitTest* hit_test, TShiftState) {
  auto* record_hit_test = dynamic_cast<TlxGridRecordHitTest*>(hit_test);
  if (!CanProcessMultiSelect(false) || record_hit_test == nullptr || !record_hit_test->CanClick())
    return false;
  TlxCustomGridRecord* record = record_hit_test->GridRecord();
  return record != nullptr && IsFocusedRecord(record);
}

bool TlxCustomGridTableController::CanProcessMultiSelectKey(uint16_t key, TShiftState shift,
                                                            bool focused_record_changed) {
  return CanProcessMultiSelect(true) && IsKeyForMultiSelect(key, shift, focused_record_changed);
}

bool TlxCustomGridTableController::IsKeyForMultiSelect(uint16_t key, TShiftState shift, bool focused_record_changed) {
  if (key == VK_SPACE || key == VK_PRIOR || key == VK_NEXT)
    return true;
  const bool copy_key = IsCtrlOnly(shift) && (key == VK_INSERT || key == 'C');
  return focused_record_changed && !copy_key;
}

void TlxCustomGridTableController::MultiSelectKeyDown(uint16_t& key, TShiftState shift) {
  if (key == VK_SPACE && IsCtrlOnly(shift)) {
    if (TlxCustomGridRecord* record = GetFocusedRecord())
      record->SetSelected(!record->Selected());
    skip_next_key_press_ = true;
    return;
  }
  if (key != 0 && shift.Contains(ssShift)) {
    DataController()->SelectFromAnchor(FocusedRecordIndex(), false);
    return;
  }
  if (FocusedRecordIndex() >= 0)
    DataController()->SetSelectionAnchor(FocusedRecordIndex());
  if (!IsCtrlOnly(shift))
    SelectFocusedRecordOnly();
}

void TlxCustomGridTableController::MultiSelectMouseDown(TlxGridRecordHitTest* hit_test, TShiftState shift) {
  TlxCustomGridRecord* record = hit_test->GridRecord();
  const bool shift_down = shift.Contains(ssShift);
  const bool ctrl_down = shift.Contains(ssCtrl);
  const bool alt_down = shift.Contains(ssAlt);
  if (!shift_down && !alt_down && record != nullptr)
    DataController()->SetSelectionAnchor(record->Index());
  const bool can_postpone = CanPostponeRecordSelection() && record != nullptr && record->Selected() && !IsDblClick();
  if (ctrl_down && !shift_down && !alt_down && SupportsRecordSelectionToggling()) {
    if (can_postpone) {
      postponed_selecting_ = true;
      postponed_select_record_index_ = record->Index();
    } else if (TlxCustomGridRecord* focused = GetFocusedRecord()) {
      focused->SetSelected(!focused->Selected());
    }
    return;
  }
  if (shift_down && !alt_down && (!ctrl_down || SupportsAdditiveSelection())) {
    DoRangeSelection(!ctrl_down);
    return;
  }
  if (can_postpone) {
    postponed_selecting_ = true;
    postponed_select_record_index_ = record->Index();
    return;
  }
  DoNormalSelection();
}

void TlxCustomGridTableController::MultiSelectMouseUp(TlxGridRecordHitTest* hit_test, TShiftState shift) {
  TlxCustomGridRecord* record = hit_test->GridRecord();
  if (postponed_selecting_ && record != nullptr && record->Index() == postponed_select_record_index_) {
    if (IsCtrlOnly(shift)) {
      if (TlxCustomGridRecord* focused = GetFocusedRecord())
        focused->SetSelected(!focused->Selected());
    } else {
      SelectFocusedRecordOnly();
    }
  }
  CancelPostponedRecordSelection();
}

// --- keys ---------------------------------------------------------------------

bool TlxCustomGridTableController::IsKeyForController(uint16_t key, TShiftState /*shift*/) {
  switch (key) {
    case VK_TAB:
    case VK_ESCAPE:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_UP:
    case VK_DOWN:
    case VK_INSERT:
      return true;
    case VK_LEFT:
    case VK_RIGHT:
      return TableView()->OptionsBehavior()->AlwaysShowEditor();
    default:
      return false;
  }
}

void TlxCustomGridTableController::KeyDown(uint16_t& key, TShiftState shift) {
  TViewWatch watch(GridView());
  if (IsIncSearching() && ProcessIncSearchKeyDown(key, shift))
    return;
  const int32_t focused_before = FocusedRecordIndex();
  const int32_t top_before = top_record_index_;
  const uint16_t original_key = key;
  DoKeyDown(key, shift);
  if (!watch.Alive()) {
    key = 0;
    return;
  }
  const bool focused_changed = FocusedRecordIndex() != focused_before;
  if (CanProcessMultiSelectKey(original_key, shift, focused_changed))
    MultiSelectKeyDown(key, shift);
  if (!watch.Alive()) {
    key = 0;
    return;
  }
  if (top_record_index_ != top_before && Site() != nullptr)
    Site()->Update();
}

void TlxCustomGridTableController::LeaveGrid(bool forward) {
  if (TlxCustomGrid* grid = Control())
    grid->FocusNextControl(forward);
}

void TlxCustomGridTableController::DoKeyDown(uint16_t& key, TShiftState shift) {
  TViewWatch watch(GridView());
  // An Enter the editor passes on is not the record's: it would reopen
  // the editor.
  TlxCustomGridRecord* keyed_record = processing_editor_enter_ ? nullptr : GetFocusedRecord();
  if (keyed_record != nullptr) {
    keyed_record->KeyDown(key, shift);
    if (!watch.Alive()) {
      key = 0;
      return;
    }
  }
  TlxCustomGridTableView* view = TableView();
  TlxCustomDataController* data = DataController();
  switch (key) {
    case VK_RETURN:
      if ((IsPlain(shift) || IsShiftOnly(shift)) && view->OptionsBehavior()->GoToNextCellOnEnter()) {
        FocusNextCell(!shift.Contains(ssShift), false, true);
        key = 0;
      }
      break;
    case VK_TAB:
      if (!view->OptionsBehavior()->FocusCellOnTab())
        break;
      if (IsPlain(shift) || IsShiftOnly(shift)) {
        if (FocusNextCell(!shift.Contains(ssShift), false, true)) {
          key = 0;
        } else if (!IsEditing()) {
          LeaveGrid(!shift.Contains(ssShift));
          key = 0;
        }
      } else if (IsCtrlOnly(shift) || IsExactly(shift, TShiftState{ssCtrl, ssShift})) {
        LeaveGrid(!shift.Contains(ssShift));
        key = 0;
      }
      break;
    case VK_ESCAPE:
      // Consumed only when it cancelled an edit, so that a form's Cancel
      // button still gets a plain Esc.
      if (data->IsEditing()) {
        data->Cancel();
        if (watch.Alive() && !data->IsEditing() && MultiSelect())
          if (TlxCustomGridRecord* record = GetFocusedRecord())
            record->SetSelected(true);
        key = 0;
      }
      break;
    case VK_PRIOR:
      FocusPrevPage(false);
      break;
    case VK_NEXT:
      FocusNextPage(false);
      break;
    case VK_INSERT:
      if (IsPlain(shift) && CanInsert(true))
        CreateNewRecord(false);
      else if (IsCtrlOnly(shift) && !IsEditing())
        view->CopyToClipboard(false);
      break;
    case VK_DELETE:
      if ((IsPlain(shift) || IsCtrlOnly(shift)) && CanDelete(true)) {
        DeleteSelection();
        key = 0;
      }
      break;
    case 'A':
      if (IsCtrlOnly(shift))
        SelectAll();
      break;
    case 'C':
      if (IsCtrlOnly(shift) && !IsEditing())
        view->CopyToClipboard(false);
      break;
    default:
      break;
  }
}

void TlxCustomGridTableController::KeyPress(char16_t& key) {
  if (skip_next_key_press_) {
    skip_next_key_press_ = false;
    key = 0;
    return;
  }
  const bool printable = key >= 32 && key != 127;
  if (!printable && key != VK_BACK)
    return;
  TlxCustomGridTableItem* item = GetIncSearchingItem();
  if (item != nullptr && item->CanIncSearch() && !DataController()->IsEditing()) {
    if (key != VK_BACK) {
      const char16_t text[1] = {key};
      IncSearch(IncSearchingText() + Utf16ToUtf8(std::u16string_view(text, 1)));
    }
    key = 0;
    return;
  }
  if (key == VK_BACK || !FocusedRecordHasCells() || FocusedItem() == nullptr || IsEditing())
    return;
  const char16_t typed = key;
  key = 0;
  EditingController()->ShowEditByKey(FocusedItem(), typed);
}

// --- mouse --------------------------------------------------------------------

TlxGridRecordHitTest* TlxCustomGridTableController::RecordHitTestAt(int32_t x, int32_t y) {
  auto* hit_test = dynamic_cast<TlxGridRecordHitTest*>(HitTestAt(x, y));
  if (hit_test == nullptr || !IsHitTestOfView(hit_test))
    return nullptr;
  return hit_test;
}

void TlxCustomGridTableController::MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  if (editing_controller_ != nullptr)
    editing_controller_->StopEditShowingTimer();
  TViewWatch watch(GridView());
  // The site takes the focus from an open editor before the cells see the
  // press (the editor closes on leaving, with its value), so that the
  // press focuses the cell it hit as it would without the editor.
  TlxGridSite* focus_site = Site();
  if (IsEditing() && focus_site != nullptr && !focus_site->Focused() && !shift.Contains(ssDouble) &&
      MayFocusOnClickAt(x, y)) {
    focus_site->SetFocus();
    if (!watch.Alive())
      return;
  }
  TScopeExit selection([&] {
    if (!watch.Alive())
      return;
    TlxCustomGridHitTest* hit_test = HitTestAt(x, y);
    if (hit_test == nullptr || !IsHitTestOfView(hit_test))
      return;
    if (CanProcessMultiSelectHitTest(hit_test, shift))
      MultiSelectMouseDown(static_cast<TlxGridRecordHitTest*>(hit_test), shift);
    auto* record_hit_test = dynamic_cast<TlxGridRecordHitTest*>(hit_test);
    TlxGridSite* site = Site();
    if (button == mbLeft && IsPlain(shift) && !IsDblClick() && record_hit_test != nullptr &&
        record_hit_test->CanClick() && SupportsPullFocusing() && site != nullptr && site->MouseCapture() &&
        site->DragMode() == dmManual)
      StartPullFocusing(record_hit_test);
  });
  TlxCustomGridController::MouseDown(button, shift, x, y);
  if (!watch.Alive())
    return;
  // A record part without a cell of its own (a row's background) focuses
  // its record here; cells focus theirs when they take the press.
  TlxGridRecordHitTest* hit_test = RecordHitTestAt(x, y);
  if (hit_test != nullptr && hit_test->ViewInfo() == nullptr && hit_test->CanClick() && hit_test->GridRecord() != nullptr)
    FocusRecord(hit_test->GridRecord());
}

void TlxCustomGridTableController::MouseMove(TShiftState shift, int32_t x, int32_t y) {
  TlxCustomGridController::MouseMove(shift, x, y);
  if (!is_pull_focusing_)
    return;
  TlxGridRecordHitTest* hit_test = RecordHitTestAt(x, y);
  if (hit_test != nullptr) {
    if (TPoint(x, y) == pull_focusing_origin_)
      return;
    pull_focusing_timer_.reset();
    pull_focusing_scrolling_direction_ = dirNone;
    PullFocusingMouseMove(hit_test);
    pull_focusing_origin_ = TPoint(x, y);
    if (Site() != nullptr)
      Site()->Update();
    return;
  }
  pull_focusing_scrolling_direction_ = GetPullFocusingScrollingDirection(x, y);
  if (pull_focusing_scrolling_direction_ == dirNone) {
    pull_focusing_timer_.reset();
    return;
  }
  if (pull_focusing_timer_ == nullptr)
    pull_focusing_timer_ = MakeTimer(50, [this](TObject* sender) { PullFocusingTimerFired(sender); });
}

void TlxCustomGridTableController::MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) {
  TViewWatch watch(GridView());
  TlxCustomGridController::MouseUp(button, shift, x, y);
  if (!watch.Alive())
    return;
  StopPullFocusing();
  if (button == mbLeft) {
    TlxCustomGridHitTest* hit_test = HitTestAt(x, y);
    if (hit_test != nullptr && CanProcessMultiSelectHitTest(hit_test, shift))
      MultiSelectMouseUp(static_cast<TlxGridRecordHitTest*>(hit_test), shift);
  }
  CancelPostponedRecordSelection();
}

void TlxCustomGridTableController::MouseOperationCanceled() {
  StopPullFocusing();
  CancelPostponedRecordSelection();
}

bool TlxCustomGridTableController::SupportsPullFocusing() { return TableView()->OptionsBehavior()->PullFocusing(); }

void TlxCustomGridTableController::StartPullFocusing(TlxGridRecordHitTest* /*hit_test*/) {
  is_pull_focusing_ = true;
  if (TlxGridSite* site = Site())
    pull_focusing_origin_ = site->ScreenToClient(Mouse->CursorPos());
  pull_focusing_record_id_ = Variant();
  pull_focusing_item_ = nullptr;
}

void TlxCustomGridTableController::StopPullFocusing() {
  is_pull_focusing_ = false;
  pull_focusing_timer_.reset();
  pull_focusing_record_id_ = Variant();
  pull_focusing_item_ = nullptr;
  pull_focusing_scrolling_direction_ = dirNone;
}

void TlxCustomGridTableController::PullFocusingMouseMove(TlxGridRecordHitTest* hit_test) {
  TlxCustomGridRecord* record = hit_test->GridRecord();
  if (record == nullptr)
    return;
  FocusRecord(record);
  TlxCustomGridTableItem* item = nullptr;
  if (auto* cell_hit_test = dynamic_cast<TlxGridRecordCellHitTest*>(hit_test)) {
    item = cell_hit_test->Item;
    if (item != nullptr)
      SetFocusedItem(item);
  }
  const Variant identity = DataController()->GetRecordIdentity(record->RecordIndex());
  const bool changed = !(identity == pull_focusing_record_id_) || item != pull_focusing_item_;
  if (MultiSelect() && changed)
    DoRangeSelection(true);
  pull_focusing_record_id_ = identity;
  pull_focusing_item_ = item;
}

void TlxCustomGridTableController::PullFocusingScroll(TlxDirection direction) {
  const int32_t before = FocusedRecordIndex();
  const int32_t visible = std::max(1, GetVisibleRecordCount(top_record_index_, true));
  if (direction == dirUp)
    SetFocusedRecordIndex(top_record_index_);
  else if (direction == dirDown)
    SetFocusedRecordIndex(std::min(DataController()->GetRowCount() - 1, top_record_index_ + visible - 1));
  {
    const bool saved = allow_append_;
    allow_append_ = false;
    TScopeExit restore([this, saved] { allow_append_ = saved; });
    if (direction == dirUp || direction == dirDown)
      FocusNextRecord(FocusedRecordIndex(), direction == dirDown, false, false, false);
  }
  if (MultiSelect() && FocusedRecordIndex() != before)
    DoRangeSelection(true);
  if (TlxGridSite* site = Site())
    site->Update();
}

void TlxCustomGridTableController::PullFocusingTimerFired(TObject* /*sender*/) {
  PullFocusingScroll(pull_focusing_scrolling_direction_);
}

TRect TlxCustomGridTableController::GetRecordsAreaBounds() {
  auto* view_info = dynamic_cast<TlxCustomGridTableViewInfo*>(ViewInfo());
  if (view_info == nullptr)
    return ViewInfo() != nullptr ? ViewInfo()->ClientBounds() : TRect();
  TRect rect;
  view_info->GetRowsAreaBounds(rect);
  return rect;
}

TlxDirection TlxCustomGridTableController::GetPullFocusingScrollingDirection(int32_t x, int32_t y) {
  const TRect area = GetRecordsAreaBounds();
  if (IsRecordsScrollHorizontal()) {
    if (x < area.Left)
      return dirUp;
    if (x >= area.Right)
      return dirDown;
    return dirNone;
  }
  if (y < area.Top)
    return dirUp;
  if (y >= area.Bottom)
    return dirDown;
  return dirNone;
}

// --- dragging over the view -----------------------------------------------------

TlxDirection TlxCustomGridTableController::GetDragScrollDirection(int32_t x, int32_t y) {
  TlxGridRecordHitTest* hit_test = RecordHitTestAt(x, y);
  TlxCustomGridRecord* record = hit_test != nullptr ? hit_test->GridRecord() : nullptr;
  if (record == nullptr)
    return dirNone;
  const bool horizontal = IsRecordsScrollHorizontal();
  if (IsFirstVisibleRecord(record))
    return horizontal ? dirLeft : dirUp;
  if (IsLastVisibleRecord(record))
    return horizontal ? dirRight : dirDown;
  return dirNone;
}

void TlxCustomGridTableController::StartDragScrolling(TlxDirection direction) {
  drag_scroll_direction_ = direction;
  if (drag_scroll_timer_ == nullptr)
    drag_scroll_timer_ =
        MakeTimer(GetDragScrollInterval(), [this](TObject* sender) { DragScrollTimerFired(sender); });
}

void TlxCustomGridTableController::StopDragScrolling() {
  drag_scroll_direction_ = dirNone;
  drag_scroll_timer_.reset();
}

void TlxCustomGridTableController::DragScrollTimerFired(TObject* /*sender*/) {
  TlxGridSite* site = Site();
  if (site == nullptr || drag_scroll_direction_ == dirNone)
    return;
  site->ScrollStep(drag_scroll_direction_);
  site->Update();
}

void TlxCustomGridTableController::DragOver(TObject* /*source*/, int32_t x, int32_t y, TDragState state,
                                            bool& /*accept*/) {
  TlxCustomGridTableOptionsBehavior* options = TableView()->OptionsBehavior();
  if (options->DragScrolling()) {
    const TlxDirection direction = GetDragScrollDirection(x, y);
    if (direction != dirNone && state != dsDragLeave)
      StartDragScrolling(direction);
    else
      StopDragScrolling();
  }
  TlxGridRecordHitTest* hit_test = RecordHitTestAt(x, y);
  TlxCustomGridRecord* record = hit_test != nullptr ? hit_test->GridRecord() : nullptr;
  if (options->DragHighlighting()) {
    TlxCustomGridRecord* highlighted = state == dsDragLeave ? nullptr : record;
    if (highlighted != drag_highlighted_record_) {
      if (drag_highlighted_record_ != nullptr)
        InvalidateRecord(drag_highlighted_record_);
      drag_highlighted_record_ = highlighted;
      if (highlighted != nullptr)
        InvalidateRecord(highlighted);
    }
  }
  if (state != dsDragLeave && options->DragFocusing() == dfDragOver && record != nullptr)
    FocusRecord(record);
}

void TlxCustomGridTableController::DragDrop(TObject* /*source*/, int32_t x, int32_t y) {
  if (TableView()->OptionsBehavior()->DragFocusing() != dfDragDrop)
    return;
  TlxGridRecordHitTest* hit_test = RecordHitTestAt(x, y);
  if (hit_test != nullptr && hit_test->GridRecord() != nullptr)
    FocusRecord(hit_test->GridRecord());
}

void TlxCustomGridTableController::EndDrag(TObject* /*target*/, int32_t /*x*/, int32_t /*y*/) {
  drag_highlighted_record_ = nullptr;
  StopDragScrolling();
}

void TlxCustomGridTableController::BeforeStartDrag() {
  TlxCustomDataController* data = DataController();
  if (!data->IsEditing())
    return;
  if ((data->GetEditState() & dceModified) != 0)
    data->Post();
  else
    data->Cancel();
}

bool TlxCustomGridTableController::CanStartDragAt(int32_t x, int32_t y) {
  TlxGridRecordHitTest* hit_test = RecordHitTestAt(x, y);
  return hit_test != nullptr && hit_test->CanClick();
}

void TlxCustomGridTableController::GetDragDropText(std::string& text) {
  text.clear();
  if (!TableView()->OptionsBehavior()->DragDropText())
    return;
  TableView()->DoGetDragDropText(GetFocusedRecord(), FocusedItem(), text);
}

void TlxCustomGridTableController::StartDrag(TDragObject*& /*drag_object*/) {
  TlxGridSite* site = Site();
  if (site != nullptr)
    site->SetDragCursor(static_cast<TCursor>(SelectedRecordCount() >= 2 ? GridMultiDragCursor : GridDragCursor));
  GetDragDropText(drag_text_);
}

TPoint TlxCustomGridTableController::GetDragImagesSize() {
  if (drag_text_.empty() || Site() == nullptr)
    return TPoint(0, 0);
  TlxCanvas& canvas = Site()->Canvas();
  return TPoint(canvas.MeasureTextWidth(drag_text_) + 35, canvas.MeasureTextHeight(drag_text_) + 10);
}

void TlxCustomGridTableController::DrawDragImage(TlxCanvas& canvas, const TRect& rect) {
  TRect area = rect;
  canvas.FillRectColor(area, clHighlight);
  area.Left += 25;
  for (int32_t frame = 0; frame < 3; ++frame) {
    canvas.Canvas().DrawFocusRect(area);
    area.Inflate(-1, -1);
  }
  area = rect;
  area.Left += 25;
  area.Inflate(-5, -5);
  canvas.Font().SetColor(clHighlightText);
  canvas.DrawTextInRect(drag_text_, area, lxtfLeft | lxtfCenterY | lxtfSingleLine);
}

void TlxCustomGridTableController::BeginDragAndDrop() {
  TlxCustomGridController::BeginDragAndDrop();
  if (editing_controller_ != nullptr)
    editing_controller_->HideEdit(true);
}

void TlxCustomGridTableController::EndDragAndDrop(bool accepted) {
  TlxCustomGridController::EndDragAndDrop(accepted);
  StopScrollTimer();
  CheckEdit();
}

// --- scrolling while items are moved --------------------------------------------

void TlxCustomGridTableController::StartScrollTimer(TlxDirection direction) {
  if (direction == dirNone || !CanScroll(direction)) {
    StopScrollTimer();
    return;
  }
  if (direction == scroll_direction_ && scroll_timer_ != nullptr)
    return;
  scroll_direction_ = direction;
  scroll_timer_ = MakeTimer(GetScrollInterval(direction), [this](TObject* sender) { ScrollTimerFired(sender); });
}

void TlxCustomGridTableController::StopScrollTimer() {
  scroll_direction_ = dirNone;
  scroll_timer_.reset();
}

void TlxCustomGridTableController::ScrollTimerFired(TObject* /*sender*/) {
  if (!CanScroll(scroll_direction_)) {
    StopScrollTimer();
    return;
  }
  TlxCustomGridDragAndDropObject* object = DragAndDropObject();
  if (object != nullptr)
    object->BeforeScrollStep();
  DoScroll(scroll_direction_);
  if (object != nullptr)
    object->AfterScrollStep();
}

void TlxCustomGridTableController::RequestGridModeBufferSync() {
  if (!DataController()->IsGridMode())
    return;
  grid_mode_sync_pending_ = true;
  // The timer's first tick comes from the message loop, after the view
  // info that asked has finished its calculation.
  if (grid_mode_sync_timer_ == nullptr)
    grid_mode_sync_timer_ = MakeTimer(1, [this](TObject* sender) { GridModeSyncTimerFired(sender); });
  else
    grid_mode_sync_timer_->SetEnabled(true);
}

void TlxCustomGridTableController::RecordsAreaMeasured(int32_t row_height, int32_t client_height) {
  if (row_height == last_data_row_height_ && client_height == last_client_height_ && row_height != 0)
    return;
  last_data_row_height_ = row_height;
  last_client_height_ = client_height;
  RequestGridModeBufferSync();
}

void TlxCustomGridTableController::GridModeSyncTimerFired(TObject* /*sender*/) {
  // The timer stops here; it is freed with the next request or the
  // controller, not from inside its own event.
  if (grid_mode_sync_timer_ != nullptr)
    grid_mode_sync_timer_->SetEnabled(false);
  if (!grid_mode_sync_pending_)
    return;
  grid_mode_sync_pending_ = false;
  if (auto* extensions = dynamic_cast<IlxGridDataControllerExtensions*>(DataController()))
    extensions->UpdateGridModeBufferCount();
}

// --- focus of the site ----------------------------------------------------------

void TlxCustomGridTableController::DoEnter() {
  if (allow_check_edit_)
    check_edit_pending_ = true;
}

void TlxCustomGridTableController::DoExit() {
  if (IsCancelOnExit())
    DataController()->Cancel();
  else
    DataController()->UpdateData();
}

void TlxCustomGridTableController::ViewLostFocus() {
  TlxCustomGridController::ViewLostFocus();
  TlxCustomDataController* data = DataController();
  if (TableView()->OptionsSelection()->UnselectFocusedRecordOnExit() && MultiSelect() &&
      data->GetSelectedCount() == 1)
    if (TlxCustomGridRecord* record = GetFocusedRecord(); record != nullptr && record->Selected())
      record->SetSelected(false);
  InvalidateFocusedRecord();
}

void TlxCustomGridTableController::ControlFocusChanged() {
  TlxCustomGridController::ControlFocusChanged();
  InvalidateSelection();
}

bool TlxCustomGridTableController::MayFocusOnClickAt(int32_t x, int32_t y) {
  // A click on the navigator leaves the focus in an open editor.
  if (Site() != nullptr && Site()->Focused() && IsEditing()) {
    TlxCustomGridHitTest* hit_test = HitTestAt(x, y);
    if (hit_test != nullptr && hit_test->GetHitTestCode() == 1)
      return false;
  }
  return TlxCustomGridController::MayFocusOnClickAt(x, y);
}

bool TlxCustomGridTableController::WantsFocus() {
  if (Site() == nullptr || !Site()->Focused() || !IsEditing())
    return true;
  if (TableView()->OptionsBehavior()->AlwaysShowEditor())
    return false;
  TlxCustomEdit* edit = editing_controller_->Edit();
  return edit == nullptr || edit->ValidateEdit(true);
}
