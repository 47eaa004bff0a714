#pragma once
// The filter criteria of a data controller: conditions point at data
// fields, record values come from the controller, and a change of the main
// criteria makes the controller filter again.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/filter_criteria.h"

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
  void DoChanged() override;

  bool Active() const { return active_; }
  void SetActive(bool value);
  // Active, not empty and the controller not in grid mode.
  bool FiltersRecordsItself() const;
  // The first condition on the object's data field (an item is mapped to
  // its field).
  TlxFilterCriteriaItem* ItemForLink(TObject* item_or_field) const;
  void RemoveItemsByField(TlxCustomDataField* field);
  bool IsDestroying() const;
  bool IsAdditional() const;
  bool IsOwnerLoading() const;
  TlxCustomDataController& DataController() const { return controller_; }

 private:
  bool active_ = false;
  TlxCustomDataController& controller_;
  bool destroying_ = false;
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
