#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "data/data_controller.h"
#include "data/data_relations.h"
#include "tests/data/data_controller_test_grid.h"

namespace {

using data_controller_test::TColumn;
using data_controller_test::TTestGrid;

// A detail view's controller; counts how many exist.
class TDetailGrid : public TTestGrid {
 public:
  explicit TDetailGrid(std::shared_ptr<int32_t> alive = nullptr) : alive_(std::move(alive)) {
    AddColumn("Position", lxValueTypeClass<TlxIntegerValueType>());
    if (alive_)
      ++*alive_;
  }
  ~TDetailGrid() override {
    if (alive_)
      --*alive_;
  }

 private:
  // Shared: clones may outlive the master's own members while it is freed.
  std::shared_ptr<int32_t> alive_;
};

// The owner object of one clone, as a grid's clone view would be.
class TLink : public TObject {
 public:
  explicit TLink(std::unique_ptr<TDetailGrid> grid) : clone(std::move(grid)) {}
  std::unique_ptr<TDetailGrid> clone;
};

// A master that creates a clone per link object, with one record per
// master record number (so has-children differs between records).
class TMasterGrid : public TTestGrid {
 public:
  TMasterGrid() { AddColumn("Name", lxValueTypeClass<TlxStringValueType>()); }

  std::unique_ptr<TObject> CreateDetailLinkObject(TlxCustomDataRelation* relation, int32_t record) override {
    ++links_created;
    auto clone = std::make_unique<TDetailGrid>(clones);
    clone->SetMasterRelation(relation, record);
    if (record % 2 == 1)
      clone->AddRows({{1}});
    return std::make_unique<TLink>(std::move(clone));
  }
  TlxCustomDataController* GetDetailLinkDataController(TObject* link) const override {
    return static_cast<TLink*>(link)->clone.get();
  }
  int32_t GetDefaultActiveRelationIndex() const override { return default_relation; }
  void DetailDataChanged(TlxCustomDataRelation* relation) override {
    ++detail_data_changes;
    TTestGrid::DetailDataChanged(relation);
  }

  int32_t default_relation = 0;
  int32_t links_created = 0;
  int32_t ClonesAlive() const { return *clones; }
  std::shared_ptr<int32_t> clones = std::make_shared<int32_t>(0);
  int32_t detail_data_changes = 0;
};

// A master with one detail level: relation 0 for `orders`, whose template
// controller is `orders_template`.
struct TMasterDetail {
  TMasterDetail() {
    master.AddRows({{"a"}, {"b"}, {"c"}, {"d"}});
    relation = master.RelationList().NewRelation(&orders);
    orders_template.AttachToMasterRelation(relation, true);
  }
  TMasterGrid master;
  TColumn orders{"Orders"};
  TDetailGrid orders_template;
  TlxCustomDataRelation* relation = nullptr;
};

TEST(DataRelationsTest, FirstRelationCreatesTheDetailFieldAndLastFreesIt) {
  TMasterGrid master;
  const int32_t fields = master.Fields().Count();
  TColumn item("Orders");
  TlxCustomDataRelation* relation = master.RelationList().NewRelation(&item);
  EXPECT_EQ(master.Fields().Count(), fields + 1);
  ASSERT_NE(master.RelationList().DetailObjectField(), nullptr);
  EXPECT_TRUE(master.RelationList().DetailObjectField()->IsInternal());
  EXPECT_EQ(master.RelationList().FindByItem(&item), relation);
  EXPECT_EQ(relation->IndexInList(), 0);
  delete relation;
  EXPECT_EQ(master.Fields().Count(), fields);
  EXPECT_EQ(master.RelationList().DetailObjectField(), nullptr);
}

TEST(DataRelationsTest, DetailModes) {
  TMasterDetail setup;
  EXPECT_EQ(setup.master.GetDetailMode(), 0);
  EXPECT_EQ(setup.orders_template.GetDetailMode(), 1);
  EXPECT_EQ(setup.relation->DetailDataController(), &setup.orders_template);
  EXPECT_EQ(setup.orders_template.GetMasterDataController(), &setup.master);
  TlxCustomDataController* clone = setup.master.GetDetailDataController(1, 0);
  ASSERT_NE(clone, nullptr);
  EXPECT_EQ(clone->GetDetailMode(), 2);
  EXPECT_EQ(clone->GetMasterRecordIndex(), 1);
  EXPECT_EQ(clone->GetTemplateController(), &setup.orders_template);
  EXPECT_EQ(setup.master.CreatingDetailController(), nullptr);
  // The template mark alone makes a template.
  TDetailGrid marked;
  marked.SetTemplateMark(true);
  EXPECT_EQ(marked.GetDetailMode(), 1);
  EXPECT_TRUE(marked.IsRelationTemplate());
}

TEST(DataRelationsTest, LinkObjectsAreMadeOncePerRecordAndRelation) {
  TMasterDetail setup;
  TObject* link = setup.master.GetDetailLinkObject(2, 0);
  ASSERT_NE(link, nullptr);
  EXPECT_EQ(setup.master.GetDetailLinkObject(2, 0), link);
  EXPECT_EQ(setup.master.links_created, 1);
  EXPECT_TRUE(setup.master.IsDetailLinkObjectCreated(2, 0));
  EXPECT_FALSE(setup.master.IsDetailLinkObjectCreated(1, 0));
  // A record without a detail object has nothing to clear.
  EXPECT_FALSE(setup.master.RelationList().ClearDetailObject(3, -1));
  EXPECT_TRUE(setup.master.RelationList().ClearDetailObject(2, -1));
  EXPECT_EQ(setup.master.ClonesAlive(), 0);
  EXPECT_THROW(setup.master.GetDetailLinkObject(9, 0), ElxInvalidDataControllerOperation);
}

TEST(DataRelationsTest, ClonesFollowTheirMasterRecords) {
  TMasterDetail setup;
  TMasterGrid& master = setup.master;
  std::vector<TlxCustomDataController*> clones;
  for (int32_t record = 1; record <= 3; ++record)
    clones.push_back(master.GetDetailDataController(record, 0));
  master.InsertRecord(2);
  EXPECT_EQ(clones[0]->GetMasterRecordIndex(), 1);
  EXPECT_EQ(clones[1]->GetMasterRecordIndex(), 3);
  EXPECT_EQ(clones[2]->GetMasterRecordIndex(), 4);
  master.DeleteRecord(2);
  EXPECT_EQ(clones[0]->GetMasterRecordIndex(), 1);
  EXPECT_EQ(clones[1]->GetMasterRecordIndex(), 2);
  EXPECT_EQ(clones[2]->GetMasterRecordIndex(), 3);
  // Deleting a master record frees its clone with its detail object.
  master.DeleteRecord(1);
  EXPECT_EQ(master.ClonesAlive(), 2);
  EXPECT_EQ(clones[1]->GetMasterRecordIndex(), 1);
}

TEST(DataRelationsTest, ExpandingAsksTheHandlersAndReportsLayout) {
  TMasterDetail setup;
  TMasterGrid& master = setup.master;
  std::vector<std::string> events;
  master.OnDetailExpanding = [&](TlxCustomDataController*, int32_t record, bool& allow) {
    events.push_back("expanding " + std::to_string(record));
    allow = record != 2;
  };
  master.OnDetailExpanded = [&](TlxCustomDataController*, int32_t record) {
    events.push_back("expanded " + std::to_string(record));
  };
  master.OnDetailCollapsed = [&](TlxCustomDataController*, int32_t record) {
    events.push_back("collapsed " + std::to_string(record));
  };
  master.log.clear();
  EXPECT_TRUE(master.ChangeDetailExpanding(1, true));
  EXPECT_TRUE(master.GetDetailExpanded(1));
  EXPECT_TRUE(master.ChangeDetailExpanding(1, true));  // already expanded: no events
  EXPECT_FALSE(master.ChangeDetailExpanding(2, true));
  EXPECT_FALSE(master.GetDetailExpanded(2));
  EXPECT_TRUE(master.ChangeDetailExpanding(1, false));
  EXPECT_FALSE(master.ChangeDetailExpanding(7, true));
  EXPECT_EQ(events, (std::vector<std::string>{"expanding 1", "expanded 1", "expanding 2", "collapsed 1"}));
  EXPECT_NE(std::find(master.log.begin(), master.log.end(), "layout"), master.log.end());
}

TEST(DataRelationsTest, DefaultActiveRelationIsCorrected) {
  TMasterGrid master;
  master.AddRows({{"a"}, {"b"}});
  TColumn first("First");
  TColumn second("Second");
  TlxCustomDataRelation* relation1 = master.RelationList().NewRelation(&first);
  TlxCustomDataRelation* relation2 = master.RelationList().NewRelation(&second);
  TDetailGrid second_template;
  second_template.AttachToMasterRelation(relation2, true);
  master.default_relation = 5;
  // Past the last relation: the last, which has a detail controller.
  EXPECT_EQ(master.GetDetailActiveRelationIndex(0), 1);
  // A relation without a detail controller gives way to the first that has one.
  master.default_relation = 0;
  EXPECT_EQ(master.GetDetailActiveRelationIndex(1), 1);
  master.ChangeDetailActiveRelation(1, 0);
  EXPECT_EQ(master.RelationList().ReadDetailObject(1)->ActiveRelationIndex, 0);
  (void)relation1;
  // Without any detail controller the list is empty and details go away.
  second_template.AttachToMasterRelation(nullptr, false);
  EXPECT_EQ(relation2->DetailDataController(), nullptr);
  EXPECT_EQ(master.GetDetailActiveRelationIndex(1), -1);
  EXPECT_EQ(master.RelationList().GetDetailObject(1), nullptr);
  EXPECT_EQ(master.RelationList().ReadDetailObject(1), nullptr);
}

TEST(DataRelationsTest, AssignRelationsUpdatesOnce) {
  TMasterGrid source;
  TColumn first("First");
  TColumn second("Second");
  source.RelationList().NewRelation(&first);
  source.RelationList().NewRelation(&second);
  TMasterGrid target;
  target.RelationList().AssignRelations(source.RelationList());
  EXPECT_EQ(target.detail_data_changes, 1);
  ASSERT_EQ(target.RelationList().Count(), 2);
  EXPECT_EQ(target.RelationList().RelationAt(1)->Item(), &second);
  target.RelationList().Move(0, 1);
  EXPECT_EQ(target.RelationList().RelationAt(0)->Item(), &second);
}

TEST(DataRelationsTest, HasChildrenComesFromTheCloneOnceItExists) {
  TMasterDetail setup;
  // Not in provider mode and without an active provider: no children.
  EXPECT_FALSE(setup.master.DetailHasChildren(1, 0));
  // With a clone, its records decide.
  setup.master.GetDetailLinkObject(1, 0);
  setup.master.GetDetailLinkObject(2, 0);
  EXPECT_TRUE(setup.master.DetailHasChildren(1, 0));
  EXPECT_FALSE(setup.master.DetailHasChildren(2, 0));
}

class TChildSource : public TlxExternalDataSource {
 public:
  void SetCurrentProvider(TlxCustomDataProvider* current) override { provider = current; }
  THandle AppendRecord() override { return ++next; }
  THandle InsertRecord(THandle) override { return ++next; }
  void DeleteRecord(THandle) override {}
  std::string GetDisplayText(THandle, int32_t) override { return {}; }
  Variant GetValue(THandle, int32_t) override { return Variant::Null(); }
  void SetValue(THandle, int32_t, const Variant&) override {}
  void LoadRecordHandles() override {
    for (THandle handle = 1; handle <= 3; ++handle)
      provider->AppendRecordHandle(handle);
  }
  void SetRecordCount(int32_t) override {}
  bool GetDetailHasChildren(THandle handle, int32_t) override {
    ++questions;
    return handle == 2;
  }
  TlxCustomDataProvider* provider = nullptr;
  THandle next = 100;
  int32_t questions = 0;
};

TEST(DataRelationsTest, ProviderIsAskedOnceUntilTheCacheIsCleared) {
  TChildSource source;
  TMasterGrid master;
  master.Provider().SetCustomDataSource(&source);
  ASSERT_EQ(master.GetRecordCount(), 3);
  TColumn orders("Orders");
  TDetailGrid orders_template;
  orders_template.AttachToMasterRelation(master.RelationList().NewRelation(&orders), true);
  EXPECT_TRUE(master.DetailHasChildren(1, 0));
  EXPECT_FALSE(master.DetailHasChildren(0, 0));
  EXPECT_TRUE(master.DetailHasChildren(1, 0));
  EXPECT_EQ(source.questions, 2);
  master.ClearDetailsHasChildren();
  EXPECT_TRUE(master.DetailHasChildren(1, 0));
  EXPECT_EQ(source.questions, 3);
  master.Provider().SetCustomDataSource(nullptr);
}

TEST(DataRelationsTest, ADetailChangeDropsTheMastersCachedAnswers) {
  TChildSource master_source;
  TChildSource detail_source;
  TMasterGrid master;
  master.Provider().SetCustomDataSource(&master_source);
  TColumn orders("Orders");
  TDetailGrid orders_template;
  orders_template.Provider().SetCustomDataSource(&detail_source);
  orders_template.AttachToMasterRelation(master.RelationList().NewRelation(&orders), true);
  EXPECT_TRUE(master.DetailHasChildren(1, 0));
  ASSERT_TRUE(master.RelationList().ReadDetailObject(1)->InfoObjectAt(0)->HasChildrenKnown);
  // The clone works on the template's source and reports its changes up.
  TlxCustomDataController* clone = master.GetDetailDataController(0, 0);
  ASSERT_NE(clone, nullptr);
  EXPECT_TRUE(clone->IsProviderMode());
  EXPECT_TRUE(master.DetailHasChildren(1, 0));
  ASSERT_TRUE(master.RelationList().ReadDetailObject(1)->InfoObjectAt(0)->HasChildrenKnown);
  clone->DataChanged(dckValue, 0, 0);
  EXPECT_FALSE(master.RelationList().ReadDetailObject(1)->InfoObjectAt(0)->HasChildrenKnown);
  master.ResetDetails();
  orders_template.Provider().SetCustomDataSource(nullptr);
  master.Provider().SetCustomDataSource(nullptr);
}

TEST(DataRelationsTest, ControllersMayGoInEitherOrder) {
  std::shared_ptr<int32_t> clones;
  {
    auto master = std::make_unique<TMasterGrid>();
    master->AddRows({{"a"}, {"b"}});
    TColumn orders("Orders");
    auto orders_template = std::make_unique<TDetailGrid>();
    TlxCustomDataRelation* relation = master->RelationList().NewRelation(&orders);
    orders_template->AttachToMasterRelation(relation, true);
    master->ChangeDetailExpanding(0, true);
    master->GetDetailLinkObject(0, 0);
    master->GetDetailLinkObject(1, 0);
    clones = master->clones;
    EXPECT_EQ(*clones, 2);
    // The template first: the relation forgets it.
    orders_template.reset();
    EXPECT_EQ(relation->DetailDataController(), nullptr);
    master.reset();
  }
  EXPECT_EQ(*clones, 0);
  TDetailGrid orders_template;
  {
    TMasterGrid master;
    master.AddRows({{"a"}});
    TColumn orders("Orders");
    orders_template.AttachToMasterRelation(master.RelationList().NewRelation(&orders), true);
    master.GetDetailLinkObject(0, 0);
  }
  // The master first: the template is detached but keeps its template mark.
  EXPECT_EQ(orders_template.GetMasterRelation(), nullptr);
  EXPECT_EQ(orders_template.GetDetailMode(), 1);
}

TEST(DataRelationsTest, ResetAllDetailsCollapsesAndFreesClones) {
  TMasterDetail setup;
  setup.master.ChangeDetailExpanding(0, true);
  setup.master.GetDetailLinkObject(0, 0);
  ASSERT_EQ(setup.master.ClonesAlive(), 1);
  setup.master.ResetAllDetails();
  EXPECT_EQ(setup.master.ClonesAlive(), 0);
  EXPECT_FALSE(setup.master.GetDetailExpanded(0));
  // A template change resets the clones through the root master.
  setup.master.GetDetailLinkObject(1, 0);
  ASSERT_EQ(setup.master.ClonesAlive(), 1);
  setup.orders_template.DetailDataChanged(nullptr);
  EXPECT_EQ(setup.master.ClonesAlive(), 0);
}

}  // namespace
