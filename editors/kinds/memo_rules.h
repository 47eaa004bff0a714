#pragma once
// The memo editor's rules that need no window: how its text is laid out
// for drawing, which keys it types into the text, how much of a replacement
// fits under MaxLength, and where the corner between the inner control's
// two system scroll bars lies.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/rtl/alignment.h"
#include "platform/rtl/geometry.h"
#include "platform/rtl/scroll_style.h"
#include "ui/foundation/text_layout/text_rows.h"

// The text starts at the top, with the edit control's row rule and tabs
// expanded; it wraps (breaking over-long words too) only when word wrapping
// is on and no horizontal scroll bar is shown.
TlxTextOutFlags lxMemoDrawTextFlags(TAlignment horz_alignment, bool word_wrap, TScrollStyle scroll_bars);

// Enter (`key` already mapped) with WantReturns or Ctrl held; Tab with
// `allow_tab` or WantTabs.
bool lxIsMemoEditKey(uint16_t key, bool ctrl_down, bool allow_tab, bool want_returns, bool want_tabs);

// Whether an in-place memo types this Enter as a line break instead of
// letting the host end editing: Ctrl+Enter without WantReturns, plain
// Enter with it.
bool lxMemoTypesEnterInPlace(bool ctrl_down, bool want_returns);

// What of `text` replaces the selection when `before_selection` UTF-16
// characters stand before it and at most `max_length` may stand in all
// (0 or less: no limit). The text is cut to the room left, never inside a
// surrogate pair; nothing when no room is left.
std::optional<std::string> lxFitMemoInsertion(int32_t before_selection, std::string_view text, int32_t max_length);

// The square between a horizontal and a vertical scroll bar given in the
// same coordinates; empty unless both bars are there.
TRect lxMemoScrollBarCorner(const TRect& horizontal_bar, const TRect& vertical_bar);
