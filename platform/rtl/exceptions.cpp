#include "platform/rtl/exceptions.h"

// Out of line so that the exception's type information lives in one object
// file, which keeps catch clauses working across the static libraries.
Exception::~Exception() = default;
