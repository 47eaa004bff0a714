// Filter files from outside, opened in the filter builder: every input
// either fails with the builder's error leaving its filter as it was, or
// shows rows that write a file which opens to the same rows again.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "editors/kinds/filter_builder.h"
#include "platform/rtl/locale.h"
#include "platform/rtl/memory_stream.h"
#include "tests/editors/kinds/filter_builder_fixture.h"

namespace {

void Check(bool condition, const char* what) {
  if (condition)
    return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

std::vector<uint8_t> CriteriaBytes(TlxFilterBuilder& builder) {
  TMemoryStream stream;
  builder.Criteria().WriteToStream(stream);
  return stream.Bytes();
}

std::vector<uint8_t> Saved(TlxFilterBuilder& builder) {
  TMemoryStream stream;
  builder.SaveToStream(stream);
  return stream.Bytes();
}

void Open(TlxFilterBuilder& builder, const std::vector<uint8_t>& bytes) {
  TMemoryStream stream;
  stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
  stream.SetPosition(0);
  builder.LoadFromStream(stream);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static TScopedLocale locale("en-US");
  // The items the seed files name: 1 "Name" (text), 2 without a name
  // (integer), 3 "Größe" (text).
  filter_builder_test::TBuilderFixture fixture;
  fixture.link.items[0]->name = "Name";
  fixture.link.items[1]->name.clear();
  fixture.link.items[2]->name = "Größe";
  fixture.link.criteria->AddItem(&fixture.link.criteria->Root(), fixture.name, fokEqual, Variant("x"), "x");
  TlxFilterBuilder& builder = fixture.builder;
  builder.SetLink(&fixture.link);
  const std::vector<uint8_t> before = CriteriaBytes(builder);
  const size_t rows_before = builder.RowList().size();

  try {
    Open(builder, std::vector<uint8_t>(data, data + size));
  } catch (const ElxFilterControlError&) {
    Check(CriteriaBytes(builder) == before, "a failed open changed the filter");
    Check(builder.RowList().size() == rows_before, "a failed open changed the rows");
    Check(builder.Criteria().LockCount() == 0, "a failed open left a change bracket open");
    return 0;
  }
  // The rows write a filter that opens to the same rows and writes the same
  // bytes again.
  const std::vector<uint8_t> written = Saved(builder);
  const size_t rows = builder.RowList().size();
  Open(builder, written);
  Check(builder.RowList().size() == rows, "a written filter opens to other rows");
  const std::vector<uint8_t> again = Saved(builder);
  if (again != written) {
    for (auto bytes : {std::vector<uint8_t>(data, data + size), written, again}) {
      for (uint8_t b : bytes) std::fprintf(stderr, "%02x ", b);
      std::fprintf(stderr, "\n");
    }
  }
  Check(again == written, "a written filter does not write itself again");
  filter_builder_test::TBuilderFixture other;
  other.link.items[0]->name = "Name";
  other.link.items[1]->name.clear();
  other.link.items[2]->name = "Größe";
  other.builder.SetLink(&other.link);
  Open(other.builder, written);
  other.builder.ApplyRowsToCriteria();
  Check(other.builder.Criteria().HasSameContent(builder.Criteria(), false), "another builder reads another filter");
  builder.GetFilterCaption();
  return 0;
}
