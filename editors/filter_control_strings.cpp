#include "editors/filter_control_strings.h"

#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr TlxStringResource kFilterControlTexts[] = {
    {&lxSFilterBoolOperatorAnd, "AND"},
    {&lxSFilterBoolOperatorOr, "OR"},
    {&lxSFilterBoolOperatorNotAnd, "NOT AND"},
    {&lxSFilterBoolOperatorNotOr, "NOT OR"},
    {&lxSFilterRootButtonCaption, "Filter"},
    {&lxSFilterAddCondition, "Add &Condition"},
    {&lxSFilterAddGroup, "Add &Group"},
    {&lxSFilterRemoveRow, "&Remove Row"},
    {&lxSFilterClearAll, "Clear &All"},
    {&lxSFilterFooterAddCondition, "press the button to add a new condition"},
    {&lxSFilterGroupCaption, "applies to the following conditions"},
    {&lxSFilterRootGroupCaption, "<root>"},
    {&lxSFilterControlNullString, "<empty>"},
    {&lxSFilterErrorBuilding, "Can't build filter from source"},
    {&lxSFilterDialogCaption, "Custom Filter"},
    {&lxSFilterDialogInvalidValue, "Invalid value"},
    {&lxSFilterDialogUse, "Use"},
    {&lxSFilterDialogSingleCharacter, "to represent any single character"},
    {&lxSFilterDialogCharactersSeries, "to represent any series of characters"},
    {&lxSFilterDialogOperationAnd, "AND"},
    {&lxSFilterDialogOperationOr, "OR"},
    {&lxSFilterDialogRows, "Show rows where:"},
    {&lxSFilterControlDialogCaption, "Filter builder"},
    {&lxSFilterControlDialogNewFile, "untitled.flt"},
    {&lxSFilterControlDialogOpenDialogCaption, "Open an existing filter"},
    {&lxSFilterControlDialogSaveDialogCaption, "Save the active filter to file"},
    {&lxSFilterControlDialogActionSaveCaption, "&Save As..."},
    {&lxSFilterControlDialogActionOpenCaption, "&Open..."},
    {&lxSFilterControlDialogActionApplyCaption, "&Apply"},
    {&lxSFilterControlDialogActionOkCaption, "OK"},
    {&lxSFilterControlDialogActionCancelCaption, "Cancel"},
    {&lxSFilterControlDialogFileExt, "flt"},
    {&lxSFilterControlDialogFileFilter, "Filters (*.flt)|*.flt"},};

TlxModuleStartCount& ModuleStart() {
  static TlxModuleStartCount start;
  return start;
}

}  // namespace

std::string lxFilterControlResString(const TlxResourceString& record) {
  static const bool added = [] {
    lxAddStringResources(kFilterControlTexts);
    return true;
  }();
  (void)added;
  return lxLookupResString(record);
}

std::span<const TlxStringResource> lxFilterControlStringTable() { return kFilterControlTexts; }

void lxFilterControlStringsInitialize() {
  ModuleStart().Start([] { lxRegisterProductStrings(kLxFilterControlProductKey, kFilterControlTexts); });
}

void lxFilterControlStringsFinalize() {
  ModuleStart().End([] { lxGetResourceStringsRepository().UnregisterProduct(kLxFilterControlProductKey); });
}
