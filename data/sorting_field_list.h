#pragma once
// Ordered (data field, sort order) lists: what the user sorted by, the
// grouping levels, and the total order one sort pass uses.

#include <cstdint>
#include <functional>
#include <vector>

#include "data/data_controller_types.h"

class TlxCustomDataField;

struct TlxSortingFieldEntry {
  TlxCustomDataField* Field = nullptr;
  TlxDataSortOrder SortOrder = soNone;
};

class TlxSortingFieldList {
 public:
  using TChangeCallback = std::function<void()>;

  TlxSortingFieldList() = default;
  virtual ~TlxSortingFieldList() = default;
  TlxSortingFieldList(const TlxSortingFieldList&) = delete;
  TlxSortingFieldList& operator=(const TlxSortingFieldList&) = delete;

  virtual void ApplySortOrder(TlxCustomDataField* field, TlxDataSortOrder order);

  void Add(TlxCustomDataField* field, TlxDataSortOrder order);
  void Insert(int32_t position, TlxCustomDataField* field, TlxDataSortOrder order);
  void Delete(int32_t position);
  void Clear();
  void Move(int32_t from, int32_t to);
  void SetSortOrderAt(int32_t position, TlxDataSortOrder order);
  void RemoveField(TlxCustomDataField* field);
  int32_t Find(const TlxCustomDataField* field) const;
  int32_t SortIndexOf(const TlxCustomDataField* field) const { return Find(field); }
  TlxDataSortOrder SortOrderOf(const TlxCustomDataField* field) const;
  void NotifyIfListed(const TlxCustomDataField* field);
  void ChangeSortIndex(TlxCustomDataField* field, int32_t position);
  void AddMissingFrom(const TlxSortingFieldList& other);
  int32_t Count() const { return static_cast<int32_t>(entries_.size()); }
  TlxSortingFieldEntry GetEntry(int32_t position) const { return entries_.at(static_cast<size_t>(position)); }
  const std::vector<TlxSortingFieldEntry>& Entries() const { return entries_; }
  void Changed();

  TChangeCallback OnChanged;

 private:
  std::vector<TlxSortingFieldEntry> entries_;
};

// The grouping levels, level 0 first; an entry always carries a real order.
class TlxGroupingFieldList : public TlxSortingFieldList {
 public:
  void ApplySortOrder(TlxCustomDataField* field, TlxDataSortOrder order) override;
  int32_t GroupIndexOf(const TlxCustomDataField* field) const { return Find(field); }
  void SyncSortOrders(const TlxSortingFieldList& sorting);
};
