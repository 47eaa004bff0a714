#include "grid/grid_customization_popup_win.h"

#include <algorithm>
#include <vector>

#include "editors/kinds/check_list_box_win.h"
#include "grid/customization_popup_fit.h"
#include "grid/grid_control_win.h"
#include "grid/grid_view_win.h"
#include "platform/rtl/scope.h"
#include "platform/toolkit/control_canvas.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/controls/drag_and_drop_arrow_geometry.h"
#include "ui/foundation/controls/drag_and_drop_arrow_win.h"
#include "ui/foundation/controls/popup_placement.h"
#include "ui/foundation/system/control_unit_win.h"
#include "ui/foundation/system/lx_timer_win.h"

namespace {

// How close to the list's side edges a drag scrolls the columns.
constexpr int32_t kDragScrollEdge = 15;
constexpr uint32_t kDragScrollInterval = 400;

}  // namespace

TlxCustomGridCustomizationPopup::TlxCustomGridCustomizationPopup(TlxCustomGridView* grid_view)
    : TlxCustomGridPopup(grid_view), drag_scroll_timer_(std::make_unique<TlxTimer>(nullptr)) {
  drag_scroll_timer_->SetEnabled(false);
  drag_scroll_timer_->SetInterval(kDragScrollInterval);
  drag_scroll_timer_->SetOnTimer([this](TObject* /*sender*/) { DragScrollTick(); });
  CreateControls();
}

TlxCustomGridCustomizationPopup::~TlxCustomGridCustomizationPopup() { drag_scroll_timer_->SetEnabled(false); }

void TlxCustomGridCustomizationPopup::CreateControls() {
  check_list_box_ = new TlxCheckListBox(this);
  lxInitGridPopupListStyle(*check_list_box_);
  check_list_box_->SetParent(this);
  check_list_box_->OnClickCheck() = [this](TObject* /*sender*/, int32_t index, TlxCheckBoxState /*previous*/,
                                           TlxCheckBoxState new_state) { CheckItem(index, new_state == cbsChecked); };
  TControl& inner = check_list_box_->InnerCheckListBox();
  inner.OnStartDrag = [this](TObject* /*sender*/, TDragObject*& /*drag_object*/) {
    drop_index_ = -1;
    last_drag_point_ = TPoint(-1, -1);
  };
  inner.OnDragOver = [this](TObject* /*sender*/, TObject* source, int32_t x, int32_t y, TDragState state,
                            bool& accept) {
    accept = source == &check_list_box_->InnerCheckListBox() && DragOverAt(TPoint(x, y), state == dsDragLeave);
  };
  inner.OnDragDrop = [this](TObject* /*sender*/, TObject* /*source*/, int32_t x, int32_t y) { DropAt(TPoint(x, y)); };
  inner.OnEndDrag = [this](TObject* /*sender*/, TObject* /*target*/, int32_t /*x*/, int32_t /*y*/) {
    ChangeDragScroll(gdsNone);
    InvalidateDropArrows();
    drop_index_ = -1;
  };
  inner.OnMouseDown = [this](TObject* /*sender*/, TMouseButton button, TShiftState /*shift*/, int32_t x, int32_t y) {
    // A press beside every entry starts no drag.
    TlxCustomInnerCheckListBox& list = check_list_box_->InnerCheckListBox();
    if (button == mbLeft && list.DragMode() == dmAutomatic && list.ItemAtPos(TPoint(x, y), true) == -1)
      list.EndDrag(false);
  };
  check_list_box_->InnerCheckListBox().OnKeyDown = [this](TObject* /*sender*/, uint16_t& key, TShiftState /*shift*/) {
    if (key != VK_ESCAPE)
      return;
    key = 0;
    ClosePopup();
  };
}

void TlxCustomGridCustomizationPopup::InitPopup() {
  TlxCustomGridPopup::InitPopup();
  const bool reordering = IsReorderingEnabled();
  TlxCustomInnerCheckListBox& list = check_list_box_->InnerCheckListBox();
  list.SetDragMode(reordering ? dmAutomatic : dmManual);
  list.SetMultiSelect(reordering);
  list.SetExtendedSelect(reordering);
  AddItems();
  AdjustSize(false);
}

void TlxCustomGridCustomizationPopup::Popup() {
  if (TlxCustomGridView* view = GridView())
    view->SetFocused(true);
  TlxCustomGridPopup::Popup();
}

void TlxCustomGridCustomizationPopup::ClosePopup() {
  const bool was_shown = Visible();
  TlxCustomGridPopup::ClosePopup();
  if (!was_shown)
    return;
  ChangeDragScroll(gdsNone);
  check_list_box_->ClearItems();
  check_list_box_->SetColumns(0);
}

void TlxCustomGridCustomizationPopup::CheckItem(int32_t index, bool checked) {
  if (index < 0 || index >= check_list_box_->ItemCount())
    return;
  SetItemChecked(check_list_box_->Items().GetItemObject(index), checked);
}

int32_t TlxCustomGridCustomizationPopup::GetColumnWidth() { return check_list_box_->CalcWidthToFitItems() + 10; }

void TlxCustomGridCustomizationPopup::AdjustSize(bool keep_height) {
  const int32_t count = check_list_box_->ItemCount();
  const int32_t columns = check_list_box_->Columns();
  const int32_t rows = keep_height ? -1 : lxCustomizationPopupRowCount(count, columns, GetDropDownCount());
  int32_t width;
  if (columns < 2) {
    width = check_list_box_->CalcWidthToFitItems();
    if (rows != -1 && rows < count)
      width += GetSystemMetrics(SM_CXVSCROLL);
  } else {
    width = GetColumnWidth() * columns;
  }
  const int32_t height = keep_height ? check_list_box_->ClientHeight() + GetSystemMetrics(SM_CYHSCROLL)
                                     : check_list_box_->GetHeightForRows(rows);
  check_list_box_->SetBounds(0, 0, std::max(width, 0), std::max(height, 0));
}

void TlxCustomGridCustomizationPopup::CalcSize() {
  // The list sits at the client origin before the popup adds its borders.
  check_list_box_->SetBounds(0, 0, check_list_box_->Width(), check_list_box_->Height());
  TlxCustomGridPopup::CalcSize();
}

bool TlxCustomGridCustomizationPopup::FitsVertically(const TPoint& point, const TRect& area) {
  const int32_t scroll_bar = check_list_box_->Columns() >= 2 ? GetSystemMetrics(SM_CYHSCROLL) : 0;
  return point.Y >= area.Top && point.Y + Height() + scroll_bar <= area.Bottom;
}

void TlxCustomGridCustomizationPopup::FitToWorkArea(TPoint& point) {
  const TRect area = lxWorkAreaAtPoint(point);
  if (point.Y >= area.Top && point.Y + Height() <= area.Bottom)
    return;
  const int32_t available = point.Y < area.Top ? point.Y + Height() - area.Top : area.Bottom - point.Y;
  const int32_t count = check_list_box_->ItemCount();
  lxFitPopupColumnsVertically(check_list_box_->Height(), available, GetBordersHeight(), count,
                              [&](int32_t columns) {
                                check_list_box_->SetColumns(columns);
                                AdjustSize(false);
                                CalcSize();
                                CalcPosition(point);
                                return FitsVertically(point, area);
                              });
  if (point.X + Width() <= area.Right)
    return;
  check_list_box_->SetColumns(
      lxFitPopupColumnsHorizontally(area.Right, point.X, GetBordersWidth(), GetColumnWidth(), count));
  AdjustSize(true);
  CalcSize();
  CalcPosition(point);
}

// --- reordering ----------------------------------------------------------------

int32_t TlxCustomGridCustomizationPopup::DropIndexAt(const TPoint& point) {
  TlxCustomInnerCheckListBox& list = check_list_box_->InnerCheckListBox();
  const int32_t count = list.Count();
  if (!list.ClientRect().Contains(point))
    return -1;
  const int32_t index = list.ItemAtPos(point, true);
  if (index != -1) {
    const TRect rect = list.ItemRect(index);
    return point.Y >= (rect.Top + rect.Bottom) / 2 ? index + 1 : index;
  }
  if (count == 0)
    return -1;
  // Under the last entry, in its column.
  const TRect last = list.ItemRect(count - 1);
  if (point.X >= last.Left && point.X < last.Right && point.Y >= last.Bottom)
    return count;
  return -1;
}

bool TlxCustomGridCustomizationPopup::DragOverAt(const TPoint& point, bool leaving) {
  last_drag_point_ = point;
  const int32_t index = leaving ? -1 : DropIndexAt(point);
  if (index != drop_index_)
    ChangeDropIndex(index);
  TlxGridDragScrollDirection direction = gdsNone;
  if (drop_index_ != -1 && check_list_box_->Columns() >= 2) {
    const int32_t client_width = check_list_box_->InnerCheckListBox().ClientWidth();
    if (point.X < kDragScrollEdge)
      direction = gdsBack;
    else if (point.X >= client_width - kDragScrollEdge)
      direction = gdsForward;
  }
  ChangeDragScroll(direction);
  return drop_index_ != -1;
}

void TlxCustomGridCustomizationPopup::ChangeDropIndex(int32_t index) {
  InvalidateDropArrows();
  drop_index_ = index;
  DrawDropArrows();
}

TRect TlxCustomGridCustomizationPopup::DropTargetRect(int32_t index) {
  TlxCustomInnerCheckListBox& list = check_list_box_->InnerCheckListBox();
  if (index < list.Count())
    return list.ItemRect(index);
  // After the last entry: the edge under it.
  TRect rect = list.ItemRect(list.Count() - 1);
  return TRect(rect.Left, rect.Bottom, rect.Right, rect.Bottom + rect.Height());
}

void TlxCustomGridCustomizationPopup::InvalidateDropArrows() {
  TlxCustomInnerCheckListBox& list = check_list_box_->InnerCheckListBox();
  if (drop_index_ == -1 || !list.HandleAllocated() || list.Count() == 0)
    return;
  const TRect target = DropTargetRect(drop_index_);
  const TRect edge(target.Left, target.Top, target.Right, target.Top);
  for (TlxInsertionArrowSide side : {iasLeft, iasRight}) {
    const TRect rect = lxCalcDragDropArrowBounds(edge, list.ClientRect(), side);
    ::InvalidateRect(list.WindowHandle(), reinterpret_cast<const RECT*>(&rect), TRUE);
  }
}

void TlxCustomGridCustomizationPopup::DrawDropArrows() {
  TlxCustomInnerCheckListBox& list = check_list_box_->InnerCheckListBox();
  if (drop_index_ == -1 || !list.HandleAllocated() || list.Count() == 0)
    return;
  ::UpdateWindow(list.WindowHandle());
  const TRect target = DropTargetRect(drop_index_);
  const TRect edge(target.Left, target.Top, target.Right, target.Top);
  TControlCanvas control_canvas;
  control_canvas.SetControl(&list);
  TlxCanvas canvas(control_canvas);
  // The arrows point at each other from the two ends of the entry's top
  // edge.
  lxDrawDragDropArrowShape(canvas, lxCalcDragDropArrowBounds(edge, list.ClientRect(), iasLeft), iasLeft);
  lxDrawDragDropArrowShape(canvas, lxCalcDragDropArrowBounds(edge, list.ClientRect(), iasRight), iasRight);
}

void TlxCustomGridCustomizationPopup::ChangeDragScroll(TlxGridDragScrollDirection direction) {
  if (direction == drag_scroll_direction_)
    return;
  drag_scroll_direction_ = direction;
  drag_scroll_timer_->SetEnabled(direction != gdsNone);
}

void TlxCustomGridCustomizationPopup::DragScrollTick() {
  TlxCustomInnerCheckListBox& list = check_list_box_->InnerCheckListBox();
  const int32_t top = list.TopIndex();
  if (drag_scroll_direction_ == gdsBack) {
    list.SetTopIndex(std::max(0, top - 1));
  } else if (drag_scroll_direction_ == gdsForward) {
    // A multi-column list moves its top index by whole columns: step on
    // until it really moves or the end is passed.
    for (int32_t index = top + 1; index < list.Count() && list.TopIndex() == top; ++index)
      list.SetTopIndex(index);
  }
  InvalidateDropArrows();
  drop_index_ = -1;
  DragOverAt(last_drag_point_, false);
}

void TlxCustomGridCustomizationPopup::DropAt(const TPoint& point) {
  const int32_t position = DropIndexAt(point);
  ChangeDragScroll(gdsNone);
  InvalidateDropArrows();
  drop_index_ = -1;
  if (position == -1)
    return;
  TlxCustomInnerCheckListBox& list = check_list_box_->InnerCheckListBox();
  TlxCheckListBoxItems& items = check_list_box_->Items();
  const int32_t count = items.Count();
  if (count == 0)
    return;
  int32_t target = position < count ? GetItemIndex(items.GetItemObject(position))
                                    : GetItemIndex(items.GetItemObject(count - 1)) + 1;
  std::vector<TObject*> moved;
  for (int32_t i = 0; i < count; ++i)
    if (list.Selected(i))
      moved.push_back(items.GetItemObject(i));
  if (moved.empty() && list.ItemIndex() != -1)
    moved.push_back(items.GetItemObject(list.ItemIndex()));
  {
    TlxCustomGridView* view = GridView();
    if (view != nullptr)
      view->BeginUpdate();
    TScopeExit end_update([view] {
      if (view != nullptr)
        view->EndUpdate();
    });
    for (TObject* object : moved) {
      SetItemIndex(object, target);
      target = GetItemIndex(object) + 1;
    }
  }
  RefillItems();
  for (TObject* object : moved) {
    const int32_t index = items.IndexOfItemObject(object);
    if (index != -1)
      list.SetSelected(index, true);
  }
}

void TlxCustomGridCustomizationPopup::RefillItems() { AddItems(); }
