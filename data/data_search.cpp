#include "data/data_search.h"

#include "data/data_controller.h"
#include "data/data_utils.h"
#include "platform/rtl/scope.h"

int32_t TlxDataControllerSearch::SearchItemIndex() const {
  const TlxCustomDataField* field = controller_.incremental_search_field_;
  return field ? controller_.ItemIndexOfField(field) : -1;
}

bool TlxDataControllerSearch::IsSearching() const { return controller_.incremental_searching_; }

std::string TlxDataControllerSearch::SearchText() const { return controller_.incremental_search_text_; }

void TlxDataControllerSearch::SetSearchItem(int32_t item_index) {
  controller_.CheckItemRange(item_index);
  controller_.incremental_search_field_ = controller_.ItemField(item_index);
}

void TlxDataControllerSearch::Cancel() {
  if (locked_ || !controller_.incremental_searching_)
    return;
  controller_.incremental_search_text_.clear();
  controller_.incremental_searching_ = false;
  controller_.Change(dccSearch);
}

bool TlxDataControllerSearch::Matches(int32_t position, const std::string& text) const {
  const int32_t record = controller_.GetFilteredRecordIndex(position);
  return lxTextEqualsOrStartsWith(controller_.GetIncrementalSearchText(record, SearchItemIndex()), text, true);
}

int32_t TlxDataControllerSearch::ScanForText(int32_t from, int32_t to, const std::string& text, bool forward) {
  const int32_t count = controller_.GetFilteredRecordCount();
  if (to == -1)
    to = forward ? count - 1 : 0;
  if (forward) {
    for (int32_t position = std::max(from, 0); position <= to && position < count; ++position)
      if (Matches(position, text))
        return position;
  } else {
    for (int32_t position = std::min(from, count - 1); position >= to && position >= 0; --position)
      if (Matches(position, text))
        return position;
  }
  return -1;
}

void TlxDataControllerSearch::FocusFoundPosition(int32_t position) {
  Lock();
  TScopeExit unlock([this] { Unlock(); });
  controller_.ChangeFocusedRecordIndex(controller_.GetFilteredRecordIndex(position));
  controller_.SelectFocusedRow();
}

bool TlxDataControllerSearch::StartSearch(int32_t item_index, const std::string& text) {
  if (text.empty() || controller_.GetFilteredRecordCount() == 0)
    return false;
  SetSearchItem(item_index);
  bool found = false;
  if (controller_.IsGridMode()) {
    found = controller_.SearchInDataSource(text, true, false);
  } else {
    const int32_t focused = controller_.FocusedRecordIndex();
    const int32_t focused_position = focused < 0 ? -1 : controller_.GetFilteredIndexByRecordIndex(focused);
    const int32_t start = std::max(focused_position, 0);
    int32_t position = ScanForText(start, -1, text, true);
    if (position == -1 && start > 0)
      position = ScanForText(0, start - 1, text, true);
    if (position != -1) {
      FocusFoundPosition(position);
      found = true;
    }
  }
  if (!found)
    return false;
  controller_.incremental_searching_ = true;
  controller_.incremental_search_text_ = text;
  controller_.Change(dccSearch);
  controller_.SelectOnlyFocusedRow();
  return true;
}

bool TlxDataControllerSearch::SearchNext(bool forward) {
  const std::string& text = controller_.incremental_search_text_;
  if (!controller_.incremental_searching_ || text.empty() || controller_.incremental_search_field_ == nullptr ||
      controller_.GetFilteredRecordCount() == 0)
    return false;
  bool found = false;
  if (controller_.IsGridMode()) {
    found = controller_.SearchInDataSource(text, forward, true);
  } else {
    const int32_t focused = controller_.FocusedRecordIndex();
    const int32_t p = focused < 0 ? -1 : controller_.GetFilteredIndexByRecordIndex(focused);
    if (p < 0)
      return false;
    const int32_t position = forward ? ScanForText(p + 1, -1, text, true) : ScanForText(p - 1, 0, text, false);
    if (position != -1) {
      FocusFoundPosition(position);
      found = true;
    }
  }
  if (found)
    controller_.SelectOnlyFocusedRow();
  return found;
}
