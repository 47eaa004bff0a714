#include "editors/edit_strings.h"

#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr TlxStringResource kEditTexts[] = {
    {&lxSEditButtonCancel, "Cancel"},
    {&lxSEditButtonOK, "OK"},
    {&lxSEditDateConvertError, "Could not convert to date"},
    {&lxSEditInvalidRepositoryItem, "The repository item is not acceptable"},
    {&lxSEditNumericValueConvertError, "Could not convert to numeric value"},
    {&lxSEditPopupCircularReferencingError, "Circular referencing is not allowed"},
    {&lxSEditPostError, "An error occured during posting edit value"},
    {&lxSEditTimeConvertError, "Could not convert to time"},
    {&lxSEditValidateErrorText, "Invalid input value. Use escape key to abandon changes"},
    {&lxSEditValueOutOfBounds, "Value out of bounds"},
    {&lxSEditCheckBoxChecked, "True"},
    {&lxSEditCheckBoxGrayed, ""},
    {&lxSEditCheckBoxUnchecked, "False"},
    {&lxSRadioGroupDefaultCaption, ""},
    {&lxSTextTrue, "True"},
    {&lxSTextFalse, "False"},
    {&lxSBlobButtonOK, "&OK"},
    {&lxSBlobButtonCancel, "&Cancel"},
    {&lxSBlobButtonClose, "&Close"},
    {&lxSBlobMemo, "(MEMO)"},
    {&lxSBlobMemoEmpty, "(memo)"},
    {&lxSBlobPicture, "(PICTURE)"},
    {&lxSBlobPictureEmpty, "(picture)"},
    {&lxSMenuItemCaptionCut, "Cu&t"},
    {&lxSMenuItemCaptionCopy, "&Copy"},
    {&lxSMenuItemCaptionPaste, "&Paste"},
    {&lxSMenuItemCaptionDelete, "&Delete"},
    {&lxSMenuItemCaptionLoad, "&Load..."},
    {&lxSMenuItemCaptionSave, "Save &As..."},
    {&lxSDatePopupClear, "Clear"},
    {&lxSDatePopupNow, "Now"},
    {&lxSDatePopupOK, "OK"},
    {&lxSDatePopupToday, "Today"},
    {&lxSDateError, "Invalid Date"},
    {&slxSCalcError, "Error"},
    {&slxSHyperLinkPrefix, "http://"},
    {&slxSHyperLinkDoubleSlash, "//"},
    {&lxNavigatorHint_First, "First record"},
    {&lxNavigatorHint_Prior, "Prior record"},
    {&lxNavigatorHint_PriorPage, "Prior page"},
    {&lxNavigatorHint_Next, "Next record"},
    {&lxNavigatorHint_NextPage, "Next page"},
    {&lxNavigatorHint_Last, "Last record"},
    {&lxNavigatorHint_Insert, "Insert record"},
    {&lxNavigatorHint_Append, "Append record"},
    {&lxNavigatorHint_Delete, "Delete record"},
    {&lxNavigatorHint_Edit, "Edit record"},
    {&lxNavigatorHint_Post, "Post edit"},
    {&lxNavigatorHint_Cancel, "Cancel edit"},
    {&lxNavigatorHint_Refresh, "Refresh data"},
    {&lxNavigatorHint_SaveBookmark, "Save Bookmark"},
    {&lxNavigatorHint_GotoBookmark, "Goto Bookmark"},
    {&lxNavigatorHint_Filter, "Filter data"},
    {&lxNavigator_DeleteRecordQuestion, "Delete record?"},
    {&slxSEditRepositoryBlobItem, "BlobEdit|Represents the BLOB editor"},
    {&slxSEditRepositoryButtonItem, "ButtonEdit|Represents an edit control with embedded buttons"},
    {&slxSEditRepositoryCalcItem, "CalcEdit|Represents an edit control with a dropdown calculator window"},
    {&slxSEditRepositoryCheckBoxItem, "CheckBox|Represents a check box control that allows selecting an option"},
    {&slxSEditRepositoryComboBoxItem, "ComboBox|Represents the combo box editor"},
    {&slxSEditRepositoryCurrencyItem, "CurrencyEdit|Represents an editor enabling editing currency data"},
    {&slxSEditRepositoryDateItem, "DateEdit|Represents an edit control with a dropdown calendar"},
    {&slxSEditRepositoryHyperLinkItem, "HyperLink|Represents a text editor with hyperlink functionality"},
    {&slxSEditRepositoryImageComboBoxItem, "ImageComboBox|Represents an editor displaying the list of images and text strings within the dropdown window"},
    {&slxSEditRepositoryImageItem, "Image|Represents an image editor"},
    {&slxSEditRepositoryLookupComboBoxItem, "LookupComboBox|Represents a lookup combo box control"},
    {&slxSEditRepositoryMaskItem, "MaskEdit|Represents a generic masked edit control."},
    {&slxSEditRepositoryMemoItem, "Memo|Represents an edit control that allows editing memo data"},
    {&slxSEditRepositoryMRUItem, "MRUEdit|Represents a text editor displaying the list of most recently used items (MRU) within a dropdown window"},
    {&slxSEditRepositoryPopupItem, "PopupEdit|Represents an edit control with a dropdown list"},
    {&slxSEditRepositorySpinItem, "SpinEdit|Represents a spin editor"},
    {&slxSEditRepositoryRadioGroupItem, "RadioGroup|Represents a group of radio buttons"},
    {&slxSEditRepositoryTextItem, "TextEdit|Represents a single line text editor"},
    {&slxSEditRepositoryTimeItem, "TimeEdit|Represents an editor displaying time values"},
    {&slxRegExprLine, "Line"},
    {&slxRegExprChar, "Char"},
    {&slxRegExprNotAssignedSourceStream, "The source stream is not assigned"},
    {&slxRegExprEmptySourceStream, "The source stream is empty"},
    {&slxRegExprCantUsePlusQuantifier, "The '+' quantifier cannot be applied here"},
    {&slxRegExprCantUseStarQuantifier, "The '*' quantifier cannot be applied here"},
    {&slxRegExprCantCreateEmptyAlt, "The alternative should not be empty"},
    {&slxRegExprCantCreateEmptyBlock, "The block should not be empty"},
    {&slxRegExprIllegalSymbol, "Illegal '%s'"},
    {&slxRegExprIllegalQuantifier, "Illegal quantifier '%s'"},
    {&slxRegExprNotSupportQuantifier, "The parameter quantifiers are not supported"},
    {&slxRegExprIllegalIntegerValue, "Illegal integer value"},
    {&slxRegExprTooBigReferenceNumber, "Too big reference number"},
    {&slxRegExprCantCreateEmptyEnum, "Can't create empty enumeration"},
    {&slxRegExprSubrangeOrder, "The starting character of the subrange must be less than the finishing one"},
    {&slxRegExprHexNumberExpected0, "Hexadecimal number expected"},
    {&slxRegExprHexNumberExpected, "Hexadecimal number expected but '%s' found"},
    {&slxRegExprMissing, "Missing '%s'"},
    {&slxRegExprUnnecessary, "Unnecessary '%s'"},
    {&slxRegExprIncorrectSpace, "The space character is not allowed after '\\'"},
    {&slxRegExprNotCompiled, "Regular expression is not compiled"},
    {&slxRegExprIncorrectParameterQuantifier, "Incorrect parameter quantifier"},
    {&slxRegExprCantUseParameterQuantifier, "The parameter quantifier cannot be applied here"},
    {&slxMaskEditRegExprError, "Regular expression errors:"},
    {&slxMaskEditInvalidEditValue, "The edit value is invalid"},
    {&slxMaskEditNoMask, "None"},
    {&slxMaskEditIllegalFileFormat, "Illegal file format"},
    {&slxMaskEditEmptyMaskCollectionFile, "The mask collection file is empty"},
    {&slxMaskEditMaskCollectionFiles, "Mask collection files"},
    {&lxSSpinEditInvalidNumericValue, "Invalid numeric value"},};

TlxModuleStartCount& ModuleStart() {
  static TlxModuleStartCount start;
  return start;
}

}  // namespace

std::string lxEditResString(const TlxResourceString& record) {
  static const bool added = [] {
    lxAddStringResources(kEditTexts);
    return true;
  }();
  (void)added;
  return lxLookupResString(record);
}

std::span<const TlxStringResource> lxEditStringTable() { return kEditTexts; }

void lxEditConstsRegisterString(TlxProductResourceStrings& product, const TlxStringResource& entry) {
  product.AddResString(entry.Record->Identifier, entry.Record);
}

void lxEditConstsRegisterStrings(TlxProductResourceStrings& product) {
  for (const TlxStringResource& entry : kEditTexts)
    lxEditConstsRegisterString(product, entry);
}

void lxEditConstsInitialize() {
  ModuleStart().Start([] {
    lxAddStringResources(kEditTexts);
    lxGetResourceStringsRepository().RegisterProduct(kLxEditorsProductKey, &lxEditConstsRegisterStrings);
  });
}

void lxEditConstsFinalize() {
  ModuleStart().End([] { lxGetResourceStringsRepository().UnregisterProduct(kLxEditorsProductKey); });
}
