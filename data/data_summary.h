#pragma once
// A controller's summary: owns the footer items, the default group items and
// the summary groups, and computes their results during the row engine's
// pass: one Variant array over the filtered rows for the footer, one per
// group (kept in the group's info) for the group rows.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_summary_items.h"
#include "platform/rtl/persistent.h"

class TlxCustomDataController;
class TlxCustomDataControllerInfo;
class TlxDataSummary;

enum TlxSummaryOption : uint8_t { soNullIgnore = 1, soSelectedRecords = 2, soMultipleSelectedRecords = 4 };
using TlxSummaryOptions = uint8_t;

using TlxAfterSummaryEvent = std::function<void(TlxDataSummary* ASender)>;
using TlxDataSummaryValues = std::vector<Variant>;
using TlxDataSummaryCountValues = std::vector<int32_t>;

class TlxDataSummary : public TPersistent {
 public:
  using TOwnerType = TlxCustomDataController;
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxDataSummary", &TPersistent::kClass, &ConstructInstance<TlxDataSummary>,
                                 &Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataSummary(TlxCustomDataController* controller);
  ~TlxDataSummary() override;

  // The virtual operations, in the order of their slots.
  virtual void InitSummaryArrays(const TlxDataSummaryItems& items, TlxDataSummaryValues& values,
                                 TlxDataSummaryCountValues& counts);
  virtual void AccumulateRows(TlxDataSummaryItems& items, int32_t first, int32_t last, TlxDataSummaryValues& values,
                              TlxDataSummaryCountValues& counts);
  virtual void NotifyChanged(bool item_changed);
  virtual void DoAfterSummary();
  virtual void FinishItemValue(TlxDataSummaryItem& item, Variant& value, int32_t count);
  virtual void AccumulateRecord(TlxDataSummaryItem& item, int32_t record, Variant& value, int32_t& count);
  virtual void StoreResults(TlxDataSummaryItems& items, TlxDataSummaryCountValues& counts,
                            TlxDataSummaryValues& values, Variant& target);
  virtual int32_t SummaryRecordIndex(int32_t position) const;
  virtual const TClass* GroupItemLinkClass() const;
  virtual const TClass* SummaryItemClass() const;
  virtual bool HasValueAt(const Variant& values, int32_t index) const;
  virtual void PassChangeToController(bool item_changed);
  virtual void CopyEvents(const TlxDataSummary& source) { OnAfterSummary = source.OnAfterSummary; }
  virtual void StartCalculation() { CalculateFooterSummary(); }
  virtual void FinishCalculation();
  virtual void Recalculate();
  virtual void CalculateFooterSummary();
  virtual void CalculateGroupSummaries();

  TlxCustomDataController& DataController() const { return controller_; }
  TPersistent* GetOwner() const override;
  TlxDataGroupSummaryItems& DefaultGroupSummaryItems() const { return *default_group_items_; }
  TlxDataFooterSummaryItems& FooterSummaryItems() const { return *footer_items_; }
  TlxDataSummaryGroups& SummaryGroups() const { return *summary_groups_; }
  TlxSummaryOptions Options() const { return options_; }
  void SetOptions(TlxSummaryOptions value);
  bool HasOption(TlxSummaryOption option) const { return (options_ & option) != 0; }
  bool InAfterSummary() const { return in_after_summary_; }
  bool Destroying() const { return destroying_; }
  // Whether the results count only focused or selected records.
  bool UsesSelection() const;

  const Variant& FooterSummaryValues() const { return footer_values_; }
  Variant GetFooterSummaryValue(int32_t index) const;
  std::string GetFooterSummaryText(int32_t index);
  TlxDataGroupSummaryItems* GroupSummaryItemsForLevel(int32_t level) const;
  bool GetGroupRowSummary(int32_t row, TlxDataGroupSummaryItems*& items, Variant& values) const;
  std::string GetGroupRowSummaryText(int32_t row);
  std::string GetGroupSummaryItemText(int32_t row, int32_t level, int32_t item_index);
  Variant GroupValuesOf(int32_t group) const;

  void BeginUpdate();
  void EndUpdate();
  void CancelUpdate();
  void RemoveFieldItems(const TlxCustomDataField* field);
  // The collection of `other` that matches `items` of this summary.
  TlxDataSummaryItems* MatchingItemsIn(const TlxDataSummary& other, const TlxDataSummaryItems& items) const;
  void CopyFrom(const TlxDataSummary& source);
  void Assign(const TPersistent* source) override;

  TlxAfterSummaryEvent OnAfterSummary;

 private:
  void CalculateGroupsOfLevel(int32_t level);

  TlxCustomDataController& controller_;
  std::unique_ptr<TlxDataGroupSummaryItems> default_group_items_;
  bool destroying_ = false;
  std::unique_ptr<TlxDataFooterSummaryItems> footer_items_;
  Variant footer_values_;
  bool in_after_summary_ = false;
  int32_t lock_count_ = 0;
  TlxSummaryOptions options_ = 0;
  std::unique_ptr<TlxDataSummaryGroups> summary_groups_;
  // Records counted while the results depend on the selection.
  std::vector<bool> selected_records_;
};

// Orders the groups of a level by their summary values; the controller names
// the class, the row engine creates one per pass.
class TlxSortingBySummaryEngine : public TObject {
 public:
  using TOwnerType = TlxCustomDataControllerInfo;
  static constexpr TClass kClass{"TlxSortingBySummaryEngine", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxSortingBySummaryEngine(TlxCustomDataControllerInfo* info) : info_(*info) {}

  virtual void SortGroups() = 0;

  TlxCustomDataControllerInfo& DataControllerInfo() const { return info_; }
  TlxCustomDataController& OwnerDataController() const;

 private:
  TlxCustomDataControllerInfo& info_;
};
