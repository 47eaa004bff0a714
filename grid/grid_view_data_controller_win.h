#pragma once
// TlxGridViewDataController<Base>: what the grid's two data controllers (the
// unbound one and the dataset-bound one) answer alike. The data layer asks
// its controller questions that only the owning grid view can answer
// (display and filter texts, date-range comparison, summary classes, detail
// links, the update bracket); both controllers take the view's answer and
// fall back on their own base's. Instantiated for TlxDataController and
// TlxDBDataController only (in the .cpp). Included only from Windows sources.

#include <cstdint>
#include <memory>
#include <string>

#include "data/data_controller.h"
#include "data/db_data_controller.h"

class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxCustomGridView;

template <class Base>
class TlxGridViewDataController : public Base {
 public:
  using Base::Base;

  // The view that owns this controller (none while it is being built).
  TlxCustomGridView* GridView() const;

  int32_t GetItemID(TObject* item) const override;
  bool CanSelectRow(int32_t row_index) override;
  int32_t GetDefaultActiveRelationIndex() const override;
  const TClass* GetSummaryItemClass() const override;
  const TClass* GetSummaryGroupItemLinkClass() const override;
  const TClass* GetSortingBySummaryEngineClass() const override;
  void FilterChanged() override;
  void ItemValueTypeClassChanged(int32_t item_index) override;
  std::string GetFilterDisplayText(int32_t record_index, int32_t item_index) override;
  int32_t CompareByField(int32_t record1, int32_t record2, TlxCustomDataField& field) override;
  void BeginUpdateWithOwner() override;
  void EndUpdateWithOwner() override;
  std::string GetDisplayText(int32_t record_index, int32_t item_index) override;
  bool IsItemEditable(int32_t item_index) const override;
  void UpdateEditorValue() override;
  std::unique_ptr<TObject> CreateDetailLinkObject(TlxCustomDataRelation* relation, int32_t record_index) override;
  TlxCustomDataController* GetDetailLinkDataController(TObject* link_object) const override;
  Variant GetFilterValue(int32_t record_index, TlxCustomDataField& field) override;
  std::string GetItemDisplayName(int32_t item_index) const override;
  bool IsItemSortedByDisplayText(int32_t item_index, bool default_value) const override;

 protected:
  TlxCustomGridTableView* TableView() const;
  TlxCustomGridTableItem* TableItem(int32_t item_index) const;
};

extern template class TlxGridViewDataController<TlxDataController>;
extern template class TlxGridViewDataController<TlxDBDataController>;
