#pragma once
// TlxButton: the library's push button. A real BUTTON window switched to
// owner drawing and painted through the look-and-feel painters, with three
// kinds (plain, drop-down, split), per-state colours, a glyph laid out with
// the caption, hot tracking, and a speed-button mode in which the button
// takes no focus and can stay down in an exclusive group.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editors/kinds/button_glyph_win.h"
#include "editors/kinds/button_rules.h"
#include "platform/toolkit/actions.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/control_canvas.h"
#include "platform/toolkit/menus.h"
#include "platform/toolkit/speed_button.h"
#include "ui/foundation/controls/control_interfaces_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/system/mouse_tracking_win.h"

class TlxCustomButton;

// The private messages a button posts to itself: open the drop-down menu,
// and the menu has closed.
constexpr UINT kLxButtonDropDownMessage = 0x8065;
constexpr UINT kLxButtonMenuClosedMessage = 0x8066;

class TlxButtonColors : public TPersistent {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxButtonColors", &TPersistent::kClass, nullptr, &TlxButtonColors::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxButtonColors(TlxCustomButton* button);

  TColor GetColor(TlxButtonAssignedColor index) const { return values_.Get(index); }
  // clNone and clDefault unassign the colour.
  void SetColor(TlxButtonAssignedColor index, TColor color);
  uint16_t AssignedColors() const { return values_.AssignedBits(); }
  // Only while the button is being designed.
  void SetAssignedColors(uint16_t bits);
  const TlxButtonColorValues& Values() const { return values_; }

  void Assign(const TPersistent* source) override;

 private:
  void InvalidateButton();

  TlxCustomButton* button_;
  TlxButtonColorValues values_;
};

// The button's tie to its action: the action's image index reaches the
// glyph; a link that goes while its button stays takes the action's image
// away from the glyph.
class TlxButtonActionLink : public TControlActionLink {
 public:
  static constexpr TClass kClass{"TlxButtonActionLink", &TControlActionLink::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxButtonActionLink(TlxCustomButton* button);
  ~TlxButtonActionLink() override;

  void ImageIndexChanged(int32_t index) override;
  void ActionFreed() override;

 private:
  TlxCustomButton* button_;
};

using TlxButtonDropDownMenuPopupEvent =
    std::function<void(TObject* sender, TPopupMenu*& popup_menu, bool& handled)>;
using TlxButtonGetDrawParamsEvent =
    std::function<void(TlxCustomButton* sender, TlxButtonState state, TColor& color, TFont& font)>;

class TlxCustomButton : public TButton, public IlxLookAndFeelContainer, public IlxMouseTrackingCaller {
 public:
  static constexpr TClass kClass{"TlxCustomButton", &TButton::kClass, &ConstructInstance<TlxCustomButton>};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomButton(TComponent* owner);
  ~TlxCustomButton() override;

  // Virtual operations, in the order of their slots.
  // OnDropDownMenuPopup's verdict: whether the opening was handled.
  virtual bool NotifyDropDownMenuPopup(TPopupMenu*& popup_menu);
  virtual bool ShowPopupMenuAt(TComponent* popup_menu, int32_t x, int32_t y);
  virtual const TClass* GetGlyphClass() const { return &TlxButtonGlyph::kClass; }
  virtual TlxPainterClass GetPainter();
  // While false the window is owner-drawn and painted by the button.
  virtual bool UsesSystemPaint() const { return false; }
  // Caption width plus three "R"s, "Wg" height x 14 / 8.
  virtual void CalculateOptimalSize(TSize& size);

  TlxButtonKind Kind() const { return kind_; }
  void SetKind(TlxButtonKind value);
  TPopupMenu* DropDownMenu() const { return drop_down_menu_; }
  void SetDropDownMenu(TPopupMenu* value);
  TPopupAlignment PopupAlignment() const { return popup_alignment_; }
  void SetPopupAlignment(TPopupAlignment value) { popup_alignment_ = value; }
  // Only a toolkit popup menu or a component with IlxPopupComponent; any
  // other component is stored as null.
  TComponent* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TComponent* value);
  TlxButtonColors& Colors() { return *colors_; }
  void SetColors(const TlxButtonColors& value) { colors_->Assign(&value); }
  TlxLookAndFeel& LookAndFeel() { return *look_and_feel_; }
  void SetLookAndFeel(const TlxLookAndFeel& value) { look_and_feel_->Assign(&value); }
  TlxButtonGlyph& GlyphObject() { return *glyph_; }
  TBitmap* Glyph() const { return glyph_->Glyph(); }
  void SetGlyph(TBitmap* value) { glyph_->SetGlyph(value); }
  int32_t NumGlyphs() const { return glyph_->NumGlyphs(); }
  void SetNumGlyphs(int32_t value) { glyph_->SetNumGlyphs(value); }
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int32_t Margin() const { return margin_; }
  // Values below -1 are ignored.
  void SetMargin(int32_t value);
  int32_t Spacing() const { return spacing_; }
  void SetSpacing(int32_t value);
  bool UseSystemPaint() const { return use_system_paint_; }
  void SetUseSystemPaint(bool value);
  bool CanBeFocused() const { return can_be_focused_; }
  void SetCanBeFocused(bool value);
  int32_t GroupIndex() const { return group_index_; }
  void SetGroupIndex(int32_t value);
  bool Down() const { return down_; }
  void SetDown(bool value);
  bool AllowAllUp() const { return allow_all_up_; }
  void SetAllowAllUp(bool value);

  // The state the face shows now.
  TlxButtonState CurrentState() const;
  bool IsSpeedButtonMode() const { return !can_be_focused_ || group_index_ != 0; }
  bool IsHot() const { return hot_; }
  bool IsMenuShown() const { return menu_shown_; }
  bool IsDefaultFlagSet() const { return default_flag_; }

  bool CanFocus() const override;
  // OnClick when assigned, else the action.
  void Click() override;

  TBasicAction* Action() const { return action_link_ ? action_link_->Action() : nullptr; }
  // Caption, enabled state and image follow the action.
  void SetAction(TBasicAction* action);
  TlxButtonActionLink* ActionLink() const { return action_link_.get(); }

  // IlxLookAndFeelContainer.
  TlxLookAndFeel* GetLookAndFeel() override { return look_and_feel_.get(); }
  // IlxMouseTrackingCaller.
  void MouseLeave() override;

  TlxButtonDropDownMenuPopupEvent OnDropDownMenuPopup;
  TlxButtonGetDrawParamsEvent OnGetDrawParams;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DestroyWnd() override;
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void DoContextPopup(TPoint mouse_pos, bool& handled) override;

  // The platform's button style: only the default flag is kept while the
  // button paints itself.
  virtual void SetButtonStyle(bool is_default);
  virtual std::unique_ptr<TlxButtonActionLink> CreateActionLink() {
    return std::make_unique<TlxButtonActionLink>(this);
  }

 private:
  // A left press that began on the split button's arrow part.
  bool IsArrowPress() const;
  bool HotTrackApplies();
  void StartHot();
  void UpdateHotFromCursor();
  void ToggleDownFromUser();
  void TellGroup();
  void ButtonPressed(int32_t group_index, TlxCustomButton* sender);
  void LookAndFeelChanged();
  // The glyph shows the action's image: the action list's images and the
  // action's image index, or none.
  void RefreshGlyphFromAction();
  friend class TlxButtonActionLink;

  // Message handlers.
  void DrawItem(TMessage& message);
  void Paint(TlxCanvas& canvas);
  void OpenDropDownMenu();
  void MenuClosed();
  bool HandleSpeedButtonMouse(TMessage& message);

  TlxButtonKind kind_ = lxbkStandard;
  TPopupMenu* drop_down_menu_ = nullptr;
  TPopupAlignment popup_alignment_ = paLeft;
  TComponent* popup_menu_ = nullptr;
  std::unique_ptr<TlxButtonColors> colors_;
  std::unique_ptr<TlxLookAndFeel> look_and_feel_;
  std::unique_ptr<TlxButtonGlyph> glyph_;
  std::unique_ptr<TControlCanvas> control_canvas_;
  std::unique_ptr<TlxCanvas> canvas_;
  std::unique_ptr<TlxButtonActionLink> action_link_;
  TButtonLayout layout_ = blGlyphLeft;
  int32_t margin_ = -1;
  int32_t spacing_ = 4;
  bool use_system_paint_ = false;
  bool can_be_focused_ = true;
  int32_t group_index_ = 0;
  bool down_ = false;
  bool allow_all_up_ = false;

  bool pressed_look_ = false;
  bool focused_look_ = false;
  bool default_flag_ = false;
  bool click_in_progress_ = false;
  bool menu_shown_ = false;
  bool hot_ = false;
};

class TlxButton : public TlxCustomButton {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxButton", &TlxCustomButton::kClass, &ConstructInstance<TlxButton>,
                                 &TlxButton::Publish};
  const TClass* ClassType() const override { return &kClass; }

  using TlxCustomButton::TlxCustomButton;
};
