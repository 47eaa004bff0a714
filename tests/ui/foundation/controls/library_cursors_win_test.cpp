#include "ui/foundation/controls/library_cursors_win.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <set>

#include "platform/toolkit/screen.h"
#include "tests/support/gui_objects.h"

namespace {

// Registers for one test and takes the cursors out again.
struct RegisteredCursors {
  RegisteredCursors() { lxRegisterLibraryCursors(); }
  ~RegisteredCursors() { lxUnregisterLibraryCursors(); }
};

TEST(LibraryCursorsTest, EveryIdHasItsOwnImageAndTheHandIsTheSystems) {
  const auto ids = lxLibraryCursorIds();
  ASSERT_EQ(ids.size(), 16u);
  EXPECT_EQ(ids.front(), crLxDragCopy);
  EXPECT_EQ(ids[14], crLxHand) << "the hand comes before the colour picker";
  EXPECT_EQ(ids.back(), crLxColorPicker);

  const HCURSOR arrow = Screen->Cursors(crDefault);
  {
    RegisteredCursors registered;
    std::set<HCURSOR> images;
    for (const TlxCursorId id : ids) {
      const HCURSOR cursor = Screen->Cursors(id);
      EXPECT_NE(cursor, arrow) << id;
      EXPECT_NE(cursor, nullptr) << id;
      images.insert(cursor);
    }
    EXPECT_EQ(images.size(), ids.size()) << "no two ids share an image";
    EXPECT_EQ(Screen->Cursors(crLxHand), LoadCursorA(nullptr, IDC_HAND));
  }
  for (const TlxCursorId id : ids)
    EXPECT_EQ(Screen->Cursors(id), arrow) << id << " is gone after unregistering";
}

// Hot spots: pointers at their tip, scroll and size cursors at the centre,
// the colour picker at its bottom-left tip.
TEST(LibraryCursorsTest, HotSpots) {
  RegisteredCursors registered;
  struct Case {
    TlxCursorId id;
    DWORD x;
    DWORD y;
  };
  for (const Case& c : {Case{crLxDragCopy, 0, 0}, Case{crLxDrag, 0, 0}, Case{crLxNoDrop, 0, 0},
                        Case{crLxFullScroll, 15, 15}, Case{crLxLeftScroll, 15, 15}, Case{crLxVertSize, 15, 15},
                        Case{crLxColorPicker, 1, 30}}) {
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(Screen->Cursors(c.id), &info)) << c.id;
    EXPECT_EQ(info.xHotspot, c.x) << c.id;
    EXPECT_EQ(info.yHotspot, c.y) << c.id;
    if (info.hbmMask != nullptr)
      DeleteObject(info.hbmMask);
    if (info.hbmColor != nullptr)
      DeleteObject(info.hbmColor);
  }
}

TEST(LibraryCursorsTest, RegisteringTwiceAndUnregisteringGivesTheHandlesBack) {
  const DWORD gdi_before = test_support::CountGdiObjects();
  const DWORD user_before = test_support::CountUserObjects();
  lxRegisterLibraryCursors();
  lxRegisterLibraryCursors();  // replaces the first images
  lxUnregisterLibraryCursors();
  EXPECT_EQ(test_support::CountGdiObjects(), gdi_before);
  EXPECT_EQ(test_support::CountUserObjects(), user_before);
}

}  // namespace
