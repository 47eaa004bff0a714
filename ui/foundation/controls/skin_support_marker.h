#pragma once
// Marks a control class whose drawing can be taken over by a skin. It has
// no operations: the look-and-feel code only asks whether a control
// supports it (Supports<IlxSkinSupportMarker>).

#include "platform/rtl/object.h"

class IlxSkinSupportMarker : public virtual IInterface {};
