#include "grid/table_filtering.h"

#include <utility>

#include "data/data_controller.h"
#include "data/data_controller_types.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/memory_stream.h"
#include "platform/rtl/property.h"
#include "ui/foundation/base/unit_routines.h"

namespace {

// The binary form of a criteria, as the MRU list compares filters.
std::unique_ptr<TMemoryStream> FilterBytes(const TlxFilterCriteria& criteria) {
  auto stream = std::make_unique<TMemoryStream>();
  // Writing only reads the criteria; the flag it keeps while writing is
  // put back when it is done.
  const_cast<TlxFilterCriteria&>(criteria).SaveToBinaryStream(*stream, 0);
  return stream;
}

bool SameFilter(const TlxFilterCriteria& a, const TlxFilterCriteria& b) {
  return lxMemoryStreamsEqual(*FilterBytes(a), *FilterBytes(b));
}

int32_t NotNegative(int32_t value) { return value < 0 ? 0 : value; }

template <class Enum>
Enum ReadIdentifier(TReader& reader, std::initializer_list<std::pair<const char*, Enum>> names) {
  const std::string identifier = reader.ReadIdent();
  for (const auto& [name, value] : names)
    if (identifier == name)
      return value;
  throw EReadError("Invalid property value");
}

}  // namespace

// --- TlxGridFilteringOptions ---------------------------------------------------------------------

void TlxGridFilteringOptions::Changed(TlxGridOptionsChange change) const {
  if (view_ != nullptr)
    view_->OptionsChanged(change);
}

// --- TlxGridFilterMRUItem ------------------------------------------------------------------------

TlxGridFilterMRUItem::TlxGridFilterMRUItem(TlxDataFilterCriteria* filter, const TlxFilterCriteria& source)
    : filter_(filter) {
  if (filter == nullptr)
    throw EInvalidOperation("A recently used filter needs its criteria");
  filter->AssignFrom(&source, false);
}

TlxGridFilterMRUItem::~TlxGridFilterMRUItem() {
  // The data controller lists the criteria until it is freed; when the
  // controller went first, it freed the criteria itself.
  delete filter_.Get();
}

bool TlxGridFilterMRUItem::IsEqualTo(const TlxMRUItem& other) const {
  const auto* other_filter = dynamic_cast<const TlxGridFilterMRUItem*>(&other);
  const TlxDataFilterCriteria* criteria = other_filter != nullptr ? other_filter->Filter() : nullptr;
  return criteria != nullptr && IsEqualToCriteria(*criteria);
}

bool TlxGridFilterMRUItem::IsEqualToCriteria(const TlxFilterCriteria& criteria) const {
  const TlxDataFilterCriteria* filter = Filter();
  return filter != nullptr && SameFilter(*filter, criteria);
}

std::string TlxGridFilterMRUItem::GetCaption() const {
  const TlxDataFilterCriteria* filter = Filter();
  return filter != nullptr ? filter->BuildCaptionText() : std::string();
}

// --- TlxGridFilterMRUItems -----------------------------------------------------------------------

namespace {

TlxCustomGridTableFiltering& RequireFiltering(TlxCustomGridTableFiltering* filtering) {
  if (filtering == nullptr)
    throw EInvalidOperation("The recently used filters belong to filtering options");
  return *filtering;
}

}  // namespace

TlxGridFilterMRUItems::TlxGridFilterMRUItems(TlxCustomGridTableFiltering* filtering)
    : filtering_(RequireFiltering(filtering)) {}

void TlxGridFilterMRUItems::AddFilter(const TlxFilterCriteria& criteria) {
  if (criteria.HasNoItems())
    return;
  IlxGridTableFilteringView* view = filtering_.View();
  if (view == nullptr)
    throw EInvalidOperation("Recently used filters need the view's data controller");
  Add(std::make_unique<TlxGridFilterMRUItem>(view->CreateFilterCriteria(), criteria));
  RefreshVisibleItems();
}

void TlxGridFilterMRUItems::RefreshVisibleItems() {
  const int32_t previous_count = VisibleCount();
  visible_.clear();
  const TlxDataFilterCriteria* current = filtering_.CurrentFilter();
  for (int32_t i = 0; i < GetCount(); ++i) {
    TlxGridFilterMRUItem* item = Items(i);
    if (current == nullptr || !item->IsEqualToCriteria(*current))
      visible_.push_back(item);
  }
  if (VisibleCount() != previous_count)
    filtering_.MRUVisibleCountChanged(previous_count, VisibleCount());
}

void TlxGridFilterMRUItems::DeleteEmptyFilters() {
  const int32_t previous_count = GetCount();
  for (int32_t i = GetCount() - 1; i >= 0; --i) {
    const TlxDataFilterCriteria* filter = Items(i)->Filter();
    if (filter == nullptr || filter->HasNoItems()) {
      // The visible list must not keep the entry while it is freed.
      std::erase(visible_, Items(i));
      Delete(i);
    }
  }
  if (GetCount() != previous_count)
    RefreshVisibleItems();
}

TlxGridFilterMRUItem* TlxGridFilterMRUItems::VisibleItems(int32_t index) const {
  if (index < 0 || index >= VisibleCount())
    throw EListError::IndexOutOfBounds(index);
  return visible_[static_cast<size_t>(index)];
}

TlxGridFilterMRUItem* TlxGridFilterMRUItems::Items(int32_t index) const {
  return static_cast<TlxGridFilterMRUItem*>(GetItem(index));
}

// --- TlxGridItemFilterPopupOptions ---------------------------------------------------------------

TlxGridItemFilterPopupOptions::TlxGridItemFilterPopupOptions(TlxCustomGridTableFiltering* filtering)
    : TlxGridFilteringOptions(filtering != nullptr ? filtering->View() : nullptr) {}

void TlxGridItemFilterPopupOptions::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridItemFilterPopupOptions>();
  p.Enumeration("ApplyMultiSelectChanges", &TlxGridItemFilterPopupOptions::ApplyMultiSelectChanges,
                &TlxGridItemFilterPopupOptions::SetApplyMultiSelectChanges, {"fpacImmediately", "fpacOnButtonClick"},
                std::optional(fpacImmediately));
  p.Integer("DropDownWidth", &TlxGridItemFilterPopupOptions::DropDownWidth,
            &TlxGridItemFilterPopupOptions::SetDropDownWidth, 0);
  p.Integer("MaxDropDownItemCount", &TlxGridItemFilterPopupOptions::MaxDropDownItemCount,
            &TlxGridItemFilterPopupOptions::SetMaxDropDownItemCount, 15);
  p.Boolean("MultiSelect", &TlxGridItemFilterPopupOptions::MultiSelect, &TlxGridItemFilterPopupOptions::SetMultiSelect,
            true);
}

void TlxGridItemFilterPopupOptions::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxGridItemFilterPopupOptions*>(source);
  if (other == nullptr) {
    TlxGridFilteringOptions::Assign(source);
    return;
  }
  SetApplyMultiSelectChanges(other->apply_multi_select_changes_);
  SetDropDownWidth(other->drop_down_width_);
  SetMaxDropDownItemCount(other->max_drop_down_item_count_);
  SetMultiSelect(other->multi_select_);
}

void TlxGridItemFilterPopupOptions::SetApplyMultiSelectChanges(TlxGridItemFilterPopupApplyChangesMode value) {
  if (value == apply_multi_select_changes_)
    return;
  apply_multi_select_changes_ = value;
  Changed(TlxGridOptionsChange::kProperty);
}

void TlxGridItemFilterPopupOptions::SetDropDownWidth(int32_t value) {
  value = NotNegative(value);
  if (value == drop_down_width_)
    return;
  drop_down_width_ = value;
  Changed(TlxGridOptionsChange::kProperty);
}

void TlxGridItemFilterPopupOptions::SetMaxDropDownItemCount(int32_t value) {
  value = NotNegative(value);
  if (value == max_drop_down_item_count_)
    return;
  max_drop_down_item_count_ = value;
  Changed(TlxGridOptionsChange::kProperty);
}

void TlxGridItemFilterPopupOptions::SetMultiSelect(bool value) {
  if (value == multi_select_)
    return;
  multi_select_ = value;
  Changed(TlxGridOptionsChange::kProperty);
}

// --- TlxCustomGridTableFiltering -----------------------------------------------------------------

TlxCustomGridTableFiltering::TlxCustomGridTableFiltering(IlxGridTableFilteringView* view)
    : TlxGridFilteringOptions(view) {}

TlxCustomGridTableFiltering::~TlxCustomGridTableFiltering() = default;

TlxGridItemFilterPopupOptions& TlxCustomGridTableFiltering::ColumnPopup() const {
  if (item_popup_ == nullptr)
    item_popup_ = lxCreatePart<TlxGridItemFilterPopupOptions>(GetItemPopupClass(),
                                                              const_cast<TlxCustomGridTableFiltering*>(this));
  return *item_popup_;
}

TlxGridFilterMRUItems& TlxCustomGridTableFiltering::MRUItems() const {
  if (mru_items_ == nullptr) {
    mru_items_ = lxCreatePart<TlxGridFilterMRUItems>(GetMRUItemsClass(), const_cast<TlxCustomGridTableFiltering*>(this));
    mru_items_->SetMaxCount(MRUItemsMaxCount());
  }
  return *mru_items_;
}

void TlxCustomGridTableFiltering::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxCustomGridTableFiltering>();
  p.Boolean("ColumnFilteredItemsList", &TlxCustomGridTableFiltering::ColumnFilteredItemsList,
            &TlxCustomGridTableFiltering::SetColumnFilteredItemsList, false);
  p.Boolean("ColumnMRUItemsList", &TlxCustomGridTableFiltering::ColumnMRUItemsList,
            &TlxCustomGridTableFiltering::SetColumnMRUItemsList, true);
  p.Integer("ColumnMRUItemsListCount", &TlxCustomGridTableFiltering::ColumnMRUItemsListCount,
            &TlxCustomGridTableFiltering::SetColumnMRUItemsListCount, 5);
  p.Persistent("ColumnPopup", TlxGridItemFilterPopupOptions::kClass,
               [](const TlxCustomGridTableFiltering& self) { return &self.ColumnPopup(); });
  p.Boolean("MRUItemsList", &TlxCustomGridTableFiltering::MRUItemsList, &TlxCustomGridTableFiltering::SetMRUItemsList,
            true);
  p.Integer("MRUItemsListCount", &TlxCustomGridTableFiltering::MRUItemsListCount,
            &TlxCustomGridTableFiltering::SetMRUItemsListCount, 10);
}

void TlxCustomGridTableFiltering::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomGridTableFiltering*>(source);
  if (other == nullptr) {
    TlxGridFilteringOptions::Assign(source);
    return;
  }
  SetColumnFilteredItemsList(other->item_filtered_items_list_);
  SetColumnMRUItemsList(other->item_mru_items_list_);
  SetColumnMRUItemsListCount(other->item_mru_items_list_count_);
  SetColumnPopup(&other->ColumnPopup());
  SetMRUItemsList(other->mru_items_list_);
  SetMRUItemsListCount(other->mru_items_list_count_);
}

void TlxCustomGridTableFiltering::DefineProperties(TFiler& filer) {
  TlxGridFilteringOptions::DefineProperties(filer);
  // Older form descriptions kept the filter box and drop-down settings
  // here; they are read into their present homes and never written back.
  auto filter_box = [this]() -> TlxGridFilterBox* { return View() != nullptr ? &View()->ViewFilterBox() : nullptr; };
  filer.DefineProperty(
      "CustomizeDialog",
      [filter_box](TReader& reader) {
        const bool value = reader.ReadBoolean();
        if (TlxGridFilterBox* box = filter_box())
          box->SetCustomizeDialog(value);
      },
      nullptr, false);
  filer.DefineProperty(
      "DropDownWidth",
      [this](TReader& reader) { ColumnPopup().SetDropDownWidth(static_cast<int32_t>(reader.ReadInteger())); },
      nullptr, false);
  filer.DefineProperty(
      "MaxDropDownCount",
      [this](TReader& reader) { ColumnPopup().SetMaxDropDownItemCount(static_cast<int32_t>(reader.ReadInteger())); },
      nullptr, false);
  filer.DefineProperty(
      "MRUItemsListDropDownCount",
      [filter_box](TReader& reader) {
        const auto value = static_cast<int32_t>(reader.ReadInteger());
        if (TlxGridFilterBox* box = filter_box())
          box->SetMRUItemsListDropDownCount(value);
      },
      nullptr, false);
  filer.DefineProperty(
      "Position",
      [filter_box](TReader& reader) {
        const auto value = ReadIdentifier<TlxGridFilterPosition>(reader, {{"fpTop", fpTop}, {"fpBottom", fpBottom}});
        if (TlxGridFilterBox* box = filter_box())
          box->SetPosition(value);
      },
      nullptr, false);
  filer.DefineProperty(
      "Visible",
      [filter_box](TReader& reader) {
        const auto value = ReadIdentifier<TlxGridFilterVisible>(
            reader, {{"fvNever", fvNever}, {"fvNonEmpty", fvNonEmpty}, {"fvAlways", fvAlways}});
        if (TlxGridFilterBox* box = filter_box())
          box->SetVisible(value);
      },
      nullptr, false);
}

void TlxCustomGridTableFiltering::FilterChanged() { MRUItems().RefreshVisibleItems(); }

TlxGridItemFilterPopupOptionsClass TlxCustomGridTableFiltering::GetItemPopupClass() const {
  return &TlxGridItemFilterPopupOptions::kClass;
}

TlxGridFilterMRUItemsClass TlxCustomGridTableFiltering::GetMRUItemsClass() const {
  return &TlxGridFilterMRUItems::kClass;
}

bool TlxCustomGridTableFiltering::HasVisibleMRUItems() const {
  return mru_items_list_ && MRUItems().VisibleCount() > 0;
}

void TlxCustomGridTableFiltering::MRUVisibleCountChanged(int32_t previous_count, int32_t new_count) {
  // Only appearing and disappearing changes the filter box's layout.
  if (mru_items_list_ && (previous_count == 0 || new_count == 0))
    Changed(TlxGridOptionsChange::kSize);
}

void TlxCustomGridTableFiltering::AddFilterToMRU(const TlxFilterCriteria* criteria) {
  if (criteria == nullptr)
    criteria = CurrentFilter();
  if (criteria != nullptr)
    MRUItems().AddFilter(*criteria);
}

void TlxCustomGridTableFiltering::CustomizeFilter(TlxCustomGridTableItem* item) {
  IlxGridTableFilteringView* view = View();
  if (view == nullptr)
    throw EInvalidOperation("Filter dialogs need the view");
  if (view->DoFilterDialogShow(item))
    return;
  TlxDataFilterCriteria& filter = view->ViewFilter();
  if (item == nullptr || view->FilterNeedsFilterBuilder(filter)) {
    if (view->DoFilterCustomization())
      return;
    view->ShowFilterBuilderDialog([this] { ApplyFilterBuilderResult(); });
    return;
  }
  if (!view->ShowCustomFilterDialog(*item))
    return;
  filter.SetActive(true);
  AddFilterToMRU(nullptr);
}

void TlxCustomGridTableFiltering::ApplyFilterBuilderResult() {
  TlxDataFilterCriteria* filter = CurrentFilter();
  if (filter == nullptr)
    return;
  if (!filter->HasNoItems())
    filter->SetActive(true);
  AddFilterToMRU(filter);
}

void TlxCustomGridTableFiltering::SetColumnFilteredItemsList(bool value) {
  if (value == item_filtered_items_list_)
    return;
  item_filtered_items_list_ = value;
  Changed(TlxGridOptionsChange::kProperty);
}

void TlxCustomGridTableFiltering::SetColumnMRUItemsList(bool value) {
  if (value == item_mru_items_list_)
    return;
  item_mru_items_list_ = value;
  Changed(TlxGridOptionsChange::kProperty);
}

void TlxCustomGridTableFiltering::SetColumnMRUItemsListCount(int32_t value) {
  value = NotNegative(value);
  if (value == item_mru_items_list_count_)
    return;
  item_mru_items_list_count_ = value;
  if (View() != nullptr)
    View()->ItemMRUItemsCountChanged(value);
  Changed(TlxGridOptionsChange::kProperty);
}

void TlxCustomGridTableFiltering::SetMRUItemsList(bool value) {
  if (value == mru_items_list_)
    return;
  mru_items_list_ = value;
  Changed(TlxGridOptionsChange::kSize);
}

void TlxCustomGridTableFiltering::SetMRUItemsListCount(int32_t value) {
  value = NotNegative(value);
  if (value == mru_items_list_count_)
    return;
  mru_items_list_count_ = value;
  MRUItems().SetMaxCount(MRUItemsMaxCount());
  MRUItems().RefreshVisibleItems();
  Changed(TlxGridOptionsChange::kProperty);
}

TlxDataFilterCriteria* TlxCustomGridTableFiltering::CurrentFilter() const {
  return View() != nullptr ? &View()->ViewFilter() : nullptr;
}

// --- TlxGridFilterBox ----------------------------------------------------------------------------

void TlxGridFilterBox::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxGridFilterBox>();
  p.Boolean("CustomizeDialog", &TlxGridFilterBox::CustomizeDialog, &TlxGridFilterBox::SetCustomizeDialog, true);
  p.Integer("MRUItemsListDropDownCount", &TlxGridFilterBox::MRUItemsListDropDownCount,
            &TlxGridFilterBox::SetMRUItemsListDropDownCount, 0);
  p.Enumeration("Position", &TlxGridFilterBox::Position, &TlxGridFilterBox::SetPosition, {"fpTop", "fpBottom"},
                std::optional(fpBottom));
  p.Enumeration("Visible", &TlxGridFilterBox::Visible, &TlxGridFilterBox::SetVisible,
                {"fvNever", "fvNonEmpty", "fvAlways"}, std::optional(fvNonEmpty));
}

void TlxGridFilterBox::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxGridFilterBox*>(source);
  if (other == nullptr) {
    TlxGridFilteringOptions::Assign(source);
    return;
  }
  SetCustomizeDialog(other->customize_dialog_);
  SetMRUItemsListDropDownCount(other->mru_items_list_drop_down_count_);
  SetPosition(other->position_);
  SetVisible(other->visible_);
}

void TlxGridFilterBox::SetCustomizeDialog(bool value) {
  if (value == customize_dialog_)
    return;
  customize_dialog_ = value;
  Changed(TlxGridOptionsChange::kLayout);
}

void TlxGridFilterBox::SetMRUItemsListDropDownCount(int32_t value) {
  value = NotNegative(value);
  if (value == mru_items_list_drop_down_count_)
    return;
  mru_items_list_drop_down_count_ = value;
  Changed(TlxGridOptionsChange::kProperty);
}

void TlxGridFilterBox::SetPosition(TlxGridFilterPosition value) {
  if (value == position_)
    return;
  position_ = value;
  Changed(TlxGridOptionsChange::kLayout);
}

void TlxGridFilterBox::SetVisible(TlxGridFilterVisible value) {
  if (value == visible_)
    return;
  visible_ = value;
  Changed(TlxGridOptionsChange::kSize);
}

// --- TlxCustomGridTableDateTimeHandling ----------------------------------------------------------

void TlxCustomGridTableDateTimeHandling::Publish(TPropertyListBuilder& properties) {
  using Self = TlxCustomGridTableDateTimeHandling;
  auto p = properties.For<Self>();
  p.String("DateFormat", &Self::DateFormat, &Self::SetDateFormat);
  p.SetOf("Filters", &Self::Filters, &Self::SetFilters,
          {"dtfRelativeDays", "dtfRelativeDayPeriods", "dtfRelativeWeeks", "dtfRelativeMonths", "dtfRelativeYears",
           "dtfPastFuture", "dtfMonths", "dtfYears"},
          0);
  p.Enumeration("Grouping", &Self::Grouping, &Self::SetGrouping,
                {"dtgDefault", "dtgByDateAndTime", "dtgRelativeToToday", "dtgByHour", "dtgByDate", "dtgByMonth",
                 "dtgByYear"},
                std::optional(dtgByDateAndTime));
  p.String("HourFormat", &Self::HourFormat, &Self::SetHourFormat);
  p.Boolean("IgnoreTimeForFiltering", &Self::IgnoreTimeForFiltering, &Self::SetIgnoreTimeForFiltering, false);
  p.String("MonthFormat", &Self::MonthFormat, &Self::SetMonthFormat);
  p.Boolean("UseLongDateFormat", &Self::UseLongDateFormat, &Self::SetUseLongDateFormat, true);
  p.Boolean("UseShortTimeFormat", &Self::UseShortTimeFormat, &Self::SetUseShortTimeFormat, true);
  p.String("YearFormat", &Self::YearFormat, &Self::SetYearFormat);
}

void TlxCustomGridTableDateTimeHandling::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxCustomGridTableDateTimeHandling*>(source);
  if (other == nullptr) {
    TlxGridFilteringOptions::Assign(source);
    return;
  }
  SetDateFormat(other->DateFormat());
  SetFilters(other->filters_);
  SetGrouping(other->grouping_);
  SetHourFormat(other->HourFormat());
  SetIgnoreTimeForFiltering(other->ignore_time_for_filtering_);
  SetMonthFormat(other->MonthFormat());
  SetUseLongDateFormat(other->UseLongDateFormat());
  SetUseShortTimeFormat(other->UseShortTimeFormat());
  SetYearFormat(other->YearFormat());
}

void TlxCustomGridTableDateTimeHandling::SetFormat(std::string& format, const std::string& value) {
  if (value == format)
    return;
  format = value;
  Changed(TlxGridOptionsChange::kSize);
}

void TlxCustomGridTableDateTimeHandling::SetDateFormat(const std::string& value) {
  SetFormat(formats_.DateFormat, value);
}

void TlxCustomGridTableDateTimeHandling::SetHourFormat(const std::string& value) {
  SetFormat(formats_.HourFormat, value);
}

void TlxCustomGridTableDateTimeHandling::SetMonthFormat(const std::string& value) {
  SetFormat(formats_.MonthFormat, value);
}

void TlxCustomGridTableDateTimeHandling::SetYearFormat(const std::string& value) {
  SetFormat(formats_.YearFormat, value);
}

void TlxCustomGridTableDateTimeHandling::SetFilters(TlxGridDateTimeFilters value) {
  if (value == filters_)
    return;
  filters_ = value;
  Changed(TlxGridOptionsChange::kProperty);
}

void TlxCustomGridTableDateTimeHandling::SetGrouping(TlxGridDateTimeGrouping value) {
  if (value == dtgDefault)
    value = dtgByDateAndTime;
  if (value > dtgByYear)
    throw EPropertyConvertError("Invalid date-time grouping " + std::to_string(static_cast<int>(value)));
  if (value == grouping_)
    return;
  grouping_ = value;
  if (View() != nullptr && View()->HasItems())
    View()->ItemsDateTimeGroupingChanged();
  else
    Changed(TlxGridOptionsChange::kProperty);
}

void TlxCustomGridTableDateTimeHandling::SetIgnoreTimeForFiltering(bool value) {
  if (value == ignore_time_for_filtering_)
    return;
  ignore_time_for_filtering_ = value;
  if (View() != nullptr)
    View()->FilterValuesChanged();
}

void TlxCustomGridTableDateTimeHandling::SetUseLongDateFormat(bool value) {
  if (value == formats_.UseLongDateFormat)
    return;
  formats_.UseLongDateFormat = value;
  Changed(TlxGridOptionsChange::kSize);
}

void TlxCustomGridTableDateTimeHandling::SetUseShortTimeFormat(bool value) {
  if (value == formats_.UseShortTimeFormat)
    return;
  formats_.UseShortTimeFormat = value;
  Changed(TlxGridOptionsChange::kSize);
}
