#pragma once
// The texts of the extended editor kinds (colour and font-name combo
// boxes, label, progress and track bars, spin button, check combo box and
// check group, shell combo box, rich edit, hot-zone styles), registered
// under the product key "lxExtEdit", and the colour-name tables those
// editors offer. This system ships none of those editors: translators and
// the registry's captions are what read these texts. Portable.

#include <span>
#include <string_view>

#include "ui/foundation/base/resource_strings.h"

inline constexpr TlxResourceString slxSEditRepositoryColorComboBoxItem{"slxSEditRepositoryColorComboBoxItem"};
inline constexpr TlxResourceString slxSEditRepositoryFontNameComboBoxItem{"slxSEditRepositoryFontNameComboBoxItem"};
inline constexpr TlxResourceString slxSEditRepositoryLabelItem{"slxSEditRepositoryLabelItem"};
inline constexpr TlxResourceString slxSEditRepositoryProgressBarItem{"slxSEditRepositoryProgressBarItem"};
inline constexpr TlxResourceString slxSEditRepositoryTrackBarItem{"slxSEditRepositoryTrackBarItem"};
inline constexpr TlxResourceString slxSEditRepositorySpinButtonItem{"slxSEditRepositorySpinButtonItem"};
inline constexpr TlxResourceString slxSEditRepositoryCheckComboBox{"slxSEditRepositoryCheckComboBox"};
inline constexpr TlxResourceString slxSEditRepositoryShellComboBoxItem{"slxSEditRepositoryShellComboBoxItem"};
inline constexpr TlxResourceString slxSEditRepositoryCheckGroupItem{"slxSEditRepositoryCheckGroupItem"};
inline constexpr TlxResourceString slxUDAssociated{"slxUDAssociated"};
inline constexpr TlxResourceString slxHotZoneStyleMediaPlayer9{"slxHotZoneStyleMediaPlayer9"};
inline constexpr TlxResourceString slxHotZoneStyleMediaPlayer8{"slxHotZoneStyleMediaPlayer8"};
inline constexpr TlxResourceString slxHotZoneStyleXPTaskBar{"slxHotZoneStyleXPTaskBar"};
inline constexpr TlxResourceString slxHotZoneStyleSimple{"slxHotZoneStyleSimple"};
inline constexpr TlxResourceString slxLoadingFonts{"slxLoadingFonts"};
inline constexpr TlxResourceString lxSEditCheckGroupCaptionStateDelimiter{"lxSEditCheckGroupCaptionStateDelimiter"};
inline constexpr TlxResourceString lxSEditCheckGroupFilterColumnSeparator{"lxSEditCheckGroupFilterColumnSeparator"};
inline constexpr TlxResourceString lxSEditCheckGroupChecked{"lxSEditCheckGroupChecked"};
inline constexpr TlxResourceString lxSEditCheckGroupGrayed{"lxSEditCheckGroupGrayed"};
inline constexpr TlxResourceString lxSEditCheckGroupUnchecked{"lxSEditCheckGroupUnchecked"};
inline constexpr TlxResourceString lxSCheckComboBoxStatesItemsPropertyDlgCaption{
    "lxSCheckComboBoxStatesItemsPropertyDlgCaption"};
inline constexpr TlxResourceString lxSCheckGroupStatesItemsPropertyDlgCaption{
    "lxSCheckGroupStatesItemsPropertyDlgCaption"};
inline constexpr TlxResourceString lxSCheckComboBoxEmptySelectionText{"lxSCheckComboBoxEmptySelectionText"};
inline constexpr TlxResourceString lxSColorComboBoxDefaultDescription{"lxSColorComboBoxDefaultDescription"};
inline constexpr TlxResourceString lxSEditRichEditLibraryError{"lxSEditRichEditLibraryError"};
inline constexpr TlxResourceString lxSEditRichEditLineInsertionError{"lxSEditRichEditLineInsertionError"};
inline constexpr TlxResourceString lxSEditRichEditLoadFail{"lxSEditRichEditLoadFail"};
inline constexpr TlxResourceString lxSEditRichEditSaveFail{"lxSEditRichEditSaveFail"};
inline constexpr TlxResourceString lxSEditRichEditSelectionSaveFail{"lxSEditRichEditSelectionSaveFail"};
inline constexpr TlxResourceString lxSEditRichEditOleInterfaceFail{"lxSEditRichEditOleInterfaceFail"};
inline constexpr TlxResourceString lxSEditRichEditCallBackFail{"lxSEditRichEditCallBackFail"};
inline constexpr TlxResourceString lxSEditRichEditLinkFail{"lxSEditRichEditLinkFail"};
inline constexpr TlxResourceString slxSEditRepositoryRichEditItem{"slxSEditRepositoryRichEditItem"};
inline constexpr TlxResourceString lxSEditRichEditUndoCaption{"lxSEditRichEditUndoCaption"};
inline constexpr TlxResourceString lxSEditRichEditRedoCaption{"lxSEditRichEditRedoCaption"};
inline constexpr TlxResourceString lxSEditRichEditCutCaption{"lxSEditRichEditCutCaption"};
inline constexpr TlxResourceString lxSEditRichEditCopyCaption{"lxSEditRichEditCopyCaption"};
inline constexpr TlxResourceString lxSEditRichEditPasteCaption{"lxSEditRichEditPasteCaption"};
inline constexpr TlxResourceString lxSEditRichEditDeleteCaption{"lxSEditRichEditDeleteCaption"};
inline constexpr TlxResourceString lxSEditRichEditSelectAllCaption{"lxSEditRichEditSelectAllCaption"};

inline constexpr const char kLxExtEditProductKey[] = "lxExtEdit";

// The texts in registration order.
std::span<const TlxStringResource> lxExtEditStringTable();

// The module's start and end (counted): the texts are listed under the
// product key from the first start to the balancing end.
void lxExtEditStringsInitialize();
void lxExtEditStringsFinalize();

// The colour-name tables, constant data for the whole run: the names of
// the platform's colour constants (the sixteen basic colours, four extra
// ones, then the system colours), the sixteen basic colours of HTML 4, the
// 140 named web colours alphabetically, and the same 140 grouped by hue.
std::span<const std::string_view> lxPlatformColorNames();
std::span<const std::string_view> lxHtml4ColorNames();
std::span<const std::string_view> lxWebColorNamesByName();
std::span<const std::string_view> lxWebColorNamesByHue();
