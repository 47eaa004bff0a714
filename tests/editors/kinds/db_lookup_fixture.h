#pragma once
// A dataset lookup editor as its tests use it, on a real form over real
// client datasets: a customer list ("ID", "Name", "Ort"), a list keyed by
// two fields ("Land", "Nr", "Name") and an orders dataset that is edited,
// with a lookup field "Kunde" on the customer list. The list columns are a
// dataset-bound data controller of the test's own, so the editor's list
// logic runs without a list grid.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/db_data_controller.h"
#include "editors/editors_module_win.h"
#include "editors/kinds/db_edit_default_values_provider.h"
#include "editors/kinds/db_lookup_edit_win.h"
#include "platform/db/client_data_set.h"
#include "platform/db/data_source.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/text.h"
#include "platform/toolkit/form.h"
#include "tests/support/message_pump.h"

namespace db_lookup_fixture {

// A column of the test list: only its name.
class TListColumn : public TObject {
 public:
  explicit TListColumn(std::string column_name) : name(std::move(column_name)) {}
  std::string name;
};

// The list's data controller: one item per list field, bound by name.
class TLookupListController : public TlxDBDataController {
 public:
  TLookupListController() : TlxDBDataController(nullptr) { DataModeController().SetGridModeBufferCount(10); }
  ~TLookupListController() override { SetDataSource(nullptr); }

  TObject* GetItem(int32_t index) const override { return columns.at(static_cast<size_t>(index)).get(); }

  void SetFieldNames(const std::vector<std::string>& names) {
    BeginUpdate();
    while (!columns.empty()) {
      RemoveItem(columns.back().get());
      columns.pop_back();
    }
    for (const std::string& name : names) {
      columns.push_back(std::make_unique<TListColumn>(name));
      AddItem(columns.back().get());
      ChangeFieldName(GetItemCount() - 1, name);
    }
    EndUpdate();
    // Columns set on an open list read their values at once.
    if (GetDataSet() != nullptr && GetDataSet()->Active()) {
      UpdateFields();
      ReloadStorage();
    }
  }

  std::vector<std::string> FieldNames() const {
    std::vector<std::string> names;
    for (int32_t i = 0; i < GetItemCount(); ++i)
      names.push_back(GetItemFieldName(i));
    return names;
  }

  std::vector<std::unique_ptr<TListColumn>> columns;
};

inline std::vector<std::string> SplitNames(const std::string& names) {
  std::vector<std::string> parts;
  size_t start = 0;
  while (start <= names.size()) {
    size_t end = names.find(';', start);
    if (end == std::string::npos)
      end = names.size();
    if (end > start)
      parts.push_back(names.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

// The dataset lookup properties with their list hooks over the test list.
class TTestLookupProperties : public TlxCustomDBLookupEditProperties {
 public:
  static constexpr TClass kClass{"TTestLookupProperties", &TlxCustomDBLookupEditProperties::kClass,
                                 &ConstructInstance<TTestLookupProperties>};
  const TClass* ClassType() const override { return &kClass; }
  using TOwnerType = TPersistent;

  explicit TTestLookupProperties(TPersistent* owner)
      : TlxCustomDBLookupEditProperties(owner), list_(std::make_unique<TLookupListController>()) {
    AddDataChangedHandler();
  }
  ~TTestLookupProperties() override { RemoveDataChangedHandler(); }

  int32_t GetListColumnCount() const override { return list_->GetItemCount(); }
  TlxDBDataController* GetListDBDataController() const override { return list_.get(); }
  int32_t GetListHeightForRows(int32_t row_count) const override { return row_count * 18; }
  void SetListColumnFieldNames(const std::string& names) override { list_->SetFieldNames(SplitNames(names)); }
  void AddListColumnForField(const std::string& field_name) override {
    if (field_name.empty() || IndexOfListColumnField(field_name) != -1)
      return;
    std::vector<std::string> names = list_->FieldNames();
    names.insert(names.begin(), field_name);
    list_->SetFieldNames(names);
  }
  TField* GetListColumnField(int32_t index) const override { return list_->GetItemField(index); }
  void GetListColumnFieldName(int32_t index, std::string& name) const override {
    name = list_->GetItemFieldName(index);
  }
  int32_t IndexOfListColumnField(const std::string& field_name) const override {
    for (int32_t i = 0; i < list_->GetItemCount(); ++i)
      if (AnsiSameText(list_->GetItemFieldName(i), field_name))
        return i;
    return -1;
  }

  TLookupListController& List() const { return *list_; }
  // Key fields named while the list is open read their values from a
  // reload of the list.
  void ReloadList() {
    list_->UpdateFields();
    list_->ReloadStorage();
  }
  void SetListSource(TDataSource* source) {
    list_->SetDataSource(source);
    Changed();
  }

 private:
  std::unique_ptr<TLookupListController> list_;
};

class TTestLookupEdit : public TlxCustomDBLookupEdit {
 public:
  static constexpr TClass kClass{"TTestLookupEdit", &TlxCustomDBLookupEdit::kClass,
                                 &ConstructInstance<TTestLookupEdit>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TTestLookupEdit(TComponent* owner) : TlxCustomDBLookupEdit(owner, TTestLookupProperties::kClass) {}

  TTestLookupProperties* LookupProperties() const { return static_cast<TTestLookupProperties*>(Properties()); }
};

// The datasets: customers, a two-key list, and orders with a lookup field.
struct TLookupData {
  TLookupData() {
    customers = new TClientDataSet(&owner);
    customers->SetName("cdsKunden");
    customers->FieldDefs().Add("ID", ftInteger);
    customers->FieldDefs().Add("Name", ftString, 30);
    customers->FieldDefs().Add("Ort", ftString, 30);
    customers->CreateDataSet();
    const struct {
      int32_t id;
      const char* name;
      const char* town;
    } rows[] = {{1, "Müller", "Berlin"}, {2, "Meier", "Hamburg"}, {3, "Schmidt", "Köln"}, {4, "Schulz", "Bonn"}};
    for (const auto& row : rows)
      AddCustomer(row.id, row.name, row.town);
    customers->First();
    customers_source = new TDataSource(&owner);
    customers_source->SetDataSet(customers);

    branches = new TClientDataSet(&owner);
    branches->SetName("cdsFilialen");
    branches->FieldDefs().Add("Land", ftString, 2);
    branches->FieldDefs().Add("Nr", ftInteger);
    branches->FieldDefs().Add("Name", ftString, 30);
    branches->CreateDataSet();
    const struct {
      const char* land;
      int32_t nr;
      const char* name;
    } branch_rows[] = {{"DE", 1, "Berlin Mitte"}, {"DE", 2, "Hamburg Hafen"}, {"AT", 1, "Wien Zentrum"}};
    for (const auto& row : branch_rows) {
      branches->Append();
      branches->FieldByName("Land")->SetAsString(row.land);
      branches->FieldByName("Nr")->SetAsInteger(row.nr);
      branches->FieldByName("Name")->SetAsString(row.name);
      branches->Post();
    }
    branches->First();
    branches_source = new TDataSource(&owner);
    branches_source->SetDataSet(branches);

    orders = new TClientDataSet(&owner);
    orders->SetName("cdsAuftraege");
    auto* number = new TIntegerField(&owner);
    number->SetFieldName("Nr");
    number->SetDataSet(orders);
    customer_id = new TIntegerField(&owner);
    customer_id->SetFieldName("KundeID");
    customer_id->SetDataSet(orders);
    customer_name = new TStringField(&owner);
    customer_name->SetFieldName("Kunde");
    customer_name->SetSize(30);
    customer_name->SetFieldKind(fkLookup);
    customer_name->SetLookupDataSet(customers);
    customer_name->SetKeyFields("KundeID");
    customer_name->SetLookupKeyFields("ID");
    customer_name->SetLookupResultField("Name");
    customer_name->SetDataSet(orders);
    orders->CreateDataSet();
    orders->Append();
    number->SetAsInteger(100);
    customer_id->SetAsInteger(2);
    orders->Post();
    orders_source = new TDataSource(&owner);
    orders_source->SetDataSet(orders);
  }

  void AddCustomer(int32_t id, const char* name, const char* town) {
    customers->Append();
    customers->FieldByName("ID")->SetAsInteger(id);
    customers->FieldByName("Name")->SetAsString(name);
    customers->FieldByName("Ort")->SetAsString(town);
    customers->Post();
  }

  TScopedLocale german{"de-DE"};
  TComponent owner{nullptr};
  TClientDataSet* customers = nullptr;
  TDataSource* customers_source = nullptr;
  TClientDataSet* branches = nullptr;
  TDataSource* branches_source = nullptr;
  TClientDataSet* orders = nullptr;
  TDataSource* orders_source = nullptr;
  TIntegerField* customer_id = nullptr;
  TStringField* customer_name = nullptr;
};

// A form with one test lookup edit over the customer list ("ID" key,
// "Name" shown, "Ort" beside it).
class TLookupEditForm {
 public:
  TLookupEditForm() {
    lxEditorsInitialize();
    SetCursorPos(5, 5);
    form = new TForm(nullptr);
    form->SetBounds(60, 60, 420, 300);
    edit = new TTestLookupEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 200, 24);
    other = new TTestLookupEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 50, 200, 24);
    TTestLookupProperties* properties = edit->LookupProperties();
    // The test list has no grid to drop down: typing only completes.
    properties->SetImmediateDropDown(false);
    properties->SetListSource(data.customers_source);
    properties->SetKeyFieldNames("ID");
    properties->SetListFieldNames("Name;Ort");
    form->Show();
    SetForegroundWindow(form->Handle());
    edit->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  ~TLookupEditForm() {
    form->Free();
    test_support::PumpMessagesUntilIdle();
  }
  TLookupEditForm(const TLookupEditForm&) = delete;
  TLookupEditForm& operator=(const TLookupEditForm&) = delete;

  TTestLookupProperties* Properties() const { return edit->LookupProperties(); }

  TLookupData data;
  TForm* form = nullptr;
  TTestLookupEdit* edit = nullptr;
  TTestLookupEdit* other = nullptr;
};

}  // namespace db_lookup_fixture
