#include "grid/grid_clipboard_text.h"

#include "data/data_controller.h"

namespace {

constexpr char kCellSeparator = '\t';
constexpr std::string_view kLineBreak = "\r\n";

void AppendLine(std::string& text, const std::vector<std::string>& cells) {
  for (size_t i = 0; i < cells.size(); ++i) {
    if (i > 0)
      text += kCellSeparator;
    text += cells[i];
  }
  text += kLineBreak;
}

}  // namespace

std::string lxBuildGridClipboardText(TlxCustomDataController& controller,
                                     const std::vector<TlxGridClipboardItem>& items, bool with_captions,
                                     bool copy_all) {
  std::string text;
  if (with_captions) {
    std::vector<std::string> captions;
    captions.reserve(items.size());
    for (const TlxGridClipboardItem& item : items)
      captions.push_back(item.Caption);
    AppendLine(text, captions);
  }
  const int32_t grouped_item_count = controller.Groups().GroupedItemCount();
  controller.ForEachRow(!copy_all, [&](int32_t /*row_index*/, const TlxRowInfo& row_info) {
    std::vector<std::string> cells;
    for (const TlxGridClipboardItem& item : items) {
      cells.push_back(controller.GetRowDisplayText(row_info, item.ItemIndex));
      // A group row's texts all name its group value: one is enough.
      if (row_info.Level < grouped_item_count)
        break;
    }
    AppendLine(text, cells);
  });
  // The last line keeps no break; a lone break (one empty line) goes too.
  if (text.size() > 1 && text.ends_with(kLineBreak))
    text.resize(text.size() - kLineBreak.size());
  return text;
}
