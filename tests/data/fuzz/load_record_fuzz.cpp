// Stored records from outside: every input either loads or fails with the
// stream's read error, and a failed load leaves the record as it was.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "data/data_storage.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::vector<uint8_t> Saved(const TlxDataStorage& storage, int32_t index) {
  TMemoryStream stream;
  storage.SaveRecord(index, stream);
  return stream.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedLocale locale("en-US");
  if (size == 0)
    return 0;
  TlxDataStorage storage;
  // The first byte chooses record IDs and which defs keep display texts.
  storage.SetUsesRecordIds((data[0] & 1) != 0);
  TlxValueTypeClassList& types = lxGetValueTypeRegistry();
  for (int32_t i = 0; i < types.Count(); ++i) {
    if (types.ItemAt(i) == lxValueTypeClass<TlxObjectValueType>())
      continue;
    storage.ValueDefs().AddValueDef(types.ItemAt(i), true, (data[0] >> (1 + i % 7) & 1) != 0, nullptr);
  }
  const int32_t index = storage.AddRecord();
  storage.StoreValue(index, *storage.ValueDefs().ItemAt(0), Variant("previous"));
  const std::vector<uint8_t> before = Saved(storage, index);

  TMemoryStream input;
  input.WriteBuffer(data + 1, static_cast<int64_t>(size - 1));
  input.SetPosition(0);
  try {
    storage.LoadRecord(index, input);
  } catch (const EReadError&) {
    Check(Saved(storage, index) == before, "a failed load changed the record");
    return 0;
  } catch (const EVariantError&) {
    // A typed value of the wrong kind for its column (the Variant and the
    // decimal and time-stamp columns read typed values).
    Check(Saved(storage, index) == before, "a failed conversion changed the record");
    return 0;
  } catch (const EConvertError&) {
    Check(Saved(storage, index) == before, "a failed conversion changed the record");
    return 0;
  }
  // A loaded record saves and loads back to the same bytes.
  const std::vector<uint8_t> loaded = Saved(storage, index);
  TMemoryStream again;
  again.WriteBuffer(loaded.data(), static_cast<int64_t>(loaded.size()));
  again.SetPosition(0);
  storage.LoadRecord(index, again);
  Check(Saved(storage, index) == loaded, "a saved record does not load back");
  return 0;
}
