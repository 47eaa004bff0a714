#pragma once
// Hidden windows whose messages go to a function object instead of a
// control: timers, drag capture and other receivers of window messages.

#include <windows.h>

#include <functional>

#include "platform/toolkit/messages.h"

using TWndMethod = std::function<void(TMessage& message)>;

// A hidden top-level window of this thread whose every message goes to
// `method`. The method decides the result; messages it does not handle
// should go to CallDefaultWindowProc. Exceptions from the method reach the
// application's HandleException.
HWND AllocateHWnd(TWndMethod method);
// Destroys a window made by AllocateHWnd; null is ignored.
void DeallocateHWnd(HWND window);
void CallDefaultWindowProc(HWND window, TMessage& message);
