#pragma once
// The filter builder's and the filter dialogs' texts, registered under the
// product key "LxFilterControl". The condition operators' captions are the
// data controller's texts, not these.

#include <span>
#include <string>

#include "ui/foundation/base/resource_strings.h"

inline constexpr TlxResourceString lxSFilterBoolOperatorAnd{"lxSFilterBoolOperatorAnd"};
inline constexpr TlxResourceString lxSFilterBoolOperatorOr{"lxSFilterBoolOperatorOr"};
inline constexpr TlxResourceString lxSFilterBoolOperatorNotAnd{"lxSFilterBoolOperatorNotAnd"};
inline constexpr TlxResourceString lxSFilterBoolOperatorNotOr{"lxSFilterBoolOperatorNotOr"};
inline constexpr TlxResourceString lxSFilterRootButtonCaption{"lxSFilterRootButtonCaption"};
inline constexpr TlxResourceString lxSFilterAddCondition{"lxSFilterAddCondition"};
inline constexpr TlxResourceString lxSFilterAddGroup{"lxSFilterAddGroup"};
inline constexpr TlxResourceString lxSFilterRemoveRow{"lxSFilterRemoveRow"};
inline constexpr TlxResourceString lxSFilterClearAll{"lxSFilterClearAll"};
inline constexpr TlxResourceString lxSFilterFooterAddCondition{"lxSFilterFooterAddCondition"};
inline constexpr TlxResourceString lxSFilterGroupCaption{"lxSFilterGroupCaption"};
inline constexpr TlxResourceString lxSFilterRootGroupCaption{"lxSFilterRootGroupCaption"};
inline constexpr TlxResourceString lxSFilterControlNullString{"lxSFilterControlNullString"};
inline constexpr TlxResourceString lxSFilterErrorBuilding{"lxSFilterErrorBuilding"};
inline constexpr TlxResourceString lxSFilterDialogCaption{"lxSFilterDialogCaption"};
inline constexpr TlxResourceString lxSFilterDialogInvalidValue{"lxSFilterDialogInvalidValue"};
inline constexpr TlxResourceString lxSFilterDialogUse{"lxSFilterDialogUse"};
inline constexpr TlxResourceString lxSFilterDialogSingleCharacter{"lxSFilterDialogSingleCharacter"};
inline constexpr TlxResourceString lxSFilterDialogCharactersSeries{"lxSFilterDialogCharactersSeries"};
inline constexpr TlxResourceString lxSFilterDialogOperationAnd{"lxSFilterDialogOperationAnd"};
inline constexpr TlxResourceString lxSFilterDialogOperationOr{"lxSFilterDialogOperationOr"};
inline constexpr TlxResourceString lxSFilterDialogRows{"lxSFilterDialogRows"};
inline constexpr TlxResourceString lxSFilterControlDialogCaption{"lxSFilterControlDialogCaption"};
inline constexpr TlxResourceString lxSFilterControlDialogNewFile{"lxSFilterControlDialogNewFile"};
inline constexpr TlxResourceString lxSFilterControlDialogOpenDialogCaption{"lxSFilterControlDialogOpenDialogCaption"};
inline constexpr TlxResourceString lxSFilterControlDialogSaveDialogCaption{"lxSFilterControlDialogSaveDialogCaption"};
inline constexpr TlxResourceString lxSFilterControlDialogActionSaveCaption{"lxSFilterControlDialogActionSaveCaption"};
inline constexpr TlxResourceString lxSFilterControlDialogActionOpenCaption{"lxSFilterControlDialogActionOpenCaption"};
inline constexpr TlxResourceString lxSFilterControlDialogActionApplyCaption{"lxSFilterControlDialogActionApplyCaption"};
inline constexpr TlxResourceString lxSFilterControlDialogActionOkCaption{"lxSFilterControlDialogActionOkCaption"};
inline constexpr TlxResourceString lxSFilterControlDialogActionCancelCaption{"lxSFilterControlDialogActionCancelCaption"};
inline constexpr TlxResourceString lxSFilterControlDialogFileExt{"lxSFilterControlDialogFileExt"};
inline constexpr TlxResourceString lxSFilterControlDialogFileFilter{"lxSFilterControlDialogFileFilter"};

inline constexpr const char kLxFilterControlProductKey[] = "LxFilterControl";

// The texts in registration order.
std::span<const TlxStringResource> lxFilterControlStringTable();

// The current text of one of these records, also before the module start.
std::string lxFilterControlResString(const TlxResourceString& record);

// The module's start and end (counted).
void lxFilterControlStringsInitialize();
void lxFilterControlStringsFinalize();
