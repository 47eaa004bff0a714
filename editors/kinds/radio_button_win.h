#pragma once
// TlxRadioButton: the toolkit's radio button switched to owner drawing. The
// round glyph comes from the look-and-feel painter, the caption is drawn by
// the control, and the mouse shows hot and pressed states.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "editors/kinds/radio_button_rules.h"
#include "platform/toolkit/buttons.h"
#include "platform/toolkit/control_canvas.h"
#include "ui/foundation/controls/control_interfaces_win.h"
#include "ui/foundation/look_and_feel/look_and_feel_win.h"
#include "ui/foundation/system/mouse_tracking_win.h"

class TlxRadioButton : public TRadioButton, public IlxLookAndFeelContainer, public IlxMouseTrackingCaller {
 public:
  static void Publish(TPropertyListBuilder& properties);
  static constexpr TClass kClass{"TlxRadioButton", &TRadioButton::kClass, &ConstructInstance<TlxRadioButton>,
                                 &TlxRadioButton::Publish};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxRadioButton(TComponent* owner);
  ~TlxRadioButton() override;

  // Virtual operations, in the order of their slots.
  virtual void AdjustTextRect(TRect& rect, bool native_style);
  virtual bool ShowPopupMenuAt(TComponent* popup_menu, int32_t x, int32_t y);
  virtual void DrawBackground();
  virtual void DrawCaption(TlxCanvas& canvas, bool native_style);
  virtual bool IsInplace() const { return false; }
  virtual bool UsesParentBackground();
  virtual bool IsNativeStyle();
  virtual bool IsTransparent() const { return transparent_ && !IsInplace(); }
  virtual bool HasTransparentBackground() { return UsesParentBackground() || IsTransparent(); }
  virtual void LookAndFeelChanged() { Invalidate(); }
  virtual void Paint(bool focus_only);
  virtual void UpdateState(int32_t button_code, TShiftState shift, const TPoint& point);

  TlxLookAndFeel& LookAndFeel() { return *look_and_feel_; }
  void SetLookAndFeel(const TlxLookAndFeel& value) { look_and_feel_->Assign(&value); }
  bool ParentBackground() const { return ControlStyle().Contains(csParentBackground); }
  void SetParentBackground(bool value);
  TComponent* PopupMenu() const { return popup_menu_; }
  void SetPopupMenu(TComponent* value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  TlxRadioButtonState State() const { return state_; }
  // The device context the button paints on while it paints; null
  // otherwise.
  HDC PaintDC() const { return control_canvas_->HandleAllocated() ? control_canvas_->CurrentHandle() : nullptr; }
  const TRect& ButtonRect() const { return button_rect_; }
  TColor GetTextColor();
  void UpdateStateFromCursor();

  bool Focused() const;
  void Invalidate() override;
  // Clicks are held back while entering checks the button.
  void Click() override;

  TlxLookAndFeel* GetLookAndFeel() override { return look_and_feel_.get(); }
  // Both the toolkit's mouse leave and the end of mouse tracking.
  void MouseLeave() override;

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void WndProc(TMessage& message) override;
  void Notification(TComponent* component, TOperation operation) override;
  void DoEnter() override;
  void MouseDown(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseMove(TShiftState shift, int32_t x, int32_t y) override;
  void MouseUp(TMouseButton button, TShiftState shift, int32_t x, int32_t y) override;
  void MouseEnter() override;
  void DoContextPopup(TPoint mouse_pos, bool& handled) override;

 private:
  TlxRadioButtonLook Look();
  void SetState(TlxRadioButtonState state);
  void DrawItem(TMessage& message);

  std::unique_ptr<TControlCanvas> control_canvas_;
  std::unique_ptr<TlxCanvas> canvas_;
  std::unique_ptr<TlxLookAndFeel> look_and_feel_;
  TComponent* popup_menu_ = nullptr;
  bool transparent_ = false;
  TRect button_rect_;
  TlxRadioButtonState state_ = rbsNormal;
  bool suppress_clicks_ = false;
};
