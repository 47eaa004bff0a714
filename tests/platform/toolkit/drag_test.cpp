#include "platform/toolkit/drag.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/toolkit/win_control.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

class Box : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

// A shown form with a source box at the left and a target box at the right.
class DragTest : public ::testing::Test {
 protected:
  void SetUp() override {
    source = AddBox(10, 10, 50, 50);
    target = AddBox(150, 10, 100, 100);
    form_fixture::ShowAndSettle(*form);
  }

  Box* AddBox(int32_t left, int32_t top, int32_t width, int32_t height) {
    auto* box = new Box(form.get());
    box->SetBounds(left, top, width, height);
    box->SetParent(form.get());
    return box;
  }

  form_fixture::FormPtr<TForm> form = form_fixture::MakeForm(300, 200);
  Box* source = nullptr;
  Box* target = nullptr;
};

TEST_F(DragTest, DropOnAnAcceptingTargetEndsWithTheTarget) {
  std::vector<std::string> log;
  TControl* dropped_control = nullptr;
  TObject* end_target = nullptr;
  target->OnDragOver = [&](TObject*, TObject*, int32_t, int32_t, TDragState state, bool& accept) {
    log.push_back(state == dsDragEnter ? "enter" : state == dsDragMove ? "move" : "leave");
    accept = true;
  };
  target->OnDragDrop = [&](TObject*, TObject* source_object, int32_t x, int32_t y) {
    // The drag object lives only as long as the drag.
    if (auto* object = dynamic_cast<TDragControlObject*>(source_object))
      dropped_control = object->Control();
    log.push_back("drop " + std::to_string(x) + "," + std::to_string(y));
  };
  source->OnEndDrag = [&](TObject*, TObject* drop_target, int32_t, int32_t) { end_target = drop_target; };

  source->BeginDrag(true);
  EXPECT_TRUE(source->Dragging());
  const TPoint over_target = target->ClientToScreen(TPoint(20, 30));
  DragTo(over_target);
  DragTo(over_target + TPoint(1, 1));
  FinishDrag(true);
  EXPECT_FALSE(source->Dragging());
  ASSERT_GE(log.size(), 3u);
  EXPECT_EQ(log[0], "enter");
  EXPECT_EQ(log[1], "move");
  EXPECT_EQ(log.back(), "drop 21,31");
  EXPECT_EQ(dropped_control, source);
  EXPECT_EQ(end_target, target);
}

TEST_F(DragTest, CancelledOrRefusedDragsDropNothing) {
  bool dropped = false;
  bool end_called = false;
  TObject* end_target = target;
  target->OnDragOver = [&](TObject*, TObject*, int32_t, int32_t, TDragState, bool& accept) { accept = false; };
  target->OnDragDrop = [&](TObject*, TObject*, int32_t, int32_t) { dropped = true; };
  source->OnEndDrag = [&](TObject*, TObject* drop_target, int32_t, int32_t) {
    end_called = true;
    end_target = drop_target;
  };
  source->BeginDrag(true);
  DragTo(target->ClientToScreen(TPoint(5, 5)));
  FinishDrag(true);  // refused by the target
  EXPECT_FALSE(dropped);
  EXPECT_TRUE(end_called);
  EXPECT_EQ(end_target, nullptr);

  source->BeginDrag(true);
  DragTo(target->ClientToScreen(TPoint(5, 5)));
  CancelDrag();
  EXPECT_FALSE(dropped);
  EXPECT_FALSE(source->Dragging());
}

TEST_F(DragTest, FreeingTheSourceEndsItsDrag) {
  source->BeginDrag(true);
  delete source;
  EXPECT_EQ(DragSourceControl(), nullptr);
}

}  // namespace
