#include "printers/units.h"

// Without a display the library measures as on a standard screen.
int32_t prScreenPixelsPerInch() { return 96; }
