// The grid's change queue: brackets, the three merge passes, the run under
// one lock, changes that must not wait, and a raising change.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "grid/grid_change.h"
#include "grid/grid_navigator_interfaces.h"
#include "grid/grid_summary_sorting.h"

namespace {

// What the test changes did, in order; each change also records its
// destruction, so that a change freed twice or never shows.
struct Journal {
  std::vector<std::string> runs;
  std::vector<std::string> freed;
};

// A change with a name, a scope (what it concerns; 0 = everything) and the
// rules a test gives it.
class TestChange : public TlxCustomGridChange {
 public:
  static constexpr TClass kClass{"TestChange", &TlxCustomGridChange::kClass};
  const TClass* ClassType() const override { return &kClass; }

  TestChange(Journal& journal, std::string name, int scope) : journal_(journal), name_(std::move(name)), scope_(scope) {}
  ~TestChange() override { journal_.freed.push_back(name_); }

  void Execute() override {
    journal_.runs.push_back(name_);
    if (on_execute)
      on_execute();
  }
  // A whole-grid change covers every scoped one.
  bool IsCoveredBy(const TlxCustomGridChange& other) const override {
    const auto* change = dynamic_cast<const TestChange*>(&other);
    return change != nullptr && scope_ != 0 && change->scope_ == 0;
  }
  bool IsEqual(const TlxCustomGridChange& other) const override {
    const auto* change = dynamic_cast<const TestChange*>(&other);
    return change != nullptr && change->scope_ == scope_;
  }
  bool RunsLocked() const override { return runs_locked; }
  bool CanQueue() const override { return can_queue; }

  bool runs_locked = true;
  bool can_queue = true;
  std::function<void()> on_execute;

 private:
  Journal& journal_;
  std::string name_;
  int scope_;
};

class GridChangeQueueTest : public ::testing::Test {
 protected:
  std::unique_ptr<TestChange> Change(const std::string& name, int scope) {
    return std::make_unique<TestChange>(journal_, name, scope);
  }
  Journal journal_;
  TlxGridChangeQueue queue_{nullptr};
};

TEST_F(GridChangeQueueTest, UnlockedChangeRunsAtOnceAndIsFreed) {
  queue_.AddChange(Change("a", 1));
  EXPECT_EQ(journal_.runs, std::vector<std::string>{"a"});
  EXPECT_EQ(journal_.freed, std::vector<std::string>{"a"});
}

TEST_F(GridChangeQueueTest, MergesDuplicatesAndCoveredChanges) {
  struct Case {
    const char* what;
    std::vector<std::pair<std::string, int>> added;
    std::vector<std::string> runs;
  };
  const Case cases[] = {
      {"three requests for one scope run once", {{"a1", 1}, {"a2", 1}, {"a3", 1}}, {"a1"}},
      {"a scoped request before a whole-grid one", {{"a", 1}, {"all", 0}}, {"all"}},
      {"a scoped request after a whole-grid one", {{"all", 0}, {"a", 1}}, {"all"}},
      {"different scopes keep their order", {{"b", 2}, {"a", 1}, {"b2", 2}}, {"b", "a"}},
  };
  for (const Case& c : cases) {
    Journal journal;
    TlxGridChangeQueue queue(nullptr);
    queue.BeginUpdate();
    for (const auto& [name, scope] : c.added)
      queue.AddChange(std::make_unique<TestChange>(journal, name, scope));
    EXPECT_TRUE(journal.runs.empty()) << c.what;
    queue.EndUpdate();
    EXPECT_EQ(journal.runs, c.runs) << c.what;
    EXPECT_EQ(journal.freed.size(), c.added.size()) << c.what;
    EXPECT_EQ(queue.Count(), 0u) << c.what;
  }
}

TEST_F(GridChangeQueueTest, OnlyTheOutermostBracketRuns) {
  queue_.BeginUpdate();
  queue_.BeginUpdate();
  queue_.AddChange(Change("a", 1));
  queue_.EndUpdate();
  EXPECT_TRUE(journal_.runs.empty());
  queue_.EndUpdate();
  EXPECT_EQ(journal_.runs, std::vector<std::string>{"a"});
  // A stray EndUpdate neither runs nor unbalances anything.
  queue_.EndUpdate();
  EXPECT_EQ(queue_.LockCount(), 0);
}

TEST_F(GridChangeQueueTest, CancelUpdateDropsTheQueueWithoutRunningIt) {
  queue_.BeginUpdate();
  queue_.AddChange(Change("a", 1));
  queue_.AddChange(Change("b", 2));
  queue_.CancelUpdate();
  EXPECT_TRUE(journal_.runs.empty());
  EXPECT_EQ(journal_.freed.size(), 2u);
  EXPECT_FALSE(queue_.IsUpdateLocked());
}

TEST_F(GridChangeQueueTest, ChangeThatCannotQueueRunsInsideTheBracket) {
  queue_.BeginUpdate();
  queue_.AddChange(Change("layout", 1));
  auto data = Change("data", 1);
  data->can_queue = false;
  queue_.AddChange(std::move(data));
  EXPECT_EQ(journal_.runs, std::vector<std::string>{"data"});
  queue_.EndUpdate();
  EXPECT_EQ(journal_.runs, (std::vector<std::string>{"data", "layout"}));
}

TEST_F(GridChangeQueueTest, SeveralChangesRunUnderOneLockAndWhatTheyAddFollows) {
  queue_.BeginUpdate();
  auto first = Change("first", 1);
  std::vector<int> locks;
  first->on_execute = [&] {
    locks.push_back(queue_.LockCount());
    queue_.AddChange(Change("added", 3));
  };
  queue_.AddChange(std::move(first));
  queue_.AddChange(Change("second", 2));
  queue_.EndUpdate();
  EXPECT_EQ(locks, std::vector<int>{1});
  EXPECT_EQ(journal_.runs, (std::vector<std::string>{"first", "second", "added"}));
  EXPECT_EQ(queue_.LockCount(), 0);
}

TEST_F(GridChangeQueueTest, SingleChangeRunsWithoutLock) {
  queue_.BeginUpdate();
  auto only = Change("only", 1);
  int lock = -1;
  only->on_execute = [&] { lock = queue_.LockCount(); };
  queue_.AddChange(std::move(only));
  queue_.EndUpdate();
  EXPECT_EQ(lock, 0);
}

TEST_F(GridChangeQueueTest, UnlockedChangeRunsAfterTheQueueBuiltSoFar) {
  queue_.BeginUpdate();
  auto first = Change("first", 1);
  first->on_execute = [&] { queue_.AddChange(Change("repaint", 3)); };
  queue_.AddChange(std::move(first));
  auto focus = Change("focus", 2);
  int lock = -1;
  focus->runs_locked = false;
  focus->on_execute = [&] { lock = queue_.LockCount(); };
  queue_.AddChange(std::move(focus));
  queue_.AddChange(Change("last", 4));
  queue_.EndUpdate();
  // The repaint queued by the first change ran before the unlocked focus
  // change, which itself ran with no lock held.
  EXPECT_EQ(journal_.runs, (std::vector<std::string>{"first", "repaint", "focus", "last"}));
  EXPECT_EQ(lock, 0);
  EXPECT_EQ(queue_.LockCount(), 0);
}

TEST_F(GridChangeQueueTest, RaisingChangeFreesTheRestUnrunAndKeepsTheLockBalanced) {
  queue_.BeginUpdate();
  auto failing = Change("failing", 1);
  failing->on_execute = [] { throw std::runtime_error("broken"); };
  queue_.AddChange(Change("before", 2));
  queue_.AddChange(std::move(failing));
  queue_.AddChange(Change("after", 3));
  EXPECT_THROW(queue_.EndUpdate(), std::runtime_error);
  EXPECT_EQ(journal_.runs, (std::vector<std::string>{"before", "failing"}));
  EXPECT_EQ(journal_.freed.size(), 3u);
  EXPECT_EQ(queue_.LockCount(), 0);
  // The queue still works afterwards.
  queue_.AddChange(Change("later", 1));
  EXPECT_EQ(journal_.runs.back(), "later");
}

TEST_F(GridChangeQueueTest, WhatARaisingRunQueuedWaitsForTheNextBracket) {
  queue_.BeginUpdate();
  auto failing = Change("failing", 2);
  failing->on_execute = [this] {
    queue_.AddChange(Change("queued by the failing one", 4));
    throw std::runtime_error("broken");
  };
  queue_.AddChange(Change("before", 1));
  queue_.AddChange(std::move(failing));
  queue_.AddChange(Change("after", 3));
  EXPECT_THROW(queue_.EndUpdate(), std::runtime_error);
  // Nothing ran while the exception was on its way.
  EXPECT_EQ(journal_.runs, (std::vector<std::string>{"before", "failing"}));
  EXPECT_EQ(queue_.LockCount(), 0);
  EXPECT_EQ(queue_.Count(), 1u);
  queue_.BeginUpdate();
  queue_.EndUpdate();
  EXPECT_EQ(journal_.runs.back(), "queued by the failing one");
  EXPECT_EQ(journal_.freed.size(), 4u);
}

TEST_F(GridChangeQueueTest, ClosedQueueFreesWithoutRunning) {
  queue_.BeginUpdate();
  queue_.AddChange(Change("queued", 1));
  queue_.Close();
  EXPECT_EQ(journal_.freed, std::vector<std::string>{"queued"});
  queue_.AddChange(Change("late", 2));
  queue_.EndUpdate();
  EXPECT_TRUE(journal_.runs.empty());
  EXPECT_EQ(journal_.freed.size(), 2u);
}

TEST_F(GridChangeQueueTest, RemoveChangesFreesTheSelectedOnes) {
  queue_.BeginUpdate();
  queue_.AddChange(Change("a", 1));
  queue_.AddChange(Change("b", 2));
  Journal probe_journal;
  const TestChange probe(probe_journal, "probe", 2);
  queue_.RemoveChanges([&](const TlxCustomGridChange& change) { return !change.IsEqual(probe); });
  queue_.EndUpdate();
  EXPECT_EQ(journal_.runs, std::vector<std::string>{"b"});
}

}  // namespace
