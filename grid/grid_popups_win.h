#pragma once
// The grid's popups: the base popup with its owner cell, the popup list
// box, the column filter popup's list box. The filter popups themselves
// are declared with the table controller that keeps them. Included only
// from Windows sources.

#include <cstdint>
#include <functional>
#include <vector>

#include "editors/list_box_win.h"
#include "editors/popup_window_win.h"
#include "grid/grid_cell_popup_win.h"

class TlxCustomGridTableItem;
class TlxCustomGridView;
class TlxCustomLookAndFeelPainter;
class TlxGridPopupListBox;

// The plain look of a list inside a grid popup or the customization form:
// no border, no hot tracking, no transparent border in any state.
void lxInitGridPopupListStyle(TlxContainer& box);

// An owner cell that belongs to one item (a column's filter button): the
// filter popup shows that item's filter.
class IlxGridItemPopupOwner : public virtual IInterface {
 public:
  virtual TlxCustomGridTableItem* PopupItem() = 0;
};

// A popup that drops down from a cell of a grid view. It belongs to the
// cell (its owner view info) while it is open, and tells the cell when it
// closes so that the cell can drop its pressed look.
class TlxCustomGridPopup : public TlxCustomPopupWindow, public IlxGridCellPopup {
 public:
  static constexpr TClass kClass{"TlxCustomGridPopup", &TlxCustomPopupWindow::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomGridPopup(TlxCustomGridView* grid_view);
  ~TlxCustomGridPopup() override;

  // Virtual operations, in the order of their slots.
  virtual void GetOwnerBounds(TRect& rect);
  virtual int32_t GetMinWidth();
  // Releases the mouse capture and shows the popup focused on its first
  // focusable child.
  virtual void Popup();
  // The preparation before each showing.
  virtual void InitPopup();

  TlxCustomGridView* GridView() const { return grid_view_; }
  IlxCustomGridPopupOwner* OwnerViewInfo() const { return owner_view_info_; }
  void SetOwnerViewInfo(IlxCustomGridPopupOwner* value);

  // IlxGridCellPopup
  IlxCustomGridPopupOwner* PopupOwner() const override { return owner_view_info_; }
  void SetPopupOwner(IlxCustomGridPopupOwner* owner) override { SetOwnerViewInfo(owner); }
  bool PopupVisible() const override { return Visible(); }
  void DropDown() override { Popup(); }
  void ClosePopup() override;

 protected:
  void Paint() override;
  void VisibleChanged() override;

 public:
  const TlxCustomLookAndFeelPainter& Painter() const;

 private:
  TlxCustomGridView* grid_view_;
  IlxCustomGridPopupOwner* owner_view_info_ = nullptr;
};

using TlxGridPopupListBoxActionEvent = std::function<void(TlxGridPopupListBox* list_box, int32_t index)>;

// The list window inside a popup list box: it hands the mouse and the keys
// to its list box, which treats items as choices rather than a selection.
class TlxGridPopupInnerListBox : public TlxInnerListBox {
 public:
  static constexpr TClass kClass{"TlxGridPopupInnerListBox", &TlxInnerListBox::kClass,
                                 &ConstructInstance<TlxGridPopupInnerListBox>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxInnerListBox::TlxInnerListBox;

  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseLeave() override;

 private:
  TlxGridPopupListBox* PopupListBox() const;
};

// The owner-drawn list of a grid popup, with optional check boxes.
class TlxGridPopupListBox : public TlxListBox {
 public:
  static constexpr TClass kClass{"TlxGridPopupListBox", &TlxListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridPopupListBox(TlxCustomGridPopup* popup);

  bool DoDrawItem(TlxCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state) override;

  // Virtual operations, in the order of their slots.
  virtual int32_t GetItemHeight();
  virtual void DoAction(int32_t index);
  virtual void DrawItemCheck(TlxCanvas& canvas, int32_t index, TOwnerDrawState state, const TRect& rect);
  virtual void DrawItemText(TlxCanvas& canvas, int32_t index, TOwnerDrawState state, const TRect& rect);
  virtual int32_t GetVisibleItemCount(const TStrings& items);
  virtual void InitStyle();
  virtual bool HasCheckBoxes(int32_t index);
  virtual void ToggleCheck(int32_t index);
  virtual bool CanCheckItem(int32_t /*index*/) { return false; }
  // Sizes the list to `items` (its own items when null).
  virtual void AdjustSize(const TStrings* items);

  TlxCustomGridPopup* Popup() const { return popup_; }
  // An item has a check box: a real index, checks shown and checkable.
  bool HasCheck(int32_t index);
  bool IsChecked(int32_t index) const;
  void SetChecked(int32_t index, bool checked);
  // In the order in which the items became checked.
  const std::vector<int32_t>& CheckedIndexes() const { return checked_indexes_; }
  void SetCheckedIndexes(const std::vector<int32_t>& indexes);
  bool ShowChecks() const { return show_checks_; }
  void SetShowChecks(bool value);
  int32_t PressedItemIndex() const { return pressed_item_index_; }
  int32_t CheckAreaWidth() const;

  int32_t TextOffsetLeft = 2;
  int32_t TextOffsetRight = 2;
  int32_t TextOffsetVert = 0;
  int32_t MaxVisibleItemCount = 0;
  int32_t MaxWidth = 0;
  int32_t MinWidth = 0;
  TlxGridPopupListBoxActionEvent OnAction;

 protected:
  friend class TlxGridPopupInnerListBox;
  void HandleKeyDown(uint16_t& key);
  void HandleMouseDown(TMouseButton button, const TPoint& point);
  void HandleMouseMove(const TPoint& point);
  void HandleMouseUp(TMouseButton button, const TPoint& point);
  void HandleMouseLeave();
  int32_t ItemAtInnerPoint(const TPoint& point) const;
  void InvalidateItem(int32_t index);
  const TlxCustomLookAndFeelPainter& Painter() const;

 private:
  TlxCustomGridPopup* popup_;
  std::vector<int32_t> checked_indexes_;
  int32_t pressed_item_index_ = -1;
  bool show_checks_ = false;
};

// The filter popup's list: separators cannot be checked and are drawn as
// two lines; which entries take a check is the filter popup's decision.
class TlxGridFilterPopupListBox : public TlxGridPopupListBox {
 public:
  static constexpr TClass kClass{"TlxGridFilterPopupListBox", &TlxGridPopupListBox::kClass};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridPopupListBox::TlxGridPopupListBox;

  bool DoDrawItem(TlxCanvas& canvas, int32_t index, const TRect& rect, TOwnerDrawState state) override;
  bool HasCheckBoxes(int32_t index) override;
  bool CanCheckItem(int32_t index) override;

 private:
  bool IsSeparator(int32_t index) const;
};
