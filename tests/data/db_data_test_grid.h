#pragma once
// The grid as the dataset-bound controller's tests play it: a descendant of
// the controller whose items are columns bound to dataset fields by name.
// It logs every change descriptor the controller sends and counts the
// storage loads.

#include <memory>
#include <string>
#include <vector>

#include "data/db_data_controller.h"
#include "tests/data/data_controller_test_grid.h"
#include "tests/platform/db/file_list.h"

namespace db_data_test {

using data_controller_test::TColumn;

class TTestDBGrid : public TlxDBDataController {
 public:
  TTestDBGrid() : TlxDBDataController(nullptr) {
    OnUpdateControl = [this](TlxUpdateControlInfo& info) { log.push_back(data_controller_test::Describe(info)); };
  }
  ~TTestDBGrid() override { SetDataSource(nullptr); }

  int32_t AddColumn(const std::string& field_name) {
    columns.push_back(std::make_unique<TColumn>(field_name));
    AddItem(columns.back().get());
    const int32_t index = GetItemCount() - 1;
    ChangeFieldName(index, field_name);
    return index;
  }

  TObject* GetItem(int32_t index) const override {
    CheckItemRange(index);
    return Fields().FieldAt(index)->Item();
  }

  // Every walk of an open dataset (or load of its window) opens one
  // storage load.
  void BeginStorageLoad() override {
    if (GetDataSet() != nullptr && GetDataSet()->Active())
      ++loads;
    TlxDBDataController::BeginStorageLoad();
  }

  // The values of one item, row by row in view order, as texts.
  std::vector<std::string> Column(int32_t item) {
    std::vector<std::string> values;
    for (int32_t row = 0; row < GetRowCount(); ++row)
      values.push_back(VarToStr(GetRowValue(GetRowInfo(row), item)));
    return values;
  }

  // The "Sortkey" values of the rows in view order.
  std::vector<int32_t> Keys() {
    std::vector<int32_t> keys;
    for (int32_t row = 0; row < GetRowCount(); ++row)
      keys.push_back(GetRowValue(GetRowInfo(row), sortkey).AsInteger());
    return keys;
  }

  std::vector<std::string> TakeLog() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }

  int32_t TakeLoads() { return std::exchange(loads, 0); }

  int32_t FocusedKey() {
    const int32_t record = FocusedRecordIndex();
    if (record < 0)
      return -1;
    const Variant key = GetValue(record, sortkey);
    return key.IsNull() ? 0 : key.AsInteger();
  }

  std::vector<std::unique_ptr<TColumn>> columns;
  std::vector<std::string> log;
  int32_t loads = 0;
  int32_t sortkey = -1;
};

// The file list's grid: the four columns of the print tool, bound to
// cdsDateien through its data source once Bind runs.
struct TFileListGrid {
  TFileListGrid() {
    datei = grid.AddColumn("Datei");
    groesse = grid.AddColumn("Groesse");
    datum = grid.AddColumn("Datum");
    grid.sortkey = grid.AddColumn("Sortkey");
    recorder.SetDataSource(files.source);
  }

  void Bind() {
    grid.SetDataSource(files.source);
    grid.TakeLoads();
    grid.TakeLog();
    recorder.Take();
  }

  // The dataset's cursor record's key (0 for a new record without one).
  int32_t CursorKey() const {
    if (!files.cds->Active() || files.cds->IsEmpty())
      return -1;
    return files.sortkey->IsNull() ? 0 : files.sortkey->AsInteger();
  }

  db_test::TFileList files;
  db_test::TRecordingLink recorder;
  TTestDBGrid grid;
  int32_t datei = 0;
  int32_t groesse = 0;
  int32_t datum = 0;
};

}  // namespace db_data_test
