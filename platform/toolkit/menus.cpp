#include "platform/toolkit/menus.h"

#include <algorithm>
#include <array>
#include <functional>
#include <memory>

#include "platform/rtl/text.h"
#include "platform/toolkit/bitmap.h"
#include "platform/toolkit/canvas.h"
#include "platform/toolkit/control.h"
#include "platform/toolkit/errors.h"
#include "platform/toolkit/form.h"
#include "platform/toolkit/image_list.h"
#include "platform/toolkit/screen.h"
#include "platform/toolkit/utility_window.h"

namespace {

// --- command numbers -----------------------------------------------------------------
// Numbers from 0xF000 on belong to the system menu.
constexpr size_t kCommandLimit = 0xF000;

std::vector<bool>& UsedCommands() {
  static std::vector<bool> used(kCommandLimit, false);
  return used;
}

uint16_t AllocateCommand() {
  static size_t next = 1;
  std::vector<bool>& used = UsedCommands();
  for (size_t tries = 1; tries < kCommandLimit; ++tries) {
    const size_t candidate = next;
    next = next + 1 < kCommandLimit ? next + 1 : 1;
    if (!used[candidate]) {
      used[candidate] = true;
      return static_cast<uint16_t>(candidate);
    }
  }
  throw EOutOfResources("Too many menu items");
}

void ReleaseCommand(uint16_t command) {
  if (command != 0 && command < kCommandLimit)
    UsedCommands()[command] = false;
}

// --- text ---------------------------------------------------------------------------------

// Names of the keys a shortcut text spells out, in the user's language:
// German for a German user interface, English otherwise. Keys without an
// entry take the keyboard layout's name.
struct KeyNames {
  const char* shift;
  const char* ctrl;
  const char* alt;
  std::array<std::pair<uint16_t, const char*>, 15> keys;
};

constexpr KeyNames kEnglishNames{"Shift", "Ctrl", "Alt",
                                 {{{VK_BACK, "BkSp"},
                                   {VK_TAB, "Tab"},
                                   {VK_ESCAPE, "Esc"},
                                   {VK_RETURN, "Enter"},
                                   {VK_SPACE, "Space"},
                                   {VK_PRIOR, "PgUp"},
                                   {VK_NEXT, "PgDn"},
                                   {VK_END, "End"},
                                   {VK_HOME, "Home"},
                                   {VK_LEFT, "Left"},
                                   {VK_UP, "Up"},
                                   {VK_RIGHT, "Right"},
                                   {VK_DOWN, "Down"},
                                   {VK_INSERT, "Ins"},
                                   {VK_DELETE, "Del"}}}};

constexpr KeyNames kGermanNames{"Umschalt", "Strg", "Alt",
                                {{{VK_BACK, "Rück"},
                                  {VK_TAB, "Tab"},
                                  {VK_ESCAPE, "Esc"},
                                  {VK_RETURN, "Eingabe"},
                                  {VK_SPACE, "Leer"},
                                  {VK_PRIOR, "Bild auf"},
                                  {VK_NEXT, "Bild ab"},
                                  {VK_END, "Ende"},
                                  {VK_HOME, "Pos1"},
                                  {VK_LEFT, "Links"},
                                  {VK_UP, "Oben"},
                                  {VK_RIGHT, "Rechts"},
                                  {VK_DOWN, "Unten"},
                                  {VK_INSERT, "Einfg"},
                                  {VK_DELETE, "Entf"}}}};

const KeyNames& UserKeyNames() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_GERMAN ? kGermanNames : kEnglishNames;
}

// The keyboard layout's name of a key without an entry in the tables.
std::string LayoutKeyName(uint16_t key) {
  const UINT scan = MapVirtualKeyW(key, MAPVK_VK_TO_VSC);
  if (scan == 0)
    return {};
  const auto key_data = static_cast<LONG>(scan << 16);
  wchar_t name[64] = {};
  const int length = GetKeyNameTextW(key_data, name, 64);
  return Utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(name), static_cast<size_t>(length)));
}

std::string KeyName(uint16_t key, const KeyNames& names) {
  if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
    return std::string(1, static_cast<char>(key));
  if (key >= VK_F1 && key <= VK_F24)
    return "F" + std::to_string(key - VK_F1 + 1);
  for (const auto& [code, name] : names.keys)
    if (code == key)
      return name;
  // Modifier keys alone are no shortcut.
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU)
    return {};
  return LayoutKeyName(key);
}

struct ModifierBit {
  TShortCut bit;
  const char* KeyNames::*name;
};
constexpr std::array<ModifierBit, 3> kModifiers{{
    {scShift, &KeyNames::shift},
    {scCtrl, &KeyNames::ctrl},
    {scAlt, &KeyNames::alt},
}};

bool StartsWithText(std::string_view text, std::string_view prefix) {
  return !prefix.empty() && text.size() >= prefix.size() && AnsiSameText(text.substr(0, prefix.size()), prefix);
}

// --- the popup menus' window -------------------------------------------------------------

std::vector<TPopupMenu*>& LivePopupMenus() {
  static std::vector<TPopupMenu*> menus;
  return menus;
}

// The hidden window that owns every popup menu while it is tracked and
// receives its measuring, drawing and opening messages.
HWND PopupWindow() {
  static HWND window = nullptr;
  if (window == nullptr) {
    window = AllocateHWnd([](TMessage& message) {
      const std::vector<TPopupMenu*> menus = LivePopupMenus();
      for (TPopupMenu* menu : menus)
        if (menu->HandleMenuMessage(message))
          return;
      CallDefaultWindowProc(window, message);
    });
  }
  return window;
}

}  // namespace

// --- shortcuts -------------------------------------------------------------------------------

TShortCut ShortCut(uint16_t key, TShiftState shift) {
  if ((key & 0xFF00) != 0)
    return scNone;
  TShortCut result = key;
  if (shift.Contains(ssShift))
    result |= scShift;
  if (shift.Contains(ssCtrl))
    result |= scCtrl;
  if (shift.Contains(ssAlt))
    result |= scAlt;
  return result;
}

void ShortCutToKey(TShortCut shortcut, uint16_t& key, TShiftState& shift) {
  key = shortcut & 0xFF;
  shift = {};
  if ((shortcut & scShift) != 0)
    shift.Include(ssShift);
  if ((shortcut & scCtrl) != 0)
    shift.Include(ssCtrl);
  if ((shortcut & scAlt) != 0)
    shift.Include(ssAlt);
}

std::string ShortCutToText(TShortCut shortcut) {
  const KeyNames& names = UserKeyNames();
  const std::string key = KeyName(shortcut & 0xFF, names);
  if (key.empty())
    return {};
  std::string text;
  for (const ModifierBit& modifier : kModifiers)
    if ((shortcut & modifier.bit) != 0)
      text += std::string(names.*modifier.name) + "+";
  return text + key;
}

TShortCut TextToShortCut(std::string_view text) {
  // Both languages are read, whichever the user interface speaks.
  const std::array<const KeyNames*, 2> languages{&UserKeyNames(), &kEnglishNames};
  TShortCut modifiers = 0;
  for (bool found = true; found;) {
    found = false;
    for (const ModifierBit& modifier : kModifiers) {
      for (const KeyNames* names : languages) {
        const std::string prefix = std::string(names->*modifier.name) + "+";
        if (StartsWithText(text, prefix)) {
          modifiers |= modifier.bit;
          text.remove_prefix(prefix.size());
          found = true;
          break;
        }
      }
    }
  }
  if (text.empty())
    return scNone;
  for (const KeyNames* names : languages) {
    for (uint16_t key = 0x08; key <= 0xFF; ++key) {
      const std::string name = KeyName(key, *names);
      if (!name.empty() && AnsiSameText(name, text))
        return static_cast<TShortCut>(key | modifiers);
    }
  }
  return scNone;
}

TShortCut ShortCutFromMessage(const TMessage& key_message) {
  TShiftState shift;
  if (GetKeyState(VK_SHIFT) < 0)
    shift.Include(ssShift);
  if (GetKeyState(VK_CONTROL) < 0)
    shift.Include(ssCtrl);
  if ((key_message.LParam & (LPARAM{1} << 29)) != 0 || GetKeyState(VK_MENU) < 0)
    shift.Include(ssAlt);
  return ShortCut(static_cast<uint16_t>(key_message.WParam & 0xFF), shift);
}

std::string StripHotkey(std::string_view caption) {
  std::string result;
  result.reserve(caption.size());
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      result.push_back(caption[i]);
      continue;
    }
    // The mark goes; the character after it stays, even a second "&".
    if (i + 1 < caption.size())
      result.push_back(caption[++i]);
  }
  return result;
}

// --- TMenuItem ----------------------------------------------------------------------------------

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(AllocateCommand()) {}

TMenuItem::~TMenuItem() {
  Destroying();
  if (parent_ != nullptr)
    parent_->Remove(this);
  // The sub-items' entries leave the system menu before their own menus
  // are destroyed: destroying a menu destroys the menus hanging in it.
  if (handle_ != nullptr)
    while (GetMenuItemCount(handle_) > 0)
      RemoveMenu(handle_, 0, MF_BYPOSITION);
  const std::vector<TMenuItem*> items = std::move(items_);
  items_.clear();
  for (TMenuItem* item : items) {
    item->parent_ = nullptr;
    delete item;
  }
  if (handle_ != nullptr)
    DestroyMenu(handle_);
  ReleaseCommand(command_);
}

TMenuItem* TMenuItem::Items(int32_t index) const {
  if (index < 0 || index >= Count())
    throw EListError::IndexOutOfBounds(index);
  return items_[static_cast<size_t>(index)];
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int32_t index, TMenuItem* item) {
  if (item == nullptr)
    throw EInvalidOperation("Cannot insert a nil menu item");
  if (index < 0 || index > Count())
    throw EListError::IndexOutOfBounds(index);
  for (const TMenuItem* ancestor = this; ancestor != nullptr; ancestor = ancestor->parent_)
    if (ancestor == item)
      throw EInvalidOperation("A menu item cannot hold itself");
  if (item->parent_ != nullptr)
    item->parent_->Remove(item);
  InsertItem(index, item);
}

void TMenuItem::InsertItem(int32_t index, TMenuItem* item) {
  items_.insert(items_.begin() + index, item);
  item->parent_ = this;
  MenuChanged(true);
}

void TMenuItem::Delete(int32_t index) { delete Items(index); }

void TMenuItem::Remove(TMenuItem* item) {
  const auto found = std::find(items_.begin(), items_.end(), item);
  if (found == items_.end())
    throw EListError("Menu item not found");
  DetachItem(item);
}

void TMenuItem::DetachItem(TMenuItem* item) {
  items_.erase(std::find(items_.begin(), items_.end(), item));
  item->parent_ = nullptr;
  // The item's own system menu may hang in this one: take it out first.
  if (handle_ != nullptr)
    while (GetMenuItemCount(handle_) > 0)
      RemoveMenu(handle_, 0, MF_BYPOSITION);
  MenuChanged(true);
}

void TMenuItem::Clear() {
  while (!items_.empty())
    delete items_.back();
}

int32_t TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int32_t>(found - items_.begin());
}

TMenuItem* TMenuItem::Find(std::string_view caption) const {
  const std::string wanted = StripHotkey(caption);
  for (TMenuItem* item : items_)
    if (AnsiSameText(StripHotkey(item->caption_), wanted))
      return item;
  return nullptr;
}

void TMenuItem::SetMenuIndex(int32_t index) {
  if (parent_ == nullptr)
    return;
  TMenuItem* parent = parent_;
  const int32_t count = parent->Count();
  index = std::clamp(index, 0, count - 1);
  if (index == MenuIndex())
    return;
  parent->items_.erase(parent->items_.begin() + MenuIndex());
  parent->items_.insert(parent->items_.begin() + index, this);
  parent->MenuChanged(true);
}

TMenu* TMenuItem::GetParentMenu() const {
  const TMenuItem* item = this;
  while (item->parent_ != nullptr)
    item = item->parent_;
  return item->menu_;
}

void TMenuItem::SetCaption(const std::string& caption) {
  if (caption == caption_)
    return;
  caption_ = caption;
  MenuChanged(true);
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_)
    return;
  checked_ = checked;
  if (checked && radio_item_)
    TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::TurnSiblingsOff() {
  if (parent_ == nullptr)
    return;
  for (TMenuItem* sibling : parent_->items_)
    if (sibling != this && sibling->radio_item_ && sibling->group_index_ == group_index_)
      sibling->checked_ = false;
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_)
    return;
  enabled_ = enabled;
  MenuChanged(true);
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_)
    return;
  visible_ = visible;
  MenuChanged(true);
}

void TMenuItem::SetRadioItem(bool value) {
  if (value == radio_item_)
    return;
  radio_item_ = value;
  if (radio_item_ && checked_)
    TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetGroupIndex(uint8_t index) {
  if (index == group_index_)
    return;
  group_index_ = index;
  if (radio_item_ && checked_)
    TurnSiblingsOff();
  MenuChanged(true);
}

void TMenuItem::SetDefault(bool value) {
  if (value == default_)
    return;
  // One default item per submenu.
  if (value && parent_ != nullptr)
    for (TMenuItem* sibling : parent_->items_)
      sibling->default_ = false;
  default_ = value;
  MenuChanged(true);
}

void TMenuItem::SetShortCut(TShortCut shortcut) {
  if (shortcut == shortcut_)
    return;
  shortcut_ = shortcut;
  MenuChanged(true);
}

void TMenuItem::SetImageIndex(int32_t index) {
  if (index == image_index_)
    return;
  image_index_ = index;
  MenuChanged(true);
}

TBitmap& TMenuItem::Bitmap() {
  if (!bitmap_) {
    bitmap_ = std::make_unique<TBitmap>();
    bitmap_->OnChange = [this](TObject*) { MenuChanged(true); };
  }
  return *bitmap_;
}

bool TMenuItem::HasBitmap() const { return bitmap_ && !bitmap_->Empty(); }

TCustomImageList* TMenuItem::Images() const {
  const TMenu* menu = GetParentMenu();
  return menu == nullptr ? nullptr : menu->Images();
}

HMENU TMenuItem::Handle() {
  if (handle_ == nullptr) {
    handle_ = menu_ != nullptr ? menu_->CreateMenuHandle() : CreatePopupMenu();
    if (handle_ == nullptr)
      throw EOutOfResources("Out of system resources");
    Rebuild();
  }
  return handle_;
}

bool TMenuItem::IsOwnerDraw() const {
  const TMenu* menu = GetParentMenu();
  if (menu != nullptr && menu->OwnerDraw())
    return true;
  // Entries of a menu bar show text only, unless the menu draws all.
  if (parent_ != nullptr && parent_->menu_ != nullptr && dynamic_cast<const TMainMenu*>(parent_->menu_) != nullptr)
    return false;
  const TCustomImageList* images = Images();
  return OnDrawItem != nullptr || (images != nullptr && image_index_ >= 0) || HasBitmap();
}

std::string TMenuItem::DisplayText() const {
  const std::string shortcut = ShortCutToText(shortcut_);
  return shortcut.empty() ? caption_ : caption_ + "\t" + shortcut;
}

void TMenuItem::Rebuild() {
  if (handle_ == nullptr)
    return;
  while (GetMenuItemCount(handle_) > 0)
    RemoveMenu(handle_, 0, MF_BYPOSITION);
  for (TMenuItem* item : items_)
    if (item->visible_)
      item->AppendTo(handle_);
}

void TMenuItem::AppendTo(HMENU menu) {
  // A sub-menu that lost its last entry is destroyed (it hangs nowhere
  // now: the parent emptied its own menu before appending).
  if (items_.empty() && handle_ != nullptr) {
    DestroyMenu(handle_);
    handle_ = nullptr;
  }
  HMENU sub_menu = nullptr;
  if (!items_.empty()) {
    if (handle_ == nullptr) {
      sub_menu = Handle();
    } else {
      Rebuild();
      sub_menu = handle_;
    }
  }
  std::u16string text = Utf8ToUtf16(DisplayText());
  MENUITEMINFOW info{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
  if (IsLine()) {
    info.fType = MFT_SEPARATOR;
  } else {
    info.fMask |= MIIM_STRING;
    info.fType = MFT_STRING;
    if (radio_item_)
      info.fType |= MFT_RADIOCHECK;
    info.dwTypeData = reinterpret_cast<wchar_t*>(text.data());
    info.cch = static_cast<UINT>(text.size());
  }
  if (IsOwnerDraw())
    info.fType |= MFT_OWNERDRAW;
  info.fState = (checked_ ? MFS_CHECKED : 0u) | (enabled_ ? 0u : MFS_DISABLED) | (default_ ? MFS_DEFAULT : 0u);
  info.wID = command_;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  info.hSubMenu = sub_menu;
  InsertMenuItemW(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
}

void TMenuItem::MenuChanged(bool rebuild) {
  if (ComponentState().Contains(csDestroying))
    return;
  if (TMenu* menu = GetParentMenu())
    menu->MenuChanged(this, rebuild);
}

void TMenuItem::Click() {
  if (!enabled_)
    return;
  if (auto_check_)
    SetChecked(!checked_);
  if (OnClick)
    OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas& canvas, int32_t& width, int32_t& height) {
  if (IsLine()) {
    width = 10;
    height = GetSystemMetrics(SM_CYMENU) / 2;
  } else {
    const TSize text = canvas.TextExtent(StripHotkey(caption_));
    const std::string shortcut = ShortCutToText(shortcut_);
    int32_t glyph = GetSystemMetrics(SM_CXMENUCHECK);
    int32_t glyph_height = 0;
    if (TCustomImageList* images = Images(); images != nullptr && image_index_ >= 0) {
      glyph = std::max(glyph, images->Width());
      glyph_height = images->Height();
    } else if (HasBitmap()) {
      glyph = std::max(glyph, bitmap_->Width());
      glyph_height = bitmap_->Height();
    }
    width = glyph + 8 + text.cx + (shortcut.empty() ? 0 : 16 + canvas.TextWidth(shortcut));
    height = std::max({text.cy + 4, glyph_height + 4, static_cast<int32_t>(GetSystemMetrics(SM_CYMENU))});
  }
  if (OnMeasureItem)
    OnMeasureItem(this, canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const TRect& rect, bool selected) {
  if (OnDrawItem) {
    OnDrawItem(this, canvas, rect, selected);
    return;
  }
  DefaultDraw(canvas, rect, selected);
}

void TMenuItem::DefaultDraw(TCanvas& canvas, const TRect& rect, bool selected) {
  canvas.Brush().SetStyle(bsSolid);
  canvas.Brush().SetColor(selected && enabled_ ? clHighlight : clMenu);
  canvas.FillRect(rect);
  if (IsLine()) {
    const int32_t middle = (rect.Top + rect.Bottom) / 2;
    canvas.Pen().SetColor(clBtnShadow);
    canvas.MoveTo(rect.Left + 2, middle - 1);
    canvas.LineTo(rect.Right - 2, middle - 1);
    canvas.Pen().SetColor(clBtnHighlight);
    canvas.MoveTo(rect.Left + 2, middle);
    canvas.LineTo(rect.Right - 2, middle);
    return;
  }

  int32_t glyph = GetSystemMetrics(SM_CXMENUCHECK);
  TCustomImageList* images = Images();
  const bool has_image = images != nullptr && image_index_ >= 0 && image_index_ < images->Count();
  if (has_image) {
    glyph = std::max(glyph, images->Width());
    images->Draw(canvas, rect.Left + 2, rect.Top + (rect.Height() - images->Height()) / 2, image_index_, enabled_);
  } else if (HasBitmap()) {
    glyph = std::max(glyph, bitmap_->Width());
    canvas.Draw(rect.Left + 2, rect.Top + (rect.Height() - bitmap_->Height()) / 2, bitmap_.get());
  }
  if (checked_) {
    const int32_t check = GetSystemMetrics(SM_CXMENUCHECK);
    RECT mark = Bounds(rect.Left + 2, rect.Top + (rect.Height() - check) / 2, check, check);
    if (has_image || HasBitmap()) {
      canvas.Brush().SetColor(clHighlight);
      canvas.FrameRect(Rect(rect.Left + 1, rect.Top + 1, rect.Left + glyph + 3, rect.Bottom - 1));
    } else {
      DrawFrameControl(canvas.Handle(), &mark, DFC_MENU, radio_item_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
  }

  canvas.Brush().SetStyle(bsClear);
  TFont& font = canvas.Font();
  font.SetColor(!enabled_ ? clGrayText : (selected ? clHighlightText : clMenuText));
  if (default_)
    font.SetStyle(font.Style() + TFontStyles{fsBold});
  const TRect text_area(rect.Left + glyph + 6, rect.Top, rect.Right - 4, rect.Bottom);
  TRect caption_rect = text_area;
  canvas.TextRect(caption_rect, caption_, TTextFormat{tfSingleLine, tfVerticalCenter, tfLeft});
  const std::string shortcut = ShortCutToText(shortcut_);
  TRect shortcut_rect = text_area;
  if (!shortcut.empty())
    canvas.TextRect(shortcut_rect, shortcut, TTextFormat{tfSingleLine, tfVerticalCenter, tfRight, tfNoPrefix});
}

// --- TMenu -----------------------------------------------------------------------------------------

TMenu::TMenu(TComponent* owner) : TComponent(owner), items_(std::make_unique<TMenuItem>(nullptr)) {
  items_->menu_ = this;
}

TMenu::~TMenu() {
  Destroying();
  SetImages(nullptr);
  items_.reset();
}

HMENU TMenu::Handle() { return items_->Handle(); }

void TMenu::SetOwnerDraw(bool value) {
  if (value == owner_draw_)
    return;
  owner_draw_ = value;
  MenuChanged(nullptr, true);
}

void TMenu::SetImages(TCustomImageList* images) {
  if (images == images_)
    return;
  if (images_ != nullptr) {
    images_->UnRegisterChanges(images_link_.get());
    images_->RemoveFreeNotification(this);
  }
  images_ = images;
  if (images_ != nullptr) {
    if (!images_link_) {
      images_link_ = std::make_unique<TChangeLink>();
      images_link_->OnChange = [this](TObject*) { MenuChanged(nullptr, true); };
    }
    images_->RegisterChanges(images_link_.get());
    images_->FreeNotification(this);
  }
  MenuChanged(nullptr, true);
}

void TMenu::Notification(TComponent* component, TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == opRemove && component == images_) {
    images_ = nullptr;
    MenuChanged(nullptr, true);
  }
}

void TMenu::MenuChanged(TMenuItem*, bool rebuild) {
  if (ComponentState().Contains(csDestroying) || !items_)
    return;
  if (rebuild && items_->HandleAllocated())
    items_->Rebuild();
  if (OnChange)
    OnChange(this);
}

void TMenu::SetWindowHandle(HWND window) { window_handle_ = window; }

namespace {

template <class Predicate>
TMenuItem* FindInTree(TMenuItem& item, const Predicate& matches) {
  if (matches(item))
    return &item;
  for (int32_t i = 0; i < item.Count(); ++i)
    if (TMenuItem* found = FindInTree(*item.Items(i), matches))
      return found;
  return nullptr;
}

bool EnabledWithParents(const TMenuItem& item) {
  for (const TMenuItem* current = &item; current != nullptr; current = current->Parent())
    if (!current->Enabled())
      return false;
  return true;
}

}  // namespace

TMenuItem* TMenu::FindItemByHandle(HMENU menu) {
  if (menu == nullptr)
    return nullptr;
  return FindInTree(*items_, [menu](TMenuItem& item) { return item.HandleAllocated() && item.Handle() == menu; });
}

TMenuItem* TMenu::FindItemByCommand(uint16_t command) {
  if (command == 0)
    return nullptr;
  return FindInTree(*items_, [command](TMenuItem& item) { return item.Command() == command; });
}

TMenuItem* TMenu::FindItemByShortCut(TShortCut shortcut) {
  if (shortcut == scNone)
    return nullptr;
  return FindInTree(*items_, [shortcut](TMenuItem& item) { return item.ShortCut() == shortcut; });
}

bool TMenu::DispatchCommand(uint16_t command) {
  TMenuItem* item = FindItemByCommand(command);
  if (item == nullptr || item == items_.get())
    return false;
  item->Click();
  return true;
}

bool TMenu::IsShortCut(const TMessage& key_message) {
  const TShortCut shortcut = ShortCutFromMessage(key_message);
  if ((shortcut & 0xFF) == 0)
    return false;
  TMenuItem* item = FindItemByShortCut(shortcut);
  if (item == nullptr || !EnabledWithParents(*item))
    return false;
  item->Click();
  return true;
}

bool TMenu::HandleMenuMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_COMMAND: {
      // Menus report with no control and code 0; accelerators with 1.
      if (message.LParam != 0 || HIWORD(message.WParam) > 1)
        return false;
      if (!DispatchCommand(LOWORD(message.WParam)))
        return false;
      message.Result = 0;
      return true;
    }
    case WM_INITMENUPOPUP: {
      TMenuItem* item = FindItemByHandle(reinterpret_cast<HMENU>(message.WParam));
      if (item == nullptr)
        return false;
      // Opening a sub-menu clicks its item: handlers update the entries.
      if (item != items_.get())
        item->Click();
      message.Result = 0;
      return true;
    }
    case WM_MEASUREITEM: {
      auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(message.LParam);
      if (measure == nullptr || measure->CtlType != ODT_MENU)
        return false;
      TMenuItem* item = FindInTree(*items_, [measure](TMenuItem& candidate) {
        return reinterpret_cast<ULONG_PTR>(&candidate) == measure->itemData;
      });
      if (item == nullptr)
        return false;
      HDC dc = GetDC(nullptr);
      TCanvas canvas;
      canvas.SetHandle(dc);
      canvas.SetFont(GetScreen()->MenuFont());
      int32_t width = 0;
      int32_t height = 0;
      item->MeasureItem(canvas, width, height);
      canvas.SetHandle(nullptr);
      ReleaseDC(nullptr, dc);
      measure->itemWidth = static_cast<UINT>(std::max(width, 0));
      measure->itemHeight = static_cast<UINT>(std::max(height, 0));
      message.Result = 1;
      return true;
    }
    case WM_DRAWITEM: {
      auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(message.LParam);
      if (draw == nullptr || draw->CtlType != ODT_MENU)
        return false;
      TMenuItem* item = FindInTree(*items_, [draw](TMenuItem& candidate) {
        return reinterpret_cast<ULONG_PTR>(&candidate) == draw->itemData;
      });
      if (item == nullptr)
        return false;
      const int saved = SaveDC(draw->hDC);
      TCanvas canvas;
      canvas.SetHandle(draw->hDC);
      canvas.SetFont(GetScreen()->MenuFont());
      item->DrawItem(canvas, draw->rcItem, (draw->itemState & ODS_SELECTED) != 0);
      canvas.SetHandle(nullptr);
      RestoreDC(draw->hDC, saved);
      message.Result = 1;
      return true;
    }
    default:
      return false;
  }
}

// --- TMainMenu ---------------------------------------------------------------------------------------

TMainMenu::TMainMenu(TComponent* owner) : TMenu(owner) {}

TMainMenu::~TMainMenu() {
  // A window destroys its menu bar with itself: the bar leaves the window
  // first so that it is destroyed once, by its items.
  SetWindowHandle(nullptr);
}

HMENU TMainMenu::CreateMenuHandle() { return CreateMenu(); }

void TMainMenu::SetWindowHandle(HWND window) {
  const HWND old = WindowHandle();
  if (old == window)
    return;
  if (old != nullptr && IsWindow(old) && Items().HandleAllocated() && GetMenu(old) == Items().Handle())
    SetMenu(old, nullptr);
  TMenu::SetWindowHandle(window);
  if (window != nullptr) {
    SetMenu(window, Handle());
    DrawMenuBar(window);
  }
}

void TMainMenu::MenuChanged(TMenuItem* item, bool rebuild) {
  TMenu::MenuChanged(item, rebuild);
  if (WindowHandle() != nullptr && IsWindow(WindowHandle()))
    DrawMenuBar(WindowHandle());
}

// --- forms and their menu bars ------------------------------------------------------------------

namespace {

// The menu of one form and the form's window procedure it was put in
// front of.
struct FormMenuBinding {
  TWeakRef<TCustomForm> form;
  TWeakRef<TMainMenu> menu;
  std::function<void(TMessage&)> previous;
};

std::vector<std::shared_ptr<FormMenuBinding>>& FormMenuBindings() {
  static std::vector<std::shared_ptr<FormMenuBinding>> bindings;
  return bindings;
}

std::shared_ptr<FormMenuBinding> FindBinding(const TCustomForm& form) {
  auto& bindings = FormMenuBindings();
  std::erase_if(bindings, [](const auto& binding) { return binding->form.Get() == nullptr; });
  for (const auto& binding : bindings)
    if (binding->form.Get() == &form)
      return binding;
  return nullptr;
}

void FormMenuWindowProc(FormMenuBinding& binding, TMessage& message) {
  TCustomForm* form = binding.form.Get();
  TMainMenu* menu = binding.menu.Get();
  if (form == nullptr || menu == nullptr) {
    binding.previous(message);
    return;
  }
  switch (message.Msg) {
    case WM_DESTROY:
      // Taken off before the system destroys the window and its menu bar.
      menu->SetWindowHandle(nullptr);
      break;
    // Keys of the form's controls arrive as CM_CHILDKEY; keys with Alt
    // reach the form itself only while it has the focus.
    case CM_CHILDKEY:
    case WM_SYSKEYDOWN: {
      TMessage key{WM_KEYDOWN, message.WParam, message.Msg == CM_CHILDKEY ? 0 : message.LParam, 0};
      const TAliveToken alive = form->AliveToken();
      if (menu->IsShortCut(key)) {
        if (alive.Alive())
          message.Result = 1;
        return;
      }
      break;
    }
    default:
      if (menu->HandleMenuMessage(message))
        return;
      break;
  }
  binding.previous(message);
  if (message.Msg == WM_CREATE && form->HandleAllocated())
    menu->SetWindowHandle(form->WindowHandle());
}

}  // namespace

void SetFormMenu(TCustomForm& form, TMainMenu* menu) {
  std::shared_ptr<FormMenuBinding> binding = FindBinding(form);
  if (binding == nullptr) {
    if (menu == nullptr)
      return;
    binding = std::make_shared<FormMenuBinding>();
    binding->form = &form;
    binding->previous = form.WindowProc;
    std::weak_ptr<FormMenuBinding> weak = binding;
    form.WindowProc = [weak](TMessage& message) {
      if (auto locked = weak.lock())
        FormMenuWindowProc(*locked, message);
    };
    FormMenuBindings().push_back(binding);
  }
  if (TMainMenu* old = binding->menu.Get(); old != nullptr && old != menu)
    old->SetWindowHandle(nullptr);
  binding->menu = menu;
  if (menu != nullptr && form.HandleAllocated())
    menu->SetWindowHandle(form.WindowHandle());
}

TMainMenu* FormMenu(const TCustomForm& form) {
  std::shared_ptr<FormMenuBinding> binding = FindBinding(form);
  return binding == nullptr ? nullptr : binding->menu.Get();
}

// --- TPopupMenu ----------------------------------------------------------------------------------------

TPopupMenu::TPopupMenu(TComponent* owner) : TMenu(owner) {
  LivePopupMenus().push_back(this);
  TMenu::SetWindowHandle(PopupWindow());
}

TPopupMenu::~TPopupMenu() {
  std::erase(LivePopupMenus(), this);
  SetPopupComponent(nullptr);
}

HMENU TPopupMenu::CreateMenuHandle() { return CreatePopupMenu(); }

void TPopupMenu::SetPopupComponent(TComponent* component) {
  if (component == popup_component_)
    return;
  if (popup_component_ != nullptr)
    popup_component_->RemoveFreeNotification(this);
  popup_component_ = component;
  if (popup_component_ != nullptr)
    popup_component_->FreeNotification(this);
}

void TPopupMenu::Notification(TComponent* component, TOperation operation) {
  TMenu::Notification(component, operation);
  if (operation == opRemove && component == popup_component_)
    popup_component_ = nullptr;
}

void TPopupMenu::DoPopup() {
  if (OnPopup)
    OnPopup(this);
}

void TPopupMenu::Popup(int32_t x, int32_t y) {
  const TAliveToken alive = AliveToken();
  DoPopup();
  if (!alive.Alive())
    return;
  UINT flags = TPM_RETURNCMD;
  flags |= alignment_ == paRight ? TPM_RIGHTALIGN : alignment_ == paCenter ? TPM_CENTERALIGN : TPM_LEFTALIGN;
  flags |= track_button_ == tbLeftButton ? TPM_LEFTBUTTON : TPM_RIGHTBUTTON;
  showing_ = true;
  const HWND window = PopupWindow();
  const auto command = static_cast<uint16_t>(TrackPopupMenu(Handle(), flags, x, y, 0, window, nullptr));
  if (!alive.Alive())
    return;
  showing_ = false;
  // The menu loop may leave a click behind for the hidden window.
  PostMessageW(window, WM_NULL, 0, 0);
  if (command != 0)
    DispatchCommand(command);
}

void TPopupMenu::PopupAt(TControl* control, int32_t x, int32_t y) {
  SetPopupComponent(control);
  Popup(x, y);
}
