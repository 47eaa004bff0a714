#include "printers/font.h"

// The native build has no platform fonts, so there is no font class to make
// known; the printer library's other classes register as usual.
void prRegisterFontClass() {}

void prUnregisterFontClass() {}
