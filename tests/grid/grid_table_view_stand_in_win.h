#pragma once
// Table views for the model tests of the table view: the real view, data,
// options, styles and columns, with the view framework's controller,
// painter and a plain view info in place of the table layout's, so that
// the model is tested on a real grid whatever the layout draws.

#include <memory>
#include <vector>

#include "grid/grid_db_table_view_win.h"
#include "grid/grid_table_view_win.h"
#include "grid/grid_view_controller_win.h"
#include "grid/grid_view_info_win.h"
#include "tests/grid/grid_test_view_win.h"

namespace grid_table_view_stand_in {

class TStandInViewInfo : public TlxCustomGridViewInfo {
 public:
  static constexpr TClass kClass{"TStandInViewInfo", &TlxCustomGridViewInfo::kClass,
                                 &ConstructInstance<TStandInViewInfo>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxCustomGridViewInfo::TlxCustomGridViewInfo;
};

// The change kinds the view was told, in order.
template <class View>
class TRecordingView : public View {
 public:
  using View::View;

  const TClass* GetControllerClass() const override { return &TlxCustomGridController::kClass; }
  const TClass* GetPainterClass() const override { return &TlxCustomGridPainter::kClass; }
  const TClass* GetViewInfoClass() const override { return &TStandInViewInfo::kClass; }
  const TClass* GetViewInfoCacheClass() const override { return &grid_test_view::TTestViewInfoCache::kClass; }
  void DoChanged(TlxGridViewChangeKind kind) override {
    changes.push_back(kind);
    View::DoChanged(kind);
  }

  std::vector<TlxGridViewChangeKind> changes;
};

class TStandInTableView : public TRecordingView<TlxGridTableView> {
 public:
  static constexpr TClass kClass{"TStandInTableView", &TlxGridTableView::kClass,
                                 &lxConstructGridView<TStandInTableView>};
  const TClass* ClassType() const override { return &kClass; }
  using TRecordingView<TlxGridTableView>::TRecordingView;
};

class TStandInDBTableView : public TRecordingView<TlxGridDBTableView> {
 public:
  static constexpr TClass kClass{"TStandInDBTableView", &TlxGridDBTableView::kClass,
                                 &lxConstructGridView<TStandInDBTableView>};
  const TClass* ClassType() const override { return &kClass; }
  using TRecordingView<TlxGridDBTableView>::TRecordingView;
};

}  // namespace grid_table_view_stand_in
