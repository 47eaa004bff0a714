#pragma once
// The quick customization popup: a check list of objects (a view's items)
// whose checks show and hide them and whose entries can be dragged to
// reorder them; a list too long for the screen spreads over columns.
// Included only from Windows sources.

#include <cstdint>
#include <memory>

#include "grid/grid_popups_win.h"

class TlxCheckListBox;
class TlxTimer;

enum TlxGridDragScrollDirection : uint8_t { gdsNone = 0, gdsBack = 1, gdsForward = 2 };

class TlxCustomGridCustomizationPopup : public TlxCustomGridPopup {
 public:
  static constexpr TClass kClass{"TlxCustomGridCustomizationPopup", &TlxCustomGridPopup::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridCustomizationPopup(TlxCustomGridView* grid_view);
  ~TlxCustomGridCustomizationPopup() override;

  // Virtual operations, in the order of their slots.
  virtual void AddItems() = 0;
  virtual void AdjustSize(bool keep_height);
  virtual void CheckItem(int32_t index, bool checked);
  virtual void CreateControls();
  virtual int32_t GetColumnWidth();
  virtual int32_t GetDropDownCount() = 0;
  virtual bool IsReorderingEnabled() = 0;
  virtual void SetItemChecked(TObject* object, bool checked) = 0;
  virtual int32_t GetItemIndex(TObject* object) = 0;
  virtual void SetItemIndex(TObject* object, int32_t index) = 0;

  void InitPopup() override;
  void ClosePopup() override;
  void Popup() override;
  void CalcSize() override;
  bool AdjustsToWorkArea() const override { return true; }
  void FitToWorkArea(TPoint& point) override;

  TlxCheckListBox& CheckListBox() const { return *check_list_box_; }
  int32_t DropIndex() const { return drop_index_; }
  TlxGridDragScrollDirection DragScrollDirection() const { return drag_scroll_direction_; }
  TlxTimer& DragScrollTimer() const { return *drag_scroll_timer_; }

  // The insertion position for a point of the inner list: before the entry
  // under it (after it when below its middle), the entry count under the
  // last entry in its column, else -1.
  int32_t DropIndexAt(const TPoint& point);
  // The reordering steps, as the inner list's drag events run them; the
  // points are in the inner list's client coordinates.
  bool DragOverAt(const TPoint& point, bool leaving);
  void DropAt(const TPoint& point);

 protected:
  void RefillItems();

 private:
  void ChangeDropIndex(int32_t index);
  void DrawDropArrows();
  void InvalidateDropArrows();
  TRect DropTargetRect(int32_t index);
  void ChangeDragScroll(TlxGridDragScrollDirection direction);
  void DragScrollTick();
  bool FitsVertically(const TPoint& point, const TRect& area);

  TlxCheckListBox* check_list_box_;
  std::unique_ptr<TlxTimer> drag_scroll_timer_;
  int32_t drop_index_ = -1;
  TlxGridDragScrollDirection drag_scroll_direction_ = gdsNone;
  TPoint last_drag_point_;
};
