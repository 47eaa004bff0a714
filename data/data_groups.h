#pragma once
// The group tree over the filtered, sorted record list: one group info per
// group of every level, in pre-order (each group followed by its whole
// subtree), and the mapping between view rows and groups or records.

#include <cstdint>
#include <vector>

#include "platform/rtl/variant.h"

class TlxCustomDataField;

struct TlxDataGroupInfo {
  // A hidden group (under a collapsed ancestor) carries its drawn
  // ancestor's row.
  int32_t RowIndex = 0;
  bool Expanded = false;
  int32_t Level = 0;
  // Deepest level: record-list positions of the first and last record;
  // other levels: group indexes of the first child and the last descendant.
  int32_t BeginIndex = 0;
  int32_t EndIndex = 0;
  Variant SummaryValues;
};

class TlxDataGroups {
 public:
  int32_t LevelCount() const { return static_cast<int32_t>(fields_.size()); }
  TlxCustomDataField* FieldAt(int32_t level) const { return fields_.at(static_cast<size_t>(level)); }
  void AddField(TlxCustomDataField* field) { fields_.push_back(field); }

  int32_t Count() const { return static_cast<int32_t>(infos_.size()); }
  TlxDataGroupInfo& ItemAt(int32_t group) { return infos_.at(static_cast<size_t>(group)); }
  const TlxDataGroupInfo& ItemAt(int32_t group) const { return infos_.at(static_cast<size_t>(group)); }
  int32_t AddGroupInfo(const TlxDataGroupInfo& info);
  void Clear();

  // The group drawn at the row, -1 for a data row; `nearest` is the group
  // info before the row (for a data row the deepest expanded group it is in).
  int32_t Find(int32_t row, int32_t& nearest) const;
  int32_t ResolveVisible(int32_t group) const;
  int32_t GroupIndexByRowIndex(int32_t row) const { return FindGroupIndex(row, -1); }
  int32_t FindGroupIndex(int32_t row, int32_t level) const;
  int32_t LevelOf(int32_t group) const;
  bool IsDeepest(int32_t group) const { return ItemAt(group).Level == LevelCount() - 1; }
  int32_t ChildCount(int32_t group) const;
  int32_t ChildGroupIndex(int32_t group, int32_t n) const;
  int32_t ChildRecordListIndex(int32_t group, int32_t n) const;
  int32_t FirstRecordListIndex(int32_t group) const;
  int32_t LastRecordListIndex(int32_t group) const;
  int32_t TopLevelCount() const { return ChildCount(-1); }
  int32_t TopLevelGroupIndex(int32_t n) const { return ChildGroupIndex(-1, n); }
  int32_t FindGroupForRecordListIndex(int32_t position, int32_t level) const;
  int32_t DeepestGroupOf(int32_t position) const { return FindGroupForRecordListIndex(position, LevelCount() - 1); }
  int32_t ParentOf(int32_t group) const;
  bool IsVisible(int32_t group) const { return ResolveVisible(group) == group; }
  int32_t GetRowCount() const;
  // Group row: level, expanded flag and its first record's position; data
  // row: the level count and the record's position.
  void GetRowInfo(int32_t row, int32_t& level, bool& expanded, int32_t& record_list_index) const;
  void ChangeExpanding(int32_t row, bool expanded, bool recursive);
  void SetAllExpanded(bool expanded);
  bool ExpandParents(int32_t group, bool expand_self);
  void RecalcRowIndexes();

 private:
  std::vector<TlxCustomDataField*> fields_;
  std::vector<TlxDataGroupInfo> infos_;
};
