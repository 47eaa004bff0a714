#include "platform/rtl/locale.h"

// The native build has no system locale to ask: every locale is the
// built-in deterministic one, and the machine's locale is English.

std::unique_ptr<TLocale> CreateLocale(std::string_view name) { return CreateTableLocale(name); }

std::unique_ptr<TLocale> CreateMachineLocale() { return CreateTableLocale("en-US"); }
