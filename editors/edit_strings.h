#pragma once
// The editors' texts, registered under the product key "LxEditors Library"
// when the editor-strings module starts and unregistered when it ends. The
// editor-kind registry texts are a short name, "|" and a description.

#include <span>
#include <string>

#include "ui/foundation/base/resource_strings.h"

inline constexpr TlxResourceString lxSEditButtonCancel{"lxSEditButtonCancel"};
inline constexpr TlxResourceString lxSEditButtonOK{"lxSEditButtonOK"};
inline constexpr TlxResourceString lxSEditDateConvertError{"lxSEditDateConvertError"};
inline constexpr TlxResourceString lxSEditInvalidRepositoryItem{"lxSEditInvalidRepositoryItem"};
inline constexpr TlxResourceString lxSEditNumericValueConvertError{"lxSEditNumericValueConvertError"};
inline constexpr TlxResourceString lxSEditPopupCircularReferencingError{"lxSEditPopupCircularReferencingError"};
inline constexpr TlxResourceString lxSEditPostError{"lxSEditPostError"};
inline constexpr TlxResourceString lxSEditTimeConvertError{"lxSEditTimeConvertError"};
inline constexpr TlxResourceString lxSEditValidateErrorText{"lxSEditValidateErrorText"};
inline constexpr TlxResourceString lxSEditValueOutOfBounds{"lxSEditValueOutOfBounds"};
inline constexpr TlxResourceString lxSEditCheckBoxChecked{"lxSEditCheckBoxChecked"};
inline constexpr TlxResourceString lxSEditCheckBoxGrayed{"lxSEditCheckBoxGrayed"};
inline constexpr TlxResourceString lxSEditCheckBoxUnchecked{"lxSEditCheckBoxUnchecked"};
inline constexpr TlxResourceString lxSRadioGroupDefaultCaption{"lxSRadioGroupDefaultCaption"};
inline constexpr TlxResourceString lxSTextTrue{"lxSTextTrue"};
inline constexpr TlxResourceString lxSTextFalse{"lxSTextFalse"};
inline constexpr TlxResourceString lxSBlobButtonOK{"lxSBlobButtonOK"};
inline constexpr TlxResourceString lxSBlobButtonCancel{"lxSBlobButtonCancel"};
inline constexpr TlxResourceString lxSBlobButtonClose{"lxSBlobButtonClose"};
inline constexpr TlxResourceString lxSBlobMemo{"lxSBlobMemo"};
inline constexpr TlxResourceString lxSBlobMemoEmpty{"lxSBlobMemoEmpty"};
inline constexpr TlxResourceString lxSBlobPicture{"lxSBlobPicture"};
inline constexpr TlxResourceString lxSBlobPictureEmpty{"lxSBlobPictureEmpty"};
inline constexpr TlxResourceString lxSMenuItemCaptionCut{"lxSMenuItemCaptionCut"};
inline constexpr TlxResourceString lxSMenuItemCaptionCopy{"lxSMenuItemCaptionCopy"};
inline constexpr TlxResourceString lxSMenuItemCaptionPaste{"lxSMenuItemCaptionPaste"};
inline constexpr TlxResourceString lxSMenuItemCaptionDelete{"lxSMenuItemCaptionDelete"};
inline constexpr TlxResourceString lxSMenuItemCaptionLoad{"lxSMenuItemCaptionLoad"};
inline constexpr TlxResourceString lxSMenuItemCaptionSave{"lxSMenuItemCaptionSave"};
inline constexpr TlxResourceString lxSDatePopupClear{"lxSDatePopupClear"};
inline constexpr TlxResourceString lxSDatePopupNow{"lxSDatePopupNow"};
inline constexpr TlxResourceString lxSDatePopupOK{"lxSDatePopupOK"};
inline constexpr TlxResourceString lxSDatePopupToday{"lxSDatePopupToday"};
inline constexpr TlxResourceString lxSDateError{"lxSDateError"};
inline constexpr TlxResourceString slxSCalcError{"slxSCalcError"};
inline constexpr TlxResourceString slxSHyperLinkPrefix{"slxSHyperLinkPrefix"};
inline constexpr TlxResourceString slxSHyperLinkDoubleSlash{"slxSHyperLinkDoubleSlash"};
inline constexpr TlxResourceString lxNavigatorHint_First{"lxNavigatorHint_First"};
inline constexpr TlxResourceString lxNavigatorHint_Prior{"lxNavigatorHint_Prior"};
inline constexpr TlxResourceString lxNavigatorHint_PriorPage{"lxNavigatorHint_PriorPage"};
inline constexpr TlxResourceString lxNavigatorHint_Next{"lxNavigatorHint_Next"};
inline constexpr TlxResourceString lxNavigatorHint_NextPage{"lxNavigatorHint_NextPage"};
inline constexpr TlxResourceString lxNavigatorHint_Last{"lxNavigatorHint_Last"};
inline constexpr TlxResourceString lxNavigatorHint_Insert{"lxNavigatorHint_Insert"};
inline constexpr TlxResourceString lxNavigatorHint_Append{"lxNavigatorHint_Append"};
inline constexpr TlxResourceString lxNavigatorHint_Delete{"lxNavigatorHint_Delete"};
inline constexpr TlxResourceString lxNavigatorHint_Edit{"lxNavigatorHint_Edit"};
inline constexpr TlxResourceString lxNavigatorHint_Post{"lxNavigatorHint_Post"};
inline constexpr TlxResourceString lxNavigatorHint_Cancel{"lxNavigatorHint_Cancel"};
inline constexpr TlxResourceString lxNavigatorHint_Refresh{"lxNavigatorHint_Refresh"};
inline constexpr TlxResourceString lxNavigatorHint_SaveBookmark{"lxNavigatorHint_SaveBookmark"};
inline constexpr TlxResourceString lxNavigatorHint_GotoBookmark{"lxNavigatorHint_GotoBookmark"};
inline constexpr TlxResourceString lxNavigatorHint_Filter{"lxNavigatorHint_Filter"};
inline constexpr TlxResourceString lxNavigator_DeleteRecordQuestion{"lxNavigator_DeleteRecordQuestion"};
inline constexpr TlxResourceString slxSEditRepositoryBlobItem{"slxSEditRepositoryBlobItem"};
inline constexpr TlxResourceString slxSEditRepositoryButtonItem{"slxSEditRepositoryButtonItem"};
inline constexpr TlxResourceString slxSEditRepositoryCalcItem{"slxSEditRepositoryCalcItem"};
inline constexpr TlxResourceString slxSEditRepositoryCheckBoxItem{"slxSEditRepositoryCheckBoxItem"};
inline constexpr TlxResourceString slxSEditRepositoryComboBoxItem{"slxSEditRepositoryComboBoxItem"};
inline constexpr TlxResourceString slxSEditRepositoryCurrencyItem{"slxSEditRepositoryCurrencyItem"};
inline constexpr TlxResourceString slxSEditRepositoryDateItem{"slxSEditRepositoryDateItem"};
inline constexpr TlxResourceString slxSEditRepositoryHyperLinkItem{"slxSEditRepositoryHyperLinkItem"};
inline constexpr TlxResourceString slxSEditRepositoryImageComboBoxItem{"slxSEditRepositoryImageComboBoxItem"};
inline constexpr TlxResourceString slxSEditRepositoryImageItem{"slxSEditRepositoryImageItem"};
inline constexpr TlxResourceString slxSEditRepositoryLookupComboBoxItem{"slxSEditRepositoryLookupComboBoxItem"};
inline constexpr TlxResourceString slxSEditRepositoryMaskItem{"slxSEditRepositoryMaskItem"};
inline constexpr TlxResourceString slxSEditRepositoryMemoItem{"slxSEditRepositoryMemoItem"};
inline constexpr TlxResourceString slxSEditRepositoryMRUItem{"slxSEditRepositoryMRUItem"};
inline constexpr TlxResourceString slxSEditRepositoryPopupItem{"slxSEditRepositoryPopupItem"};
inline constexpr TlxResourceString slxSEditRepositorySpinItem{"slxSEditRepositorySpinItem"};
inline constexpr TlxResourceString slxSEditRepositoryRadioGroupItem{"slxSEditRepositoryRadioGroupItem"};
inline constexpr TlxResourceString slxSEditRepositoryTextItem{"slxSEditRepositoryTextItem"};
inline constexpr TlxResourceString slxSEditRepositoryTimeItem{"slxSEditRepositoryTimeItem"};
inline constexpr TlxResourceString slxRegExprLine{"slxRegExprLine"};
inline constexpr TlxResourceString slxRegExprChar{"slxRegExprChar"};
inline constexpr TlxResourceString slxRegExprNotAssignedSourceStream{"slxRegExprNotAssignedSourceStream"};
inline constexpr TlxResourceString slxRegExprEmptySourceStream{"slxRegExprEmptySourceStream"};
inline constexpr TlxResourceString slxRegExprCantUsePlusQuantifier{"slxRegExprCantUsePlusQuantifier"};
inline constexpr TlxResourceString slxRegExprCantUseStarQuantifier{"slxRegExprCantUseStarQuantifier"};
inline constexpr TlxResourceString slxRegExprCantCreateEmptyAlt{"slxRegExprCantCreateEmptyAlt"};
inline constexpr TlxResourceString slxRegExprCantCreateEmptyBlock{"slxRegExprCantCreateEmptyBlock"};
inline constexpr TlxResourceString slxRegExprIllegalSymbol{"slxRegExprIllegalSymbol"};
inline constexpr TlxResourceString slxRegExprIllegalQuantifier{"slxRegExprIllegalQuantifier"};
inline constexpr TlxResourceString slxRegExprNotSupportQuantifier{"slxRegExprNotSupportQuantifier"};
inline constexpr TlxResourceString slxRegExprIllegalIntegerValue{"slxRegExprIllegalIntegerValue"};
inline constexpr TlxResourceString slxRegExprTooBigReferenceNumber{"slxRegExprTooBigReferenceNumber"};
inline constexpr TlxResourceString slxRegExprCantCreateEmptyEnum{"slxRegExprCantCreateEmptyEnum"};
inline constexpr TlxResourceString slxRegExprSubrangeOrder{"slxRegExprSubrangeOrder"};
inline constexpr TlxResourceString slxRegExprHexNumberExpected0{"slxRegExprHexNumberExpected0"};
inline constexpr TlxResourceString slxRegExprHexNumberExpected{"slxRegExprHexNumberExpected"};
inline constexpr TlxResourceString slxRegExprMissing{"slxRegExprMissing"};
inline constexpr TlxResourceString slxRegExprUnnecessary{"slxRegExprUnnecessary"};
inline constexpr TlxResourceString slxRegExprIncorrectSpace{"slxRegExprIncorrectSpace"};
inline constexpr TlxResourceString slxRegExprNotCompiled{"slxRegExprNotCompiled"};
inline constexpr TlxResourceString slxRegExprIncorrectParameterQuantifier{"slxRegExprIncorrectParameterQuantifier"};
inline constexpr TlxResourceString slxRegExprCantUseParameterQuantifier{"slxRegExprCantUseParameterQuantifier"};
inline constexpr TlxResourceString slxMaskEditRegExprError{"slxMaskEditRegExprError"};
inline constexpr TlxResourceString slxMaskEditInvalidEditValue{"slxMaskEditInvalidEditValue"};
inline constexpr TlxResourceString slxMaskEditNoMask{"slxMaskEditNoMask"};
inline constexpr TlxResourceString slxMaskEditIllegalFileFormat{"slxMaskEditIllegalFileFormat"};
inline constexpr TlxResourceString slxMaskEditEmptyMaskCollectionFile{"slxMaskEditEmptyMaskCollectionFile"};
inline constexpr TlxResourceString slxMaskEditMaskCollectionFiles{"slxMaskEditMaskCollectionFiles"};
inline constexpr TlxResourceString lxSSpinEditInvalidNumericValue{"lxSSpinEditInvalidNumericValue"};

inline constexpr const char kLxEditorsProductKey[] = "LxEditors Library";

// The texts in registration order.
std::span<const TlxStringResource> lxEditStringTable();

// The registration routine: enters one text under its identifier.
void lxEditConstsRegisterString(TlxProductResourceStrings& product, const TlxStringResource& entry);
// Enters every text, in table order.
void lxEditConstsRegisterStrings(TlxProductResourceStrings& product);

// The current text of one of these records, also before the module start.
std::string lxEditResString(const TlxResourceString& record);

// The module's start and end (counted: only the first start registers and
// only the balancing end unregisters).
void lxEditConstsInitialize();
void lxEditConstsFinalize();
