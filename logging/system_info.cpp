#include "logging/system_info.h"

TLogWirePerformanceCounter::~TLogWirePerformanceCounter() = default;
