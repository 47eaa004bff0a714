// A grid data controller's "Data" property from a form description, read
// and loaded the way the end of loading does it: every input either loads
// or fails with the stream read error or "Invalid stream format", and a
// failure leaves the records the controller had.
#include "tests/grid/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "data/data_controller.h"
#include "grid/grid_data_property.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"

namespace {

class TColumn : public TObject {};

class TFuzzController : public TlxDataController {
 public:
  TFuzzController() : TlxDataController(nullptr) {
    for (TlxValueTypeClass type : {lxValueTypeClass<TlxStringValueType>(), lxValueTypeClass<TlxIntegerValueType>()}) {
      columns.push_back(std::make_unique<TColumn>());
      AddItem(columns.back().get());
      SetItemValueTypeClass(GetItemCount() - 1, type);
    }
  }
  std::vector<std::unique_ptr<TColumn>> columns;
};

std::vector<uint8_t> Saved(TFuzzController& controller) {
  TMemoryStream stream;
  controller.SaveStorageToStream(stream);
  return stream.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedLocale locale("en-US");
  TFuzzController controller;
  const int32_t record = controller.AppendRecord();
  controller.SetValue(record, 0, Variant("vorher"));
  const std::vector<uint8_t> before = Saved(controller);
  TMemoryStream property;
  if (size > 0)
    property.Write(data, static_cast<int64_t>(size));
  property.SetPosition(0);
  TMemoryStream pending;
  try {
    lxReadGridDataProperty(property, pending);
    Check(pending.Size() <= static_cast<int64_t>(size), "the buffer is larger than the property");
    lxLoadGridDataBuffer(controller, pending);
  } catch (const EReadError&) {
    Check(Saved(controller) == before, "a failed read changed the records");
    return 0;
  } catch (const ElxInvalidDataControllerOperation&) {
    Check(Saved(controller) == before, "a failed load changed the records");
    return 0;
  }
  Check(controller.GetRowCount() == controller.GetRecordCount(), "rows follow the loaded records");
  return 0;
}
