#include "data/data_summary.h"

#include "data/controller_info.h"
#include "data/data_controller.h"
#include "data/data_summary_arithmetic.h"
#include "data/variant_utils.h"
#include "platform/rtl/property.h"
#include "platform/rtl/scope.h"

void TlxDataSummary::Publish(TPropertyListBuilder& properties) {
  auto p = properties.For<TlxDataSummary>();
  p.Persistent("DefaultGroupSummaryItems", TlxDataGroupSummaryItems::kClass,
               [](const TlxDataSummary& self) -> TPersistent* { return &self.DefaultGroupSummaryItems(); });
  p.Persistent("FooterSummaryItems", TlxDataFooterSummaryItems::kClass,
               [](const TlxDataSummary& self) -> TPersistent* { return &self.FooterSummaryItems(); });
  p.SetOf("Options", &TlxDataSummary::Options,
          [](TlxDataSummary& self, int64_t bits) { self.SetOptions(static_cast<TlxSummaryOptions>(bits)); },
          {"soNullIgnore", "soSelectedRecords", "soMultipleSelectedRecords"}, 0);
  p.Persistent("SummaryGroups", TlxDataSummaryGroups::kClass,
               [](const TlxDataSummary& self) -> TPersistent* { return &self.SummaryGroups(); });
}

TlxDataSummary::TlxDataSummary(TlxCustomDataController* controller) : controller_(*controller) {
  default_group_items_ = std::make_unique<TlxDataGroupSummaryItems>(this, *SummaryItemClass(), nullptr);
  footer_items_ = std::make_unique<TlxDataFooterSummaryItems>(this, *SummaryItemClass());
  summary_groups_ = std::make_unique<TlxDataSummaryGroups>(this);
}

TlxDataSummary::~TlxDataSummary() {
  destroying_ = true;
  summary_groups_.reset();
  footer_items_.reset();
  default_group_items_.reset();
}

TPersistent* TlxDataSummary::GetOwner() const { return &controller_; }

const TClass* TlxDataSummary::GroupItemLinkClass() const { return controller_.GetSummaryGroupItemLinkClass(); }

const TClass* TlxDataSummary::SummaryItemClass() const { return controller_.GetSummaryItemClass(); }

void TlxDataSummary::SetOptions(TlxSummaryOptions value) {
  if (options_ == value)
    return;
  constexpr TlxSummaryOptions kBoth = soSelectedRecords | soMultipleSelectedRecords;
  if ((value & kBoth) == kBoth)
    value &= static_cast<TlxSummaryOptions>(~(options_ & kBoth));
  options_ = value;
  NotifyChanged(false);
}

bool TlxDataSummary::UsesSelection() const {
  return HasOption(soSelectedRecords) || (HasOption(soMultipleSelectedRecords) && controller_.GetSelectedCount() > 1);
}

// --- Brackets and notifications ---------------------------------------------------

void TlxDataSummary::BeginUpdate() {
  controller_.BeginUpdate();
  ++lock_count_;
}

void TlxDataSummary::EndUpdate() {
  --lock_count_;
  TScopeExit close([&] { controller_.EndUpdate(); });
  NotifyChanged(false);
}

void TlxDataSummary::CancelUpdate() {
  controller_.EndUpdate();
  --lock_count_;
}

void TlxDataSummary::NotifyChanged(bool item_changed) {
  if (in_after_summary_ || lock_count_ > 0)
    return;
  PassChangeToController(item_changed);
}

void TlxDataSummary::PassChangeToController(bool item_changed) {
  if (!destroying_)
    controller_.SummaryChanged(item_changed);
}

// --- Calculation -------------------------------------------------------------------

void TlxDataSummary::FinishCalculation() {
  CalculateGroupSummaries();
  DoAfterSummary();
}

void TlxDataSummary::Recalculate() {
  StartCalculation();
  FinishCalculation();
}

void TlxDataSummary::InitSummaryArrays(const TlxDataSummaryItems& items, TlxDataSummaryValues& values,
                                       TlxDataSummaryCountValues& counts) {
  values.assign(static_cast<size_t>(items.Count()), Variant());
  counts.assign(static_cast<size_t>(items.Count()), 0);
}

void TlxDataSummary::CalculateFooterSummary() {
  TlxDataSummaryValues values;
  TlxDataSummaryCountValues counts;
  InitSummaryArrays(*footer_items_, values, counts);
  if (!controller_.IsGridMode())
    AccumulateRows(*footer_items_, 0, controller_.GetFilteredRecordCount() - 1, values, counts);
  StoreResults(*footer_items_, counts, values, footer_values_);
}

void TlxDataSummary::CalculateGroupSummaries() {
  const TlxDataGroups& groups = controller_.ControllerInfo().DataGroups();
  for (int32_t level = 0; level < groups.LevelCount(); ++level)
    CalculateGroupsOfLevel(level);
}

void TlxDataSummary::CalculateGroupsOfLevel(int32_t level) {
  TlxDataGroups& groups = controller_.ControllerInfo().DataGroups();
  TlxDataGroupSummaryItems* items = GroupSummaryItemsForLevel(level);
  if (items == nullptr)
    return;
  TlxDataSummaryValues values;
  TlxDataSummaryCountValues counts;
  int32_t current = -1;
  for (int32_t group = 0; group < groups.Count(); ++group) {
    TlxDataGroupInfo& info = groups.ItemAt(group);
    if (info.Level == level) {
      if (current != -1)
        StoreResults(*items, counts, values, groups.ItemAt(current).SummaryValues);
      InitSummaryArrays(*items, values, counts);
      current = group;
    }
    if (current != -1 && groups.IsDeepest(group))
      AccumulateRows(*items, info.BeginIndex, info.EndIndex, values, counts);
  }
  if (current != -1)
    StoreResults(*items, counts, values, groups.ItemAt(current).SummaryValues);
}

void TlxDataSummary::AccumulateRows(TlxDataSummaryItems& items, int32_t first, int32_t last,
                                    TlxDataSummaryValues& values, TlxDataSummaryCountValues& counts) {
  if (first > last || items.Count() == 0)
    return;
  // The selected records, once per run of rows: looking each record up in
  // the selection would make the pass quadratic.
  selected_records_.clear();
  if (UsesSelection() && !controller_.IsSingleSelect()) {
    selected_records_.assign(static_cast<size_t>(std::max(controller_.GetRecordCount(), 0)), false);
    const TlxDataSelection& selection = controller_.ControllerInfo().Selection();
    for (int32_t i = 0; i < selection.Count(); ++i) {
      const TlxDataSelectionEntry& entry = selection.EntryAt(i);
      if (entry.Level != -1 && entry.RecordIndex >= 0 &&
          entry.RecordIndex < static_cast<int32_t>(selected_records_.size()))
        selected_records_[static_cast<size_t>(entry.RecordIndex)] = true;
    }
  }
  for (int32_t position = first; position <= last; ++position) {
    const int32_t record = SummaryRecordIndex(position);
    if (record == -1)
      continue;
    for (int32_t i = 0; i < items.Count(); ++i)
      AccumulateRecord(*items.ItemAt(i), record, values[static_cast<size_t>(i)], counts[static_cast<size_t>(i)]);
  }
}

int32_t TlxDataSummary::SummaryRecordIndex(int32_t position) const {
  const int32_t record = controller_.GetFilteredRecordIndex(position);
  if (!UsesSelection())
    return record;
  if (controller_.IsSingleSelect())
    return record == controller_.FocusedRecordIndex() ? record : -1;
  const bool selected = record >= 0 && record < static_cast<int32_t>(selected_records_.size()) &&
                        selected_records_[static_cast<size_t>(record)];
  return selected ? record : -1;
}

void TlxDataSummary::AccumulateRecord(TlxDataSummaryItem& item, int32_t record, Variant& value, int32_t& count) {
  if (!item.IsCalculable())
    return;
  TlxCustomDataField* field = item.GetValueField();
  TlxSummaryEventOutArguments out;
  out.Value = field ? controller_.GetFieldValue(record, *field) : Variant::Null();
  TlxDataSummaryItems& items = item.Items();
  if (items.OnSummary) {
    out.SummaryValue = value;
    out.CountValue = count;
    const TlxSummaryEventArguments arguments{record, &item};
    items.OnSummary(&items, arguments, out);
    value = out.SummaryValue;
    count = out.CountValue;
  }
  const TlxSummaryKind kind = item.Kind();
  if (out.Done || kind == skNone || (HasOption(soNullIgnore) && out.Value.IsNull()))
    return;
  if (value.IsEmpty()) {
    if (kind != skCount && !(out.Value.IsNull() && (kind == skMin || kind == skMax))) {
      value = out.Value;
      if (value.IsNull() && (kind == skSum || kind == skAverage))
        value = Variant(0);
    }
  } else if (!out.Value.IsNull() && !value.IsNull()) {
    switch (kind) {
      case skSum:
      case skAverage:
        value = lxSummaryAdd(value, out.Value);
        break;
      case skMin:
        if (lxVariantCompare(out.Value, value) < 0)
          value = out.Value;
        break;
      case skMax:
        if (lxVariantCompare(out.Value, value) > 0)
          value = out.Value;
        break;
      default:
        break;
    }
  }
  ++count;
}

void TlxDataSummary::FinishItemValue(TlxDataSummaryItem& item, Variant& value, int32_t count) {
  if (!item.IsCalculable())
    return;
  if (value.IsEmpty())
    value = Variant::Null();
  if (item.Kind() == skCount) {
    value = Variant(count);
  } else if (item.Kind() == skAverage && count > 0 && !value.IsNull()) {
    const bool date = lxVariantIsDateTime(value);
    value = lxSummaryDivide(value, count);
    if (date)
      value = Variant::FromDate(value.AsDouble());
  }
}

void TlxDataSummary::StoreResults(TlxDataSummaryItems& items, TlxDataSummaryCountValues& counts,
                                  TlxDataSummaryValues& values, Variant& target) {
  if (items.Count() == 0) {
    target = Variant::Null();
    return;
  }
  Variant results = VarArrayCreate(0, items.Count() - 1, varVariant);
  for (int32_t i = 0; i < items.Count(); ++i) {
    Variant& value = values[static_cast<size_t>(i)];
    FinishItemValue(*items.ItemAt(i), value, counts[static_cast<size_t>(i)]);
    VarArrayPut(results, value, i);
  }
  target = std::move(results);
}

void TlxDataSummary::DoAfterSummary() {
  if (!OnAfterSummary)
    return;
  if (controller_.IsOwnerLoading()) {
    controller_.after_summary_pending_ = true;
    return;
  }
  controller_.after_summary_pending_ = false;
  if (controller_.IsRelationTemplate() || controller_.IsGridModeStructureChanged())
    return;
  TStateScope running(in_after_summary_, true);
  OnAfterSummary(this);
}

// --- Reading the results -----------------------------------------------------------

bool TlxDataSummary::HasValueAt(const Variant& values, int32_t index) const {
  return values.IsArray() && index >= VarArrayLowBound(values) && index <= VarArrayHighBound(values);
}

Variant TlxDataSummary::GetFooterSummaryValue(int32_t index) const {
  return HasValueAt(footer_values_, index) ? VarArrayGet(footer_values_, index) : Variant::Null();
}

std::string TlxDataSummary::GetFooterSummaryText(int32_t index) {
  std::string text;
  if (index >= 0 && index < footer_items_->Count())
    footer_items_->ItemAt(index)->FormatValue(GetFooterSummaryValue(index), true, text);
  return text;
}

TlxDataGroupSummaryItems* TlxDataSummary::GroupSummaryItemsForLevel(int32_t level) const {
  const TlxCustomDataControllerInfo& info = controller_.ControllerInfo();
  const TlxDataGroups& groups = info.DataGroups();
  if (level < 0 || level >= groups.LevelCount())
    return nullptr;
  const TlxCustomDataField* field = groups.FieldAt(level);
  if (field != nullptr && field->Item() != nullptr)
    if (TlxDataSummaryGroup* group = summary_groups_->GroupForItemLink(field->Item()))
      return &group->SummaryItems();
  return default_group_items_.get();
}

Variant TlxDataSummary::GroupValuesOf(int32_t group) const {
  if (group < 0)
    return Variant();
  return controller_.ControllerInfo().DataGroups().ItemAt(group).SummaryValues;
}

bool TlxDataSummary::GetGroupRowSummary(int32_t row, TlxDataGroupSummaryItems*& items, Variant& values) const {
  items = nullptr;
  values = Variant();
  const TlxDataGroups& groups = controller_.ControllerInfo().DataGroups();
  int32_t nearest = -1;
  const int32_t group = groups.Find(row, nearest);
  if (group < 0)
    return false;
  items = GroupSummaryItemsForLevel(groups.ItemAt(group).Level);
  values = GroupValuesOf(group);
  return items != nullptr && !values.IsEmpty();
}

std::string TlxDataSummary::GetGroupRowSummaryText(int32_t row) {
  TlxDataGroupSummaryItems* items = nullptr;
  Variant values;
  std::string text;
  if (GetGroupRowSummary(row, items, values))
    items->BuildValuesText(values, text);
  return text;
}

std::string TlxDataSummary::GetGroupSummaryItemText(int32_t row, int32_t level, int32_t item_index) {
  const int32_t group = controller_.ControllerInfo().DataGroups().FindGroupIndex(row, level);
  TlxDataGroupSummaryItems* items = GroupSummaryItemsForLevel(level);
  const Variant values = GroupValuesOf(group);
  std::string text;
  if (items != nullptr && item_index >= 0 && item_index < items->Count() && HasValueAt(values, item_index))
    items->ItemAt(item_index)->FormatValue(VarArrayGet(values, item_index), true, text);
  return text;
}

// --- Fields and copies -------------------------------------------------------------

void TlxDataSummary::RemoveFieldItems(const TlxCustomDataField* field) {
  bool unlinked = false;
  BeginUpdate();
  auto unlink = [&](TlxCustomDataSummaryItem& item) {
    if (item.Field() == field) {
      item.ForgetField();
      unlinked = true;
    }
  };
  auto unlink_all = [&](const TlxDataSummaryItems& items) {
    for (int32_t i = 0; i < items.Count(); ++i)
      unlink(*items.ItemAt(i));
  };
  {
    TScopeExit close([&] {
      if (unlinked)
        EndUpdate();
      else
        CancelUpdate();
    });
    unlink_all(*footer_items_);
    unlink_all(*default_group_items_);
    for (int32_t g = 0; g < summary_groups_->Count(); ++g) {
      TlxDataSummaryGroup* group = summary_groups_->GroupAt(g);
      unlink_all(group->SummaryItems());
      if (group->HasLinks())
        for (int32_t i = 0; i < group->Links().Count(); ++i)
          unlink(*group->Links().LinkAt(i));
    }
  }
}

TlxDataSummaryItems* TlxDataSummary::MatchingItemsIn(const TlxDataSummary& other,
                                                     const TlxDataSummaryItems& items) const {
  if (&items == footer_items_.get())
    return other.footer_items_.get();
  if (&items == default_group_items_.get())
    return other.default_group_items_.get();
  const auto* group_items = dynamic_cast<const TlxDataGroupSummaryItems*>(&items);
  if (group_items == nullptr || group_items->Group() == nullptr)
    return nullptr;
  const int32_t index = group_items->Group()->Index();
  if (index >= other.summary_groups_->Count())
    return nullptr;
  return &other.summary_groups_->GroupAt(index)->SummaryItems();
}

void TlxDataSummary::CopyFrom(const TlxDataSummary& source) {
  BeginUpdate();
  TScopeExit close([&] { EndUpdate(); });
  default_group_items_->CopyFrom(source.default_group_items_.get());
  footer_items_->CopyFrom(source.footer_items_.get());
  summary_groups_->CopyFrom(source.summary_groups_.get());
  SetOptions(source.options_);
  CopyEvents(source);
}

void TlxDataSummary::Assign(const TPersistent* source) {
  if (const auto* summary = dynamic_cast<const TlxDataSummary*>(source)) {
    CopyFrom(*summary);
    return;
  }
  TPersistent::Assign(source);
}

TlxCustomDataController& TlxSortingBySummaryEngine::OwnerDataController() const { return info_.DataController(); }
