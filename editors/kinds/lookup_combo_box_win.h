#pragma once
// TlxLookupComboBox: the dataset lookup editor whose drop-down is a lookup
// list grid over a list data source. The properties own that grid (one
// grid serves every editor sharing the properties) and give the lookup
// editor's list hooks their answers from it. Also the combo box's filter
// helper, its repository item, and the lookup entry of the dataset field
// registry.

#include <windows.h>

#include <memory>
#include <string>

#include "editors/combo_box_win.h"
#include "editors/edit_repository_items.h"
#include "editors/kinds/db_lookup_edit_win.h"
#include "editors/kinds/lookup_db_grid_win.h"

class TlxLookupComboBoxProperties : public TlxCustomDBLookupEditProperties {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxLookupComboBoxProperties", &TlxCustomDBLookupEditProperties::kClass,
                                 &ConstructInstance<TlxLookupComboBoxProperties>,
                                 &TlxLookupComboBoxProperties::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TlxLookupComboBoxProperties(TPersistent* owner);
  ~TlxLookupComboBoxProperties() override;

  // Virtual operations, in the order of their slots.
  virtual const TClass& GetLookupGridClass() const { return TlxCustomLookupDBGrid::kClass; }
  virtual void HandleListOptionsChanged(TObject* sender);

  void Assign(const TPersistent* source) override;
  const TClass* GetEditControlClass() const override;

  // The list hooks over the grid.
  int32_t GetListColumnCount() const override;
  TWinControl* GetListGrid() const override { return grid_.get(); }
  int32_t GetListColumnsWidth() const override;
  int32_t GetNearestListHeight(int32_t height) const override { return grid_->GetNearestPopupHeight(height); }
  int32_t GetListHeightForRows(int32_t row_count) const override { return grid_->GetPopupHeight(row_count); }
  bool IsPointOnListRow(const TPoint& client_point) const override { return grid_->IsMouseOverRow(client_point); }
  void SetListEventHandlers(TNotifyEvent on_click, TNotifyEvent on_focus_change,
                            TlxLookupListCloseUpEvent on_close_up) override;
  void SetListStyle(TlxLookAndFeel* look_and_feel, TColor color, TFont* font) override;
  void ListShowing() override { grid_->RememberMousePos(); }
  void MakeListFocusedRowVisible() override { grid_->MakeFocusedRowVisible(); }
  void ReleaseListMouse() override;
  void BeginListColumnsUpdate() override { grid_->BeginUpdate(); }
  void AddListColumnForField(const std::string& field_name) override;
  void SetListColumnFieldNames(const std::string& names) override { grid_->SetListFieldNames(names); }
  void EndListColumnsUpdate() override { grid_->EndUpdate(); }
  TField* GetListColumnField(int32_t index) const override;
  void GetListColumnFieldName(int32_t index, std::string& name) const override;
  int32_t IndexOfListColumnField(const std::string& field_name) const override;
  TlxDBDataController* GetListDBDataController() const override;

  TlxCustomLookupDBGrid* Grid() const { return grid_.get(); }
  TlxLookupDBGridColumns* ListColumns() const { return &grid_->DBColumns(); }
  void SetListColumns(const TlxLookupDBGridColumns* columns);
  TlxLookupDBGridOptions* ListOptions() const { return &grid_->DBOptions(); }
  void SetListOptions(const TlxLookupDBGridOptions* options) { grid_->AssignOptions(options); }
  // None while a lookup field defines the list.
  TDataSource* ListSource() const;
  // Refused while a lookup field defines the list, and for a source whose
  // dataset the edited field's dataset chain reaches; nothing changes then.
  void SetListSource(TDataSource* source);
  const TNotifyEvent& OnSortingChanged() const;
  void SetOnSortingChanged(TNotifyEvent handler);

 private:
  std::unique_ptr<TlxCustomLookupDBGrid> grid_;
};

class TlxCustomLookupComboBox : public TlxCustomDBLookupEdit {
 public:
  static constexpr TClass kClass{"TlxCustomLookupComboBox", &TlxCustomDBLookupEdit::kClass,
                                 &ConstructInstance<TlxCustomLookupComboBox>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomLookupComboBox(TComponent* owner)
      : TlxCustomLookupComboBox(owner, TlxLookupComboBoxProperties::kClass) {}

  TlxLookupComboBoxProperties* ActiveLookupComboProperties() const {
    return static_cast<TlxLookupComboBoxProperties*>(GetActiveProperties());
  }

 protected:
  TlxCustomLookupComboBox(TComponent* owner, const TClass& properties_class)
      : TlxCustomDBLookupEdit(owner, properties_class) {}
};

class TlxLookupComboBox : public TlxCustomLookupComboBox {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxLookupComboBox", &TlxCustomLookupComboBox::kClass,
                                 &ConstructInstance<TlxLookupComboBox>, &TlxLookupComboBox::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookupComboBox(TComponent* owner) : TlxCustomLookupComboBox(owner, TlxLookupComboBoxProperties::kClass) {}

  TlxLookupComboBoxProperties* GetProperties() const {
    return static_cast<TlxLookupComboBoxProperties*>(Properties());
  }
  void SetProperties(const TlxLookupComboBoxProperties* value) { AssignOwnProperties(value); }
};

// Operands of a lookup column are keys chosen from the same list.
class TlxFilterLookupComboBoxHelper : public TlxFilterComboBoxHelper {
 public:
  static constexpr TClass kClass{"TlxFilterLookupComboBoxHelper", &TlxFilterComboBoxHelper::kClass};
  const TClass* ClassType() const override { return &kClass; }

  bool KeepsDefaultValuesProvider(const TlxCustomEditProperties* source_properties) const override;
  TClassRef GetValueEditorClass() const override { return &TlxLookupComboBox::kClass; }
  // Equals, does not equal, is blank and is not blank.
  void GetSupportedOperators(const TlxCustomEditProperties* properties, TlxValueTypeClass value_type,
                             TlxFilterConditionOperators& operators, bool extended) const override;
  void InitValueEditorProperties(TlxCustomEditProperties* properties, const TlxCustomEditProperties* source_properties,
                                 bool keep_buttons) const override;
  bool IsValueAcceptable(TlxValueTypeClass /*value_type*/, Variant& /*value*/) const override { return true; }
  // The editor's key and the text of that key in its list.
  void GetFilterValue(TlxCustomLookupEdit& edit, Variant& value, std::string& display_text) const;
};

class TlxEditRepositoryLookupComboBoxItem
    : public TlxEditRepositoryItemOf<TlxEditRepositoryLookupComboBoxItem, TlxLookupComboBoxProperties> {
 public:
  static constexpr TClass kClass{"TlxEditRepositoryLookupComboBoxItem", &TlxEditRepositoryItem::kClass,
                                 &ConstructInstance<TlxEditRepositoryLookupComboBoxItem>,
                                 &TlxEditRepositoryLookupComboBoxItem::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxEditRepositoryItemOf::TlxEditRepositoryItemOf;
};

// The kind's registration (counted) with its filter helper, the item class
// for streaming, and the lookup entry of the dataset field registry: an
// item in the default edit repository whose list shows no header and no
// grid lines. The end unregisters the helper and the entry.
void lxLookupComboBoxModuleStart();
void lxLookupComboBoxModuleEnd();
