#pragma once
// The lookup list grid over a dataset: a dataset data controller whose
// items are the columns, each column bound to a dataset field by name and
// drawn by the default editor of its field unless it names its own. In
// grid mode over a dataset that numbers its records the scroll bar follows
// the record number. Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "data/db_data_controller.h"
#include "editors/kinds/db_edit_default_values_provider.h"
#include "editors/kinds/lookup_grid_win.h"

class TDataSource;
class TField;
class TStrings;
class TlxCustomLookupDBGrid;

class TlxLookupGridDBDataController : public TlxDBDataController {
 public:
  static constexpr TClass kClass{"TlxLookupGridDBDataController", &TlxDBDataController::kClass,
                                 &ConstructInstance<TlxLookupGridDBDataController>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookupGridDBDataController(TComponent* owner);

  TObject* GetItem(int32_t index) const override;
  // The grid's scroll bar follows the dataset's record number.
  void AfterSequencedScroll() override;
};

class TlxLookupDBGridDefaultValuesProvider : public TlxCustomDBEditDefaultValuesProvider {
 public:
  static constexpr TClass kClass{"TlxLookupDBGridDefaultValuesProvider",
                                 &TlxCustomDBEditDefaultValuesProvider::kClass,
                                 &ConstructInstance<TlxLookupDBGridDefaultValuesProvider>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookupDBGridDefaultValuesProvider(TPersistent* owner) : TlxCustomDBEditDefaultValuesProvider(owner) {}

  bool IsDisplayFormatDefined(bool is_inplace) const override;
};

class TlxLookupDBGridColumn : public TlxLookupGridColumn {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxLookupDBGridColumn", &TlxLookupGridColumn::kClass,
                                 &ConstructInstance<TlxLookupDBGridColumn>, &TlxLookupDBGridColumn::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxLookupDBGridColumn(TCollection* collection);

  void CopyFrom(const TPersistent* source) override;
  void GetDefaultCaption(std::string& caption) const override;
  TlxEditRepositoryItem* GetDefaultRepositoryItem() const override;
  int32_t GetDefaultWidth() const override;
  const TClass* GetDefaultValuesProviderClass() const override {
    return &TlxLookupDBGridDefaultValuesProvider::kClass;
  }

  // Kept by the data controller as its item's field name.
  std::string FieldName() const;
  void SetFieldName(const std::string& value);
  // The field of the open dataset bound to the column, or null.
  TField* GetField() const;
  TlxLookupGridDBDataController* DBDataController() const;
};

class TlxLookupDBGridColumns : public TlxLookupGridColumns {
 public:
  static constexpr TClass kClass{"TlxLookupDBGridColumns", &TlxLookupGridColumns::kClass};
  const TClass* ClassType() const override { return &kClass; }

  using TlxLookupGridColumns::TlxLookupGridColumns;

  TlxLookupDBGridColumn* Add() { return static_cast<TlxLookupDBGridColumn*>(TCollection::Add()); }
  TlxLookupDBGridColumn* GetItem(int32_t index) const { return static_cast<TlxLookupDBGridColumn*>(Items(index)); }
  // The first column whose field name equals `field_name` ignoring case.
  TlxLookupDBGridColumn* FindByFieldName(const std::string& field_name) const;
};

class TlxLookupDBGridOptions : public TlxLookupGridOptions {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxLookupDBGridOptions", &TlxLookupGridOptions::kClass, nullptr,
                                 &TlxLookupDBGridOptions::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxLookupGridOptions::TlxLookupGridOptions;

  void CopyFrom(const TPersistent* source) override;
  // Kept by the data controller's data mode controller; False without a grid.
  bool SyncMode() const;
  void SetSyncMode(bool value);
};

class TlxCustomLookupDBGrid : public TlxCustomLookupGrid {
 public:
  static constexpr TClass kClass{"TlxCustomLookupDBGrid", &TlxCustomLookupGrid::kClass,
                                 &ConstructInstance<TlxCustomLookupDBGrid>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomLookupDBGrid(TComponent* owner);

  const TClass* GetColumnClass() const override { return &TlxLookupDBGridColumn::kClass; }
  const TClass* GetColumnsClass() const override { return &TlxLookupDBGridColumns::kClass; }
  const TClass* GetDataControllerClass() const override { return &TlxLookupGridDBDataController::kClass; }
  const TClass* GetOptionsClass() const override { return &TlxLookupDBGridOptions::kClass; }
  void DataChanged() override;
  void InitScrollBarsParams() override;
  void ScrollContent(TScrollBarKind kind, TScrollCode code, int32_t& position) override;

  // New virtual operation: one column per name, with that field name.
  virtual void CreateColumnsForFieldNames(const TStrings& names);

  // The columns become one per name of the ";" separated list.
  void SetListFieldNames(const std::string& names);
  void AssignColumns(const TlxLookupGridColumns* columns) override;
  void AssignOptions(const TlxLookupGridOptions* options);

  TDataSource* DataSource() const;
  void SetDataSource(TDataSource* source);
  std::string KeyFieldNames() const;
  void SetKeyFieldNames(const std::string& names);

  TlxLookupDBGridColumns& DBColumns() const { return static_cast<TlxLookupDBGridColumns&>(Columns()); }
  TlxLookupDBGridOptions& DBOptions() const { return static_cast<TlxLookupDBGridOptions&>(Options()); }
  TlxLookupGridDBDataController& DBDataController() const {
    return static_cast<TlxLookupGridDBDataController&>(DataController());
  }

 protected:
  std::unique_ptr<TlxLookupGridColumns> NewColumns() override;
  std::unique_ptr<TlxLookupGridOptions> NewOptions() override;

 private:
  // Grid mode over a dataset that numbers its records.
  bool ScrollsByRecordNumber() const;
};
