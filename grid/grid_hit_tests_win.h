#pragma once
// The hit tests of the grid: what lies under a point of a site. One shared
// instance per class (lxGridGetHitTest hands it out with Pos set; a second
// request for the same class overwrites the first), whose code callers
// compare and whose fields name the element. Included only from Windows
// sources.

#include <cstdint>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"
#include "platform/toolkit/types.h"

class TlxCustomGridCellViewInfo;
class TlxCustomGridRecord;
class TlxCustomGridTableItem;
class TlxCustomGridTableViewData;
class TlxCustomGridView;
class TlxDataSummaryItem;
class TlxGridColumn;
class TlxGridLevel;
class TlxCustomGrid;

class TlxCustomGridHitTest : public TObject {
 public:
  static constexpr TClass kClass{"TlxCustomGridHitTest", &TObject::kClass};
  const TClass* ClassType() const override { return &kClass; }
  ~TlxCustomGridHitTest() override;

  TPoint Pos;
  TlxCustomGridCellViewInfo* ViewInfo() const { return view_info_; }
  // Keeps the two-way link: the old cell forgets this hit test.
  void SetViewInfo(TlxCustomGridCellViewInfo* value);

  // --- class operations, in slot order ---------------------------------
  virtual int32_t GetHitTestCode() const { return -1; }
  virtual TCursor Cursor() const { return crDefault; }
  virtual const TClass* DragAndDropObjectClass() const { return nullptr; }

 private:
  TlxCustomGridCellViewInfo* view_info_ = nullptr;
};

class TlxCustomGridViewHitTest : public TlxCustomGridHitTest {
 public:
  static constexpr TClass kClass{"TlxCustomGridViewHitTest", &TlxCustomGridHitTest::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxCustomGridView* GridView = nullptr;
};
class TlxGridNoneHitTest : public TlxCustomGridHitTest {
 public:
  static constexpr TClass kClass{"TlxGridNoneHitTest", &TlxCustomGridHitTest::kClass, &ConstructInstance<TlxGridNoneHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 0; }
};

class TlxGridViewNoneHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridViewNoneHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridViewNoneHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 0; }
};

class TlxGridNavigatorHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridNavigatorHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridNavigatorHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 1; }
};

class TlxGridCustomizationFormHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridCustomizationFormHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridCustomizationFormHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 2; }
};

class TlxGridDesignSelectorHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridDesignSelectorHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridDesignSelectorHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 3; }
  TCursor Cursor() const override;
};

class TlxGridDetailsSiteTabHitTest : public TlxCustomGridHitTest {
 public:
  static constexpr TClass kClass{"TlxGridDetailsSiteTabHitTest", &TlxCustomGridHitTest::kClass, &ConstructInstance<TlxGridDetailsSiteTabHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 50; }
  TlxGridLevel* Level = nullptr;
  TlxCustomGrid* Owner = nullptr;
};

class TlxGridFilterHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridFilterHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridFilterHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 101; }
};

class TlxGridFilterActivateButtonHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridFilterActivateButtonHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridFilterActivateButtonHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 102; }
};

class TlxGridFilterCloseButtonHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridFilterCloseButtonHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridFilterCloseButtonHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 103; }
};

class TlxGridFilterDropDownButtonHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridFilterDropDownButtonHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridFilterDropDownButtonHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 104; }
};

class TlxGridFilterCustomizeButtonHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridFilterCustomizeButtonHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridFilterCustomizeButtonHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 105; }
};

class TlxGridRecordHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridRecordHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridRecordHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 106; }
  TlxCustomGridRecord* GridRecord() const;
  void SetGridRecord(TlxCustomGridRecord* value);
  int32_t GridRecordIndex = -1;
  int32_t GridRecordKind = -1;
  TlxCustomGridTableViewData* ViewData = nullptr;
  // Whether a mouse-down here focuses and selects the record.
  virtual bool CanClick() const { return true; }
};

class TlxGridRecordCellHitTest : public TlxGridRecordHitTest {
 public:
  static constexpr TClass kClass{"TlxGridRecordCellHitTest", &TlxGridRecordHitTest::kClass, &ConstructInstance<TlxGridRecordCellHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 107; }
  TlxCustomGridTableItem* Item = nullptr;
};

class TlxGridExpandButtonHitTest : public TlxGridRecordHitTest {
 public:
  static constexpr TClass kClass{"TlxGridExpandButtonHitTest", &TlxGridRecordHitTest::kClass, &ConstructInstance<TlxGridExpandButtonHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 108; }
  bool CanClick() const override { return false; }
};

class TlxGridGroupByBoxHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridGroupByBoxHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridGroupByBoxHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 201; }
};

class TlxCustomGridColumnHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxCustomGridColumnHitTest", &TlxCustomGridViewHitTest::kClass};
  const TClass* ClassType() const override { return &kClass; }
  TlxGridColumn* Column = nullptr;
  int32_t ColumnContainerKind = 0;
};

class TlxGridColumnHeaderHitTest : public TlxCustomGridColumnHitTest {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderHitTest", &TlxCustomGridColumnHitTest::kClass, &ConstructInstance<TlxGridColumnHeaderHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 202; }
  const TClass* DragAndDropObjectClass() const override;
};

class TlxGridColumnHeaderHorzSizingEdgeHitTest : public TlxCustomGridColumnHitTest {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderHorzSizingEdgeHitTest", &TlxCustomGridColumnHitTest::kClass, &ConstructInstance<TlxGridColumnHeaderHorzSizingEdgeHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 203; }
  TCursor Cursor() const override;
  const TClass* DragAndDropObjectClass() const override;
};

class TlxGridColumnHeaderFilterButtonHitTest : public TlxCustomGridColumnHitTest {
 public:
  static constexpr TClass kClass{"TlxGridColumnHeaderFilterButtonHitTest", &TlxCustomGridColumnHitTest::kClass, &ConstructInstance<TlxGridColumnHeaderFilterButtonHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 204; }
};

class TlxGridFooterHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridFooterHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridFooterHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 205; }
};

class TlxGridFooterCellHitTest : public TlxCustomGridColumnHitTest {
 public:
  static constexpr TClass kClass{"TlxGridFooterCellHitTest", &TlxCustomGridColumnHitTest::kClass, &ConstructInstance<TlxGridFooterCellHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 206; }
  TlxDataSummaryItem* SummaryItem = nullptr;
};

class TlxGridGroupFooterHitTest : public TlxGridFooterHitTest {
 public:
  static constexpr TClass kClass{"TlxGridGroupFooterHitTest", &TlxGridFooterHitTest::kClass, &ConstructInstance<TlxGridGroupFooterHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 207; }
};

class TlxGridGroupFooterCellHitTest : public TlxGridFooterCellHitTest {
 public:
  static constexpr TClass kClass{"TlxGridGroupFooterCellHitTest", &TlxGridFooterCellHitTest::kClass, &ConstructInstance<TlxGridGroupFooterCellHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 208; }
};

class TlxGridRowIndicatorHitTest : public TlxGridRecordHitTest {
 public:
  static constexpr TClass kClass{"TlxGridRowIndicatorHitTest", &TlxGridRecordHitTest::kClass, &ConstructInstance<TlxGridRowIndicatorHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 209; }
  bool MultiSelect = false;
  TCursor Cursor() const override;
};

class TlxGridRowSizingEdgeHitTest : public TlxGridRecordHitTest {
 public:
  static constexpr TClass kClass{"TlxGridRowSizingEdgeHitTest", &TlxGridRecordHitTest::kClass, &ConstructInstance<TlxGridRowSizingEdgeHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 210; }
  TCursor Cursor() const override;
  const TClass* DragAndDropObjectClass() const override;
};

class TlxGridIndicatorHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridIndicatorHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 211; }
};

class TlxGridIndicatorHeaderHitTest : public TlxGridIndicatorHitTest {
 public:
  static constexpr TClass kClass{"TlxGridIndicatorHeaderHitTest", &TlxGridIndicatorHitTest::kClass, &ConstructInstance<TlxGridIndicatorHeaderHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 212; }
};

class TlxGridRowLevelIndentHitTest : public TlxGridRecordHitTest {
 public:
  static constexpr TClass kClass{"TlxGridRowLevelIndentHitTest", &TlxGridRecordHitTest::kClass, &ConstructInstance<TlxGridRowLevelIndentHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 213; }
  bool CanClick() const override { return false; }
};

class TlxGridHeaderHitTest : public TlxCustomGridViewHitTest {
 public:
  static constexpr TClass kClass{"TlxGridHeaderHitTest", &TlxCustomGridViewHitTest::kClass, &ConstructInstance<TlxGridHeaderHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 214; }
};

class TlxGridGroupSummaryHitTest : public TlxGridRecordHitTest {
 public:
  static constexpr TClass kClass{"TlxGridGroupSummaryHitTest", &TlxGridRecordHitTest::kClass, &ConstructInstance<TlxGridGroupSummaryHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 215; }
  TlxDataSummaryItem* SummaryItem = nullptr;
};

class TlxGridPreviewHitTest : public TlxGridRecordCellHitTest {
 public:
  static constexpr TClass kClass{"TlxGridPreviewHitTest", &TlxGridRecordCellHitTest::kClass, &ConstructInstance<TlxGridPreviewHitTest>};
  const TClass* ClassType() const override { return &kClass; }
  int32_t GetHitTestCode() const override { return 231; }
};

// The shared instance of a hit-test class, with Pos set to the point.
TlxCustomGridHitTest* lxGridGetHitTest(const TClass* hit_test_class, const TPoint& point);
template <class T>
T* lxGridGetHitTest(const TPoint& point) {
  return static_cast<T*>(lxGridGetHitTest(&T::kClass, point));
}
// Frees the shared instances (the grid module's end).
void lxGridFreeHitTests();
