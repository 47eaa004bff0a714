#pragma once
// The rules behind a text editor's lookup items, apart from any window: the
// incremental search that completes a typed prefix from the items, and the
// step to the first, last, next, previous item or a page further.

#include <cstdint>
#include <functional>
#include <string>

#include "editors/text_edit_properties.h"

enum TlxLookupMoveDirection : uint8_t { lmdFirst, lmdLast, lmdNext, lmdPrior, lmdPageUp, lmdPageDown };

// The item a step from `start` (-1: none) reaches among `count` items with
// `page` rows to a page; `cycle` wraps around at either end.
int32_t lxLookupMoveTarget(TlxLookupMoveDirection direction, int32_t start, int32_t count, int32_t page,
                           bool cycle);

using TlxLookupItemText = std::function<std::string(int32_t index)>;

// The first item from `from` on (no wrap-around) whose beginning equals
// `text` without regard to case; -1 when none does or `text` is empty. On
// a find `text` becomes that beginning as the item writes it and `tail`
// the rest of the item. Lengths count UTF-16 units.
int32_t lxLocateLookupPrefix(const TlxLookupItemText& item_text, int32_t count, int32_t from, std::string& text,
                             std::string& tail);

// The first item equal to `text` without regard to case; -1 when none.
int32_t lxIndexOfLookupText(const TlxLookupItemText& item_text, int32_t count, const std::string& text);

// Whether a search that found nothing clears the current item.
bool lxLookupMissClearsKey(TlxTextEditingStyle style, bool exact, bool text_empty);
