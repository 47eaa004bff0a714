#pragma once
// TListControlStrings: the items of a system list control (a list box or a
// combo box) as a TStrings. While the control's window exists the items
// live in it and every call goes to the window; otherwise they live in a
// saved copy that a new window takes over.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/rtl/strings.h"

// The messages through which a system list control (LB_... for list boxes,
// CB_... for combo boxes) keeps its items.
struct TListControlMessages {
  UINT get_count;
  UINT get_text;
  UINT get_text_length;
  UINT add_string;
  UINT insert_string;
  UINT delete_string;
  UINT reset_content;
  UINT get_item_data;
  UINT set_item_data;
  UINT find_string_exact;
};

// What the items need from the control that shows them.
class IListControlHost {
 public:
  virtual ~IListControlHost() = default;
  // The window that holds the items, null while there is none.
  virtual HWND ItemsWindow() const = 0;
  // The items while the control has no window.
  virtual TStringList& SavedItems() = 0;
  // Saves what replacing an item would lose (selection), and puts it back.
  virtual void BeginItemReplace(int32_t index) = 0;
  virtual void EndItemReplace(int32_t index) = 0;
};

class TListControlStrings : public TStrings {
 public:
  static constexpr TClass kClass{"TListControlStrings", &TStrings::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TListControlStrings(IListControlHost& host, const TListControlMessages& messages)
      : host_(host), messages_(messages) {}

  int32_t Count() const override;
  std::string Get(int32_t index) const override;
  void Put(int32_t index, const std::string& text) override;
  uintptr_t GetSlot(int32_t index) const override;
  void PutSlot(int32_t index, uintptr_t slot) override;
  int32_t Add(const std::string& text) override;
  void Insert(int32_t index, const std::string& text) override;
  void Delete(int32_t index) override;
  void Clear() override;
  // Whole texts, letter case ignored (the control's own search).
  int32_t IndexOf(std::string_view text) const override;

 protected:
  void SetUpdateState(bool updating) override;

 private:
  void CheckIndex(int32_t index) const;
  bool HasWindow() const { return host_.ItemsWindow() != nullptr; }
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0) const {
    return SendMessageW(host_.ItemsWindow(), message, wparam, lparam);
  }

  IListControlHost& host_;
  const TListControlMessages& messages_;
};

// Saves a list control's items (with their data) before its window goes.
void SaveListControlItems(TStrings& items, TStringList& saved);
// Puts saved items into a new window (sorted by the control when
// `sorted`), calling `restored` with each item's saved and new position,
// and returns where the item saved at `saved_index` went (-1 for none).
int32_t RestoreListControlItems(HWND window, const TListControlMessages& messages, bool sorted,
                                const TStringList& saved, int32_t saved_index,
                                const std::function<void(int32_t saved_position, int32_t index)>& restored);
