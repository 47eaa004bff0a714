#pragma once
// What a control's popup-menu property may hold besides a toolkit popup
// menu: any component that shows a popup of its own and may answer key
// shortcuts. Included only from Windows sources.

#include <cstdint>

#include "platform/rtl/object.h"
#include "platform/toolkit/messages.h"

class IlxPopupComponent : public virtual IInterface {
 public:
  // Whether the key message is one of the popup's shortcuts (and handled).
  virtual bool HandlesShortCut(const TMessage& key_message) = 0;
  // Shows the popup at a screen point.
  virtual void PopupAt(int32_t x, int32_t y) = 0;
};
