#pragma once
// Faults raised while a cell is measured or painted (a summary value that
// cannot be formatted, say) must not open an error box inside WM_PAINT: the
// box would be painted over by the next paint and open again, for ever.
// They are kept and reported to the application once the paint is over, and
// a fault with the same text as one reported before is not reported again.
// Included only from Windows sources.

#include <string>

#include "platform/rtl/exceptions.h"

// Keeps `error` for the report after the current message.
void lxGridReportPaintError(const Exception& error);
// Reports the kept faults now; the deferred report calls it, tests may too.
void lxGridFlushPaintErrors();
// Whether a fault waits for its report.
bool lxGridHasPendingPaintErrors();
// Forgets the faults reported so far, so that they are reported again.
void lxGridResetPaintErrors();
