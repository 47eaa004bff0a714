#pragma once
// A record-based view for the layout tests: the real table view with rows
// of a fixed height laid out from the top record, whose records are rows
// drawn as plain cells or made of data cells, one per visible item.

#include <memory>
#include <string>
#include <vector>

#include "grid/grid_data_controller_win.h"
#include "grid/grid_records_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/table_cells_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_info_win.h"
#include "grid/table_view_win.h"

namespace table_view_info_test {

constexpr int32_t kRowHeight = 20;

// Rows draw like plain cells; the record painter keeps them out of the
// view's background.
class TRowPainter : public TlxCustomGridRecordPainter {
 public:
  static constexpr TClass kClass{"TRowPainter", &TlxCustomGridRecordPainter::kClass, &ConstructInstance<TRowPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordPainter::TlxCustomGridRecordPainter;
  void DoPaint() override { TlxCustomGridCellPainter::DoPaint(); }
  void DrawBackground() override { TlxCustomGridCellPainter::DrawBackground(); }
};

// A row: a band in a colour of its own with the file name in black.
class TRowViewInfo : public TlxCustomGridRecordViewInfo {
 public:
  static constexpr TClass kClass{"TRowViewInfo", &TlxCustomGridRecordViewInfo::kClass,
                                 &ConstructInstance<TRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordViewInfo::TlxCustomGridRecordViewInfo;

  int32_t CalculateHeight() override { return kRowHeight; }
  int32_t CalculateWidth() override { return RecordsViewInfo()->RecordsBounds.Width(); }
  void GetViewParams(TlxPaintParams& params) override {
    static constexpr TColor kColors[] = {clWhite, clYellow, clAqua};
    params.Color = kColors[GridRecord()->RecordIndex() % 3];
    params.TextColor = clBlack;
  }
  void GetText(std::string& text) override { text = GridRecord()->GetDisplayText(0); }
  const TClass* GetPainterClass() const override { return &TRowPainter::kClass; }
  // An expandable row has its button in the first 16 pixels.
  void GetExpandButtonAreaBounds(TRect& rect) override {
    rect = TRect(BoundsRect.Left, BoundsRect.Top, BoundsRect.Left + 16, BoundsRect.Bottom);
  }
  void CalculateExpandButtonBounds(TRect& rect) override { GetExpandButtonAreaBounds(rect); }
};

class TRowsViewInfo : public TlxCustomGridRecordsViewInfo {
 public:
  static constexpr TClass kClass{"TRowsViewInfo", &TlxCustomGridRecordsViewInfo::kClass,
                                 &ConstructInstance<TRowsViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordsViewInfo::TlxCustomGridRecordsViewInfo;

  void Calculate() override {
    TlxCustomGridRecordsViewInfo::Calculate();
    ClearItems();
    for (int32_t i = 0; i < MaxItemCount() && GetRowTop(i) < RecordsBounds.Bottom; ++i)
      CalculateItem(Item(i), i);
    CalculateVisibleCount();
  }
  void CalculateVisibleCount() override { VisibleCount = Count(); }
  int32_t GetRowLeft(int32_t /*index*/) override { return RecordsBounds.Left; }
  int32_t GetRowTop(int32_t index) override { return RecordsBounds.Top + index * kRowHeight; }
  int32_t GetRowsHeightDelta(int32_t count) override { return -count * kRowHeight; }
  void OffsetRow(int32_t index, int32_t dy) override {
    if (TlxCustomGridRecordViewInfo* item = ExistingItem(index))
      item->DoOffset(0, dy);
  }
};

class TTestTableViewInfo : public TlxCustomGridTableViewInfo {
 public:
  static constexpr TClass kClass{"TTestTableViewInfo", &TlxCustomGridTableViewInfo::kClass,
                                 &ConstructInstance<TTestTableViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewInfo::TlxCustomGridTableViewInfo;
  const TClass* GetRecordsViewInfoClass() const override { return &TRowsViewInfo::kClass; }
};

class TTableItem : public TlxCustomGridTableItem {
 public:
  static constexpr TClass kClass{"TInfoTableItem", &TlxCustomGridTableItem::kClass, &ConstructInstance<TTableItem>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TTableItem(TComponent* owner) : TlxCustomGridTableItem(owner) {}
};

// A row made of data cells, one per visible item, each as wide as its item.
class TDataRowViewInfo : public TlxCustomGridRecordViewInfo {
 public:
  static constexpr TClass kClass{"TDataRowViewInfo", &TlxCustomGridRecordViewInfo::kClass,
                                 &ConstructInstance<TDataRowViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordViewInfo::TlxCustomGridRecordViewInfo;

  int32_t CalculateHeight() override { return kRowHeight; }
  int32_t CalculateWidth() override { return RecordsViewInfo()->RecordsBounds.Width(); }
  void Calculate(int32_t left, int32_t top, int32_t width, int32_t height) override {
    TlxCustomGridRecordViewInfo::Calculate(left, top, width, height);
    cells.clear();
    int32_t x = left;
    for (int32_t i = 0; i < GridView()->VisibleItemCount(); ++i) {
      TlxCustomGridTableItem* item = GridView()->VisibleItems(i);
      cells.push_back(std::make_unique<TlxGridTableDataCellViewInfo>(this, item));
      cells.back()->Calculate(x, top, item->Width(), height);
      x += item->Width();
    }
  }
  void Offset(int32_t dx, int32_t dy) override {
    TlxCustomGridRecordViewInfo::Offset(dx, dy);
    for (const std::unique_ptr<TlxGridTableDataCellViewInfo>& cell : cells)
      cell->DoOffset(dx, dy);
  }
  TlxCustomGridHitTest* GetHitTest(const TPoint& point) override {
    for (const std::unique_ptr<TlxGridTableDataCellViewInfo>& cell : cells)
      if (TlxCustomGridHitTest* hit_test = cell->GetHitTest(point))
        return hit_test;
    return TlxCustomGridRecordViewInfo::GetHitTest(point);
  }
  const TClass* GetPainterClass() const override;

  std::vector<std::unique_ptr<TlxGridTableDataCellViewInfo>> cells;
};

class TDataRowPainter : public TlxCustomGridRecordPainter {
 public:
  static constexpr TClass kClass{"TDataRowPainter", &TlxCustomGridRecordPainter::kClass,
                                 &ConstructInstance<TDataRowPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecordPainter::TlxCustomGridRecordPainter;
  void DoPaint() override {
    for (const std::unique_ptr<TlxGridTableDataCellViewInfo>& cell : static_cast<TDataRowViewInfo&>(ViewInfo()).cells)
      cell->Paint(&Canvas());
  }
};

inline const TClass* TDataRowViewInfo::GetPainterClass() const { return &TDataRowPainter::kClass; }

class TRowRecord : public TlxCustomGridRecord {
 public:
  static constexpr TClass kClass{"TRowRecord", &TlxCustomGridRecord::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridRecord::TlxCustomGridRecord;
  bool GetHasCells() const override { return true; }
  const TClass* GetViewInfoCacheItemClass() const override { return &TlxCustomGridTableViewInfoCacheItem::kClass; }
  const TClass* GetViewInfoClass() const override;
  bool GetExpandable() const override;
  void ToggleExpanded() override;
};

class TRowViewData : public TlxCustomGridTableViewData {
 public:
  static constexpr TClass kClass{"TRowViewData", &TlxCustomGridTableViewData::kClass,
                                 &ConstructInstance<TRowViewData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTableViewData::TlxCustomGridTableViewData;
  const TClass* GetRecordClass(const TlxRowInfo& /*row_info*/) const override { return &TRowRecord::kClass; }

 protected:
  std::unique_ptr<TlxCustomGridRecord> CreateRecordOfClass(const TClass* /*record_class*/, const TlxRowInfo& row_info,
                                                           int32_t index) override {
    return std::make_unique<TRowRecord>(this, row_info, index);
  }
};

// The table painter, recording the record shifts it is asked to scroll by.
class TScrollRecordingPainter : public TlxCustomGridTablePainter {
 public:
  static constexpr TClass kClass{"TScrollRecordingPainter", &TlxCustomGridTablePainter::kClass,
                                 &ConstructInstance<TScrollRecordingPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridTablePainter::TlxCustomGridTablePainter;
  void ScrollRecords(int32_t dy) override {
    record_shifts.push_back(dy);
    TlxCustomGridTablePainter::ScrollRecords(dy);
  }
  std::vector<int32_t> record_shifts;
};

class TInfoTableView : public TlxCustomGridTableView {
 public:
  static constexpr TClass kClass{"TInfoTableView", &TlxCustomGridTableView::kClass,
                                 &lxConstructGridView<TInfoTableView>};
  const TClass* ClassType() const override { return &kClass; }
  explicit TInfoTableView(TComponent* owner) : TlxCustomGridTableView(owner) {}

  const TClass* GetItemClass() const override { return &TTableItem::kClass; }
  const TClass* GetControllerClass() const override { return &TlxCustomGridController::kClass; }
  const TClass* GetDataControllerClass() const override { return &TlxGridDataController::kClass; }
  const TClass* GetPainterClass() const override { return &TScrollRecordingPainter::kClass; }
  const TClass* GetViewDataClass() const override { return &TRowViewData::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TlxCustomGridTableViewInfoCache::kClass; }
  const TClass* GetViewInfoClass() const override { return &TTestTableViewInfo::kClass; }

  // What the rows are made of: plain cells or data cells.
  const TClass* row_class = &TRowViewInfo::kClass;
  bool expandable_rows = false;
  // Indexes of the records whose expanded state was toggled.
  std::vector<int32_t> toggled;
};

inline const TClass* TRowRecord::GetViewInfoClass() const {
  return static_cast<TInfoTableView*>(GridView())->row_class;
}

inline bool TRowRecord::GetExpandable() const { return static_cast<TInfoTableView*>(GridView())->expandable_rows; }

inline void TRowRecord::ToggleExpanded() { static_cast<TInfoTableView*>(GridView())->toggled.push_back(Index()); }

}  // namespace table_view_info_test
