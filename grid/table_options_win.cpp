#include "grid/table_options_win.h"

#include "data/data_controller.h"
#include "data/data_search.h"
#include "grid/grid_navigator_interfaces.h"
#include "grid/grid_records_win.h"
#include "grid/table_filtering.h"
#include "grid/grid_strings.h"
#include "grid/table_items_win.h"
#include "grid/table_view_win.h"

namespace {

TlxCustomGridTableView* TableViewOf(const TlxCustomGridOptions& options) {
  return dynamic_cast<TlxCustomGridTableView*>(options.GetGridView());
}

void RefreshNavigators(const TlxCustomGridOptions& options) {
  if (TlxCustomGridTableView* view = TableViewOf(options))
    if (view->NavigatorNotifier() != nullptr)
      view->NavigatorNotifier()->RefreshNavigators();
}

}  // namespace

// --- TlxCustomGridTableOptionsBehavior -----------------------------------------------------------

void TlxCustomGridTableOptionsBehavior::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxCustomGridTableOptionsBehavior*>(source)) {
    SetAlwaysShowEditor(other->AlwaysShowEditor());
    SetBestFitMaxRecordCount(other->BestFitMaxRecordCount());
    SetCellHints(other->CellHints());
    SetCopyCaptionsToClipboard(other->CopyCaptionsToClipboard());
    SetDragDropText(other->DragDropText());
    SetDragFocusing(other->DragFocusing());
    SetDragHighlighting(other->DragHighlighting());
    SetDragOpening(other->DragOpening());
    SetDragScrolling(other->DragScrolling());
    SetFocusCellOnCycle(other->FocusCellOnCycle());
    SetFocusCellOnTab(other->FocusCellOnTab());
    SetFocusFirstCellOnNewRecord(other->FocusFirstCellOnNewRecord());
    SetGoToNextCellOnEnter(other->GoToNextCellOnEnter());
    SetImmediateEditor(other->ImmediateEditor());
    SetIncSearch(other->IncSearch());
    SetIncSearchItem(other->IncSearchItem());
    SetNavigatorHints(other->NavigatorHints());
    SetPullFocusing(other->PullFocusing());
  }
  TlxCustomGridOptionsBehavior::Assign(source);
}

void TlxCustomGridTableOptionsBehavior::SetFocusCellOnTab(bool value) {
  // The site asks this option whether it wants the Tab key, so the change
  // takes effect on the next key.
  SetOption(focus_cell_on_tab_, value, vckProperty);
}

void TlxCustomGridTableOptionsBehavior::SetIncSearch(bool value) {
  if (inc_search_ == value)
    return;
  if (!value)
    if (TlxCustomGridView* view = GetGridView(); view != nullptr && view->DataController() != nullptr)
      view->DataController()->Search().Cancel();
  SetOption(inc_search_, value, vckProperty);
}

// --- TlxCustomGridTableOptionsCustomize ----------------------------------------------------------

void TlxCustomGridTableOptionsCustomize::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxCustomGridTableOptionsCustomize*>(source)) {
    SetItemFiltering(other->ItemFiltering());
    SetItemGrouping(other->ItemGrouping());
    SetItemHiding(other->ItemHiding());
    SetItemMoving(other->ItemMoving());
    SetItemSorting(other->ItemSorting());
    SetItemsQuickCustomization(other->ItemsQuickCustomization());
    SetItemsQuickCustomizationMaxDropDownCount(other->ItemsQuickCustomizationMaxDropDownCount());
    SetItemsQuickCustomizationReordering(other->ItemsQuickCustomizationReordering());
  }
  TlxCustomGridOptions::Assign(source);
}

bool TlxCustomGridTableOptionsCustomize::SupportsItemsQuickCustomizationReordering() const {
  TlxCustomGridView* view = GetGridView();
  if (view != nullptr && view->ComponentState().Contains(csDesigning))
    return true;
  return reordering_ == qcrEnabled || (reordering_ == qcrDefault && item_moving_);
}

// --- TlxCustomGridTableOptionsData ---------------------------------------------------------------

void TlxCustomGridTableOptionsData::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxCustomGridTableOptionsData*>(source)) {
    SetAppending(other->Appending());
    SetCancelOnExit(other->CancelOnExit());
    SetDeleting(other->Deleting());
    SetDeletingConfirmation(other->DeletingConfirmation());
    SetEditing(other->Editing());
    SetInserting(other->Inserting());
  }
  TlxCustomGridOptionsData::Assign(source);
}

void TlxCustomGridTableOptionsData::SetDeleting(bool value) {
  if (deleting_ == value)
    return;
  SetOption(deleting_, value, vckProperty);
  RefreshNavigators(*this);
}

void TlxCustomGridTableOptionsData::SetEditing(bool value) {
  if (editing_ == value)
    return;
  if (!value)
    if (TlxCustomGridTableView* view = TableViewOf(*this); view != nullptr && view->DataController() != nullptr &&
                                                          view->DataController()->IsEditing())
      view->DataController()->Cancel();
  SetOption(editing_, value, vckLayout);
  RefreshNavigators(*this);
}

void TlxCustomGridTableOptionsData::SetInserting(bool value) {
  if (inserting_ == value)
    return;
  SetOption(inserting_, value, vckProperty);
  RefreshNavigators(*this);
}

// --- TlxCustomGridTableOptionsSelection ----------------------------------------------------------

void TlxCustomGridTableOptionsSelection::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxCustomGridTableOptionsSelection*>(source)) {
    SetCellSelect(other->CellSelect());
    SetHideFocusRect(other->HideFocusRect());
    SetHideSelection(other->HideSelection());
    SetInvertSelect(other->InvertSelect());
    SetMultiSelect(other->MultiSelect());
    SetUnselectFocusedRecordOnExit(other->UnselectFocusedRecordOnExit());
  }
  TlxCustomGridOptionsSelection::Assign(source);
}

bool TlxCustomGridTableOptionsSelection::MultiSelect() const {
  TlxCustomGridView* view = GetGridView();
  return view != nullptr && view->DataController() != nullptr && view->DataController()->MultiSelect();
}

void TlxCustomGridTableOptionsSelection::SetCellSelect(bool value) {
  if (cell_select_ == value)
    return;
  cell_select_ = value;
  if (TlxCustomGridTableView* view = TableViewOf(*this)) {
    if (value)
      view->FocusFirstFocusableItem();
    else
      view->SetFocusedItem(nullptr);
  }
  Changed(vckProperty);
}

void TlxCustomGridTableOptionsSelection::SetMultiSelect(bool value) {
  TlxCustomGridView* view = GetGridView();
  if (view == nullptr || view->DataController() == nullptr || MultiSelect() == value)
    return;
  view->DataController()->SetMultiSelect(value);
  Changed(vckProperty);
}

// --- TlxCustomGridTableOptionsView ---------------------------------------------------------------

void TlxCustomGridTableOptionsView::Assign(const TPersistent* source) {
  if (const auto* other = dynamic_cast<const TlxCustomGridTableOptionsView*>(source)) {
    SetCellAutoHeight(other->CellAutoHeight());
    SetCellEndEllipsis(other->CellEndEllipsis());
    SetCellTextMaxLineCount(other->CellTextMaxLineCount());
    SetFocusRect(other->FocusRect());
    SetItemCaptionAutoHeight(other->ItemCaptionAutoHeight());
    SetItemCaptionEndEllipsis(other->ItemCaptionEndEllipsis());
    SetNavigator(other->Navigator());
    SetNavigatorOffset(other->NavigatorOffset());
    no_data_to_display_info_text_ = other->no_data_to_display_info_text_;
    SetShowEditButtons(other->ShowEditButtons());
    SetShowItemFilterButtons(other->ShowItemFilterButtons());
  }
  TlxCustomGridOptionsView::Assign(source);
}

void TlxCustomGridTableOptionsView::SetItemCaptionAutoHeight(bool value) {
  if (item_caption_auto_height_ == value)
    return;
  item_caption_auto_height_ = value;
  ItemCaptionAutoHeightChanged();
}

std::string TlxCustomGridTableOptionsView::NoDataToDisplayInfoText() const {
  if (!no_data_to_display_info_text_.empty())
    return no_data_to_display_info_text_;
  return lxGridText(slxGridNoDataInfoText);
}

void TlxCustomGridTableOptionsView::SetNoDataToDisplayInfoText(const std::string& value) {
  // The built-in text is kept as "none of its own", so a translation set
  // later still shows.
  const std::string own = value == lxGridBuiltInText(slxGridNoDataInfoText) ? std::string() : value;
  SetOption(no_data_to_display_info_text_, own, vckLayout);
}

bool TlxCustomGridTableOptionsView::IsNoDataToDisplayInfoTextStored() const {
  return !no_data_to_display_info_text_.empty();
}

// --- TlxCustomGridTableViewStyles ----------------------------------------------------------------

void TlxCustomGridTableViewStyles::Assign(const TPersistent* source) {
  TlxCustomGridViewStyles::Assign(source);
  const auto* other = dynamic_cast<const TlxCustomGridTableViewStyles*>(source);
  if (other == nullptr)
    return;
  for (int32_t index = kContent; index <= kSelection; ++index)
    SetIndexedStyle(index, other->GetIndexedStyle(index));
  OnGetContentStyle = other->OnGetContentStyle;
}

TlxCustomGridTableView* TlxCustomGridTableViewStyles::GridView() const {
  return dynamic_cast<TlxCustomGridTableView*>(GetGridView());
}

void TlxCustomGridTableViewStyles::GetSelectionParams(TlxCustomGridRecord* record, TObject* item,
                                                      TlxPaintParams& params) {
  TlxGridCellPos position(record, item);
  const int32_t index = GridView()->DrawRecordActive(record) ? kSelection : kInactive;
  GetViewParams(index, &position, nullptr, params);
  params.Bitmap = nullptr;
}

void TlxCustomGridTableViewStyles::GetCellContentParams(TlxCustomGridRecord* record, TObject* item,
                                                        TlxPaintParams& params) {
  auto* table_item = dynamic_cast<TlxCustomGridTableItem*>(item);
  if (item == nullptr || table_item != nullptr)
    GetDataCellContentParams(record, table_item, params);
}

void TlxCustomGridTableViewStyles::GetContentParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                                    TlxPaintParams& params) {
  TlxStyle* named = nullptr;
  if (record != nullptr && OnGetContentStyle)
    OnGetContentStyle(GridView(), record, item, named);
  int32_t index = kContent;
  if (record != nullptr) {
    const int32_t parity_index = record->Index() % 2 == 0 ? kContentEven : kContentOdd;
    if (GetIndexedStyle(parity_index) != nullptr)
      index = parity_index;
  }
  if (index == kContent) {
    GetViewParams(kContent, record, named, params);
    return;
  }
  TlxGridDataCellPos position(record, item);
  GetViewParams(index, &position, named, params);
}

void TlxCustomGridTableViewStyles::GetDataCellContentParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                                            TlxPaintParams& params) {
  if (item == nullptr) {
    GetRecordParams(record, nullptr, params);
    return;
  }
  item->Styles()->GetContentParams(record, params);
}

void TlxCustomGridTableViewStyles::GetDataCellParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                                     bool editing, TlxGridTableDataCellViewInfo* cell,
                                                     bool use_cell_state, TlxPaintParams& params) {
  bool selected = false;
  TlxCustomGridTableView* view = GridView();
  if (!editing && view != nullptr) {
    if (use_cell_state)
      selected = cell != nullptr && view->DrawRecordSelected(record, item, nullptr) &&
                 view->DrawCellSelected(record, item, nullptr);
    else
      selected = view->DrawRecordSelected(record, item, nullptr);
  }
  if (selected)
    GetSelectionParams(record, item, params);
  else
    GetDataCellContentParams(record, item, params);
}

void TlxCustomGridTableViewStyles::GetRecordParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                                   TlxPaintParams& params) {
  GetContentParams(record, item, params);
}

void TlxCustomGridTableViewStyles::GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) {
  TlxCustomGridViewStyles::GetDefaultViewParams(index, data, params);
  TlxPainterClass painter = GetGridView()->LookAndFeelPainter();
  auto* position = dynamic_cast<TlxGridCellPos*>(data);
  TlxCustomGridRecord* record =
      position != nullptr ? position->GridRecord : dynamic_cast<TlxCustomGridRecord*>(data);
  switch (index) {
    case kContent:
      if (record != nullptr) {
        params.Color = record->Index() % 2 == 0 ? painter->GetDefaultContentEvenColor()
                                                : painter->GetDefaultContentOddColor();
      } else {
        params.Color = painter->GetDefaultContentColor();
      }
      params.TextColor = painter->GetDefaultContentTextColor();
      break;
    case kContentEven:
      params.Color = painter->GetDefaultContentEvenColor();
      params.TextColor = painter->GetDefaultContentTextColor();
      break;
    case kContentOdd:
      params.Color = painter->GetDefaultContentOddColor();
      params.TextColor = painter->GetDefaultContentTextColor();
      break;
    case kFilterBox:
      params.Color = painter->GetDefaultFilterBoxColor();
      params.TextColor = painter->GetDefaultFilterBoxTextColor();
      break;
    case kInactive:
    case kSelection: {
      // Font and the rest start from the cell's content parameters.
      if (position != nullptr)
        GetCellContentParams(position->GridRecord, position->Item, params);
      params.Color = index == kInactive ? painter->GetDefaultInactiveColor() : painter->GetDefaultSelectionColor();
      params.TextColor =
          index == kInactive ? painter->GetDefaultInactiveTextColor() : painter->GetDefaultSelectionTextColor();
      break;
    }
    case kIncSearch:
      params.Color = clDefault;
      params.TextColor = clDefault;
      break;
    default:
      break;
  }
}

// --- TlxCustomGridTableBackgroundBitmaps ---------------------------------------------------------

void TlxCustomGridTableBackgroundBitmaps::Assign(const TPersistent* source) {
  TlxCustomGridBackgroundBitmaps::Assign(source);
  if (dynamic_cast<const TlxCustomGridTableBackgroundBitmaps*>(source) == nullptr)
    return;
  auto* other = const_cast<TlxCustomGridTableBackgroundBitmaps*>(
      static_cast<const TlxCustomGridTableBackgroundBitmaps*>(source));
  SetValue(kContent, other->GetValue(kContent));
  SetValue(kFilterBox, other->GetValue(kFilterBox));
}

int32_t TlxCustomGridTableBackgroundBitmaps::GetBitmapStyleIndex(int32_t index) const {
  switch (index) {
    case kContent:
      return TlxCustomGridTableViewStyles::kContent;
    case kFilterBox:
      return TlxCustomGridTableViewStyles::kFilterBox;
    default:
      return TlxCustomGridBackgroundBitmaps::GetBitmapStyleIndex(index);
  }
}
