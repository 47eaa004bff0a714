#pragma once
// What the library's push and radio buttons share about their context
// popup and owner-draw messages: which components their PopupMenu may hold,
// when a WM_CONTEXTMENU is theirs to serve, and the measure-item answer.

#include <windows.h>

#include <functional>

#include "platform/rtl/component.h"
#include "platform/toolkit/control.h"

// Null, a toolkit popup menu or a component with a popup of its own.
bool lxIsPopupMenuComponent(TComponent* component);
// Stores `value` in `field` when acceptable (null otherwise), moving the
// free notification of `owner` from the old component to the new one.
void lxAssignPopupMenu(TComponent& owner, TComponent*& field, TComponent* value);
// The screen point a context popup opens at: the client origin for the
// keyboard point (-1, -1).
TPoint lxContextPopupScreenPoint(TControl& control, const TPoint& mouse_pos);
// Serves WM_CONTEXTMENU for the keyboard point or a point inside the
// client rectangle (not while designing) through `do_context_popup`; false
// when the message is left to the control's inherited handling.
bool lxServeButtonContextMenu(TControl& control, TMessage& message,
                              const std::function<void(TPoint mouse_pos, bool& handled)>& do_context_popup);
// Answers a measure-item request with the control's size.
void lxAnswerMeasureItem(TControl& control, TMessage& message);
