#include "platform/toolkit/menus.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "platform/toolkit/application.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/image_list.h"
#include "tests/platform/toolkit/message_dialog_test.h"
#include "tests/support/message_pump.h"

namespace {

using toolkit_test::FindThreadWindow;
using toolkit_test::HeldKeys;
using toolkit_test::RunWhileModal;

TMenuItem* NewItem(TMenuItem& parent, const std::string& caption, TShortCut shortcut = scNone) {
  auto* item = new TMenuItem(nullptr);
  item->SetCaption(caption);
  item->SetShortCut(shortcut);
  parent.Add(item);
  return item;
}

std::string MenuText(HMENU menu, int position) {
  wchar_t text[128] = {};
  const int length = GetMenuStringW(menu, static_cast<UINT>(position), text, 128, MF_BYPOSITION);
  char utf8[512] = {};
  WideCharToMultiByte(CP_UTF8, 0, text, length, utf8, sizeof(utf8), nullptr, nullptr);
  return utf8;
}

UINT MenuState(HMENU menu, int position) {
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_STATE | MIIM_FTYPE;
  GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info);
  return info.fState | info.fType;
}

TEST(ShortCutTest, TextsFollowTheUserLanguageAndReadBack) {
  const std::string ctrl_s = ShortCutToText(ShortCut('S', {ssCtrl}));
  EXPECT_TRUE(ctrl_s == "Ctrl+S" || ctrl_s == "Strg+S") << ctrl_s;
  EXPECT_EQ(ShortCutToText(scNone), "");
  const TShortCut cases[] = {
      ShortCut('S', {ssCtrl}),          ShortCut(VK_F5, {ssShift, ssCtrl}), ShortCut('X', {ssAlt}),
      ShortCut(VK_DELETE, {}),          ShortCut(VK_DELETE, {ssCtrl}),      ShortCut(VK_INSERT, {ssShift}),
      ShortCut(VK_F1, {}),              ShortCut('7', {ssCtrl}),            ShortCut(VK_RETURN, {ssCtrl}),
      ShortCut(VK_HOME, {ssCtrl}),      ShortCut(VK_ESCAPE, {}),            ShortCut(VK_DOWN, {ssAlt}),
  };
  for (TShortCut shortcut : cases) {
    const std::string text = ShortCutToText(shortcut);
    EXPECT_FALSE(text.empty()) << shortcut;
    EXPECT_EQ(TextToShortCut(text), shortcut) << text;
  }
  // English names are understood whatever the layout; case does not matter.
  EXPECT_EQ(TextToShortCut("Ctrl+S"), ShortCut('S', {ssCtrl}));
  EXPECT_EQ(TextToShortCut("shift+ctrl+f5"), ShortCut(VK_F5, {ssShift, ssCtrl}));
  EXPECT_EQ(TextToShortCut("Ctrl+"), scNone);
  EXPECT_EQ(TextToShortCut("Ctrl+Nothing"), scNone);
  EXPECT_EQ(TextToShortCut(""), scNone);

  uint16_t key = 0;
  TShiftState shift;
  ShortCutToKey(ShortCut(VK_F5, {ssShift, ssAlt}), key, shift);
  EXPECT_EQ(key, VK_F5);
  EXPECT_EQ(shift, (TShiftState{ssShift, ssAlt}));
  EXPECT_EQ(ShortCut(0x1FF, {}), scNone);
}

TEST(ShortCutTest, HotkeyMarksAreStripped) {
  const std::pair<const char*, const char*> cases[] = {
      {"&Datei", "Datei"}, {"Save && Exit", "Save & Exit"}, {"End&", "End"}, {"&&&A", "&A"}, {"", ""}, {"-", "-"},
  };
  for (const auto& [caption, expected] : cases)
    EXPECT_EQ(StripHotkey(caption), expected) << caption;
}

TEST(MenuTest, SystemMenusFollowTheItems) {
  TMainMenu menu(nullptr);
  TMenuItem* file = NewItem(menu.Items(), "&Datei");
  TMenuItem* save = NewItem(*file, "&Speichern", ShortCut('S', {ssCtrl}));
  NewItem(*file, "-");
  TMenuItem* hidden = NewItem(*file, "Versteckt");
  hidden->SetVisible(false);
  TMenuItem* exit = NewItem(*file, "&Beenden");
  TMenuItem* view = NewItem(menu.Items(), "&Ansicht");
  TMenuItem* big = NewItem(*view, "Groß");
  TMenuItem* small = NewItem(*view, "Klein");
  TMenuItem* other = NewItem(*view, "Andere Gruppe");
  for (TMenuItem* item : {big, small})
    item->SetRadioItem(true);
  other->SetRadioItem(true);
  other->SetGroupIndex(1);
  other->SetChecked(true);

  HMENU bar = menu.Handle();
  ASSERT_EQ(GetMenuItemCount(bar), 2);
  HMENU file_menu = GetSubMenu(bar, 0);
  ASSERT_EQ(file_menu, file->Handle());
  ASSERT_EQ(GetMenuItemCount(file_menu), 3);  // the hidden item is left out
  EXPECT_EQ(MenuText(file_menu, 0), "&Speichern\t" + ShortCutToText(ShortCut('S', {ssCtrl})));
  EXPECT_NE(MenuState(file_menu, 1) & MFT_SEPARATOR, 0u);
  EXPECT_EQ(MenuText(file_menu, 2), "&Beenden");

  exit->SetEnabled(false);
  save->SetChecked(true);
  save->SetDefault(true);
  EXPECT_NE(MenuState(file_menu, 2) & MFS_DISABLED, 0u);
  EXPECT_NE(MenuState(file_menu, 0) & MFS_CHECKED, 0u);
  EXPECT_NE(MenuState(file_menu, 0) & MFS_DEFAULT, 0u);
  hidden->SetVisible(true);
  EXPECT_EQ(GetMenuItemCount(file_menu), 4);
  exit->SetCaption("Schl&ießen");
  EXPECT_EQ(MenuText(file_menu, 3), "Schl&ießen");

  // Radio items of one group are checked one at a time.
  big->SetChecked(true);
  small->SetChecked(true);
  EXPECT_FALSE(big->Checked());
  EXPECT_TRUE(small->Checked());
  EXPECT_TRUE(other->Checked());
  HMENU view_menu = view->Handle();
  EXPECT_NE(MenuState(view_menu, 1) & MFT_RADIOCHECK, 0u);
  EXPECT_EQ(MenuState(view_menu, 0) & MFS_CHECKED, 0u);

  // Moving and removing items rebuilds the menus.
  save->SetMenuIndex(3);
  EXPECT_EQ(file->IndexOf(save), 3);
  EXPECT_EQ(MenuText(file_menu, 3).substr(0, 10), "&Speichern");
  view->Remove(other);
  EXPECT_EQ(GetMenuItemCount(view_menu), 2);
  file->Add(other);
  EXPECT_EQ(other->Parent(), file);
  EXPECT_EQ(GetMenuItemCount(file_menu), 5);
  EXPECT_EQ(file->Find("speichern"), save);
  EXPECT_EQ(file->Find("Nichts"), nullptr);
  EXPECT_THROW(file->Items(9), EListError);
  EXPECT_THROW(save->Add(file), EInvalidOperation);  // an item cannot hold its parent

  // A sub-menu that loses its last entry becomes a plain entry.
  view->Clear();
  EXPECT_EQ(GetSubMenu(bar, 1), nullptr);
  EXPECT_EQ(view->GetParentMenu(), &menu);
}

TEST(MenuTest, CommandsAndShortcutsClickItems) {
  TPopupMenu menu(nullptr);
  TMenuItem* file = NewItem(menu.Items(), "&Datei");
  TMenuItem* save = NewItem(*file, "&Speichern", ShortCut('S', {ssCtrl}));
  TMenuItem* hidden = NewItem(*file, "Geheim", ShortCut(VK_F9, {}));
  hidden->SetVisible(false);
  TMenuItem* toggle = NewItem(menu.Items(), "Umschalten", ShortCut('T', {ssCtrl, ssShift}));
  toggle->SetAutoCheck(true);
  std::vector<std::string> clicks;
  for (TMenuItem* item : {save, hidden, toggle})
    item->OnClick = [&clicks](TObject* sender) { clicks.push_back(static_cast<TMenuItem*>(sender)->Caption()); };

  EXPECT_TRUE(menu.DispatchCommand(save->Command()));
  EXPECT_FALSE(menu.DispatchCommand(0));
  EXPECT_NE(save->Command(), toggle->Command());
  EXPECT_EQ(menu.FindItemByCommand(toggle->Command()), toggle);

  {
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_TRUE(menu.IsShortCut(TMessage{WM_KEYDOWN, 'S', 0, 0}));
    EXPECT_FALSE(menu.IsShortCut(TMessage{WM_KEYDOWN, 'T', 0, 0}));  // Shift is missing
  }
  EXPECT_FALSE(menu.IsShortCut(TMessage{WM_KEYDOWN, 'S', 0, 0}));  // Ctrl is missing
  EXPECT_TRUE(menu.IsShortCut(TMessage{WM_KEYDOWN, VK_F9, 0, 0}));  // hidden items still answer
  {
    HeldKeys ctrl_shift({VK_CONTROL, VK_SHIFT});
    EXPECT_TRUE(menu.IsShortCut(TMessage{WM_KEYDOWN, 'T', 0, 0}));
  }
  EXPECT_TRUE(toggle->Checked());

  file->SetEnabled(false);  // a disabled parent silences its items
  {
    HeldKeys ctrl({VK_CONTROL});
    EXPECT_FALSE(menu.IsShortCut(TMessage{WM_KEYDOWN, 'S', 0, 0}));
  }
  EXPECT_EQ(clicks, (std::vector<std::string>{"&Speichern", "&Speichern", "Geheim", "Umschalten"}));
}

TEST(MenuTest, FormMenuBarAnswersShortcutsAndCommands) {
  auto* form = new TForm(nullptr);
  form->SetBounds(10, 10, 300, 200);
  TMainMenu menu(nullptr);
  TMenuItem* file = NewItem(menu.Items(), "&Datei");
  TMenuItem* save = NewItem(*file, "&Speichern", ShortCut('S', {ssCtrl}));
  TMenuItem* close = NewItem(*file, "&Beenden");
  int saves = 0;
  int closes = 0;
  save->OnClick = [&](TObject*) { ++saves; };
  close->OnClick = [&](TObject*) { ++closes; };
  SetFormMenu(*form, &menu);
  EXPECT_EQ(FormMenu(*form), &menu);
  form->Show();
  test_support::PumpMessagesUntilIdle();
  ASSERT_TRUE(form->HandleAllocated());
  EXPECT_EQ(GetMenu(form->WindowHandle()), menu.Handle());

  // A key through the program's message loop reaches the shortcut.
  SetFocus(form->WindowHandle());
  {
    HeldKeys ctrl({VK_CONTROL});
    PostMessageW(GetFocus(), WM_KEYDOWN, 'S', 1);
    Application->ProcessMessages();
  }
  EXPECT_EQ(saves, 1);
  // The system reports a chosen entry by its command.
  PostMessageW(form->WindowHandle(), WM_COMMAND, MAKEWPARAM(close->Command(), 0), 0);
  Application->ProcessMessages();
  EXPECT_EQ(closes, 1);

  // A new window gets the menu bar again.
  form->RecreateWnd();
  test_support::PumpMessagesUntilIdle();
  EXPECT_EQ(GetMenu(form->WindowHandle()), menu.Handle());

  form->Free();
  EXPECT_EQ(menu.WindowHandle(), nullptr);
  // The menu outlived the window intact.
  EXPECT_EQ(GetMenuItemCount(menu.Handle()), 1);
  EXPECT_TRUE(IsMenu(file->Handle()));
}

TEST(MenuTest, PopupMenuIsAnsweredByKeys) {
  TPopupMenu menu(nullptr);
  TMenuItem* open = NewItem(menu.Items(), "&Öffnen");
  TMenuItem* save = NewItem(menu.Items(), "&Speichern");
  std::vector<std::string> events;
  menu.OnPopup = [&](TObject*) { events.push_back("popup"); };
  open->OnClick = [&](TObject*) { events.push_back("open"); };
  save->OnClick = [&](TObject*) { events.push_back("save"); };

  auto answer = [](std::vector<std::pair<UINT, WPARAM>> keys) {
    RunWhileModal([keys] {
      HWND window = FindThreadWindow(L"#32768");
      if (window == nullptr)
        return false;
      for (const auto& [message, key] : keys)
        PostMessageW(window, message, key, 0);
      return true;
    });
  };
  answer({{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}});
  menu.Popup(100, 100);
  EXPECT_EQ(events, (std::vector<std::string>{"popup", "save"}));
  EXPECT_FALSE(menu.Showing());

  events.clear();
  answer({{WM_CHAR, 's'}});  // the underlined letter
  menu.Popup(50, 60);
  EXPECT_EQ(events, (std::vector<std::string>{"popup", "save"}));

  events.clear();
  answer({{WM_KEYDOWN, VK_ESCAPE}});
  menu.Popup(50, 60);
  EXPECT_EQ(events, (std::vector<std::string>{"popup"}));

  // A control's context menu request goes through the same way.
  TComponent control_stand_in(nullptr);
  events.clear();
  answer({{WM_KEYDOWN, VK_DOWN}, {WM_KEYDOWN, VK_RETURN}});
  menu.SetPopupComponent(&control_stand_in);
  menu.Popup(10, 10);
  EXPECT_EQ(events, (std::vector<std::string>{"popup", "open"}));
  EXPECT_EQ(menu.PopupComponent(), &control_stand_in);
}

TEST(MenuTest, OwnerDrawnItemsAreMeasuredAndDrawn) {
  TPopupMenu menu(nullptr);
  menu.SetOwnerDraw(true);
  TMenuItem* first = NewItem(menu.Items(), "Erster");
  TMenuItem* second = NewItem(menu.Items(), "Zweiter", ShortCut('Z', {ssCtrl}));
  NewItem(menu.Items(), "-");
  std::vector<std::string> measured;
  std::vector<int> drawn_heights;
  first->OnMeasureItem = [&](TObject*, TCanvas&, int32_t& width, int32_t& height) {
    measured.push_back("first");
    width = 120;
    height = 30;
  };
  first->OnDrawItem = [&](TObject*, TCanvas& canvas, TRect rect, bool) {
    drawn_heights.push_back(rect.Height());
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(rect);
  };
  // The second uses the toolkit's drawing, with an image.
  TImageList images(16, 16);
  TBitmap glyph(16, 16, pf24bit);
  glyph.Canvas().Brush().SetColor(clBlue);
  glyph.Canvas().FillRect(Rect(0, 0, 16, 16));
  images.Add(glyph, nullptr);
  menu.SetImages(&images);
  second->SetImageIndex(0);

  COLORREF first_pixel = CLR_INVALID;
  COLORREF image_pixel = CLR_INVALID;
  RunWhileModal([&] {
    HWND window = FindThreadWindow(L"#32768");
    if (window == nullptr || drawn_heights.empty())
      return false;
    HDC dc = GetDC(window);
    RECT first_rect{};
    RECT second_rect{};
    GetMenuItemRect(nullptr, menu.Handle(), 0, &first_rect);
    GetMenuItemRect(nullptr, menu.Handle(), 1, &second_rect);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    first_pixel = GetPixel(dc, first_rect.left - origin.x + 10, first_rect.top - origin.y + 10);
    image_pixel = GetPixel(dc, second_rect.left - origin.x + 2 + 8,
                           (second_rect.top + second_rect.bottom) / 2 - origin.y);
    ReleaseDC(window, dc);
    PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 0);
    return true;
  });
  menu.Popup(20, 20);
  EXPECT_EQ(measured, (std::vector<std::string>{"first"}));
  ASSERT_FALSE(drawn_heights.empty());
  EXPECT_EQ(drawn_heights[0], 30);
  EXPECT_EQ(first_pixel, RGB(255, 0, 0));
  EXPECT_EQ(image_pixel, RGB(0, 0, 255));

  // Measuring outside a shown menu, as callers that size popups do.
  HDC screen = GetDC(nullptr);
  TCanvas canvas;
  canvas.SetHandle(screen);
  int32_t width = 0;
  int32_t height = 0;
  second->MeasureItem(canvas, width, height);
  canvas.SetHandle(nullptr);
  ReleaseDC(nullptr, screen);
  EXPECT_GE(height, 16 + 4);
  EXPECT_GT(width, 16);
}

TEST(MenuTest, FreeingItemsInAnyOrderIsSafe) {
  TComponent owner(nullptr);
  auto* menu = new TMainMenu(&owner);
  for (int i = 0; i < 3; ++i) {
    auto* top = new TMenuItem(&owner);
    top->SetCaption("Top");
    menu->Items().Add(top);
    for (int j = 0; j < 3; ++j) {
      auto* sub = new TMenuItem(&owner);
      sub->SetCaption("Sub");
      top->Add(sub);
    }
  }
  menu->Handle();
  delete menu->Items()[1]->Items(0);
  EXPECT_EQ(menu->Items()[1]->Count(), 2);
  delete menu->Items()[2];
  EXPECT_EQ(GetMenuItemCount(menu->Handle()), 2);
  // The owner frees the rest: items first (the newest first), then the menu.
}

TEST(MenuTest, ManyMenusLeaveNoHandlesBehind) {
  auto round = [] {
    TMainMenu bar(nullptr);
    TPopupMenu popup(nullptr);
    for (TMenu* menu : std::initializer_list<TMenu*>{&bar, &popup}) {
      for (int i = 0; i < 4; ++i) {
        TMenuItem* top = NewItem(menu->Items(), "Top");
        for (int j = 0; j < 3; ++j)
          NewItem(*top, "Sub", ShortCut(static_cast<uint16_t>('A' + j), {ssCtrl}));
      }
      menu->Handle();
      menu->Items()[0]->Clear();
      menu->Items()[1]->SetVisible(false);
    }
  };
  toolkit_test::ExpectNoHandleLeaks(1000, round);
}

}  // namespace
