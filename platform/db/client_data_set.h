#pragma once
// TClientDataSet: the dataset whose records live in memory. Its fields are
// defined in code (persistent fields) or by FieldDefs; CreateDataSet makes
// the empty record store and opens it. Closing drops the records: an open
// needs CreateDataSet again ("Missing data provider or data packet").
//
//   auto* cds = new TClientDataSet(form);
//   auto* datei = new TStringField(cds);
//   datei->SetFieldName("Datei");
//   datei->SetSize(500);
//   datei->SetDataSet(cds);
//   cds->CreateDataSet();
//   cds->Append();
//   datei->SetAsString("C:\\a.pdf");
//   cds->Post();

#include <cstdint>
#include <memory>

#include "platform/db/data_set.h"

class TClientDataSet : public TDataSet {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TClientDataSet", &TDataSet::kClass, &ConstructInstance<TClientDataSet>,
                                 &TClientDataSet::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TClientDataSet(TComponent* owner);
  ~TClientDataSet() override;

  // Makes the field definitions from the persistent data fields when there
  // are none, then creates the empty store and opens the dataset. Raises
  // "No fields defined. Cannot create dataset" without fields, and "Cannot
  // perform this operation on an open dataset" when open.
  void CreateDataSet();
  // Drops every record (a pending insert or edit is cancelled first); the
  // links are told once.
  void EmptyDataSet();

 protected:
  void InternalOpen() override;
  void InternalClose() override;
  TRecordStore& Store() const override;
  void InternalBeforeStore(std::byte* block, bool inserting) override;

 private:
  void NumberAutoIncFields(std::byte* block);

  std::unique_ptr<TRecordStore> store_;
  bool created_ = false;
  int64_t next_auto_inc_ = 1;
};
