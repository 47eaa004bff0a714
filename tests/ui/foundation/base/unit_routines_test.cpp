#include "ui/foundation/base/unit_routines.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "platform/rtl/memory_stream.h"
#include "ui/foundation/geometry/persistent_rect.h"

namespace {

TEST(UnitRoutinesTest, CeilDivAddsOneForAPositiveRemainderOnly) {
  struct Case {
    int32_t a, b, expected;
  };
  const Case cases[] = {{7, 2, 4}, {6, 2, 3}, {-3, 2, -1}, {0, 5, 0}, {1, 5, 1}, {-4, 2, -2},
                        {std::numeric_limits<int32_t>::max(), 1, std::numeric_limits<int32_t>::max()}};
  for (const Case& c : cases)
    EXPECT_EQ(lxCeilDiv(c.a, c.b), c.expected) << c.a << " / " << c.b;
  EXPECT_THROW(lxCeilDiv(1, 0), EZeroDivide);
  EXPECT_THROW(lxCeilDiv(std::numeric_limits<int32_t>::min(), -1), EOverflow);
}

TEST(UnitRoutinesTest, RangeMiddleRoundsTowardMinusInfinity) {
  struct Case {
    int32_t a, b, expected;
  };
  const int32_t max = std::numeric_limits<int32_t>::max();
  const int32_t min = std::numeric_limits<int32_t>::min();
  const Case cases[] = {{-3, 0, -2}, {3, 0, 1},     {-1, 0, -1},       {0, 0, 0},
                        {2, 4, 3},   {max, max, max}, {min, min, min}, {min, max, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(lxRangeMiddle(c.a, c.b), c.expected) << c.a << ", " << c.b;
}

TEST(UnitRoutinesTest, SignAndTextBeforeBar) {
  EXPECT_EQ(lxSignOf(0.0), 1);
  EXPECT_EQ(lxSignOf(-0.0), 1);
  EXPECT_EQ(lxSignOf(2.5), 1);
  EXPECT_EQ(lxSignOf(-1e-300), -1);
  EXPECT_EQ(lxSignOf(std::nan("")), -1);
  EXPECT_EQ(lxTextBeforeBar("TextEdit|Single line"), "TextEdit");
  EXPECT_EQ(lxTextBeforeBar("a|b|c"), "a");
  EXPECT_EQ(lxTextBeforeBar("no bar"), "no bar");
  EXPECT_EQ(lxTextBeforeBar(""), "");
  EXPECT_EQ(lxMakeSize(3, 4), (TSize{3, 4}));
}

TEST(UnitRoutinesTest, MemoryStreamsEqualComparesSizeAndBytes) {
  TMemoryStream a, b;
  EXPECT_TRUE(lxMemoryStreamsEqual(a, b));
  a.WriteBuffer("abc", 3);
  b.WriteBuffer("abc", 3);
  b.SetPosition(1);  // the position does not matter
  EXPECT_TRUE(lxMemoryStreamsEqual(a, b));
  b.WriteBuffer("X", 1);
  EXPECT_FALSE(lxMemoryStreamsEqual(a, b));
  b.SetSize(4);
  EXPECT_FALSE(lxMemoryStreamsEqual(a, b));
}

TEST(UnitRoutinesTest, InvokeNotifyEventCallsOnlyAnAssignedHandler) {
  TObject sender;
  TObject* seen = nullptr;
  lxInvokeNotifyEvent([&seen](TObject* s) { seen = s; }, &sender);
  EXPECT_EQ(seen, &sender);
  EXPECT_NO_THROW(lxInvokeNotifyEvent(TNotifyEvent(), &sender));
}

TEST(UnitRoutinesTest, OwnerOfAPersistent) {
  TComponent owner(nullptr);
  TlxRect rect(&owner);
  EXPECT_EQ(lxGetOwnerOf(&rect), &owner);
  EXPECT_EQ(lxGetOwnerOf(&owner), nullptr);
  EXPECT_EQ(lxGetOwnerOf(nullptr), nullptr);
}

TEST(UnitRoutinesTest, MultiByteCharacterLengthFollowsUtf8) {
  const std::string text = "aä€😀";  // 1, 2, 3 and 4 bytes
  struct Case {
    int32_t position, expected;
  };
  const Case cases[] = {{1, 1}, {2, 2}, {4, 3}, {7, 4}, {3, 1}, {11, 0}, {0, 0}, {-5, 0}};
  for (const Case& c : cases)
    EXPECT_EQ(lxMBCharLength(text, c.position), c.expected) << c.position;
}

class TlxGridColumn : public TComponent {
 public:
  static constexpr TClass kClass{"TlxGridColumn", &TComponent::kClass, &ConstructInstance<TlxGridColumn>};
  const TClass* ClassType() const override { return &kClass; }
  using TComponent::TComponent;
};

class UniqueNameTest : public ::testing::Test {
 protected:
  UniqueNameTest() { view_->SetName("Grid1View"); }

  TComponent* NewColumn() { return new TlxGridColumn(&form_); }

  TComponent form_{nullptr};
  TComponent* view_ = new TComponent(&form_);
};

TEST_F(UniqueNameTest, LeadingDigitBringsInTheClassPartAndNumbersFollow) {
  TComponent* first = NewColumn();
  const std::string name = lxMakeUniqueComponentName(&form_, view_, first, "TlxGrid", "1st name");
  EXPECT_EQ(name, "Grid1ViewColumn1stname");
  first->SetName(name);
  TComponent* second = NewColumn();
  EXPECT_EQ(lxMakeUniqueComponentName(&form_, view_, second, "TlxGrid", "1st name"), "Grid1ViewColumn1stname1");
  EXPECT_EQ(lxMakeUniqueComponentName(&form_, view_, first, "TlxGrid", "1st name"), "Grid1ViewColumn1stname")
      << "the item's own name does not count";
}

TEST_F(UniqueNameTest, BaseTextsAndPrefixes) {
  TComponent* column = NewColumn();
  struct Case {
    const TComponent* view;
    const char* prefix;
    const char* base;
    const char* expected;
  };
  const Case cases[] = {
      {view_, "TlxGrid", "CustomerName", "Grid1ViewCustomerName"},
      {view_, "TlxGrid", "Größe / Preis", "Grid1ViewGrePreis"},
      {view_, "TlxGrid", "", "Grid1ViewColumn1"},
      {view_, "tlxgrid", "", "Grid1ViewColumn1"},
      {view_, "", "", "Grid1ViewlxGridColumn1"},
      {view_, "TOtherPrefix", "9", "Grid1ViewlxGridColumn9"},
      {nullptr, "TlxGrid", "Name", "Name"},
      {nullptr, "TlxGrid", "%%", "Column"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(lxMakeUniqueComponentName(&form_, c.view, column, c.prefix, c.base), c.expected) << c.base;
}

TEST_F(UniqueNameTest, NamesAreComparedWithoutLetterCase) {
  NewColumn()->SetName("GRID1VIEWCOLUMN1");
  NewColumn()->SetName("grid1viewcolumn2");
  EXPECT_EQ(lxMakeUniqueComponentName(&form_, view_, NewColumn(), "TlxGrid", ""), "Grid1ViewColumn3");
  EXPECT_THROW(lxMakeUniqueComponentName(&form_, view_, nullptr, "TlxGrid", ""), EInvalidArgument);
}

TEST_F(UniqueNameTest, RenamingSubComponentsReplacesTheOldPrefix) {
  view_->SetName("MainView");
  TComponent* a = NewColumn();
  a->SetName("Grid1ViewName");
  TComponent* b = NewColumn();
  b->SetName("grid1viewCity");
  TComponent* c = NewColumn();
  c->SetName("Grid1View");  // not longer than the old name
  TComponent* d = NewColumn();
  d->SetName("OtherCity");
  TComponent* e = NewColumn();
  e->SetName("Grid1ViewZip");
  TComponent* taken = NewColumn();
  taken->SetName("MainViewZip");
  TComponent stranger(nullptr);
  stranger.SetName("Grid1ViewStranger");
  TComponent* subs[] = {a, b, c, d, e, &stranger};

  lxRenameSubComponents(view_, &form_, "MainView", "Grid1View", 6,
                        [&subs](TComponent*, int32_t index) { return subs[index]; });
  EXPECT_EQ(a->Name(), "MainViewName");
  EXPECT_EQ(b->Name(), "MainViewCity");
  EXPECT_EQ(c->Name(), "Grid1View");
  EXPECT_EQ(d->Name(), "OtherCity");
  EXPECT_EQ(e->Name(), "Grid1ViewZip") << "a taken name is skipped";
  EXPECT_EQ(stranger.Name(), "Grid1ViewStranger") << "another owner's component stays";
}

TEST_F(UniqueNameTest, OtherFailuresOfTheEnumerationPassOn) {
  EXPECT_THROW(lxRenameSubComponents(view_, &form_, "New", "Old", 1,
                                     [](TComponent*, int32_t) -> TComponent* { throw EListError("no such item"); }),
               EListError);
}

}  // namespace
