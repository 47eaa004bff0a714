// Data controller storage streams from outside: every input either loads or
// fails with "Invalid stream format", and a failed load leaves the records
// the controller had.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "data/data_controller.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

class TColumn : public TObject {};

class TFuzzGrid : public TlxDataController {
 public:
  TFuzzGrid() : TlxDataController(nullptr) {
    for (TlxValueTypeClass type : {lxValueTypeClass<TlxStringValueType>(), lxValueTypeClass<TlxIntegerValueType>(),
                                   lxValueTypeClass<TlxDateTimeValueType>()}) {
      columns.push_back(std::make_unique<TColumn>());
      AddItem(columns.back().get());
      SetItemValueTypeClass(GetItemCount() - 1, type);
    }
  }
  std::vector<std::unique_ptr<TColumn>> columns;
};

std::vector<uint8_t> Saved(TFuzzGrid& grid) {
  TMemoryStream stream;
  grid.SaveStorageToStream(stream);
  return stream.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedLocale locale("en-US");
  TFuzzGrid grid;
  const int32_t record = grid.AppendRecord();
  grid.SetValue(record, 0, Variant("vorher"));
  grid.SetValue(record, 1, Variant(7));
  const std::vector<uint8_t> before = Saved(grid);
  TMemoryStream stream;
  stream.Write(data, static_cast<int64_t>(size));
  stream.SetPosition(0);
  try {
    grid.LoadStorageFromStream(stream);
  } catch (const ElxInvalidDataControllerOperation&) {
    Check(Saved(grid) == before, "a failed load changed the records");
    Check(grid.GetRowCount() == 1, "a failed load changed the rows");
    return 0;
  }
  Check(grid.GetRowCount() == grid.GetRecordCount(), "rows follow the loaded records");
  for (int32_t i = 0; i < grid.GetRecordCount(); ++i)
    (void)grid.GetDisplayText(i, 0);
  return 0;
}
