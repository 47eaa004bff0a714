#pragma once
// The library's own texts: registry and storing errors, the style
// converter's message and the words that the smart date input understands.
// They are registered under the product key "LxLibrary" when the library's
// core module starts and unregistered when it ends.

#include <span>

#include "ui/foundation/base/resource_strings.h"

inline constexpr TlxResourceString slxCantCreateRegistryKey{"slxCantCreateRegistryKey"};
inline constexpr TlxResourceString slxCantOpenRegistryKey{"slxCantOpenRegistryKey"};
inline constexpr TlxResourceString slxErrorStoreObject{"slxErrorStoreObject"};
inline constexpr TlxResourceString slxConverterCantCreateStyleRepository{"slxConverterCantCreateStyleRepository"};
inline constexpr TlxResourceString lxSDateToday{"lxSDateToday"};
inline constexpr TlxResourceString lxSDateYesterday{"lxSDateYesterday"};
inline constexpr TlxResourceString lxSDateTomorrow{"lxSDateTomorrow"};
inline constexpr TlxResourceString lxSDateSunday{"lxSDateSunday"};
inline constexpr TlxResourceString lxSDateMonday{"lxSDateMonday"};
inline constexpr TlxResourceString lxSDateTuesday{"lxSDateTuesday"};
inline constexpr TlxResourceString lxSDateWednesday{"lxSDateWednesday"};
inline constexpr TlxResourceString lxSDateThursday{"lxSDateThursday"};
inline constexpr TlxResourceString lxSDateFriday{"lxSDateFriday"};
inline constexpr TlxResourceString lxSDateSaturday{"lxSDateSaturday"};
inline constexpr TlxResourceString lxSDateFirst{"lxSDateFirst"};
inline constexpr TlxResourceString lxSDateSecond{"lxSDateSecond"};
inline constexpr TlxResourceString lxSDateThird{"lxSDateThird"};
inline constexpr TlxResourceString lxSDateFourth{"lxSDateFourth"};
inline constexpr TlxResourceString lxSDateFifth{"lxSDateFifth"};
inline constexpr TlxResourceString lxSDateSixth{"lxSDateSixth"};
inline constexpr TlxResourceString lxSDateSeventh{"lxSDateSeventh"};
inline constexpr TlxResourceString lxSDateBOM{"lxSDateBOM"};
inline constexpr TlxResourceString lxSDateEOM{"lxSDateEOM"};
inline constexpr TlxResourceString lxSDateNow{"lxSDateNow"};

inline constexpr const char kLxLibraryProductKey[] = "LxLibrary";

// The texts in registration order.
std::span<const TlxStringResource> lxLibraryStringTable();

// The module's start and end.
void lxRegisterLibraryStrings();
void lxUnregisterLibraryStrings();
