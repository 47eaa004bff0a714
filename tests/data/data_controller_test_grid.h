#pragma once
// A test descendant of the data controller that plays the grid: it owns
// column objects as items and logs every change descriptor and event in
// the order they arrive.

#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"

namespace data_controller_test {

class TColumn : public TObject {
 public:
  explicit TColumn(std::string column_name) : name(std::move(column_name)) {}
  std::string name;
};

inline std::string Describe(const TlxUpdateControlInfo& info) {
  if (auto* data = dynamic_cast<const TlxDataChangedInfo*>(&info))
    return "data " + std::to_string(data->Kind) + " " + std::to_string(data->ItemIndex) + " " +
           std::to_string(data->RecordIndex);
  if (auto* row = dynamic_cast<const TlxFocusedRowChangedInfo*>(&info))
    return "row " + std::to_string(row->PrevFocusedRowIndex) + ">" + std::to_string(row->FocusedRowIndex);
  if (auto* record = dynamic_cast<const TlxFocusedRecordChangedInfo*>(&info))
    return "record " + std::to_string(record->PrevFocusedRecordIndex) + ">" +
           std::to_string(record->FocusedRecordIndex);
  if (auto* selection = dynamic_cast<const TlxSelectionChangedInfo*>(&info)) {
    std::string text = "selection";
    for (int32_t i = 0; i < selection->RowIndexCount(); ++i)
      text += " " + std::to_string(selection->RowIndexAt(i));
    return text;
  }
  if (dynamic_cast<const TlxLayoutChangedInfo*>(&info))
    return "layout";
  if (dynamic_cast<const TlxGroupingChangingInfo*>(&info))
    return "grouping-changing";
  if (auto* update = dynamic_cast<const TlxUpdateRecordInfo*>(&info))
    return "update " + std::to_string(update->RecordIndex);
  if (dynamic_cast<const TlxBookmarkChangedInfo*>(&info))
    return "bookmark";
  return std::string(info.ClassName());
}

class TTestGrid : public TlxDataController {
 public:
  TTestGrid() : TlxDataController(nullptr) {
    OnUpdateControl = [this](TlxUpdateControlInfo& info) { log.push_back(Describe(info)); };
    OnDataChanged = [this](TObject*) { log.push_back("OnDataChanged"); };
    OnSortingChanged = [this](TObject*) { log.push_back("OnSortingChanged"); };
    OnGroupingChanged = [this](TObject*) { log.push_back("OnGroupingChanged"); };
  }

  int32_t AddColumn(const std::string& name, TlxValueTypeClass type) {
    columns.push_back(std::make_unique<TColumn>(name));
    AddItem(columns.back().get());
    const int32_t index = GetItemCount() - 1;
    SetItemValueTypeClass(index, type);
    return index;
  }

  // Appends records of the given values, in one bracket.
  void AddRows(const std::vector<std::vector<Variant>>& rows) {
    TUpdateScope update(*this);
    for (const auto& row : rows) {
      const int32_t record = AppendRecord();
      for (size_t item = 0; item < row.size(); ++item)
        SetValue(record, static_cast<int32_t>(item), row[item]);
    }
  }

  // The values of one item, row by row in view order.
  std::vector<std::string> Column(int32_t item) {
    std::vector<std::string> values;
    for (int32_t row = 0; row < GetRowCount(); ++row)
      values.push_back(VarToStr(GetRowValue(GetRowInfo(row), item)));
    return values;
  }

  std::vector<int32_t> RecordOrder() {
    std::vector<int32_t> records;
    for (int32_t row = 0; row < GetRowCount(); ++row)
      records.push_back(GetRowInfo(row).RecordIndex);
    return records;
  }

  std::string GetItemDisplayName(int32_t item) const override {
    return static_cast<TColumn*>(GetItem(item))->name;
  }

  std::string GetFieldDisplayText(int32_t record, TlxCustomDataField& field) override {
    read_texts.push_back(record);
    return VarToStr(GetFieldValue(record, field));
  }

  std::vector<std::unique_ptr<TColumn>> columns;
  std::vector<std::string> log;
  std::vector<int32_t> read_texts;
};

// The file list's columns.
class TFileGrid : public TTestGrid {
 public:
  TFileGrid() {
    datei = AddColumn("Datei", lxValueTypeClass<TlxStringValueType>());
    groesse = AddColumn("Groesse", lxValueTypeClass<TlxIntegerValueType>());
  }
  int32_t datei = 0;
  int32_t groesse = 0;
};

}  // namespace data_controller_test
