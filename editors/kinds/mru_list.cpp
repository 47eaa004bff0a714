#include "editors/kinds/mru_list.h"

void lxMRUAddItem(TStrings& items, const std::string& text, int32_t max_count, bool fire_new,
                  const TlxMRUListEvents& events) {
  if (text.empty())
    return;
  const int32_t index = items.IndexOf(text);
  if (index == 0)
    return;
  if (index > 0) {
    items.Move(index, 0);
    return;
  }
  if (fire_new && events.OnNewText)
    events.OnNewText(text);
  items.Insert(0, text);
  lxMRUApplyLimit(items, max_count, events);
}

void lxMRUApplyLimit(TStrings& items, int32_t max_count, const TlxMRUListEvents& events) {
  while (max_count > 0 && items.Count() > max_count) {
    const int32_t last = items.Count() - 1;
    if (events.OnDeleteItem)
      events.OnDeleteItem(last);
    // A handler may have shortened the list itself.
    if (items.Count() > last)
      items.Delete(last);
  }
}
