#pragma once
// A data controller whose items are plain columns numbered by their place
// (as a grid numbers its columns), and the filter builder's view of it:
// captions, identities, value types and the controller's own criteria.

#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "editors/kinds/filter_rows.h"

namespace filter_builder_test {

class TColumn : public TObject {};

class TColumnController : public TlxDataController {
 public:
  explicit TColumnController(const std::vector<TlxValueTypeClass>& types) : TlxDataController(nullptr) {
    for (TlxValueTypeClass type : types) {
      columns.push_back(std::make_unique<TColumn>());
      AddItem(columns.back().get());
      SetItemValueTypeClass(GetItemCount() - 1, type);
    }
  }
  int32_t GetItemID(TObject* item) const override {
    for (size_t i = 0; i < columns.size(); ++i)
      if (columns[i].get() == item)
        return static_cast<int32_t>(i) + 1;
    return -1;
  }
  std::vector<std::unique_ptr<TColumn>> columns;
};

class TControllerLink : public IlxFilterControl {
 public:
  // One caption per column; `properties` (one per column, or none) show
  // the values.
  TControllerLink(TColumnController& controller, std::vector<std::string> captions,
                  std::vector<TlxCustomEditProperties*> properties = {})
      : controller_(controller), captions_(std::move(captions)), properties_(std::move(properties)) {}

  void GetCaption(int32_t index, std::string& caption) override { caption = captions_.at(static_cast<size_t>(index)); }
  int32_t GetCount() override { return controller_.GetItemCount(); }
  TlxFilterCriteria* GetCriteria() override { return &controller_.Filter(); }
  TObject* GetItemLink(int32_t index) override { return controller_.GetItem(index); }
  int32_t GetItemLinkID(int32_t index) override { return controller_.GetItemID(controller_.GetItem(index)); }
  void GetItemLinkName(int32_t, std::string& name) override { name.clear(); }
  void GetFieldName(int32_t index, std::string& name) override { name = "F" + std::to_string(index); }
  TlxCustomEditProperties* GetProperties(int32_t index) override {
    return properties_.empty() ? nullptr : properties_.at(static_cast<size_t>(index));
  }
  TlxValueTypeClass GetValueType(int32_t index) override { return controller_.GetItemValueTypeClass(index); }

 private:
  TColumnController& controller_;
  std::vector<std::string> captions_;
  std::vector<TlxCustomEditProperties*> properties_;
};

}  // namespace filter_builder_test
