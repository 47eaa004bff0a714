#pragma once
// The start and end of the look-and-feel and control foundation as one
// module: every part of it that holds process-wide state is started once,
// in the order the parts depend on each other, and ended in reverse. The
// program starts it before anything that draws and ends it last.
// Included only from Windows sources.

// Counted: only the first start and the balancing end act. A part that
// fails to start ends the parts started before it, and the start fails.
void lxStartFoundation();
void lxEndFoundation();
bool lxFoundationStarted();
