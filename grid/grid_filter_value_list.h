#pragma once
// The entries of an item's filter drop-down: the fixed entries, the item's
// recently used values, relative date periods, the calendar months and
// years found among the values, and the distinct values; and what picking
// each kind of entry does to the view's filter. The list reaches its item
// through IlxGridFilterValueListItem, which the table item provides.
// Portable.

#include <bitset>
#include <cstdint>
#include <string>

#include "data/data_filter_criteria.h"
#include "grid/grid_date_range.h"
#include "grid/table_filtering.h"
#include "ui/foundation/base/mru_items.h"

// The grid's names of the value list's entry kinds the data controller
// leaves unnamed.
constexpr TlxFilterValueItemKind fvkUser = 4;
constexpr TlxFilterValueItemKind fvkMRUValue = fvkLeading;
constexpr TlxFilterValueItemKind fvkDatePeriod = 8;

class TlxGridFilterMRUValueItems;

// What the value list needs of the item it is made for.
class IlxGridFilterValueListItem : public virtual IInterface {
 public:
  // The item's index in the data controller.
  virtual int32_t FilterValueItemIndex() const = 0;
  // The object the item's conditions point at.
  virtual TObject* FilterItemLink() const = 0;
  // The item's value type is date-time.
  virtual bool IsDateTimeItem() const = 0;
  virtual const TlxCustomGridTableDateTimeHandling& ViewDateTimeHandling() const = 0;
  // A date-time item whose view and own switches both ask for whole days.
  virtual bool IgnoresTimeForFiltering() const = 0;
  // The view or the item has an OnInitFilteringDateRanges handler.
  virtual bool HasInitFilteringDateRangesHandler() const = 0;
  // Builds the item's filtering date ranges anew (the view's and the
  // item's handlers run) and returns them.
  virtual TlxGridDateRanges& RebuildFilteringDateRanges() = 0;
  virtual TlxDataFilterCriteria& ViewFilter() = 0;
  // Opens the filter dialog that fits the item.
  virtual void CustomizeFilter() = 0;
  virtual void DoUserFiltering(const Variant& value, const std::string& display_text) = 0;
  // Adds "item <kind> value" through the view data, into `target` or the
  // root; with `replace` the item's conditions go first.
  virtual void AddFilterCondition(TlxFilterCriteriaItemList* target, TlxFilterOperatorKind kind, const Variant& value,
                                  const std::string& display_text, bool replace) = 0;
  // The item's editor properties' display text of a value.
  virtual std::string FilterValueDisplayText(const Variant& value) = 0;
  // The item's recently used values; null when it keeps none.
  virtual TlxGridFilterMRUValueItems* RecentValues() = 0;
};

using TlxFilterOperatorKinds = std::bitset<kLxLastFilterOperatorKind + 1>;

class TlxGridFilterValueList : public TlxDataFilterValueList {
 public:
  using TOwnerType = TlxFilterCriteria;
  static constexpr TClass kClass{"TlxGridFilterValueList", &TlxDataFilterValueList::kClass,
                                 &ConstructInstance<TlxGridFilterValueList>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDataFilterValueList::TlxDataFilterValueList;

  // The virtual operations, in the order of their slots.
  virtual void AddPeriodEntries(const TlxCustomGridDateRange& range, bool date_only);
  virtual void AddCalendarEntries(IlxGridFilterValueListItem& item);
  virtual void AddRelativeDateEntries(IlxGridFilterValueListItem& item);
  virtual TlxFilterOperatorKinds GetDateOperatorKinds() const;
  virtual void LoadForItem(IlxGridFilterValueListItem& item, bool take_text_sorting, bool filtered_records_only);

  int32_t FindItemForCriteriaItem(const TlxFilterCriteriaItem* condition) const override;

  // Applies the entry at `index` (EListError outside the list, before any
  // change) to the view's filter, inside one change bracket of it.
  static void ApplyEntry(TlxFilterValueList& list, IlxGridFilterValueListItem& item, int32_t index,
                         bool add_to_recent_values, bool replace, TlxFilterCriteriaItemList* target);
};

// One recently used value of an item; equal by value, whatever its text.
class TlxGridFilterMRUValueItem : public TlxMRUItem {
 public:
  static constexpr TClass kClass{"TlxGridFilterMRUValueItem", &TlxMRUItem::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxGridFilterMRUValueItem(const Variant& value, const std::string& display_text)
      : value_(value), display_text_(display_text) {}

  bool IsEqualTo(const TlxMRUItem& other) const override;

  const Variant& Value() const { return value_; }
  const std::string& DisplayText() const { return display_text_; }

 private:
  Variant value_;
  std::string display_text_;
};

// An item's recently used values, newest first.
class TlxGridFilterMRUValueItems : public TlxMRUItems {
 public:
  static constexpr TClass kClass{"TlxGridFilterMRUValueItems", &TlxMRUItems::kClass,
                                 &ConstructInstance<TlxGridFilterMRUValueItems>};
  const TClass* ClassType() const override { return &kClass; }

  void AddValue(const Variant& value, const std::string& display_text);
  // Every value, newest first, as a recent-value entry of the list.
  void AddToValueList(TlxFilterValueList& list) const;
  TlxGridFilterMRUValueItem* Items(int32_t index) const;
};
