#pragma once
// The lookup items of one text editor: which item is chosen (the current
// key), which one the popup list shows selected, the incremental search
// that completes typed text, and the steps by keys and the wheel. The
// editor talks to it only through IlxTextEditLookupData; the plain text
// editor's items are its properties' LookupItems, and the list kinds
// derive their own lookup data.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "editors/text_edit_lookup_rules.h"
#include "platform/rtl/variant.h"
#include "platform/toolkit/win_control.h"
#include "ui/foundation/base/interfaced.h"

class TlxCustomTextEdit;
class TlxCustomTextEditProperties;
class TlxCustomEditListBox;

class IlxTextEditLookupData : public virtual IInterface {
 public:
  virtual bool AdjustListSize() = 0;
  virtual void SyncListSelection() = 0;
  virtual TObject* GetObject() = 0;
  virtual void InitializeList() = 0;
  virtual void PositionListOnText() = 0;
  virtual bool ContainsItemText(const std::string& text) = 0;
  virtual TWinControl* GetListControl() = 0;
  virtual void GetCurrentKey(Variant& key) = 0;
  virtual void GetDisplayText(const Variant& key, std::string& text) = 0;
  virtual const TNotifyEvent& GetOnCurrentKeyChanged() const = 0;
  virtual const TNotifyEvent& GetOnSelectItem() const = 0;
  virtual void GetListSize(TSize& size) = 0;
  virtual void MoveCurrentItem(TlxLookupMoveDirection direction, bool cycle) = 0;
  virtual void PrepareListInPopup(TWinControl* popup_window) = 0;
  virtual bool IsEmpty() = 0;
  virtual bool IsMouseOverList(const TPoint& screen_point) = 0;
  virtual bool Locate(std::string& text, std::string& tail, bool next) = 0;
  virtual void SetListBounds(const TRect& rect) = 0;
  virtual void ItemsChanged() = 0;
  virtual void CommitListSelection() = 0;
  virtual void SetCurrentKey(const Variant& key) = 0;
  virtual void SetOnCurrentKeyChanged(TNotifyEvent handler) = 0;
  virtual void SetOnSelectItem(TNotifyEvent handler) = 0;
  virtual void TextChanged() = 0;
};

class TlxCustomTextEditLookupData : public TlxInterfacedPersistent, public IlxTextEditLookupData {
 public:
  static constexpr TClass kClass{"TlxCustomTextEditLookupData", &TlxInterfacedPersistent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomTextEditLookupData(TlxCustomTextEdit* owner);
  ~TlxCustomTextEditLookupData() override;

  // Virtual operations, in the order of their slots.
  virtual void GetItemText(int32_t index, std::string& text);
  virtual int32_t GetItemCount();
  // Null: the plain text editor shows no list; popup kinds give theirs.
  virtual const TClass* GetListBoxClass() const { return nullptr; }
  virtual void HandleListSelectionChange(TObject* sender);
  virtual bool LocateText(std::string& text, std::string& tail, bool from_current, bool exact);
  virtual void SyncListItemCount();
  bool AdjustListSize() override { return true; }
  void InitializeList() override {}
  void PositionListOnText() override {}
  bool ContainsItemText(const std::string& text) override { return IndexOfText(text) != -1; }
  void GetListSize(TSize& size) override { size = TSize{0, 0}; }
  void PrepareListInPopup(TWinControl* popup_window) override;
  void SetListBounds(const TRect& rect) override;
  void ItemsChanged() override { SyncListItemCount(); }
  void TextChanged() override;

  // IlxTextEditLookupData.
  void SyncListSelection() override;
  TObject* GetObject() override { return this; }
  TWinControl* GetListControl() override;
  void GetCurrentKey(Variant& key) override { key = Variant(current_key_); }
  void GetDisplayText(const Variant& key, std::string& text) override;
  const TNotifyEvent& GetOnCurrentKeyChanged() const override { return on_current_key_changed_; }
  const TNotifyEvent& GetOnSelectItem() const override { return on_select_item_; }
  void MoveCurrentItem(TlxLookupMoveDirection direction, bool cycle) override;
  bool IsEmpty() override { return GetItemCount() == 0; }
  bool IsMouseOverList(const TPoint& screen_point) override;
  bool Locate(std::string& text, std::string& tail, bool next) override {
    return LocateText(text, tail, next, false);
  }
  void CommitListSelection() override;
  void SetCurrentKey(const Variant& key) override;
  void SetOnCurrentKeyChanged(TNotifyEvent handler) override { on_current_key_changed_ = std::move(handler); }
  void SetOnSelectItem(TNotifyEvent handler) override { on_select_item_ = std::move(handler); }

  int32_t IndexOfText(const std::string& text);
  // Only for -1..Count-1; the list selection follows.
  void SetCurrentKeyIndex(int32_t index);
  void SetListItemIndex(int32_t index);
  int32_t CurrentKey() const { return current_key_; }
  int32_t ItemIndex() const { return item_index_; }
  TlxCustomTextEdit* GetOwnerEdit() const { return owner_; }
  TlxCustomTextEditProperties* GetEditProperties() const;
  TlxCustomEditListBox* List() const { return list_.Get(); }

 protected:
  virtual void DoSelectItem();
  void ResetCurrentKeyForStyle(bool exact, bool text_empty);
  TlxLookupItemText ItemTextReader();

 private:
  TlxCustomTextEdit* owner_;
  int32_t current_key_ = -1;
  int32_t item_index_ = -1;
  // Owned by the popup window it lives in.
  TWeakRef<TlxCustomEditListBox> list_;
  TNotifyEvent on_current_key_changed_;
  TNotifyEvent on_select_item_;
};
