// The filter builder's two conversions at scale: a data controller's
// criteria of 10,000 conditions in 100 groups shown as rows
// (BuildFromCriteria) and written back (ApplyRowsToCriteria), against the
// data controller copying the same criteria through its binary stream
// (WriteToStream plus LoadFromBinaryStream), measured in the same run.
// No window: the builder lays nothing out. Items processed are conditions.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "editors/kinds/filter_builder.h"
#include "platform/rtl/memory_stream.h"
#include "tests/editors/kinds/filter_controller_link.h"

namespace {

constexpr int32_t kGroups = 100;
constexpr int32_t kConditionsPerGroup = 100;
constexpr int32_t kItems = 10;

class TBenchController : public filter_builder_test::TColumnController {
 public:
  TBenchController() : TColumnController(Types()) {}

 private:
  static std::vector<TlxValueTypeClass> Types() {
    std::vector<TlxValueTypeClass> types;
    for (int32_t i = 0; i < kItems; ++i)
      types.push_back(i % 2 == 0 ? lxValueTypeClass<TlxStringValueType>() : lxValueTypeClass<TlxIntegerValueType>());
    return types;
  }
};

std::vector<std::string> Captions() {
  std::vector<std::string> captions;
  for (int32_t i = 0; i < kItems; ++i)
    captions.push_back("Spalte " + std::to_string(i));
  return captions;
}

class TTextCells : public IlxFilterTextMeasurer {
 public:
  TSize TextExtent(int32_t, std::string_view text) override { return {static_cast<int32_t>(text.size()) * 6, 13}; }
  int32_t EditorTextHeight() override { return 17; }
  TSize MeasureOperand(TlxConditionViewInfo&, TlxValueInfo& value, bool) override {
    return {static_cast<int32_t>(value.OperandText.size()) * 6 + 4, 15};
  }
  void PlaceOperand(TlxConditionViewInfo&, TlxValueInfo&, bool) override {}
};

class TNoWindowHost : public TlxWindowlessFilterBuilderHost {
 public:
  TNoWindowHost() : TlxWindowlessFilterBuilderHost(Rect(0, 0, 600, 400)) {}
  bool CanLayout() override { return false; }
};

void FillCriteria(TBenchController& controller) {
  TlxDataFilterCriteria& criteria = controller.Filter();
  TlxFilterChangesScope changes(criteria);
  for (int32_t g = 0; g < kGroups; ++g) {
    TlxFilterCriteriaItemList* group = criteria.Root().AddSubList(g % 2 == 0 ? fbkAnd : fbkOr);
    for (int32_t c = 0; c < kConditionsPerGroup; ++c) {
      const int32_t item = (g + c) % kItems;
      TObject* link = controller.GetItem(item);
      const int32_t n = g * kConditionsPerGroup + c;
      if (item % 2 == 0) {
        criteria.AddItem(group, link, c % 3 == 0 ? fokLike : fokEqual, Variant("Rechnung " + std::to_string(n)),
                         "Rechnung " + std::to_string(n));
      } else if (c % 4 == 1) {
        criteria.AddItem(group, link, fokBetween, VarArrayOf({Variant(n), Variant(n + 10)}),
                         std::to_string(n) + ";" + std::to_string(n + 10));
      } else if (c % 4 == 3) {
        criteria.AddItem(group, link, fokInList, VarArrayOf({Variant(n), Variant(n + 1), Variant(n + 2)}),
                         std::to_string(n) + ";" + std::to_string(n + 1) + ";" + std::to_string(n + 2));
      } else {
        criteria.AddItem(group, link, fokGreater, Variant(n), std::to_string(n));
      }
    }
  }
}

struct TBenchSetup {
  TBenchSetup() : link(controller, Captions()), builder(host, cells) {
    FillCriteria(controller);
    builder.SetLink(&link);
  }
  TBenchController controller;
  filter_builder_test::TControllerLink link;
  TNoWindowHost host;
  TTextCells cells;
  TlxFilterBuilder builder;
};

void BM_FilterRowsBuildAndApply(benchmark::State& state) {
  TBenchSetup setup;
  for (auto _ : state) {
    setup.builder.BuildFromCriteria();
    setup.builder.ApplyRowsToCriteria();
    benchmark::DoNotOptimize(setup.builder.RowList().size());
  }
  if (!setup.builder.Criteria().HasSameContent(setup.controller.Filter(), false))
    state.SkipWithError("the rows wrote another filter");
  state.SetItemsProcessed(state.iterations() * kGroups * kConditionsPerGroup);
}
BENCHMARK(BM_FilterRowsBuildAndApply)->Unit(benchmark::kMillisecond);

void BM_FilterRowsBaselineCopy(benchmark::State& state) {
  TBenchController controller;
  FillCriteria(controller);
  TlxDataFilterCriteria& criteria = controller.Filter();
  for (auto _ : state) {
    TMemoryStream stream;
    criteria.WriteToStream(stream);
    stream.SetPosition(0);
    criteria.LoadFromBinaryStream(stream);
    benchmark::DoNotOptimize(criteria.Root().ItemCount());
  }
  if (criteria.Root().ItemCount() != kGroups)
    state.SkipWithError("the copy lost conditions");
  state.SetItemsProcessed(state.iterations() * kGroups * kConditionsPerGroup);
}
BENCHMARK(BM_FilterRowsBaselineCopy)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
