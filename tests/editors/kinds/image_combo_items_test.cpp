#include "editors/kinds/image_combo_items.h"

#include <gtest/gtest.h>

namespace image_combo_items_test {

class FakeOwner : public IlxImageComboItemsOwner {
 public:
  int32_t ImageCountForItems() const override { return image_count; }
  void ImageComboItemsChanged() override { ++changes; }

  int32_t image_count = 0;
  int changes = 0;
};

TEST(ImageComboItemsTest, NewItemsTakeTheImagesOfTheirIndexWhileThereAreEnough) {
  FakeOwner owner;
  owner.image_count = 3;
  TlxImageComboBoxItems items(nullptr, &owner);
  for (int i = 0; i < 5; ++i)
    items.Add();
  EXPECT_EQ(items.GetItem(0)->ImageIndex(), 0);
  EXPECT_EQ(items.GetItem(2)->ImageIndex(), 2);
  EXPECT_EQ(items.GetItem(3)->ImageIndex(), -1);
  EXPECT_EQ(items.GetItem(4)->ImageIndex(), -1);
  EXPECT_TRUE(items.GetItem(0)->Value().IsNull());
}

TEST(ImageComboItemsTest, ChangesReachTheOwnerOnlyWhenSomethingDiffers) {
  FakeOwner owner;
  TlxImageComboBoxItems items(nullptr, &owner);
  TlxImageComboBoxItem* item = items.Add();
  const int after_add = owner.changes;
  item->SetDescription("Rot");
  item->SetValue(Variant(int32_t{1}));
  EXPECT_EQ(owner.changes, after_add + 2);
  item->SetDescription("Rot");
  item->SetValue(Variant(int32_t{1}));
  EXPECT_EQ(owner.changes, after_add + 2);
  item->SetValue(Variant(std::string("1")));
  EXPECT_EQ(owner.changes, after_add + 3) << "a value of another type counts as a change";
}

TEST(ImageComboItemsTest, LookupsFindTheFirstMatch) {
  TlxImageComboBoxItems items(nullptr, nullptr);
  const struct {
    const char* description;
    Variant value;
  } rows[] = {{"Ja", Variant(true)}, {"Eins", Variant(int32_t{1})}, {"Auch eins", Variant(int32_t{1})},
              {"Text", Variant(std::string("abc"))}};
  for (const auto& row : rows) {
    TlxImageComboBoxItem* item = items.Add();
    item->SetDescription(row.description);
    item->SetValue(row.value);
  }
  EXPECT_EQ(lxImageComboFindItemByValue(items, Variant(int32_t{1}))->Description(), "Eins") << "the first one wins";
  EXPECT_EQ(lxImageComboFindItemByValue(items, Variant(std::string("abc")))->Description(), "Text");
  EXPECT_EQ(lxImageComboFindItemByValue(items, Variant(int32_t{7})), nullptr);
  EXPECT_EQ(lxImageComboFindItemByValue(items, Variant::Null()), nullptr);
  EXPECT_EQ(lxImageComboFindItemByDescription(items, "auch EINS")->Value().AsInteger(), 1);
  EXPECT_EQ(lxImageComboFindItemByDescription(items, "Zwei"), nullptr);
}

}  // namespace image_combo_items_test
