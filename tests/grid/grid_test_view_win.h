#pragma once
// A small view for the grid framework's tests: the real data controller,
// the framework's site and painter, and parts that record what the grid
// asks of them (calculations, paints, input), so tests watch the change
// queue, the site and the focus without a full table view.

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "grid/grid_changes_win.h"
#include "grid/grid_control_win.h"
#include "grid/grid_level_win.h"
#include "grid/grid_site_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_info_win.h"
#include "grid/grid_view_win.h"

namespace grid_test_view {

// What the parts of the test views did, in order.
struct Journal {
  std::vector<std::string> events;
  int calculations = 0;
  int paints = 0;
  std::function<void()> on_calculate;
  std::function<void()> on_key_down;

  int Count(const std::string& event) const {
    int count = 0;
    for (const std::string& entry : events)
      count += entry == event ? 1 : 0;
    return count;
  }
};

// The journal a view's parts write to: the view's own.
inline Journal& JournalOf(TlxCustomGridView* view);

class TTestController : public TlxCustomGridController {
 public:
  static constexpr TClass kClass{"TTestController", &TlxCustomGridController::kClass,
                                 &ConstructInstance<TTestController>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridController::TlxCustomGridController;

  void KeyDown(uint16_t& key, TShiftState /*shift*/) override {
    JournalOf(GridView()).events.push_back("key " + std::to_string(key));
  }
  void ViewFocused() override { JournalOf(GridView()).events.push_back("focused"); }
  void ViewLostFocus() override { JournalOf(GridView()).events.push_back("lost focus"); }
  void MouseDown(TMouseButton /*button*/, TShiftState /*shift*/, int32_t x, int32_t y) override {
    JournalOf(GridView()).events.push_back("mouse down " + std::to_string(x) + "," + std::to_string(y));
  }
  void ControlFocusChanged() override {
    JournalOf(GridView()).events.push_back("control focus");
    TlxCustomGridController::ControlFocusChanged();
  }
};

class TTestViewInfo : public TlxCustomGridViewInfo {
 public:
  static constexpr TClass kClass{"TTestViewInfo", &TlxCustomGridViewInfo::kClass, &ConstructInstance<TTestViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfo::TlxCustomGridViewInfo;

  void Calculate() override {
    TlxCustomGridViewInfo::Calculate();
    Journal& journal = JournalOf(GridView());
    ++journal.calculations;
    if (journal.on_calculate)
      journal.on_calculate();
  }
};

class TTestPainter : public TlxCustomGridPainter {
 public:
  static constexpr TClass kClass{"TTestPainter", &TlxCustomGridPainter::kClass, &ConstructInstance<TTestPainter>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridPainter::TlxCustomGridPainter;

  // A record-like cell: the top-left 20 x 20 pixels, painted red; the
  // background fills the rest of the site.
  void PaintContent() override {
    ++JournalOf(GridView()).paints;
    const TRect cell(0, 0, 20, 20);
    Canvas().FillRectColor(cell, clRed);
    ExcludeFromBackground(cell);
  }
};

class TTestViewData : public TlxCustomGridViewData {
 public:
  static constexpr TClass kClass{"TTestViewData", &TlxCustomGridViewData::kClass, &ConstructInstance<TTestViewData>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewData::TlxCustomGridViewData;
};

class TTestCacheItem : public TlxCustomGridViewInfoCacheItem {
 public:
  static constexpr TClass kClass{"TTestCacheItem", &TlxCustomGridViewInfoCacheItem::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfoCacheItem::TlxCustomGridViewInfoCacheItem;

  void UnassignValues(bool keep_master) override {
    height = -1;
    last_keep_master = keep_master;
  }
  int32_t height = 0;
  bool last_keep_master = false;
};

class TTestViewInfoCache : public TlxCustomGridViewInfoCache {
 public:
  static constexpr TClass kClass{"TTestViewInfoCache", &TlxCustomGridViewInfoCache::kClass,
                                 &ConstructInstance<TTestViewInfoCache>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfoCache::TlxCustomGridViewInfoCache;

  const TClass* GetItemClass(int32_t /*index*/) const override { return &TTestCacheItem::kClass; }

 protected:
  std::unique_ptr<TlxCustomGridViewInfoCacheItem> CreateItem(const TClass* /*item_class*/, int32_t index) override {
    return std::make_unique<TTestCacheItem>(this, index);
  }
};

class TTestView : public TlxCustomGridView {
 public:
  static constexpr TClass kClass{"TTestView", &TlxCustomGridView::kClass, &lxConstructGridView<TTestView>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TTestView(TComponent* owner) : TlxCustomGridView(owner) {}

  const TClass* GetControllerClass() const override { return &TTestController::kClass; }
  const TClass* GetDataControllerClass() const override { return &TlxDataController::kClass; }
  const TClass* GetPainterClass() const override { return &TTestPainter::kClass; }
  const TClass* GetViewDataClass() const override { return &TTestViewData::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &TTestViewInfoCache::kClass; }
  const TClass* GetViewInfoClass() const override { return &TTestViewInfo::kClass; }

  void DoChanged(TlxGridViewChangeKind kind) override {
    TlxCustomGridView::DoChanged(kind);
    journal.events.push_back("changed " + std::to_string(kind));
  }

  Journal journal;
};

// While the framework's destructor runs, the test view's own members are gone
// but its parts still report (a focused view loses its focus on the way
// out): those reports go to a journal nobody reads.
inline Journal& JournalOf(TlxCustomGridView* view) {
  if (auto* test_view = dynamic_cast<TTestView*>(view))
    return test_view->journal;
  static Journal discarded;
  discarded = {};
  return discarded;
}

// A data change whose work the test watches: it records whether the view
// info was calculating when it ran.
class TCountingDataChange : public TlxGridDataChange {
 public:
  static constexpr TClass kClass{"TCountingDataChange", &TlxGridDataChange::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TCountingDataChange(TlxCustomGridView* view, std::vector<std::string>& log) : TlxGridDataChange(view), log_(log) {}
  void Execute() override {
    const bool calculating = GridView()->ViewInfo()->IsCalculating();
    log_.push_back(calculating ? "data change while calculating" : "data change");
  }

 private:
  std::vector<std::string>& log_;
};

}  // namespace grid_test_view
