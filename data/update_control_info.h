#pragma once
// Change descriptors: what a controller hands its owning view to say what
// changed, so that the view redraws only that. The view switches on the
// class.

#include <cstdint>
#include <vector>

#include "platform/rtl/object.h"

class TlxUpdateControlInfo : public TObject {
 public:
  static constexpr TClass kClass{"TlxUpdateControlInfo", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
};

class TlxFocusedRecordChangedInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxFocusedRecordChangedInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxFocusedRecordChangedInfo(int32_t previous_record, int32_t record, int32_t row, int32_t previous_row,
                              bool previous_focus_changed)
      : PrevFocusedRecordIndex(previous_record),
        FocusedRecordIndex(record),
        FocusedRowIndex(row),
        PrevFocusedRowIndex(previous_row),
        PrevFocusChanged(previous_focus_changed) {}
  int32_t PrevFocusedRecordIndex;
  int32_t FocusedRecordIndex;
  int32_t FocusedRowIndex;
  int32_t PrevFocusedRowIndex;
  // The focus moved although record and level compare equal (leaving the
  // new-item row, for one).
  bool PrevFocusChanged;
};

class TlxFocusedRowChangedInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxFocusedRowChangedInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxFocusedRowChangedInfo(int32_t previous_row, int32_t row) : FocusedRowIndex(row), PrevFocusedRowIndex(previous_row) {}
  int32_t FocusedRowIndex;
  int32_t PrevFocusedRowIndex;
};

class TlxGroupingChangingInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxGroupingChangingInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
};

class TlxLayoutChangedInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxLayoutChangedInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
};

class TlxUpdateRecordInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxUpdateRecordInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  explicit TlxUpdateRecordInfo(int32_t record) : RecordIndex(record) {}
  int32_t RecordIndex;
};

class TlxDataChangedInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxDataChangedInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxDataChangedInfo(int32_t kind, int32_t item, int32_t record) : Kind(kind), ItemIndex(item), RecordIndex(record) {}
  int32_t Kind;
  int32_t ItemIndex;
  int32_t RecordIndex;
};

class TlxBookmarkChangedInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxBookmarkChangedInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
};

class TlxSelectionChangedInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxSelectionChangedInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxSelectionChangedInfo() = default;
  // The rows form: row 1 unless -1, row 2 unless -1 or equal to row 1.
  TlxSelectionChangedInfo(int32_t row1, int32_t row2) {
    if (row1 != -1)
      rows_.push_back(row1);
    if (row2 != -1 && row2 != row1)
      rows_.push_back(row2);
  }
  int32_t RowIndexCount() const { return static_cast<int32_t>(rows_.size()); }
  int32_t RowIndexAt(int32_t position) const { return rows_.at(static_cast<size_t>(position)); }

 private:
  std::vector<int32_t> rows_;
};

class TlxSearchChangedInfo : public TlxUpdateControlInfo {
 public:
  static constexpr TClass kClass{"TlxSearchChangedInfo", &TlxUpdateControlInfo::kClass};
  const TClass* ClassType() const override { return &kClass; }
};
