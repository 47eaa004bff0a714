#pragma once
// Menus over the system's menus (HMENU): TMenuItem (caption with "&"
// accelerators, "-" for a separator line, shortcut, check marks and radio
// groups, images, owner drawing), TMainMenu (a form's menu bar) and
// TPopupMenu (a context menu shown at a screen point).
//
// Every item gets a command number of its own; the system reports a chosen
// item by that number and the menu finds the item again. The system menus
// are rebuilt from the items whenever an item changes, so they never differ
// from what the objects say.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/component.h"
#include "platform/toolkit/messages.h"
#include "platform/toolkit/popup_target.h"
#include "platform/toolkit/types.h"

class TBitmap;
class TCanvas;
class TChangeLink;
class TCustomForm;
class TCustomImageList;
class TMenu;

// --- shortcuts ---------------------------------------------------------------------

// A virtual key in the low byte with the modifier bits above it.
using TShortCut = uint16_t;
constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

TShortCut ShortCut(uint16_t key, TShiftState shift);
void ShortCutToKey(TShortCut shortcut, uint16_t& key, TShiftState& shift);
// The shortcut as the user's language writes it ("Strg+S" for a German
// user interface, "Ctrl+S" otherwise; keys without a name of their own
// take the keyboard layout's); empty for scNone.
std::string ShortCutToText(TShortCut shortcut);
// The reverse, reading the user's language and English, letter case
// ignored; scNone when the text names no key.
TShortCut TextToShortCut(std::string_view text);
// The shortcut a key message stands for (Ctrl and Shift from the keyboard
// state, Alt from the message).
TShortCut ShortCutFromMessage(const TMessage& key_message);

// --- items ---------------------------------------------------------------------------

using TMenuDrawItemEvent = std::function<void(TObject* sender, TCanvas& canvas, TRect rect, bool selected)>;
using TMenuMeasureItemEvent = std::function<void(TObject* sender, TCanvas& canvas, int32_t& width, int32_t& height)>;

class TMenuItem : public TComponent {
 public:
  static constexpr TClass kClass{"TMenuItem", &TComponent::kClass, &ConstructInstance<TMenuItem>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TMenuItem(TComponent* owner);
  // Frees the item's sub-items and leaves its parent.
  ~TMenuItem() override;

  // --- the tree -----------------------------------------------------------
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Raises EListError for an index out of range.
  TMenuItem* Items(int32_t index) const;
  TMenuItem* operator[](int32_t index) const { return Items(index); }
  // Takes `item` from its former parent; the parent frees its items.
  void Add(TMenuItem* item);
  void Insert(int32_t index, TMenuItem* item);
  // Frees the item at `index`.
  void Delete(int32_t index);
  // Takes the item out without freeing it.
  void Remove(TMenuItem* item);
  void Clear();
  int32_t IndexOf(const TMenuItem* item) const;
  // The direct sub-item whose caption without "&" equals `caption`
  // (letter case ignored), or null.
  TMenuItem* Find(std::string_view caption) const;
  TMenuItem* Parent() const { return parent_; }
  int32_t MenuIndex() const { return parent_ == nullptr ? -1 : parent_->IndexOf(this); }
  void SetMenuIndex(int32_t index);
  // The menu the item belongs to, or null.
  TMenu* GetParentMenu() const;

  // --- what it shows ------------------------------------------------------
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // A separator line: the caption "-".
  bool IsLine() const { return caption_ == "-"; }
  bool Checked() const { return checked_; }
  // Checking a radio item unchecks the other radio items of its group.
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);
  // Shown with a round mark; radio items with the same GroupIndex under
  // the same parent are checked one at a time.
  bool RadioItem() const { return radio_item_; }
  void SetRadioItem(bool value);
  uint8_t GroupIndex() const { return group_index_; }
  void SetGroupIndex(uint8_t index);
  // Clicking toggles Checked.
  bool AutoCheck() const { return auto_check_; }
  void SetAutoCheck(bool value) { auto_check_ = value; }
  // Shown in bold; double-clicking the parent chooses it.
  bool Default() const { return default_; }
  void SetDefault(bool value);
  TShortCut ShortCut() const { return shortcut_; }
  void SetShortCut(TShortCut shortcut);
  // The image of the menu's image list, -1 for none.
  int32_t ImageIndex() const { return image_index_; }
  void SetImageIndex(int32_t index);
  // An image of the item's own, used when the menu has no image for it.
  TBitmap& Bitmap();
  bool HasBitmap() const;
  const std::string& Hint() const { return hint_; }
  void SetHint(const std::string& hint) { hint_ = hint; }

  // The number the system reports when the item is chosen.
  uint16_t Command() const { return command_; }
  // The system menu of the item's sub-items (created on first use).
  HMENU Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }

  // Fires OnClick (after toggling an AutoCheck item).
  virtual void Click();
  // The size an owner-drawn item asks for; OnMeasureItem may change it.
  virtual void MeasureItem(TCanvas& canvas, int32_t& width, int32_t& height);
  // Draws an owner-drawn item: OnDrawItem when set, else the toolkit's
  // drawing (image or check mark, caption, shortcut text).
  virtual void DrawItem(TCanvas& canvas, const TRect& rect, bool selected);
  // Whether the system menu shows the item through MeasureItem and
  // DrawItem.
  bool IsOwnerDraw() const;

  TNotifyEvent OnClick;
  TMenuDrawItemEvent OnDrawItem;
  TMenuMeasureItemEvent OnMeasureItem;

 protected:
  friend class TMenu;
  // The item or one of its sub-items changed; the menu rebuilds.
  void MenuChanged(bool rebuild);

 private:
  void InsertItem(int32_t index, TMenuItem* item);
  void DetachItem(TMenuItem* item);
  void TurnSiblingsOff();
  // Fills the system menu with the visible sub-items.
  void Rebuild();
  void AppendTo(HMENU menu);
  std::string DisplayText() const;
  void DefaultDraw(TCanvas& canvas, const TRect& rect, bool selected);
  TCustomImageList* Images() const;

  TMenuItem* parent_ = nullptr;
  // Set for the root item of a menu.
  TMenu* menu_ = nullptr;
  std::vector<TMenuItem*> items_;
  std::string caption_;
  std::string hint_;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  bool radio_item_ = false;
  bool auto_check_ = false;
  bool default_ = false;
  uint8_t group_index_ = 0;
  TShortCut shortcut_ = scNone;
  int32_t image_index_ = -1;
  std::unique_ptr<TBitmap> bitmap_;
  uint16_t command_ = 0;
  HMENU handle_ = nullptr;
};

// --- menus -----------------------------------------------------------------------------

class TMenu : public TComponent {
 public:
  static constexpr TClass kClass{"TMenu", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TMenu(TComponent* owner);
  ~TMenu() override;

  // The root item; the menu's entries are its sub-items.
  TMenuItem& Items() { return *items_; }
  HMENU Handle();
  // Every item is drawn by the toolkit (MeasureItem and DrawItem).
  bool OwnerDraw() const { return owner_draw_; }
  void SetOwnerDraw(bool value);
  TCustomImageList* Images() const { return images_; }
  void SetImages(TCustomImageList* images);

  // Clicks the item whose shortcut the key message stands for, when it and
  // its parents are enabled (hidden items still answer their shortcuts).
  virtual bool IsShortCut(const TMessage& key_message);
  // Clicks the item of the command number; false when no item has it.
  bool DispatchCommand(uint16_t command);
  // The item of a system submenu, of a command number or of a shortcut.
  TMenuItem* FindItemByHandle(HMENU menu);
  TMenuItem* FindItemByCommand(uint16_t command);
  TMenuItem* FindItemByShortCut(TShortCut shortcut);

  // The window whose menu messages this menu answers (a form's, or the
  // popup menus' hidden window).
  HWND WindowHandle() const { return window_handle_; }
  virtual void SetWindowHandle(HWND window);

  // Handles the menu messages of the window: WM_COMMAND of a chosen item,
  // WM_MEASUREITEM and WM_DRAWITEM of owner-drawn items, WM_INITMENUPOPUP.
  // False for any other message.
  bool HandleMenuMessage(TMessage& message);

  TNotifyEvent OnChange;

 protected:
  friend class TMenuItem;
  // The system menu of the root item: a menu bar or a popup menu.
  virtual HMENU CreateMenuHandle() = 0;
  // An item changed; the system menus are rebuilt when they exist.
  virtual void MenuChanged(TMenuItem* item, bool rebuild);
  void Notification(TComponent* component, TOperation operation) override;

 private:
  std::unique_ptr<TMenuItem> items_;
  bool owner_draw_ = false;
  TCustomImageList* images_ = nullptr;
  std::unique_ptr<TChangeLink> images_link_;
  HWND window_handle_ = nullptr;
};

class TMainMenu : public TMenu {
 public:
  static constexpr TClass kClass{"TMainMenu", &TMenu::kClass, &ConstructInstance<TMainMenu>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TMainMenu(TComponent* owner);
  ~TMainMenu() override;

  // Makes the menu the window's menu bar (null detaches it).
  void SetWindowHandle(HWND window) override;

 protected:
  HMENU CreateMenuHandle() override;
  void MenuChanged(TMenuItem* item, bool rebuild) override;
};

// Makes `menu` the menu bar of `form` (null removes it): the menu bar
// follows the form's window through its re-creation, the form's menu
// messages reach the menu, and keys pressed in the form's controls click
// the items whose shortcuts they are.
void SetFormMenu(TCustomForm& form, TMainMenu* menu);
TMainMenu* FormMenu(const TCustomForm& form);

enum TPopupAlignment : uint8_t { paLeft, paRight, paCenter };
enum TTrackButton : uint8_t { tbRightButton, tbLeftButton };

class TPopupMenu : public TMenu, public IPopupMenuTarget {
 public:
  static constexpr TClass kClass{"TPopupMenu", &TMenu::kClass, &ConstructInstance<TPopupMenu>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TPopupMenu(TComponent* owner);
  ~TPopupMenu() override;

  // Shows the menu with its corner at the screen point, until an item is
  // chosen (its OnClick runs before Popup returns) or the menu is closed.
  virtual void Popup(int32_t x, int32_t y);
  // IPopupMenuTarget: a control's context menu request.
  void PopupAt(TControl* control, int32_t x, int32_t y) override;

  // Whether a control shows the menu on its own for a right click.
  bool AutoPopup() const { return auto_popup_; }
  void SetAutoPopup(bool value) { auto_popup_ = value; }
  // The control the menu was last shown for.
  TComponent* PopupComponent() const { return popup_component_; }
  void SetPopupComponent(TComponent* component);
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }
  TTrackButton TrackButton() const { return track_button_; }
  void SetTrackButton(TTrackButton button) { track_button_ = button; }
  // True while the menu is shown.
  bool Showing() const { return showing_; }

  // Fired before the menu shows (items may still be changed then).
  TNotifyEvent OnPopup;

 protected:
  HMENU CreateMenuHandle() override;
  virtual void DoPopup();
  void Notification(TComponent* component, TOperation operation) override;

 private:
  bool auto_popup_ = true;
  TComponent* popup_component_ = nullptr;
  TPopupAlignment alignment_ = paLeft;
  TTrackButton track_button_ = tbRightButton;
  bool showing_ = false;
};

// The caption without its accelerator marks: "&&" gives "&", a single "&"
// is dropped.
std::string StripHotkey(std::string_view caption);
