#pragma once
// TCustomForm and TForm: top-level windows with border styles and icons,
// stay-on-top, placement, modal showing with a modal result, closing with
// OnCloseQuery and OnClose, the form's focus (ActiveControl and the enter
// and exit notifications of the controls), key preview, and see-through
// forms through layered windows (alpha blending, transparent colour).
//
// A form's OnCreate fires from AfterConstruction (TApplication::CreateForm
// calls it) once the derived constructor has set the properties; OnDestroy
// fires from BeforeDestruction (Free, Release and the application's end
// call it) while the derived parts still exist.

#include <windows.h>

#include <cstdint>
#include <functional>

#include "platform/toolkit/win_control.h"

enum TFormBorderStyle : uint8_t { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;
enum TBorderIcon : uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TSmallSet<TBorderIcon>;
enum TFormStyle : uint8_t { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition : uint8_t {
  poDesigned,
  poDefault,
  poDefaultPosOnly,
  poDefaultSizeOnly,
  poScreenCenter,
  poDesktopCenter,
  poMainFormCenter,
  poOwnerFormCenter,
};
enum TWindowState : uint8_t { wsNormal, wsMinimized, wsMaximized };
enum TCloseAction : uint8_t { caNone, caHide, caFree, caMinimize };

using TModalResult = int32_t;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrClose = IDCLOSE;
constexpr TModalResult mrAll = mrClose + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& can_close)>;

class TCustomForm : public TCustomControl {
 public:
  static constexpr TClass kClass{"TCustomForm", &TCustomControl::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TCustomForm(TComponent* owner);
  ~TCustomForm() override;

  // Fires OnCreate once; called after the whole construction.
  virtual void AfterConstruction();
  // Fires OnDestroy once; called before the destructors run.
  virtual void BeforeDestruction();
  // BeforeDestruction, then delete.
  void Free();
  // Frees the form once the messages queued now are handled (safe from the
  // form's own event handlers).
  void Release();

  // --- looks ------------------------------------------------------------
  TFormBorderStyle BorderStyle() const { return border_style_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return border_icons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return form_style_; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  bool AlphaBlend() const { return alpha_blend_; }
  void SetAlphaBlend(bool value);
  uint8_t AlphaBlendValue() const { return alpha_blend_value_; }
  void SetAlphaBlendValue(uint8_t value);
  bool TransparentColor() const { return transparent_color_; }
  void SetTransparentColor(bool value);
  TColor TransparentColorValue() const { return transparent_color_value_; }
  void SetTransparentColorValue(TColor color);
  int32_t PixelsPerInch() const { return pixels_per_inch_; }
  void SetPixelsPerInch(int32_t value) { pixels_per_inch_ = value; }

  // --- showing and closing ----------------------------------------------
  void Show();
  // Shows the form modally and returns its ModalResult. Raises
  // EInvalidOperation ("Cannot make a visible window modal") when the form
  // is visible or disabled already.
  TModalResult ShowModal();
  TModalResult ModalResult() const { return modal_result_; }
  void SetModalResult(TModalResult result) { modal_result_ = result; }
  bool Modal() const { return modal_; }
  // Asks OnCloseQuery, then OnClose; hides, frees or minimises as the
  // action says; closing the main form ends the application.
  void Close();
  virtual bool CloseQuery();
  bool Active() const { return active_; }

  // --- focus --------------------------------------------------------------
  TWinControl* ActiveControl() const { return active_control_.Get(); }
  // Raises EInvalidOperation ("Cannot focus a disabled or invisible
  // window") for a control that cannot take the focus.
  void SetActiveControl(TWinControl* control);
  void FocusControl(TWinControl* control);
  void SetFocus() override;
  // Called when `control` receives the window focus: sends CM_EXIT to the
  // controls that lose it, CM_ENTER to those that gain it, and
  // CM_FOCUSCHANGED to the form. False when a handler moved the focus on.
  virtual bool SetFocusedControl(TWinControl* control);
  void DefocusControl(TWinControl* control, bool removing);
  bool KeyPreview() const { return key_preview_; }
  void SetKeyPreview(bool value) { key_preview_ = value; }

  // --- events -------------------------------------------------------------
  TNotifyEvent OnCreate;
  TNotifyEvent OnDestroy;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

 protected:
  friend class TWinControl;

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  TRect NonClientMargins() override;
  void Paint() override;
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();

  void WMActivate(TMessage& message) override;
  void WMClose(TMessage& message) override;
  void WMSysCommand(TMessage& message) override;
  void CMShowingChanged(TMessage& message) override;
  void CMDialogKey(TMessage& message) override;
  // WM_NEXTDLGCTL with lParam 0 moves the focus to the next (wParam 0) or
  // previous tab stop, as a dialog does.
  void WndProc(TMessage& message) override;
  void CMActivate(TMessage& message) override;
  void CMDeactivate(TMessage& message) override;
  void CMRelease(TMessage& message) override;
  void WMNCDestroy(TMessage& message) override;

 private:
  void ApplyPosition();
  void UpdateLayeredAttributes();
  void SetWindowFocus();
  void SetActive(bool active);
  void CloseModal();

  TFormBorderStyle border_style_ = bsSizeable;
  TBorderIcons border_icons_{biSystemMenu, biMinimize, biMaximize};
  TFormStyle form_style_ = fsNormal;
  TPosition position_ = poDesigned;
  TWindowState window_state_ = wsNormal;
  bool alpha_blend_ = false;
  uint8_t alpha_blend_value_ = 255;
  bool transparent_color_ = false;
  TColor transparent_color_value_ = clNone;
  int32_t pixels_per_inch_ = 96;
  TModalResult modal_result_ = mrNone;
  bool modal_ = false;
  bool active_ = false;
  bool key_preview_ = false;
  bool created_ = false;
  bool destroy_notified_ = false;
  TWeakRef<TWinControl> active_control_;
  TWeakRef<TWinControl> focused_control_;
};

class TForm : public TCustomForm {
 public:
  static constexpr TClass kClass{"TForm", &TCustomForm::kClass, &ConstructInstance<TForm>};
  const TClass* ClassType() const override { return &kClass; }
  using TCustomForm::TCustomForm;
};
