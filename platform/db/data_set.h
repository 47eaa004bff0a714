#pragma once
// TDataSet: a cursor over records with fields, a state machine (inactive,
// browse, edit, insert, ...), bookmarks, locating, filtering and the data
// events that data sources pass on to data links.
//
// The records live in a TRecordStore that a descendant (TClientDataSet)
// provides when the dataset opens. Positions count from 0 in the cursor's
// order (the filtered order while a filter applies); RecNo counts from 1.
//
// Notifications, in the order they reach the links of every data source:
//   Open        state change (links: active changed)
//   Close       state change (links: active changed)
//   First, Last, Next, Prior, MoveBy, RecNo, GotoBookmark, Locate
//               data set scrolled, with the distance the cursor moved
//   Edit        state change (editing changed), record changed
//   Insert, Append
//               state change (editing changed), OnNewRecord, data set changed
//   field write record changed with the field
//   Post        update data, check browse mode, state change, data set changed
//   Cancel      check browse mode, state change, data set changed
//   Delete      check browse mode, (state change), data set changed
//   EmptyDataSet, filter changes, Refresh
//               data set changed
// While controls are disabled nothing is sent; the last EnableControls sends
// a state change when the state differs from the one at the first
// DisableControls, then one data set changed (layout changed when a layout
// change was held back) while the dataset is open.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/db/db_types.h"
#include "platform/db/field.h"
#include "platform/db/field_defs.h"
#include "platform/db/fields.h"
#include "platform/db/record_layout.h"
#include "platform/rtl/component.h"
#include "platform/rtl/update_batch.h"
#include "platform/rtl/variant.h"

class TDataSource;
class TRecordStore;
class TFilterExpression;

class TDataSet;
using TDataSetNotifyEvent = std::function<void(TDataSet* dataset)>;
using TFilterRecordEvent = std::function<void(TDataSet* dataset, bool& accept)>;

class TDataSet : public TComponent {
 public:
  static constexpr TClass kClass{"TDataSet", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TDataSet(TComponent* owner);
  ~TDataSet() override;

  // --- Opening and closing
  bool Active() const { return state_ != dsInactive; }
  void SetActive(bool active);
  void Open() { SetActive(true); }
  void Close() { SetActive(false); }
  TDataSetState State() const { return state_; }

  // --- Fields
  TFields& Fields() { return fields_; }
  const TFields& Fields() const { return fields_; }
  TFieldDefs& FieldDefs() { return field_defs_; }
  const TFieldDefs& FieldDefs() const { return field_defs_; }
  // Aggregate fields are listed apart from the record's fields.
  TFields& AggFields() { return agg_fields_; }
  const TFields& AggFields() const { return agg_fields_; }
  int32_t FieldCount() const { return fields_.Count(); }
  // Case-insensitive; FieldByName raises "Field 'x' not found".
  TField* FindField(std::string_view name) const { return fields_.FindField(name); }
  TField* FieldByName(std::string_view name) const;
  // The fields named in `names` ("A;B"), in that order; raises for a name
  // that is not a field.
  void GetFieldList(std::vector<TField*>& list, std::string_view names) const;
  std::vector<TField*> GetFieldList(std::string_view names) const;
  // True when the fields were made from the field definitions at opening
  // (and are freed at closing) rather than defined in code.
  bool DefaultFields() const { return default_fields_; }

  // --- Navigation
  void First();
  void Last();
  void Next() { MoveBy(1); }
  void Prior() { MoveBy(-1); }
  // Answers the distance actually moved.
  int32_t MoveBy(int32_t distance);
  bool Bof() const { return bof_; }
  bool Eof() const { return eof_; }
  // 1-based number of the current record; 0 when empty, -1 while a new
  // record is being inserted. Setting it moves to that record (clamped to
  // the first and the last one).
  int32_t RecNo() const;
  void SetRecNo(int32_t number);
  int32_t RecordCount() const;
  bool IsEmpty() const;
  bool IsSequenced() const { return true; }
  bool IsUnidirectional() const { return false; }

  // --- Editing
  void Append();
  void Insert();
  // On an empty dataset Edit starts an insert, as a control typing into an
  // empty list expects.
  void Edit();
  void Post();
  void Cancel();
  void Delete();
  // Ends a pending edit: posts it when modified, else cancels it.
  void CheckBrowseMode();
  // Asks the controls to write their pending values into the record.
  void UpdateRecord();
  // Sets every field of the working copy to null.
  void ClearFields();
  bool Modified() const { return modified_; }
  virtual bool CanModify() const { return Active() && !read_only_; }
  bool ReadOnly() const { return read_only_; }
  void SetReadOnly(bool read_only);
  // Shows the stored records again (drops a pending edit's changes first).
  void Refresh();

  // --- Bookmarks
  TBookmark Bookmark() const { return GetBookmark(); }
  void SetBookmark(const TBookmark& bookmark) { GotoBookmark(bookmark); }
  // The current record's bookmark; empty when there is none.
  TBookmark GetBookmark() const;
  // Raises "Record not found" for a record that is gone or filtered out,
  // and "Bookmark belongs to another dataset" / "Invalid bookmark" for a
  // bookmark this dataset never gave.
  void GotoBookmark(const TBookmark& bookmark);
  bool BookmarkValid(const TBookmark& bookmark) const;
  // Negative, 0 or positive by the records' order; an empty bookmark comes
  // first.
  int32_t CompareBookmarks(const TBookmark& a, const TBookmark& b) const;
  void FreeBookmark(TBookmark& bookmark) { bookmark.clear(); }

  // --- Searching
  // Moves to the first record whose fields match `key_values` (a single
  // value for one field, a variant array for several). Null matches null.
  bool Locate(std::string_view key_fields, const Variant& key_values, TLocateOptions options);
  // The value of `result_fields` (an array for several) of the first
  // matching record, or null; the cursor does not move.
  Variant Lookup(std::string_view key_fields, const Variant& key_values, std::string_view result_fields);

  // --- Filtering
  // An expression over the fields: comparisons (= <> < > <= >=), LIKE,
  // BETWEEN, IN, IS [NOT] NULL, AND, OR, NOT, parentheses, field names
  // plain or in [brackets], quoted texts, numbers, NULL, TRUE and FALSE.
  // A text that does not parse raises EDatabaseError when the filter
  // would apply.
  const std::string& Filter() const { return filter_text_; }
  void SetFilter(const std::string& text);
  bool Filtered() const { return filtered_; }
  void SetFiltered(bool filtered);
  TFilterOptions FilterOptions() const { return filter_options_; }
  void SetFilterOptions(TFilterOptions options);
  const TFilterRecordEvent& OnFilterRecord() const { return on_filter_record_; }
  void SetOnFilterRecord(TFilterRecordEvent handler);

  // --- Controls
  void DisableControls();
  void EnableControls();
  bool ControlsDisabled() const { return controls_disabled_.Updating(); }

  // --- Relations with other datasets
  // The master's data source for a detail dataset; none here.
  virtual TDataSource* GetDataSource() const { return nullptr; }
  // The field of a master dataset that nests this one; none here.
  virtual TField* DataSetField() const { return nullptr; }

  // --- Events
  TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
  TDataSetNotifyEvent BeforeInsert, AfterInsert, BeforeEdit, AfterEdit;
  TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
  TDataSetNotifyEvent BeforeDelete, AfterDelete, BeforeScroll, AfterScroll;
  TDataSetNotifyEvent OnNewRecord, OnCalcFields;

  // --- For fields, data sources and data links
  // The record fields read: the cursor's record, the working copy while
  // editing, or a record selected for display; null when there is none.
  const std::byte* ActiveBlock() const { return active_block_; }
  const TRecordLayout& Layout() const { return *layout_; }
  // The working copy a field may write into (raises when not editing or
  // when the field cannot be written now).
  std::byte* BeginFieldWrite(TField* field);
  // A field wrote into the working copy: marks the record modified, fires
  // OnChange and the record-changed notification.
  void FieldWritten(TField* field, std::byte* block);
  // A scratch copy used to restore a field's value when OnValidate fails.
  std::byte* ScratchBlock() { return scratch_.Data(); }

  void AddDataSource(TDataSource* source);
  void RemoveDataSource(TDataSource* source);
  // Sends an event to every data source (unless controls are disabled).
  void DataEvent(TDataEvent event, TDataEventInfo info);
  // Records a data link window counts: the cursor's record in the display
  // order (which holds the record being inserted at its place), and the
  // number of records in it.
  int32_t DisplayCount() const;
  int32_t DisplayCursor() const;
  // The display position of the record fields read now.
  int32_t ActiveDisplayPosition() const { return active_display_; }
  // Lets fields read the record at a display position without moving the
  // cursor (a data link's ActiveRecord); out-of-range positions are ignored.
  void SelectDisplayRecord(int32_t display_position);

  // Field list maintenance, for TField: the list may change only while the
  // dataset is closed (EDatabaseError otherwise).
  void CheckFieldListChange() const;
  void FieldAdded(TField* field);
  void FieldRemoved(TField* field);
  // The dataset's serial number, part of every bookmark it gives.
  uint64_t Serial() const { return serial_; }

 protected:
  // The descendant prepares its record store (Store() answers it while the
  // dataset is open) and drops it.
  virtual void InternalOpen() = 0;
  virtual void InternalClose() = 0;
  virtual TRecordStore& Store() const = 0;
  // A new record's initial values (auto-increment keys, say).
  virtual void InternalInitRecord(std::byte* /*block*/) {}
  // Called for every record before it is stored by Post.
  virtual void InternalBeforeStore(std::byte* /*block*/, bool /*inserting*/) {}

  virtual void DoBeforeOpen();
  virtual void DoAfterOpen();
  virtual void DoBeforeClose();
  virtual void DoAfterClose();
  virtual void DoBeforeInsert();
  virtual void DoAfterInsert();
  virtual void DoBeforeEdit();
  virtual void DoAfterEdit();
  virtual void DoBeforePost();
  virtual void DoAfterPost();
  virtual void DoBeforeCancel();
  virtual void DoAfterCancel();
  virtual void DoBeforeDelete();
  virtual void DoAfterDelete();
  virtual void DoBeforeScroll();
  virtual void DoAfterScroll();
  virtual void DoOnNewRecord();
  virtual void DoOnCalcFields();

  void CheckActive() const;
  void CheckInactive() const;
  void CheckCanModify() const;
  // Every record is gone (EmptyDataSet): the cursor is reset and the links
  // are told.
  void AfterStoreEmptied();

 private:
  friend class TTemporaryRecord;

  void OpenCursor();
  void CloseCursor();
  void CreateDefaultFields();
  void DestroyDefaultFields();
  void BindFields();
  void UnbindFields();
  void SetState(TDataSetState state);
  // Puts the cursor on a position (-1: no record) and reads its record.
  void MoveCursor(int32_t position);
  void ReadActiveRecord();
  void CalculateFields(std::byte* block);
  void BeginInsertAppend(bool append);
  // Moves the cursor with the scroll events; keep_flags leaves Bof and Eof
  // as the caller set them, else both are cleared.
  void ScrollTo(int32_t position, bool keep_flags);
  void CheckRequiredFields() const;
  void StorePendingRecord();
  // The open store, without a virtual call on the hot paths.
  TRecordStore& Records() const { return *records_; }
  // Filter support.
  bool FilterActive() const;
  bool RecordPassesFilter(std::byte* block);
  void ApplyFilterChange();
  void CompileFilter();
  // Locate support.
  int32_t FindRecord(const std::vector<TField*>& fields, const Variant& values, TLocateOptions options);
  int32_t PositionOfBookmark(const TBookmark& bookmark) const;

  TFields fields_;
  TFields agg_fields_;
  TFieldDefs field_defs_;
  std::unique_ptr<TRecordLayout> layout_;
  TRecordBuffer edit_buffer_;
  TRecordBuffer scratch_;
  std::vector<TDataSource*> data_sources_;
  TRecordStore* records_ = nullptr;

  TDataSetState state_ = dsInactive;
  // Cursor: position in the store's sequence, -1 when there is no record.
  int32_t position_ = -1;
  bool bof_ = true;
  bool eof_ = true;
  const std::byte* active_block_ = nullptr;
  int32_t active_display_ = -1;
  // While inserting: where the new record shows, and where the cursor was.
  int32_t insert_position_ = -1;
  int32_t position_before_insert_ = -1;
  bool modified_ = false;
  bool read_only_ = false;
  bool default_fields_ = false;
  bool has_calculated_fields_ = false;

  // DisableControls brackets; closing the last sends what was held back.
  TUpdateBatch controls_disabled_{TUpdateBatch::kUpdateAlways};
  TDataSetState disable_state_ = dsInactive;
  TDataEvent enable_event_ = deDataSetChange;

  std::string filter_text_;
  bool filtered_ = false;
  TFilterOptions filter_options_;
  TFilterRecordEvent on_filter_record_;
  std::unique_ptr<TFilterExpression> filter_expression_;

  uint64_t serial_;
};
