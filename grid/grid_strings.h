#pragma once
// The grid's texts: every text the grid shows to a user, registered under
// the product key "LxDataGrid" when the grid's text module starts, so that
// a translation tool lists them. Users read a text through
// lxLookupResString at the moment they need it (painting, laying out,
// opening a dialog), never keeping a copy.

#include <span>
#include <string>

#include "ui/foundation/base/resource_strings.h"

// Texts the grid shows.
inline constexpr TlxResourceString slxGridDeletingConfirmationCaption{"slxGridDeletingConfirmationCaption"};
inline constexpr TlxResourceString slxGridDeletingFocusedConfirmationText{"slxGridDeletingFocusedConfirmationText"};
inline constexpr TlxResourceString slxGridDeletingSelectedConfirmationText{"slxGridDeletingSelectedConfirmationText"};
inline constexpr TlxResourceString slxGridNoDataInfoText{"slxGridNoDataInfoText"};
inline constexpr TlxResourceString slxGridFilterRowInfoText{"slxGridFilterRowInfoText"};
inline constexpr TlxResourceString slxGridNewItemRowInfoText{"slxGridNewItemRowInfoText"};
inline constexpr TlxResourceString slxGridFilterIsEmpty{"slxGridFilterIsEmpty"};
inline constexpr TlxResourceString slxGridCustomizationFormCaption{"slxGridCustomizationFormCaption"};
inline constexpr TlxResourceString slxGridCustomizationFormColumnsPageCaption{
    "slxGridCustomizationFormColumnsPageCaption"};
inline constexpr TlxResourceString slxGridGroupByBoxCaption{"slxGridGroupByBoxCaption"};
inline constexpr TlxResourceString slxGridFilterApplyButtonCaption{"slxGridFilterApplyButtonCaption"};
inline constexpr TlxResourceString slxGridFilterCustomizeButtonCaption{"slxGridFilterCustomizeButtonCaption"};
inline constexpr TlxResourceString slxGridColumnsQuickCustomizationHint{"slxGridColumnsQuickCustomizationHint"};
inline constexpr TlxResourceString slxGridYesterday{"slxGridYesterday"};
inline constexpr TlxResourceString slxGridToday{"slxGridToday"};
inline constexpr TlxResourceString slxGridTomorrow{"slxGridTomorrow"};
inline constexpr TlxResourceString slxGridLast30Days{"slxGridLast30Days"};
inline constexpr TlxResourceString slxGridLast14Days{"slxGridLast14Days"};
inline constexpr TlxResourceString slxGridLast7Days{"slxGridLast7Days"};
inline constexpr TlxResourceString slxGridNext7Days{"slxGridNext7Days"};
inline constexpr TlxResourceString slxGridNext14Days{"slxGridNext14Days"};
inline constexpr TlxResourceString slxGridNext30Days{"slxGridNext30Days"};
inline constexpr TlxResourceString slxGridLastTwoWeeks{"slxGridLastTwoWeeks"};
inline constexpr TlxResourceString slxGridLastWeek{"slxGridLastWeek"};
inline constexpr TlxResourceString slxGridThisWeek{"slxGridThisWeek"};
inline constexpr TlxResourceString slxGridNextWeek{"slxGridNextWeek"};
inline constexpr TlxResourceString slxGridNextTwoWeeks{"slxGridNextTwoWeeks"};
inline constexpr TlxResourceString slxGridLastMonth{"slxGridLastMonth"};
inline constexpr TlxResourceString slxGridThisMonth{"slxGridThisMonth"};
inline constexpr TlxResourceString slxGridNextMonth{"slxGridNextMonth"};
inline constexpr TlxResourceString slxGridLastYear{"slxGridLastYear"};
inline constexpr TlxResourceString slxGridThisYear{"slxGridThisYear"};
inline constexpr TlxResourceString slxGridNextYear{"slxGridNextYear"};
inline constexpr TlxResourceString slxGridPast{"slxGridPast"};
inline constexpr TlxResourceString slxGridFuture{"slxGridFuture"};
inline constexpr TlxResourceString slxGridMonthFormat{"slxGridMonthFormat"};
inline constexpr TlxResourceString slxGridYearFormat{"slxGridYearFormat"};

// Texts a translation lists and may replace, which the grid never shows.
inline constexpr TlxResourceString slxGridRecursiveLevels{"slxGridRecursiveLevels"};
inline constexpr TlxResourceString slxGridCustomizationFormBandsPageCaption{
    "slxGridCustomizationFormBandsPageCaption"};
inline constexpr TlxResourceString slxGridBandsQuickCustomizationHint{"slxGridBandsQuickCustomizationHint"};
inline constexpr TlxResourceString slxGridCustomizationFormRowsPageCaption{"slxGridCustomizationFormRowsPageCaption"};
inline constexpr TlxResourceString slxGridConverterIntermediaryMissing{"slxGridConverterIntermediaryMissing"};
inline constexpr TlxResourceString slxGridConverterNotExistGrid{"slxGridConverterNotExistGrid"};
inline constexpr TlxResourceString slxGridConverterNotExistComponent{"slxGridConverterNotExistComponent"};
inline constexpr TlxResourceString slxImportErrorCaption{"slxImportErrorCaption"};
inline constexpr TlxResourceString slxNotExistGridView{"slxNotExistGridView"};
inline constexpr TlxResourceString slxNotExistGridLevel{"slxNotExistGridLevel"};
inline constexpr TlxResourceString slxCantCreateExportOutputFile{"slxCantCreateExportOutputFile"};
inline constexpr TlxResourceString lxSEditRepositoryExtLookupComboBoxItem{"lxSEditRepositoryExtLookupComboBoxItem"};
inline constexpr TlxResourceString slxGridChartCategoriesDisplayText{"slxGridChartCategoriesDisplayText"};
inline constexpr TlxResourceString slxGridChartValueHintFormat{"slxGridChartValueHintFormat"};
inline constexpr TlxResourceString slxGridChartPercentValueTickMarkLabelFormat{
    "slxGridChartPercentValueTickMarkLabelFormat"};
inline constexpr TlxResourceString slxGridChartToolBoxDataLevels{"slxGridChartToolBoxDataLevels"};
inline constexpr TlxResourceString slxGridChartToolBoxDataLevelSelectValue{"slxGridChartToolBoxDataLevelSelectValue"};
inline constexpr TlxResourceString slxGridChartToolBoxCustomizeButtonCaption{
    "slxGridChartToolBoxCustomizeButtonCaption"};
inline constexpr TlxResourceString slxGridChartNoneDiagramDisplayText{"slxGridChartNoneDiagramDisplayText"};
inline constexpr TlxResourceString slxGridChartColumnDiagramDisplayText{"slxGridChartColumnDiagramDisplayText"};
inline constexpr TlxResourceString slxGridChartBarDiagramDisplayText{"slxGridChartBarDiagramDisplayText"};
inline constexpr TlxResourceString slxGridChartLineDiagramDisplayText{"slxGridChartLineDiagramDisplayText"};
inline constexpr TlxResourceString slxGridChartAreaDiagramDisplayText{"slxGridChartAreaDiagramDisplayText"};
inline constexpr TlxResourceString slxGridChartPieDiagramDisplayText{"slxGridChartPieDiagramDisplayText"};
inline constexpr TlxResourceString slxGridChartCustomizationFormSeriesPageCaption{
    "slxGridChartCustomizationFormSeriesPageCaption"};
inline constexpr TlxResourceString slxGridChartCustomizationFormSortBySeries{
    "slxGridChartCustomizationFormSortBySeries"};
inline constexpr TlxResourceString slxGridChartCustomizationFormNoSortedSeries{
    "slxGridChartCustomizationFormNoSortedSeries"};
inline constexpr TlxResourceString slxGridChartCustomizationFormDataGroupsPageCaption{
    "slxGridChartCustomizationFormDataGroupsPageCaption"};
inline constexpr TlxResourceString slxGridChartCustomizationFormOptionsPageCaption{
    "slxGridChartCustomizationFormOptionsPageCaption"};
inline constexpr TlxResourceString slxGridChartLegend{"slxGridChartLegend"};
inline constexpr TlxResourceString slxGridChartLegendKeyBorder{"slxGridChartLegendKeyBorder"};
inline constexpr TlxResourceString slxGridChartPosition{"slxGridChartPosition"};
inline constexpr TlxResourceString slxGridChartPositionDefault{"slxGridChartPositionDefault"};
inline constexpr TlxResourceString slxGridChartPositionNone{"slxGridChartPositionNone"};
inline constexpr TlxResourceString slxGridChartPositionLeft{"slxGridChartPositionLeft"};
inline constexpr TlxResourceString slxGridChartPositionTop{"slxGridChartPositionTop"};
inline constexpr TlxResourceString slxGridChartPositionRight{"slxGridChartPositionRight"};
inline constexpr TlxResourceString slxGridChartPositionBottom{"slxGridChartPositionBottom"};
inline constexpr TlxResourceString slxGridChartAlignment{"slxGridChartAlignment"};
inline constexpr TlxResourceString slxGridChartAlignmentDefault{"slxGridChartAlignmentDefault"};
inline constexpr TlxResourceString slxGridChartAlignmentStart{"slxGridChartAlignmentStart"};
inline constexpr TlxResourceString slxGridChartAlignmentCenter{"slxGridChartAlignmentCenter"};
inline constexpr TlxResourceString slxGridChartAlignmentEnd{"slxGridChartAlignmentEnd"};
inline constexpr TlxResourceString slxGridChartOrientation{"slxGridChartOrientation"};
inline constexpr TlxResourceString slxGridChartOrientationDefault{"slxGridChartOrientationDefault"};
inline constexpr TlxResourceString slxGridChartOrientationHorizontal{"slxGridChartOrientationHorizontal"};
inline constexpr TlxResourceString slxGridChartOrientationVertical{"slxGridChartOrientationVertical"};
inline constexpr TlxResourceString slxGridChartBorder{"slxGridChartBorder"};
inline constexpr TlxResourceString slxGridChartTitle{"slxGridChartTitle"};
inline constexpr TlxResourceString slxGridChartToolBox{"slxGridChartToolBox"};
inline constexpr TlxResourceString slxGridChartDiagramSelector{"slxGridChartDiagramSelector"};
inline constexpr TlxResourceString slxGridChartOther{"slxGridChartOther"};
inline constexpr TlxResourceString slxGridChartValueHints{"slxGridChartValueHints"};

inline constexpr const char kLxDataGridProductKey[] = "LxDataGrid";

// The built-in texts in registration order.
std::span<const TlxStringResource> lxGridStringTable();
// The built-in text of a grid text, whatever a translation set; an
// empty text for a record that is not the grid's.
std::string lxGridBuiltInText(const TlxResourceString& record);

// The text module's start: registers the texts (once, however often the
// module is started).
void lxRegisterGridStrings();
// The text module's end: takes the product out of the repository once the
// last start is balanced.
void lxUnregisterGridStrings();
// A grid text at the moment of use, the module started first when needed.
std::string lxGridText(const TlxResourceString& record);
