// The tab order around a container and an in-place editor: while the
// container's inner control has the focus it stands in the container's
// place, so Tab and Shift+Tab leave the pair as one control; a visible
// in-place editor keeps its host out of the order.

#include <gtest/gtest.h>

#include <vector>

#include "editors/container_win.h"
#include "editors/edit_control_win.h"
#include "editors/edit_style_win.h"
#include "editors/editors_module_win.h"
#include "platform/toolkit/edit.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/panel.h"
#include "tests/support/message_pump.h"

namespace container_tab_order_win_test {

// A container holding a platform edit as its inner control, between two
// other edits on a form.
class TabFixture {
 public:
  TabFixture() {
    lxGetDefaultEditStyleController();
    form = new TForm(nullptr);
    form->SetBounds(80, 80, 300, 200);
    before = AddEdit(form, 10);
    container = new TlxContainer(form);
    container->SetParent(form);
    container->SetBounds(10, 40, 120, 24);
    inner = AddEdit(container, 2);
    inner->SetBounds(2, 2, 116, 20);
    container->SetInnerControl(inner);
    after = AddEdit(form, 80);
    form->Show();
    before->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  ~TabFixture() {
    form->Free();
    test_support::PumpMessagesUntilIdle();
    lxFreeDefaultEditStyleController();
  }
  TabFixture(const TabFixture&) = delete;
  TabFixture& operator=(const TabFixture&) = delete;

  std::vector<TWinControl*> TabOrder() {
    std::vector<TWinControl*> list;
    form->GetTabOrderList(list);
    return list;
  }
  void Focus(TWinControl* control) {
    control->SetFocus();
    test_support::PumpMessagesUntilIdle();
  }
  TWinControl* Active() const { return form->ActiveControl(); }

  TForm* form;
  TEdit* before;
  TlxContainer* container;
  TEdit* inner;
  TEdit* after;

 private:
  TEdit* AddEdit(TWinControl* parent, int32_t top) {
    auto* edit = new TEdit(form);
    edit->SetParent(parent);
    edit->SetBounds(10, top, 100, 20);
    return edit;
  }
};

TEST(ContainerTabOrderTest, TheFocusedInnerControlTakesTheContainersPlace) {
  TabFixture fixture;
  EXPECT_EQ(fixture.TabOrder(), (std::vector<TWinControl*>{fixture.before, fixture.container, fixture.inner,
                                                           fixture.after}));
  fixture.Focus(fixture.inner);
  ASSERT_EQ(fixture.Active(), fixture.inner);
  EXPECT_EQ(fixture.TabOrder(), (std::vector<TWinControl*>{fixture.before, fixture.inner, fixture.after}));
}

TEST(ContainerTabOrderTest, TabAndShiftTabLeaveThePairAsOneControl) {
  for (const bool forward : {true, false}) {
    SCOPED_TRACE(forward ? "Tab" : "Shift+Tab");
    TabFixture fixture;
    fixture.Focus(fixture.inner);
    uint16_t key = VK_TAB;
    fixture.container->KeyDown(key, forward ? TShiftState{} : TShiftState{ssShift});
    test_support::PumpMessagesUntilIdle();
    EXPECT_EQ(key, 0);
    EXPECT_EQ(fixture.Active(), forward ? fixture.after : fixture.before);
  }
}

TEST(ContainerTabOrderTest, AContainerOfChildControlsKeepsThePlatformsOrder) {
  class GroupContainer : public TlxContainer {
   public:
    using TlxContainer::TlxContainer;
    bool HostsChildControls() const override { return true; }
  };
  lxGetDefaultEditStyleController();
  {
    TForm form(nullptr);
    auto* group = new GroupContainer(&form);
    group->SetParent(&form);
    auto* child = new TEdit(&form);
    child->SetParent(group);
    group->SetInnerControl(child);
    form.Show();
    child->SetFocus();
    test_support::PumpMessagesUntilIdle();
    std::vector<TWinControl*> list;
    form.GetTabOrderList(list);
    EXPECT_EQ(list, (std::vector<TWinControl*>{group, child}));
  }
  test_support::PumpMessagesUntilIdle();
  lxFreeDefaultEditStyleController();
}

TEST(ContainerTabOrderTest, AVisibleInplaceEditorKeepsItsHostOutOfTheOrder) {
  lxEditorsInitialize();
  {
    TForm form(nullptr);
    form.SetBounds(80, 80, 300, 200);
    auto* first = new TEdit(&form);
    first->SetParent(&form);
    auto* host = new TPanel(&form);
    host->SetParent(&form);
    host->SetTabStop(true);
    host->SetBounds(10, 40, 200, 60);
    auto* last = new TEdit(&form);
    last->SetParent(&form);
    last->SetTop(120);
    TlxCustomEdit* editor = TlxCustomEdit::CreateInplace(TlxCustomEdit::kClass, &form, true);
    editor->SetParent(host);
    editor->SetBounds(5, 5, 100, 20);
    form.Show();
    test_support::PumpMessagesUntilIdle();

    editor->SetVisible(true);
    std::vector<TWinControl*> list;
    form.GetTabOrderList(list);
    EXPECT_EQ(list, (std::vector<TWinControl*>{first, editor, last}));

    editor->SetVisible(false);
    list.clear();
    form.GetTabOrderList(list);
    EXPECT_EQ(list, (std::vector<TWinControl*>{first, host, editor, last})) << "a hidden editor changes nothing";
  }
  test_support::PumpMessagesUntilIdle();
  lxEditorsFinalize();
}

}  // namespace container_tab_order_win_test
