// The quick customization popup bound to a table view's items.
#include "editors/kinds/check_list_box_win.h"
#include "grid/table_controller_win.h"
#include "grid/table_items_win.h"
#include "grid/table_options_win.h"
#include "grid/table_view_win.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/scope.h"

TlxCustomGridTableView* TlxCustomGridItemsCustomizationPopup::TableView() const {
  // The popup lists a table view's items; made for another view it has
  // nothing to show.
  auto* view = dynamic_cast<TlxCustomGridTableView*>(GridView());
  if (view == nullptr)
    throw EInvalidOperation("The items customization popup needs a table view");
  return view;
}

void TlxCustomGridItemsCustomizationPopup::AddItems() {
  TlxCheckListBoxItems& items = CheckListBox().Items();
  items.BeginUpdate();
  TScopeExit end_update([&items] { items.EndUpdate(); });
  items.Clear();
  TlxCustomGridTableView* view = TableView();
  if (view == nullptr)
    return;
  for (int32_t i = 0; i < view->ItemCount(); ++i) {
    TlxCustomGridTableItem* item = view->Items(i);
    if (!item->VisibleForCustomization())
      continue;
    TlxCheckListBoxItem* entry = items.Add();
    entry->SetText(item->AlternateCaption().empty() ? item->Caption() : item->AlternateCaption());
    entry->SetItemObject(item);
    entry->SetChecked(item->Visible());
  }
}

int32_t TlxCustomGridItemsCustomizationPopup::GetDropDownCount() {
  return TableView()->OptionsCustomize()->ItemsQuickCustomizationMaxDropDownCount();
}

bool TlxCustomGridItemsCustomizationPopup::IsReorderingEnabled() {
  TlxCustomGridTableView* view = TableView();
  if (view->ComponentState().Contains(csDesigning))
    return true;
  const TlxCustomGridTableOptionsCustomize& options = *view->OptionsCustomize();
  switch (options.ItemsQuickCustomizationReordering()) {
    case qcrEnabled:
      return true;
    case qcrDefault:
      return options.ItemMoving();
    default:
      return false;
  }
}

void TlxCustomGridItemsCustomizationPopup::SetItemChecked(TObject* object, bool checked) {
  auto* item = dynamic_cast<TlxCustomGridTableItem*>(object);
  if (item == nullptr)
    return;
  item->SetVisible(checked);
}

int32_t TlxCustomGridItemsCustomizationPopup::GetItemIndex(TObject* object) {
  auto* item = dynamic_cast<TlxCustomGridTableItem*>(object);
  return item != nullptr ? item->Index() : -1;
}

void TlxCustomGridItemsCustomizationPopup::SetItemIndex(TObject* object, int32_t index) {
  auto* item = dynamic_cast<TlxCustomGridTableItem*>(object);
  if (item == nullptr)
    return;
  // Taking the item out first shifts every later index down by one.
  item->SetIndex(item->Index() < index ? index - 1 : index);
}
