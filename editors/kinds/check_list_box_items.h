#pragma once
// The lines of a check list box: text, check state, image and enabled
// flag per item, and the collection that keeps them. The collection is the
// item source of the check-state value formats, so the whole list of
// states travels as one edit value. Portable: what the items need of the
// list box that shows them comes through IlxCheckListBoxItemsHost.

#include <cstdint>
#include <string>

#include "editors/kinds/check_states.h"
#include "platform/rtl/collection.h"
#include "ui/foundation/painters/painter_types.h"

class TlxCheckListBoxItems;

// The list box that shows the items.
class IlxCheckListBoxItemsHost : public virtual IInterface {
 public:
  // The owning control's edit-value format: cvfInteger has no grayed state.
  virtual TlxCheckStatesValueFormat CheckItemsValueFormat() const = 0;
  // An item's state changed: its check is to be redrawn.
  virtual void CheckItemStateChanged(int32_t index) = 0;
  // The items' states make the owning control's edit value anew.
  virtual void CheckItemsStatesToEditValue() = 0;
  // An item's text changed outside an update bracket: its line follows.
  virtual void CheckItemTextChanged(int32_t index, const std::string& text) = 0;
  // One item (or, null, all of them) changed.
  virtual void CheckItemsUpdated(TCollectionItem* item) = 0;
};

class TlxCheckListBoxItem : public TCollectionItem {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxCheckListBoxItem", &TCollectionItem::kClass,
                                 &ConstructInstance<TlxCheckListBoxItem>, &TlxCheckListBoxItem::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCheckListBoxItem(TCollection* collection) : TCollectionItem(collection) {}

  // Copies text, enabled flag, image, object, state and tag through their
  // setters.
  void Assign(const TPersistent* source) override;
  // The text, or the collection's default name when there is none.
  std::string DisplayName() const override;

  bool Checked() const { return state_ == cbsChecked; }
  void SetChecked(bool value) { SetState(value ? cbsChecked : cbsUnchecked); }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  int32_t ImageIndex() const { return image_index_; }
  void SetImageIndex(int32_t value);
  // Not published: whatever the program hangs on the line.
  TObject* ItemObject() const { return item_object_; }
  void SetItemObject(TObject* value) { item_object_ = value; }
  TlxCheckBoxState State() const { return state_; }
  // Grayed becomes unchecked while the owner keeps its value as a bit mask.
  void SetState(TlxCheckBoxState value);
  int32_t Tag() const { return tag_; }
  void SetTag(int32_t value) { tag_ = value; }
  const std::string& Text() const { return text_; }
  void SetText(const std::string& value);

 private:
  TlxCheckListBoxItems* Items() const;
  IlxCheckListBoxItemsHost* Host() const;

  bool enabled_ = true;
  int32_t image_index_ = -1;
  TObject* item_object_ = nullptr;
  TlxCheckBoxState state_ = cbsUnchecked;
  int32_t tag_ = 0;
  std::string text_;
};

class TlxCheckListBoxItems : public TCollection, public IlxCheckStateItemSource {
 public:
  static constexpr TClass kClass{"TlxCheckListBoxItems", &TCollection::kClass};
  const TClass* ClassType() const override { return &kClass; }

  // `owner` holds the collection for names and streaming; `host` shows it.
  TlxCheckListBoxItems(TPersistent* owner, IlxCheckListBoxItemsHost* host);
  ~TlxCheckListBoxItems() override;

  IlxCheckListBoxItemsHost* Host() const { return host_; }
  // The list box going away first cuts the link.
  void DetachHost() { host_ = nullptr; }

  TlxCheckListBoxItem* Add() { return static_cast<TlxCheckListBoxItem*>(TCollection::Add()); }
  TlxCheckListBoxItem* GetItem(int32_t index) const { return static_cast<TlxCheckListBoxItem*>(Items(index)); }
  TObject* GetItemObject(int32_t index) const { return GetItem(index)->ItemObject(); }
  // The first item whose text equals `text` without regard to case; -1.
  int32_t IndexOfText(const std::string& text) const;
  int32_t IndexOfItemObject(const TObject* object) const;

  // Bulk state changes: while locked, states make no edit value. Unlocking
  // to zero with `notify` reports one change of the whole collection.
  void LockStates(bool lock, bool notify);
  int32_t StateLock() const { return state_lock_; }

  // IlxCheckStateItemSource.
  int32_t GetCheckItemCount() const override { return Count(); }
  std::string GetCheckItemCaption(int32_t index) const override { return GetItem(index)->Text(); }

 protected:
  void Update(TCollectionItem* item) override;

 private:
  IlxCheckListBoxItemsHost* host_;
  int32_t state_lock_ = 0;
};

// A state lock for the length of a scope; the end notifies when asked.
class TlxCheckStatesLock {
 public:
  TlxCheckStatesLock(TlxCheckListBoxItems& items, bool notify) : items_(items), notify_(notify) {
    items_.LockStates(true, false);
  }
  ~TlxCheckStatesLock() { items_.LockStates(false, notify_); }
  TlxCheckStatesLock(const TlxCheckStatesLock&) = delete;
  TlxCheckStatesLock& operator=(const TlxCheckStatesLock&) = delete;

 private:
  TlxCheckListBoxItems& items_;
  bool notify_;
};

// The state a user's toggle gives in a check list box: grayed is reached
// only with AllowGrayed and a format that can hold it.
TlxCheckBoxState lxNextCheckListState(TlxCheckBoxState state, bool allow_grayed, TlxCheckStatesValueFormat format);
