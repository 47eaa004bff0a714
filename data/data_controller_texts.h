#pragma once
// The data controller's message texts, registered under the product key
// "LxDataController" when the module starts (the first time one of them is
// asked for, or explicitly).

#include <span>
#include <string>

#include "ui/foundation/base/resource_strings.h"

inline constexpr TlxResourceString lxSDataReadError{"lxSDataReadError"};
inline constexpr TlxResourceString lxSDataWriteError{"lxSDataWriteError"};
inline constexpr TlxResourceString lxSDataItemExistError{"lxSDataItemExistError"};
inline constexpr TlxResourceString lxSDataRecordIndexError{"lxSDataRecordIndexError"};
inline constexpr TlxResourceString lxSDataItemIndexError{"lxSDataItemIndexError"};
inline constexpr TlxResourceString lxSDataProviderModeError{"lxSDataProviderModeError"};
inline constexpr TlxResourceString lxSDataInvalidStreamFormat{"lxSDataInvalidStreamFormat"};
inline constexpr TlxResourceString lxSDataRowIndexError{"lxSDataRowIndexError"};
inline constexpr TlxResourceString lxSDataCustomDataSourceInvalidCompare{"lxSDataCustomDataSourceInvalidCompare"};
inline constexpr TlxResourceString lxSDBDetailFilterControllerNotFound{"lxSDBDetailFilterControllerNotFound"};
inline constexpr TlxResourceString lxSDBNotInGridMode{"lxSDBNotInGridMode"};
inline constexpr TlxResourceString lxSDBKeyFieldNotFound{"lxSDBKeyFieldNotFound"};

inline constexpr const char kLxDataControllerProductKey[] = "LxDataController";

// The texts in registration order.
std::span<const TlxStringResource> lxDataControllerStringTable();
// The module's start: registers the texts once; later calls do nothing.
void lxRegisterDataControllerStrings();
// A text of this module, registering the module first when needed.
std::string lxDataControllerText(const TlxResourceString& record);

// The read and write failures of the stored formats, with this module's texts.
[[noreturn]] void lxRaiseDataReadError();
[[noreturn]] void lxRaiseDataWriteError();
