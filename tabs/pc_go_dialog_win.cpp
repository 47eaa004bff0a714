#include "tabs/pc_go_dialog_win.h"

#include <memory>

#include "platform/rtl/strings.h"
#include "tabs/pc_painters_win.h"
#include "tabs/tab.h"
#include "tabs/tab_control_model.h"
#include "tabs/tabs.h"

void TlxPCGoDialog::BuildItems(TlxTabControlModel& control, bool sort) {
  TStringList entries;
  for (int32_t i = 0; i < control.Tabs().VisibleCount(); ++i) {
    const TlxTab* tab = control.Tabs().GetVisibleTab(i);
    if (tab->IsEnabledForUse())
      entries.AddData(lxPCStripAccelerators(tab->Caption()), tab->Index());
  }
  if (sort)
    entries.Sort();
  Items().Clear();
  for (int32_t i = 0; i < entries.Count(); ++i) {
    const int32_t tab_index = static_cast<int32_t>(entries.Data(i));
    auto item = std::make_unique<TMenuItem>(this);
    item->SetCaption(control.Tabs().GetTab(tab_index)->Caption());
    item->SetTag(tab_index);
    item->OnClick = [this, tab_index](TObject*) {
      if (OnItemChosen)
        OnItemChosen(tab_index);
    };
    Items().Add(item.release());
  }
}
