#pragma once
// The dataset-bound table view and its data definitions: the view whose
// data controller reads a dataset, columns bound to dataset fields by name
// (default caption, width and editor kind from the field), the grid-mode
// scrolling answers, and the summary items of such a view. Included only
// from Windows sources.

#include <cstdint>
#include <string>
#include <vector>

#include "data/db_data_controller.h"
#include "data/db_data_summary_item.h"
#include "editors/kinds/db_edit_default_values_provider.h"
#include "grid/grid_data_controller_win.h"
#include "grid/grid_table_view_win.h"

class TDataSource;
class TField;
class TlxGridDBColumn;
class TlxGridDBTableView;

class TlxGridDBDataController : public TlxGridViewDataController<TlxDBDataController>,
                                public IlxGridDataControllerServices,
                                public IlxGridDataControllerExtensions {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGridDBDataController", &TlxDBDataController::kClass,
                                 &ConstructInstance<TlxGridDBDataController>, &TlxGridDBDataController::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridDBDataController(TComponent* owner);
  ~TlxGridDBDataController() override;

  // --- new virtual operation -------------------------------------------
  // Grid mode over a dataset with record numbers and equal row heights.
  virtual bool IsSequencedScrolling() const;

  // --- IlxGridDataControllerServices -----------------------------------
  void AssignData(TlxCustomDataController* /*data_controller*/) override {}
  void CreateAllItems(bool missing_items_only) override;
  void DeleteAllItems() override;
  void GetFakeComponentLinks(std::vector<TComponent*>& list) override;
  TlxCustomGridView* GetGridView() override { return GridView(); }
  bool HasAllItems() override;
  bool IsDataChangeable() override { return false; }
  bool IsDataLinked() override { return GetDataSet() != nullptr; }
  bool SupportsCreateAllItems() override { return true; }

  // --- IlxGridDataControllerExtensions ---------------------------------
  void UpdateGridModeBufferCount() override { TlxDBDataController::UpdateGridModeBufferCount(); }
  bool DoScroll(bool forward) override;
  bool DoScrollPage(bool forward) override;
  const TClass* GetItemDataBindingClass() override;
  const TClass* GetItemDefaultValuesProviderClass() override;
  bool IsBOF() const override;
  bool IsEOF() const override;
  int32_t GetScrollBarPos() override;
  int32_t GetScrollBarRecordCount() override;
  bool SetScrollBarPos(int32_t position) override;

  // --- dataset controller steps ----------------------------------------
  void DataSetCurrentChanged(bool is_current) override;
  void DataSourceChanged() override;
  int32_t GetDefaultGridModeBufferCount() const override;
  void AfterSequencedScroll() override;

  // --- data controller, answered by the view ---------------------------
  bool FollowsMasterFocus() const override;
  TObject* GetItem(int32_t index) const override;
  bool FocusItem(int32_t item_index) override;

 private:
  // The focused row becomes the selection anchor.
  void AnchorFocusedRow();

  int32_t last_scroll_bar_pos_ = -1;
};

class TlxGridDBDefaultValuesProvider : public TlxCustomDBEditDefaultValuesProvider {
 public:
  using TOwnerType = TlxGridItemDataBinding;
  static constexpr TClass kClass{"TlxGridDBDefaultValuesProvider", &TlxCustomDBEditDefaultValuesProvider::kClass,
                                 &ConstructInstance<TlxGridDBDefaultValuesProvider>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridDBDefaultValuesProvider(TlxGridItemDataBinding* binding);

  const std::string& FieldName() const { return field_name_; }
  void SetFieldName(const std::string& value) { field_name_ = value; }
  bool AllowsModification() const override;
  bool IsDisplayFormatDefined(bool is_inplace) const override;

 private:
  TlxGridItemDataBinding* binding_;
  std::string field_name_;
};

class TlxGridItemDBDataBinding : public TlxGridItemDataBinding {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGridItemDBDataBinding", &TlxGridItemDataBinding::kClass,
                                 &ConstructInstance<TlxGridItemDBDataBinding>, &TlxGridItemDBDataBinding::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridItemDataBinding::TlxGridItemDataBinding;

  TlxGridDBDataController* DataController() const;
  // The data controller's field name for the item; setting another name
  // empties the item's recent filter values.
  std::string FieldName() const;
  void SetFieldName(const std::string& value);
  // The bound dataset field, or null.
  TField* Field() const;

  void Assign(const TPersistent* source) override;
  TlxValueTypeClass GetDefaultValueTypeClass() const override { return nullptr; }
  std::string GetBoundFieldName() const override;
  void Init() override;
  bool IsValueTypeStored() const override;
  std::string GetDefaultCaption() const override;
  TlxEditRepositoryItem* GetDefaultRepositoryItem() const override;
  int32_t GetDefaultWidth() const override;
};

class TlxGridDBColumn : public TlxGridColumn {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGridDBColumn", &TlxGridColumn::kClass, &ConstructInstance<TlxGridDBColumn>,
                                 &TlxGridDBColumn::Publish};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridColumn::TlxGridColumn;

  TlxGridItemDBDataBinding* DataBinding() const;
  void SetDataBinding(const TlxGridItemDBDataBinding& value);
};

class TlxGridDBTableSummaryItem : public TlxDBDataSummaryItem {
 public:
  static constexpr TClass kClass{"TlxGridDBTableSummaryItem", &TlxDBDataSummaryItem::kClass,
                                 &ConstructInstance<TlxGridDBTableSummaryItem>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxDBDataSummaryItem::TlxDBDataSummaryItem;

  void Assign(const TPersistent* source) override;

  TlxGridColumn* Column() const;
  void SetColumn(TlxGridColumn* value);
  TlxGridTableView* GridView() const;
  const std::string& DisplayText() const { return display_text_; }
  void SetDisplayText(const std::string& value);
  bool VisibleForCustomization() const { return visible_for_customization_; }
  void SetVisibleForCustomization(bool value);
  Variant GetStoredColumn() const;
  void SetStoredColumn(const Variant& value);

 private:
  std::string display_text_;
  bool visible_for_customization_ = true;
};

class TlxGridDBTableView : public TlxGridTableView {
 public:
  static constexpr TClass kClass{"TlxGridDBTableView", &TlxGridTableView::kClass,
                                 &lxConstructGridView<TlxGridDBTableView>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxGridTableView::TlxGridTableView;

  TlxGridDBDataController* DataController() const;
  void SetDataController(const TlxGridDBDataController& value);
  TlxGridDBColumn* CreateColumn();
  TlxGridDBColumn* GetColumnByFieldName(const std::string& field_name) const;

  const TClass* GetDataControllerClass() const override { return &TlxGridDBDataController::kClass; }
  const TClass* GetItemClass() const override { return &TlxGridDBColumn::kClass; }
  const TClass* GetSummaryItemClass() const override { return &TlxGridDBTableSummaryItem::kClass; }
};

// Module start and end of the dataset-bound view: "DB Table" in the
// view-kind registry and its classes for streaming.
void lxGridDBTableViewModuleStart();
void lxGridDBTableViewModuleEnd();
