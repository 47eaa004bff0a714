#pragma once
// TCustomComboBox and TComboBox: the system's COMBOBOX control: an edit
// field with a drop-down list (csDropDown), a list only (csDropDownList),
// a list always shown (csSimple), or owner-drawn lists. The style can be
// changed at any time (the window is re-created); items, selection and text
// are kept.

#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/toolkit/edit.h"
#include "platform/toolkit/list_control.h"

enum TComboBoxStyle : uint8_t { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed, csOwnerDrawVariable };

class TCustomComboBox : public TCustomListControl {
 public:
  static constexpr TClass kClass{"TCustomComboBox", &TCustomListControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomComboBox(TComponent* owner);
  ~TCustomComboBox() override;

  void Clear();

  TComboBoxStyle Style() const { return style_; }
  void SetStyle(TComboBoxStyle style);
  // The selected item, -1 for none.
  int32_t ItemIndex();
  void SetItemIndex(int32_t index);
  // Rows the drop-down list shows without scrolling.
  int32_t DropDownCount() const { return drop_down_count_; }
  void SetDropDownCount(int32_t count);
  bool DroppedDown();
  void SetDroppedDown(bool value);
  bool Sorted() const { return sorted_; }
  void SetSorted(bool value);
  TEditCharCase CharCase() const { return char_case_; }
  void SetCharCase(TEditCharCase value);
  // Longest text typed into the edit field, in UTF-16 units; 0: no limit.
  int32_t MaxLength() const { return max_length_; }
  void SetMaxLength(int32_t length);
  // Height of the items of the owner-drawn styles.
  int32_t ItemHeight();
  void SetItemHeight(int32_t height);

  // The selection in the edit field (UTF-16 units).
  int32_t SelStart();
  void SetSelStart(int32_t start);
  int32_t SelLength();
  void SetSelLength(int32_t length);
  std::string SelText();
  void SelectAll();

  // The text changed: typed, or an item chosen while OnSelect is unset.
  TNotifyEvent OnChange;
  // An item was chosen from the list.
  TNotifyEvent OnSelect;
  TNotifyEvent OnDropDown;
  TNotifyEvent OnCloseUp;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void Dispatch(TMessage& message) override;
  bool HasVariableItemHeight() const override { return style_ == csOwnerDrawVariable; }
  // Setting the text of a list-only combo box selects the item of that
  // text (letter case ignored), or none.
  void SetTextBuffer(const std::string& text) override;
  virtual void Change();
  virtual void Select();
  virtual void DropDown();
  virtual void CloseUp();

 private:
  void CNCommand(TMessage& message);
  void ApplyDropDownCount();
  bool HasList() const { return style_ != csDropDown && style_ != csSimple; }
  bool HasEdit() const { return style_ == csDropDown || style_ == csSimple; }
  LRESULT Send(UINT message, WPARAM wparam = 0, LPARAM lparam = 0);

  // Replacing an item keeps the selection.
  void BeginItemReplace(int32_t index) override;
  void EndItemReplace(int32_t index) override;

  int32_t saved_item_index_ = -1;
  int32_t replace_item_index_ = -1;
  TComboBoxStyle style_ = csDropDown;
  int32_t drop_down_count_ = 8;
  bool sorted_ = false;
  TEditCharCase char_case_ = ecNormal;
  int32_t max_length_ = 0;
};

class TComboBox : public TCustomComboBox {
 public:
  static constexpr TClass kClass{"TComboBox", &TCustomComboBox::kClass, &ConstructInstance<TComboBox>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomComboBox::TCustomComboBox;
};
