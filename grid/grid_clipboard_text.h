#pragma once
// The clipboard text of a record-based view: an optional caption line, then
// one line per copied row, cells separated by TAB (9), lines by CR LF
// (13, 10), none after the last line. A group row gives only its group
// value text. Portable, so that the exact bytes are checked natively.

#include <cstdint>
#include <string>
#include <vector>

class TlxCustomDataController;

// One copied item: its data controller index and the caption the header
// line shows (the alternate caption, else the caption).
struct TlxGridClipboardItem {
  int32_t ItemIndex = -1;
  std::string Caption;
};

// Walks the selected rows (or every row with `copy_all`) of `controller`.
std::string lxBuildGridClipboardText(TlxCustomDataController& controller,
                                     const std::vector<TlxGridClipboardItem>& items, bool with_captions,
                                     bool copy_all);
