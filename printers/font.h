#pragma once
// The report library's font class TprFont (the platform's TFont publishing
// Height and Size) is known to the class registry while the library runs.

void prRegisterFontClass();
void prUnregisterFontClass();
