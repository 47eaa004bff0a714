#pragma once
// The kinds of change a view hands to its grid's queue: layout, size and
// repaint of a view or the whole grid; data, one record, the focused record
// and the control focus. Each says which other change covers it, so that the
// queue's merge keeps only the broadest work. Included only from Windows
// sources.

#include <cstdint>
#include <memory>

#include "grid/grid_change.h"
#include "platform/rtl/geometry.h"

class TlxCustomGridRecord;
class TlxCustomGridTableItem;
class TlxCustomGridTableView;
class TlxCustomGridView;
class TlxRegion;

class TlxCustomGridViewChange : public TlxCustomGridChange {
 public:
  static constexpr TClass kClass{"TlxCustomGridViewChange", &TlxCustomGridChange::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // A null view stands for the whole grid.
  explicit TlxCustomGridViewChange(TlxCustomGridView* grid_view) : grid_view_(grid_view) {}
  TlxCustomGridView* GridView() const { return grid_view_; }
  bool IsEqual(const TlxCustomGridChange& other) const override;

 protected:
  // The view of another change of this family, or null for the whole grid;
  // `is_view_change` tells whether the other change is one at all.
  static TlxCustomGridView* ViewOf(const TlxCustomGridChange& change, bool& is_view_change);

 private:
  TlxCustomGridView* grid_view_;
};

class TlxGridLayoutChange : public TlxCustomGridViewChange {
 public:
  static constexpr TClass kClass{"TlxGridLayoutChange", &TlxCustomGridViewChange::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewChange::TlxCustomGridViewChange;

  void Execute() override;
  bool IsCoveredBy(const TlxCustomGridChange& other) const override;
};

class TlxGridSizeChange : public TlxCustomGridViewChange {
 public:
  static constexpr TClass kClass{"TlxGridSizeChange", &TlxCustomGridViewChange::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxGridSizeChange(TlxCustomGridView* grid_view, bool keep_master_cache, bool view_only)
      : TlxCustomGridViewChange(grid_view), keep_master_cache_(keep_master_cache), view_only_(view_only) {}
  bool KeepMasterCache() const { return keep_master_cache_; }
  bool ViewOnly() const { return view_only_; }

  void Execute() override;
  bool IsCoveredBy(const TlxCustomGridChange& other) const override;
  bool IsEqual(const TlxCustomGridChange& other) const override;

 private:
  bool keep_master_cache_;
  bool view_only_;
};

// A repaint of a rectangle, a region (copied) or the whole view.
class TlxGridViewChange : public TlxCustomGridViewChange {
 public:
  static constexpr TClass kClass{"TlxGridViewChange", &TlxCustomGridViewChange::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridViewChange(TlxCustomGridView* grid_view);
  TlxGridViewChange(TlxCustomGridView* grid_view, const TRect& rect);
  TlxGridViewChange(TlxCustomGridView* grid_view, const TlxRegion& region);
  ~TlxGridViewChange() override;

  const TRect& Rect() const { return rect_; }
  TlxRegion* Region() const { return region_.get(); }

  void Execute() override;
  bool IsCoveredBy(const TlxCustomGridChange& other) const override;
  bool IsEqual(const TlxCustomGridChange& other) const override;

 private:
  TRect rect_;
  std::unique_ptr<TlxRegion> region_;
};

class TlxGridControlFocusChange : public TlxCustomGridViewChange {
 public:
  static constexpr TClass kClass{"TlxGridControlFocusChange", &TlxCustomGridViewChange::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewChange::TlxCustomGridViewChange;

  void Execute() override;
};

// Never queued: a data change resizes the records at once.
class TlxGridDataChange : public TlxCustomGridViewChange {
 public:
  static constexpr TClass kClass{"TlxGridDataChange", &TlxCustomGridViewChange::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewChange::TlxCustomGridViewChange;

  void Execute() override;
  bool CanQueue() const override { return false; }
};

class TlxGridRecordChange : public TlxCustomGridViewChange {
 public:
  static constexpr TClass kClass{"TlxGridRecordChange", &TlxCustomGridViewChange::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxGridRecordChange(TlxCustomGridView* grid_view, TlxCustomGridTableItem* item, int32_t record_index,
                      TlxCustomGridRecord* grid_record)
      : TlxCustomGridViewChange(grid_view), item_(item), record_index_(record_index), grid_record_(grid_record) {}
  TlxCustomGridTableItem* Item() const { return item_; }
  int32_t RecordIndex() const { return record_index_; }
  TlxCustomGridRecord* GridRecord() const { return grid_record_; }

  void Execute() override;
  bool IsCoveredBy(const TlxCustomGridChange& other) const override;
  bool IsEqual(const TlxCustomGridChange& other) const override;

 private:
  TlxCustomGridTableItem* item_;
  int32_t record_index_;
  TlxCustomGridRecord* grid_record_;
};

// Runs unlocked, so the records it repaints are placed already.
class TlxGridFocusedRecordChange : public TlxCustomGridViewChange {
 public:
  static constexpr TClass kClass{"TlxGridFocusedRecordChange", &TlxCustomGridViewChange::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TlxGridFocusedRecordChange(TlxCustomGridTableView* grid_view, bool new_item_record_focusing_changed,
                             int32_t focused_record_index, int32_t prev_focused_record_index);
  int32_t PrevFocusedRecordIndex() const { return prev_focused_record_index_; }
  int32_t FocusedRecordIndex() const { return focused_record_index_; }
  bool NewItemRecordFocusingChanged() const { return new_item_record_focusing_changed_; }

  bool RunsLocked() const override { return false; }
  void Execute() override;

 private:
  int32_t prev_focused_record_index_;
  int32_t focused_record_index_;
  bool new_item_record_focusing_changed_;
};
