#pragma once
// TApplication: the program's message loop and its main form, exception
// reporting for everything that escapes an event handler, the mouse-enter
// and mouse-leave tracking between controls, and the "being destroyed"
// state that modules ask about while the program ends.

#include <windows.h>

#include <exception>
#include <functional>
#include <string>

#include "platform/rtl/component.h"
#include "platform/rtl/exceptions.h"

class TControl;
class TCustomForm;

using TExceptionEvent = std::function<void(TObject* sender, const Exception& error)>;
using TIdleEvent = std::function<void(TObject* sender, bool& done)>;
using TMessageEvent = std::function<void(MSG& message, bool& handled)>;

class TApplication : public TComponent {
 public:
  static constexpr TClass kClass{"TApplication", &TComponent::kClass};
  const TClass* ClassType() const override { return &kClass; }

  explicit TApplication(TComponent* owner);
  // Marks the application as being destroyed, then frees its forms (their
  // OnDestroy runs while the state is visible).
  ~TApplication() override;

  void Initialize();
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& title) { title_ = title; }
  // The program file's full path.
  std::string ExeName() const;
  bool IsLibrary() const { return false; }
  bool IsDestroying() const { return ComponentState().Contains(csDestroying); }

  // Creates a form owned by the application; the first becomes the main
  // form. OnCreate runs once the form is fully built.
  template <class FormClass>
  FormClass* CreateForm(FormClass*& reference) {
    auto* form = new FormClass(this);
    reference = form;
    RegisterCreatedForm(form);
    return form;
  }
  TCustomForm* MainForm() const;

  // Shows the main form and handles messages until Terminate.
  void Run();
  // Handles every queued message, then returns.
  void ProcessMessages();
  // Handles one message, or waits for one when none is queued.
  void HandleMessage();
  void Terminate();
  bool Terminated() const { return terminated_; }

  // Whether the system's regional-setting changes are taken over: the
  // locale is read again and the formats that depend on it follow.
  bool UpdateFormatSettings() const { return update_format_settings_; }
  void SetUpdateFormatSettings(bool value) { update_format_settings_ = value; }

  // Reports the exception being handled (call from a catch block): through
  // OnException when set, else in an error box. EAbort is silent.
  void HandleException(TObject* sender);
  void ShowException(const Exception& error);
  int MessageBox(const std::string& text, const std::string& caption, UINT flags);

  TExceptionEvent OnException;
  TIdleEvent OnIdle;
  TMessageEvent OnMessage;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;

  // --- mouse tracking (used by the controls) -----------------------------
  // The control under the mouse changed to `control` (null: none of ours):
  // the old one gets CM_MOUSELEAVE, then the new one CM_MOUSEENTER, each
  // with the control in LParam.
  void SetMouseControl(TControl* control);
  TControl* MouseControl() const { return mouse_control_.Get(); }
  void UpdateMouseControlFromCursor();
  void ControlDestroyed(TControl* control);

 private:
  void RegisterCreatedForm(TCustomForm* form);
  // True when a message was there to handle.
  bool ProcessMessage(MSG& message);
  // Key messages go to the control first as CN_ messages (dialog keys).
  bool IsKeyMsg(MSG& message);
  void Idle();

  std::string title_;
  TWeakRef<TCustomForm> main_form_;
  TWeakRef<TControl> mouse_control_;
  bool terminated_ = false;
  bool handling_exception_ = false;
  bool update_format_settings_ = true;
};

// The application object, created on first use.
TApplication* GetApplication();
// The application object if one exists (null before the first use and after
// DoneApplication).
TApplication* CurrentApplication();
// Installs another application object (a program's own, or a fresh one for
// a test) and returns the previous one; the caller owns both.
TApplication* SetApplication(TApplication* application);
// Frees the application object created by GetApplication.
void DoneApplication();

struct TApplicationAccessor {
  TApplication* operator->() const { return GetApplication(); }
  operator TApplication*() const { return GetApplication(); }
};
inline constexpr TApplicationAccessor Application{};
