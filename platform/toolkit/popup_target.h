#pragma once
// The interface through which a control shows its context menu: any
// component that implements it can be a control's PopupMenu.

#include <cstdint>

#include "platform/rtl/object.h"

class TControl;

class IPopupMenuTarget : public virtual IInterface {
 public:
  // Shows the menu at a screen point for `control`.
  virtual void PopupAt(TControl* control, int32_t x, int32_t y) = 0;
};
