#pragma once
// A query dataset as the tests run one: "Datei" and "Sortkey", with the
// parameter "Sortkey" in its published "Params". Each opening runs the
// query: three rows of files with the parameter's key (none while the
// parameter is Null).

#include <memory>
#include <string>

#include "platform/db/data_set.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/params.h"
#include "platform/db/record_store.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/property.h"

namespace db_data_test {

class TFileQuery : public TDataSet {
 public:
  static void Publish(TPropertyListBuilder& properties) {
    auto p = properties.For<TFileQuery>();
    p.Persistent("Params", TParams::kClass, &TFileQuery::Params);
  }
  static constexpr TClass kClass{"TFileQuery", &TDataSet::kClass, nullptr, &TFileQuery::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TFileQuery(TComponent* owner) : TDataSet(owner) {
    datei = new TStringField(this);
    datei->SetFieldName("Datei");
    datei->SetSize(100);
    datei->SetDataSet(this);
    sortkey = new TIntegerField(this);
    sortkey->SetFieldName("Sortkey");
    sortkey->SetDataSet(this);
    FieldDefs().Add("Datei", ftString, 100);
    FieldDefs().Add("Sortkey", ftInteger);
    params_->CreateParam("Sortkey");
    AfterOpen = [this](TDataSet*) { Run(); };
  }
  ~TFileQuery() override {
    Destroying();
    Close();
  }

  TParams* Params() const { return params_.get(); }

  int32_t runs = 0;
  TStringField* datei = nullptr;
  TIntegerField* sortkey = nullptr;

 protected:
  void InternalOpen() override { store_ = std::make_unique<TRecordStore>(Layout()); }
  void InternalClose() override { store_.reset(); }
  TRecordStore& Store() const override { return *store_; }

 private:
  void Run() {
    ++runs;
    const Variant key = params_->ParamByName("Sortkey")->Value();
    if (key.IsNull() || key.IsEmpty())
      return;
    DisableControls();
    for (int32_t i = 1; i <= 3; ++i) {
      Append();
      datei->SetAsString("C:\\" + std::to_string(key.AsInteger()) + "_" + std::to_string(i) + ".pdf");
      sortkey->SetAsInteger(key.AsInteger());
      Post();
    }
    First();
    EnableControls();
  }

  std::unique_ptr<TParams> params_ = std::make_unique<TParams>(this);
  std::unique_ptr<TRecordStore> store_;
};

}  // namespace db_data_test
