#include "grid/table_view_info_win.h"

#include <algorithm>
#include <cstdlib>

#include "grid/grid_hit_tests_win.h"
#include "grid/grid_navigator_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_strings.h"
#include "grid/table_controller_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/controls/control_scroll_bar_win.h"

// --- TlxCustomGridTableViewInfo -----------------------------------------------------

TlxCustomGridTableViewInfo::TlxCustomGridTableViewInfo(TlxCustomGridView* grid_view)
    : TlxCustomGridViewInfo(grid_view) {}

TlxCustomGridTableViewInfo::~TlxCustomGridTableViewInfo() {
  AttachNavigatorButtons(false);
  records_view_info_.reset();
  navigator_site_view_info_.reset();
  navigator_view_info_.reset();
  filter_view_info_.reset();
}

TlxCustomGridTableView* TlxCustomGridTableViewInfo::GridView() const {
  return static_cast<TlxCustomGridTableView*>(TlxCustomGridViewInfo::GridView());
}

TlxCustomGridTableViewData* TlxCustomGridTableViewInfo::ViewData() const {
  return static_cast<TlxCustomGridTableViewData*>(TlxCustomGridViewInfo::ViewData());
}

void TlxCustomGridTableViewInfo::RemovePart(TlxCustomGridPartViewInfo* part) { std::erase(parts_, part); }

void TlxCustomGridTableViewInfo::MovePart(TlxCustomGridPartViewInfo* part, int32_t index) {
  RemovePart(part);
  index = std::clamp(index, 0, PartCount());
  parts_.insert(parts_.begin() + index, part);
}

int32_t TlxCustomGridTableViewInfo::PartIndex(const TlxCustomGridPartViewInfo* part) const {
  const auto found = std::find(parts_.begin(), parts_.end(), part);
  return found == parts_.end() ? -1 : static_cast<int32_t>(found - parts_.begin());
}

int32_t TlxCustomGridTableViewInfo::PartsHeight(TlxGridPartAlignment alignment) const {
  int32_t height = 0;
  for (TlxCustomGridPartViewInfo* part : parts_)
    if (part->GetAlignment() == alignment)
      height += part->Height;
  return height;
}

int32_t TlxCustomGridTableViewInfo::ExpandButtonSize() const {
  TlxPainterClass painter = LookAndFeelPainter();
  return painter != nullptr ? painter->GetExpandButtonSize() : 0;
}

int32_t TlxCustomGridTableViewInfo::TopRecordIndex() const {
  if (FirstRecordIndex != -1)
    return FirstRecordIndex;
  TlxCustomGridTableViewData* view_data = ViewData();
  if (view_data == nullptr || view_data->RecordCount() == 0)
    return -1;
  return std::clamp(scrolled_top_record_index_, 0, view_data->RecordCount() - 1);
}

int32_t TlxCustomGridTableViewInfo::VisibleRecordCount() const {
  return records_view_info_ != nullptr ? records_view_info_->VisibleCount : 0;
}

void TlxCustomGridTableViewInfo::ScrollRecords(int32_t delta) {
  TlxCustomGridTableViewData* view_data = ViewData();
  if (delta == 0 || records_view_info_ == nullptr || view_data == nullptr || view_data->RecordCount() == 0)
    return;
  const int32_t old_top = TopRecordIndex();
  const int64_t wanted = static_cast<int64_t>(old_top) + delta;
  scrolled_top_record_index_ = static_cast<int32_t>(std::clamp<int64_t>(wanted, 0, view_data->RecordCount() - 1));
  delta = TopRecordIndex() - old_top;
  if (delta == 0)
    return;
  const bool reuses = CanOffset(delta, 0, 0) && CanOffsetRecords(delta);
  DoOffset(delta, 0, 0);
  auto* painter = dynamic_cast<TlxCustomGridTablePainter*>(Painter());
  if (!reuses || painter == nullptr) {
    GridView()->Invalidate();
    return;
  }
  // The kept records moved by ItemsOffset pixels: up for later records,
  // down for earlier ones.
  painter->Scroll(records_view_info_->ItemsOffset, 0, 0);
}

void TlxCustomGridTableViewInfo::CreateViewInfos() {
  if (const TClass* filter_class = GetFilterViewInfoClass(); filter_class != nullptr && !filter_class->IsAbstract())
    filter_view_info_.reset(static_cast<TlxGridFilterViewInfo*>(filter_class->CreateInstance(this)));
  TlxCustomGridViewInfo::CreateViewInfos();
  if (const TClass* site_class = GetNavigatorSiteViewInfoClass(); site_class != nullptr && !site_class->IsAbstract())
    navigator_site_view_info_.reset(static_cast<TlxNavigatorSiteViewInfo*>(site_class->CreateInstance(this)));
  if (navigator_view_info_ == nullptr && GetNavigatorViewInfoClass() != nullptr) {
    navigator_view_info_ = std::make_unique<TlxNavigatorViewInfo>(this, true);
    AttachNavigatorButtons(true);
  }
  if (const TClass* records_class = GetRecordsViewInfoClass(); records_class != nullptr && !records_class->IsAbstract())
    records_view_info_.reset(static_cast<TlxCustomGridRecordsViewInfo*>(records_class->CreateInstance(this)));
}

void TlxCustomGridTableViewInfo::DestroyViewInfos(bool is_recreating) {
  records_view_info_.reset();
  navigator_site_view_info_.reset();
  if (!is_recreating) {
    AttachNavigatorButtons(false);
    navigator_view_info_.reset();
  }
  TlxCustomGridViewInfo::DestroyViewInfos(is_recreating);
  filter_view_info_.reset();
}

void TlxCustomGridTableViewInfo::AdjustClientBounds(TRect& rect) {
  TlxGridSite* site = Site();
  if (CalculateDown && navigator_site_view_info_ != nullptr && navigator_site_view_info_->GetVisible() &&
      site != nullptr && !site->IsHScrollBarShown())
    rect.Bottom -= navigator_site_view_info_->GetHeight();
}

void TlxCustomGridTableViewInfo::Calculate() {
  // The view's own view info tells the controller, which lays the in-place
  // editor over its cell again; measuring copies do not.
  auto* controller = IsInternal() ? nullptr : dynamic_cast<TlxCustomGridTableController*>(Controller());
  if (controller != nullptr)
    controller->BeforeViewInfoCalculation();
  for (TlxCustomGridPartViewInfo* part : std::vector<TlxCustomGridPartViewInfo*>(parts_))
    part->MainCalculate();
  if (records_view_info_ != nullptr)
    records_view_info_->MainCalculate();
  TlxCustomGridViewInfo::Calculate();
  if (controller != nullptr)
    controller->AfterViewInfoCalculation();
  if (navigator_site_view_info_ == nullptr || !navigator_site_view_info_->GetVisible())
    return;
  // A view info made while an older one still hosted the buttons takes
  // them over once that one has let them go.
  AttachNavigatorButtons(true);
  TRect bounds;
  GetNavigatorSiteBounds(bounds);
  NavigatorSize = CalculateNavigatorSize(bounds.Height());
  GetNavigatorSiteBounds(bounds);
  navigator_site_view_info_->CalculateByRect(bounds);
  if (navigator_view_info_ != nullptr)
    navigator_view_info_->Recalculate();
}

TPoint TlxCustomGridTableViewInfo::CalculateNavigatorSize(int32_t height) {
  if (navigator_view_info_ == nullptr)
    return TPoint(0, 0);
  int32_t width = 0;
  navigator_view_info_->Calculate(width, height, false);
  return TPoint(width, height);
}

const TClass* TlxCustomGridTableViewInfo::GetNavigatorViewInfoClass() const { return &TlxNavigatorViewInfo::kClass; }

void TlxCustomGridTableViewInfo::AttachNavigatorButtons(bool attach) {
  TlxCustomGridTableView* view = GridView();
  TlxNavigatorControlButtons* buttons = view != nullptr ? view->NavigatorButtons() : nullptr;
  if (buttons == nullptr)
    return;
  // A second view info of the same view (one that only measures) must not
  // take the buttons from the one that shows them.
  if (attach && buttons->NavigatorOwner() == nullptr)
    buttons->SetNavigatorOwner(this);
  else if (!attach && buttons->NavigatorOwner() == this)
    buttons->SetNavigatorOwner(nullptr);
}

// --- IlxNavigatorOwner ------------------------------------------------------------------------

void TlxCustomGridTableViewInfo::NotifyButtonsChanged(int32_t kind) {
  GridView()->Changed(kind == 0 ? vckProperty : vckLayout);
}

TRect TlxCustomGridTableViewInfo::GetButtonsBounds() {
  TRect rect;
  GetNavigatorBounds(rect);
  return rect;
}

TlxCustomNavigatorButtons* TlxCustomGridTableViewInfo::GetButtonsObject() { return GridView()->NavigatorButtons(); }

TCanvas* TlxCustomGridTableViewInfo::GetButtonsCanvas() {
  TlxGridSite* site = Site();
  if (site == nullptr || !site->HandleAllocated())
    return nullptr;
  return &Canvas().Canvas();
}

TWinControl* TlxCustomGridTableViewInfo::GetHostControl() { return Site(); }

TlxLookAndFeel* TlxCustomGridTableViewInfo::GetHostLookAndFeel() { return GridView()->LookAndFeel(); }

TComponent* TlxCustomGridTableViewInfo::GetPersistentOwner() { return GridView(); }

bool TlxCustomGridTableViewInfo::ShowsHints() { return GridView()->OptionsBehavior()->NavigatorHints(); }

void TlxCustomGridTableViewInfo::RefreshButtons() {
  if (navigator_view_info_ != nullptr)
    navigator_view_info_->RefreshEnabledStates();
}

void TlxCustomGridTableViewInfo::ButtonsStateChanged() {
  TlxCustomGridTableView* view = GridView();
  if (view->IsUpdateLocked() || view->Grid() == nullptr || navigator_view_info_ == nullptr)
    return;
  navigator_view_info_->MakeDirty();
  TRect bounds;
  GetNavigatorSiteBounds(bounds);
  if (CalculateNavigatorSize(bounds.Height()) == NavigatorSize)
    view->Invalidate();
  else
    view->LayoutChanged();
}

void TlxCustomGridTableViewInfo::GetClientBounds(TRect& rect) {
  TlxCustomGridViewInfo::GetClientBounds(rect);
  rect.Top += TopPartsHeight();
  rect.Bottom -= BottomPartsHeight();
}

void TlxCustomGridTableViewInfo::CalculateNaturalHeight(int32_t max_size, int32_t& height, bool& fully_visible) {
  TlxGridSite* site = Site();
  if (navigator_site_view_info_ != nullptr && navigator_site_view_info_->GetVisible() && site != nullptr &&
      !site->IsHScrollBarShown())
    height += navigator_site_view_info_->GetHeight();
  TlxCustomGridViewInfo::CalculateNaturalHeight(max_size, height, fully_visible);
}

void TlxCustomGridTableViewInfo::ControlFocusChanged() {
  if (records_view_info_ != nullptr)
    records_view_info_->ControlFocusChanged();
}

TlxCustomGridHitTest* TlxCustomGridTableViewInfo::GetHitTest(const TPoint& point) {
  if (SiteClientBounds().Contains(point)) {
    for (TlxCustomGridPartViewInfo* part : parts_) {
      if (!part->GetVisible())
        continue;
      if (TlxCustomGridHitTest* hit_test = part->GetHitTest(point))
        return hit_test;
    }
    if (records_view_info_ != nullptr)
      if (TlxCustomGridHitTest* hit_test = records_view_info_->GetHitTest(point))
        return hit_test;
  } else if (navigator_site_view_info_ != nullptr) {
    if (TlxCustomGridHitTest* hit_test = navigator_site_view_info_->GetHitTest(point))
      return hit_test;
  }
  return TlxCustomGridViewInfo::GetHitTest(point);
}

void TlxCustomGridTableViewInfo::AdjustHScrollBarBounds(TRect& rect) {
  if (navigator_site_view_info_ != nullptr && navigator_site_view_info_->GetVisible())
    rect.Left += navigator_site_view_info_->GetWidth();
}

bool TlxCustomGridTableViewInfo::GetIsInternalUse() const {
  return TlxCustomGridViewInfo::GetIsInternalUse() || FirstRecordIndex != -1;
}

void TlxCustomGridTableViewInfo::ChangeSiteVisibility(bool visible) {
  if (records_view_info_ != nullptr)
    records_view_info_->UpdateDetailsVisibility(visible);
  TlxCustomGridViewInfo::ChangeSiteVisibility(visible);
}

void TlxCustomGridTableViewInfo::GetNavigatorBounds(TRect& rect) {
  GetNavigatorSiteBounds(rect);
  rect.Right = rect.Left + NavigatorSize.X;
}

void TlxCustomGridTableViewInfo::AfterOffset() {
  if (records_view_info_ != nullptr)
    records_view_info_->AfterOffset();
}

void TlxCustomGridTableViewInfo::BeforeOffset() {
  if (records_view_info_ != nullptr)
    records_view_info_->BeforeOffset();
}

void TlxCustomGridTableViewInfo::GetPartBounds(TlxCustomGridPartViewInfo* part, TRect& rect) {
  rect = ClientBounds();
  if (part->IsAutoWidth()) {
    rect.Left = SiteClientBounds().Left;
    rect.Right = SiteClientBounds().Right;
  } else {
    rect.Right = rect.Left + part->CalculateWidth();
  }
  const int32_t own_index = PartIndex(part);
  for (int32_t i = PartCount() - 1; i >= own_index && i >= 0; --i) {
    TlxCustomGridPartViewInfo* other = parts_[static_cast<size_t>(i)];
    if (other->GetAlignment() == gpaTop)
      rect.Top -= other->Height;
    else
      rect.Bottom += other->Height;
  }
  if (part->GetAlignment() == gpaTop)
    rect.Bottom = rect.Top + part->Height;
  else
    rect.Top = rect.Bottom - part->Height;
}

const TClass* TlxCustomGridTableViewInfo::GetFilterViewInfoClass() const { return &TlxGridFilterViewInfo::kClass; }

int32_t TlxCustomGridTableViewInfo::GetNavigatorOffset() { return GridView()->OptionsView()->NavigatorOffset(); }

void TlxCustomGridTableViewInfo::GetNavigatorSiteBounds(TRect& rect) {
  TlxGridSite* site = Site();
  const int32_t site_width = navigator_site_view_info_ != nullptr ? navigator_site_view_info_->GetWidth() : 0;
  const int32_t site_height = navigator_site_view_info_ != nullptr ? navigator_site_view_info_->GetHeight() : 0;
  if (site != nullptr && site->IsHScrollBarShown()) {
    rect = site->HScrollBar() != nullptr ? site->HScrollBar()->BoundsRect() : TRect();
    rect.Right = rect.Left;
    rect.Left = rect.Right - site_width;
    return;
  }
  rect = ClientBounds();
  rect.Bottom += BottomPartsHeight();
  if (site != nullptr && site->IsVScrollBarShown() && site->VScrollBar() != nullptr)
    rect.Right += site->VScrollBar()->Width();
  rect.Top = rect.Bottom;
  rect.Bottom = rect.Top + site_height;
}

const TClass* TlxCustomGridTableViewInfo::GetNavigatorSiteViewInfoClass() const {
  return &TlxNavigatorSiteViewInfo::kClass;
}

void TlxCustomGridTableViewInfo::GetNoDataInfoText(std::string& text) {
  text = GridView()->OptionsView()->NoDataToDisplayInfoText();
}

void TlxCustomGridTableViewInfo::GetNoDataInfoTextBounds(TRect& rect) {
  rect = ClientBounds();
  if (records_view_info_ != nullptr && !records_view_info_->RecordsContentBounds.IsEmpty())
    rect = rect.Intersect(records_view_info_->RecordsContentBounds);
}

void TlxCustomGridTableViewInfo::GetNoDataInfoTextParams(TlxPaintParams& params) {
  GridView()->Styles()->GetViewParams(TlxCustomGridViewStyles::kBackground, nullptr, nullptr, params);
}

bool TlxCustomGridTableViewInfo::ShowNoDataInfoText() {
  if (records_view_info_ == nullptr || !records_view_info_->IsEmpty())
    return false;
  std::string text;
  GetNoDataInfoText(text);
  return !text.empty();
}

int32_t TlxCustomGridTableViewInfo::GetNonRecordsHeight(bool with_extras) {
  int32_t height = TopPartsHeight() + BottomPartsHeight();
  if (!with_extras)
    return height;
  TlxGridSite* site = Site();
  const bool h_scroll_bar = site != nullptr && site->IsHScrollBarShown();
  if (h_scroll_bar)
    AddHScrollBarHeight(height);
  else if (navigator_site_view_info_ != nullptr && navigator_site_view_info_->GetVisible())
    height += navigator_site_view_info_->GetHeight();
  return height;
}

void TlxCustomGridTableViewInfo::OffsetRecords(int32_t delta) {
  if (records_view_info_ != nullptr)
    records_view_info_->OffsetRecords(delta);
}

void TlxCustomGridTableViewInfo::OffsetHorizontally(int32_t dx, int32_t dy) {
  if (records_view_info_ != nullptr)
    records_view_info_->Offset(dx, dy);
}

bool TlxCustomGridTableViewInfo::CanOffsetRecords(int32_t delta) {
  return records_view_info_ != nullptr && records_view_info_->CanOffsetRecords(delta);
}

void TlxCustomGridTableViewInfo::DoOffset(int32_t delta, int32_t dx, int32_t dy) {
  const bool can_offset = CanOffset(delta, dx, dy) && (delta == 0 || CanOffsetRecords(delta));
  if (!can_offset) {
    Recalculate();
    return;
  }
  BeforeOffset();
  if (delta != 0)
    OffsetRecords(delta);
  else
    OffsetHorizontally(dx, dy);
  AfterOffset();
}

// --- TlxCustomGridPartViewInfo ---------------------------------------------------------

TlxCustomGridPartViewInfo::TlxCustomGridPartViewInfo(TlxCustomGridViewInfo* owner_view_info)
    : TlxCustomGridViewCellViewInfo(owner_view_info) {
  // IsPart cannot be asked here (the descendant is not made yet); parts
  // that are no parts leave the list in their own constructor.
  if (auto* table = dynamic_cast<TlxCustomGridTableViewInfo*>(owner_view_info)) {
    table->AddPart(this);
    registered_ = true;
  }
}

TlxCustomGridPartViewInfo::~TlxCustomGridPartViewInfo() {
  if (registered_)
    OwnerViewInfo()->RemovePart(this);
}

TlxCustomGridTableViewInfo* TlxCustomGridPartViewInfo::OwnerViewInfo() const {
  return static_cast<TlxCustomGridTableViewInfo*>(TlxCustomGridViewCellViewInfo::OwnerViewInfo());
}

int32_t TlxCustomGridPartViewInfo::Index() const { return OwnerViewInfo()->PartIndex(this); }

void TlxCustomGridPartViewInfo::SetIndex(int32_t index) { OwnerViewInfo()->MovePart(this, index); }

void TlxCustomGridPartViewInfo::MainCalculate() {
  if (GetVisible())
    CalculateVisible();
  else
    CalculateInvisible();
}

bool TlxCustomGridPartViewInfo::CustomDrawBackground(TlxCanvas& canvas) {
  bool done = TlxCustomGridViewCellViewInfo::CustomDrawBackground(canvas);
  if (auto& handler = OwnerViewInfo()->GridView()->OnCustomDrawPartBackground; handler)
    handler(OwnerViewInfo()->GridView(), &canvas, this, done);
  return done;
}

bool TlxCustomGridPartViewInfo::HasCustomDrawBackground() {
  return static_cast<bool>(OwnerViewInfo()->GridView()->OnCustomDrawPartBackground);
}

const TClass* TlxCustomGridPartViewInfo::GetPainterClass() const { return &TlxCustomGridPartPainter::kClass; }

void TlxCustomGridPartViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxCustomGridViewCellViewInfo::InitHitTest(hit_test);
  OwnerViewInfo()->InitHitTest(hit_test);
}

void TlxCustomGridPartViewInfo::GetPartBounds(TRect& rect) { OwnerViewInfo()->GetPartBounds(this, rect); }

void TlxCustomGridPartViewInfo::CalculateInvisible() {
  Height = 0;
  Calculate(0, 0, 0, 0);
}

void TlxCustomGridPartViewInfo::CalculateVisible() {
  Height = CalculateHeight();
  TRect rect;
  GetPartBounds(rect);
  Calculate(rect.Left, rect.Top, rect.Width(), rect.Height());
}


// --- TlxCustomGridRecordsViewInfo -------------------------------------------------------

TlxCustomGridRecordsViewInfo::TlxCustomGridRecordsViewInfo(TlxCustomGridTableViewInfo* owner_view_info)
    : owner_view_info_(owner_view_info) {}

TlxCustomGridRecordsViewInfo::~TlxCustomGridRecordsViewInfo() { ClearItems(); }

void TlxCustomGridRecordsViewInfo::ClearItems() {
  // Later records first, so a record's view-info link never points at a
  // freed item while the list shrinks.
  while (!items_.empty())
    items_.pop_back();
}

TlxCustomGridTableView* TlxCustomGridRecordsViewInfo::GridView() const { return owner_view_info_->GridView(); }

TlxCustomGridTableViewData* TlxCustomGridRecordsViewInfo::ViewData() const { return owner_view_info_->ViewData(); }

TlxCustomGridRecordViewInfo* TlxCustomGridRecordsViewInfo::ExistingItem(int32_t index) const {
  if (index < 0 || index >= Count())
    return nullptr;
  return items_[static_cast<size_t>(index)].get();
}

TlxCustomGridRecordViewInfo* TlxCustomGridRecordsViewInfo::Item(int32_t index) {
  if (index < 0 || index > Count())
    return nullptr;
  if (index == Count()) {
    std::unique_ptr<TlxCustomGridRecordViewInfo> item = CreateItem(index);
    if (item == nullptr)
      return nullptr;
    items_.push_back(std::move(item));
  }
  TlxCustomGridRecordViewInfo* item = items_[static_cast<size_t>(index)].get();
  return item != nullptr && item->GridRecord() != nullptr ? item : nullptr;
}

int32_t TlxCustomGridRecordsViewInfo::MaxItemCount() const {
  const int32_t top = TopRecordIndex();
  TlxCustomGridTableViewData* view_data = ViewData();
  if (top == -1 || view_data == nullptr || view_data->RecordCount() == 0)
    return 0;
  const int32_t count = owner_view_info_->CalculateDown ? view_data->RecordCount() - top : top + 1;
  return std::max(count, 0);
}

int32_t TlxCustomGridRecordsViewInfo::RecordIndexOf(int32_t item_index) const {
  return owner_view_info_->CalculateDown ? TopRecordIndex() + item_index : TopRecordIndex() - item_index;
}

int32_t TlxCustomGridRecordsViewInfo::ItemIndexOf(int32_t record_index) const {
  const int32_t index =
      owner_view_info_->CalculateDown ? record_index - TopRecordIndex() : TopRecordIndex() - record_index;
  return index >= 0 && index < Count() ? index : -1;
}

TlxGridTableDataCellViewInfo* TlxCustomGridRecordsViewInfo::IncSearchingCellViewInfo() {
  if (!is_inc_searching_cell_valid_)
    CalculateIncSearchingCell();
  return inc_searching_cell_;
}

void TlxCustomGridRecordsViewInfo::Paint(TlxCanvas& canvas) {
  TlxCustomGridRecordsPainter painter(canvas, *this);
  painter.Paint();
}

void TlxCustomGridRecordsViewInfo::AfterCalculation() {}

void TlxCustomGridRecordsViewInfo::PrepareCalculation() { BackgroundBitmap = GetBackgroundBitmap(); }

void TlxCustomGridRecordsViewInfo::BeforeRecalculation() {
  owner_view_info_->UpdateMousePos();
  is_inc_searching_cell_valid_ = false;
}

void TlxCustomGridRecordsViewInfo::Calculate() {
  GetBounds(RecordsBounds);
  GetContentBounds(RecordsContentBounds);
}

// Incremental search belongs to the table controller; until it searches,
// no cell is the searched one.
void TlxCustomGridRecordsViewInfo::CalculateIncSearchingCell() {
  inc_searching_cell_ = nullptr;
  is_inc_searching_cell_valid_ = true;
}

void TlxCustomGridRecordsViewInfo::GetCellAreaBounds(TlxCustomGridCellViewInfo* /*cell*/, TRect& rect) {
  owner_view_info_->GetCellsAreaBounds(rect);
}

bool TlxCustomGridRecordsViewInfo::GetAutoHeightOption() {
  TlxCustomGridTableView* view = GridView();
  return view->OptionsView()->CellAutoHeight() || static_cast<bool>(view->OnGetCellHeight);
}

TBitmap* TlxCustomGridRecordsViewInfo::GetBackgroundBitmap() {
  TlxCustomGridBackgroundBitmaps* bitmaps = GridView()->BackgroundBitmaps();
  TBitmap* bitmap = bitmaps != nullptr ? bitmaps->GetBitmap(1) : nullptr;
  // An unassigned bitmap is no background: the rows keep their colours.
  return bitmap != nullptr && !bitmap->Empty() ? bitmap : nullptr;
}

void TlxCustomGridRecordsViewInfo::ControlFocusChanged() {
  for (const std::unique_ptr<TlxCustomGridRecordViewInfo>& item : items_)
    if (item != nullptr)
      item->ControlFocusChanged();
}

void TlxCustomGridRecordsViewInfo::UpdateDetailsVisibility(bool visible) {
  for (const std::unique_ptr<TlxCustomGridRecordViewInfo>& item : items_)
    if (item != nullptr)
      item->UpdateDetailsVisibility(visible);
}

bool TlxCustomGridRecordsViewInfo::CanOffsetRecords(int32_t delta) {
  return !items_.empty() && std::abs(delta) < Count();
}

TlxCustomGridHitTest* TlxCustomGridRecordsViewInfo::GetHitTest(const TPoint& point) {
  for (const std::unique_ptr<TlxCustomGridRecordViewInfo>& item : items_)
    if (item != nullptr)
      if (TlxCustomGridHitTest* hit_test = item->GetHitTest(point))
        return hit_test;
  return nullptr;
}

TlxCustomGridRecordViewInfo* TlxCustomGridRecordsViewInfo::GetRecordViewInfo(TlxCustomGridRecord* record) {
  if (record == nullptr)
    return nullptr;
  return ExistingItem(ItemIndexOf(record->Index()));
}

void TlxCustomGridRecordsViewInfo::MainCalculate() {
  PrepareCalculation();
  Calculate();
  AfterCalculation();
}

void TlxCustomGridRecordsViewInfo::CalculateItem(TlxCustomGridRecordViewInfo* item, int32_t index) {
  item->CalculateAt(GetRowLeft(index), GetRowTop(index));
}

void TlxCustomGridRecordsViewInfo::OffsetRecords(int32_t delta) {
  ItemsOffset = 0;
  if (delta == 0)
    return;
  const int32_t moved = std::min(std::abs(delta), Count());
  if (delta > 0)
    ItemsOffset = GetRowsHeightDelta(delta);
  // The items that leave go first; the rest move up (or down) in the list.
  if (delta > 0) {
    items_.erase(items_.begin(), items_.begin() + moved);
    items_.resize(items_.size() + static_cast<size_t>(moved));
  } else {
    items_.resize(items_.size() - static_cast<size_t>(moved));
    std::vector<std::unique_ptr<TlxCustomGridRecordViewInfo>> shifted(static_cast<size_t>(moved));
    for (std::unique_ptr<TlxCustomGridRecordViewInfo>& item : items_)
      shifted.push_back(std::move(item));
    items_ = std::move(shifted);
  }
  const int32_t kept = Count() - moved;
  if (delta > 0)
    for (int32_t i = 0; i < kept; ++i)
      OffsetRow(i, ItemsOffset);
  if (Count() > MaxItemCount())
    items_.resize(static_cast<size_t>(MaxItemCount()));
  const int32_t first_free = delta > 0 ? kept : 0;
  for (int32_t i = first_free; i < first_free + moved && i < Count(); ++i) {
    items_[static_cast<size_t>(i)] = CreateItem(i);
    if (items_[static_cast<size_t>(i)] != nullptr && delta > 0)
      CalculateItem(items_[static_cast<size_t>(i)].get(), i);
  }
  if (delta < 0) {
    ItemsOffset = GetRowsHeightDelta(delta);
    for (int32_t i = moved; i < Count(); ++i)
      OffsetRow(i, ItemsOffset);
  }
  CalculateVisibleCount();
  for (int32_t i = 0; i < Count(); ++i) {
    TlxCustomGridRecordViewInfo* item = items_[static_cast<size_t>(i)].get();
    if (item != nullptr && !item->IsCalculated())
      CalculateItem(item, i);
  }
}

void TlxCustomGridRecordsViewInfo::Offset(int32_t dx, int32_t dy) {
  RecordsBounds = RecordsBounds.Offset(dx, dy);
  RecordsContentBounds = RecordsContentBounds.Offset(dx, dy);
}

std::unique_ptr<TlxCustomGridRecordViewInfo> TlxCustomGridRecordsViewInfo::CreateItem(int32_t index) {
  TlxCustomGridTableViewData* view_data = ViewData();
  const int32_t record_index = RecordIndexOf(index);
  if (view_data == nullptr || !view_data->IsRecordIndexValid(record_index))
    return nullptr;
  TlxCustomGridRecord* record = view_data->Records(record_index);
  const TClass* view_info_class = record->GetViewInfoClass();
  if (view_info_class == nullptr || view_info_class->IsAbstract())
    return nullptr;
  TlxGridRecordViewInfoTarget target(this, record);
  std::unique_ptr<TObject> made(view_info_class->CreateInstance(&target));
  auto* item = dynamic_cast<TlxCustomGridRecordViewInfo*>(made.get());
  if (item == nullptr)
    return nullptr;
  made.release();
  return std::unique_ptr<TlxCustomGridRecordViewInfo>(item);
}

void TlxCustomGridRecordsPainter::Paint() {
  for (int32_t i = 0; i < records_view_info_.Count(); ++i) {
    TlxCustomGridRecordViewInfo* item = records_view_info_.ExistingItem(i);
    if (item != nullptr && item->GridRecord() != nullptr && item->IsCalculated())
      item->Paint(&canvas_);
  }
}

// --- TlxCustomGridRecordViewInfo ---------------------------------------------------------

TlxCustomGridRecordViewInfo::TlxCustomGridRecordViewInfo(TlxCustomGridRecordsViewInfo* records_view_info,
                                                         TlxCustomGridRecord* record)
    : TlxCustomGridViewCellViewInfo(records_view_info->OwnerViewInfo()),
      records_view_info_(records_view_info),
      record_(record) {
  is_record_view_info_assigned_ = record_ != nullptr && record_->HasViewInfo();
  if (record_ != nullptr && !is_record_view_info_assigned_)
    record_->SetViewInfo(this);
}

TlxCustomGridRecordViewInfo::~TlxCustomGridRecordViewInfo() {
  if (record_ != nullptr && !is_record_view_info_assigned_ && record_->ViewInfo() == this)
    record_->SetViewInfo(nullptr);
}

TlxCustomGridTableView* TlxCustomGridRecordViewInfo::GridView() const { return records_view_info_->GridView(); }

TlxCustomGridTableViewInfoCacheItem* TlxCustomGridRecordViewInfo::CacheItem() const {
  if (record_ == nullptr)
    return nullptr;
  TlxCustomGridViewInfoCache* cache = GridView()->ViewInfoCache();
  return cache != nullptr ? dynamic_cast<TlxCustomGridTableViewInfoCacheItem*>(cache->Item(record_->Index()))
                          : nullptr;
}

bool TlxCustomGridRecordViewInfo::Expanded() { return record_ != nullptr && record_->Expanded(); }

bool TlxCustomGridRecordViewInfo::Focused() const { return record_ != nullptr && record_->IsFocused(); }

bool TlxCustomGridRecordViewInfo::Selected() {
  if (!is_selected_cache_valid_) {
    selected_cache_ = CalculateSelected();
    is_selected_cache_valid_ = true;
  }
  return selected_cache_;
}

int32_t TlxCustomGridRecordViewInfo::Index() const {
  for (int32_t i = 0; i < records_view_info_->Count(); ++i)
    if (records_view_info_->ExistingItem(i) == this)
      return i;
  return -1;
}

void TlxCustomGridRecordViewInfo::RecalculateInPlace() {
  BeforeRecalculation();
  CalculateAt(BoundsRect.Left, BoundsRect.Top);
  AfterRecalculation();
}

int32_t TlxCustomGridRecordViewInfo::GetHeight() const {
  TlxCustomGridTableViewInfoCacheItem* cache_item = CacheItem();
  if (cache_item != nullptr && cache_item->IsHeightAssigned())
    return cache_item->CachedHeight();
  const int32_t height = const_cast<TlxCustomGridRecordViewInfo*>(this)->CalculateHeight();
  if (cache_item != nullptr)
    cache_item->SetCachedHeight(height);
  return height;
}

const TClass* TlxCustomGridRecordViewInfo::GetHitTestClass() const { return &TlxGridRecordHitTest::kClass; }

const TClass* TlxCustomGridRecordViewInfo::GetPainterClass() const { return &TlxCustomGridRecordPainter::kClass; }

bool TlxCustomGridRecordViewInfo::GetVisible() { return Index() < records_view_info_->VisibleCount; }

void TlxCustomGridRecordViewInfo::InitHitTest(TlxCustomGridHitTest* hit_test) {
  TlxCustomGridViewCellViewInfo::InitHitTest(hit_test);
  if (auto* record_hit_test = dynamic_cast<TlxGridRecordHitTest*>(hit_test))
    record_hit_test->SetGridRecord(record_);
}

void TlxCustomGridRecordViewInfo::Offset(int32_t dx, int32_t dy) {
  TlxCustomGridViewCellViewInfo::Offset(dx, dy);
  ExpandButtonBounds = ExpandButtonBounds.Offset(dx, dy);
}

void TlxCustomGridRecordViewInfo::BeforeRecalculation() {
  TlxCustomGridViewCellViewInfo::BeforeRecalculation();
  records_view_info_->BeforeRecalculation();
}

TlxCustomGridHitTest* TlxCustomGridRecordViewInfo::GetHitTest(const TPoint& point) {
  if (HasExpandButtonHitTest() && record_ != nullptr && record_->GetExpandable()) {
    TRect area;
    GetExpandButtonAreaBounds(area);
    if (area.Contains(point)) {
      TlxCustomGridHitTest* hit_test = lxGridGetHitTest<TlxGridExpandButtonHitTest>(point);
      InitHitTest(hit_test);
      return hit_test;
    }
  }
  return TlxCustomGridViewCellViewInfo::GetHitTest(point);
}

bool TlxCustomGridRecordViewInfo::MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton button, TShiftState shift) {
  bool handled = TlxCustomGridViewCellViewInfo::MouseDown(hit_test, button, shift);
  if (!handled && button == mbLeft && hit_test != nullptr && hit_test->GetHitTestCode() == 108 && record_ != nullptr) {
    record_->ToggleExpanded();
    return true;
  }
  if (handled || button == mbMiddle || !CanClick(hit_test))
    return handled;
  TlxGridSite* site = OwnerViewInfo()->Site();
  if (site != nullptr && site->Focused())
    return ProcessClick(hit_test, button, shift);
  return handled;
}

bool TlxCustomGridRecordViewInfo::CalculateSelected() { return record_ != nullptr && record_->Selected(); }

bool TlxCustomGridRecordViewInfo::HideFocusRectOnExit() {
  return GridView()->OptionsSelection()->HideFocusRect();
}

bool TlxCustomGridRecordViewInfo::ShowFocusRect() {
  TlxCustomGridTableOptionsSelection* options = GridView()->OptionsSelection();
  return !(options->CellSelect() && !options->InvertSelect());
}

bool TlxCustomGridRecordViewInfo::CanClick(TlxCustomGridHitTest* hit_test) {
  auto* record_hit_test = dynamic_cast<TlxGridRecordHitTest*>(hit_test);
  return record_hit_test != nullptr && record_hit_test->CanClick();
}

bool TlxCustomGridRecordViewInfo::ProcessClick(TlxCustomGridHitTest* /*hit_test*/, TMouseButton /*button*/,
                                               TShiftState shift) {
  if (shift.Contains(ssDouble))
    return true;
  // Focusing through the record until the table controller takes it over.
  TAliveToken alive = GridView()->AliveToken();
  if (record_ != nullptr)
    record_->SetFocused(true);
  return alive.Alive();
}

void TlxCustomGridRecordViewInfo::GetInvalidationBounds(TlxCustomGridTableItem* item, TRect& rect) {
  if (item != nullptr)
    GetItemBounds(item, rect);
  else
    rect = BoundsRect;
}

void TlxCustomGridRecordViewInfo::CalculateAt(int32_t left, int32_t top) {
  is_selected_cache_valid_ = false;
  // The params settle the width that GetWidth answers.
  CalculateParamsIfNeeded();
  Calculate(left, top, GetWidth(), GetHeight());
  if (record_ != nullptr && record_->GetExpandable())
    CalculateExpandButtonBounds(ExpandButtonBounds);
}

void TlxCustomGridRecordPainter::AfterPaint() {
  DrawFocusRect();
  TlxCustomGridRecordViewInfo& record = RecordViewInfo();
  if (record.GridRecord() != nullptr && record.GridRecord()->GetExpandable() && !IsExpandButtonPaintedFirst())
    DrawExpandButton();
  if (TlxCustomGridPainter* painter = record.GridView()->Painter())
    painter->ExcludeFromBackground(record.BoundsRect);
  TlxCustomGridCellPainter::AfterPaint();
}

void TlxCustomGridRecordPainter::BeforePaint() {
  TlxCustomGridCellPainter::BeforePaint();
  TlxCustomGridRecordViewInfo& record = RecordViewInfo();
  if (record.GridRecord() != nullptr && record.GridRecord()->GetExpandable() && IsExpandButtonPaintedFirst())
    DrawExpandButton();
  DrawBackground();
}

void TlxCustomGridRecordPainter::DrawBackground() {
  TlxCustomGridRecordViewInfo& record = RecordViewInfo();
  if (!record.HasBackgroundBitmap())
    return;
  TRect rect;
  record.GetBackgroundBitmapBounds(rect);
  DrawBackgroundBitmapTo(Canvas(), rect);
}

void TlxCustomGridRecordPainter::DrawExpandButton() {
  TlxCustomGridRecordViewInfo& record = RecordViewInfo();
  TlxPainterClass painter = record.LookAndFeelPainter();
  if (painter == nullptr)
    return;
  Canvas().PushClipRegion();
  TScopeExit restore([this] { Canvas().PopClipRegion(); });
  painter->PaintExpandButton(Canvas(), record.ExpandButtonBounds, record.Expanded(), clDefault);
}

void TlxCustomGridRecordPainter::DrawFocusRect() {
  TlxCustomGridRecordViewInfo& record = RecordViewInfo();
  if (!record.Focused() || !record.ShowFocusRect())
    return;
  TRect rect;
  record.GetFocusRectBounds(rect);
  if (TlxCustomGridPainter* painter = record.GridView()->Painter())
    painter->DrawFocusRect(rect, record.HideFocusRectOnExit());
}

// --- navigator site --------------------------------------------------------------------------

TlxNavigatorSiteViewInfo::~TlxNavigatorSiteViewInfo() {
  if (MouseState() != gmsNormal)
    MouseLeave();
}

int32_t TlxNavigatorSiteViewInfo::CalculateHeight() { return GetHeight(); }

int32_t TlxNavigatorSiteViewInfo::CalculateWidth() { return GetWidth(); }

int32_t TlxNavigatorSiteViewInfo::GetHeight() const {
  int32_t height = 0;
  TableViewInfo()->AddHScrollBarHeight(height);
  if (height == 0)
    height = GetSystemMetrics(SM_CYHSCROLL);
  return height;
}

int32_t TlxNavigatorSiteViewInfo::GetWidth() const {
  return TableViewInfo()->GetNavigatorOffset() + TableViewInfo()->NavigatorSize.X;
}

bool TlxNavigatorSiteViewInfo::GetVisible() { return TableViewInfo()->GridView()->OptionsView()->Navigator(); }

const TClass* TlxNavigatorSiteViewInfo::GetHitTestClass() const { return &TlxGridNavigatorHitTest::kClass; }

const TClass* TlxNavigatorSiteViewInfo::GetPainterClass() const { return &TlxNavigatorSitePainter::kClass; }

void TlxNavigatorSiteViewInfo::GetViewParams(TlxPaintParams& params) {
  TlxPainterClass painter = LookAndFeelPainter();
  params.Color = painter != nullptr ? painter->GetDefaultGridDetailsSiteColor() : clBtnFace;
}

// The buttons keep their own hot and pressed states; the site only passes
// the pointer on.
bool TlxNavigatorSiteViewInfo::MouseDown(TlxCustomGridHitTest* hit_test, TMouseButton /*button*/,
                                         TShiftState /*shift*/) {
  if (TlxNavigatorViewInfo* navigator = TableViewInfo()->NavigatorViewInfo())
    navigator->MouseDown(hit_test->Pos);
  return true;
}

bool TlxNavigatorSiteViewInfo::MouseMove(TlxCustomGridHitTest* hit_test, TShiftState shift) {
  TlxCustomGridViewCellViewInfo::MouseMove(hit_test, shift);
  if (TlxNavigatorViewInfo* navigator = TableViewInfo()->NavigatorViewInfo())
    navigator->MouseMove(hit_test->Pos);
  return true;
}

bool TlxNavigatorSiteViewInfo::MouseUp(TlxCustomGridHitTest* hit_test, TMouseButton /*button*/,
                                       TShiftState /*shift*/) {
  if (TlxNavigatorViewInfo* navigator = TableViewInfo()->NavigatorViewInfo())
    navigator->MouseUp(hit_test->Pos);
  return true;
}

void TlxNavigatorSiteViewInfo::MouseLeave() {
  TlxCustomGridViewCellViewInfo::MouseLeave();
  if (TlxNavigatorViewInfo* navigator = TableViewInfo()->NavigatorViewInfo())
    navigator->MouseMove(TPoint(-1, -1));
}

// --- TlxCustomGridTablePainter -------------------------------------------------------------------

void TlxCustomGridTablePainter::Scroll(int32_t records_shift, int32_t dx, int32_t dy) {
  TlxGridSite* site = GridView()->Site();
  if (site == nullptr || !site->HandleAllocated())
    return;
  if (!CanScrollWindow()) {
    GridView()->Invalidate();
    return;
  }
  if (records_shift != 0)
    ScrollRecords(records_shift);
  else
    ScrollContent(dx, dy);
}

void TlxCustomGridTablePainter::DrawBackground() {
  TlxCustomGridPainter::DrawBackground();
  if (TableViewInfo()->ShowNoDataInfoText())
    DrawNoDataInfoText();
}

void TlxCustomGridTablePainter::BeforePaint() {
  TlxCustomGridPainter::BeforePaint();
  DrawNavigator();
}

void TlxCustomGridTablePainter::PaintContent() {
  TlxCustomGridPainter::PaintContent();
  DrawRecords();
}

void TlxCustomGridTablePainter::DrawFocusRect(const TRect& rect, bool hide_when_inactive) {
  if (GridView()->OptionsView() != nullptr &&
      static_cast<TlxCustomGridTableView*>(GridView())->OptionsView()->FocusRect())
    TlxCustomGridPainter::DrawFocusRect(rect, hide_when_inactive);
}

bool TlxCustomGridTablePainter::CanScrollWindow() {
  TlxCustomGridTableViewInfo* view_info = TableViewInfo();
  if (GridView()->ComponentState().Contains(csDesigning))
    return false;
  if (TBitmap* bitmap = view_info->GetBackgroundBitmap(); bitmap != nullptr && !bitmap->Empty())
    return false;
  if (view_info->RecordsViewInfo() != nullptr && view_info->RecordsViewInfo()->BackgroundBitmap != nullptr)
    return false;
  return !view_info->ShowNoDataInfoText();
}

void TlxCustomGridTablePainter::DrawFilterBox() {
  if (TlxGridFilterViewInfo* filter = TableViewInfo()->FilterViewInfo())
    filter->Paint(&Canvas());
}

void TlxCustomGridTablePainter::DrawNoDataInfoText() {
  TlxCustomGridTableViewInfo* view_info = TableViewInfo();
  TlxPaintParams params;
  view_info->GetNoDataInfoTextParams(params);
  std::string text;
  view_info->GetNoDataInfoText(text);
  TRect bounds;
  view_info->GetNoDataInfoTextBounds(bounds);
  TlxCanvas& canvas = Canvas();
  canvas.ApplyViewParams(params);
  canvas.Brush().SetStyle(bsClear);
  TScopeExit solid([&canvas] { canvas.Brush().SetStyle(bsSolid); });
  canvas.DrawTextInRect(text, bounds, lxtfCenterX | lxtfCenterY | lxtfWordBreak, true);
}

void TlxCustomGridTablePainter::DrawNavigator() {
  TlxNavigatorSiteViewInfo* site = TableViewInfo()->NavigatorSiteViewInfo();
  if (site == nullptr || !site->GetVisible())
    return;
  if (TlxNavigatorViewInfo* navigator = TableViewInfo()->NavigatorViewInfo())
    navigator->Paint();
  site->Paint(&Canvas());
}

void TlxCustomGridTablePainter::DrawRecords() {
  if (TlxCustomGridRecordsViewInfo* records = TableViewInfo()->RecordsViewInfo())
    records->Paint(Canvas());
}

void TlxCustomGridTablePainter::ScrollRecords(int32_t /*dy*/) { GridView()->Invalidate(); }

void TlxCustomGridTablePainter::ScrollContent(int32_t /*dx*/, int32_t /*dy*/) { GridView()->Invalidate(); }

// --- the cache ---------------------------------------------------------------------------------------

const TClass* TlxCustomGridTableViewInfoCache::GetItemClass(int32_t /*index*/) const {
  return &TlxCustomGridTableViewInfoCacheItem::kClass;
}

std::unique_ptr<TlxCustomGridViewInfoCacheItem> TlxCustomGridTableViewInfoCache::CreateItem(
    const TClass* /*item_class*/, int32_t index) {
  return std::make_unique<TlxCustomGridTableViewInfoCacheItem>(this, index);
}
