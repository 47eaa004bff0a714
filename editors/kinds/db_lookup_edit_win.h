#pragma once
// The dataset lookup editor: the abstract lookup editor over a list
// dataset. A row's key is the value (or, for several key fields, the array
// of values) of its key fields, its text the text of one list field. A
// lookup field bound to the editor defines the list itself (its lookup
// dataset, key fields and result field) and locks those settings. In grid
// mode the list dataset is never loaded as a whole: the text of a key is
// found by moving the dataset's cursor, and kept in a cache.

#include <windows.h>

#include <memory>
#include <string>

#include "data/lookup_list.h"
#include "editors/kinds/lookup_edit_win.h"

class TDataSet;
class TDataSource;
class TField;
class TlxDBDataController;
class TlxFreeNotificator;

class TlxCustomDBLookupEditLookupData : public TlxCustomLookupEditLookupData {
 public:
  static constexpr TClass kClass{"TlxCustomDBLookupEditLookupData", &TlxCustomLookupEditLookupData::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomLookupEditLookupData::TlxCustomLookupEditLookupData;

  // The key of the record (Null for -1 or without a list).
  void SetCurrentKeyFromRecord(int32_t record_index) override;
  // Focuses the record of the current key; a key of the wrong shape or a
  // dataset that refuses the search focuses nothing.
  void SyncFocusedRecord() override;
};

class TlxCustomDBLookupEditProperties : public TlxCustomLookupEditProperties {
 public:
  static constexpr TClass kClass{"TlxCustomDBLookupEditProperties", &TlxCustomLookupEditProperties::kClass,
                                 &ConstructInstance<TlxCustomDBLookupEditProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxCustomDBLookupEditProperties(TPersistent* owner);
  ~TlxCustomDBLookupEditProperties() override;

  // Virtual operations, in the order of their slots (the list columns are
  // the lookup combo box's).
  virtual void BeginListColumnsUpdate() {}
  virtual void AddListColumnForField(const std::string& /*field_name*/) {}
  virtual void SetListColumnFieldNames(const std::string& /*names*/) {}
  virtual void EndListColumnsUpdate() {}
  virtual TField* GetListColumnField(int32_t /*index*/) const { return nullptr; }
  virtual void GetListColumnFieldName(int32_t /*index*/, std::string& name) const { name.clear(); }
  virtual int32_t IndexOfListColumnField(const std::string& /*field_name*/) const { return -1; }
  virtual TlxDBDataController* GetListDBDataController() const { return nullptr; }
  // Applies the current lookup field, then checks for a circular link.
  virtual void UpdateLookupField();
  virtual void UpdateDisplayColumnFromLookupField();
  virtual void HandleLookupSourceFreeNotification(TComponent* sender);

  void Assign(const TPersistent* source) override;
  void ReleaseDefaultValuesProvider() override;
  void Changed() override;
  const TClass* GetEditControlClass() const override;
  TAlignment GetDefaultHorzAlignment() const override;
  int32_t GetDefaultMaxLength() const override;
  int32_t CanUseFieldDisplayFormat(bool edit_focused) const override;
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) const override;
  int32_t FindByText(int32_t item_index, const std::string& text, bool partial) const override;
  int32_t GetDisplayColumnIndex() const override;
  void GetDisplayText(const Variant& key, std::string& text) const override;
  bool IsIncrementalFiltering() const override;
  void GetNullKey(Variant& key) const override;
  bool UsesTextAsEditValue() const override;
  void LockListDataChanged() override;
  void UnlockListDataChanged() override;
  void SetDisplayColumnIndex(int32_t index) override;
  bool HasLookupField() const override { return GetLookupField() != nullptr; }
  TlxCustomDataController* GetListDataController() const override;
  void HandleListDataChanged(TObject* sender) override;

  // -1 for a key of the wrong shape or without a list.
  int32_t FindRecordIndexByKey(const Variant& key) const;
  // The field the editor is bound to (through a dataset default values
  // provider), or none.
  TField* GetDataField() const;
  // The data field when it is a lookup field that is not being destroyed.
  TField* GetLookupField() const;
  TField* GetDisplayField() const;
  bool IsKeyDisplayField() const;
  TDataSource* LookupSource() const { return lookup_source_; }
  TDataSet* ListDataSet() const;
  // Whether the data field's dataset chain reaches `list_source`'s dataset.
  bool IsCircularLink(const TDataSource* list_source) const;

  // Settings.
  bool CaseSensitiveSearch() const { return case_sensitive_search_; }
  void SetCaseSensitiveSearch(bool value) { case_sensitive_search_ = value; }
  bool GridMode() const { return lookup_cache_ != nullptr; }
  void SetGridMode(bool value);
  std::string KeyFieldNames() const;
  // Refused while a lookup field defines the list.
  void SetKeyFieldNames(const std::string& names);
  std::string ListFieldNames() const;
  void SetListFieldNames(const std::string& names);
  int32_t ListFieldIndex() const { return GetDisplayColumnIndex(); }
  void SetListFieldIndex(int32_t index) { SetDisplayColumnIndex(index); }
  const TlxLookupList* LookupCache() const { return lookup_cache_.get(); }

 protected:
  bool IsSyncingWithLookupField() const { return syncing_; }
  // Raises "Eigenschaft bereits durch Lookup-Feld definiert" while a lookup
  // field defines the list and the properties are not applying it.
  void CheckNotDefinedByLookupField() const;
  void SetLookupField(TField* field);
  void ClearLookupCache() const;

 private:
  void CheckCircularLink() const;
  void GridModeDisplayText(const Variant& key, std::string& text) const;
  std::string LocateDisplayText(const Variant& key) const;

  bool case_sensitive_search_ = false;
  // Exists exactly while grid mode is on.
  mutable std::unique_ptr<TlxLookupList> lookup_cache_;
  int32_t grid_mode_lock_count_ = 0;
  // Set while the properties move the list dataset themselves.
  mutable bool in_own_locate_ = false;
  TField* lookup_field_ = nullptr;
  TDataSource* lookup_source_ = nullptr;
  std::unique_ptr<TDataSource> cached_lookup_source_;
  std::unique_ptr<TlxFreeNotificator> free_notificator_;
  bool syncing_ = false;
};

class TlxCustomDBLookupEdit : public TlxCustomLookupEdit {
 public:
  static constexpr TClass kClass{"TlxCustomDBLookupEdit", &TlxCustomLookupEdit::kClass,
                                 &ConstructInstance<TlxCustomDBLookupEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomDBLookupEdit(TComponent* owner)
      : TlxCustomDBLookupEdit(owner, TlxCustomDBLookupEditProperties::kClass) {}

  TlxCustomDBLookupEditProperties* ActiveDBLookupProperties() const {
    return static_cast<TlxCustomDBLookupEditProperties*>(GetActiveProperties());
  }

  Variant GetEmptyValue() const override;
  bool IsValidDataChar(char16_t ch) override;
  void ConvertToDisplayValue(const Variant& edit_value, Variant& display_value, bool edit_focused) override;
  void ItemIndexToLookupKey(int32_t index, Variant& key) override;
  int32_t LookupKeyToItemIndex(const Variant& key) override;
  void PopupWindowClosed(int32_t reason) override;

 protected:
  TlxCustomDBLookupEdit(TComponent* owner, const TClass& properties_class);
};
