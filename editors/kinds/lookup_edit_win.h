#pragma once
// The abstract lookup editor: a combo box whose drop-down shows a list of
// rows (a list grid with columns), whose edit value is the key of the
// chosen row and whose text is that row's text in one display column. The
// properties own nothing of the list: they declare hooks through which the
// editor's lookup data reaches the list grid, its columns and its data
// controller, with neutral answers here. The dataset variant and the
// lookup combo box give the hooks their list.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "editors/combo_box_win.h"

class TlxCustomDataController;
class TlxCustomLookupEdit;
class TlxCustomLookupEditProperties;
class TlxLookAndFeel;

// The close-up event of a list grid: whether the row under the pointer or
// the keys accepted the choice.
using TlxLookupListCloseUpEvent = std::function<void(TObject* sender, bool accept)>;

// The lookup data of a lookup editor: its current key (a variant, Null
// when no row is chosen), the search of rows by typed text and the steps
// through the rows. Every operation on the list goes through a hook of the
// editor's active properties.
class TlxCustomLookupEditLookupData : public TlxCustomTextEditLookupData {
 public:
  static constexpr TClass kClass{"TlxCustomLookupEditLookupData", &TlxCustomTextEditLookupData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomLookupEditLookupData(TlxCustomLookupEdit* owner);

  // Virtual operations, in the order of their slots.
  // A positive `max_height` below the height becomes the height; the height
  // then snaps to whole rows. Always true.
  virtual bool AdjustListSize(TSize& size, int32_t max_height);
  virtual void ListClosed();
  virtual void DetachList();
  virtual void SetCurrentKeyFromRecord(int32_t record_index);
  virtual void SyncFocusedRecord();
  virtual bool IsListSelectionValid();
  // Exact search on the display column; the found row becomes the current key.
  using TlxCustomTextEditLookupData::LocateText;
  virtual bool LocateText(const std::string& text);
  virtual void ResetIncrementalFilter();
  virtual void SyncListToCurrentKey();
  virtual void UpdateFromText();
  virtual void UpdateListHeight();

  // IlxTextEditLookupData.
  bool AdjustListSize() override { return true; }
  void SyncListSelection() override {}
  void InitializeList() override;
  void PositionListOnText() override;
  bool ContainsItemText(const std::string& text) override;
  TWinControl* GetListControl() override;
  void GetCurrentKey(Variant& key) override { key = current_key_; }
  void GetDisplayText(const Variant& key, std::string& text) override;
  void GetListSize(TSize& size) override;
  void MoveCurrentItem(TlxLookupMoveDirection direction, bool cycle) override;
  void PrepareListInPopup(TWinControl* popup_window) override;
  bool IsEmpty() override;
  bool IsMouseOverList(const TPoint& screen_point) override;
  bool Locate(std::string& text, std::string& tail, bool next) override;
  void SetListBounds(const TRect& rect) override;
  void ItemsChanged() override {}
  void CommitListSelection() override;
  void SetCurrentKey(const Variant& key) override;
  void TextChanged() override;

  const Variant& CurrentKey() const { return current_key_; }
  bool IsListVisible() const { return visible_; }
  TlxCustomLookupEdit* LookupEdit() const { return owner_; }
  // The owner's active properties.
  TlxCustomLookupEditProperties* LookupProperties() const;
  TlxCustomDataController* ListDataController() const;
  int32_t DisplayColumn() const;
  int32_t FocusedRecord() const;

 protected:
  void DoCurrentKeyChanged();
  void DoSelectItem() override;
  void HandleListClick(TObject* sender);
  void HandleListCloseUp(TObject* sender, bool accept);
  void HandleListFocusChange(TObject* /*sender*/) {}
  // The focused row's selection mark: on for a match, off otherwise.
  void MarkFocusedRowSelected(bool selected);
  // While held, the properties ignore the list's data changes.
  void LockProperties();
  void UnlockProperties();
  void StoreCurrentKey(const Variant& key);

 private:
  // Incremental filtering: the filter text becomes `text`; false when no row
  // is left (the previous filter returns unless the list takes free text).
  bool ApplyIncrementalFilter(const std::string& text, int32_t& record);
  void FocusRecord(int32_t record);

  TlxCustomLookupEdit* owner_;
  Variant current_key_;
  bool visible_ = false;
};

// Holds the properties' lock for a scope.
class TlxLookupPropertiesLock {
 public:
  explicit TlxLookupPropertiesLock(TlxCustomLookupEditProperties* properties);
  ~TlxLookupPropertiesLock();
  TlxLookupPropertiesLock(const TlxLookupPropertiesLock&) = delete;
  TlxLookupPropertiesLock& operator=(const TlxLookupPropertiesLock&) = delete;

 private:
  TlxCustomLookupEditProperties* properties_;
};

class TlxCustomLookupEditProperties : public TlxCustomComboBoxProperties {
 public:
  static constexpr TClass kClass{"TlxCustomLookupEditProperties", &TlxCustomComboBoxProperties::kClass,
                                 &ConstructInstance<TlxCustomLookupEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomLookupEditProperties(TPersistent* owner);
  ~TlxCustomLookupEditProperties() override;

  // Virtual operations (the list hooks), in the order of their slots.
  virtual TWinControl* GetListControl() const { return GetListGrid(); }
  virtual bool CanAdjustListHeight() const { return true; }
  virtual int32_t GetListColumnCount() const { return 0; }
  virtual TWinControl* GetListGrid() const { return nullptr; }
  virtual TlxCustomDataController* GetListDataController() const { return nullptr; }
  virtual int32_t GetListColumnsWidth() const { return 0; }
  virtual int32_t GetNearestListHeight(int32_t height) const { return height; }
  virtual int32_t GetListHeightForRows(int32_t /*row_count*/) const { return 0; }
  virtual bool IsPointOnListRow(const TPoint& /*client_point*/) const { return false; }
  virtual void ListClosing() {}
  virtual void PositionListOnTextHook(const std::string& /*text*/) {}
  virtual void SetListEventHandlers(TNotifyEvent /*on_click*/, TNotifyEvent /*on_focus_change*/,
                                    TlxLookupListCloseUpEvent /*on_close_up*/) {}
  virtual void PrepareList() {}
  virtual void SetListStyle(TlxLookAndFeel* /*look_and_feel*/, TColor /*color*/, TFont* /*font*/) {}
  virtual void ListShowing() {}
  virtual void MakeListFocusedRowVisible() {}
  virtual void ReleaseListMouse() {}
  virtual void RemoveDataChangedHandler();
  // The first record (forwards, no wrap) whose text in `item_index` equals
  // `text`, or starts with it when `partial`; case-insensitive; -1 for none.
  virtual int32_t FindByText(int32_t item_index, const std::string& text, bool partial) const;
  virtual int32_t GetDisplayColumnIndex() const { return display_column_index_; }
  virtual void GetDisplayText(const Variant& /*key*/, std::string& text) const { text.clear(); }
  virtual bool IsIncrementalFiltering() const { return incremental_filtering_; }
  // The display column when it is below the column count, else the last
  // column (-1 without columns).
  virtual int32_t GetActualDisplayColumnIndex() const;
  virtual void GetNullKey(Variant& key) const { key = Variant::Null(); }
  virtual void HandleListDataChanged(TObject* sender);
  virtual void AddDataChangedHandler();
  virtual bool IsLocked() const { return lock_count_ > 0; }
  virtual bool IsListDataChangedLocked() const;
  // Whether the typed text itself is the edit value (not a key).
  virtual bool UsesTextAsEditValue() const { return false; }
  virtual void LockListDataChanged();
  // Clamped to 0 .. column count - 1; a new index notifies.
  virtual void SetDisplayColumnIndex(int32_t index);
  virtual void UnlockListDataChanged();
  virtual void DetachListControl();
  virtual bool IsDefinedByLookupField() const { return HasLookupField(); }
  virtual bool HasLookupField() const { return false; }

  void Assign(const TPersistent* source) override;
  uint32_t GetDisplayFormatOptions() const override { return 0; }
  bool DistinguishesFocusedDisplay() const override { return false; }
  const TClass* GetEditControlClass() const override;
  uint32_t GetEditCapabilities() const override;
  bool IsEditValueValid(Variant& /*edit_value*/, bool /*edit_focused*/) const override { return true; }
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  int32_t CanUseFieldDisplayFormat(bool /*edit_focused*/) const override { return UsesTextAsEditValue() ? 1 : 0; }
  bool IsLookupItemText(std::string_view text) const override;
  bool IsLookupNavigationKey(uint16_t key, uint32_t shift) const override;

  // Run after the columns change.
  void ClampDisplayColumnIndex();
  bool IncrementalFiltering() const { return incremental_filtering_; }
  void SetIncrementalFiltering(bool value) { Store(incremental_filtering_, value); }
  bool InListDataChange() const { return in_data_change_; }
  void Lock() { ++lock_count_; }
  void Unlock() { --lock_count_; }

  // The published names of the drop-down settings.
  bool DropDownAutoSize() const { return PopupAutoSize(); }
  void SetDropDownAutoSize(bool value) { SetPopupAutoSize(value); }
  int32_t DropDownHeight() const { return PopupHeight(); }
  void SetDropDownHeight(int32_t value) { SetPopupHeight(value); }

 protected:
  // The stored index without clamping or notification.
  void StoreDisplayColumnIndex(int32_t index) { display_column_index_ = index; }

 private:
  int32_t display_column_index_ = 0;
  bool incremental_filtering_ = true;
  int32_t lock_count_ = 0;
  bool in_data_change_ = false;
  // The controller the data-changed handler is registered with.
  TlxCustomDataController* listened_controller_ = nullptr;
};

class TlxCustomLookupEdit : public TlxCustomComboBox {
 public:
  static constexpr TClass kClass{"TlxCustomLookupEdit", &TlxCustomComboBox::kClass,
                                 &ConstructInstance<TlxCustomLookupEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomLookupEdit(TComponent* owner)
      : TlxCustomLookupEdit(owner, TlxCustomLookupEditProperties::kClass) {}

  TlxCustomLookupEditProperties* GetActiveLookupProperties() const {
    return static_cast<TlxCustomLookupEditProperties*>(GetActiveProperties());
  }
  TlxCustomLookupEditLookupData* GetLookupEditData() const {
    return static_cast<TlxCustomLookupEditLookupData*>(LookupData());
  }

  void ConvertDisplayToEditValue(const Variant& display_value, Variant& edit_value, bool edit_focused) override;
  Variant GetEditingValue() override;
  void BeginPosting() override;
  void EndPosting() override;
  void DoEditEnter() override;
  void DropDown() override;
  void RefreshDisplayValue() override;
  bool IsUnboundStandalone() override { return false; }
  void BeforeRepositoryItemChange() override;
  void LookupKeyToEditValue(const Variant& key, Variant& value) override { value = key; }
  int32_t LookupKeyToItemIndex(const Variant& key) override;
  bool CanDropDown() override;
  TSize CalculatePopupContentSize() override;
  bool AdjustLookupListSize(TSize& size, const TSize& available) override;
  void DoFinalizePopup() override;

 protected:
  TlxCustomLookupEdit(TComponent* owner, const TClass& properties_class);

 private:
  bool posting_locked_ = false;
};
