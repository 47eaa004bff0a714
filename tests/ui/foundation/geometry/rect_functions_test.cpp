#include "ui/foundation/geometry/rect_functions.h"

#include <gtest/gtest.h>

#include <memory>

#include "platform/rtl/component.h"
#include "platform/rtl/property.h"
#include "platform/rtl/strings.h"
#include "ui/foundation/geometry/persistent_rect.h"

namespace {

struct RectCase {
  const char* what;
  TRect actual;
  TRect expected;
};

TEST(RectFunctionsTest, BuildMoveAndResizeRectangles) {
  const TRect r(10, 20, 50, 80);
  const RectCase cases[] = {
      {"by size", lxMakeRectBySize(10, 20, 40, 60), r},
      {"shifted", lxRectShifted(r, -5, 7), TRect(5, 27, 45, 87)},
      {"expanded", lxRectExpand(r, 2, 3), TRect(8, 17, 52, 83)},
      {"shrunk", lxRectExpand(r, -2, -3), TRect(12, 23, 48, 77)},
      {"sides", lxRectExpandSides(r, 1, 2, 3, 4), TRect(9, 18, 53, 84)},
      {"content", lxRectContent(r, TRect(1, 2, 3, 4)), TRect(11, 22, 47, 76)},
      {"with width", lxRectWithWidth(r, 5), TRect(10, 20, 15, 80)},
      {"with height", lxRectWithHeight(r, 5), TRect(10, 20, 50, 25)},
      {"moved to left", lxRectMovedToLeft(r, 100), TRect(100, 20, 140, 80)},
      {"moved with width", lxRectMovedToLeftWithWidth(r, 100, 7), TRect(100, 20, 107, 80)},
      {"aligned right", lxRectAlignedToRight(r, 30, 12), TRect(18, 20, 30, 80)},
  };
  for (const RectCase& c : cases)
    EXPECT_EQ(c.actual, c.expected) << c.what;
  EXPECT_EQ(lxRectGetWidth(r), 40);
  EXPECT_EQ(lxRectGetHeight(r), 60);
  EXPECT_EQ(r, TRect(10, 20, 50, 80)) << "the argument stays as it was";
}

TEST(RectFunctionsTest, CenteringTruncatesHalvesTowardZero) {
  const RectCase cases[] = {
      {"smaller box", lxRectCenteredWH(TRect(0, 0, 10, 10), 3, 3), TRect(3, 3, 6, 6)},
      {"box one larger", lxRectCenteredWH(TRect(0, 0, 10, 10), 11, 11), TRect(0, 0, 11, 11)},
      {"box three larger", lxRectCenteredWH(TRect(0, 0, 10, 10), 13, 13), TRect(-1, -1, 12, 12)},
      {"negative area", lxRectCenteredWH(TRect(-10, -10, -4, -4), 3, 3), TRect(-8, -8, -5, -5)},
      {"by size record", lxRectCentered(TRect(0, 0, 10, 20), lxGeomSize(4, 6)), TRect(3, 7, 7, 13)},
  };
  for (const RectCase& c : cases)
    EXPECT_EQ(c.actual, c.expected) << c.what;
}

TEST(RectFunctionsTest, NoAreaAndEquality) {
  EXPECT_TRUE(lxRectHasNoArea(TRect(5, 0, 5, 10)));
  EXPECT_TRUE(lxRectHasNoArea(TRect(0, 5, 10, 5)));
  EXPECT_TRUE(lxRectHasNoArea(TRect(6, 0, 5, 10)));
  EXPECT_FALSE(lxRectHasNoArea(TRect(0, 0, 1, 1)));
  EXPECT_TRUE(lxRectEquals(TRect(1, 2, 3, 4), lxMakeRect(1, 2, 3, 4)));
  EXPECT_FALSE(lxRectEquals(TRect(1, 2, 3, 4), TRect(1, 2, 3, 5)));
}

class PersistentRectTest : public ::testing::Test {
 protected:
  PersistentRectTest() {
    rect_.OnChange = [this](TObject* sender) {
      ++changes_;
      last_sender_ = sender;
    };
  }

  TlxRect rect_{nullptr};
  int changes_ = 0;
  TObject* last_sender_ = nullptr;
};

TEST_F(PersistentRectTest, SettingASideToItsValueFiresNothing) {
  rect_.SetLeft(0);
  EXPECT_EQ(changes_, 0);
  rect_.SetLeft(4);
  rect_.SetBottom(9);
  EXPECT_EQ(changes_, 2);
  EXPECT_EQ(last_sender_, &rect_);
  EXPECT_EQ(rect_.Rect(), TRect(4, 0, 0, 9));
  EXPECT_EQ(rect_.GetSide(TlxRect::kBottom), 9);
}

TEST_F(PersistentRectTest, AssignFromARectFiresOnceAndOnlyOnChange) {
  TlxRect other(nullptr);
  other.SetRect(TRect(1, 2, 3, 4));
  rect_.Assign(&other);
  EXPECT_EQ(changes_, 1);
  EXPECT_EQ(rect_.Rect(), TRect(1, 2, 3, 4));
  rect_.Assign(&other);
  EXPECT_EQ(changes_, 1);
}

TEST_F(PersistentRectTest, AssignFromAnotherKindChangesNothingAndRaisesNothing) {
  rect_.SetRect(TRect(1, 2, 3, 4));
  changes_ = 0;
  TStringList other;
  EXPECT_NO_THROW(rect_.Assign(&other));
  EXPECT_NO_THROW(rect_.Assign(nullptr));
  EXPECT_EQ(rect_.Rect(), TRect(1, 2, 3, 4));
  EXPECT_EQ(changes_, 0);
}

TEST_F(PersistentRectTest, SideIndexOutsideTheFourSidesRaises) {
  EXPECT_THROW(rect_.GetSide(4), EListError);
  EXPECT_THROW(rect_.SetSide(-1, 3), EListError);
  EXPECT_EQ(changes_, 0);
}

TEST(PersistentRectOwnerTest, OwnerAndPublishedSidesServeStreaming) {
  TComponent owner(nullptr);
  std::unique_ptr<TObject> created(TlxRect::kClass.CreateInstance(&owner));
  auto* rect = dynamic_cast<TlxRect*>(created.get());
  ASSERT_NE(rect, nullptr);
  EXPECT_EQ(rect->GetOwner(), &owner);

  const TPropInfo* right = TlxRect::kClass.Properties().Find("Right");
  ASSERT_NE(right, nullptr);
  right->SetOrd(*rect, 42);
  EXPECT_EQ(rect->Right(), 42);
  EXPECT_EQ(right->GetOrd(*rect), 42);
}

TEST(PersistentRectModuleTest, NestedStartsRegisterOnceUntilTheLastEnd) {
  lxRectModuleStart();
  lxRectModuleStart();
  EXPECT_EQ(GetClass("TlxRect"), &TlxRect::kClass);
  lxRectModuleEnd();
  EXPECT_EQ(GetClass("TlxRect"), &TlxRect::kClass);
  lxRectModuleEnd();
  EXPECT_EQ(GetClass("TlxRect"), nullptr);
  lxRectModuleEnd();  // an unmatched end is harmless
  EXPECT_EQ(GetClass("TlxRect"), nullptr);
}

}  // namespace
