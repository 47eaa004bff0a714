// The typed views of messages and the notifications a parent passes on to
// the child they concern, read from records as the system fills them.

#include "platform/toolkit/messages.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "platform/toolkit/form.h"
#include "platform/toolkit/win_control.h"
#include "tests/platform/toolkit/form_fixture.h"

namespace {

class Box : public TCustomControl {
 public:
  using TCustomControl::TCustomControl;
};

TEST(MessageViews, ReadWhatTheSystemPacksIntoTheRecord) {
  // Negative coordinates (left of or above the window) keep their sign.
  TMessage move{WM_MOUSEMOVE, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<uint16_t>(-5), 17), 0};
  TMouseMessage mouse(move);
  EXPECT_EQ(mouse.Msg(), static_cast<UINT>(WM_MOUSEMOVE));
  EXPECT_EQ(mouse.Pos(), TPoint(-5, 17));
  EXPECT_EQ(mouse.Keys(), static_cast<uint32_t>(MK_LBUTTON | MK_SHIFT));
  mouse.SetResult(3);
  EXPECT_EQ(move.Result, 3);

  TMessage wheel{WM_MOUSEWHEEL, MAKEWPARAM(MK_CONTROL, static_cast<uint16_t>(-WHEEL_DELTA)), MAKELPARAM(300, 400), 0};
  EXPECT_EQ(TMouseMessage(wheel).WheelDelta(), -WHEEL_DELTA);
  EXPECT_EQ(TMouseMessage(wheel).Keys(), static_cast<uint32_t>(MK_CONTROL));
  EXPECT_EQ(TMouseMessage(wheel).ScreenPos(), TPoint(300, 400));

  TMessage key{WM_SYSKEYDOWN, VK_F4, static_cast<LPARAM>(1u << 29 | 1u), 0};
  TKeyMessage key_view(key);
  EXPECT_EQ(key_view.CharCode(), VK_F4);
  EXPECT_TRUE(key_view.AltDown());
  key_view.SetCharCode(0);
  EXPECT_EQ(key.WParam, 0u) << "a handler that takes the key clears it in the record";
  TMessage plain_key{WM_KEYDOWN, 'A', 1, 0};
  EXPECT_FALSE(TKeyMessage(plain_key).AltDown());

  auto form = form_fixture::MakeForm();
  TMessage focus{WM_KILLFOCUS, reinterpret_cast<WPARAM>(form->Handle()), 0, 0};
  EXPECT_EQ(TFocusMessage(focus).OtherWindow(), form->Handle());
  TMessage changed{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(form.get()), 0};
  EXPECT_EQ(TFocusChangedMessage(changed).Sender(), form.get());

  TMessage enter_self{CM_MOUSEENTER, 0, 0, 0};
  TMessage enter_child{CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(form.get()), 0};
  EXPECT_TRUE(TMouseEnterLeaveMessage(enter_self).IsFor(form.get()));
  EXPECT_TRUE(TMouseEnterLeaveMessage(enter_child).IsFor(form.get()));
  EXPECT_FALSE(TMouseEnterLeaveMessage(enter_child).IsFor(nullptr));

  TMessage paint{WM_PAINT, 0, 0, 0};
  EXPECT_EQ(TPaintMessage(paint).DC(), nullptr);
}

TEST(ChildNotifications, EachNamesTheChildItConcernsAndOthersNone) {
  auto form = form_fixture::MakeForm();
  auto* child = new Box(form.get());
  child->SetParent(form.get());
  HWND child_window = child->Handle();
  HWND parent = form->Handle();

  NMHDR notify{child_window, 0, 0};
  DRAWITEMSTRUCT draw{};
  draw.CtlType = ODT_BUTTON;
  draw.hwndItem = child_window;
  DRAWITEMSTRUCT menu_draw = draw;
  menu_draw.CtlType = ODT_MENU;
  MEASUREITEMSTRUCT measure{};
  measure.CtlType = ODT_LISTBOX;
  measure.CtlID = static_cast<UINT>(GetDlgCtrlID(child_window));
  DELETEITEMSTRUCT deleted{};
  deleted.hwndItem = child_window;
  COMPAREITEMSTRUCT compared{};
  compared.hwndItem = child_window;
  const auto by_window = reinterpret_cast<LPARAM>(child_window);

  struct Case {
    UINT msg;
    LPARAM lparam;
    HWND child;
  };
  const Case cases[] = {
      {WM_COMMAND, by_window, child_window},
      {WM_HSCROLL, by_window, child_window},
      {WM_VSCROLL, by_window, child_window},
      {WM_VKEYTOITEM, by_window, child_window},
      {WM_CHARTOITEM, by_window, child_window},
      {WM_CTLCOLOREDIT, by_window, child_window},
      {WM_CTLCOLORSTATIC, by_window, child_window},
      {WM_CTLCOLORBTN, by_window, child_window},
      {WM_NOTIFY, reinterpret_cast<LPARAM>(&notify), child_window},
      {WM_NOTIFY, 0, nullptr},
      {WM_DRAWITEM, reinterpret_cast<LPARAM>(&draw), child_window},
      {WM_DRAWITEM, reinterpret_cast<LPARAM>(&menu_draw), nullptr},
      {WM_MEASUREITEM, reinterpret_cast<LPARAM>(&measure), child_window},
      {WM_DELETEITEM, reinterpret_cast<LPARAM>(&deleted), child_window},
      {WM_COMPAREITEM, reinterpret_cast<LPARAM>(&compared), child_window},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(IsChildNotification(c.msg)) << c.msg;
    const TMessage message{c.msg, 0, c.lparam, 0};
    EXPECT_EQ(ChildOfNotification(message, parent), c.child) << c.msg;
  }
  for (UINT other : {static_cast<UINT>(WM_PAINT), static_cast<UINT>(WM_MOUSEMOVE), static_cast<UINT>(WM_KEYDOWN),
                     static_cast<UINT>(CM_MOUSEENTER)}) {
    EXPECT_FALSE(IsChildNotification(other)) << other;
    EXPECT_EQ(ChildOfNotification(TMessage{other, 0, by_window, 0}, parent), nullptr) << other;
  }
}

}  // namespace
