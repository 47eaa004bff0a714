#include "grid/grid_filter_value_list.h"

#include <array>

#include "data/data_controller.h"
#include "data/filter_texts.h"
#include "data/variant_utils.h"
#include "grid/grid_strings.h"
#include "platform/rtl/exceptions.h"

namespace {

struct TRelativeDateEntry {
  const TlxResourceString* caption;
  TlxFilterOperatorKind kind;
};

// The entries each relative member of the date-time filters adds, in the
// order the drop-down shows them.
struct TRelativeDateFilter {
  TlxGridDateTimeFilter filter;
  std::array<TRelativeDateEntry, 6> entries;
  size_t count;
};

constexpr std::array<TRelativeDateFilter, 6> kRelativeDateFilters{{
    {dtfRelativeDays, {{{&slxGridYesterday, fokYesterday}, {&slxGridToday, fokToday}, {&slxGridTomorrow, fokTomorrow}}},
     3},
    {dtfRelativeDayPeriods,
     {{{&slxGridLast30Days, fokLast30Days},
       {&slxGridLast14Days, fokLast14Days},
       {&slxGridLast7Days, fokLast7Days},
       {&slxGridNext7Days, fokNext7Days},
       {&slxGridNext14Days, fokNext14Days},
       {&slxGridNext30Days, fokNext30Days}}},
     6},
    {dtfRelativeWeeks,
     {{{&slxGridLastTwoWeeks, fokLastTwoWeeks},
       {&slxGridLastWeek, fokLastWeek},
       {&slxGridThisWeek, fokThisWeek},
       {&slxGridNextWeek, fokNextWeek},
       {&slxGridNextTwoWeeks, fokNextTwoWeeks}}},
     5},
    {dtfRelativeMonths,
     {{{&slxGridLastMonth, fokLastMonth}, {&slxGridThisMonth, fokThisMonth}, {&slxGridNextMonth, fokNextMonth}}},
     3},
    {dtfRelativeYears,
     {{{&slxGridLastYear, fokLastYear}, {&slxGridThisYear, fokThisYear}, {&slxGridNextYear, fokNextYear}}},
     3},
    {dtfPastFuture, {{{&slxGridPast, fokInPast}, {&slxGridFuture, fokInFuture}}}, 2},
}};

// The date a value entry stands for; false for a value that is no date or
// number (an application's own value in a date column).
bool ValueAsDate(const Variant& value, TDateTime& date) {
  if (value.Type() != varDate && !lxVariantIsNumeric(value))
    return false;
  date = value.AsDouble();
  return true;
}

// The operators of "Yesterday" to "Future".
TlxFilterOperatorKinds DateOperatorKinds() {
  TlxFilterOperatorKinds kinds;
  for (TlxFilterOperatorKind kind = fokYesterday; kind <= fokInFuture; ++kind)
    kinds.set(kind);
  return kinds;
}

bool OffersRelativeDateEntries(const IlxGridFilterValueListItem& item) {
  return item.IsDateTimeItem() && (item.ViewDateTimeHandling().Filters() & kLxRelativeDateTimeFilters) != 0;
}

bool OffersCalendarEntries(const IlxGridFilterValueListItem& item) {
  const TlxGridDateTimeFilters filters = item.ViewDateTimeHandling().Filters();
  const bool calendar = lxHasDateTimeFilter(filters, dtfMonths) || lxHasDateTimeFilter(filters, dtfYears);
  return (item.IsDateTimeItem() && calendar) || item.HasInitFilteringDateRangesHandler();
}

void ApplyDatePeriod(const TlxFilterValueItem& entry, IlxGridFilterValueListItem& item,
                     const TlxFilterOperatorKinds& date_kinds, bool replace, TlxFilterCriteriaItemList* target) {
  if (entry.Value.IsArray()) {
    const TVariantArray& bounds = entry.Value.Array();
    const Variant first = bounds.Get(bounds.LowBound());
    const Variant last = bounds.Get(bounds.HighBound());
    const std::string text = item.FilterValueDisplayText(first) + ";" + item.FilterValueDisplayText(last);
    item.AddFilterCondition(target, fokBetween, entry.Value, text, replace);
    return;
  }
  if (!lxVariantIsNumeric(entry.Value))
    return;
  const int64_t kind = entry.Value.AsInt64();
  if (kind < 0 || kind >= static_cast<int64_t>(date_kinds.size()) || !date_kinds.test(static_cast<size_t>(kind)))
    return;
  item.AddFilterCondition(target, static_cast<TlxFilterOperatorKind>(kind), Variant::Null(), std::string(), replace);
}

}  // namespace

void TlxGridFilterValueList::AddPeriodEntries(const TlxCustomGridDateRange& range, bool date_only) {
  // The walk reads the count anew at each step: every period entry added
  // goes in front of the values and shifts them by one.
  for (int32_t i = FirstValueIndex(); i < Count(); ++i) {
    const TlxFilterValueItem& entry = EntryAt(i);
    TDateTime date = 0;
    if (entry.Kind != fvkValue || !ValueAsDate(entry.Value, date) || !range.Includes(date))
      continue;
    const Variant period = range.GetFilterValue(date_only, date);
    if (period.IsNull() || IndexOfKindValue(fvkDatePeriod, period) >= 0)
      continue;
    Add(fvkDatePeriod, period, range.GetDisplayTextFor(date), false);
    ++i;
  }
}

void TlxGridFilterValueList::AddCalendarEntries(IlxGridFilterValueListItem& item) {
  TlxGridDateRanges& ranges = item.RebuildFilteringDateRanges();
  const bool date_only = item.IgnoresTimeForFiltering();
  for (int32_t i = 0; i < ranges.Count(); ++i)
    AddPeriodEntries(*ranges.Items(i), date_only);
}

void TlxGridFilterValueList::AddRelativeDateEntries(IlxGridFilterValueListItem& item) {
  const TlxGridDateTimeFilters filters = item.ViewDateTimeHandling().Filters();
  for (const TRelativeDateFilter& member : kRelativeDateFilters) {
    if (!lxHasDateTimeFilter(filters, member.filter))
      continue;
    for (size_t i = 0; i < member.count; ++i)
      Add(fvkDatePeriod, Variant::FromByte(member.entries[i].kind), lxGridText(*member.entries[i].caption), false);
  }
  Add(fvkSeparator, Variant::Null(), std::string(), false);
}

TlxFilterOperatorKinds TlxGridFilterValueList::GetDateOperatorKinds() const { return DateOperatorKinds(); }

void TlxGridFilterValueList::LoadForItem(IlxGridFilterValueListItem& item, bool take_text_sorting,
                                         bool filtered_records_only) {
  Fill(item.FilterValueItemIndex(), take_text_sorting, filtered_records_only);
  if (OffersRelativeDateEntries(item))
    AddRelativeDateEntries(item);
  if (OffersCalendarEntries(item))
    AddCalendarEntries(item);
}

int32_t TlxGridFilterValueList::FindItemForCriteriaItem(const TlxFilterCriteriaItem* condition) const {
  if (condition != nullptr) {
    const TlxFilterOperatorKind kind = condition->OperatorKind();
    int32_t found = -1;
    if (GetDateOperatorKinds().test(kind))
      found = IndexOfKindValue(fvkDatePeriod, Variant::FromByte(kind));
    else if (kind == fokBetween && !condition->Value().IsNull())
      found = IndexOfKindValue(fvkDatePeriod, condition->Value());
    if (found >= 0)
      return found;
  }
  return TlxDataFilterValueList::FindItemForCriteriaItem(condition);
}

void TlxGridFilterValueList::ApplyEntry(TlxFilterValueList& list, IlxGridFilterValueListItem& item, int32_t index,
                                        bool add_to_recent_values, bool replace, TlxFilterCriteriaItemList* target) {
  const TlxFilterValueItem entry = list.EntryAt(index);
  TlxDataFilterCriteria& filter = item.ViewFilter();
  TlxFilterChangesScope changes(filter);
  switch (entry.Kind) {
    case fvkAll:
      filter.RemoveItemsByLink(item.FilterItemLink());
      break;
    case fvkCustom:
      item.CustomizeFilter();
      break;
    case fvkBlanks:
    case fvkNonBlanks:
      item.AddFilterCondition(target, entry.Kind == fvkBlanks ? fokEqual : fokNotEqual, Variant::Null(),
                              lxGetFilterResString(lxSFilterBlankCaption), replace);
      break;
    case fvkUser:
      item.DoUserFiltering(entry.Value, entry.DisplayText);
      break;
    case fvkValue:
    case fvkMRUValue:
      item.AddFilterCondition(target, fokEqual, entry.Value, entry.DisplayText, replace);
      if (add_to_recent_values)
        if (TlxGridFilterMRUValueItems* recent = item.RecentValues())
          recent->AddValue(entry.Value, entry.DisplayText);
      break;
    case fvkDatePeriod: {
      const auto* grid_list = dynamic_cast<const TlxGridFilterValueList*>(&list);
      ApplyDatePeriod(entry, item, grid_list != nullptr ? grid_list->GetDateOperatorKinds() : DateOperatorKinds(),
                      replace, target);
      break;
    }
    default:
      break;
  }
  if (entry.Kind >= fvkBlanks)
    filter.SetActive(true);
}

bool TlxGridFilterMRUValueItem::IsEqualTo(const TlxMRUItem& other) const {
  const auto* other_value = dynamic_cast<const TlxGridFilterMRUValueItem*>(&other);
  return other_value != nullptr && lxVariantCompare(value_, other_value->value_) == 0;
}

void TlxGridFilterMRUValueItems::AddValue(const Variant& value, const std::string& display_text) {
  Add(std::make_unique<TlxGridFilterMRUValueItem>(value, display_text));
}

void TlxGridFilterMRUValueItems::AddToValueList(TlxFilterValueList& list) const {
  for (int32_t i = 0; i < GetCount(); ++i)
    list.Add(fvkMRUValue, Items(i)->Value(), Items(i)->DisplayText(), false);
}

TlxGridFilterMRUValueItem* TlxGridFilterMRUValueItems::Items(int32_t index) const {
  return static_cast<TlxGridFilterMRUValueItem*>(GetItem(index));
}
