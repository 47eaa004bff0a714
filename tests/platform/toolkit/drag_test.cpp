#include "platform/toolkit/drag.h"

#include <gtest/gtest.h>

#include "platform/toolkit/form.h"
#include "platform/toolkit/win_control.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

class Box : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

TEST(DragTest, DropOnAnAcceptingTargetEndsWithTheTarget) {
  auto form = form_fixture::MakeForm(300, 200);
  auto* source = new Box(form.get());
  source->SetBounds(10, 10, 50, 50);
  source->SetParent(form.get());
  auto* target = new Box(form.get());
  target->SetBounds(150, 10, 100, 100);
  target->SetParent(form.get());
  form_fixture::ShowAndSettle(*form);

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

TEST(DragTest, CancelledOrRefusedDragsDropNothing) {
  auto form = form_fixture::MakeForm(300, 200);
  auto* source = new Box(form.get());
  source->SetBounds(10, 10, 50, 50);
  source->SetParent(form.get());
  auto* target = new Box(form.get());
  target->SetBounds(150, 10, 100, 100);
  target->SetParent(form.get());
  form_fixture::ShowAndSettle(*form);
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

TEST(DragTest, FreeingTheSourceEndsItsDrag) {
  auto form = form_fixture::MakeForm();
  auto* source = new Box(form.get());
  source->SetBounds(10, 10, 50, 50);
  source->SetParent(form.get());
  form_fixture::ShowAndSettle(*form);
  source->BeginDrag(true);
  delete source;
  EXPECT_EQ(DragSourceControl(), nullptr);
}

}  // namespace
