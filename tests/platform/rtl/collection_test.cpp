#include "platform/rtl/collection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class TColumn : public TCollectionItem {
 public:
  static constexpr TClass kClass{"TColumn", &TCollectionItem::kClass, &ConstructInstance<TColumn>};
  const TClass* ClassType() const override { return &kClass; }
  using TCollectionItem::TCollectionItem;

  int Width() const { return width_; }
  void SetWidth(int width) {
    width_ = width;
    Changed(false);
  }
  void Assign(const TPersistent* source) override {
    if (const auto* other = dynamic_cast<const TColumn*>(source)) {
      SetWidth(other->width_);
      return;
    }
    TCollectionItem::Assign(source);
  }

 private:
  int width_ = 64;
};

// Logs each Update call: "*" for the whole collection, else the item index.
class TColumns : public TCollection {
 public:
  TColumns() : TCollection(TColumn::kClass) {}
  std::vector<std::string> updates;
  std::vector<std::string> notes;

 protected:
  void Update(TCollectionItem* item) override {
    updates.push_back(item == nullptr ? "*" : std::to_string(item->Index()));
  }
  void Notify(TCollectionItem* item, TCollectionNotification action) override {
    notes.push_back(std::string(action == cnAdded ? "added " : action == cnDeleting ? "deleting " : "extracting ") +
                    std::to_string(item->ID()));
  }
};

TEST(CollectionTest, AddInsertDeleteKeepIdsAndOrder) {
  TColumns columns;
  auto* a = static_cast<TColumn*>(columns.Add());
  auto* b = static_cast<TColumn*>(columns.Add());
  auto* c = static_cast<TColumn*>(columns.Insert(0));
  EXPECT_EQ(a->ID(), 0);
  EXPECT_EQ(c->ID(), 2);
  EXPECT_EQ(c->Index(), 0);
  EXPECT_EQ(b->Index(), 2);
  EXPECT_EQ(columns.FindItemID(1), b);
  columns.Delete(0);
  EXPECT_EQ(columns.Count(), 2);
  EXPECT_EQ(columns.FindItemID(2), nullptr);
  EXPECT_EQ(columns.Add()->ID(), 3);  // ids are never reused
  EXPECT_THROW(columns.Items(3), EListError);
  EXPECT_EQ(columns.notes, (std::vector<std::string>{"added 0", "added 1", "added 2", "deleting 2",
                                                     "extracting 2", "added 3"}));
}

TEST(CollectionTest, UpdateBracketsCollapseChangesIntoOne) {
  TColumns columns;
  auto* column = static_cast<TColumn*>(columns.Add());
  columns.updates.clear();
  column->SetWidth(10);
  EXPECT_EQ(columns.updates, std::vector<std::string>{"0"});

  columns.updates.clear();
  columns.BeginUpdate();
  columns.BeginUpdate();
  column->SetWidth(20);
  columns.Add();
  columns.EndUpdate();
  EXPECT_TRUE(columns.updates.empty());
  columns.EndUpdate();
  EXPECT_EQ(columns.updates, std::vector<std::string>{"*"});
  columns.EndUpdate();  // unbalanced: ignored
  EXPECT_EQ(columns.UpdateCount(), 0);
}

TEST(CollectionTest, AssignCopiesItemsAndFreeingAnItemLeavesTheCollection) {
  TColumns source;
  static_cast<TColumn*>(source.Add())->SetWidth(5);
  static_cast<TColumn*>(source.Add())->SetWidth(6);
  TColumns copy;
  copy.Add();
  copy.Assign(&source);
  ASSERT_EQ(copy.Count(), 2);
  EXPECT_EQ(static_cast<TColumn*>(copy.Items(1))->Width(), 6);

  delete copy.Items(0);
  ASSERT_EQ(copy.Count(), 1);
  EXPECT_EQ(copy.Items(0)->Index(), 0);

  TPersistent unrelated;
  EXPECT_THROW(copy.Assign(&unrelated), EConvertError);
}

TEST(CollectionTest, ItemsMoveAndChangeCollections) {
  TColumns first;
  TColumns second;
  TCollectionItem* a = first.Add();
  TCollectionItem* b = first.Add();
  b->SetIndex(0);
  EXPECT_EQ(first.Items(0), b);
  EXPECT_THROW(b->SetIndex(5), EListError);
  a->SetCollection(&second);
  EXPECT_EQ(first.Count(), 1);
  EXPECT_EQ(second.Items(0), a);
  b->SetCollection(nullptr);  // taken out: the caller owns it now
  std::unique_ptr<TCollectionItem> owned(b);
  EXPECT_EQ(first.Count(), 0);
  EXPECT_EQ(owned->Collection(), nullptr);
}

TEST(CollectionTest, NamePathsFollowTheOwner) {
  TColumns columns;
  columns.Add();
  EXPECT_EQ(columns.Items(0)->GetNamePath(), "TCollection[0]");
}

}  // namespace
