#pragma once
// TlxCustomEditListBox: the list that drop-down text editors show in their
// popup. Items are drawn by the list itself (text inset from the edge,
// vertically centred), the item under a moving mouse becomes selected
// (hot tracking), and it looks focused while the focus stays in the
// editor.

#include <windows.h>

#include <cstdint>
#include <string>

#include "editors/inner_list_box_win.h"

class TlxCustomTextEdit;

class TlxCustomEditListBox : public TlxCustomInnerListBox {
 public:
  static constexpr TClass kClass{"TlxCustomEditListBox", &TlxCustomInnerListBox::kClass,
                                 &ConstructInstance<TlxCustomEditListBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomEditListBox(TComponent* owner);

  // Virtual operations, in the order of their slots.
  // True when the kind drew the item itself.
  virtual bool DrawItemByOwner(int32_t /*index*/, const TRect& /*rect*/, TOwnerDrawState /*state*/) { return false; }
  virtual void GetItemText(int32_t index, std::string& text);
  virtual void ListPrepared() {}
  virtual int32_t GetItemsHeight(int32_t count) { return count * GetItemHeight(-1); }
  virtual int32_t GetItemHeight(int32_t index);
  virtual int32_t GetItemWidth(int32_t index);

  bool NeedsFocusRect() const override;
  void DrawItem(int32_t index, const TRect& rect, TOwnerDrawState state) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void Click() override;
  bool DoMouseWheel(TShiftState shift, int32_t wheel_delta, TPoint mouse_pos) override;

  // The height of "Wg" in the list's font.
  int32_t GetDefaultItemHeight();
  // Adds empty items or deletes items from the end, in one update.
  void SetItemCount(int32_t count);
  void SetListItemIndex(int32_t index);
  void SetOwnerEdit(TlxCustomTextEdit* edit) { edit_ = edit; }
  TlxCustomTextEdit* OwnerEdit() const { return edit_; }

  TNotifyEvent OnSelectionChanged;

 protected:
  void NotifySelectionChanged();
  void CreateParams(TCreateParams& params) override;
  void CMVisibleChanged(TMessage& message) override;

 private:
  TlxCustomTextEdit* edit_ = nullptr;
};
