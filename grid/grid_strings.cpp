#include "grid/grid_strings.h"

#include "ui/foundation/base/module_start_count.h"

namespace {

constexpr TlxStringResource kGridTexts[] = {
    {&slxGridDeletingConfirmationCaption, "Confirm"},
    {&slxGridDeletingFocusedConfirmationText, "Delete record?"},
    {&slxGridDeletingSelectedConfirmationText, "Delete all selected records?"},
    {&slxGridNoDataInfoText, "<No data to display>"},
    {&slxGridFilterRowInfoText, "Click here to define a filter"},
    {&slxGridNewItemRowInfoText, "Click here to add a new row"},
    {&slxGridFilterIsEmpty, "<Filter is Empty>"},
    {&slxGridCustomizationFormCaption, "Customization"},
    {&slxGridCustomizationFormColumnsPageCaption, "Columns"},
    {&slxGridGroupByBoxCaption, "Drag a column header here to group by that column"},
    {&slxGridFilterApplyButtonCaption, "Apply Filter"},
    {&slxGridFilterCustomizeButtonCaption, "Customize..."},
    {&slxGridColumnsQuickCustomizationHint, "Click here to show/hide/move columns"},
    {&slxGridYesterday, "Yesterday"},
    {&slxGridToday, "Today"},
    {&slxGridTomorrow, "Tomorrow"},
    {&slxGridLast30Days, "Last 30 days"},
    {&slxGridLast14Days, "Last 14 days"},
    {&slxGridLast7Days, "Last 7 days"},
    {&slxGridNext7Days, "Next 7 days"},
    {&slxGridNext14Days, "Next 14 days"},
    {&slxGridNext30Days, "Next 30 days"},
    {&slxGridLastTwoWeeks, "Last two weeks"},
    {&slxGridLastWeek, "Last week"},
    {&slxGridThisWeek, "This week"},
    {&slxGridNextWeek, "Next week"},
    {&slxGridNextTwoWeeks, "Next two weeks"},
    {&slxGridLastMonth, "Last month"},
    {&slxGridThisMonth, "This month"},
    {&slxGridNextMonth, "Next month"},
    {&slxGridLastYear, "Last year"},
    {&slxGridThisYear, "This year"},
    {&slxGridNextYear, "Next year"},
    {&slxGridPast, "Past"},
    {&slxGridFuture, "Future"},
    {&slxGridMonthFormat, "mmmm yyyy"},
    {&slxGridYearFormat, "yyyy"},
    {&slxGridRecursiveLevels, "You cannot create recursive levels"},
    {&slxGridCustomizationFormBandsPageCaption, "Bands"},
    {&slxGridBandsQuickCustomizationHint, "Click here to show/hide/move bands"},
    {&slxGridCustomizationFormRowsPageCaption, "Rows"},
    {&slxGridConverterIntermediaryMissing, "Missing an intermediary component!\nPlease add a %s component to the form."},
    {&slxGridConverterNotExistGrid, "The grid does not exist"},
    {&slxGridConverterNotExistComponent, "The component does not exist"},
    {&slxImportErrorCaption, "Import error"},
    {&slxNotExistGridView, "The grid view does not exist"},
    {&slxNotExistGridLevel, "The active grid level does not exist"},
    {&slxCantCreateExportOutputFile, "Cannot create the export output file"},
    {&lxSEditRepositoryExtLookupComboBoxItem, "ExtLookupComboBox|A lookup whose drop-down is a grid"},
    {&slxGridChartCategoriesDisplayText, "Data"},
    {&slxGridChartValueHintFormat, "%s for %s is %s"},
    {&slxGridChartPercentValueTickMarkLabelFormat, "0%"},
    {&slxGridChartToolBoxDataLevels, "Data Levels:"},
    {&slxGridChartToolBoxDataLevelSelectValue, "select value"},
    {&slxGridChartToolBoxCustomizeButtonCaption, "Customize Chart"},
    {&slxGridChartNoneDiagramDisplayText, "No diagram"},
    {&slxGridChartColumnDiagramDisplayText, "Column diagram"},
    {&slxGridChartBarDiagramDisplayText, "Bar diagram"},
    {&slxGridChartLineDiagramDisplayText, "Line diagram"},
    {&slxGridChartAreaDiagramDisplayText, "Area diagram"},
    {&slxGridChartPieDiagramDisplayText, "Pie diagram"},
    {&slxGridChartCustomizationFormSeriesPageCaption, "Series"},
    {&slxGridChartCustomizationFormSortBySeries, "Sort by:"},
    {&slxGridChartCustomizationFormNoSortedSeries, "<none series>"},
    {&slxGridChartCustomizationFormDataGroupsPageCaption, "Data Groups"},
    {&slxGridChartCustomizationFormOptionsPageCaption, "Options"},
    {&slxGridChartLegend, "Legend"},
    {&slxGridChartLegendKeyBorder, "Key Border"},
    {&slxGridChartPosition, "Position"},
    {&slxGridChartPositionDefault, "Default"},
    {&slxGridChartPositionNone, "None"},
    {&slxGridChartPositionLeft, "Left"},
    {&slxGridChartPositionTop, "Top"},
    {&slxGridChartPositionRight, "Right"},
    {&slxGridChartPositionBottom, "Bottom"},
    {&slxGridChartAlignment, "Alignment"},
    {&slxGridChartAlignmentDefault, "Default"},
    {&slxGridChartAlignmentStart, "Start"},
    {&slxGridChartAlignmentCenter, "Center"},
    {&slxGridChartAlignmentEnd, "End"},
    {&slxGridChartOrientation, "Orientation"},
    {&slxGridChartOrientationDefault, "Default"},
    {&slxGridChartOrientationHorizontal, "Horizontal"},
    {&slxGridChartOrientationVertical, "Vertical"},
    {&slxGridChartBorder, "Border"},
    {&slxGridChartTitle, "Title"},
    {&slxGridChartToolBox, "Toolbox"},
    {&slxGridChartDiagramSelector, "Diagram Selector"},
    {&slxGridChartOther, "Other"},
    {&slxGridChartValueHints, "Value Hints"},
};

TlxModuleStartCount& GridTextsModule() {
  static TlxModuleStartCount module;
  return module;
}

}  // namespace

std::span<const TlxStringResource> lxGridStringTable() { return kGridTexts; }

std::string lxGridBuiltInText(const TlxResourceString& record) {
  for (const TlxStringResource& resource : kGridTexts)
    if (resource.Record == &record)
      return resource.Text;
  return {};
}

void lxRegisterGridStrings() {
  GridTextsModule().Start([] { lxRegisterProductStrings(kLxDataGridProductKey, kGridTexts); });
}

void lxUnregisterGridStrings() {
  GridTextsModule().End([] { lxGetResourceStringsRepository().UnregisterProduct(kLxDataGridProductKey); });
}

std::string lxGridText(const TlxResourceString& record) {
  // Only the string table holds the texts; the repository merely lists
  // their identifiers, so a text is there even before the module started.
  static const bool texts_added = (lxAddStringResources(kGridTexts), true);
  (void)texts_added;
  return lxLookupResString(record);
}
