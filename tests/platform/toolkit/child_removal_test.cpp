// Freeing child controls one by one: the parent must forget each child at
// once (lists, tab order, alignment), whatever the order, the alignment, the
// owner, the kind of child and whether the form shows.

#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/toolkit/label.h"
#include "platform/toolkit/panel.h"
#include "platform/toolkit/win_control.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

using form_fixture::MakeForm;
using form_fixture::Pump;

enum class ChildKind { kPanel, kCustomControl, kLabel };

struct RemovalCase {
  const char* name;
  ChildKind kind;
  TAlign align;
  bool shown;
  bool owned_by_form;
  bool first_created_goes_first;
};

class PlainCustomControl : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

TControl* MakeChild(ChildKind kind, TComponent* owner) {
  switch (kind) {
    case ChildKind::kPanel: return new TPanel(owner);
    case ChildKind::kCustomControl: return new PlainCustomControl(owner);
    case ChildKind::kLabel: {
      auto* label = new TLabel(owner);
      label->SetAutoSize(false);
      return label;
    }
  }
  return nullptr;
}

// The windows directly inside `parent`.
int32_t ChildWindowCount(HWND parent) {
  int32_t count = 0;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    ++count;
  return count;
}

class ChildRemovalTest : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(ChildRemovalTest, TheParentForgetsEachFreedChild) {
  const RemovalCase& test = GetParam();
  auto form = MakeForm(300, 200);
  TComponent* owner = test.owned_by_form ? form.get() : nullptr;
  TControl* upper = MakeChild(test.kind, owner);
  upper->SetBounds(0, 0, 120, 40);
  upper->SetAlign(test.align);
  upper->SetParent(form.get());
  TControl* lower = MakeChild(test.kind, owner);
  lower->SetBounds(0, 60, 120, 40);
  lower->SetAlign(test.align);
  lower->SetParent(form.get());
  if (test.shown)
    form_fixture::ShowAndSettle(*form);
  const bool windowed = test.kind != ChildKind::kLabel;
  if (windowed && test.shown) {
    ASSERT_EQ(ChildWindowCount(form->Handle()), 2);
  }

  TControl* first = test.first_created_goes_first ? upper : lower;
  TControl* second = test.first_created_goes_first ? lower : upper;
  delete first;
  Pump(200);
  ASSERT_EQ(form->ControlCount(), 1);
  EXPECT_EQ(form->Controls(0), second);
  if (windowed && test.shown) {
    EXPECT_EQ(ChildWindowCount(form->Handle()), 1);
  }
  // The strip of a top-aligned child closes up when the one above it goes.
  if (test.align == alTop) {
    EXPECT_EQ(second->Top(), 0);
  }
  // The form goes on laying out and painting with the one that is left.
  form->SetBounds(form->Left(), form->Top(), 260, 180);
  form->Repaint();
  Pump(200);
  if (test.align == alTop) {
    EXPECT_EQ(second->Width(), form->ClientWidth());
  }

  delete second;
  Pump(200);
  EXPECT_EQ(form->ControlCount(), 0);
  if (test.shown) {
    EXPECT_EQ(ChildWindowCount(form->Handle()), 0);
  }
  form->Realign();
}

const RemovalCase kRemovalCases[] = {
    {"PanelsInCreationOrderShown", ChildKind::kPanel, alNone, true, true, true},
    {"PanelsInCreationOrderHidden", ChildKind::kPanel, alNone, false, true, true},
    {"PanelsInReverseOrderShown", ChildKind::kPanel, alNone, true, true, false},
    {"AlignedPanelsInCreationOrderShown", ChildKind::kPanel, alTop, true, true, true},
    {"AlignedPanelsInReverseOrderShown", ChildKind::kPanel, alTop, true, true, false},
    {"AlignedPanelsInCreationOrderHidden", ChildKind::kPanel, alTop, false, true, true},
    {"UnownedPanelsInCreationOrderShown", ChildKind::kPanel, alNone, true, false, true},
    {"UnownedAlignedPanelsShown", ChildKind::kPanel, alTop, true, false, true},
    {"CustomControlsInCreationOrderShown", ChildKind::kCustomControl, alNone, true, true, true},
    {"UnownedCustomControlsInCreationOrderShown", ChildKind::kCustomControl, alNone, true, false, true},
    {"AlignedCustomControlsInCreationOrderHidden", ChildKind::kCustomControl, alTop, false, false, true},
    {"LabelsInCreationOrderShown", ChildKind::kLabel, alNone, true, true, true},
    {"AlignedLabelsInCreationOrderShown", ChildKind::kLabel, alTop, true, false, true},
};

INSTANTIATE_TEST_SUITE_P(Cases, ChildRemovalTest, ::testing::ValuesIn(kRemovalCases),
                         [](const ::testing::TestParamInfo<RemovalCase>& param_info) {
                           return std::string(param_info.param.name);
                         });

TEST(ChildFreeingTest, FreeingAContainerLeavesItsChildrenWithoutAParent) {
  auto form = MakeForm(300, 200);
  auto* outer = new TPanel(form.get());
  outer->SetAlign(alClient);
  outer->SetParent(form.get());
  auto* inner = new TPanel(form.get());
  inner->SetAlign(alTop);
  inner->SetParent(outer);
  auto* caption = new TLabel(form.get());
  caption->SetParent(outer);
  form_fixture::ShowAndSettle(*form);
  HWND inner_window = inner->WindowHandle();
  ASSERT_NE(inner_window, nullptr);

  delete outer;
  Pump(200);
  EXPECT_EQ(form->ControlCount(), 0);
  EXPECT_EQ(inner->Parent(), nullptr);
  EXPECT_EQ(caption->Parent(), nullptr);
  EXPECT_FALSE(IsWindow(inner_window));
  EXPECT_FALSE(inner->HandleAllocated());
  // The orphans can be freed, or put back, on their own.
  delete caption;
  inner->SetParent(form.get());
  Pump(200);
  ASSERT_EQ(form->ControlCount(), 1);
  EXPECT_TRUE(inner->HandleAllocated());
  EXPECT_EQ(inner->Width(), form->ClientWidth());
}

TEST(ChildFreeingTest, TheFocusedChildCanBeFreed) {
  auto form = MakeForm(300, 200);
  auto* first = new PlainCustomControl(form.get());
  first->SetTabStop(true);
  first->SetBounds(0, 0, 50, 50);
  first->SetParent(form.get());
  auto* second = new PlainCustomControl(form.get());
  second->SetTabStop(true);
  second->SetBounds(60, 0, 50, 50);
  second->SetParent(form.get());
  form_fixture::ShowAndSettle(*form);
  first->SetFocus();
  Pump(200);
  ASSERT_TRUE(first->Focused());
  ASSERT_EQ(form->ActiveControl(), first);

  delete first;
  Pump(200);
  EXPECT_EQ(form->ActiveControl(), nullptr);
  EXPECT_EQ(form->ControlCount(), 1);
  // Tabbing goes on among the controls that are left.
  form->SelectNext(nullptr, true, true);
  Pump(200);
  EXPECT_TRUE(second->Focused());
  EXPECT_EQ(second->TabOrder(), 0);
}

}  // namespace
