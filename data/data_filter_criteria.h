#pragma once
// The filter criteria of a data controller: conditions point at data
// fields, record values come from the controller, and a change of the main
// criteria makes the controller filter again.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/filter_criteria.h"
#include "data/filter_value_list.h"

class TlxCustomDataController;
class TlxCustomDataField;

class TlxDataFilterCriteriaItem : public TlxFilterCriteriaItem {
 public:
  static constexpr TClass kClass{"TlxDataFilterCriteriaItem", &TlxFilterCriteriaItem::kClass,
                                 &ConstructInstance<TlxDataFilterCriteriaItem>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterCriteriaItem::TlxFilterCriteriaItem;

  Variant GetRecordValue(int32_t record_index) override;
  std::string GetFieldCaption() const override;
  std::string GetFieldName() const override;
  TObject* FetchItemLink() const override;
  void StoreItemLink(TObject* link) override;

  TlxCustomDataField* Field() const { return field_; }

 private:
  TlxCustomDataController& Controller() const;
  int32_t ItemIndex() const;

  TlxCustomDataField* field_ = nullptr;
};

class TlxDataFilterValueList;

using TlxDataFilterGetValueListEvent =
    std::function<void(TlxFilterCriteria* Sender, int32_t AItemIndex, TlxDataFilterValueList* AValueList)>;

class TlxDataFilterCriteria : public TlxFilterCriteria {
 public:
  using TOwnerType = TlxCustomDataController;
  static constexpr TClass kClass{"TlxDataFilterCriteria", &TlxFilterCriteria::kClass,
                                 &ConstructInstance<TlxDataFilterCriteria>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxDataFilterCriteria(TlxCustomDataController* controller);
  ~TlxDataFilterCriteria() override;

  void AssignFrom(const TPersistent* source, bool version2_only) override;
  int32_t GetItemLinkId(TObject* link) const override;
  std::string GetItemLinkName(TObject* link) const override;
  const TClass* ConditionItemClass() const override { return &TlxDataFilterCriteriaItem::kClass; }
  TObject* FindItemLinkById(int32_t id) const override;
  TObject* FindItemLinkByName(const std::string& name) const override;
  const TClass* ValueListClass() const override;
  void DoChanged() override;
  void AssignEvents(const TlxFilterCriteria& source) override;

  std::unique_ptr<TlxDataFilterValueList> CreateValueList();

  bool Active() const { return active_; }
  void SetActive(bool value);
  // Active, not empty and the controller not in grid mode.
  virtual bool FiltersRecordsItself() const;
  // The first condition on the object's data field (an item is mapped to
  // its field).
  TlxFilterCriteriaItem* ItemForLink(TObject* item_or_field) const;
  void RemoveItemsByField(TlxCustomDataField* field);
  bool IsDestroying() const;
  bool IsAdditional() const;
  bool IsOwnerLoading() const;
  TlxCustomDataController& DataController() const { return controller_; }

  TlxDataFilterGetValueListEvent OnGetValueList;

 private:
  bool active_ = false;
  TlxCustomDataController& controller_;
  bool destroying_ = false;
};

// The drop-down values of one column, filled from the controller.
class TlxDataFilterValueList : public TlxFilterValueList {
 public:
  using TOwnerType = TlxFilterCriteria;
  static constexpr TClass kClass{"TlxDataFilterValueList", &TlxFilterValueList::kClass,
                                 &ConstructInstance<TlxDataFilterValueList>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterValueList::TlxFilterValueList;

  // Head entries, then the column's distinct values, sorted, collected in
  // one pass (n log n however many values the column has).
  virtual void Fill(int32_t item_index, bool take_text_sorting, bool filtered_records_only);
};

// The controller's additional criteria; owns them.
class TlxDataFilterList {
 public:
  TlxDataFilterCriteria* Add(std::unique_ptr<TlxDataFilterCriteria> criteria);
  // Forgets the criteria without freeing it (it is being freed).
  void Forget(const TlxDataFilterCriteria* criteria);
  bool Contains(const TlxDataFilterCriteria* criteria) const;
  void Clear();
  void RemoveItemsByField(TlxCustomDataField* field);
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  TlxDataFilterCriteria* CriteriaAt(int32_t index) const { return items_.at(static_cast<size_t>(index)).get(); }

 private:
  std::vector<std::unique_ptr<TlxDataFilterCriteria>> items_;
};
