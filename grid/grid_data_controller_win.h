#pragma once
// TlxGridDataController: the data controller of the unbound table views. It
// consults its view wherever the data layer needs an answer only the view
// can give, and stores its records in form descriptions as the binary
// property "Data". TlxGridItemDataBinding ties one view item to its field.
// Included only from Windows sources.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/filter_criteria.h"
#include "editors/edit_properties.h"
#include "grid/grid_view_data_controller_win.h"
#include "platform/rtl/memory_stream.h"

class TStrings;
class TlxCustomGridTableItem;
class TlxCustomGridView;
class TlxEditRepositoryItem;
class TlxFilterCriteriaItemList;
class TlxGridFilterMRUValueItems;
class TlxGridFilterValueList;
class TlxGridItemDataBinding;

class IlxGridDataControllerServices : public virtual IInterface {
 public:
  virtual void AssignData(TlxCustomDataController* data_controller) = 0;
  virtual void CreateAllItems(bool missing_items_only) = 0;
  virtual void DeleteAllItems() = 0;
  virtual void GetFakeComponentLinks(std::vector<TComponent*>& list) = 0;
  virtual TlxCustomGridView* GetGridView() = 0;
  virtual bool HasAllItems() = 0;
  virtual bool IsDataChangeable() = 0;
  virtual bool IsDataLinked() = 0;
  virtual bool SupportsCreateAllItems() = 0;
};

class IlxGridDataControllerExtensions : public virtual IInterface {
 public:
  virtual void UpdateGridModeBufferCount() = 0;
  virtual bool DoScroll(bool forward) = 0;
  virtual bool DoScrollPage(bool forward) = 0;
  virtual const TClass* GetItemDataBindingClass() = 0;
  virtual const TClass* GetItemDefaultValuesProviderClass() = 0;
  // Const, so that the data controller's own first- and last-row tests
  // take the grid's answer too.
  virtual bool IsBOF() const = 0;
  virtual bool IsEOF() const = 0;
  virtual int32_t GetScrollBarPos() = 0;
  virtual int32_t GetScrollBarRecordCount() = 0;
  virtual bool SetScrollBarPos(int32_t position) = 0;
};

class TlxGridDataController : public TlxGridViewDataController<TlxDataController>,
                              public IlxGridDataControllerServices,
                              public IlxGridDataControllerExtensions {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGridDataController", &TlxDataController::kClass,
                                 &ConstructInstance<TlxGridDataController>, &TlxGridDataController::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridDataController(TComponent* owner);
  ~TlxGridDataController() override;

  // The "Data" buffer read from a form and not loaded yet.
  TMemoryStream* PendingData() const { return pending_data_.get(); }
  void DefineProperties(TFiler& filer) override;
  void ReadData(TStream& stream);
  void WriteData(TStream& stream);
  bool HasDataToStore(const TPersistent* ancestor);

  // --- IlxGridDataControllerServices -----------------------------------
  void AssignData(TlxCustomDataController* data_controller) override;
  void CreateAllItems(bool /*missing_items_only*/) override {}
  void DeleteAllItems() override {}
  void GetFakeComponentLinks(std::vector<TComponent*>& /*list*/) override {}
  TlxCustomGridView* GetGridView() override { return GridView(); }
  bool HasAllItems() override { return true; }
  bool IsDataChangeable() override { return true; }
  bool IsDataLinked() override { return true; }
  bool SupportsCreateAllItems() override { return false; }

  // --- IlxGridDataControllerExtensions ---------------------------------
  void UpdateGridModeBufferCount() override {}
  bool DoScroll(bool /*forward*/) override { return false; }
  bool DoScrollPage(bool /*forward*/) override { return false; }
  const TClass* GetItemDataBindingClass() override;
  const TClass* GetItemDefaultValuesProviderClass() override;
  bool IsBOF() const override;
  bool IsEOF() const override;
  int32_t GetScrollBarPos() override { return -1; }
  int32_t GetScrollBarRecordCount() override { return -1; }
  bool SetScrollBarPos(int32_t /*position*/) override { return false; }

  // --- data controller, answered by the view ---------------------------
  TObject* GetItem(int32_t index) const override;
  bool ReadsStoredValuesDirectly() const override { return false; }
  // The inherited step, then the pending "Data" buffer is loaded (and freed
  // also when loading raises).
  void LoadPendingData();

 private:
  std::unique_ptr<TMemoryStream> pending_data_;
};

class TlxGridDefaultValuesProvider : public TlxCustomEditDefaultValuesProvider {
 public:
  using TOwnerType = TlxGridItemDataBinding;
  static constexpr TClass kClass{"TlxGridDefaultValuesProvider", &TlxCustomEditDefaultValuesProvider::kClass,
                                 &ConstructInstance<TlxGridDefaultValuesProvider>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridDefaultValuesProvider(TlxGridItemDataBinding* binding);
  TlxGridItemDataBinding* DataBinding() const { return binding_; }
  bool IsDisplayFormatDefined(bool is_inplace) const override;

 private:
  TlxGridItemDataBinding* binding_;
};

class TlxGridItemDataBinding : public TPersistent {
 public:
  using TOwnerType = TlxCustomGridTableItem;
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxGridItemDataBinding", &TPersistent::kClass,
                                 &ConstructInstance<TlxGridItemDataBinding>, &TlxGridItemDataBinding::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxGridItemDataBinding(TlxCustomGridTableItem* item);
  ~TlxGridItemDataBinding() override;

  void Assign(const TPersistent* source) override;
  TPersistent* GetOwner() const override;

  TlxCustomGridTableItem* Item() const { return item_; }
  TlxCustomGridView* GridView() const;
  TlxCustomDataController* DataController() const;
  TObject* Data() const { return data_; }
  void SetData(TObject* value);
  TlxCustomEditDefaultValuesProvider* DefaultValuesProvider() const { return default_values_provider_.get(); }
  TlxGridFilterMRUValueItems* FilterMRUValueItems() const { return filter_mru_value_items_.get(); }
  std::string ValueType() const;
  void SetValueType(const std::string& caption);
  TlxValueTypeClass GetValueTypeClass() const;
  void SetValueTypeClass(TlxValueTypeClass value);

  // --- filtering through the binding -----------------------------------
  bool IsFiltered() const;
  void SetFiltered(bool value);
  void AddFilterCondition(TlxFilterCriteriaItemList* list, TlxFilterOperatorKind operator_kind, const Variant& value,
                          const std::string& display_text, bool replace_existing);
  void LoadFilterValueList(TlxGridFilterValueList& list, bool values_only, bool filtered_only);
  void GetFilterValues(TStrings& strings, TlxGridFilterValueList& value_list);
  std::vector<int32_t> GetFilterActiveValueIndexes(TlxGridFilterValueList& value_list);
  void ApplyFilterActiveValueIndexes(TlxGridFilterValueList& value_list, const std::vector<int32_t>& indexes);
  // Applies one entry of the list as the item's only condition, into the
  // root, and keeps a chosen value among the item's recent values.
  void ApplyFilterEntry(TlxGridFilterValueList& value_list, int32_t index);
  IlxEditDefaultValuesProvider* GetDefaultValuesProviderInterface();

  // --- overridable, in slot order --------------------------------------
  virtual TlxValueTypeClass GetDefaultValueTypeClass() const;
  virtual std::string GetBoundFieldName() const { return {}; }
  virtual const TClass* GetFilterMRUValueItemsClass() const;
  virtual void Init() {}
  virtual bool IsValueTypeStored() const;
  virtual std::string GetDefaultCaption() const { return {}; }
  virtual TlxEditRepositoryItem* GetDefaultRepositoryItem() const;
  virtual int32_t GetDefaultWidth() const { return 64; }

 private:
  TlxCustomGridTableItem* item_;
  TObject* data_ = nullptr;
  std::unique_ptr<TlxCustomEditDefaultValuesProvider> default_values_provider_;
  std::unique_ptr<TlxGridFilterMRUValueItems> filter_mru_value_items_;
};
