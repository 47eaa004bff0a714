#pragma once
// The file list of the print tool as the tests build it: an in-memory
// dataset of "Datei" (text of 500 characters), "Groesse" (float), "Datum"
// (date and time) and "Sortkey" (integer), with persistent fields defined
// in code, and a recording data link for the notification tests.

#include <memory>
#include <string>
#include <vector>

#include "platform/db/client_data_set.h"
#include "platform/db/data_link.h"
#include "platform/db/data_source.h"
#include "platform/db/date_time_fields.h"
#include "platform/db/float_fields.h"
#include "platform/db/numeric_fields.h"
#include "platform/db/string_fields.h"
#include "platform/rtl/component.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/locale.h"

namespace db_test {

struct TFileList {
  TFileList() : owner(new TComponent(nullptr)) {
    cds = new TClientDataSet(owner.get());
    cds->SetName("cdsDateien");
    datei = new TStringField(owner.get());
    datei->SetFieldName("Datei");
    datei->SetSize(500);
    datei->SetDataSet(cds);
    groesse = new TFloatField(owner.get());
    groesse->SetFieldName("Groesse");
    groesse->SetDataSet(cds);
    datum = new TDateTimeField(owner.get());
    datum->SetFieldName("Datum");
    datum->SetDataSet(cds);
    sortkey = new TIntegerField(owner.get());
    sortkey->SetFieldName("Sortkey");
    sortkey->SetDataSet(cds);
    source = new TDataSource(owner.get());
    source->SetDataSet(cds);
    cds->CreateDataSet();
  }

  // Appends and posts one row, as a file drop does.
  void Add(const std::string& path, double size, TDateTime date, int32_t key) {
    cds->Append();
    datei->SetAsString(path);
    groesse->SetAsFloat(size);
    datum->SetAsDateTime(date);
    sortkey->SetAsInteger(key);
    cds->Post();
  }

  // Rows "C:\f1.pdf" ... with sizes 100, 200, ... and keys 1, 2, ...
  void AddRows(int count) {
    for (int i = 1; i <= count; ++i)
      Add("C:\\f" + std::to_string(i) + ".pdf", 100.0 * i, EncodeDate(2024, 1, i), i);
  }

  // The "Sortkey" values in cursor order (the cursor ends on the first row).
  std::vector<int32_t> Keys() {
    std::vector<int32_t> keys;
    for (cds->First(); !cds->Eof(); cds->Next())
      keys.push_back(sortkey->AsInteger());
    cds->First();
    return keys;
  }

  TScopedLocale locale{"de-DE"};
  std::unique_ptr<TComponent> owner;
  TClientDataSet* cds = nullptr;
  TStringField* datei = nullptr;
  TFloatField* groesse = nullptr;
  TDateTimeField* datum = nullptr;
  TIntegerField* sortkey = nullptr;
  TDataSource* source = nullptr;
};

// A data link that writes down every notification it gets, as
// "scrolled 1", "record Datei", "changed", ...
class TRecordingLink : public TDataLink {
 public:
  ~TRecordingLink() override { SetDataSource(nullptr); }

  std::vector<std::string> Take() {
    std::vector<std::string> taken;
    taken.swap(log);
    return taken;
  }

  std::vector<std::string> log;
  // Writes this value into the field on UpdateData, as an editor would.
  TField* edited_field = nullptr;
  std::string edited_text;
  bool consume_focus = false;

 protected:
  void ActiveChanged() override { log.push_back(Active() ? "active" : "inactive"); }
  void CheckBrowseMode() override { log.push_back("check"); }
  void DataSetChanged() override { log.push_back("changed"); }
  void DataSetScrolled(int32_t distance) override { log.push_back("scrolled " + std::to_string(distance)); }
  void EditingChanged() override { log.push_back(Editing() ? "editing" : "browsing"); }
  void FocusControl(TField*& field) override {
    log.push_back("focus " + field->FieldName());
    if (consume_focus)
      field = nullptr;
  }
  void LayoutChanged() override { log.push_back("layout"); }
  void RecordChanged(TField* field) override {
    log.push_back(field != nullptr ? "record " + field->FieldName() : "record");
  }
  void UpdateData() override {
    log.push_back("update");
    if (edited_field != nullptr)
      edited_field->SetAsString(edited_text);
  }
};

}  // namespace db_test
