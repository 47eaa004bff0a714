// Filter texts from outside (a stored layout, a typed filter): every text
// either applies or raises EDatabaseError; a filter never loses records and
// a filtered walk sees exactly RecordCount records.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/db/client_data_set.h"
#include "platform/db/db_errors.h"
#include "platform/rtl/date_time.h"
#include "platform/rtl/locale.h"

namespace {

void Check(bool condition, std::string_view input) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken for filter \"%.*s\"\n", static_cast<int>(input.size()), input.data());
  std::abort();
}

// A small dataset of every kind of value a filter compares, built once.
TClientDataSet& Data() {
  static TScopedLocale locale("de-DE");
  static TClientDataSet* data = [] {
    auto* cds = new TClientDataSet(nullptr);
    cds->FieldDefs().Add("Datei", ftString, 100);
    cds->FieldDefs().Add("Groesse", ftFloat);
    cds->FieldDefs().Add("Datum", ftDateTime);
    cds->FieldDefs().Add("Sortkey", ftInteger);
    cds->FieldDefs().Add("Gedruckt", ftBoolean);
    cds->FieldDefs().Add("Order Date", ftDate);
    cds->CreateDataSet();
    for (int i = 0; i < 6; ++i) {
      cds->Append();
      cds->FieldByName("Datei")->SetAsString("C:\\Größe " + std::to_string(i) + ".pdf");
      if (i != 3)
        cds->FieldByName("Groesse")->SetAsFloat(i * 1.5);
      cds->FieldByName("Datum")->SetAsDateTime(EncodeDate(2024, 1, 1 + i));
      cds->FieldByName("Sortkey")->SetAsInteger(i);
      cds->FieldByName("Gedruckt")->SetAsBoolean(i % 2 == 0);
      cds->Post();
    }
    return cds;
  }();
  return *data;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  TClientDataSet& cds = Data();
  cds.SetFiltered(false);
  cds.SetFilter("");
  const int32_t all = cds.RecordCount();
  try {
    cds.SetFilter(text);
    cds.SetFilterOptions(size % 2 == 0 ? TFilterOptions{foCaseInsensitive} : TFilterOptions{});
    cds.SetFiltered(true);
  } catch (const EDatabaseError&) {
    Check(cds.RecordCount() == all, text);
    return 0;
  } catch (const Exception&) {
    // A value that only fails while records are compared (a variant that
    // does not convert) ends the filter the same way.
    Check(cds.RecordCount() == all, text);
    return 0;
  }
  int32_t walked = 0;
  for (cds.First(); !cds.Eof(); cds.Next())
    ++walked;
  Check(walked == cds.RecordCount() && walked <= all, text);
  return 0;
}
