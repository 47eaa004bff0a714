#include "platform/toolkit/list_control_strings.h"

#include <algorithm>

#include "platform/rtl/text.h"
#include "platform/toolkit/errors.h"

namespace {

EOutOfResources InsertLineError() { return EOutOfResources("Unable to insert a line"); }

}  // namespace

// --- TListControlStrings ------------------------------------------------------------------

void TListControlStrings::CheckIndex(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EStringListError::IndexOutOfBounds(index);
}

int32_t TListControlStrings::Count() const {
  if (!HasWindow())
    return host_.SavedItems().Count();
  return static_cast<int32_t>(Send(messages_.get_count));
}

std::string TListControlStrings::Get(int32_t index) const {
  CheckIndex(index);
  if (!HasWindow())
    return host_.SavedItems().Get(index);
  const auto length = static_cast<int32_t>(Send(messages_.get_text_length, static_cast<WPARAM>(index)));
  std::u16string text(static_cast<size_t>(std::max(length, 0)) + 1, u'\0');
  const auto copied = static_cast<int32_t>(
      Send(messages_.get_text, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data())));
  text.resize(static_cast<size_t>(std::clamp(copied, 0, std::max(length, 0))));
  return Utf16ToUtf8(text);
}

void TListControlStrings::Put(int32_t index, const std::string& text) {
  CheckIndex(index);
  if (!HasWindow()) {
    host_.SavedItems().Put(index, text);
    return;
  }
  // The controls replace no text in place: the item is deleted and put back
  // with its data and selection.
  host_.BeginItemReplace(index);
  const uintptr_t slot = GetSlot(index);
  Delete(index);
  Insert(index, text);
  PutSlot(index, slot);
  host_.EndItemReplace(index);
}

uintptr_t TListControlStrings::GetSlot(int32_t index) const {
  CheckIndex(index);
  if (!HasWindow())
    return host_.SavedItems().GetSlot(index);
  return static_cast<uintptr_t>(Send(messages_.get_item_data, static_cast<WPARAM>(index)));
}

void TListControlStrings::PutSlot(int32_t index, uintptr_t slot) {
  CheckIndex(index);
  if (!HasWindow()) {
    host_.SavedItems().PutSlot(index, slot);
    return;
  }
  Send(messages_.set_item_data, static_cast<WPARAM>(index), static_cast<LPARAM>(slot));
}

int32_t TListControlStrings::Add(const std::string& text) {
  if (!HasWindow())
    return host_.SavedItems().Add(text);
  const std::u16string wide = Utf8ToUtf16(text);
  const auto index = static_cast<int32_t>(Send(messages_.add_string, 0, reinterpret_cast<LPARAM>(wide.c_str())));
  if (index < 0)
    throw InsertLineError();
  return index;
}

void TListControlStrings::Insert(int32_t index, const std::string& text) {
  if (index < 0 || index > Count())
    throw EStringListError::IndexOutOfBounds(index);
  if (!HasWindow()) {
    // The saved copy of a sorted list keeps its order by itself.
    if (host_.SavedItems().Sorted())
      host_.SavedItems().Add(text);
    else
      host_.SavedItems().Insert(index, text);
    return;
  }
  const std::u16string wide = Utf8ToUtf16(text);
  if (Send(messages_.insert_string, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(wide.c_str())) < 0)
    throw InsertLineError();
}

void TListControlStrings::Delete(int32_t index) {
  CheckIndex(index);
  if (!HasWindow()) {
    host_.SavedItems().Delete(index);
    return;
  }
  Send(messages_.delete_string, static_cast<WPARAM>(index));
}

void TListControlStrings::Clear() {
  if (!HasWindow()) {
    host_.SavedItems().Clear();
    return;
  }
  Send(messages_.reset_content);
}

int32_t TListControlStrings::IndexOf(std::string_view text) const {
  if (!HasWindow())
    return host_.SavedItems().IndexOf(text);
  const std::u16string wide = Utf8ToUtf16(text);
  const auto found = static_cast<int32_t>(
      Send(messages_.find_string_exact, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(wide.c_str())));
  return found < 0 ? -1 : found;
}

void TListControlStrings::SetUpdateState(bool updating) {
  if (!HasWindow())
    return;
  Send(WM_SETREDRAW, updating ? FALSE : TRUE);
  if (!updating)
    InvalidateRect(host_.ItemsWindow(), nullptr, TRUE);
}

void SaveListControlItems(TStrings& items, TStringList& saved) {
  saved.Clear();
  saved.SetSorted(false);
  const int32_t count = items.Count();
  for (int32_t i = 0; i < count; ++i)
    saved.AddData(items.Get(i), static_cast<intptr_t>(items.GetSlot(i)));
}

int32_t RestoreListControlItems(HWND window, const TListControlMessages& messages, bool sorted,
                                const TStringList& saved, int32_t saved_index,
                                const std::function<void(int32_t saved_position, int32_t index)>& restored) {
  int32_t moved_index = -1;
  for (int32_t i = 0; i < saved.Count(); ++i) {
    const std::u16string wide = Utf8ToUtf16(saved.Line(i));
    const auto text = reinterpret_cast<LPARAM>(wide.c_str());
    const auto index = static_cast<int32_t>(sorted ? SendMessageW(window, messages.add_string, 0, text)
                                                    : SendMessageW(window, messages.insert_string, static_cast<WPARAM>(-1), text));
    if (index < 0)
      continue;
    // A sorted control may put an item in front of the one followed.
    if (i == saved_index)
      moved_index = index;
    else if (moved_index >= 0 && index <= moved_index)
      ++moved_index;
    SendMessageW(window, messages.set_item_data, static_cast<WPARAM>(index), static_cast<LPARAM>(saved.GetSlot(i)));
    restored(i, index);
  }
  return moved_index;
}
