// Typed stream values from outside: every input either reads one value or
// fails with EReadError, and a value read writes back to the same bytes it
// was read from (apart from codes that normalise: a long string that would
// fit a short one, an integer stored wider than needed, text codes).
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "data/typed_stream.h"
#include "data/variant_utils.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  TMemoryStream input;
  input.WriteBuffer(data, static_cast<int64_t>(size));
  input.SetPosition(0);
  Variant value;
  try {
    value = lxReadVariant(input);
  } catch (const EReadError&) {
    return 0;
  }
  // What was read writes and reads back to an equal value.
  TMemoryStream output;
  lxWriteVariant(output, value);
  output.SetPosition(0);
  const Variant again = lxReadVariant(output);
  if (lxVariantCompare(value, again) != 0 && !(value.Type() == varDouble && value.RealBits() != value.RealBits())) {
    std::fprintf(stderr, "value changed on a second round trip\n");
    std::abort();
  }
  return 0;
}
