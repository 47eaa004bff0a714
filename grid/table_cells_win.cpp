#include "grid/table_cells_win.h"

#include <algorithm>

#include "editors/edit_properties.h"
#include "editors/edit_view_data_win.h"
#include "editors/edit_view_info_win.h"
#include "editors/text_view_win.h"
#include "grid/grid_editing_controller_win.h"
#include "grid/grid_hit_tests_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_records_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_info_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/scope.h"

namespace {

// The capability bit of editor kinds whose editor may open in a cell.
constexpr uint32_t kEditorMayOpen = 1;

}  // namespace

// --- TlxGridTableCellViewInfo --------------------------------------------------------

TlxGridTableCellViewInfo::TlxGridTableCellViewInfo(TlxCustomGridRecordViewInfo* record_view_info)
    : TlxCustomGridViewCellViewInfo(record_view_info->OwnerViewInfo()), record_view_info_(record_view_info) {}

TlxCustomGridRecord* TlxGridTableCellViewInfo::GridRecord() const { return record_view_info_->GridRecord(); }

TlxCustomGridTableViewInfo* TlxGridTableCellViewInfo::GridViewInfo() const {
  return record_view_info_->OwnerViewInfo();
}

TlxCustomGridTableView* TlxGridTableCellViewInfo::TableView() const { return record_view_info_->GridView(); }

bool TlxGridTableCellViewInfo::Selected() {
  if (!is_selected_cache_valid_) {
    selected_cache_ = CalculateSelected();
    is_selected_cache_valid_ = true;
  }
  return selected_cache_;
}

TlxCanvas& TlxGridTableCellViewInfo::GetCanvas() { return GridViewInfo()->Canvas(); }

const TClass* TlxGridTableCellViewInfo::GetHitTestClass() const { return &TlxGridRecordHitTest::kClass; }

bool TlxGridTableCellViewInfo::HasBackgroundBitmap() { return record_view_info_->CellHasBackgroundBitmap(this); }

void TlxGridTableCellViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxCustomGridViewCellViewInfo::InitHitTest(hit_test);
  if (auto* record_hit_test = dynamic_cast<TlxGridRecordHitTest*>(hit_test))
    record_hit_test->SetGridRecord(GridRecord());
}

void TlxGridTableCellViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  is_selected_cache_valid_ = false;
  TlxCustomGridViewCellViewInfo::Calculate(left, top, width, height);
}

bool TlxGridTableCellViewInfo::MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift) {
  TlxCustomGridTableView* view = TableView();
  TAliveToken view_alive = view->AliveToken();
  TlxCustomGridViewInfo* owner = OwnerViewInfo();
  owner->AddLiveCell(this);
  bool result = record_view_info_->MouseDown(hit_test, button, shift);
  if (!view_alive.Alive())
    return false;
  if (result && owner->IsCellAlive(this))
    TlxCustomGridViewCellViewInfo::MouseDown(hit_test, button, shift);
  owner->RemoveLiveCell(this);
  return result;
}

bool TlxGridTableCellViewInfo::CalculateSelected() {
  return TableView()->DrawCellSelected(GridRecord(), nullptr, this);
}

// --- TlxGridTableDataCellViewInfo ------------------------------------------------------

TlxGridTableDataCellViewInfo::TlxGridTableDataCellViewInfo(TlxCustomGridRecordViewInfo* record_view_info,
                                                           TlxCustomGridTableItem* item)
    : TlxGridTableCellViewInfo(record_view_info), item_(item) {
  item_->AddCell(this);
  properties_ = item_->GetPropertiesForRecord(GridRecord());
  edit_view_info_ = CreateEditViewInfo();
  edit_style_ = item_->AcquireCellStyle();
}

TlxGridTableDataCellViewInfo::~TlxGridTableDataCellViewInfo() {
  MarkBeingDestroyed();
  ReleaseLinks();
  if (item_ != nullptr) {
    if (!TableView()->GetIsDestroying())
      item_->ReleaseCellStyle();
    item_->RemoveCell(this);
  }
  edit_view_info_.reset();
}

std::unique_ptr<TlxCustomEditViewInfo> TlxGridTableDataCellViewInfo::CreateEditViewInfo() {
  if (properties_ == nullptr)
    return nullptr;
  const TlxEditViewInfoClass view_info_class = properties_->GetViewInfoClass();
  return view_info_class.Create != nullptr ? view_info_class.Create() : nullptr;
}

void TlxGridTableDataCellViewInfo::LoadParamsFromCanvas(TlxCanvas& canvas) {
  if (edit_view_info_ == nullptr)
    return;
  edit_view_info_->AssignBackgroundColor(canvas.Brush().Color());
  if (auto* text_view_info = dynamic_cast<TlxCustomTextEditViewInfo*>(edit_view_info_.get())) {
    text_view_info->Font = &canvas.Font();
    text_view_info->TextColor = canvas.Font().Color();
  }
}

void TlxGridTableDataCellViewInfo::ApplyParamsToCanvas(TlxCanvas& canvas) {
  if (edit_view_info_ == nullptr)
    return;
  canvas.SetBrushColor(edit_view_info_->BackgroundColor);
  if (auto* text_view_info = dynamic_cast<TlxCustomTextEditViewInfo*>(edit_view_info_.get())) {
    if (text_view_info->Font != nullptr && text_view_info->Font != &canvas.Font())
      canvas.AssignFont(*text_view_info->Font);
    canvas.Font().SetColor(text_view_info->TextColor);
  }
}

void TlxGridTableDataCellViewInfo::SetPaintParams(const TlxPaintParams& params) {
  TlxGridTableCellViewInfo::SetPaintParams(params);
  if (edit_view_info_ == nullptr)
    return;
  edit_view_info_->AssignBackgroundColor(params.Color);
  if (auto* text_view_info = dynamic_cast<TlxCustomTextEditViewInfo*>(edit_view_info_.get())) {
    text_view_info->Font = params.Font;
    text_view_info->TextColor = params.TextColor;
  }
}

void TlxGridTableDataCellViewInfo::GetPaintParams(TlxPaintParams& params) {
  TlxGridTableCellViewInfo::GetPaintParams(params);
  if (edit_view_info_ == nullptr)
    return;
  params.Color = edit_view_info_->BackgroundColor;
  if (auto* text_view_info = dynamic_cast<TlxCustomTextEditViewInfo*>(edit_view_info_.get())) {
    params.Font = text_view_info->Font;
    params.TextColor = text_view_info->TextColor;
  }
}

int32_t TlxGridTableDataCellViewInfo::CalculateHeight() {
  CalculateParamsIfNeeded();
  int32_t height = 0;
  if (item_ != nullptr && item_->CanAutoHeight() && properties_ != nullptr) {
    TRect text_area;
    GetTextAreaBounds(text_area);
    const int32_t width = text_area.Width() + 2;
    if (width >= 1) {
      std::unique_ptr<TlxCustomEditViewData> view_data = BeginUseEditViewData();
      view_data->InplaceFrameExtent = TRect();
      Variant value;
      GetDisplayValue(value);
      TlxEditSizeProperties size{-1, GetMaxLineCount(), width};
      height = view_data->MeasureEditSize(GetCanvas(), value, size).cy;
    }
  }
  if (height != 0)
    height += 2;
  else if (!KeepsZeroHeight())
    height = GridViewInfo()->GetFontHeight(PaintParams().Font) + 4;
  TlxCustomGridTableView* view = TableView();
  view->DoGetCellHeight(GridRecord(), item_, this, height);
  return height;
}

bool TlxGridTableDataCellViewInfo::CustomDraw(TlxCanvas& canvas) {
  bool done = TlxGridTableCellViewInfo::CustomDraw(canvas);
  if (!done && item_ != nullptr)
    done = item_->DoCustomDrawCell(&canvas, this);
  if (!done)
    done = TableView()->DoCustomDrawCell(&canvas, this);
  return done;
}

bool TlxGridTableDataCellViewInfo::HasCustomDraw() {
  return (item_ != nullptr && static_cast<bool>(item_->OnCustomDrawCell)) ||
         static_cast<bool>(TableView()->OnCustomDrawCell);
}

void TlxGridTableDataCellViewInfo::CalculateParams() {
  TlxGridTableCellViewInfo::CalculateParams();
  CalculateEditStyle();
}

void TlxGridTableDataCellViewInfo::GetAreaBounds(TRect& rect) {
  RecordViewInfo()->RecordsViewInfo()->GetCellAreaBounds(this, rect);
}

const TClass* TlxGridTableDataCellViewInfo::GetHitTestClass() const { return &TlxGridRecordCellHitTest::kClass; }

void TlxGridTableDataCellViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxGridTableCellViewInfo::InitHitTest(hit_test);
  if (auto* cell_hit_test = dynamic_cast<TlxGridRecordCellHitTest*>(hit_test))
    cell_hit_test->Item = item_;
}

bool TlxGridTableDataCellViewInfo::GetMeasureMultiLine() { return RecordViewInfo()->RecordsViewInfo()->IsAutoHeight(); }

const TClass* TlxGridTableDataCellViewInfo::GetPainterClass() const { return &TlxGridTableDataCellPainter::kClass; }

bool TlxGridTableDataCellViewInfo::GetShowEndEllipsis() { return TableView()->OptionsView()->CellEndEllipsis(); }

void TlxGridTableDataCellViewInfo::GetText(std::string& text) {
  auto* text_view_info = dynamic_cast<TlxCustomTextEditViewInfo*>(edit_view_info_.get());
  text = text_view_info != nullptr ? text_view_info->Text : std::string();
}

void TlxGridTableDataCellViewInfo::GetViewParams(TlxPaintParams& params) {
  TableView()->Styles()->GetDataCellParams(GridRecord(), item_, false, this, true, params);
}

void TlxGridTableDataCellViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxGridTableCellViewInfo::Offset(dx, dy);
  if (edit_view_info_ != nullptr)
    edit_view_info_->MoveBy(dx, dy);
}

void TlxGridTableDataCellViewInfo::BeforeRecalculation() {
  OwnerViewInfo()->UpdateMousePos();
  TlxGridTableCellViewInfo::BeforeRecalculation();
}

void TlxGridTableDataCellViewInfo::Calculate(int32_t left, int32_t top, int32_t width, int32_t height) {
  TlxGridTableCellViewInfo::Calculate(left, top, width, height);
  if (edit_view_info_ != nullptr)
    CalculateEditViewInfo(*edit_view_info_, OwnerViewInfo()->MousePos());
  std::string text;
  GetText(text);
  SetDisplayText(text);
}

bool TlxGridTableDataCellViewInfo::CalculateSelected() {
  return TableView()->DrawCellSelected(GridRecord(), item_, this);
}

std::unique_ptr<TlxCustomEditViewData> TlxGridTableDataCellViewInfo::BeginUseEditViewData() {
  std::unique_ptr<TlxCustomEditViewData> view_data = properties_->CreateViewData(edit_style_, true, false);
  view_data->Data = GridRecord();
  return view_data;
}

void TlxGridTableDataCellViewInfo::CalculateEditViewInfo(TlxCustomEditViewInfo& edit_view_info,
                                                         const TPoint& mouse_pos) {
  if (properties_ == nullptr)
    return;
  CalculateEditStyle();
  std::unique_ptr<TlxCustomEditViewData> view_data = BeginUseEditViewData();
  TRect border_extent;
  GetInplaceBorderExtent(border_extent);
  view_data->InplaceFrameExtent = border_extent;
  if (GetAutoHeight() || MeasureMultiLine())
    view_data->MaxLineCount = GetMaxLineCount();
  view_data->Selected = Selected();
  Variant value;
  GetDisplayValue(value);
  TlxCanvas& canvas = GetCanvas();
  view_data->ApplyEditValueToViewInfo(canvas, value, edit_view_info);
  TRect bounds;
  GetEditViewInfoBounds(bounds);
  view_data->Calculate(canvas, bounds, mouse_pos, mbLeft, TShiftState(), edit_view_info, true);
  // The cell's colours and font are what the editor draws with.
  const TlxPaintParams& params = PaintParams();
  edit_view_info.AssignBackgroundColor(params.Color);
  if (auto* text_view_info = dynamic_cast<TlxCustomTextEditViewInfo*>(&edit_view_info)) {
    text_view_info->Font = params.Font;
    text_view_info->TextColor = params.TextColor;
  }
}

bool TlxGridTableDataCellViewInfo::GetAutoHeight() { return RecordViewInfo()->GetAutoHeight(); }

void TlxGridTableDataCellViewInfo::GetDisplayValue(Variant& value) {
  if (GridRecord() == nullptr || item_ == nullptr) {
    value = Variant::Null();
    return;
  }
  if (properties_ != nullptr && properties_->CanUseFieldDisplayFormat(false) != 0) {
    value = Variant(GridRecord()->GetDisplayText(item_->Index()));
    return;
  }
  GetValue(value);
}

bool TlxGridTableDataCellViewInfo::IsFocused() {
  return item_ != nullptr && TableView()->FocusedItem() == item_ && RecordViewInfo()->Focused() &&
         item_->GetFocusedCellViewInfo() == this;
}

int32_t TlxGridTableDataCellViewInfo::GetMaxLineCount() { return TableView()->OptionsView()->CellTextMaxLineCount(); }

void TlxGridTableDataCellViewInfo::GetValue(Variant& value) {
  value = item_ != nullptr && GridRecord() != nullptr ? GridRecord()->GetValue(item_->Index()) : Variant::Null();
}

bool TlxGridTableDataCellViewInfo::ShowFocusRect() { return !TableView()->OptionsSelection()->InvertSelect(); }

bool TlxGridTableDataCellViewInfo::GetHotTrack() {
  if (ShowsEditButtons())
    return true;
  if (properties_ == nullptr || (properties_->GetEditCapabilities() & kEditorMayOpen) == 0)
    return false;
  return TableView()->OptionsBehavior()->ImmediateEditor() || IsFocused();
}

bool TlxGridTableDataCellViewInfo::ShowsEditButtons() {
  return item_ != nullptr && item_->ShowButtons(RecordViewInfo()->Focused());
}

void TlxGridTableDataCellViewInfo::GetEditorRect(TRect& rect) {
  GetEditViewInfoBounds(rect);
  rect = rect.Inflate(-1, -1);
  if (item_ == nullptr || !item_->CanScroll())
    return;
  TRect content;
  GridViewInfo()->GetCellsAreaBounds(content);
  rect.Right = std::min(rect.Right, content.Right);
  rect.Bottom = std::min(rect.Bottom, content.Bottom);
}

void TlxGridTableDataCellViewInfo::UpdateCell(bool recalculate) {
  if (IsBeingDestroyed())
    return;
  if (recalculate)
    Recalculate();
  Invalidate();
}

void TlxGridTableDataCellViewInfo::UpdateEditViewInfoState(const TPoint& point) {
  TlxGridSite* site = GridViewInfo()->Site();
  if (edit_view_info_ == nullptr || site == nullptr || !site->HandleAllocated() || !TableView()->IsVisible())
    return;
  std::unique_ptr<TlxCustomEditViewInfo> probe = CreateEditViewInfo();
  if (probe == nullptr)
    return;
  CalculateEditViewInfo(*probe, point);
  if (edit_view_info_->RepaintChanged(site->Handle(), probe.get()))
    UpdateCell(true);
}

bool TlxGridTableDataCellViewInfo::GetCellHints() { return TableView()->OptionsBehavior()->CellHints(); }

bool TlxGridTableDataCellViewInfo::HasCellHintHandler() {
  return item_ != nullptr && static_cast<bool>(item_->OnGetCellHint);
}

bool TlxGridTableDataCellViewInfo::HasHint() { return (GetCellHints() || HasCellHintHandler()) && !IsEditing(); }

bool TlxGridTableDataCellViewInfo::NeedsHint(const TPoint& mouse_pos, std::string& text, TRect& text_rect,
                                             bool& is_multi_line) {
  text.clear();
  bool found = false;
  // The editors answer no button hints, so the hint of a cell is its text
  // when the text does not fit.
  if (GetCellHints())
    found = TlxGridTableCellViewInfo::NeedsHint(mouse_pos, text, text_rect, is_multi_line);
  if (!HasCellHintHandler() || !(found || IsHintPoint(mouse_pos)))
    return found;
  if (!found) {
    text.clear();
    is_multi_line = false;
    GetHintTextRect(mouse_pos, text_rect);
  }
  item_->DoGetCellHint(GridRecord(), this, mouse_pos, text, is_multi_line, text_rect);
  return found || !text.empty();
}

void TlxGridTableDataCellViewInfo::MouseLeave() {
  TlxGridTableCellViewInfo::MouseLeave();
  // A point outside the cell: the editor's parts lose their hot look.
  if (!IsBeingDestroyed() && GetHotTrack())
    UpdateEditViewInfoState(BoundsRect.BottomRight());
}

void TlxGridTableDataCellViewInfo::MouseStateChanged(TlxGridCellMouseState prev_state) {
  TlxGridTableCellViewInfo::MouseStateChanged(prev_state);
  if (MouseState() == gmsNormal && !IsBeingDestroyed())
    UpdateCell(true);
}

bool TlxGridTableDataCellViewInfo::MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button,
                                             TShiftState shift) {
  was_focused_before_click_ = IsFocused();
  press_taken_ = false;
  press_was_double_ = shift.Contains(ssDouble);
  TlxCustomGridTableView* view = TableView();
  TAliveToken view_alive = view->AliveToken();
  TlxCustomGridViewInfo* owner = OwnerViewInfo();
  owner->AddLiveCell(this);
  TScopeExit leave([&] {
    if (view_alive.Alive())
      owner->RemoveLiveCell(this);
  });
  if (shift.Contains(ssDouble)) {
    if (view->DoCellDblClick(this, button, shift) || !view_alive.Alive() || !owner->IsCellAlive(this))
      return false;
  }
  const bool result = TlxGridTableCellViewInfo::MouseDown(hit_test, button, shift);
  if (!view_alive.Alive())
    return false;
  if (!result || !owner->IsCellAlive(this))
    return result;
  if (item_ != nullptr)
    view->SetFocusedItem(item_);
  if (view_alive.Alive() && owner->IsCellAlive(this))
    press_taken_ = true;
  return result;
}

bool TlxGridTableDataCellViewInfo::MouseMove(TlxCustomGridHitTest* hit_test, TShiftState shift) {
  const bool handled = TlxGridTableCellViewInfo::MouseMove(hit_test, shift);
  if (GetHotTrack() && hit_test != nullptr)
    UpdateEditViewInfoState(hit_test->Pos);
  return handled;
}

bool TlxGridTableDataCellViewInfo::MouseUp(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift) {
  bool result = TlxGridTableCellViewInfo::MouseUp(hit_test, button, shift);
  if (!press_taken_)
    return result;
  press_taken_ = false;
  TlxCustomGridTableView* view = TableView();
  TAliveToken view_alive = view->AliveToken();
  if (view->DoCellClick(this, button, shift))
    return true;
  if (!view_alive.Alive())
    return false;
  if (button == mbLeft && !press_was_double_ && item_ != nullptr && hit_test != nullptr)
    OpenEditorAfterClick(shift, hit_test->Pos);
  return result;
}

// A click on the focused cell opens its editor after the double-click time
// (so that a double click does not); with ImmediateEditor at once.
void TlxGridTableDataCellViewInfo::OpenEditorAfterClick(TShiftState shift, const TPoint& point) {
  TlxCustomGridTableView* view = TableView();
  if (!item_->GetEditable() || shift.Contains(ssShift) || shift.Contains(ssCtrl) || shift.Contains(ssAlt))
    return;
  // Views made with another controller have no in-place editing.
  auto* controller = dynamic_cast<TlxCustomGridTableController*>(static_cast<TlxCustomGridView*>(view)->Controller());
  if (controller == nullptr)
    return;
  TlxGridEditingController* editing = controller->EditingController();
  if (editing->EditingItem() == item_)
    return;
  if (editing->IsImmediateEditor()) {
    editing->ShowEditByMouse(item_, shift, point.X, point.Y);
    return;
  }
  if (was_focused_before_click_)
    editing->StartEditShowingTimer(item_);
}

bool TlxGridTableDataCellViewInfo::IsEditing() const {
  if (item_ == nullptr)
    return false;
  auto* controller =
      dynamic_cast<TlxCustomGridTableController*>(static_cast<TlxCustomGridView*>(TableView())->Controller());
  return controller != nullptr && controller->IsEditing() && controller->EditingController()->EditingItem() == item_ &&
         item_->GetFocusedCellViewInfo() == this;
}

// The item's shared style takes the cell's colours when the editor is
// calculated; the view info carries them (see CalculateEditViewInfo).
void TlxGridTableDataCellViewInfo::CalculateEditStyle() {
  if (item_ == nullptr || edit_style_ == nullptr)
    return;
  item_->InitStyle(*edit_style_, PaintParams(), RecordViewInfo()->Focused());
}

// --- TlxGridTableDataCellPainter ------------------------------------------------------------

void TlxGridTableDataCellPainter::DrawContent() {
  TlxGridTableDataCellViewInfo& cell = DataCell();
  if (cell.HasBackgroundBitmap() && cell.GetBackgroundBitmap() != nullptr)
    DrawBackground();
  TlxCustomEditViewInfo* edit_view_info = cell.EditViewInfo();
  if (edit_view_info == nullptr)
    return;
  // The editor draws text rows it laid out earlier straight on the device
  // context; a reused cell lays out nothing at this paint, so its font must
  // be selected here, or the context's default font shows.
  TlxPaintParams params;
  cell.GetPaintParams(params);
  if (params.Font != nullptr && params.Font != &Canvas().Font())
    Canvas().AssignFont(*params.Font);
  Canvas().MeasureTextExtent({});
  edit_view_info->Draw(Canvas());
}

void TlxGridTableDataCellPainter::DoPaint() {
  TlxCustomGridCellPainter::DoPaint();
  DrawFocusRect();
}

void TlxGridTableDataCellPainter::DrawFocusRect() {
  TlxGridTableDataCellViewInfo& cell = DataCell();
  if (!cell.IsFocused() || !cell.ShowFocusRect())
    return;
  if (TlxCustomGridPainter* painter = cell.TableView()->Painter())
    painter->DrawFocusRect(cell.ContentBounds(), cell.TableView()->OptionsSelection()->HideFocusRect());
}
