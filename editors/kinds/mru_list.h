#pragma once
// The rule of a most-recently-used list: an accepted text goes to the top
// (an existing item moves there, keeping its spelling), and a limit drops
// items from the bottom.

#include <cstdint>
#include <functional>
#include <string>

#include "platform/rtl/strings.h"

struct TlxMRUListEvents {
  // A text not yet in the list, before it is inserted.
  std::function<void(const std::string& text)> OnNewText;
  // The item at `index` is about to be dropped because of the limit.
  std::function<void(int32_t index)> OnDeleteItem;
};

// Adds `text` as the most recent item (see above); an empty text is ignored.
// `max_count` 0 means no limit. `fire_new` runs OnNewText for a new text.
void lxMRUAddItem(TStrings& items, const std::string& text, int32_t max_count, bool fire_new,
                  const TlxMRUListEvents& events);
// Drops items from the bottom while there are more than `max_count` (> 0).
void lxMRUApplyLimit(TStrings& items, int32_t max_count, const TlxMRUListEvents& events);
