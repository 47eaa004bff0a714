#include "platform/toolkit/application.h"

#include <commctrl.h>

#include "platform/rtl/text.h"
#include "platform/toolkit/control_canvas.h"
#include "platform/toolkit/drag.h"
#include "platform/toolkit/form.h"

namespace {

TApplication* g_application = nullptr;
bool g_application_owned = false;

std::u16string Wide(const std::string& text) { return Utf8ToUtf16(text); }

}  // namespace

TApplication* GetApplication() {
  if (g_application == nullptr) {
    g_application = new TApplication(nullptr);
    g_application_owned = true;
  }
  return g_application;
}

TApplication* CurrentApplication() { return g_application; }

TApplication* SetApplication(TApplication* application) {
  TApplication* previous = g_application;
  g_application = application;
  g_application_owned = false;
  return previous;
}

void DoneApplication() {
  if (!g_application_owned || g_application == nullptr)
    return;
  // The pointer stays valid while the destructor runs, so that code called
  // from it can see the "being destroyed" state.
  delete g_application;
  g_application = nullptr;
  g_application_owned = false;
}

TApplication::TApplication(TComponent* owner) : TComponent(owner) {}

TApplication::~TApplication() {
  Destroying();
  // Forms learn of their end while all of them still exist.
  for (int32_t i = ComponentCount() - 1; i >= 0; --i)
    if (auto* form = dynamic_cast<TCustomForm*>(Components(i)))
      form->BeforeDestruction();
  DestroyComponents();
}

void TApplication::Initialize() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof(controls);
  controls.dwICC = ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
}

std::string TApplication::ExeName() const {
  std::u16string buffer(32768, u'\0');
  const DWORD length = GetModuleFileNameW(nullptr, reinterpret_cast<WCHAR*>(buffer.data()),
                                          static_cast<DWORD>(buffer.size()));
  buffer.resize(length);
  return Utf16ToUtf8(buffer);
}

TCustomForm* TApplication::MainForm() const { return main_form_.Get(); }

void TApplication::RegisterCreatedForm(TCustomForm* form) {
  if (main_form_.Get() == nullptr)
    main_form_ = TWeakRef<TCustomForm>(form);
  form->AfterConstruction();
}

void TApplication::Run() {
  terminated_ = false;
  if (TCustomForm* main = MainForm())
    main->Show();
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() {
  // The loop ends when it reaches the quit message, after what is queued.
  PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
  MSG message;
  while (ProcessMessage(message)) {
  }
}

void TApplication::HandleMessage() {
  MSG message;
  if (!ProcessMessage(message))
    Idle();
}

bool TApplication::ProcessMessage(MSG& message) {
  if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
    return false;
  if (message.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage)
    OnMessage(message, handled);
  if (handled)
    return true;
  if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE && DragSourceControl() != nullptr) {
    CancelDrag();
    return true;
  }
  if (IsKeyMsg(message))
    return true;
  TranslateMessage(&message);
  DispatchMessageW(&message);
  return true;
}

bool TApplication::IsKeyMsg(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST)
    return false;
  HWND window = GetCapture();
  if (window == nullptr) {
    // The nearest window of ours: others would not know CN_ messages.
    window = message.hwnd;
    while (window != nullptr && FindControl(window) == nullptr)
      window = GetParent(window);
  }
  TWinControl* control = FindControl(window);
  if (control == nullptr)
    return false;
  return control->Perform(CN_BASE + message.message, message.wParam, message.lParam) != 0;
}

void TApplication::Idle() {
  UpdateMouseControlFromCursor();
  FreeDeviceContexts();
  bool done = true;
  if (OnIdle) {
    try {
      OnIdle(this, done);
    } catch (...) {
      HandleException(this);
    }
  }
  if (done)
    WaitMessage();
}

void TApplication::HandleException(TObject* sender) {
  std::exception_ptr current = std::current_exception();
  if (current == nullptr)
    return;
  try {
    std::rethrow_exception(current);
  } catch (const EAbort&) {
    return;
  } catch (const Exception& error) {
    if (OnException)
      OnException(sender, error);
    else
      ShowException(error);
  } catch (const std::exception& error) {
    const Exception wrapped(error.what());
    if (OnException)
      OnException(sender, wrapped);
    else
      ShowException(wrapped);
  } catch (...) {
    const Exception wrapped("Unknown exception");
    if (OnException)
      OnException(sender, wrapped);
    else
      ShowException(wrapped);
  }
}

void TApplication::ShowException(const Exception& error) {
  std::string text = error.Message();
  if (!text.empty() && text.back() != '.')
    text += '.';
  MessageBox(text, title_, MB_OK | MB_ICONSTOP);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
  const std::u16string wide_text = Wide(text);
  const std::u16string wide_caption = Wide(caption);
  HWND owner = GetActiveWindow();
  return MessageBoxW(owner, reinterpret_cast<const WCHAR*>(wide_text.c_str()),
                     reinterpret_cast<const WCHAR*>(wide_caption.c_str()), flags | MB_TASKMODAL);
}

void TApplication::SetMouseControl(TControl* control) {
  TControl* previous = mouse_control_.Get();
  if (control == previous)
    return;
  mouse_control_ = TWeakRef<TControl>(control);
  const TWeakRef<TControl> entered(control);
  if (previous != nullptr)
    previous->Perform(CM_MOUSELEAVE, 0, reinterpret_cast<LPARAM>(previous));
  if (TControl* still_there = entered.Get(); still_there != nullptr && mouse_control_.Get() == still_there)
    still_there->Perform(CM_MOUSEENTER, 0, reinterpret_cast<LPARAM>(still_there));
}

void TApplication::UpdateMouseControlFromCursor() {
  POINT point{};
  if (!GetCursorPos(&point))
    return;
  TControl* control = nullptr;
  if (HWND capture = GetCapture(); capture != nullptr && FindControl(capture) != nullptr)
    return;  // a control with the capture tracks the mouse itself
  control = FindDragTarget(point, false);
  SetMouseControl(control);
}

void TApplication::ControlDestroyed(TControl* control) {
  if (mouse_control_.Get() == control)
    mouse_control_.Reset();
  if (main_form_.Get() == control)
    main_form_.Reset();
}
