// The filter builder on a real data controller: the rows built from its
// criteria, edited and applied, make the controller filter its records.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "data/data_controller.h"
#include "data/data_filter_criteria.h"
#include "editors/kinds/filter_builder.h"
#include "platform/rtl/memory_stream.h"
#include "tests/editors/kinds/filter_builder_fixture.h"
#include "tests/editors/kinds/filter_controller_link.h"

namespace {

// "Name" (text) and "Größe" (integer) over six records.
class TFileController : public filter_builder_test::TColumnController {
 public:
  TFileController()
      : TColumnController({lxValueTypeClass<TlxStringValueType>(), lxValueTypeClass<TlxIntegerValueType>()}) {
    TUpdateScope update(*this);
    const std::vector<std::pair<std::string, int32_t>> records = {{"Rechnung", 1}, {"Angebot", 3}, {"Rechnung", 5},
                                                                  {"Mahnung", 7},  {"Angebot", 9}, {"Brief", 4}};
    SetRecordCount(static_cast<int32_t>(records.size()));
    for (size_t i = 0; i < records.size(); ++i) {
      DataStorage().StoreValue(static_cast<int32_t>(i), *ItemField(0)->ValueDef(), Variant(records[i].first));
      DataStorage().StoreValue(static_cast<int32_t>(i), *ItemField(1)->ValueDef(), Variant(records[i].second));
    }
  }
};

class FilterBuilderControllerTest : public ::testing::Test {
 protected:
  FilterBuilderControllerTest()
      : link(controller, {"Name", "Größe"}, {&name_properties, &size_properties}),
        host(Rect(0, 0, 400, 300)),
        builder(host, measurer) {
    builder.OnApplyFilter = [this](TObject*) { controller.Filter().SetActive(true); };
    builder.SetLink(&link);
  }
  TlxConditionViewInfo& AddCondition(int32_t item, TlxFilterConditionOperator op, std::vector<Variant> values) {
    builder.AddCondition(nullptr);
    auto& condition = dynamic_cast<TlxConditionViewInfo&>(*builder.FocusedInfo.Row);
    condition.SelectItem(item);
    condition.SetOperator(op);
    condition.FitOperands(true);
    while (condition.Values().Count() < static_cast<int32_t>(values.size()))
      condition.Values().AddOperand();
    for (size_t i = 0; i < values.size(); ++i) {
      condition.Values().Item(static_cast<int32_t>(i)).Value = values[i];
      condition.Values().Item(static_cast<int32_t>(i)).OperandText = values[i].AsString();
    }
    return condition;
  }

  TFileController controller;
  filter_builder_test::TTextProperties name_properties{nullptr};
  filter_builder_test::TTextProperties size_properties{nullptr};
  filter_builder_test::TControllerLink link;
  TlxWindowlessFilterBuilderHost host;
  filter_builder_test::TCellMeasurer measurer;
  TlxFilterBuilder builder;
};

TEST_F(FilterBuilderControllerTest, AppliedRowsFilterTheRecords) {
  ASSERT_EQ(controller.GetRowCount(), 6);
  AddCondition(1, fcoBetween, {Variant(8), Variant(3)});
  builder.ApplyFilter();
  EXPECT_EQ(controller.GetRowCount(), 4);  // 3, 5, 7 and 4

  builder.Root().GroupOperator = fbkAnd;
  AddCondition(0, fcoLike, {Variant("%ung")});
  builder.ApplyFilter();
  EXPECT_EQ(controller.GetRowCount(), 2);  // Rechnung 5, Mahnung 7

  builder.Root().GroupOperator = fbkNotAnd;
  builder.ApplyFilter();
  EXPECT_EQ(controller.GetRowCount(), 4);
}

TEST_F(FilterBuilderControllerTest, InListsAndBlanksFilterAsWritten) {
  AddCondition(0, fcoInList, {Variant("Brief"), Variant("Angebot")});
  builder.ApplyFilter();
  EXPECT_EQ(controller.GetRowCount(), 3);
  builder.Clear();
  AddCondition(1, fcoBlanks, {});
  builder.ApplyFilter();
  EXPECT_EQ(controller.GetRowCount(), 0);
}

TEST_F(FilterBuilderControllerTest, SavedFilesMatchTheControllersOwnWriter) {
  AddCondition(1, fcoGreater, {Variant(4)});
  AddCondition(0, fcoNotInList, {Variant("Brief"), Variant("Größe")});
  builder.ApplyFilter();
  TMemoryStream builder_file;
  builder.SaveToStream(builder_file);
  TMemoryStream controller_file;
  controller.Filter().WriteToStream(controller_file);
  EXPECT_EQ(controller.Filter().Root().ItemCount(), 2);
  EXPECT_EQ(builder_file.Bytes(), controller_file.Bytes());
}

}  // namespace
