#pragma once
// The filtering model of a table view around its data controller's filter:
// the filtering options with the list of recently used filters, the filter
// box options, the options of the items' filter drop-downs, the date-time
// settings that drive date filtering and grouping, and the choice of filter
// dialog. The view owns these objects and reaches them, and they reach it,
// only through IlxGridTableFilteringView, so that they need none of the
// view's classes. Portable.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_filter_criteria.h"
#include "grid/table_filtering_types.h"
#include "platform/rtl/object.h"
#include "platform/rtl/persistent.h"
#include "ui/foundation/base/mru_items.h"

class TlxCustomDataController;
class TlxCustomGridTableItem;
class TlxGridFilterBox;

// What the filtering objects need of their table view.
class IlxGridTableFilteringView : public virtual IInterface {
 public:
  // The filter of the view's data controller.
  virtual TlxDataFilterCriteria& ViewFilter() = 0;
  // A new criteria of the view's filter class, made by its data controller;
  // the caller frees it.
  virtual TlxDataFilterCriteria* CreateFilterCriteria() = 0;
  virtual void OptionsChanged(TlxGridOptionsChange change) = 0;
  // The view's filter box options (old form descriptions store some of
  // them under the filtering options).
  virtual TlxGridFilterBox& ViewFilterBox() = 0;
  // Every item's recent-values list takes the maximum.
  virtual void ItemMRUItemsCountChanged(int32_t count) = 0;
  virtual bool HasItems() const = 0;
  // Every item rebuilds its date grouping, inside one view update bracket.
  virtual void ItemsDateTimeGroupingChanged() = 0;
  // The data controller reads the filter values of its rows again.
  virtual void FilterValuesChanged() = 0;
  // The view's handlers; each answers whether it did the work itself.
  virtual bool DoFilterDialogShow(TlxCustomGridTableItem* item) = 0;
  virtual bool DoFilterCustomization() = 0;
  // The filter dialogs: whether the filter needs the filter builder, the
  // builder (whose apply button runs `apply`), and the custom filter dialog
  // for one item, which answers true when closed with OK.
  virtual bool FilterNeedsFilterBuilder(const TlxFilterCriteria& filter) = 0;
  virtual void ShowFilterBuilderDialog(std::function<void()> apply) = 0;
  virtual bool ShowCustomFilterDialog(TlxCustomGridTableItem& item) = 0;
};

// The part every filtering option object shares: the view it reports its
// changes to (none for a free-standing copy).
class TlxGridFilteringOptions : public TPersistent {
 public:
  // Made by class with the view as owner (the view implements the
  // interface; an owner that does not raises EInvalidOperation).
  using TOwnerType = IlxGridTableFilteringView;
  static constexpr TClass kClass{"TlxGridFilteringOptions", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridFilteringOptions(IlxGridTableFilteringView* view) : view_(view) {}

  IlxGridTableFilteringView* View() const { return view_; }

 protected:
  void Changed(TlxGridOptionsChange change) const;

 private:
  IlxGridTableFilteringView* view_;
};

class TlxCustomGridTableFiltering;

// One recently used filter: a copy of the criteria, made by the data
// controller and freed with the item.
class TlxGridFilterMRUItem : public TlxMRUItem {
 public:
  static constexpr TClass kClass{"TlxGridFilterMRUItem", &TlxMRUItem::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // Takes `filter`, a criteria made by the view's data controller, and
  // fills it from `source`.
  TlxGridFilterMRUItem(TlxDataFilterCriteria* filter, const TlxFilterCriteria& source);
  ~TlxGridFilterMRUItem() override;
  TlxGridFilterMRUItem(const TlxGridFilterMRUItem&) = delete;
  TlxGridFilterMRUItem& operator=(const TlxGridFilterMRUItem&) = delete;

  // Equal when the binary streams of both filters are identical.
  bool IsEqualTo(const TlxMRUItem& other) const override;
  bool IsEqualToCriteria(const TlxFilterCriteria& criteria) const;
  // The filter's readable text.
  std::string GetCaption() const;
  // Null once its data controller freed it.
  TlxDataFilterCriteria* Filter() const { return filter_.Get(); }

 private:
  TWeakRef<TlxDataFilterCriteria> filter_;
};

// The recently used filters, newest first, and the visible ones among them:
// every one that is not the view's current filter.
class TlxGridFilterMRUItems : public TlxMRUItems {
 public:
  using TOwnerType = TlxCustomGridTableFiltering;
  static constexpr TClass kClass{"TlxGridFilterMRUItems", &TlxMRUItems::kClass,
                                 &ConstructInstance<TlxGridFilterMRUItems>};
  const TClass* ClassType() const override { return &kClass; }
  // Raises EInvalidOperation without its filtering options.
  explicit TlxGridFilterMRUItems(TlxCustomGridTableFiltering* filtering);

  // Adds a copy of a criteria that has conditions in front (an equal entry
  // moves to the front instead), then recomputes the visible entries.
  void AddFilter(const TlxFilterCriteria& criteria);
  void RefreshVisibleItems();
  // Deletes, from the end, every entry whose filter has no conditions left.
  void DeleteEmptyFilters();
  int32_t VisibleCount() const { return static_cast<int32_t>(visible_.size()); }
  // Raises EListError outside 0..VisibleCount() - 1.
  TlxGridFilterMRUItem* VisibleItems(int32_t index) const;
  TlxGridFilterMRUItem* Items(int32_t index) const;

 private:
  // Checked at construction, so no use below can meet a null one.
  TlxCustomGridTableFiltering& filtering_;
  std::vector<TlxGridFilterMRUItem*> visible_;
};

// The view-wide settings of the items' filter drop-downs.
class TlxGridItemFilterPopupOptions : public TlxGridFilteringOptions {
 public:
  static void Publish(TPropertyListBuilder& properties);
  using TOwnerType = TlxCustomGridTableFiltering;
  static constexpr TClass kClass{"TlxGridItemFilterPopupOptions", &TlxGridFilteringOptions::kClass,
                                 &ConstructInstance<TlxGridItemFilterPopupOptions>, &Publish};
  const TClass* ClassType() const override { return &kClass; }
  // Reports to the view of the filtering options (none without them).
  explicit TlxGridItemFilterPopupOptions(TlxCustomGridTableFiltering* filtering);

  void Assign(const TPersistent* source) override;

  TlxGridItemFilterPopupApplyChangesMode ApplyMultiSelectChanges() const { return apply_multi_select_changes_; }
  void SetApplyMultiSelectChanges(TlxGridItemFilterPopupApplyChangesMode value);
  int32_t DropDownWidth() const { return drop_down_width_; }
  void SetDropDownWidth(int32_t value);
  int32_t MaxDropDownItemCount() const { return max_drop_down_item_count_; }
  void SetMaxDropDownItemCount(int32_t value);
  bool MultiSelect() const { return multi_select_; }
  void SetMultiSelect(bool value);

 private:
  TlxGridItemFilterPopupApplyChangesMode apply_multi_select_changes_ = fpacImmediately;
  int32_t drop_down_width_ = 0;
  int32_t max_drop_down_item_count_ = 15;
  bool multi_select_ = true;
};

using TlxGridItemFilterPopupOptionsClass = const TClass*;
using TlxGridFilterMRUItemsClass = const TClass*;

// The filtering options of a table view.
class TlxCustomGridTableFiltering : public TlxGridFilteringOptions {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCustomGridTableFiltering", &TlxGridFilteringOptions::kClass,
                                 &ConstructInstance<TlxCustomGridTableFiltering>, &Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridTableFiltering(IlxGridTableFilteringView* view);
  ~TlxCustomGridTableFiltering() override;

  void Assign(const TPersistent* source) override;
  void DefineProperties(TFiler& filer) override;

  // The virtual operations, in the order of their slots.
  virtual void FilterChanged();
  virtual TlxGridItemFilterPopupOptionsClass GetItemPopupClass() const;
  virtual TlxGridFilterMRUItemsClass GetMRUItemsClass() const;
  virtual bool HasVisibleMRUItems() const;
  virtual void MRUVisibleCountChanged(int32_t previous_count, int32_t new_count);

  // Null means the view's current filter.
  void AddFilterToMRU(const TlxFilterCriteria* criteria);
  // Opens the filter dialog that fits the item (none: the filter builder).
  void CustomizeFilter(TlxCustomGridTableItem* item);
  // The filter builder's apply button.
  void ApplyFilterBuilderResult();

  bool ColumnFilteredItemsList() const { return item_filtered_items_list_; }
  void SetColumnFilteredItemsList(bool value);
  bool ColumnMRUItemsList() const { return item_mru_items_list_; }
  void SetColumnMRUItemsList(bool value);
  int32_t ColumnMRUItemsListCount() const { return item_mru_items_list_count_; }
  void SetColumnMRUItemsListCount(int32_t value);
  // The item popup options and the MRU list are made on first use, so that
  // a descendant's classes take part.
  TlxGridItemFilterPopupOptions& ColumnPopup() const;
  void SetColumnPopup(const TlxGridItemFilterPopupOptions* value) { ColumnPopup().Assign(value); }
  bool MRUItemsList() const { return mru_items_list_; }
  void SetMRUItemsList(bool value);
  int32_t MRUItemsListCount() const { return mru_items_list_count_; }
  void SetMRUItemsListCount(int32_t value);
  TlxGridFilterMRUItems& MRUItems() const;

  // The view's filter, or null without a view.
  TlxDataFilterCriteria* CurrentFilter() const;

 private:
  // The MRU list's maximum: the count plus the hidden current filter.
  int32_t MRUItemsMaxCount() const { return mru_items_list_count_ > 0 ? mru_items_list_count_ + 1 : 0; }

  bool item_filtered_items_list_ = false;
  bool item_mru_items_list_ = true;
  int32_t item_mru_items_list_count_ = 5;
  mutable std::unique_ptr<TlxGridItemFilterPopupOptions> item_popup_;
  bool mru_items_list_ = true;
  int32_t mru_items_list_count_ = 10;
  mutable std::unique_ptr<TlxGridFilterMRUItems> mru_items_;
};

// The band that shows the view's filter text.
class TlxGridFilterBox : public TlxGridFilteringOptions {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGridFilterBox", &TlxGridFilteringOptions::kClass,
                                 &ConstructInstance<TlxGridFilterBox>, &Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridFilteringOptions::TlxGridFilteringOptions;

  void Assign(const TPersistent* source) override;

  bool CustomizeDialog() const { return customize_dialog_; }
  void SetCustomizeDialog(bool value);
  int32_t MRUItemsListDropDownCount() const { return mru_items_list_drop_down_count_; }
  void SetMRUItemsListDropDownCount(int32_t value);
  TlxGridFilterPosition Position() const { return position_; }
  void SetPosition(TlxGridFilterPosition value);
  TlxGridFilterVisible Visible() const { return visible_; }
  void SetVisible(TlxGridFilterVisible value);

 private:
  bool customize_dialog_ = true;
  int32_t mru_items_list_drop_down_count_ = 0;
  TlxGridFilterPosition position_ = fpBottom;
  TlxGridFilterVisible visible_ = fvNonEmpty;
};

// The date-time settings of a table view: caption formats of date groups
// and entries, the date entries of filter drop-downs, the date grouping.
class TlxCustomGridTableDateTimeHandling : public TlxGridFilteringOptions, public IlxGridDateTimeFormats {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCustomGridTableDateTimeHandling", &TlxGridFilteringOptions::kClass,
                                 &ConstructInstance<TlxCustomGridTableDateTimeHandling>, &Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridFilteringOptions::TlxGridFilteringOptions;

  void Assign(const TPersistent* source) override;

  std::string GetHourFormat() const override { return formats_.HourFormatInUse(); }
  std::string GetDateFormat() const override { return formats_.DateFormatInUse(); }
  std::string GetMonthFormat() const override { return formats_.MonthFormatInUse(); }
  std::string GetYearFormat() const override { return formats_.YearFormatInUse(); }

  const std::string& DateFormat() const { return formats_.DateFormat; }
  void SetDateFormat(const std::string& value);
  TlxGridDateTimeFilters Filters() const { return filters_; }
  void SetFilters(TlxGridDateTimeFilters value);
  // dtgDefault reads back as dtgByDateAndTime.
  TlxGridDateTimeGrouping Grouping() const { return grouping_; }
  void SetGrouping(TlxGridDateTimeGrouping value);
  const std::string& HourFormat() const { return formats_.HourFormat; }
  void SetHourFormat(const std::string& value);
  bool IgnoreTimeForFiltering() const { return ignore_time_for_filtering_; }
  void SetIgnoreTimeForFiltering(bool value);
  const std::string& MonthFormat() const { return formats_.MonthFormat; }
  void SetMonthFormat(const std::string& value);
  bool UseLongDateFormat() const { return formats_.UseLongDateFormat; }
  void SetUseLongDateFormat(bool value);
  bool UseShortTimeFormat() const { return formats_.UseShortTimeFormat; }
  void SetUseShortTimeFormat(bool value);
  const std::string& YearFormat() const { return formats_.YearFormat; }
  void SetYearFormat(const std::string& value);

 private:
  void SetFormat(std::string& format, const std::string& value);

  TlxGridDateTimeFormatValues formats_;
  TlxGridDateTimeFilters filters_ = 0;
  TlxGridDateTimeGrouping grouping_ = dtgByDateAndTime;
  bool ignore_time_for_filtering_ = false;
};
