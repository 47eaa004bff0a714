// Stored bitmap data from outside: every input either reads or fails with
// the stream's read error, and what reads writes back, in both forms, to
// data that reads as the same image.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/rtl/exceptions.h"
#include "platform/rtl/memory_stream.h"
#include "tests/ui/foundation/bitmaps/stored_bytes.h"
#include "ui/foundation/bitmaps/bitmap_stream.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::vector<uint8_t> ReadFrom(const std::vector<uint8_t>& bytes) {
  TMemoryStream stream;
  bitmaps_test::FillFromStart(stream, bytes);
  return lxReadBitmapData(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<uint8_t> image;
  try {
    image = ReadFrom(std::vector<uint8_t>(data, data + size));
  } catch (const EReadError&) {
    return 0;
  }
  for (bool compress : {false, true}) {
    TMemoryStream written;
    lxWriteBitmapData(written, image, compress);
    Check(ReadFrom(written.Bytes()) == image, "written data does not read back");
  }
  // The coder and decoder agree on any bytes, the input's own included.
  const std::vector<uint8_t> raw(data, data + size);
  Check(lxDecodeBitmapRuns(lxEncodeBitmapRuns(raw)) == raw, "coded bytes do not decode back");
  return 0;
}
