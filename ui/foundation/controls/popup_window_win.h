#pragma once
// TlxPopupWindow: the borderless, stay-on-top form that opens next to an
// owner rectangle (drop-downs, the grid's popups, the drag feedback
// windows). It fits itself around its children inside its frame, places
// itself beside, above or below the owner rectangle, keeps the owner
// form's caption active while it has the focus and closes when it loses
// activation. Included only from Windows sources.

#include <windows.h>

#include <cstdint>
#include <memory>

#include "platform/toolkit/form.h"
#include "ui/foundation/canvas/canvas_win.h"
#include "ui/foundation/controls/popup_placement.h"

class TlxPopupWindow : public TForm {
 public:
  static constexpr TClass kClass{"TlxPopupWindow", &TForm::kClass, &ConstructInstance<TlxPopupWindow>};
  const TClass* ClassType() const override { return &kClass; }

  // Popups live without an owner: their users free them.
  explicit TlxPopupWindow(TComponent* owner = nullptr);
  ~TlxPopupWindow() override;

  bool AutoSizeToChildren = true;
  TlxPopupHorzAlignment HorzAlignment = phaLeft;
  TlxPopupVertAlignment VertAlignment = pvaBottom;
  int32_t BorderSpacing = 0;
  TlxPopupOpenDirection OpenDirection = podVertical;
  TColor FrameLineColor = clWindowText;
  // In client coordinates of OwnerControl; in screen coordinates when no
  // owner control is set.
  TRect OwnerRect;

  TlxPopupFrameStyle FrameStyle() const { return frame_style_; }
  // Takes the children's border offsets back first, so that the next
  // CalcSize lays them out inside the new frame.
  void ChangeBorderStyle(TlxPopupFrameStyle style);
  TControl* OwnerControl() const { return owner_control_.Get(); }
  void SetOwnerControl(TControl* control) { owner_control_ = TWeakRef<TControl>(control); }
  TlxCanvas& LxCanvas() { return *lx_canvas_; }
  // The window that was active when the popup took the activation.
  HWND PreviousActiveWindow() const { return previous_active_window_; }

  // --- overridable operations, in their order ---------------------------
  // The screen position of the window's top-left corner.
  virtual void CalcPosition(TPoint& position);
  // With AutoSizeToChildren: fits the window around its children.
  virtual void CalcSize();
  // side: 0 left, 1 top, 2 right, 3 bottom.
  virtual int32_t GetBorderWidth(int32_t side);
  virtual void CalcClientRect(TRect& rect);
  virtual int32_t GetFrameWidth();
  virtual void GetOwnerScreenBounds(TRect& rect);
  virtual void InheritOwnerFont();
  virtual void DrawFrame();
  virtual void ClosePopup();
  virtual void OpenPopup();

  int32_t GetBordersWidth() { return GetBorderWidth(0) + GetBorderWidth(2); }
  int32_t GetBordersHeight() { return GetBorderWidth(1) + GetBorderWidth(3); }
  // Moves every child back by the left and top border widths.
  void RemoveBorderOffsets();

  void WndProc(TMessage& message) override;

 protected:
  void WMActivate(TMessage& message) override;
  void CMVisibleChanged(TMessage& message) override;
  void Deactivate() override;
  void Paint() override;
  // After the toolkit has handled a change of Visible.
  virtual void VisibleChanged() {}

 private:
  TlxPopupFrameStyle frame_style_ = pfsNone;
  std::unique_ptr<TlxCanvas> lx_canvas_;
  TWeakRef<TControl> owner_control_;
  HWND previous_active_window_ = nullptr;
};
