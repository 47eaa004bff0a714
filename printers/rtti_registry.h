#pragma once
// The report library's registry of type information: one TrtRTTI class per
// described class, found by the described class's name. Registering a
// type-information class also registers it with the platform's class
// registry, so that stored references to it resolve.

#include <string_view>

#include "printers/rtti.h"

// Adds `type_info` (a stateless instance) unless its described class has
// one already; a second one for the same class changes nothing.
void prRegisterRTTI(const TrtRTTI& type_info);
// Removes the entry of `type_info`'s described class when it is this one.
void prUnregisterRTTI(const TrtRTTI& type_info);

// The type information registered for the class named `class_name` (letter
// case ignored), or null.
const TrtRTTI* prFindRTTI(std::string_view class_name);
// The type information of `cls` or of its nearest described ancestor.
const TrtRTTI* prFindRTTIForClass(const TClass* cls);

// Module start and end: the base classes' type information (TObject and
// TComponent) is registered, and at the end everything is removed.
void prRttiInitialize();
void prRttiFinalize();
