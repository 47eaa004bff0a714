#pragma once
// TlxCustomPopupWindow: the base of drop-down lists, calendars, calculators
// and the grid's popups. It opens next to its owner control, either as an
// activating window that takes the keyboard focus and runs a local message
// loop, or as a non-activating window, and is closed by the thread hooks of
// popup_hooks_win.h when the user clicks elsewhere, switches to another
// program, hides or closes the owner, or presses a key.

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>

#include "editors/container_win.h"
#include "ui/foundation/controls/popup_window_win.h"

// Posted to a popup: close it asynchronously, and reopen it.
inline constexpr UINT LX_POPUP_CLOSE = 0x807D;
inline constexpr UINT LX_POPUP_REOPEN = 0x807E;

using TlxPopupCloseEvent = std::function<void(TObject* sender, int32_t reason)>;

class TlxCustomPopupWindow : public TlxPopupWindow {
 public:
  static constexpr TClass kClass{"TlxCustomPopupWindow", &TlxPopupWindow::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TlxCustomPopupWindow(TControl* owner_control);
  ~TlxCustomPopupWindow() override;

  // Virtual operations, in the order of their slots.
  virtual bool AdjustsToWorkArea() const { return false; }
  virtual void FireClosed(int32_t reason);
  virtual void FireClosing(int32_t reason);
  virtual void FireShowed();
  virtual void FireShowing();
  virtual bool ErasesBackground() const { return false; }
  // Alt with the paging and arrow keys and F4 reaches a non-activating
  // popup; other system keys are dropped while it is open.
  virtual bool AllowsSysKey(uint16_t key) const;
  virtual void CloseOnModalResult() { ClosePopup(); }
  // A press on the owner while the popup is open; true claims it.
  virtual bool HandleOwnerMouseDown(HWND window, UINT message, const TPoint& screen_point, TShiftState shift);
  virtual void HandleStyleChange() {}
  virtual void FitToWorkArea(TPoint& point);
  virtual TlxContainerStyleClass GetStyleItemClass() const { return lxStyleClassOf<TlxContainerStyle>(); }
  virtual const TClass* GetViewInfoClass() const { return &TlxContainerViewInfo::kClass; }
  // Shows the popup and gives the focus to `control` (or the best choice
  // inside the popup); a focus-capturing popup with its modal loop returns
  // only once it is closed.
  virtual void ShowPopupFocused(TWinControl* control);

  void ClosePopup() override;
  void GetOwnerScreenBounds(TRect& rect) override;
  void InheritOwnerFont() override {}

  TControl* OwnerControl() const { return TlxPopupWindow::OwnerControl(); }
  TlxContainerStyle& Style() const { return *style_; }
  TlxContainerViewInfo& ViewInfo() const { return *view_info_; }

  bool CapturesFocus() const { return captures_focus_; }
  void ChangeFocusCapture(bool value);
  bool Topmost() const { return topmost_; }
  void ChangeTopmostMode(bool value);
  bool ModalLoop() const { return modal_loop_; }
  void SetModalLoop(bool value) { modal_loop_ = value; }
  bool ClosedByOwnerClick() const { return closed_by_owner_click_; }
  void SetClosedByOwnerClick(bool value) { closed_by_owner_click_ = value; }
  TWinControl* FocusedControl() const { return focused_control_.Get(); }

  void ChangeCloseLock(bool up);
  bool IsCloseLocked() const { return close_lock_ > 0; }
  bool IsMouseCaptured() const;
  bool IsOwnerControlVisible() const;
  // The popup is being destroyed: the hooks pass it over.
  bool IsBeingDestroyed() const { return destroying_ || ComponentState().Contains(csDestroying); }
  // The focus lies in the popup or in a popup opened from it.
  bool IsFocusWithin();
  void RecreateIfHandle();
  // The form's deactivation: closes the popups newer than the active one.
  void HandleDeactivate();

  TNotifyEvent OnShowing;
  TNotifyEvent OnShowed;
  TlxPopupCloseEvent OnClosing;
  TlxPopupCloseEvent OnClosed;

  void WndProc(TMessage& message) override;
  bool CanFocus() const override { return Visible(); }
  // The focus change inside the popup runs under the popup activation lock:
  // the activation messages it causes must not close the popup.
  bool SetFocusedControl(TWinControl* control) override;
  void KeyDown(uint16_t& key, TShiftState shift) override;
  // A key of a control inside the popup: the popup's own shortcuts, then
  // its owner form's.
  void HandleShortCut(TMessage& message);

 protected:
  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CreateWindowHandle(const TCreateParams& params) override;
  void AdjustClientRect(TRect& rect) override;
  void Deactivate() override;
  void Paint() override;
  void VisibleChanged() override;

 private:
  void RunLocalLoop();
  void ChangeWindowMode(bool& mode, bool value);
  void HandleAsyncClose();

  std::unique_ptr<TlxContainerStyle> style_;
  std::unique_ptr<TlxContainerViewInfo> view_info_;
  bool captures_focus_ = true;
  bool modal_loop_ = true;
  bool topmost_ = false;
  bool closed_by_owner_click_ = false;
  bool destroying_ = false;
  int32_t close_lock_ = 0;
  TWeakRef<TWinControl> focused_control_;
};

// The control inside `popup` that gets the focus when it opens.
TWinControl* lxPickPopupFocusControl(TlxCustomPopupWindow* popup, TWinControl* requested);
// Posts the asynchronous close to a popup.
void lxPostPopupClose(TlxCustomPopupWindow* popup);
