#include "grid/table_items_win.h"

#include <algorithm>

#include "data/data_controller.h"
#include "data/value_types.h"
#include "editors/edit_properties.h"
#include "editors/edit_repository.h"
#include "editors/edit_style_win.h"
#include "editors/edit_view_data_win.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_date_range.h"
#include "grid/grid_filter_value_list.h"
#include "grid/grid_records_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_view_info_win.h"
#include "grid/grid_stored_values.h"
#include "grid/table_filtering.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/scope.h"

namespace {

// Capability bits of the editor properties an item asks about.
constexpr uint32_t kCapabilityEditing = 16;
constexpr uint32_t kCapabilityFiltering = 8;
constexpr uint32_t kCapabilityIncSearch = 64;
constexpr uint32_t kCapabilitySorting = 256;
constexpr uint32_t kCapabilitySortByDisplayText = 512;

bool HasCapability(TlxCustomEditProperties* properties, uint32_t bit) {
  // Without properties the data field's plain text editing applies, which
  // supports every operation.
  return properties == nullptr || (properties->GetEditCapabilities() & bit) != 0;
}

}  // namespace

// --- options ---------------------------------------------------------------------------------------

TPersistent* TlxCustomGridTableItemCustomOptions::GetOwner() const { return item_; }

TlxCustomGridTableView* TlxCustomGridTableItemCustomOptions::GridView() const {
  return item_ != nullptr ? item_->GridView() : nullptr;
}

void TlxCustomGridTableItemCustomOptions::Changed(TlxGridViewChangeKind kind) {
  if (item_ != nullptr)
    item_->Changed(kind);
}

void TlxCustomGridTableItemOptions::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomGridTableItemOptions*>(source);
  if (other == nullptr) {
    TlxCustomGridTableItemCustomOptions::Assign(source);
    return;
  }
  SetEditing(other->Editing());
  SetFiltering(other->Filtering());
  SetFilteringFilteredItemsList(other->FilteringFilteredItemsList());
  SetFilteringMRUItemsList(other->FilteringMRUItemsList());
  SetFilteringPopup(other->FilteringPopup());
  SetFilteringPopupMultiSelect(other->FilteringPopupMultiSelect());
  SetFocusing(other->Focusing());
  SetGrouping(other->Grouping());
  SetIgnoreTimeForFiltering(other->IgnoreTimeForFiltering());
  SetIncSearch(other->IncSearch());
  SetMoving(other->Moving());
  SetShowCaption(other->ShowCaption());
  SetShowEditButtons(other->ShowEditButtons());
  SetSortByDisplayText(other->SortByDisplayText());
  SetSorting(other->Sorting());
}

void TlxCustomGridTableItemOptions::SetEditing(bool value) {
  if (editing_ == value)
    return;
  editing_ = value;
  Changed(vckLayout);
}

void TlxCustomGridTableItemOptions::SetFiltering(bool value) {
  if (filtering_ == value)
    return;
  filtering_ = value;
  if (TlxCustomGridTableView* view = GridView())
    view->RefreshFilterableItems();
  Changed(vckSize);
}

void TlxCustomGridTableItemOptions::SetFocusing(bool value) {
  if (focusing_ == value)
    return;
  focusing_ = value;
  if (TlxCustomGridTableView* view = GridView(); !value && view != nullptr && view->FocusedItem() == Item())
    view->FocusNextItemAfter(Item());
  Changed(vckProperty);
}

void TlxCustomGridTableItemOptions::SetIgnoreTimeForFiltering(bool value) {
  if (ignore_time_for_filtering_ == value)
    return;
  ignore_time_for_filtering_ = value;
  if (TlxCustomGridTableView* view = GridView(); view != nullptr && view->DataController() != nullptr)
    view->DataController()->Refresh();
  Changed(vckProperty);
}

void TlxCustomGridTableItemOptions::SetIncSearch(bool value) {
  if (inc_search_ == value)
    return;
  inc_search_ = value;
  Changed(vckProperty);
}

void TlxCustomGridTableItemOptions::SetShowCaption(bool value) {
  if (show_caption_ == value)
    return;
  show_caption_ = value;
  Changed(vckLayout);
}

void TlxCustomGridTableItemOptions::SetSortByDisplayText(TlxGridItemSortByDisplayText value) {
  if (sort_by_display_text_ == value)
    return;
  sort_by_display_text_ = value;
  if (TlxCustomGridTableView* view = GridView(); view != nullptr && Item()->SortIndex() != -1)
    view->DataController()->Refresh();
  Changed(vckProperty);
}

// --- styles ----------------------------------------------------------------------------------------

TlxCustomGridTableItemStyles::TlxCustomGridTableItemStyles(TlxCustomGridTableItem* item)
    : TlxCustomGridStyles(item), item_(item) {}

void TlxCustomGridTableItemStyles::Assign(const TPersistent* source) {
  TlxCustomGridStyles::Assign(source);
  if (const auto* other = dynamic_cast<const TlxCustomGridTableItemStyles*>(source)) {
    SetIndexedStyle(kContent, other->GetIndexedStyle(kContent));
    OnGetContentStyle = other->OnGetContentStyle;
  }
}

TlxCustomGridView* TlxCustomGridTableItemStyles::GetGridView() const { return item_->GridView(); }

void TlxCustomGridTableItemStyles::GetContentParams(TlxCustomGridRecord* record, TlxPaintParams& params) {
  TlxStyle* named = nullptr;
  if (OnGetContentStyle)
    OnGetContentStyle(item_->GridView(), record, item_, named);
  GetViewParams(kContent, record, named, params);
}

void TlxCustomGridTableItemStyles::GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) {
  TlxCustomGridStyles::GetDefaultViewParams(index, data, params);
  TlxCustomGridTableView* view = item_->GridView();
  if (index != kContent || view == nullptr)
    return;
  // The view's content parameters for the record fill what the item's own
  // style leaves unset.
  view->Styles()->GetContentParams(dynamic_cast<TlxCustomGridRecord*>(data), item_, params);
}

// --- TlxCustomGridTableItem --------------------------------------------------------------------------

TlxCustomGridTableItem::TlxCustomGridTableItem(TComponent* owner) : TlxComponent(owner) {}

TlxCustomGridTableItem::~TlxCustomGridTableItem() {
  SetRepositoryItem(nullptr);
  if (grid_view_ != nullptr)
    grid_view_->RemoveItem(this);
  DestroySubObjects();
  edit_view_data_.reset();
  cell_style_.reset();
  cells_.clear();
}

void TlxCustomGridTableItem::Initialize() { CreateSubObjects(); }

void TlxCustomGridTableItem::SetGridView(TlxCustomGridTableView* value) {
  if (grid_view_ == value)
    return;
  if (grid_view_ != nullptr)
    DestroyDataBinding();
  grid_view_ = value;
  if (grid_view_ != nullptr) {
    CreateDataBinding();
    RefreshGroupingDateRanges();
  }
  RefreshEffectiveProperties();
}

void TlxCustomGridTableItem::SetIndex(int32_t value) {
  if (grid_view_ != nullptr)
    grid_view_->ChangeItemIndex(this, value);
}

// --- published ---

std::string TlxCustomGridTableItem::Caption() const { return caption_assigned_ ? caption_ : GetDefaultCaption(); }

void TlxCustomGridTableItem::SetCaption(const std::string& value) {
  if (value == Caption())
    return;
  caption_ = value;
  caption_assigned_ = true;
  CaptionChanged();
}

void TlxCustomGridTableItem::SetAlternateCaption(const std::string& value) {
  if (alternate_caption_ == value)
    return;
  alternate_caption_ = value;
  CaptionChanged();
}

void TlxCustomGridTableItem::SetBestFitMaxWidth(int32_t value) {
  value = std::max(value, 0);
  if (best_fit_max_width_ == value)
    return;
  best_fit_max_width_ = value;
  Changed(vckProperty);
}

void TlxCustomGridTableItem::SetDataBinding(const TlxGridItemDataBinding& value) {
  if (data_binding_ != nullptr)
    data_binding_->Assign(&value);
}

void TlxCustomGridTableItem::SetDateTimeGrouping(TlxGridDateTimeGrouping value) {
  if (date_time_grouping_ == value)
    return;
  date_time_grouping_ = value;
  DateTimeGroupingChanged();
}

TAlignment TlxCustomGridTableItem::HeaderAlignmentHorz() const {
  return header_alignment_horz_assigned_ ? header_alignment_horz_ : taLeftJustify;
}

void TlxCustomGridTableItem::SetHeaderAlignmentHorz(TAlignment value) {
  if (value == HeaderAlignmentHorz())
    return;
  header_alignment_horz_ = value;
  header_alignment_horz_assigned_ = true;
  Changed(vckLayout);
}

TlxAlignmentVert TlxCustomGridTableItem::HeaderAlignmentVert() const {
  return header_alignment_vert_assigned_ ? header_alignment_vert_ : vaTop;
}

void TlxCustomGridTableItem::SetHeaderAlignmentVert(TlxAlignmentVert value) {
  if (value == HeaderAlignmentVert())
    return;
  header_alignment_vert_ = value;
  header_alignment_vert_assigned_ = true;
  Changed(vckLayout);
}

namespace {

bool IsItemLoading(const TlxCustomGridTableItem& item) {
  return item.ComponentState().Contains(csLoading) || (item.GridView() != nullptr && item.GridView()->IsLoading());
}

}  // namespace

int32_t TlxCustomGridTableItem::MinWidth() const { return HasFixedWidth() ? Width() : min_width_; }

void TlxCustomGridTableItem::SetMinWidth(int32_t value) {
  value = std::max(value, 0);
  if (min_width_ == value)
    return;
  min_width_ = value;
  if (IsItemLoading(*this))
    return;
  if (Width() < min_width_)
    SetWidth(min_width_);
  else
    Changed(vckSize);
}

int32_t TlxCustomGridTableItem::Width() const { return width_assigned_ ? width_ : GetDefaultWidth(); }

void TlxCustomGridTableItem::SetWidth(int32_t value) {
  value = std::max(value, HasFixedWidth() ? 0 : min_width_);
  if (!IsItemLoading(*this) && value == Width())
    return;
  width_ = value;
  width_assigned_ = true;
  Changed(vckSize);
}

void TlxCustomGridTableItem::SetVisible(bool value) {
  if (value == GetVisible())
    return;
  if (grid_view_ == nullptr) {
    visible_ = value;
    VisibleChanged();
    return;
  }
  std::vector<bool> was_actually_visible;
  for (int32_t i = 0; i < grid_view_->ItemCount(); ++i)
    was_actually_visible.push_back(grid_view_->Items(i)->GetActuallyVisible());
  visible_ = value;
  VisibleChanged();
  TlxCustomGridTableView* view = grid_view_;
  view->BeginUpdate();
  TScopeExit end_update([view] { view->EndUpdate(); });
  for (int32_t i = 0; i < view->ItemCount(); ++i) {
    TlxCustomGridTableItem* item = view->Items(i);
    const bool now = item->GetActuallyVisible();
    if (now != was_actually_visible[static_cast<size_t>(i)])
      view->ItemVisibilityChanged(item, now);
  }
}

void TlxCustomGridTableItem::SetVisibleForCustomization(bool value) {
  if (visible_for_customization_ == value)
    return;
  visible_for_customization_ = value;
  VisibleForCustomizationChanged();
}

void TlxCustomGridTableItem::SetProperties(const TlxCustomEditProperties* value) {
  if (properties_ != nullptr && value != nullptr)
    properties_->Assign(value);
}

std::string TlxCustomGridTableItem::PropertiesClassName() const {
  return properties_ != nullptr ? std::string(properties_->ClassType()->ClassName()) : std::string();
}

void TlxCustomGridTableItem::SetPropertiesClassName(const std::string& value) {
  SetPropertiesClass(lxGetRegisteredEditProperties().FindByClassName(value));
}

void TlxCustomGridTableItem::SetPropertiesClass(const TClass* value) {
  if (properties_class_ == value)
    return;
  properties_.reset();
  properties_class_ = value;
  if (value != nullptr) {
    properties_ = lxCreatePart<TlxCustomEditProperties>(value, this);
    properties_->SetOwnerChangedHandler([this](TlxCustomEditProperties* /*properties*/) {
      if (grid_view_ == nullptr || !grid_view_->IsPattern())
        PropertiesChanged();
    });
  }
  RefreshEffectiveProperties();
  PropertiesChanged();
}

void TlxCustomGridTableItem::SetRepositoryItem(TlxEditRepositoryItem* value) {
  if (repository_item_ == value)
    return;
  if (repository_item_ != nullptr)
    repository_item_->RemoveFreeNotification(this);
  repository_item_ = value;
  if (repository_item_ != nullptr)
    repository_item_->FreeNotification(this);
  RefreshEffectiveProperties();
  PropertiesChanged();
}

TlxCustomEditProperties* TlxCustomGridTableItem::GetProperties() {
  if (effective_properties_ != nullptr)
    InitProperties(effective_properties_);
  return effective_properties_;
}

TlxCustomEditProperties* TlxCustomGridTableItem::GetPropertiesForRecord(TlxCustomGridRecord* record) {
  TlxCustomEditProperties* properties = DoGetProperties(record);
  if (properties != nullptr)
    InitProperties(properties);
  return properties;
}

void TlxCustomGridTableItem::SetTag(int32_t value) {
  if (tag_ == value)
    return;
  tag_ = value;
  Changed(vckProperty);
}

void TlxCustomGridTableItem::RefreshEffectiveProperties() {
  last_used_default_repository_item_ = nullptr;
  effective_properties_ = nullptr;
  if (grid_view_ == nullptr)
    return;
  if (properties_ != nullptr && repository_item_ == nullptr) {
    effective_properties_ = properties_.get();
  } else if (repository_item_ != nullptr) {
    effective_properties_ = repository_item_->Properties();
  } else if (data_binding_ != nullptr && !ComponentState().Contains(csDestroying)) {
    last_used_default_repository_item_ = data_binding_->GetDefaultRepositoryItem();
    if (last_used_default_repository_item_ != nullptr)
      effective_properties_ = last_used_default_repository_item_->Properties();
  }
}

void TlxCustomGridTableItem::PropertiesChanged() {
  if (grid_view_ == nullptr)
    return;
  if (!ComponentState().Contains(csDestroying))
    grid_view_->RefreshFilterableItems();
  edit_view_data_.reset();
  if (SortIndex() != -1 || GroupIndex() != -1)
    grid_view_->DataController()->Refresh();
  else
    Changed(vckSize);
}

// --- sorting and grouping, kept by the data controller ---

TlxDataSortOrder TlxCustomGridTableItem::SortOrder() const {
  if (grid_view_ == nullptr || index_ < 0)
    return soNone;
  return grid_view_->DataController()->GetItemSortOrder(index_);
}

void TlxCustomGridTableItem::SetSortOrder(TlxDataSortOrder value) {
  if (grid_view_ == nullptr || index_ < 0 || SortOrder() == value)
    return;
  grid_view_->DataController()->ChangeSortOrder(index_, value);
}

int32_t TlxCustomGridTableItem::SortIndex() const {
  if (grid_view_ == nullptr || index_ < 0)
    return -1;
  return grid_view_->DataController()->GetItemSortIndex(index_);
}

void TlxCustomGridTableItem::SetSortIndex(int32_t value) {
  if (grid_view_ == nullptr || index_ < 0)
    return;
  if (grid_view_->IsAssigningItems() && value != -1) {
    grid_view_->ParkSortIndex(this, value);
    return;
  }
  if (SortIndex() == value)
    return;
  grid_view_->DataController()->ChangeSortIndex(index_, value);
}

int32_t TlxCustomGridTableItem::GroupIndex() const {
  if (grid_view_ == nullptr || index_ < 0)
    return -1;
  return grid_view_->DataController()->Groups().GroupIndexOfItem(index_);
}

void TlxCustomGridTableItem::SetGroupIndex(int32_t value) {
  if (grid_view_ == nullptr || index_ < 0)
    return;
  if (grid_view_->IsAssigningItems() && value != -1) {
    grid_view_->ParkGroupIndex(this, value);
    return;
  }
  if (GroupIndex() == value)
    return;
  if (GroupIndex() == -1 && !grid_view_->IsAfterAssigningItems())
    was_visible_before_grouping_ = GetVisible();
  grid_view_->DataController()->Groups().ChangeGroupIndex(index_, value);
}

bool TlxCustomGridTableItem::IsSortOrderStored() const { return SortOrder() != soNone && SortIndex() != -1; }

void TlxCustomGridTableItem::RestoreDefaults() {
  caption_assigned_ = false;
  header_alignment_horz_assigned_ = false;
  header_alignment_vert_assigned_ = false;
  width_assigned_ = false;
  Changed(vckSize);
}

void TlxCustomGridTableItem::ApplyBestFit(bool check_sizing, bool fire_event) {
  if (grid_view_ == nullptr || grid_view_->IsPattern() || (check_sizing && !CanHorzSize()))
    return;
  TScopeExit size_changed([this, fire_event] { SizeChanged(fire_event); });
  ForceWidth(GetBestFitWidth());
  Changed(vckSize);
}

bool TlxCustomGridTableItem::IsSortedByDisplayText(bool default_value) const {
  switch (options_ != nullptr ? options_->SortByDisplayText() : isbtDefault) {
    case isbtOn:
      return true;
    case isbtOff:
      return false;
    default:
      if (OnGetDataText)
        return true;
      return default_value &&
             HasCapability(const_cast<TlxCustomGridTableItem*>(this)->GetProperties(), kCapabilitySortByDisplayText);
  }
}

namespace {

bool IsDateTimeItem(const TlxCustomGridTableItem& item) {
  return item.DataBinding() != nullptr &&
         item.DataBinding()->GetValueTypeClass() == lxValueTypeClass<TlxDateTimeValueType>();
}

}  // namespace

bool TlxCustomGridTableItem::UsesGroupingDateRanges() const {
  return IsDateTimeItem(*this) && grouping_date_ranges_ != nullptr && grouping_date_ranges_->Count() > 0;
}

bool TlxCustomGridTableItem::UsesDateFilterEntries() const {
  return IsDateTimeItem(*this) && GetDateTimeFilters() != 0;
}

void TlxCustomGridTableItem::RefreshGroupingDateRanges() {
  if (grouping_date_ranges_ == nullptr || grid_view_ == nullptr)
    return;
  const TlxGridDateTimeGrouping grouping =
      date_time_grouping_ == dtgDefault ? grid_view_->DateTimeHandling()->Grouping() : date_time_grouping_;
  grouping_date_ranges_->Build(grid_view_->DateTimeHandling(), grouping);
  DoInitGroupingDateRanges();
}

void TlxCustomGridTableItem::ValueTypeClassChanged() {
  if (filtering_date_ranges_ != nullptr)
    filtering_date_ranges_->Clear();
  if (data_binding_ != nullptr && data_binding_->FilterMRUValueItems() != nullptr)
    data_binding_->FilterMRUValueItems()->Clear();
  RefreshGroupingDateRanges();
  RefreshEffectiveProperties();
  PropertiesChanged();
}

void TlxCustomGridTableItem::VisibleChanged() {}

void TlxCustomGridTableItem::VisibleForCustomizationChanged() { Changed(vckProperty); }

void TlxCustomGridTableItem::AddCell(TlxCustomGridCellViewInfo* cell) { cells_.push_back(cell); }

void TlxCustomGridTableItem::RemoveCell(TlxCustomGridCellViewInfo* cell) {
  cells_.erase(std::remove(cells_.begin(), cells_.end(), cell), cells_.end());
}

TlxEditStyle* TlxCustomGridTableItem::AcquireCellStyle() {
  if (cell_style_ == nullptr)
    cell_style_ = CreateEditStyle();
  ++cell_style_use_count_;
  return cell_style_.get();
}

void TlxCustomGridTableItem::ReleaseCellStyle() {
  if (cell_style_use_count_ == 0)
    return;
  if (--cell_style_use_count_ == 0)
    cell_style_.reset();
}

// --- overridable ---

std::string TlxCustomGridTableItem::GetStoredObjectName() const {
  if (grid_view_ != nullptr && !grid_view_->StoringName().empty())
    return std::to_string(id_);
  return Name();
}

bool TlxCustomGridTableItem::GetStoredProperties(TStrings* properties) {
  for (const std::string& name : lxTableItemStoredPropertyNames())
    properties->Add(name);
  if (OnGetStoredProperties)
    OnGetStoredProperties(this, properties);
  return true;
}

void TlxCustomGridTableItem::GetStoredPropertyValue(const std::string& name, Variant& value) {
  if (name == "AlignmentHorz") {
    TlxCustomEditProperties* properties = GetProperties();
    const TAlignment alignment = properties != nullptr ? properties->GetAlignment()->Horz() : taLeftJustify;
    value = Variant::FromByte(static_cast<uint8_t>(alignment));
  } else if (name == "Index") {
    value = Variant(index_);
  } else if (name == "Visible") {
    value = Variant(GetVisible());
  } else if (name == "SortOrder") {
    value = Variant::FromByte(static_cast<uint8_t>(SortOrder()));
  } else if (name == "SortIndex") {
    value = Variant(SortIndex());
  } else if (name == "WasVisibleBeforeGrouping") {
    value = Variant(was_visible_before_grouping_);
  } else if (OnGetStoredPropertyValue) {
    OnGetStoredPropertyValue(this, name, value);
  }
}

void TlxCustomGridTableItem::SetStoredAlignmentHorz(const Variant& value) {
  // Checked before anything changes: an ordinal outside the enumeration is
  // the conversion error and the item stays as it was.
  const auto alignment = static_cast<TAlignment>(lxStoredOrdinal(value, 3));
  TlxCustomEditProperties* properties = GetProperties();
  if (properties == nullptr || properties->GetAlignment()->Horz() == alignment)
    return;
  if (repository_item_ == nullptr && properties_ == nullptr) {
    // The shared default properties must not change for every item.
    SetPropertiesClass(properties->ClassType());
    properties_->Assign(properties);
  }
  if (TlxCustomEditProperties* own = GetProperties())
    own->GetAlignment()->SetHorz(alignment);
}

void TlxCustomGridTableItem::SetStoredPropertyValue(const std::string& name, const Variant& value) {
  if (grid_view_ == nullptr)
    return;
  if (name == "AlignmentHorz") {
    SetStoredAlignmentHorz(value);
  } else if (name == "Index") {
    // Clamped before it is parked or applied, so no value can grow a list.
    const int32_t index = lxStoredItemIndex(value, grid_view_->ItemCount());
    if (grid_view_->IsRestoring())
      grid_view_->ParkRestoringIndex(this, index);
    else
      grid_view_->ChangeItemIndex(this, index);
  } else if (name == "Visible") {
    SetVisible(lxStoredBoolean(value));
  } else if (name == "SortOrder") {
    SetSortOrder(static_cast<TlxDataSortOrder>(lxStoredOrdinal(value, 3)));
  } else if (name == "SortIndex") {
    SetSortIndex(value.AsInteger());
  } else if (name == "WasVisibleBeforeGrouping") {
    was_visible_before_grouping_ = lxStoredBoolean(value);
  } else if (OnSetStoredPropertyValue) {
    OnSetStoredPropertyValue(this, name, value);
  }
}

void TlxCustomGridTableItem::CreateDataBinding() {
  const TClass* binding_class = grid_view_->GetItemDataBindingClass();
  if (binding_class == nullptr)
    binding_class = &TlxGridItemDataBinding::kClass;
  data_binding_ = lxCreatePart<TlxGridItemDataBinding>(binding_class, this);
  data_binding_->Init();
}

void TlxCustomGridTableItem::DestroyDataBinding() { data_binding_.reset(); }

void TlxCustomGridTableItem::CreateSubObjects() {
  options_ = lxCreatePart<TlxCustomGridTableItemOptions>(GetOptionsClass(), this);
  styles_ = lxCreatePart<TlxCustomGridTableItemStyles>(GetStylesClass(), this);
  filtering_date_ranges_ = lxCreatePart<TlxGridFilteringDateRanges>(GetFilteringDateRangesClass(), nullptr);
  grouping_date_ranges_ = lxCreatePart<TlxGridGroupingDateRanges>(GetGroupingDateRangesClass(), nullptr);
}

void TlxCustomGridTableItem::DestroySubObjects() {
  grouping_date_ranges_.reset();
  filtering_date_ranges_.reset();
  styles_.reset();
  options_.reset();
}

const TClass* TlxCustomGridTableItem::GetFilteringDateRangesClass() const {
  return &TlxGridFilteringDateRanges::kClass;
}

const TClass* TlxCustomGridTableItem::GetGroupingDateRangesClass() const { return &TlxGridGroupingDateRanges::kClass; }

void TlxCustomGridTableItem::SizeChanged(bool /*fire_event*/) {}

int32_t TlxCustomGridTableItem::CalculateBestFitWidth() {
  // The widest display text of the measured rows with the cell margins;
  // the table view's columns add their header and footer widths.
  if (grid_view_ == nullptr || index_ < 0)
    return 0;
  TlxCustomDataController* controller = grid_view_->DataController();
  const int32_t row_count = controller->GetRowCount();
  const int32_t limit = grid_view_->OptionsBehavior()->BestFitMaxRecordCount();
  const int32_t first = limit == 0 ? 0 : std::max(controller->FocusedRowIndex(), 0);
  const int32_t last = limit == 0 ? row_count - 1 : std::min(row_count - 1, first + limit - 1);
  size_t widest = 0;
  for (int32_t row = first; row <= last; ++row) {
    const TlxRowInfo info = controller->GetRowInfo(row);
    if (info.Level < controller->Groups().GroupedItemCount())
      continue;
    widest = std::max(widest, controller->GetRowDisplayText(info, index_).size());
  }
  // Average character width of the default font, since the site may not
  // exist yet when a best fit is asked for.
  constexpr int32_t kAverageCharWidth = 7;
  const int32_t width = static_cast<int32_t>(widest) * kAverageCharWidth;
  return width > 0 ? width + 2 : 0;
}

bool TlxCustomGridTableItem::CanAutoHeight() const { return true; }

bool TlxCustomGridTableItem::CanEdit() const {
  return HasCapability(const_cast<TlxCustomGridTableItem*>(this)->GetProperties(), kCapabilityEditing);
}

bool TlxCustomGridTableItem::CanFilter(bool popup) const {
  if (!HasCapability(const_cast<TlxCustomGridTableItem*>(this)->GetProperties(), kCapabilityFiltering) ||
      !options_->Filtering())
    return false;
  if (!popup)
    return true;
  return grid_view_ != nullptr && grid_view_->OptionsCustomize()->ItemFiltering() && options_->FilteringPopup();
}

bool TlxCustomGridTableItem::CanFilterMultiSelect() const {
  return grid_view_ != nullptr && grid_view_->Filtering()->ColumnPopup().MultiSelect() &&
         options_->FilteringPopupMultiSelect();
}

bool TlxCustomGridTableItem::CanFilterMRUValueItems() const {
  return grid_view_ != nullptr && grid_view_->Filtering()->ColumnMRUItemsList() && options_->FilteringMRUItemsList() &&
         !CanFilterMultiSelect();
}

bool TlxCustomGridTableItem::CanFocus(TlxCustomGridRecord* record) const {
  if (!GetActuallyVisible() || !options_->Focusing() || grid_view_ == nullptr)
    return false;
  if (record == nullptr)
    return grid_view_->OptionsSelection()->CellSelect();
  return record->CanFocusCells();
}

bool TlxCustomGridTableItem::CanGroup() const {
  return HasCapability(const_cast<TlxCustomGridTableItem*>(this)->GetProperties(), kCapabilitySorting) &&
         grid_view_ != nullptr && grid_view_->OptionsCustomize()->ItemGrouping() && options_->Grouping();
}

bool TlxCustomGridTableItem::CanHide() const {
  if (grid_view_ == nullptr)
    return false;
  const bool only_visible = grid_view_->VisibleItemCount() == 1 && visible_index_ == 0;
  return !only_visible && CanMove();
}

bool TlxCustomGridTableItem::CanHorzSize() const { return !HasFixedWidth(); }

bool TlxCustomGridTableItem::IsDateOnlyFiltering() const {
  return IsDateTimeItem(*this) && grid_view_ != nullptr && grid_view_->DateTimeHandling()->IgnoreTimeForFiltering() &&
         options_->IgnoreTimeForFiltering();
}

bool TlxCustomGridTableItem::CanIncSearch() const {
  return HasCapability(const_cast<TlxCustomGridTableItem*>(this)->GetProperties(), kCapabilityIncSearch) &&
         grid_view_ != nullptr && grid_view_->OptionsBehavior()->IncSearch() && options_->IncSearch();
}

bool TlxCustomGridTableItem::StartEditing() {
  return grid_view_ != nullptr && index_ >= 0 && grid_view_->DataController()->StartItemEdit(index_);
}

bool TlxCustomGridTableItem::CanMove() const {
  if (ComponentState().Contains(csDesigning))
    return true;
  return grid_view_ != nullptr && grid_view_->OptionsCustomize()->ItemMoving() && options_->Moving();
}

bool TlxCustomGridTableItem::CanSort() const {
  return HasCapability(const_cast<TlxCustomGridTableItem*>(this)->GetProperties(), kCapabilitySorting) &&
         grid_view_ != nullptr && grid_view_->OptionsCustomize()->ItemSorting() && options_->Sorting();
}

void TlxCustomGridTableItem::CaptionChanged() {
  if (grid_view_ != nullptr)
    grid_view_->ItemCaptionChanged(this);
}

void TlxCustomGridTableItem::Changed(TlxGridViewChangeKind kind) {
  if (grid_view_ != nullptr)
    grid_view_->Changed(kind);
}

void TlxCustomGridTableItem::DataChanged() {}

void TlxCustomGridTableItem::DateTimeGroupingChanged() {
  RefreshGroupingDateRanges();
  if (grid_view_ != nullptr && GroupIndex() != -1)
    grid_view_->DataController()->Refresh();
  Changed(vckSize);
}

void TlxCustomGridTableItem::ForceWidth(int32_t width) {
  width_ = std::max(width, HasFixedWidth() ? 0 : min_width_);
  width_assigned_ = true;
}

int32_t TlxCustomGridTableItem::GetBestFitWidth() {
  int32_t width = CalculateBestFitWidth();
  if (best_fit_max_width_ > 0)
    width = std::min(width, best_fit_max_width_);
  return width;
}

uint32_t TlxCustomGridTableItem::GetDateTimeFilters() const {
  return grid_view_ != nullptr ? grid_view_->DateTimeHandling()->Filters() : 0;
}

bool TlxCustomGridTableItem::GetEditable() const {
  return CanEdit() && options_->Editing() && grid_view_ != nullptr && grid_view_->OptionsData()->Editing();
}

bool TlxCustomGridTableItem::IsFocusedCellPartlyHidden() const { return false; }

Variant TlxCustomGridTableItem::GetEditValue() {
  if (grid_view_ == nullptr || index_ < 0)
    return Variant::Null();
  return grid_view_->DataController()->GetEditingValue(index_);
}

void TlxCustomGridTableItem::DoGetFilterDisplayText(const Variant& value, std::string& text) {
  if (OnGetFilterDisplayText)
    OnGetFilterDisplayText(this, value, text);
}

bool TlxCustomGridTableItem::IsSizing() const { return false; }

TlxGridTableDataCellViewInfo* TlxCustomGridTableItem::GetFocusedCellViewInfo() const {
  auto* controller = grid_view_ != nullptr ? dynamic_cast<TlxCustomGridTableController*>(
                                                 static_cast<TlxCustomGridView*>(grid_view_)->Controller())
                                           : nullptr;
  if (controller == nullptr)
    return nullptr;
  TlxCustomGridRecord* record = controller->GetFocusedRecord();
  if (record == nullptr || !record->HasViewInfo())
    return nullptr;
  return record->ViewInfo()->GetCellViewInfoByItem(const_cast<TlxCustomGridTableItem*>(this));
}

void TlxCustomGridTableItem::InitStyle(TlxEditStyle& style, const TlxPaintParams& params,
                                       bool focused_record) const {
  style.SetColor(params.Color);
  if (params.Font != nullptr)
    style.SetFont(params.Font);
  style.SetTextColor(params.TextColor);
  style.SetButtonTransparency(ShowButtons(focused_record) ? ebtNone : ebtHideInactive);
  style.SetHotTrack(true);
}

bool TlxCustomGridTableItem::ShowButtons(bool focused_record) const {
  switch (options_->ShowEditButtons()) {
    case isebNever:
      return false;
    case isebAlways:
      return true;
    default:
      break;
  }
  if (grid_view_ == nullptr)
    return false;
  switch (grid_view_->OptionsView()->ShowEditButtons()) {
    case gsebAlways:
      return true;
    case gsebForFocusedRecord:
      return focused_record;
    default:
      return false;
  }
}

std::string TlxCustomGridTableItem::GetDefaultCaption() const {
  return data_binding_ != nullptr ? data_binding_->GetDefaultCaption() : std::string();
}

int32_t TlxCustomGridTableItem::GetDefaultWidth() const {
  return data_binding_ != nullptr ? data_binding_->GetDefaultWidth() : 64;
}

bool TlxCustomGridTableItem::DoCustomDrawCell(TlxCanvas* canvas, TlxGridTableDataCellViewInfo* view_info) {
  bool done = false;
  if (OnCustomDrawCell)
    OnCustomDrawCell(grid_view_, canvas, view_info, done);
  return done;
}

void TlxCustomGridTableItem::DoGetCellHint(TlxCustomGridRecord* record, TlxCustomGridCellViewInfo* cell,
                                           const TPoint& mouse_pos, std::string& hint_text, bool& is_hint_multi_line,
                                           TRect& hint_text_rect) {
  if (OnGetCellHint)
    OnGetCellHint(this, record, cell, mouse_pos, hint_text, is_hint_multi_line, hint_text_rect);
}

void TlxCustomGridTableItem::DoGetDataText(int32_t record_index, std::string& text) {
  if (OnGetDataText)
    OnGetDataText(this, record_index, text);
}

void TlxCustomGridTableItem::DoGetDisplayText(TlxCustomGridRecord* record, std::string& text) {
  if (OnGetDisplayText)
    OnGetDisplayText(this, record, text);
}

void TlxCustomGridTableItem::DoGetFilterValues(TlxGridFilterValueList* value_list) {
  if (OnGetFilterValues)
    OnGetFilterValues(this, value_list);
}

TlxCustomEditProperties* TlxCustomGridTableItem::DoGetProperties(TlxCustomGridRecord* record) {
  TlxCustomEditProperties* properties = GetProperties();
  if (OnGetProperties)
    OnGetProperties(this, record, properties);
  return properties;
}

TlxCustomEditProperties* TlxCustomGridTableItem::DoGetPropertiesForEdit(TlxCustomGridRecord* record) {
  TlxCustomEditProperties* properties = DoGetProperties(record);
  if (OnGetPropertiesForEdit)
    OnGetPropertiesForEdit(this, record, properties);
  return properties;
}

void TlxCustomGridTableItem::DoInitFilteringDateRanges() {
  if (filtering_date_ranges_ == nullptr || grid_view_ == nullptr)
    return;
  filtering_date_ranges_->Build(grid_view_->DateTimeHandling(), GetDateTimeFilters());
  grid_view_->DoInitFilteringDateRanges(this);
  if (OnInitFilteringDateRanges)
    OnInitFilteringDateRanges(this, filtering_date_ranges_.get());
}

void TlxCustomGridTableItem::DoInitGroupingDateRanges() {
  if (grid_view_ != nullptr)
    grid_view_->DoInitGroupingDateRanges(this);
  if (OnInitGroupingDateRanges)
    OnInitGroupingDateRanges(this, grouping_date_ranges_.get());
}

void TlxCustomGridTableItem::DoUserFiltering(const Variant& value, const std::string& display_text) {
  if (OnUserFiltering)
    OnUserFiltering(this, value, display_text);
}

void TlxCustomGridTableItem::InitProperties(TlxCustomEditProperties* properties) {
  // Only the item's own properties take its provider: shared properties (a
  // repository item's, the process-wide defaults) outlive any one item and
  // would keep a provider that is gone.
  if (properties != nullptr && properties == properties_.get() && data_binding_ != nullptr)
    properties->SetDefaultValuesProvider(data_binding_->GetDefaultValuesProviderInterface());
}

std::unique_ptr<TlxEditStyle> TlxCustomGridTableItem::CreateEditStyle() {
  return std::make_unique<TlxEditStyle>(this, true);
}

// --- component ---

void TlxCustomGridTableItem::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomGridTableItem*>(source);
  if (other == nullptr) {
    TlxComponent::Assign(source);
    return;
  }
  SetAlternateCaption(other->AlternateCaption());
  SetBestFitMaxWidth(other->BestFitMaxWidth());
  if (other->DataBinding() != nullptr)
    SetDataBinding(*other->DataBinding());
  caption_assigned_ = other->caption_assigned_;
  caption_ = other->caption_;
  SetDateTimeGrouping(other->DateTimeGrouping());
  SetGroupIndex(other->GroupIndex());
  header_alignment_horz_assigned_ = other->header_alignment_horz_assigned_;
  header_alignment_horz_ = other->header_alignment_horz_;
  header_alignment_vert_assigned_ = other->header_alignment_vert_assigned_;
  header_alignment_vert_ = other->header_alignment_vert_;
  SetMinWidth(other->min_width_);
  options_->Assign(other->Options());
  SetPropertiesClass(other->PropertiesClass());
  SetProperties(other->Properties());
  SetRepositoryItem(other->RepositoryItem());
  SetSortOrder(other->SortOrder());
  SetSortIndex(other->SortIndex());
  styles_->Assign(other->Styles());
  SetTag(other->Tag());
  SetVisible(other->Visible());
  SetVisibleForCustomization(other->VisibleForCustomization());
  width_assigned_ = other->width_assigned_;
  if (other->width_assigned_)
    SetWidth(other->width_);
  OnCustomDrawCell = other->OnCustomDrawCell;
  OnGetCellHint = other->OnGetCellHint;
  OnGetDataText = other->OnGetDataText;
  OnGetDisplayText = other->OnGetDisplayText;
  OnGetFilterDisplayText = other->OnGetFilterDisplayText;
  OnGetFilterValues = other->OnGetFilterValues;
  OnGetProperties = other->OnGetProperties;
  OnGetPropertiesForEdit = other->OnGetPropertiesForEdit;
  OnGetStoredProperties = other->OnGetStoredProperties;
  OnGetStoredPropertyValue = other->OnGetStoredPropertyValue;
  OnSetStoredPropertyValue = other->OnSetStoredPropertyValue;
  OnInitFilteringDateRanges = other->OnInitFilteringDateRanges;
  OnInitGroupingDateRanges = other->OnInitGroupingDateRanges;
  OnUserFiltering = other->OnUserFiltering;
  CaptionChanged();
}

TComponent* TlxCustomGridTableItem::GetParentComponent() const { return grid_view_; }

void TlxCustomGridTableItem::SetParentComponent(TComponent* parent) {
  if (auto* view = dynamic_cast<TlxCustomGridTableView*>(parent))
    view->AddItem(this);
}

void TlxCustomGridTableItem::Notification(TComponent* component, TOperation operation) {
  TlxComponent::Notification(component, operation);
  if (operation == opRemove && component == repository_item_) {
    repository_item_ = nullptr;
    RefreshEffectiveProperties();
  }
}
