#pragma once
// Until the data grid is built, the main window shows the file list through
// this stand-in. It offers exactly what the application calls on the grid's
// dataset-bound table view: the data controller with its update bracket and
// record count, and the view data with the records by row index and a
// record's value by item (column). Rows follow the dataset's order. The real
// grid replaces it whole.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/rtl/update_batch.h"
#include "platform/rtl/variant.h"

class TDataSet;
class TDataSource;
class TGridStandInView;

class TGridStandInRecord {
 public:
  explicit TGridStandInRecord(std::vector<Variant> values) : values_(std::move(values)) {}
  // The value of item `item` (the column's position among the view's
  // items); a text column gives null for an empty text.
  Variant GetValue(int32_t item) const;

 private:
  std::vector<Variant> values_;
};

class TGridStandInDataController {
 public:
  explicit TGridStandInDataController(TGridStandInView& view) : view_(view) {}
  // Changes of the dataset inside the bracket are taken over once, at the
  // last EndUpdate.
  void BeginUpdate();
  void EndUpdate();
  int32_t GetRecordCount() const;
  int32_t UpdateCount() const { return update_batch_.Count(); }

 private:
  friend class TGridStandInView;

  TGridStandInView& view_;
  TUpdateBatch update_batch_;
};

class TGridStandInViewData {
 public:
  explicit TGridStandInViewData(TGridStandInView& view) : view_(view) {}
  // The record of row `row_index`; an index outside the rows raises
  // EListError with the index.
  const TGridStandInRecord& GetRecord(int32_t row_index) const;
  int32_t RecordCount() const;

 private:
  TGridStandInView& view_;
};

class TGridStandInView : public TComponent {
 public:
  static constexpr TClass kClass{"TGridStandInView", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TGridStandInView(TComponent* owner);
  ~TGridStandInView() override;

  void SetDataSource(TDataSource* source);
  // Adds a column bound to a dataset field; items are numbered in order.
  void AddColumn(const std::string& field_name, const std::string& caption);
  const std::vector<std::string>& ColumnCaptions() const { return captions_; }

  TGridStandInDataController* GetDataController() { return &data_controller_; }
  TGridStandInViewData* GetViewData() { return &view_data_; }

  // Fires after the rows were taken over from the dataset.
  std::function<void(TObject* sender)> OnRowsChanged;

  // Takes the dataset's rows over now; inside an update bracket, once at
  // its end. A read that fails keeps the rows shown before, and the next
  // change reloads again.
  void Reload();

 private:
  friend class TGridStandInDataController;
  friend class TGridStandInViewData;
  class Link;

  // The values of the view's columns for every row of `data_set`, in its
  // order.
  std::vector<TGridStandInRecord> ReadRows(TDataSet& data_set) const;

  std::unique_ptr<Link> link_;
  std::vector<std::string> field_names_;
  std::vector<std::string> captions_;
  std::vector<TGridStandInRecord> rows_;
  TGridStandInDataController data_controller_{*this};
  TGridStandInViewData view_data_{*this};
  bool reloading_ = false;
  bool destroying_ = false;
};
