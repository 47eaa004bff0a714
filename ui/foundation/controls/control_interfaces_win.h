#pragma once
// The types and interfaces the base control introduces for its
// descendants and for the components it talks to: popup components,
// capture objects, font listeners. Included only from Windows sources.

#include <cstdint>

#include "platform/rtl/object.h"
#include "platform/toolkit/messages.h"
#include "platform/toolkit/types.h"
// IlxPopupComponent: any component that can be a control's PopupMenu
// besides a toolkit popup menu (the popup-menu routines below the controls
// ask for it too).
#include "ui/foundation/system/popup_component_win.h"

class TFont;
class TlxLookAndFeel;

enum TlxControlBorderStyle : uint8_t { lxcbsNone, lxcbsDefault };

enum TlxWantedKey : uint8_t { wkAll, wkArrows, wkChars, wkTab };
using TlxWantedKeys = TSmallSet<TlxWantedKey>;

enum TlxWheelScrollKind : uint8_t { wskNone, wskHorizontal, wskVertical };

enum TlxDragDropPhase : uint8_t { dpIdle, dpPending, dpDragging };


// An object inside a control that can own the control's mouse capture; it
// hears when another object takes it.
class IlxCaptureObject : public virtual IInterface {
 public:
  virtual void CaptureLost() = 0;
};

// Told of every font change of a control.
class IlxFontListener : public virtual IInterface {
 public:
  virtual void FontChanged(TObject* sender, TFont& font) = 0;
};

// Objects that carry a look-and-feel for others to follow.
class IlxLookAndFeelContainer : public virtual IInterface {
 public:
  virtual TlxLookAndFeel* GetLookAndFeel() = 0;
};

// Objects that take their captions from the library's resource strings.
class IlxResourceStringsListener : public virtual IInterface {
 public:
  virtual void ResourceStringsChanged() = 0;
};
