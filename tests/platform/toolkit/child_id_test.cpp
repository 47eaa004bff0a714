// Child windows carry ids of their own, so that the notifications which
// name a child only by its id (WM_MEASUREITEM) reach that child.

#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "platform/toolkit/form.h"
#include "platform/toolkit/win_control.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

using form_fixture::MakeForm;

// Answers WM_MEASUREITEM (reflected as CN_MEASUREITEM) with its own height
// and notes which items it was asked about.
class MeasuringControl : public TCustomControl {
 public:
  MeasuringControl(TComponent* owner, UINT height) : TCustomControl(owner), height_(height) {}

  std::vector<UINT> asked;

 protected:
  void Dispatch(TMessage& message) override {
    if (message.Msg == CN_MEASUREITEM) {
      auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
      asked.push_back(item->itemID);
      item->itemHeight = height_;
      message.Result = 1;
      return;
    }
    TCustomControl::Dispatch(message);
  }

 private:
  UINT height_;
};

std::vector<int> ChildIds(HWND parent) {
  std::vector<int> ids;
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
    ids.push_back(GetDlgCtrlID(child));
  return ids;
}

TWinControl* AddChild(TWinControl* parent, TComponent* owner, int32_t left) {
  auto* child = new MeasuringControl(owner, 10);
  child->SetBounds(left, 0, 30, 30);
  child->SetParent(parent);
  return child;
}

TEST(ChildIdTest, EveryChildWindowHasAnIdOfItsOwn) {
  auto form = MakeForm();
  std::vector<TWinControl*> children;
  for (int32_t i = 0; i < 4; ++i)
    children.push_back(AddChild(form.get(), form.get(), i * 40));
  TWinControl* nested = AddChild(children[0], form.get(), 0);
  form_fixture::ShowAndSettle(*form);

  const std::vector<int> ids = ChildIds(form->Handle());
  ASSERT_EQ(ids.size(), 4u);
  EXPECT_EQ(std::set<int>(ids.begin(), ids.end()).size(), ids.size()) << "ids repeat";
  for (int id : ids)
    EXPECT_NE(id, 0);
  EXPECT_NE(GetDlgCtrlID(nested->Handle()), 0);
  // A form is a top-level window: its menu argument stays a menu.
  EXPECT_EQ(GetMenu(form->Handle()), nullptr);
  for (TWinControl* child : children)
    EXPECT_EQ(GetDlgItem(form->Handle(), GetDlgCtrlID(child->Handle())), child->Handle());

  // New windows get ids that still differ from their siblings'.
  children[1]->RecreateWnd();
  children[3]->RecreateWnd();
  const std::vector<int> renewed = ChildIds(form->Handle());
  ASSERT_EQ(renewed.size(), 4u);
  EXPECT_EQ(std::set<int>(renewed.begin(), renewed.end()).size(), renewed.size()) << "ids repeat";
  for (int id : renewed)
    EXPECT_NE(id, 0);
}

TEST(ChildIdTest, MeasureItemReachesTheChildOfThatId) {
  auto form = MakeForm();
  auto* first = new MeasuringControl(form.get(), 11);
  first->SetBounds(0, 0, 30, 30);
  first->SetParent(form.get());
  auto* second = new MeasuringControl(form.get(), 22);
  second->SetBounds(40, 0, 30, 30);
  second->SetParent(form.get());
  HWND parent = form->Handle();

  MEASUREITEMSTRUCT item{};
  item.CtlType = ODT_LISTBOX;
  item.CtlID = static_cast<UINT>(GetDlgCtrlID(second->Handle()));
  item.itemID = 5;
  SendMessageW(parent, WM_MEASUREITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.itemHeight, 22u);
  EXPECT_TRUE(first->asked.empty());
  EXPECT_EQ(second->asked, (std::vector<UINT>{5}));

  item.CtlID = static_cast<UINT>(GetDlgCtrlID(first->Handle()));
  item.itemID = 2;
  SendMessageW(parent, WM_MEASUREITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
  EXPECT_EQ(item.itemHeight, 11u);
  EXPECT_EQ(first->asked, (std::vector<UINT>{2}));
}

}  // namespace
