#include "editors/kinds/ext_edit_strings.h"

#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr TlxStringResource kExtEditTexts[] = {
    {&slxSEditRepositoryColorComboBoxItem, "ColorComboBox |Represents a editor with color functionality"},
    {&slxSEditRepositoryFontNameComboBoxItem, "FontNameComboBox |Represents a editor with font functionality"},
    {&slxSEditRepositoryLabelItem, "Label|Represents a Label"},
    {&slxSEditRepositoryProgressBarItem, "ProgressBar|Represents a ProgressBar"},
    {&slxSEditRepositoryTrackBarItem, "TrackBar|Represents a TrackBar"},
    {&slxSEditRepositorySpinButtonItem, "SpinButton|Represents a SpinButton"},
    {&slxSEditRepositoryCheckComboBox, "CheckComboBox|Represents a CheckComboBox"},
    {&slxSEditRepositoryShellComboBoxItem, "ShellComboBox|Represents a combo box with a dropdown shell tree view"},
    {&slxSEditRepositoryCheckGroupItem, "CheckGroup|Represents a group of check boxes"},
    {&slxUDAssociated, " is already associated with "},
    {&slxHotZoneStyleMediaPlayer9, "MediaPlayer9"},
    {&slxHotZoneStyleMediaPlayer8, "MediaPlayer8"},
    {&slxHotZoneStyleXPTaskBar, "XPTaskBar"},
    {&slxHotZoneStyleSimple, "Simple"},
    {&slxLoadingFonts, "Loading ..."},
    {&lxSEditCheckGroupCaptionStateDelimiter, ": "},
    {&lxSEditCheckGroupFilterColumnSeparator, "; "},
    {&lxSEditCheckGroupChecked, "Checked"},
    {&lxSEditCheckGroupGrayed, "Grayed"},
    {&lxSEditCheckGroupUnchecked, "Unchecked"},
    {&lxSCheckComboBoxStatesItemsPropertyDlgCaption, "lxCheckComboBox - CheckStates editor"},
    {&lxSCheckGroupStatesItemsPropertyDlgCaption, "lxCheckGroup - CheckStates editor"},
    {&lxSCheckComboBoxEmptySelectionText, "None selected"},
    {&lxSColorComboBoxDefaultDescription, "Color not selected"},
    {&lxSEditRichEditLibraryError, "Cannot load a RichEdit library"},
    {&lxSEditRichEditLineInsertionError, "RichEdit line insertion error"},
    {&lxSEditRichEditLoadFail, "Failed to Load Stream"},
    {&lxSEditRichEditSaveFail, "Failed to Save Stream"},
    {&lxSEditRichEditSelectionSaveFail, "Failed to selection Save Stream"},
    {&lxSEditRichEditOleInterfaceFail, "RichEdit: failed to get IRichEditOle interface"},
    {&lxSEditRichEditCallBackFail, "RichEdit: failed to set callback"},
    {&lxSEditRichEditLinkFail, "RichEdit: cannot link to an invalid source"},
    {&slxSEditRepositoryRichEditItem, "RichEdit|RichEdit control"},
    {&lxSEditRichEditUndoCaption, "&Undo"},
    {&lxSEditRichEditRedoCaption, "&Redo"},
    {&lxSEditRichEditCutCaption, "Cu&t"},
    {&lxSEditRichEditCopyCaption, "&Copy"},
    {&lxSEditRichEditPasteCaption, "&Paste"},
    {&lxSEditRichEditDeleteCaption, "&Delete"},
    {&lxSEditRichEditSelectAllCaption, "Select &All"},
};

constexpr std::string_view kPlatformColorNames[] = {
    "clBlack", "clMaroon", "clGreen", "clOlive", "clNavy", "clPurple", "clTeal", "clGray", "clSilver",
    "clRed", "clLime", "clYellow", "clBlue", "clFuchsia", "clAqua", "clWhite", "clMoneyGreen", "clSkyBlue",
    "clCream", "clMedGray", "clActiveBorder", "clActiveCaption", "clAppWorkSpace", "clBackground",
    "clBtnFace", "clBtnHighlight", "clBtnShadow", "clBtnText", "clCaptionText", "clDefault",
    "clGradientActiveCaption", "clGradientInactiveCaption", "clGrayText", "clHighlight", "clHighlightText",
    "clHotLight", "clInactiveBorder", "clInactiveCaption", "clInactiveCaptionText", "clInfoBk", "clInfoText",
    "clMenu", "clMenuBar", "clMenuHighlight", "clMenuText", "clNone", "clScrollBar", "cl3DDkShadow",
    "cl3DLight", "clWindow", "clWindowFrame", "clWindowText",
};

constexpr std::string_view kHtml4ColorNames[] = {
    "Black", "Silver", "Gray", "White", "Maroon", "Red", "Purple", "Fuchsia", "Green", "Lime", "Olive",
    "Yellow", "Navy", "Blue", "Teal", "Aqua",
};

constexpr std::string_view kWebColorNamesByName[] = {
    "AliceBlue", "AntiqueWhite", "Aqua", "Aquamarine", "Azure", "Beige", "Bisque", "Black", "BlanchedAlmond",
    "Blue", "BlueViolet", "Brown", "BurlyWood", "CadetBlue", "Chartreuse", "Chocolate", "Coral",
    "CornflowerBlue", "Cornsilk", "Crimson", "Cyan", "DarkBlue", "DarkCyan", "DarkGoldenrod", "DarkGray",
    "DarkGreen", "DarkKhaki", "DarkMagenta", "DarkOliveGreen", "DarkOrange", "DarkOrchid", "DarkRed",
    "DarkSalmon", "DarkSeaGreen", "DarkSlateBlue", "DarkSlateGray", "DarkTurquoise", "DarkViolet", "DeepPink",
    "DeepSkyBlue", "DimGray", "DodgerBlue", "FireBrick", "FloralWhite", "ForestGreen", "Fuchsia", "Gainsboro",
    "GhostWhite", "Gold", "Goldenrod", "Gray", "Green", "GreenYellow", "Honeydew", "HotPink", "IndianRed",
    "Indigo", "Ivory", "Khaki", "Lavender", "LavenderBlush", "LawnGreen", "LemonChiffon", "LightBlue",
    "LightCoral", "LightCyan", "LightGoldenrodYellow", "LightGreen", "LightGrey", "LightPink", "LightSalmon",
    "LightSeaGreen", "LightSkyBlue", "LightSlateGray", "LightSteelBlue", "LightYellow", "Lime", "LimeGreen",
    "Linen", "Magenta", "Maroon", "MediumAquamarine", "MediumBlue", "MediumOrchid", "MediumPurple",
    "MediumSeaGreen", "MediumSlateBlue", "MediumSpringGreen", "MediumTurquoise", "MediumVioletRed",
    "MidnightBlue", "MintCream", "MistyRose", "Moccasin", "NavajoWhite", "Navy", "OldLace", "Olive",
    "OliveDrab", "Orange", "OrangeRed", "Orchid", "PaleGoldenrod", "PaleGreen", "PaleTurquoise",
    "PaleVioletRed", "PapayaWhip", "PeachPuff", "Peru", "Pink", "Plum", "PowderBlue", "Purple", "Red",
    "RosyBrown", "RoyalBlue", "SaddleBrown", "Salmon", "SandyBrown", "SeaGreen", "Seashell", "Sienna",
    "Silver", "SkyBlue", "SlateBlue", "SlateGray", "Snow", "SpringGreen", "SteelBlue", "Tan", "Teal",
    "Thistle", "Tomato", "Turquoise", "Violet", "Wheat", "White", "WhiteSmoke", "Yellow", "YellowGreen",
};

constexpr std::string_view kWebColorNamesByHue[] = {
    "LightPink", "Pink", "Crimson", "LavenderBlush", "PaleVioletRed", "HotPink", "DeepPink",
    "MediumVioletRed", "Orchid", "Thistle", "Plum", "Violet", "Magenta", "Fuchsia", "DarkMagenta", "Purple",
    "MediumOrchid", "DarkViolet", "DarkOrchid", "Indigo", "BlueViolet", "MediumPurple", "MediumSlateBlue",
    "SlateBlue", "DarkSlateBlue", "Lavender", "GhostWhite", "Blue", "MediumBlue", "MidnightBlue", "DarkBlue",
    "Navy", "RoyalBlue", "CornflowerBlue", "LightSteelBlue", "LightSlateGray", "SlateGray", "DodgerBlue",
    "AliceBlue", "SteelBlue", "LightSkyBlue", "SkyBlue", "DeepSkyBlue", "LightBlue", "PowderBlue",
    "CadetBlue", "Azure", "LightCyan", "PaleTurquoise", "Cyan", "Aqua", "DarkTurquoise", "DarkSlateGray",
    "DarkCyan", "Teal", "MediumTurquoise", "LightSeaGreen", "Turquoise", "Aquamarine", "MediumAquamarine",
    "MediumSpringGreen", "MintCream", "SpringGreen", "MediumSeaGreen", "SeaGreen", "Honeydew", "LightGreen",
    "PaleGreen", "DarkSeaGreen", "LimeGreen", "Lime", "ForestGreen", "Green", "DarkGreen", "Chartreuse",
    "LawnGreen", "GreenYellow", "DarkOliveGreen", "YellowGreen", "OliveDrab", "Beige", "LightGoldenrodYellow",
    "Ivory", "LightYellow", "Yellow", "Olive", "DarkKhaki", "LemonChiffon", "PaleGoldenrod", "Khaki", "Gold",
    "Cornsilk", "Goldenrod", "DarkGoldenrod", "FloralWhite", "OldLace", "Wheat", "Moccasin", "Orange",
    "PapayaWhip", "BlanchedAlmond", "NavajoWhite", "AntiqueWhite", "Tan", "BurlyWood", "Bisque", "DarkOrange",
    "Linen", "Peru", "PeachPuff", "SandyBrown", "Chocolate", "SaddleBrown", "Seashell", "Sienna",
    "LightSalmon", "Coral", "OrangeRed", "DarkSalmon", "Tomato", "MistyRose", "Salmon", "Snow", "LightCoral",
    "RosyBrown", "IndianRed", "Red", "Brown", "FireBrick", "DarkRed", "Maroon", "White", "WhiteSmoke",
    "Gainsboro", "LightGrey", "Silver", "DarkGray", "Gray", "DimGray", "Black",
};

TlxModuleStartCount& ModuleStart() {
  static TlxModuleStartCount start;
  return start;
}

}  // namespace

std::span<const TlxStringResource> lxExtEditStringTable() { return kExtEditTexts; }

void lxExtEditStringsInitialize() {
  ModuleStart().Start([] { lxRegisterProductStrings(kLxExtEditProductKey, kExtEditTexts); });
}

void lxExtEditStringsFinalize() {
  ModuleStart().End([] { lxGetResourceStringsRepository().UnregisterProduct(kLxExtEditProductKey); });
}

std::span<const std::string_view> lxPlatformColorNames() { return kPlatformColorNames; }
std::span<const std::string_view> lxHtml4ColorNames() { return kHtml4ColorNames; }
std::span<const std::string_view> lxWebColorNamesByName() { return kWebColorNamesByName; }
std::span<const std::string_view> lxWebColorNamesByHue() { return kWebColorNamesByHue; }
