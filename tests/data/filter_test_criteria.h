#pragma once
// A small deriving criteria for the filter tests: its item links are
// columns of an in-memory table, identified by id and (optionally) by name.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/filter_criteria.h"

namespace filter_test {

class TColumn : public TObject {
 public:
  TColumn(int32_t column_id, std::string column_name, std::string column_caption)
      : id(column_id), name(std::move(column_name)), caption(std::move(column_caption)) {}
  int32_t id;
  std::string name;
  std::string caption;
};

// Rows of values by column id.
using TTable = std::vector<std::map<int32_t, Variant>>;

class TTestCondition : public TlxFilterCriteriaItem {
 public:
  static constexpr TClass kClass{"TTestCondition", &TlxFilterCriteriaItem::kClass, &ConstructInstance<TTestCondition>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterCriteriaItem::TlxFilterCriteriaItem;

  Variant GetRecordValue(int32_t record_index) override;
  std::string GetFieldCaption() const override { return Column().caption; }
  std::string GetFieldName() const override { return Column().name; }

 private:
  const TColumn& Column() const { return static_cast<const TColumn&>(*ItemLink()); }
};

class TTestCriteria : public TlxFilterCriteria {
 public:
  static constexpr TClass kClass{"TTestCriteria", &TlxFilterCriteria::kClass};
  const TClass* ClassType() const override { return &kClass; }

  int32_t GetItemLinkId(TObject* link) const override { return static_cast<TColumn*>(link)->id; }
  std::string GetItemLinkName(TObject* link) const override { return static_cast<TColumn*>(link)->name; }
  const TClass* ConditionItemClass() const override { return &TTestCondition::kClass; }
  TObject* FindItemLinkById(int32_t id) const override {
    for (const auto& column : columns)
      if (column->id == id)
        return column.get();
    return nullptr;
  }
  TObject* FindItemLinkByName(const std::string& name) const override {
    for (const auto& column : columns)
      if (!name.empty() && column->name == name)
        return column.get();
    return nullptr;
  }

  TColumn* AddColumn(int32_t id, const std::string& name, const std::string& caption) {
    columns.push_back(std::make_unique<TColumn>(id, name, caption));
    return columns.back().get();
  }

  std::vector<std::unique_ptr<TColumn>> columns;
  TTable table;
};

inline Variant TTestCondition::GetRecordValue(int32_t record_index) {
  const auto& criteria = static_cast<const TTestCriteria&>(*OwningCriteria());
  const auto& row = criteria.table.at(static_cast<size_t>(record_index));
  const auto found = row.find(Column().id);
  return found != row.end() ? found->second : Variant::Null();
}

}  // namespace filter_test
