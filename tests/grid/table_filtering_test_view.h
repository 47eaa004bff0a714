#pragma once
// A stand-in for the table view around the filtering objects: a real data
// controller (the file list's columns) whose filter the objects work on,
// the option changes and calls the objects make, and scripted answers of
// the view's handlers and filter dialogs.

#include <functional>
#include <string>
#include <vector>

#include "grid/table_filtering.h"
#include "platform/rtl/component.h"
#include "platform/rtl/property.h"
#include "tests/data/data_controller_test_grid.h"

namespace table_filtering_test {

// The file list's columns with the IDs a grid gives its items, so that
// copies of filters find their columns again.
class TIdentifiedFileGrid : public data_controller_test::TFileGrid {
 public:
  int32_t GetItemID(TObject* item) const override {
    for (size_t i = 0; i < columns.size(); ++i)
      if (columns[i].get() == item)
        return static_cast<int32_t>(i);
    return -1;
  }
};

class TTestFilteringView : public TComponent, public IlxGridTableFilteringView {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TTestFilteringView>();
    p.Persistent("DateTimeHandling", TlxCustomGridTableDateTimeHandling::kClass,
                 [](const TTestFilteringView& self) { return &const_cast<TTestFilteringView&>(self).date_time; });
    p.Persistent("FilterBox", TlxGridFilterBox::kClass,
                 [](const TTestFilteringView& self) { return &const_cast<TTestFilteringView&>(self).filter_box; });
    p.Persistent("Filtering", TlxCustomGridTableFiltering::kClass,
                 [](const TTestFilteringView& self) { return &const_cast<TTestFilteringView&>(self).filtering; });
  }
  static constexpr TClass kClass{"TTestFilteringView", &TComponent::kClass, &ConstructInstance<TTestFilteringView>,
                                 &Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TTestFilteringView(TComponent* owner = nullptr) : TComponent(owner) {}

  TlxDataFilterCriteria& ViewFilter() override { return grid.Filter(); }
  TlxDataFilterCriteria* CreateFilterCriteria() override { return grid.CreateFilterCriteria(); }
  void OptionsChanged(TlxGridOptionsChange change) override { changes.push_back(change); }
  TlxGridFilterBox& ViewFilterBox() override { return filter_box; }
  void ItemMRUItemsCountChanged(int32_t count) override { calls.push_back("item MRU count " + std::to_string(count)); }
  bool HasItems() const override { return has_items; }
  void ItemsDateTimeGroupingChanged() override { calls.push_back("items regroup"); }
  void FilterValuesChanged() override { calls.push_back("filter values"); }
  bool DoFilterDialogShow(TlxCustomGridTableItem* item) override {
    calls.push_back(item != nullptr ? "OnFilterDialogShow item" : "OnFilterDialogShow");
    return filter_dialog_show_done;
  }
  bool DoFilterCustomization() override {
    calls.push_back("OnFilterCustomization");
    return filter_customization_done;
  }
  bool FilterNeedsFilterBuilder(const TlxFilterCriteria& filter) override {
    return filter.Root().BoolOperatorKind() != fbkAnd;
  }
  void ShowFilterBuilderDialog(std::function<void()> apply) override {
    calls.push_back("filter builder");
    if (builder_applies)
      apply();
  }
  bool ShowCustomFilterDialog(TlxCustomGridTableItem& /*item*/) override {
    calls.push_back("custom filter dialog");
    return custom_dialog_ok;
  }

  // Replaces the view's filter by "column = value", switched on, as an
  // item's drop-down does, and tells the filtering options of the change.
  void ApplyEquals(int32_t column, const Variant& value) {
    TlxDataFilterCriteria& filter = grid.Filter();
    {
      TlxFilterChangesScope changes_scope(filter);
      filter.RemoveAllItems();
      filter.AddItem(&filter.Root(), grid.columns[static_cast<size_t>(column)].get(), fokEqual, value,
                     VarToStr(value));
      filter.SetActive(true);
    }
    filtering.FilterChanged();
    filtering.AddFilterToMRU(nullptr);
  }

  void ClearFilter() {
    grid.Filter().RemoveAllItems();
    filtering.FilterChanged();
  }

  // Declared first: the filtering options' copies of filters belong to it.
  TIdentifiedFileGrid grid;
  std::vector<TlxGridOptionsChange> changes;
  std::vector<std::string> calls;
  bool has_items = false;
  bool filter_dialog_show_done = false;
  bool filter_customization_done = false;
  bool builder_applies = false;
  bool custom_dialog_ok = false;
  TlxCustomGridTableFiltering filtering{this};
  TlxGridFilterBox filter_box{this};
  TlxCustomGridTableDateTimeHandling date_time{this};
};

}  // namespace table_filtering_test
