#include "tabs/visible_tab_list.h"

#include "platform/rtl/format.h"
#include "tabs/pc_texts.h"
#include "tabs/tab.h"
#include "tabs/tab_control_model.h"
#include "tabs/tabs.h"

TlxTab* TlxVisibleTabList::GetTab(int32_t visible_index) const {
  const int32_t count = Count();
  if (count == 0)
    lxPCRaise("TlxVisibleTabList", "GetTab", lxPCText(slxPCVisibleTabListEmpty));
  if (visible_index < 0 || visible_index >= count)
    lxPCRaise("TlxVisibleTabList", "GetTab",
              Format(lxPCText(slxPCTabVisibleIndexOutsOfBounds), {visible_index, count - 1}));
  return control_->Tabs().GetTab(TabIndexAt(visible_index));
}

bool TlxVisibleTabList::Find(int32_t tab_index, int32_t& position) const {
  int32_t low = 0;
  int32_t high = Count() - 1;
  while (low <= high) {
    const int32_t middle = low + (high - low) / 2;
    const int32_t value = TabIndexAt(middle);
    if (value == tab_index) {
      position = middle;
      return true;
    }
    if (value < tab_index)
      low = middle + 1;
    else
      high = middle - 1;
  }
  position = low;
  return false;
}

void TlxVisibleTabList::Add(int32_t tab_index) {
  int32_t position = 0;
  if (!Find(tab_index, position))
    indexes_.insert(indexes_.begin() + position, tab_index);
}

void TlxVisibleTabList::Remove(int32_t tab_index) {
  int32_t position = 0;
  if (Find(tab_index, position))
    indexes_.erase(indexes_.begin() + position);
}

void TlxVisibleTabList::Rebuild() {
  const TlxTabs& tabs = control_->Tabs();
  indexes_.clear();
  for (int32_t i = 0; i < tabs.Count(); ++i)
    if (tabs.GetTab(i)->Visible())
      indexes_.push_back(i);
}

int32_t TlxVisibleTabList::IndexOf(int32_t tab_index) const {
  int32_t position = 0;
  return Find(tab_index, position) ? position : -1;
}
