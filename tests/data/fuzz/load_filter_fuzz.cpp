// Filter streams from outside (user-picked filter files): every input
// either loads or fails with the stream's read error leaving the criteria
// as it was; a loaded tree writes a stream that loads back to the same tree.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "data/filter_criteria.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"
#include "tests/data/filter_test_criteria.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::vector<uint8_t> Written(filter_test::TTestCriteria& criteria) {
  TMemoryStream stream;
  criteria.SaveToBinaryStream(stream, 0);
  return stream.Bytes();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedLocale locale("en-US");
  filter_test::TTestCriteria criteria;
  criteria.SetVersion(3);
  criteria.AddColumn(1, "Name", "Name");
  criteria.AddColumn(2, "", "Size");
  criteria.AddItem(nullptr, criteria.columns[0].get(), fokEqual, Variant("x"), "x");
  const std::vector<uint8_t> before = Written(criteria);

  TMemoryStream input;
  input.WriteBuffer(data, static_cast<int64_t>(size));
  input.SetPosition(0);
  try {
    criteria.LoadFromBinaryStream(input);
  } catch (const EReadError&) {
    Check(Written(criteria) == before, "a failed load changed the tree");
    Check(criteria.LockCount() == 0, "a failed load left a change bracket open");
    return 0;
  }
  const std::vector<uint8_t> loaded = Written(criteria);
  TMemoryStream again;
  again.WriteBuffer(loaded.data(), static_cast<int64_t>(loaded.size()));
  again.SetPosition(0);
  criteria.LoadFromBinaryStream(again);
  Check(Written(criteria) == loaded, "a written tree does not load back");
  // Texts never fail for a loaded tree.
  criteria.BuildCaptionText();
  return 0;
}
