#include "platform/rtl/update_batch.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

// An object in the form every user of the batch takes: changes update at
// once outside a bracket and once at the last end inside one.
class TBatchedObject {
 public:
  explicit TBatchedObject(TUpdateBatch::TUpdateRule rule = TUpdateBatch::kUpdateWhenChanged) : batch_(rule) {}

  void BeginUpdate() {
    batch_.Begin([this] {
      ++entered_updating;
      if (batch_.Updating())
        ++entered_inside_a_bracket;
      if (fail_entering)
        throw std::runtime_error("entering failed");
    });
  }
  void EndUpdate() {
    batch_.End([this] { Update(); });
  }
  void Change() {
    if (batch_.Change())
      Update();
  }

  int updates = 0;
  int entered_updating = 0;
  int updates_seen_inside_a_bracket = 0;
  int entered_inside_a_bracket = 0;
  bool fail_update = false;
  bool fail_entering = false;
  const TUpdateBatch& Batch() const { return batch_; }

 private:
  void Update() {
    ++updates;
    if (batch_.Updating())
      ++updates_seen_inside_a_bracket;
    if (fail_update)
      throw std::runtime_error("update failed");
  }

  TUpdateBatch batch_;
};

TEST(UpdateBatch, AChangeOutsideABracketUpdatesAtOnce) {
  TBatchedObject object;
  object.Change();
  object.Change();
  EXPECT_EQ(object.updates, 2);
}

TEST(UpdateBatch, ChangesInNestedBracketsUpdateOnceAtTheLastEnd) {
  TBatchedObject object;
  object.BeginUpdate();
  object.BeginUpdate();
  EXPECT_EQ(object.entered_updating, 1) << "only the first Begin enters the updating state";
  EXPECT_EQ(object.entered_inside_a_bracket, 0) << "entering runs before the bracket opens";
  EXPECT_EQ(object.Batch().Count(), 2);
  object.Change();
  object.Change();
  EXPECT_TRUE(object.Batch().ChangedWhileUpdating());
  object.EndUpdate();
  EXPECT_EQ(object.updates, 0);
  object.EndUpdate();
  EXPECT_EQ(object.updates, 1);
  EXPECT_FALSE(object.Batch().Updating());
  EXPECT_FALSE(object.Batch().ChangedWhileUpdating());
  EXPECT_EQ(object.updates_seen_inside_a_bracket, 0) << "the update runs after the bracket has closed";
}

TEST(UpdateBatch, TheRuleDecidesWhetherAnUnchangedBracketUpdates) {
  struct Case {
    TUpdateBatch::TUpdateRule rule;
    bool change_inside;
    int updates;
  };
  const Case cases[] = {
      {TUpdateBatch::kUpdateWhenChanged, false, 0},
      {TUpdateBatch::kUpdateWhenChanged, true, 1},
      {TUpdateBatch::kUpdateAlways, false, 1},
      {TUpdateBatch::kUpdateAlways, true, 1},
  };
  for (const Case& c : cases) {
    TBatchedObject object(c.rule);
    object.BeginUpdate();
    if (c.change_inside)
      object.Change();
    object.EndUpdate();
    EXPECT_EQ(object.updates, c.updates) << "rule " << int{c.rule} << ", change " << c.change_inside;
  }
}

TEST(UpdateBatch, AStrayEndNeitherUpdatesNorBlocksLaterUpdates) {
  for (const auto rule : {TUpdateBatch::kUpdateWhenChanged, TUpdateBatch::kUpdateAlways}) {
    TBatchedObject object(rule);
    object.EndUpdate();
    EXPECT_EQ(object.updates, 0);
    EXPECT_EQ(object.Batch().Count(), 0);
    object.Change();
    EXPECT_EQ(object.updates, 1) << "a change after a stray end still updates";
    object.BeginUpdate();
    EXPECT_TRUE(object.Batch().Updating()) << "the next Begin opens a bracket again";
    EXPECT_EQ(object.entered_updating, 1);
  }
}

TEST(UpdateBatch, AFailingUpdateLeavesTheBatchClosedAndClean) {
  TBatchedObject object;
  object.fail_update = true;
  object.BeginUpdate();
  object.Change();
  EXPECT_THROW(object.EndUpdate(), std::runtime_error);
  EXPECT_FALSE(object.Batch().Updating());
  EXPECT_FALSE(object.Batch().ChangedWhileUpdating());
  object.fail_update = false;
  object.BeginUpdate();
  object.EndUpdate();
  EXPECT_EQ(object.updates, 1) << "the failed change is not reported again by an empty bracket";
}

TEST(UpdateBatch, FailingToEnterLeavesNoBracketOpen) {
  TBatchedObject object;
  object.fail_entering = true;
  EXPECT_THROW(object.BeginUpdate(), std::runtime_error);
  EXPECT_FALSE(object.Batch().Updating());
  object.Change();
  EXPECT_EQ(object.updates, 1);
}

TEST(UpdateBatch, AnUpdateMayOpenANewBracket) {
  TUpdateBatch batch;
  int updates = 0;
  batch.Begin();
  batch.Change();
  batch.End([&] {
    ++updates;
    batch.Begin();
    batch.Change();
    batch.End([&] { ++updates; });
  });
  EXPECT_EQ(updates, 2);
  EXPECT_FALSE(batch.Updating());
}

}  // namespace
