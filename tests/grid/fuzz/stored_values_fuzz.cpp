// Stored-object values and names from a layout store: random names and
// values of any type either convert within their rules or fail with the
// property conversion error or the conversion error, never otherwise.
#include "tests/grid/fuzz/fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "grid/grid_stored_values.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"

namespace {

// A value of the type the first byte names, built from the next bytes.
Variant ValueFrom(const uint8_t* data, size_t size) {
  if (size == 0)
    return Variant();
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  int32_t number = 0;
  std::memcpy(&number, data + 1, std::min<size_t>(4, size - 1));
  double real = 0;
  std::memcpy(&real, data + 1, std::min<size_t>(8, size - 1));
  switch (data[0] % 6) {
    case 0: return Variant(number);
    case 1: return Variant(text);
    case 2: return Variant(real);
    case 3: return Variant::Null();
    case 4: return Variant(number % 2 == 0);
    default: return Variant();
  }
}

template <class Convert>
void ExpectRuleOrError(Convert&& convert) {
  try {
    convert();
  } catch (const EPropertyConvertError&) {
  } catch (const EConvertError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedLocale locale("en-US");
  const size_t split = size / 2;
  const std::string name(reinterpret_cast<const char*>(data), split);
  const Variant value = ValueFrom(data + split, size - split);
  const int32_t count = size > 0 ? data[size - 1] % 8 : 0;
  ExpectRuleOrError([&] {
    const int32_t index = lxStoredItemIndex(value, count);
    Check(index >= 0 && (count == 0 ? index == 0 : index < count), "a restored index left the list");
  });
  ExpectRuleOrError([&] { Check(lxStoredOrdinal(value, 3) < 3, "an ordinal left its enumeration"); });
  ExpectRuleOrError([&] { (void)lxStoredBoolean(value); });
  ExpectRuleOrError([&] {
    if (lxIsStoredFilterMRUItemName(name))
      (void)lxStoredFilterMRUItemIndex(name);
  });
  ExpectRuleOrError([&] { (void)lxStoredItemID(name); });
  Check(lxStoredSummaryGroupIndex(name) >= -1, "a summary group index below -1");
  return 0;
}
