#include "ui/foundation/base/library_strings.h"

namespace {

// The registry texts carry a backslash before the key name, which is given
// relative to its root.
constexpr TlxStringResource kLibraryTexts[] = {
    {&slxCantCreateRegistryKey, "Can't create the registry key: \\%s"},
    {&slxCantOpenRegistryKey, "Can't open the registry key: \\%s"},
    {&slxErrorStoreObject, "Error store %s object"},
    {&slxConverterCantCreateStyleRepository, "Can't create the Style Repository"},
    {&lxSDateToday, "today"},
    {&lxSDateYesterday, "yesterday"},
    {&lxSDateTomorrow, "tomorrow"},
    {&lxSDateSunday, "Sunday"},
    {&lxSDateMonday, "Monday"},
    {&lxSDateTuesday, "Tuesday"},
    {&lxSDateWednesday, "Wednesday"},
    {&lxSDateThursday, "Thursday"},
    {&lxSDateFriday, "Friday"},
    {&lxSDateSaturday, "Saturday"},
    {&lxSDateFirst, "first"},
    {&lxSDateSecond, "second"},
    {&lxSDateThird, "third"},
    {&lxSDateFourth, "fourth"},
    {&lxSDateFifth, "fifth"},
    {&lxSDateSixth, "sixth"},
    {&lxSDateSeventh, "seventh"},
    {&lxSDateBOM, "bom"},
    {&lxSDateEOM, "eom"},
    {&lxSDateNow, "now"},
};

}  // namespace

std::span<const TlxStringResource> lxLibraryStringTable() { return kLibraryTexts; }

void lxRegisterLibraryStrings() { lxRegisterProductStrings(kLxLibraryProductKey, kLibraryTexts); }

void lxUnregisterLibraryStrings() { lxGetResourceStringsRepository().UnregisterProduct(kLxLibraryProductKey); }
