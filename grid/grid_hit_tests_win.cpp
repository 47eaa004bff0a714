#include "grid/grid_hit_tests_win.h"

#include <memory>
#include <vector>

#include "grid/grid_cells_win.h"
#include "grid/grid_cursors.h"
#include "grid/grid_records_win.h"
#include "grid/grid_sizing_objects_win.h"
#include "grid/grid_table_view_win.h"

namespace {

// One instance per hit-test class, searched by exact class.
std::vector<std::unique_ptr<TlxCustomGridHitTest>>& SharedHitTests() {
  static std::vector<std::unique_ptr<TlxCustomGridHitTest>> hit_tests;
  return hit_tests;
}

}  // namespace

TlxCustomGridHitTest* lxGridGetHitTest(const TClass* hit_test_class, const TPoint& point) {
  std::vector<std::unique_ptr<TlxCustomGridHitTest>>& hit_tests = SharedHitTests();
  TlxCustomGridHitTest* found = nullptr;
  for (const std::unique_ptr<TlxCustomGridHitTest>& hit_test : hit_tests)
    if (hit_test->ClassType() == hit_test_class) {
      found = hit_test.get();
      break;
    }
  if (found == nullptr) {
    std::unique_ptr<TObject> made(hit_test_class->CreateInstance(nullptr));
    auto* typed = dynamic_cast<TlxCustomGridHitTest*>(made.get());
    if (typed == nullptr)
      return nullptr;
    made.release();
    hit_tests.emplace_back(typed);
    found = typed;
  }
  found->Pos = point;
  return found;
}

void lxGridFreeHitTests() { SharedHitTests().clear(); }

TlxCustomGridHitTest::~TlxCustomGridHitTest() { SetViewInfo(nullptr); }

void TlxCustomGridHitTest::SetViewInfo(TlxCustomGridCellViewInfo* value) {
  if (view_info_ == value)
    return;
  if (view_info_ != nullptr && view_info_->LinkedHitTest() == this)
    view_info_->SetLinkedHitTest(nullptr);
  view_info_ = value;
  if (view_info_ == nullptr)
    return;
  // A cell keeps one link: a hit test of another class that still points
  // at it would be left with a dangling cell once the cell goes.
  TlxCustomGridHitTest* previous = view_info_->LinkedHitTest();
  if (previous != nullptr && previous != this && previous->view_info_ == view_info_)
    previous->view_info_ = nullptr;
  view_info_->SetLinkedHitTest(this);
}

TCursor TlxGridDesignSelectorHitTest::Cursor() const { return crHandPoint; }

TlxCustomGridRecord* TlxGridRecordHitTest::GridRecord() const {
  if (ViewData == nullptr)
    return nullptr;
  return ViewData->GetRecordByKind(GridRecordKind, GridRecordIndex);
}

void TlxGridRecordHitTest::SetGridRecord(TlxCustomGridRecord* value) {
  if (value == nullptr) {
    ViewData = nullptr;
    GridRecordIndex = -1;
    GridRecordKind = -1;
    return;
  }
  ViewData = value->ViewData();
  GridRecordIndex = value->Index();
  GridRecordKind = ViewData->GetRecordKind(value);
}

// The moving and sizing objects come with the table controller.
// A header moves only when its column may be moved; a press elsewhere on it
// sorts.
const TClass* TlxGridColumnHeaderHitTest::DragAndDropObjectClass() const {
  if (Column == nullptr || !Column->CanMove())
    return nullptr;
  return &TlxGridColumnHeaderMovingObject::kClass;
}

TCursor TlxGridColumnHeaderHorzSizingEdgeHitTest::Cursor() const { return static_cast<TCursor>(GridHorzSizeCursor); }
const TClass* TlxGridColumnHeaderHorzSizingEdgeHitTest::DragAndDropObjectClass() const {
  return &TlxGridColumnHorzSizingObject::kClass;
}

TCursor TlxGridRowIndicatorHitTest::Cursor() const {
  return MultiSelect ? static_cast<TCursor>(GridSelectRowCursor) : crDefault;
}

TCursor TlxGridRowSizingEdgeHitTest::Cursor() const { return static_cast<TCursor>(GridVertSizeCursor); }
const TClass* TlxGridRowSizingEdgeHitTest::DragAndDropObjectClass() const { return &TlxGridRowSizingObject::kClass; }
