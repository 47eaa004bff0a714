#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/toolkit/menus.h"
#include "platform/toolkit/screen.h"
#include "ui/foundation/system/control_unit_win.h"

namespace {

// A component with a popup of its own.
class OwnPopup : public TComponent, public IlxPopupComponent {
 public:
  OwnPopup() : TComponent(nullptr) {}
  bool HandlesShortCut(const TMessage& key_message) override {
    asked_keys.push_back(static_cast<uint16_t>(key_message.WParam));
    return key_message.WParam == VK_F7;
  }
  void PopupAt(int32_t x, int32_t y) override { shown_at.push_back(TPoint(x, y)); }
  std::vector<uint16_t> asked_keys;
  std::vector<TPoint> shown_at;
};

// A toolkit menu that records where it would pop up instead of running the
// system's modal menu loop.
class RecordingPopupMenu : public TPopupMenu {
 public:
  RecordingPopupMenu() : TPopupMenu(nullptr) {}
  void Popup(int32_t x, int32_t y) override { shown_at.push_back(TPoint(x, y)); }
  std::vector<TPoint> shown_at;
};

TMessage KeyDown(uint16_t key) { return TMessage{WM_KEYDOWN, key, 0, 0}; }

TEST(PopupMenuRoutinesTest, ShowPopupMenuByKindOfComponent) {
  TComponent control_stand_in(nullptr);
  TComponent plain(nullptr);
  OwnPopup own;
  RecordingPopupMenu menu;

  EXPECT_FALSE(lxShowPopupMenu(nullptr, nullptr, 1, 2));
  EXPECT_FALSE(lxShowPopupMenu(nullptr, &plain, 1, 2));

  EXPECT_TRUE(lxShowPopupMenu(nullptr, &own, 30, 40));
  ASSERT_EQ(own.shown_at.size(), 1u);
  EXPECT_EQ(own.shown_at[0], TPoint(30, 40));

  menu.SetAutoPopup(false);
  EXPECT_FALSE(lxShowPopupMenu(nullptr, &menu, 5, 6)) << "a menu that does not pop up on its own";
  EXPECT_TRUE(menu.shown_at.empty());
  menu.SetAutoPopup(true);
  EXPECT_TRUE(lxShowPopupMenu(nullptr, &menu, 5, 6));
  ASSERT_EQ(menu.shown_at.size(), 1u);
  EXPECT_EQ(menu.shown_at[0], TPoint(5, 6));
}

TEST(PopupMenuRoutinesTest, ShortCutsAnsweredByTheComponentOrByAMenuWithItsWindow) {
  OwnPopup own;
  EXPECT_FALSE(lxPopupMenuHandlesShortCut(nullptr, KeyDown(VK_F7)));
  EXPECT_TRUE(lxPopupMenuHandlesShortCut(&own, KeyDown(VK_F7)));
  EXPECT_FALSE(lxPopupMenuHandlesShortCut(&own, KeyDown(VK_F8)));
  EXPECT_EQ(own.asked_keys, (std::vector<uint16_t>{VK_F7, VK_F8}));

  TPopupMenu menu(nullptr);
  auto* item = new TMenuItem(&menu);
  item->SetCaption("Neu");
  item->SetShortCut(ShortCut(VK_F5, TShiftState()));
  int clicks = 0;
  item->OnClick = [&](TObject*) { ++clicks; };
  menu.Items().Add(item);
  EXPECT_TRUE(lxPopupMenuHandlesShortCut(&menu, KeyDown(VK_F5)));
  EXPECT_EQ(clicks, 1);
  EXPECT_FALSE(lxPopupMenuHandlesShortCut(&menu, KeyDown(VK_F6)));

  const HWND window = menu.WindowHandle();
  menu.SetWindowHandle(nullptr);
  EXPECT_FALSE(lxPopupMenuHandlesShortCut(&menu, KeyDown(VK_F5))) << "no menu window yet";
  EXPECT_EQ(clicks, 1);
  menu.SetWindowHandle(window);

  TComponent plain(nullptr);
  EXPECT_FALSE(lxPopupMenuHandlesShortCut(&plain, KeyDown(VK_F5)));
}

int32_t MenuTextHeight() {
  HDC screen = GetDC(nullptr);
  HGDIOBJ old = SelectObject(screen, Screen->MenuFont().Handle());
  SIZE size{};
  GetTextExtentPoint32A(screen, "Qg", 2, &size);
  SelectObject(screen, old);
  ReleaseDC(nullptr, screen);
  return size.cy;
}

TEST(PopupMenuRoutinesTest, MenuHeightCountsVisibleTopLevelItems) {
  TPopupMenu menu(nullptr);
  for (const char* caption : {"Öffnen", "Speichern", "Versteckt"}) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    menu.Items().Add(item);
  }
  auto* sub_item = new TMenuItem(&menu);
  sub_item->SetCaption("Unterpunkt");
  menu.Items()[0]->Add(sub_item);  // not top level: not counted
  menu.Items()[2]->SetVisible(false);

  const int32_t item_height = MenuTextHeight() + 4;
  EXPECT_EQ(lxCalcPopupMenuHeight(&menu), 2 * item_height + 4);

  // Owner-drawn: each item measures itself, starting from the text height.
  std::vector<int32_t> offered;
  for (int32_t index = 0; index < 2; ++index) {
    menu.Items()[index]->OnMeasureItem = [&](TObject*, TCanvas&, int32_t&, int32_t& height) {
      offered.push_back(height);
      height = 30;
    };
  }
  menu.SetOwnerDraw(true);
  const int32_t owner_drawn = lxCalcPopupMenuHeight(&menu);
  ASSERT_EQ(offered.size(), 2u);
  EXPECT_EQ(owner_drawn, 2 * 30 + 4);

  TPopupMenu empty(nullptr);
  EXPECT_EQ(lxCalcPopupMenuHeight(&empty), 4);
}

}  // namespace
