#pragma once
// TDataLink: what a data-aware control holds to follow a dataset through a
// data source. The link keeps a window of BufferCount records around the
// cursor (ActiveRecord is the cursor's place in it) and turns the data
// source's events into its notifications:
//   state changes      ActiveChanged, EditingChanged
//   data set changed   DataSetChanged (the window is fitted again)
//   data set scrolled  DataSetScrolled(distance the window moved)
//   layout changed     LayoutChanged
//   field or record    RecordChanged(field, null for the whole record),
//     changed          except while this link itself writes (UpdateRecord)
//   update record      UpdateData
//   check browse mode  CheckBrowseMode
//   focus control      FocusControl(field); clearing the field consumes it

#include <cstdint>

#include "platform/db/db_types.h"
#include "platform/rtl/persistent.h"

class TDataSet;
class TDataSource;
class TField;

class TDataLink : public TPersistent {
 public:
  static constexpr TClass kClass{"TDataLink", &TPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TDataLink() = default;
  // A derived link whose notifications must still run while it leaves its
  // data source detaches in its own destructor.
  ~TDataLink() override;

  TDataSource* DataSource() const { return source_; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;
  // A data source is set, enabled, and its dataset is open.
  bool Active() const { return active_; }
  // Active, and the dataset is editing or inserting.
  bool Editing() const { return editing_; }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);
  bool VisualControl() const { return visual_control_; }
  void SetVisualControl(bool visual_control) { visual_control_ = visual_control; }
  bool DataSourceFixed() const { return data_source_fixed_; }
  void SetDataSourceFixed(bool fixed) { data_source_fixed_ = fixed; }

  // The place in the window of the record fields read now.
  int32_t ActiveRecord() const;
  // Lets fields read the window's record `index` (the cursor does not
  // move); setting the cursor's own index back returns to it.
  void SetActiveRecord(int32_t index);
  int32_t BufferCount() const { return buffer_count_; }
  // Values below 1 count as 1.
  void SetBufferCount(int32_t count);
  // Records in the window (fewer than BufferCount near the end).
  int32_t RecordCount() const;

  // Starts editing through the data source unless the link is read-only;
  // answers whether the dataset edits now.
  bool Edit();
  // Writes the control's value into the record (UpdateData).
  void UpdateRecord();
  bool Bof() const;
  bool Eof() const;
  int32_t MoveBy(int32_t distance);

  // Called by the data source; derived links call the base after their
  // own handling.
  virtual void DataEvent(TDataEvent event, TDataEventInfo info);
  // Follows the data source's state (the data source calls it).
  void UpdateState();

 protected:
  virtual void ActiveChanged() {}
  virtual void CheckBrowseMode() {}
  // The base treats every change as a change of the whole record.
  virtual void DataSetChanged() { RecordChanged(nullptr); }
  virtual void DataSetScrolled(int32_t /*distance*/) { DataSetChanged(); }
  virtual void EditingChanged() {}
  virtual void FocusControl(TField*& /*field*/) {}
  virtual void LayoutChanged() { DataSetChanged(); }
  virtual void RecordChanged(TField* /*field*/) {}
  virtual void UpdateData() {}

 private:
  friend class TDataSource;
  // Moves the window so that it holds the cursor and is as full as the
  // records allow; answers how far it moved.
  int32_t FitWindow();
  void DataSourceGone();

  TDataSource* source_ = nullptr;
  int32_t first_ = 0;
  int32_t buffer_count_ = 1;
  bool active_ = false;
  bool editing_ = false;
  bool read_only_ = false;
  bool updating_ = false;
  bool visual_control_ = false;
  bool data_source_fixed_ = false;
};
