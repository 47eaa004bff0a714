// A criteria's expression text, set as the Filter of a real dataset, must
// select the same records as the criteria's own evaluation.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/filter_criteria.h"
#include "platform/rtl/clock.h"
#include "tests/platform/db/file_list.h"

namespace {

class TFieldCondition : public TlxFilterCriteriaItem {
 public:
  static constexpr TClass kClass{"TFieldCondition", &TlxFilterCriteriaItem::kClass,
                                 &ConstructInstance<TFieldCondition>};
  const TClass* ClassType() const override { return &kClass; }
  using TlxFilterCriteriaItem::TlxFilterCriteriaItem;

  Variant GetRecordValue(int32_t record_index) override {
    TField& field = Field();
    field.DataSet()->SetRecNo(record_index + 1);
    return field.AsVariant();
  }
  std::string GetFieldCaption() const override { return Field().FieldName(); }
  std::string GetFieldName() const override { return Field().FieldName(); }

 private:
  TField& Field() const { return static_cast<TField&>(*ItemLink()); }
};

class TFieldCriteria : public TlxFilterCriteria {
 public:
  int32_t GetItemLinkId(TObject*) const override { return 0; }
  std::string GetItemLinkName(TObject* link) const override { return static_cast<TField*>(link)->FieldName(); }
  const TClass* ConditionItemClass() const override { return &TFieldCondition::kClass; }
  TObject* FindItemLinkById(int32_t) const override { return nullptr; }
  TObject* FindItemLinkByName(const std::string&) const override { return nullptr; }
};

class FilterDatasetTest : public testing::Test {
 protected:
  FilterDatasetTest() {
    files.AddRows(4);
    files.Add("C:\\Brief's.PDF", 0, EncodeDate(2025, 1, 15) + 0.5, 5);
    files.cds->Append();
    files.datei->SetAsString("C:\\leer.pdf");
    files.sortkey->SetAsInteger(6);
    files.cds->Post();
  }

  std::vector<int32_t> ByCriteria() {
    std::vector<int32_t> keys;
    const int32_t count = files.cds->RecordCount();
    for (int32_t i = 0; i < count; ++i)
      if (criteria.EvaluateRecord(i))
        keys.push_back(i + 1);
    files.cds->First();
    return keys;
  }

  std::vector<int32_t> ByDataset() {
    files.cds->SetFilter(criteria.BuildExpressionText());
    files.cds->SetFiltered(true);
    std::vector<int32_t> keys = files.Keys();
    files.cds->SetFiltered(false);
    return keys;
  }

  db_test::TFileList files;
  TFieldCriteria criteria;
};

TEST_F(FilterDatasetTest, ExpressionSelectsWhatEvaluationSelects) {
  TScopedClock clock(EncodeDate(2025, 1, 15) + 0.25);
  auto* datei = files.datei;
  auto* groesse = files.groesse;
  auto* datum = files.datum;
  auto* sortkey = files.sortkey;
  struct Step {
    const char* name;
    std::function<void(TFieldCriteria&)> build;
  };
  const std::vector<Step> steps = {
      {"equal", [&](TFieldCriteria& c) { c.AddItem(nullptr, sortkey, fokEqual, Variant(2), "2"); }},
      {"null", [&](TFieldCriteria& c) { c.AddItem(nullptr, groesse, fokEqual, Variant::Null(), ""); }},
      {"not null", [&](TFieldCriteria& c) { c.AddItem(nullptr, groesse, fokNotNull, Variant::Null(), ""); }},
      {"like", [&](TFieldCriteria& c) { c.AddItem(nullptr, datei, fokLike, Variant("%f_.pdf"), ""); }},
      {"quote", [&](TFieldCriteria& c) { c.AddItem(nullptr, datei, fokEqual, Variant("C:\\Brief's.PDF"), ""); }},
      {"between", [&](TFieldCriteria& c) { c.AddItem(nullptr, sortkey, fokBetween, VarArrayOf({2, 4}), "2;4"); }},
      {"not in", [&](TFieldCriteria& c) { c.AddItem(nullptr, sortkey, fokNotInList, VarArrayOf({1, 3}), "1;3"); }},
      {"today", [&](TFieldCriteria& c) { c.AddItem(nullptr, datum, fokToday, Variant::Null(), ""); }},
      {"this year", [&](TFieldCriteria& c) { c.AddItem(nullptr, datum, fokLastYear, Variant::Null(), ""); }},
      {"or of ands",
       [&](TFieldCriteria& c) {
         c.Root().SetBoolOperatorKind(fbkOr);
         TlxFilterCriteriaItemList* both = c.Root().AddSubList(fbkAnd);
         both->AddCondition(sortkey, fokGreater, Variant(1), "");
         both->AddCondition(groesse, fokLess, Variant(300.0), "");
         c.AddItem(nullptr, sortkey, fokEqual, Variant(6), "");
       }},
      {"not or",
       [&](TFieldCriteria& c) {
         c.Root().SetBoolOperatorKind(fbkNotOr);
         c.AddItem(nullptr, sortkey, fokEqual, Variant(1), "");
         c.AddItem(nullptr, groesse, fokEqual, Variant::Null(), "");
       }},
      {"empty not and", [&](TFieldCriteria& c) { c.Root().SetBoolOperatorKind(fbkNotAnd); }},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.name);
    criteria.RemoveAllItems();
    step.build(criteria);
    const std::vector<int32_t> expected = ByCriteria();
    if (std::string_view(step.name) == "equal") {
      EXPECT_EQ(expected, std::vector<int32_t>{2});
    }
    if (std::string_view(step.name) == "today") {
      EXPECT_EQ(expected, std::vector<int32_t>{5});
    }
    EXPECT_EQ(ByDataset(), expected) << criteria.BuildExpressionText();
  }
}

}  // namespace
