#pragma once
// The one place where a spell checker can follow the text editors: it is
// told when an edit paints, scrolls or resizes, when its selection or text
// changes, and it may claim windows and context menus of its own. No
// spell checker ships with the library, so usually no hook is set and every
// notification below returns at once. Included only from Windows sources.

#include <windows.h>

#include "platform/rtl/geometry.h"
#include "platform/rtl/object.h"

class TWinControl;

class IlxSpellCheckerHook : public virtual IInterface {
 public:
  // `edit` is the editor's inner edit control in every notification.
  // The edit has painted; marks over misspelt words are drawn again.
  virtual void DrawMisspellings(TWinControl& edit) = 0;
  // What part of the text shows has changed (size, font, scrolling).
  virtual void LayoutChanged(TWinControl& edit) = 0;
  virtual void SelectionChanged(TWinControl& edit) = 0;
  virtual void TextChanged(TWinControl& edit) = 0;
  // True for windows the spell checker created inside an editor (its
  // suggestion lists), so that the editor treats them as its own.
  virtual bool OwnsWindow(HWND window) = 0;
  // Offered the context menu at a screen point first; true when it showed
  // its own (suggestions for the word there) and the editor shows none.
  virtual bool ContextPopup(TWinControl& edit, const TPoint& screen_point) = 0;
};

// The process-wide hook, or null. Not owned: whoever sets it clears it
// before the hook object goes.
IlxSpellCheckerHook* lxSpellCheckerHook();
void lxSetSpellCheckerHook(IlxSpellCheckerHook* hook);

// The editors call these; each does nothing (or answers false) without a
// hook.
void lxNotifySpellCheckerPaint(TWinControl& edit);
void lxNotifySpellCheckerLayoutChanged(TWinControl& edit);
void lxNotifySpellCheckerSelectionChanged(TWinControl& edit);
void lxNotifySpellCheckerTextChanged(TWinControl& edit);
bool lxSpellCheckerOwnsWindow(HWND window);
bool lxSpellCheckerContextPopup(TWinControl& edit, const TPoint& screen_point);
