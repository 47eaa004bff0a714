#pragma once
// The control routines that ask the system: windows and their coordinates,
// monitor work areas, the cursor, the keyboard, the modal drag detection,
// popup menus, message dialogs and form scaling. Included only from
// Windows sources.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/toolkit/message_dialog.h"
#include "platform/toolkit/types.h"
#include "ui/foundation/system/control_unit.h"
#include "ui/foundation/system/popup_component_win.h"

class TComponent;
class TControl;
class TCustomForm;
class TFont;
class TPopupMenu;
class TWinControl;

// --- windows and coordinates ---------------------------------------------

// True when the control has a window or could get one now: it has a parent
// window handle, its parent can (asked up the chain), or it is a form while
// an application object exists. False while it is being destroyed.
bool lxCanAllocateHandle(TWinControl* control);

// The work area of the monitor nearest to the point; the primary work area
// when the system cannot say.
TRect lxWorkAreaAtPoint(const TPoint& point);
// Moves the rectangle into the work area at the point (see lxFitRectIntoArea).
void lxFitRectIntoWorkArea(TRect& rect, const TPoint& point);

// Maps client coordinates between two windows; 0 stands for the screen.
void lxMapPointBetweenWindows(HWND from, HWND to, TPoint& point);
void lxMapRectBetweenWindows(HWND from, HWND to, TRect& rect);

// The cursor position in screen coordinates; (-1, -1) when the system
// refuses to tell (a secure desktop is shown).
void lxGetCursorPosSafe(TPoint& point);

bool lxHasChildStyle(HWND window);
// The parent is a window and `window` is it or one of its descendants.
bool lxIsSelfOrChildWindow(HWND parent, HWND window);
// Paints the control and all its children now, when it has a window.
void lxUpdateWindowNow(TWinControl* control);
uint32_t lxDoubleClickTime();
bool lxComponentIsLoading(const TComponent* component);

// --- mouse and keys ------------------------------------------------------

enum TlxDetectDragResult : int32_t { lxddrNoDrag = 0, lxddrDrag = 1, lxddrCancelled = 2 };

// After a button press on `window`: runs a modal loop that holds the mouse
// capture until the press becomes a drag (the mouse leaves the square of
// side 2 x the drag threshold around the starting cursor position), the
// button goes up (no drag), or Esc, a lost capture or WM_QUIT cancels.
TlxDetectDragResult lxDetectDrag(HWND window);

// Closer than the mouse's drag threshold to `start` on both axes.
bool lxWithinDragThreshold(const TPoint& start, int32_t x, int32_t y);

// The MK_ flags of a shift state.
WPARAM lxShiftToMouseKeys(TShiftState shift);
// The one character a virtual key gives under the current keyboard state;
// '\0' when it gives none or more than one.
char lxVirtualKeyToChar(uint16_t virtual_key);
bool lxIsCtrlPressed();

// --- hourglass ----------------------------------------------------------

// A nested hourglass: the outermost show saves the screen's cursor and
// shows the hourglass, the matching hide brings the saved cursor back. A
// hide without a show does nothing.
void lxShowHourglass();
void lxHideHourglass();

// --- popup menus, dialogs, forms -----------------------------------------

// Shows the popup of a component with IlxPopupComponent, or a toolkit
// popup menu (when it pops up on its own) for `control`, at the screen
// point. False for a null or any other component.
bool lxShowPopupMenu(TControl* control, TComponent* component, int32_t x, int32_t y);
// Whether the component's popup takes the key message as a shortcut. A
// toolkit popup menu answers only once its window exists.
bool lxPopupMenuHandlesShortCut(TComponent* component, const TMessage& key_message);
// The height of the menu's visible top-level items in the menu font
// (owner-drawn items and items with images measured by themselves), plus
// the menu's frame.
int32_t lxCalcPopupMenuHeight(TPopupMenu* menu);

// The toolkit's message dialog, centred on the screen, shown modally. An
// empty caption keeps the dialog's own.
TModalResult lxShowMessageDialog(const std::string& message, const std::string& caption, TMsgDlgType type,
                                 TMsgDlgButtons buttons, int32_t help_context);

// Gives the form a font and scales its controls and client size by the
// ratio of the new to the old text height.
void lxScaleFormToFont(TCustomForm* form, const TFont& font);
