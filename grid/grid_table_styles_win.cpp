// The table view's styles and their resolution order, the column styles,
// the column's summary view and the table summary items.
#include <string>

#include "data/data_controller.h"
#include "data/data_summary.h"
#include "grid/grid_rows_win.h"
#include "grid/grid_table_view_win.h"
#include "platform/rtl/scope.h"
#include "ui/foundation/colors/office11_colors_win.h"

namespace {

TlxGridTableView* TableViewOf(const TlxDataSummaryItem& item) {
  TlxCustomDataController* controller = item.OwnerDataController();
  return controller != nullptr ? dynamic_cast<TlxGridTableView*>(controller->OwnerComponent()) : nullptr;
}

TlxGridTableView* TableViewOf(const TlxCustomDataSummaryItem& item) {
  TlxCustomDataController* controller = item.OwnerDataController();
  return controller != nullptr ? dynamic_cast<TlxGridTableView*>(controller->OwnerComponent()) : nullptr;
}

Variant StoredColumnName(TlxGridColumn* column) {
  return Variant(column != nullptr ? column->Name() : std::string());
}

TlxGridColumn* ColumnByStoredName(TlxGridTableView* view, const Variant& value) {
  const std::string name = VarToStr(value);
  if (view == nullptr || name.empty())
    return nullptr;
  return dynamic_cast<TlxGridColumn*>(view->FindItemByName(name));
}

TlxSummaryPosition PositionOfSummaryIndex(int32_t index) {
  return index == TlxGridColumnSummary::kGroup ? spGroup : spFooter;
}

}  // namespace

// --- TlxGridColumnSummary ------------------------------------------------------------------------

void TlxGridColumnSummary::Assign(const TPersistent* source) {
  const auto* other = dynamic_cast<const TlxGridColumnSummary*>(source);
  if (other == nullptr || other == this)
    return;
  for (int32_t index : {kFooter, kGroupFooter, kGroup}) {
    SetFormat(index, other->Format(index));
    SetKind(index, other->Kind(index));
  }
  SetSortByGroupFooterSummary(other->SortByGroupFooterSummary());
  SetSortByGroupSummary(other->SortByGroupSummary());
}

TlxDataSummaryItems* TlxGridColumnSummary::ItemsAt(int32_t index) const {
  TlxCustomGridTableView* view = Item()->GridView();
  if (view == nullptr || view->DataController() == nullptr || Item()->Index() < 0)
    return nullptr;
  TlxDataSummary& summary = view->DataController()->Summary();
  if (index == kFooter)
    return &summary.FooterSummaryItems();
  return &summary.DefaultGroupSummaryItems();
}

TlxDataSummaryItem* TlxGridColumnSummary::SummaryItem(int32_t index) const {
  TlxDataSummaryItems* items = ItemsAt(index);
  if (items == nullptr)
    return nullptr;
  return items->FindItemForDataItem(Item()->Index(), PositionOfSummaryIndex(index), false, skNone);
}

TlxSummaryKind TlxGridColumnSummary::Kind(int32_t index) const {
  TlxDataSummaryItems* items = ItemsAt(index);
  return items != nullptr ? items->GetKindForItem(Item()->Index(), PositionOfSummaryIndex(index)) : skNone;
}

void TlxGridColumnSummary::SetKind(int32_t index, TlxSummaryKind value) {
  if (TlxDataSummaryItems* items = ItemsAt(index))
    items->SetKindForItem(Item()->Index(), PositionOfSummaryIndex(index), value);
}

std::string TlxGridColumnSummary::Format(int32_t index) const {
  TlxDataSummaryItems* items = ItemsAt(index);
  return items != nullptr ? items->GetFormatForItem(Item()->Index(), PositionOfSummaryIndex(index)) : std::string();
}

void TlxGridColumnSummary::SetFormat(int32_t index, const std::string& value) {
  if (TlxDataSummaryItems* items = ItemsAt(index))
    items->SetFormatForItem(Item()->Index(), PositionOfSummaryIndex(index), value);
}

bool TlxGridColumnSummary::SortByGroupFooterSummary() const {
  TlxDataSummaryItems* items = ItemsAt(kGroupFooter);
  return items != nullptr && items->GetSortedForItem(Item()->Index(), spFooter);
}

void TlxGridColumnSummary::SetSortByGroupFooterSummary(bool value) {
  if (TlxDataSummaryItems* items = ItemsAt(kGroupFooter))
    items->SetSortedForItem(Item()->Index(), spFooter, value);
}

bool TlxGridColumnSummary::SortByGroupSummary() const {
  TlxDataSummaryItems* items = ItemsAt(kGroup);
  return items != nullptr && items->GetSortedForItem(Item()->Index(), spGroup);
}

void TlxGridColumnSummary::SetSortByGroupSummary(bool value) {
  if (TlxDataSummaryItems* items = ItemsAt(kGroup))
    items->SetSortedForItem(Item()->Index(), spGroup, value);
}

// --- TlxGridColumnStyles -------------------------------------------------------------------------

TlxGridColumn* TlxGridColumnStyles::Column() const { return dynamic_cast<TlxGridColumn*>(Item()); }

TlxGridTableView* TlxGridColumnStyles::TableView() const {
  return dynamic_cast<TlxGridTableView*>(Item() != nullptr ? Item()->GridView() : nullptr);
}

void TlxGridColumnStyles::Assign(const TPersistent* source) {
  TlxCustomGridTableItemStyles::Assign(source);
  const auto* other = dynamic_cast<const TlxGridColumnStyles*>(source);
  if (other == nullptr)
    return;
  for (int32_t index = kFooter; index <= kHeader; ++index)
    SetIndexedStyle(index, other->GetIndexedStyle(index));
  on_get_footer_style_ = other->on_get_footer_style_;
  on_get_footer_style_ex_ = other->on_get_footer_style_ex_;
  on_get_footer_summary_style_ = other->on_get_footer_summary_style_;
  on_get_group_summary_style_ = other->on_get_group_summary_style_;
  on_get_header_style_ = other->on_get_header_style_;
}

namespace {

template <class Handler>
void SetColumnStyleHandler(TlxCustomGridTableItem* item, Handler& field, Handler handler) {
  field = std::move(handler);
  if (item != nullptr)
    item->Changed(vckProperty);
}

}  // namespace

void TlxGridColumnStyles::SetOnGetFooterStyle(TlxGridGetCellStyleEvent handler) {
  SetColumnStyleHandler(Item(), on_get_footer_style_, std::move(handler));
}

void TlxGridColumnStyles::SetOnGetFooterStyleEx(TlxGridGetFooterStyleExEvent handler) {
  SetColumnStyleHandler(Item(), on_get_footer_style_ex_, std::move(handler));
}

void TlxGridColumnStyles::SetOnGetFooterSummaryStyle(TlxGridGetFooterSummaryStyleEvent handler) {
  SetColumnStyleHandler(Item(), on_get_footer_summary_style_, std::move(handler));
}

void TlxGridColumnStyles::SetOnGetGroupSummaryStyle(TlxGridGetGroupSummaryStyleEvent handler) {
  SetColumnStyleHandler(Item(), on_get_group_summary_style_, std::move(handler));
}

void TlxGridColumnStyles::SetOnGetHeaderStyle(TlxGridGetHeaderStyleEvent handler) {
  SetColumnStyleHandler(Item(), on_get_header_style_, std::move(handler));
}

void TlxGridColumnStyles::GetFooterParams(TlxCustomGridRecord* row, int32_t footer_group_level,
                                          TlxDataSummaryItem* summary_item, TlxPaintParams& params) {
  TlxStyle* style = nullptr;
  TlxGridTableView* view = TableView();
  if (on_get_footer_style_)
    on_get_footer_style_(view, row, Column(), style);
  if (on_get_footer_style_ex_)
    on_get_footer_style_ex_(view, row, Column(), footer_group_level, style);
  if (summary_item != nullptr && on_get_footer_summary_style_)
    on_get_footer_summary_style_(view, row, Column(), footer_group_level, summary_item, style);
  TlxGridRowFooterCellPos position(row, Column(), footer_group_level, summary_item);
  GetViewParams(kFooter, &position, style, params);
}

void TlxGridColumnStyles::GetGroupSummaryParams(TlxCustomGridRecord* record, TlxDataSummaryItem* summary_item,
                                                TlxPaintParams& params) {
  TlxStyle* style = nullptr;
  if (record != nullptr && on_get_group_summary_style_)
    on_get_group_summary_style_(TableView(), dynamic_cast<TlxGridGroupRow*>(record), Column(), summary_item, style);
  TlxGridGroupSummaryInfo info(record, summary_item);
  GetViewParams(kGroupSummary, &info, style, params);
}

void TlxGridColumnStyles::GetHeaderParams(TlxPaintParams& params) {
  TlxStyle* style = nullptr;
  if (on_get_header_style_)
    on_get_header_style_(TableView(), Column(), style);
  GetViewParams(kHeader, nullptr, style, params);
}

void TlxGridColumnStyles::GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) {
  TlxGridTableView* view = TableView();
  if (view == nullptr || index == kContent) {
    TlxCustomGridTableItemStyles::GetDefaultViewParams(index, data, params);
    return;
  }
  TlxGridTableViewStyles* styles = view->Styles();
  switch (index) {
    case kFooter: {
      auto* position = dynamic_cast<TlxGridRowFooterCellPos*>(data);
      if (position != nullptr)
        styles->GetFooterParams(position->Row, Column(), params, position->SummaryItem, position->FooterGroupLevel);
      else
        styles->GetFooterParams(nullptr, Column(), params);
      break;
    }
    case kGroupSummary: {
      auto* info = dynamic_cast<TlxGridGroupSummaryInfo*>(data);
      styles->GetGroupSummaryParams(info != nullptr ? info->Row : nullptr,
                                    info != nullptr ? info->SummaryItem : nullptr, params);
      break;
    }
    case kHeader:
      styles->GetHeaderParams(Column(), params);
      break;
    default:
      TlxCustomGridTableItemStyles::GetDefaultViewParams(index, data, params);
      break;
  }
}

// --- TlxGridTableViewStyles ----------------------------------------------------------------------

TlxGridTableView* TlxGridTableViewStyles::TableView() const {
  return dynamic_cast<TlxGridTableView*>(GetGridView());
}

void TlxGridTableViewStyles::Assign(const TPersistent* source) {
  TlxCustomGridTableViewStyles::Assign(source);
  const auto* other = dynamic_cast<const TlxGridTableViewStyles*>(source);
  if (other == nullptr)
    return;
  for (int32_t index : {8, 9, 10, 11, 12, 13, 14, 15, 17, 16, 18})
    SetIndexedStyle(index, other->GetIndexedStyle(index));
  on_get_footer_style_ = other->on_get_footer_style_;
  on_get_footer_style_ex_ = other->on_get_footer_style_ex_;
  on_get_footer_summary_style_ = other->on_get_footer_summary_style_;
  on_get_group_style_ = other->on_get_group_style_;
  on_get_group_summary_style_ = other->on_get_group_summary_style_;
  on_get_header_style_ = other->on_get_header_style_;
  on_get_preview_style_ = other->on_get_preview_style_;
}

namespace {

template <class Handler>
void SetViewStyleHandler(TlxCustomGridView* view, Handler& field, Handler handler) {
  field = std::move(handler);
  if (view != nullptr)
    view->Changed(vckProperty);
}

}  // namespace

void TlxGridTableViewStyles::SetOnGetFooterStyle(TlxGridGetCellStyleEvent handler) {
  SetViewStyleHandler(GetGridView(), on_get_footer_style_, std::move(handler));
}

void TlxGridTableViewStyles::SetOnGetFooterStyleEx(TlxGridGetFooterStyleExEvent handler) {
  SetViewStyleHandler(GetGridView(), on_get_footer_style_ex_, std::move(handler));
}

void TlxGridTableViewStyles::SetOnGetFooterSummaryStyle(TlxGridGetFooterSummaryStyleEvent handler) {
  SetViewStyleHandler(GetGridView(), on_get_footer_summary_style_, std::move(handler));
}

void TlxGridTableViewStyles::SetOnGetGroupStyle(TlxGridGetGroupStyleEvent handler) {
  SetViewStyleHandler(GetGridView(), on_get_group_style_, std::move(handler));
}

void TlxGridTableViewStyles::SetOnGetGroupSummaryStyle(TlxGridGetGroupSummaryStyleEvent handler) {
  SetViewStyleHandler(GetGridView(), on_get_group_summary_style_, std::move(handler));
}

void TlxGridTableViewStyles::SetOnGetHeaderStyle(TlxGridGetHeaderStyleEvent handler) {
  SetViewStyleHandler(GetGridView(), on_get_header_style_, std::move(handler));
}

void TlxGridTableViewStyles::SetOnGetPreviewStyle(TlxGridGetCellStyleEvent handler) {
  SetViewStyleHandler(GetGridView(), on_get_preview_style_, std::move(handler));
}

void TlxGridTableViewStyles::GetFooterCellParams(TlxCustomGridRecord* row, TlxGridColumn* column,
                                                 TlxPaintParams& params, TlxDataSummaryItem* summary_item,
                                                 int32_t footer_group_level) {
  if (footer_group_level != -1 && summary_item != nullptr && summary_item->Sorted()) {
    TlxGridRowFooterCellPos position(row, column, footer_group_level, summary_item);
    GetViewParams(kGroupFooterSortedSummary, &position, nullptr, params);
    return;
  }
  if (column != nullptr)
    column->Styles()->GetFooterParams(row, footer_group_level, summary_item, params);
  else
    GetFooterParams(row, nullptr, params, summary_item, footer_group_level);
}

void TlxGridTableViewStyles::GetFooterParams(TlxCustomGridRecord* row, TlxGridColumn* column,
                                             TlxPaintParams& params, TlxDataSummaryItem* summary_item,
                                             int32_t footer_group_level) {
  TlxStyle* style = nullptr;
  TlxGridTableView* view = TableView();
  if (on_get_footer_style_)
    on_get_footer_style_(view, row, column, style);
  if (on_get_footer_style_ex_)
    on_get_footer_style_ex_(view, row, column, footer_group_level, style);
  if (summary_item != nullptr && on_get_footer_summary_style_)
    on_get_footer_summary_style_(view, row, column, footer_group_level, summary_item, style);
  TlxGridRowFooterCellPos position(row, column, footer_group_level, summary_item);
  GetViewParams(kFooter, &position, style, params);
}

void TlxGridTableViewStyles::GetGroupParams(TlxCustomGridRecord* record, int32_t level, TlxPaintParams& params) {
  TlxStyle* style = nullptr;
  if (on_get_group_style_)
    on_get_group_style_(TableView(), record, record != nullptr ? record->Level() : level, style);
  GetViewParams(kGroup, record, style, params);
}

void TlxGridTableViewStyles::GetGroupSummaryCellParams(TlxCustomGridRecord* row, TlxDataSummaryItem* summary_item,
                                                       TlxPaintParams& params) {
  auto* group_row = dynamic_cast<TlxGridGroupRow*>(row);
  TlxDataGroupSummaryItems* level_items = group_row != nullptr ? group_row->GroupSummaryItems() : nullptr;
  const bool sorting_item = summary_item != nullptr && level_items != nullptr &&
                            level_items->SortingSummaryItem() == summary_item;
  if (sorting_item && !resolving_group_sorted_summary_) {
    TStateScope resolving(resolving_group_sorted_summary_, true);
    TlxGridGroupSummaryInfo info(row, summary_item);
    GetViewParams(kGroupSortedSummary, &info, nullptr, params);
    return;
  }
  auto* column = summary_item != nullptr ? dynamic_cast<TlxGridColumn*>(summary_item->LinkedItem()) : nullptr;
  if (column != nullptr)
    column->Styles()->GetGroupSummaryParams(row, summary_item, params);
  else
    GetGroupSummaryParams(row, summary_item, params);
}

void TlxGridTableViewStyles::GetGroupSummaryAreaParams(TlxCustomGridRecord* row,
                                                       TlxDataGroupSummaryItems* summary_items,
                                                       TlxPaintParams& params) {
  TlxGridTableView* view = TableView();
  if (view == nullptr || !view->DrawRecordSelected(row, nullptr, nullptr)) {
    GetGroupSummaryCellParams(row, nullptr, params);
    return;
  }
  TlxDataGroupSummaryItems* items = summary_items;
  if (items == nullptr)
    if (auto* group_row = dynamic_cast<TlxGridGroupRow*>(row))
      items = group_row->GroupSummaryItems();
  GetSelectionParams(row, items, params);
}

void TlxGridTableViewStyles::GetGroupSummaryParams(TlxCustomGridRecord* row, TlxDataSummaryItem* summary_item,
                                                   TlxPaintParams& params) {
  TlxStyle* style = nullptr;
  if (row != nullptr && on_get_group_summary_style_) {
    auto* column = summary_item != nullptr ? dynamic_cast<TlxGridColumn*>(summary_item->LinkedItem()) : nullptr;
    on_get_group_summary_style_(TableView(), dynamic_cast<TlxGridGroupRow*>(row), column, summary_item, style);
  }
  TlxGridGroupSummaryInfo info(row, summary_item);
  GetViewParams(kGroupSummary, &info, style, params);
}

void TlxGridTableViewStyles::GetHeaderParams(TlxGridColumn* column, TlxPaintParams& params) {
  TlxStyle* style = nullptr;
  if (on_get_header_style_)
    on_get_header_style_(TableView(), column, style);
  GetViewParams(kHeader, column, style, params);
}

void TlxGridTableViewStyles::GetPreviewParams(TlxCustomGridRecord* record, TlxGridColumn* column,
                                              TlxPaintParams& params) {
  TlxStyle* style = nullptr;
  if (record != nullptr && on_get_preview_style_)
    on_get_preview_style_(TableView(), record, column, style);
  TlxGridCellPos position(record, column);
  GetViewParams(kPreview, &position, style, params);
}

void TlxGridTableViewStyles::GetCellContentParams(TlxCustomGridRecord* record, TObject* item,
                                                  TlxPaintParams& params) {
  if (auto* summary_item = dynamic_cast<TlxDataSummaryItem*>(item)) {
    GetGroupSummaryCellParams(record, summary_item, params);
    return;
  }
  if (dynamic_cast<TlxDataSummaryItems*>(item) != nullptr) {
    GetGroupSummaryCellParams(record, nullptr, params);
    return;
  }
  TlxCustomGridTableViewStyles::GetCellContentParams(record, item, params);
}

void TlxGridTableViewStyles::GetContentParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                              TlxPaintParams& params) {
  auto* column = dynamic_cast<TlxGridColumn*>(item);
  if (column != nullptr && column->IsPreview()) {
    GetPreviewParams(record, column, params);
    return;
  }
  TlxCustomGridTableViewStyles::GetContentParams(record, item, params);
}

void TlxGridTableViewStyles::GetRecordParams(TlxCustomGridRecord* record, TlxCustomGridTableItem* item,
                                             TlxPaintParams& params) {
  if (dynamic_cast<TlxGridGroupRow*>(record) != nullptr) {
    GetGroupParams(record, -1, params);
    return;
  }
  TlxCustomGridTableViewStyles::GetRecordParams(record, item, params);
}

void TlxGridTableViewStyles::GetDefaultViewParams(int32_t index, TObject* data, TlxPaintParams& params) {
  TlxCustomGridTableViewStyles::GetDefaultViewParams(index, data, params);
  TlxCustomGridView* view = GetGridView();
  if (view == nullptr || index <= kLast)
    return;
  TlxPainterClass painter = view->LookAndFeelPainter();
  auto* position = dynamic_cast<TlxGridCellPos*>(data);
  TlxCustomGridRecord* record =
      position != nullptr ? position->GridRecord : dynamic_cast<TlxCustomGridRecord*>(data);
  switch (index) {
    case kFilterRowInfoText:
    case kNewItemRowInfoText:
      GetRecordParams(record, nullptr, params);
      params.TextColor = clGrayText;
      break;
    case kFooter:
      params.Color = painter->GetDefaultFooterColor();
      params.TextColor = painter->GetDefaultFooterTextColor();
      break;
    case kGroup:
      TlxCustomGridTableViewStyles::GetRecordParams(record, nullptr, params);
      if (TableView() != nullptr && TableView()->OptionsView()->GroupRowStyle() == grsOffice11) {
        const TlxOffice11Palette& palette = lxOffice11Palette();
        if (record != nullptr) {
          params.Color = clWindow;
          params.TextColor = static_cast<TColor>(palette.GroupRowTextColor);
        } else {
          params.Color = static_cast<TColor>(palette.GroupColor);
        }
      } else {
        params.Color = painter->GetDefaultGroupColor();
        params.TextColor = painter->GetDefaultGroupTextColor();
      }
      break;
    case kGroupByBox:
      params.Color = painter->GetDefaultGroupByBoxColor();
      params.TextColor = painter->GetDefaultGroupByBoxTextColor();
      break;
    case kGroupFooterSortedSummary: {
      auto* footer_position = dynamic_cast<TlxGridRowFooterCellPos*>(data);
      if (footer_position != nullptr && footer_position->Column != nullptr)
        footer_position->Column->Styles()->GetFooterParams(footer_position->Row, footer_position->FooterGroupLevel,
                                                           footer_position->SummaryItem, params);
      else
        GetFooterParams(nullptr, nullptr, params, nullptr, -1);
      break;
    }
    case kGroupSortedSummary: {
      auto* info = dynamic_cast<TlxGridGroupSummaryInfo*>(data);
      GetGroupSummaryCellParams(info != nullptr ? info->Row : nullptr, info != nullptr ? info->SummaryItem : nullptr,
                                params);
      break;
    }
    case kGroupSummary: {
      auto* info = dynamic_cast<TlxGridGroupSummaryInfo*>(data);
      GetRecordParams(info != nullptr ? info->Row : nullptr, nullptr, params);
      break;
    }
    case kHeader:
    case kIndicator:
      params.Color = painter->GetDefaultHeaderColor();
      params.TextColor = painter->GetDefaultHeaderTextColor();
      break;
    case kPreview: {
      TlxGridTableView* table = TableView();
      TlxGridColumn* column = table != nullptr ? table->Preview()->Column() : nullptr;
      TlxCustomGridTableViewStyles::GetContentParams(record, column, params);
      params.TextColor = painter->GetDefaultPreviewTextColor();
      break;
    }
    default:
      break;
  }
}

// --- TlxGridTableSummaryGroupItemLink ------------------------------------------------------------

TlxGridColumn* TlxGridTableSummaryGroupItemLink::Column() const { return dynamic_cast<TlxGridColumn*>(LinkedItem()); }

void TlxGridTableSummaryGroupItemLink::SetColumn(TlxGridColumn* value) { SetLinkedItem(value); }

TlxGridTableView* TlxGridTableSummaryGroupItemLink::GridView() const { return TableViewOf(*this); }

Variant TlxGridTableSummaryGroupItemLink::GetStoredColumn() const { return StoredColumnName(Column()); }

void TlxGridTableSummaryGroupItemLink::SetStoredColumn(const Variant& value) {
  SetColumn(ColumnByStoredName(GridView(), value));
}

// --- TlxGridTableSummaryItem ---------------------------------------------------------------------

void TlxGridTableSummaryItem::Assign(const TPersistent* source) {
  TlxDataSummaryItem::Assign(source);
  if (const auto* other = dynamic_cast<const TlxGridTableSummaryItem*>(source)) {
    SetDisplayText(other->DisplayText());
    SetVisibleForCustomization(other->VisibleForCustomization());
  }
}

TlxGridColumn* TlxGridTableSummaryItem::Column() const { return dynamic_cast<TlxGridColumn*>(LinkedItem()); }

void TlxGridTableSummaryItem::SetColumn(TlxGridColumn* value) { SetLinkedItem(value); }

TlxGridTableView* TlxGridTableSummaryItem::GridView() const { return TableViewOf(*this); }

void TlxGridTableSummaryItem::SetDisplayText(const std::string& value) {
  if (display_text_ == value)
    return;
  display_text_ = value;
  if (TlxGridTableView* view = GridView())
    view->Changed(vckProperty);
}

void TlxGridTableSummaryItem::SetVisibleForCustomization(bool value) {
  if (visible_for_customization_ == value)
    return;
  visible_for_customization_ = value;
  if (TlxGridTableView* view = GridView())
    view->Changed(vckProperty);
}

Variant TlxGridTableSummaryItem::GetStoredColumn() const { return StoredColumnName(Column()); }

void TlxGridTableSummaryItem::SetStoredColumn(const Variant& value) {
  SetColumn(ColumnByStoredName(GridView(), value));
}
