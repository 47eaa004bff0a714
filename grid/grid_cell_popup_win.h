#pragma once
// What a cell view info and the popup it drops down know of each other. A
// popup (a column's filter drop-down, the filter box's MRU list) belongs to
// one cell while it is open; when the layout is rebuilt the new cell for
// the same element takes the popup over, so the popup stays open and
// linked. Included only from Windows sources.

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"

// The cell side: told when its popup closes, asked where to place it and
// whether the popup goes when the cell goes.
class IlxCustomGridPopupOwner : public virtual IInterface {
 public:
  virtual bool ClosePopupWithOwner() = 0;
  virtual void GetPopupOwnerBounds(TRect& rect) = 0;
  virtual void PopupClosed() = 0;
  // The popup is being freed while this owner holds it.
  virtual void PopupDestroyed() = 0;
};

// The popup side, as the cells use it. A popup freed while it has an owner
// tells the owner (PopupDestroyed) first.
class IlxGridCellPopup : public virtual IInterface {
 public:
  virtual IlxCustomGridPopupOwner* PopupOwner() const = 0;
  virtual void SetPopupOwner(IlxCustomGridPopupOwner* owner) = 0;
  virtual bool PopupVisible() const = 0;
  // Shows the popup against its owner's bounds.
  virtual void DropDown() = 0;
  // Hides a shown popup; the owner's PopupClosed follows.
  virtual void ClosePopup() = 0;
};
